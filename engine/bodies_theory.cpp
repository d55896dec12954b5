#include "engine/bodies_theory.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/delta_t.h"

namespace engine {

bool MoonCorrectionApplies(Real jd) { return jd > kMoonCorrectionAfter && jd < kCorrectionsUntil; }
bool PlanetCorrectionApplies(Real jd) {
    return jd >= kPlanetCorrectionFrom && jd < kCorrectionsUntil;
}
bool NodeCorrectionApplies(Real jd) { return jd > kNodeCorrectionAfter && jd < kCorrectionsUntil; }
bool BlackMoonCorrectionApplies(Real jd) {
    return jd >= kBlackMoonCorrectionFrom && jd < kBlackMoonCorrectionUntil;
}
bool MinorCorrectionApplies(Real jd) { return jd >= kMinorCorrectionFrom && jd < kMinorCorrectionUntil; }

namespace {

constexpr Real kRad = kPi / 180.0L;         // degrees to radians
constexpr Real kDeg = 180.0L / kPi;         // radians to degrees
constexpr Real kTwoPi = 2.0L * kPi;
constexpr Real kGauss = 0.01720209L;        // Gauss's constant
constexpr Real kLightDaysPerAu = 0.0057683L;
constexpr Real kZeroAbscissa = 1.75453E-7L;  // stands in for an abscissa of exactly 0

// Sine and cosine with the argument first brought within 45 degrees of a
// quadrant's start: the extended-precision library functions are many times
// slower on larger arguments. In degrees the reduction is exact.
struct SinCos {
    Real sin, cos;
};

inline SinCos Quadrant(long long q, Real s, Real c) {
    switch (((q % 4) + 4) % 4) {
        case 0: return {s, c};
        case 1: return {c, -s};
        case 2: return {-s, -c};
        default: return {-c, s};
    }
}

// The nearest whole number (the reductions need no particular rule at halves).
inline long long Nearest(Real x) { return static_cast<long long>(x < 0 ? x - 0.5L : x + 0.5L); }

inline SinCos SinCosD(Real degrees) {
    const Real x = std::fmod(degrees, 360.0L);
    const long long q = Nearest(x / 90);
    const Real r = (x - 90 * static_cast<Real>(q)) * kRad;
    return Quadrant(q, std::sin(r), std::cos(r));
}

inline SinCos SinCosR(Real radians) {
    const long long q = Nearest(radians / (kPi / 2));
    const Real r = radians - static_cast<Real>(q) * (kPi / 2);
    return Quadrant(q, std::sin(r), std::cos(r));
}

// One of the two alone costs one library call.
inline Real SinQuadrant(long long q, Real r) {
    switch (((q % 4) + 4) % 4) {
        case 0: return std::sin(r);
        case 1: return std::cos(r);
        case 2: return -std::sin(r);
        default: return -std::cos(r);
    }
}

inline Real SinD(Real degrees) {
    const Real x = std::fmod(degrees, 360.0L);
    const long long q = Nearest(x / 90);
    return SinQuadrant(q, (x - 90 * static_cast<Real>(q)) * kRad);
}
inline Real CosD(Real degrees) { return SinD(degrees + 90); }

inline Real SinR(Real radians) {
    const long long q = Nearest(radians / (kPi / 2));
    return SinQuadrant(q, radians - static_cast<Real>(q) * (kPi / 2));
}
inline Real CosR(Real radians) { return SinCosR(radians).cos; }

struct Vec3 {
    Real x = 0, y = 0, z = 0;
};

Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

// Polar angle of (x, y) in [0, 2 pi).
Real PolarAngle(Real x, Real y) {
    if (x == 0) x = kZeroAbscissa;
    Real theta = std::atan2(y, x);
    if (theta < 0) theta += kTwoPi;
    return theta;
}

// Latitude of a vector, within +-pi/2.
Real LatitudeRad(const Vec3& v) { return std::atan2(v.z, std::sqrt(v.x * v.x + v.y * v.y)); }

// Rotations by an angle given by its sine and cosine.
Vec3 RotateZ(const Vec3& v, const SinCos& a) {
    const Real c = a.cos, s = a.sin;
    return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

Vec3 RotateX(const Vec3& v, const SinCos& a) {
    const Real c = a.cos, s = a.sin;
    return {v.x, v.y * c - v.z * s, v.y * s + v.z * c};
}

// amplitude * cos(rate * T + phase), rate in degrees a century, phase in degrees.
struct PeriodicTerm {
    Real rate, phase, amplitude;
};

template <std::size_t N>
Real SumTerms(const PeriodicTerm (&terms)[N], Real t) {
    Real s = 0;
    for (const auto& term : terms) s += term.amplitude * CosD(term.rate * t + term.phase);
    return s;
}

// Orbital elements at one instant: angles in degrees, a in astronomical units.
struct Elements {
    Real M, e, a, omega, node, incl;
};

// ---- the working state of one computation ----
class Computation {
public:
    Computation(int mode, bool fast, Real jd, const BodySettings& settings,
                CorrectionSource* corrections, BodyPositions& out)
        : jd_(jd), mode_(mode), fast_(fast), settings_(settings), src_(corrections), out_(out) {}

    void Run();

private:
    void MeanElements();
    Real MeanPerigee() const;
    void Sun();
    void Moon();
    void Planet(int body);
    void Node();
    void BlackMoon();
    void Asteroid(int body);
    void AscendantEntry();
    void DescendantEntry();

    Elements PlanetElements(int body, bool setA) const;
    void AddPeriodicCorrections(int body, Real weight, Vec3& helio) const;
    // Position and velocity in the orbital plane, then turned to the ecliptic.
    void SolveOrbit(const Elements& el, Vec3& pos, Vec3& vel) const;
    void ReduceToGeocentric(int body, const Vec3& pos, const Vec3& vel);
    void Equatorial(int body, Real lon, Real lat);

    // Arguments and settings (jd_ is UT).
    Real jd_;
    int mode_;
    bool fast_;
    const BodySettings& settings_;
    CorrectionSource* src_;
    BodyPositions& out_;

    // Time argument (days and centuries of dynamical time from 1900 January
    // 0.5) and mean elements.
    Real D_ = 0, T_ = 0, T2_ = 0;
    Real nodeMean_ = 0;      // mean longitude of the Moon's ascending node
    Real sunMeanLon_ = 0;    // L
    Real moonElong_ = 0;     // D
    Real moonPerigee_ = 0;   // longitude of the Moon's mean perigee
    Real sunAnomaly_ = 0;    // M of the Sun
    Real moonMeanLon_ = 0;
    Real moonAnomaly_ = 0;   // M' of the Moon
    Real dpsi_ = 0;          // nutation in longitude, degrees
    Real eps_ = 0, cosEps_ = 1, sinEps_ = 0;

    // The Earth's heliocentric position and velocity, left by the Sun step.
    Vec3 earth_, earthVel_;
};

// Longitude of the Moon's mean perigee; the T-squared term is negative, as the
// Moon's mean longitude minus its mean anomaly requires.
Real Computation::MeanPerigee() const {
    return Mod360(334.32956L + 0.11140408L * D_ - (0.010325L + 0.000012L * T_) * T2_);
}

void Computation::MeanElements() {
    // The theories run in dynamical time; the argument is UT (the correction
    // tables are still looked up by the UT day).
    D_ = DynamicalJulianDay(jd_) - 2415020.0L;
    T_ = D_ / 36525.0L;
    T2_ = T_ * T_;
    const Real T = T_, T2 = T2_;
    nodeMean_ = Mod360(259.1833L - 0.05295392L * D_ + 0.002078L * T2 + 0.0000022L * T2 * T);
    sunMeanLon_ = Mod360(279.69668L + 36000.7689L * T + 0.0003025L * T2);
    moonElong_ = Mod360(350.737486L + 445267.114L * T - 0.001436L * T2);
    moonPerigee_ = MeanPerigee();
    sunAnomaly_ = Mod360(358.47584L + 35999.04975L * T - 0.00015L * T2);
    moonMeanLon_ = Mod360(270.434164L + 13.1763965L * D_ + (0.0000019L * T - 0.001133L) * T2);
    moonAnomaly_ = Mod360(296.1046083L + 477198.849L * T + 0.009191671L * T2);
    dpsi_ = (-(17.2327L + 0.01737L * T) * SinD(nodeMean_) - 1.273L * SinD(2 * sunMeanLon_)) /
            3600.0L;
    eps_ = 23.4522944L - 0.0130125L * T;
    cosEps_ = CosD(eps_);
    sinEps_ = SinD(eps_);
}

void Computation::SolveOrbit(const Elements& el, Vec3& pos, Vec3& vel) const {
    const Real M = el.M * kRad;
    const Real e = el.e, a = el.a;
    const Real E = SolveKepler(M, e);
    const SinCos sc = SinCosR(E);
    const Real cosE = sc.cos, sinE = sc.sin;
    const Real root = std::sqrt(1 - e * e);
    pos = {a * (cosE - e), a * root * sinE, 0};
    const Real q = kGauss / ((1 - e * cosE) * std::exp(1.5L * std::log(a)));
    vel = {-a * q * sinE, a * q * root * cosE, 0};
    const SinCos w = SinCosD(el.omega), i = SinCosD(el.incl), n = SinCosD(el.node);
    pos = RotateZ(RotateX(RotateZ(pos, w), i), n);
    vel = RotateZ(RotateX(RotateZ(vel, w), i), n);
}

void Computation::Equatorial(int body, Real lon, Real lat) {
    const SinCos l = SinCosD(lon), b = SinCosD(lat);
    const Real sl = l.sin, cl = l.cos, sb = b.sin, cb = b.cos;
    const Real y = sl * cosEps_ - (sb / cb) * sinEps_;
    out_.rightAscensions[body] = Mod360(std::atan2(y, cl) * kDeg);
    Real s = sb * cosEps_ + cb * sinEps_ * sl;
    if (s > 1) s = 1;
    if (s < -1) s = -1;
    out_.declinations[body] = std::asin(s) * kDeg;
}

// ---- Sun ----
void Computation::Sun() {
    const Real T = T_, T2 = T2_;
    // The Earth's orbit turned by the longitude of its perihelion: the Earth's
    // heliocentric vector (the Sun's geocentric vector is its opposite).
    const Real earthM = Mod360(358.4758445L + 35999.04975L * T - 0.000150278L * T2);
    const Real e = 0.01675104L - 0.0000418L * T - 0.000000126L * T2;
    const Real perigee = 101.2208333L + 1.719175L * T + 0.000452778L * T2;
    Vec3 pos, vel;
    SolveOrbit({earthM, e, 1.00000023L, perigee, 0, 0}, pos, vel);
    earth_ = pos;
    earthVel_ = vel;

    // The series of the Sun's apparent longitude.
    const Real Msun = sunAnomaly_ * kRad;
    const Real E = SolveKepler(Msun, e);
    const Real v = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2)) * kDeg;
    Real lon = Mod360(v - sunAnomaly_ + sunMeanLon_);

