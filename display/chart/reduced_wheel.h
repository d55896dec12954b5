#pragma once
// The reduced wheel that several views of the chart window draw beside their
// tables: the zodiac ring, twelve chart points, the plain house ring and the
// labelled cusp axes, with the upper right part of the window left blank for
// the view's text. It records no glyph centres, so clicks keep finding the
// glyphs of the last natal wheel.
#include <array>
#include <string>

#include "archive/current_chart.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart_state.h"

namespace display {

class Surface;
using engine::Real;

// One axis of the cusp labels: cusp i (1..6) at wheel angle Ascendant - cusp
// and its opposite end, both ends carrying the same degree text.
struct HouseAxis {
    Real cuspAngle = 0;      // wheel angle of the cusp end; the other end is + 180
    std::string degreeText;  // degrees and minutes within the sign, at most 6 characters
    bool ticked = false;     // the horizon (cusp 1) and the meridian (cusp 4)
};
struct HouseAxes {
    std::array<HouseAxis, 7> axis;  // 1..6
};

// The six axes of a set of cusps (entries 1..15, entry 1 the Ascendant).
HouseAxes EvaluateHouseAxes(const CuspArray& cusps);

// The labelled cusp axes on the circle: red ticks on the horizon and the
// meridian, a red dot at both ends of every axis, the degree texts, "MC",
// "IC", "AS" and "DS".
void DrawHouseAxisLabels(Surface& dc, const CuspArray& cusps, const CircleFrame& circle);

// The zodiac ring without glyph-centre marks; the sign centres are not recorded.
void DrawSignRingReduced(Surface& dc, Real ascendant, const char* mode, const RingFrame& ring, Real glyphSize);

// The ring of chart points 1..count turned with the ascendant, glyphs of size
// 7, each drawn with the glyph file of its own number, "R" beside every point
// marked "r" or "R", no centre marks and no degree texts.
void DrawPlanetRingReduced(Surface& dc, const engine::BodyArray& longitudes, const std::array<std::string, 24>& marks,
                           Real ascendant, const RingFrame& ring, int count);

// The reduced wheel of the current chart (points 1..12 of PlanetLongitudes with
// VolguineRetroMarks). The position key files are rewritten from the chart
// window's order only: while the body arrays hold the engine's order
// (arraysInEngineOrder) they are left as the last natal drawing wrote them.
void DrawReducedWheelChart(Surface& dc, archive::CurrentChart& current, bool arraysInEngineOrder,
                           NatalWheelState& wheel);

// The reduced wheel under a view of the chart window: the page outline when
// framed, the chart window's geometry, the wheel, then the area
// (195, 2)-(279, 100) painted black.
void RedrawReducedWheelChart(Surface& dc, archive::CurrentChart& current, bool framed, bool arraysInEngineOrder,
                             ChartGeometryState& geometry, NatalWheelState& wheel);

}  // namespace display
