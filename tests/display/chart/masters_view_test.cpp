// The masters page: rulers of the planetary hours, the planetary day and hour
// of a birth in Rome, the masters lines, and the year and cycle rulers read
// from the shipped table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "archive/current_chart.h"
#include "display/chart/masters_view.h"
#include "display/wheel/position_files.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "platform/runtime/io_error.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/no_installed_copies.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_person.h"

namespace {

using display::RulerName;

TEST(PlanetaryHours, TheFirstHourBelongsToTheRulerOfTheDay) {
    const char* expected[7] = {"de Zon", "de Maan", "Mars", "Mercurius", "Jupiter", "Venus", "Saturnus"};
    for (int w = 0; w < 7; ++w) EXPECT_EQ(RulerName(display::PlanetaryHourRulerOf(1, w)), expected[w]) << w;
    EXPECT_EQ(RulerName(display::PlanetaryHourRulerOf(23, 2)), "de Zon");
    EXPECT_EQ(RulerName(display::PlanetaryHourRulerOf(24, 2)), "Venus");
    // No hour: no ruler, and nothing read outside the order.
    EXPECT_EQ(display::PlanetaryHourRulerOf(0, 2), 0);
    EXPECT_EQ(RulerName(0), "");
}

TEST(PlanetaryHours, TheHourWhoseBoundariesEncloseTheSun) {
    engine::HourBoundaryTable b{};
    for (int h = 1; h <= 24; ++h) b[h] = engine::Real(100 - 15 * (h - 1) + 360 * (h > 7));
    b[25] = b[1];
    b[0] = b[24];
    EXPECT_EQ(display::FindPlanetaryHour(b, 100), 1);
    EXPECT_EQ(display::FindPlanetaryHour(b, 90), 1);
    EXPECT_EQ(display::FindPlanetaryHour(b, 84), 2);
    EXPECT_EQ(display::FindPlanetaryHour(b, 101), 24);
    // Boundaries that all coincide (no sunrise): no hour.
    b.fill(30);
    EXPECT_EQ(display::FindPlanetaryHour(b, 100), 0);
}

TEST(YearRulers, YearKeys) {
    // 15 February: the Sun (326) has not come back to its year-end place (280).
    EXPECT_EQ(display::YearRulerKey(1990, 280.1L, 326.4L), 1989);
    EXPECT_EQ(display::YearRulerKey(1990, 280.1L, 54.2L), 1990);
    EXPECT_EQ(display::YearRulerKey(1500, 280, 54), 2004);
    EXPECT_EQ(display::YearRulerKey(1600, 280, 54), 1852);
    EXPECT_EQ(display::YearRulerKey(2030, 280, 54), 1778);
    EXPECT_EQ(display::FoldYearIntoCycle(1765), 1765);
    EXPECT_EQ(display::FoldYearIntoCycle(2016), 2016);
    EXPECT_EQ(display::FoldYearIntoCycle(2017), 1765);
    EXPECT_EQ(display::FoldYearIntoCycle(1), 1765);
    EXPECT_EQ(display::FoldYearIntoCycle(1764), 2016);
}

using view_test::SetRomeBirth;

class MastersWithEphemeris : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        fs::create_directory_symlink(fs::path(KELVOR_TEST_DATA_DIR) / "FilePosi", folder_.Path() / "FilePosi");
        fs::create_directory_symlink(fs::path(KELVOR_TEST_DATA_DIR) / "Appoggio", folder_.Path() / "Appoggio");
    }
    testing_support::TempWorkFolder folder_;
};

