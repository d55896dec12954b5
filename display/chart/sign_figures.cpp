#include "display/chart/sign_figures.h"

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/wheel_points.h"
#include "engine/angles.h"
#include "platform/runtime/number_text.h"

namespace display {

PagePoint SignCirclePoint(const CircleFrame& circle, Real ascendant, Real lambda) {
    const Real theta = static_cast<Real>(rt::Round(ascendant) + 360 - rt::Round(lambda));
    return {static_cast<Real>(rt::Round(circle.centre.x - circle.radius * engine::CosDeg(theta))),
            static_cast<Real>(rt::Round(circle.centre.y - circle.radius * engine::SinDeg(theta)))};
}

SignFigure PlaceSignPoints(std::span<const Real> points, Real ascendant, const CircleFrame& circle) {
    SignFigure f;
    // The dots a little inside the circle, the segments' ends on it.
    const CircleFrame dots{.centre = circle.centre, .radius = circle.radius - 0.2L};
    for (engine::Sign s : engine::kSigns) {
        const auto index = static_cast<std::size_t>(s);
        const Real lambda = index < points.size() ? points[index] : 0;
        const PagePoint dot = SignCirclePoint(dots, ascendant, lambda);
        const PagePoint end = SignCirclePoint(circle, ascendant, lambda);
        f.dotX[s] = dot.x;
        f.dotY[s] = dot.y;
        f.x[s] = end.x;
        f.y[s] = end.y;
    }
    return f;
}

void AddSignSegments(SignFigure& figure, const int (*table)[3], int count, bool dotted) {
    for (int k = 0; k < count; ++k) figure.segments.push_back({table[k][0], table[k][1], table[k][2], dotted});
}

void AddSignQuadrilaterals(SignFigure& figure, bool dotted) {
    static const int kQuads[12][3] = {{1, 12, 77}, {12, 7, 77}, {7, 6, 77}, {6, 1, 77},  {3, 4, 33},  {4, 9, 33},
                                      {9, 10, 33}, {10, 3, 33}, {5, 8, 22}, {8, 11, 22}, {11, 2, 22}, {2, 5, 22}};
    AddSignSegments(figure, kQuads, 12, dotted);
}

void DrawSignFigure(Surface& dc, const SignFigure& f, const CircleFrame& circle) {
    {
        ScopedLinePen pen(dc, 10);
        DrawCircleScaled(dc, circle.centre.x, circle.centre.y, circle.radius);
    }
    {
        ScopedPen pen(dc, 60);
        for (engine::Sign s : engine::kSigns)
            EllipseScaled(dc, f.dotX[s] - 0.5L, f.dotY[s] - 0.5L, f.dotX[s] + 0.5L, f.dotY[s] + 0.5L);
    }
    for (const SignSegment& g : f.segments) {
        ScopedPen pen(dc, g.pen);
        const engine::Sign from = engine::SignOfNumber(g.from), to = engine::SignOfNumber(g.to);
        if (g.dotted)
            DrawDottedLine(dc, f.x[from], f.y[from], f.x[to], f.y[to]);
        else
            LinePage(dc, {f.x[from], f.y[from]}, {f.x[to], f.y[to]});
    }
}

SignFigure EvaluateSignPairs(std::span<const Real> points, Real ascendant, int mode, const CircleFrame& circle,
                             const SignPairSets& sets) {
    SignFigure f = PlaceSignPoints(points, ascendant, circle);
    if (mode == 0 || mode == 2) AddSignSegments(f, sets.first, 6, false);
    if (mode == 1 || mode == 2) AddSignSegments(f, sets.second, 6, sets.secondDotted);
    if (mode == 3) AddSignQuadrilaterals(f, sets.quadsDotted);
    if (mode == 0) f.label = sets.firstLabel;
    if (mode == 1) f.label = sets.secondLabel;
    return f;
}

SignFigure DrawSignPairs(Surface& dc, std::span<const Real> points, Real ascendant, int mode, const CircleFrame& circle,
                         const SignPairSets& sets) {
    const SignFigure f = EvaluateSignPairs(points, ascendant, mode, circle, sets);
    DrawSignFigure(dc, f, circle);
    return f;
}

}  // namespace display
