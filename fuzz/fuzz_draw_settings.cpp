// Fuzzes the reading of the drawing settings "FileSet\MMVarLas.stt".
#include "archive/draw_settings_file.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(archive::kDrawSettingsFile, files[0]);
    archive::DrawSettings settings;
    fuzz::Guard([] { archive::ReplaceLegacyBackupLine(); });
    fuzz::PutFile(archive::kDrawSettingsFile, files[0]);
    settings.LoadOrCreate();
    settings.Text();
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
