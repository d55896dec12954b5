#pragma once
// The count grids of the affinity sheets: the elemental cloth (the seven
// classical planets by element and alchemical principle), the seasonal cloth
// (by season and quality) and the two humoral grids (elements turned into the
// qualities hot, moist, cold and dry), each anchored at a page point.
#include <array>

#include "display/draw/surface.h"
#include "engine/chart_state.h"

namespace display {

using engine::Real;

// A cloth: count[r][c] for row r 1..3 (principle S, Z, M or quality C, F, M)
// and column c 1..4 (element F, T, A, W or season A, F, T, W).
struct ClothCounts {
    std::array<std::array<int, 5>, 4> count{};
    int RowTotal(int r) const { return count[r][1] + count[r][2] + count[r][3] + count[r][4]; }
    int ColumnTotal(int c) const { return count[1][c] + count[2][c] + count[3][c]; }
};
// Element counts e[1..4] (air, fire, earth, water) and quality sums q[1..4]
// (hot, moist, cold, dry).
struct HumoralCounts {
    std::array<int, 5> e{};
    std::array<int, 5> q{};
};

void DrawElementalCloth(Surface& dc, Real x, Real y);
void DrawSeasonCloth(Surface& dc, Real x, Real y);
void DrawElementalHumoralGrid(Surface& dc, Real x, Real y);
void DrawSeasonalHumoralGrid(Surface& dc, Real x, Real y);

}  // namespace display
