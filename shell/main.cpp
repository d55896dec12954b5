#include <iostream>

#include "shell/application.h"
#include "shell/command_line.h"

int main(int argc, char** argv) {
    // An option (--help, --import-signatures) runs without the windows.
    if (const auto status = shell::RunCommandLineOption(argc, argv, std::cout, std::cerr)) return *status;
    return shell::RunApplication(argc, argv);
}
