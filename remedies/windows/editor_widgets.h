#pragma once
// Small helpers of the database editors, the search-and-edit utility and the
// update window: controls placed at fixed positions with their object names,
// colours given as the program's colour numbers (blue, green, red bytes), memo
// texts with CR LF line ends, and key presses seen before they reach a field.
#include <QFont>
#include <QObject>
#include <functional>
#include <string>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace remedies::edit_ui {

inline constexpr int kDatabaseWindowColour = 14606046;
inline constexpr int kHelpMemoColour = 12247806;
inline constexpr int kAquaColour = 16776960;
inline constexpr int kSilverColour = 12632256;
inline constexpr int kRedColour = 255;

// The windows' font: the old 8-point sans serif (11 pixels at 96 dots an inch).
QFont WindowFont();

// "#rrggbb" of a colour number.
QString ColourName(int colourNumber);
void SetBackground(QWidget* w, int colourNumber);
void SetFieldColours(QWidget* w, int background, int text);

QLabel* PlaceLabel(QWidget* parent, const char* cp1252, int x, int y, int w = -1, int h = 16);
QLineEdit* PlaceEdit(QWidget* parent, const char* name, int x, int y, int w, int h = 21);
QPlainTextEdit* PlaceMemo(QWidget* parent, const char* name, int x, int y, int w, int h);
QPushButton* PlaceButton(QWidget* parent, const char* name, const char* caption, int x, int y, int w,
                         int h = 25);
QRadioButton* PlaceRadio(QWidget* parent, const char* name, const char* caption, int x, int y, int w);

// The text of a memo as the records hold it (CR LF line ends), and back.
std::string MemoText(const QPlainTextEdit* memo);
void SetMemoText(QPlainTextEdit* memo, const std::string& cp1252);
std::string EditText(const QLineEdit* edit);
void SetEditText(QLineEdit* edit, const std::string& cp1252);

// The typed character of a key press as a Windows-1252 byte (8 for backspace),
// or 0 for a key that types nothing.
char TypedChar(const QKeyEvent* e);

// Calls `hook` with every key press of the watched widget before the widget
// sees it; the press is dropped when the hook returns true.
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

// The hourglass cursor for the length of a scope.
class HourGlass {
public:
    HourGlass();
    ~HourGlass();
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;
};

// Counts the system beeps of the editors' length warnings (read by tests).
int BeepCount();
void Beep();

}  // namespace remedies::edit_ui
