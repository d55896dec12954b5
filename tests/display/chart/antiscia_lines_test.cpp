// The antiscia lines of a clicked planet or sign: the chords between the
// point, its antiscion and its contra-antiscion, with their pens.
#include <gtest/gtest.h>

#include "archive/current_chart.h"
#include "display/chart/antiscia_lines.h"
#include "display/chart/chart_window.h"
#include "display/draw/recording_surface.h"
#include "display/wheel/position_files.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/chart/view_test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using display::PagePoint;

class AntisciaLines : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
        display::SetSignMidpoints(testing_support::NatalWheelOfTest());
        testing_support::CurrentChartOfTest().chart.cusps[1] = 0;  // the Ascendant at 0 Aries
    }
    static void ExpectPoint(PagePoint p, long double x, long double y) {
        EXPECT_EQ(p.x, x);
        EXPECT_EQ(p.y, y);
    }
};

TEST_F(AntisciaLines, AriesJoinsPiscesAndVirgo) {
    // Radius 39 about (100, 100): 15 degrees lies at wheel angle 345.
    const display::AntisciaChords c = display::EvaluateAntisciaChords(15, 0, {{100, 100}, 39});
    ASSERT_TRUE(c.chords);
    EXPECT_EQ(c.antiscion, 345);
    EXPECT_EQ(c.contraAntiscion, 165);
    ExpectPoint(c.point, 62, 110);          // 100 - 39 cos 345, 100 - 39 sin 345
    ExpectPoint(c.antiscionPoint, 62, 90);  // angle 15
    ExpectPoint(c.contraPoint, 138, 110);   // angle 195

    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawAntisciaOfClicked(dc, testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest(),
                                   {.index = 1, .kind = "Seg"}, {100, 100}, false);
    const auto cyan = view_test::LineBetween(dc, 62, 110, 62, 90);
    const auto red = view_test::LineBetween(dc, 62, 110, 138, 110);
    const auto grey = view_test::LineBetween(dc, 62, 90, 138, 110);
    ASSERT_TRUE(cyan && red && grey);
    EXPECT_NE(cyan->find("#00FFFF"), std::string::npos);
    EXPECT_NE(red->find("#FF0000"), std::string::npos);
    EXPECT_NE(grey->find("#808080"), std::string::npos);
    // The legend and the blanked title lines.
    EXPECT_EQ(view_test::TextAt(dc, 85, 103)->text, "ANTISCE e");
    EXPECT_EQ(view_test::TextAt(dc, 85, 107)->text, "CONTRANTISCE");
    EXPECT_EQ(view_test::TextAt(dc, 85, 107)->colour, "#FF0000");
    EXPECT_EQ(view_test::TextAt(dc, 5, 5)->text, std::string(47, ' '));
}

TEST_F(AntisciaLines, NinetyDegreesIsItsOwnContraAntiscion) {
    const display::AntisciaChords c = display::EvaluateAntisciaChords(90, 0, {{100, 100}, 39});
    EXPECT_EQ(c.antiscion, 270);
    EXPECT_EQ(c.contraAntiscion, 90);
    EXPECT_EQ(c.contraPoint.x, c.point.x);
    EXPECT_EQ(c.contraPoint.y, c.point.y);
}

TEST_F(AntisciaLines, ZeroGetsOnlyItsMark) {
    wheel_test::SetWheelPoint(testing_support::CurrentChartOfTest().chart, 3, 0);
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawAntisciaOfClicked(dc, testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest(),
                                   {.index = 3, .kind = "Pia"}, {100, 100}, false);
    EXPECT_TRUE(dc.Calls("line").empty());
    ASSERT_EQ(dc.Calls("ellipse").size(), 1u);
    EXPECT_FALSE(display::EvaluateAntisciaChords(360, 0, {{100, 100}, 39}).chords);
}

TEST_F(AntisciaLines, PositionsAreRoundedToWholeDegrees) {
    const PagePoint a = display::AntisciaCirclePoint(0, 10.6L, {{100, 100}, 39});
    const PagePoint b = display::AntisciaCirclePoint(0, 11, {{100, 100}, 39});
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    // The Ascendant lies left of the centre, whatever its minutes.
    ExpectPoint(display::AntisciaCirclePoint(100.4L, 100.4L, {{100, 100}, 39}), 61, 100);
}

TEST_F(AntisciaLines, DodecatemoriaViewEndsTheChordsSevenUnitsFurtherIn) {
    wheel_test::SetWheelPoint(testing_support::CurrentChartOfTest().chart, 1, 180);
    display::RecordingSurface normal{testing_support::DrawingStateOfTest()},
        inner{testing_support::DrawingStateOfTest()};
    display::DrawAntisciaOfClicked(normal, testing_support::CurrentChartOfTest().chart,
                                   testing_support::NatalWheelOfTest(), {.index = 1, .kind = "Pia"}, {100, 100}, false);
    display::DrawAntisciaOfClicked(inner, testing_support::CurrentChartOfTest().chart,
                                   testing_support::NatalWheelOfTest(), {.index = 1, .kind = "Pia"}, {100, 100}, true);
    // 180 lies at angle 180 (right), its antiscion 180 too, its contra-antiscion 0 (left).
    EXPECT_TRUE(view_test::LineBetween(normal, 139, 100, 61, 100));
    EXPECT_TRUE(view_test::LineBetween(inner, 132, 100, 68, 100));
}

}  // namespace
