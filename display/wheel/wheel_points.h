#pragma once
// Points of a chart wheel: a wheel angle theta (degrees; theta = Ascendant -
// longitude) at radius r lies at x = cx - r cos theta, y = cy - aspectY r sin
// theta in page units, so the Ascendant is on the left, the Midheaven towards
// the top and longitudes increase counter-clockwise.
#include <array>
#include <string>

#include "display/draw/surface.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

// Values of the points a drawing shows, 1..24 as the wheels, the tables and the
// glyph files number them; entry 0 unused. The chart window's points are
// numbered 1..7 the Sun to Saturn, 8 and 9 the north and south nodes, 10 the
// Ascendant and 11 the Midheaven.
using WheelPointArray = std::array<Real, 25>;
// Their retrograde marks as the drawings show them: "r" or " ".
using WheelPointMarks = std::array<std::string, 25>;
inline constexpr int kWheelPointCount = 11;

// The chart window's points 1..11 of a chart, their latitudes (the nodes' and
// the angles' zero) and their marks (the nodes carry the lunar node's).
WheelPointArray WheelPointLongitudes(const engine::Chart& chart);
WheelPointArray WheelPointLatitudes(const engine::Chart& chart);
WheelPointMarks WheelPointRetroMarks(const engine::Chart& chart);
// The dodecatemorion of each of the points 1..11: the longitude moved on by
// twelve times its degrees within the sign.
WheelPointArray WheelPointDodecatemoria(const engine::Chart& chart);

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
PagePoint WheelPoint(PagePoint centre, Real radius, Real thetaDegrees);
// The point with a given vertical factor.
PagePoint WheelPointWithAspect(const CircleFrame& circle, Real thetaDegrees, Real aspectY);

// Moves the current position of dc to the mapped page point (the wheels draw
// their lines on the surface they are given).
void MoveToPage(Surface& dc, Real x, Real y);
// A line between two page points with the pen dc holds.
void LinePage(Surface& dc, PagePoint from, PagePoint to);
// A filled ellipse of radius rho about the page point (pen and brush of dc).
void DotPage(Surface& dc, PagePoint centre, Real rho);

}  // namespace display
