#pragma once
// The chart wheel of the printable sheets, drawn from the outside in: the sign
// ring (full, with the decan rulers, on the birth-theme sheets; plain on the
// affinity sheets), the planet ring with crowded glyphs spread apart, the house
// ring of the medium houses with its sixty six-degree ticks and numerals, the
// angles, and the major aspects between the planets and the two angles as
// filled wedges or lines. A longitude L lies at the wheel angle Asc - L
// (Asc the first cusp); a point of radius r at angle a is (cx - r cos a,
// cy - WheelAspectY r sin a).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "display/draw/surface.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;
using SheetCusps = engine::HouseCusps;

// The decan rulers (body codes 1..7) of the 36 decans from 0 Aries.
int DecanRuler(int decanIndexFromAries);

// Sign ring in the ring frame with a band of 5 outside it holding the decan
// ticks and rulers, which start at the wheel angle of 0 degrees Aries. Returns
// the sign glyph scale it leaves for what follows (0.5).
Real DrawSheetSignRing(Surface& dc, std::string_view prefix, const RingFrame& ring, Real glyphSize, Real ascendant);
// The same without the band and without the decan rulers. Returns the wheel
// angle of 0 degrees Aries.
Real DrawSheetSignRingPlain(Surface& dc, std::string_view prefix, const RingFrame& ring, Real glyphSize,
                            Real ascendant);
// The medium-houses ring: ticks every 6 degrees, numerals, boundary lines;
// cusps[1] is the Ascendant.
void DrawSheetHouseRing(Surface& dc, const SheetCusps& cusps, const RingFrame& ring);
// Ascendant (and for the mean houses Midheaven and house ends) marks on the circle.
void DrawSheetAngles(Surface& dc, const engine::Chart& chart, const CircleFrame& circle);

// Wheel angles of the points of a sheet's planet ring, point k at entry k - 1.
using SheetRingAngles = RingAngles;
// The spread angles of the first n points of the planet ring for their true wheel angles.
SheetRingAngles SpreadSheetAngles(int n, const SheetRingAngles& trueAngles, Real separation);
// The planet ring of the first n points in the ring frame, turned with the ascendant.
void DrawSheetPlanetRing(Surface& dc, const WheelPointArray& longitudes, const WheelPointMarks& marks, int n,
                         const RingFrame& ring, Real ascendant);
void DrawSheetPlanetRingPlain(Surface& dc, const WheelPointArray& longitudes, const WheelPointMarks& marks, int n,
                              const RingFrame& ring, Real ascendant);

// One major aspect of the sheet wheel between places i < j of the chart
// window's points, the Ascendant and the Midheaven taking the places of the
// nodes (ChartPoint::NorthNode and SouthNode).
struct SheetAspect {
    int first = 0;
    int second = 0;
    bool hard = false;
    int deviation = 0;  // whole degrees from exact
    bool operator==(const SheetAspect&) const = default;
};
// The aspects drawn (conjunctions are found but never drawn, so not listed).
std::vector<SheetAspect> EvaluateSheetAspects(const WheelPointArray& longitudes, Real ascendant, Real midheaven,
                                              const std::array<Real, 16>& orbs);
// The aspects of the chart's longitudes with its Ascendant and Midheaven, by
// the aspect orbs given, inside the circle: wedges when aspectLinesOn is 0,
// else lines.
void DrawSheetAspects(Surface& dc, const engine::Chart& chart, const std::array<Real, 16>& orbs, int aspectLinesOn,
                      const CircleFrame& circle);
// The six-cornered wedge between two page points, widest for exact aspects.
void DrawAspectWedge(Surface& dc, int deviation, Real ax, Real ay, Real bx, Real by);

// The two wheels of the sheets, each about its centre with the sheets' rings
// (kSheetWheel). The birth-theme wheel: the full sign ring, the planet ring of
// Sun to Saturn and the nodes with their degrees, the house ring, the aspects
// and the cusp marks. The affinity wheel: the plain rings, the angles and the
// sign affinity figures of a mode (1 energy, 2 mirror).
void DrawSheetThemeWheel(Surface& dc, const engine::Chart& chart, const std::array<Real, 16>& orbs, int aspectLinesOn,
                         PagePoint centre);
void DrawSheetAffinityWheel(Surface& dc, const engine::Chart& chart, int mode, PagePoint centre);

}  // namespace display
