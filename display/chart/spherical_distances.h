#pragma once
// The table of spherical distances ("SFERISCHE AFSTANDEN"): for each pair of
// the eleven chart points their true angle on the sphere, the ecliptic
// latitudes taken into account, with the pairs within the orb of a major
// aspect coloured and underlined.
#include <array>
#include <string>
#include <vector>

#include "archive/current_chart.h"
#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

// Page units of the table per grid unit.
inline constexpr Real kSphericalGridUnit = 0.42L;
// Columns of the table (points 1..9); rows are points 2..11.
inline constexpr int kSphericalGridColumns = 9;

// The angle in degrees (0..180) between two points given by longitude and
// latitude; never NaN, also for exactly opposite points.
Real SphericalDistance(Real longitudeA, Real latitudeA, Real longitudeB, Real latitudeB);

struct SphericalDistanceCell {
    int first = 0, second = 0;  // the numbers of points i < j, their column and row
    Real distance = 0;
    bool hard = false;         // within the orb of an opposition or a square
    bool soft = false;         // within the orb of a trine or a sextile
    bool conjunction = false;  // below the conjunction's orb
    std::string text;          // the distance cut to five characters ("123.4", "45.67")
    Real x = 0, y = 0;         // the cell's reference point, page units
};
struct SphericalDistances {
    std::vector<SphericalDistanceCell> cells;  // (1,2), (1,3), ..., (9,11)
};

// The cells of the table with its origin at (x0, y0), the orbs from slots 0..4.
SphericalDistances EvaluateSphericalDistances(const WheelPointArray& longitudes, const WheelPointArray& latitudes,
                                              const engine::OrbRecord& orbs, Real x0, Real y0);

// Title, grid lines, the points' glyphs and the cells, from the longitudes
// passed and the latitudes of the current chart's points, within the current orbs.
SphericalDistances DrawSphericalDistanceGrid(Surface& dc, const archive::CurrentChart& current,
                                             const WheelPointArray& longitudes, Real x0, Real y0);
// One cell: underline and colour by its marks, then the distance.
void DrawSphericalDistanceCell(Surface& dc, const SphericalDistanceCell& cell);

}  // namespace display
