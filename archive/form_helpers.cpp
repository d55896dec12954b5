#include "archive/form_helpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

#include "engine/chart_state.h"
#include "engine/position_text.h"
#include "platform/gui/field_state.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/number_text.h"

namespace archive {

MainFormGeometry MainForm;

void ValidateIntEdit(QLineEdit* edit, int minimum, int maximum, bool allowSign, unsigned char& ok) {
    gui::SetFieldState(edit, gui::FieldState::Valid);
    std::string t;
    engine::TrimBlanks(gui::FromQt(edit->text()), t);
    if (allowSign && (t == "-" || t == "+")) return;
    int code = 0;
    int value = rt::ValInt(t, code);
    engine::Chart.EditIntValue = value;
    engine::Chart.ValErrorCode = code;
    if (code == 0 && value >= minimum && value <= maximum) {
        if (edit->text() != gui::ToQt(t)) edit->setText(gui::ToQt(t));
        return;
    }
    gui::SetFieldState(edit, gui::FieldState::Rejected);
    ok = 0;
    edit->setFocus();
}

long double ParseFloatEdit(QLineEdit* edit, int& error) {
    std::string t;
    engine::TrimBlanks(gui::FromQt(edit->text()), t);
    for (char& c : t)
        if (c == ',') c = '.';
    long double v = rt::ValReal(t, error);
    if (error != 0) return v;
    for (char& c : t)
        if (c == '.') c = ',';
    int caret = edit->cursorPosition();
    edit->setText(gui::ToQt(t));
    edit->setCursorPosition(std::min(caret, static_cast<int>(t.size())));
    return v;
}

void SetEditErrorColour(QLineEdit* edit, int error) {
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, error == 0 ? QColor(0, 255, 255) : QColor(255, 0, 0));
    edit->setAutoFillBackground(true);
    edit->setPalette(pal);
    edit->setProperty("fieldState", error == 0 ? "valid" : "rejected");
}

void CheckFloatEditRange(QLineEdit* edit, int& error, long double minimum, long double maximum) {
    if (error != 0) return;
    std::string t = gui::FromQt(edit->text());
    for (char& c : t)
        if (c == ',') c = '.';
    int code = 0;
    long double v = rt::ValReal(t, code);
    if (code != 0 || v < minimum || v > maximum) {
        error = 1;
        gui::SetFieldState(edit, gui::FieldState::Rejected);
    }
}

void RememberMainOrigin(QWidget* mainWindow) {
    QApplication::processEvents();
    MainForm.MainFormTop = mainWindow->y();
    MainForm.MainFormLeft = mainWindow->x();
    MainForm.MainFormWidth = mainWindow->width();
    MainForm.MainFormHeight = mainWindow->height();
}

void PlaceNearMain(QWidget* window, int offset) {
    window->move(MainForm.MainFormLeft + MainForm.MainFormWidth - window->width() + offset,
                 MainForm.MainFormTop + MainForm.MainFormHeight - window->height() + offset);
}

}  // namespace archive
