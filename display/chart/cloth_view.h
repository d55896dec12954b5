#pragma once
// The view of the cloths over the natal chart: sub-view 0 the elemental cloth,
// 1 the elemental humoral attribution, 2 the seasonal cloth, 3 the seasonal
// humoral attribution, each placed from the wheel centre of the press.
#include "display/chart/chart_view.h"

namespace display {

ChartViewShown DrawClothView(Surface& dc, const ChartViewContext& view);

}  // namespace display
