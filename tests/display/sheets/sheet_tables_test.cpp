// The position tables of the birth-theme sheets for the fixed person: the
// dodecatemoria they compute, the decimal degrees in brackets, the rows and
// their places.
#include <gtest/gtest.h>

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/sheets/sheet_tables.h"
#include "display/wheel/wheel_points.h"
#include "platform/gui/message_box.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/sheets/sheet_person.h"

namespace {

using display::RecordingSurface;

class SheetTables : public ::testing::Test {
protected:
    // The person whose sheets the tests draw.
    archive::CurrentChart& current_ = testing_support::CurrentChartOfTest();
    void SetUp() override {
        sheet_test::SetSheetPerson();
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        wheel_test::CopyDataFolders({"Simboli"});
    }
    static std::string At(display::Point p) { return "text " + std::to_string(p.x) + "," + std::to_string(p.y) + " "; }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(SheetTables, DodecatemorionIsTwelveTimesTheDistanceIntoTheSign) {
    EXPECT_NEAR(display::SheetDodecatemorion(45.5L), 231.5L, 1e-12);
    EXPECT_NEAR(display::SheetDodecatemorion(60), 60, 1e-12);         // at the start of a sign
    EXPECT_NEAR(display::SheetDodecatemorion(59.99L), 59.87L, 1e-9);  // 359.88 further: just before it
}

TEST_F(SheetTables, BracketedDegreesCutTheFractionToTwoDecimals) {
    EXPECT_EQ(display::FormatBracketedDegrees(231.5L), "(231\xB0,5)");
    EXPECT_EQ(display::FormatBracketedDegrees(12.345678L), "(12\xB0,34)");
    EXPECT_EQ(display::FormatBracketedDegrees(45.0L), "(45\xB0,)");
    EXPECT_EQ(display::FormatBracketedDegrees(7.999L), "(7\xB0,99)");
    EXPECT_EQ(display::FormatBracketedDegrees(100.000001L), "(100\xB0,00)");
}

TEST_F(SheetTables, DodecatemoriaOfTheElevenPointsAndTheirTable) {
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawSheetDodecatemoria(dc, display::WheelPointLongitudes(current_.chart), {115, 275});
    // The Moon at 45.5 has its dodecatemorion at 231.5; the Ascendant at 100.5 at 226.5,
    // the Midheaven (the last point) at 358 at 334.
    const display::WheelPointArray dodecatemoria = display::WheelPointDodecatemoria(current_.chart);
    EXPECT_NEAR(dodecatemoria[engine::ChartPoint::Moon], 231.5L, 1e-12);
    EXPECT_NEAR(dodecatemoria[engine::ChartPoint::Ascendant], 226.5L, 1e-12);
    EXPECT_NEAR(dodecatemoria[engine::ChartPoint::Midheaven], 334.0L, 1e-12);
    EXPECT_EQ(dodecatemoria[display::kWheelPointCount], 0);
    EXPECT_EQ(current_.chart.bodies[engine::Body::Moon].longitude, 45.5L);
    const auto texts = sheet_test::Texts(dc);
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[0], "DODECATEMORIEEN");
    EXPECT_EQ(texts[2],
              "21\xB0"
              "30' Schorpioen ");
    EXPECT_EQ(sheet_test::Glyphs(dc).size(), 11u);
    EXPECT_EQ(dc.Calls("text")[0].rfind(At(display::MapPoint(testing_support::DrawingStateOfTest(), 113, 267)), 0), 0u);
    EXPECT_EQ(
        dc.Calls("text")[2].rfind(At(display::MapPoint(testing_support::DrawingStateOfTest(), 120, 279.5L - 2.5L)), 0),
        0u);
}

TEST_F(SheetTables, LongitudeRowsTakeSevenUnitsEach) {
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawSheetLongitudes(dc, display::WheelPointLongitudes(current_.chart), {18, 115});
    const auto texts = sheet_test::Texts(dc);
    ASSERT_EQ(texts.size(), 1u + 22u);
    EXPECT_EQ(texts[0], "LONGITUDINI");
    EXPECT_EQ(texts[2], "(15\xB0,25)");
    EXPECT_EQ(texts[22], "(358\xB0,)");
    // The Moon's second line: 7 below the Sun's first, 4 more.
    EXPECT_EQ(dc.Calls("text")[4].rfind(
                  At(display::MapPoint(testing_support::DrawingStateOfTest(), 23, 115 + 7 + 4 - 2.5L)), 0),
              0u);
    const auto boxes = sheet_test::Glyphs(dc);
    ASSERT_EQ(boxes.size(), 11u);
    const auto g = display::MapPoint(testing_support::DrawingStateOfTest(), 18, 115 + 7 + 1);
    EXPECT_NEAR(boxes[1].Cx(), g.x, 1);
    EXPECT_NEAR(boxes[1].Cy(), g.y, 1);
}

TEST_F(SheetTables, LatitudesStopAfterSaturn) {
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawSheetLatitudes(dc, display::WheelPointLatitudes(current_.chart), {205, 219});
    const auto texts = sheet_test::Texts(dc);
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[0], "BREEDTEGRADEN");
    EXPECT_EQ(texts[2], "04\xB0 30' Zuid ");
    EXPECT_EQ(texts[3], "01\xB0 15' Noord");  // Mercury
}

TEST_F(SheetTables, RelativeLongitudesStandInThreeColumns) {
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawSheetRelativeLongitudes(dc, display::WheelPointLongitudes(current_.chart), {165, 210});
    const auto calls = dc.Calls("text");
    ASSERT_EQ(calls.size(), 12u);
    // Mars (5) heads the second column, the south node (9) the third.
    EXPECT_EQ(calls[5].rfind(At(display::MapPoint(testing_support::DrawingStateOfTest(), 225, 207.5L)), 0), 0u);
    EXPECT_EQ(calls[9].rfind(At(display::MapPoint(testing_support::DrawingStateOfTest(), 280, 207.5L)), 0), 0u);
    EXPECT_NE(calls[5].find("(135\xB0,75)"), std::string::npos);
    EXPECT_NE(calls[0].find("color=#00FFFF"), std::string::npos);
    for (std::size_t i = 1; i < calls.size(); ++i) EXPECT_NE(calls[i].find("color=#FFFFFF"), std::string::npos);
    EXPECT_EQ(dc.State().textColor, display::Color{display::kBlack});
}

}  // namespace
