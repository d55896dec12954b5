// The body computation's driver, its modes, where the table corrections apply,
// the retrograde rule and a missing or short correction table.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/bodies_theory.h"
#include "engine/delta_t.h"
#include "engine/ephemeris_tables.h"
#include "tests/common/no_installed_copies.h"
#include "tests/common/test_support.h"

namespace bodies_compute_test {

namespace {

using namespace engine;

// The node and black-moon kinds and the angles these tests hand to the engine.
BodySettings settings;

// Corrections of fixed size that remember what was asked for.
class FixedCorrections : public CorrectionSource {
public:
    Real MoonCorrection(Real) override {
        ++moonCalls;
        return 3600;  // 1 degree
    }
    Real PlanetCorrection(int field, Real) override {
        fields.insert(field);
        return 60;  // 1 degree
    }
    Real BlackMoonCorrection(Real) override {
        ++blackMoonCalls;
        return 7200;  // 2 degrees
    }
    Real MinorBodyCorrection(int, Real) override {
        ++minorCalls;
        return 10800;  // 3 degrees
    }
    Real MoonLatitudeCorrection(Real) override {
        ++moonLatitudeCalls;
        return 36;  // 0.01 degree
    }
    Real NodeFineCorrection(Real) override {
        ++nodeFineCalls;
        return 18;  // 0.005 degree
    }
    Real BlackMoonFineCorrection(Real) override {
        ++blackMoonFineCalls;
        return -90;  // -0.025 degree
    }
    int moonCalls = 0, blackMoonCalls = 0, minorCalls = 0, moonLatitudeCalls = 0;
    int nodeFineCalls = 0, blackMoonFineCalls = 0;
    std::set<int> fields;
};

BodySettings NoTables() {
    BodySettings s;
    s.useMoonTable = s.usePlanetTable = s.useNodeTable = s.useBlackMoonTable = s.useMinorTable = false;
    s.useLunarTable = false;
    return s;
}

Real AngleGap(Real a, Real b) {
    Real d = std::fmod(a - b, 360.0L);
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

TEST(BodyTheory, ModesComputeOnlyTheirBodiesAndAgreeWithTheFullComputation) {
    const Real jd = 2447892.5;  // 1990
    BodySettings s = NoTables();
    BodyPositions all;
    RunBodyComputation({0}, jd, s, nullptr, all);
    for (int mode : {3, 6, 10, 15, 19}) {
        BodyPositions one;
        one.longitudes.fill(-1);
        RunBodyComputation({mode}, jd, s, nullptr, one);
        EXPECT_EQ(one.longitudes[TheoryPointOfNumber(mode)], all.longitudes[TheoryPointOfNumber(mode)]) << mode;
        EXPECT_EQ(one.latitudes[TheoryPointOfNumber(mode)], all.latitudes[TheoryPointOfNumber(mode)]) << mode;
        EXPECT_EQ(one.longitudes[TheoryPoint::Sun], all.longitudes[TheoryPoint::Sun]);
        for (int b = 2; b <= kTheoryPointCount; ++b) {
            if (b == mode) continue;
            EXPECT_EQ(one.longitudes[TheoryPointOfNumber(b)], -1) << "mode " << mode << " body " << b;
        }
    }
    // Modes 13, 14 and 22 compute the Sun only; a negative mode nothing at all.
    for (int mode : {13, 14, 22, -1}) {
        BodyPositions p;
        p.longitudes.fill(-1);
        RunBodyComputation({mode}, jd, s, nullptr, p);
        EXPECT_EQ(p.longitudes[TheoryPoint::Sun], mode < 0 ? -1 : all.longitudes[TheoryPoint::Sun]) << mode;
        EXPECT_EQ(p.longitudes[TheoryPoint::Moon], -1) << mode;
    }
    // Mode 20 computes the Sun to Pluto, nothing beyond.
    BodyPositions p;
    p.longitudes.fill(-1);
    RunBodyComputation({20}, jd, s, nullptr, p);
    for (int b = 1; b <= 10; ++b)
        EXPECT_EQ(p.longitudes[TheoryPointOfNumber(b)], all.longitudes[TheoryPointOfNumber(b)]) << b;
    EXPECT_EQ(p.longitudes[TheoryPoint::Node], -1);
}

TEST(BodyTheory, AscendantAndEntryFourteen) {
    BodySettings s = NoTables();
    s.ascendant = 123.25;
    s.descendant = 303.25;
    BodyPositions p;
    p.longitudes[TheoryPoint::Descendant] = 77;
    p.latitudes[TheoryPoint::Descendant] = 5;
    RunBodyComputation({0}, 2451545.0, s, nullptr, p);
    EXPECT_EQ(p.longitudes[TheoryPoint::Ascendant], 123.25L);
    EXPECT_EQ(p.latitudes[TheoryPoint::Ascendant], 0);
    EXPECT_EQ(p.longitudes[TheoryPoint::Descendant], 77);  // left as it was
    EXPECT_EQ(p.latitudes[TheoryPoint::Descendant], 0);
    // Right ascension of the seventh cusp: opposite that of the Ascendant.
    EXPECT_NEAR(std::fabs(
                    AngleGap(p.rightAscensions[TheoryPoint::Descendant], p.rightAscensions[TheoryPoint::Ascendant])),
                180, 1e-9);
}

TEST(BodyTheory, PositionsAreReducedAndLatitudesWithinNinetyDegrees) {
    BodySettings s = NoTables();
    for (Real jd = 1721500.5; jd < 2499000; jd += 9733.37) {
        BodyPositions p;
        RunBodyComputation({0}, jd, s, nullptr, p);
        for (int b : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17, 18, 19}) {
            EXPECT_GE(p.longitudes[TheoryPointOfNumber(b)], 0) << b << " " << static_cast<double>(jd);
            EXPECT_LT(p.longitudes[TheoryPointOfNumber(b)], 360) << b;
            EXPECT_LE(std::fabs(p.latitudes[TheoryPointOfNumber(b)]), 90) << b;
            EXPECT_GE(p.rightAscensions[TheoryPointOfNumber(b)], 0) << b;
            EXPECT_LT(p.rightAscensions[TheoryPointOfNumber(b)], 360) << b;
        }
        EXPECT_EQ(p.latitudes[TheoryPoint::Sun], 0);
        // Pallas's steep orbit keeps its latitude's sign and size.
        EXPECT_LT(std::fabs(p.latitudes[TheoryPoint::Pallas]), 70);
    }
}

TEST(BodyTheory, KeplerIsSolvedToConvergence) {
    for (Real e : {0.0L, 0.0167L, 0.25L, 0.38L, 0.9L}) {
        for (Real m = -3; m < 7; m += 0.37L) {
            const Real eccentricAnomaly = SolveKepler(m, e);
            EXPECT_NEAR(static_cast<double>(eccentricAnomaly - e * std::sin(eccentricAnomaly)), static_cast<double>(m),
                        1e-15)
                << "e " << static_cast<double>(e);
        }
    }
}

TEST(BodyTheory, MeanElementsAtTheEpochOf1900) {
    // Every time argument is 0 at 1900 January 0.5 of dynamical time, which
    // is Delta T (-2.8 s) later in UT: the mean node is then 259.1833 degrees.
    const Real epochUt = 2415020.0L - DeltaTSeconds(DecimalYearOf(2415020.0L)) / 86400;
    BodySettings s = NoTables();
    s.trueNode = false;
    BodyPositions p;
    RunBodyComputation({11}, epochUt, s, nullptr, p);
    EXPECT_NEAR(static_cast<double>(p.longitudes[TheoryPoint::Node]), 259.183275, 1e-9);
    // Mean black moon = mean perigee + 180.
    RunBodyComputation({12}, epochUt, s, nullptr, p);
    EXPECT_NEAR(static_cast<double>(p.longitudes[TheoryPoint::BlackMoon]), 154.32956, 1e-9);
}

TEST(BodyTheory, TheoriesRunInDynamicalTime) {
    // In the first century Delta T is about three hours: the mean node, which
    // moves 0.053 degrees a day (0.0065 degrees in three hours), must stand
    // where its polynomial puts it at the dynamical instant, not at the UT one.
    BodySettings s = NoTables();
    s.trueNode = false;
    const Real jd = 1742000.5L;  // the year 57
    const Real d = DynamicalJulianDay(jd) - 2415020.0L;
    ASSERT_GT(static_cast<double>((d + 2415020.0L - jd) * 24), 2.5);
    const Real t = d / 36525;
    const Real expected = Mod360(259.183275L - 1934.142L * t + 0.002078L * t * t + 0.0000022L * t * t * t);
    BodyPositions p;
    RunBodyComputation({11}, jd, s, nullptr, p);
    EXPECT_NEAR(static_cast<double>(AngleGap(p.longitudes[TheoryPoint::Node], expected)), 0, 1e-6);
}

TEST(BodyCorrections, AppliedOnlyInsideTheirSpans) {
    BodySettings s;  // every table in use
    s.trueNode = true;
    s.trueBlackMoon = true;
    BodySettings off = NoTables();
    off.trueNode = true;
    off.trueBlackMoon = true;

    struct Case {
        Real jd;
        bool moon, planets, node, blackMoon, minor;
    };
    const Case cases[] = {
        {1721422.5L, false, false, false, false, false},  // Moon: strictly after
        {1721423.0L, true, false, false, false, false},
        {1721423.5L, true, true, false, false, false},  // planets: from, inclusive
        {1721433.5L, true, true, false, false, false},  // node: strictly after
        {1721434.0L, true, true, true, false, false},
        {2396758.0L, true, true, true, false, false},
        {2396758.5L, true, true, true, true, true},  // black moon, Ceres to Chiron: from
        {2451545.0L, true, true, true, true, true},  // after 1900 the planets too
        {2481130.0L, true, true, true, true, true},
        {2481130.5L, true, true, true, true, false},   // Ceres to Chiron: strictly before
        {2488433.5L, true, true, true, false, false},  // black moon: strictly before
        {2499373.0L, true, true, true, false, false},
        {2499373.5L, false, false, false, false, false},  // all: strictly before
    };
    for (const Case& c : cases) {
        FixedCorrections src;
        BodyPositions with, without;
        RunBodyComputation({0}, c.jd, s, &src, with);
        RunBodyComputation({0}, c.jd, off, nullptr, without);
        const double jd = static_cast<double>(c.jd);
        EXPECT_NEAR(static_cast<double>(
                        AngleGap(with.longitudes[TheoryPoint::Moon], without.longitudes[TheoryPoint::Moon])),
                    c.moon ? 1.0 : 0.0, 1e-12)
            << jd;
        for (int b = kMercury; b <= kPluto; ++b) {
            const TheoryPoint at = TheoryPointOfNumber(b);
            EXPECT_NEAR(static_cast<double>(AngleGap(with.longitudes[at], without.longitudes[at])),
                        c.planets ? 1.0 : 0.0, 1e-12)
                << jd << " body " << b;
            EXPECT_NEAR(static_cast<double>(with.latitudes[at] - without.latitudes[at]), c.planets ? 1.0 : 0.0, 1e-12)
                << jd << " body " << b;
        }
        // The node is computed from the corrected Moon, so compare it with the
        // table switched off alone.
        BodySettings nodeOff = s;
        nodeOff.useNodeTable = false;
        FixedCorrections src2;
        BodyPositions noNode;
        RunBodyComputation({0}, c.jd, nodeOff, &src2, noNode);
        // Each with its own correction after its table's.
        EXPECT_NEAR(static_cast<double>(
                        AngleGap(with.longitudes[TheoryPoint::Node], noNode.longitudes[TheoryPoint::Node])),
                    c.node ? 1.005 : 0.0, 1e-12)
            << jd;
        EXPECT_NEAR(static_cast<double>(
                        AngleGap(with.longitudes[TheoryPoint::BlackMoon], without.longitudes[TheoryPoint::BlackMoon])),
                    c.blackMoon ? 1.975 : 0.0, 1e-12)
            << jd;
        EXPECT_EQ(src.nodeFineCalls > 0, c.node) << jd;
        EXPECT_EQ(src.blackMoonFineCalls > 0, c.blackMoon) << jd;
        for (int b = kCeres; b <= kChiron; ++b) {
            const TheoryPoint at = TheoryPointOfNumber(b);
            EXPECT_NEAR(static_cast<double>(AngleGap(with.longitudes[at], without.longitudes[at])), c.minor ? 3.0 : 0.0,
                        1e-12)
                << jd << " body " << b;
        }
        // The Moon's latitude is corrected wherever its longitude is.
        EXPECT_NEAR(static_cast<double>(with.latitudes[TheoryPoint::Moon] - without.latitudes[TheoryPoint::Moon]),
                    c.moon ? 0.01 : 0.0, 1e-12)
            << jd;
        // The tables needed are exactly those consulted.
        const TablesNeeded t = TablesNeededFor(0, c.jd, s);
        EXPECT_EQ(t.moon, src.moonCalls > 0) << jd;
        EXPECT_EQ(t.planets, !src.fields.empty()) << jd;
        EXPECT_EQ(t.blackMoon, src.blackMoonCalls > 0) << jd;
        EXPECT_EQ(t.minor, src.minorCalls + src.moonLatitudeCalls > 0) << jd;
        EXPECT_EQ(t.lunar, src.nodeFineCalls + src.blackMoonFineCalls > 0) << jd;
    }
}

TEST(BodyCorrections, FieldsAndKindsOfNodeAndBlackMoon) {
    const Real jd = 2451545.0;
    BodySettings s;
    s.trueNode = true;
    FixedCorrections all;
    BodyPositions p;
    RunBodyComputation({0}, jd, s, &all, p);
    EXPECT_EQ(all.fields, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}));

