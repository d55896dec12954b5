#include "display/sheets/sheet_wheel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_affinities.h"
#include "display/sheets/sheet_block.h"
#include "display/sheets/sheet_glyphs.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "engine/angles.h"
#include "engine/position_text.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

// The numerals of houses 1 to 12.
constexpr std::array<const char*, 12> kSheetHouseNumerals{"I",   "II",   "III", "IV", "V",  "VI",
                                                          "VII", "VIII", "IX",  "X",  "XI", "XII"};

// Within 0.005 above a multiple of the step.
bool JustAboveMultiple(Real t, Real step) {
    const Real r = t - step * std::floor(t / step);
    return r >= 0 && r < 0.005L;
}

void SheetWheelLine(Surface& dc, Real cx, Real cy, Real r1, Real r2, Real angle) {
    LinePage(dc, WheelPoint({cx, cy}, r1, angle), WheelPoint({cx, cy}, r2, angle));
}

// How a sign ring is drawn: the side of its glyphs and the width of the band
// outside it that the decan glyphs stand in (0 for none).
struct SignRingLook {
    Real glyphSize = 0;
    Real band = 0;
};

// Returns the wheel angle of 0 degrees Aries.
Real SignRing(Surface& dc, std::string_view prefix, const RingFrame& ring, const SignRingLook& look, Real asc) {
    const Real glyphSize = look.glyphSize, band = look.band;
    const Real cx = ring.centre.x, cy = ring.centre.y, ro = ring.outerRadius, ri = ring.innerRadius;
    {
        ScopedLinePen pen(dc, 0);
        DrawCircleScaled(dc, cx, cy, ro + band);
        DrawCircleScaled(dc, cx, cy, ro);
        DrawCircleScaled(dc, cx, cy, ri);
        MoveToPage(dc, cx - ro - band, cy);
        LineToScaled(dc, cx - ro - band - 10, cy);
        MoveToPage(dc, cx + ro + band, cy);
        LineToScaled(dc, cx + ro + band + 10, cy);
    }
    Real rotation = 0;
    const Real a0 = std::trunc(asc);
    const Real f = asc - a0;
    int sign = static_cast<int>(std::trunc(asc / 30)) + 1;
    if (sign > 12) sign = 12;
    if (sign < 1) sign = 1;
    Real t = 360 - a0;
    int boundaries = 1;
    do {
        const Real p = t - (360 - a0) + f;
        if (JustAboveMultiple(t, 30)) {
            {
                ScopedLinePen pen(dc, 0);
                SheetWheelLine(dc, cx, cy, ro + band, ri, p);
            }
            const PagePoint g = WheelPoint({cx, cy}, (ro + ri) / 2, p - 15);
            DrawSheetSignGlyph(dc, sign, prefix, {g.x, g.y, glyphSize});
            if (sign == 1) rotation = p;
            ++boundaries;
            if (--sign == 0) sign = 12;
        }
        if (JustAboveMultiple(t, 10)) {
            ScopedLinePen pen(dc, 10);
            SheetWheelLine(dc, cx, cy, ro + band, ro - 3, p);
            t += 9;
        }
        t += 0.5L;
    } while (boundaries < 14);
    return rotation;
}

}  // namespace

int DecanRuler(int decanIndexFromAries) {
    // Mars, Sun, Venus, Mercury, Moon, Saturn, Jupiter, over and over from 0 Aries.
    static const int kOrder[7] = {5, 1, 4, 3, 2, 7, 6};
    const int d = ((decanIndexFromAries % 36) + 36) % 36;
    return kOrder[d % 7];
}

Real DrawSheetSignRing(Surface& dc, std::string_view prefix, const RingFrame& ring, Real glyphSize, Real ascendant) {
    SheetBlockGuard guard(dc);
    Real rotation = SignRing(dc, prefix, ring, {.glyphSize = glyphSize, .band = 5}, ascendant);
    for (int d = 1; d <= 36; ++d) {
        const PagePoint g = WheelPoint(ring.centre, ring.outerRadius + 2.5L, rotation - 5);
        DrawSheetBodyGlyph(dc, DecanRuler(1 - d), {g.x, g.y, 3.5L});
        rotation += 10;
    }
    return 0.5L;
}

