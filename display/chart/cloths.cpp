#include "display/chart/cloths.h"

#include <array>
#include <string>

#include "archive/current_chart.h"
#include "display/chart/view_drawing.h"
#include "display/chart/volguine_forces.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "engine/position_text.h"

namespace display {

const engine::SignTable<const char*> kElementPrincipleCodes = {
    {"FS", "TS", "AS", "WS", "FZ", "TZ", "AZ", "WZ", "FM", "TM", "AM", "WM"}};
const engine::SignTable<const char*> kQualitySeasonCodes = {
    {"CA", "FA", "MA", "CF", "FF", "MF", "CT", "FT", "MT", "CW", "FW", "MW"}};

namespace {

constexpr std::array<char, 4> kElementLetters = {'F', 'T', 'A', 'W'};  // columns of the elemental cloth
constexpr std::array<char, 3> kPrincipleLetters = {'S', 'Z', 'M'};     // its rows
constexpr std::array<char, 4> kSeasonLetters = {'A', 'F', 'T', 'W'};   // columns of the seasonal cloth
constexpr std::array<char, 3> kQualityLetters = {'C', 'F', 'M'};       // its rows

// Counts each planet's sign code into the cell whose code equals it; the
// cell code is built by cellCode(r, c).
template <typename CellCode>
ClothCounts Count(const ClassicalPlanetSignTable& signs, const engine::SignTable<const char*>& codes,
                  CellCode cellCode) {
    ClothCounts out;
    for (engine::Sign s : signs) {
        const std::string code = codes[s];
        for (std::size_t r = 0; r < out.count.size(); ++r)
            for (std::size_t c = 0; c < out.count[r].size(); ++c)
                if (cellCode(r, c) == code) ++out.count[r][c];
    }
    return out;
}

struct RowStyle {
    int symbol;
    const char* before;
    const char* after;
    Color colour;
};

// The elements or seasons, from the top of the drawing.
const std::array<RowStyle, 4> kElementalRows = {{{1, "Vuur", "Bereidheid", kViewRed},
                                                 {2, "Aarde", "Lichaam", kViewGreen},
                                                 {3, "Lucht", "Gedacht", kViewYellow},
                                                 {4, "Water", "Sentiment", kViewCyan}}};
const std::array<RowStyle, 4> kSeasonRows = {{{3, "Lucht", "Lente ", kViewYellow},
                                              {1, "Vuur", "Zomer", kViewRed},
                                              {2, "Aarde", "Herfst", kViewGreen},
                                              {4, "Water", "Winter", kViewCyan}}};

struct ClothLeader {
    Real x1, y1, x2, y2, x3, y3;  // relative to (L, T)
    const char* label;
    bool right;  // right-aligned label
    Real lx, ly;
};

const ClothLeader kElementalLeaders[6] = {
    {10.5L, -7, 10.5L, -10.5L, 7, -10.5L, "Zout", true, 6, -12.5L},
    {17.5L, -7, 17.5L, -14.5L, 14, -14.5L, "Zwavel", true, 13, -16.5L},
    {24.5L, -7, 24.5L, -10.5L, 28, -10.5L, "Kwik", false, 29, -12.5L},
    {10.5L, 35, 10.5L, 38.5L, 7, 38.5L, "Instinct", true, 6, 36.5L},
    {17.5L, 35.5L, 17.5L, 42.5L, 21, 42.5L, "Persoon", false, 22, 40.5L},
    {24.5L, 35, 24.5L, 38.5L, 28, 38.5L, "Collectiviteit", false, 29, 36.5L},
};
const ClothLeader kSeasonLeaders[7] = {
    {10.5L, 0, 10.5L, -3.5L, 7, -3.5L, "Tropen", true, 6, -5.5L},
    {17.5L, 0, 17.5L, -7.5L, 14, -7.5L, "Solide", true, 13, -9.5L},
    {24.5L, 0, 24.5L, -7, 28, -7, "Bicorporaalen", false, 29, -9},
    {31.5L, -0.5L, 31.5L, -3, 35, -3, "Totalen", false, 36, -5},
    {10.5L, 35, 10.5L, 38.5L, 7, 38.5L, "(Kardinale)", true, 6, 36.5L},
    {17.5L, 35.5L, 17.5L, 42.5L, 21, 42.5L, "(Vaste)", false, 22, 40.5L},
    {24.5L, 35, 24.5L, 38.5L, 28, 38.5L, "(Veranderlijk)", false, 29, 36.5L},
};

void DrawCloth(Surface& dc, const ClothCounts& counts, PagePoint at, PagePoint wheelCentre, bool elemental) {
    const Real x = at.x, y = at.y;
    const Real left = x - 23, top = y - 15;

    if (elemental)
        DrawViewTitles(dc, "ELEMENTAIRE DOEK", 2, "(Psychosomatisch niveau)");
    else
        DrawViewTitles(dc, "SEIZOEN DOEK", 2, "(Somatopsychisch niveau)");

    {
        ScopedPen pen(dc, 5);
        for (int i = 0; i <= 5; ++i) LineScaled(dc, left, top + 7 * i, left + 35, top + 7 * i);
        for (int i = 0; i <= 5; ++i)
            LineScaled(dc, left + 7 * i, (elemental && i >= 1) ? top - 7 : top, left + 7 * i, top + 35);
        if (elemental) LineScaled(dc, left + 7, top - 7, left + 35, top - 7);
    }

    const std::array<RowStyle, 4>& rows = elemental ? kElementalRows : kSeasonRows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Real t = top + 7 * static_cast<int>(i);
        DrawClothCell(dc, rows[i].symbol, {left + 3.7L, t + 4}, 5.0L);
        dc.SetTextColor(rows[i].colour);
        TextOutRight(dc, rows[i].before, 15, left - 1, t + 2);
        TextOutLeft(dc, rows[i].after, 15, left + 36, t + 2);
    }
    dc.SetTextColor(kViewLightGrey);
    TextOutLeft(dc, "Tot", 15, left + 1, top + 28 + 2);

