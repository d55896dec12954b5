#pragma once
// The coordinate tables of the chart window, drawn inside the wheel's centre:
// longitudes within the sign, longitudes 0..360, ecliptic latitudes, and for a
// chart in the engine's body order the longitudes of its twelve bodies with
// their names. Rows stand 5 page units apart: the body's glyph, then its value.
#include <string>
#include <vector>

#include "display/draw/surface.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

struct CoordinateRow {
    int glyphFile = 0;  // glyph file number of the body
    Real glyphX = 0, glyphY = 0;
    std::string text;  // the value, left-aligned at (textX, textY)
    Real textX = 0, textY = 0;
    std::string name;  // engine-order table only: right-aligned at (nameX, textY)
    Real nameX = 0;
};
struct CoordinateTable {
    std::string caption;  // cyan, centred at (captionX, captionY); may be empty
    Real captionX = 0, captionY = 0;
    std::vector<CoordinateRow> rows;
};

// The tables about the wheel centre (cx, cy): the chart window's points 1..11
// (the latitudes of the Sun to Saturn and of the nodes, zero), or the twelve
// bodies the Sun to the black moon, with their names.
CoordinateTable EvaluateRelativeLongitudes(const engine::Chart& chart, Real cx, Real cy);
CoordinateTable EvaluateAbsoluteLongitudes(const engine::Chart& chart, Real cx, Real cy);
CoordinateTable EvaluateLatitudes(const engine::Chart& chart, Real cx, Real cy);
CoordinateTable EvaluateEngineOrderLongitudes(const engine::Chart& chart, Real cx, Real cy);

void DrawCoordinateTable(Surface& dc, const CoordinateTable& table);

// The tables of the chart at the chart window's wheel centre.
void DrawRelativeLongitudes(Surface& dc, const engine::Chart& chart);
void DrawAbsoluteLongitudes(Surface& dc, const engine::Chart& chart);
void DrawLatitudes(Surface& dc, const engine::Chart& chart);
void DrawEngineOrderLongitudes(Surface& dc, const engine::Chart& chart);

}  // namespace display
