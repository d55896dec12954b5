#pragma once
// The view of the planetary coordinates over the natal chart: sub-view 0 the
// longitudes within each point's sign, with the lists of the points in their
// terms, decans and decades for the aspect memo; 1 the absolute longitudes;
// 2 the latitudes.
#include "display/chart/chart_view.h"

namespace display {

ChartViewShown DrawCoordinatesView(Surface& dc, const ChartViewContext& view);

}  // namespace display
