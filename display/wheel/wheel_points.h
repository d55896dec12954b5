#pragma once
// Points of a chart wheel: a wheel angle theta (degrees; theta = Ascendant -
// longitude) at radius r lies at x = cx - r cos theta, y = cy - aspectY r sin
// theta in page units, so the Ascendant is on the left, the Midheaven towards
// the top and longitudes increase counter-clockwise.
#include <array>
#include <cstddef>
#include <string>

#include "display/draw/surface.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

// The chart window's points (engine::ChartPoint: the Sun to Saturn, the two
// nodes, the Ascendant and the Midheaven) in their order, a value for each of
// them indexed by the point, and the number the glyph files, the key files and
// the click cycles give a point: 1 (the Sun) to 11 (the Midheaven).
using engine::ChartPoint;
inline constexpr int kWheelPointCount = engine::kChartPointCount;
inline constexpr auto kChartPoints = engine::FirstEnumerators<ChartPoint, engine::kChartPointCount>();
template <typename T>
using ChartPointTable = engine::EnumTable<ChartPoint, T, engine::kChartPointCount>;
constexpr int ChartPointNumber(ChartPoint point) { return static_cast<int>(point) + 1; }
constexpr ChartPoint ChartPointOfNumber(int number) { return static_cast<ChartPoint>(number - 1); }

// The most points a ring of the drawings shows.
inline constexpr std::size_t kRingPointCapacity = 24;

// Values of the points a drawing shows, the first at index 0: the chart
// window's points in their order (indexed by the point), or the bodies of the
// reduced wheel and of the figure of the major aspects in the engine's full
// order (body number n at index n - 1).
template <typename T>
struct RingPointValues {
    std::array<T, kRingPointCapacity> values{};
    constexpr T& operator[](std::size_t i) { return values[i]; }
    constexpr const T& operator[](std::size_t i) const { return values[i]; }
    constexpr T& operator[](ChartPoint p) { return values[static_cast<std::size_t>(p)]; }
    constexpr const T& operator[](ChartPoint p) const { return values[static_cast<std::size_t>(p)]; }
    static constexpr std::size_t size() { return kRingPointCapacity; }
    constexpr auto begin() { return values.begin(); }
    constexpr auto end() { return values.end(); }
    constexpr auto begin() const { return values.begin(); }
    constexpr auto end() const { return values.end(); }
    constexpr void fill(const T& value) { values.fill(value); }
};
using WheelPointArray = RingPointValues<Real>;
// Their retrograde marks as the drawings show them: "r" or " ".
using WheelPointMarks = RingPointValues<std::string>;

// The chart window's points of a chart, their latitudes (the nodes' and the
// angles' zero) and their marks (the nodes carry the lunar node's).
WheelPointArray WheelPointLongitudes(const engine::Chart& chart);
WheelPointArray WheelPointLatitudes(const engine::Chart& chart);
WheelPointMarks WheelPointRetroMarks(const engine::Chart& chart);
// The dodecatemorion of each of the chart window's points: the longitude
// moved on by twelve times its degrees within the sign.
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
