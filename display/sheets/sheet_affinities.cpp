#include "display/sheets/sheet_affinities.h"

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_block.h"
#include "display/wheel/wheel_points.h"
#include "engine/angles.h"
#include "platform/runtime/number_text.h"

namespace display {

std::vector<AffinityChord> SheetAffinityChords(int mode) {
    if (mode == 1)
        return {{78, 1, 1, 7},  {78, 1, 2, 8},  {79, 1, 6, 12}, {80, 1, 9, 11}, {79, 1, 3, 5},  {80, 1, 4, 10},
                {80, 0, 4, 11}, {79, 0, 3, 12}, {78, 0, 1, 2},  {79, 0, 5, 6},  {78, 0, 7, 8},  {80, 0, 9, 10}};
    if (mode == 2)
        return {{78, 1, 1, 12}, {78, 1, 12, 7}, {78, 1, 7, 6},  {78, 1, 6, 1},  {80, 1, 3, 4},  {80, 1, 4, 9},
                {80, 1, 9, 10}, {80, 1, 10, 3}, {79, 1, 5, 8},  {79, 1, 8, 11}, {79, 1, 11, 2}, {79, 1, 2, 5}};
    return {};
}

WholePoint AffinityPoint(Real longitude, Real ascendant, Real cx, Real cy, Real r) {
    const Real angle = static_cast<Real>(360 - rt::Round(longitude) + rt::Round(ascendant));
    return {static_cast<Real>(rt::Round(cx - r * engine::CosDeg(angle))),
            static_cast<Real>(rt::Round(cy - r * engine::SinDeg(angle)))};
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

void DrawSheetAffinityFigures(Surface& dc, int mode, Real cx, Real cy, Real r) {
    SheetBlockGuard guard(dc);
    const Real asc = engine::Chart.HouseCusps[1];
    auto middle = [](int sign) { return static_cast<Real>(15 + 30 * (sign - 1)); };
    for (const AffinityChord& c : SheetAffinityChords(mode))
        DrawAffinityChord(dc, c.pen, c.style, middle(c.signA), middle(c.signB), cx, cy, r, asc);
}

}  // namespace display
