// Julian days in both calendars, date texts and the archive's date key.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/calendar.h"
#include "platform/runtime/clock.h"
#include "tests/common/test_support.h"

using namespace engine;

TEST(JulianDay, PublishedValuesInBothCalendars) {
    EXPECT_EQ(JulianDayNumber(1, 1, 1, 2000, 12, 0), 2451545.0L);
    EXPECT_EQ(JulianDayNumber(1, 15, 10, 1582, 0, 0), 2299160.5L);
    EXPECT_EQ(JulianDayNumber(0, 4, 10, 1582, 0, 0), 2299159.5L);
    EXPECT_EQ(JulianDayNumber(0, 1, 1, -4712, 12, 0), 0.0L);        // the epoch
    EXPECT_EQ(JulianDayNumber(1, 17, 11, 1858, 0, 0), 2400000.5L);  // MJD zero
    EXPECT_EQ(JulianDayNumber(0, 1, 1, 1, 0, 0), 1721423.5L);
}

TEST(JulianDay, EphemerisRangeFlag) {
    EXPECT_TRUE(InEphemerisRange(JulianDayNumber(1, 1, 1, 1850, 0, 0)));
    EXPECT_EQ(JulianDayNumber(1, 31, 12, 2080, 0, 0), 2481129.5L);
    EXPECT_TRUE(InEphemerisRange(JulianDayNumber(1, 31, 12, 2080, 0, 0)));
    EXPECT_FALSE(InEphemerisRange(JulianDayNumber(1, 31, 12, 2080, 0, 1)));
    EXPECT_FALSE(InEphemerisRange(JulianDayNumber(1, 31, 12, 1849, 23, 59)));
}

TEST(DateText, ReformAndRoundTrip) {
    EXPECT_EQ(JulianDayToDateText(2299160.5L), "15/10/1582 00:00");
    EXPECT_EQ(JulianDayToDateText(2299159.5L), "04/10/1582 00:00");
    // The day after 4 October 1582 (Julian) is 15 October 1582 (Gregorian).
    EXPECT_EQ(JulianDayToDateText(JulianDayNumber(0, 4, 10, 1582, 0, 0) + 1), "15/10/1582 00:00");
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> year(1600, 2100), month(1, 12), day(1, 28), hour(0, 23), minute(0, 59);
    for (int i = 0; i < 500; ++i) {
        int y = year(rng), m = month(rng), d = day(rng), h = hour(rng), mi = minute(rng);
        char expect[32];
        std::snprintf(expect, sizeof expect, "%02d/%02d/%04d %02d:%02d", d, m, y, h, mi);
        EXPECT_EQ(JulianDayToDateText(JulianDayNumber(1, d, m, y, h, mi)), expect);
    }
}

TEST(DateText, MinuteNeverPrintsAsSixty) {
    Real jd = JulianDayNumber(1, 3, 5, 1990, 12, 59) + 45.0L / 86400;
    EXPECT_EQ(JulianDayToDateText(jd), "03/05/1990 13:00");
}

TEST(DateText, ByChartCalendar) {
    Real jd = JulianDayNumber(0, 1, 3, 1700, 10, 30);
    EXPECT_EQ(JulianDayToDateTextByCalendar(false, jd), "01/03/1700 10:30");
    EXPECT_EQ(JulianDayToDateText(jd), "12/03/1700 10:30");
    EXPECT_EQ(JulianDayToDateTextByCalendar(true, jd), "12/03/1700 10:30");
}

TEST(DateKey, BuildsAndSplits) {
    EXPECT_EQ(DateTimeTextToSortKey("25/12/1960 14:05"), "196012251405");
    SortKeyTexts key = SortKeyToDateTimeText("196012251405-1.00");
    ASSERT_TRUE(key.zoneCorrection);
    EXPECT_EQ(key.dateText, "25/12/1960 14:05");
    EXPECT_EQ(key.zoneText, "-1.00");
    EXPECT_EQ(*key.zoneCorrection, -1.0L);
    key = SortKeyToDateTimeText("1960122514055,50");  // decimal comma
    ASSERT_TRUE(key.zoneCorrection);
    EXPECT_EQ(*key.zoneCorrection, 5.5L);
    key = SortKeyToDateTimeText("196012251405abcde");
    EXPECT_FALSE(key.zoneCorrection);
    EXPECT_EQ(key.dateText, "25/12/1960 14:05");
}

TEST(DateText, TodayAndFileDates) {
    rt::SetClock([] { return rt::LocalDateTime{2026, 3, 9, 10, 0, 0, 0}; });
    EXPECT_EQ(TodayDateText(), "09/03/2026");
    rt::SetClock(nullptr);
    testing_support::TempWorkFolder tmp;
    Real jd = 123;
    EXPECT_EQ(FileDateText("nothing.txt", jd), "Non Valida");
    EXPECT_EQ(jd, 123);
    testing_support::WriteBytes("f.txt", "x");
    std::string text = FileDateText("F.TXT", jd);
    EXPECT_EQ(text.size(), 16u);
    EXPECT_GT(jd, 2460000.0L);
}

TEST(DaysOfAMonth, LeapRulesOfBothCalendarsAndTheReformGap) {
    EXPECT_EQ(engine::DaysInMonth(2, 1900, true), 28);
    EXPECT_EQ(engine::DaysInMonth(2, 1900, false), 29);
    EXPECT_EQ(engine::DaysInMonth(2, 2000, true), 29);
    EXPECT_EQ(engine::DaysInMonth(4, 2001, true), 30);
    EXPECT_EQ(engine::DaysInMonth(13, 2001, true), 0);
    EXPECT_TRUE(engine::DayExistsInForce({29, 2, 1500}));
    EXPECT_FALSE(engine::DayExistsInForce({29, 2, 1700}));
    EXPECT_TRUE(engine::DayExistsInForce({4, 10, 1582}));
    EXPECT_FALSE(engine::DayExistsInForce({10, 10, 1582}));
    EXPECT_TRUE(engine::DayExistsInForce({15, 10, 1582}));
    EXPECT_FALSE(engine::DayExistsInForce({31, 2, 1990}));
    EXPECT_FALSE(engine::DayExistsInForce({0, 1, 1990}));
}
