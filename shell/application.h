#pragma once
// Start of the program: data folder, shared state, windows, message loop.

namespace shell {

int RunApplication(int argc, char** argv);

}  // namespace shell
