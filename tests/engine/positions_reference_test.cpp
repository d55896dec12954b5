// The bodies of whole charts (with their retrograde marks) and the house cusps
// of every system, against reference values kept in
// tests/fixtures/engine/body_positions_reference.txt. The reference was written
// by the computation as it stood before it was made faster: 200 charts from
// year 1 to 2130 (60 of them within the span where the minor bodies are kept),
// with the true and mean node and black moon in turn, and 48 places and
// sidereal times for each house system. A faster computation must give the
// same figures within a thousandth of an arc second, and the same marks. The
// true node's and the true black moon's figures were written again when their
// own correction table ("FilePosi\DLUN.rnd") was added.
#include <gtest/gtest.h>

#include <cmath>
#include <exception>
#include <filesystem>
#include <functional>
#include <latch>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/chart_computation.h"
#include "engine/engine_settings.h"
#include "engine/ephemeris_tables.h"
#include "engine/houses.h"
#include "engine/planetary_hours.h"
#include "engine/receptions.h"
#include "tests/common/test_support.h"

namespace positions_reference_test {

namespace {

using namespace engine;


constexpr long double kTolerance = 0.001L / 3600.0L;  // degrees

struct ReferenceChart {
    Real jd = 0;
    std::string nodeType, blackMoonType;
    Real ascendant = 0, descendant = 0;
    // lon, lat, ra, dec, hlon, hlat; bodies 1..19
    std::vector<std::pair<std::string, TheoryTable>> rows;
    Real equationOfTime = 0;
};

struct ReferenceHouses {
    std::string system;
    Real ramc = 0, eps = 0, phi = 0;
    int status = 0;
    HouseCusps cusps;
};

struct Reference {
    std::vector<ReferenceChart> charts;
    std::vector<ReferenceHouses> houses;
};

Real ReadReal(std::istringstream& in) {
    std::string word;
    in >> word;
    return std::strtold(word.c_str(), nullptr);
}

Reference ReadReference() {
    std::istringstream file(testing_support::ReadFixture("engine/body_positions_reference.txt"));
    Reference r;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream in(line);
        std::string tag;
        in >> tag;
        if (tag == "chart") {
            ReferenceChart c;
            c.jd = ReadReal(in);
            in >> c.nodeType >> c.blackMoonType;
            c.ascendant = ReadReal(in);
            c.descendant = ReadReal(in);
            r.charts.push_back(c);
        } else if (tag == "eot") {
            r.charts.back().equationOfTime = ReadReal(in);
        } else if (tag == "houses") {
            ReferenceHouses h;
            in >> h.system;
            h.ramc = ReadReal(in);
            h.eps = ReadReal(in);
            h.phi = ReadReal(in);
            in >> h.status;
            for (int k = 1; k <= 12; ++k) h.cusps[k] = ReadReal(in);
            r.houses.push_back(h);
        } else if (!tag.empty()) {
            TheoryTable a{};
            for (int b = 1; b <= 19; ++b) a[TheoryPointOfNumber(b)] = ReadReal(in);
            r.charts.back().rows.emplace_back(tag, a);
        }
    }
    return r;
}

// Difference of two angles in degrees, within +-180.
Real AngleGap(Real a, Real b) {
    Real d = std::fmod(a - b, 360.0L);
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

// The rows of the reference by body number 1..19: the chart's bodies, and in
// entries 13 and 14 the angles' own (from the theories, which compute them
// from the settings alone); a retrograde body's longitude negated, as the
// reference writes it.
struct Rows {
    TheoryTable lon{}, lat{}, ra{}, dec{}, hlon{}, hlat{};
    const TheoryTable& Of(const std::string& tag) const {
        if (tag == "lon") return lon;
        if (tag == "lat") return lat;
        if (tag == "ra") return ra;
        if (tag == "dec") return dec;
        if (tag == "hlon") return hlon;
        return hlat;
    }
};

Rows RowsOf(const ComputedBodies& c, Real jd, BodySettings settings) {
    Rows r;
    settings.useMoonTable = settings.usePlanetTable = settings.useNodeTable = settings.useBlackMoonTable = false;
    settings.useMinorTable = settings.useLunarTable = false;
    BodyPositions angles;
    RunBodyComputation({0}, jd, settings, nullptr, angles);
    for (TheoryPoint n : {TheoryPoint::Ascendant, TheoryPoint::Descendant}) {
        r.lon[n] = angles.longitudes[n];
        r.lat[n] = angles.latitudes[n];
        r.ra[n] = angles.rightAscensions[n];
        r.dec[n] = angles.declinations[n];
        r.hlon[n] = angles.helioLongitudes[n];
        r.hlat[n] = angles.helioLatitudes[n];
    }
    for (Body b : kBodies) {
        const TheoryPoint n = TheoryPointOf(b);
        const BodyPosition& p = c.bodies[b];
        r.lon[n] = p.retrograde ? -p.longitude : p.longitude;
        r.lat[n] = p.latitude;
        r.ra[n] = p.rightAscension;
        r.dec[n] = p.declination;
        r.hlon[n] = p.helioLongitude;
        r.hlat[n] = p.helioLatitude;
    }
    return r;
}

BodySettings SettingsOf(const std::string& nodeType, const std::string& blackMoonType, Real ascendant,
                        Real descendant) {
    BodySettings s;
    s.trueNode = nodeType == "VERO";
    s.trueBlackMoon = blackMoonType == "VERA";
    s.ascendant = ascendant;
    s.descendant = descendant;
    return s;
}

class PositionsReference : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(KELVOR_TEST_DATA_DIR);
    }
    void TearDown() override { std::filesystem::current_path(previous_); }
    std::filesystem::path previous_;
};

