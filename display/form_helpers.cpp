#include "display/form_helpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <string>

#include "display/font_mapping.h"
#include "display/wheel_state.h"
#include "engine/chart_state.h"
#include "platform/gui/field_state.h"
#include "platform/runtime/number_text.h"

namespace display {

FormPlacementState FormPlacement;

namespace {

std::string TrimBlanks(std::string s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

void Reject(QLineEdit* edit) {
    gui::SetFieldState(edit, gui::FieldState::Rejected);
    edit->clear();
}

}  // namespace

void RememberMainOrigin(QWidget* mainWindow) {
    QApplication::processEvents();
    if (!mainWindow) return;
    FormPlacement.MainFormTop = mainWindow->y();
    FormPlacement.MainFormLeft = mainWindow->x();
}

void PlaceNearMain(QWidget* window, int offset) {
    if (!window) return;
    const int top = FormPlacement.MainFormTop + FormPlacement.MainFormHeight - window->height() + offset;
    const int left = FormPlacement.MainFormLeft + FormPlacement.MainFormWidth - window->width() + offset;
    window->move(left, top);
}

void ValidateIntEdit(QLineEdit* edit, int minimum, int maximum, bool allowSign, int& ok) {
    gui::SetFieldState(edit, gui::FieldState::Valid);
    const std::string t = TrimBlanks(FromQString(edit->text()));
    if (allowSign && (t == "-" || t == "+")) return;
    int code = 0;
    const std::int32_t value = rt::ValInt(t, code);
    engine::Chart.EditIntValue = value;
    engine::Chart.ValErrorCode = code;
    if (code == 0 && !t.empty() && value >= minimum && value <= maximum) {
        if (FromQString(edit->text()) != t) edit->setText(ToQString(t));
        return;
    }
    Reject(edit);
    ok = 0;
    edit->setFocus();
}

void ParseFloatEdit(QLineEdit* edit, int& error) {
    std::string t = TrimBlanks(FromQString(edit->text()));
    std::replace(t.begin(), t.end(), ',', '.');
    int code = 0;
    const long double v = rt::ValReal(t, code);
    if (t.empty() && code == 0) code = 1;
    error = code;
    Wheel.WheelRotation = v;
    if (code != 0) return;
    std::replace(t.begin(), t.end(), '.', ',');
    const int caret = edit->cursorPosition();
    edit->setText(ToQString(t));
    edit->setCursorPosition(std::min(caret, static_cast<int>(t.size())));
}

void SetEditErrorColour(QLineEdit* edit, int error) {
    const QString text = edit->text();
    gui::SetFieldState(edit, error == 0 ? gui::FieldState::Valid : gui::FieldState::Rejected);
    if (edit->text() != text) edit->setText(text);
}

void CheckFloatEditRange(QLineEdit* edit, int& error, long double minimum, long double maximum) {
    if (error != 0) return;
    std::string t = TrimBlanks(FromQString(edit->text()));
    std::replace(t.begin(), t.end(), ',', '.');
    int code = 0;
    const long double v = rt::ValReal(t, code);
    if (code != 0 || t.empty() || v < minimum || v > maximum) {
        error = 1;
        Reject(edit);
    }
}

}  // namespace display
