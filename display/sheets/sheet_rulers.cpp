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
        if (abbreviation == engine::kSignAbbreviations[engine::SignOfNumber(s)]) return RulerName(SignRuler(s));
    return {};
}

}  // namespace

void ComputePlanetaryHour(const engine::Chart& chart, SheetRulerState& s) {
    // The planetary day by the rule the chart window's masters page shares.
    const engine::PlanetaryDay day = engine::FindPlanetaryDay(chart);
    const Real sunrise = day.sunriseJulianDay;
    s.sunriseJulianDay = sunrise;
    s.chartWeekdayName = engine::kWeekdayNames[static_cast<std::size_t>(
        engine::WeekdayOfJulianDay(chart.moment.julianDay - chart.moment.zoneCorrection / 24))];
    const int weekday = day.index;
    s.planetaryDayName = engine::kWeekdayNames[static_cast<std::size_t>(weekday)];

    engine::HouseMoment moment;
    moment.jd = sunrise;
    moment.hour = engine::ClockHour(chart.moment);
    moment.minute = engine::ClockMinute(chart.moment);
    moment.zoneHours = chart.moment.zoneCorrection;
    s.sheetHourBoundaries = engine::ComputeHourBoundaries(chart.place, moment).table;
    s.sheetPlanetaryHour = FindPlanetaryHour(s.sheetHourBoundaries, chart.bodies[engine::Body::Sun].longitude);
    s.sheetHourRulerName = RulerName(PlanetaryHourRulerOf(s.sheetPlanetaryHour, weekday));
}

void DrawPlanetaryHourBlock(Surface& dc, const engine::Chart& chart, const SheetRulerState& s, Real x, Real y) {
    SheetBlockGuard guard(dc);
    int n = s.sheetPlanetaryHour;
    std::string part = " Dag";
    if (n > 12) {
        n -= 12;
        part = " Nacht";
    }
    std::string asc, mc;
    engine::FormatSignPosShort(0, asc, chart.points.ascendant);
    engine::FormatSignPosShort(0, mc, chart.points.midheaven);
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "Planetaire dag: " + s.planetaryDayName, 2, x, y);
    TextOutLeft(dc, "Planetaire uur: " + std::to_string(n) + part, 15, x, y + 4.5L);
    TextOutLeft(dc, "Geregeerd door " + s.sheetHourRulerName, 15, x, y + 8.0L);
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, "Ascendant " + asc, 2, x, y + 14.0L);
    TextOutLeft(dc, "Geregeerd door " + RulerOfPositionText(asc), 15, x, y + 18.5L);
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "Midhemel " + mc, 2, x, y + 24.0L);
    TextOutLeft(dc, "Geregeerd door " + RulerOfPositionText(mc), 15, x, y + 28.5L);
}

void DrawYearRuler(Surface& dc, const engine::Chart& chart, Real x, Real y) {
    SheetBlockGuard guard(dc);
    const YearRulers r = EvaluateYearRulers(chart);
    ReportYearRulerProblem(r);
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, "Jaar van " + RulerName(r.yearRuler), 2, x, y);
    TextOutLeft(dc, "In de cyclus van " + RulerName(r.cycleRuler), 15, x, y + 4);
}

void DrawPlanetaryHourAndYearRuler(Surface& dc, const engine::Chart& chart, const SheetRulerState& rulers, Real x,
                                   Real y) {
    DrawPlanetaryHourBlock(dc, chart, rulers, x, y);
    DrawYearRuler(dc, chart, x, y + 33);
}

}  // namespace display