    // fast: longitudes corrected, latitudes not.
    FixedCorrections fast;
    RunBodyComputation({.mode = 0, .fast = true}, jd, s, &fast, p);
    EXPECT_EQ(fast.fields, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // Mean node and mean black moon are never corrected.
    s.trueNode = false;
    s.trueBlackMoon = false;
    FixedCorrections mean;
    RunBodyComputation({11}, jd, s, &mean, p);
    RunBodyComputation({12}, jd, s, &mean, p);
    EXPECT_TRUE(mean.fields.empty());
    EXPECT_EQ(mean.moonCalls, 0);  // the mean node needs no Moon
    EXPECT_EQ(mean.blackMoonCalls, 0);
    EXPECT_EQ(mean.nodeFineCalls + mean.blackMoonFineCalls, 0);
    EXPECT_FALSE(TablesNeededFor(11, jd, s).lunar);
    EXPECT_FALSE(TablesNeededFor(12, jd, s).lunar);

    // The true node's own correction only on top of the node's field: without
    // that table there is nothing for it to finish.
    s.trueNode = true;
    s.trueBlackMoon = true;
    s.useNodeTable = false;
    s.useBlackMoonTable = false;
    FixedCorrections bare;
    RunBodyComputation({11}, jd, s, &bare, p);
    RunBodyComputation({12}, jd, s, &bare, p);
    EXPECT_EQ(bare.nodeFineCalls + bare.blackMoonFineCalls, 0);
    EXPECT_FALSE(TablesNeededFor(0, jd, s).lunar);
    s.useNodeTable = true;
    s.useBlackMoonTable = true;
    s.trueNode = false;
    s.trueBlackMoon = false;

    // The true node alone computes the Sun and the corrected Moon first.
    s.trueNode = true;
    FixedCorrections node;
    BodyPositions q;
    q.longitudes.fill(-1);
    RunBodyComputation({11}, jd, s, &node, q);
    EXPECT_EQ(node.moonCalls, 1);
    EXPECT_EQ(node.fields, std::set<int>{9});
    EXPECT_GE(q.longitudes[TheoryPoint::Moon], 0);
}

TEST(Retrograde, RuleOnRawLongitudes) {
    TheoryTable later{}, present{};
    constexpr auto kAt = TheoryPointOfNumber;
    present[kAt(3)] = 100.0L;
    later[kAt(3)] = 99.99L;  // backwards: negated
    present[kAt(4)] = 100.0L;
    later[kAt(4)] = 100.01L;  // forwards
    present[kAt(5)] = 359.9L;
    later[kAt(5)] = 0.2L;  // forwards across 0 Aries
    present[kAt(6)] = 0.0003L;
    later[kAt(6)] = 359.9998L;  // backwards across 0 Aries: not seen
    present[kAt(7)] = 0.0L;
    later[kAt(7)] = 359.999L;  // exactly 0 can never come out negative
    present[kAt(8)] = 50.0L;
    later[kAt(8)] = 44.0L;  // a jump of 5 degrees or more
    present[kAt(9)] = 50.0L;
    later[kAt(9)] = 50.0L;  // not computed: equal
    EXPECT_TRUE(MovesBackwards(later[kAt(3)], present[kAt(3)]));
    EXPECT_FALSE(MovesBackwards(later[kAt(4)], present[kAt(4)]));
    EXPECT_FALSE(MovesBackwards(later[kAt(5)], present[kAt(5)]));
    EXPECT_FALSE(MovesBackwards(later[kAt(6)], present[kAt(6)]));
    EXPECT_FALSE(MovesBackwards(later[kAt(7)], present[kAt(7)]));
    EXPECT_FALSE(MovesBackwards(later[kAt(8)], present[kAt(8)]));
    EXPECT_FALSE(MovesBackwards(later[kAt(9)], present[kAt(9)]));
}

// The driver with the tables the build generated.
class BodiesOnChart : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(KELVOR_TEST_DATA_DIR);
        settings = BodySettings{};
        settings.trueNode = true;
        settings.trueBlackMoon = true;
    }
    void TearDown() override { std::filesystem::current_path(previous_); }
    std::filesystem::path previous_;
};

