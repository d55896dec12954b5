#include "display/chart/reduced_wheel.h"

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/stroke_glyphs.h"
#include "display/wheel/wheel_points.h"
#include "engine/bodies_theory.h"
#include "engine/position_text.h"

namespace display {

HouseAxes EvaluateHouseAxes(const HouseCusps& cusps) {
    HouseAxes a;
    for (int i = 1; i <= 6; ++i) {
        HouseAxis& axis = a.axis[static_cast<std::size_t>(i - 1)];
        axis.cuspAngle = cusps[1] - cusps[i];
        std::string text;
        engine::FormatDegMin(0, text, cusps[i]);
        axis.degreeText = text.substr(0, 6);
        axis.ticked = i == 1 || i == 4;
    }
    return a;
}

void DrawHouseAxisLabels(Surface& dc, const HouseCusps& cusps, const CircleFrame& circle) {
    const Real r = circle.radius, cx = circle.centre.x, cy = circle.centre.y;
    const HouseAxes axes = EvaluateHouseAxes(cusps);
    SetTextColorByCode(dc, 0);
    for (int i = 1; i <= 6; ++i) {
        const HouseAxis& a = axes.axis[static_cast<std::size_t>(i - 1)];
        const Real ends[2] = {a.cuspAngle, a.cuspAngle + 180};
        PagePoint textPoint[2];
        for (int e = 0; e < 2; ++e) {
            const Real theta = ends[e];
            if (a.ticked) {
                ScopedPen pen(dc, 2);
                LinePage(dc, WheelPoint({cx, cy}, r, theta), WheelPoint({cx, cy}, r + 10, theta));
            }
            {
                ScopedBrush brush(dc, Rgb(255, 0, 0));
                DotPage(dc, WheelPoint({cx, cy}, r, theta), 1.0L);
            }
            const PagePoint t = WheelPoint({cx, cy}, r + 7, theta);
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

void DrawPlanetRingReduced(Surface& dc, const WheelPointArray& longitudes, const WheelPointMarks& marks, Real ascendant,
                           const RingFrame& ring, int count) {
    const PlanetRingOptions o{.ascendant = ascendant,
                              .descendant = ascendant + 180,
                              .ring = ring,
                              .angleOffset = 0.0L,
                              .glyphSize = 7.0L,
                              .count = count,
                              .degreeTexts = false,
                              .directGlyphs = true,
                              .retroMarksAllPoints = true};
    DrawPlanetRing(dc, longitudes, marks, o);
}

void DrawReducedWheelChart(Surface& dc, const engine::Chart& chart) {
    constexpr int kBodiesShown = 12;  // the Sun to the black moon
    WheelPointArray longitudes{};
    WheelPointMarks marks;
    marks.fill(" ");
    for (int n = 1; n <= kBodiesShown; ++n) {
        const engine::BodyPosition& body = chart.bodies[engine::BodyOfNumber(n)];
        longitudes[n - 1] = body.longitude;
        if (body.retrograde) marks[n - 1].assign(1, 'r');
    }
    SetTextColorByCode(dc, 0);
    const WheelRings& w = kChartWindowWheel;
    DrawSignRingReduced(dc, chart.cusps[1], "M", w.SignRing(), 9.0L);
    DrawPlanetRingReduced(dc, longitudes, marks, chart.cusps[1], w.PlanetRing(), kBodiesShown);
    DrawHouseRing(dc, chart.cusps,
                  {.centre = w.Centre(), .outerRadius = w.houseOuter + 3.0L, .innerRadius = w.houseInner + 4.0L});
    DrawHouseAxisLabels(dc, chart.cusps, {.centre = w.Centre(), .radius = w.signOuter + 5.0L});
    DrawProgramStamp(dc, 5, 50);
    ReleaseBrush(dc);
}

void RedrawReducedWheelChart(Surface& dc, const engine::Chart& chart, bool framed, ChartGeometryState& geometry) {
    if (framed) DrawPageFrame(dc);
    SetWheelGeometry(geometry);
    DrawReducedWheelChart(dc, chart);
    ScopedBrush black(dc, 0);
    RectangleScaled(dc, 195, 2, 279, 100);
}

}  // namespace display
