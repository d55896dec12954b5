#include "display/sheets/sheet_cloths.h"

#include <array>
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

void SheetClothLine(Surface& dc, Real x1, Real y1, Real x2, Real y2) {
    MoveToPage(dc, x1, y1);
    LineToScaled(dc, x2, y2);
}

// SheetClothLeader from the column's centre line outwards, then sideways.
void SheetClothLeader(Surface& dc, Real x, Real y1, Real y2, Real x2) {
    MoveToPage(dc, x, y1);
    LineToScaled(dc, x, y2);
    LineToScaled(dc, x2, y2);
}

void DrawSheetCloth(Surface& dc, Real x, Real y, bool elemental, const ClothCounts& k) {
    SheetBlockGuard guard(dc);
    const Real left = x - 23, top = y - 15;
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
    for (int i = 0; i <= 5; ++i) SheetClothLine(dc, left, top + 7 * i, left + 35, top + 7 * i);
    for (int i = 0; i <= 5; ++i)
        SheetClothLine(dc, left + 7 * i, (elemental && i > 0) ? top - 7 : top, left + 7 * i, top + 35);
    if (elemental) SheetClothLine(dc, left + 7, top - 7, left + 35, top - 7);

    // One entry a row, from the top.
    static constexpr std::array<int, 4> kElementSymbols{1, 2, 3, 4}, kSeasonSymbols{3, 1, 2, 4};
    static constexpr std::array<const char*, 4> kElementBefore{"Vuur", "Aarde", "Lucht", "Water"};
    static constexpr std::array<const char*, 4> kSeasonBefore{"Lucht", "Vuur", "Aarde", "Water"};
    static constexpr std::array<const char*, 4> kElementAfter{"Bereidheid", "Lichaam", "Gedacht", "Sentimento"};
    static constexpr std::array<const char*, 4> kSeasonAfter{"Lente ", "Zomer ", "Herfst ", "Winter"};
    for (int i = 0; i < 4; ++i) {
        const Real t = top + 7 * i;
        DrawSheetElementGlyph(dc, elemental ? kElementSymbols[i] : kSeasonSymbols[i], {left + 3.7L, t + 4, 5.0L});
        TextOutRight(dc, elemental ? kElementBefore[i] : kSeasonBefore[i], 15, left - 1, t + 2);
        TextOutLeft(dc, elemental ? kElementAfter[i] : kSeasonAfter[i], 15, left + 36, t + 2);
    }
    TextOutLeft(dc, "Tot", 15, left + 1, top + 28 + 2);
    if (elemental) {
        for (int c = 1; c <= 3; ++c) DrawSheetElementGlyph(dc, 4 + c, {left + 7 * c + 3.7L, top - 3, 5.0L});
        TextOutLeft(dc, "Tot", 15, left + 29, top - 5);
        SheetClothLeader(dc, left + 10.5L, top - 7, top - 10.5L, left + 7);
        TextOutRight(dc, "Zout", 15, left + 6, top - 12.5L);
        SheetClothLeader(dc, left + 17.5L, top - 7, top - 14.5L, left + 14);
        TextOutRight(dc, "Zwavel", 15, left + 13, top - 16.5L);
        SheetClothLeader(dc, left + 24.5L, top - 7, top - 10.5L, left + 28);
        TextOutLeft(dc, "Kwik", 15, left + 29, top - 12.5L);
        SheetClothLeader(dc, left + 10.5L, top + 35, top + 38.5L, left + 7);
        TextOutRight(dc, "Instinct", 15, left + 6, top + 36.5L);
        SheetClothLeader(dc, left + 17.5L, top + 35.5L, top + 42.5L, left + 21);
        TextOutLeft(dc, "Collectiviteit", 15, left + 22, top + 40.5L);
        SheetClothLeader(dc, left + 24.5L, top + 35, top + 38.5L, left + 28);
        TextOutLeft(dc, "Collettivit\xE0", 15, left + 29, top + 36.5L);
    } else {
        SheetClothLeader(dc, left + 10.5L, top, top - 3.5L, left + 7);
        TextOutRight(dc, "Tropen", 15, left + 6, top - 5.5L);
        SheetClothLeader(dc, left + 17.5L, top, top - 7.5L, left + 14);
        TextOutRight(dc, "Solide", 15, left + 13, top - 9.5L);
        SheetClothLeader(dc, left + 24.5L, top, top - 7, left + 28);
        TextOutLeft(dc, "Bicorporaalen", 15, left + 29, top - 9);
        SheetClothLeader(dc, left + 31.5L, top - 0.5L, top - 3, left + 35);
        TextOutLeft(dc, "Totalen", 15, left + 36, top - 5);
        SheetClothLeader(dc, left + 10.5L, top + 35, top + 38.5L, left + 7);
        TextOutRight(dc, "(Kardinale)", 15, left + 6, top + 36.5L);
        SheetClothLeader(dc, left + 17.5L, top + 35.5L, top + 42.5L, left + 21);
        TextOutLeft(dc, "(Vaste)", 15, left + 22, top + 40.5L);
        SheetClothLeader(dc, left + 24.5L, top + 35, top + 38.5L, left + 28);
        TextOutLeft(dc, "(Veranderlijk)", 15, left + 29, top + 36.5L);
    }
    ReleasePen(dc);
    const Real x0 = elemental ? x - 14 : x - 13, y0 = y - 14;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) TextOutLeft(dc, std::to_string(k.count[r][c]), 2, x0 + 7 * r, y0 + 7 * c);
        TextOutLeft(dc, std::to_string(k.RowTotal(r)), 2, x0 + 7 * r, y0 + 28);
    }
    for (int c = 0; c < 4; ++c) TextOutLeft(dc, std::to_string(k.ColumnTotal(c)), 2, x0 + 21, y0 + 7 * c);
}

