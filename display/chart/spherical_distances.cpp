#include "display/chart/spherical_distances.h"

#include <algorithm>
#include <cmath>

#include "archive/current_chart.h"
#include "display/chart/view_drawing.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/primitives.h"
#include "display/wheel/wheel_points.h"
#include "engine/angles.h"
#include "engine/position_text.h"

namespace display {

namespace {

constexpr Real u = kSphericalGridUnit;
constexpr Color kGrey = 0x808080;

void Glyph(Surface& dc, int point, Real x, Real y) {
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, RenumberPlanetGlyph(point)), x, y, 5.0L);
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

SphericalDistances EvaluateSphericalDistances(const WheelPointArray& L, const WheelPointArray& B,
                                              const engine::OrbRecord& orbs, Real x0, Real y0) {
    const auto& o = orbs.aspectOrbs;
    SphericalDistances result;
    for (int i = 1; i <= kSphericalGridColumns; ++i)
        for (int j = i + 1; j <= 11; ++j) {
            SphericalDistanceCell c;
            c.first = i;
            c.second = j;
            const Real D = SphericalDistance(L[i], B[i], L[j], B[j]);
            c.distance = D;
            c.hard = (180 - o[4] < D && D < 180 + o[4]) || (90 - o[2] < D && D < 90 + o[2]);
            c.soft = (120 - o[3] < D && D < 120 + o[3]) || (60 - o[1] < D && D < 60 + o[1]);
            c.conjunction = D < o[0];
            engine::FloatToTextDec(5, c.text, D);
            c.x = 20 * u * i - 3 * u + x0;
            c.y = 12 * u * j - 11 * u + y0;
            result.cells.push_back(c);
        }
    return result;
}

void DrawSphericalDistanceCell(Surface& dc, const SphericalDistanceCell& cell) {
    const Real X = cell.x, Y = cell.y;
    const PagePoint from{X + 14 * u - 4.6L, Y - 13 * u + 4.8L};
    const PagePoint to{X + 14 * u + 2.9L, Y - 13 * u + 4.8L};
    dc.SetTextColor(kGrey);
    auto underline = [&](int pen, Color colour) {
        ScopedPen p(dc, pen);
        LinePage(dc, from, to);
        dc.SetTextColor(colour);
    };
    if (cell.hard) underline(74, kViewRed);
    if (cell.soft) underline(75, kViewCyan);
    if (cell.conjunction) underline(76, kViewYellow);
    TextOutLeft(dc, cell.text, 33, X + 14 * u - 4.1L, Y - 13 * u + 0.8L);
    dc.SetTextColor(kWhite);
}

SphericalDistances DrawSphericalDistanceGrid(Surface& dc, const archive::CurrentChart& current,
                                             const WheelPointArray& longitudes, Real x0, Real y0) {
    const SphericalDistances d =
        EvaluateSphericalDistances(longitudes, WheelPointLatitudes(current.chart), current.orbs, x0, y0);

    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "SFERISCHE", 15, x0 + 82 * u, y0 + 7 * u);
    TextOutLeft(dc, "AFSTANDEN", 15, x0 + 110 * u - 5, y0 + 19 * u);
    SetTextColorByCode(dc, 0);

    const Real left = x0 + 19 * u;
    const Real bottom = y0 + 9 * 12 * u + 12 * u;
    {
        ScopedLinePen pen(dc, 10);
        LinePage(dc, {left, y0}, {left, bottom});
        Real rowY = y0;
        Real right = left;
        for (int k = 1; k <= 11; ++k) {
            if (k <= kSphericalGridColumns) right += 20 * u;
            LinePage(dc, {left, rowY}, {right, rowY});
            if (k <= kSphericalGridColumns) LinePage(dc, {left + 20 * u * k, rowY}, {left + 20 * u * k, bottom});
            if (k <= 8) Glyph(dc, k + 1, x0 + 8 * u, rowY + 2.5L);
            rowY += 12 * u;
        }
    }
    Glyph(dc, 10, x0 + 2 * u + 3, y0 + 9 * 12 * u - 8 * u + 1);
    Glyph(dc, 11, x0 + 2 * u + 3, y0 + 9 * 12 * u + 4 * u + 1);
    for (int k = 1; k <= kSphericalGridColumns; ++k) Glyph(dc, k, x0 + 7 * u + 20 * u * k + 3 * u, y0 + 11 * 12 * u - 4 * u);

    for (const SphericalDistanceCell& c : d.cells) DrawSphericalDistanceCell(dc, c);
    return d;
}

}  // namespace display
