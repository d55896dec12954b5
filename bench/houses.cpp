// House cusps of each system, the planetary-hour table and the sunrise search.
// The cusps run once per chart and once per pass of the sunrise search (up to
// 2001 passes): one computation should stay within some tens of microseconds,
// a whole sunrise search within a few milliseconds.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/chart_state.h"
#include "engine/houses.h"
#include "engine/planetary_hours.h"

namespace {

const char* const kSystems[] = {"PLACIDO",     "KOCH",       "REGIOMONT", "PORFIRIO", "CAMPANO",
                                "CASE_UGUALI", "CASE_MEDIE", "MORINO",    "ALCABIZIO"};

void BM_CuspsFromRamc(benchmark::State& state) {
    const std::string system = kSystems[state.range(0)];
    engine::CuspArray cusps{};
    long double ramc = 0;
    for (auto _ : state) {
        ramc += 13.7L;
        if (ramc >= 360) ramc -= 360;
        engine::CuspsFromRamc(system, ramc, 23.44L, 52.0L, cusps);
        benchmark::DoNotOptimize(cusps);
    }
    state.SetLabel(system);
}
BENCHMARK(BM_CuspsFromRamc)->DenseRange(0, 8);

void BM_HourBoundaries(benchmark::State& state) {
    engine::HourBoundaryTable table{};
    engine::ChartState chart;
    for (auto _ : state) {
        engine::ComputeHouseCusps(chart, {12, 29, "E", 41, 54, "N"}, {2447892.0L, 9, 30, -1, 0}, table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_HourBoundaries);

void BM_FindSunrise(benchmark::State& state) {
    engine::ChartState chart;
    chart.DegToRad = engine::kPi / 180;
    chart.HouseSystemName = "PLACIDO";
    chart.GregorianCalendar = true;
    chart.BirthDay = 21;
    chart.BirthMonth = 6;
    chart.BirthYear = 1995;
    chart.TimeZoneCorrection = -2;
    chart.LatitudeDegrees[1] = 41;
    chart.LatitudeMinutes[1] = 54;
    chart.LatitudeLetter[1] = "N";
    chart.LongitudeDegrees[1] = 12;
    chart.LongitudeMinutes[1] = 29;
    chart.LongitudeLetter[1] = "E";
    for (auto _ : state) {
        long double jd = 0;
        benchmark::DoNotOptimize(engine::FindSunrise(chart, jd));
        benchmark::DoNotOptimize(jd);
    }
}
BENCHMARK(BM_FindSunrise);

}  // namespace

BENCHMARK_MAIN();
