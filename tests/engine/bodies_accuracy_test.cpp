// The body computation with its correction tables against the precise
// ephemeris library, on a modest grid of instants from the year 1 to 2130.
#include <gtest/gtest.h>

#ifdef KELVOR_HAVE_SWE

#include <cmath>
#include <filesystem>
#include <sstream>

#include "engine/bodies.h"
#include "engine/ephemeris_tables.h"
#include "tests/common/no_installed_copies.h"
#include "tests/common/test_support.h"
#include "tools/ephemeris_tables/precise_positions.h"

namespace bodies_accuracy_test {

namespace {

using namespace engine;

// The chart, birth data and orbs these tests hand to the engine.
BodySettings settings;

constexpr double kFirstDay = 1721434.0;  // the year 1, inside every table
constexpr double kLastDay = 2499373.0;   // 2130

class Accuracy : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(KELVOR_TEST_DATA_DIR);
        precise::Init();
        settings = BodySettings{};
        settings.trueNode = true;
        settings.trueBlackMoon = true;
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    // Largest errors (arc seconds) of one body on a grid.
    struct Worst {
        double lon = 0, lat = 0, lonAt = 0, latAt = 0;
        std::string Text() const {
            std::ostringstream s;
            s << "lon " << lon << "\" at JD " << lonAt << ", lat " << lat << "\" at JD " << latAt;
            return s.str();
        }
    };
    Worst Compare(int body, int mode, double from, double to, int samples, bool latitude = true) {
        Worst w;
        const double step = (to - from) / samples;
        for (int i = 0; i < samples; ++i) {
            // Irregular fractions of the day, never on a table record.
            const double jd = from + i * step + 0.137 + 0.71 * std::fmod(i * 0.618034, 1.0);
            const BodyPosition ours = ComputeBodies(mode, false, jd, settings).bodies[BodyOfNumber(body)];
            const precise::Position p = precise::At(jd, body, false, settings.trueNode, settings.trueBlackMoon);
            if (!p.ok) continue;
            const double dLon = std::fabs(precise::AngleDiff(p.lon, static_cast<double>(ours.longitude))) * 3600;
            const double dLat = latitude ? std::fabs(p.lat - static_cast<double>(ours.latitude)) * 3600 : 0;
            if (dLon > w.lon) w.lon = dLon, w.lonAt = jd;
            if (dLat > w.lat) w.lat = dLat, w.latAt = jd;
        }
        return w;
    }
    std::filesystem::path previous_;
};

TEST_F(Accuracy, MoonLongitudeWithinFiveArcSeconds) {
    const Worst w = Compare(kMoon, 2, kFirstDay, kLastDay, 4000, false);
    EXPECT_LT(w.lon, 5.0) << w.Text();
}

TEST_F(Accuracy, MoonLatitudeWithinTenArcSecondsFromYearOne) {
    const Worst w = Compare(kMoon, 2, kFirstDay, kLastDay, 6000);
    EXPECT_LT(w.lat, 10.0) << w.Text();
}

TEST_F(Accuracy, CeresToChironWithinOneArcMinuteWhereChartsKeepThem) {
    // Without their table these are off by up to 14 degrees (Vesta).
    for (int b = kCeres; b <= kChiron; ++b) {
        const Worst w = Compare(b, b, 2396758.5, 2481129.5, 3000, false);
        EXPECT_LT(w.lon, 60.0) << "body " << b << ": " << w.Text();
    }
}

TEST_F(Accuracy, MinorBodiesTableIsCheckedBeforeUse) {
    // A chart inside the span reads the table; a short one that cannot be put
    // back is refused and the chart is left as it was.
    testing_support::TempWorkFolder folder;
    testing_support::NoInstalledCopies installation;
    EphemerisTables tables;  // the tables of this folder
    std::filesystem::copy(std::filesystem::path(KELVOR_TEST_DATA_DIR) / "FilePosi", folder.Path() / "FilePosi");
    std::filesystem::resize_file(folder.Path() / "FilePosi" / "DMIN.rnd", 1000);
    EXPECT_THROW(static_cast<void>(ComputeBodies(kVesta, false, 2451545.0, settings, tables)), EphemerisTableError);
    // Outside the span no table is needed.
    EXPECT_NO_THROW(static_cast<void>(ComputeBodies(kVesta, false, 2300000.5, settings, tables)));
}

TEST_F(Accuracy, PlanetsWithinOneArcMinute) {
    for (int b = kMercury; b <= kPluto; ++b) {
        const Worst w = Compare(b, b, kFirstDay, kLastDay, 1500);
        EXPECT_LT(w.lon, 60.0) << "body " << b << ": " << w.Text();
        EXPECT_LT(w.lat, 60.0) << "body " << b << ": " << w.Text();
    }
}

TEST_F(Accuracy, OuterPlanetsDoNotJumpWhereTheirTheoryChanges) {
    // Element sets change at 1700.0, periodic additions start at 1900.0 and
    // stop at 2100.0 (T = -2, 0, 2).
    for (double t : {-2.0, 0.0, 2.0}) {
        const double centre = 2415020.0 + t * 36525;
        for (int b = kJupiter; b <= kPluto; ++b) {
            const Worst w = Compare(b, b, centre - 12, centre + 12, 80);
            EXPECT_LT(w.lon, 60.0) << "body " << b << " near T = " << t << ": " << w.Text();
            EXPECT_LT(w.lat, 60.0) << "body " << b << " near T = " << t << ": " << w.Text();
        }
    }
}

TEST_F(Accuracy, TrueNodeWithinTenArcSeconds) {
    // With the planet table's field alone it was off by up to 2.7'.
    const Worst w = Compare(kNode, kNode, kFirstDay, kLastDay, 3000, false);
    EXPECT_LT(w.lon, 10.0) << w.Text();
    // Around a record of the planet table, where its correction breaks off,
    // and the first and last days it applies (the grid's instants fall 0.137
    // to 0.85 days after its steps).
    for (double from : {2451543.2, 1721433.4, 2499372.0}) {
        const Worst near = Compare(kNode, kNode, from, from + 0.6, 40, false);
        EXPECT_LT(near.lon, 10.0) << near.Text();
    }
}

TEST_F(Accuracy, TrueBlackMoonWithinOneArcMinute) {
    // With its daily table alone it was off by up to 7.8'.
    const Worst w = Compare(kBlackMoon, kBlackMoon, 2396758.5, 2488433.0, 6000, false);
    EXPECT_LT(w.lon, 60.0) << w.Text();
    const Worst last = Compare(kBlackMoon, kBlackMoon, 2488432.0, 2488432.6, 60, false);
    EXPECT_LT(last.lon, 60.0) << last.Text();
}

TEST_F(Accuracy, LunarTableIsCheckedBeforeUse) {
    testing_support::TempWorkFolder folder;
    testing_support::NoInstalledCopies installation;
    EphemerisTables tables;  // the tables of this folder
    std::filesystem::copy(std::filesystem::path(KELVOR_TEST_DATA_DIR) / "FilePosi", folder.Path() / "FilePosi");
    std::filesystem::resize_file(folder.Path() / "FilePosi" / "DLUN.rnd", kLunarTableBytes - 1);
    EXPECT_THROW(static_cast<void>(ComputeBodies(kNode, false, 2451545.0, settings, tables)), EphemerisTableError);
    EXPECT_THROW(static_cast<void>(ComputeBodies(kBlackMoon, false, 2451545.0, settings, tables)), EphemerisTableError);
    // The mean node and black moon read no table; the planets not this one.
    settings.trueNode = false;
    settings.trueBlackMoon = false;
    EXPECT_NO_THROW(static_cast<void>(ComputeBodies(0, false, 2451545.0, settings, tables)));
}

TEST_F(Accuracy, NodeDirectionFollowsThePreciseNode) {
    // The true node moves forwards now and then: its retrograde sign must
    // follow the precise node's daily motion (stations excluded).
    int forwards = 0, backwards = 0;
    const double step = (kLastDay - kFirstDay) / 3000;
    for (int i = 0; i < 3000; ++i) {
        const double jd = kFirstDay + i * step + 0.31 + 0.37 * std::fmod(i * 0.618034, 1.0);
        const bool retrograde = ComputeBodiesWithRetro(kNode, jd, settings).bodies[Body::Node].retrograde;
        const precise::Position p = precise::At(jd, kNode, true);
        ASSERT_TRUE(p.ok);
        if (std::fabs(p.lonSpeed) < 0.005) continue;
        EXPECT_EQ(retrograde, p.lonSpeed < 0) << "JD " << jd << ", daily motion " << p.lonSpeed;
        ++(p.lonSpeed < 0 ? backwards : forwards);
    }
    EXPECT_GT(forwards, 100);
    EXPECT_GT(backwards, 1000);
}

TEST_F(Accuracy, MeanNodeAndMeanBlackMoonFollowTheirMeanElements) {
    settings.trueNode = false;
    settings.trueBlackMoon = false;
    // No table corrects them: the polynomials alone, over twenty centuries.
    const Worst node = Compare(kNode, kNode, kFirstDay, kLastDay, 1000, false);
    EXPECT_LT(node.lon, 300.0) << node.Text();
    const Worst apogee = Compare(kBlackMoon, kBlackMoon, kFirstDay, kLastDay, 1000, false);
    EXPECT_LT(apogee.lon, 900.0) << apogee.Text();
}

TEST_F(Accuracy, SunWithinHalfAnArcMinuteFromYearOne) {
    // The Sun has no correction table: its theory alone, run in dynamical
    // time (Delta T is three hours in the first century, 7' of the Sun's path).
    const Worst w = Compare(kSun, 1, kFirstDay, kLastDay, 6000);
    EXPECT_LT(w.lon, 30.0) << w.Text();
    EXPECT_LT(w.lat, 3.0) << w.Text();
}

TEST_F(Accuracy, RetrogradeMarksFollowThePreciseDailyMotion) {
    int checked = 0;
    const double step = (kLastDay - kFirstDay) / 500;
    for (int i = 0; i < 500; ++i) {
        const double jd = kFirstDay + i * step + 0.29 + 0.4 * std::fmod(i * 0.618034, 1.0);
        const ComputedBodies computed = ComputeBodiesWithRetro(0, jd, settings);
        for (int b = kSun; b <= kPluto; ++b) {
            const precise::Position p = precise::At(jd, b, true);
            ASSERT_TRUE(p.ok);
            // Stations excluded: a body nearly at rest may fall either way.
            if (std::fabs(p.lonSpeed) < 0.01) continue;
            const bool retro = computed.bodies[BodyOfNumber(b)].retrograde;
            EXPECT_EQ(retro, p.lonSpeed < 0) << "body " << b << " at JD " << jd << ", daily motion " << p.lonSpeed;
            ++checked;
        }
    }
    EXPECT_GT(checked, 4000);
}

}  // namespace

}  // namespace bodies_accuracy_test

#else
TEST(Accuracy, NeedsThePreciseEphemerisLibrary) { GTEST_SKIP(); }
#endif
