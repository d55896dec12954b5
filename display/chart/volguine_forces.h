#pragma once
// The bar chart of the dominant-planet scores ("PLANETARIEN KRACHTEN"): one bar
// per body, the Sun to Pluto, scaled so that the strongest is 30 page units
// high, with its glyph and score beneath; and the symbols of the elements and
// principles that the cloth views place.
#include <array>
#include <string>

#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

class Surface;
using engine::Real;

inline constexpr const char* kVolguineScoresFile = "FileDum\\MMMaitr2.dum";
inline constexpr const char* kVolguineSummaryFile = "FileDum\\Dati3.dum";
// Shown instead of the bars when no body scores above zero.
inline constexpr const char* kNoPositiveScoreMessage = "Geen planeet heeft een positieve score: geen staafdiagram.";

// One value for each planet, the Sun to Pluto, from index 0.
using VolguineScores = std::array<Real, engine::kPlanetCount>;

struct VolguineForces {
    VolguineScores scores{};                                 // as read
    std::array<std::string, engine::kPlanetCount> labels{};  // score texts cut to 4 characters
    std::array<int, engine::kPlanetCount> heights{};         // bar heights, page units (0 without a scale)
    std::array<bool, engine::kPlanetCount> negative{};       // label begins with "-": a red bar
    int strongest = 0;  // number 1..10 of the body of the first highest score above 0, else 0
    Real highest = 0;
    // The lines of the summary file: Sun's sign, Ascendant's sign, strongest body.
    std::string sunSign, ascendantSign, strongestName;
};

// The totals of the Sun to Pluto from the first ten lines of the score file; a
// missing or short file raises rt::IoError.
VolguineScores ReadVolguineScores();

// The bars from the scores and the chart (its Sun and its first cusp), the
// strongest named as the summary names it.
VolguineForces EvaluateVolguineForces(const VolguineScores& scores, const engine::Chart& chart);

// Reads the scores, rewrites the summary file and draws the bars with their
// glyphs and labels, the bars' left edges at x0 - 4.3 + 6i, the baseline at
// y0 + 30. When no score is above zero the labels and glyphs are drawn, no bar
// (the view then hands kNoPositiveScoreMessage to the window). File errors raise rt::IoError.
VolguineForces DrawVolguineForces(Surface& dc, const engine::Chart& chart, Real x0, Real y0);

// The symbol of the elements and principles 1..7 (fire, earth, air, water,
// salt, sulphur, mercury) in a square of side `size` centred on (x, y).
void DrawClothCell(Surface& dc, int selector, PagePoint at, Real size);

}  // namespace display