Real DrawSheetSignRingPlain(Surface& dc, std::string_view prefix, const RingFrame& ring, Real glyphSize,
                            Real ascendant) {
    SheetBlockGuard guard(dc);
    return SignRing(dc, prefix, ring, {.glyphSize = glyphSize, .band = 0}, ascendant);
}

void DrawSheetHouseRing(Surface& dc, const SheetCusps& cusps, const RingFrame& ring) {
    SheetBlockGuard guard(dc);
    const Real cx = ring.centre.x, cy = ring.centre.y, ho = ring.outerRadius, hi = ring.innerRadius;
    const Real asc = cusps[1];
    const Real m = (ho + hi) / 2;
    if (ho < 70) {
        ScopedLinePen pen(dc, 10);
        DrawCircleScaled(dc, cx, cy, ho);
        DrawCircleScaled(dc, cx, cy, hi);
        DrawCircleScaled(dc, cx, cy, ho + 3);
    }
    {
        ScopedPen pen(dc, 5);
        for (int k = 0; k < 60; ++k) SheetWheelLine(dc, cx, cy, ho, ho + 3, 15 - 6 * k);
    }
    SetTextColorByCode(dc, 0);
    for (int i = 1; i <= 6; ++i) {
        const Real q = asc - cusps[i] + 15;
        const PagePoint a = WheelPoint({cx, cy}, m, q - 5);
        const PagePoint b = WheelPoint({cx, cy}, m, q + 175);
        TextOutCentered(dc, kSheetHouseNumerals[i - 1], 2, rt::Round(a.x), rt::Round(a.y) - 2);
        TextOutCentered(dc, kSheetHouseNumerals[i + 5], 2, rt::Round(b.x), rt::Round(b.y) - 2);
        ScopedLinePen pen(dc, i == 1 || i == 4 ? 0 : 10);
        SheetWheelLine(dc, cx, cy, ho, hi, q);
        SheetWheelLine(dc, cx, cy, ho, hi, q + 180);
    }
}

void DrawSheetAngles(Surface& dc, const engine::Chart& chart, const CircleFrame& circle) {
    SheetBlockGuard guard(dc);
    const Real r = circle.radius, cx = circle.centre.x, cy = circle.centre.y;
    const SheetCusps& cusps = chart.cusps;
    const Real asc = cusps[1];
    auto point = [&](Real radius, Real angle) { return WheelPointWithAspect({{cx, cy}, radius}, angle, 1); };
    SetTextColorByCode(dc, 0);
    ScopedPen pen(dc, 2);
    LinePage(dc, point(r, 0), point(r + 10, 0));
    LinePage(dc, point(r, 180), point(r + 10, 180));
    {
        ScopedBrush brush(dc, Rgb(0, 255, 255));
        DotPage(dc, point(r, 0), 1.5L);
    }
    std::string text;
    engine::FormatDegMin(0, text, asc);
    const PagePoint at = point(r + 7, 0);
    TextOutCentered(dc, text, 1, at.x, at.y + 1);
    TextOutCentered(dc, "AS", 4, cx - r - 7, cy - 9);
    if (chart.settings.houseSystem.kind != engine::HouseSystem::MeanHouses) return;
    const Real mc = chart.points.midheaven;
    {
        ScopedBrush brush(dc, Rgb(0, 255, 255));
        DotPage(dc, point(r, asc - mc), 1.5L);
    }
    const PagePoint mp = point(r + 7, asc - mc);
    TextOutCentered(dc, "MC", 4, mp.x - 11, mp.y - 5);
    engine::FormatDegMin(0, text, mc);
    TextOutCentered(dc, text, 1, mp.x, mp.y - 4);
    ScopedBrush brush(dc, Rgb(255, 0, 0));
    for (int i = 1; i <= 6; ++i) {
        DotPage(dc, point(r, asc - (cusps[i] + 15)), 1.0L);
        DotPage(dc, point(r, asc - (cusps[i] + 195)), 1.0L);
    }
}

