// A whole chart as the program computes it for a person (the Placidus houses,
// then every body with its retrograde mark) side by side with the precise
// ephemeris library computing the same 17 bodies at the same two moments (the
// chart's and the retrograde rule's a moment later). Both run over the same
// dates in alternating blocks of one process, so a machine busy with other
// work slows both alike; the program prints the time of each per chart and the
// median of the blocks' ratios. Then a year of daily charts against one chart:
// nothing a chart leaves behind may make the next one dearer.
//
//   bench_chart [blocks]     (default 61)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "engine/chart.h"
#include "engine/chart_computation.h"
#include "engine/engine_settings.h"
#include "engine/houses.h"
#include "platform/runtime/paths.h"

#ifdef KELVOR_HAVE_SWE
#include "tools/ephemeris_tables/precise_positions.h"

namespace {

using Clock = std::chrono::steady_clock;
using engine::Real;

constexpr int kDates = 256;
constexpr double kFirstDate = 2447892.5;  // 1 January 1990, 0h UT
constexpr double kDateStep = 0.37;        // days: every hour of the day in turn

// Rome, clock time = UT + 1, Placidus houses, the true node and black moon.
struct Person {
    engine::Moment moment;
    engine::Place place;
    engine::ChartSettings settings;
};

Person PersonInRome() {
    Person p;
    p.settings.houseSystem = engine::ParseHouseSystem("PLACIDO");
    p.settings.node = engine::ParseNodeKind("VERO");
    p.settings.blackMoon = engine::ParseBlackMoonKind("VERA");
    p.moment.zoneCorrection = -1;
    p.moment.gregorian = true;
    p.place = engine::PlaceOf({12, 29, "E", 41, 54, "N"});
    return p;
}

// The chart of the UT moment jd: the clock's hour and minute of the moment,
// the houses, the bodies and their retrograde flags.
engine::Chart WholeChart(const Person& person, double jd) {
    const double clockMinutes = (jd + 0.5 + 1.0 / 24 - std::floor(jd + 0.5 + 1.0 / 24)) * 1440;
    const int minutes = static_cast<int>(clockMinutes);
    engine::Moment moment = person.moment;
    moment.julianDay = jd;
    moment.hour = minutes / 60;
    moment.minute = minutes % 60;
    return engine::ComputeChart(moment, person.place, person.settings);
}

const int kPreciseBodies[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17, 18, 19};

double PreciseBodies(double jd) {
    double sum = 0;
    for (double t : {jd + 0.001, jd})
        for (int b : kPreciseBodies) sum += precise::At(t, b).lon;
    return sum;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

volatile double gSink = 0;  // keeps the results alive

// Seconds for the engine's whole charts at every date.
double EngineBlock(const Person& person, const std::vector<double>& dates) {
    const auto start = Clock::now();
    double sum = 0;
    for (double jd : dates) sum += static_cast<double>(WholeChart(person, jd).points.midheaven);
    const double seconds = Seconds(Clock::now() - start);
    gSink = gSink + sum;
    return seconds;
}

double PreciseBlock(const std::vector<double>& dates) {
    const auto start = Clock::now();
    double sum = 0;
    for (double jd : dates) sum += PreciseBodies(jd);
    gSink = gSink + sum;
    return Seconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
    const int blocks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 61;
    std::filesystem::current_path(rt::InstalledDataFolder());
    precise::Init();
    const Person person = PersonInRome();

    std::vector<double> dates;
    for (int i = 0; i < kDates; ++i) dates.push_back(kFirstDate + kDateStep * i);
    // Warm up both: the correction tables loaded, the library's files open.
    EngineBlock(person, dates);
    PreciseBlock(dates);

    std::vector<double> engineTimes, preciseTimes, ratios;
    for (int b = 0; b < blocks; ++b) {
        // Each goes first in every other block.
        double e = 0, p = 0;
        if (b % 2 == 0) {
            e = EngineBlock(person, dates);
            p = PreciseBlock(dates);
        } else {
            p = PreciseBlock(dates);
            e = EngineBlock(person, dates);
        }
        engineTimes.push_back(e);
        preciseTimes.push_back(p);
        ratios.push_back(e / p);
    }
    std::vector<double> sorted = ratios;
    std::sort(sorted.begin(), sorted.end());
    const double perChart = 1e6 / kDates;
    std::printf(
        "Whole chart (Placidus houses, bodies with retrograde marks) against the precise library's\n"
        "17 bodies at the same two moments: %d blocks of %d dates\n",
        blocks, kDates);
    std::printf("  engine  %8.2f us a chart (median of the blocks)\n", Median(engineTimes) * perChart);
    std::printf("  library %8.2f us a chart (median of the blocks)\n", Median(preciseTimes) * perChart);
    std::printf("  ratio engine / library: median %.3f (blocks from %.3f to %.3f, middle half %.3f to %.3f)\n",
                Median(ratios), sorted.front(), sorted.back(), sorted[sorted.size() / 4],
                sorted[(3 * sorted.size()) / 4]);

    // A year of daily charts against one chart: every fifth day's chart
    // computed five times in a row (365 charts too), the cost of one chart of
    // the year when no other chart comes between; alternately. Then the same
    // year again after a hundred years of daily charts more.
    std::vector<double> year, repeated;
    for (int d = 0; d < 365; ++d) year.push_back(kFirstDate + d + 0.4);
    for (int d = 0; d < 365; d += 5) repeated.insert(repeated.end(), 5, year[d]);

    std::vector<double> yearTimes, oneTimes, yearRatios;
    auto yearAgainstOne = [&](int count) {
        for (int b = 0; b < count; ++b) {
            double y = 0, one = 0;
            if (b % 2 == 0) {
                y = EngineBlock(person, year);
                one = EngineBlock(person, repeated) / repeated.size();
            } else {
                one = EngineBlock(person, repeated) / repeated.size();
                y = EngineBlock(person, year);
            }
            yearTimes.push_back(y);
            oneTimes.push_back(one);
            yearRatios.push_back(y / one);
        }
    };
    yearAgainstOne(blocks);
    std::printf(
        "A year of daily charts: %.2f ms, %.1f times one chart (%.2f us, every fifth day's chart\n"
        "  computed five times in a row; medians of %d blocks each, alternately)\n",
        Median(yearTimes) * 1e3, Median(yearRatios), Median(oneTimes) * 1e6, blocks);
    std::vector<double> century;
    for (int d = 0; d < 36525; ++d) century.push_back(kFirstDate - 36525 + d + 0.4);
    EngineBlock(person, century);
    yearTimes.clear();
    oneTimes.clear();
    yearRatios.clear();
    yearAgainstOne(blocks);
    std::printf("The same after a hundred years of daily charts more: %.2f ms, %.1f times one chart\n",
                Median(yearTimes) * 1e3, Median(yearRatios));
    return 0;
}

#else
int main() {
    std::puts("The precise ephemeris library is not available: no paired timing.");
    return 0;
}
#endif
