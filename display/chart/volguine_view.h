#pragma once
// The view of the dominant planets after Volguine: the chart recomputed with
// Placidus houses, drawn in the engine's order on the reduced wheel, with
// sub-view 0 the longitudes within the signs, 1 and 2 the major aspects as
// lines and as bands, 3 the planetary forces.
#include "display/chart/chart_view.h"

namespace display {

// Recomputes the current chart for the view: Placidus houses, the bodies with their
// retrograde marks in the engine's order and the dominants, with the chart's
// work file (the person's chart is to be loaded again after the view).
void PrepareVolguineView(archive::CurrentChart& current);
ChartViewShown DrawVolguineView(Surface& dc, const ChartViewContext& view);

}  // namespace display
