#pragma once
// Positions of the bodies: Sun to Pluto, lunar node, black moon, Ceres to Chiron.
#include "engine/bodies_theory.h"
#include "engine/chart.h"
#include "engine/ephemeris_tables.h"

namespace engine {

// The bodies one computation gives, and the equation of time of its moment.
struct ComputedBodies {
    BodyTable<BodyPosition> bodies;
    Real equationOfTime = 0;  // hours
};

// What the theories need of a chart's settings and houses: the node and
// black-moon kinds, the Ascendant and the seventh cusp.
BodySettings BodySettingsOf(const ChartSettings& settings, const HouseCusps& cusps);

// Computes the bodies of `mode` (the theories' numbering, RunBodyComputation:
// 0 every body) at Julian day jd (UT); the bodies a mode does not compute are
// left at zero. fast = true skips the planets' latitude corrections. The
// correction tables are read from `tables`, by default those of the program's
// data folder.
// The correction tables the computation needs are checked first: a missing or
// short table throws EphemerisTableError (an rt::IoError, engine/ephemeris_tables.h)
// and nothing is computed.
[[nodiscard]] ComputedBodies ComputeBodies(int mode, bool fast, Real jd, const BodySettings& settings,
                                           EphemerisTables& tables = ShippedEphemerisTables());

// The same, computing the bodies a little later as well: a body that moves
// backwards is marked retrograde.
[[nodiscard]] ComputedBodies ComputeBodiesWithRetro(int mode, Real jd, const BodySettings& settings,
                                                    EphemerisTables& tables = ShippedEphemerisTables());

// The retrograde rule: a body moves backwards when its longitude a moment
// later is smaller, by less than 5 degrees.
bool MovesBackwards(Real later, Real present);

}  // namespace engine
