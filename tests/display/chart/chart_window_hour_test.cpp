// The chart window's activation computes the planetary day and hour of the
// birth, which the masters page shows.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/current_chart.h"
#include "display/chart/chart_window.h"
#include "display/chart/masters_view.h"
#include "display/chart/open_chart_window.h"
#include "display/draw/drawing_state.h"
#include "platform/gui/message_box.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_person.h"

namespace {

TEST(ChartWindowActivation, ComputesThePlanetaryHourOfTheBirth) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
    namespace fs = std::filesystem;
    fs::create_directory_symlink(fs::path(KELVOR_TEST_DATA_DIR) / "FilePosi", folder.Path() / "FilePosi");
    wheel_test::CopyDataFolders({"Appoggio"});
    view_test::SetRomeBirth({15, 1, 1990, 10, 30});
    const engine::Chart before = testing_support::CurrentChartOfTest().chart;
    delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
    testing_support::EnsureChartWindowForTest()->resize(1920, 1080);
    testing_support::OpenChartWindowForTest();
    EXPECT_EQ(testing_support::ChartWindowOfTest()->BirthHour().planetaryDayName, "Maandag");
    EXPECT_EQ(testing_support::ChartWindowOfTest()->BirthHour().planetaryHourNumber, 4);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->BirthHour().planetaryHourRuler, "Mars");
    // The planetary day is the window's own: the person's chart is left as it was.
    EXPECT_EQ(testing_support::CurrentChartOfTest().chart, before);
    delete testing_support::ChartWindowOfTest();
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
}

}  // namespace
