#pragma once
// The planetary theories behind the body computation: time argument, mean
// elements, nutation, obliquity, the Kepler machinery, the Sun, the Moon, the
// planets Mercury to Pluto, the lunar node, the black moon, the asteroids and
// Chiron. One call is one computation: its working state lives for that call
// only and its results go into a BodyPositions value, never into the shared
// chart (the driver in bodies.cpp takes them into the chart's bodies).
#include <array>

#include "engine/chart.h"

namespace engine {

// What the theories compute, in their order: the Sun to Pluto, the lunar
// node, the black moon, the Ascendant and the seventh cusp (their equatorial
// coordinates), Ceres to Chiron.
enum class TheoryPoint {
    Sun,
    Moon,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    Uranus,
    Neptune,
    Pluto,
    Node,
    BlackMoon,
    Ascendant,
    Descendant,
    Ceres,
    Pallas,
    Juno,
    Vesta,
    Chiron
};
inline constexpr int kTheoryPointCount = 19;
// One value for each point the theories compute.
using TheoryTable = EnumTable<TheoryPoint, Real, kTheoryPointCount>;

// The theories' numbers of the same points, 1 to 19 in their order, which
// the modes of a computation, the correction tables' fields and the files
// that list the bodies by number follow.
enum BodyNumber : int {
    kSun = 1,
    kMoon,
    kMercury,
    kVenus,
    kMars,
    kJupiter,
    kSaturn,
    kUranus,
    kNeptune,
    kPluto,
    kNode = 11,
    kBlackMoon = 12,
    kAscendantBody = 13,
    kDescendantBody = 14,
    kCeres = 15,
    kPallas,
    kJuno,
    kVesta,
    kChiron = 19,
};
constexpr int TheoryNumber(TheoryPoint point) { return static_cast<int>(point) + 1; }
constexpr TheoryPoint TheoryPointOfNumber(int number) { return static_cast<TheoryPoint>(number - 1); }
// The point of a chart's body; the body number of a chart's body, and the body
// of a number 1..12 or 15..19.
TheoryPoint TheoryPointOf(Body body);
int BodyNumberOf(Body body);
Body BodyOfNumber(int number);

// Where the ephemeris corrections of one computation come from.
class CorrectionSource {
public:
    virtual ~CorrectionSource() = default;
    virtual Real MoonCorrection(Real jd) = 0;               // arc seconds
    virtual Real PlanetCorrection(int field, Real jd) = 0;  // arc minutes, field 1..17
    virtual Real BlackMoonCorrection(Real jd) = 0;          // arc seconds
    // Ceres (15) to Chiron (19): longitude, arc seconds.
    virtual Real MinorBodyCorrection(int body, Real jd) {
        (void)body;
        (void)jd;
        return 0;
    }
    // The Moon's latitude, arc seconds.
    virtual Real MoonLatitudeCorrection(Real jd) {
        (void)jd;
        return 0;
    }
    // What the true node and the true black moon still lack after their
    // corrections above, arc seconds.
    virtual Real NodeFineCorrection(Real jd) {
        (void)jd;
        return 0;
    }
    virtual Real BlackMoonFineCorrection(Real jd) {
        (void)jd;
        return 0;
    }
};

// Spans (Julian days, UT) in which each correction is applied.
inline constexpr Real kMoonCorrectionAfter = 1721422.5L;       // strictly after
inline constexpr Real kPlanetCorrectionFrom = 1721423.5L;      // from, inclusive
inline constexpr Real kNodeCorrectionAfter = 1721433.5L;       // strictly after
inline constexpr Real kCorrectionsUntil = 2499373.5L;          // Moon, planets, node: strictly before
inline constexpr Real kBlackMoonCorrectionFrom = 2396758.5L;   // inclusive
inline constexpr Real kBlackMoonCorrectionUntil = 2488433.5L;  // strictly before
// Ceres to Chiron: the span in which the chart loaders keep them.
inline constexpr Real kMinorCorrectionFrom = 2396758.5L;   // inclusive
inline constexpr Real kMinorCorrectionUntil = 2481130.5L;  // strictly before

bool MoonCorrectionApplies(Real jd);
bool PlanetCorrectionApplies(Real jd);
bool NodeCorrectionApplies(Real jd);
bool BlackMoonCorrectionApplies(Real jd);
bool MinorCorrectionApplies(Real jd);

struct BodySettings {
    bool trueNode = true;
    bool trueBlackMoon = false;
    Real ascendant = 0;   // the first cusp (the Ascendant's entry)
    Real descendant = 0;  // the seventh cusp (right ascension of the Descendant's entry)
    // Which tables the computation consults (all of them in the program; the
    // table generator switches off the ones it is computing).
    bool useMoonTable = true;
    bool usePlanetTable = true;
    bool useNodeTable = true;
    bool useBlackMoonTable = true;
    bool useMinorTable = true;  // Ceres to Chiron and the Moon's latitude
    bool useLunarTable = true;  // the true node's and true black moon's own, after theirs
};

// The arrays one computation writes; entries it does not compute keep what
// they held on entry.
struct BodyPositions {
    TheoryTable longitudes{};
    TheoryTable latitudes{};
    TheoryTable rightAscensions{};
    TheoryTable declinations{};
    TheoryTable helioLongitudes{};
    TheoryTable helioLatitudes{};
    Real equationOfTime = 0;  // hours
};

// The tables a computation of `mode` at `jd` would read.
struct TablesNeeded {
    bool moon = false;
    bool planets = false;
    bool blackMoon = false;
    bool minor = false;
    bool lunar = false;
};
TablesNeeded TablesNeededFor(int mode, Real jd, const BodySettings& settings);

// Runs the steps of the run's mode at Julian day `jd` (UT) into `out`: the theories are
// evaluated at jd + Delta T (engine/delta_t.h), the tables are looked up by jd.
// `corrections` may be null only when the settings switch every table off, or
// when no table applies. longitudesOnly = true writes the ecliptic longitudes
// alone (the other arrays keep what they held), skipping the work nothing else
// needs: what the retrograde rule compares.
// Which steps a body computation runs and how: the mode, the fast path, and
// whether it writes the ecliptic longitudes alone.
struct BodyRun {
    int mode = 0;
    bool fast = false;
    bool longitudesOnly = false;
};
void RunBodyComputation(BodyRun run, Real jd, const BodySettings& settings, CorrectionSource* corrections,
                        BodyPositions& out);

// Kepler's equation E - e sin E = M, solved to convergence (radians).
Real SolveKepler(Real meanAnomaly, Real eccentricity);

}  // namespace engine
