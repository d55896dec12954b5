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

// Planets in signs: a row for each sign, a column for each planet.
constexpr SignTable<PlanetTable<int>> kSignTable = {{{
    {8, 0, 2, -2, 11, 5, -2, 3, 0, -1},  // Aries
    {0, 9, 3, 10, -3, 2, 6, -2, 3, 2},   // Taurus
    {1, 0, 8, 2, 3, 1, 5, 5, 5, -1},     // Gemini
    {0, 9, 3, 6, 1, 8, -3, 6, 5, 1},     // Cancer
    {8, 0, 2, 2, 3, 6, 0, -5, 10, 5},    // Leo
    {1, 3, 13, 2, 2, -3, 5, 8, -5, 1},   // Virgo
    {-4, 1, 5, 8, -3, 6, 10, 6, 3, 8},   // Libra
    {1, -1, 2, 1, 10, 2, 2, 9, 6, 1},    // Scorpio
    {3, 1, -1, 2, 5, 10, 3, 3, 6, 8},    // Sagittarius
    {1, -2, 2, 5, 7, 1, 10, 6, 3, 1},    // Capricorn
    {-5, 1, 6, 3, 2, 5, 10, 9, -2, 3},   // Aquarius
    {0, 3, -3, 9, 6, 9, 2, 6, 8, 1},     // Pisces
}}};

// Degree zones of the classical planets within each quadrant (open limits).
struct Zone {
    Real low, high;
};
constexpr ClassicalPlanetTable<Zone> kZones = {{{
    {0.0L, 12.8572L},      // Sun
    {12.8572L, 25.7144L},  // Moon
    {38.5717L, 51.4289L},  // Mercury
    {64.2864L, 77.1433L},  // Venus
    {25.7147L, 38.5717L},  // Mars
    {51.4292L, 64.2861L},  // Jupiter
    {77.1436L, 90.0L},     // Saturn
}}};

// Values of the parts of each house, from its beginning; the first house first.
const std::array<std::vector<int>, kHouseCount> kHouseParts = {{
    {11, 10, 9, 8},
    {7, 6, 4, 2, 2},
    {2, 2, 2, 4, 6, 8},
    {10, 9, 8},
    {7, 6, 4, 3, 2},
    {2, 2, 2, 4, 7},
    {10, 10, 9, 8},
    {7, 6, 4, 2, 4},
    {5, 6, 8},
    {10, 9, 8},
    {8, 7, 6},
    {4, 3, 2, 4, 6, 8},
}};

// Affinity of each planet with each house, the first house first.
constexpr PlanetTable<std::array<int, kHouseCount>> kHouseAffinity = {{{
    {{4, 0, 0, 0, 4, 0, -3, 0, 0, 0, -2, 0}},   // Sun
    {{0, 4, 0, 4, 0, 0, 0, -1, 0, -3, 0, 0}},   // Moon
    {{0, 0, 2, 0, 0, 3, 0, 0, -1, 0, 0, -2}},   // Mercury
    {{-1, 3, 0, 0, 0, -1, 2, -1, 0, 0, 0, 2}},  // Venus
    {{4, -1, 0, -1, 1, 0, -1, 2, 0, 3, 0, 0}},  // Mars
    {{0, 0, -1, 2, 0, -1, 0, 0, 2, 0, 0, 2}},   // Jupiter
    {{-1, 0, 0, -2, -1, 0, 1, 0, 0, 3, 2, 0}},  // Saturn
    {{0, -1, 0, 0, -2, 1, 0, 2, 0, 0, 2, 0}},   // Uranus
    {{0, 0, 0, 0, 2, -1, 0, 0, 0, 0, -1, 2}},   // Neptune
    {{-1, 1, -1, 0, 0, 0, 2, 0, 2, 0, 0, 0}},   // Pluto
}}};

// Speed limits: direct slow, direct fast, retrograde slow, retrograde fast.
constexpr PlanetTable<std::array<Real, 4>> kSpeedLimits = {{{
    {{0.966L, 1.0L, 0, 0}},                  // Sun
    {{12.5L, 14.0L, 0, 0}},                  // Moon
    {{0.8333L, 1.6667L, 0.4167L, 0.8334L}},  // Mercury
    {{0.6L, 1.0L, 0.3L, 0.5L}},              // Venus
    {{0.3333L, 0.6167L, 0.1667L, 0.3084L}},  // Mars
    {{0.0833L, 0.1667L, 0.0417L, 0.0834L}},  // Jupiter
    {{0.05L, 0.0917L, 0.025L, 0.0419L}},     // Saturn
    {{0.025L, 0.05L, 0.0125L, 0.025L}},      // Uranus
    {{0.0139L, 0.0278L, 0.007L, 0.0139L}},   // Neptune
    {{0.0083L, 0.0194L, 0.0042L, 0.0097L}},  // Pluto
}}};

