#pragma once
// The view of the planetary aspects over the natal chart: sub-views 0 and 1 the
// figure of the major aspects as lines and as bands, with the aspect list for
// the aspect memo; 2 the grid of aspects and orbits and 3 the grid of spherical
// distances, each on the wheel's blanked centre.
#include "display/chart/chart_view.h"

namespace display {

ChartViewShown DrawAspectsView(Surface& dc, const ChartViewContext& view);

}  // namespace display
