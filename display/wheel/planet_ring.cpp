#include "display/wheel/planet_ring.h"

#include <algorithm>
#include <vector>

#include "archive/current_chart.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "engine/angles.h"
#include "engine/position_text.h"

namespace display {

SpreadAngles SpreadRingAngles(int n, const RingAngles& trueAngles, Real separation) {
    SpreadAngles result{};
    if (n > static_cast<int>(kRingPointCapacity)) n = static_cast<int>(kRingPointCapacity);
    if (n <= 0) return result;
    const Real d = separation;

    // Display angles with their points' indices, sorted ascending (stable).
    std::vector<float> sorted(n);
    std::vector<int> pointOf(n);
    for (int i = 0; i < n; ++i) {
        sorted[i] = static_cast<float>(trueAngles[i]);
        pointOf[i] = i;
    }
    for (int pass = 1; pass < n; ++pass)
        for (int j = 0; j + 1 < n; ++j)
            if (sorted[j] > sorted[j + 1]) {
                std::swap(sorted[j], sorted[j + 1]);
                std::swap(pointOf[j], pointOf[j + 1]);
            }

    // The first largest gap; the first gap runs across 0 degrees. Without any
    // gap (all angles equal) the circle is cut before the first point.
    int firstAfterGap = 0;
    Real largest = -1;
    for (int i = 0; i < n; ++i) {
        Real previous = i == 0 ? sorted[n - 1] : sorted[i - 1];
        Real gap = static_cast<Real>(sorted[i]) - previous;
        if (gap < 0) gap += 360;
        if (gap > largest) {
            largest = gap;
            firstAfterGap = i;
        }
    }

    // Unroll the circle from just after the largest gap into entries 1..n,
    // with the last point a turn back before them and the first a turn on
    // after them.
    std::vector<float> unrolled(n + 2);
    for (int m = 1; m <= n; ++m) {
        int idx = firstAfterGap + m - 1;
        unrolled[m] = idx < n ? sorted[idx] : static_cast<float>(sorted[idx - n] + 360.0L);
    }
    unrolled[0] = static_cast<float>(unrolled[n] - 360.0L);
    unrolled[n + 1] = static_cast<float>(unrolled[1] + 360.0L);
    const std::vector<float> unpushed = unrolled;

    // Push crowded neighbours apart; centre each run that was pushed.
    int c = 0;
    for (int i = 1; i <= n; ++i) {
        if (static_cast<Real>(unrolled[i + 1]) - unrolled[i] <= d) {
            unrolled[i + 1] = static_cast<float>(unrolled[i] + d);
            ++c;
            continue;
        }
        Real h = (static_cast<Real>(unrolled[i]) - unpushed[i]) / 2;
        Real before = static_cast<Real>(unrolled[i - c]) - unrolled[i - c - 1];
        Real back = 0;
        if (before >= h + d)
            back = h;
        else if (before > d && c >= 2)
            back = before - d;
        if (back != 0)
            for (int m = i - c; m <= i; ++m) unrolled[m] = static_cast<float>(unrolled[m] - back);
        c = 0;
    }

    // Roll back into the sorted order, then back to point order.
    for (int k = 0; k < firstAfterGap; ++k)
        sorted[k] = static_cast<float>(unrolled[n - firstAfterGap + k + 1] - 360.0L);
    for (int k = firstAfterGap; k < n; ++k) sorted[k] = unrolled[k - firstAfterGap + 1];
    for (int pass = 1; pass < n; ++pass)
        for (int j = 0; j + 1 < n; ++j)
            if (pointOf[j] > pointOf[j + 1]) {
                std::swap(sorted[j], sorted[j + 1]);
                std::swap(pointOf[j], pointOf[j + 1]);
            }
    for (int i = 0; i < n; ++i) result[i] = sorted[i];
    return result;
}

}  // namespace display