TEST_F(MastersWithEphemeris, AMondayMorningInRomeIsInTheFourthHourOfMars) {
    // Sunrise about 7:34, sunset about 17:05 clock time: hours of 47.6 minutes.
    SetRomeBirth({15, 1, 1990, 10, 30});
    const engine::Chart before = testing_support::CurrentChartOfTest().chart;
    auto h =
        display::ComputeBirthPlanetaryHour(testing_support::CurrentChartOfTest().chart, -(12 + 29 / 60.0L) * 4 / 60);
    EXPECT_TRUE(h.sunriseFound);
    EXPECT_EQ(h.birthWeekdayName, "Maandag");
    EXPECT_EQ(h.planetaryDayName, "Maandag");
    EXPECT_EQ(h.planetaryHourNumber, 4);
    EXPECT_EQ(h.planetaryHourRuler, "Mars");
    EXPECT_EQ(testing_support::CurrentChartOfTest().chart, before);

    // Before sunrise the planetary day is still the day before.
    SetRomeBirth({15, 1, 1990, 5, 0});
    h = display::ComputeBirthPlanetaryHour(testing_support::CurrentChartOfTest().chart, -(12 + 29 / 60.0L) * 4 / 60);
    EXPECT_EQ(h.birthWeekdayName, "Maandag");
    EXPECT_EQ(h.planetaryDayName, "Zondag");
    EXPECT_GT(h.planetaryHourNumber, 12);  // a night hour
}

TEST_F(MastersWithEphemeris, MastersLinesShowThePlanetaryDayWhateverTheLastWeekday) {
    SetRomeBirth({15, 1, 1990, 10, 30});
    const auto h =
        display::ComputeBirthPlanetaryHour(testing_support::CurrentChartOfTest().chart, -(12 + 29 / 60.0L) * 4 / 60);
    wheel_test::SetWheelPoint(testing_support::CurrentChartOfTest().chart, 10, 100.5);  // Ascendant in Cancer
    wheel_test::SetWheelPoint(testing_support::CurrentChartOfTest().chart, 11, 358);    // Midheaven in Pisces
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawMastersTable(dc, h, testing_support::CurrentChartOfTest().chart);
    const auto t = view_test::Texts(dc);
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[0].substr(0, 9), "1000,810 ");
    // Sunrise at about 06:35-06:45 universal time: 07:35-07:45 by the clock of Rome in January.
    EXPECT_EQ(t[0].substr(9, 27), "'De zon komt op om uur: 07:") << t[0];
    const int minute = std::stoi(t[0].substr(36, 2));
    EXPECT_GE(minute, 30) << t[0];
    EXPECT_LE(minute, 45) << t[0];
    EXPECT_EQ(t[1], "1000,890 'Planetaire dag: Maandag'");
    EXPECT_EQ(t[2], "1000,930 'Ora Planetaire uur: 4 Dag'");
    EXPECT_EQ(t[3], "1000,970 'Geregeerd door Mars'");
    EXPECT_EQ(t[5], "1000,1070 'Geregeerd door de Maan'");
    EXPECT_EQ(t[7], "1000,1170 'Geregeerd door Jupiter'");
    EXPECT_EQ(t[4], "1000,1030 'Ascendant " + display::SignAbbreviationOf(100.5L) + "'");
    EXPECT_EQ(t[6], "1000,1130 'Midhemel " + display::SignAbbreviationOf(358) + "'");
}

TEST_F(MastersWithEphemeris, SunriseIsShownInTheClockTimeOfTheBirthPlace) {
    // Rome in mid-May under summer time (two hours ahead of UT): the Sun rises
    // at about 03:50 UT, 05:50 by the clock.
    SetRomeBirth({15, 5, 1990, 12, 0});
    testing_support::CurrentChartOfTest().chart.moment.zoneCorrection = -2;
    testing_support::CurrentChartOfTest().chart.moment.julianDay =
        engine::JulianDayNumber(1, 15, 5, 1990, 12, 0) - 2.0L / 24;
    const auto h =
        display::ComputeBirthPlanetaryHour(testing_support::CurrentChartOfTest().chart, -(12 + 29 / 60.0L) * 4 / 60);
    ASSERT_TRUE(h.sunriseFound);
    const std::string line =
        display::EvaluateMastersTable(h, testing_support::CurrentChartOfTest().chart, 100).lines[0].text;
    ASSERT_EQ(line.substr(0, 23), "De zon komt op om uur: ");
    const int minutes = std::stoi(line.substr(23, 2)) * 60 + std::stoi(line.substr(26, 2));
    EXPECT_GE(minutes, 5 * 60 + 44) << line;
    EXPECT_LE(minutes, 5 * 60 + 56) << line;
}