    const Real longPeriod = (6.4L * SinD(231.19L + 20.2L * T) +
                             (1.882L - 0.016L * T) * SinD(57.24L + 150.27L * T) +
                             0.266L * SinD(31.8L + 119.0L * T) +
                             0.202L * SinD(315.6L + 893.3L * T)) /
                            3600.0L;
    lon += longPeriod;
    const Real M = sunAnomaly_ + longPeriod;

    const Real V = Mod360(63.07037L + 22518.442986L * T);
    const Real R = Mod360(165.94905L + 16859.069667L * T);
    const Real J = Mod360(221.64742L + 32964.466939L * T);
    const Real S = Mod360(193.1323L + 34777.259042L * T);
    const Real venus = 4.838L * CosD(V + 90) + 5.526L * CosD(2 * V + 90.12L) +
                       2.497L * CosD(2 * V - M + 257.75L) + 1.559L * CosD(3 * V - M + 77.96L) +
                       1.024L * CosD(3 * V - 2 * M + 50.85L) + 0.666L * CosD(3 * V + 270.41L) +
                       0.21L * CosD(4 * V + 89.8L) + 0.154L * CosD(5 * V - 3 * M + 34.1L) +
                       0.152L * CosD(4 * V - 2 * M + 227.4L) +
                       0.144L * CosD(4 * V - M + 79.0L);
    const Real mars = 2.043L * CosD(2 * R + 89.76L) + 1.77L * CosD(2 * R - M + 306.27L) +
                      0.585L * CosD(4 * R - 2 * M + 185.82L) +
                      0.5L * CosD(4 * R - M + 317.7L) + 0.425L * CosD(3 * R - M + 317.7L) +
                      0.204L * CosD(5 * R - 2 * M + 185.5L);
    const Real jupiter = 7.208L * CosD(J + 91.08999L) + 2.731L * CosD(2 * J + 270.25L) +
                         2.6L * CosD(J - M + 174.77L) + 1.61L * CosD(2 * J - M + 292.6L) +
                         0.556L * CosD(3 * J - M + 177.31L);
    const Real saturn = 0.419L * CosD(S + 90.33999L) + 0.32L * CosD(S - M + 259.22L);
    const Real moon = 6.454L * SinD(moonElong_) + 0.424L * SinD(moonElong_ - moonAnomaly_);
    lon += (venus + mars + jupiter + saturn + moon) / 3600.0L;
    lon += dpsi_;
    lon -= (20.47L + 0.342L * CosD(M)) / 3600.0L;
    // The series count from the equinox of the old fundamental catalogue,
    // which drifts from the dynamical equinox by 0.525" + 1.275" a century from
    // 1950 (24" in the first century). The tables take it up for the other
    // bodies; the Sun has none, so it is added here.
    lon += (0.525L + 1.275L * (T - 0.5L)) / 3600.0L;
    lon = Mod360(lon);

