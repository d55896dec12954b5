#include "platform/gui/widgets.h"

#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "platform/gui/text_convert.h"

namespace gui {

QLabel* MakeLabel(QWidget* parent, const char* name, std::string_view caption) {
    auto* l = new QLabel(ToQt(caption), parent);
    l->setObjectName(name);
    return l;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}

QPushButton* MakeButton(QWidget* parent, const char* name, std::string_view caption) {
    auto* b = new QPushButton(ToQt(caption), parent);
    b->setObjectName(name);
    return b;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, bool readOnly) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(name);
    m->setReadOnly(readOnly);
    return m;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, std::string_view caption) {
    auto* r = new QRadioButton(ToQt(caption), parent);
    r->setObjectName(name);
    return r;
}

QFrame* MakePanel(QWidget* parent, const char* name) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    return f;
}

QFrame* MakeRaisedPanel(QWidget* parent, const char* name, const QColor& colour) {
    QFrame* f = MakePanel(parent, name);
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    f->setAutoFillBackground(true);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Window, colour);
    f->setPalette(pal);
    return f;
}

QListWidget* MakeList(QWidget* parent, const char* name) {
    auto* l = new QListWidget(parent);
    l->setObjectName(name);
    return l;
}

QComboBox* MakeComboBox(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    return c;
}

QScrollBar* MakeScrollBar(QWidget* parent, const char* name, Qt::Orientation orientation) {
    auto* b = new QScrollBar(orientation, parent);
    b->setObjectName(name);
    return b;
}

void MakeButtons(QWidget* parent, std::initializer_list<ButtonRow> rows) {
    for (const ButtonRow& r : rows) *r.slot = MakeButton(parent, r.name, r.caption);
}

}  // namespace gui
