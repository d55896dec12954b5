#include "display/chart/dignity_table.h"

#include "archive/current_chart.h"
#include "display/chart/view_drawing.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"

namespace display {


const char* const kPlanetAbbreviations[10] = {" ", "sol", "lun", "mer", "ven", "mar", "gio", "sat", " ", " "};
const std::array<const char*, 5> kDignityStateLabels = {"Heerser.", "Verhog.", "Exil", "Val", "Uitwis."};

namespace {

struct NoDignityRow {
    const char* planet;
    std::vector<const char*> signs;
};
const NoDignityRow kNoDignitySigns[7] = {
    {"Sole", {"Toro", "Geme", "Canc", "Verg", "Scor", "Sagi", "Capr", "Pesc"}},
    {"Luna", {"Arie", "Geme", "Leon", "Verg", "Bila", "Sagi", "Acqu", "Pesc"}},
    {"Merc", {"Arie", "Toro", "Canc", "Bila", "Scor", "Capr"}},
    {"Vene", {"Geme", "Canc", "Leon", "Sagi", "Capr", "Acqu"}},
    {"Mart", {"Geme", "Leon", "Verg", "Sagi", "Acqu", "Pesc"}},
    {"Giov", {"Arie", "Toro", "Leon", "Bila", "Scor", "Acqu"}},
    {"Satu", {"Toro", "Geme", "Verg", "Scor", "Sagi", "Pesc"}},
};

Color StateColour(int state) {
    if (state == 1 || state == 2) return kViewCyan;
    if (state == 3 || state == 4) return kViewRed;
    return kViewYellow;
}

int StatePen(int state) {
    if (state == 1 || state == 2) return 5;
    if (state == 3 || state == 4) return 2;
    return 7;
}

bool JoinableGroup(int g) { return g == 21 || g == 22 || g == 3 || g == 4 || g == 5; }

}  // namespace

bool InNoDignitySign(const std::string& key) {
    if (key.size() != 8) return false;
    for (const NoDignityRow& row : kNoDignitySigns) {
        if (key.compare(0, 4, row.planet) != 0) continue;
        for (const char* s : row.signs)
            if (key.compare(4, 4, s) == 0) return true;
    }
    return false;
}

DignityBoxTable EvaluateDignityTable(const engine::ReceptionTables& r, Real cx, Real cy) {
    DignityBoxTable t;
    int n = 0;
    for (unsigned char dignity : r.planetDignity)
        if (dignity != 0) ++n;
    if (n == 0) {
        bool all = true;
        for (const std::string& key : r.planetSignKeys) all = all && InNoDignitySign(key);
        t.noDignity = all;
    }
    const Real x0 = cx + 6.5L - 6 * n;
    t.y0 = cy + 18;
    Real x = x0;
    for (std::size_t k = 0; k < r.planetDignity.size(); ++k) {
        const int state = r.planetDignity[k];
        if (state == 0) continue;
        DignityBox box;
        box.row = static_cast<int>(k) + 1;
        box.state = state;
        box.x = x;
        // The row's planet and its chain, without the chain's last entry.
        for (std::size_t j = 0; j + 1 < r.receptionNumbers[k].size(); ++j)
            if (r.receptionNumbers[k][j] > 0) ++box.height;
        box.joined = k >= 1 && state == 5 && r.planetDignity[k - 1] == 5 &&
                     r.receptionGroup[k] == r.receptionGroup[k - 1] && JoinableGroup(r.receptionGroup[k]);
        Real y = t.y0;
        for (std::size_t j = 0; j < r.receptionBodies[k].size(); ++j) {
            const int b = r.receptionBodies[k][j];
            if (b <= 0) continue;
            DignityEntry e;
            e.body = b;
            e.number = r.receptionNumbers[k][j];
            e.first = j == 0;
            if (j >= 1) {
                const int a = r.receptionSigns[k][j];
                e.abbreviation = a >= 0 && a <= 9 ? kPlanetAbbreviations[a] : " ";
            }
            e.x = x;
            e.y = y;
            box.entries.push_back(e);
            y -= 7;
        }
        t.boxes.push_back(std::move(box));
        x += 13;
    }
    return t;
}

void DrawDignityTableOn(Surface& dc, const DignityBoxTable& t, Real cx, Real cy) {
    if (t.noDignity) TextOutLeft(dc, kNoDignityMessage, 2, cx - 35, cy + 18);
    const Real y0 = t.y0;
    // Boxes, on the canvas's black brush so that nothing under them shows.
    {
        ScopedBrush back(dc, kBlack);
        for (const DignityBox& b : t.boxes) {
            const Real x = b.x;
            SelectPenByCode(dc, StatePen(b.state));
            RectangleScaled(dc, x - 8, y0 + 4, x + 4, y0 - 7 * b.height + 2);
            ReleasePen(dc);
            if (b.joined) {
                RectangleScaled(dc, x - 7.5L, y0 + 4, x - 9.5L, y0 - 5);  // the black strip
                ScopedPen pen(dc, 7);
                LineScaled(dc, x - 8, y0 - 5, x - 9.6L, y0 - 5);
                LineScaled(dc, x - 7.5L, y0 + 3.7L, x - 10, y0 + 3.7L);
            }
        }
    }
    // Contents.
    for (const DignityBox& b : t.boxes) {
        const Color colour = StateColour(b.state);
        for (const DignityEntry& e : b.entries) {
            DrawPointGlyph(dc, e.body, {e.x, e.y}, 5.5L);
            dc.SetTextColor(colour);
            if (e.first) {
                TextOutLeft(dc, std::to_string(e.number), 18, e.x - 6.5L, e.y - 2.5L);
                TextOutLeft(dc, kDignityStateLabels[static_cast<std::size_t>(b.state - 1)], 33,
                            b.state == 5 ? e.x - 8 : e.x - 7, y0 + 4);
            } else {
                TextOutLeft(dc, std::to_string(e.number), 15, e.x - 6, e.y - 4);
                TextOutLeft(dc, e.abbreviation, 33, e.x - 7.5L, e.y - 0.5L);
            }
        }
    }
}

DignityGlyphCentres DignityCentresOf(const DignityBoxTable& t) {
    DignityGlyphCentres c;
    for (const DignityBox& b : t.boxes)
        for (const DignityEntry& e : b.entries)
            if (e.body >= 1 && e.body <= 7) {
                c.x[e.body - 1] = e.x;
                c.y[e.body - 1] = e.y;
            }
    return c;
}

DignityGlyphCentres DrawDignityTable(Surface& dc, const engine::ReceptionTables& receptions) {
    const Real cx = kChartWindowWheel.centreX, cy = kChartWindowWheel.centreY;
    const DignityBoxTable t = EvaluateDignityTable(receptions, cx, cy);
    DrawDignityTableOn(dc, t, cx, cy);
    DignityGlyphCentres c = DignityCentresOf(t);
    c.noDignity = t.noDignity;
    return c;
}

}  // namespace display
