// Page-unit mapping and the drawing tools: pens, brushes, text colours and fonts
// by code, and the black-and-white rule.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>
#include <stdexcept>

#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/font_mapping.h"
#include "display/draw/recording_surface.h"
#include "tests/common/drawing_state_of_test.h"

using namespace display;

namespace {

class DrawingToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawingState(testing_support::DrawingStateOfTest());
        InitDrawingFromScreen(testing_support::DrawingStateOfTest(), 1400, 1050);  // PixelsPerUnit 5, FontScale 18.5
    }
    void TearDown() override { ResetDrawingState(testing_support::DrawingStateOfTest()); }
    RecordingSurface dc_{testing_support::DrawingStateOfTest()};
};

TEST_F(DrawingToolsTest, StartValuesFollowTheScreen) {
    EXPECT_DOUBLE_EQ(static_cast<double>(testing_support::DrawingStateOfTest().pixelsPerUnit), 5.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(testing_support::DrawingStateOfTest().screenAspect), 0.75);
    EXPECT_FLOAT_EQ(testing_support::DrawingStateOfTest().fontScale, 18.5f);
    InitDrawingPrinter(testing_support::DrawingStateOfTest(), true, 4960);
    EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().printerPixelsPerUnit), 4960 / 210.0 * 0.776,
                1e-9);
    InitDrawingPrinter(testing_support::DrawingStateOfTest(), false, 4960);
    EXPECT_FALSE(testing_support::DrawingStateOfTest().printerPresent);
    EXPECT_EQ(testing_support::DrawingStateOfTest().printerPixelsPerUnit, 0.0L);
}

TEST_F(DrawingToolsTest, MappingRoundsHalvesToEvenThenAddsTheOrigin) {
    EXPECT_EQ(MapPoint(testing_support::DrawingStateOfTest(), 2.5L, 0.5L), (Point{12, 2}));  // 12.5 -> 12, 2.5 -> 2
    EXPECT_EQ(MapX(testing_support::DrawingStateOfTest(), 0.7L), 4);                         // 3.5 -> 4
    EXPECT_EQ(MapX(testing_support::DrawingStateOfTest(), -0.5L), -2);                       // -2.5 -> -2
    testing_support::DrawingStateOfTest().originX = 7;
    testing_support::DrawingStateOfTest().originY = -3;
    EXPECT_EQ(MapPoint(testing_support::DrawingStateOfTest(), 2.5L, 0.5L), (Point{19, -1}));
    testing_support::DrawingStateOfTest().zoomFactor = 2;
    EXPECT_EQ(MapX(testing_support::DrawingStateOfTest(), 2.5L), 25 + 7);
    // The aspect scales divide positions, not lengths.
    testing_support::DrawingStateOfTest().zoomFactor = 1;
    testing_support::DrawingStateOfTest().originX = 0;
    testing_support::DrawingStateOfTest().aspectScaleX = 2;
    EXPECT_EQ(MapX(testing_support::DrawingStateOfTest(), 10), 25);
    EXPECT_EQ(ScaleLength(testing_support::DrawingStateOfTest(), 10), 50);
}

TEST_F(DrawingToolsTest, PenWidthsByCodeAndZoom) {
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 10).width, 1);  // Round(0.625)
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 0).width, 1);   // Round(1.25)
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 22).width, 4);  // 5 * 0.8
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 63).width, 3);  // Round(3.33)
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 78).width, 2);
    // Not in the table: black, thin.
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 99).width, 1);
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 99).color, kBlack);
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 58).width, 10);
    testing_support::DrawingStateOfTest().zoomFactor = 2;
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 58).width, 20);
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 59).width, 10);
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 64).width, 10);
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 0).width, 1);  // pen 0 keeps its width
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 22).width, 4);
    testing_support::DrawingStateOfTest().zoomFactor = 1;
    testing_support::DrawingStateOfTest().lineWidthFactor = 2;
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 0).width, 2);   // Round(2.5) -> 2
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 10).width, 1);  // Round(1.25)
}

TEST_F(DrawingToolsTest, PenColoursAndStyles) {
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 2).color, Rgb(255, 0, 0));
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 18).color, Rgb(255, 128, 64));
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 78).color, Rgb(196, 200, 36));
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 8).color, Rgb(69, 69, 69));
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 12).style, PenStyle::Dash);
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 26).style, PenStyle::Dash);
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 13).style, PenStyle::Solid);
}

