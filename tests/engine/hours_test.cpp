// Planetary-hour boundaries, weekdays and the sunrise search.
#include "engine/planetary_hours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/houses.h"
#include "tests/common/test_support.h"

#ifdef KELVOR_HAVE_SWE
#include <swephexp.h>
#endif

using namespace engine;

namespace {

// The chart, birth data and orbs these tests hand to the engine.
ChartState Chart;
BirthDataState Birth;
OrbRecord Orbs;

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
        std::filesystem::create_directory_symlink(
            std::filesystem::path(std::getenv("KELVOR_DATA_DIR")) / "FilePosi", folder.Path() / "FilePosi");
    }
};

// Rome: 41 54 N, 12 29 E.
void SetRome(int day, int month, int year, long double zone) {
    ResetChartState(Chart, Birth, Orbs);
    Chart.HouseSystemName = "PLACIDO";
    Chart.NodeType = "VERO";
    Chart.BlackMoonType = "MEDIA";
    Chart.DegToRad = kPi / 180;
    Chart.GregorianCalendar = true;
    Chart.BirthDay = day;
    Chart.BirthMonth = month;
    Chart.BirthYear = year;
    Chart.TimeZoneCorrection = zone;
    Chart.LatitudeDegrees[1] = 41;
    Chart.LatitudeMinutes[1] = 54;
    Chart.LatitudeLetter[1] = "N";
    Chart.LongitudeDegrees[1] = 12;
    Chart.LongitudeMinutes[1] = 29;
    Chart.LongitudeLetter[1] = "E";
    Chart.HouseCalcMode = 1;
}

}  // namespace

TEST(HourBoundaries, AnglesCuspsAndWrapEntries) {
    ResetChartState(Chart, Birth, Orbs);
    Chart.HouseSystemName = "PLACIDO";
    HourBoundaryTable t{};
    ASSERT_TRUE(ComputeHouseCusps(Chart, {12, 29, "E", 41, 54, "N"}, {2447892.0L, 9, 30, -1, 0}, t));
    CuspArray c{};
    ComputeHouses(Chart, 1, {12, 29, "E", 41, 54, "N"}, {2447892.0L, 9, 30, -1, 0, "N"}, c);
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
    ResetChartState(Chart, Birth, Orbs);
    HourBoundaryTable t{};
    ASSERT_TRUE(ComputeHouseCusps(Chart, {30, 0, "E", 0, 0, "N"}, {2451545.0L, 6, 0, 0, 0}, t));
    const long double eps = TrueObliquity(2451545.0L);
    for (int j = 2; j <= 24; j += 2) {
        long double a = RightAscension(t[j - 1], eps), b = RightAscension(t[j], eps),
                    c = RightAscension(t[j + 1], eps);
        EXPECT_NEAR(AngleGap(a - b, b - c), 0, 1e-9) << j;
    }
}

TEST(HourBoundaries, PolarPlaceFallsBackWithoutNaN) {
    ResetChartState(Chart, Birth, Orbs);
    HourBoundaryTable t{};
    EXPECT_FALSE(ComputeHouseCusps(Chart, {18, 57, "E", 69, 39, "N"}, {2451545.0L, 12, 0, -1, 0}, t));
    for (int j = 0; j <= 25; ++j) EXPECT_TRUE(std::isfinite(static_cast<double>(t[j]))) << j;
    EXPECT_EQ(t[25], t[1]);
}

TEST(Weekday, NamesAndDayBoundaries) {
    int index = -1;
    WeekdayOfJulianDay(Chart, index, 2451545.0L);  // 2000-01-01 12h
    EXPECT_EQ(index, 6);
    EXPECT_EQ(Chart.WeekdayName, "Zaterdag");
    // Each midnight of a week exactly, never the day before.
    for (int d = 0; d < 7; ++d) {
        WeekdayOfJulianDay(Chart, index, 2451545.5L + d);
        EXPECT_EQ(index, d);
        EXPECT_EQ(Chart.WeekdayName, kWeekdayNames[d]);
    }
}

// The geometric sunrise (disc centre, no refraction, geocentric) of a day in
// Rome, as a Julian day, found by the reference library.
#ifdef KELVOR_HAVE_SWE
static double ReferenceSunrise(double fromJd) {
    double geopos[3] = {12 + 29.0 / 60, 41.9, 0};
    double rise = 0;
    char err[256] = {};
    swe_rise_trans(fromJd, SE_SUN, nullptr, SEFLG_MOSEPH,
                   SE_CALC_RISE | SE_BIT_GEOCTR_NO_ECL_LAT | SE_BIT_NO_REFRACTION | SE_BIT_DISC_CENTER,
                   geopos, 0, 0, &rise, err);
    return rise;
}

TEST(Sunrise, RomeWinterAndSummerTime) {
    EphemerisFolder folder;
    struct Day {
        int d, m, y;
        long double zone;
    };
    for (const Day day : {Day{15, 1, 1990, -1}, Day{21, 6, 1995, -2}, Day{3, 11, 2010, -1}}) {
        SetRome(day.d, day.m, day.y, day.zone);
        for (int i = 1; i <= 24; ++i) Chart.PlanetLongitudes[i] = i * 3.5L;
        for (int i = 1; i <= 15; ++i) Chart.HouseCusps[i] = i * 7.25L;
        Chart.MidheavenRad = 1.25L;
        const ChartState before = Chart;

        long double rise = 0;
        ASSERT_TRUE(FindSunrise(Chart, rise));
        EXPECT_EQ(Chart.InEphemerisRange, before.InEphemerisRange);
        const long double midnight = JulianDayNumber(1, day.d, day.m, day.y, 0, 0) + day.zone / 24;
        const double expected = ReferenceSunrise(static_cast<double>(midnight));
        EXPECT_NEAR(static_cast<double>(rise), expected, 5.0 / 1440) << day.d << "/" << day.m;
        EXPECT_GT(rise, midnight);
        EXPECT_LT(rise, midnight + 1);

        EXPECT_EQ(Chart.PlanetLongitudes, before.PlanetLongitudes);
        EXPECT_EQ(Chart.PlanetLatitudes, before.PlanetLatitudes);
        EXPECT_EQ(Chart.HouseCusps, before.HouseCusps);
        EXPECT_EQ(Chart.MidheavenRad, before.MidheavenRad);
    }
}
#endif

