#pragma once
// The coordinate tables of the chart window, drawn inside the wheel's centre:
// longitudes within the sign, longitudes 0..360, ecliptic latitudes, and for a
// chart in the engine's body order the longitudes of its twelve bodies with
// their names. Rows stand 5 page units apart: the body's glyph, then its value.
#include <string>
#include <vector>

#include "display/draw/surface.h"
#include "engine/chart_state.h"

namespace display {

using engine::Real;

struct CoordinateRow {
    int glyphFile = 0;  // glyph file number of the body
    Real glyphX = 0, glyphY = 0;
    std::string text;   // the value, left-aligned at (textX, textY)
    Real textX = 0, textY = 0;
    std::string name;   // engine-order table only: right-aligned at (nameX, textY)
    Real nameX = 0;
};
struct CoordinateTable {
    std::string caption;  // cyan, centred at (captionX, captionY); may be empty
    Real captionX = 0, captionY = 0;
    std::vector<CoordinateRow> rows;
};

// The tables about the wheel centre (cx, cy), from the chart's body arrays in
// the chart window's order (points 1..11), or in the engine's order (1..12).
CoordinateTable EvaluateRelativeLongitudes(const engine::ChartState& chart, Real cx, Real cy);
CoordinateTable EvaluateAbsoluteLongitudes(const engine::ChartState& chart, Real cx, Real cy);
// The nodes (rows 8 and 9) show the latitude of entry 11, zero in both orders.
CoordinateTable EvaluateLatitudes(const engine::ChartState& chart, Real cx, Real cy);
CoordinateTable EvaluateEngineOrderLongitudes(const engine::ChartState& chart, Real cx, Real cy);

void DrawCoordinateTable(Surface& dc, const CoordinateTable& table);

// The tables of the chart at the chart window's wheel centre.
void DrawRelativeLongitudes(Surface& dc, const engine::ChartState& chart);
void DrawAbsoluteLongitudes(Surface& dc, const engine::ChartState& chart);
// Also sets entries 8 and 9 of the chart's PlanetLatitudes to entry 11.
void DrawLatitudes(Surface& dc, engine::ChartState& chart);
void DrawEngineOrderLongitudes(Surface& dc, const engine::ChartState& chart);

}  // namespace display
