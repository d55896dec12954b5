#pragma once
// The fixed Dutch name tables of bodies and signs that the attribution lookups,
// the bar chart of dominant planets and the dignity display use as keys.
#include <array>
#include <string>

namespace display {

// Signs 1..12, each exactly ten characters ("RAM       ", ...).
extern std::array<std::string, 13> SignNames;
// Entries 1..11 (string[8]): the short body names of the glyph hit test.
extern std::array<std::string, 12> DignityBodyNames;

// engine::Chart.BodyNames 1..12 (ten characters, blank-padded) and SignNames.
void FillBodyAndSignNames();
// DignityBodyNames 1..9, entries 10 and 11 emptied.
void FillDignityBodyNames();

}  // namespace display
