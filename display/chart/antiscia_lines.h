#pragma once
// The antiscia lines of a clicked planet or sign: on a circle inside the house
// ring, the point itself, its antiscion (360 - longitude, the mirror across
// 0 Aries - 0 Libra) and its contra-antiscion (180 - longitude, the mirror
// across 0 Cancer - 0 Capricorn), joined by three chords, with a small legend
// in the wheel's centre.
#include <optional>
#include <string_view>

#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

struct AntisciaChords {
    Real position = 0;    // longitude of the clicked point
    PagePoint point;      // where it is marked
    bool chords = false;  // false at 0 or 360 and beyond: only the mark
    Real antiscion = 0, contraAntiscion = 0;
    PagePoint antiscionPoint, contraPoint;
};

// The place of a longitude on the circle, both the ascendant and the longitude
// rounded to whole degrees first; rounded to whole page units. The Ascendant
// lies left of the centre.
PagePoint AntisciaCirclePoint(Real ascendant, Real longitude, const CircleFrame& circle);

// The chords of the position p on the circle.
AntisciaChords EvaluateAntisciaChords(Real p, Real ascendant, const CircleFrame& circle);

// The position of the clicked item: kind "Pia" the longitude of the chart
// window's point numbered index (1..11), "Seg" a sign's midpoint (of wheel.signMidpoints).
Real ClickedPosition(const engine::Chart& chart, const NatalWheelState& wheel, int index, std::string_view kind);

// Draws legend, the blanked title lines, the mark and the three chords.
void DrawAntisciaChords(Surface& dc, const AntisciaChords& chords, Real x, Real y);

// A clicked glyph: kind "Pia" a body, "Seg" a sign, by its number.
struct ClickedGlyph {
    int index = 0;
    std::string_view kind;
};

// The chart window's step for the clicked glyph about the wheel centre,
// turned with the chart's own Ascendant: the circle ends on the house ring's
// inner radius, 7 units further in over the dodecatemoria wheel.
void DrawAntisciaOfClicked(Surface& dc, const engine::Chart& chart, const NatalWheelState& wheel,
                           const ClickedGlyph& clicked, PagePoint wheelCentre, bool dodecatemoriaWheel);

}  // namespace display
