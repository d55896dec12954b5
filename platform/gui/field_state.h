#pragma once
// Input fields show their state by colour, and keep it in the "fieldState" property
// for tests: aqua valid, red rejected (also emptied), teal with white text computed.
#include <QString>

class QLineEdit;
class QWidget;

namespace gui {

enum class FieldState { Valid, Rejected, Computed };

void SetFieldState(QWidget* field, FieldState state);
FieldState GetFieldState(const QWidget* field);
QString FieldStateName(FieldState state);
// A rejected field turns valid again when the user edits it.
void ClearRejectionOnEdit(QLineEdit* edit);

}  // namespace gui
