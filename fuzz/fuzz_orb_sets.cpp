// Fuzzes the reading of the three orb sets "FileDum\MMVarOrb.dum".
#include "engine/engine_settings.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(engine::kOrbSetsFile, files[0]);
    engine::LoadOrbSets();
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
