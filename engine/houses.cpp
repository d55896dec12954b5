#include "engine/houses.h"

#include <cmath>

namespace engine {

namespace {

constexpr Real kRad = kPi / 180.0L;
constexpr Real kMaxLatitude = 89.999999L;  // tan of the pole itself is infinite

// Degrees brought within +-180 first: exact, and the extended-precision
// library functions are many times slower on larger arguments.
Real Reduced(Real deg) { return deg - 360.0L * rintl(deg / 360.0L); }
Real Sin(Real deg) { return sinl(Reduced(deg) * kRad); }
Real Cos(Real deg) { return cosl(Reduced(deg) * kRad); }
Real Tan(Real deg) { return tanl(Reduced(deg) * kRad); }

// Sine and cosine of one angle in degrees, from one library call.
struct SinCosDeg {
    explicit SinCosDeg(Real deg) {
        const Real r = Reduced(deg) * kRad;
        sin = sinl(r);
        cos = cosl(r);
    }
    Real sin, cos;
};
// Angle of the vector (x, y) in degrees, (-180, 180].
Real Atan2Deg(Real y, Real x) { return atan2l(y, x) / kRad; }

// x reduced into [0, m).
Real Reduce(Real x, Real m) {
    Real r = fmodl(x, m);
    if (r < 0) r += m;
    if (r >= m) r -= m;
    return r;
}
Real Norm360(Real x) { return Reduce(x, 360.0L); }

// Ecliptic longitude of the point of right ascension alpha (projection along
// the hour circle, as for the Midheaven).
Real LongitudeOfRightAscension(Real alpha, Real eps) {
    return Norm360(Atan2Deg(Sin(alpha), Cos(alpha) * Cos(eps)));
}

// Where the ecliptic crosses the eastern half of a great circle through the
// north and south points of the horizon, of pole height tanPole, that meets the
// equator at right ascension theta + 90 (theta = RAMC with the latitude's own
// tangent gives the Ascendant).
Real RisingPoint(Real theta, Real eps, Real tanPole) {
    return Norm360(Atan2Deg(Cos(theta), -(Sin(theta) * Cos(eps) + tanPole * Sin(eps))));
}

// The same crossing taken east of the meridian (right ascension less than 180
// degrees ahead of RAMC). The ecliptic meets the circle in two opposite
// points; the formula above gives the eastern one only while the circle's pole
// is lower than the ecliptic's. Beyond that (for the horizon itself: beyond the
// polar circles, where at times the ecliptic turns about the horizon the other
// way) it gives the western, setting point.
Real EasternRisingPoint(Real theta, Real eps, Real tanPole, Real ramc) {
    const Real lon = RisingPoint(theta, eps, tanPole);
    const Real ra = Atan2Deg(Sin(lon) * Cos(eps), Cos(lon));
    return Sin(ra - ramc) < 0 ? Norm360(lon + 180.0L) : lon;
}

// Declination of the ecliptic point of longitude lon.
Real DeclinationOfLongitude(Real lon, Real eps) { return asinl(Sin(eps) * Sin(lon)) / kRad; }

bool InsidePolarCircles(Real phi, Real eps) { return fabsl(phi) < 90.0L - eps; }

// Whether the ecliptic point of longitude lon, on the upper meridian, stands
// below the horizon: its culmination height 90 - |phi - declination| is
// negative. Only beyond the polar circles.
bool CulminatesBelowHorizon(Real lon, Real eps, Real phi) {
    return fabsl(phi - DeclinationOfLongitude(lon, eps)) > 90.0L;
}

// The systems that divide the sky above and below the horizon (Regiomontanus,
// Campanus) take as cusp 10 the meridian's crossing with the ecliptic that is
// above the horizon: beyond the polar circles, when the upper meridian's point
// has set, the lower meridian's (cusp 4 the other one).
void MeridianAboveHorizon(Real mc, Real eps, Real phi, CuspArray& c) {
    if (!CulminatesBelowHorizon(mc, eps, phi)) return;
    c[10] = Norm360(mc + 180.0L);
    c[4] = mc;
}

// Cusps 4..9 opposite cusps 10..12 and 1..3.
void OppositeCusps(CuspArray& c) {
    for (int i = 1; i <= 3; ++i) {
        c[i + 3] = Norm360(c[i + 9] + 180.0L);
        c[i + 6] = Norm360(c[i] + 180.0L);
    }
}

void Porphyry(Real mc, Real asc, CuspArray& c) {
    Real d = asc - mc;
    if (d < 0) d += 360.0L;
    const Real e = 180.0L - d;
    c[10] = mc;
    c[11] = mc + d / 3.0L;
    c[12] = c[11] + d / 3.0L;
    c[1] = asc;
    c[2] = asc + e / 3.0L;
    c[3] = c[2] + e / 3.0L;
    for (int i : {1, 2, 3, 10, 11, 12}) c[i] = Norm360(c[i]);
    OppositeCusps(c);
}

bool Placidus(Real ramc, Real eps, Real phi, CuspArray& c) {
    Real p11, p12, p8, p9;
    if (!PlacidusPoint(1.0L / 3.0L, ramc, eps, phi, p11) ||
        !PlacidusPoint(2.0L / 3.0L, ramc, eps, phi, p12) ||
        !PlacidusPoint(-2.0L / 3.0L, ramc, eps, phi, p8) ||
        !PlacidusPoint(-1.0L / 3.0L, ramc, eps, phi, p9))
        return false;
    c[11] = p11;
    c[12] = p12;
    c[2] = Norm360(p8 + 180.0L);
    c[3] = Norm360(p9 + 180.0L);
    OppositeCusps(c);
    return true;
}

// Koch: the oblique ascension of the Midheaven under the pole of the place,
// its diurnal semi-arc trisected, each point taken to the horizon.
void Koch(Real ramc, Real eps, Real phi, Real mc, CuspArray& c) {
    const Real decl = DeclinationOfLongitude(mc, eps);
    const Real ad = asinl(Tan(decl) * Tan(phi)) / kRad;  // ascensional difference
    const Real step = (90.0L + ad) / 3.0L;
    const Real tanPhi = Tan(phi);
    const Real oa = ramc - ad;
    const Real p1 = oa + step - 90.0L;
    c[11] = RisingPoint(p1, eps, tanPhi);
    c[12] = RisingPoint(p1 + step, eps, tanPhi);
    c[2] = RisingPoint(p1 + 3.0L * step, eps, tanPhi);
    c[3] = RisingPoint(p1 + 4.0L * step, eps, tanPhi);
    OppositeCusps(c);
}

// Regiomontanus: the equator divided from the meridian in thirds of a
// quadrant; the house circles through the north and south points.
void Regiomontanus(Real ramc, Real eps, Real phi, CuspArray& c) {
    const int cusp[] = {11, 12, 2, 3};
    const Real h[] = {30, 60, 120, 150};
    for (int i = 0; i < 4; ++i) {
        const Real tanPole = Tan(phi) * Sin(h[i]);
        c[cusp[i]] = EasternRisingPoint(ramc + h[i] - 90.0L, eps, tanPole, ramc);
    }
    OppositeCusps(c);
}

// Campanus: the prime vertical divided from the zenith in thirds of a
// quadrant; the house circles through the north and south points.
void Campanus(Real ramc, Real eps, Real phi, CuspArray& c) {
    const int cusp[] = {11, 12, 2, 3};
    const Real h[] = {30, 60, 120, 150};
    for (int i = 0; i < 4; ++i) {
        // Where the house circle meets the equator, counted from the meridian,
        // and the pole height of the circle.
        const Real x = Atan2Deg(Sin(h[i]) * Cos(phi), Cos(h[i]));
        const Real sinPole = Sin(phi) * Sin(h[i]);
        const Real tanPole = sinPole / sqrtl(1.0L - sinPole * sinPole);
        c[cusp[i]] = EasternRisingPoint(ramc + x - 90.0L, eps, tanPole, ramc);
    }
    OppositeCusps(c);
}

// Morinus: the equator divided from the meridian in twelve equal parts, each
// point taken to the ecliptic along its circle of longitude.
void Morinus(Real ramc, Real eps, CuspArray& c) {
    for (int k = 1; k <= 12; ++k) {
        const Real a = ramc + 30.0L * k + 60.0L;
        c[k] = Norm360(Atan2Deg(Sin(a) * Cos(eps), Cos(a)));
    }
}

// Alcabitius: the diurnal and nocturnal semi-arcs of the Ascendant divided in
// thirds on the equator from the meridian, each point taken to the ecliptic
// along its hour circle.
void Alcabitius(Real ramc, Real eps, Real phi, Real asc, CuspArray& c) {
    const Real decl = DeclinationOfLongitude(asc, eps);
    Real v = -Tan(phi) * Tan(decl);  // cosine of the diurnal semi-arc
    if (v > 1) v = 1;
    if (v < -1) v = -1;
    const Real dsa = acosl(v) / kRad;
    const Real nsa = 180.0L - dsa;
    c[11] = LongitudeOfRightAscension(ramc + dsa / 3.0L, eps);
    c[12] = LongitudeOfRightAscension(ramc + 2.0L * dsa / 3.0L, eps);
    c[2] = LongitudeOfRightAscension(ramc + 180.0L - 2.0L * nsa / 3.0L, eps);
    c[3] = LongitudeOfRightAscension(ramc + 180.0L - nsa / 3.0L, eps);
    OppositeCusps(c);
}

Real ClampLatitude(Real phi) {
    if (phi > kMaxLatitude) return kMaxLatitude;
    if (phi < -kMaxLatitude) return -kMaxLatitude;
    return phi;
}

}  // namespace

Real MeanObliquity(Real jd) {
    const Real t = (jd - 2415020.0L) / 36525.0L;
    return 23.4522944L - 0.0130125L * t;
}

void Nutation(Real jd, Real& dpsi, Real& deps) {
    const Real t = (jd - 2451545.0L) / 36525.0L;
    const Real node = 125.04452L - 1934.136261L * t;  // Moon's ascending node
    const Real sun = 280.4665L + 36000.7698L * t;     // mean longitudes of the Sun
    const Real moon = 218.3165L + 481267.8813L * t;   // and of the Moon
    dpsi = (-17.20L * Sin(node) - 1.32L * Sin(2 * sun) - 0.23L * Sin(2 * moon) + 0.21L * Sin(2 * node)) / 3600.0L;
    deps = (9.20L * Cos(node) + 0.57L * Cos(2 * sun) + 0.10L * Cos(2 * moon) - 0.09L * Cos(2 * node)) / 3600.0L;
}

Real TrueObliquity(Real jd) {
    Real dpsi = 0, deps = 0;
    Nutation(jd, dpsi, deps);
    return MeanObliquity(jd) + deps;
}

Real SiderealTimeHours(Real jd, Real universalHours, Real eastLongitude) {
    // Greenwich mean sidereal time (IAU 1982) less the whole turns of the
    // Julian day's own time of day, so that the Universal Time given apart
    // counts from the noon before jd; plus the equation of the equinoxes,
    // the nutation of the equinox along the equator. The houses thus stand
    // on the true equinox of date, as the bodies' apparent longitudes do.
    const Real d = jd - 2451545.0L;
    const Real t = d / 36525.0L;
    const Real s0 = (280.46061837L + 0.98564736629L * d + 0.000387933L * t * t - t * t * t / 38710000.0L) / 15.0L;
    Real dpsi = 0, deps = 0;
    Nutation(jd, dpsi, deps);
    const Real equinoxes = dpsi * Cos(MeanObliquity(jd) + deps) / 15.0L;
    const Real u = Reduce(universalHours + 12.0L, 24.0L);
    return Reduce(s0 + u + eastLongitude / 15.0L + equinoxes, 24.0L);
}

Real MidheavenOfRamc(Real ramc, Real eps) { return LongitudeOfRightAscension(ramc, eps); }

Real AscendantOfRamc(Real ramc, Real eps, Real phi) {
    return EasternRisingPoint(ramc, eps, Tan(ClampLatitude(phi)), ramc);
}

bool PlacidusPoint(Real f, Real ramc, Real eps, Real phi, Real& longitude) {
    // The semi-arc x (degrees) of the point: its right ascension is
    // ramc + f * x and x is the diurnal semi-arc of its declination, so
    // g(x) = k * sin(ramc + f * x) - cos(x) = 0 with k = -tan(phi) * tan(eps).
    const Real k = -Tan(ClampLatitude(phi)) * Tan(eps);
    auto g = [&](Real x) { return k * Sin(ramc + f * x) - Cos(x); };
    Real lo = 0, hi = 180;
    Real glo = g(lo), ghi = g(hi);
    if (glo == 0) {
        longitude = LongitudeOfRightAscension(ramc, eps);
        return true;
    }
    if (ghi == 0) {
        longitude = LongitudeOfRightAscension(ramc + f * hi, eps);
        return true;
    }
    if ((glo < 0) == (ghi < 0) || fabsl(k) >= 1.0L) return false;
    // Newton's method kept inside the bracket [lo, hi], bisecting whenever a
    // step would leave it, until the step is below 1e-12 degree.
    // Start from the semi-arc of the point a quarter circle away from the meridian.
    Real start = k * Sin(ramc + f * 90.0L);
    if (start > 1) start = 1;
    if (start < -1) start = -1;
    Real x = acosl(start) / kRad;
    if (!(x > lo && x < hi)) x = 90.0L;
    for (int iter = 0; iter < 200; ++iter) {
        // g and its slope from the sines and cosines of two angles.
        const SinCosDeg a(ramc + f * x), b(x);
        const Real gx = k * a.sin - b.cos;
        if (gx == 0) break;
        if ((gx < 0) == (glo < 0)) lo = x; else hi = x;
        const Real slope = (k * f * a.cos + b.sin) * kRad;
        const Real step = slope != 0 ? gx / slope : 360.0L;
        if (fabsl(step) < 1e-12L) {
            x -= step;
            break;
        }
        Real next = x - step;
        if (!(next > lo && next < hi)) next = 0.5L * (lo + hi);
        x = next;
        if (hi - lo < 1e-12L) break;
    }
    longitude = LongitudeOfRightAscension(ramc + f * x, eps);
    return true;
}

HouseStatus CuspsFromRamc(const std::string& system, Real ramc, Real eps, Real phi, CuspArray& c,
                          Real* mcOut, Real* ascOut) {
    phi = ClampLatitude(phi);
    ramc = Norm360(ramc);
    const Real mc = MidheavenOfRamc(ramc, eps);
    const Real asc = AscendantOfRamc(ramc, eps, phi);
    if (mcOut) *mcOut = mc;
    if (ascOut) *ascOut = asc;
    c[10] = mc;
    c[1] = asc;
    // Regiomontanus and Campanus report their own cusp 10 as the Midheaven.
    const auto meridianAboveHorizon = [&] {
        MeridianAboveHorizon(mc, eps, phi, c);
        if (mcOut) *mcOut = c[10];
    };

    HouseStatus status = HouseStatus::Computed;
    if (PorphyryStandsIn(system, phi, eps)) {
        Porphyry(mc, asc, c);
        return HouseStatus::PorphyryFallback;
    }
    if (system == "PLACIDO") {
        if (!Placidus(ramc, eps, phi, c)) {
            Porphyry(mc, asc, c);
            status = HouseStatus::PorphyryFallback;
        }
    } else if (system == "KOCH") {
        Koch(ramc, eps, phi, mc, c);
    } else if (system == "REGIOMONT") {
        Regiomontanus(ramc, eps, phi, c);
        meridianAboveHorizon();
    } else if (system == "PORFIRIO") {
        Porphyry(mc, asc, c);
    } else if (system == "CAMPANO") {
        Campanus(ramc, eps, phi, c);
        meridianAboveHorizon();
    } else if (system == "CASE_UGUALI" || system == "CASE_MEDIE") {
        for (int k = 1; k <= 12; ++k) c[k] = Norm360(asc + 30.0L * (k - 1));
    } else if (system == "MORINO") {
        Morinus(ramc, eps, c);
    } else if (system == "ALCABIZIO") {
        Alcabitius(ramc, eps, phi, asc, c);
    } else {
        status = HouseStatus::AnglesOnly;
    }
    return status;
}

bool PorphyryStandsIn(const std::string& system, Real phi, Real eps) {
    const bool semiArcSystem = system == "PLACIDO" || system == "KOCH" || system == "ALCABIZIO";
    return semiArcSystem && !InsidePolarCircles(ClampLatitude(phi), eps);
}

bool PorphyryStandsInForChart(const ChartState& c) {
    return PorphyryStandsIn(c.HouseSystemName,
                            NorthLatitude(c.LatitudeDegrees[1], c.LatitudeMinutes[1], c.LatitudeLetter[1]),
                            TrueObliquity(c.JulianDay));
}

Real EastLongitude(int degrees, int minutes, const std::string& letter) {
    const Real lam = degrees + minutes / 60.0L;
    return (letter == "O" || letter == "W" || letter == "o" || letter == "w") ? -lam : lam;
}

Real NorthLatitude(int degrees, int minutes, const std::string& letter) {
    const Real phi = degrees + minutes / 60.0L;
    return (letter == "S" || letter == "s") ? -phi : phi;
}

HouseStatus ComputeChartHouses() {
    auto& c = Chart;
    return ComputeHouses(c.HouseCalcMode, c.LongitudeDegrees[1], c.LongitudeMinutes[1], c.JulianDay,
                         c.LongitudeLetter[1], c.LatitudeDegrees[1], c.LatitudeMinutes[1], c.LatitudeLetter[1],
                         c.BirthHour[1], c.BirthMinute[1], c.TimeZoneCorrection, 0, "N", c.HouseCusps);
}

HouseStatus ComputeHouses(int mode, int lonDeg, int lonMin, Real jd, const std::string& lonLetter,
                          int latDeg, int latMin, const std::string& latLetter, int hour, int minute,
                          Real zoneHours, Real extraHours, const std::string& timeLetter,
                          CuspArray& cusps) {
    const Real eps = TrueObliquity(jd);
    const Real lam = EastLongitude(lonDeg, lonMin, lonLetter);
    const Real phi = NorthLatitude(latDeg, latMin, latLetter);
    Real ramc;
    if (mode < 3) {
        Real h = hour + minute / 60.0L;
        if (mode == 2 && (timeLetter == "L" || timeLetter == "S")) h = h - zoneHours - extraHours;
        const Real lst = SiderealTimeHours(jd, zoneHours + h + extraHours, lam);
        Chart.LocalSiderealTime = lst;
        ramc = 15.0L * lst;
    } else {
        ramc = Chart.PresetRAMC;
    }
    Real mc = 0, asc = 0;
    const HouseStatus status = CuspsFromRamc(Chart.HouseSystemName, ramc, eps, phi, cusps, &mc, &asc);
    Chart.MidheavenRad = mc * kRad;
    Chart.AscendantRad = asc * kRad;
    return status;
}

}  // namespace engine
