// Fuzzes the small text files the program reads back: the chart metafiles'
// orientations "Emf\TipGraf.Set", the user's name "FileTmp\Personal.Tmp", the
// editor hand-off "FileDum\DatModif.dum" and the file it names, the date of
// the last backup, the list of changed archives "FileDum\MMordina.dum" and the
// sheet's terms texts ("OpzioneT\PosiPian.txt", "OpzioneT\KlvPianCan.Txt").
#include <filesystem>

#include "archive/archive_files.h"
#include "archive/backup.h"
#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "display/draw/recording_surface.h"
#include "display/sheets/sheet_terms.h"
#include "fuzz/fuzz_driver.h"
#include "shell/rich_text_file.h"
#include "shell/user_name.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(display::kOrientationFile, files[0]);
    fuzz::Guard([] { display::ReadChartOrientations(); });
    fuzz::Guard([] {
        display::DrawingState drawing;
        display::ApplyChartOrientation(drawing, "Grafico1.emf", nullptr);
    });

    fuzz::PutFile(shell::kUserNameFile, files[1]);
    fuzz::Guard([] {
        shell::UserNameState name;
        shell::LoadUserName(name);
    });

    fuzz::PutFile(archive::kEditFileHandOff, files[2]);
    fuzz::PutFile("BASEtxt\\00001.txt", files[2]);
    fuzz::Guard([] { shell::ReadEditFileHandOff(); });
    fuzz::Guard([] { shell::LoadPlainText(std::filesystem::current_path() / "BASEtxt" / "00001.txt"); });

    fuzz::PutFile(archive::kLastBackupFile, files[3]);
    fuzz::Guard([] { archive::LastBackupDate(std::filesystem::current_path()); });
    fuzz::PutFile(archive::kModifiedArchivesFile, files[3]);
    fuzz::Guard([] { archive::MarkArchiveModified("BASE"); });

    fuzz::PutFile(display::kSheetPositionFile, files[4]);
    fuzz::PutFile(display::kTermsTextFile, files[5]);
    fuzz::Guard([] {
        display::RecordingSurface s;
        display::DrawTermsBlock(s, 10, 10);
    });
}
}  // namespace

KELVOR_FUZZ_FILES(6, Run)
