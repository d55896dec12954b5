#include "engine/houses.h"

#include <cmath>

namespace engine {

namespace {

// The cusps are worked in double precision: one part in 10^16 of a circle is
// far below what any cusp is shown to.
constexpr double kRadiansPerDegree = static_cast<double>(kPi) / 180.0;
constexpr double kMaxLatitude = 89.999999;  // tan of the pole itself is infinite

// The twelve cusps while they are worked out, by house number 1..12.
class Cusps {
public:
    double& operator[](int house) { return c_[static_cast<std::size_t>(house - 1)]; }

private:
    std::array<double, kHouseCount> c_{};
};

// The sky of a house computation, degrees: the right ascension of the
// Midheaven, the obliquity of the ecliptic and the latitude (north positive).
struct Sky {
    double ramc = 0;
    double eps = 0;
    double phi = 0;
};

// A great circle through the north and south points of the horizon: theta + 90
// is the right ascension where it meets the equator, tanPole the tangent of its
// pole height.
struct HouseCircle {
    double theta = 0;
    double tanPole = 0;
};

// Degrees brought within +-180 first: exact.
double Reduced(double deg) { return deg - 360.0 * std::nearbyint(deg / 360.0); }
double Sin(double deg) { return std::sin(Reduced(deg) * kRadiansPerDegree); }
double Cos(double deg) { return std::cos(Reduced(deg) * kRadiansPerDegree); }
double Tan(double deg) { return std::tan(Reduced(deg) * kRadiansPerDegree); }

// Sine and cosine of one angle in degrees, from one library call.
struct SinCosDeg {
    explicit SinCosDeg(double deg) {
        const double r = Reduced(deg) * kRadiansPerDegree;
        sin = std::sin(r);
        cos = std::cos(r);
    }
    double sin, cos;
};
// Angle of the vector (x, y) in degrees, (-180, 180].
double Atan2Deg(double y, double x) { return std::atan2(y, x) / kRadiansPerDegree; }

// x reduced into [0, m).
double Reduce(double x, double m) {
    double r = std::fmod(x, m);
    if (r < 0) r += m;
    if (r >= m) r -= m;
    return r;
}
double Norm360(double x) { return Reduce(x, 360.0); }

// Ecliptic longitude of the point of right ascension alpha (projection along
// the hour circle, as for the Midheaven).
double LongitudeOfRightAscension(double alpha, double eps) {
    return Norm360(Atan2Deg(Sin(alpha), Cos(alpha) * Cos(eps)));
}

// Where the ecliptic of obliquity eps crosses the eastern half of a house
// circle (theta = RAMC with the latitude's own tangent gives the Ascendant).
double RisingPoint(HouseCircle circle, double eps) {
    return Norm360(Atan2Deg(Cos(circle.theta), -(Sin(circle.theta) * Cos(eps) + circle.tanPole * Sin(eps))));
}

// The same crossing taken east of the meridian (right ascension less than 180
// degrees ahead of RAMC). The ecliptic meets the circle in two opposite
// points; the formula above gives the eastern one only while the circle's pole
// is lower than the ecliptic's. Beyond that (for the horizon itself: beyond the
// polar circles, where at times the ecliptic turns about the horizon the other
// way) it gives the western, setting point.
double EasternRisingPoint(HouseCircle circle, const Sky& sky) {
    const double lon = RisingPoint(circle, sky.eps);
    const double ra = Atan2Deg(Sin(lon) * Cos(sky.eps), Cos(lon));
    return Sin(ra - sky.ramc) < 0 ? Norm360(lon + 180.0) : lon;
}

// Declination of the ecliptic point of longitude lon.
double DeclinationOfLongitude(double lon, double eps) { return std::asin(Sin(eps) * Sin(lon)) / kRadiansPerDegree; }

bool InsidePolarCircles(double phi, double eps) { return std::fabs(phi) < 90.0 - eps; }

// Whether the ecliptic point of longitude lon, on the upper meridian, stands
// below the horizon: its culmination height 90 - |phi - declination| is
// negative. Only beyond the polar circles.
bool CulminatesBelowHorizon(double lon, const Sky& sky) {
    return std::fabs(sky.phi - DeclinationOfLongitude(lon, sky.eps)) > 90.0;
}

// The systems that divide the sky above and below the horizon (Regiomontanus,
// Campanus) take as cusp 10 the meridian's crossing with the ecliptic that is
// above the horizon: beyond the polar circles, when the upper meridian's point
// has set, the lower meridian's (cusp 4 the other one).
void MeridianAboveHorizon(double mc, const Sky& sky, Cusps& c) {
    if (!CulminatesBelowHorizon(mc, sky)) return;
    c[10] = Norm360(mc + 180.0);
    c[4] = mc;
}

// Cusps 4..9 opposite cusps 10..12 and 1..3.
void OppositeCusps(Cusps& c) {
    for (int i = 1; i <= 3; ++i) {
        c[i + 3] = Norm360(c[i + 9] + 180.0);
        c[i + 6] = Norm360(c[i] + 180.0);
    }
}

void Porphyry(double mc, double asc, Cusps& c) {
    double d = asc - mc;
    if (d < 0) d += 360.0;
    const double e = 180.0 - d;
    c[10] = mc;
    c[11] = mc + d / 3.0;
    c[12] = c[11] + d / 3.0;
    c[1] = asc;
    c[2] = asc + e / 3.0;
    c[3] = c[2] + e / 3.0;
    for (int i : {1, 2, 3, 10, 11, 12}) c[i] = Norm360(c[i]);
    OppositeCusps(c);
}

double ClampLatitude(double phi) {
    if (phi > kMaxLatitude) return kMaxLatitude;
    if (phi < -kMaxLatitude) return -kMaxLatitude;
    return phi;
}

bool PlacidusPointOf(double f, const Sky& sky, double& longitude) {
    const double ramc = sky.ramc;
    const double eps = sky.eps;
    // The semi-arc x (degrees) of the point: its right ascension is
    // ramc + f * x and x is the diurnal semi-arc of its declination, so
    // g(x) = k * sin(ramc + f * x) - cos(x) = 0 with k = -tan(phi) * tan(eps).
    const double k = -Tan(ClampLatitude(sky.phi)) * Tan(eps);
    auto g = [&](double x) { return k * Sin(ramc + f * x) - Cos(x); };
    double lo = 0, hi = 180;
    double glo = g(lo), ghi = g(hi);
    if (glo == 0) {
        longitude = LongitudeOfRightAscension(ramc, eps);
        return true;
    }
    if (ghi == 0) {
        longitude = LongitudeOfRightAscension(ramc + f * hi, eps);
        return true;
    }
    if ((glo < 0) == (ghi < 0) || std::fabs(k) >= 1.0) return false;
    // Newton's method kept inside the bracket [lo, hi], bisecting whenever a
    // step would leave it, until the step is below 1e-12 degree.
    // Start from the semi-arc of the point a quarter circle away from the meridian.
    double start = k * Sin(ramc + f * 90.0);
    if (start > 1) start = 1;
    if (start < -1) start = -1;
    double x = std::acos(start) / kRadiansPerDegree;
    if (!(x > lo && x < hi)) x = 90.0;
    for (int iter = 0; iter < 200; ++iter) {
        // g and its slope from the sines and cosines of two angles.
        const SinCosDeg a(ramc + f * x), b(x);
        const double gx = k * a.sin - b.cos;
        if (gx == 0) break;
        if ((gx < 0) == (glo < 0))
            lo = x;
        else
            hi = x;
        const double slope = (k * f * a.cos + b.sin) * kRadiansPerDegree;
        const double step = slope != 0 ? gx / slope : 360.0;
        if (std::fabs(step) < 1e-12) {
            x -= step;
            break;
        }
        double next = x - step;
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        x = next;
        if (hi - lo < 1e-12) break;
    }
    longitude = LongitudeOfRightAscension(ramc + f * x, eps);
    return true;
}

bool Placidus(const Sky& sky, Cusps& c) {
    double p11, p12, p8, p9;
    if (!PlacidusPointOf(1.0 / 3.0, sky, p11) || !PlacidusPointOf(2.0 / 3.0, sky, p12) ||
        !PlacidusPointOf(-2.0 / 3.0, sky, p8) || !PlacidusPointOf(-1.0 / 3.0, sky, p9))
        return false;
    c[11] = p11;
    c[12] = p12;
    c[2] = Norm360(p8 + 180.0);
    c[3] = Norm360(p9 + 180.0);
    OppositeCusps(c);
    return true;
}

// Koch: the oblique ascension of the Midheaven under the pole of the place,
// its diurnal semi-arc trisected, each point taken to the horizon.
void Koch(const Sky& sky, double mc, Cusps& c) {
    const double eps = sky.eps;
    const double phi = sky.phi;
    const double decl = DeclinationOfLongitude(mc, eps);
    const double ad = std::asin(Tan(decl) * Tan(phi)) / kRadiansPerDegree;  // ascensional difference
    const double step = (90.0 + ad) / 3.0;
    const double tanPhi = Tan(phi);
    const double oa = sky.ramc - ad;
    const double p1 = oa + step - 90.0;
    c[11] = RisingPoint({p1, tanPhi}, eps);
    c[12] = RisingPoint({p1 + step, tanPhi}, eps);
    c[2] = RisingPoint({p1 + 3.0 * step, tanPhi}, eps);
    c[3] = RisingPoint({p1 + 4.0 * step, tanPhi}, eps);
    OppositeCusps(c);
}

// Regiomontanus: the equator divided from the meridian in thirds of a
// quadrant; the house circles through the north and south points.
void Regiomontanus(const Sky& sky, Cusps& c) {
    const int cusp[] = {11, 12, 2, 3};
    const double h[] = {30, 60, 120, 150};
    for (int i = 0; i < 4; ++i) {
        const double tanPole = Tan(sky.phi) * Sin(h[i]);
        c[cusp[i]] = EasternRisingPoint({sky.ramc + h[i] - 90.0, tanPole}, sky);
    }
    OppositeCusps(c);
}

// Campanus: the prime vertical divided from the zenith in thirds of a
// quadrant; the house circles through the north and south points.
void Campanus(const Sky& sky, Cusps& c) {
    const double phi = sky.phi;
    const int cusp[] = {11, 12, 2, 3};
    const double h[] = {30, 60, 120, 150};
    for (int i = 0; i < 4; ++i) {
        // Where the house circle meets the equator, counted from the meridian,
        // and the pole height of the circle.
        const double x = Atan2Deg(Sin(h[i]) * Cos(phi), Cos(h[i]));
        const double sinPole = Sin(phi) * Sin(h[i]);
        const double tanPole = sinPole / std::sqrt(1.0 - sinPole * sinPole);
        c[cusp[i]] = EasternRisingPoint({sky.ramc + x - 90.0, tanPole}, sky);
    }
    OppositeCusps(c);
}

// Morinus: the equator divided from the meridian in twelve equal parts, each
// point taken to the ecliptic along its circle of longitude.
void Morinus(double ramc, double eps, Cusps& c) {
    for (int k = 1; k <= 12; ++k) {
        const double a = ramc + 30.0 * k + 60.0;
        c[k] = Norm360(Atan2Deg(Sin(a) * Cos(eps), Cos(a)));
    }
}

// Alcabitius: the diurnal and nocturnal semi-arcs of the Ascendant divided in
// thirds on the equator from the meridian, each point taken to the ecliptic
// along its hour circle.
void Alcabitius(const Sky& sky, double asc, Cusps& c) {
    const double ramc = sky.ramc;
    const double eps = sky.eps;
    const double phi = sky.phi;
    const double decl = DeclinationOfLongitude(asc, eps);
    double v = -Tan(phi) * Tan(decl);  // cosine of the diurnal semi-arc
    if (v > 1) v = 1;
    if (v < -1) v = -1;
    const double dsa = std::acos(v) / kRadiansPerDegree;
    const double nsa = 180.0 - dsa;
    c[11] = LongitudeOfRightAscension(ramc + dsa / 3.0, eps);
    c[12] = LongitudeOfRightAscension(ramc + 2.0 * dsa / 3.0, eps);
    c[2] = LongitudeOfRightAscension(ramc + 180.0 - 2.0 * nsa / 3.0, eps);
    c[3] = LongitudeOfRightAscension(ramc + 180.0 - nsa / 3.0, eps);
    OppositeCusps(c);
}


}  // namespace

Real MeanObliquity(Real jd) {
    const Real t = (jd - 2415020.0L) / 36525.0L;
    return 23.4522944L - 0.0130125L * t;
}

namespace {

// An angle of thousands of degrees, brought within +-180 in extended reals
// first, in double.
double WithinHalfTurn(Real deg) { return static_cast<double>(deg - 360.0L * rintl(deg / 360.0L)); }

// Hours reduced into [0, 24).
Real HoursOfDay(Real x) {
    Real r = fmodl(x, 24.0L);
    if (r < 0) r += 24.0L;
    if (r >= 24.0L) r -= 24.0L;
    return r;
}

}  // namespace

void Nutation(Real jd, Real& dpsi, Real& deps) {
    const Real t = (jd - 2451545.0L) / 36525.0L;
    const Real node = 125.04452L - 1934.136261L * t;  // Moon's ascending node
    const Real sun = 280.4665L + 36000.7698L * t;     // mean longitudes of the Sun
    const Real moon = 218.3165L + 481267.8813L * t;   // and of the Moon
    const SinCosDeg n(WithinHalfTurn(node)), n2(WithinHalfTurn(2 * node)), s2(WithinHalfTurn(2 * sun)),
        m2(WithinHalfTurn(2 * moon));
    dpsi = (-17.20 * n.sin - 1.32 * s2.sin - 0.23 * m2.sin + 0.21 * n2.sin) / 3600.0;
    deps = (9.20 * n.cos + 0.57 * s2.cos + 0.10 * m2.cos - 0.09 * n2.cos) / 3600.0;
}

Real TrueObliquity(Real jd) {
    Real dpsi = 0, deps = 0;
    Nutation(jd, dpsi, deps);
    return MeanObliquity(jd) + deps;
}

Real SiderealTimeHours(UniversalTime time, Real eastLongitude) {
    const Real jd = time.jd;
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
    const Real equinoxes = dpsi * Cos(static_cast<double>(MeanObliquity(jd) + deps)) / 15.0L;
    const Real u = HoursOfDay(time.hours + 12.0L);
    return HoursOfDay(s0 + u + eastLongitude / 15.0L + equinoxes);
}

Real MidheavenOfRamc(Real ramc, Real eps) {
    return LongitudeOfRightAscension(static_cast<double>(ramc), static_cast<double>(eps));
}

namespace {

Sky SkyOf(const SkyFrame& frame) {
    return {static_cast<double>(frame.ramc), static_cast<double>(frame.eps), static_cast<double>(frame.phi)};
}

}  // namespace

Real AscendantOfRamc(const SkyFrame& frame) {
    const Sky sky = SkyOf(frame);
    return EasternRisingPoint({sky.ramc, Tan(ClampLatitude(sky.phi))}, sky);
}

bool PlacidusPoint(Real f, const SkyFrame& frame, Real& longitude) {
    double point = 0;
    if (!PlacidusPointOf(static_cast<double>(f), SkyOf(frame), point)) return false;
    longitude = point;
    return true;
}

namespace {

// The cusps of `system` written into c, from the Midheaven and Ascendant
// already there; reportedMc is the Midheaven the system reports.
HouseStatus SystemCusps(HouseSystem system, const Sky& sky, Cusps& c, double& reportedMc) {
    const double mc = c[10];
    const double asc = c[1];
    if (PorphyryStandsIn(system, sky.phi, sky.eps)) {
        Porphyry(mc, asc, c);
        return HouseStatus::PorphyryFallback;
    }
    switch (system) {
        case HouseSystem::Placidus:
            if (!Placidus(sky, c)) {
                Porphyry(mc, asc, c);
                return HouseStatus::PorphyryFallback;
            }
            break;
        case HouseSystem::Koch: Koch(sky, mc, c); break;
        case HouseSystem::Regiomontanus:
        case HouseSystem::Campanus:
            if (system == HouseSystem::Regiomontanus)
                Regiomontanus(sky, c);
            else
                Campanus(sky, c);
            // They report their own cusp 10 as the Midheaven.
            MeridianAboveHorizon(mc, sky, c);
            reportedMc = c[10];
            break;
        case HouseSystem::Porphyry: Porphyry(mc, asc, c); break;
        case HouseSystem::EqualHouses:
        case HouseSystem::MeanHouses:
            for (int k = 1; k <= 12; ++k) c[k] = Norm360(asc + 30.0 * (k - 1));
            break;
        case HouseSystem::Morinus: Morinus(sky.ramc, sky.eps, c); break;
        case HouseSystem::Alcabitius: Alcabitius(sky, asc, c); break;
        case HouseSystem::Unnamed: return HouseStatus::AnglesOnly;
    }
    return HouseStatus::Computed;
}

}  // namespace

HouseStatus CuspsFromRamc(HouseSystem system, const SkyFrame& frame, HouseCusps& cusps, Real* mcOut, Real* ascOut) {
    const double eps = static_cast<double>(frame.eps);
    const Sky sky{Norm360(static_cast<double>(frame.ramc)), eps, ClampLatitude(static_cast<double>(frame.phi))};
    const double mc = LongitudeOfRightAscension(sky.ramc, eps);
    const double asc = EasternRisingPoint({sky.ramc, Tan(sky.phi)}, sky);
    Cusps c{};
    c[10] = mc;
    c[1] = asc;
    double reportedMc = mc;
    const HouseStatus status = SystemCusps(system, sky, c, reportedMc);
    // Every system writes cusps 1..12; a name that is none the angles alone.
    if (status == HouseStatus::AnglesOnly) {
        cusps[1] = c[1];
        cusps[10] = c[10];
    } else {
        for (int k = 1; k <= 12; ++k) cusps[k] = c[k];
    }
    if (mcOut) *mcOut = reportedMc;
    if (ascOut) *ascOut = asc;
    return status;
}

bool PorphyryStandsIn(HouseSystem system, Real phi, Real eps) {
    const bool semiArcSystem =
        system == HouseSystem::Placidus || system == HouseSystem::Koch || system == HouseSystem::Alcabitius;
    return semiArcSystem && !InsidePolarCircles(ClampLatitude(static_cast<double>(phi)), static_cast<double>(eps));
}

bool PorphyryStandsInForChart(const Chart& c) {
    return PorphyryStandsIn(c.settings.houseSystem.kind, c.place.latitude, TrueObliquity(c.moment.julianDay));
}

Real EastLongitude(int degrees, int minutes, const std::string& letter) {
    const Real lam = degrees + minutes / 60.0L;
    return (letter == "O" || letter == "W" || letter == "o" || letter == "w") ? -lam : lam;
}

Real NorthLatitude(int degrees, int minutes, const std::string& letter) {
    const Real phi = degrees + minutes / 60.0L;
    return (letter == "S" || letter == "s") ? -phi : phi;
}

Place PlaceOf(const PlaceFields& f) {
    return {NorthLatitude(f.latDeg, f.latMin, f.latLetter), EastLongitude(f.lonDeg, f.lonMin, f.lonLetter)};
}

Houses ComputeChartHouses(const Moment& moment, const Place& place, HouseSystem system) {
    HouseMoment m;
    m.jd = moment.julianDay;
    m.hour = ClockHour(moment);
    m.minute = ClockMinute(moment);
    m.zoneHours = moment.zoneCorrection;
    return ComputeHouses(system, place, m);
}

Houses ComputeHouses(HouseSystem system, const Place& place, const HouseMoment& moment) {
    const Real jd = moment.jd;
    const Real eps = TrueObliquity(jd);
    Real h = moment.hour + moment.minute / 60.0L;
    if (moment.clockIsUniversalTime) h = h - moment.zoneHours - moment.extraHours;
    Houses houses;
    houses.localSiderealTime = SiderealTimeHours({jd, moment.zoneHours + h + moment.extraHours}, place.longitude);
    Real mc = 0, asc = 0;
    houses.status =
        CuspsFromRamc(system, {15.0L * houses.localSiderealTime, eps, place.latitude}, houses.cusps, &mc, &asc);
    // Through radians and back, as the angles were always kept: no longitude
    // moves in its last bit.
    houses.midheaven = mc * kDegToRad / kDegToRad;
    houses.ascendant = asc * kDegToRad / kDegToRad;
    return houses;
}

}  // namespace engine
