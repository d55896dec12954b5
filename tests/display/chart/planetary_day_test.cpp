// The planetary day of a stored person as the chart window's masters page and
// the birth-theme sheet show it: both count the day from sunrise. Rome,
// Thursday 22 February 1990, the Sun rising at about 07:01 by the clock: a
// birth at 06:30 belongs to Wednesday, one at 07:30 to Thursday.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "display/chart/chart_window.h"
#include "display/chart/masters_view.h"
#include "display/chart/open_chart_window.h"
#include "display/draw/drawing_state.h"
#include "display/draw/recording_surface.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_rulers.h"
#include "display/sheets/sheet_terms.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "platform/gui/message_box.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

class PlanetaryDay : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::CopyDataFolders({"FilePosi", "Appoggio", "Simboli", "Zodiaco", "OpzioneT", "Scambi"});
        testing_support::CurrentChartOfTest() = archive::CurrentChart{};
        testing_support::CurrentChartOfTest().settings.node = engine::ParseNodeKind("VERO");
        delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
    }
    void TearDown() override {
        delete testing_support::ChartWindowOfTest();
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
    }
    // Stores the birth in Rome (clock time, one hour ahead of UT) as the
    // current person and loads it as the main window does.
    static void LoadRomeBirth(const char* dateKey) {
        archive::BirthRecord r;
        r.dateField = dateKey;
        r.placeField = "41N54-012E29ROMA";
        r.calendarField = "GR";
        r.nationalityField = "ITALIA";
        archive::FillChartStrings(testing_support::CurrentChartOfTest().settings, r);
        archive::WriteCurrentPerson("ROSSI GIULIA", r);
        ASSERT_FALSE(archive::LoadCurrentPersonForShow(testing_support::CurrentChartOfTest()).empty);
    }
    // The planetary-day line of the masters page after the window's activation.
    static std::string MastersDayLine() {
        testing_support::EnsureChartWindowForTest()->resize(1920, 1080);
        testing_support::OpenChartWindowForTest();
        display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
        display::DrawMastersView(dc, {.current = testing_support::CurrentChartOfTest(),
                                      .geometry = testing_support::WheelGeometryOfTest(),
                                      .wheel = testing_support::NatalWheelOfTest(),
                                      .subView = 0,
                                      .birthHour = testing_support::ChartWindowOfTest()->BirthHour()});
        for (const view_test::DrawnText& t : view_test::DrawnTexts(dc))
            if (t.text.rfind("Planetaire dag: ", 0) == 0) return t.text;
        return "(no planetary day drawn)";
    }
    // The planetary-day line of the portrait birth-theme sheet.
    std::string SheetDayLine() {
        display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
        EXPECT_TRUE(display::ComposeSheet(5, dc, testing_support::CurrentChartOfTest(), sheetMemory_));
        for (const view_test::DrawnText& t : view_test::DrawnTexts(dc))
            if (t.text.rfind("Planetaire dag: ", 0) == 0) return t.text;
        return "(no planetary day drawn)";
    }
    display::SheetMemory sheetMemory_;
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(PlanetaryDay, ABirthBeforeSunriseBelongsToTheDayBeforeInBothViews) {
    LoadRomeBirth("199002220630-1");
    if (HasFatalFailure()) return;
    EXPECT_EQ(SheetDayLine(), "Planetaire dag: Woensdag");
    EXPECT_EQ(MastersDayLine(), "Planetaire dag: Woensdag");
    // The date itself stays Thursday where the birth date is shown.
    EXPECT_EQ(testing_support::ChartWindowOfTest()->BirthHour().birthWeekdayName, "Donderdag");
    EXPECT_EQ(sheetMemory_.rulers.chartWeekdayName, "Donderdag");
    // A night hour of Wednesday, the same in both views.
    EXPECT_GT(testing_support::ChartWindowOfTest()->BirthHour().planetaryHourNumber, 12);
    EXPECT_GT(sheetMemory_.rulers.sheetPlanetaryHour, 12);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

TEST_F(PlanetaryDay, ABirthAfterSunriseBelongsToItsOwnDayInBothViews) {
    LoadRomeBirth("199002220730-1");
    if (HasFatalFailure()) return;
    EXPECT_EQ(SheetDayLine(), "Planetaire dag: Donderdag");
    EXPECT_EQ(MastersDayLine(), "Planetaire dag: Donderdag");
    // The first hour of Thursday: Jupiter's, the ruler of the day.
    EXPECT_EQ(testing_support::ChartWindowOfTest()->BirthHour().planetaryHourNumber, 1);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->BirthHour().planetaryHourRuler, "Jupiter");
    EXPECT_EQ(sheetMemory_.rulers.sheetPlanetaryHour, 1);
    EXPECT_EQ(sheetMemory_.rulers.sheetHourRulerName, "Jupiter");
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

}  // namespace
