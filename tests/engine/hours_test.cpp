// Planetary-hour boundaries, weekdays and the sunrise search.
#include "engine/planetary_hours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/engine_settings.h"
#include "engine/houses.h"
#include "tests/common/test_support.h"

#ifdef KELVOR_HAVE_SWE
#include <swephexp.h>
#endif

namespace hours_test {

using namespace engine;

namespace {

// The chart these tests hand to the engine.
Chart theChart;

}  // namespace

namespace {

double AngleGap(long double a, long double b) {
    double d = std::fmod(static_cast<double>(a - b), 360.0);
    if (d < 0) d += 360.0;
    return d > 180.0 ? 360.0 - d : d;
}

// Right ascension (degrees) of an ecliptic longitude.
long double RightAscension(long double lon, long double eps) {
    const long double r = kPi / 180;
    long double a = std::atan2(std::sin(lon * r) * std::cos(eps * r), std::cos(lon * r)) / r;
    return a < 0 ? a + 360 : a;
}

// A working folder with the ephemeris correction tables of the build.
struct EphemerisFolder {
    testing_support::TempWorkFolder folder;
    EphemerisFolder() {
        std::filesystem::create_directory_symlink(std::filesystem::path(std::getenv("KELVOR_DATA_DIR")) / "FilePosi",
                                                  folder.Path() / "FilePosi");
    }
};

// Rome: 41 54 N, 12 29 E.
void SetRome(CivilDate date, long double zone) {
    theChart = Chart{};
    theChart.settings.houseSystem = ParseHouseSystem("PLACIDO");
    theChart.settings.node = ParseNodeKind("VERO");
    theChart.settings.blackMoon = ParseBlackMoonKind("MEDIA");
    theChart.moment.gregorian = true;
    theChart.moment.day = date.day;
    theChart.moment.month = date.month;
    theChart.moment.year = date.year;
    theChart.moment.zoneCorrection = zone;
    theChart.place = PlaceOf({12, 29, "E", 41, 54, "N"});
}

}  // namespace

TEST(HourBoundaries, AnglesCuspsAndWrapEntries) {
    const Place rome = PlaceOf({12, 29, "E", 41, 54, "N"});
    const HourBoundaries boundaries = ComputeHourBoundaries(rome, {2447892.0L, 9, 30, -1, 0});
    ASSERT_TRUE(boundaries.semiArcsExist);
    const HourBoundaryTable& t = boundaries.table;
    const HouseCusps c = ComputeHouses(ParseHouseSystem("PLACIDO").kind, rome, {2447892.0L, 9, 30, -1, 0}).cusps;
    EXPECT_NEAR(AngleGap(t[1], c[1]), 0, 1e-9);
    EXPECT_NEAR(AngleGap(t[7], c[10]), 0, 1e-9);
    EXPECT_NEAR(AngleGap(t[13], t[1] + 180), 0, 1e-9);
    EXPECT_NEAR(AngleGap(t[19], c[10] + 180), 0, 1e-9);
    // The odd entries are the Placidus cusps.
    const int entry[] = {3, 5, 9, 11, 15, 17, 21, 23};
    const int cusp[] = {12, 11, 9, 8, 6, 5, 3, 2};
    for (int i = 0; i < 8; ++i) EXPECT_NEAR(AngleGap(t[entry[i]], c[cusp[i]]), 0, 1e-9) << entry[i];
    EXPECT_EQ(t[25], t[1]);
    EXPECT_EQ(t[0], t[24]);
    // Entries follow the daily motion: each step goes back in longitude.
    for (int j = 1; j <= 24; ++j) {
        long double step = t[j] - t[j + 1];
        if (step < 0) step += 360;
        EXPECT_GT(step, 0.0L) << j;
        EXPECT_LT(step, 90.0L) << j;
    }
}

TEST(HourBoundaries, EquatorHalvesRightAscension) {
    const HourBoundaries boundaries = ComputeHourBoundaries(PlaceOf({30, 0, "E", 0, 0, "N"}), {2451545.0L, 6, 0, 0, 0});
    ASSERT_TRUE(boundaries.semiArcsExist);
    const HourBoundaryTable& t = boundaries.table;
    const long double eps = TrueObliquity(2451545.0L);
    for (int j = 2; j <= 24; j += 2) {
        long double a = RightAscension(t[j - 1], eps), b = RightAscension(t[j], eps), c = RightAscension(t[j + 1], eps);
        EXPECT_NEAR(AngleGap(a - b, b - c), 0, 1e-9) << j;
    }
}

TEST(HourBoundaries, PolarPlaceFallsBackWithoutNaN) {
    const HourBoundaries boundaries =
        ComputeHourBoundaries(PlaceOf({18, 57, "E", 69, 39, "N"}), {2451545.0L, 12, 0, -1, 0});
    EXPECT_FALSE(boundaries.semiArcsExist);
    const HourBoundaryTable& t = boundaries.table;
    for (int j = 0; j <= 25; ++j) EXPECT_TRUE(std::isfinite(static_cast<double>(t[j]))) << j;
    EXPECT_EQ(t[25], t[1]);
}

TEST(Weekday, NamesAndDayBoundaries) {
    const int index = WeekdayOfJulianDay(2451545.0L);  // 2000-01-01 12h
    EXPECT_EQ(index, 6);
    EXPECT_STREQ(kWeekdayNames[static_cast<std::size_t>(index)], "Zaterdag");
    // Each midnight of a week exactly, never the day before.
    for (int d = 0; d < 7; ++d) EXPECT_EQ(WeekdayOfJulianDay(2451545.5L + d), d);
}

// The geometric sunrise (disc centre, no refraction, geocentric) of a day in
// Rome, as a Julian day, found by the reference library.
#ifdef KELVOR_HAVE_SWE
static double ReferenceSunrise(double fromJd) {
    double geopos[3] = {12 + 29.0 / 60, 41.9, 0};
    double rise = 0;
    char err[256] = {};
    swe_rise_trans(fromJd, SE_SUN, nullptr, SEFLG_MOSEPH,
                   SE_CALC_RISE | SE_BIT_GEOCTR_NO_ECL_LAT | SE_BIT_NO_REFRACTION | SE_BIT_DISC_CENTER, geopos, 0, 0,
                   &rise, err);
    return rise;
}

TEST(Sunrise, RomeWinterAndSummerTime) {
    EphemerisFolder folder;
    struct Day {
        int d, m, y;
        long double zone;
    };
    for (const Day day : {Day{15, 1, 1990, -1}, Day{21, 6, 1995, -2}, Day{3, 11, 2010, -1}}) {
        SetRome({day.d, day.m, day.y}, day.zone);
        for (Body b : kBodies) theChart.bodies[b].longitude = (static_cast<int>(b) + 1) * 3.5L;
        for (int i = 1; i <= 12; ++i) theChart.cusps[i] = i * 7.25L;
        theChart.points.midheaven = 1.25L;
        const Chart before = theChart;

        const Sunrise sunrise = FindSunrise(theChart);
        ASSERT_TRUE(sunrise.found);
        const long double rise = sunrise.julianDay;
        const long double midnight = JulianDayNumber(1, day.d, day.m, day.y, 0, 0) + day.zone / 24;
        const double expected = ReferenceSunrise(static_cast<double>(midnight));
        EXPECT_NEAR(static_cast<double>(rise), expected, 5.0 / 1440) << day.d << "/" << day.m;
        EXPECT_GT(rise, midnight);
        EXPECT_LT(rise, midnight + 1);

        EXPECT_EQ(theChart.bodies, before.bodies);
        EXPECT_EQ(theChart.cusps, before.cusps);
        EXPECT_EQ(theChart.points, before.points);
    }
}
#endif

TEST(Sunrise, PolarNightIsReported) {
    EphemerisFolder folder;
    // Tromso in the polar night: the Sun never reaches the Ascendant.
    SetRome({20, 12, 2000}, -1);
    theChart.place = PlaceOf({18, 57, "E", 69, 39, "N"});
    const Chart before = theChart;
    const Sunrise sunrise = FindSunrise(theChart);
    EXPECT_FALSE(sunrise.found);
    const long double rise = sunrise.julianDay;
    EXPECT_TRUE(std::isfinite(static_cast<double>(rise)));
    const long double midnight = JulianDayNumber(1, 20, 12, 2000, 0, 0) - 1.0L / 24;
    EXPECT_GE(rise, midnight);
    EXPECT_LT(rise, midnight + 1);
    EXPECT_EQ(theChart.cusps, before.cusps);
}

TEST(PlanetaryDay, CountsFromSunriseInUniversalTime) {
    // Thursday 22 February 1990 in Rome (clock one hour ahead of UT): sunrise
    // at 06:01 UT. 06:30 by the clock is 05:30 UT, before it: Wednesday.
    const long double zone = -1;
    const long double sunrise = JulianDayNumber(1, 22, 2, 1990, 6, 1);
    const auto at = [&](int hour, int minute) { return JulianDayNumber(1, 22, 2, 1990, hour, minute) + zone / 24; };
    EXPECT_EQ(PlanetaryDayIndex(at(6, 30), zone, {sunrise, true}), 3);
    EXPECT_STREQ(kWeekdayNames[3], "Woensdag");
    EXPECT_EQ(PlanetaryDayIndex(at(7, 30), zone, {sunrise, true}), 4);
    EXPECT_STREQ(kWeekdayNames[4], "Donderdag");
    // At the moment found for sunrise the day has not yet turned.
    EXPECT_EQ(PlanetaryDayIndex(sunrise, zone, {sunrise, true}), 3);
    // Late in the evening, and just before the clock's midnight, still Thursday.
    EXPECT_EQ(PlanetaryDayIndex(at(23, 59), zone, {sunrise, true}), 4);
    // West of Greenwich (New York, five hours behind): 06:30 by the clock is
    // 11:30 UT, before a sunrise at 11:45 UT.
    const long double westSunrise = JulianDayNumber(1, 22, 2, 1990, 11, 45);
    EXPECT_EQ(PlanetaryDayIndex(JulianDayNumber(1, 22, 2, 1990, 6, 30) + 5.0L / 24, 5, {westSunrise, true}), 3);
    EXPECT_EQ(PlanetaryDayIndex(JulianDayNumber(1, 22, 2, 1990, 7, 0) + 5.0L / 24, 5, {westSunrise, true}), 4);
    // No sunrise that day (polar night): the clock date's weekday.
    EXPECT_EQ(PlanetaryDayIndex(at(6, 30), zone, {sunrise, false}), 4);
}

TEST(PlanetaryDay, TheSunriseOfTheChartsBirthDate) {
    EphemerisFolder folder;
    SetRome({22, 2, 1990}, -1);
    theChart.moment.julianDay = JulianDayNumber(1, 22, 2, 1990, 6, 30) - 1.0L / 24;
    const Chart before = theChart;
    const PlanetaryDay day = FindPlanetaryDay(theChart);
    EXPECT_TRUE(day.sunriseFound);
    // About 07:01 by the clock, 06:01 UT.
    const long double sunriseUt = JulianDayNumber(1, 22, 2, 1990, 6, 1);
    EXPECT_NEAR(static_cast<double>(day.sunriseJulianDay), static_cast<double>(sunriseUt), 5.0 / 1440);
    EXPECT_EQ(day.index, 3);
    EXPECT_STREQ(kWeekdayNames[static_cast<std::size_t>(day.index)], "Woensdag");
    EXPECT_EQ(theChart.bodies, before.bodies);
    EXPECT_EQ(theChart.cusps, before.cusps);
}

TEST(Sunrise, TheSunsReturnWeeksLaterIsNoSunriseOfThePolarNight) {
    // Tromso, 21 December 1995: the Sun stays three degrees below the horizon
    // at noon. The search runs on to its return in February; that is no
    // sunrise of the day, and a birth at 08:00 keeps its own weekday (Thursday).
    EphemerisFolder folder;
    SetRome({21, 12, 1995}, -1);
    theChart.place = PlaceOf({18, 57, "E", 69, 39, "N"});
    theChart.moment.julianDay = JulianDayNumber(1, 21, 12, 1995, 8, 0) - 1.0L / 24;
    EXPECT_FALSE(FindSunrise(theChart).found);
    const PlanetaryDay day = FindPlanetaryDay(theChart);
    EXPECT_FALSE(day.sunriseFound);
    EXPECT_EQ(day.index, 4);
}

}  // namespace hours_test
