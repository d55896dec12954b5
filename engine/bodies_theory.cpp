#include "engine/bodies_theory.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>

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

// The computation works in double precision: one part in 10^16 of a circle is
// far below what any position is shown to, and the extended-precision library
// functions cost many times more. Only the time argument and the mean
// longitudes and anomalies that grow by thousands of degrees a century are
// worked in extended reals, and brought within a circle before they are taken
// to double (an angle of 10^5 degrees held in double would lose 10^-11 degrees).
constexpr double kPiD = static_cast<double>(kPi);
constexpr double kRadiansPerDegree = kPiD / 180.0;        // degrees to radians
constexpr double kDeg = 180.0 / kPiD;        // radians to degrees
constexpr double kTwoPi = 2.0 * kPiD;
constexpr double kGauss = 0.01720209;        // Gauss's constant
constexpr double kLightDaysPerAu = 0.0057683;
constexpr double kZeroAbscissa = 1.75453E-7;  // stands in for an abscissa of exactly 0

// Sine and cosine of an angle in degrees, with the argument first brought
// within 45 degrees of a quadrant's start: in degrees the reduction is exact
// (x - 90 q is exact for the nearest whole q), so no remainder of 360 is
// taken first.
struct SinCos {
    double sin, cos;
};

inline SinCos Quadrant(unsigned q, double s, double c) {
    switch (q & 3) {
        case 0: return {s, c};
        case 1: return {c, -s};
        case 2: return {-s, -c};
        default: return {-c, s};
    }
}

// The nearest whole number to x (|x| < 2^51) and its remainder modulo 4,
// without a library call: adding 1.5 * 2^52 leaves the whole number in the
// low bits of the significand.
struct Whole {
    double value;
    unsigned quadrant;  // value modulo 4
};

inline Whole NearestWhole(double x) {
    static_assert(std::numeric_limits<double>::digits == 53, "IEEE double");
    constexpr double kShift = 0x1.8p52;
    const double t = x + kShift;
    std::uint64_t bits;
    std::memcpy(&bits, &t, sizeof bits);
    return {t - kShift, static_cast<unsigned>(bits & 3)};
}

inline SinCos SinCosD(double degrees) {
    if (degrees == 0) return {0, 1};
    const Whole q = NearestWhole(degrees / 90);
    const double r = (degrees - 90 * q.value) * kRadiansPerDegree;
    return Quadrant(q.quadrant, std::sin(r), std::cos(r));
}

inline SinCos SinCosR(double radians) { return {std::sin(radians), std::cos(radians)}; }

// One of the two alone costs one library call.
inline double SinD(double degrees) {
    const Whole q = NearestWhole(degrees / 90);
    const double r = (degrees - 90 * q.value) * kRadiansPerDegree;
    switch (q.quadrant & 3) {
        case 0: return std::sin(r);
        case 1: return std::cos(r);
        case 2: return -std::sin(r);
        default: return -std::cos(r);
    }
}

// The angle-addition rules: the sine and cosine of a sum of angles, of a
// negated angle, of a doubled angle.
inline SinCos operator*(const SinCos& a, const SinCos& b) {
    return {a.sin * b.cos + a.cos * b.sin, a.cos * b.cos - a.sin * b.sin};
}
inline double SinOfSum(const SinCos& a, const SinCos& b) { return a.sin * b.cos + a.cos * b.sin; }
inline double CosOfSum(const SinCos& a, const SinCos& b) { return a.cos * b.cos - a.sin * b.sin; }
inline SinCos Negated(const SinCos& a) { return {-a.sin, a.cos}; }
inline SinCos Doubled(const SinCos& a) { return {2 * a.sin * a.cos, (a.cos - a.sin) * (a.cos + a.sin)}; }

// Sine and cosine of a small angle (radians, |x| <= 0.05) by their series,
// accurate to the last bit of a double there.
inline SinCos SmallSinCos(double x) {
    const double x2 = x * x;
    const double s = x * (1 - x2 * (1.0 / 6) * (1 - x2 * (1.0 / 20) * (1 - x2 * (1.0 / 42) * (1 - x2 * (1.0 / 72)))));
    const double c =
        1 - x2 * 0.5 * (1 - x2 * (1.0 / 12) * (1 - x2 * (1.0 / 30) * (1 - x2 * (1.0 / 56) * (1 - x2 * (1.0 / 90)))));
    return {s, c};
}

// The multiples -N..N of one angle, built from its sine and cosine by angle
// addition instead of one library call each.
template <int N>
class Multiples {
public:
    explicit Multiples(const SinCos& x) {
        m_[N] = {0, 1};
        m_[N + 1] = x;
        for (int k = 2; k <= N; ++k) m_[N + k] = m_[N + k - 1] * x;
        for (int k = 1; k <= N; ++k) m_[N - k] = Negated(m_[N + k]);
    }
    const SinCos& operator[](int k) const { return m_[N + k]; }

private:
    SinCos m_[2 * N + 1];
};

// The same remainder as Mod360 (angles.h), inline: [0, 360), in both widths.
template <typename F>
inline F Wrap360(F x) {
    F r = x - 360 * std::trunc(x / 360);
    if (r < 0) r += 360;
    if (r >= 360) r -= 360;
    return r;
}

