#pragma once
// The reduced wheel that several views of the chart window draw beside their
// tables: the zodiac ring, twelve bodies, the plain house ring and the
// labelled cusp axes, with the upper right part of the window left blank for
// the view's text. It records no glyph centres, so clicks keep finding the
// glyphs of the last natal wheel, and leaves the position key files as the
// last natal wheel wrote them.
#include <array>
#include <string>

#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

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
    std::array<HouseAxis, 6> axis;  // cusp i at index i - 1
};

// The six axes of a set of cusps (cusp 1 the Ascendant).
HouseAxes EvaluateHouseAxes(const HouseCusps& cusps);

// The labelled cusp axes on the circle: red ticks on the horizon and the
// meridian, a red dot at both ends of every axis, the degree texts, "MC",
// "IC", "AS" and "DS".
void DrawHouseAxisLabels(Surface& dc, const HouseCusps& cusps, const CircleFrame& circle);

// The zodiac ring without glyph-centre marks; the sign centres are not recorded.
void DrawSignRingReduced(Surface& dc, Real ascendant, const char* mode, const RingFrame& ring, Real glyphSize);

// The ring of the first `count` points turned with the ascendant, glyphs of size
// 7, each drawn with the glyph file of its own number, "R" beside every point
// marked "r" or "R", no centre marks and no degree texts.
void DrawPlanetRingReduced(Surface& dc, const WheelPointArray& longitudes, const WheelPointMarks& marks, Real ascendant,
                           const RingFrame& ring, int count);

// The reduced wheel of a chart: its bodies the Sun to the black moon, each with
// the glyph file of its body number (engine/bodies_theory.h) and "R" when it
// is retrograde.
void DrawReducedWheelChart(Surface& dc, const engine::Chart& chart);

// The reduced wheel under a view of the chart window: the page outline when
// framed, the chart window's geometry, the wheel, then the area
// (195, 2)-(279, 100) painted black.
void RedrawReducedWheelChart(Surface& dc, const engine::Chart& chart, bool framed, ChartGeometryState& geometry);

}  // namespace display
