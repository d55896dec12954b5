#pragma once
// The ring of chart points of the chart window's wheels: one glyph per point,
// crowded glyphs spread apart along the ring, pointer lines from each glyph back
// to the point's true longitude on both edges of the ring, retrograde marks,
// optional degree texts outside the zodiac and optional recording of the glyph
// centres for the click handler.
#include <array>
#include <string>

#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"

namespace display {

class Surface;
using engine::Real;

// Least separation of two spread glyphs, degrees of wheel angle.
inline constexpr Real kGlyphSeparation = 8;

// Wheel angles of the points of a ring, point k at index k - 1; the spread
// angles are 4-byte reals, as the ring keeps them.
using RingAngles = std::array<Real, kRingPointCapacity>;
using SpreadAngles = std::array<float, kRingPointCapacity>;

// Display angles of the first n points of a ring from their true wheel angles
// (degrees in [0, 360)). The circle is cut at the largest gap between
// neighbours, points closer than kGlyphSeparation are pushed apart into runs,
// and each run is moved back towards its true place when the gap before it
// allows. Equal angles keep point order. The sheets' rings pass their own separation.
SpreadAngles SpreadRingAngles(int n, const RingAngles& trueAngles, Real separation = kGlyphSeparation);

struct PlanetRingOptions {
    Real ascendant = 0;
    // The Descendant, near which (as near the ascendant) a degree text's
    // leader starts further out.
    Real descendant = 0;
    RingFrame ring{.centre = {100, 100}, .outerRadius = 65, .innerRadius = 50};
    Real angleOffset = 0;
    Real glyphSize = 7;
    int count = 11;
    bool degreeTexts = false;
    // Where the glyph centres of the chart window's points are recorded
    // (planetGlyphX/Y), or none.
    NatalWheelState* centres = nullptr;
    bool directGlyphs = false;         // glyph file number = point number (no renumbering of the nodes and angles)
    bool retroMarksAllPoints = false;  // "R" for every marked point, not only the planets and the nodes
};

// A ring of the chart window's wheels, turned with the chart's first cusp:
// the chart window's points, no degree texts.
PlanetRingOptions ChartWindowRing(const engine::Chart& chart, const RingFrame& ring, Real glyphSize,
                                  NatalWheelState* centres);

// Draws the ring on dc (the first `count` longitudes; marks "r"/"R" for
// retrograde). With centres, centres->planetGlyphX/Y of each of the chart
// window's points := the centre of its glyph.
void DrawPlanetRing(Surface& dc, WheelPointArray longitudes, WheelPointMarks marks, const PlanetRingOptions& options);

}  // namespace display
