#pragma once
// The controls and small helpers of every remedy window: colours given as the
// old platform's colour numbers (blue in the high byte, red in the low), the
// grey lists with white text that keep the model strings (Windows-1252 bytes)
// of their lines, the looks of their fields and memos, model strings into
// widgets and back, key presses and clicks seen before they reach a control,
// and the wait cursor.
#include <QColor>
#include <QDialog>
#include <QFont>
#include <QListWidget>
#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "remedies/record_db.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace remedies {

// A remedy window: it reads and shows its data afresh, guarded, each time it
// is shown, and lets go of the records it read each time it closes.
class RemedyDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    virtual void Refresh() = 0;
    virtual void ReleaseRecords() {}

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;
};

inline constexpr unsigned kWindowColour = 14606046;  // background of the database windows
inline constexpr unsigned kMemoColour = 12247806;    // help and result memos
inline constexpr unsigned kAquaColour = 0xFFFF00;
inline constexpr unsigned kSilverColour = 0xC0C0C0;
inline constexpr unsigned kRedColour = 255;
inline constexpr unsigned kWhiteColour = 0xFFFFFF;

inline const QColor kAqua(0, 255, 255);
inline const QColor kRed(255, 0, 0);
inline const QColor kSilver(192, 192, 192);
inline const QColor kGrey(128, 128, 128);
inline const QColor kCream(254, 226, 186);  // 12247806

// A colour number as a colour, and as "#rrggbb".
QColor ColourOf(unsigned bgr);
QString ColourName(unsigned bgr);

// The window colour of a widget, its children's base colour left alone.
void SetWindowColour(QWidget* w, unsigned bgr);
// The window and base colours of a widget (read back by BackgroundOf).
void SetBackground(QWidget* w, const QColor& colour);
void SetBackground(QWidget* w, unsigned bgr);
QColor BackgroundOf(const QWidget* w);
// Background and text colours of a field.
void SetFieldColours(QWidget* w, unsigned background, unsigned text);
// The base colour of an edit, list or memo, kept in the "colour" property for tests.
void SetBaseColour(QWidget* w, unsigned bgr);
unsigned BaseColour(const QWidget* w);

// The font of the windows placed at fixed positions: the old 8-point sans
// serif (11 pixels at 96 dots an inch).
QFont WindowFont();

// A list whose lines are model strings; the list is grey with white text.
class ModelList : public QListWidget {
    Q_OBJECT
public:
    ModelList(QWidget* parent, const char* name);
    void SetLines(const std::vector<std::string>& lines);
    void AddLine(const std::string& line);
    void SetLine(int row, const std::string& line);
    void Clear();
    const std::vector<std::string>& Lines() const { return lines_; }
    int Count() const { return static_cast<int>(lines_.size()); }
    // The model string of the selected line ("" when none is selected).
    std::string SelectedLine() const;
    void SelectRow(int row);

private:
    std::vector<std::string> lines_;
};

// How the remedy windows dress the controls the window vocabulary
// (platform/gui/widgets.h) makes.
// The control's base colour (the "colour" property too), the control handed back.
template <class Control>
Control* Tinted(Control* control, unsigned bgr) {
    SetBaseColour(control, bgr);
    return control;
}
// A memo of help or results in its colour: it wraps at its width and never
// scrolls sideways.
QPlainTextEdit* NoteMemo(QPlainTextEdit* memo, unsigned bgr);
// A memo of an editor's field: Tab moves on to the next field, as in the old
// memos; it types no tab, which a save would refuse.
QPlainTextEdit* FieldMemo(QPlainTextEdit* memo);

// Model strings into widgets and back; an edit shows the start of its text.
void SetText(QLineEdit* edit, const std::string& cp1252);
std::string TextOf(const QLineEdit* edit);
void SetText(QLabel* label, const std::string& cp1252);
void SetText(QPlainTextEdit* memo, const std::string& cp1252);
std::string TextOf(const QPlainTextEdit* memo);
// The text of a memo as the records hold it (CR LF line ends), and back.
std::string RecordTextOf(const QPlainTextEdit* memo);
void SetMemoText(QPlainTextEdit* memo, const std::string& cp1252);

// The characters of a widget text that have no Windows-1252 code (so would
// be stored as "?"), each once, as their code points ("U+03B1, U+1F600");
// "" when every character has one.
std::string ForeignCharacters(const QString& text);
std::string ForeignCharacters(const QLineEdit* edit);
std::string ForeignCharacters(const QPlainTextEdit* memo);

// Installs a key filter on a type-ahead search box: each key that types a
// character (gui::TypedCharacter) goes to `press` and is consumed; a key that
// types none never enters the key nor the box (gui::KeepUntypedKeysOut); a
// mouse click goes to `click`. Any other change of the box by the user (a
// deletion, a cut, a paste, a drop) goes to `edited`, which makes the box's
// new text the key: the key is always what the box shows.
void HandleEditKeys(QLineEdit* edit, std::function<void(char)> press, std::function<void()> click,
                    std::function<void()> edited);

// Calls `hook` with every key press of the watched widget before the widget
// sees it; the press is dropped when the hook returns true. The widget reads
// typed keys itself: a key that types no character is kept out of it
// (gui::KeepUntypedKeysOut).
class KeyPressHook : public QObject {
public:
    KeyPressHook(QWidget* watched, std::function<bool(QKeyEvent*)> hook);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QKeyEvent*)> hook_;
};

// Calls `hook` when the watched widget is pressed (or double-clicked) with
// the mouse; a memo is watched through its viewport.
class ClickHook : public QObject {
public:
    ClickHook(QWidget* watched, std::function<void()> hook, bool doubleClick = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> hook_;
    bool double_;
};

// The hourglass cursor for the length of a scope: released on every way out,
// an error included.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
// Runs with the wait cursor shown.
void WithWaitCursor(const std::function<void()>& work);

// The databases a browser or a search reads, looked at when it opens and
// before each handler that reads them (TellUnusableDatabase): each one that is
// damaged or cannot be read is told at once, every time, naming the file,
// what is wrong, `done` and what the user can do. False when one is: the
// window then shows nothing read from it and does not search it.
bool DatabasesSound(std::initializer_list<DbFile> databases, const std::string& done);
// The words `done` of a window that shows nothing of a damaged database: the
// window does not show `what` (of the list `list` made from the database, when
// given) and does not search the database until the file is sound again.
std::string NothingShownUntilSound(const char* what, const char* list = nullptr);

}  // namespace remedies
