#include "display/sheets/sheet_rulers.h"

#include <cctype>

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_block.h"
#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/position_text.h"
#include "platform/runtime/text_file.h"

namespace display {

SheetRulerState SheetRulers;

void ResetSheetRulers() { SheetRulers = SheetRulerState{}; }

namespace {

using engine::Chart;

// Sun, Venus, Mercury, Moon, Saturn, Jupiter, Mars: the order of the hours.
constexpr int kHourOrder[7] = {1, 4, 3, 2, 7, 6, 5};
// Where hour 1 of each weekday (Sunday..Saturday) stands in that order.
constexpr int kWeekdayOffsets[7] = {0, 3, 6, 2, 5, 1, 4};
// Rulers of the signs Aries..Pisces.
constexpr int kSignRulers[12] = {5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6};

// A decimal number of two columns with a leading blank or zero; 0 otherwise.
int TwoColumnNumber(const std::string& line, std::size_t from) {
    if (line.size() < from + 2) return 0;
    int value = 0;
    bool digits = false;
    for (std::size_t i = from; i < from + 2; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c == ' ' && !digits) continue;
        if (!std::isdigit(c)) return 0;
        value = value * 10 + (c - '0');
        digits = true;
    }
    return value;
}

}  // namespace

std::string RulerName(int code) {
    static const char* names[8] = {"", "de Zon", "de Maan", "Mercurius", "Venus", "Mars", "Jupiter", "Saturnus"};
    return code >= 1 && code <= 7 ? names[code] : "";
}

int HourRulerCode(int hour, int weekday) {
    if (hour < 1 || hour > 24 || weekday < 0 || weekday > 6) return 0;
    const int k = hour + kWeekdayOffsets[weekday];  // 1..30
    return kHourOrder[(k - 1) % 7];
}

int PlanetaryHourOf(const engine::HourBoundaryTable& b, Real sunLongitude) {
    for (int i = 1; i <= 24; ++i) {
        const Real width = engine::Mod360(b[i] - b[i + 1]);
        const Real distance = engine::Mod360(b[i] - sunLongitude);
        if (width >= distance) return i;
    }
    return 0;
}

int SignRulerCode(const std::string& abbreviation) {
    for (int s = 1; s <= 12; ++s)
        if (abbreviation == engine::kSignAbbreviations[s]) return kSignRulers[s - 1];
    return 0;
}

int YearInRulerCycle(int year) {
    if (year >= 2017) return year - 252;
    if (year >= 1 && year <= 252) return year + 1764;
    if (year >= 253 && year <= 504) return year + 1512;
    if (year >= 505 && year <= 756) return year + 1260;
    if (year >= 757 && year <= 1008) return year + 1008;
    if (year >= 1009 && year <= 1260) return year + 756;
    if (year >= 1261 && year <= 1512) return year + 504;
    if (year >= 1513 && year <= 1764) return year + 252;
    return year;
}

YearRulers LookUpYearRulers(int cycleYear) {
    const std::vector<std::string> lines = rt::ReadTextLines(kYearRulerFile);
    std::string key = engine::IntToStrZeroPad(cycleYear, 4);
    std::string used;
    for (const std::string& l : lines) {
        used = l;
        if (l.compare(0, 4, key) == 0 && l.size() >= 4) break;
    }
    return {TwoColumnNumber(used, 4), TwoColumnNumber(used, 6)};
}

