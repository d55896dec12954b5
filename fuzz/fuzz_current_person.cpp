// Fuzzes the loading of the current person: "TMPR" (ST1, ST2, ST3) and the
// hand-offs "FileDum\Annotaz.dum" and "FileDum\StrText.dum", as the main
// window shows it.
#include "archive/archive_files.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Run(const std::vector<std::string>& files) {
    archive::CurrentChart current;
    fuzz::PutFile(archive::ArchiveFileName("TMPR", ".ST1"), files[0]);
    fuzz::PutFile(archive::ArchiveFileName("TMPR", ".ST2"), files[1]);
    fuzz::PutFile(archive::ArchiveFileName("TMPR", ".ST3"), files[2]);
    fuzz::PutFile(archive::kAnnotationHandOff, files[3]);
    fuzz::PutFile(archive::kTextHandOff, files[4]);
    fuzz::Guard([&] { archive::LoadCurrentPersonForShow(current); });
}
}  // namespace

KELVOR_FUZZ_FILES(5, Run)
