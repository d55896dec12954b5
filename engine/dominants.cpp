#include "engine/dominants.h"

#include "platform/runtime/fixed_string.h"

#include <cmath>
#include <vector>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/engine_settings.h"
#include "engine/houses.h"
#include "platform/runtime/number_range.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"

namespace engine {

namespace {

// Planets in signs: row = sign 1..12, column = planet 1..10.
constexpr int kSignTable[13][11] = {
    {},
    {0, 8, 0, 2, -2, 11, 5, -2, 3, 0, -1},   // Aries
    {0, 0, 9, 3, 10, -3, 2, 6, -2, 3, 2},    // Taurus
    {0, 1, 0, 8, 2, 3, 1, 5, 5, 5, -1},      // Gemini
    {0, 0, 9, 3, 6, 1, 8, -3, 6, 5, 1},      // Cancer
    {0, 8, 0, 2, 2, 3, 6, 0, -5, 10, 5},     // Leo
    {0, 1, 3, 13, 2, 2, -3, 5, 8, -5, 1},    // Virgo
    {0, -4, 1, 5, 8, -3, 6, 10, 6, 3, 8},    // Libra
    {0, 1, -1, 2, 1, 10, 2, 2, 9, 6, 1},     // Scorpio
    {0, 3, 1, -1, 2, 5, 10, 3, 3, 6, 8},     // Sagittarius
    {0, 1, -2, 2, 5, 7, 1, 10, 6, 3, 1},     // Capricorn
    {0, -5, 1, 6, 3, 2, 5, 10, 9, -2, 3},    // Aquarius
    {0, 0, 3, -3, 9, 6, 9, 2, 6, 8, 1},      // Pisces
};

// Degree zones of the classical planets within each quadrant (open limits).
struct Zone {
    Real low, high;
};
constexpr Zone kZones[8] = {
    {0, 0},
    {0.0L, 12.8572L},       // Sun
    {12.8572L, 25.7144L},   // Moon
    {38.5717L, 51.4289L},   // Mercury
    {64.2864L, 77.1433L},   // Venus
    {25.7147L, 38.5717L},   // Mars
    {51.4292L, 64.2861L},   // Jupiter
    {77.1436L, 90.0L},      // Saturn
};

// Values of the parts of each house, from its beginning.
const std::vector<int> kHouseParts[13] = {
    {},
    {11, 10, 9, 8},  {7, 6, 4, 2, 2},  {2, 2, 2, 4, 6, 8}, {10, 9, 8},
    {7, 6, 4, 3, 2}, {2, 2, 2, 4, 7},  {10, 10, 9, 8},     {7, 6, 4, 2, 4},
    {5, 6, 8},       {10, 9, 8},       {8, 7, 6},          {4, 3, 2, 4, 6, 8},
};

// Affinity of planet (row 1..10) and house (column 1..12).
constexpr int kHouseAffinity[11][13] = {
    {},
    {0, 4, 0, 0, 0, 4, 0, -3, 0, 0, 0, -2, 0},    // Sun
    {0, 0, 4, 0, 4, 0, 0, 0, -1, 0, -3, 0, 0},    // Moon
    {0, 0, 0, 2, 0, 0, 3, 0, 0, -1, 0, 0, -2},    // Mercury
    {0, -1, 3, 0, 0, 0, -1, 2, -1, 0, 0, 0, 2},   // Venus
    {0, 4, -1, 0, -1, 1, 0, -1, 2, 0, 3, 0, 0},   // Mars
    {0, 0, 0, -1, 2, 0, -1, 0, 0, 2, 0, 0, 2},    // Jupiter
    {0, -1, 0, 0, -2, -1, 0, 1, 0, 0, 3, 2, 0},   // Saturn
    {0, 0, -1, 0, 0, -2, 1, 0, 2, 0, 0, 2, 0},    // Uranus
    {0, 0, 0, 0, 0, 2, -1, 0, 0, 0, 0, -1, 2},    // Neptune
    {0, -1, 1, -1, 0, 0, 0, 2, 0, 2, 0, 0, 0},    // Pluto
};

// Speed limits: direct slow, direct fast, retrograde slow, retrograde fast.
constexpr Real kSpeedLimits[11][4] = {
    {},
    {0.966L, 1.0L, 0, 0},                     // Sun
    {12.5L, 14.0L, 0, 0},                     // Moon
    {0.8333L, 1.6667L, 0.4167L, 0.8334L},     // Mercury
    {0.6L, 1.0L, 0.3L, 0.5L},                 // Venus
    {0.3333L, 0.6167L, 0.1667L, 0.3084L},     // Mars
    {0.0833L, 0.1667L, 0.0417L, 0.0834L},     // Jupiter
    {0.05L, 0.0917L, 0.025L, 0.0419L},        // Saturn
    {0.025L, 0.05L, 0.0125L, 0.025L},         // Uranus
    {0.0139L, 0.0278L, 0.007L, 0.0139L},      // Neptune
    {0.0083L, 0.0194L, 0.0042L, 0.0097L},     // Pluto
};

const char* const kCriterionTitles[8] = {"",
                                         "AFFINITA' CON SEGNO ASCEND ",
                                         "VALORE PIANETI NEI SEGNI",
                                         "MAGGIORAZ PIAN TRADIZION ",
                                         "VALORE PIANETI NELLE CASE",
                                         "AFFINITA' PIANETA CON CASA",
                                         "AFFIN SESSO PIANETA/SEGNO",
                                         "VALORE PER VELOC PIANETA"};

constexpr const char* kPlanetHeader = "SOL  LUN  MER  VEN  MAR  GIO  SAT  URA  NET  PLU";

int SignOfLongitude(Real lon) {
    int s = static_cast<int>(lon / 30.0L) + 1;
    if (s < 1) s = 1;
    if (s > 12) s = 12;
    return s;
}

Real Mod(Real x, Real m) {
    Real r = fmodl(x, m);
    if (r < 0) r += m;
    return r;
}

int SexAffinity(int planet, int sign) {
    const bool odd = sign % 2 == 1;
    switch (planet) {
        case 1: case 5: case 6: case 8: case 10: return odd ? 3 : -3;
        case 2: case 4: case 9: return odd ? -3 : 3;
        case 7: return (sign == 10 || sign == 11) ? 3 : 0;
        default: return 0;  // Mercury
    }
}

int SpeedScore(int planet, Real v) {
    const Real* lim = kSpeedLimits[planet];
    if (v >= 0) {
        if (v < lim[0]) return 1;
        if (v > lim[1]) return 5;
        return 3;
    }
    const Real a = -v;
    if (a < lim[2]) return -1;
    if (a > lim[3]) return -5;
    return -3;
}

// Element values (fire, earth, air, water) from the totals of the twelve
// points: sums by sign, scaled so the largest is 50; a sum of 0 or less
// counts 1.
std::array<int, 5> ElementValues(const std::array<Real, 13>& totals, const std::array<int, 13>& sign) {
    std::array<Real, 13> bySign{};
    for (int j = 1; j <= 12; ++j) bySign[sign[j]] += totals[j];
    Real max = 0;
    for (int s = 1; s <= 12; ++s)
        if (bySign[s] > max) max = bySign[s];
    std::array<Real, 13> norm{};
    for (int s = 1; s <= 12; ++s) {
        norm[s] = max > 0 ? bySign[s] / max * 50.0L : 0;
        if (norm[s] <= 0) norm[s] = 1.0L;
    }
    std::array<int, 5> e{};
    for (int k = 1; k <= 4; ++k)
        e[k] = static_cast<int>(rt::Round(norm[k] + norm[k + 4] + norm[k + 8]));
    return e;
}

std::string ThreeDigits(int v) { return rt::ZeroPad(v < 0 ? 0 : v, 3); }

std::string Trimmed(const std::string& s) {
    std::size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    std::size_t b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}

// Number in a fixed column; text that is no number gives 0.
Real ColumnValue(const std::string& s, std::size_t start, std::size_t len) {
    std::string t = Trimmed(rt::Copy(s, start, len));
    for (char& ch : t)
        if (ch == ',') ch = '.';
    int code = 0;
    const Real v = rt::ValReal(t, code);
    return code == 0 ? v : 0;
}

std::string Cut(const std::string& s, std::size_t n) { return s.size() > n ? s.substr(0, n) : s; }

// The birth data of the temporary file's date and place lines.
struct ParsedBirth {
    Real year = 0, month = 0, day = 0, hour = 0, minute = 0;
    std::string zoneText;
    Real zone = 0;
    int latDeg = 0, latMin = 0, lonDeg = 0, lonMin = 0;
    std::string latLetter, lonLetter, coordinates, place;
};

// A column's number checked against its field's range.
Real CheckedColumn(const std::string& s, std::size_t start, std::size_t len, Real low, Real high,
                   const char* field) {
    return rt::CheckFileNumber(ColumnValue(s, start, len), low, high, kChartDataTempFile, field);
}

ParsedBirth ParseBirthData(const std::string& dateLine, const std::string& placeLine) {
    ParsedBirth b;
    b.year = CheckedColumn(dateLine, 1, 4, 0, 9999, "anno");
    b.month = CheckedColumn(dateLine, 5, 2, 0, 12, "mese");
    b.day = CheckedColumn(dateLine, 7, 2, 0, 31, "giorno");
    b.hour = CheckedColumn(dateLine, 9, 2, 0, 24, "ora");
    b.minute = CheckedColumn(dateLine, 11, 2, 0, 60, "minuto");
    b.zoneText = Trimmed(rt::Copy(dateLine, 13, 6));
    b.zone = CheckedColumn(dateLine, 13, 6, -24, 24, "correzione del fuso");
    b.latDeg = static_cast<int>(CheckedColumn(placeLine, 1, 2, 0, 90, "latitudine"));
    b.latLetter = rt::Copy(placeLine, 3, 1);
    b.latMin = static_cast<int>(CheckedColumn(placeLine, 4, 2, 0, 60, "minuti di latitudine"));
    b.lonDeg = static_cast<int>(CheckedColumn(placeLine, 7, 3, 0, 180, "longitudine"));
    b.lonLetter = rt::Copy(placeLine, 10, 1);
    b.lonMin = static_cast<int>(CheckedColumn(placeLine, 11, 2, 0, 60, "minuti di longitudine"));
    b.coordinates = rt::Copy(placeLine, 1, 12);
    b.place = Trimmed(rt::Copy(placeLine, 13, 27));
    return b;
}

// The zone as the heading shows it: east positive, the stored sign reversed.
std::string HeadingZone(const std::string& zoneText) {
    if (zoneText.empty()) return zoneText;
    if (zoneText[0] == '-') return "+" + rt::Copy(zoneText, 2, 5);
    if (zoneText[0] == '+') return "-" + rt::Copy(zoneText, 2, 5);
    int code = 0;
    std::string t = zoneText;
    for (char& ch : t)
        if (ch == ',') ch = '.';
    const Real v = rt::ValReal(t, code);
    return (code == 0 && v != 0) ? "-" + Cut(zoneText, 5) : zoneText;
}

}  // namespace

VolguineScores ScoreVolguine(const VolguinePoints& p) {
    VolguineScores r;
    std::array<Real, 14> cusp{};
    for (int i = 1; i <= 12; ++i) cusp[i] = p.cusps[i];
    cusp[13] = cusp[1];
    auto width = [&](int h) { return Mod(cusp[h + 1] - cusp[h], 360.0L); };

    for (int j = 1; j <= 12; ++j) {
        r.sign[j] = SignOfLongitude(p.longitude[j]);
        int h = 1;
        while (h < 12 && Mod(p.longitude[j] - cusp[h], 360.0L) > width(h)) ++h;
        r.house[j] = h;
    }
    for (int i = 1; i <= 10; ++i) {
        Real d = p.later[i] - p.longitude[i];
        if (d < -180) d += 360;
        if (d > 180) d -= 360;
        r.speed[i] = d * 12;
    }

    // 1: affinity with the sign of the Ascendant (and the next sign when the
    // Ascendant is in the last three degrees of its sign).
    const Real asc = cusp[1];
    const int ascSign = SignOfLongitude(asc);
    for (int i = 1; i <= 10; ++i) {
        r.criterion[1][i] = kSignTable[ascSign][i];
        if (30.0L - Mod(asc, 30.0L) < 3.0L) r.criterion[1][i] += kSignTable[ascSign % 12 + 1][i];
    }
    // 2: the planet in its own sign.
    for (int i = 1; i <= 10; ++i) r.criterion[2][i] = kSignTable[r.sign[i]][i];
    // 3: the classical planets in their degree zones.
    for (int i = 1; i <= 7; ++i) {
        const Real x = p.longitude[i];
        for (int q = 0; q < 4; ++q)
            if (x > kZones[i].low + 90 * q && x < kZones[i].high + 90 * q) r.criterion[3][i] = 5;
    }
    // 4: the part of its house the planet stands in.
    for (int i = 1; i <= 10; ++i) {
        const int h = r.house[i];
        const auto& parts = kHouseParts[h];
        const Real size = width(h) / static_cast<Real>(parts.size());
        Real d = static_cast<Real>(rt::Round(p.longitude[i] - cusp[h]));
        if (d < 0) d += 360;
        std::size_t k = 1;
        while (k < parts.size() && d > size * k) ++k;
        r.criterion[4][i] = parts[k - 1];
    }
    // 5, 6, 7: affinity with the house, sex of the sign, speed.
    for (int i = 1; i <= 10; ++i) {
        r.criterion[5][i] = kHouseAffinity[i][r.house[i]];
        r.criterion[6][i] = SexAffinity(i, r.sign[i]);
        r.criterion[7][i] = SpeedScore(i, r.speed[i]);
    }
    for (int c = 1; c <= 7; ++c)
        for (int i = 1; i <= 10; ++i) r.total[i] += r.criterion[c][i];

    std::array<Real, 13> totals{};
    for (int i = 1; i <= 10; ++i) totals[i] = r.total[i];
    r.elementsAll = ElementValues(totals, r.sign);
    for (int j = 8; j <= 12; ++j) totals[j] = 0;
    r.elementsClassical = ElementValues(totals, r.sign);
    return r;
}

void WriteChartDataTemp(const Chart& chart, const BirthData& birth, const std::string& birthDateLine,
                        const std::string& birthPlaceLine) {
    // The file's 22 entries by body number, entry n at n - 1; 13 and 14 hold
    // the angles, 20 to 22 nothing.
    constexpr int kEntries = 22;
    std::array<Real, kEntries> longitudes{}, latitudes{};
    auto entry = [](int number) { return static_cast<std::size_t>(number - 1); };
    for (Body b : kBodies) {
        longitudes[entry(BodyNumberOf(b))] = chart.bodies[b].longitude;
        latitudes[entry(BodyNumberOf(b))] = chart.bodies[b].latitude;
    }
    longitudes[entry(kAscendantBody)] = chart.cusps[1];
    longitudes[entry(kDescendantBody)] = chart.cusps[10];
    std::vector<std::string> lines;
    lines.push_back(birth.subjectName);
    lines.push_back(birthDateLine);
    lines.push_back(birthPlaceLine);
    lines.push_back(HouseSystemText(chart.settings.houseSystem));
    lines.push_back(rt::StrReal(chart.moment.julianDay));
    for (int i = 1; i <= kEntries; ++i) lines.push_back(rt::StrReal(longitudes[entry(i)]));
    for (int i = 1; i <= 12; ++i) lines.push_back(rt::StrReal(chart.cusps[i]));
    lines.push_back("BREEDTEGRADEN");
    for (int i = 1; i <= 12; ++i) lines.push_back(rt::StrReal(latitudes[entry(i)]));
    lines.push_back("RETROGRADI");
    for (int i = 1; i <= kEntries; ++i) {
        const bool marked = i <= kClassicalPlanetCount ? PointRetrograde(chart, static_cast<ChartPoint>(i - 1))
                            : i == 8 || i == 9 ? PointRetrograde(chart, ChartPoint::NorthNode)
                                               : false;
        lines.push_back(marked ? "r" : " ");
    }
    for (int i = 13; i <= kEntries; ++i) lines.push_back(rt::StrReal(latitudes[entry(i)]));
    rt::EnsureParentFolder(kChartDataTempFile);
    rt::WriteTextLines(kChartDataTempFile, lines);
}

void WriteChartDataTemp(const Chart& chart, const BirthData& birth) {
    std::string coordinates = Cut(birth.coordinatesText, 12);
    coordinates.resize(12, ' ');
    WriteChartDataTemp(chart, birth, birth.birthDateKey, coordinates + birth.birthPlace);
}

void ComputeVolguineDominants(const Chart& chart) {
    const std::vector<std::string> temp = rt::ReadTextLines(kChartDataTempFile);
    auto line = [&](std::size_t n) { return n <= temp.size() ? Cut(temp[n - 1], 80) : std::string(); };
    const std::string name = line(1);
    const std::string dateLine = line(2);
    const std::string placeLine = line(3);

    // The chart of that birth, in the chart's own calendar.
    const ParsedBirth b = ParseBirthData(dateLine, placeLine);
    Moment moment;
    moment.year = b.year;
    moment.month = b.month;
    moment.day = b.day;
    moment.hour = b.hour;
    moment.minute = b.minute;
    moment.zoneCorrection = b.zone;
    moment.gregorian = chart.moment.gregorian;
    const Real jd = JulianDayNumber(moment.gregorian ? 1 : 0, b.day, b.month, b.year, b.hour, b.minute) +
                    b.zone / 24.0L;
    moment.julianDay = jd;
    const Place place = PlaceOf({b.lonDeg, b.lonMin, b.lonLetter, b.latDeg, b.latMin, b.latLetter});
    const BodySettings bodySettings = BodySettingsOf(chart.settings, chart.cusps);

    VolguinePoints points;
    const ComputedBodies atBirth = ComputeBodies(0, false, jd, bodySettings);
    for (int i = 1; i <= 10; ++i) points.longitude[i] = atBirth.bodies[static_cast<Body>(i - 1)].longitude;
    const Houses houses = ComputeChartHouses(moment, place, chart.settings.houseSystem.kind);
    for (int i = 1; i <= 12; ++i) points.cusps[i] = houses.cusps[i];
    points.longitude[11] = houses.cusps[1];
    points.longitude[12] = houses.cusps[10];
    const ComputedBodies later = ComputeBodies(0, false, jd + 0.08333333L, bodySettings);
    for (int i = 1; i <= 10; ++i) points.later[i] = later.bodies[static_cast<Body>(i - 1)].longitude;

    const VolguineScores s = ScoreVolguine(points);

    // The score table.
    std::vector<std::string> table;
    table.push_back(Cut("*MaitreVolguine*" + name, 96));
    table.push_back(name);
    table.push_back(Cut("Nascita a " + b.place + " il " + rt::Copy(dateLine, 7, 2) + "/" + rt::Copy(dateLine, 5, 2) + "/" +
                            rt::Copy(dateLine, 1, 4) + " " + rt::Copy(dateLine, 9, 2) + ":" + rt::Copy(dateLine, 11, 2) +
                            "  GMT" + HeadingZone(b.zoneText),
                        80));
    table.push_back(kPlanetHeader);
    for (int c = 1; c <= 7; ++c) {
        table.push_back(kCriterionTitles[c]);
        for (int i = 1; i <= 10; ++i) table.push_back(std::to_string(s.criterion[c][i]));
    }
    table.push_back("TOTALE");
    std::vector<std::string> totals;
    for (int i = 1; i <= 10; ++i) {
        table.push_back(std::to_string(s.total[i]));
        totals.push_back(std::to_string(s.total[i]));
    }
    for (int k = 1; k <= 4; ++k) {
        table.push_back(ThreeDigits(s.elementsAll[k]));
        totals.push_back(ThreeDigits(s.elementsAll[k]));
    }
    for (int k = 1; k <= 4; ++k) totals.push_back(ThreeDigits(s.elementsClassical[k]));

    std::vector<std::string> scratch;
    for (int i = 1; i <= 10; ++i) scratch.push_back(std::to_string(s.criterion[4][i]));

    rt::EnsureParentFolder(kVolguineTableFile);
    rt::WriteTextLines(kVolguineScratchFile, scratch);
    rt::WriteTextLines(kVolguineTableFile, table);
    rt::WriteTextLines(kVolguineTotalsFile, totals);
}

}  // namespace engine
