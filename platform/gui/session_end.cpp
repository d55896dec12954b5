#include "platform/gui/session_end.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <vector>

namespace gui {

int CloseButtonAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok: return kAnswerOk;
        case Buttons::YesNo: return kAnswerNo;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel: return kAnswerCancel;
    }
    return kAnswerCancel;
}

namespace {

void CloseUnasked(QWidget* window) {
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
        const auto buttons = box->standardButtons();
        box->done(buttons & QMessageBox::Cancel ? QMessageBox::Cancel
                  : buttons & QMessageBox::No   ? QMessageBox::No
                                                : QMessageBox::Ok);
    } else if (auto* dialog = qobject_cast<QDialog*>(window)) {
        // done, not reject: a dialog's reject is where it asks about unsaved
        // changes. Its own done still lets go of what it holds.
        dialog->done(QDialog::Rejected);
        // A dialog that keeps itself open (a value it cannot take) is closed
        // as Qt closes any dialog; what it holds is not saved.
        if (dialog->isVisible()) dialog->QDialog::done(QDialog::Rejected);
    } else {
        window->close();
    }
    if (window->isVisible()) window->hide();
}

}  // namespace

void CloseDialogsUnasked() {
    // The modal ones first, each ending the event loop of its showing.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        CloseUnasked(modal);
        if (QApplication::activeModalWidget() == modal) break;
    }
    // Then the dialogs open beside the main window (a text editor).
    std::vector<QPointer<QWidget>> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<QDialog*>(w)) open.emplace_back(w);
    for (const QPointer<QWidget>& w : open)
        if (w && w->isVisible()) CloseUnasked(w);
}

}  // namespace gui