TEST_F(PositionsReference, WholeChartsAndRetrogradeMarksAsBefore) {
    const Reference ref = ReadReference();
    ASSERT_EQ(ref.charts.size(), 200u);
    int retrograde = 0;
    for (const ReferenceChart& c : ref.charts) {
        const BodySettings settings = SettingsOf(c.nodeType, c.blackMoonType, c.ascendant, c.descendant);
        const ComputedBodies computed = ComputeBodiesWithRetro(0, c.jd, settings);
        const Rows rows = RowsOf(computed, c.jd, settings);
        ASSERT_EQ(c.rows.size(), 6u);
        for (const auto& [tag, expected] : c.rows) {
            const TheoryTable& got = rows.Of(tag);
            const bool angle = tag == "lon" || tag == "ra" || tag == "hlon";
            for (int number = 1; number <= 19; ++number) {
                const TheoryPoint b = TheoryPointOfNumber(number);
                const std::string where =
                    tag + " of body " + std::to_string(number) + " at JD " + std::to_string(static_cast<double>(c.jd));
                if (tag == "lon") {
                    // The sign is the retrograde mark.
                    EXPECT_EQ(std::signbit(got[b]), std::signbit(expected[b])) << where;
                    if (expected[b] < 0) ++retrograde;
                }
                const Real gap = angle ? AngleGap(std::fabs(got[b]), std::fabs(expected[b])) : got[b] - expected[b];
                EXPECT_LE(std::fabs(gap), kTolerance)
                    << where << ": " << static_cast<double>(got[b]) << " against " << static_cast<double>(expected[b]);
            }
        }
        // Hours of time; a thousandth of an arc second is 1/15000 of a second of time.
        EXPECT_NEAR(static_cast<double>(computed.equationOfTime), static_cast<double>(c.equationOfTime),
                    0.001 / 15.0 / 3600.0)
            << "equation of time at JD " << static_cast<double>(c.jd);
    }
    // The sample holds retrograde bodies in plenty (the mean node is always one).
    EXPECT_GT(retrograde, 400);
}

