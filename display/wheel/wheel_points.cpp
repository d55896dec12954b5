#include "display/wheel/wheel_points.h"

#include <algorithm>

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "engine/angles.h"

namespace display {

WheelPointArray WheelPointLongitudes(const engine::Chart& chart) {
    WheelPointArray l{};
    const engine::PointLongitudes points = engine::PointLongitudesOf(chart);
    std::copy(points.begin(), points.end(), l.begin());
    return l;
}

WheelPointArray WheelPointLatitudes(const engine::Chart& chart) {
    WheelPointArray b{};
    const engine::PointLongitudes points = engine::PointLatitudesOf(chart);
    std::copy(points.begin(), points.end(), b.begin());
    return b;
}

WheelPointArray WheelPointDodecatemoria(const engine::Chart& chart) {
    WheelPointArray d{};
    const WheelPointArray l = WheelPointLongitudes(chart);
    for (ChartPoint p : kChartPoints) d[p] = engine::Mod360(l[p] + 12 * engine::Mod30(l[p]));
    return d;
}

WheelPointMarks WheelPointRetroMarks(const engine::Chart& chart) {
    WheelPointMarks marks;
    marks.fill(" ");
    for (ChartPoint p : kChartPoints)
        if (engine::PointRetrograde(chart, p)) marks[p].assign(1, 'r');
    return marks;
}

PagePoint WheelPointWithAspect(const CircleFrame& circle, Real thetaDegrees, Real aspectY) {
    const Real r = circle.radius;
    return {circle.centre.x - r * engine::CosDeg(thetaDegrees),
            circle.centre.y - aspectY * r * engine::SinDeg(thetaDegrees)};
}

PagePoint WheelPoint(PagePoint centre, Real radius, Real thetaDegrees) {
    return WheelPointWithAspect({centre, radius}, thetaDegrees, 1.0L);
}

void MoveToPage(Surface& dc, Real x, Real y) { dc.MoveTo(MapPoint(dc, x, y)); }

void LinePage(Surface& dc, PagePoint from, PagePoint to) {
    MoveToPage(dc, from.x, from.y);
    LineToScaled(dc, to.x, to.y);
}

void DotPage(Surface& dc, PagePoint centre, Real rho) {
    EllipseScaled(dc, centre.x - rho, centre.y - rho, centre.x + rho, centre.y + rho);
}

}  // namespace display
