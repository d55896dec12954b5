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

constexpr Real kRad = kPi / 180.0L;         // degrees to radians
constexpr Real kDeg = 180.0L / kPi;         // radians to degrees
constexpr Real kTwoPi = 2.0L * kPi;
constexpr Real kGauss = 0.01720209L;        // Gauss's constant
constexpr Real kLightDaysPerAu = 0.0057683L;
constexpr Real kZeroAbscissa = 1.75453E-7L;  // stands in for an abscissa of exactly 0

// Sine and cosine with the argument first brought within 45 degrees of a
// quadrant's start: the extended-precision library functions are many times
// slower on larger arguments. In degrees the reduction is exact (x - 90 q is
// exact for the nearest whole q), so no remainder of 360 is taken first.
struct SinCos {
    Real sin, cos;
};

inline SinCos Quadrant(unsigned q, Real s, Real c) {
    switch (q & 3) {
        case 0: return {s, c};
        case 1: return {c, -s};
        case 2: return {-s, -c};
        default: return {-c, s};
    }
}

// The nearest whole number to x (|x| < 2^61) as a real, and its remainder
// modulo 4, without converting to an integer (which switches the rounding
// control of the extended-precision unit twice, slowly): adding 1.5 * 2^63
// leaves the whole number in the low bits of the 64-bit significand.
struct Whole {
    Real value;
    unsigned quadrant;  // value modulo 4
};

inline Whole NearestWhole(Real x) {
    static_assert(std::numeric_limits<Real>::digits == 64, "extended reals with a 64-bit significand");
    constexpr Real kShift = 0x1.8p63L;
    const Real t = x + kShift;
    std::uint64_t significand;
    std::memcpy(&significand, &t, sizeof significand);
    return {t - kShift, static_cast<unsigned>(significand & 3)};
}

inline SinCos LibrarySinCosD(Real degrees) {
    const Whole q = NearestWhole(degrees / 90);
    const Real r = (degrees - 90 * q.value) * kRad;
    return Quadrant(q.quadrant, std::sin(r), std::cos(r));
}

inline SinCos LibrarySinCosR(Real radians) {
    const Whole q = NearestWhole(radians / (kPi / 2));
    const Real r = radians - q.value * (kPi / 2);
    return Quadrant(q.quadrant, std::sin(r), std::cos(r));
}

