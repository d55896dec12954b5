#include "remedies/windows/search_window_parts.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"

namespace remedies {

QColor ColourOf(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void SetBackground(QWidget* w, unsigned bgr) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, ColourOf(bgr));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void SetBaseColour(QWidget* w, unsigned bgr) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, ColourOf(bgr));
    w->setPalette(pal);
    w->setProperty("colour", bgr);
}

unsigned BaseColour(const QWidget* w) { return w->property("colour").toUInt(); }

ModelList::ModelList(QWidget* parent, const char* name) : QListWidget(parent) {
    setObjectName(name);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(128, 128, 128));
    pal.setColor(QPalette::Text, Qt::white);
    setPalette(pal);
    setProperty("colour", 0x808080u);
}

void ModelList::SetLines(const std::vector<std::string>& lines) {
    Clear();
    lines_ = lines;
    QStringList shown;
    shown.reserve(static_cast<int>(lines.size()));
    for (const auto& l : lines) shown << gui::ToQt(l);
    addItems(shown);
}

void ModelList::AddLine(const std::string& line) {
    lines_.push_back(line);
    addItem(gui::ToQt(line));
}

void ModelList::SetLine(int row, const std::string& line) {
    if (row < 0 || row >= Count()) return;
    lines_[static_cast<std::size_t>(row)] = line;
    item(row)->setText(gui::ToQt(line));
}

void ModelList::Clear() {
    lines_.clear();
    clear();
}

std::string ModelList::SelectedLine() const {
    int row = currentRow();
    if (row < 0 || row >= Count()) return {};
    return lines_[static_cast<std::size_t>(row)];
}

void ModelList::SelectRow(int row) {
    if (row < 0 || row >= Count()) return;
    setCurrentRow(row);
    scrollToItem(item(row));
}

QLabel* MakeLabel(QWidget* parent, const char* text, const char* name) {
    auto* l = new QLabel(gui::ToQt(text), parent);
    if (name) l->setObjectName(name);
    return l;
}

QLineEdit* MakeReadOnlyEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    SetBaseColour(e, kSilverColour);
    return e;
}

QLineEdit* MakeSearchEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    SetBaseColour(e, kAquaColour);
    return e;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, unsigned colour, bool readOnly) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(name);
    m->setReadOnly(readOnly);
    m->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetBaseColour(m, colour);
    return m;
}

QPushButton* MakeButton(QWidget* parent, const char* text, const char* name) {
    auto* b = new QPushButton(gui::ToQt(text), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QRadioButton* MakeRadio(QWidget* parent, const char* text, const char* name) {
    auto* r = new QRadioButton(gui::ToQt(text), parent);
    r->setObjectName(name);
    return r;
}

void SetText(QLineEdit* edit, const std::string& cp1252) {
    edit->setText(gui::ToQt(cp1252));
    edit->setCursorPosition(0);
}
std::string TextOf(const QLineEdit* edit) { return gui::FromQt(edit->text()); }
void SetText(QLabel* label, const std::string& cp1252) { label->setText(gui::ToQt(cp1252)); }
void SetText(QPlainTextEdit* memo, const std::string& cp1252) { memo->setPlainText(gui::ToQt(cp1252)); }
std::string TextOf(const QPlainTextEdit* memo) { return gui::FromQt(memo->toPlainText()); }

namespace {

class EditKeyFilter : public QObject {
public:
    EditKeyFilter(QLineEdit* edit, std::function<void(char)> press, std::function<void()> click)
        : QObject(edit), press_(std::move(press)), click_(std::move(click)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress && click_) {
            gui::Guard(click_);
            return false;
        }
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        char c = 0;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) c = 13;
        else if (key->key() == Qt::Key_Backspace) c = 8;
        else {
            const std::string bytes = gui::FromQt(key->text());
            if (bytes.size() != 1 || static_cast<unsigned char>(bytes[0]) < 32) return false;
            c = bytes[0];
        }
        gui::Guard([&] { press_(c); });
        (void)watched;
        return true;
    }

private:
    std::function<void(char)> press_;
    std::function<void()> click_;
};

}  // namespace

void HandleEditKeys(QLineEdit* edit, std::function<void(char)> press, std::function<void()> click) {
    edit->installEventFilter(new EditKeyFilter(edit, std::move(press), std::move(click)));
}

void WithWaitCursor(const std::function<void()>& work) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    work();
}

}  // namespace remedies