// The retrograde pass computes the longitudes alone; for every mode it must
// give what two separate computations give: the later moment's
// longitudes (fast), then the chart moment, then the rule.
TEST_F(PositionsReference, RetrogradePassOfEveryModeAsTwoSeparateComputations) {
    const int modes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17, 18, 19, 20, 21};
    int marks = 0;
    for (const int mode : modes) {
        for (Real jd = 2299161.3L; jd < 2480000; jd += 4321.77L) {
            for (const bool trueTypes : {true, false}) {
                const BodySettings settings =
                    SettingsOf(trueTypes ? "VERO" : "MEDIO", trueTypes ? "VERA" : "MEDIA", 123.25L, 303.25L);
                const ComputedBodies later = ComputeBodies(mode, true, jd + 0.001L, settings);
                const ComputedBodies expected = ComputeBodies(mode, false, jd, settings);
                const ComputedBodies got = ComputeBodiesWithRetro(mode, jd, settings);
                for (Body b : kBodies) {
                    const std::string where = "mode " + std::to_string(mode) + ", body " +
                                              std::to_string(BodyNumberOf(b)) + " at JD " +
                                              std::to_string(static_cast<double>(jd));
                    const bool backwards = MovesBackwards(later.bodies[b].longitude, expected.bodies[b].longitude);
                    EXPECT_EQ(got.bodies[b].retrograde, backwards) << where;
                    EXPECT_LE(std::fabs(AngleGap(got.bodies[b].longitude, expected.bodies[b].longitude)), 1e-9L)
                        << where;
                    EXPECT_LE(std::fabs(got.bodies[b].latitude - expected.bodies[b].latitude), 1e-9L) << where;
                    EXPECT_LE(std::fabs(got.bodies[b].declination - expected.bodies[b].declination), 1e-9L) << where;
                    if (backwards) ++marks;
                }
            }
        }
    }
    EXPECT_GT(marks, 500);
}

TEST_F(PositionsReference, HouseCuspsOfEverySystemAsBefore) {
    const Reference ref = ReadReference();
    ASSERT_EQ(ref.houses.size(), 48u * 8u);
    for (const ReferenceHouses& h : ref.houses) {
        HouseCusps c;
        const HouseStatus status = CuspsFromRamc(ParseHouseSystem(h.system).kind, {h.ramc, h.eps, h.phi}, c);
        const std::string where = h.system + " at RAMC " + std::to_string(static_cast<double>(h.ramc)) + ", latitude " +
                                  std::to_string(static_cast<double>(h.phi));
        EXPECT_EQ(static_cast<int>(status), h.status) << where;
        for (int k = 1; k <= 12; ++k)
            EXPECT_LE(std::fabs(AngleGap(c[k], h.cusps[k])), kTolerance) << where << ", cusp " << k;
    }
}

// A whole chart of a person as the program computes one: the houses, the
// bodies with their retrograde marks, the receptions, the planetary day from
// sunrise and the planetary-hour boundaries.
struct Person {
    int day, month, year, hour, minute;
    Real zone;  // universal time = clock + zone
    PlaceFields place;
    const char* houseSystem;
    const char* nodeType;
    const char* blackMoonType;
};

struct WholeChart {
    Chart chart;
    PlanetaryDay planetaryDay;
    HourBoundaryTable hourBoundaries{};
};

WholeChart ComputeWholeChart(const Person& p) {
    WholeChart w;
    Moment m;
    m.gregorian = true;
    m.day = p.day;
    m.month = p.month;
    m.year = p.year;
    m.hour = p.hour;
    m.minute = p.minute;
    m.zoneCorrection = p.zone;
    m.julianDay = JulianDayNumber(1, p.day, p.month, p.year, p.hour, p.minute) + p.zone / 24;
    ChartSettings settings;
    settings.houseSystem = ParseHouseSystem(p.houseSystem);
    settings.node = ParseNodeKind(p.nodeType);
    settings.blackMoon = ParseBlackMoonKind(p.blackMoonType);
    w.chart = ComputeChart(m, PlaceOf(p.place), settings);
    w.chart.receptions = ComputeReceptions(w.chart);
    w.planetaryDay = FindPlanetaryDay(w.chart);
    w.hourBoundaries = ComputeHourBoundaries(w.chart.place, {w.planetaryDay.sunriseJulianDay - p.zone / 24, p.hour,
                                                             p.minute, p.zone, 0})
                           .table;
    return w;
}

