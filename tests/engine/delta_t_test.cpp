// Delta T (dynamical time minus UT) and the conversion of Julian days.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/delta_t.h"

namespace {

using namespace engine;

double Dt(double year) { return static_cast<double>(DeltaTSeconds(year)); }

TEST(DeltaT, FollowsTheTabulatedHistoricalValues) {
    // Values derived from eclipse records and observations (seconds); the
    // polynomials reproduce them within a few seconds in antiquity and a
    // fraction of a second since 1700.
    struct Sample {
        double year, seconds, tolerance;
    };
    const Sample samples[] = {{-500, 17190, 15}, {0, 10580, 5},     {200, 8640, 5},   {400, 6700, 5},
                              {600, 4740, 5},    {800, 2960, 5},    {1000, 1570, 5},  {1200, 740, 5},
                              {1400, 320, 5},    {1600, 120, 1},    {1700, 9, 0.5},   {1800, 14, 0.5},
                              {1850, 7, 0.5},    {1900, -3, 0.5},   {1950, 29, 0.5},  {1970, 40.2, 0.3},
                              {1990, 56.9, 0.3}, {2000, 63.8, 0.3}, {2005, 64.7, 0.3}};
    for (const Sample& s : samples) EXPECT_NEAR(Dt(s.year), s.seconds, s.tolerance) << "year " << s.year;
}

TEST(DeltaT, NoJumpWhereOneExpressionTakesOverFromAnother) {
    for (double year : {-500.0, 500.0, 1600.0, 1700.0, 1800.0, 1860.0, 1900.0, 1920.0, 1941.0, 1961.0, 1986.0, 2005.0,
                        2050.0, 2150.0}) {
        EXPECT_NEAR(Dt(year - 1e-7), Dt(year), 0.5) << "year " << year;
        // And no kink either: the slope just before and just after agree
        // (except at -500, where the parabola was joined by value only).
        if (year == -500.0) continue;
        const double before = Dt(year - 0.01) - Dt(year - 0.02);
        const double after = Dt(year + 0.02) - Dt(year + 0.01);
        EXPECT_NEAR(before, after, 0.02) << "year " << year;
    }
}

TEST(DeltaT, LongTermParabolaOutsideThePolynomials) {
    EXPECT_NEAR(Dt(-680), -20 + 32 * 625, 1e-9);  // 25 centuries before 1820
    EXPECT_NEAR(Dt(-1180), -20 + 32 * 900, 1e-9);
    EXPECT_NEAR(Dt(2220), -20 + 32 * 16, 1e-9);
    // Growing again both ways from its trough.
    EXPECT_GT(Dt(2130), Dt(2050));
    EXPECT_GT(Dt(-400), Dt(0));
}

TEST(DeltaT, JulianDaysToDecimalYearsAndDynamicalTime) {
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalYearOf(2451544.5L)), 2000.0);
    // 1 January of the year 1 (Julian calendar) and of 1900.
    EXPECT_NEAR(static_cast<double>(DecimalYearOf(1721423.5L)), 1.0, 0.02);
    EXPECT_NEAR(static_cast<double>(DecimalYearOf(2415020.5L)), 1900.0, 0.001);
    // Dynamical time runs ahead of UT by Delta T: about 64 s in 2000, about
    // three hours in the first century.
    const Real jd2000 = 2451545.0L;
    EXPECT_NEAR(static_cast<double>((DynamicalJulianDay(jd2000) - jd2000) * 86400), 63.8, 0.3);
    const Real jdYear1 = 1721423.5L;
    EXPECT_NEAR(static_cast<double>((DynamicalJulianDay(jdYear1) - jdYear1) * 24), 2.94, 0.01);
}

}  // namespace
