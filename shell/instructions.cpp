#include "shell/instructions.h"

#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/win1252.h"

namespace shell {

std::string NoViewerMessage(const std::string& path) {
    return "Geen PDF-lezer kon het bestand openen:\n" + rt::Utf8ToCp1252(path) +
           "\nIs er een PDF-lezer ge\xEFnstalleerd?";
}

void OpenProgramDocument(const char* name) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(rt::ResolvePath(name), ec);
    const std::string file = (ec ? rt::ResolvePath(name) : path).string();
    gui::System().OpenDocument(file, [file] { gui::Guard([&] { gui::ShowMessage(NoViewerMessage(file)); }); });
}

}  // namespace shell
