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

// Display angles of points 1..n (entries 1..n of the result; the angles are
// 4-byte reals as the ring keeps them) from their true wheel angles (entries
// 1..n, degrees in [0, 360)). The circle is cut at the largest gap between
// neighbours, points closer than kGlyphSeparation are pushed apart into runs,
// and each run is moved back towards its true place when the gap before it
// allows. Equal angles keep point order. The sheets' rings pass their own separation.
std::array<float, 25> SpreadRingAngles(int n, const std::array<Real, 25>& trueAngles,
                                       Real separation = kGlyphSeparation);

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
    // Where the glyph centres are recorded (PlanetGlyphX/Y), or none.
    NatalWheelState* centres = nullptr;
    bool directGlyphs = false;         // glyph file number = point number (no renumbering of 8..11)
    bool retroMarksAllPoints = false;  // "R" for every marked point, not only 1..9
};

// A ring of the chart window's wheels, turned with the chart's first cusp:
// points 1..11, no degree texts.
PlanetRingOptions ChartWindowRing(const engine::Chart& chart, const RingFrame& ring, Real glyphSize,
                                  NatalWheelState* centres);

// Draws the ring on dc (longitudes 1..count; marks "r"/"R" for retrograde).
// With centres, centres->PlanetGlyphX/Y[i] := the glyph centre of point i.
void DrawPlanetRing(Surface& dc, WheelPointArray longitudes, WheelPointMarks marks, const PlanetRingOptions& options);

}  // namespace display
