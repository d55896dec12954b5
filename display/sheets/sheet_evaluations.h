#pragma once
// What the sheets' count grids, archetypal structure and distance grid show,
// evaluated from the chart apart from any drawing: the cloth and humoral
// counts of the seven classical planets, the columns of the dignity table,
// and the spherical distance of two chart points with the aspects it falls in.
#include <array>
#include <string>
#include <vector>

#include "engine/chart_state.h"
#include "engine/receptions.h"
// SphericalDistance: the distance on the sphere, shared with the chart window.
#include "display/chart/spherical_distances.h"
#include "display/chart/cloths.h"
#include "display/chart/humoral.h"

namespace display {

using engine::Real;
// The cloth and humoral counts (EvaluateElementalCloth, EvaluateSeasonCloth,
// EvaluateHumoral) are the chart window's, in display/chart/cloths.h and humoral.h.

// One column of the dignity table: a planet with a state, the height of its
// box in entries, and whether it is joined to the column before it.
struct DignityColumn {
    int planet = 0;
    int state = 0;
    int boxEntries = 0;
    bool joinedToPrevious = false;
};
struct DignityTable {
    std::vector<DignityColumn> columns;
    // No planet has a state and every planet stands in a sign that gives it
    // neither dignity nor debility.
    bool noDignity = false;
};
DignityTable EvaluateDignityTable(const engine::ReceptionTables& r);
// "sol", "lun", ... for planets 1..7, " " for 0, 8, 9 and anything else.
std::string PlanetAbbreviation(int index);

struct DistanceAspects {
    bool hard = false;
    bool soft = false;
    bool conjunction = false;
};
// Strictly within the orbs of slots 0..4 (conjunction, sextile, square, trine, opposition).
DistanceAspects AspectsOfDistance(Real distance, const std::array<Real, 16>& orbs);

}  // namespace display
