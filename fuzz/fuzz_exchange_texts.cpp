// Fuzzes the reading of the exchange texts "Scambi\Scambio22.txt" ..
// "Scambi\Scambio55.txt" by the computation of receptions and exchanges.
#include "engine/chart.h"
#include "engine/receptions.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Run(const std::vector<std::string>& files) {
    for (int k = 2; k <= 5; ++k) fuzz::PutFile(engine::ExchangeFile(k), files[k - 2]);
    // Placements that make mutual receptions of every size possible.
    const engine::Real charts[3][8] = {
        {0, 100, 40, 160, 10, 250, 70, 300},
        {0, 130, 95, 35, 215, 5, 350, 290},
        {0, 12, 45, 77, 130, 190, 250, 320},
    };
    engine::Chart chart;
    for (const auto& lon : charts) {
        for (int p = 1; p <= 7; ++p) chart.bodies[static_cast<engine::Body>(p - 1)].longitude = lon[p];
        static_cast<void>(engine::ComputeReceptions(chart));
    }
}
}  // namespace

KELVOR_FUZZ_FILES(4, Run)
