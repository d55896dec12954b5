#pragma once
// Every modal showing goes through ShowModal; tests register what a dialog should do.
#include <QString>
#include <functional>
#include <map>

class QDialog;
class QWidget;

namespace gui {

// Result codes as the old platform's modal results.
enum ModalResult : int { kModalNone = 0, kModalOk = 1, kModalCancel = 2, kModalYes = 6, kModalNo = 7 };

// Shows the dialog modally and returns its result. With a handler installed for
// the dialog's objectName the handler runs instead (it may drive the dialog's
// controls and call further dialogs) and its result is returned.
int ShowModal(QDialog* dialog);

using ModalHandler = std::function<int(QDialog*)>;
void SetModalHandler(const QString& objectName, ModalHandler handler);
void ClearModalHandlers();
// When set, any dialog without its own handler is answered by this one.
void SetDefaultModalHandler(ModalHandler handler);
// Answers any dialog that nothing else answers; ClearModalHandlers keeps it
// (the test programs install one that fails the test instead of blocking).
void SetLastResortModalHandler(ModalHandler handler);

}  // namespace gui