void ComputePlanetaryHour() {
    SheetRulerState& s = SheetRulers;
    Real sunrise = 0;
    engine::FindSunrise(sunrise);
    s.SunriseJulianDay = sunrise;
    const Real jd = Chart.JulianDay;
    const Real local = jd - Chart.TimeZoneCorrection / 24;
    int weekday = 0;
    engine::WeekdayOfJulianDay(weekday, local);
    s.ChartWeekdayName = Chart.WeekdayName;
    // The planetary day begins at sunrise: before it (both moments in
    // universal time) the birth belongs to the day before.
    if (sunrise >= jd) engine::WeekdayOfJulianDay(weekday, local - 1);

    const Real lst = Chart.LocalSiderealTime;
    engine::ComputeHouseCusps(Chart.LongitudeDegrees[1], Chart.LongitudeMinutes[1], Chart.LongitudeLetter[1], sunrise,
                              Chart.LatitudeDegrees[1], Chart.LatitudeMinutes[1], Chart.LatitudeLetter[1],
                              Chart.BirthHour[1], Chart.BirthMinute[1], Chart.TimeZoneCorrection, 0,
                              s.SheetHourBoundaries);
    Chart.LocalSiderealTime = lst;
    s.SheetPlanetaryHour = PlanetaryHourOf(s.SheetHourBoundaries, Chart.PlanetLongitudes[1]);
    s.SheetHourRulerName = RulerName(HourRulerCode(s.SheetPlanetaryHour, weekday));
}

int RulerYearOfChart() {
    const std::string date = engine::JulianDayToDateText(Chart.JulianDay);
    int year = date.size() >= 10 ? std::stoi(date.substr(6, 4)) : 0;
    const Real natalSun = Chart.PlanetLongitudes[1];
    Chart.PlanetLongitudesSaved = Chart.PlanetLongitudes;
    // The whole chart comes back afterwards, not only the longitudes.
    const engine::ChartState saved = Chart;
    struct Restore {
        const engine::ChartState& saved;
        ~Restore() {
            const engine::BodyArray kept = saved.PlanetLongitudes;
            engine::Chart = saved;
            engine::Chart.PlanetLongitudesSaved = kept;
        }
    } restore{saved};
    const Real endOfYear = engine::JulianDayNumber(Chart.GregorianCalendar ? 1 : 0, 31, 12, year, 23, 59);
    engine::ComputeBodiesWithRetro(0, endOfYear);
    Real sun = Chart.PlanetLongitudes[1];
    if (sun < 0) sun = -sun;
    if (sun < natalSun) --year;
    return year;
}

void DrawPlanetaryHourBlock(Surface& dc, Real x, Real y) {
    SheetBlockGuard guard(dc);
    const SheetRulerState& s = SheetRulers;
    int n = s.SheetPlanetaryHour;
    std::string part = " Dag";
    if (n > 12) {
        n -= 12;
        part = " Nacht";
    }
    std::string asc, mc;
    engine::FormatSignPosShort(0, asc, Chart.PlanetLongitudes[10]);
    engine::FormatSignPosShort(0, mc, Chart.PlanetLongitudes[11]);
    auto ruler = [](const std::string& text) {
        return RulerName(SignRulerCode(text.size() >= 5 ? text.substr(2, 3) : std::string()));
    };
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "Planetaire dag: " + Chart.WeekdayName, 2, x, y);
    TextOutLeft(dc, "Planetaire uur: " + std::to_string(n) + part, 15, x, y + 4.5L);
    TextOutLeft(dc, "Geregeerd door " + s.SheetHourRulerName, 15, x, y + 8.0L);
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, "Ascendant " + asc, 2, x, y + 14.0L);
    TextOutLeft(dc, "Geregeerd door " + ruler(asc), 15, x, y + 18.5L);
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "Midhemel " + mc, 2, x, y + 24.0L);
    TextOutLeft(dc, "Geregeerd door " + ruler(mc), 15, x, y + 28.5L);
}

void DrawYearRuler(Surface& dc, Real x, Real y) {
    SheetBlockGuard guard(dc);
    const YearRulers r = LookUpYearRulers(YearInRulerCycle(RulerYearOfChart()));
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, "Jaar van " + RulerName(r.year), 2, x, y);
    TextOutLeft(dc, "In de cyclus van " + RulerName(r.cycle), 15, x, y + 4);
}

void DrawPlanetaryHourAndYearRuler(Surface& dc, Real x, Real y) {
    ComputePlanetaryHour();
    DrawPlanetaryHourBlock(dc, x, y);
    DrawYearRuler(dc, x, y + 33);
}

}  // namespace display
