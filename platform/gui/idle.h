#pragma once
// The application's one idle handler: run when the event loop has nothing to do.
#include <functional>

namespace gui {

void SetIdleHandler(std::function<void()> handler);
void ClearIdleHandler();
bool HasIdleHandler();
// Runs the installed handler once (the event loop calls this; tests call it by hand).
void RunIdleHandler();
// Hooks RunIdleHandler to the running event loop (called once at start).
void InstallIdleHook();

}  // namespace gui
