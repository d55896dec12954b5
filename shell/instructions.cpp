#include "shell/instructions.h"

#include "platform/gui/system_services.h"
#include "platform/runtime/paths.h"

namespace shell {

void OpenProgramDocument(const char* name) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(rt::ResolvePath(name), ec);
    gui::System().OpenDocument((ec ? rt::ResolvePath(name) : path).string());
}

}  // namespace shell
