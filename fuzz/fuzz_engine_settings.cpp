// Fuzzes the reading of the engine settings "FileSet\OrbiDomi.stt".
#include "engine/engine_settings.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(engine::kOrbiDomiFile, files[0]);
    engine::LoadOrbiDomiSettings();
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
