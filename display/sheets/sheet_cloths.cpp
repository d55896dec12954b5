#include "display/sheets/sheet_cloths.h"

#include <string>

#include "display/chart/cloths.h"
#include "display/chart/humoral.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_block.h"
#include "display/sheets/sheet_glyphs.h"
#include "display/wheel/wheel_points.h"
#include "engine/position_text.h"

namespace display {

namespace {

void Line(Surface& dc, Real x1, Real y1, Real x2, Real y2) {
    MoveToPage(dc, x1, y1);
    LineToScaled(dc, x2, y2);
}

// Leader from the column's centre line outwards, then sideways.
void Leader(Surface& dc, Real x, Real y1, Real y2, Real x2) {
    MoveToPage(dc, x, y1);
    LineToScaled(dc, x, y2);
    LineToScaled(dc, x2, y2);
}

void DrawSheetCloth(Surface& dc, Real x, Real y, bool elemental, const ClothCounts& k) {
    SheetBlockGuard guard(dc);
    const Real L = x - 23, T = y - 15;
    SetTextColorByCode(dc, 4);
    if (elemental) {
        TextOutLeft(dc, "SELEMENTAIRE DOEK", 15, x - 32, y - 42);
        TextOutLeft(dc, "(Psychosomatisch niveau)", 15, x - 32, y - 37);
    } else {
        TextOutLeft(dc, "SEIZOEN DOEK", 15, x - 32, y - 37);
        TextOutLeft(dc, "(Somatopsychisch niveau)", 15, x - 32, y - 32);
    }
    SetTextColorByCode(dc, 0);
    SelectPenByCode(dc, 5);
    for (int i = 0; i <= 5; ++i) Line(dc, L, T + 7 * i, L + 35, T + 7 * i);
    for (int i = 0; i <= 5; ++i) Line(dc, L + 7 * i, (elemental && i > 0) ? T - 7 : T, L + 7 * i, T + 35);
    if (elemental) Line(dc, L + 7, T - 7, L + 35, T - 7);

    static const int elementSymbols[5] = {0, 1, 2, 3, 4}, seasonSymbols[5] = {0, 3, 1, 2, 4};
    static const char* const elementBefore[5] = {"", "Vuur", "Aarde", "Lucht", "Water"};
    static const char* const seasonBefore[5] = {"", "Lucht", "Vuur", "Aarde", "Water"};
    static const char* const elementAfter[5] = {"", "Bereidheid", "Lichaam", "Gedacht", "Sentimento"};
    static const char* const seasonAfter[5] = {"", "Lente ", "Zomer ", "Herfst ", "Winter"};
    for (int i = 1; i <= 4; ++i) {
        const Real t = T + 7 * (i - 1);
        DrawSheetElementGlyph(dc, elemental ? elementSymbols[i] : seasonSymbols[i], L + 3.7L, t + 4, 5.0L);
        TextOutRight(dc, elemental ? elementBefore[i] : seasonBefore[i], 15, L - 1, t + 2);
        TextOutLeft(dc, elemental ? elementAfter[i] : seasonAfter[i], 15, L + 36, t + 2);
    }
    TextOutLeft(dc, "Tot", 15, L + 1, T + 28 + 2);
    if (elemental) {
        for (int c = 1; c <= 3; ++c) DrawSheetElementGlyph(dc, 4 + c, L + 7 * c + 3.7L, T - 3, 5.0L);
        TextOutLeft(dc, "Tot", 15, L + 29, T - 5);
        Leader(dc, L + 10.5L, T - 7, T - 10.5L, L + 7);
        TextOutRight(dc, "Zout", 15, L + 6, T - 12.5L);
        Leader(dc, L + 17.5L, T - 7, T - 14.5L, L + 14);
        TextOutRight(dc, "Zwavel", 15, L + 13, T - 16.5L);
        Leader(dc, L + 24.5L, T - 7, T - 10.5L, L + 28);
        TextOutLeft(dc, "Kwik", 15, L + 29, T - 12.5L);
        Leader(dc, L + 10.5L, T + 35, T + 38.5L, L + 7);
        TextOutRight(dc, "Instinct", 15, L + 6, T + 36.5L);
        Leader(dc, L + 17.5L, T + 35.5L, T + 42.5L, L + 21);
        TextOutLeft(dc, "Collectiviteit", 15, L + 22, T + 40.5L);
        Leader(dc, L + 24.5L, T + 35, T + 38.5L, L + 28);
        TextOutLeft(dc, "Collettivit\xE0", 15, L + 29, T + 36.5L);
    } else {
        Leader(dc, L + 10.5L, T, T - 3.5L, L + 7);
        TextOutRight(dc, "Tropen", 15, L + 6, T - 5.5L);
        Leader(dc, L + 17.5L, T, T - 7.5L, L + 14);
        TextOutRight(dc, "Solide", 15, L + 13, T - 9.5L);
        Leader(dc, L + 24.5L, T, T - 7, L + 28);
        TextOutLeft(dc, "Bicorporaalen", 15, L + 29, T - 9);
        Leader(dc, L + 31.5L, T - 0.5L, T - 3, L + 35);
        TextOutLeft(dc, "Totalen", 15, L + 36, T - 5);
        Leader(dc, L + 10.5L, T + 35, T + 38.5L, L + 7);
        TextOutRight(dc, "(Kardinale)", 15, L + 6, T + 36.5L);
        Leader(dc, L + 17.5L, T + 35.5L, T + 42.5L, L + 21);
        TextOutLeft(dc, "(Vaste)", 15, L + 22, T + 40.5L);
        Leader(dc, L + 24.5L, T + 35, T + 38.5L, L + 28);
        TextOutLeft(dc, "(Veranderlijk)", 15, L + 29, T + 36.5L);
    }
    ReleasePen(dc);
    const Real X0 = elemental ? x - 14 : x - 13, Y0 = y - 14;
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 4; ++c)
            TextOutLeft(dc, std::to_string(k.count[r][c]), 2, X0 + 7 * (r - 1), Y0 + 7 * (c - 1));
        TextOutLeft(dc, std::to_string(k.RowTotal(r)), 2, X0 + 7 * (r - 1), Y0 + 28);
    }
    for (int c = 1; c <= 4; ++c) TextOutLeft(dc, std::to_string(k.ColumnTotal(c)), 2, X0 + 21, Y0 + 7 * (c - 1));
}