TEST(Sunrise, PolarNightIsReported) {
    EphemerisFolder folder;
    // Tromso in the polar night: the Sun never reaches the Ascendant.
    SetRome(20, 12, 2000, -1);
    Chart.LatitudeDegrees[1] = 69;
    Chart.LatitudeMinutes[1] = 39;
    Chart.LongitudeDegrees[1] = 18;
    Chart.LongitudeMinutes[1] = 57;
    const ChartState before = Chart;
    long double rise = 0;
    EXPECT_FALSE(FindSunrise(Chart, rise));
    EXPECT_TRUE(std::isfinite(static_cast<double>(rise)));
    const long double midnight = JulianDayNumber(1, 20, 12, 2000, 0, 0) - 1.0L / 24;
    EXPECT_GE(rise, midnight);
    EXPECT_LT(rise, midnight + 1);
    EXPECT_EQ(Chart.HouseCusps, before.HouseCusps);
}

TEST(PlanetaryDay, CountsFromSunriseInUniversalTime) {
    // Thursday 22 February 1990 in Rome (clock one hour ahead of UT): sunrise
    // at 06:01 UT. 06:30 by the clock is 05:30 UT, before it: Wednesday.
    const long double zone = -1;
    const long double sunrise = JulianDayNumber(1, 22, 2, 1990, 6, 1);
    const auto at = [&](int hour, int minute) { return JulianDayNumber(1, 22, 2, 1990, hour, minute) + zone / 24; };
    EXPECT_EQ(PlanetaryDayIndex(Chart, at(6, 30), zone, sunrise, true), 3);
    EXPECT_EQ(Chart.WeekdayName, "Woensdag");
    EXPECT_EQ(PlanetaryDayIndex(Chart, at(7, 30), zone, sunrise, true), 4);
    EXPECT_EQ(Chart.WeekdayName, "Donderdag");
    // At the moment found for sunrise the day has not yet turned.
    EXPECT_EQ(PlanetaryDayIndex(Chart, sunrise, zone, sunrise, true), 3);
    // Late in the evening, and just before the clock's midnight, still Thursday.
    EXPECT_EQ(PlanetaryDayIndex(Chart, at(23, 59), zone, sunrise, true), 4);
    // West of Greenwich (New York, five hours behind): 06:30 by the clock is
    // 11:30 UT, before a sunrise at 11:45 UT.
    const long double westSunrise = JulianDayNumber(1, 22, 2, 1990, 11, 45);
    EXPECT_EQ(PlanetaryDayIndex(Chart, JulianDayNumber(1, 22, 2, 1990, 6, 30) + 5.0L / 24, 5, westSunrise, true), 3);
    EXPECT_EQ(PlanetaryDayIndex(Chart, JulianDayNumber(1, 22, 2, 1990, 7, 0) + 5.0L / 24, 5, westSunrise, true), 4);
    // No sunrise that day (polar night): the clock date's weekday.
    EXPECT_EQ(PlanetaryDayIndex(Chart, at(6, 30), zone, sunrise, false), 4);
}

TEST(PlanetaryDay, TheSunriseOfTheChartsBirthDate) {
    EphemerisFolder folder;
    SetRome(22, 2, 1990, -1);
    Chart.JulianDay = JulianDayNumber(1, 22, 2, 1990, 6, 30) - 1.0L / 24;
    const ChartState before = Chart;
    const PlanetaryDay day = FindPlanetaryDay(Chart);
    EXPECT_TRUE(day.SunriseFound);
    // About 07:01 by the clock, 06:01 UT.
    const long double sunriseUt = JulianDayNumber(1, 22, 2, 1990, 6, 1);
    EXPECT_NEAR(static_cast<double>(day.SunriseJulianDay), static_cast<double>(sunriseUt), 5.0 / 1440);
    EXPECT_EQ(day.Index, 3);
    EXPECT_EQ(Chart.WeekdayName, "Woensdag");
    EXPECT_EQ(Chart.PlanetLongitudes, before.PlanetLongitudes);
    EXPECT_EQ(Chart.HouseCusps, before.HouseCusps);
}

TEST(Sunrise, TheSunsReturnWeeksLaterIsNoSunriseOfThePolarNight) {
    // Tromso, 21 December 1995: the Sun stays three degrees below the horizon
    // at noon. The search runs on to its return in February; that is no
    // sunrise of the day, and a birth at 08:00 keeps its own weekday (Thursday).
    EphemerisFolder folder;
    SetRome(21, 12, 1995, -1);
    Chart.LatitudeDegrees[1] = 69;
    Chart.LatitudeMinutes[1] = 39;
    Chart.LongitudeDegrees[1] = 18;
    Chart.LongitudeMinutes[1] = 57;
    Chart.JulianDay = JulianDayNumber(1, 21, 12, 1995, 8, 0) - 1.0L / 24;
    long double rise = 0;
    EXPECT_FALSE(FindSunrise(Chart, rise));
    const PlanetaryDay day = FindPlanetaryDay(Chart);
    EXPECT_FALSE(day.SunriseFound);
    EXPECT_EQ(day.Index, 4);
}