constexpr EnumTable<VolguineCriterion, const char*, kVolguineCriterionCount> kCriterionTitles = {{
    "AFFINITA' CON SEGNO ASCEND ",
    "VALORE PIANETI NEI SEGNI",
    "MAGGIORAZ PIAN TRADIZION ",
    "VALORE PIANETI NELLE CASE",
    "AFFINITA' PIANETA CON CASA",
    "AFFIN SESSO PIANETA/SEGNO",
    "VALORE PER VELOC PIANETA",
}};

constexpr const char* kPlanetHeader = "SOL  LUN  MER  VEN  MAR  GIO  SAT  URA  NET  PLU";

Sign SignOfLongitude(Real lon) {
    int s = static_cast<int>(lon / 30.0L);
    if (s < 0) s = 0;
    if (s > kSignCount - 1) s = kSignCount - 1;
    return static_cast<Sign>(s);
}

Sign NextSign(Sign sign) { return static_cast<Sign>((static_cast<int>(sign) + 1) % kSignCount); }

Real Mod(Real x, Real m) {
    Real r = fmodl(x, m);
    if (r < 0) r += m;
    return r;
}

int SexAffinity(Body planet, Sign sign) {
    // Aries, Gemini and every other sign from them are the male ones.
    const bool male = static_cast<int>(sign) % 2 == 0;
    switch (planet) {
        case Body::Sun:
        case Body::Mars:
        case Body::Jupiter:
        case Body::Uranus:
        case Body::Pluto: return male ? 3 : -3;
        case Body::Moon:
        case Body::Venus:
        case Body::Neptune: return male ? -3 : 3;
        case Body::Saturn: return (sign == Sign::Capricorn || sign == Sign::Aquarius) ? 3 : 0;
        default: return 0;  // Mercury
    }
}

