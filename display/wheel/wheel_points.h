#pragma once
// Points of a chart wheel: a wheel angle theta (degrees; theta = Ascendant -
// longitude) at radius r lies at x = cx - r cos theta, y = cy - aspectY r sin
// theta in page units, so the Ascendant is on the left, the Midheaven towards
// the top and longitudes increase counter-clockwise.
#include "display/draw/surface.h"
#include "engine/chart_state.h"

namespace display {

using engine::Real;

struct PagePoint {
    Real x = 0;
    Real y = 0;
};

// Where a ring of a chart wheel lies on the page: the wheel's centre and the
// ring's outer and inner radii, in page units.
struct RingFrame {
    PagePoint centre;
    Real outerRadius = 0;
    Real innerRadius = 0;
};

// A circle of a chart wheel on the page: the wheel's centre and the radius.
struct CircleFrame {
    PagePoint centre;
    Real radius = 0;
};

// The point on a round wheel (vertical factor 1).
PagePoint WheelPoint(Real cx, Real cy, Real r, Real thetaDegrees);
// The point with a given vertical factor.
PagePoint WheelPointWithAspect(Real cx, Real cy, Real r, Real thetaDegrees, Real aspectY);

// Moves the current position of dc to the mapped page point (the wheels draw
// their lines on the surface they are given).
void MoveToPage(Surface& dc, Real x, Real y);
// A line between two page points with the pen dc holds.
void LinePage(Surface& dc, PagePoint from, PagePoint to);
// A filled ellipse of radius rho about the page point (pen and brush of dc).
void DotPage(Surface& dc, PagePoint centre, Real rho);

}  // namespace display