    out_.longitudes[kSun] = lon;
    out_.latitudes[kSun] = 0;
    Equatorial(kSun, lon, 0);

    // Equation of time, hours.
    const Real y = std::pow(std::tan(eps_ * kRad / 2), 2);
    const Real l = lon * kRad, m = earthM * kRad;
    const Real eot = y * SinR(2 * l) - 2 * e * SinR(m) + 4 * e * y * SinR(m) * CosR(2 * l) -
                     0.5L * y * y * SinR(4 * l) - 1.25L * e * e * SinR(2 * m);
    out_.equationOfTime = eot * kDeg / 15.0L;
}

// ---- Moon ----
void Computation::Moon() {
    const Real T = T_, T2 = T2_;
    Real Lp = moonMeanLon_;
    Real Mp = moonMeanLon_ - moonPerigee_;
    Real F = moonMeanLon_ - nodeMean_;
    Real D = moonElong_;
    Real M = sunAnomaly_;

    const Real a = SinD(51.2L + 20.2L * T);
    const Real b = SinD(193.4404L - 132.87L * T - 0.0091731L * T2);
    const Real c = SinD(nodeMean_);
    const Real g = SinD(nodeMean_ + 275.05L - 2.3L * T);
    Lp += (0.84L * a + 14.27L * b + 7.261L * c) / 3600.0L;
    Mp += (2.94L * a + 14.27L * b + 9.337L * c) / 3600.0L;
    D += (7.24L * a + 7.261L * c) / 3600.0L;
    M += -6.4L * a / 3600.0L;
        F += (0.21L * a + 14.27L * b - 88.699L * c - 15.58L * g) / 3600.0L;

    const Real Mp2 = 2 * Mp, D2 = 2 * D, F2 = 2 * F, M2 = 2 * M;
    struct Term {
        Real amplitude, argument;
    };
    const Term series[] = {
        {22639.55L, Mp},
        {-4586.47L, Mp - D2},
        {2369.912L, D2},
        {769.02L, Mp2},
        {-668.15L, M},
        {-411.61L, F2},
        {-211.66L, Mp2 - D2},
        {-205.96L, (Mp + M) - D2},
        {191.95L, D2 + Mp},
        {-165.15L, M - D2},
        {147.69L, Mp - M},
        {-125.15L, D},
        {-109.67L, Mp + M},
        {-55.17L, F2 - D2},
        {-45.099L, F2 + Mp},
        {39.53L, Mp - F2},
        {-38.43L, Mp - 4 * D},
        {36.12L, 3 * Mp},
        {-30.77L, Mp2 - 4 * D},
        {28.48L, (Mp - M) - D2},
        {-24.42L, D2 + M},
        {18.61L, Mp - D},
        {18.02L, M + D},
        {14.58L, D2 + (Mp - M)},
        {14.39L, Mp2 + D2},
        {13.9L, 4 * D},
        {-13.19L, 3 * Mp - D2},
        {9.7L, Mp2 - M},
        {9.37L, (Mp - F2) - D2},
        {-8.63L, (Mp2 + M) - D2},
        {-8.47L, Mp + D},
        {1.0L, M2 - D2},
        {-7.65L, Mp2 + M},
        {-7.49L, M + 2},
        {-7.41L, (M2 + Mp) - D2},
        {-6.38L, (Mp - F2) + D2},
        {-5.74L, F2 + D2},
        {-4.39L, (Mp + M) - 4 * D},
        {-3.99L, Mp2 + F2},
        {3.22L, Mp - 3 * D},
        {-2.92L, D2 + (Mp + M)},
        {-2.74L, ((Mp + 2) + M) - 4 * D},
        {-2.49L, (Mp2 - M) - D2},
        {2.58L, Mp - M2},
        {2.53L, (Mp - M2) - D2},
        {-2.15L, (F2 + M) - D2},
        {1.98L, 4 * D + Mp},
        {1.94L, 4 * Mp},
        {-1.88L, M - 4 * D},
        {1.75L, Mp2 - D},
        {-1.44L, (M - F2) + D2},
        {-1.298L, Mp2 - F2},
        {1.27L, (Mp + M) + D},
        {1.23L, Mp2 - 3 * D},
        {-1.19L, 3 * Mp - 4 * D},
        {1.18L, (Mp2 - M) + D2},
        {-1.17L, M2 + Mp},
        {-1.09L, (Mp - M) - D},
        {1.06L, 3 * Mp + D2},
        {-0.59L, Mp2 + D},
        {-0.99L, (F2 + Mp) + D2},
        {-0.95L, 4 * Mp - D2},
        {-0.59L, Mp2 - 6 * D},
        {0.64L, Mp - 4 * D},
        {0.56L, M - D},
        {0.76L, (Mp - M2) + D2},
        {0.58L, F2 - D},
        {-0.55L, 3 * Mp + M},
        {0.68L, 3 * Mp - M},
        {0.557L, (Mp2 + F2) - D2},
        {0.538L, (Mp2 - F2) - D2},
    };
    static_assert(sizeof(series) / sizeof(series[0]) == 71);
    Real sum = 0;
    for (const Term& t : series) sum += t.amplitude * SinD(t.argument);

    const Real lambda = Mod360(Lp + sum / 3600.0L + dpsi_);
    Real lon = lambda;
    if (settings_.useMoonTable && MoonCorrectionApplies(jd_))
        lon = Mod360(lon + src_->MoonCorrection(jd_) / 3600.0L);

    const Real Fp =
        F + (22609.0L * SinD(Mp) + 4578.1L * SinD(D2 - Mp) + 2373.4L * SinD(D2) +
             768.0L * SinD(Mp2) + 192.7L * SinD(D2 + Mp) - 182.4L * SinD(Mp + M - D2) -
             165.1L * SinD(M - D2) - 152.5L * SinD(Mp2 - D2) + 138.8L * SinD(Mp - M) -
             127.0L * SinD(M) - 115.2L * SinD(Mp + M) - 112.8L * SinD(D) -
             85.1L * SinD(F2 - Mp) - 52.1L * SinD(F2 - D2) + 50.64L * SinD(3 * lambda) -
             38.6L * SinD(Mp - 4 * D) - 34.1L * SinD(Mp2 - 4 * D)) /
                3600.0L;
    const Real w = 1 - 0.00004664L * CosD(nodeMean_) -
                   0.0000754L * CosD(nodeMean_ + 275.05L - 2.3L * T);
    const Real beta =
        (18519.7L * w * SinD(Fp) - 6.2L * SinD(3 * Fp) - 526.1L * SinD(F - D2)) / 3600.0L;

    Real lat = beta;
    if (settings_.useMinorTable && MoonCorrectionApplies(jd_))
        lat += src_->MoonLatitudeCorrection(jd_) / 3600.0L;

    out_.longitudes[kMoon] = lon;
    out_.latitudes[kMoon] = lat;
    Equatorial(kMoon, lon, lat);
}

// ---- planets ----
Elements Computation::PlanetElements(int body, bool setA) const {
    const Real T = T_, T2 = T2_;
    switch (body) {
        case kMercury:
            return {102.2793806L + 149472.51523L * T + 0.000006389L * T2,
                    0.20561421L + 0.00002046L * T - 0.00000003L * T2, 0.3870984L,
                    28.75375278L + 0.370280556L * T + 0.000120833L * T2,
                    47.14594444L + 1.185208333L * T + 0.000173889L * T2,
                    7.002880556L + 0.001860833L * T - 0.000018333L * T2};
        case kVenus:
            return {212.6032194L + 58517.80386L * T + 0.001286056L * T2,
                    0.00682069L - 0.00004774L * T + 0.0000091L * T2, 0.7233316L,
                    54.38418611L + 0.508186111L * T - 0.001386389L * T2,
                    75.77964722L + 0.89985L * T + 0.00041L * T2,
                    3.393630556L + 0.00100583L * T - 0.000000972L * T2};
        case kMars:
            return {319.529425L + 19139.8585L * T + 0.000180806L * T2,
                    0.0933129L + 0.000092064L * T - 0.000000077L * T2, 1.5236915L,
                    285.4317611L + 1.069766667L * T + 0.00013125L * T2,
                    48.78644167L + 0.770991667L * T - 0.000001389L * T2,
                    1.850333333L - 0.000675L * T + 0.000012611L * T2};
        case kJupiter:
            if (setA)
                return {225.49281253L + 3033.687936L * T, 0.04838144L - 0.0000155L * T,
                        5.20290493L, 273.3930152L + 1.33834464L * T,
                        99.41984827L + 1.05829152L * T, 1.3096585L - 0.00515613L * T};
            return {225.32833L + 3034.69202L * T - 0.00072L * T2, 0.04833L + 0.00016L * T,
                    5.202561L, 273.27754L + 0.59943L * T + 0.0007L * T2,
                    99.44338L + 1.01053L * T + 0.00035L * T2, 1.30874L - 0.005696L * T};
        case kSaturn:
            if (setA)
                return {174.215296L + 1223.507963L * T, 0.05422831L - 0.00020495L * T,
                        9.55251745L, 338.911673L - 0.31667941L * T,
                        112.8261394L + 0.82587569L * T, 2.49080547L - 0.00466035L * T};
            return {175.46622L + 1221.55147L * T - 0.0005L * T2, 0.05589L - 0.00035L * T,
                    9.55475L, 338.30777L + 1.08522L * T + 0.00098L * T2,
                    112.79039L + 0.873195L * T - 0.00015L * T2,
                    2.49252L - 0.00392L * T - 0.00002L * T2};
        case kUranus:
            if (setA)
                return {74.17574887L + 427.2742717L * T, 0.04681664L + 0.00041875L * T,
                        19.22150505L, 95.68630387L + 2.05082548L * T,
                        73.52220082L + 0.52415598L * T, 0.77256652L + 0.00012824L * T};
            return {72.64882L + 428.37911L * T + 0.00008L * T2, 0.046344L - 0.00003L * T,
                    19.21814L, 98.07155L + 0.98577L * T - 0.00107L * T2,
                    73.4771L + 0.49867L * T + 0.00131L * T2,
                    0.77246L + 0.00063L * T + 0.00004L * T2};
        case kNeptune:
            if (setA)
                return {30.1329437L + 240.4551595L * T, 0.00912805L - 0.00127185L * T,
                        30.1137593L, 284.168255L - 21.6328615L * T,
                        130.6841531L + 1.10046492L * T, 1.77939281L - 0.00975088L * T};
            return {37.73067L + 218.46134L * T - 0.00007L * T2, 0.008997L, 30.10957L,
                    276.04597L + 0.32564L * T + 0.00014L * T2,
                    130.68136L + 1.09894L * T + 0.000249L * T2, 1.77924L - 0.00954L * T};
        case kPluto:
        default:
            if (setA)
                return {229.7810007L + 145.1781092L * T, 0.24797376L + 0.00289875L * T,
                        39.53903455L, 113.5365761L + 0.20863761L * T,
                        108.94405L + 1.37395444L * T, 17.15140319L - 0.01611824L * T};
            return {229.94722L + 144.91306L * T, 0.24864L, 39.51774L, 113.52136L,
                    108.95444L + 1.39601L * T + 0.00031L * T2, 17.14678L};
    }
}

void Computation::AddPeriodicCorrections(int body, Real weight, Vec3& helio) const {
    const Real T = T_, T2 = T2_;
    if (weight == 0) return;
    const Vec3 before = helio;
    switch (body) {
        case kJupiter: {
            static const PeriodicTerm y[] = {
                {581.7L, -9.7L, 0.0051L},      {2510.7L, -12.5L, -0.0005L},
                {1313.7L, -61.4L, -0.0026L},   {2370.79L, -24.6L, 0.0013L},
                {3599.3L, 37.7L, -0.0013L},    {2574.7L, 31.4L, -0.001L},
                {6708.2L, -114.5L, -0.00096L}, {5499.4L, -74.97L, -0.0006L},
                {1419.0L, 54.2L, -0.0013L},    {6339.3L, -109.0L, 0.0006L},
                {4824.5L, -50.9L, 0.0007L}};
            static const PeriodicTerm x[] = {
                {676.2L, 0.9L, -0.0023L},     {2361.4L, 174.9L, 0.00045L},
                {1427.5L, -188.8L, 0.0015L},  {2110.1L, 153.6L, 0.0006L},
                {3606.8L, -57.7L, 0.0014L},   {2540.2L, 121.7L, -0.0017L},
                {6704.8L, -22.3L, -0.00099L}, {5480.2L, 24.5L, -0.0006L},
                {1651.3L, -118.3L, 0.00096L}, {6310.8L, -4.8L, 0.0006L},
                {4826.6L, 36.2L, 0.0007L}};
            helio.y += -0.001L - 0.0005L * T + 0.0045L * T2 + SumTerms(y, T);
            helio.x += 0.002L - 0.0134L * T + 0.0127L * T2 + SumTerms(x, T);
            break;
        }
        case kSaturn: {
            static const PeriodicTerm y[] = {{1238.9L, -16.4L, 0.0134L},
                                             {3040.9L, -25.2L, -0.00426L},
                                             {1835.3L, 36.1L, 0.0064L},
                                             {610.8L, -44.2L, -0.0153L},
                                             {2480.5L, -69.4L, -0.0015L}};
            static const PeriodicTerm x[] = {{1242.2L, 78.3L, 0.0111L},
                                             {3034.96L, 62.8L, -0.0045L},
                                             {1829.2L, -51.5L, -0.0066L},
                                             {640.6L, 24.2L, -0.0078L},
                                             {2363.4L, -141.4L, -0.0016L}};
            static const PeriodicTerm z[] = {{1251.1L, 43.7L, -0.0005L},
                                             {622.8L, 13.7L, 0.0005L},
                                             {1824.7L, -71.1L, 0.0003L},
                                             {2997.1L, 78.2L, 0.0001L}};
            helio.y += -0.0009L + 0.0037L * T + SumTerms(y, T);
            helio.x += -0.0014L + 0.0026L * T + SumTerms(x, T);
            helio.z += 0.0006L - 0.0002L * T + kDeg * SinD(SumTerms(z, T));
            break;
        }
        case kUranus: {
            static const PeriodicTerm y[] = {{422.3L, -17.7L, 0.0299L},
                                             {3035.1L, -31.3L, -0.0049L},
                                             {945.3L, 60.1L, -0.0038L},
                                             {1227.0L, -4.99L, -0.0023L}};
            static const PeriodicTerm x[] = {{404.3L, 81.9L, 0.0317L},
                                             {3037.9L, 57.3L, -0.00495L},
                                             {993.5L, -54.4L, 0.004L},
                                             {1249.4L, 79.2L, -0.0018L}};
            static const PeriodicTerm z[] = {{352.5L, -54.99L, 0.0005L},
                                             {3027.5L, 54.2L, 0.0001L},
                                             {1150.3L, -88.0L, -0.0001L}};
            helio.y += -0.0021L - 0.0159L * T + SumTerms(y, T);
            helio.x += 0.0134L - 0.02186L * T + SumTerms(x, T);
            helio.z += -0.0003L + 0.0005L * T + SumTerms(z, T);
            break;
        }
        case kNeptune: {
            static const PeriodicTerm y[] = {{175.7L, 31.8L, -0.1923L},
                                             {542.1L, 189.6L, 0.0122L},
                                             {1219.4L, 178.1L, 0.0027L},
                                             {3035.6L, -31.3L, -0.00496L}};
            static const PeriodicTerm x[] = {{3035.3L, 58.7L, -0.00496L},
                                             {177.1L, -68.8L, 0.0961L},
                                             {630.9L, 51.0L, -0.0073L},
                                             {1236.6L, 78.0L, -0.0025L}};
            static const PeriodicTerm z[] = {{3049.3L, 44.2L, 0.0001L},
                                             {893.9L, 48.5L, -0.0002L},
                                             {1416.5L, -25.2L, 0.00007L}};
            helio.y += 0.1832L - 0.6718L * T + 0.2726L * T2 + SumTerms(y, T);
            helio.x += -0.1122L + 0.166L * T - 0.0544L * T2 + SumTerms(x, T);
            helio.z += 0.00196L - 0.0119L * T + 0.0111L * T2 + SumTerms(z, T);
            break;
        }
        case kPluto: {
            static const PeriodicTerm y[] = {{372.0L, -331.3L, 0.0371L},
                                             {3049.6L, -39.2L, -0.0049L},
                                             {566.2L, 318.3L, -0.0108L},
                                             {1746.5L, -238.3L, 0.0003L}};
            static const PeriodicTerm x[] = {{273.97L, 89.97L, 0.049L},
                                             {3030.6L, 61.3L, -0.0049L},
                                             {1075.3L, -28.1L, 0.0027L},
                                             {1402.3L, 20.3L, -0.0007L}};
            static const PeriodicTerm z[] = {{302.6L, -77.3L, 0.0117L},
                                             {528.1L, 48.6L, 0.00198L},
                                             {1000.4L, -46.1L, -0.0002L}};
            helio.y += -0.0426L + 0.073L * T - 0.029L * T2 + SumTerms(y, T);
            helio.x += -0.0603L + 0.5002L * T - 0.6126L * T2 + SumTerms(x, T);
            helio.z += 0.0145L - 0.0928L * T + 0.1195L * T2 + SumTerms(z, T);
            break;
        }
        default:
            break;
    }
    helio.x = before.x + weight * (helio.x - before.x);
    helio.y = before.y + weight * (helio.y - before.y);
    helio.z = before.z + weight * (helio.z - before.z);
}

// The outer planets' element sets change at T = -2 and their periodic additions
// hold for 0 <= T <= 2 only. A switch from one day to the next would make the
// position jump by up to 40 arc minutes, which the 5-day correction table,
// interpolated linearly, cannot follow; so each switch is made gradually over
// the two years centred on it (inside the span the table corrects).
constexpr Real kSwitchHalfWidth = 0.01L;  // centuries

// 0 before the window, 1 after it, a smooth step in between.
Real SmoothStep(Real T, Real at) {
    if (T <= at - kSwitchHalfWidth) return 0;
    if (T >= at + kSwitchHalfWidth) return 1;
    const Real x = (T - (at - kSwitchHalfWidth)) / (2 * kSwitchHalfWidth);
    return (1 - std::cos(kPi * x)) / 2;
}

void Computation::Planet(int body) {
    const bool outer = body >= kJupiter;
    // Weight of set A (T >= -2) and of the periodic additions (0 <= T <= 2).
    const Real setA = outer ? SmoothStep(T_, -2) : 1;
    const Real additions = outer ? SmoothStep(T_, 0) * (1 - SmoothStep(T_, 2)) : 0;
    Vec3 pos, vel;
    for (const bool useA : {true, false}) {
        const Real w = useA ? setA : 1 - setA;
        if (w == 0) continue;
        Elements el = PlanetElements(body, useA);
        el.M = Mod360(el.M);
        Vec3 p, v;
        SolveOrbit(el, p, v);
        pos = {pos.x + w * p.x, pos.y + w * p.y, pos.z + w * p.z};
        vel = {vel.x + w * v.x, vel.y + w * v.y, vel.z + w * v.z};
    }
    AddPeriodicCorrections(body, additions, pos);
    ReduceToGeocentric(body, pos, vel);
}

void Computation::ReduceToGeocentric(int body, const Vec3& pos, const Vec3& vel) {
    out_.helioLongitudes[body] = PolarAngle(pos.x, pos.y) * kDeg;
    out_.helioLatitudes[body] = LatitudeRad(pos) * kDeg;

    const Vec3 g = pos - earth_;
    const Vec3 gv = vel - earthVel_;
    const Real rho2 = g.x * g.x + g.y * g.y;
    const Real rate = (g.x * gv.y - g.y * gv.x) / rho2;  // radians a day
    const Real dist = std::sqrt(rho2 + g.z * g.z);
    const Real lightTime = dist * kLightDaysPerAu * rate * kDeg;

    Real lon = Mod360(PolarAngle(g.x, g.y) * kDeg + dpsi_ - lightTime);
    Real lat = LatitudeRad(g) * kDeg;

    if (body >= kMercury && body <= kPluto && settings_.usePlanetTable &&
        PlanetCorrectionApplies(jd_)) {
        lon = Mod360(lon + src_->PlanetCorrection(body - 2, jd_) / 60.0L);
        if (!fast_) lat += src_->PlanetCorrection(body + 7, jd_) / 60.0L;
    }
    if (body >= kCeres && body <= kChiron && settings_.useMinorTable && MinorCorrectionApplies(jd_))
        lon = Mod360(lon + src_->MinorBodyCorrection(body, jd_) / 3600.0L);
    out_.longitudes[body] = lon;
    out_.latitudes[body] = lat;
    Equatorial(body, lon, lat);
}

// ---- lunar node, black moon ----
void Computation::Node() {
    const Real T = T_, T2 = T2_;
    Real node = Mod360(259.183275L - 1934.142L * T + 0.002078L * T2 + 0.0000022L * T2 * T);
    if (settings_.trueNode) {
        if (mode_ == kNode) {
            Sun();
            Moon();
        }
        const Real S = out_.longitudes[kSun];
        const Real M = out_.longitudes[kMoon];
        const Real N = node;
        const Real G = MeanPerigee();
        const Real P = 282.596403L;
        node += 1.517L * SinD(2 * (S - N)) - 0.163L * SinD(S - P) -
                0.128L * SinD(2 * (M - S)) + 0.12L * SinD(2 * (M - N)) +
                0.107L * SinD(2 * (G - N)) + 0.063L * SinD(3 * S - P - 2 * N) +
                0.04L * SinD(M + G - 2 * S) - 0.04L * SinD(M + G - 2 * N) +
                0.027L * SinD(M - G) - 0.027L * SinD(S + P - 2 * N) +
                0.015L * SinD(2 * (S - G)) - 0.013L * SinD(2 * N + M - G - 2 * S) -
                0.013L * SinD(M - 2 * N - G + 2 * S) - 0.007L * SinD(2 * M + P - 3 * S) +
                0.005L * SinD(3 * M - G - 2 * N) - 0.005L * SinD(3 * M - G - 2 * S);
        node = Mod360(node);
        if (settings_.useNodeTable && NodeCorrectionApplies(jd_))
            node = Mod360(node + src_->PlanetCorrection(9, jd_) / 60.0L);
    }
    out_.longitudes[kNode] = node;
    out_.latitudes[kNode] = 0;
    Equatorial(kNode, node, 0);
}

void Computation::BlackMoon() {
    Real x = moonPerigee_ + 180.0L;
    x -= 360.0L * std::trunc(x / 360.0L);
    if (settings_.trueBlackMoon && settings_.useBlackMoonTable && BlackMoonCorrectionApplies(jd_))
        x = Mod360(x + src_->BlackMoonCorrection(jd_) / 3600.0L);
    out_.longitudes[kBlackMoon] = x;
    out_.latitudes[kBlackMoon] = 0;
    Equatorial(kBlackMoon, x, 0);
}

// ---- asteroids and Chiron ----
void Computation::Asteroid(int body) {
    const Real T = T_, T2 = T2_;
    Elements el{};
    switch (body) {
        case kCeres:
            el = {108.2925L + 7820.36556L * T, 0.0794314L, 2.7672273L, 71.0794444L,
                  80.23555556L + 1.3960111L * T, 10.59694444L};
            break;
        case kPallas:
            el = {106.6641667L + 7806.531667L * T, 0.2347096L, 2.7704955L, 310.166111L,
                  172.497222L + 1.39601111L * T, 34.81416667L};
            break;
        case kJuno:
            el = {267.685L + 8256.081111L * T, 0.2562318L, 2.6689897L, 245.3752778L,
                  170.137777L + 1.396011111L * T + 0.0003083333L * T2, 13.01694444L};
            break;
        case kVesta:
            el = {138.7733333L + 9924.931111L * T, 0.0902807L, 2.360723L, 149.6386111L,
                  103.2197222L + 1.396011111L * T + 0.000308333L * T2, 7.139444444L};
            break;
        case kChiron:
        default:
            el = {34.6127752L + 713.5756219L * T, 0.382270369L - 0.004694073L * T, 13.66975144L,
                  337.407213L + 2.163306646L * T, 208.1482658L + 1.247724355L * T,
                  6.911179715L + 0.011236955L * T};
            break;
    }
    el.M = Mod360(el.M);
    Vec3 pos, vel;
    SolveOrbit(el, pos, vel);
    ReduceToGeocentric(body, pos, vel);
}

void Computation::AscendantEntry() {
    out_.longitudes[kAscendantBody] = settings_.ascendant;
    out_.latitudes[kAscendantBody] = 0;
    Equatorial(kAscendantBody, settings_.ascendant, 0);
}

void Computation::DescendantEntry() {
    // The longitude of entry 14 is left as it was; its equatorial coordinates
    // are those of the seventh cusp.
    out_.latitudes[kDescendantBody] = 0;
    Equatorial(kDescendantBody, settings_.descendant, 0);
}

void Computation::Run() {
    if (mode_ < 0) return;
    MeanElements();
    Sun();
    switch (mode_) {
        case 0:
            Moon();
            for (int b = kMercury; b <= kPluto; ++b) Planet(b);
            Node();
            BlackMoon();
            AscendantEntry();
            DescendantEntry();
            for (int b = kCeres; b <= kChiron; ++b) Asteroid(b);
            break;
        case 1:
            break;
        case 2:
            Moon();
            break;
        case 11:
            Node();
            break;
        case 12:
            BlackMoon();
            break;
        case 20:
        case 21:
            Sun();
            Moon();
            for (int b = kMercury; b <= kPluto; ++b) Planet(b);
            break;
        default:
            if (mode_ >= kMercury && mode_ <= kPluto) Planet(mode_);
            else if (mode_ >= kCeres && mode_ <= kChiron) Asteroid(mode_);
            break;
    }
}

}  // namespace

