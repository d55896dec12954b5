#pragma once
// Degree arithmetic shared by every computation.
#include "engine/chart.h"

namespace engine {

Real Mod360(Real x);  // [0, 360)
Real Mod30(Real x);   // [0, 30)
Real SinDeg(Real x);
Real CosDeg(Real x);
Real TanDeg(Real x);
Real ArcSinRad(Real v);  // atan(v / sqrt(1 - v*v)); +-pi/2 at |v| = 1
Real ArcCosRad(Real v);  // atan(sqrt(1 - v*v) / v); negative for v < 0; pi/2 at v = 0
Real RadToDeg(Real r);

// Sign number 1..12 of a longitude in [0, 360).
int SignOf(Real longitude);

}  // namespace engine
