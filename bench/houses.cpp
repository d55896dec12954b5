// House cusps of each system, the planetary-hour table and the sunrise search.
// The cusps run once per chart and once per pass of the sunrise search (up to
// 2001 passes): one computation should stay within some tens of microseconds,
// a whole sunrise search within a few milliseconds.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "engine/houses.h"
#include "engine/planetary_hours.h"

namespace {

const char* const kSystems[] = {"PLACIDO",     "KOCH",       "REGIOMONT", "PORFIRIO", "CAMPANO",
                                "CASE_UGUALI", "CASE_MEDIE", "MORINO",    "ALCABIZIO"};

void BM_CuspsFromRamc(benchmark::State& state) {
    const std::string system = kSystems[state.range(0)];
    const engine::HouseSystem houseSystem = engine::ParseHouseSystem(system).kind;
    engine::HouseCusps cusps;
    long double ramc = 0;
    for (auto _ : state) {
        ramc += 13.7L;
        if (ramc >= 360) ramc -= 360;
        engine::CuspsFromRamc(houseSystem, {ramc, 23.44L, 52.0L}, cusps);
        benchmark::DoNotOptimize(cusps);
    }
    state.SetLabel(system);
}
BENCHMARK(BM_CuspsFromRamc)->DenseRange(0, 8);

void BM_HourBoundaries(benchmark::State& state) {
    const engine::Place rome = engine::PlaceOf({12, 29, "E", 41, 54, "N"});
    for (auto _ : state) {
        const engine::HourBoundaries boundaries = engine::ComputeHourBoundaries(rome, {2447892.0L, 9, 30, -1, 0});
        benchmark::DoNotOptimize(boundaries);
    }
}
BENCHMARK(BM_HourBoundaries);

void BM_FindSunrise(benchmark::State& state) {
    engine::Chart chart;
    chart.settings.houseSystem = engine::ParseHouseSystem("PLACIDO");
    chart.moment.gregorian = true;
    chart.moment.day = 21;
    chart.moment.month = 6;
    chart.moment.year = 1995;
    chart.moment.zoneCorrection = -2;
    chart.place = engine::PlaceOf({12, 29, "E", 41, 54, "N"});
    for (auto _ : state) {
        const engine::Sunrise sunrise = engine::FindSunrise(chart);
        benchmark::DoNotOptimize(sunrise);
    }
}
BENCHMARK(BM_FindSunrise);

}  // namespace

BENCHMARK_MAIN();
