#include "engine/angles.h"

#include <cmath>

#include "platform/runtime/number_text.h"

namespace engine {

Real Mod360(Real x) {
    Real r = x - 360 * rt::Int(x / 360);
    if (r < 0) r += 360;
    if (r >= 360) r -= 360;  // a tiny negative value can round up to 360
    return r;
}

Real Mod30(Real x) {
    Real r = x - 30 * rt::Int(x / 30);
    if (r < 0) r += 30;
    if (r >= 30) r -= 30;
    return r;
}

Real SinDeg(Real x) { return std::sin(x * kPi / 180); }
Real CosDeg(Real x) { return std::cos(x * kPi / 180); }
Real TanDeg(Real x) { return SinDeg(x) / CosDeg(x); }

Real ArcSinRad(Real v) {
    if (v >= 1) return kPi / 2;
    if (v <= -1) return -kPi / 2;
    return std::atan(v / std::sqrt(1 - v * v));
}

Real ArcCosRad(Real v) {
    if (v == 0) return kPi / 2;
    if (v >= 1 || v <= -1) return 0;
    return std::atan(std::sqrt(1 - v * v) / v);
}

Real RadToDeg(Real r) { return r * 180 / kPi; }

int SignOf(Real longitude) {
    int s = static_cast<int>(rt::Trunc(longitude / 30)) + 1;
    if (s < 1) s = 1;
    if (s > 12) s = 12;
    return s;
}

}  // namespace engine
