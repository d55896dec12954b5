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
#include "engine/ephemeris_tables.h"
#include "engine/houses.h"
#include "engine/planetary_hours.h"
#include "engine/receptions.h"
#include "tests/common/test_support.h"

namespace {

using namespace engine;

// The chart, birth data and orbs these tests hand to the engine.
ChartState Chart;
BirthDataState Birth;
OrbRecord Orbs;

constexpr long double kTolerance = 0.001L / 3600.0L;  // degrees

struct ReferenceChart {
    Real jd = 0;
    std::string nodeType, blackMoonType;
    Real ascendant = 0, descendant = 0;
    // lon, lat, ra, dec, hlon, hlat; bodies 1..19
    std::vector<std::pair<std::string, BodyArray>> rows;
    Real equationOfTime = 0;
};

struct ReferenceHouses {
    std::string system;
    Real ramc = 0, eps = 0, phi = 0;
    int status = 0;
    CuspArray cusps{};
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
            BodyArray a{};
            for (int b = 1; b <= 19; ++b) a[b] = ReadReal(in);
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

const BodyArray& ChartRow(const std::string& tag) {
    if (tag == "lon") return Chart.PlanetLongitudes;
    if (tag == "lat") return Chart.PlanetLatitudes;
    if (tag == "ra") return Chart.PlanetRightAscensions;
    if (tag == "dec") return Chart.PlanetDeclinations;
    if (tag == "hlon") return Chart.HelioLongitudes;
    return Chart.HelioLatitudes;
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
        ResetChartState(Chart, Birth, Orbs);
        Chart.NodeType = c.nodeType;
        Chart.BlackMoonType = c.blackMoonType;
        Chart.HouseCusps[1] = c.ascendant;
        Chart.HouseCusps[7] = c.descendant;
        ComputeBodiesWithRetro(Chart, 0, c.jd);
        ASSERT_EQ(c.rows.size(), 6u);
        for (const auto& [tag, expected] : c.rows) {
            const BodyArray& got = ChartRow(tag);
            const bool angle = tag == "lon" || tag == "ra" || tag == "hlon";
            for (int b = 1; b <= 19; ++b) {
                const std::string where = tag + " of body " + std::to_string(b) + " at JD " +
                                          std::to_string(static_cast<double>(c.jd));
                if (tag == "lon") {
                    // The sign is the retrograde mark.
                    EXPECT_EQ(std::signbit(got[b]), std::signbit(expected[b])) << where;
                    if (expected[b] < 0) ++retrograde;
                }
                const Real gap = angle ? AngleGap(std::fabs(got[b]), std::fabs(expected[b]))
                                       : got[b] - expected[b];
                EXPECT_LE(std::fabs(gap), kTolerance) << where << ": " << static_cast<double>(got[b])
                                                      << " against " << static_cast<double>(expected[b]);
            }
        }
        // Hours of time; a thousandth of an arc second is 1/15000 of a second of time.
        EXPECT_NEAR(static_cast<double>(Chart.EquationOfTime), static_cast<double>(c.equationOfTime),
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
                auto prepare = [&] {
                    ResetChartState(Chart, Birth, Orbs);
                    Chart.NodeType = trueTypes ? "VERO" : "MEDIO";
                    Chart.BlackMoonType = trueTypes ? "VERA" : "MEDIA";
                    Chart.HouseCusps[1] = 123.25L;
                    Chart.HouseCusps[7] = 303.25L;
                };
                prepare();
                ComputeBodies(Chart, mode, true, jd + 0.001L);
                const BodyArray later = Chart.PlanetLongitudes;
                ComputeBodies(Chart, mode, false, jd);
                BodyArray expected = Chart.PlanetLongitudes;
                MarkRetrograde(later, expected);
                const BodyArray latitudes = Chart.PlanetLatitudes;
                const BodyArray declinations = Chart.PlanetDeclinations;

                prepare();
                ComputeBodiesWithRetro(Chart, mode, jd);
                for (int b = 1; b <= 19; ++b) {
                    const std::string where = "mode " + std::to_string(mode) + ", body " +
                                              std::to_string(b) + " at JD " +
                                              std::to_string(static_cast<double>(jd));
                    EXPECT_EQ(std::signbit(Chart.PlanetLongitudes[b]), std::signbit(expected[b])) << where;
                    EXPECT_LE(std::fabs(AngleGap(std::fabs(Chart.PlanetLongitudes[b]), std::fabs(expected[b]))),
                              1e-9L)
                        << where;
                    EXPECT_LE(std::fabs(Chart.PlanetLatitudes[b] - latitudes[b]), 1e-9L) << where;
                    EXPECT_LE(std::fabs(Chart.PlanetDeclinations[b] - declinations[b]), 1e-9L) << where;
                    if (expected[b] < 0) ++marks;
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
        CuspArray c{};
        const HouseStatus status = CuspsFromRamc(h.system, h.ramc, h.eps, h.phi, c);
        const std::string where = h.system + " at RAMC " + std::to_string(static_cast<double>(h.ramc)) +
                                  ", latitude " + std::to_string(static_cast<double>(h.phi));
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
    ChartState chart;
    PlanetaryDay planetaryDay;
    HourBoundaryTable hourBoundaries{};
};

WholeChart ComputeWholeChart(const Person& p) {
    WholeChart w;
    ChartState& c = w.chart;
    c.DegToRad = kPi / 180;
    c.GregorianCalendar = true;
    c.HouseSystemName = p.houseSystem;
    c.NodeType = p.nodeType;
    c.BlackMoonType = p.blackMoonType;
    c.HouseCalcMode = 1;
    c.BirthDay = p.day;
    c.BirthMonth = p.month;
    c.BirthYear = p.year;
    c.BirthHourValue = p.hour;
    c.BirthMinuteValue = p.minute;
    c.BirthHour[1] = p.hour;
    c.BirthMinute[1] = p.minute;
    c.TimeZoneCorrection = p.zone;
    c.LongitudeDegrees[1] = p.place.lonDeg;
    c.LongitudeMinutes[1] = p.place.lonMin;
    c.LongitudeLetter[1] = p.place.lonLetter;
    c.LatitudeDegrees[1] = p.place.latDeg;
    c.LatitudeMinutes[1] = p.place.latMin;
    c.LatitudeLetter[1] = p.place.latLetter;
    c.JulianDay = JulianDayNumber(c, 1, p.day, p.month, p.year, p.hour, p.minute) + p.zone / 24;
    ComputeChartHouses(c);
    ComputeBodiesWithRetro(c, 0, c.JulianDay);
    ComputeReceptions(c);
    w.planetaryDay = FindPlanetaryDay(c);
    ComputeHouseCusps(c, PlaceOfChart(c), {w.planetaryDay.SunriseJulianDay - p.zone / 24, p.hour, p.minute, p.zone, 0},
                      w.hourBoundaries);
    return w;
}

void ExpectSameChart(const WholeChart& got, const WholeChart& alone, const std::string& who) {
    const ChartState& g = got.chart;
    const ChartState& a = alone.chart;
    EXPECT_EQ(g.PlanetLongitudes, a.PlanetLongitudes) << who;
    EXPECT_EQ(g.PlanetLatitudes, a.PlanetLatitudes) << who;
    EXPECT_EQ(g.PlanetRightAscensions, a.PlanetRightAscensions) << who;
    EXPECT_EQ(g.PlanetDeclinations, a.PlanetDeclinations) << who;
    EXPECT_EQ(g.HelioLongitudes, a.HelioLongitudes) << who;
    EXPECT_EQ(g.HelioLatitudes, a.HelioLatitudes) << who;
    EXPECT_EQ(g.EquationOfTime, a.EquationOfTime) << who;
    EXPECT_EQ(g.HouseCusps, a.HouseCusps) << who;
    EXPECT_EQ(g.MidheavenRad, a.MidheavenRad) << who;
    EXPECT_EQ(g.AscendantRad, a.AscendantRad) << who;
    EXPECT_EQ(g.HouseSystemName, a.HouseSystemName) << who;
    EXPECT_EQ(g.InEphemerisRange, a.InEphemerisRange) << who;
    EXPECT_EQ(g.PlanetSigns, a.PlanetSigns) << who;
    EXPECT_EQ(g.Receptions.PlanetSignKeys, a.Receptions.PlanetSignKeys) << who;
    EXPECT_EQ(g.Receptions.PlanetDignity, a.Receptions.PlanetDignity) << who;
    EXPECT_EQ(g.Receptions.ReceptionGroup, a.Receptions.ReceptionGroup) << who;
    EXPECT_EQ(g.Receptions.ReceptionBodies, a.Receptions.ReceptionBodies) << who;
    EXPECT_EQ(g.LocalSiderealTime, a.LocalSiderealTime) << who;
    EXPECT_EQ(g.WeekdayName, a.WeekdayName) << who;
    EXPECT_EQ(got.planetaryDay.SunriseJulianDay, alone.planetaryDay.SunriseJulianDay) << who;
    EXPECT_EQ(got.planetaryDay.SunriseFound, alone.planetaryDay.SunriseFound) << who;
    EXPECT_EQ(got.planetaryDay.Index, alone.planetaryDay.Index) << who;
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
    ASSERT_NE(northAlone.chart.PlanetLongitudes, southAlone.chart.PlanetLongitudes);
    ASSERT_NE(northAlone.chart.PlanetLatitudes, southAlone.chart.PlanetLatitudes);
    ASSERT_NE(northAlone.chart.HouseCusps, southAlone.chart.HouseCusps);
    ASSERT_NE(northAlone.chart.HouseSystemName, southAlone.chart.HouseSystemName);
    ASSERT_NE(northAlone.chart.WeekdayName, southAlone.chart.WeekdayName);
    ASSERT_NE(northAlone.chart.LocalSiderealTime, southAlone.chart.LocalSiderealTime);
    ASSERT_NE(northAlone.hourBoundaries, southAlone.hourBoundaries);
    ASSERT_NE(northAlone.chart.Receptions.PlanetSignKeys, southAlone.chart.Receptions.PlanetSignKeys);

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
