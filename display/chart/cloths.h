#pragma once
// The elemental and seasonal cloths: the seven classical planets (Sun to
// Saturn) counted into a 3 x 4 grid by the sign each stands in.
//   Elemental cloth: rows are the principles salt, sulphur, mercury (S, Z, M),
//   columns the elements fire, earth, air, water (F, T, A, W).
//   Seasonal cloth: rows are the qualities cardinal, fixed, mutable (C, F, M),
//   columns the seasons spring (air), summer (fire), autumn (earth),
//   winter (water) (A, F, T, W).
// The evaluation reads chart.PlanetSigns[1..7] (signs 1..12); a sign outside
// 1..12 is counted nowhere. The printable sheets reuse it.
#include <array>

#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart_state.h"

namespace display {

using engine::Real;

// Two letters per sign 1..12 (entry 0 empty): element + principle, and
// quality + season.
extern const char* const kElementPrincipleCodes[13];
extern const char* const kQualitySeasonCodes[13];

struct ClothCounts {
    // count[r][c]: r = row 1..3 (principle or quality), c = column 1..4
    // (element or season); entry 0 of each index unused.
    std::array<std::array<int, 5>, 4> count{};
    // Total of principle or quality r, of element or season c.
    int RowTotal(int r) const { return count[r][1] + count[r][2] + count[r][3] + count[r][4]; }
    int ColumnTotal(int c) const { return count[1][c] + count[2][c] + count[3][c]; }
};

// Counts of planets 1..7 by the sign numbers signs[1..7].
ClothCounts EvaluateElementalCloth(const std::array<unsigned char, 24>& signs);
ClothCounts EvaluateSeasonCloth(const std::array<unsigned char, 24>& signs);
// The same from chart.PlanetSigns.
ClothCounts EvaluateElementalCloth(const engine::ChartState& chart);
ClothCounts EvaluateSeasonCloth(const engine::ChartState& chart);

// Sets the chart's PlanetSigns[1..7] from its PlanetLongitudes, as the
// seasonal cloth and the humoral grids do before counting.
void RefreshClassicalPlanetSigns(engine::ChartState& chart);

// The chart window's drawings of the cloths over the wheel about the page
// point `at`; the bracketed name stands centred 33 units above the wheel's centre.
void DrawElementalClothGrid(Surface& dc, const ClothCounts& counts, PagePoint at, PagePoint wheelCentre);
void DrawSeasonClothGrid(Surface& dc, const ClothCounts& counts, PagePoint at, PagePoint wheelCentre);

}  // namespace display
