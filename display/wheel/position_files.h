#pragma once
// The two position key files rewritten at every drawing of the natal wheel:
// "OpzioneT\PosiPian.txt" (sign, house, term, decan, decade, antiscia and
// major-aspect keys of the eleven chart points) and "OpzioneT\PosiSegn.txt"
// (antiscia keys of the twelve signs). The attribution texts shown after a
// glyph click are filtered by these keys.
#include <array>
#include <string>
#include <vector>

#include "archive/current_chart.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"
#include "engine/position_text.h"

namespace rt {
class TextFile;
}

namespace display {

inline constexpr const char* kPointPositionFile = "OpzioneT\\PosiPian.txt";
inline constexpr const char* kSignPositionFile = "OpzioneT\\PosiSegn.txt";

// Key tables of the chart window's points, of the signs and of the houses
// (house h at index h - 1).
using engine::kPointKeys4;                               // "Sole", ...
extern const ChartPointTable<const char*> kPointKeys3;   // "Sol", ...
extern const ChartPointTable<const char*> kPointCodes2;  // "SO", ...
using engine::kSignKeys;                                 // "Arie", ...
extern const engine::SignTable<const char*> kSignCodes;  // "Ar", ...
extern const std::array<const char*, 12> kHouseKeys;     // "Prim", ...

// The three-letter Dutch abbreviation of the sign that holds a longitude, as the
// short position text carries it ("Ram", "Sti", ...).
std::string SignAbbreviationOf(engine::Real longitude);

// Aspect code 1..5 (conjunction, sextile, square, trine, opposition) of two
// longitudes within the aspect orbs of slots 0..4, or 0 for none.
int MajorAspectCode(engine::Real first, engine::Real second, const engine::OrbRecord& orbs);

// Every key the point position file can hold: for each point its sign, house,
// term, decan, decade, antiscion and contra-antiscion keys in every sector, and
// the major-aspect keys of every pair the file names.
std::vector<std::string> EveryPointPositionKey();
// The keys of the sign position file (antiscion and contra-antiscion of the
// twelve signs), as every drawing writes them.
std::vector<std::string> SignPositionKeys();

// wheel.signMidpoints, Aries to Pisces := 15, 45, ..., 345.
void SetSignMidpoints(NatalWheelState& wheel);

// Groups 1 to 5 (sign, house, term, decan, decade) to the open file, from the
// chart and the per-point tables of the natal wheel.
void WriteBodyPlacementKeys(rt::TextFile& file, const engine::Chart& chart, const NatalWheelState& wheel);

// Groups 6 to 8 (antiscion, contra-antiscion, aspects within the current
// orbs) to the open file of the chart window's points of `longitudes`, and the whole
// sign file.
void WritePositionKeyFiles(rt::TextFile& file, const WheelPointArray& longitudes, const engine::OrbRecord& orbs,
                           NatalWheelState& wheel);

// Both files as the natal wheel rewrites them: the point file created or
// emptied, both writers with the chart's points, closed. The folder is
// created when missing. A file error raises rt::IoError.
void RewritePositionFiles(const archive::CurrentChart& current, NatalWheelState& wheel);

}  // namespace display