void DrawSheetHumoral(Surface& dc, Real x, Real y, bool seasonal, const HumoralCounts& h) {
    SheetBlockGuard guard(dc);
    const Real L = x - 27, T = y - 15;
    SetTextColorByCode(dc, 4);
    const Real ty = seasonal ? y - 33 : y - 32;
    TextOutLeft(dc, "HUMORALE ATTRIBUTIE", 15, x - 35, ty);
    TextOutLeft(dc, seasonal ? "(Seizoensgebonden)" : "(Elementair)", 15, x - 35, ty + 5);
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, "Tot", 15, L + 18, T - 4.5L);
    TextOutLeft(dc, "Tot", 15, L + 32, T - 4.5L);
    struct Row {
        int symbol;
        const char *name, *first, *second, *word, *total;
    };
    static const Row rows[5] = {{},
                                {3, "Lucht", "H", "V", "Extravert", "H"},
                                {1, "Vuur", "H", "D", "Heteronoom", "V"},
                                {2, "Aarde", "K", "D", "Introvert", "K"},
                                {4, "Water", "K", "V", "Autonoom", "D"}};
    SelectPenByCode(dc, 5);
    for (int i = 1; i <= 5; ++i) {
        const Real t = T + 7 * (i - 1);
        Line(dc, L, t, L + 24, t);
        Line(dc, L + 26, t, L + 38, t);
        if (i == 5) break;
        const Row& r = rows[i];
        DrawSheetElementGlyph(dc, r.symbol, L + 3.2L, t + 4, 5.0L);
        TextOutRight(dc, r.name, 15, L - 1, t + 2);
        TextOutLeft(dc, r.word, 15, L + 40, t + 2);
        TextOutCentered(dc, r.first, 2, L + 9, t + 1);
        TextOutCentered(dc, r.second, 2, L + 15, t + 1);
        TextOutLeft(dc, r.total, 2, L + 28, t + 1);
    }
    for (Real v : {0, 6, 12, 18, 24, 26, 32, 38}) Line(dc, L + v, T, L + v, T + 28);
    ReleasePen(dc);
    TextOutLeft(dc, "H=Heet", 15, L, T + 30);
    TextOutLeft(dc, "V=Vochtig", 15, L + 25, T + 30);
    TextOutLeft(dc, "K=Koud", 15, L, T + 35);
    TextOutLeft(dc, "D=Droog", 15, L + 25, T + 35);
    for (int b = 1; b <= 4; ++b) {
        const Real t = T + 7 * (b - 1);
        TextOutLeft(dc, std::to_string(h.e[b]), 2, L + 20, t + 1);
        TextOutLeft(dc, std::to_string(h.q[b]), 2, L + 34, t + 1);
    }
}

}  // namespace

void DrawElementalCloth(Surface& dc, const engine::Chart& chart, Real x, Real y) {
    DrawSheetCloth(dc, x, y, true, EvaluateElementalCloth(ClassicalPlanetSigns(chart)));
}

void DrawSeasonCloth(Surface& dc, const engine::Chart& chart, Real x, Real y) {
    DrawSheetCloth(dc, x, y, false, EvaluateSeasonCloth(ClassicalPlanetSigns(chart)));
}

void DrawElementalHumoralGrid(Surface& dc, const engine::Chart& chart, Real x, Real y) {
    DrawSheetHumoral(dc, x, y, false, EvaluateHumoral(ClassicalPlanetSigns(chart), false));
}

void DrawSeasonalHumoralGrid(Surface& dc, const engine::Chart& chart, Real x, Real y) {
    DrawSheetHumoral(dc, x, y, true, EvaluateHumoral(ClassicalPlanetSigns(chart), true));
}

}  // namespace display
