#pragma once
// The controls of the program's windows, made in one way: every control gets
// its object name (the name the windows' code and tests know it by), and every
// caption is a model string (Windows-1252) converted once, here. Long groups
// of controls are made from tables. A window laid out at fixed positions puts
// each control at its place (`Place`); a window with layouts adds them there.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <qnamespace.h>

class QCheckBox;
class QColor;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;
class QWidget;

namespace gui {

QLabel* MakeLabel(QWidget* parent, const char* name, std::string_view caption);
// An edit of at most maxLength characters.
QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength = 32767);
// An edit that shows a text the user cannot change.
QLineEdit* MakeReadOnlyEdit(QWidget* parent, const char* name, int maxLength = 32767);
// A button of Qt's own kind: in a dialog, Enter presses the focused button.
QPushButton* MakeButton(QWidget* parent, const char* name, std::string_view caption);
// A button only a click (or the space bar) presses: Enter never does.
QPushButton* MakeClickOnlyButton(QWidget* parent, const char* name, std::string_view caption);
QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, bool readOnly = false);
QRadioButton* MakeRadio(QWidget* parent, const char* name, std::string_view caption);
QCheckBox* MakeCheckBox(QWidget* parent, const char* name, std::string_view caption);
QListWidget* MakeList(QWidget* parent, const char* name);
QComboBox* MakeCombo(QWidget* parent, const char* name);
// A plain frame that holds other controls.
QFrame* MakePanel(QWidget* parent, const char* name);
// A raised panel filled with its colour.
QFrame* MakeRaisedPanel(QWidget* parent, const char* name, const QColor& colour);
QScrollBar* MakeScrollBar(QWidget* parent, const char* name, Qt::Orientation orientation);
// An area without a frame of its own that holds other controls.
QWidget* MakeArea(QWidget* parent, const char* name);
// A framed group with its title.
QGroupBox* MakeGroup(QWidget* parent, const char* name, std::string_view title);

// The old forms' up-and-down spin button: two arrow buttons stacked in a small
// area, named "<name>", "<name>Up" and "<name>Down".
struct SpinArrows {
    QWidget* box = nullptr;
    QToolButton* up = nullptr;
    QToolButton* down = nullptr;
};
SpinArrows MakeSpinButton(QWidget* parent, const char* name);

// The control's font made bold.
void SetBold(QWidget* control);

// Where a control stands in a window laid out at fixed positions, in pixels.
struct At {
    int x, y, width, height;
};
// A width that makes a label as wide as its caption.
inline constexpr int kCaptionWidth = -1;
void SetPlace(QWidget* control, At at);
// Puts the control at its place and hands it back.
template <class Control>
Control* Place(Control* control, At at) {
    SetPlace(control, at);
    return control;
}

// A row of a table of buttons: where the window keeps it, its name, its caption.
struct PushButtonRow {
    QPushButton** slot;
    const char* name;
    const char* caption;
};
// Makes every button of the table, in its order.
void MakeButtons(QWidget* parent, std::initializer_list<PushButtonRow> rows);
// The same with buttons only a click presses.
void MakeClickOnlyButtons(QWidget* parent, std::initializer_list<PushButtonRow> rows);

// A row of a table of buttons at fixed positions.
struct PlacedButtonRow {
    QPushButton** slot;
    const char* name;
    const char* caption;
    At at;
};
// Makes every button of the table, only a click pressing it, at its place.
void PlaceClickOnlyButtons(QWidget* parent, std::initializer_list<PlacedButtonRow> rows);

// A row of a table of labelled edits: where the window keeps the edit, its
// name, the caption of its label, its greatest length.
struct LabelledEditRow {
    QLineEdit** slot;
    const char* name;
    const char* label;
    int maxLength = 32767;
};
// The name of the label of a labelled edit: "Lab" and the edit's name.
std::string NameOfEditLabel(const char* editName);
// Where a labelled edit stands on its grid row: the label in column `label`,
// the edit in the next `editSpan` columns.
struct LabelledEditColumns {
    int label = 0;
    int editSpan = 1;
};
// Makes the label and the edit of the row and puts them on the grid's row
// `gridRow`, in the columns given.
QLineEdit* AddLabelledEdit(QGridLayout* grid, QWidget* parent, const LabelledEditRow& row, int gridRow,
                           LabelledEditColumns columns = {});
// Makes the label and the edit of every row, in its order, and puts each pair
// on a row of the grid from `firstRow` on, in the columns given. Returns the
// grid row after the last.
int AddLabelledEdits(QGridLayout* grid, QWidget* parent, std::initializer_list<LabelledEditRow> rows, int firstRow,
                     LabelledEditColumns columns = {});

// A row of a table of radio buttons: its name and caption.
struct RadioRow {
    const char* name;
    const char* caption;
};
// A row of a table of radio buttons the window keeps: where, its name, its caption.
struct RadioSlotRow {
    QRadioButton** slot;
    const char* name;
    const char* caption;
};
// Makes the radio buttons of the table one under the other in a window laid
// out at fixed positions: the first at `first`, each next `step` pixels lower.
void PlaceRadioColumn(QWidget* parent, std::initializer_list<RadioSlotRow> rows, At first, int step);
// A group named `name` holding a radio button for each row, filled down
// columns of `rowsPerColumn`; the buttons are appended to `made` in their order.
QGroupBox* MakeRadioGroup(QWidget* parent, const char* name, std::string_view title, const std::vector<RadioRow>& rows,
                          int rowsPerColumn, std::vector<QRadioButton*>& made);

}  // namespace gui
