#include "display/sheets/sheet_tables.h"

#include <charconv>
#include <cmath>

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_block.h"
#include "display/sheets/sheet_glyphs.h"
#include "engine/angles.h"
#include "engine/position_text.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

void Title(Surface& dc, const char* title, PagePoint anchor, Real dx = -2) {
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, title, 2, anchor.x + dx, anchor.y - 8);
    SetTextColorByCode(dc, 0);
}

std::string SignPosLong(Real longitude) {
    std::string text;
    engine::FormatSignPosLong(text, " ", longitude);
    return text;
}

}  // namespace

Real SheetDodecatemorion(Real longitude) { return engine::Mod360(longitude + 12 * engine::Mod30(longitude)); }

std::string FormatBracketedDegrees(Real value) {
    const std::int64_t whole = rt::Trunc(value);
    const double fraction = static_cast<double>(value - static_cast<Real>(whole));
    // The shortest fixed-point text of the fraction ("0.5", "0.345678", "0"); a
    // tiny fraction stays in fixed form, so its decimals are zeros.
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(fraction), std::chars_format::fixed);
    const std::string frac(buf, r.ptr);
    const std::string decimals = frac.size() > 2 ? frac.substr(2, 2) : std::string();
    return "(" + std::to_string(whole) + engine::kDegreeSign + "," + decimals + ")";
}

WheelPointArray SheetDodecatemoria(const WheelPointArray& longitudes) {
    WheelPointArray d = longitudes;
    for (ChartPoint p : kChartPoints) d[p] = SheetDodecatemorion(longitudes[p]);
    return d;
}

void DrawSheetDodecatemoria(Surface& dc, const WheelPointArray& longitudes, PagePoint anchor) {
    const Real x = anchor.x;
    Real y = anchor.y;
    SheetBlockGuard guard(dc);
    const WheelPointArray dodecatemoria = SheetDodecatemoria(longitudes);
    Title(dc, "DODECATEMORIEEN", anchor);
    for (ChartPoint p : kChartPoints) {
        DrawSheetBodyGlyph(dc, ChartPointNumber(p), {x, y, 4.0L});
        TextOutLeft(dc, SignPosLong(dodecatemoria[p]), 2, x + 5, y - 2.5L);
        y += 4.5L;
    }
}

void DrawSheetLongitudes(Surface& dc, const WheelPointArray& longitudes, PagePoint anchor) {
    const Real x = anchor.x;
    Real y = anchor.y;
    SheetBlockGuard guard(dc);
    Title(dc, "LONGITUDINI", anchor);
    for (ChartPoint p : kChartPoints) {
        const Real l = longitudes[p];
        DrawSheetBodyGlyph(dc, ChartPointNumber(p), {x, y + 1, 4.0L});
        TextOutLeft(dc, SignPosLong(l), 2, x + 5, y - 2.5L);
        y += 4;
        TextOutLeft(dc, FormatBracketedDegrees(l), 0, x + 5, y - 2.5L);
        y += 3;
    }
}

void DrawSheetLatitudes(Surface& dc, const WheelPointArray& latitudes, PagePoint anchor, Real titleDx) {
    const Real x = anchor.x;
    Real y = anchor.y;
    SheetBlockGuard guard(dc);
    Title(dc, "BREEDTEGRADEN", anchor, titleDx);
    for (ChartPoint p : kChartPoints) {
        if (p > ChartPoint::Saturn) break;
        std::string text;
        engine::FormatLatitudeText(text, latitudes[p]);
        DrawSheetBodyGlyph(dc, ChartPointNumber(p), {x, y, 4.0L});
        TextOutLeft(dc, text, 2, x + 5, y - 2.5L);
        y += 4.5L;
    }
}

void DrawSheetRelativeLongitudes(Surface& dc, const WheelPointArray& longitudes, PagePoint anchor) {
    const Real x = anchor.x;
    const Real y = anchor.y;
    SheetBlockGuard guard(dc);
    Title(dc, "Relatieve LENGTEGRADEN (tussen haakjes: Absolute Longitudes)", anchor);
    // Four points a column.
    for (ChartPoint p : kChartPoints) {
        const int k = static_cast<int>(p);
        const int column = k / 4;
        const int row = k - 4 * column;
        const Real cx = x + 55 * column;
        const Real ry = y + 4.5L * row;
        DrawSheetBodyGlyph(dc, ChartPointNumber(p), {cx, ry + 0.1L, 4.0L});
        TextOutLeft(dc, SignPosLong(longitudes[p]) + " " + FormatBracketedDegrees(longitudes[p]), 15, cx + 5,
                    ry - 2.5L);
    }
}

}  // namespace display