namespace display {

namespace {

// Shorter-arc distance of two longitudes, degrees 0..180.
Real ArcDistance(Real a, Real b) {
    Real d = engine::Mod360(a - b);
    return d > 180 ? 360 - d : d;
}

}  // namespace

void DrawPlanetRing(Surface& dc, WheelPointArray longitudes, WheelPointMarks marks, const PlanetRingOptions& o) {
    const int n = std::min(o.count, 23);
    const Real cx = o.ring.centre.x, cy = o.ring.centre.y;

    // True wheel angles.
    RingAngles t{};
    for (int i = 0; i < n; ++i) {
        Real a = o.ascendant - longitudes[i];
        if (a < 0) a += 360;
        t[i] = engine::Mod360(a + o.angleOffset);
    }
    const SpreadAngles s = SpreadRingAngles(n, t);

    const Real rm = (o.ring.innerRadius + o.ring.outerRadius) / 2;
    const Real re1 = rm - o.glyphSize / 2 - 1;
    const Real re2 = rm + o.glyphSize / 2 + 1;
    // The degree texts stand outside the chart window's sign ring.
    const Real signOuter = kChartWindowWheel.signOuter;

    for (int i = 0; i < n; ++i) {
        const PagePoint g = WheelPoint({cx, cy}, rm, s[i]);
        const int number = i + 1;
        SelectPenByCode(dc, 1);
        DrawGlyphFile(dc, PlanetGlyphFileName(dc, o.directGlyphs ? number : RenumberPlanetGlyph(number)),
                      {g.x, g.y, o.glyphSize});
        ReleasePen(dc);

        if (o.centres) {
            SelectPenByCode(dc, 2);
            SelectBrushColor(dc, 1);
            DotPage(dc, g, 1.5L);
            ReleaseBrush(dc);
            ReleasePen(dc);
            if (i < kWheelPointCount) {
                o.centres->planetGlyphX[static_cast<ChartPoint>(i)] = g.x;
                o.centres->planetGlyphY[static_cast<ChartPoint>(i)] = g.y;
            }
        }

        if (o.degreeTexts) {
            const bool nearAxis =
                ArcDistance(longitudes[i], o.ascendant) <= 5 || ArcDistance(longitudes[i], o.descendant) <= 5;
            SelectLinePen(dc, 0);
            LinePage(dc, WheelPoint({cx, cy}, signOuter + (nearAxis ? 25 : 15), s[i]),
                     WheelPoint({cx, cy}, signOuter + 29, s[i]));
            ReleasePen(dc);
            SetTextColorByCode(dc, 0);
            std::string text;
            engine::FormatDegMin(1, text, longitudes[i]);
            const PagePoint p = WheelPoint({cx, cy}, signOuter + 35, s[i]);
            TextOutCentered(dc, text, 2, p.x, p.y - 2);
        }

        const bool markable = i <= static_cast<int>(ChartPoint::SouthNode) || o.retroMarksAllPoints;
        if (markable && (marks[i] == "r" || marks[i] == "R")) {
            dc.SetTextColor(Rgb(255, 0, 0));
            TextOutLeft(dc, "R", o.glyphSize >= 7 ? 15 : 10, g.x + 3, g.y - 3);
        }

        SelectLinePen(dc, 10);
        SelectBrushColor(dc, dc.OnPaper() ? kBlack : kWhite);
        const PagePoint outerTrue = WheelPoint({cx, cy}, o.ring.outerRadius, t[i]);
        const PagePoint innerTrue = WheelPoint({cx, cy}, o.ring.innerRadius, t[i]);
        LinePage(dc, outerTrue, WheelPoint({cx, cy}, re2, s[i]));
        DotPage(dc, outerTrue, 0.2L);
        LinePage(dc, innerTrue, WheelPoint({cx, cy}, re1, s[i]));
        DotPage(dc, innerTrue, 0.2L);
        ReleaseBrush(dc);
        ReleasePen(dc);
    }

    SelectLinePen(dc, 10);
    DrawCircleScaled(dc, cx, cy, o.ring.innerRadius);
    ReleasePen(dc);
    SetTextColorByCode(dc, 0);
}

PlanetRingOptions ChartWindowRing(const engine::Chart& chart, const RingFrame& ring, Real glyphSize,
                                  NatalWheelState* centres) {
    const PlanetRingOptions o{.ascendant = chart.cusps[1],
                              .descendant = chart.cusps[7],
                              .ring = ring,
                              .glyphSize = glyphSize,
                              .count = 11,
                              .degreeTexts = false,
                              .centres = centres};
    return o;
}

}  // namespace display