TEST(MastersTable, NightHoursCountFromOneAndNoHourShowsNoRuler) {
    view_test::SetFixedPerson();
    display::BirthPlanetaryHourState s;
    s.planetaryHourNumber = 15;
    s.planetaryHourRuler = "Saturnus";
    auto t = display::EvaluateMastersTable(s, testing_support::CurrentChartOfTest().chart, 100);
    EXPECT_EQ(t.lines[2].text, "Ora Planetaire uur: 3 Nacht");
    EXPECT_EQ(t.lines[0].text, "De zon komt op om uur: --:--");
    s.planetaryHourNumber = 0;
    s.planetaryHourRuler = "";
    t = display::EvaluateMastersTable(s, testing_support::CurrentChartOfTest().chart, 100);
    EXPECT_EQ(t.lines[2].text, "Ora Planetaire uur: -");
    EXPECT_EQ(t.lines[3].text, "Geregeerd door -");
}

TEST_F(MastersWithEphemeris, YearAndCycleRulersFromTheTable) {
    SetRomeBirth({15, 2, 1990, 12, 0});
    auto r = display::EvaluateYearRulers(testing_support::CurrentChartOfTest().chart);
    EXPECT_EQ(r.key, 1989);
    EXPECT_EQ(r.yearText, "Jaar van Saturnus");
    EXPECT_EQ(r.cycleText, "In de Cyclus van de Zon");
    SetRomeBirth({15, 5, 1990, 12, 0});
    const engine::Chart before = testing_support::CurrentChartOfTest().chart;
    r = display::EvaluateYearRulers(testing_support::CurrentChartOfTest().chart);
    EXPECT_EQ(r.key, 1990);
    EXPECT_EQ(r.yearText, "Jaar van Venus");
    EXPECT_EQ(testing_support::CurrentChartOfTest().chart, before);
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawYearAndCycleRulers(dc, testing_support::CurrentChartOfTest().chart);
    const auto t = view_test::Texts(dc);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0], "1000,1000 'Jaar van Venus'");
    EXPECT_EQ(t[1], "1000,1050 'In de Cyclus van de Zon'");
}

TEST(YearRulerTable, MissingTableIsAFileErrorAndAnUnknownYearTakesTheLastLine) {
    testing_support::TempWorkFolder folder;
    std::filesystem::create_directories("FilePosi");
    view_test::SetFixedPerson();
    wheel_test::SetWheelPoint(testing_support::CurrentChartOfTest().chart, 1, 0);
    // Without ephemeris tables the Sun cannot be computed either way; only the
    // table's absence is checked when the computation succeeds.
    std::filesystem::remove_all("FilePosi");
    std::filesystem::create_directory_symlink(std::filesystem::path(KELVOR_TEST_DATA_DIR) / "FilePosi", "FilePosi");
    EXPECT_THROW(display::EvaluateYearRulers(testing_support::CurrentChartOfTest().chart), rt::IoError);
    std::filesystem::create_directories("Appoggio");
    testing_support::WriteBytes("Appoggio/GoverAnno.txt", "17650707\r\n17660503\r\n");
    testing_support::NoInstalledCopies installation;  // no sound table to put back
    const auto r = display::EvaluateYearRulers(testing_support::CurrentChartOfTest().chart);
    EXPECT_EQ(r.yearText, "Jaar van Mars");
    EXPECT_EQ(r.cycleText, "In de Cyclus van Mercurius");
    EXPECT_NE(r.problem.find("manca la riga dell'anno"), std::string::npos) << r.problem;
}

}  // namespace