// One of the two alone costs one library call.
inline Real SinQuadrant(unsigned q, Real r) {
    switch (q & 3) {
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
inline Real SinOfSum(const SinCos& a, const SinCos& b) { return a.sin * b.cos + a.cos * b.sin; }
inline Real CosOfSum(const SinCos& a, const SinCos& b) { return a.cos * b.cos - a.sin * b.sin; }
inline SinCos Negated(const SinCos& a) { return {-a.sin, a.cos}; }
inline SinCos Doubled(const SinCos& a) { return {2 * a.sin * a.cos, (a.cos - a.sin) * (a.cos + a.sin)}; }

// Sine and cosine of a small angle (radians, |x| <= 0.05) by their series,
// accurate to the last bit of an extended real there (fewer terms below 1e-3).
inline SinCos SmallSinCos(Real x) {
    const Real x2 = x * x;
    if (std::fabs(x) <= 1e-3L) {
        return {x - x * x2 * (1.0L / 6 - x2 * (1.0L / 120)),
                1 - x2 * (0.5L - x2 * (1.0L / 24 - x2 * (1.0L / 720)))};
    }
    const Real s =
        x * (1 - x2 * (1.0L / 6) *
                     (1 - x2 * (1.0L / 20) *
                              (1 - x2 * (1.0L / 42) * (1 - x2 * (1.0L / 72) * (1 - x2 * (1.0L / 110))))));
    const Real c =
        1 - x2 * 0.5L *
                (1 - x2 * (1.0L / 12) *
                         (1 - x2 * (1.0L / 30) *
                                  (1 - x2 * (1.0L / 56) * (1 - x2 * (1.0L / 90) * (1 - x2 * (1.0L / 132))))));
    return {s, c};
}

// The memo of the computation running on this thread, if any (set by
// RunBodyComputation): a recording computation keeps every sine and cosine it
// works; a replaying one, a moment later, looks a few kept angles ahead (they
// come in the same order) for one within a small turn of the angle asked for,
// and turns its sine and cosine by the difference: exact whichever angle it
// finds. Angles fixed for the run (worked once into statics) are not kept.
thread_local TrigMemo* activeMemo = nullptr;

constexpr int kLookAhead = 16;          // kept angles searched past the last one used
constexpr Real kLargestTurn = 1e-3L;    // radians

inline SinCos Remembered(Real angle, bool degrees, SinCos (*library)(Real)) {
    TrigMemo* m = activeMemo;
    if (!m) return library(angle);
    if (m->replay) {
        const int end = m->count < m->cursor + kLookAhead ? m->count : m->cursor + kLookAhead;
        for (int i = m->cursor; i < end; ++i) {
            const TrigMemo::Entry& e = m->entries[i];
            if (e.degrees != degrees) continue;
            Real d = angle - e.angle;
            if (degrees) d *= kRad;
            if (std::fabs(d) <= kLargestTurn) {
                m->cursor = i + 1;
                return SinCos{e.sin, e.cos} * SmallSinCos(d);
            }
        }
        return library(angle);
    }
    const SinCos sc = library(angle);
    if (m->count < static_cast<int>(m->entries.size()))
        m->entries[m->count++] = {angle, sc.sin, sc.cos, degrees};
    return sc;
}

inline SinCos SinCosD(Real degrees) {
    if (degrees == 0) return {0, 1};
    return Remembered(degrees, true, LibrarySinCosD);
}

inline SinCos SinCosR(Real radians) { return Remembered(radians, false, LibrarySinCosR); }

inline Real SinD(Real degrees) {
    if (activeMemo) return SinCosD(degrees).sin;
    const Whole q = NearestWhole(degrees / 90);
    return SinQuadrant(q.quadrant, (degrees - 90 * q.value) * kRad);
}
inline Real CosD(Real degrees) {
    if (activeMemo) return SinCosD(degrees).cos;
    return SinD(degrees + 90);
}

inline Real SinR(Real radians) {
    if (activeMemo) return SinCosR(radians).sin;
    const Whole q = NearestWhole(radians / (kPi / 2));
    return SinQuadrant(q.quadrant, radians - q.value * (kPi / 2));
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

// The same remainder as Mod360 (angles.h), inline: [0, 360).
inline Real Wrap360(Real x) {
    Real r = x - 360 * std::trunc(x / 360);
    if (r < 0) r += 360;
    if (r >= 360) r -= 360;
    return r;
}

// Kepler's equation E - e sin E = M (radians) by Newton's method. The sine
// and cosine of E are carried along: after the first step each correction is
// small, and they are turned by it with the series of the small angle instead
// of a new library call.
struct KeplerSolution {
    Real E;
    SinCos sc;  // of E
};

KeplerSolution SolveKeplerSinCos(Real M, Real e) {
    TrigMemo* m = activeMemo;
    Real E = 0;
    SinCos sc{0, 1};
    bool started = false;
    if (m && m->replay) {
        // A moment later: Newton's method from the kept solution, a small step away.
        const int end = m->orbitCount < m->orbitCursor + 4 ? m->orbitCount : m->orbitCursor + 4;
        for (int i = m->orbitCursor; i < end && !started; ++i) {
            const TrigMemo::Orbit& o = m->orbits[i];
            if (std::fabs(M - o.M) <= kLargestTurn && std::fabs(e - o.e) <= 1e-6L) {
                E = o.E;
                sc = {o.sin, o.cos};
                m->orbitCursor = i + 1;
                started = true;
            }
        }
    }
    if (!started) {
        E = M + e * SinR(M);
        sc = SinCosR(E);
    }
    for (int i = 0; i < 60; ++i) {
        const Real dE = (M - (E - e * sc.sin)) / (1 - e * sc.cos);
        E += dE;
        sc = std::fabs(dE) <= 0.05L ? sc * SmallSinCos(dE) : SinCosR(E);
        if (std::fabs(dE) < 1e-18L) break;
    }
    if (m && !m->replay && m->orbitCount < static_cast<int>(m->orbits.size()))
        m->orbits[m->orbitCount++] = {M, e, E, sc.sin, sc.cos};
    return {E, sc};
}

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

// The terms are a few thousandths of an astronomical unit at most: the cosine
// of the exactly reduced argument in double precision (about 1e-16 of the
// term) moves a position by less than 1e-11 arc second, and costs a fraction
// of the extended-precision call.
template <std::size_t N>
Real SumTerms(const PeriodicTerm (&terms)[N], Real t) {
    Real s = 0;
    for (const auto& term : terms) {
        const Real x = term.rate * t + term.phase;
        const Whole q = NearestWhole(x / 90);
        const double r = static_cast<double>((x - 90 * q.value) * kRad);
        s += term.amplitude * Quadrant(q.quadrant + 1, std::sin(r), std::cos(r)).sin;  // cos x = sin(x + 90)
    }
    return s;
}

// A series of terms amplitude * cos(k X + j M + phase) in two angles given by
// their multiples; the sines and cosines of the phases are worked once.
class SolarTerms {
public:
    struct Term {
        Real amplitude;
        int k, j;
        Real phase;  // degrees
    };
    SolarTerms(std::initializer_list<Term> terms) {
        for (const Term& t : terms) {
            terms_[count_] = t;
            phases_[count_] = LibrarySinCosD(t.phase);
            ++count_;
        }
    }
    Real Sum(const Multiples<5>& X, const Multiples<3>& M) const {
        Real sum = 0;
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
struct Elements {
    Real M, e, a, omega, node, incl;
};

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
    bool longitudesOnly_;  // the ecliptic longitudes alone
    const BodySettings& settings_;
    CorrectionSource* src_;
    BodyPositions& out_;

    // Time argument (days and centuries of dynamical time from 1900 January
    // 0.5) and mean elements.
    Real D_ = 0, T_ = 0, T2_ = 0;
    Real nodeMean_ = 0;      // mean longitude of the Moon's ascending node
    SinCos node_{0, 1};      // its sine and cosine
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
    return Wrap360(334.32956L + 0.11140408L * D_ - (0.010325L + 0.000012L * T_) * T2_);
}

void Computation::MeanElements() {
    // The theories run in dynamical time; the argument is UT (the correction
    // tables are still looked up by the UT day).
    D_ = DynamicalJulianDay(jd_) - 2415020.0L;
    T_ = D_ / 36525.0L;
    T2_ = T_ * T_;
    const Real T = T_, T2 = T2_;
    nodeMean_ = Wrap360(259.1833L - 0.05295392L * D_ + 0.002078L * T2 + 0.0000022L * T2 * T);
    sunMeanLon_ = Wrap360(279.69668L + 36000.7689L * T + 0.0003025L * T2);
    moonElong_ = Wrap360(350.737486L + 445267.114L * T - 0.001436L * T2);
    moonPerigee_ = MeanPerigee();
    sunAnomaly_ = Wrap360(358.47584L + 35999.04975L * T - 0.00015L * T2);
    moonMeanLon_ = Wrap360(270.434164L + 13.1763965L * D_ + (0.0000019L * T - 0.001133L) * T2);
    moonAnomaly_ = Wrap360(296.1046083L + 477198.849L * T + 0.009191671L * T2);
    node_ = SinCosD(nodeMean_);
    dpsi_ = (-(17.2327L + 0.01737L * T) * node_.sin - 1.273L * SinD(2 * sunMeanLon_)) / 3600.0L;
    eps_ = 23.4522944L - 0.0130125L * T;
    const SinCos eps = SinCosD(eps_);
    cosEps_ = eps.cos;
    sinEps_ = eps.sin;
}

void Computation::SolveOrbit(const Elements& el, Vec3& pos, Vec3& vel) const {
    const Real M = el.M * kRad;
    const Real e = el.e, a = el.a;
    const SinCos sc = SolveKeplerSinCos(M, e).sc;
    const Real cosE = sc.cos, sinE = sc.sin;
    const Real root = std::sqrt(1 - e * e);
    pos = {a * (cosE - e), a * root * sinE, 0};
    const Real q = kGauss / ((1 - e * cosE) * (a * std::sqrt(a)));
    vel = {-a * q * sinE, a * q * root * cosE, 0};
    const SinCos w = SinCosD(el.omega), i = SinCosD(el.incl), n = SinCosD(el.node);
    pos = RotateZ(RotateX(RotateZ(pos, w), i), n);
    vel = RotateZ(RotateX(RotateZ(vel, w), i), n);
}

void Computation::Equatorial(int body, Real lon, Real lat) {
    if (longitudesOnly_) return;
    const SinCos l = SinCosD(lon), b = SinCosD(lat);
    const Real sl = l.sin, cl = l.cos, sb = b.sin, cb = b.cos;
    const Real y = sl * cosEps_ - (sb / cb) * sinEps_;
    out_.rightAscensions[body] = Wrap360(std::atan2(y, cl) * kDeg);
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
    const Real earthM = Wrap360(358.4758445L + 35999.04975L * T - 0.000150278L * T2);
    const Real e = 0.01675104L - 0.0000418L * T - 0.000000126L * T2;
    const Real perigee = 101.2208333L + 1.719175L * T + 0.000452778L * T2;
    Vec3 pos, vel;
    SolveOrbit({earthM, e, 1.00000023L, perigee, 0, 0}, pos, vel);
    earth_ = pos;
    earthVel_ = vel;

    // The series of the Sun's apparent longitude.
    const Real Msun = sunAnomaly_ * kRad;
    const SinCos kep = SolveKeplerSinCos(Msun, e).sc;
    // The true anomaly (half-angle tangent formula, as one two-argument arc tangent).
    const Real v = std::atan2(std::sqrt(1 - e * e) * kep.sin, kep.cos - e) * kDeg;
    Real lon = Wrap360(v - sunAnomaly_ + sunMeanLon_);

    const Real longPeriod = (6.4L * SinD(231.19L + 20.2L * T) +
                             (1.882L - 0.016L * T) * SinD(57.24L + 150.27L * T) +
                             0.266L * SinD(31.8L + 119.0L * T) +
                             0.202L * SinD(315.6L + 893.3L * T)) /
                            3600.0L;
    lon += longPeriod;
    const Real M = sunAnomaly_ + longPeriod;

    // The planets' perturbations, amplitude * cos(k X + j M + phase), X the
    // planet's mean longitude; the multiples by angle addition.
    static const SolarTerms venusTerms({{4.838L, 1, 0, 90},
                                        {5.526L, 2, 0, 90.12L},
                                        {2.497L, 2, -1, 257.75L},
                                        {1.559L, 3, -1, 77.96L},
                                        {1.024L, 3, -2, 50.85L},
                                        {0.666L, 3, 0, 270.41L},
                                        {0.21L, 4, 0, 89.8L},
                                        {0.154L, 5, -3, 34.1L},
                                        {0.152L, 4, -2, 227.4L},
                                        {0.144L, 4, -1, 79.0L}});
    static const SolarTerms marsTerms({{2.043L, 2, 0, 89.76L},
                                       {1.77L, 2, -1, 306.27L},
                                       {0.585L, 4, -2, 185.82L},
                                       {0.5L, 4, -1, 317.7L},
                                       {0.425L, 3, -1, 317.7L},
                                       {0.204L, 5, -2, 185.5L}});
    static const SolarTerms jupiterTerms({{7.208L, 1, 0, 91.08999L},
                                          {2.731L, 2, 0, 270.25L},
                                          {2.6L, 1, -1, 174.77L},
                                          {1.61L, 2, -1, 292.6L},
                                          {0.556L, 3, -1, 177.31L}});
    static const SolarTerms saturnTerms({{0.419L, 1, 0, 90.33999L}, {0.32L, 1, -1, 259.22L}});
    const Multiples<3> Mm(SinCosD(M));
    const Real venus = venusTerms.Sum(Multiples<5>(SinCosD(Wrap360(63.07037L + 22518.442986L * T))), Mm);
    const Real mars = marsTerms.Sum(Multiples<5>(SinCosD(Wrap360(165.94905L + 16859.069667L * T))), Mm);
    const Real jupiter =
        jupiterTerms.Sum(Multiples<5>(SinCosD(Wrap360(221.64742L + 32964.466939L * T))), Mm);
    const Real saturn = saturnTerms.Sum(Multiples<5>(SinCosD(Wrap360(193.1323L + 34777.259042L * T))), Mm);
    const Real moon = 6.454L * SinD(moonElong_) + 0.424L * SinD(moonElong_ - moonAnomaly_);
    lon += (venus + mars + jupiter + saturn + moon) / 3600.0L;
    lon += dpsi_;
    lon -= (20.47L + 0.342L * Mm[1].cos) / 3600.0L;
    // The series count from the equinox of the old fundamental catalogue,
    // which drifts from the dynamical equinox by 0.525" + 1.275" a century from
    // 1950 (24" in the first century). The tables take it up for the other
    // bodies; the Sun has none, so it is added here.
    lon += (0.525L + 1.275L * (T - 0.5L)) / 3600.0L;
    lon = Wrap360(lon);

    out_.longitudes[kSun] = lon;
    if (longitudesOnly_) return;
    out_.latitudes[kSun] = 0;
    Equatorial(kSun, lon, 0);

    // Equation of time, hours; y = tan^2 (eps / 2).
    const Real y = (1 - cosEps_) / (1 + cosEps_);
    const SinCos l = SinCosD(lon), l2 = Doubled(l), l4 = Doubled(l2);
    const SinCos m = SinCosD(earthM), m2 = Doubled(m);
    const Real eot = y * l2.sin - 2 * e * m.sin + 4 * e * y * m.sin * l2.cos - 0.5L * y * y * l4.sin -
                     1.25L * e * e * m2.sin;
    out_.equationOfTime = eot * kDeg / 15.0L;
}

// ---- Moon ----
// The Moon's series: amplitude * sin(d D + m M + p M' + f F (+ 2 degrees)), arc
// seconds. Two terms carry a fixed 2 degrees in their argument.
struct LunarTerm {
    Real amplitude;
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
    const Real T = T_, T2 = T2_;
    Real Lp = moonMeanLon_;
    Real Mp = moonMeanLon_ - moonPerigee_;
    Real F = moonMeanLon_ - nodeMean_;
    Real D = moonElong_;
    Real M = sunAnomaly_;

    const Real a = SinD(51.2L + 20.2L * T);
    const Real b = SinD(193.4404L - 132.87L * T - 0.0091731L * T2);
    const Real c = node_.sin;
    const SinCos gc = SinCosD(nodeMean_ + 275.05L - 2.3L * T);
    const Real g = gc.sin;
    Lp += (0.84L * a + 14.27L * b + 7.261L * c) / 3600.0L;
    Mp += (2.94L * a + 14.27L * b + 9.337L * c) / 3600.0L;
    D += (7.24L * a + 7.261L * c) / 3600.0L;
    M += -6.4L * a / 3600.0L;
    F += (0.21L * a + 14.27L * b - 88.699L * c - 15.58L * g) / 3600.0L;

    // The multiples of the four arguments by angle addition.
    const Multiples<6> Dm(SinCosD(D));
    const Multiples<2> Mm(SinCosD(M));
    const Multiples<4> Pm(SinCosD(Mp));
    const Multiples<2> Fm(SinCosD(F));
    static const SinCos twoDegrees = LibrarySinCosD(2);
    auto series = [&](const auto& terms) {
        Real sum = 0;
        for (const LunarTerm& t : terms) {
            SinCos x = Pm[t.p];
            if (t.d) x = x * Dm[t.d];
            if (t.m) x = x * Mm[t.m];
            if (t.twoDegrees) x = x * twoDegrees;
            sum += t.amplitude * SinOfSum(x, Fm[t.f]);
        }
        return sum;
    };
    const Real sum = series(kLunarLongitude);

    const Real lambda = Wrap360(Lp + sum / 3600.0L + dpsi_);
    Real lon = lambda;
    if (settings_.useMoonTable && MoonCorrectionApplies(jd_))
        lon = Wrap360(lon + src_->MoonCorrection(jd_) / 3600.0L);
    out_.longitudes[kMoon] = lon;
    if (longitudesOnly_) return;

    const Real Fp = F + (series(kLunarLatitudeArgument) + 50.64L * SinD(3 * lambda)) / 3600.0L;
    const Real w = 1 - 0.00004664L * node_.cos - 0.0000754L * gc.cos;
    const SinCos fp = SinCosD(Fp);
    const Real sin3Fp = fp.sin * (3 - 4 * fp.sin * fp.sin);
    const Real beta =
        (18519.7L * w * fp.sin - 6.2L * sin3Fp - 526.1L * SinOfSum(Fm[1], Dm[-2])) / 3600.0L;

    Real lat = beta;
    if (settings_.useMinorTable && MoonCorrectionApplies(jd_))
        lat += src_->MoonLatitudeCorrection(jd_) / 3600.0L;

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
        el.M = Wrap360(el.M);
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
    const Real rho2 = g.x * g.x + g.y * g.y;
    const Real rate = (g.x * gv.y - g.y * gv.x) / rho2;  // radians a day
    const Real dist = std::sqrt(rho2 + g.z * g.z);
    const Real lightTime = dist * kLightDaysPerAu * rate * kDeg;

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
    const Real T = T_, T2 = T2_;
    Real node = Wrap360(259.183275L - 1934.142L * T + 0.002078L * T2 + 0.0000022L * T2 * T);
    if (settings_.trueNode) {
        if (mode_ == kNode) {
            Sun();
            Moon();
        }
        // amplitude * sin(s S + n N + g G + p P + m M), degrees; the multiples
        // by angle addition.
        struct NodeTerm {
            Real amplitude;
            signed char s, n, g, p, m;
        };
        static constexpr NodeTerm kTerms[] = {
            {1.517L, 2, -2, 0, 0, 0},  {-0.163L, 1, 0, 0, -1, 0}, {-0.128L, -2, 0, 0, 0, 2},
            {0.12L, 0, -2, 0, 0, 2},   {0.107L, 0, -2, 2, 0, 0},  {0.063L, 3, -2, 0, -1, 0},
            {0.04L, -2, 0, 1, 0, 1},   {-0.04L, 0, -2, 1, 0, 1},  {0.027L, 0, 0, -1, 0, 1},
            {-0.027L, 1, -2, 0, 1, 0}, {0.015L, 2, 0, -2, 0, 0},  {-0.013L, -2, 2, -1, 0, 1},
            {-0.013L, 2, -2, -1, 0, 1}, {-0.007L, -3, 0, 0, 1, 2}, {0.005L, 0, -2, -1, 0, 3},
            {-0.005L, -2, 0, -1, 0, 3},
        };
        static const SinCos perihelion = LibrarySinCosD(282.596403L);  // P
        const Multiples<3> S(SinCosD(out_.longitudes[kSun]));
        const Multiples<3> M(SinCosD(out_.longitudes[kMoon]));
        const Multiples<2> N(SinCosD(node));
        const Multiples<2> G(SinCosD(MeanPerigee()));
        const Multiples<1> P(perihelion);
        Real sum = 0;
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
    el.M = Wrap360(el.M);
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
    return SolveKeplerSinCos(meanAnomaly, eccentricity).E;
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
                        CorrectionSource* corrections, BodyPositions& out, bool longitudesOnly,
                        TrigMemo* memo) {
    struct Scope {
        explicit Scope(TrigMemo* m) : previous(activeMemo) {
            activeMemo = m;
            if (m) {
                m->cursor = 0;
                m->orbitCursor = 0;
                if (!m->replay) m->count = m->orbitCount = 0;
            }
        }
        ~Scope() { activeMemo = previous; }
        TrigMemo* previous;
    } scope(memo);
    Computation(mode, fast, longitudesOnly, jd, settings, corrections, out).Run();
}

}  // namespace engine