TEST_F(BodiesOnChart, MeanNodeAlwaysComesOutRetrogradeAndEntries13And14Never) {
    settings.trueNode = false;
    settings.ascendant = 15;
    settings.descendant = 195;
    for (Real jd = 2400000.5; jd < 2480000; jd += 3111.1L) {
        const ComputedBodies c = ComputeBodiesWithRetro(0, jd, settings);
        EXPECT_TRUE(c.bodies[Body::Node].retrograde) << static_cast<double>(jd);
        EXPECT_FALSE(c.bodies[Body::Sun].retrograde);  // never retrograde
        EXPECT_FALSE(c.bodies[Body::Moon].retrograde);
    }
}

TEST_F(BodiesOnChart, SunriseModeLeavesOtherEntriesAlone) {
    const ComputedBodies c = ComputeBodiesWithRetro(1, 2451545.0, settings);
    EXPECT_EQ(c.bodies[Body::Moon].longitude, 0);
    EXPECT_NEAR(static_cast<double>(c.bodies[Body::Sun].longitude), 280.37, 0.02);
    EXPECT_NE(c.equationOfTime, 0);
}

TEST(MissingTables, ReportedBeforeAnythingChanges) {
    testing_support::TempWorkFolder folder;  // an empty working folder: no tables
    EphemerisTables tables;                  // the tables of this folder
    settings = BodySettings{};
    settings.trueNode = true;
    settings.trueBlackMoon = true;
    ComputedBodies chart;
    chart.bodies[Body::Sun].longitude = 11;
    chart.bodies[Body::Moon].longitude = 22;
    chart.bodies[Body::Moon].latitude = 3;
    chart.equationOfTime = 0.5;
    const ComputedBodies before = chart;
    try {
        chart = ComputeBodiesWithRetro(0, 2451545.0, settings, tables);
        FAIL() << "no error for a missing table";
    } catch (const rt::IoError& e) {
        EXPECT_EQ(e.Code(), rt::kFileNotFound);
        EXPECT_NE(std::string(e.what()).find("DSEL.rnd"), std::string::npos) << e.what();
        EXPECT_EQ(std::string(e.what()).rfind("Manca la tabella", 0), 0u) << e.what();  // in Italian
    }
    EXPECT_EQ(chart.bodies, before.bodies);
    EXPECT_EQ(chart.equationOfTime, before.equationOfTime);
    EXPECT_THROW(static_cast<void>(ComputeBodies(3, false, 2451545.0, settings, tables)), EphemerisTableError);

    // A short table that cannot be put back is reported just the same.
    testing_support::NoInstalledCopies installation;
    testing_support::WriteBytes(folder.Path() / "FilePosi" / "DSEL.rnd", std::string(2 * 1000, '\0'));
    try {
        chart = ComputeBodies(2, false, 2451545.0, settings, tables);
        FAIL() << "no error for a short table";
    } catch (const EphemerisTableError& e) {
        EXPECT_EQ(e.Code(), rt::kReadBeyondEnd);
        EXPECT_NE(std::string(e.what()).find("(ha 1000 record dei 777955 che deve avere)"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(chart.bodies, before.bodies);

    // What reads no table goes on: the Sun alone, the mean node and black moon,
    // and dates beyond the tables.
    settings.trueNode = false;
    settings.trueBlackMoon = false;
    EXPECT_NO_THROW(static_cast<void>(ComputeBodies(1, false, 2451545.0, settings, tables)));
    EXPECT_NO_THROW(static_cast<void>(ComputeBodies(11, false, 2451545.0, settings, tables)));
    EXPECT_NO_THROW(static_cast<void>(ComputeBodies(12, false, 2451545.0, settings, tables)));
    EXPECT_NO_THROW(static_cast<void>(ComputeBodiesWithRetro(0, 2520000.5, settings, tables)));
    EXPECT_NO_THROW(static_cast<void>(ComputeBodiesWithRetro(0, 1700000.5, settings, tables)));
}

}  // namespace

}  // namespace bodies_compute_test