TEST_F(DrawingToolsTest, BlackAndWhiteRuleOnScreenAndPaper) {
    testing_support::DrawingStateOfTest().blackAndWhite = true;
    // Red on the black screen.
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 2).color, kWhite);
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Screen, 1).color, kWhite);
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Paper, 2).color, kBlack);  // red on paper
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Paper, 1).color, kWhite);  // white stays white
    EXPECT_EQ(PenForCode(testing_support::DrawingStateOfTest(), Medium::Paper, 5).color, kBlack);
    dc_.SetOutputMedium(Medium::Paper);  // the chart metafile
    SelectBrushColor(dc_, Rgb(0, 0, 255));
    EXPECT_EQ(dc_.State().brush.color, kBlack);
    ReleaseBrush(dc_);
}

TEST_F(DrawingToolsTest, SelectionSlotsRestoreTheReplacedTool) {
    const Pen original{PenStyle::Solid, 3, Rgb(1, 2, 3)};
    dc_.SelectPen(original);
    SelectPenByCode(dc_, 2);
    EXPECT_EQ(dc_.State().pen.color, Rgb(255, 0, 0));
    SelectPenByCode(dc_, 4);  // releases the red pen first
    EXPECT_EQ(*testing_support::DrawingStateOfTest().previousPen, original);
    ReleasePen(dc_);
    EXPECT_EQ(dc_.State().pen, original);
    EXPECT_FALSE(testing_support::DrawingStateOfTest().currentPen.has_value());
    ReleasePen(dc_);  // nothing held: harmless
    EXPECT_EQ(dc_.State().pen, original);
    {
        ScopedBrush b(dc_, Rgb(0, 255, 0));
        ScopedFont f(dc_, 2);
        EXPECT_EQ(dc_.State().brush.color, Rgb(0, 255, 0));
        EXPECT_EQ(dc_.State().font.height, 24);
    }
    EXPECT_EQ(dc_.State().brush, Brush{});
    EXPECT_EQ(dc_.State().font, Font{});
}

TEST_F(DrawingToolsTest, LinePensAndTextColoursFollowTheTarget) {
    SelectLinePen(dc_, 0);
    EXPECT_EQ(dc_.State().pen.color, kWhite);
    SelectLinePen(dc_, 10);
    EXPECT_EQ(dc_.State().pen.color, kWhite);
    EXPECT_EQ(dc_.State().pen.width, 1);
    ReleasePen(dc_);
    SetTextColorByCode(dc_, 4);
    EXPECT_EQ(dc_.State().textColor, Rgb(0, 255, 255));
    SetTextColorByCode(dc_, 0);
    EXPECT_EQ(dc_.State().textColor, kWhite);
    SetTextColorByCode(dc_, 7);  // no such code: unchanged
    EXPECT_EQ(dc_.State().textColor, kWhite);
    dc_.SetOutputMedium(Medium::Paper);
    SelectLinePen(dc_, 0);
    EXPECT_EQ(dc_.State().pen.color, kBlack);
    ReleasePen(dc_);
    SetTextColorByCode(dc_, 4);
    EXPECT_EQ(dc_.State().textColor, Rgb(0, 0, 255));
}

TEST_F(DrawingToolsTest, FontHeightsBySizeCode) {
    EXPECT_EQ(FontForCode(testing_support::DrawingStateOfTest(), 0)->height, 14);  // 555 div 38
    EXPECT_EQ(FontForCode(testing_support::DrawingStateOfTest(), 2)->height, 24);  // 555 div 23
    EXPECT_EQ(FontForCode(testing_support::DrawingStateOfTest(), 5)->height, 46);
    EXPECT_EQ(FontForCode(testing_support::DrawingStateOfTest(), 21)->face, "Courier");
    EXPECT_TRUE(FontForCode(testing_support::DrawingStateOfTest(), 16)->italic);
    EXPECT_EQ(FontForCode(testing_support::DrawingStateOfTest(), 16)->width, 10);
    EXPECT_EQ(FontForCode(testing_support::DrawingStateOfTest(), 0)->weight, 10);
    EXPECT_FALSE(FontForCode(testing_support::DrawingStateOfTest(), 6).has_value());
    testing_support::DrawingStateOfTest().zoomFactor = 2;
    EXPECT_EQ(FontForCode(testing_support::DrawingStateOfTest(), 0)->height, 29);  // 1110 div 38
    // A print run: FontScale = Round(4960 / 82) = 60 -> 1800 div 23.
    testing_support::DrawingStateOfTest().zoomFactor = 1;
    testing_support::DrawingStateOfTest().fontScale = 60;
    EXPECT_EQ(FontForCode(testing_support::DrawingStateOfTest(), 2)->height, 78);
}

