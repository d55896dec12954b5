#include "display/sheets/sheet_archetype.h"

#include <algorithm>
#include <string>

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_block.h"
#include "display/sheets/sheet_evaluations.h"
#include "display/sheets/sheet_glyphs.h"
#include "display/wheel/wheel_points.h"
#include "engine/position_text.h"
#include "engine/receptions.h"

namespace display {

int NoDignityFlag = 0;
int GridBodyCount = 0;

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
        ScopedPen background(dc, DrawingOnPaper() ? 1 : 0);
        DrawSheetRectangle(dc, x - 8, y + 3.9L, x - 9, y - 5);
    }
    ScopedPen bridge(dc, 18);
    MoveToPage(dc, x - 8, y - 5);
    LineToScaled(dc, x - 9.1L, y - 5);
    MoveToPage(dc, x - 7.5L, y + 4);
    LineToScaled(dc, x - 10, y + 4);
}

void DrawArchetypalStructure(Surface& dc, Real x, Real y) {
    SheetBlockGuard guard(dc);
    ReleaseBrush(dc);
    const engine::ReceptionTables& r = engine::Receptions;
    const DignityTable table = EvaluateDignityTable(r);
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "ARCHETYPISCHE STRUCTUUR", 2, x - 8, y - 53);
    SetTextColorByCode(dc, 0);

    Real cx = x;
    for (const DignityColumn& c : table.columns) {
        SelectPenByCode(dc, LookOf(c.state).pen);
        DrawSheetRectangle(dc, cx - 8, y + 4, cx + 4, y - 7 * c.boxEntries + 2);
        if (c.joinedToPrevious) DrawExchangeJoin(dc, cx, y);
        ReleasePen(dc);
        cx += 13;
    }
    cx = x;
    for (const DignityColumn& c : table.columns) {
        const StateLook look = LookOf(c.state);
        Real cy = y;
        for (int m = 1; m <= 8; ++m) {
            const int body = r.ReceptionBodies[c.planet][m];
            if (body == 0) continue;
            DrawSheetBodyGlyph(&dc, body, cx, cy, 5.5L);
            dc.SetTextColor(look.text);
            std::string number = std::to_string(r.ReceptionNumbers[c.planet][m]);
            if (number.size() > 5) number.resize(5);
            if (m == 1) {
                TextOutLeft(dc, number, 2, cx - 6.5L, cy - 2.5L);
            } else {
                TextOutLeft(dc, number, 15, cx - 6, cy - 4);
                TextOutLeft(dc, PlanetAbbreviation(r.ReceptionSigns[c.planet][m]), 33, cx - 7.5L, cy - 0.5L);
            }
            cy -= 7;
            if (m == 1) TextOutLeft(dc, look.label, 1, c.state == 5 ? cx - 8 : cx - 7, cy + 11.5L);
        }
        cx += 13;
    }
    NoDignityFlag = 0;
    if (table.columns.empty() && table.noDignity) {
        TextOutLeft(dc, "Nessuna Debilit\xE0 n\xE9 Dignit\xE0 Planetaria", 2, x - 8, y);
        NoDignityFlag = 1;
    }
}

void DrawSphericalDistances(Surface& dc, engine::BodyArray longitudes, Real x, Real y) {
    SheetBlockGuard guard(dc);
    GridBodyCount = 9;
    const engine::BodyArray& lat = engine::Chart.PlanetLatitudes;
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
    for (int b = 2; b <= 9; ++b) DrawSheetBodyGlyph(&dc, b, x + 3.36L, y + row * (b - 2) + 2.5L, 4.5L);
    DrawSheetBodyGlyph(&dc, 10, x + 3.84L, y + 43.0L, 4.5L);
    DrawSheetBodyGlyph(&dc, 11, x + 3.84L, y + 48.04L, 4.5L);
    for (int b = 1; b <= 9; ++b) DrawSheetBodyGlyph(&dc, b, x + 4.2L + cell * b, y + 53.76L, 4.5L);
    for (int i = 1; i <= 9; ++i)
        for (int j = i + 1; j <= 11; ++j) {
            const Real d = SphericalDistance(longitudes[i], lat[i], longitudes[j], lat[j]);
            const DistanceAspects a = AspectsOfDistance(d, engine::Orbs.AspectOrbs);
            const Real tx = x + cell * i + 0.52L, ty = y + row * j - 9.28L;
            dc.SetTextColor(ApplyBlackAndWhite(Rgb(128, 128, 128)));
            const bool flags[3] = {a.hard, a.soft, a.conjunction};
            const int pens[3] = {79, 80, 78};
            for (int f = 0; f < 3; ++f) {
                if (!flags[f]) continue;
                ScopedPen pen(dc, pens[f]);
                MoveToPage(dc, tx - 0.5L, ty + 4);
                LineToScaled(dc, tx + 7, ty + 4);
                SetTextColorByCode(dc, 0);
            }
            std::string text;
            engine::FloatToTextDec(5, text, d);
            TextOutLeft(dc, text, 33, tx, ty);
            SetTextColorByCode(dc, 0);
        }
}

}  // namespace display
