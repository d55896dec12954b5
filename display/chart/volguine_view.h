#pragma once
// The view of the dominant planets after Volguine: the current person's chart
// computed again with Placidus houses (a chart of its own), its bodies the Sun
// to the black moon on the reduced wheel, with sub-view 0 their longitudes
// within the signs, 1 and 2 the major aspects as lines and as bands, 3 the
// planetary forces.
#include "display/chart/chart_view.h"

namespace display {

// The chart of the current person's moment and place with Placidus houses.
engine::Chart PlacidusChartOf(const archive::CurrentChart& current);
// The points of its aspect figure: the Sun to the black moon by body number,
// then the Ascendant and the tenth cusp as 13 and 14.
WheelPointArray AspectFigureLongitudes(const engine::Chart& chart);

// Writes the chart's work file of the Placidus chart (the name as the chart
// window shows it, without trailing blanks) and scores the dominant planets
// from it into their files, which the forces sub-view reads.
void PrepareVolguineView(const archive::CurrentChart& current);
ChartViewShown DrawVolguineView(Surface& dc, const ChartViewContext& view);

}  // namespace display
