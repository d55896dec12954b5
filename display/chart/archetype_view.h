#pragma once
// The view of the archetypal structure: the archetype wheel and, below its
// centre, the table of the planets' dignities, debilities and exchanges, from
// the receptions of the chart.
#include "display/chart/chart_view.h"

namespace display {

// Reads the exchange files the table's receptions need before the chart
// square is cleared: a missing one is named and the square keeps what it
// showed.
void PrepareArchetypeView(const archive::CurrentChart& current);
// It blanks the chart square itself (the window also draws it alone, when it
// opens on it) and frames the page whatever the window's form.
ChartViewShown DrawArchetypeView(Surface& dc, const ChartViewContext& view);

}  // namespace display
