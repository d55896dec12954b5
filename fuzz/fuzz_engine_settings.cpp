// Fuzzes the reading of the engine settings "FileSet\OrbiDomi.stt".
#include <filesystem>

#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "fuzz/fuzz_driver.h"
#include "platform/runtime/paths.h"

namespace {
void Run(const std::vector<std::string>& files) {
    // The copies of damaged files of earlier inputs, which would pile up.
    std::error_code ec;
    std::filesystem::remove_all(rt::ResolvePath("FileSet"), ec);
    fuzz::PutFile(engine::kEngineSettingsFile, files[0]);
    engine::ChartSettings settings;
    engine::OrbRecord orbs;
    engine::LoadEngineSettings(settings, orbs, [](const std::string&) {});
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
