#pragma once
// Controls shared by the signature and search windows: colours given as the
// old platform's colour numbers, the grey lists with white text, the silver
// read-only boxes, the aqua search boxes, and a list that keeps the model
// strings (Windows-1252 bytes) of its lines beside the shown text.
#include <QColor>
#include <QListWidget>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace remedies {

inline constexpr unsigned kWindowColour = 14606046;  // background of the database windows
inline constexpr unsigned kMemoColour = 12247806;    // help and result memos
inline constexpr unsigned kAquaColour = 0xFFFF00;
inline constexpr unsigned kSilverColour = 0xC0C0C0;
inline constexpr unsigned kRedColour = 255;
inline constexpr unsigned kWhiteColour = 0xFFFFFF;

// A colour number of the old platform (blue in the high byte, red in the low).
QColor ColourOf(unsigned bgr);
void SetBackground(QWidget* w, unsigned bgr);
// The base colour of an edit, list or memo, kept in the "colour" property for tests.
void SetBaseColour(QWidget* w, unsigned bgr);
unsigned BaseColour(const QWidget* w);

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

QLabel* MakeLabel(QWidget* parent, const char* text, const char* name = nullptr);
QLineEdit* MakeReadOnlyEdit(QWidget* parent, const char* name);
QLineEdit* MakeSearchEdit(QWidget* parent, const char* name);
QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, unsigned colour, bool readOnly);
QPushButton* MakeButton(QWidget* parent, const char* text, const char* name);
QRadioButton* MakeRadio(QWidget* parent, const char* text, const char* name);

void SetText(QLineEdit* edit, const std::string& cp1252);
std::string TextOf(const QLineEdit* edit);
void SetText(QLabel* label, const std::string& cp1252);
void SetText(QPlainTextEdit* memo, const std::string& cp1252);
std::string TextOf(const QPlainTextEdit* memo);

// Installs a key filter on the edit: each key press goes to `press` as the old
// platform's character (Enter 13, Backspace 8, printable characters as their
// Windows-1252 byte) and is consumed; a mouse click goes to `click`.
void HandleEditKeys(QLineEdit* edit, std::function<void(char)> press, std::function<void()> click);

// Runs with the wait cursor shown.
void WithWaitCursor(const std::function<void()>& work);

}  // namespace remedies
