#pragma once
// The masters block of the birth-theme sheets: the planetary day and the
// planetary hour of the birth with its ruler, the signs of the Ascendant and
// the Midheaven with their rulers, and the rulers of the year and of its
// 252-year cycle from "Appoggio\GoverAnno.txt" (looked up as the chart
// window's masters page does).
#include <array>
#include <string>

#include "display/draw/surface.h"
#include "engine/chart.h"
#include "engine/planetary_hours.h"

namespace display {

using engine::Real;

struct SheetRulerState {
    engine::HourBoundaryTable sheetHourBoundaries{};
    int sheetPlanetaryHour = 0;  // 1..24, 0 when none was found
    std::string sheetHourRulerName;
    std::string chartWeekdayName;  // the weekday of the birth by local clock time
    Real sunriseJulianDay = 0;
    std::string planetaryDayName;  // the weekday of the planetary day
};

// A step of the birth-theme sheets, ahead of the masters block: sunrise, the
// weekday of the planetary day, the hour table, the hour and its ruler (the
// rulers' tables are those of the chart window's masters page).
void ComputePlanetaryHour(const engine::Chart& chart, SheetRulerState& rulers);

// The planetary day and hour with its ruler, and the signs of the Ascendant
// and the Midheaven with their rulers.
void DrawPlanetaryHourBlock(Surface& dc, const engine::Chart& chart, const SheetRulerState& rulers, Real x, Real y);
void DrawYearRuler(Surface& dc, const engine::Chart& chart, Real x, Real y);
// The whole block: the hour block at (x, y), the year rulers at (x, y + 33).
void DrawPlanetaryHourAndYearRuler(Surface& dc, const engine::Chart& chart, const SheetRulerState& rulers, Real x,
                                   Real y);

}  // namespace display
