#include "display/chart/humoral.h"

#include <array>
#include <optional>
#include <string>

#include "display/chart/cloths.h"
#include "display/chart/view_drawing.h"
#include "display/chart/volguine_forces.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"

namespace display {

const engine::SignTable<char> kSignElementLetters = {{'F', 'T', 'A', 'W', 'F', 'T', 'A', 'W', 'F', 'T', 'A', 'W'}};
const engine::SignTable<char> kSeasonElementLetters = {{'A', 'A', 'A', 'F', 'F', 'F', 'T', 'T', 'T', 'W', 'W', 'W'}};

namespace {

struct HumoralRow {
    int symbol;
    const char* name;
    Color colour;
    const char* first;
    const char* second;
    const char* word;
    const char* total;
};

// The rows from the top: the elements, each beside a quality.
const std::array<HumoralRow, 4> kRows = {{{3, "Lucht", kViewYellow, "H", "V", "Extravert", "H"},
                                          {1, "Vuur", kViewRed, "H", "D", "Heteronoom", "V"},
                                          {2, "Aarde", kViewGreen, "K", "D", "Introvert", "K"},
                                          {4, "Water", kViewCyan, "K", "V", "Autonoom", "D"}}};

// The element of a letter: air, fire, earth, water.
enum class Element { Air, Fire, Earth, Water };
std::optional<Element> ElementOfLetter(char letter) {
    switch (letter) {
        case 'A': return Element::Air;
        case 'F': return Element::Fire;
        case 'T': return Element::Earth;
        case 'W': return Element::Water;
        default: return std::nullopt;
    }
}

}  // namespace

HumoralCounts EvaluateHumoral(const ClassicalPlanetSignTable& signs, bool seasonal) {
    const engine::SignTable<char>& letters = seasonal ? kSeasonElementLetters : kSignElementLetters;
    HumoralCounts out;
    for (engine::Sign s : signs)
        if (const std::optional<Element> element = ElementOfLetter(letters[s]))
            ++out.e[static_cast<std::size_t>(*element)];
    const auto& e = out.e;
    const auto count = [&e](Element element) { return e[static_cast<std::size_t>(element)]; };
    out.q[0] = count(Element::Air) + count(Element::Fire);     // hot
    out.q[1] = count(Element::Air) + count(Element::Water);    // moist
    out.q[2] = count(Element::Earth) + count(Element::Water);  // cold
    out.q[3] = count(Element::Fire) + count(Element::Earth);   // dry
    return out;
}

HumoralCounts EvaluateHumoralAttribution(const engine::Chart& chart, HumoralVariant variant) {
    return EvaluateHumoral(ClassicalPlanetSigns(chart), variant == HumoralVariant::Seasonal);
}

void DrawHumoralGrid(Surface& dc, const HumoralCounts& counts, HumoralVariant variant, PagePoint at,
                     PagePoint wheelCentre) {
    const bool elemental = variant == HumoralVariant::Elemental;
    const Real left = at.x - 27, top = at.y - 15;

    DrawViewTitles(dc, "HUMORALE ATTRIBUTIE", 2, elemental ? "(Elementair)" : "(Seizoensgebonden)");

    dc.SetTextColor(kViewLightGrey);
    TextOutLeft(dc, "Tot", 15, left + 18, top - 4.5L);
    TextOutLeft(dc, "Tot", 15, left + 32, top - 4.5L);

    {
        ScopedPen pen(dc, 5);
        for (int i = 1; i <= 5; ++i) {
            const Real t = top + 7 * (i - 1);
            LineScaled(dc, left, t, left + 24, t);
            LineScaled(dc, left + 26, t, left + 38, t);
        }
    }
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const Real t = top + 7 * static_cast<int>(i);
        const HumoralRow& r = kRows[i];
        DrawClothCell(dc, r.symbol, {left + 3.2L, t + 4}, 5.0L);
        dc.SetTextColor(r.colour);
        TextOutRight(dc, r.name, 15, left - 1, t + 2);
        dc.SetTextColor(kViewLightGrey);
        TextOutLeft(dc, r.word, 15, left + 40, t + 2);
        TextOutCentered(dc, r.first, 2, left + 9, t + 1);
        TextOutCentered(dc, r.second, 2, left + 15, t + 1);
        dc.SetTextColor(kWhite);
        TextOutLeft(dc, r.total, 2, left + 28, t + 1);
    }
    {
        ScopedPen pen(dc, 5);
        for (Real v : {0.0L, 6.0L, 12.0L, 18.0L, 24.0L, 26.0L, 32.0L, 38.0L})
            LineScaled(dc, left + v, top, left + v, top + 28);
    }

    dc.SetTextColor(kViewLightGrey);
    TextOutLeft(dc, "H=Heet", 18, left, top + 30);
    TextOutLeft(dc, "V=Vochtig", 18, left + 25, top + 30);
    TextOutLeft(dc, "K=Koud", 18, left, top + 35);
    TextOutLeft(dc, "D=Droog", 18, left + 25, top + 35);

    for (std::size_t b = 0; b < kRows.size(); ++b) {
        const Real t = top + 7 * static_cast<int>(b);
        dc.SetTextColor(kRows[b].colour);
        TextOutLeft(dc, std::to_string(counts.e[b]), 2, left + 20, t + 1);
        dc.SetTextColor(kWhite);
        TextOutLeft(dc, std::to_string(counts.q[b]), 2, left + 34, t + 1);
    }

    dc.SetTextColor(kViewCyan);
    TextOutCentered(dc, elemental ? "[Elementair]" : "[Seizoensgebonden]", 15, wheelCentre.x, wheelCentre.y - 33);
}

}  // namespace display
