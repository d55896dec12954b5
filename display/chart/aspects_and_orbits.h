#pragma once
// A triangular table of the aspects between the chart's points: each cell shows
// which aspect two points make (if any lies within its orb) and by how many
// whole degrees it misses being exact.
#include <string_view>
#include <vector>

#include "display/draw/surface.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

// Columns of the grid (shared with the spherical-distance grids of the window and
// the sheets).
inline constexpr int kGridBodyCount = 9;

struct GridAspect {
    int angle;    // exact angle in degrees
    int orbSlot;  // slot of the orb record
    int glyph;    // aspect glyph code
};
// The aspects in the order a distance is tested: the first that matches wins.
extern const GridAspect kGridAspects[11];

struct AspectGridCell {
    int column = 0;     // point i, 1..9
    int row = 0;        // point j, i + 1..11
    int glyph = 0;      // aspect glyph code
    int deviation = 0;  // |angle - distance| rounded to whole degrees
};

struct AspectGrid {
    std::vector<AspectGridCell> cells;  // only the pairs with an aspect, column by column
};

// The folded distance of two longitudes, 0 to 180 degrees.
Real FoldedDistance(Real first, Real second);

// The cells of the grid from the longitudes of chart points 1..11 and the orbs.
AspectGrid EvaluateAspectsAndOrbits(const engine::Chart& chart, const engine::OrbRecord& orbs);

// Draws the table at (x, y), its upper left corner. Passing "NO" as titleFlag
// leaves the heading out.
void DrawAspectsAndOrbits(Surface& dc, const AspectGrid& grid, std::string_view titleFlag, Real x, Real y);

}  // namespace display
