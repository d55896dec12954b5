#include "display/chart/aspects_and_orbits.h"

#include <cmath>

#include "display/chart/view_drawing.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/stroke_glyphs.h"
#include "display/wheel/wheel_points.h"
#include "engine/position_text.h"
#include "platform/runtime/number_text.h"

namespace display {

const GridAspect kGridAspects[11] = {
    {180, 4, 5},    // opposition
    {150, 13, 8},   // quincunx
    {144, 12, 11},  // biquintile
    {135, 11, 6},   // sesquiquadrate
    {120, 3, 4},    // trine
    {90, 2, 3},     // square
    {72, 10, 10},   // quintile
    {60, 1, 2},     // sextile
    {45, 8, 7},     // semi-square
    {30, 5, 9},     // semi-sextile
    {0, 0, 1},      // conjunction
};

Real FoldedDistance(Real first, Real second) {
    Real d = second - first;
    if (d < 0) d += 360;
    if (d > 180) d = 360 - d;
    return d;
}

AspectGrid EvaluateAspectsAndOrbits(const engine::Chart& chart, const engine::OrbRecord& orbs) {
    AspectGrid grid;
    const WheelPointArray longitudes = WheelPointLongitudes(chart);
    // The planets and the nodes in the columns, every later point in the rows.
    for (ChartPoint first : kChartPoints)
        for (ChartPoint second : kChartPoints) {
            if (second <= first || first > ChartPoint::SouthNode) continue;
            const int i = ChartPointNumber(first), j = ChartPointNumber(second);
            const Real d = FoldedDistance(longitudes[first], longitudes[second]);
            for (const GridAspect& a : kGridAspects) {
                const Real o = orbs.aspectOrbs[a.orbSlot];
                const bool match = a.angle == 0 ? d < o : (a.angle - o < d && d < a.angle + o);
                if (!match) continue;
                grid.cells.push_back({i, j, a.glyph, static_cast<int>(rt::Round(std::fabs(a.angle - d)))});
                break;
            }
        }
    return grid;
}

void DrawAspectsAndOrbits(Surface& dc, const AspectGrid& grid, std::string_view titleFlag, Real x, Real y) {
    const int n = kGridBodyCount;

    SetTextColorByCode(dc, 4);
    if (titleFlag != "NO") {
        TextOutLeft(dc, "ASPECTEN & BANEN", 15, x + 19, y);
        TextOutLeft(dc, "op de ecliptica", 15, x + 30, y + 4.5L);
    }
    SetTextColorByCode(dc, 0);

    {
        ScopedLinePen pen(dc, 10);
        for (int i = 1; i <= n + 2; ++i) {
            const Real h = y + 5 * (i - 1);
            LineScaled(dc, x + 6, h, x + 6 + 8 * std::min(i, n), h);
            if (i <= n) LineScaled(dc, x + 6 + 8 * i, h, x + 6 + 8 * i, y + 5 * n + 5);
        }
        LineScaled(dc, x + 6, y, x + 6, y + 5 * n + 5);
    }

    for (int i = 1; i <= n + 1; ++i) DrawPointGlyph(dc, i + 1, {x + 1, y + 5 * (i - 1) + 2.2L}, 4.5L);
    for (int k = 1; k <= n; ++k) DrawPointGlyph(dc, k, {x + 2 + 8 * k, y + 53}, 4.5L);

    for (const AspectGridCell& c : grid.cells) {
        const Real cx = x + 8 * c.column - 3;
        const Real cy = y + 5 * c.row - 11;
        DrawAspectGlyph(dc, c.glyph, {cx + 3, cy + 3.7L}, 1.0L);
        TextOutLeft(dc, engine::IntToStrZeroPad(c.deviation, 2), 1, cx + 5, cy + 2);
    }
}

}  // namespace display