    if (elemental) {
        for (int c = 1; c <= 3; ++c) DrawClothCell(dc, 4 + c, {left + 7 * c + 3.7L, top - 3}, 5.0L);
        dc.SetTextColor(kViewLightGrey);
        TextOutLeft(dc, "Tot", 15, left + 29, top - 5);
    }

    // Column labels with their leader lines.
    {
        ScopedPen pen(dc, 5);
        const ClothLeader* leaders = elemental ? kElementalLeaders : kSeasonLeaders;
        const int n = elemental ? 6 : 7;
        for (int i = 0; i < n; ++i) {
            const ClothLeader& l = leaders[i];
            dc.MoveTo(MapPoint(dc, left + l.x1, top + l.y1));
            LineToScaled(dc, left + l.x2, top + l.y2);
            LineToScaled(dc, left + l.x3, top + l.y3);
        }
        dc.SetTextColor(kViewLightGrey);
        for (int i = 0; i < n; ++i) {
            const ClothLeader& l = leaders[i];
            if (l.right)
                TextOutRight(dc, l.label, 15, left + l.lx, top + l.ly);
            else
                TextOutLeft(dc, l.label, 15, left + l.lx, top + l.ly);
        }
    }

    // Numbers.
    const Real x0 = elemental ? x - 14 : x - 13, y0 = y - 14;
    dc.SetTextColor(kViewGrey);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) TextOutLeft(dc, std::to_string(counts.count[r][c]), 2, x0 + 7 * r, y0 + 7 * c);
    dc.SetTextColor(kWhite);
    for (int r = 0; r < 3; ++r) TextOutLeft(dc, std::to_string(counts.RowTotal(r)), 2, x0 + 7 * r, y0 + 28);
    if (elemental) dc.SetBkColor(kBlack);
    for (int c = 0; c < 4; ++c) {
        dc.SetTextColor(rows[static_cast<std::size_t>(c)].colour);
        TextOutLeft(dc, std::to_string(counts.ColumnTotal(c)), 2, x0 + 21, y0 + 7 * c);
    }

    dc.SetTextColor(kViewCyan);
    TextOutCentered(dc, elemental ? "[Elementair]" : "[Seizoensgebonden]", 15, wheelCentre.x, wheelCentre.y - 33);
}

}  // namespace

ClothCounts EvaluateElementalCloth(const ClassicalPlanetSignTable& signs) {
    return Count(signs, kElementPrincipleCodes, [](std::size_t r, std::size_t c) {
        return std::string{kElementLetters[c], kPrincipleLetters[r]};
    });
}

ClothCounts EvaluateSeasonCloth(const ClassicalPlanetSignTable& signs) {
    return Count(signs, kQualitySeasonCodes, [](std::size_t r, std::size_t c) {
        return std::string{kQualityLetters[r], kSeasonLetters[c]};
    });
}

ClassicalPlanetSignTable ClassicalPlanetSigns(const engine::Chart& chart) {
    ClassicalPlanetSignTable signs{};
    for (engine::Body planet : engine::kClassicalPlanets)
        signs[planet] = engine::SignOfNumber(engine::SignOf(chart.bodies[planet].longitude));
    return signs;
}

ClothCounts EvaluateElementalCloth(const engine::Chart& chart) {
    return EvaluateElementalCloth(ClassicalPlanetSigns(chart));
}

ClothCounts EvaluateSeasonCloth(const engine::Chart& chart) { return EvaluateSeasonCloth(ClassicalPlanetSigns(chart)); }

void DrawElementalClothGrid(Surface& dc, const ClothCounts& counts, PagePoint at, PagePoint wheelCentre) {
    DrawCloth(dc, counts, at, wheelCentre, true);
}

void DrawSeasonClothGrid(Surface& dc, const ClothCounts& counts, PagePoint at, PagePoint wheelCentre) {
    DrawCloth(dc, counts, at, wheelCentre, false);
}

}  // namespace display
