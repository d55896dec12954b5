#pragma once
// The count grids of the affinity sheets: the elemental cloth (the seven
// classical planets by element and alchemical principle), the seasonal cloth
// (by season and quality) and the two humoral grids (elements turned into the
// qualities hot, moist, cold and dry), each anchored at a page point.
#include <array>

#include "display/chart/cloths.h"
#include "display/chart/humoral.h"
#include "display/draw/surface.h"
#include "engine/chart_state.h"

namespace display {

using engine::Real;

// The counts (ClothCounts, HumoralCounts) are the chart window's evaluations.
// The elemental cloth counts the signs as the chart holds them
// (chart.PlanetSigns); the other three take the signs of the seven classical
// planets from their longitudes.
void DrawElementalCloth(Surface& dc, const engine::ChartState& chart, Real x, Real y);
void DrawSeasonCloth(Surface& dc, const engine::ChartState& chart, Real x, Real y);
void DrawElementalHumoralGrid(Surface& dc, const engine::ChartState& chart, Real x, Real y);
void DrawSeasonalHumoralGrid(Surface& dc, const engine::ChartState& chart, Real x, Real y);

// A step of the affinity sheets: the signs of the seven classical planets
// from their longitudes into chart.PlanetSigns, as the chart window's cloth
// views leave them.
void SetClassicalPlanetSigns(engine::ChartState& chart);

}  // namespace display
