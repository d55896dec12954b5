#pragma once
// Helpers the dialogs share: colour-coded checks of numeric edit fields (aqua
// valid, red rejected and emptied) and the placing of dialogs at the lower right
// of the main window.
class QLineEdit;
class QWidget;

namespace display {

struct FormPlacementState {
    int MainFormTop = 0;
    int MainFormLeft = 0;
    int MainFormWidth = 0;   // saved by the main window when it activates
    int MainFormHeight = 0;
};

extern FormPlacementState FormPlacement;

// Processes pending window messages, then keeps the main window's origin.
void RememberMainOrigin(QWidget* mainWindow);
// Puts the window's lower right corner `offset` pixels beyond the main window's.
void PlaceNearMain(QWidget* window, int offset);

// Integer field check: the trimmed text converted into Chart.EditIntValue (the
// error position into Chart.ValErrorCode); within [minimum, maximum] the field
// keeps the trimmed text, else it turns red, is emptied, takes the focus and ok
// becomes 0. With allowSign a lone "-" or "+" is accepted while typing.
void ValidateIntEdit(QLineEdit* edit, int minimum, int maximum, bool allowSign, int& ok);

// Reads the field as a real with a decimal comma into Wheel.WheelRotation; the
// error position goes to error. On success the text is written back with commas
// and without surrounding blanks, the caret kept where it was.
void ParseFloatEdit(QLineEdit* edit, int& error);

// Aqua when error is 0, red otherwise (the text is kept).
void SetEditErrorColour(QLineEdit* edit, int error);

// Only when error is 0: a value outside [minimum, maximum] (or no number) sets
// error to 1 and turns the field red and empty.
void CheckFloatEditRange(QLineEdit* edit, int& error, long double minimum, long double maximum);

}  // namespace display
