#pragma once
// The controls of the program's windows, made in one way: every control gets
// its object name (the name the windows' code and tests know it by), and every
// caption is a model string (Windows-1252) converted once, here. Long groups
// of controls are made from tables.
#include <initializer_list>
#include <string_view>

#include <qnamespace.h>

class QColor;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace gui {

QLabel* MakeLabel(QWidget* parent, const char* name, std::string_view caption);
// An edit of at most maxLength characters.
QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength = 32767);
QPushButton* MakeButton(QWidget* parent, const char* name, std::string_view caption);
QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, bool readOnly = false);
QRadioButton* MakeRadio(QWidget* parent, const char* name, std::string_view caption);
// A plain frame that holds other controls.
QFrame* MakePanel(QWidget* parent, const char* name);
// A raised panel filled with its colour.
QFrame* MakeRaisedPanel(QWidget* parent, const char* name, const QColor& colour);
QListWidget* MakeList(QWidget* parent, const char* name);
QComboBox* MakeComboBox(QWidget* parent, const char* name);
QScrollBar* MakeScrollBar(QWidget* parent, const char* name, Qt::Orientation orientation);

// A row of a table of buttons: where the window keeps it, its name, its caption.
struct ButtonRow {
    QPushButton** slot;
    const char* name;
    const char* caption;
};
// Makes every button of the table, in its order.
void MakeButtons(QWidget* parent, std::initializer_list<ButtonRow> rows);

}  // namespace gui
