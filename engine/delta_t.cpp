#include "engine/delta_t.h"

#include <initializer_list>

namespace engine {

namespace {

// c0 + c1 x + c2 x^2 + ..., by Horner's rule.
Real Poly(Real x, std::initializer_list<Real> c) {
    Real s = 0;
    for (auto it = c.end(); it != c.begin();) s = s * x + *--it;
    return s;
}

// The long-term parabola, -20 + 32 u^2 with u in centuries from 1820.
Real Parabola(Real y) {
    const Real u = (y - 1820) / 100;
    return -20 + 32 * u * u;
}

}  // namespace

// The polynomial expressions of Espenak and Meeus (2006), Five Millennium
// Canon of Solar Eclipses: -1999 to +3000, one per span of years, in seconds.
Real DeltaTSeconds(Real y) {
    if (y < -500) return Parabola(y);
    if (y < 500)
        return Poly(y / 100, {10583.6L, -1014.41L, 33.78311L, -5.952053L, -0.1798452L, 0.022174192L, 0.0090316521L});
    if (y < 1600)
        return Poly((y - 1000) / 100,
                    {1574.2L, -556.01L, 71.23472L, 0.319781L, -0.8503463L, -0.005050998L, 0.0083572073L});
    if (y < 1700) return Poly(y - 1600, {120, -0.9808L, -0.01532L, 1 / 7129.0L});
    if (y < 1800) return Poly(y - 1700, {8.83L, 0.1603L, -0.0059285L, 0.00013336L, -1 / 1174000.0L});
    if (y < 1860)
        return Poly(y - 1800, {13.72L, -0.332447L, 0.0068612L, 0.0041116L, -0.00037436L, 0.0000121272L, -0.0000001699L,
                               0.000000000875L});
    if (y < 1900) return Poly(y - 1860, {7.62L, 0.5737L, -0.251754L, 0.01680668L, -0.0004473624L, 1 / 233174.0L});
    if (y < 1920) return Poly(y - 1900, {-2.79L, 1.494119L, -0.0598939L, 0.0061966L, -0.000197L});
    if (y < 1941) return Poly(y - 1920, {21.20L, 0.84493L, -0.076100L, 0.0020936L});
    if (y < 1961) return Poly(y - 1950, {29.07L, 0.407L, -1 / 233.0L, 1 / 2547.0L});
    if (y < 1986) return Poly(y - 1975, {45.45L, 1.067L, -1 / 260.0L, -1 / 718.0L});
    if (y < 2005) return Poly(y - 2000, {63.86L, 0.3345L, -0.060374L, 0.0017275L, 0.000651814L, 0.00002373599L});
    if (y < 2050) return Poly(y - 2000, {62.92L, 0.32217L, 0.005589L});
    if (y < 2150) return Parabola(y) - 0.5628L * (2150 - y);
    return Parabola(y);
}

Real DecimalYearOf(Real jd) { return 2000 + (jd - 2451544.5L) / 365.2425L; }

Real DynamicalJulianDay(Real jdUt) { return jdUt + DeltaTSeconds(DecimalYearOf(jdUt)) / 86400; }

}  // namespace engine
