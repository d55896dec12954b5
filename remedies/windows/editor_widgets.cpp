#include "remedies/windows/editor_widgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/gui/text_convert.h"

namespace remedies::edit_ui {

QFont WindowFont() {
    QFont f("Liberation Sans");
    f.setPixelSize(11);
    return f;
}

QString ColourName(int n) {
    const int r = n & 0xFF, g = (n >> 8) & 0xFF, b = (n >> 16) & 0xFF;
    return QString("#%1%2%3").arg(r, 2, 16, QChar('0')).arg(g, 2, 16, QChar('0')).arg(b, 2, 16, QChar('0'));
}

void SetBackground(QWidget* w, int colourNumber) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(ColourName(colourNumber)));
    p.setColor(QPalette::Base, QColor(ColourName(colourNumber)));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void SetFieldColours(QWidget* w, int background, int text) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(ColourName(background)));
    p.setColor(QPalette::Base, QColor(ColourName(background)));
    p.setColor(QPalette::Text, QColor(ColourName(text)));
    p.setColor(QPalette::WindowText, QColor(ColourName(text)));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QLabel* PlaceLabel(QWidget* parent, const char* cp1252, int x, int y, int w, int h) {
    auto* l = new QLabel(gui::ToQt(cp1252), parent);
    if (w < 0) w = l->sizeHint().width();
    l->setGeometry(x, y, w, h);
    return l;
}

QLineEdit* PlaceEdit(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, h);
    return e;
}

QPlainTextEdit* PlaceMemo(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(name);
    m->setGeometry(x, y, w, h);
    return m;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, const char* caption, int x, int y, int w, int h) {
    auto* b = new QPushButton(gui::ToQt(caption), parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    b->setAutoDefault(false);
    return b;
}

QRadioButton* PlaceRadio(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    auto* r = new QRadioButton(gui::ToQt(caption), parent);
    r->setObjectName(name);
    r->setGeometry(x, y, w, 20);
    return r;
}

std::string MemoText(const QPlainTextEdit* memo) {
    std::string s = gui::FromQt(memo->toPlainText());
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

void SetMemoText(QPlainTextEdit* memo, const std::string& cp1252) {
    std::string s;
    s.reserve(cp1252.size());
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        if (cp1252[i] == '\r' && i + 1 < cp1252.size() && cp1252[i + 1] == '\n') continue;
        s += cp1252[i];
    }
    memo->setPlainText(gui::ToQt(s));
}

std::string EditText(const QLineEdit* edit) { return gui::FromQt(edit->text()); }
void SetEditText(QLineEdit* edit, const std::string& cp1252) { edit->setText(gui::ToQt(cp1252)); }

char TypedChar(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace) return 8;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return '\r';
    const QString t = e->text();
    if (t.isEmpty() || t.at(0).unicode() < 32) return 0;
    const std::string b = gui::FromQt(t.left(1));
    return b.empty() ? 0 : b[0];
}

KeyPressHook::KeyPressHook(QWidget* watched, std::function<bool(QKeyEvent*)> hook)
    : QObject(watched), hook_(std::move(hook)) {
    watched->installEventFilter(this);
}

bool KeyPressHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && hook_) return hook_(static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}

ClickHook::ClickHook(QWidget* watched, std::function<void()> hook, bool doubleClick)
    : QObject(watched), hook_(std::move(hook)), double_(doubleClick) {
    if (auto* memo = qobject_cast<QPlainTextEdit*>(watched))
        memo->viewport()->installEventFilter(this);
    else
        watched->installEventFilter(this);
}

bool ClickHook::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type wanted = double_ ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress;
    if (event->type() == wanted && hook_) hook_();
    return QObject::eventFilter(watched, event);
}

HourGlass::HourGlass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
HourGlass::~HourGlass() { QApplication::restoreOverrideCursor(); }

namespace {
int beeps = 0;
}

int BeepCount() { return beeps; }

void Beep() {
    ++beeps;
    QApplication::beep();
}

}  // namespace remedies::edit_ui
