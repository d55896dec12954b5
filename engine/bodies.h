#pragma once
// Positions of the bodies: Sun to Pluto, lunar node, black moon, Ceres to Chiron.
#include "engine/chart_state.h"

namespace engine {

// Computes the bodies of `mode` at Julian day `jd` (UT) into the chart's body
// arrays. fast = true skips the planets' latitude corrections.
void ComputeBodies(int mode, bool fast, Real jd);

// The same, computing the bodies a little later as well: the longitude of every
// body that moves backwards is stored negated.
void ComputeBodiesWithRetro(int mode, Real jd);

}  // namespace engine
