// Fuzzes the change dialog's reading of an archive: the index, data and
// annotation records ("BASE.ST1", "BASE.ST2", "BASE.ST3") listed, chosen and
// shown for editing, for each line of the name list.
#include "archive/archive_files.h"
#include "archive/change_dialog.h"
#include "archive/current_chart.h"
#include "engine/chart.h"
#include "fuzz/fuzz_driver.h"

namespace {
archive::ChangeDialog& Dialog() {
    static archive::CurrentChart current;
    static archive::ChangeDialog* dialog = [] {
        fuzz::EnsureWidgetApplication();
        return new archive::ChangeDialog(current);
    }();
    return *dialog;
}

void Run(const std::vector<std::string>& files) {
    archive::ChangeDialog& change = Dialog();
    fuzz::PutFile(archive::ArchiveFileName("BASE", ".ST1"), files[0]);
    fuzz::PutFile(archive::ArchiveFileName("BASE", ".ST2"), files[1]);
    fuzz::PutFile(archive::ArchiveFileName("BASE", ".ST3"), files[2]);
    fuzz::Guard([&] { change.ResetAndOpenArchive(); });
    for (int line = 0; line < 9; ++line) {
        fuzz::Guard([&] {
            change.ChooseLine(line);
            change.OpenChosen();
        });
        fuzz::Guard([&] { change.ShowList(); });
    }
}
}  // namespace

KELVOR_FUZZ_FILES(3, Run)
