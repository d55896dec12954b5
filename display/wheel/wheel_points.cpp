#include "display/wheel/wheel_points.h"

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "engine/angles.h"

namespace display {

PagePoint WheelPointWithAspect(Real cx, Real cy, Real r, Real thetaDegrees, Real aspectY) {
    return {cx - r * engine::CosDeg(thetaDegrees), cy - aspectY * r * engine::SinDeg(thetaDegrees)};
}

PagePoint WheelPoint(Real cx, Real cy, Real r, Real thetaDegrees) {
    return WheelPointWithAspect(cx, cy, r, thetaDegrees, 1.0L);
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
