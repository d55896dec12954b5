#include "display/sheets/sheet_affinities.h"

#include <array>

#include "display/chart/energy_affinities.h"
#include "display/chart/sign_figures.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_block.h"
#include "display/wheel/wheel_points.h"
#include "engine/angles.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

// The chart window's pens of the relations and the sheets' pens for them.
int SheetPen(int windowPen) {
    switch (windowPen) {
        case 77: return 78;  // olive
        case 22: return 79;  // red
        case 33: return 80;  // cyan
        default: return windowPen;
    }
}

engine::SignTable<Real> SignMiddles() {
    engine::SignTable<Real> m{};
    for (engine::Sign s : engine::kSigns) m[s] = 15 + 30 * static_cast<int>(s);
    return m;
}

// The relations of the chart window's energy view: mode 1 both sets of pairs,
// mode 2 the quadrilaterals (solid on the sheets).
SignFigure SheetFigure(int mode, Real ascendant, const CircleFrame& circle) {
    const engine::SignTable<Real> m = SignMiddles();
    SignFigure f = EvaluateEnergyAffinities(m, ascendant, mode == 1 ? 2 : 3, circle);
    if (mode != 1 && mode != 2) f.segments.clear();
    return f;
}

}  // namespace

std::vector<AffinityChord> SheetAffinityChords(int mode) {
    std::vector<AffinityChord> chords;
    for (const SignSegment& g : SheetFigure(mode, 0, {.centre = {0, 0}, .radius = 1}).segments)
        chords.push_back({SheetPen(g.pen), mode == 1 && g.dotted ? 0 : 1, g.from, g.to});
    return chords;
}

WholePoint AffinityPoint(Real longitude, Real ascendant, const CircleFrame& circle) {
    const PagePoint p = SignCirclePoint(circle, ascendant, longitude);
    return {p.x, p.y};
}

void DrawAffinityChord(Surface& dc, const AffinityChord& chord, Real ascendant, const CircleFrame& circle) {
    auto middle = [](int sign) { return static_cast<Real>(15 + 30 * (sign - 1)); };
    const WholePoint p = AffinityPoint(middle(chord.signA), ascendant, circle);
    const WholePoint q = AffinityPoint(middle(chord.signB), ascendant, circle);
    ScopedPen scoped(dc, chord.pen);
    if (chord.style == 1) {
        MoveToPage(dc, p.x, p.y);
        LineToScaled(dc, q.x, q.y);
    } else {
        DrawFineDottedLine(dc, p.x, p.y, q.x, q.y);
    }
}

void DrawSheetAffinityFigures(Surface& dc, int mode, Real asc, const CircleFrame& circle) {
    SheetBlockGuard guard(dc);
    for (const AffinityChord& c : SheetAffinityChords(mode)) DrawAffinityChord(dc, c, asc, circle);
}

}  // namespace display
