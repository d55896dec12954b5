// Fuzzes the recall of a person: the recall dialog reads the archive's index,
// data and annotation records ("BASE.ST1", "BASE.ST2", "BASE.ST3"), loads the
// chosen person, makes a sound one current ("TMPR.ST1", "TMPR.ST2") and the
// main window's loader reads it back.
#include "archive/archive_files.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "archive/recall_dialog.h"
#include "engine/chart.h"
#include "fuzz/fuzz_driver.h"

namespace {
// The current person the recall makes and the loader reads back.
archive::CurrentChart& Current() {
    static archive::CurrentChart current;
    return current;
}

archive::RecallDialog& Dialog() {
    static archive::RecallDialog* dialog = [] {
        fuzz::EnsureWidgetApplication();
        return new archive::RecallDialog(Current());
    }();
    return *dialog;
}

void Run(const std::vector<std::string>& files) {
    archive::RecallDialog& recall = Dialog();
    fuzz::PutFile(archive::ArchiveFileName("BASE", ".ST1"), files[0]);
    fuzz::PutFile(archive::ArchiveFileName("BASE", ".ST2"), files[1]);
    fuzz::PutFile(archive::ArchiveFileName("BASE", ".ST3"), files[2]);
    fuzz::Guard([] { archive::EnsureCurrentPersonFiles(); });
    fuzz::Guard([&] { recall.ResetAndOpenArchive(); });
    for (int line = 0; line < 9; ++line) {
        fuzz::Guard([&] {
            recall.ChooseLine(line);
            recall.LoadChosenPerson();
            if (recall.loaded) recall.MakeLoadedPersonCurrent();
        });
        fuzz::Guard([] { archive::LoadCurrentPersonForShow(Current()); });
    }
    fuzz::Guard([&] { recall.HandOffChosenEntryAndCloseArchive(); });
}
}  // namespace

KELVOR_FUZZ_FILES(3, Run)
