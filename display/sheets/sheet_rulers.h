#pragma once
// The masters block of the birth-theme sheets: the planetary day and the
// planetary hour of the birth with its ruler, the signs of the Ascendant and
// the Midheaven with their rulers, and the rulers of the year and of its
// 252-year cycle from "Appoggio\GoverAnno.txt".
#include <array>
#include <string>

#include "display/draw/surface.h"
#include "engine/chart_state.h"
#include "engine/planetary_hours.h"

namespace display {

using engine::Real;

inline constexpr const char* kYearRulerFile = "Appoggio\\GoverAnno.txt";

struct SheetRulerState {
    engine::HourBoundaryTable SheetHourBoundaries{};
    int SheetPlanetaryHour = 0;  // 1..24, 0 when none was found
    std::string SheetHourRulerName;
    std::string ChartWeekdayName;  // the weekday of the birth by local clock time
    Real SunriseJulianDay = 0;
};
extern SheetRulerState SheetRulers;
void ResetSheetRulers();

// "de Zon", "de Maan", "Mercurius", ..., "Saturnus" for codes 1..7, else "".
std::string RulerName(int code);
// The ruler code (1..7) of hour 1..24 of a day of weekday 0 (Sunday)..6, or 0.
int HourRulerCode(int hour, int weekday);
// The hour (1..24) whose boundary segment holds the longitude, or 0.
int PlanetaryHourOf(const engine::HourBoundaryTable& boundaries, Real sunLongitude);
// The ruler code of the sign named by a three-letter abbreviation, or 0.
int SignRulerCode(const std::string& abbreviation);
// The year carried into the reference cycle 1765..2016 by multiples of 252.
int YearInRulerCycle(int year);
// The rulers (year, cycle) of a cycle year from the year file: the line of the
// year, or the last line when none holds it. A missing file raises rt::IoError.
struct YearRulers {
    int year = 0;
    int cycle = 0;
};
YearRulers LookUpYearRulers(int cycleYear);

// Sunrise, weekday of the planetary day, the hour table, the hour and its
// ruler. The chart state is as before afterwards.
void ComputePlanetaryHour();
// The year the chart counts to: its calendar year, less one when the Sun had
// not come back to its natal place by the last minute of that year. The chart
// state is as before afterwards, also when the computation fails.
int RulerYearOfChart();

void DrawPlanetaryHourBlock(Surface& dc, Real x, Real y);
void DrawYearRuler(Surface& dc, Real x, Real y);
// The whole block: the hour block at (x, y), the year rulers at (x, y + 33).
void DrawPlanetaryHourAndYearRuler(Surface& dc, Real x, Real y);

}  // namespace display
