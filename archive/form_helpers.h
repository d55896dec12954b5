#pragma once
// Helpers the dialogs share: colour-coded checks of numeric edit fields, the
// refusal of typed text the archive files cannot hold, and the placing of
// dialogs at the lower right of the main window and on the screen.
#include <initializer_list>
#include <optional>

class QLineEdit;
class QWidget;

namespace archive {

// The main window's origin (saved by RememberMainOrigin) and size (saved by the
// main window when it activates); the main window keeps it, and the dialogs are
// placed by it.
struct MainWindowGeometry {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
};

// The four annotation lines of a person as the dialogs edit them: each
// line's name and how many characters may be typed into it (the end of the
// fourth line holds the person's text number).
struct AnnotationLine {
    const char* name;
    int length;
};
inline constexpr AnnotationLine kAnnotationLines[4] = {{"EditMemo1", 70},
                                                       {"EditMemo2", 70},
                                                       {"EditMemo3", 70},
                                                       {"EditMemo4", 65}};

// Integer field check: aqua; the trimmed text converted into a number; a
// value outside minimum..maximum or no number turns the field red, empties it,
// clears `ok` and gives it the focus. With allowSign a lone "-" or "+" passes,
// and no number is read. Returns the number read and the conversion's error
// position (0 when it read).
struct CheckedInteger {
    int value = 0;
    int errorPosition = 0;
};
std::optional<CheckedInteger> ValidateIntEdit(QLineEdit* edit, int minimum, int maximum, bool allowSign,
                                              unsigned char& ok);

// Reads the field as a real with a decimal comma; error gets the conversion's
// error position. On success the text is written back with commas, no blanks.
long double ParseFloatEdit(QLineEdit* edit, int& error);
void SetEditErrorColour(QLineEdit* edit, int error);
void CheckFloatEditRange(QLineEdit* edit, int& error, long double minimum, long double maximum);

// Upper-cases what the user types into the field, keeping the caret.
void UpperCaseOnTyping(QLineEdit* edit);

// A typed field a dialog stores, with its name in the messages ("Il nome").
struct StoredTextField {
    QLineEdit* edit;
    const char* what;
};
// True when a field holds characters the archive files cannot hold: the
// first such field is named in a message with its characters' codes and gets
// the focus, its text kept for the user to mend; nothing is to be stored.
bool RefuseForeignCharacters(std::initializer_list<StoredTextField> fields);

// Processes pending window messages, then saves the main window's origin into `frame`.
void RememberMainOrigin(QWidget* mainWindow, MainWindowGeometry& frame);
// Puts the window's lower right corner `offset` pixels beyond the main window's
// (as `frame` holds it).
void PlaceNearMain(QWidget* window, int offset, const MainWindowGeometry& frame);
// Moves a window that reaches beyond the screen, with its frame (a title bar
// assumed while it has none yet), back onto it; one on the screen stays.
void KeepWholeOnScreen(QWidget* window);

}  // namespace archive
