#pragma once
// Positions of the bodies: Sun to Pluto, lunar node, black moon, Ceres to Chiron.
#include <array>
#include <string>

#include "engine/chart_state.h"
#include "engine/ephemeris_tables.h"

namespace engine {

// Computes the bodies of `mode` at Julian day `jd` (UT) into the body arrays
// of `chart`, by its node and black-moon kinds (and its Ascendant and
// Descendant). fast = true skips the planets' latitude corrections. The
// correction tables are read from `tables`, by default those of the program's
// data folder.
// The correction tables the computation needs are checked first: a missing or
// short table throws EphemerisTableError (an rt::IoError, engine/ephemeris_tables.h)
// and the chart state is left as it was.
void ComputeBodies(ChartState& chart, int mode, bool fast, Real jd,
                   EphemerisTables& tables = ShippedEphemerisTables());

// The same, computing the bodies a little later as well: the longitude of every
// body that moves backwards is stored negated.
void ComputeBodiesWithRetro(ChartState& chart, int mode, Real jd,
                            EphemerisTables& tables = ShippedEphemerisTables());

// The retrograde rule: entry i (1..19) of `present` is negated when the later
// longitude is smaller and less than 5 degrees away.
void MarkRetrograde(const BodyArray& later, BodyArray& present);

// The retrograde marks ("r" or " ", entries 1..22) of a loaded chart, whose
// entries 8 to 11 hold the north node, the south node, the Ascendant and the
// Midheaven, from the longitudes ComputeBodiesWithRetro left (the engine's
// order, a negative longitude moving backwards): the Sun to Saturn carry their
// own marks, both nodes the lunar node's (entry 11), every other entry none.
void SetLoadedChartRetroMarks(const BodyArray& computed, std::array<std::string, 25>& marks);

}  // namespace engine
