#pragma once
// The elemental and seasonal cloths: the seven classical planets (Sun to
// Saturn) counted into a 3 x 4 grid by the sign each stands in.
//   Elemental cloth: rows are the principles salt, sulphur, mercury (S, Z, M),
//   columns the elements fire, earth, air, water (F, T, A, W).
//   Seasonal cloth: rows are the qualities cardinal, fixed, mutable (C, F, M),
//   columns the seasons spring (air), summer (fire), autumn (earth),
//   winter (water) (A, F, T, W).
// The evaluation counts the signs of the planets. The printable sheets reuse it.
#include <array>

#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

// Two letters per sign, Aries first: element + principle, and quality +
// season.
extern const engine::SignTable<const char*> kElementPrincipleCodes;
extern const engine::SignTable<const char*> kQualitySeasonCodes;

struct ClothCounts {
    // count[r][c]: r the row from the top (principle or quality), c the column
    // from the left (element or season).
    std::array<std::array<int, 4>, 3> count{};
    // Total of principle or quality r, of element or season c.
    int RowTotal(int r) const { return count[r][0] + count[r][1] + count[r][2] + count[r][3]; }
    int ColumnTotal(int c) const { return count[0][c] + count[1][c] + count[2][c]; }
};

// The signs of the seven classical planets of a chart, as the counts read them.
using ClassicalPlanetSignTable = engine::ClassicalPlanetTable<engine::Sign>;
ClassicalPlanetSignTable ClassicalPlanetSigns(const engine::Chart& chart);

// Counts of the planets by their signs.
ClothCounts EvaluateElementalCloth(const ClassicalPlanetSignTable& signs);
ClothCounts EvaluateSeasonCloth(const ClassicalPlanetSignTable& signs);
// The same of a chart's classical planets.
ClothCounts EvaluateElementalCloth(const engine::Chart& chart);
ClothCounts EvaluateSeasonCloth(const engine::Chart& chart);

// The chart window's drawings of the cloths over the wheel about the page
// point `at`; the bracketed name stands centred 33 units above the wheel's centre.
void DrawElementalClothGrid(Surface& dc, const ClothCounts& counts, PagePoint at, PagePoint wheelCentre);
void DrawSeasonClothGrid(Surface& dc, const ClothCounts& counts, PagePoint at, PagePoint wheelCentre);

}  // namespace display
