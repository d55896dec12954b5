#pragma once
// The view of the energy affinities over the natal chart: the magnetic and
// sun-moon relations between the signs, one figure a sub-view (0..2).
#include "display/chart/chart_view.h"

namespace display {

ChartViewShown DrawEnergyView(Surface& dc, const ChartViewContext& view);

}  // namespace display