TEST_F(DrawingToolsTest, FontSelectionInBlackAndWhiteSetsTheForeground) {
    testing_support::DrawingStateOfTest().blackAndWhite = true;
    dc_.SetTextColor(Rgb(0, 255, 255));
    SelectFontByCode(dc_, 99);  // no font, but the colour is set
    EXPECT_EQ(dc_.State().textColor, kWhite);
    EXPECT_FALSE(testing_support::DrawingStateOfTest().currentFont.has_value());
    dc_.SetOutputMedium(Medium::Paper);  // the chart metafile
    SelectFontByCode(dc_, 1);
    EXPECT_EQ(dc_.State().textColor, kBlack);
    ReleaseFont(dc_);
}

TEST_F(DrawingToolsTest, ArialAndCourierHaveTheirCellHeights) {
    for (const char* face : {"Arial", "Courier"}) {
        Font f;
        f.face = face;
        f.height = 40;
        const TextMetrics m = MeasureTextIn(f, "Hg");
        EXPECT_NEAR(m.ascent + m.descent, 40.0, 1.5) << face;
        f.height = -40;  // the em height instead
        const TextMetrics e = MeasureTextIn(f, "Hg");
        EXPECT_GT(e.ascent + e.descent, 42.0) << face;
    }
    EXPECT_EQ(QFontInfo(ToQFont(Font{"Arial"})).family(), QString("Liberation Sans"));
    EXPECT_EQ(QFontInfo(ToQFont(Font{"Courier"})).family(), QString("Liberation Mono"));
    Font narrow;
    narrow.face = "Arial";
    narrow.height = 20;
    narrow.width = 10;
    EXPECT_NEAR(QFontMetricsF(ToQFont(narrow)).averageCharWidth(), 10.0, 1.0);
    narrow.width = 20;
    EXPECT_NEAR(QFontMetricsF(ToQFont(narrow)).averageCharWidth(), 20.0, 1.5);
}

TEST_F(DrawingToolsTest, PrintRunScalesForThePrinterAndRestores) {
    testing_support::DrawingStateOfTest().aspectScaleX = 1.02L;
    testing_support::DrawingStateOfTest().aspectScaleY = 0.98L;
    // The screen's view: zoomed and moved, as the sheet viewer may leave it.
    testing_support::DrawingStateOfTest().zoomFactor = 0.5L;
    testing_support::DrawingStateOfTest().originX = 480;
    testing_support::DrawingStateOfTest().originY = -20;
    RecordingSurface printer;
    try {
        PrintRun run(testing_support::DrawingStateOfTest(), printer, 4960, {99, 101});
        EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().pixelsPerUnit), 4960 / 210.0 * 0.776,
                    1e-9);
        EXPECT_EQ(testing_support::DrawingStateOfTest().aspectScaleX, 1.0L);
        EXPECT_FLOAT_EQ(testing_support::DrawingStateOfTest().fontScale, 60.0f);  // Round(60.49)
        // The page's own zoom and origin: the corner of the printable area.
        EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 1.0L);
        EXPECT_EQ(MapPoint(testing_support::DrawingStateOfTest(), 0, 0), (Point{99, 101}));
        EXPECT_EQ(MapPoint(testing_support::DrawingStateOfTest(), 100, 50),
                  (Point{99 + 1833, 101 + 916}));  // 1832.9 and 916.46 pixels
        // The page's canvas maps with the state the run sets.
        EXPECT_EQ(&printer.Drawing(), &testing_support::DrawingStateOfTest());
        throw std::runtime_error("paper jam");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(testing_support::DrawingStateOfTest().pixelsPerUnit, 5.0L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().aspectScaleX, 1.02L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().aspectScaleY, 0.98L);
    // The screen's text keeps its size: the font scale comes back as it was.
    EXPECT_FLOAT_EQ(testing_support::DrawingStateOfTest().fontScale, 18.5f);
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 0.5L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 480);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, -20);
}

}  // namespace