SheetRingAngles SpreadSheetAngles(int n, const SheetRingAngles& trueAngles, Real separation) {
    const SpreadAngles spread = SpreadRingAngles(n, trueAngles, separation);
    SheetRingAngles out{};
    for (int k = 0; k < n && k < static_cast<int>(kRingPointCapacity); ++k) out[k] = spread[k];
    return out;
}

namespace {

// The planet ring of a sheet's wheel: the first `count` points turned with the
// ascendant; plain on the affinity sheets (no circles about the glyphs, no
// degree texts).
struct SheetPlanetRing {
    RingFrame ring;
    Real ascendant = 0;
    int count = 0;
    bool plain = false;
};

void PlanetRing(Surface& dc, const WheelPointArray& lon, const WheelPointMarks& marks, const SheetPlanetRing& how) {
    SheetBlockGuard guard(dc);
    const Real cx = how.ring.centre.x, cy = how.ring.centre.y, ro = how.ring.outerRadius, ri = how.ring.innerRadius;
    const Real asc = how.ascendant;
    const bool plain = how.plain;
    const int n = std::min(how.count, static_cast<int>(kRingPointCapacity));
    SheetRingAngles a{};
    for (int k = 0; k < n; ++k) {
        a[k] = asc - lon[k];
        if (a[k] < 0) a[k] += 360;
    }
    const SheetRingAngles spread = SpreadSheetAngles(n, a, plain ? 8 : 10);
    const Real m = (ro + ri) / 2;
    const Real reach = plain ? 3.5L : 4.3L;
    const Color tickBrush = dc.OnPaper() ? kBlack : kWhite;
    for (int k = 0; k < n; ++k) {
        const PagePoint g = WheelPoint({cx, cy}, m, spread[k]);
        const int number = k + 1;
        if (!plain) {
            ScopedPen pen(dc, 14);
            DrawCircleScaled(dc, g.x, g.y, 4.5L);
        }
        {
            ScopedPen pen(dc, 1);
            if (plain)
                DrawSheetBodyGlyph(dc, number, {g.x, g.y, 5.0L});
            else
                DrawSheetBodyGlyph(dc, number, {g.x, g.y - 1.5L, 4.0L});
        }
        if (!plain) {
            SetTextColorByCode(dc, 0);
            std::string text;
            engine::FormatDegMin(0, text, lon[k]);
            TextOutLeft(dc, text, 0, g.x - 3.0L, g.y + 0.8L);
        }
        dc.SetTextColor(Rgb(255, 0, 0));
        if (marks[k] == "r" || marks[k] == "R") TextOutLeft(dc, "r", 0, g.x + 2.0L, g.y - 4.0L);
        ScopedLinePen pen(dc, 10);
        ScopedBrush brush(dc, tickBrush);
        const PagePoint outer = WheelPoint({cx, cy}, ro, a[k]);
        LinePage(dc, outer, WheelPoint({cx, cy}, m + reach, spread[k]));
        DotPage(dc, outer, 0.2L);
        const PagePoint inner = WheelPoint({cx, cy}, ri, a[k]);
        LinePage(dc, inner, WheelPoint({cx, cy}, m - reach, spread[k]));
        DotPage(dc, inner, 0.2L);
    }
    {
        ScopedLinePen pen(dc, 10);
        DrawCircleScaled(dc, cx, cy, ri);
    }
    SetTextColorByCode(dc, 0);
}

// The whole-degree end point of a longitude on the aspect circle.
PagePoint AspectEnd(const CircleFrame& circle, Real asc, Real longitude) {
    const Real angle = static_cast<Real>(rt::Round(asc) - rt::Round(longitude) + 360);
    return {static_cast<Real>(rt::Round(circle.centre.x - circle.radius * engine::CosDeg(angle))),
            static_cast<Real>(rt::Round(circle.centre.y - circle.radius * engine::SinDeg(angle)))};
}

}  // namespace

