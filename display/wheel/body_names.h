#pragma once
// The fixed Dutch name tables of bodies and signs that the attribution lookups,
// the bar chart of dominant planets and the dignity display use as keys.
#include <array>
#include <string_view>

#include "engine/chart.h"

namespace display {

// The signs, Aries first, each exactly ten characters ("RAM       ", ...).
inline constexpr engine::SignTable<std::string_view> kSignNames = {
    {"RAM       ", "STIER     ", "TSEELINGEN", "KREEFT    ", "LEEUW     ", "MAAGD     ", "WEEGSCHAAL", "SCHORPIOEN",
     "BOOGSCHUTT", "STEENBOK  ", "WATERMAN  ", "VISSEN    "}};
// The short body names (string[8]) of the glyph hit test, the chart window's
// point n (1..11) at index n - 1; the Ascendant's and the Midheaven's are empty.
inline constexpr std::array<std::string_view, 11> kDignityBodyNames = {"ZON",      "MAAN",    "MERCURIU", "VENUS",
                                                                       "MARS",     "JUPITER", "SATURNUS", "NORDKNOO",
                                                                       "ZUIDKNOO", "",        ""};

// The names of the Sun to the black moon (ten characters, blank-padded), the
// Sun first, as the summary of the dominant planets writes them.
inline constexpr std::array<std::string_view, 12> kScoredBodyNames = {"ZON       ", "MAAN      ", "MERCURIUS ",
                                                                      "VENUS     ", "MARS      ", "JUPITER   ",
                                                                      "SATURNUS  ", "URANO     ", "NETTUNO   ",
                                                                      "PLUTONE   ", "NODOLUNA  ", "LUNANERA  "};

}  // namespace display
