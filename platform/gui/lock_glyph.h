#pragma once
// The lock glyphs ("LockShut", "LockOpen") of the buttons that lock fields.
#include <QIcon>

class QAbstractButton;

namespace gui {

QIcon LockIcon(bool shut);
// Shows the glyph on the button and keeps its name in the "glyph" property.
void SetLockGlyph(QAbstractButton* button, bool shut);

}  // namespace gui
