#pragma once
// The main window's activation handler runs whenever the main window becomes
// the application's active window after another window of the program was:
// a modal dialog closing, the chart window (or any other modeless window)
// closing or being left for the main window. Leaving the program for another
// application and coming back is no activation, as the boxes the user
// unlocked stay unlocked then; nor is the return from a message box.
#include <functional>

class QWidget;

namespace shell {

// Calls `activate` (inside the handler guard) on each such activation of `window`.
void RunOnActivation(QWidget* window, std::function<void()> activate);

}  // namespace shell