void DrawSheetPlanetRing(Surface& dc, const WheelPointArray& longitudes, const WheelPointMarks& marks, int n,
                         const RingFrame& ring, Real ascendant) {
    PlanetRing(dc, longitudes, marks, {.ring = ring, .ascendant = ascendant, .count = n, .plain = false});
}

void DrawSheetPlanetRingPlain(Surface& dc, const WheelPointArray& longitudes, const WheelPointMarks& marks, int n,
                              const RingFrame& ring, Real ascendant) {
    PlanetRing(dc, longitudes, marks, {.ring = ring, .ascendant = ascendant, .count = n, .plain = true});
}

std::vector<SheetAspect> EvaluateSheetAspects(const WheelPointArray& longitudes, Real ascendant, Real midheaven,
                                              const std::array<Real, 16>& orbs) {
    WheelPointArray lon = longitudes;
    lon[ChartPoint::NorthNode] = ascendant;
    lon[ChartPoint::SouthNode] = midheaven;
    std::vector<SheetAspect> found;
    auto deviation = [](Real exact, Real d) { return static_cast<int>(std::llabs(rt::Round(exact - d))); };
    // The planets with every later place.
    const int places = static_cast<int>(ChartPoint::SouthNode) + 1;
    for (int i = 0; i <= static_cast<int>(ChartPoint::Saturn); ++i)
        for (int j = i + 1; j < places; ++j) {
            Real d = lon[j] - lon[i];
            if (d < 0) d += 360;
            if (d > 180) d = 360 - d;
            const auto within = [d](Real exact, Real orb) { return exact - orb < d && d < exact + orb; };
            if (within(180, orbs[4]))
                found.push_back({i, j, true, deviation(180, d)});
            else if (within(120, orbs[3]))
                found.push_back({i, j, false, deviation(120, d)});
            else if (within(90, orbs[2]))
                found.push_back({i, j, true, deviation(90, d)});
            else if (within(60, orbs[1]))
                found.push_back({i, j, false, deviation(60, d)});
            // A conjunction (d < orb 0) is not drawn.
        }
    return found;
}

void DrawSheetAspects(Surface& dc, const engine::Chart& chart, const std::array<Real, 16>& orbs, int aspectLinesOn,
                      const CircleFrame& circle) {
    SheetBlockGuard guard(dc);
    {
        ScopedLinePen pen(dc, 10);
        DrawCircleScaled(dc, circle.centre.x, circle.centre.y, circle.radius);
    }
    SelectPenByCode(dc, 10);
    const Real asc = chart.cusps[1];
    const Real mc = chart.points.midheaven;
    const WheelPointArray points = WheelPointLongitudes(chart);
    WheelPointArray lon = points;
    lon[ChartPoint::NorthNode] = asc;
    lon[ChartPoint::SouthNode] = mc;
    for (const SheetAspect& a : EvaluateSheetAspects(points, asc, mc, orbs)) {
        const PagePoint p = AspectEnd(circle, asc, lon[a.first]);
        const PagePoint q = AspectEnd(circle, asc, lon[a.second]);
        if (aspectLinesOn == 0) {
            ScopedPen pen(dc, a.hard ? 7 : 25);
            ScopedBrush brush(dc, a.hard ? Rgb(255, 0, 0) : Rgb(0, 0, 255));
            DrawAspectWedge(dc, a.deviation, p.x, p.y, q.x, q.y);
        } else if (a.hard) {
            ScopedPen pen(dc, 79);
            DrawFineDottedLine(dc, p.x, p.y, q.x, q.y);
        } else {
            ScopedPen pen(dc, 80);
            LinePage(dc, p, q);
        }
    }
    ReleasePen(dc);
}

