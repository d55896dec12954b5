#pragma once
// The view of the dodecatemoria: their wheel, the part of the window right of
// the chart square painted black, and the lists of the dodecatemoria in their
// terms, decans and decades for the aspect memo.
#include "display/chart/chart_view.h"

namespace display {

// It frames the page whatever the window's form.
ChartViewShown DrawDodecatemoriaView(Surface& dc, const ChartViewContext& view);

}  // namespace display
