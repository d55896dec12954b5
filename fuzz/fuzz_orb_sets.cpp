// Fuzzes the reading of the three orb sets "FileDum\MMVarOrb.dum", with the
// repair of a damaged file (its copy kept, the readable values written back).
#include <filesystem>

#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "fuzz/fuzz_driver.h"
#include "platform/runtime/paths.h"

namespace {
void Run(const std::vector<std::string>& files) {
    // The copies of damaged files of earlier inputs, which would pile up.
    std::error_code ec;
    std::filesystem::remove_all(rt::ResolvePath("FileDum"), ec);
    fuzz::PutFile(engine::kOrbSetsFile, files[0]);
    engine::OrbRecord orbs;
    fuzz::Guard([&orbs] { engine::LoadOrbSets(orbs, [](const std::string&) {}); });
    fuzz::Guard(
        [&orbs] { engine::LoadOrbSets(orbs, [](const std::string&) {}); });  // the repaired file reads back quietly
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
