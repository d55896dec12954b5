#include "display/chart/reduced_wheel.h"

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/position_files.h"
#include "display/wheel/stroke_glyphs.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_reports.h"
#include "engine/planetary_hours.h"
#include "engine/position_text.h"
#include "platform/runtime/io_error.h"

namespace display {

HouseAxes EvaluateHouseAxes(const CuspArray& cusps) {
    HouseAxes a;
    for (int i = 1; i <= 6; ++i) {
        a.axis[i].cuspAngle = cusps[1] - cusps[i];
        std::string text;
        engine::FormatDegMin(0, text, cusps[i]);
        a.axis[i].degreeText = text.substr(0, 6);
        a.axis[i].ticked = i == 1 || i == 4;
    }
    return a;
}

void DrawHouseAxisLabels(Surface& dc, const CuspArray& cusps, const CircleFrame& circle) {
    const Real r = circle.radius, cx = circle.centre.x, cy = circle.centre.y;
    const HouseAxes axes = EvaluateHouseAxes(cusps);
    SetTextColorByCode(dc, 0);
    for (int i = 1; i <= 6; ++i) {
        const HouseAxis& a = axes.axis[i];
        const Real ends[2] = {a.cuspAngle, a.cuspAngle + 180};
        PagePoint textPoint[2];
        for (int e = 0; e < 2; ++e) {
            const Real theta = ends[e];
            if (a.ticked) {
                ScopedPen pen(dc, 2);
                LinePage(dc, WheelPoint(cx, cy, r, theta), WheelPoint(cx, cy, r + 10, theta));
            }
            {
                ScopedBrush brush(dc, Rgb(255, 0, 0));
                DotPage(dc, WheelPoint(cx, cy, r, theta), 1.0L);
            }
            const PagePoint t = WheelPoint(cx, cy, r + 7, theta);
            textPoint[e] = t;
            TextOutCentered(dc, a.degreeText, 1, t.x, i == 1 ? t.y + 1 : t.y - 2);
        }
        if (i == 4) {
            TextOutCentered(dc, "MC", 4, textPoint[1].x - 11, textPoint[1].y - 5);
            TextOutCentered(dc, "IC", 4, textPoint[0].x - 10, textPoint[0].y - 4);
        }
        TextOutCentered(dc, "AS", 4, cx - r - 7, cy - 9);
        TextOutCentered(dc, "DS", 4, cx + r + 7, cy - 9);
    }
}

void DrawSignRingReduced(Surface& dc, Real ascendant, const char* mode, const RingFrame& ring, Real glyphSize) {
    DrawSignRing(dc, ascendant, mode, ring, glyphSize, nullptr);
}

void DrawPlanetRingReduced(Surface& dc, const engine::BodyArray& longitudes, const std::array<std::string, 24>& marks,
                           Real ascendant, const RingFrame& ring, int count) {
    std::array<std::string, 25> m{};
    for (std::size_t i = 0; i < marks.size(); ++i) m[i] = marks[i];
    const PlanetRingOptions o{.ascendant = ascendant,
                              .descendant = ascendant + 180,
                              .ring = ring,
                              .angleOffset = 0.0L,
                              .glyphSize = 7.0L,
                              .count = count,
                              .degreeTexts = false,
                              .directGlyphs = true,
                              .retroMarksAllPoints = true};
    DrawPlanetRing(dc, longitudes, m, o);
}

void DrawReducedWheelChart(Surface& dc, archive::CurrentChart& current, bool arraysInEngineOrder,
                           NatalWheelState& wheel) {
    engine::ChartState& chart = current.chart;
    SetTextColorByCode(dc, 0);
    const WheelRings& w = kChartWindowWheel;
    DrawSignRingReduced(dc, chart.HouseCusps[1], "M", w.SignRing(), 9.0L);
    DrawPlanetRingReduced(dc, chart.PlanetLongitudes, chart.VolguineRetroMarks, chart.HouseCusps[1], w.PlanetRing(),
                          12);
    DrawHouseRing(dc, chart.HouseCusps,
                  {.centre = w.Centre(), .outerRadius = w.houseOuter + 3.0L, .innerRadius = w.houseInner + 4.0L});
    DrawHouseAxisLabels(dc, chart.HouseCusps, {.centre = w.Centre(), .radius = w.signOuter + 5.0L});
    engine::StripTrailingBlanks(current.birth.SubjectName);
    int weekday = 0;
    engine::WeekdayOfJulianDay(chart, weekday, chart.JulianDay);
    DrawProgramStamp(dc, 5, 50);
    ReleaseBrush(dc);
    if (arraysInEngineOrder) return;
    try {
        RewritePositionFiles(current, wheel);
    } catch (const rt::IoError& e) {
        wheel.FileErrors.ReportOnce(e.File().empty() ? kPointPositionFile : e.File(), e);
    }
}

void RedrawReducedWheelChart(Surface& dc, archive::CurrentChart& current, bool framed, bool arraysInEngineOrder,
                             ChartGeometryState& geometry, NatalWheelState& wheel) {
    if (framed) DrawPageFrame(dc);
    SetWheelGeometry(geometry);
    DrawReducedWheelChart(dc, current, arraysInEngineOrder, wheel);
    ScopedBrush black(dc, 0);
    RectangleScaled(dc, 195, 2, 279, 100);
}

}  // namespace display
