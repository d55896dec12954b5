#pragma once
// The house structure of the chart wheels: the narrow ring of the twelve houses
// with their numerals, the chart window's variant whose houses are sectors
// centred on the cusps, and the cusp marks outside the zodiac ring (Ascendant
// ticks and degree texts, and for the medium-houses system the Midheaven and
// the middle of every house).
#include <array>
#include <string>

#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

class Surface;
using engine::HouseCusps;
using engine::Real;

// The numerals of houses 1..12, the first house first.
extern const char* const kHouseNumerals[12];       // "I", "2", "3", "IV", ...
extern const char* const kRomanHouseNumerals[12];  // "I", "II", ..., "XII"

// The note that follows the house system's name where the Porphyry cusps stand
// in for it (Placidus, Koch, Alcabitius beyond the polar circles), and the
// name with it as the chart window's field and the sheets show it.
inline constexpr const char* kPorphyryStandInNote = " (PORFIRIO oltre il circolo polare)";
std::string HouseSystemCaption(const engine::Chart& chart);
// The line the help panel of a view of the chart's own house system shows
// there: "" where the system's own cusps are shown.
std::string PorphyryStandInLine(const engine::Chart& chart);

// The house ring in the ring frame; cusps[1] is the Ascendant. The circles
// are drawn only when the outer radius is below 70.
void DrawHouseRing(Surface& dc, const HouseCusps& cusps, const RingFrame& ring);

// The cusp marks starting on the circle: Ascendant ticks, dot, degree texts
// and "AS"; with the mean houses also the Midheaven and the middles of the
// houses. The marks stand at cusp 1 of `cusps`; the degree texts, the house
// system, the Midheaven and the other cusps come from the chart.
void DrawHouseCusps(Surface& dc, const engine::Chart& chart, const HouseCusps& cusps, const CircleFrame& circle);

// The chart window's house ring, turned with the ascendant: every house
// boundary 15 degrees before its cusp, 60 cyan ticks of the 6-degree terms
// outside it, Roman numerals.
void DrawChartWindowHouseRing(Surface& dc, const HouseCusps& cusps, const RingFrame& ring, Real ascendant);

}  // namespace display
