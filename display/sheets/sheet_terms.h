#pragma once
// The terms of the birth-theme sheets: each of the nine bodies (Sun to Saturn,
// north and south node) placed in one of the sixty six-degree sectors of the
// wheel (sector 1 begins 15 degrees before the Ascendant, so sector 3 is
// centred on it) and in one of the 36 decans of the zodiac; the keys go to the
// position file "OpzioneT\PosiPian.txt", and the "TERMEN" block prints for
// each body the text of its sector from "OpzioneT\KlvPianCan.Txt".
#include <array>
#include <string>

#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

inline constexpr const char* kTermsTextFile = "OpzioneT\\KlvPianCan.Txt";
inline constexpr const char* kSheetPositionFile = "OpzioneT\\PosiPian.txt";

// Sector names ("Sole", ..., "NNor", "NSud") and decan abbreviations ("Sol",
// ..., "Non", "Nos") of bodies 1..9, body k at entry k - 1.
extern const std::array<const char*, 9> kTermSectorNames;
extern const std::array<const char*, 9> kTermDecanNames;

// The sector boundaries, and per body (body k at entry k - 1) its sector
// number 1..60 and its decan key.
using TermSectorBoundaries = std::array<Real, 60>;
using BodyTermSectors = std::array<signed char, 9>;
struct SheetTermsState {
    TermSectorBoundaries termSectorBoundaries{};
    BodyTermSectors bodyTermSectors{};
    std::array<std::string, 9> bodyDecanKeys{};
};

// Boundary i (1..60), at entry i - 1, = Ascendant - 15 + 6 i, reduced into [0, 360).
TermSectorBoundaries TermBoundaries(Real ascendant);
// The sector (1..60) of the first `count` bodies; a body found in none keeps its entry.
void FindBodySectors(int count, const WheelPointArray& longitudes, const TermSectorBoundaries& boundaries,
                     BodyTermSectors& sectors);
// Decan key of a longitude ("SolDec05"), or an empty text on an exact multiple
// of 10 degrees (the body then keeps its previous key).
std::string DecanKeyOf(int body, Real longitude);

// From the chart: boundaries from its first cusp, sectors of its planets and nodes.
void ComputeTermSectors(const engine::Chart& chart, SheetTermsState& terms);
// The decan keys of the chart's planets and nodes (DecanKeyOf): a body on an
// exact multiple of 10 degrees keeps the key it had. (The chart window's
// BuildDecanKeys gives every point a key, one on a boundary that of the decan
// starting there.)
void RefreshSheetDecanKeys(const engine::Chart& chart, SheetTermsState& terms);
// Rewrites the position file: nine sector keys ("Sole03"), then nine decan keys.
void WritePlanetPositionsFile(const SheetTermsState& terms);
// The step of the birth-theme sheets ahead of their blocks: the sectors, the
// decan keys of the chart and the position file the "TERMEN" block reads.
void PrepareTermsPositionsFile(const engine::Chart& chart, SheetTermsState& terms);
// The sector key of a body as the position file holds it.
std::string TermSectorKey(int body, int sector);
// The body (1..9) a six-character sector key names, 0 for none.
int BodyOfTermKey(const std::string& key);

// The "TERMEN" block anchored at (x, y): per key of the position file, the text
// of each matching line of the terms file, led by the glyph of the key's body.
void DrawTermsBlock(Surface& dc, Real x, Real y);

}  // namespace display
