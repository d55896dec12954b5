#pragma once
// The count grids of the affinity sheets: the elemental cloth (the seven
// classical planets by element and alchemical principle), the seasonal cloth
// (by season and quality) and the two humoral grids (elements turned into the
// qualities hot, moist, cold and dry), each anchored at a page point.
#include <array>

#include "display/chart/cloths.h"
#include "display/chart/humoral.h"
#include "display/draw/surface.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

// The counts (ClothCounts, HumoralCounts) are the chart window's evaluations
// of the signs of the seven classical planets.
void DrawElementalCloth(Surface& dc, const engine::Chart& chart, Real x, Real y);
void DrawSeasonCloth(Surface& dc, const engine::Chart& chart, Real x, Real y);
void DrawElementalHumoralGrid(Surface& dc, const engine::Chart& chart, Real x, Real y);
void DrawSeasonalHumoralGrid(Surface& dc, const engine::Chart& chart, Real x, Real y);

}  // namespace display
