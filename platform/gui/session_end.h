#pragma once
// What the end of the desktop session (SIGTERM, SIGHUP) or Ctrl+C does to the
// windows: nothing may keep the program running, whatever box, dialog or panel
// is open. A window never asks then: what it holds unsaved is dropped, and the
// files stay as they were last saved.
#include "platform/gui/message_box.h"

namespace gui {

// The answer the close button of a box gives: Ok, Cancel, or No where there
// is no Cancel.
int CloseButtonAnswer(Buttons buttons);

// Closes every box and dialog that is open, the modal ones innermost first,
// without asking anything: a message box answered as its close button answers
// it, a dialog closed as cancelled (its own close still runs), and one that
// would ask first (unsaved changes) or keep itself open (a value it cannot
// take) closed all the same, dropping what it holds.
void CloseDialogsUnasked();

}  // namespace gui
