#include "display/chart/antiscia_lines.h"

#include <cmath>
#include <string>

#include "archive/current_chart.h"
#include "display/chart/view_drawing.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/wheel_state.h"
#include "engine/angles.h"
#include "platform/runtime/number_text.h"

namespace display {

PagePoint AntisciaCirclePoint(Real ascendant, Real longitude, const CircleFrame& circle) {
    const Real x = circle.centre.x, y = circle.centre.y, r = circle.radius;
    const Real a = static_cast<Real>(rt::Round(ascendant) + 360 - rt::Round(longitude));
    return {static_cast<Real>(rt::Round(x - r * engine::CosDeg(a))),
            static_cast<Real>(rt::Round(y - r * engine::SinDeg(a)))};
}

AntisciaChords EvaluateAntisciaChords(Real p, Real ascendant, const CircleFrame& circle) {
    AntisciaChords c;
    c.position = p;
    c.point = AntisciaCirclePoint(ascendant, p, circle);
    if (p == 0 || p >= 360) return c;
    c.chords = true;
    c.antiscion = 360 - p;
    c.contraAntiscion = engine::Mod360(c.antiscion - 180);
    c.antiscionPoint = AntisciaCirclePoint(ascendant, c.antiscion, circle);
    c.contraPoint = AntisciaCirclePoint(ascendant, c.contraAntiscion, circle);
    return c;
}

Real ClickedPosition(const engine::Chart& chart, const NatalWheelState& wheel, int index, std::string_view kind) {
    if (kind == "Seg") return index >= 1 && index <= 12 ? wheel.signMidpoints[engine::SignOfNumber(index)] : 0;
    return index >= 1 && index <= kWheelPointCount ? WheelPointLongitudes(chart)[ChartPointOfNumber(index)] : 0;
}

void DrawAntisciaChords(Surface& dc, const AntisciaChords& c, Real x, Real y) {
    dc.SetTextColor(kViewCyan);
    TextOutLeft(dc, "ANTISCE e", 15, x - 15, y + 3);
    dc.SetTextColor(kViewRed);
    TextOutLeft(dc, "CONTRANTISCE", 15, x - 15, y + 7);
    const std::string blanks(47, ' ');
    TextOutLeft(dc, blanks, 2, 5, 5);
    TextOutLeft(dc, blanks, 2, 5, 10);

    {
        ScopedPen pen(dc, 60);
        EllipseScaled(dc, c.point.x - 0.5L, c.point.y - 0.5L, c.point.x + 0.5L, c.point.y + 0.5L);
    }
    if (!c.chords) return;
    auto chord = [&dc](int penCode, PagePoint a, PagePoint b) {
        ScopedPen pen(dc, penCode);
        LineScaled(dc, a.x, a.y, b.x, b.y);
    };
    chord(5, c.point, c.antiscionPoint);
    chord(2, c.point, c.contraPoint);
    chord(9, c.antiscionPoint, c.contraPoint);
}

void DrawAntisciaOfClicked(Surface& dc, const engine::Chart& chart, const NatalWheelState& wheel,
                           const ClickedGlyph& clicked, PagePoint wheelCentre, bool dodecatemoriaWheel) {
    const Real x = wheelCentre.x, y = wheelCentre.y;
    const Real ascendant = chart.cusps[1];
    const Real r = kChartWindowWheel.houseInner - (dodecatemoriaWheel ? 7 : 0);
    const Real p = ClickedPosition(chart, wheel, clicked.index, clicked.kind);
    DrawAntisciaChords(dc, EvaluateAntisciaChords(p, ascendant, {wheelCentre, r}), x, y);
}

}  // namespace display
