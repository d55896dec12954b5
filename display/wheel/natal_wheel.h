#pragma once
// The natal wheel of the chart window: the zodiac ring with the sign glyphs and
// the rulers of the 36 decans, the ring of chart points, the chart window's
// house ring, the cusp marks, the program stamp, the per-point decade, term and
// decan tables and the position key files, and the texts of the window's seven
// data fields.
#include <array>
#include <string>
#include <string_view>

#include "archive/current_chart.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"

namespace display {

class Surface;
using engine::Real;

// The texts of the chart window's data fields after a drawing.
struct NatalChartFields {
    std::string name, birthDate, place, coordinates, houseSystem, node, julianDay;  // Windows-1252
};

// One sign glyph ("Zodiaco\Seg" + mode + version + two digits) in a square of
// side `size` centred on the page point.
void DrawSignGlyph(Surface& dc, int sign, std::string_view mode, PagePoint at, Real size);

// The zodiac ring in the ring frame, turned with the ascendant: circles,
// horizon marks, sign boundaries, sign glyphs with their centre marks
// (recorded in centres->SignGlyphX/Y), 10-degree ticks and the decan rulers.
// Without centres the glyph centres are neither marked nor recorded.
void DrawSignRing(Surface& dc, Real ascendant, std::string_view mode, const RingFrame& ring, Real glyphSize,
                  NatalWheelState* centres);

// The per-point tables of the chart window's points of `longitudes` (the natal
// points or their dodecatemoria): the decade boundaries 10, 20, ..., 360 and
// the decade 1..36 of each point; the term boundaries 6(j + 1) + ascendant - 15
// in [0, 360) and the term 1..60 of each point; the decan key of each point
// (its three-letter key, "Dec", its 10-degree sector 01..36). A point on a
// boundary belongs to the segment that starts there; a point in no segment
// keeps its number.
void ClassifyDecades(const WheelPointArray& longitudes, std::array<Real, 37>& boundaries,
                     ChartPointTable<unsigned char>& decades);
void ClassifyTerms(const WheelPointArray& longitudes, Real ascendant, std::array<Real, 61>& boundaries,
                   ChartPointTable<unsigned char>& terms);
void BuildDecanKeys(const WheelPointArray& longitudes, ChartPointTable<std::string>& keys);

// The per-point tables of the chart window's points of the chart
// (wheel.bodyTerms, bodyDecanKeys, bodyDecades).
void ClassifyBodyTerms(const engine::Chart& chart, NatalWheelState& wheel);
void BuildBodyDecanKeys(const engine::Chart& chart, NatalWheelState& wheel);
void ClassifyBodyDecades(const engine::Chart& chart, NatalWheelState& wheel);

// The whole natal wheel of the current chart on dc, with its birth data (the
// name shown without trailing blanks). Rewrites the position key files; a file
// that cannot be written is reported once and the drawing goes on. The glyph centres and the per-point tables go into
// wheel, whose weekday the date field shows. Returns the texts of the data fields.
NatalChartFields DrawNatalChart(Surface& dc, const archive::CurrentChart& current, NatalWheelState& wheel);

}  // namespace display