// An angle of an extended-real polynomial, within a circle, as a double.
inline double Circle(Real degrees) { return static_cast<double>(Wrap360(degrees)); }

// Kepler's equation E - e sin E = M (radians) by Newton's method, with the
// sine and cosine of E. After the first step each correction is small, and
// they are turned by it with the series of the small angle instead of a new
// library call; once a step is below 1e-9 the next would be below 1e-17, and
// E's own sine and cosine are taken.
struct KeplerSolution {
    double eccentricAnomaly;
    SinCos sc;  // of it
};

KeplerSolution SolveKeplerSinCos(double M, double e) {
    double E = M + e * std::sin(M);
    SinCos sc = SinCosR(E);
    for (int i = 0; i < 60; ++i) {
        const double dE = (M - (E - e * sc.sin)) / (1 - e * sc.cos);
        E += dE;
        if (std::fabs(dE) < 1e-9) break;
        sc = std::fabs(dE) <= 0.05 ? sc * SmallSinCos(dE) : SinCosR(E);
    }
    return {E, SinCosR(E)};
}

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

// Polar angle of (x, y) in [0, 2 pi).
double PolarAngle(double x, double y) {
    if (x == 0) x = kZeroAbscissa;
    double theta = std::atan2(y, x);
    if (theta < 0) theta += kTwoPi;
    return theta;
}

// Latitude of a vector, within +-pi/2.
double LatitudeRad(const Vec3& v) { return std::atan2(v.z, std::sqrt(v.x * v.x + v.y * v.y)); }

