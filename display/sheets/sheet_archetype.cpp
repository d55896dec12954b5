#include "display/sheets/sheet_archetype.h"

#include <algorithm>
#include <string>

#include "display/chart/dignity_table.h"
#include "display/chart/spherical_distances.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_block.h"
#include "display/sheets/sheet_glyphs.h"
#include "display/wheel/wheel_points.h"
#include "engine/position_text.h"
#include "engine/receptions.h"

namespace display {

namespace {

struct StateLook {
    const char* label;
    int pen;
    Color text;
};

StateLook LookOf(int state) {
    switch (state) {
        case 1: return {"Heerser.", 5, Rgb(0, 255, 255)};
        case 2: return {"Verhog.", 5, Rgb(0, 255, 255)};
        case 3: return {"Exil", 2, Rgb(255, 0, 0)};
        case 4: return {"Val", 2, Rgb(255, 0, 0)};
        default: return {"Uitwis.", 18, Rgb(255, 128, 64)};
    }
}

// The width of a text in page units at a size code, on the current target.
Real TextWidthInUnits(Surface& dc, const std::string& text, int sizeCode) {
    SelectFontByCode(dc, sizeCode);
    const double pixels = dc.MeasureText(text).width;
    ReleaseFont(dc);
    const DrawingState& drawing = dc.Drawing();
    return pixels * drawing.aspectScaleX / (drawing.pixelsPerUnit * drawing.zoomFactor);
}

}  // namespace

void DrawSheetRectangle(Surface& dc, Real x1, Real y1, Real x2, Real y2) {
    MoveToPage(dc, x1, y1);
    LineToScaled(dc, x2, y1);
    LineToScaled(dc, x2, y2);
    LineToScaled(dc, x1, y2);
    LineToScaled(dc, x1, y1);
}

void DrawExchangeJoin(Surface& dc, Real x, Real y) {
    ReleasePen(dc);
    {
        ScopedPen background(dc, dc.OnPaper() ? 1 : 0);
        DrawSheetRectangle(dc, x - 8, y + 3.9L, x - 9, y - 5);
    }
    ScopedPen bridge(dc, 18);
    MoveToPage(dc, x - 8, y - 5);
    LineToScaled(dc, x - 9.1L, y - 5);
    MoveToPage(dc, x - 7.5L, y + 4);
    LineToScaled(dc, x - 10, y + 4);
}

bool DrawArchetypalStructure(Surface& dc, const engine::ReceptionTables& receptions, Real x, Real y) {
    SheetBlockGuard guard(dc);
    ReleaseBrush(dc);
    // Which planets get a column, their boxes, entries and joins are the chart
    // window's dignity table; the sheet places them from its own anchor.
    const DignityBoxTable table = EvaluateDignityTable(receptions, 0, 0);
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "ARCHETYPISCHE STRUCTUUR", 2, x - 8, y - 53);
    SetTextColorByCode(dc, 0);

    Real cx = x;
    for (const DignityBox& box : table.boxes) {
        SelectPenByCode(dc, LookOf(box.state).pen);
        DrawSheetRectangle(dc, cx - 8, y + 4, cx + 4, y - 7 * box.height + 2);
        if (box.joined) DrawExchangeJoin(dc, cx, y);
        ReleasePen(dc);
        cx += 13;
    }
    cx = x;
    // The state labels under the boxes are wider than a box at the sheets' size:
    // a label that would run into the one before it is moved right, the least
    // that leaves a blank between them ("Heerser." beside "Heerser.").
    Real labelEnd = -1e9;
    for (const DignityBox& box : table.boxes) {
        const StateLook look = LookOf(box.state);
        for (const DignityEntry& e : box.entries) {
            const Real cy = y + (e.y - table.y0);
            DrawSheetBodyGlyph(dc, e.body, {cx, cy, 5.5L});
            dc.SetTextColor(look.text);
            std::string number = std::to_string(e.number);
            if (number.size() > 5) number.resize(5);
            if (e.first) {
                TextOutLeft(dc, number, 2, cx - 6.5L, cy - 2.5L);
                Real labelX = box.state == 5 ? cx - 8 : cx - 7;
                labelX = std::max(labelX, labelEnd + TextWidthInUnits(dc, " ", 1));
                TextOutLeft(dc, look.label, 1, labelX, cy - 7 + 11.5L);
                labelEnd = labelX + TextWidthInUnits(dc, look.label, 1);
            } else {
                TextOutLeft(dc, number, 15, cx - 6, cy - 4);
                TextOutLeft(dc, e.abbreviation, 33, cx - 7.5L, cy - 0.5L);
            }
        }
        cx += 13;
    }
    if (table.boxes.empty() && table.noDignity) {
        TextOutLeft(dc, kNoDignityMessage, 2, x - 8, y);
        return true;
    }
    return false;
}

void DrawSphericalDistances(Surface& dc, WheelPointArray longitudes, const WheelPointArray& lat,
                            const engine::OrbRecord& orbs, Real x, Real y) {
    SheetBlockGuard guard(dc);
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "SFERISCHE", 15, x + 34.44L, y + 2.94L);
    TextOutLeft(dc, "AFSTANDEN", 15, x + 41.2L, y + 7.98L);
    SetTextColorByCode(dc, 0);
    const Real left = x + 7.98L, cell = 8.4L, row = 5.04L;
    auto gridLine = [&](Real x1, Real y1, Real x2, Real y2) {
        ScopedLinePen pen(dc, 10);
        MoveToPage(dc, x1, y1);
        LineToScaled(dc, x2, y2);
    };
    gridLine(left, y, left, y + 50.4L);
    for (int k = 1; k <= 11; ++k) gridLine(left, y + row * (k - 1), left + cell * std::min(k, 9), y + row * (k - 1));
    for (int k = 1; k <= 9; ++k) gridLine(left + cell * k, y + row * (k - 1), left + cell * k, y + 50.4L);
    for (int b = 2; b <= 9; ++b) DrawSheetBodyGlyph(dc, b, {x + 3.36L, y + row * (b - 2) + 2.5L, 4.5L});
    DrawSheetBodyGlyph(dc, 10, {x + 3.84L, y + 43.0L, 4.5L});
    DrawSheetBodyGlyph(dc, 11, {x + 3.84L, y + 48.04L, 4.5L});
    for (int b = 1; b <= 9; ++b) DrawSheetBodyGlyph(dc, b, {x + 4.2L + cell * b, y + 53.76L, 4.5L});
    // The distances, their aspects and texts are those of the chart window's table.
    const SphericalDistances d = EvaluateSphericalDistances(longitudes, lat, orbs, x, y);
    for (const SphericalDistanceCell& c : d.cells) {
        const Real tx = x + cell * c.first + 0.52L, ty = y + row * c.second - 9.28L;
        dc.SetTextColor(ApplyBlackAndWhite(dc.Drawing(), dc.OutputMedium(), Rgb(128, 128, 128)));
        const bool flags[3] = {c.hard, c.soft, c.conjunction};
        const int pens[3] = {79, 80, 78};
        for (int f = 0; f < 3; ++f) {
            if (!flags[f]) continue;
            ScopedPen pen(dc, pens[f]);
            MoveToPage(dc, tx - 0.5L, ty + 4);
            LineToScaled(dc, tx + 7, ty + 4);
            SetTextColorByCode(dc, 0);
        }
        TextOutLeft(dc, c.text, 33, tx, ty);
        SetTextColorByCode(dc, 0);
    }
}

}  // namespace display