void ExpectSameChart(const WholeChart& got, const WholeChart& alone, const std::string& who) {
    const Chart& g = got.chart;
    const Chart& a = alone.chart;
    EXPECT_EQ(g.bodies, a.bodies) << who;
    EXPECT_EQ(g.equationOfTime, a.equationOfTime) << who;
    EXPECT_EQ(g.cusps, a.cusps) << who;
    EXPECT_EQ(g.points, a.points) << who;
    EXPECT_EQ(g.settings, a.settings) << who;
    EXPECT_EQ(g.receptions, a.receptions) << who;
    EXPECT_EQ(g.localSiderealTime, a.localSiderealTime) << who;
    EXPECT_EQ(got.planetaryDay.sunriseJulianDay, alone.planetaryDay.sunriseJulianDay) << who;
    EXPECT_EQ(got.planetaryDay.sunriseFound, alone.planetaryDay.sunriseFound) << who;
    EXPECT_EQ(got.planetaryDay.index, alone.planetaryDay.index) << who;
    EXPECT_EQ(got.hourBoundaries, alone.hourBoundaries) << who;
}

// Two people's charts, computed one after the other and at once on two
// threads, each into its own chart: each is the chart computed alone. One
// born beyond the northern polar circle with the true node and black moon,
// one in the southern hemisphere, west of Greenwich, with the mean ones.
TEST_F(PositionsReference, TwoPeoplesChartsOneAfterTheOtherOrOnTwoThreadsAreEachTheirOwn) {
    const Person north{15, 1, 1961, 3, 20, -1, {18, 57, "E", 69, 39, "N"}, "REGIOMONT", "VERO", "VERA"};
    const Person south{9, 8, 2003, 21, 45, 3, {58, 22, "W", 34, 36, "S"}, "PLACIDO", "MEDIO", "MEDIA"};
    const WholeChart northAlone = ComputeWholeChart(north);
    const WholeChart southAlone = ComputeWholeChart(south);
    // The two charts differ wherever a mix-up could show.
    ASSERT_NE(northAlone.chart.bodies[Body::Sun].longitude, southAlone.chart.bodies[Body::Sun].longitude);
    ASSERT_NE(northAlone.chart.bodies[Body::Moon].latitude, southAlone.chart.bodies[Body::Moon].latitude);
    ASSERT_NE(northAlone.chart.cusps, southAlone.chart.cusps);
    ASSERT_NE(northAlone.chart.settings.houseSystem, southAlone.chart.settings.houseSystem);
    ASSERT_NE(northAlone.planetaryDay.index, southAlone.planetaryDay.index);
    ASSERT_NE(northAlone.chart.localSiderealTime, southAlone.chart.localSiderealTime);
    ASSERT_NE(northAlone.hourBoundaries, southAlone.hourBoundaries);
    ASSERT_NE(northAlone.chart.receptions.planetSignKeys, southAlone.chart.receptions.planetSignKeys);

    // One after the other, in the other order.
    const WholeChart southFirst = ComputeWholeChart(south);
    const WholeChart northSecond = ComputeWholeChart(north);
    ExpectSameChart(southFirst, southAlone, "south, computed first");
    ExpectSameChart(northSecond, northAlone, "north, computed after the south");

    // At once on two threads, both starting together with the correction and
    // exchange tables to be looked at again, so that both need them at the start.
    ShippedEphemerisTables().Reload();
    ShippedExchangeTables().Reload();
    std::latch start(2);
    WholeChart northOnThread, southOnThread;
    std::exception_ptr northError, southError;
    const auto compute = [&start](const Person& p, WholeChart& out, std::exception_ptr& error) {
        start.arrive_and_wait();
        try {
            out = ComputeWholeChart(p);
        } catch (...) {
            error = std::current_exception();
        }
    };
    std::thread first(compute, std::cref(north), std::ref(northOnThread), std::ref(northError));
    std::thread second(compute, std::cref(south), std::ref(southOnThread), std::ref(southError));
    first.join();
    second.join();
    ASSERT_FALSE(northError);
    ASSERT_FALSE(southError);
    ExpectSameChart(northOnThread, northAlone, "north, on its own thread");
    ExpectSameChart(southOnThread, southAlone, "south, on its own thread");
}

}  // namespace

}  // namespace positions_reference_test
