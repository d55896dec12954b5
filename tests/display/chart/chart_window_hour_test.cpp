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
#include "tests/common/test_support.h"
#include "tests/display/chart/view_person.h"

namespace {

TEST(ChartWindowActivation, ComputesThePlanetaryHourOfTheBirth) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
    namespace fs = std::filesystem;
    fs::create_directory_symlink(fs::path(KELVOR_TEST_DATA_DIR) / "FilePosi", folder.Path() / "FilePosi");
    wheel_test::CopyDataFolders({"Appoggio"});
    view_test::SetRomeBirth(15, 1, 1990, 10, 30);
    if (display::theChartWindow) display::theChartWindow->status = {};
    display::EnsureChartWindow()->resize(1920, 1080);
    display::OpenChartWindow();
    EXPECT_EQ(display::theChartWindow->birthHour.PlanetaryDayName, "Maandag");
    EXPECT_EQ(display::theChartWindow->birthHour.PlanetaryHourNumber, 4);
    EXPECT_EQ(display::theChartWindow->birthHour.PlanetaryHourRuler, "Mars");
    EXPECT_EQ(engine::Chart.WeekdayName, "Maandag");
    delete display::theChartWindow;
    display::ResetDrawingState();
}

}  // namespace
