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

std::array<Real, 13> SignMiddles() {
    std::array<Real, 13> m{};
    for (int s = 1; s <= 12; ++s) m[s] = 15 + 30 * (s - 1);
    return m;
}

// The relations of the chart window's energy view: mode 1 both sets of pairs,
// mode 2 the quadrilaterals (solid on the sheets).
SignFigure SheetFigure(int mode, Real ascendant, Real cx, Real cy, Real r) {
    const std::array<Real, 13> m = SignMiddles();
    SignFigure f = EvaluateEnergyAffinities(m, ascendant, mode == 1 ? 2 : 3, cx, cy, r);
    if (mode != 1 && mode != 2) f.segments.clear();
    return f;
}

}  // namespace

std::vector<AffinityChord> SheetAffinityChords(int mode) {
    std::vector<AffinityChord> chords;
    for (const SignSegment& g : SheetFigure(mode, 0, 0, 0, 1).segments)
        chords.push_back({SheetPen(g.pen), mode == 1 && g.dotted ? 0 : 1, g.from, g.to});
    return chords;
}

WholePoint AffinityPoint(Real longitude, Real ascendant, Real cx, Real cy, Real r) {
    WholePoint p;
    SignCirclePoint(ascendant, longitude, cx, cy, r, p.x, p.y);
    return p;
}

void DrawAffinityChord(Surface& dc, int pen, int style, Real a, Real b, Real cx, Real cy, Real r, Real ascendant) {
    const WholePoint p = AffinityPoint(a, ascendant, cx, cy, r);
    const WholePoint q = AffinityPoint(b, ascendant, cx, cy, r);
    ScopedPen scoped(dc, pen);
    if (style == 1) {
        MoveToPage(dc, p.x, p.y);
        LineToScaled(dc, q.x, q.y);
    } else {
        DrawFineDottedLine(dc, p.x, p.y, q.x, q.y);
    }
}

void DrawSheetAffinityFigures(Surface& dc, int mode, Real asc, Real cx, Real cy, Real r) {
    SheetBlockGuard guard(dc);
    auto middle = [](int sign) { return static_cast<Real>(15 + 30 * (sign - 1)); };
    for (const AffinityChord& c : SheetAffinityChords(mode))
        DrawAffinityChord(dc, c.pen, c.style, middle(c.signA), middle(c.signB), cx, cy, r, asc);
}

}  // namespace display
