#pragma once
// What the sheets' count grids, archetypal structure and distance grid show,
// evaluated from the chart apart from any drawing: the cloth and humoral
// counts of the seven classical planets and the columns of the dignity table.
#include <array>
#include <string>
#include <vector>

#include "engine/chart_state.h"
#include "engine/receptions.h"
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

}  // namespace display
