#pragma once
// The dodecatemoria view ("DODECATEMORIEEN", "(Op de binnenste cirkel)"): the
// natal points on the planet ring and, on an inner ring, the dodecatemorion of
// each point, with the list of the eleven dodecatemoria in the wheel's middle
// and the per-point decade, term and decan tables of the dodecatemoria.
#include <array>
#include <string>

#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

// The per-point tables of the dodecatemoria of the chart window's points, with
// boundary tables of their own.
struct DodecatemoriaTables {
    std::array<Real, 37> decadeBoundaries{};
    std::array<Real, 61> termBoundaries{};
    ChartPointTable<unsigned char> dodecatemoriaDecades{};  // 1..36
    ChartPointTable<unsigned char> dodecatemoriaTerms{};    // 1..60
    ChartPointTable<std::string> dodecatemoriaDecanKeys{};  // "SolDec14", ...
};

// The tables over the dodecatemoria of the chart's points (terms from the
// Ascendant, as the natal tables).
DodecatemoriaTables EvaluateDodecatemoriaTables(const engine::Chart& chart);

// The list in the middle of the wheel: eleven lines from y = cy - 24 down in
// steps of 4.7, the glyph of point i at (cx - 15, y), its dodecatemorion's
// position in the sign at (cx - 11, y - 1.5).
struct DodecatemoriaListLine {
    int glyphFile = 0;
    Real glyphX = 0, glyphY = 0;
    std::string text;  // Windows-1252
    Real textX = 0, textY = 0;
};
ChartPointTable<DodecatemoriaListLine> EvaluateDodecatemoriaList(const engine::Chart& chart, Real cx, Real cy);

// The whole view of the chart on dc: the rings moved inward, the inner
// ring of the dodecatemoria (no retrograde marks), the chart window's house
// ring, cusp marks, stamp, the tables, the list and the captions. Records the
// glyph centres of the natal points and of the signs. Returns the tables of the
// dodecatemoria drawn.
DodecatemoriaTables DrawDodecatemoriaChart(Surface& dc, const engine::Chart& chart, NatalWheelState& wheel);

}  // namespace display
