#pragma once
// The attribution texts of a clicked chart point or sign, free of Qt: the
// specific texts are chosen by the position keys of the current chart
// ("OpzioneT\PosiPian.txt", "OpzioneT\PosiSegn.txt") from the key columns of
// the attribution files, the general texts by the point's or sign's code; and
// the lists of the points in their terms, decans and decades.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"

namespace rt {
class IoError;
}

namespace display {

inline constexpr const char* kPlanetSpecificFile = "OpzioneT\\KlvPianSpe.Txt";
inline constexpr const char* kPlanetGeneralFile = "OpzioneT\\KlvPian.txt";
inline constexpr const char* kSignGeneralFile = "OpzioneT\\KlvSegni.txt";
inline constexpr const char* kSignSpecificFile = "OpzioneT\\KlvSegnSpe.txt";

// The codes of the chart window's points (the Sun to Saturn, the north node,
// the south node, the Ascendant, the Midheaven).
extern const ChartPointTable<const char*> kBodyMixedCodes;       // "So", "Lu", ...
extern const ChartPointTable<const char*> kBodyUpperCodes;       // "SO", "LU", ...
extern const ChartPointTable<const char*> kBodyFourLetterCodes;  // "Sole", "Luna", ...
// The signs as the general sign texts are keyed: "Ar", "To", ..., "Aq", "Pe".
extern const engine::SignTable<const char*> kAttributionSignKeys;
// Display names, ten characters blank-padded: "ZOON      ", ... / "RAM       ", ...
extern const ChartPointTable<const char*> kAttributionBodyNames;
extern const engine::SignTable<const char*> kAttributionSignNames;

// The files are read whole and no window events are processed meanwhile, so a
// second click cannot enter a lookup that is under way.
//
// Called for an attribution or position file that cannot be read; the lookup
// goes on as if the file were empty.
using MissingFileReport = std::function<void(const std::string& fileName, const rt::IoError& error)>;

// The text that line L of the specific point file adds for point number `body` (1..11) and
// position key P, or nothing (the point's key in columns 1-8, 6 or 4; text from
// column 22, 60 characters for an 8-character key, 80 for the shorter ones).
// A key belongs to the point when it begins with the point's code or key, or,
// for an aspect key, names the point as its second partner.
bool SpecificTextOfLine(int body, const std::string& key, const std::string& line, std::string& text);
// The first line of the file that adds a text for the key.
bool SpecificTextOfKey(int body, const std::string& key, const std::vector<std::string>& lines, std::string& text);

// Characters from..from+count-1 (1-based) of every line whose first
// key.size() characters equal the key.
std::vector<std::string> TextsOfKey(const std::string& key, const std::vector<std::string>& lines, std::size_t from,
                                    std::size_t count);

// The texts as paragraphs: the lines of one text of a file (the lines of one
// key) are joined into one, which the panel wraps at its width.
struct AttributionTexts {
    std::vector<std::string> specific;  // specificMemo
    std::vector<std::string> general;   // generalMemo
    std::string specificLabel, generalLabel;
};

// The texts of chart point 1..11 from the files in the working folder and the
// chart (position line, dodecatemorion line).
AttributionTexts PlanetAttributionTexts(const engine::Chart& chart, int body, const MissingFileReport& report);
// The texts of sign 1..12.
AttributionTexts SignAttributionTexts(int sign, const MissingFileReport& report);

// The lists of the points in their segments, as the aspect memo shows them:
// a heading, then for the chart window's points in order the text (columns 22-91) of the
// first line of the specific point file whose key columns equal the point's
// segment key; a point without a line adds nothing.
enum class SegmentKind { Terms, Decans, Decades };
struct SegmentTables {
    ChartPointTable<unsigned char> terms{};    // 1..60
    ChartPointTable<unsigned char> decades{};  // 1..36
    ChartPointTable<std::string> decanKeys{};  // "SolDec02", ...
};
// The natal wheel's tables of the last drawing.
SegmentTables PlanetSegmentTables(const NatalWheelState& wheel);
// The segment key of a point ("Sole07", "SolDec02", "SO02").
std::string SegmentKey(SegmentKind kind, ChartPoint point, const SegmentTables& tables);
std::vector<std::string> SegmentListLines(SegmentKind kind, const SegmentTables& tables,
                                          const std::vector<std::string>& specificLines);
// Headings: "PLANETEN IN DE TERMEN", ... and "DODECATEMORIEEN IN DE TERMEN", ...
std::string SegmentHeading(SegmentKind kind, bool dodecatemoria);
// The three lists as the aspect memo shows them, read from the specific point
// file of the working folder: terms, then decans and decades each after a
// spacing line ("  ", "    "), every list under its heading.
std::vector<std::string> SegmentLists(bool dodecatemoria, const SegmentTables& tables, const MissingFileReport& report);

}  // namespace display
