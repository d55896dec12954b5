#pragma once
// The two position key files rewritten at every drawing of the natal wheel:
// "OpzioneT\PosiPian.txt" (sign, house, term, decan, decade, antiscia and
// major-aspect keys of the eleven chart points) and "OpzioneT\PosiSegn.txt"
// (antiscia keys of the twelve signs). The attribution texts shown after a
// glyph click are filtered by these keys.
#include <string>
#include <vector>

#include "archive/current_chart.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"

namespace rt {
class TextFile;
}

namespace display {

inline constexpr const char* kPointPositionFile = "OpzioneT\\PosiPian.txt";
inline constexpr const char* kSignPositionFile = "OpzioneT\\PosiSegn.txt";

// Key tables, entries 1..11 (points) and 1..12 (signs, houses); entry 0 empty.
extern const char* const kPointKeys4[12];   // "Sole", ...
extern const char* const kPointKeys3[12];   // "Sol", ...
extern const char* const kPointCodes2[12];  // "SO", ...
extern const char* const kSignKeys[13];     // "Arie", ...
extern const char* const kSignCodes[13];    // "Ar", ...
extern const char* const kHouseKeys[13];    // "Prim", ...

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

// wheel.SignMidpoints 1..12 := 15, 45, ..., 345.
void SetSignMidpoints(NatalWheelState& wheel);

// Groups 1 to 5 (sign, house, term, decan, decade) to the open file, from the
// chart and the per-point tables of the natal wheel.
void WriteBodyPlacementKeys(rt::TextFile& file, const engine::Chart& chart, const NatalWheelState& wheel);

// Groups 6 to 8 (antiscion, contra-antiscion, aspects within the current
// orbs) to the open file of the points 1..11 of `longitudes`, and the whole
// sign file.
void WritePositionKeyFiles(rt::TextFile& file, const WheelPointArray& longitudes, const engine::OrbRecord& orbs,
                           NatalWheelState& wheel);

// Both files as the natal wheel rewrites them: the point file created or
// emptied, both writers with the chart's points, closed. The folder is
// created when missing. A file error raises rt::IoError.
void RewritePositionFiles(const archive::CurrentChart& current, NatalWheelState& wheel);

}  // namespace display
