#pragma once
// The fixed Dutch name tables of bodies and signs that the attribution lookups,
// the bar chart of dominant planets and the dignity display use as keys.
#include <array>
#include <string_view>

#include "engine/chart_state.h"

namespace display {

// Signs 1..12, each exactly ten characters ("RAM       ", ...).
inline constexpr std::array<std::string_view, 13> kSignNames = {
    "",           "RAM       ", "STIER     ", "TSEELINGEN", "KREEFT    ",
    "LEEUW     ", "MAAGD     ", "WEEGSCHAAL", "SCHORPIOEN", "BOOGSCHUTT",
    "STEENBOK  ", "WATERMAN  ", "VISSEN    "};
// Entries 1..11 (string[8]): the short body names of the glyph hit test; 10 and
// 11 are empty.
inline constexpr std::array<std::string_view, 12> kDignityBodyNames = {
    "", "ZON", "MAAN", "MERCURIU", "VENUS", "MARS", "JUPITER", "SATURNUS", "NORDKNOO", "ZUIDKNOO", "", ""};

// The chart's BodyNames 1..12 (ten characters, blank-padded).
void FillBodyNames(engine::ChartState& chart);

}  // namespace display