void DrawSheetHumoral(Surface& dc, Real x, Real y, bool seasonal, const HumoralCounts& h) {
    SheetBlockGuard guard(dc);
    const Real left = x - 27, top = y - 15;
    SetTextColorByCode(dc, 4);
    const Real ty = seasonal ? y - 33 : y - 32;
    TextOutLeft(dc, "HUMORALE ATTRIBUTIE", 15, x - 35, ty);
    TextOutLeft(dc, seasonal ? "(Seizoensgebonden)" : "(Elementair)", 15, x - 35, ty + 5);
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, "Tot", 15, left + 18, top - 4.5L);
    TextOutLeft(dc, "Tot", 15, left + 32, top - 4.5L);
    struct Row {
        int symbol;
        const char *name, *first, *second, *word, *total;
    };
    // One entry a row, from the top.
    static const Row kRows[4] = {{3, "Lucht", "H", "V", "Extravert", "H"},
                                 {1, "Vuur", "H", "D", "Heteronoom", "V"},
                                 {2, "Aarde", "K", "D", "Introvert", "K"},
                                 {4, "Water", "K", "V", "Autonoom", "D"}};
    SelectPenByCode(dc, 5);
    // Five rules bound the four rows.
    for (int i = 0; i <= 4; ++i) {
        const Real t = top + 7 * i;
        SheetClothLine(dc, left, t, left + 24, t);
        SheetClothLine(dc, left + 26, t, left + 38, t);
        if (i == 4) break;
        const Row& r = kRows[i];
        DrawSheetElementGlyph(dc, r.symbol, {left + 3.2L, t + 4, 5.0L});
        TextOutRight(dc, r.name, 15, left - 1, t + 2);
        TextOutLeft(dc, r.word, 15, left + 40, t + 2);
        TextOutCentered(dc, r.first, 2, left + 9, t + 1);
        TextOutCentered(dc, r.second, 2, left + 15, t + 1);
        TextOutLeft(dc, r.total, 2, left + 28, t + 1);
    }
    for (Real v : {0, 6, 12, 18, 24, 26, 32, 38}) SheetClothLine(dc, left + v, top, left + v, top + 28);
    ReleasePen(dc);
    TextOutLeft(dc, "H=Heet", 15, left, top + 30);
    TextOutLeft(dc, "V=Vochtig", 15, left + 25, top + 30);
    TextOutLeft(dc, "K=Koud", 15, left, top + 35);
    TextOutLeft(dc, "D=Droog", 15, left + 25, top + 35);
    for (std::size_t b = 0; b < h.e.size(); ++b) {
        const Real t = top + 7 * static_cast<int>(b);
        TextOutLeft(dc, std::to_string(h.e[b]), 2, left + 20, t + 1);
        TextOutLeft(dc, std::to_string(h.q[b]), 2, left + 34, t + 1);
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