Real SolveKepler(Real meanAnomaly, Real eccentricity) {
    const Real M = meanAnomaly, e = eccentricity;
    Real E = M + e * SinR(M);
    for (int i = 0; i < 60; ++i) {
        const SinCos sc = SinCosR(E);
        const Real dE = (M - (E - e * sc.sin)) / (1 - e * sc.cos);
        E += dE;
        if (std::fabs(dE) < 1e-18L) break;
    }
    return E;
}

TablesNeeded TablesNeededFor(int mode, Real jd, const BodySettings& s) {
    TablesNeeded t;
    if (mode < 0) return t;
    const bool moon = mode == 0 || mode == 2 || mode == 20 || mode == 21 ||
                      (mode == kNode && s.trueNode);
    const bool planets = mode == 0 || (mode >= kMercury && mode <= kPluto) || mode == 20 ||
                         mode == 21;
    const bool node = (mode == 0 || mode == kNode) && s.trueNode;
    const bool blackMoon = (mode == 0 || mode == kBlackMoon) && s.trueBlackMoon;
    t.moon = moon && s.useMoonTable && MoonCorrectionApplies(jd);
    t.planets = (planets && s.usePlanetTable && PlanetCorrectionApplies(jd)) ||
                (node && s.useNodeTable && NodeCorrectionApplies(jd));
    t.blackMoon = blackMoon && s.useBlackMoonTable && BlackMoonCorrectionApplies(jd);
    const bool minorBodies = mode == 0 || (mode >= kCeres && mode <= kChiron);
    t.minor = s.useMinorTable && ((minorBodies && MinorCorrectionApplies(jd)) ||
                                  (moon && MoonCorrectionApplies(jd)));
    return t;
}

void RunBodyComputation(int mode, bool fast, Real jd, const BodySettings& settings,
                        CorrectionSource* corrections, BodyPositions& out) {
    Computation(mode, fast, jd, settings, corrections, out).Run();
}

}  // namespace engine
