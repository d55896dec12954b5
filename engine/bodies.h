#pragma once
// Positions of the bodies: Sun to Pluto, lunar node, black moon, Ceres to Chiron.
#include "engine/chart_state.h"

namespace engine {

// Computes the bodies of `mode` at Julian day `jd` (UT) into the chart's body
// arrays. fast = true skips the planets' latitude corrections.
// The correction tables the computation needs are checked first: a missing or
// short table throws EphemerisTableError (an rt::IoError, engine/ephemeris_tables.h)
// and the chart state is left as it was.
void ComputeBodies(int mode, bool fast, Real jd);

// The same, computing the bodies a little later as well: the longitude of every
// body that moves backwards is stored negated.
void ComputeBodiesWithRetro(int mode, Real jd);

// The retrograde rule: entry i (1..19) of `present` is negated when the later
// longitude is smaller and less than 5 degrees away.
void MarkRetrograde(const BodyArray& later, BodyArray& present);

}  // namespace engine
