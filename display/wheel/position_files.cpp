#include "display/wheel/position_files.h"

#include "archive/current_chart.h"
#include "display/wheel/wheel_state.h"
#include "engine/angles.h"
#include "engine/position_text.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"

namespace display {

using engine::Real;

const ChartPointTable<const char*> kPointKeys3 = {
    {"Sol", "Lun", "Mer", "Ven", "Mar", "Gio", "Sat", "Non", "Nos", "Asc", "Mci"}};
const ChartPointTable<const char*> kPointCodes2 = {{"SO", "LU", "ME", "VE", "MA", "GI", "SA", "NN", "NS", "AS", "MC"}};
const engine::SignTable<const char*> kSignCodes = {
    {"Ar", "To", "Ge", "Cn", "Le", "Ve", "Bi", "Sc", "Sa", "Cp", "Ac", "Pe"}};
const std::array<const char*, 12> kHouseKeys = {"Prim", "Seco", "Terz", "Quar", "Quin", "Sest",
                                                "Sett", "Otta", "Nona", "Deci", "Undi", "Dodi"};

namespace {

// The keys of aspect codes 1..5 (conjunction, sextile, square, trine,
// opposition), code c at index c - 1.
constexpr std::array<const char*, 5> kAspectCodes = {"Co", "Se", "Qu", "Tr", "Op"};

// The sign of a longitude by Trunc(L / 30), kept within the zodiac.
engine::Sign KeySignOf(Real longitude) {
    long long s = rt::Trunc(longitude / 30) % 12;
    if (s < 0) s += 12;
    return static_cast<engine::Sign>(s);
}

}  // namespace

std::string SignAbbreviationOf(Real longitude) {
    std::string text;
    engine::FormatSignPosShort(1, text, longitude);
    return text.size() >= 5 ? text.substr(2, 3) : std::string();
}

int MajorAspectCode(Real first, Real second, const engine::OrbRecord& orbs) {
    const auto& orb = orbs.aspectOrbs;
    Real d = second - first;
    if (d < 0) d += 360;
    if (d > 180) d = 360 - d;
    if (180 - orb[4] < d && d < 180 + orb[4]) return 5;
    if (120 - orb[3] < d && d < 120 + orb[3]) return 4;
    if (90 - orb[2] < d && d < 90 + orb[2]) return 3;
    if (60 - orb[1] < d && d < 60 + orb[1]) return 2;
    if (d < orb[0]) return 1;
    return 0;
}

std::vector<std::string> EveryPointPositionKey() {
    std::vector<std::string> keys;
    for (ChartPoint p : kChartPoints) {
        for (engine::Sign s : engine::kSigns) keys.push_back(std::string(kPointKeys4[p]) + kSignKeys[s]);
        for (const char* house : kHouseKeys) keys.push_back(std::string(kPointKeys4[p]) + house);
        for (int t = 1; t <= 60; ++t) keys.push_back(std::string(kPointKeys4[p]) + rt::ZeroPad(t, 2));
        for (int d = 1; d <= 36; ++d) keys.push_back(std::string(kPointKeys3[p]) + "Dec" + rt::ZeroPad(d, 2));
        for (int d = 1; d <= 36; ++d) keys.push_back(std::string(kPointCodes2[p]) + rt::ZeroPad(d, 2));
        for (const char* kind : {"An", "Ca"})
            for (int s = 1; s <= 12; ++s)
                keys.push_back(std::string(kPointKeys3[p]) + kind + SignAbbreviationOf(30 * s - 15));
    }
    for (ChartPoint a : kChartPoints)
        for (ChartPoint b : kChartPoints)
            if (a < b && a <= ChartPoint::SouthNode)
                for (const char* aspect : kAspectCodes)
                    keys.push_back(std::string(kPointKeys3[a]) + aspect + kPointKeys3[b]);
    return keys;
}

std::vector<std::string> SignPositionKeys() {
    // The mirror signs of each sign's midpoint (15, 45, ..., 345 degrees).
    std::vector<std::string> keys;
    for (engine::Sign s : engine::kSigns)
        keys.push_back(std::string(kSignCodes[s]) + "An" + SignAbbreviationOf(360 - (30 * engine::SignNumber(s) - 15)));
    for (engine::Sign s : engine::kSigns)
        keys.push_back(std::string(kSignCodes[s]) + "Ca" +
                       SignAbbreviationOf(engine::Mod360(360 - (30 * engine::SignNumber(s) - 15) + 180)));
    return keys;
}

void SetSignMidpoints(NatalWheelState& wheel) {
    for (engine::Sign s : engine::kSigns) wheel.signMidpoints[s] = 30 * engine::SignNumber(s) - 15;
}

void WriteBodyPlacementKeys(rt::TextFile& file, const engine::Chart& chart, const NatalWheelState& wheel) {
    const WheelPointArray l = WheelPointLongitudes(chart);
    // The sign of each point, then its house, term, decan and decade.
    for (ChartPoint p : kChartPoints) file.WriteLn(std::string(kPointKeys4[p]) + kSignKeys[KeySignOf(l[p])]);
    // The houses are those of the cusps moved 15 degrees back.
    engine::HouseCusps moved;
    for (int h = 1; h <= 12; ++h) {
        moved[h] = chart.cusps[h] - 15;
        if (moved[h] < 0) moved[h] += 360;
    }
    for (ChartPoint p : kChartPoints) {
        // A point that no house holds (all cusps equal) is written in the first.
        const int h = engine::HouseOfPoint(l[p], moved, 0);
        file.WriteLn(std::string(kPointKeys4[p]) + kHouseKeys[h >= 1 && h <= 12 ? h - 1 : 0]);
    }
    for (ChartPoint p : kChartPoints) file.WriteLn(std::string(kPointKeys4[p]) + rt::ZeroPad(wheel.bodyTerms[p], 2));
    for (ChartPoint p : kChartPoints) file.WriteLn(wheel.bodyDecanKeys[p]);
    for (ChartPoint p : kChartPoints) file.WriteLn(std::string(kPointCodes2[p]) + rt::ZeroPad(wheel.bodyDecades[p], 2));
}

void WritePositionKeyFiles(rt::TextFile& file, const WheelPointArray& longitudes, const engine::OrbRecord& orbs,
                           NatalWheelState& wheel) {
    const auto& l = longitudes;
    // The antiscia, then the contra-antiscia, of the points, leaving out 0 and 360 or more.
    for (ChartPoint p : kChartPoints)
        if (l[p] != 0 && l[p] < 360) file.WriteLn(std::string(kPointKeys3[p]) + "An" + SignAbbreviationOf(360 - l[p]));
    for (ChartPoint p : kChartPoints)
        if (l[p] != 0 && l[p] < 360)
            file.WriteLn(std::string(kPointKeys3[p]) + "Ca" + SignAbbreviationOf(engine::Mod360(360 - l[p] + 180)));
    // The major aspects, of every pair but the Ascendant with the Midheaven.
    for (ChartPoint a : kChartPoints)
        for (ChartPoint b : kChartPoints)
            if (a < b && a <= ChartPoint::SouthNode)
                if (int code = MajorAspectCode(l[a], l[b], orbs))
                    file.WriteLn(std::string(kPointKeys3[a]) + kAspectCodes[static_cast<std::size_t>(code - 1)] +
                                 kPointKeys3[b]);

    if (wheel.signMidpoints[engine::Sign::Aries] == 0) SetSignMidpoints(wheel);  // constants, whoever forgot them
    rt::TextFile signs;
    signs.Assign(kSignPositionFile);
    rt::EnsureParentFolder(kSignPositionFile);
    signs.Rewrite();
    for (const std::string& key : SignPositionKeys()) signs.WriteLn(key);
    signs.Close();
}

void RewritePositionFiles(const archive::CurrentChart& current, NatalWheelState& wheel) {
    rt::TextFile file;
    file.Assign(kPointPositionFile);
    rt::EnsureParentFolder(kPointPositionFile);
    file.Rewrite();
    WriteBodyPlacementKeys(file, current.chart, wheel);
    WritePositionKeyFiles(file, WheelPointLongitudes(current.chart), current.orbs, wheel);
    file.Close();
}

}  // namespace display
