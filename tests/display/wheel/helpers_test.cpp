// The wheel geometry, the chart area and the classification of longitudes into
// segments.
#include <gtest/gtest.h>

#include "display/draw/drawing_state.h"
#include "display/draw/recording_surface.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"

using namespace display;

namespace {

TEST(WheelGeometryTest, ChartWindowAndSheetValues) {
    ChartGeometryState geometry;
    SetDefaultWheelRadii(geometry);
    EXPECT_EQ(geometry.wheelCentreX, 173);
    EXPECT_EQ(geometry.houseRingInnerRadius, 38);
    SetWheelGeometry(geometry);
    EXPECT_EQ(geometry.wheelCentreX, 100);
    EXPECT_EQ(geometry.signRingOuterRadius, 78);
    EXPECT_EQ(geometry.houseRingOuterRadius, 47);
    EXPECT_EQ(geometry.houseRingInnerRadius, 39);
}

// (The chart window empties the attribution texts beside the square itself.)
TEST(ChartAreaTest, ClearsSquareAndTwoGlyphCentres) {
    ResetDrawingState(testing_support::DrawingStateOfTest());
    testing_support::DrawingStateOfTest().pixelsPerUnit = 2;
    testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Ascendant] = 5;
    testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Midheaven] = 6;
    testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::SouthNode] = 7;
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    ClearChartArea(dc, testing_support::NatalWheelOfTest());
    ASSERT_EQ(dc.Calls("rectangle").size(), 1u);
    EXPECT_EQ(dc.Calls("rectangle")[0].substr(0, 21), "rectangle 4,4 390,390");
    EXPECT_NE(dc.Calls("rectangle")[0].find("brush=#000000"), std::string::npos);
    EXPECT_EQ(dc.State().brush, Brush{});
    EXPECT_EQ(testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Ascendant], 0);
    EXPECT_EQ(testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Midheaven], 0);
    EXPECT_EQ(testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::SouthNode], 7);
    testing_support::DrawingStateOfTest().blackAndWhite = true;  // white on the black-and-white screen
    ClearChartArea(dc, testing_support::NatalWheelOfTest());
    EXPECT_NE(dc.Calls("rectangle")[1].find("brush=#FFFFFF"), std::string::npos);
    ResetDrawingState(testing_support::DrawingStateOfTest());
}

TEST(SegmentsTest, LongitudesFallIntoTheSegmentStartingAtOrBeforeThem) {
    std::array<long double, 36> b{};
    for (int i = 0; i < 36; ++i) b[i] = 10.0L * (i + 1);  // 10, 20, ..., 360
    std::array<long double, 24> lon{};
    lon[0] = 15;
    lon[1] = 5;
    lon[2] = 20;
    lon[3] = 359.5L;
    std::array<unsigned char, 4> res{};
    ClassifyIntoSegments(4, lon, b, res);
    EXPECT_EQ(res[0], 2);
    EXPECT_EQ(res[1], 1);  // segment 37 wraps to 1
    EXPECT_EQ(res[2], 3);  // on a boundary: the segment that starts there
    EXPECT_EQ(res[3], 36);
    std::array<long double, 60> b60{};
    for (int i = 0; i < 60; ++i) b60[i] = 6.0L * (i + 1);
    lon[0] = 7;
    lon[1] = 3;
    std::array<unsigned char, 2> r60{};
    ClassifyIntoSegments60(2, lon, b60, r60);
    EXPECT_EQ(r60[0], 2);
    EXPECT_EQ(r60[1], 1);
}

}  // namespace
