// Fuzzes the counter of the people's texts "BASEtxt\FlagTxt.set" and the
// annotations "BASE.ST3" whose text numbers its repair looks at, as the store
// with a text reads them.
#include <filesystem>

#include "archive/archive_files.h"
#include "fuzz/fuzz_driver.h"
#include "platform/runtime/paths.h"

namespace {
void Run(const std::vector<std::string>& files) {
    std::error_code ec;
    std::filesystem::remove_all(rt::ResolvePath("BASEtxt"), ec);
    fuzz::PutFile("BASEtxt\\FlagTxt.set", files[0]);
    fuzz::PutFile("BASEtxt\\00003.txt", "ROSSI\r\n");
    fuzz::PutFile(archive::ArchiveFileName("BASE", ".ST3"), files[1]);
    fuzz::Guard([] { archive::HighestTextNumberInUse("BASE"); });
    fuzz::Guard([] { archive::CreateNumberedTextFile("BASE", "VERDI GIUSEPPE"); });
    fuzz::Guard([] { archive::CreateNumberedTextFile("BASE", "BIANCHI"); });
}
}  // namespace

KELVOR_FUZZ_FILES(2, Run)
