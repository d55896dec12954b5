#include "remedies/windows/window_parts.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>

#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/typed_keys.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_check.h"

namespace remedies {

void RemedyDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { Refresh(); });
}

void RemedyDialog::done(int r) {
    ReleaseRecords();
    QDialog::done(r);
}

QColor ColourOf(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QString ColourName(unsigned bgr) { return ColourOf(bgr).name(); }

void SetWindowColour(QWidget* w, unsigned bgr) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, ColourOf(bgr));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void SetBackground(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void SetBackground(QWidget* w, unsigned bgr) { SetBackground(w, ColourOf(bgr)); }

QColor BackgroundOf(const QWidget* w) { return w->palette().color(QPalette::Base); }

void SetFieldColours(QWidget* w, unsigned background, unsigned text) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, ColourOf(background));
    p.setColor(QPalette::Base, ColourOf(background));
    p.setColor(QPalette::Text, ColourOf(text));
    p.setColor(QPalette::WindowText, ColourOf(text));
    w->setPalette(p);
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

QFont WindowFont() {
    QFont f("Liberation Sans");
    f.setPixelSize(11);
    return f;
}

QPlainTextEdit* NoteMemo(QPlainTextEdit* memo, unsigned bgr) {
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetBaseColour(memo, bgr);
    return memo;
}

QPlainTextEdit* FieldMemo(QPlainTextEdit* memo) {
    memo->setTabChangesFocus(true);
    return memo;
}

void SetText(QLineEdit* edit, const std::string& cp1252) {
    edit->setText(gui::ToQt(cp1252));
    edit->setCursorPosition(0);
}
std::string TextOf(const QLineEdit* edit) { return gui::FromQt(edit->text()); }
void SetText(QLabel* label, const std::string& cp1252) { label->setText(gui::ToQt(cp1252)); }
void SetText(QPlainTextEdit* memo, const std::string& cp1252) { memo->setPlainText(gui::ToQt(cp1252)); }
std::string TextOf(const QPlainTextEdit* memo) { return gui::FromQt(memo->toPlainText()); }

std::string ForeignCharacters(const QString& text) { return gui::ForeignCharacters(text); }
std::string ForeignCharacters(const QLineEdit* edit) { return ForeignCharacters(edit->text()); }
std::string ForeignCharacters(const QPlainTextEdit* memo) { return ForeignCharacters(memo->toPlainText()); }

std::string RecordTextOf(const QPlainTextEdit* memo) {
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

KeyPressHook::KeyPressHook(QWidget* watched, std::function<bool(QKeyEvent*)> hook)
    : QObject(watched), hook_(std::move(hook)) {
    gui::KeepUntypedKeysOut(watched);
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

namespace {

class SearchBoxKeyFilter : public QObject {
public:
    SearchBoxKeyFilter(QLineEdit* edit, std::function<void(char)> press, std::function<void()> click)
        : QObject(edit), press_(std::move(press)), click_(std::move(click)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress && click_) {
            gui::Guard(click_);
            return false;
        }
        if (event->type() != QEvent::KeyPress) return false;
        // A key that types no character (Delete, Ctrl+A, Ctrl+X, Ctrl+V ...) is
        // left to the box; what it changes there then sets the key.
        const char c = gui::TypedCharacter(*static_cast<QKeyEvent*>(event));
        if (c == 0) return false;
        gui::Guard([&] { press_(c); });
        (void)watched;
        return true;
    }

private:
    std::function<void(char)> press_;
    std::function<void()> click_;
};

}  // namespace

void HandleEditKeys(QLineEdit* edit, std::function<void(char)> press, std::function<void()> click,
                    std::function<void()> edited) {
    gui::KeepUntypedKeysOut(edit);
    edit->installEventFilter(new SearchBoxKeyFilter(edit, std::move(press), std::move(click)));
    // Changes made by the program (setText) are not edits: only the user's.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edited = std::move(edited)](const QString&) {
        if (edited) gui::Guard(edited);
    });
}

bool DatabasesSound(std::initializer_list<DbFile> databases, const std::string& done) {
    bool sound = true;
    for (const DbFile& db : databases)
        if (!TellUnusableDatabase(db, done).empty()) sound = false;
    return sound;
}

std::string NothingShownUntilSound(const char* what, const char* list) {
    std::string done = "La finestra non mostra ";
    done.append(what);
    if (list) done.append(" dell'elenco \"").append(list).append("\", che ne deriva,");
    return done.append(" e non cerca nella banca dati finch\xE9 il file non sar\xE0 di nuovo integro.");
}

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

void WithWaitCursor(const std::function<void()>& work) {
    WaitCursor wait;
    work();
}

}  // namespace remedies
