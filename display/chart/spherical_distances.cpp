#include "display/chart/spherical_distances.h"

#include <algorithm>
#include <cmath>

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/primitives.h"
#include "display/wheel/wheel_points.h"
#include "engine/angles.h"
#include "engine/position_text.h"

namespace display {

namespace {

constexpr Real kU = kSphericalGridUnit;
constexpr Color kGrey = 0x808080;
constexpr Color kDistanceRed = 0x0000FF;
constexpr Color kDistanceCyan = 0xFFFF00;
constexpr Color kDistanceYellow = 0x00FFFF;

void Glyph(Surface& dc, int point, Real x, Real y) {
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, RenumberPlanetGlyph(point)), {x, y, 5.0L});
}

}  // namespace

Real SphericalDistance(Real la, Real ba, Real lb, Real bb) {
    Real delta = lb - la;
    if (delta < 0) delta += 360;
    if (delta >= 180) delta = 360 - delta;
    const Real ca = 90 - ba, cb = 90 - bb;
    Real c = engine::CosDeg(ca) * engine::CosDeg(cb) + engine::SinDeg(ca) * engine::SinDeg(cb) * engine::CosDeg(delta);
    c = std::clamp(c, Real(-1), Real(1));
    return std::acos(c) * 180 / engine::kPi;
}

SphericalDistances EvaluateSphericalDistances(const WheelPointArray& l, const WheelPointArray& b,
                                              const engine::OrbRecord& orbs, Real x0, Real y0) {
    const auto& o = orbs.aspectOrbs;
    SphericalDistances result;
    for (ChartPoint first : kChartPoints)
        for (ChartPoint second : kChartPoints) {
            if (second <= first || ChartPointNumber(first) > kSphericalGridColumns) continue;
            SphericalDistanceCell c;
            c.first = ChartPointNumber(first);
            c.second = ChartPointNumber(second);
            const int i = c.first, j = c.second;
            const Real d = SphericalDistance(l[first], b[first], l[second], b[second]);
            c.distance = d;
            c.hard = (180 - o[4] < d && d < 180 + o[4]) || (90 - o[2] < d && d < 90 + o[2]);
            c.soft = (120 - o[3] < d && d < 120 + o[3]) || (60 - o[1] < d && d < 60 + o[1]);
            c.conjunction = d < o[0];
            engine::FloatToTextDec(5, c.text, d);
            c.x = 20 * kU * i - 3 * kU + x0;
            c.y = 12 * kU * j - 11 * kU + y0;
            result.cells.push_back(c);
        }
    return result;
}

void DrawSphericalDistanceCell(Surface& dc, const SphericalDistanceCell& cell) {
    const Real x = cell.x, y = cell.y;
    const PagePoint from{x + 14 * kU - 4.6L, y - 13 * kU + 4.8L};
    const PagePoint to{x + 14 * kU + 2.9L, y - 13 * kU + 4.8L};
    dc.SetTextColor(kGrey);
    auto underline = [&](int pen, Color colour) {
        ScopedPen p(dc, pen);
        LinePage(dc, from, to);
        dc.SetTextColor(colour);
    };
    if (cell.hard) underline(74, kDistanceRed);
    if (cell.soft) underline(75, kDistanceCyan);
    if (cell.conjunction) underline(76, kDistanceYellow);
    TextOutLeft(dc, cell.text, 33, x + 14 * kU - 4.1L, y - 13 * kU + 0.8L);
    dc.SetTextColor(kWhite);
}

SphericalDistances DrawSphericalDistanceGrid(Surface& dc, const archive::CurrentChart& current,
                                             const WheelPointArray& longitudes, Real x0, Real y0) {
    const SphericalDistances d =
        EvaluateSphericalDistances(longitudes, WheelPointLatitudes(current.chart), current.orbs, x0, y0);

    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "SFERISCHE", 15, x0 + 82 * kU, y0 + 7 * kU);
    TextOutLeft(dc, "AFSTANDEN", 15, x0 + 110 * kU - 5, y0 + 19 * kU);
    SetTextColorByCode(dc, 0);

    const Real left = x0 + 19 * kU;
    const Real bottom = y0 + 9 * 12 * kU + 12 * kU;
    {
        ScopedLinePen pen(dc, 10);
        LinePage(dc, {left, y0}, {left, bottom});
        Real rowY = y0;
        Real right = left;
        for (int k = 1; k <= 11; ++k) {
            if (k <= kSphericalGridColumns) right += 20 * kU;
            LinePage(dc, {left, rowY}, {right, rowY});
            if (k <= kSphericalGridColumns) LinePage(dc, {left + 20 * kU * k, rowY}, {left + 20 * kU * k, bottom});
            if (k <= 8) Glyph(dc, k + 1, x0 + 8 * kU, rowY + 2.5L);
            rowY += 12 * kU;
        }
    }
    Glyph(dc, 10, x0 + 2 * kU + 3, y0 + 9 * 12 * kU - 8 * kU + 1);
    Glyph(dc, 11, x0 + 2 * kU + 3, y0 + 9 * 12 * kU + 4 * kU + 1);
    for (int k = 1; k <= kSphericalGridColumns; ++k)
        Glyph(dc, k, x0 + 7 * kU + 20 * kU * k + 3 * kU, y0 + 11 * 12 * kU - 4 * kU);

    for (const SphericalDistanceCell& c : d.cells) DrawSphericalDistanceCell(dc, c);
    return d;
}

}  // namespace display
