// Accuracy report of the body computation: a grid of instants from the year 1
// to 2130 (UT), every body compared with the precise ephemeris library; prints
// per body and era the largest and the mean error in longitude and latitude.
//
//   bench_accuracy [step-in-days]     (default 9.37 days)
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/bodies.h"
#include "engine/bodies_theory.h"
#include "engine/chart.h"
#include "platform/runtime/paths.h"

#ifdef KELVOR_HAVE_SWE
#include "tools/ephemeris_tables/precise_positions.h"

namespace {

using engine::Real;

struct Era {
    const char* name;
    double from, to;  // Julian days
};

// Julian days of 1 January 0h of the years (Julian calendar before 1582).
const Era kEras[] = {
    {"1-500", 1721423.5, 1903682.5},     {"500-1000", 1903682.5, 2086307.5},  {"1000-1500", 2086307.5, 2268923.5},
    {"1500-1800", 2268923.5, 2378496.5}, {"1800-1900", 2378496.5, 2415020.5}, {"1900-2000", 2415020.5, 2451544.5},
    {"2000-2130", 2451544.5, 2499373.5},
};
constexpr int kEraCount = sizeof(kEras) / sizeof(kEras[0]);

struct Stat {
    double maxLon = 0, sumLon = 0, maxLat = 0, sumLat = 0;
    long n = 0;
    void Add(double dLon, double dLat) {
        dLon = std::fabs(dLon);
        dLat = std::fabs(dLat);
        if (dLon > maxLon) maxLon = dLon;
        if (dLat > maxLat) maxLat = dLat;
        sumLon += dLon;
        sumLat += dLat;
        ++n;
    }
};

struct Row {
    std::string name;
    int body;
    bool trueNode, trueBlackMoon;
    Stat era[kEraCount];
};

}  // namespace

int main(int argc, char** argv) {
    const double step = argc > 1 ? std::atof(argv[1]) : 9.37;
    std::filesystem::current_path(rt::InstalledDataFolder());
    precise::Init();

    const char* names[] = {"",       "Sun",    "Moon",    "Mercury", "Venus", "Mars",  "Jupiter",
                           "Saturn", "Uranus", "Neptune", "Pluto",   "",      "",      "",
                           "",       "Ceres",  "Pallas",  "Juno",    "Vesta", "Chiron"};
    std::vector<Row> rows;
    for (int b = 1; b <= 10; ++b) rows.push_back({names[b], b, true, true, {}});
    rows.push_back({"true node", engine::kNode, true, true, {}});
    rows.push_back({"mean node", engine::kNode, false, false, {}});
    rows.push_back({"true black moon", engine::kBlackMoon, true, true, {}});
    rows.push_back({"mean black moon", engine::kBlackMoon, false, false, {}});
    for (int b = engine::kCeres; b <= engine::kChiron; ++b) rows.push_back({names[b], b, true, true, {}});

    for (double jd = 1721434.0; jd < 2499373.0; jd += step) {
        int era = 0;
        while (era < kEraCount - 1 && jd >= kEras[era].to) ++era;
        for (int pass = 0; pass < 2; ++pass) {
            engine::BodySettings settings;
            settings.trueNode = pass == 0;
            settings.trueBlackMoon = pass == 0;
            const engine::ComputedBodies computed = engine::ComputeBodies(0, false, jd, settings);
            for (Row& r : rows) {
                if (r.trueNode != (pass == 0)) continue;
                // The true black moon is corrected over its table's span only.
                if (r.body == engine::kBlackMoon && r.trueBlackMoon && (jd < 2396758.5 || jd >= 2488433.5)) continue;
                // Ceres to Chiron are kept by the charts (and corrected) over their span only.
                if (r.body >= engine::kCeres && r.body <= engine::kChiron &&
                    (jd < engine::kMinorCorrectionFrom || jd >= engine::kMinorCorrectionUntil))
                    continue;
                const precise::Position p = precise::At(jd, r.body, false, r.trueNode, r.trueBlackMoon);
                if (!p.ok) continue;
                const engine::BodyPosition& position = computed.bodies[engine::BodyOfNumber(r.body)];
                const double lon = static_cast<double>(position.longitude);
                const double lat = static_cast<double>(position.latitude);
                // The nodes and black moons carry no latitude in the engine.
                const bool noLat = r.body == engine::kNode || r.body == engine::kBlackMoon;
                r.era[era].Add(precise::AngleDiff(p.lon, lon) * 3600, noLat ? 0 : (p.lat - lat) * 3600);
            }
        }
    }

    std::printf("Errors against the precise ephemeris, arc seconds (grid step %.2f days)\n", step);
    std::printf("%-16s %-10s %8s %12s %12s %12s %12s\n", "body", "era", "samples", "max lon", "mean lon", "max lat",
                "mean lat");
    auto print = [](const std::string& name, const char* era, const Stat& s) {
        std::printf("%-16s %-10s %8ld %12.1f %12.2f %12.1f %12.2f\n", name.c_str(), era, s.n, s.maxLon, s.sumLon / s.n,
                    s.maxLat, s.sumLat / s.n);
    };
    for (const Row& r : rows) {
        Stat all;
        for (int e = 0; e < kEraCount; ++e) {
            const Stat& s = r.era[e];
            if (s.n == 0) continue;
            print(r.name, kEras[e].name, s);
            all.maxLon = std::max(all.maxLon, s.maxLon);
            all.maxLat = std::max(all.maxLat, s.maxLat);
            all.sumLon += s.sumLon;
            all.sumLat += s.sumLat;
            all.n += s.n;
        }
        if (all.n > 0) print(r.name, "all", all);
    }
    return 0;
}

#else
int main() {
    std::puts("The precise ephemeris library is not available: no accuracy report.");
    return 0;
}
#endif