void DrawAspectWedge(Surface& dc, int deviation, Real ax, Real ay, Real bx, Real by) {
    const DrawingState& drawing = dc.Drawing();
    ax /= drawing.aspectScaleX;
    bx /= drawing.aspectScaleX;
    ay /= drawing.aspectScaleY;
    by /= drawing.aspectScaleY;
    const Real e = deviation < 0.2L ? 0.2L : static_cast<Real>(deviation);
    const Real w = 1 / (1.2L * std::sqrt(e));
    if (ax > bx) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    if (ax == bx) bx += 1;
    const Real deg = 180 / std::numbers::pi_v<Real>;
    const Real alpha = std::atan((ay - by) / (bx - ax)) * deg;
    const Real beta = std::atan(w / 8) * deg;
    const Real h = std::sqrt(w * w + 64);
    const Real c1 = h * engine::CosDeg(alpha - beta), s1 = h * engine::SinDeg(alpha - beta);
    const Real c2 = h * engine::CosDeg(alpha + beta), s2 = h * engine::SinDeg(alpha + beta);
    const Real corners[6][2] = {{ax, ay}, {ax + c1, ay - s1}, {bx - c2, by + s2},
                                {bx, by}, {bx - c1, by + s1}, {ax + c2, ay - s2}};
    Point pts[6];
    for (int i = 0; i < 6; ++i) {
        const Real z = drawing.pixelsPerUnit * drawing.zoomFactor;
        pts[i] = {static_cast<int>(rt::Round(corners[i][0] * z)) + drawing.originX,
                  static_cast<int>(rt::Round(corners[i][1] * z)) + drawing.originY};
    }
    const int fill = dc.State().polyFillMode;
    dc.SetPolyFillMode(kWinding);
    dc.Polygon(pts);
    dc.SetPolyFillMode(fill);
}

void DrawSheetThemeWheel(Surface& dc, const engine::Chart& chart, const std::array<Real, 16>& orbs, int aspectLinesOn,
                         PagePoint centre) {
    const WheelRings& w = kSheetWheel;
    const Real asc = chart.cusps[1];
    const RingFrame houseRing{.centre = centre, .outerRadius = w.houseOuter - 3.0L, .innerRadius = w.houseInner - 3.0L};
    DrawSheetSignRing(dc, "M", w.SignRing(centre), 7, asc);
    DrawSheetPlanetRing(dc, WheelPointLongitudes(chart), WheelPointRetroMarks(chart), 9, w.PlanetRing(centre), asc);
    DrawSheetHouseRing(dc, chart.cusps, houseRing);
    DrawSheetAspects(dc, chart, orbs, aspectLinesOn, {.centre = centre, .radius = houseRing.innerRadius});
    DrawHouseCusps(dc, chart, chart.cusps, {.centre = centre, .radius = w.signOuter + 5.0L});
}

void DrawSheetAffinityWheel(Surface& dc, const engine::Chart& chart, int mode, PagePoint centre) {
    const WheelRings& w = kSheetWheel;
    const Real asc = chart.cusps[1];
    const RingFrame signRing{.centre = centre, .outerRadius = w.signOuter - 2.0L, .innerRadius = w.signInner - 2.0L};
    const RingFrame planetRing{.centre = centre,
                               .outerRadius = w.planetOuter - 2.0L,
                               .innerRadius = w.PlanetRing().innerRadius};
    const RingFrame houseRing{.centre = centre, .outerRadius = w.houseOuter - 3.0L, .innerRadius = w.houseInner - 3.0L};
    DrawSheetSignRingPlain(dc, "M", signRing, 7, asc);
    DrawSheetPlanetRingPlain(dc, WheelPointLongitudes(chart), WheelPointRetroMarks(chart), 9, planetRing, asc);
    DrawSheetHouseRing(dc, chart.cusps, houseRing);
    DrawSheetAngles(dc, chart, {.centre = centre, .radius = signRing.outerRadius});
    DrawSheetAffinityFigures(dc, mode, asc, {.centre = centre, .radius = w.houseInner - 3.5L});
}

}  // namespace display