// Rotations by an angle given by its sine and cosine.
Vec3 RotateZ(const Vec3& v, const SinCos& a) {
    const double c = a.cos, s = a.sin;
    return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

Vec3 RotateX(const Vec3& v, const SinCos& a) {
    const double c = a.cos, s = a.sin;
    return {v.x, v.y * c - v.z * s, v.y * s + v.z * c};
}

// amplitude * cos(rate * T + phase), rate in degrees a century, phase in degrees.
struct PeriodicTerm {
    double rate, phase, amplitude;
};

// The terms are a few thousandths of an astronomical unit at most: their
// arguments in double (within 10^-11 degrees) move a position by less than
// 10^-13 arc second.
template <std::size_t N>
double SumTerms(const PeriodicTerm (&terms)[N], double t) {
    double s = 0;
    for (const auto& term : terms) {
        const double x = term.rate * t + term.phase;
        const Whole q = NearestWhole(x / 90);
        const double r = (x - 90 * q.value) * kRadiansPerDegree;
        s += term.amplitude * Quadrant(q.quadrant + 1, std::sin(r), std::cos(r)).sin;  // cos x = sin(x + 90)
    }
    return s;
}

// A series of terms amplitude * cos(k X + j M + phase) in two angles given by
// their multiples; the sines and cosines of the phases are worked once.
class SolarTerms {
public:
    struct Term {
        double amplitude;
        int k, j;
        double phase;  // degrees
    };
    SolarTerms(std::initializer_list<Term> terms) {
        for (const Term& t : terms) {
            terms_[count_] = t;
            phases_[count_] = SinCosD(t.phase);
            ++count_;
        }
    }
    double Sum(const Multiples<5>& X, const Multiples<3>& M) const {
        double sum = 0;
        for (int i = 0; i < count_; ++i)
            sum += terms_[i].amplitude * CosOfSum(X[terms_[i].k] * M[terms_[i].j], phases_[i]);
        return sum;
    }

private:
    Term terms_[10]{};
    SinCos phases_[10]{};
    int count_ = 0;
};

// Orbital elements at one instant: angles in degrees, a in astronomical units.
// Worked in extended reals (the mean anomaly grows fast), taken to double
// with the mean anomaly within a circle.
struct ElementsL {
    Real meanAnomaly, e, a, omega, node, incl;
};
struct Elements {
    double meanAnomaly, e, a, omega, node, incl;
};

Elements InDouble(const ElementsL& el) {
    return {Circle(el.meanAnomaly),
            static_cast<double>(el.e),
            static_cast<double>(el.a),
            static_cast<double>(el.omega),
            static_cast<double>(el.node),
            static_cast<double>(el.incl)};
}

// ---- the working state of one computation ----
class Computation {
public:
    Computation(int mode, bool fast, bool longitudesOnly, Real jd, const BodySettings& settings,
                CorrectionSource* corrections, BodyPositions& out)
        : jd_(jd),
          mode_(mode),
          fast_(fast),
          longitudesOnly_(longitudesOnly),
          settings_(settings),
          src_(corrections),
          out_(out) {}

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

    ElementsL PlanetElements(int body, bool setA) const;
    void AddPeriodicCorrections(int body, double weight, Vec3& helio) const;
    // Position and velocity in the orbital plane, then turned to the ecliptic.
    void SolveOrbit(const Elements& el, Vec3& pos, Vec3& vel) const;
    void ReduceToGeocentric(int body, const Vec3& pos, const Vec3& vel);
    void Equatorial(int body, Real lon, Real lat);

    // Arguments and settings (jd_ is UT).
    Real jd_;
    int mode_;
    bool fast_;
    bool longitudesOnly_;  // the ecliptic longitudes alone
    const BodySettings& settings_;
    CorrectionSource* src_;
    BodyPositions& out_;

    // Time argument (days and centuries of dynamical time from 1900 January
    // 0.5; T also in double for the slow terms) and mean elements, degrees.
    Real days_ = 0, centuries_ = 0, centuriesSquared_ = 0;
    double t_ = 0, t2_ = 0;
    Real nodeMean_ = 0;        // mean longitude of the Moon's ascending node
    SinCos node_{0, 1};        // its sine and cosine
    double sunMeanLon_ = 0;    // L
    double moonElong_ = 0;     // D
    Real moonPerigee_ = 0;     // longitude of the Moon's mean perigee
    double sunAnomaly_ = 0;    // M of the Sun
    double moonMeanLon_ = 0;
    double moonAnomaly_ = 0;   // M' of the Moon
    double dpsi_ = 0;          // nutation in longitude
    double cosEps_ = 1, sinEps_ = 0;

    // The Earth's heliocentric position and velocity, left by the Sun step.
    Vec3 earth_, earthVel_;
};

// Longitude of the Moon's mean perigee; the T-squared term is negative, as the
// Moon's mean longitude minus its mean anomaly requires.
Real Computation::MeanPerigee() const {
    return Wrap360(334.32956L + 0.11140408L * days_ - (0.010325L + 0.000012L * centuries_) * centuriesSquared_);
}

void Computation::MeanElements() {
    // The theories run in dynamical time; the argument is UT (the correction
    // tables are still looked up by the UT day).
    days_ = DynamicalJulianDay(jd_) - 2415020.0L;
    centuries_ = days_ / 36525.0L;
    centuriesSquared_ = centuries_ * centuries_;
    t_ = static_cast<double>(centuries_);
    t2_ = static_cast<double>(centuriesSquared_);
    const Real T = centuries_, T2 = centuriesSquared_;
    nodeMean_ = Wrap360(259.1833L - 0.05295392L * days_ + 0.002078L * T2 + 0.0000022L * T2 * T);
    sunMeanLon_ = Circle(279.69668L + 36000.7689L * T + 0.0003025L * T2);
    moonElong_ = Circle(350.737486L + 445267.114L * T - 0.001436L * T2);
    moonPerigee_ = MeanPerigee();
    sunAnomaly_ = Circle(358.47584L + 35999.04975L * T - 0.00015L * T2);
    moonMeanLon_ = Circle(270.434164L + 13.1763965L * days_ + (0.0000019L * T - 0.001133L) * T2);
    moonAnomaly_ = Circle(296.1046083L + 477198.849L * T + 0.009191671L * T2);
    node_ = SinCosD(static_cast<double>(nodeMean_));
    dpsi_ = (-(17.2327 + 0.01737 * t_) * node_.sin - 1.273 * SinD(2 * sunMeanLon_)) / 3600.0;
    const SinCos eps = SinCosD(23.4522944 - 0.0130125 * t_);
    cosEps_ = eps.cos;
    sinEps_ = eps.sin;
}

void Computation::SolveOrbit(const Elements& el, Vec3& pos, Vec3& vel) const {
    const double M = el.meanAnomaly * kRadiansPerDegree;
    const double e = el.e, a = el.a;
    const SinCos sc = SolveKeplerSinCos(M, e).sc;
    const double cosE = sc.cos, sinE = sc.sin;
    const double root = std::sqrt(1 - e * e);
    pos = {a * (cosE - e), a * root * sinE, 0};
    const double q = kGauss / ((1 - e * cosE) * (a * std::sqrt(a)));
    vel = {-a * q * sinE, a * q * root * cosE, 0};
    const SinCos w = SinCosD(el.omega), i = SinCosD(el.incl), n = SinCosD(el.node);
    pos = RotateZ(RotateX(RotateZ(pos, w), i), n);
    vel = RotateZ(RotateX(RotateZ(vel, w), i), n);
}

void Computation::Equatorial(int body, Real lon, Real lat) {
    if (longitudesOnly_) return;
    const SinCos l = SinCosD(static_cast<double>(lon)), b = SinCosD(static_cast<double>(lat));
    const double sl = l.sin, cl = l.cos, sb = b.sin, cb = b.cos;
    const double y = sl * cosEps_ - (sb / cb) * sinEps_;
    out_.rightAscensions[body] = Wrap360(std::atan2(y, cl) * kDeg);
    double s = sb * cosEps_ + cb * sinEps_ * sl;
    if (s > 1) s = 1;
    if (s < -1) s = -1;
    out_.declinations[body] = std::asin(s) * kDeg;
}

// ---- Sun ----
void Computation::Sun() {
    const Real T = centuries_, T2 = centuriesSquared_;
    const double t = t_, t2 = t2_;
    // The Earth's orbit turned by the longitude of its perihelion: the Earth's
    // heliocentric vector (the Sun's geocentric vector is its opposite).
    const double earthM = Circle(358.4758445L + 35999.04975L * T - 0.000150278L * T2);
    const double e = 0.01675104 - 0.0000418 * t - 0.000000126 * t2;
    const double perigee = 101.2208333 + 1.719175 * t + 0.000452778 * t2;
    Vec3 pos, vel;
    SolveOrbit({earthM, e, 1.00000023, perigee, 0, 0}, pos, vel);
    earth_ = pos;
    earthVel_ = vel;

    // The series of the Sun's apparent longitude.
    const double Msun = sunAnomaly_ * kRadiansPerDegree;
    const SinCos kep = SolveKeplerSinCos(Msun, e).sc;
    // The true anomaly (half-angle tangent formula, as one two-argument arc tangent).
    const double v = std::atan2(std::sqrt(1 - e * e) * kep.sin, kep.cos - e) * kDeg;
    double lon = Wrap360(v - sunAnomaly_ + sunMeanLon_);

    const double longPeriod = (6.4 * SinD(231.19 + 20.2 * t) + (1.882 - 0.016 * t) * SinD(57.24 + 150.27 * t) +
                               0.266 * SinD(31.8 + 119.0 * t) + 0.202 * SinD(315.6 + 893.3 * t)) /
                              3600.0;
    lon += longPeriod;
    const double M = sunAnomaly_ + longPeriod;

    // The planets' perturbations, amplitude * cos(k X + j M + phase), X the
    // planet's mean longitude; the multiples by angle addition.
    static const SolarTerms venusTerms({{4.838, 1, 0, 90},
                                        {5.526, 2, 0, 90.12},
                                        {2.497, 2, -1, 257.75},
                                        {1.559, 3, -1, 77.96},
                                        {1.024, 3, -2, 50.85},
                                        {0.666, 3, 0, 270.41},
                                        {0.21, 4, 0, 89.8},
                                        {0.154, 5, -3, 34.1},
                                        {0.152, 4, -2, 227.4},
                                        {0.144, 4, -1, 79.0}});
    static const SolarTerms marsTerms({{2.043, 2, 0, 89.76},
                                       {1.77, 2, -1, 306.27},
                                       {0.585, 4, -2, 185.82},
                                       {0.5, 4, -1, 317.7},
                                       {0.425, 3, -1, 317.7},
                                       {0.204, 5, -2, 185.5}});
    static const SolarTerms jupiterTerms({{7.208, 1, 0, 91.08999},
                                          {2.731, 2, 0, 270.25},
                                          {2.6, 1, -1, 174.77},
                                          {1.61, 2, -1, 292.6},
                                          {0.556, 3, -1, 177.31}});
    static const SolarTerms saturnTerms({{0.419, 1, 0, 90.33999}, {0.32, 1, -1, 259.22}});
    const Multiples<3> Mm(SinCosD(M));
    const double venus = venusTerms.Sum(Multiples<5>(SinCosD(Circle(63.07037L + 22518.442986L * T))), Mm);
    const double mars = marsTerms.Sum(Multiples<5>(SinCosD(Circle(165.94905L + 16859.069667L * T))), Mm);
    const double jupiter = jupiterTerms.Sum(Multiples<5>(SinCosD(Circle(221.64742L + 32964.466939L * T))), Mm);
    const double saturn = saturnTerms.Sum(Multiples<5>(SinCosD(Circle(193.1323L + 34777.259042L * T))), Mm);
    const double moon = 6.454 * SinD(moonElong_) + 0.424 * SinD(moonElong_ - moonAnomaly_);
    lon += (venus + mars + jupiter + saturn + moon) / 3600.0;
    lon += dpsi_;
    lon -= (20.47 + 0.342 * Mm[1].cos) / 3600.0;
    // The series count from the equinox of the old fundamental catalogue,
    // which drifts from the dynamical equinox by 0.525" + 1.275" a century from
    // 1950 (24" in the first century). The tables take it up for the other
    // bodies; the Sun has none, so it is added here.
    lon += (0.525 + 1.275 * (t - 0.5)) / 3600.0;
    lon = Wrap360(lon);

    out_.longitudes[kSun] = lon;
    if (longitudesOnly_) return;
    out_.latitudes[kSun] = 0;
    Equatorial(kSun, lon, 0);

    // Equation of time, hours; y = tan^2 (eps / 2).
    const double y = (1 - cosEps_) / (1 + cosEps_);
    const SinCos l = SinCosD(lon), l2 = Doubled(l), l4 = Doubled(l2);
    const SinCos m = SinCosD(earthM), m2 = Doubled(m);
    const double eot = y * l2.sin - 2 * e * m.sin + 4 * e * y * m.sin * l2.cos - 0.5 * y * y * l4.sin -
                       1.25 * e * e * m2.sin;
    out_.equationOfTime = eot * kDeg / 15.0;
}

// ---- Moon ----
// The Moon's series: amplitude * sin(d D + m M + p M' + f F (+ 2 degrees)), arc
// seconds. Two terms carry a fixed 2 degrees in their argument.
struct LunarTerm {
    double amplitude;
    signed char d, m, p, f, twoDegrees;
};

constexpr LunarTerm kLunarLongitude[] = {
        {22639.55L, 0, 0, 1, 0, 0},
        {-4586.47L, -2, 0, 1, 0, 0},
        {2369.912L, 2, 0, 0, 0, 0},
        {769.02L, 0, 0, 2, 0, 0},
        {-668.15L, 0, 1, 0, 0, 0},
        {-411.61L, 0, 0, 0, 2, 0},
        {-211.66L, -2, 0, 2, 0, 0},
        {-205.96L, -2, 1, 1, 0, 0},
        {191.95L, 2, 0, 1, 0, 0},
        {-165.15L, -2, 1, 0, 0, 0},
        {147.69L, 0, -1, 1, 0, 0},
        {-125.15L, 1, 0, 0, 0, 0},
        {-109.67L, 0, 1, 1, 0, 0},
        {-55.17L, -2, 0, 0, 2, 0},
        {-45.099L, 0, 0, 1, 2, 0},
        {39.53L, 0, 0, 1, -2, 0},
        {-38.43L, -4, 0, 1, 0, 0},
        {36.12L, 0, 0, 3, 0, 0},
        {-30.77L, -4, 0, 2, 0, 0},
        {28.48L, -2, -1, 1, 0, 0},
        {-24.42L, 2, 1, 0, 0, 0},
        {18.61L, -1, 0, 1, 0, 0},
        {18.02L, 1, 1, 0, 0, 0},
        {14.58L, 2, -1, 1, 0, 0},
        {14.39L, 2, 0, 2, 0, 0},
        {13.9L, 4, 0, 0, 0, 0},
        {-13.19L, -2, 0, 3, 0, 0},
        {9.7L, 0, -1, 2, 0, 0},
        {9.37L, -2, 0, 1, -2, 0},
        {-8.63L, -2, 1, 2, 0, 0},
        {-8.47L, 1, 0, 1, 0, 0},
        {1.0L, -2, 2, 0, 0, 0},
        {-7.65L, 0, 1, 2, 0, 0},
        {-7.49L, 0, 1, 0, 0, 1},
        {-7.41L, -2, 2, 1, 0, 0},
        {-6.38L, 2, 0, 1, -2, 0},
        {-5.74L, 2, 0, 0, 2, 0},
        {-4.39L, -4, 1, 1, 0, 0},
        {-3.99L, 0, 0, 2, 2, 0},
        {3.22L, -3, 0, 1, 0, 0},
        {-2.92L, 2, 1, 1, 0, 0},
        {-2.74L, -4, 1, 1, 0, 1},
        {-2.49L, -2, -1, 2, 0, 0},
        {2.58L, 0, -2, 1, 0, 0},
        {2.53L, -2, -2, 1, 0, 0},
        {-2.15L, -2, 1, 0, 2, 0},
        {1.98L, 4, 0, 1, 0, 0},
        {1.94L, 0, 0, 4, 0, 0},
        {-1.88L, -4, 1, 0, 0, 0},
        {1.75L, -1, 0, 2, 0, 0},
        {-1.44L, 2, 1, 0, -2, 0},
        {-1.298L, 0, 0, 2, -2, 0},
        {1.27L, 1, 1, 1, 0, 0},
        {1.23L, -3, 0, 2, 0, 0},
        {-1.19L, -4, 0, 3, 0, 0},
        {1.18L, 2, -1, 2, 0, 0},
        {-1.17L, 0, 2, 1, 0, 0},
        {-1.09L, -1, -1, 1, 0, 0},
        {1.06L, 2, 0, 3, 0, 0},
        {-0.59L, 1, 0, 2, 0, 0},
        {-0.99L, 2, 0, 1, 2, 0},
        {-0.95L, -2, 0, 4, 0, 0},
        {-0.59L, -6, 0, 2, 0, 0},
        {0.64L, -4, 0, 1, 0, 0},
        {0.56L, -1, 1, 0, 0, 0},
        {0.76L, 2, -2, 1, 0, 0},
        {0.58L, -1, 0, 0, 2, 0},
        {-0.55L, 0, 1, 3, 0, 0},
        {0.68L, 0, -1, 3, 0, 0},
        {0.557L, -2, 0, 2, 2, 0},
        {0.538L, -2, 0, 2, -2, 0},
};
static_assert(sizeof(kLunarLongitude) / sizeof(kLunarLongitude[0]) == 71);

// The latitude's argument F' = F + this series / 3600 (the term in three times
// the longitude is added apart).
constexpr LunarTerm kLunarLatitudeArgument[] = {
    {22609.0L, 0, 0, 1, 0, 0},   {4578.1L, 2, 0, -1, 0, 0},  {2373.4L, 2, 0, 0, 0, 0},
    {768.0L, 0, 0, 2, 0, 0},     {192.7L, 2, 0, 1, 0, 0},    {-182.4L, -2, 1, 1, 0, 0},
    {-165.1L, -2, 1, 0, 0, 0},   {-152.5L, -2, 0, 2, 0, 0},  {138.8L, 0, -1, 1, 0, 0},
    {-127.0L, 0, 1, 0, 0, 0},    {-115.2L, 0, 1, 1, 0, 0},   {-112.8L, 1, 0, 0, 0, 0},
    {-85.1L, 0, 0, -1, 2, 0},    {-52.1L, -2, 0, 0, 2, 0},   {-38.6L, -4, 0, 1, 0, 0},
    {-34.1L, -4, 0, 2, 0, 0},
};

void Computation::Moon() {
    const double t = t_, t2 = t2_;
    const double perigee = static_cast<double>(moonPerigee_), nodeMean = static_cast<double>(nodeMean_);
    double Lp = moonMeanLon_;
    double Mp = moonMeanLon_ - perigee;
    double F = moonMeanLon_ - nodeMean;
    double D = moonElong_;
    double M = sunAnomaly_;

    const double a = SinD(51.2 + 20.2 * t);
    const double b = SinD(193.4404 - 132.87 * t - 0.0091731 * t2);
    const double c = node_.sin;
    const SinCos gc = SinCosD(nodeMean + 275.05 - 2.3 * t);
    const double g = gc.sin;
    Lp += (0.84 * a + 14.27 * b + 7.261 * c) / 3600.0;
    Mp += (2.94 * a + 14.27 * b + 9.337 * c) / 3600.0;
    D += (7.24 * a + 7.261 * c) / 3600.0;
    M += -6.4 * a / 3600.0;
    F += (0.21 * a + 14.27 * b - 88.699 * c - 15.58 * g) / 3600.0;

    // The multiples of the four arguments by angle addition.
    const Multiples<6> Dm(SinCosD(D));
    const Multiples<2> Mm(SinCosD(M));
    const Multiples<4> Pm(SinCosD(Mp));
    const Multiples<2> Fm(SinCosD(F));
    static const SinCos twoDegrees = SinCosD(2);
    auto series = [&](const auto& terms) {
        double sum = 0;
        for (const LunarTerm& term : terms) {
            SinCos x = Pm[term.p];
            if (term.d) x = x * Dm[term.d];
            if (term.m) x = x * Mm[term.m];
            if (term.twoDegrees) x = x * twoDegrees;
            sum += term.amplitude * SinOfSum(x, Fm[term.f]);
        }
        return sum;
    };
    const double sum = series(kLunarLongitude);

    const double lambda = Wrap360(Lp + sum / 3600.0 + dpsi_);
    Real lon = lambda;
    if (settings_.useMoonTable && MoonCorrectionApplies(jd_))
        lon = Wrap360(lon + src_->MoonCorrection(jd_) / 3600.0L);
    out_.longitudes[kMoon] = lon;
    if (longitudesOnly_) return;

    const double Fp = F + (series(kLunarLatitudeArgument) + 50.64 * SinD(3 * lambda)) / 3600.0;
    const double w = 1 - 0.00004664 * node_.cos - 0.0000754 * gc.cos;
    const SinCos fp = SinCosD(Fp);
    const double sin3Fp = fp.sin * (3 - 4 * fp.sin * fp.sin);
    const double beta = (18519.7 * w * fp.sin - 6.2 * sin3Fp - 526.1 * SinOfSum(Fm[1], Dm[-2])) / 3600.0;

    Real lat = beta;
    if (settings_.useMinorTable && MoonCorrectionApplies(jd_))
        lat += src_->MoonLatitudeCorrection(jd_) / 3600.0L;

    out_.latitudes[kMoon] = lat;
    Equatorial(kMoon, lon, lat);
}

// ---- planets ----
ElementsL Computation::PlanetElements(int body, bool setA) const {
    const Real T = centuries_, T2 = centuriesSquared_;
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

void Computation::AddPeriodicCorrections(int body, double weight, Vec3& helio) const {
    const double T = t_, T2 = t2_;
    if (weight == 0) return;
    const Vec3 before = helio;
    switch (body) {
        case kJupiter: {
            static const PeriodicTerm y[] = {
                {581.7, -9.7, 0.0051},      {2510.7, -12.5, -0.0005},
                {1313.7, -61.4, -0.0026},   {2370.79, -24.6, 0.0013},
                {3599.3, 37.7, -0.0013},    {2574.7, 31.4, -0.001},
                {6708.2, -114.5, -0.00096}, {5499.4, -74.97, -0.0006},
                {1419.0, 54.2, -0.0013},    {6339.3, -109.0, 0.0006},
                {4824.5, -50.9, 0.0007}};
            static const PeriodicTerm x[] = {
                {676.2, 0.9, -0.0023},     {2361.4, 174.9, 0.00045},
                {1427.5, -188.8, 0.0015},  {2110.1, 153.6, 0.0006},
                {3606.8, -57.7, 0.0014},   {2540.2, 121.7, -0.0017},
                {6704.8, -22.3, -0.00099}, {5480.2, 24.5, -0.0006},
                {1651.3, -118.3, 0.00096}, {6310.8, -4.8, 0.0006},
                {4826.6, 36.2, 0.0007}};
            helio.y += -0.001 - 0.0005 * T + 0.0045 * T2 + SumTerms(y, T);
            helio.x += 0.002 - 0.0134 * T + 0.0127 * T2 + SumTerms(x, T);
            break;
        }
        case kSaturn: {
            static const PeriodicTerm y[] = {{1238.9, -16.4, 0.0134},
                                             {3040.9, -25.2, -0.00426},
                                             {1835.3, 36.1, 0.0064},
                                             {610.8, -44.2, -0.0153},
                                             {2480.5, -69.4, -0.0015}};
            static const PeriodicTerm x[] = {{1242.2, 78.3, 0.0111},
                                             {3034.96, 62.8, -0.0045},
                                             {1829.2, -51.5, -0.0066},
                                             {640.6, 24.2, -0.0078},
                                             {2363.4, -141.4, -0.0016}};
            static const PeriodicTerm z[] = {{1251.1, 43.7, -0.0005},
                                             {622.8, 13.7, 0.0005},
                                             {1824.7, -71.1, 0.0003},
                                             {2997.1, 78.2, 0.0001}};
            helio.y += -0.0009 + 0.0037 * T + SumTerms(y, T);
            helio.x += -0.0014 + 0.0026 * T + SumTerms(x, T);
            helio.z += 0.0006 - 0.0002 * T + kDeg * SinD(SumTerms(z, T));
            break;
        }
        case kUranus: {
            static const PeriodicTerm y[] = {{422.3, -17.7, 0.0299},
                                             {3035.1, -31.3, -0.0049},
                                             {945.3, 60.1, -0.0038},
                                             {1227.0, -4.99, -0.0023}};
            static const PeriodicTerm x[] = {{404.3, 81.9, 0.0317},
                                             {3037.9, 57.3, -0.00495},
                                             {993.5, -54.4, 0.004},
                                             {1249.4, 79.2, -0.0018}};
            static const PeriodicTerm z[] = {{352.5, -54.99, 0.0005},
                                             {3027.5, 54.2, 0.0001},
                                             {1150.3, -88.0, -0.0001}};
            helio.y += -0.0021 - 0.0159 * T + SumTerms(y, T);
            helio.x += 0.0134 - 0.02186 * T + SumTerms(x, T);
            helio.z += -0.0003 + 0.0005 * T + SumTerms(z, T);
            break;
        }
        case kNeptune: {
            static const PeriodicTerm y[] = {{175.7, 31.8, -0.1923},
                                             {542.1, 189.6, 0.0122},
                                             {1219.4, 178.1, 0.0027},
                                             {3035.6, -31.3, -0.00496}};
            static const PeriodicTerm x[] = {{3035.3, 58.7, -0.00496},
                                             {177.1, -68.8, 0.0961},
                                             {630.9, 51.0, -0.0073},
                                             {1236.6, 78.0, -0.0025}};
            static const PeriodicTerm z[] = {{3049.3, 44.2, 0.0001},
                                             {893.9, 48.5, -0.0002},
                                             {1416.5, -25.2, 0.00007}};
            helio.y += 0.1832 - 0.6718 * T + 0.2726 * T2 + SumTerms(y, T);
            helio.x += -0.1122 + 0.166 * T - 0.0544 * T2 + SumTerms(x, T);
            helio.z += 0.00196 - 0.0119 * T + 0.0111 * T2 + SumTerms(z, T);
            break;
        }
        case kPluto: {
            static const PeriodicTerm y[] = {{372.0, -331.3, 0.0371},
                                             {3049.6, -39.2, -0.0049},
                                             {566.2, 318.3, -0.0108},
                                             {1746.5, -238.3, 0.0003}};
            static const PeriodicTerm x[] = {{273.97, 89.97, 0.049},
                                             {3030.6, 61.3, -0.0049},
                                             {1075.3, -28.1, 0.0027},
                                             {1402.3, 20.3, -0.0007}};
            static const PeriodicTerm z[] = {{302.6, -77.3, 0.0117},
                                             {528.1, 48.6, 0.00198},
                                             {1000.4, -46.1, -0.0002}};
            helio.y += -0.0426 + 0.073 * T - 0.029 * T2 + SumTerms(y, T);
            helio.x += -0.0603 + 0.5002 * T - 0.6126 * T2 + SumTerms(x, T);
            helio.z += 0.0145 - 0.0928 * T + 0.1195 * T2 + SumTerms(z, T);
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
double SmoothStep(Real T, Real at) {
    if (T <= at - kSwitchHalfWidth) return 0;
    if (T >= at + kSwitchHalfWidth) return 1;
    const double x = static_cast<double>((T - (at - kSwitchHalfWidth)) / (2 * kSwitchHalfWidth));
    return (1 - std::cos(kPiD * x)) / 2;
}

void Computation::Planet(int body) {
    const bool outer = body >= kJupiter;
    // Weight of set A (T >= -2) and of the periodic additions (0 <= T <= 2).
    const double setA = outer ? SmoothStep(centuries_, -2) : 1;
    const double additions = outer ? SmoothStep(centuries_, 0) * (1 - SmoothStep(centuries_, 2)) : 0;
    Vec3 pos, vel;
    for (const bool useA : {true, false}) {
        const double w = useA ? setA : 1 - setA;
        if (w == 0) continue;
        const Elements el = InDouble(PlanetElements(body, useA));
        Vec3 p, v;
        SolveOrbit(el, p, v);
        pos = {pos.x + w * p.x, pos.y + w * p.y, pos.z + w * p.z};
        vel = {vel.x + w * v.x, vel.y + w * v.y, vel.z + w * v.z};
    }
    AddPeriodicCorrections(body, additions, pos);
    ReduceToGeocentric(body, pos, vel);
}

void Computation::ReduceToGeocentric(int body, const Vec3& pos, const Vec3& vel) {
    if (!longitudesOnly_) {
        out_.helioLongitudes[body] = PolarAngle(pos.x, pos.y) * kDeg;
        out_.helioLatitudes[body] = LatitudeRad(pos) * kDeg;
    }

    const Vec3 g = pos - earth_;
    const Vec3 gv = vel - earthVel_;
    const double rho2 = g.x * g.x + g.y * g.y;
    const double rate = (g.x * gv.y - g.y * gv.x) / rho2;  // radians a day
    const double dist = std::sqrt(rho2 + g.z * g.z);
    const double lightTime = dist * kLightDaysPerAu * rate * kDeg;

    Real lon = Wrap360(PolarAngle(g.x, g.y) * kDeg + dpsi_ - lightTime);
    if (body >= kMercury && body <= kPluto && settings_.usePlanetTable &&
        PlanetCorrectionApplies(jd_))
        lon = Wrap360(lon + src_->PlanetCorrection(body - 2, jd_) / 60.0L);
    if (body >= kCeres && body <= kChiron && settings_.useMinorTable && MinorCorrectionApplies(jd_))
        lon = Wrap360(lon + src_->MinorBodyCorrection(body, jd_) / 3600.0L);
    out_.longitudes[body] = lon;
    if (longitudesOnly_) return;

    Real lat = LatitudeRad(g) * kDeg;
    if (body >= kMercury && body <= kPluto && settings_.usePlanetTable &&
        PlanetCorrectionApplies(jd_) && !fast_)
        lat += src_->PlanetCorrection(body + 7, jd_) / 60.0L;
    out_.latitudes[body] = lat;
    Equatorial(body, lon, lat);
}

// ---- lunar node, black moon ----
void Computation::Node() {
    const Real T = centuries_, T2 = centuriesSquared_;
    Real node = Wrap360(259.183275L - 1934.142L * T + 0.002078L * T2 + 0.0000022L * T2 * T);
    if (settings_.trueNode) {
        if (mode_ == kNode) {
            Sun();
            Moon();
        }
        // amplitude * sin(s S + n N + g G + p P + m M), degrees; the multiples
        // by angle addition.
        struct NodeTerm {
            double amplitude;
            signed char s, n, g, p, m;
        };
        static constexpr NodeTerm kTerms[] = {
            {1.517, 2, -2, 0, 0, 0},  {-0.163, 1, 0, 0, -1, 0}, {-0.128, -2, 0, 0, 0, 2},
            {0.12, 0, -2, 0, 0, 2},   {0.107, 0, -2, 2, 0, 0},  {0.063, 3, -2, 0, -1, 0},
            {0.04, -2, 0, 1, 0, 1},   {-0.04, 0, -2, 1, 0, 1},  {0.027, 0, 0, -1, 0, 1},
            {-0.027, 1, -2, 0, 1, 0}, {0.015, 2, 0, -2, 0, 0},  {-0.013, -2, 2, -1, 0, 1},
            {-0.013, 2, -2, -1, 0, 1}, {-0.007, -3, 0, 0, 1, 2}, {0.005, 0, -2, -1, 0, 3},
            {-0.005, -2, 0, -1, 0, 3},
        };
        static const SinCos perihelion = SinCosD(282.596403);  // P
        const Multiples<3> S(SinCosD(static_cast<double>(out_.longitudes[kSun])));
        const Multiples<3> M(SinCosD(static_cast<double>(out_.longitudes[kMoon])));
        const Multiples<2> N(SinCosD(static_cast<double>(node)));
        const Multiples<2> G(SinCosD(static_cast<double>(moonPerigee_)));
        const Multiples<1> P(perihelion);
        double sum = 0;
        for (const NodeTerm& t : kTerms)
            sum += t.amplitude * SinOfSum(S[t.s] * N[t.n] * G[t.g], P[t.p] * M[t.m]);
        node += sum;
        node = Wrap360(node);
        if (settings_.useNodeTable && NodeCorrectionApplies(jd_)) {
            node = Wrap360(node + src_->PlanetCorrection(9, jd_) / 60.0L);
            if (settings_.useLunarTable) node = Wrap360(node + src_->NodeFineCorrection(jd_) / 3600.0L);
        }
    }
    out_.longitudes[kNode] = node;
    out_.latitudes[kNode] = 0;
    Equatorial(kNode, node, 0);
}

void Computation::BlackMoon() {
    Real x = moonPerigee_ + 180.0L;
    x -= 360.0L * std::trunc(x / 360.0L);
    if (settings_.trueBlackMoon && settings_.useBlackMoonTable && BlackMoonCorrectionApplies(jd_)) {
        x = Wrap360(x + src_->BlackMoonCorrection(jd_) / 3600.0L);
        if (settings_.useLunarTable) x = Wrap360(x + src_->BlackMoonFineCorrection(jd_) / 3600.0L);
    }
    out_.longitudes[kBlackMoon] = x;
    out_.latitudes[kBlackMoon] = 0;
    Equatorial(kBlackMoon, x, 0);
}

// ---- asteroids and Chiron ----
void Computation::Asteroid(int body) {
    const Real T = centuries_, T2 = centuriesSquared_;
    ElementsL el{};
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
    Vec3 pos, vel;
    SolveOrbit(InDouble(el), pos, vel);
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
    return SolveKeplerSinCos(static_cast<double>(meanAnomaly), static_cast<double>(eccentricity)).eccentricAnomaly;
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
    t.lunar = s.useLunarTable && ((node && s.useNodeTable && NodeCorrectionApplies(jd)) || t.blackMoon);
    const bool minorBodies = mode == 0 || (mode >= kCeres && mode <= kChiron);
    t.minor = s.useMinorTable && ((minorBodies && MinorCorrectionApplies(jd)) ||
                                  (moon && MoonCorrectionApplies(jd)));
    return t;
}

void RunBodyComputation(int mode, bool fast, Real jd, const BodySettings& settings,
                        CorrectionSource* corrections, BodyPositions& out, bool longitudesOnly) {
    Computation(mode, fast, longitudesOnly, jd, settings, corrections, out).Run();
}

}  // namespace engine
