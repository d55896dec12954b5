// The masters block of the birth-theme sheets: the rulers of the hours and
// signs, the carrying of years into the reference cycle, the year file, and
// the nine lines for a birth in Rome on Monday 15 January 1990 at 10:30.
#include <gtest/gtest.h>

#include <cmath>

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/sheets/sheet_rulers.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/sheets/sheet_person.h"

namespace {

using display::RecordingSurface;

class SheetRulers : public ::testing::Test {
protected:
    void SetUp() override {
        sheet_test::SetSheetPerson();
        wheel_test::CopyDataFolders({"FilePosi", "Appoggio"});
    }
    // The chart of the fixed person computed for its moment: Rome, 10:30 clock
    // time, one hour east of Greenwich.
    void ComputeSun(int day, int month) {
        auto& c = testing_support::CurrentChartOfTest().chart;
        c.moment.day = day;
        c.moment.month = month;
        c.moment.julianDay = engine::JulianDayNumber(1, day, month, 1990, 9, 30);
        c.bodies =
            engine::ComputeBodiesWithRetro(0, c.moment.julianDay, engine::BodySettingsOf(c.settings, c.cusps)).bodies;
        wheel_test::SetWheelPoint(c, 10, 100.5L);
        wheel_test::SetWheelPoint(c, 11, 358);
    }
    display::SheetRulerState rulers_;
    testing_support::TempWorkFolder folder_;
};

TEST_F(SheetRulers, BlockOfABirthOnAMondayMorningInRome) {
    engine::Chart& chart = testing_support::CurrentChartOfTest().chart;
    ComputeSun(15, 1);
    const engine::Chart before = chart;
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::ComputePlanetaryHour(chart, rulers_);  // the step ahead of the block
    display::DrawPlanetaryHourAndYearRuler(dc, chart, rulers_, 205, 150);
    // Sunrise about 7:36, hours of the day about 47 minutes: 10:30 is in the fourth,
    // which on a Monday (Moon, Saturn, Jupiter, Mars) Mars rules. The Sun (about
    // 295) had not come back by the end of 1990: the year counts as 1989, ruled
    // by Saturn in a cycle of the Sun.
    EXPECT_EQ(sheet_test::Texts(dc),
              (std::vector<std::string>{"Planetaire dag: Maandag", "Planetaire uur: 4 Dag", "Geregeerd door Mars",
                                        "Ascendant 10Kre30", "Geregeerd door de Maan", "Midhemel 28Vis00",
                                        "Geregeerd door Jupiter", "Jaar van Saturnus", "In de cyclus van de Zon"}));
    EXPECT_EQ(rulers_.chartWeekdayName, "Maandag");
    const double sunriseHours = std::fmod(double(rulers_.sunriseJulianDay) + 0.5, 1.0) * 24 + 1;
    EXPECT_NEAR(sunriseHours, 7.6, 0.1);
    // Lines at their offsets below the anchor: the last at 33 + 4.
    const auto calls = dc.Calls("text");
    const auto last = display::MapPoint(testing_support::DrawingStateOfTest(), 205, 187);
    EXPECT_EQ(calls[8].rfind("text " + std::to_string(last.x) + "," + std::to_string(last.y) + " ", 0), 0u);
    EXPECT_NE(calls[0].find("color=#00FFFF"), std::string::npos);
    EXPECT_NE(calls[3].find("color=#FFFFFF"), std::string::npos);
    // The chart is as it was: longitudes and latitudes of the birth.
    EXPECT_EQ(chart, before);
}

TEST_F(SheetRulers, SpringBirthCountsToItsOwnYear) {
    engine::Chart& chart = testing_support::CurrentChartOfTest().chart;
    RecordingSurface spring{testing_support::DrawingStateOfTest()}, winter{testing_support::DrawingStateOfTest()};
    ComputeSun(15, 4);
    display::DrawYearRuler(spring, chart, 10, 10);
    EXPECT_EQ(sheet_test::Texts(spring), (std::vector<std::string>{"Jaar van Venus", "In de cyclus van de Zon"}));
    ComputeSun(15, 2);  // the Sun in Aquarius, above its place at the end of the year
    display::DrawYearRuler(winter, chart, 10, 10);
    EXPECT_EQ(sheet_test::Texts(winter)[0], "Jaar van Saturnus");
}

TEST_F(SheetRulers, BeforeSunriseTheDayBeforeRulesEvenEastOfGreenwich) {
    // 7:00 clock time on Monday 15 January is before the sunrise of about 7:36:
    // the planetary day is still Sunday's, a night hour.
    auto& c = testing_support::CurrentChartOfTest().chart;
    ComputeSun(15, 1);
    c.moment.julianDay = engine::JulianDayNumber(1, 15, 1, 1990, 6, 0);
    c.moment.hour = 7;
    c.moment.minute = 0;
    display::ComputePlanetaryHour(c, rulers_);
    EXPECT_EQ(rulers_.planetaryDayName, "Zondag");
    EXPECT_EQ(rulers_.chartWeekdayName, "Maandag");
    EXPECT_GT(rulers_.sheetPlanetaryHour, 12);
}

TEST_F(SheetRulers, NightHoursAreCountedFromOne) {
    engine::Chart& chart = testing_support::CurrentChartOfTest().chart;
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    rulers_.sheetPlanetaryHour = 13;
    display::DrawPlanetaryHourBlock(dc, chart, rulers_, 10, 10);
    rulers_.sheetPlanetaryHour = 12;
    display::DrawPlanetaryHourBlock(dc, chart, rulers_, 10, 10);
    const auto texts = sheet_test::Texts(dc);
    EXPECT_EQ(texts[1], "Planetaire uur: 1 Nacht");
    EXPECT_EQ(texts[8], "Planetaire uur: 12 Dag");
}

TEST_F(SheetRulers, MissingYearFileIsAnErrorAndTheChartStaysWhole) {
    engine::Chart& chart = testing_support::CurrentChartOfTest().chart;
    ComputeSun(15, 1);
    const engine::Chart before = chart;
    std::filesystem::remove_all("Appoggio");
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    EXPECT_THROW(display::DrawYearRuler(dc, chart, 10, 10), rt::IoError);
    EXPECT_EQ(chart, before);
    EXPECT_FALSE(testing_support::DrawingStateOfTest().currentFont.has_value());
}

}  // namespace
