// The reduced wheel of the fixed person: the labelled cusp axes, the retrograde
// marks of every point, and what it leaves alone (glyph centres of the natal
// wheel, the position key files).
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/current_chart.h"
#include "display/chart/reduced_wheel.h"
#include "display/draw/glyphs.h"
#include "display/wheel/wheel_reports.h"
#include "display/wheel/wheel_state.h"
#include "engine/position_text.h"
#include "platform/gui/message_box.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_person.h"

namespace {

using view_test::Has;
using view_test::Texts;

class ReducedWheel : public ::testing::Test {
protected:
    void SetUp() override {
        view_test::SetFixedPerson();
        testing_support::NatalWheelOfTest().fileErrors = {};
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(ReducedWheel, AxesCarryTheirDegreesAtBothEndsWithTheAngleNames) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawHouseAxisLabels(dc, testing_support::CurrentChartOfTest().chart.cusps,
                                 {.centre = {100, 100}, .radius = 83});
    const auto t = Texts(dc);
    std::string asc;
    engine::FormatDegMin(0, asc, 100.5L);
    asc = asc.substr(0, 6);
    // The horizon: the Ascendant's end on the left at radius 90, one unit lower;
    // the same text at the right end.
    EXPECT_TRUE(Has(t, "100,1010 '" + asc + "'"));
    EXPECT_TRUE(Has(t, "1900,1010 '" + asc + "'"));
    // The meridian: cusp 4 at 178, wheel angle -77.5; its ends at radius 90 are
    // (80.52, 187.87) and (119.48, 12.13).
    EXPECT_TRUE(Has(t, "1085,71 'MC'"));
    EXPECT_TRUE(Has(t, "705,1839 'IC'"));
    EXPECT_TRUE(Has(t, "100,910 'AS'"));
    EXPECT_TRUE(Has(t, "1900,910 'DS'"));
    // Red ticks only on the horizon and the meridian: four lines from radius 83 to 93.
    EXPECT_EQ(view_test::Containing(dc, "line ").size(), 4u);
    EXPECT_EQ(view_test::Containing(dc, "line 170,1000 70,1000 pen=solid").size(), 1u);
    // A red dot at both ends of all six axes.
    int dots = 0;
    for (const auto& l : dc.Calls("ellipse"))
        if (l.find("brush=#FF0000") != std::string::npos) ++dots;
    EXPECT_EQ(dots, 12);
}

TEST_F(ReducedWheel, EveryMarkedPointShowsItsRetrogradeMark) {
    auto& c = testing_support::CurrentChartOfTest().chart;
    c.bodies[engine::Body::BlackMoon].longitude = 200;
    c.bodies[engine::Body::Mercury].retrograde = true;
    c.bodies[engine::Body::Saturn].retrograde = false;
    c.bodies[engine::Body::Pluto].retrograde = true;
    c.bodies[engine::Body::BlackMoon].retrograde = true;
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawReducedWheelChart(dc, c);
    int marks = 0;
    for (const auto& l : dc.Calls("text"))
        if (l.size() > 4 && l.substr(l.size() - 4) == " 'R'") ++marks;
    EXPECT_EQ(marks, 3);
}

TEST_F(ReducedWheel, KeepsTheNatalGlyphCentres) {
    testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun] = 42;
    testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Midheaven] = 43;
    testing_support::NatalWheelOfTest().signGlyphX[engine::Sign::Leo] = 44;
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawReducedWheelChart(dc, testing_support::CurrentChartOfTest().chart);
    EXPECT_EQ(testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun], 42);
    EXPECT_EQ(testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Midheaven], 43);
    EXPECT_EQ(testing_support::NatalWheelOfTest().signGlyphX[engine::Sign::Leo], 44);
}

TEST_F(ReducedWheel, LeavesThePositionFilesAsTheNatalWheelWroteThem) {
    namespace fs = std::filesystem;
    fs::create_directories("OpzioneT");
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawReducedWheelChart(dc, testing_support::CurrentChartOfTest().chart);
    EXPECT_FALSE(fs::exists("OpzioneT/PosiPian.txt"));
}

}  // namespace
