#include "display/wheel/house_ring.h"

#include <string>

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/wheel_points.h"
#include "engine/engine_settings.h"
#include "engine/houses.h"
#include "engine/position_text.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/number_text.h"

namespace display {


const char* const kHouseNumerals[12] = {"I", "2", "3", "IV", "5", "6", "VII", "8", "9", "X", "11", "12"};
const char* const kRomanHouseNumerals[12] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"};

std::string HouseSystemCaption(const engine::Chart& chart) {
    return engine::HouseSystemText(chart.settings.houseSystem) +
           (engine::PorphyryStandsInForChart(chart) ? kPorphyryStandInNote : "");
}

std::string PorphyryStandInLine(const engine::Chart& chart) {
    if (!engine::PorphyryStandsInForChart(chart)) return {};
    return "De huizen zijn hier die van PORFIRIO: voorbij de poolcirkel bestaan die van " +
           engine::HouseSystemText(chart.settings.houseSystem) + " niet.";
}

namespace {

PagePoint RoundedPoint(PagePoint p) { return {static_cast<Real>(rt::Round(p.x)), static_cast<Real>(rt::Round(p.y))}; }

// A radial line from radius r1 to radius r2 in the direction of wheel angle theta.
void Radial(Surface& dc, Real cx, Real cy, Real r1, Real r2, Real theta) {
    LinePage(dc, WheelPoint({cx, cy}, r1, theta), WheelPoint({cx, cy}, r2, theta));
}

std::string DegreeText(Real longitude) {
    std::string text;
    engine::FormatDegMin(1, text, longitude);
    return rt::CutTo(text, 6);
}

// The point of a longitude on the cusp marks' circles (no vertical factor).
PagePoint CuspPoint(const CircleFrame& circle, Real ascendant, Real longitude) {
    return WheelPointWithAspect(circle, ascendant - longitude, 1.0L);
}

void ColouredDot(Surface& dc, PagePoint p, Real rho, Color colour) {
    SelectBrushColor(dc, colour);
    DotPage(dc, p, rho);
    ReleaseBrush(dc);
}

// Numerals and boundary lines shared by both rings: for house i = 1..6, the
// boundary direction b (wheel angle of the line opposite the boundary of
// house i), numeral i five degrees inside house i and numeral i + 6 opposite.
// `shifted` holds each house's boundary turned with the Ascendant.
void NumeralsAndBoundaries(Surface& dc, const HouseCusps& shifted, const char* const numerals[12],
                           const RingFrame& ring) {
    const Real inner = ring.innerRadius, outer = ring.outerRadius, cx = ring.centre.x, cy = ring.centre.y;
    const Real m = (inner + outer) / 2;
    for (int i = 1; i <= 6; ++i) {
        const Real b = 360 - shifted[i];
        const PagePoint label = RoundedPoint(WheelPoint({cx, cy}, m, b - 5));
        const PagePoint opposite = RoundedPoint(WheelPoint({cx, cy}, m, b - 5 + 180));
        SetTextColorByCode(dc, 0);
        TextOutCentered(dc, numerals[i - 1], 2, opposite.x, opposite.y - 2);
        TextOutCentered(dc, numerals[i + 5], 2, label.x, label.y - 2);
        SelectLinePen(dc, i == 1 || i == 4 ? 0 : 10);
        Radial(dc, cx, cy, outer, inner, b);
        Radial(dc, cx, cy, outer, inner, b + 180);
        ReleasePen(dc);
    }
}

}  // namespace

void DrawHouseRing(Surface& dc, const HouseCusps& cusps, const RingFrame& ring) {
    const Real radiusA = ring.innerRadius, radiusB = ring.outerRadius, cx = ring.centre.x, cy = ring.centre.y;
    const Real asc = cusps[1];
    HouseCusps c;
    for (int i = 1; i <= 12; ++i) {
        c[i] = cusps[i] - asc + 180;
        if (c[i] < 0) c[i] += 360;
    }
    if (radiusB < 70) {
        SelectLinePen(dc, 10);
        DrawCircleScaled(dc, cx, cy, radiusB);
        DrawCircleScaled(dc, cx, cy, radiusA);
        ReleasePen(dc);
    }
    // With b = 360 - c_i the opposite of cusp i; the numerals stand 5 degrees
    // further on, as the shared routine places them.
    NumeralsAndBoundaries(dc, c, kHouseNumerals, ring);
}

void DrawChartWindowHouseRing(Surface& dc, const HouseCusps& cusps, const RingFrame& ring, Real ascendant) {
    const Real innerRadius = ring.innerRadius, outerRadius = ring.outerRadius, cx = ring.centre.x, cy = ring.centre.y;
    HouseCusps c;
    for (int i = 1; i <= 12; ++i) {
        c[i] = cusps[i] - ascendant + 180 - 15;
        if (c[i] < 0) c[i] += 360;
    }
    if (outerRadius < 70) {
        SelectLinePen(dc, 10);
        DrawCircleScaled(dc, cx, cy, outerRadius);
        DrawCircleScaled(dc, cx, cy, innerRadius);
        DrawCircleScaled(dc, cx, cy, outerRadius + 3);
        ReleasePen(dc);
    }
    SelectPenByCode(dc, 5);
    Real tick = 180 - c[1];
    for (int k = 0; k < 60; ++k, tick -= 6) Radial(dc, cx, cy, outerRadius, outerRadius + 3, tick);
    ReleasePen(dc);
    NumeralsAndBoundaries(dc, c, kRomanHouseNumerals, ring);
}

void DrawHouseCusps(Surface& dc, const engine::Chart& chart, const HouseCusps& cusps, const CircleFrame& circle) {
    const Real r = circle.radius, cx = circle.centre.x, cy = circle.centre.y;
    const Real asc = cusps[1];
    // The dots lie on the circle, the ticks reach 10 units beyond it and the texts stand 7 beyond.
    const CircleFrame ticks{circle.centre, r + 10}, texts{circle.centre, r + 7};
    SetTextColorByCode(dc, 0);

    // The Ascendant: ticks on both ends of the horizon, a cyan dot, degree texts.
    SelectPenByCode(dc, 2);
    LinePage(dc, CuspPoint(circle, asc, asc + 180), CuspPoint(ticks, asc, asc + 180));
    SelectPenByCode(dc, 2);
    LinePage(dc, CuspPoint(circle, asc, asc), CuspPoint(ticks, asc, asc));
    ColouredDot(dc, CuspPoint(circle, asc, asc), 1.5L, Rgb(0, 255, 255));
    ReleasePen(dc);

    const std::string ascText = DegreeText(chart.cusps[1]);
    const PagePoint right = CuspPoint(texts, asc, asc + 180);
    const PagePoint left = CuspPoint(texts, asc, asc);
    TextOutCentered(dc, ascText, 1, right.x, right.y + 1);
    TextOutCentered(dc, ascText, 1, left.x, left.y + 1);
    TextOutCentered(dc, "AS", 4, cx - r - 7, cy - 9);

    if (chart.settings.houseSystem.kind != engine::HouseSystem::MeanHouses) return;

    const Real mc = chart.points.midheaven;
    ColouredDot(dc, CuspPoint(circle, asc, mc), 1.5L, Rgb(0, 255, 255));
    const PagePoint l = CuspPoint(texts, asc, mc);
    TextOutCentered(dc, "MC", 4, l.x - 11, l.y - 5);
    TextOutCentered(dc, DegreeText(mc), 1, l.x, l.y - 4);
    ColouredDot(dc, CuspPoint(circle, asc, mc + 180), 1.5L, Rgb(0, 255, 255));

    // The middle of every house (15 degrees past its cusp) and its opposite.
    for (int i = 1; i <= 6; ++i) {
        const Real h = chart.cusps[i] + 15;
        ColouredDot(dc, CuspPoint(circle, asc, h), 1, Rgb(255, 0, 0));
        ColouredDot(dc, CuspPoint(circle, asc, h + 180), 1, Rgb(255, 0, 0));
        const std::string text = DegreeText(chart.cusps[i] - 15);
        if (i != 3 && i != 4) {
            const PagePoint o = CuspPoint(texts, asc, h + 180);
            TextOutCentered(dc, text, 1, o.x, o.y - 2);
        }
        const PagePoint p = CuspPoint(texts, asc, h);
        TextOutCentered(dc, text, 1, p.x, p.y - 2);
    }
}

}  // namespace display
