#pragma once
// The view of the antiscia and contra-antiscia of the signs over the natal
// chart, one figure a sub-view (0..3).
#include "display/chart/chart_view.h"

namespace display {

ChartViewShown DrawAntisciaView(Surface& dc, const ChartViewContext& view);

}  // namespace display
