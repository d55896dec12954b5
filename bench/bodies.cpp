// Timing of the body computation of a whole chart with retrograde marks, and
// beside it the precise ephemeris library computing the same bodies twice (the
// chart moment and a moment later, as the retrograde rule does).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "engine/bodies.h"
#include "engine/chart.h"
#include "platform/runtime/paths.h"

#ifdef KELVOR_HAVE_SWE
#include "tools/ephemeris_tables/precise_positions.h"
#endif

namespace {

// The true node and black moon, the Ascendant at 100 degrees.
engine::BodySettings PrepareSettings() {
    std::filesystem::current_path(rt::InstalledDataFolder());
    engine::BodySettings settings;
    settings.trueNode = true;
    settings.trueBlackMoon = true;
    settings.ascendant = 100;
    settings.descendant = 280;
    return settings;
}

void BM_ComputeBodiesWithRetro(benchmark::State& state) {
    const engine::BodySettings settings = PrepareSettings();
    double jd = 2447892.5;
    for (auto _ : state) {
        const engine::ComputedBodies bodies = engine::ComputeBodiesWithRetro(0, jd, settings);
        benchmark::DoNotOptimize(bodies);
        jd += 0.37;
    }
}
BENCHMARK(BM_ComputeBodiesWithRetro)->Unit(benchmark::kMicrosecond);

void BM_ComputeBodiesOnce(benchmark::State& state) {
    const engine::BodySettings settings = PrepareSettings();
    double jd = 2447892.5;
    for (auto _ : state) {
        const engine::ComputedBodies bodies = engine::ComputeBodies(0, false, jd, settings);
        benchmark::DoNotOptimize(bodies);
        jd += 0.37;
    }
}
BENCHMARK(BM_ComputeBodiesOnce)->Unit(benchmark::kMicrosecond);

#ifdef KELVOR_HAVE_SWE
void BM_PreciseSameBodiesTwice(benchmark::State& state) {
    precise::Init();
    const int bodies[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17, 18, 19};
    double jd = 2447892.5;
    for (auto _ : state) {
        for (double t : {jd + 0.001, jd}) {
            for (int b : bodies) {
                const precise::Position p = precise::At(t, b);
                benchmark::DoNotOptimize(p);
            }
        }
        jd += 0.37;
    }
}
BENCHMARK(BM_PreciseSameBodiesTwice)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace

BENCHMARK_MAIN();
