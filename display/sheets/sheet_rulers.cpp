#include "display/sheets/sheet_rulers.h"

#include "display/chart/masters_view.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_block.h"
#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/position_text.h"
#include "platform/runtime/text_file.h"

namespace display {

namespace {

// The ruler of the sign named by characters 3-5 of a short position text.
std::string RulerOfPositionText(const std::string& text) {
    const std::string abbreviation = text.size() >= 5 ? text.substr(2, 3) : std::string();
    for (int s = 1; s <= 12; ++s)
        if (abbreviation == engine::kSignAbbreviations[s]) return RulerName(SignRuler(s));
    return {};
}

}  // namespace

void ComputePlanetaryHour(engine::ChartState& chart, SheetRulerState& s) {
    // The planetary day by the rule the chart window's masters page shares.
    const engine::PlanetaryDay day = engine::FindPlanetaryDay(chart);
    const Real sunrise = day.SunriseJulianDay;
    s.SunriseJulianDay = sunrise;
    int clockWeekday = 0;
    engine::WeekdayOfJulianDay(chart, clockWeekday, chart.JulianDay - chart.TimeZoneCorrection / 24);
    s.ChartWeekdayName = chart.WeekdayName;
    const int weekday = day.Index;
    chart.WeekdayName = engine::kWeekdayNames[weekday];

    const Real lst = chart.LocalSiderealTime;
    engine::ComputeHouseCusps(chart, engine::PlaceOfChart(chart),
                              {sunrise, chart.BirthHour[1], chart.BirthMinute[1], chart.TimeZoneCorrection, 0},
                              s.SheetHourBoundaries);
    chart.LocalSiderealTime = lst;
    s.SheetPlanetaryHour = FindPlanetaryHour(s.SheetHourBoundaries, chart.PlanetLongitudes[1]);
    s.SheetHourRulerName = RulerName(PlanetaryHourRulerOf(s.SheetPlanetaryHour, weekday));
}

void DrawPlanetaryHourBlock(Surface& dc, const engine::ChartState& chart, const SheetRulerState& s, Real x,
                            Real y) {
    SheetBlockGuard guard(dc);
    int n = s.SheetPlanetaryHour;
    std::string part = " Dag";
    if (n > 12) {
        n -= 12;
        part = " Nacht";
    }
    std::string asc, mc;
    engine::FormatSignPosShort(0, asc, chart.PlanetLongitudes[10]);
    engine::FormatSignPosShort(0, mc, chart.PlanetLongitudes[11]);
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "Planetaire dag: " + chart.WeekdayName, 2, x, y);
    TextOutLeft(dc, "Planetaire uur: " + std::to_string(n) + part, 15, x, y + 4.5L);
    TextOutLeft(dc, "Geregeerd door " + s.SheetHourRulerName, 15, x, y + 8.0L);
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, "Ascendant " + asc, 2, x, y + 14.0L);
    TextOutLeft(dc, "Geregeerd door " + RulerOfPositionText(asc), 15, x, y + 18.5L);
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "Midhemel " + mc, 2, x, y + 24.0L);
    TextOutLeft(dc, "Geregeerd door " + RulerOfPositionText(mc), 15, x, y + 28.5L);
}

void DrawYearRuler(Surface& dc, const engine::ChartState& chart, Real x, Real y) {
    SheetBlockGuard guard(dc);
    const YearRulers r = EvaluateYearRulers(chart);
    ReportYearRulerProblem(r);
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, "Jaar van " + RulerName(r.yearRuler), 2, x, y);
    TextOutLeft(dc, "In de cyclus van " + RulerName(r.cycleRuler), 15, x, y + 4);
}

void DrawPlanetaryHourAndYearRuler(Surface& dc, const engine::ChartState& chart, const SheetRulerState& rulers,
                                   Real x, Real y) {
    DrawPlanetaryHourBlock(dc, chart, rulers, x, y);
    DrawYearRuler(dc, chart, x, y + 33);
}

}  // namespace display
