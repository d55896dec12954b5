#include "archive/form_helpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>

#include "archive/record_checks.h"
#include "engine/chart.h"
#include "engine/position_text.h"
#include "platform/gui/field_state.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/number_text.h"

namespace archive {

std::optional<CheckedInteger> ValidateIntEdit(QLineEdit* edit, int minimum, int maximum, bool allowSign,
                                              unsigned char& ok) {
    gui::SetFieldState(edit, gui::FieldState::Valid);
    std::string t;
    engine::TrimBlanks(gui::FromQt(edit->text()), t);
    if (allowSign && (t == "-" || t == "+")) return std::nullopt;
    CheckedInteger checked;
    checked.value = rt::ValInt(t, checked.errorPosition);
    if (checked.errorPosition == 0 && !t.empty() && checked.value >= minimum && checked.value <= maximum) {
        if (edit->text() != gui::ToQt(t)) edit->setText(gui::ToQt(t));
        return checked;
    }
    gui::SetFieldState(edit, gui::FieldState::Rejected);
    ok = 0;
    edit->setFocus();
    return checked;
}

long double ParseFloatEdit(QLineEdit* edit, int& error) {
    std::string t;
    engine::TrimBlanks(gui::FromQt(edit->text()), t);
    for (char& c : t)
        if (c == ',') c = '.';
    long double v = rt::ValReal(t, error);
    if (t.empty() && error == 0) error = 1;
    if (error != 0) return v;
    for (char& c : t)
        if (c == '.') c = ',';
    int caret = edit->cursorPosition();
    edit->setText(gui::ToQt(t));
    edit->setCursorPosition(std::min(caret, static_cast<int>(t.size())));
    return v;
}

void SetEditErrorColour(QLineEdit* edit, int error) {
    const QString text = edit->text();  // the colour only: the text stays as typed
    gui::SetFieldState(edit, error == 0 ? gui::FieldState::Valid : gui::FieldState::Rejected);
    if (edit->text() != text) edit->setText(text);
}

void CheckFloatEditRange(QLineEdit* edit, int& error, long double minimum, long double maximum) {
    if (error != 0) return;
    std::string t = gui::FromQt(edit->text());
    for (char& c : t)
        if (c == ',') c = '.';
    int code = 0;
    long double v = rt::ValReal(t, code);
    if (code != 0 || t.empty() || v < minimum || v > maximum) {
        error = 1;
        gui::SetFieldState(edit, gui::FieldState::Rejected);
    }
}

void UpperCaseOnTyping(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) {
        if (t == t.toUpper()) return;
        int caret = edit->cursorPosition();
        edit->setText(t.toUpper());
        edit->setCursorPosition(caret);
    });
}

bool RefuseForeignCharacters(std::initializer_list<StoredTextField> fields) {
    for (const StoredTextField& f : fields) {
        const std::string problem = ForeignTextProblem(gui::ForeignCharacters(f.edit->text()), f.what);
        if (problem.empty()) continue;
        f.edit->setFocus();
        gui::ShowMessage(problem + ". Nessun dato registrato.");
        return true;
    }
    return false;
}

void RememberMainOrigin(QWidget* mainWindow, MainWindowGeometry& frame) {
    QApplication::processEvents();
    if (!mainWindow) return;
    frame.top = mainWindow->y();
    frame.left = mainWindow->x();
}

void PlaceNearMain(QWidget* window, int offset, const MainWindowGeometry& frame) {
    // A window sized by its contents takes that size before it is placed, so
    // its first opening lands where every later one does.
    if (!window->testAttribute(Qt::WA_Resized)) window->adjustSize();
    window->move(frame.left + frame.width - window->width() + offset,
                 frame.top + frame.height - window->height() + offset);
}

void KeepWholeOnScreen(QWidget* window) {
    constexpr int kAssumedTitleBar = 40;  // of a window not framed yet
    QRect outer = window->frameGeometry();
    if (outer.size() == window->size()) outer.setHeight(outer.height() + kAssumedTitleBar);
    const int x = std::clamp(outer.x(), 0, std::max(0, gui::System().ScreenWidth() - outer.width()));
    const int y = std::clamp(outer.y(), 0, std::max(0, gui::System().ScreenHeight() - outer.height()));
    if (x != outer.x() || y != outer.y()) window->move(x, y);  // the frame's place
}

}  // namespace archive