int SpeedScore(Body planet, Real v) {
    const std::array<Real, 4>& lim = kSpeedLimits[planet];
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

// Element values (fire, earth, air, water) from the planets' totals: sums by
// sign, scaled so the largest is 50; a sum of 0 or less counts 1.
std::array<int, kElementCount> ElementValues(const PlanetTable<Real>& totals, const PlanetTable<Sign>& sign) {
    SignTable<Real> bySign{};
    for (Body b : kPlanets) bySign[sign[b]] += totals[b];
    Real max = 0;
    for (Real sum : bySign)
        if (sum > max) max = sum;
    SignTable<Real> norm{};
    for (Sign s : kSigns) {
        norm[s] = max > 0 ? bySign[s] / max * 50.0L : 0;
        if (norm[s] <= 0) norm[s] = 1.0L;
    }
    // The signs of an element follow each other four apart.
    std::array<int, kElementCount> e{};
    for (int k = 0; k < kElementCount; ++k)
        e[static_cast<std::size_t>(k)] = static_cast<int>(rt::Round(norm[kSigns[static_cast<std::size_t>(k)]] +
                                                                    norm[kSigns[static_cast<std::size_t>(k + 4)]] +
                                                                    norm[kSigns[static_cast<std::size_t>(k + 8)]]));
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
Real CheckedColumn(const std::string& s, std::size_t start, std::size_t len, Real low, Real high, const char* field) {
    return rt::CheckFileNumber(ColumnValue(s, start, len), {low, high}, kChartDataTempFile, field);
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
    const HouseCusps& cusp = p.cusps;
    // A house reaches to the next cusp, the twelfth to the first.
    auto width = [&](int h) { return Mod(cusp[h % kHouseCount + 1] - cusp[h], 360.0L); };
    auto houseOf = [&](Real longitude) {
        int h = 1;
        while (h < kHouseCount && Mod(longitude - cusp[h], 360.0L) > width(h)) ++h;
        return h;
    };
    for (Body b : kPlanets) {
        r.sign[b] = SignOfLongitude(p.longitude[b]);
        r.house[b] = houseOf(p.longitude[b]);
        Real d = p.later[b] - p.longitude[b];
        if (d < -180) d += 360;
        if (d > 180) d -= 360;
        r.speed[b] = d * 12;
    }
    r.ascendantHouse = houseOf(p.ascendant);
    r.midheavenHouse = houseOf(p.midheaven);

    // Affinity with the sign of the Ascendant (and the next sign when the
    // Ascendant is in the last three degrees of its sign).
    const Real asc = cusp[1];
    const Sign ascSign = SignOfLongitude(asc);
    for (Body b : kPlanets) {
        int& score = r.criterion[VolguineCriterion::AscendantSign][b];
        score = kSignTable[ascSign][b];
        if (30.0L - Mod(asc, 30.0L) < 3.0L) score += kSignTable[NextSign(ascSign)][b];
    }
    // The planet in its own sign.
    for (Body b : kPlanets) r.criterion[VolguineCriterion::PlanetInSign][b] = kSignTable[r.sign[b]][b];
    // The classical planets in their degree zones.
    for (Body b : kClassicalPlanets) {
        const Real x = p.longitude[b];
        for (int q = 0; q < 4; ++q)
            if (x > kZones[b].low + 90 * q && x < kZones[b].high + 90 * q)
                r.criterion[VolguineCriterion::DegreeZone][b] = 5;
    }
    // The part of its house the planet stands in.
    for (Body b : kPlanets) {
        const int h = r.house[b];
        const auto& parts = kHouseParts[static_cast<std::size_t>(h - 1)];
        const Real size = width(h) / static_cast<Real>(parts.size());
        Real d = static_cast<Real>(rt::Round(p.longitude[b] - cusp[h]));
        if (d < 0) d += 360;
        std::size_t k = 1;
        while (k < parts.size() && d > size * k) ++k;
        r.criterion[VolguineCriterion::HousePart][b] = parts[k - 1];
    }
    // Affinity with the house, sex of the sign, speed.
    for (Body b : kPlanets) {
        r.criterion[VolguineCriterion::HouseAffinity][b] = kHouseAffinity[b][static_cast<std::size_t>(r.house[b] - 1)];
        r.criterion[VolguineCriterion::SignSex][b] = SexAffinity(b, r.sign[b]);
        r.criterion[VolguineCriterion::Speed][b] = SpeedScore(b, r.speed[b]);
    }
    for (const PlanetTable<int>& scores : r.criterion)
        for (Body b : kPlanets) r.total[b] += scores[b];

    PlanetTable<Real> totals{};
    for (Body b : kPlanets) totals[b] = r.total[b];
    r.elementsAll = ElementValues(totals, r.sign);
    for (Body b : kPlanets)
        if (b > Body::Saturn) totals[b] = 0;
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
                            : i == 8 || i == 9         ? PointRetrograde(chart, ChartPoint::NorthNode)
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
    const Real jd =
        JulianDayNumber(moment.gregorian ? 1 : 0, b.day, b.month, b.year, b.hour, b.minute) + b.zone / 24.0L;
    moment.julianDay = jd;
    const Place place = PlaceOf({b.lonDeg, b.lonMin, b.lonLetter, b.latDeg, b.latMin, b.latLetter});
    const BodySettings bodySettings = BodySettingsOf(chart.settings, chart.cusps);

    VolguinePoints points;
    const ComputedBodies atBirth = ComputeBodies(0, false, jd, bodySettings);
    for (Body b : kPlanets) points.longitude[b] = atBirth.bodies[b].longitude;
    const Houses houses = ComputeChartHouses(moment, place, chart.settings.houseSystem.kind);
    points.cusps = houses.cusps;
    points.ascendant = houses.cusps[1];
    points.midheaven = houses.cusps[10];
    const ComputedBodies later = ComputeBodies(0, false, jd + 0.08333333L, bodySettings);
    for (Body b : kPlanets) points.later[b] = later.bodies[b].longitude;

    const VolguineScores s = ScoreVolguine(points);

    // The score table.
    std::vector<std::string> table;
    table.push_back(Cut("*MaitreVolguine*" + name, 96));
    table.push_back(name);
    table.push_back(Cut("Nascita a " + b.place + " il " + rt::Copy(dateLine, 7, 2) + "/" + rt::Copy(dateLine, 5, 2) +
                            "/" + rt::Copy(dateLine, 1, 4) + " " + rt::Copy(dateLine, 9, 2) + ":" +
                            rt::Copy(dateLine, 11, 2) + "  GMT" + HeadingZone(b.zoneText),
                        80));
    table.push_back(kPlanetHeader);
    for (VolguineCriterion c : kVolguineCriteria) {
        table.push_back(kCriterionTitles[c]);
        for (int score : s.criterion[c]) table.push_back(std::to_string(score));
    }
    table.push_back("TOTALE");
    std::vector<std::string> totals;
    for (int total : s.total) {
        table.push_back(std::to_string(total));
        totals.push_back(std::to_string(total));
    }
    for (int value : s.elementsAll) {
        table.push_back(ThreeDigits(value));
        totals.push_back(ThreeDigits(value));
    }
    for (int value : s.elementsClassical) totals.push_back(ThreeDigits(value));

    std::vector<std::string> scratch;
    for (int score : s.criterion[VolguineCriterion::HousePart]) scratch.push_back(std::to_string(score));

    rt::EnsureParentFolder(kVolguineTableFile);
    rt::WriteTextLines(kVolguineScratchFile, scratch);
    rt::WriteTextLines(kVolguineTableFile, table);
    rt::WriteTextLines(kVolguineTotalsFile, totals);
}

}  // namespace engine
