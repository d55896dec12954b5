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

using namespace display;

namespace {

class DrawingToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawingState();
        InitDrawingFromScreen(1400, 1050);  // PixelsPerUnit 5, FontScale 18.5
    }
    void TearDown() override { ResetDrawingState(); }
    RecordingSurface dc;
};

TEST_F(DrawingToolsTest, StartValuesFollowTheScreen) {
    EXPECT_DOUBLE_EQ(static_cast<double>(Drawing.PixelsPerUnit), 5.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(Drawing.ScreenAspect), 0.75);
    EXPECT_FLOAT_EQ(Drawing.FontScale, 18.5f);
    InitDrawingPrinter(true, 4960);
    EXPECT_NEAR(static_cast<double>(Drawing.PrinterPixelsPerUnit), 4960 / 210.0 * 0.776, 1e-9);
    InitDrawingPrinter(false, 4960);
    EXPECT_FALSE(Drawing.PrinterPresent);
    EXPECT_EQ(Drawing.PrinterPixelsPerUnit, 0.0L);
}

TEST_F(DrawingToolsTest, MappingRoundsHalvesToEvenThenAddsTheOrigin) {
    EXPECT_EQ(MapPoint(2.5L, 0.5L), (Point{12, 2}));  // 12.5 -> 12, 2.5 -> 2
    EXPECT_EQ(MapX(0.7L), 4);                         // 3.5 -> 4
    EXPECT_EQ(MapX(-0.5L), -2);                       // -2.5 -> -2
    Drawing.OriginX = 7;
    Drawing.OriginY = -3;
    EXPECT_EQ(MapPoint(2.5L, 0.5L), (Point{19, -1}));
    Drawing.ZoomFactor = 2;
    EXPECT_EQ(MapX(2.5L), 25 + 7);
    // The aspect scales divide positions, not lengths.
    Drawing.ZoomFactor = 1;
    Drawing.OriginX = 0;
    Drawing.AspectScaleX = 2;
    EXPECT_EQ(MapX(10), 25);
    EXPECT_EQ(ScaleLength(10), 50);
}

TEST_F(DrawingToolsTest, PenWidthsByCodeAndZoom) {
    EXPECT_EQ(PenForCode(10).width, 1);  // Round(0.625)
    EXPECT_EQ(PenForCode(0).width, 1);   // Round(1.25)
    EXPECT_EQ(PenForCode(22).width, 4);  // 5 * 0.8
    EXPECT_EQ(PenForCode(63).width, 3);  // Round(3.33)
    EXPECT_EQ(PenForCode(78).width, 2);
    EXPECT_EQ(PenForCode(99).width, 1);  // not in the table: black, thin
    EXPECT_EQ(PenForCode(99).color, kBlack);
    EXPECT_EQ(PenForCode(58).width, 10);
    Drawing.ZoomFactor = 2;
    EXPECT_EQ(PenForCode(58).width, 20);
    EXPECT_EQ(PenForCode(59).width, 10);
    EXPECT_EQ(PenForCode(64).width, 10);
    EXPECT_EQ(PenForCode(0).width, 1);  // pen 0 keeps its width
    EXPECT_EQ(PenForCode(22).width, 4);
    Drawing.ZoomFactor = 1;
    Drawing.LineWidthFactor = 2;
    EXPECT_EQ(PenForCode(0).width, 2);  // Round(2.5) -> 2
    EXPECT_EQ(PenForCode(10).width, 1);  // Round(1.25)
}

TEST_F(DrawingToolsTest, PenColoursAndStyles) {
    EXPECT_EQ(PenForCode(2).color, Rgb(255, 0, 0));
    EXPECT_EQ(PenForCode(18).color, Rgb(255, 128, 64));
    EXPECT_EQ(PenForCode(78).color, Rgb(196, 200, 36));
    EXPECT_EQ(PenForCode(8).color, Rgb(69, 69, 69));
    EXPECT_EQ(PenForCode(12).style, PenStyle::Dash);
    EXPECT_EQ(PenForCode(26).style, PenStyle::Dash);
    EXPECT_EQ(PenForCode(13).style, PenStyle::Solid);
}

TEST_F(DrawingToolsTest, BlackAndWhiteRuleOnScreenAndPaper) {
    Drawing.BlackAndWhite = true;
    EXPECT_EQ(PenForCode(2).color, kWhite);  // red on the black screen
    EXPECT_EQ(PenForCode(1).color, kWhite);
    Drawing.PrintOutput = true;
    EXPECT_EQ(PenForCode(2).color, kBlack);  // red on paper
    EXPECT_EQ(PenForCode(1).color, kWhite);  // white stays white
    Drawing.PrintOutput = false;
    Drawing.MetafileOutput = true;
    EXPECT_EQ(PenForCode(5).color, kBlack);
    SelectBrushColor(dc, Rgb(0, 0, 255));
    EXPECT_EQ(dc.State().brush.color, kBlack);
    ReleaseBrush(dc);
}

TEST_F(DrawingToolsTest, SelectionSlotsRestoreTheReplacedTool) {
    const Pen original{PenStyle::Solid, 3, Rgb(1, 2, 3)};
    dc.SelectPen(original);
    SelectPenByCode(dc, 2);
    EXPECT_EQ(dc.State().pen.color, Rgb(255, 0, 0));
    SelectPenByCode(dc, 4);  // releases the red pen first
    EXPECT_EQ(*Drawing.PreviousPen, original);
    ReleasePen(dc);
    EXPECT_EQ(dc.State().pen, original);
    EXPECT_FALSE(Drawing.CurrentPen.has_value());
    ReleasePen(dc);  // nothing held: harmless
    EXPECT_EQ(dc.State().pen, original);
    {
        ScopedBrush b(dc, Rgb(0, 255, 0));
        ScopedFont f(dc, 2);
        EXPECT_EQ(dc.State().brush.color, Rgb(0, 255, 0));
        EXPECT_EQ(dc.State().font.height, 24);
    }
    EXPECT_EQ(dc.State().brush, Brush{});
    EXPECT_EQ(dc.State().font, Font{});
}

TEST_F(DrawingToolsTest, LinePensAndTextColoursFollowTheTarget) {
    SelectLinePen(dc, 0);
    EXPECT_EQ(dc.State().pen.color, kWhite);
    SelectLinePen(dc, 10);
    EXPECT_EQ(dc.State().pen.color, kWhite);
    EXPECT_EQ(dc.State().pen.width, 1);
    ReleasePen(dc);
    SetTextColorByCode(dc, 4);
    EXPECT_EQ(dc.State().textColor, Rgb(0, 255, 255));
    SetTextColorByCode(dc, 0);
    EXPECT_EQ(dc.State().textColor, kWhite);
    SetTextColorByCode(dc, 7);  // no such code: unchanged
    EXPECT_EQ(dc.State().textColor, kWhite);
    Drawing.PrintOutput = true;
    SelectLinePen(dc, 0);
    EXPECT_EQ(dc.State().pen.color, kBlack);
    ReleasePen(dc);
    SetTextColorByCode(dc, 4);
    EXPECT_EQ(dc.State().textColor, Rgb(0, 0, 255));
}

TEST_F(DrawingToolsTest, FontHeightsBySizeCode) {
    EXPECT_EQ(FontForCode(0)->height, 14);  // 555 div 38
    EXPECT_EQ(FontForCode(2)->height, 24);  // 555 div 23
    EXPECT_EQ(FontForCode(5)->height, 46);
    EXPECT_EQ(FontForCode(21)->face, "Courier");
    EXPECT_TRUE(FontForCode(16)->italic);
    EXPECT_EQ(FontForCode(16)->width, 10);
    EXPECT_EQ(FontForCode(0)->weight, 10);
    EXPECT_FALSE(FontForCode(6).has_value());
    Drawing.ZoomFactor = 2;
    EXPECT_EQ(FontForCode(0)->height, 29);  // 1110 div 38
    // A print run: FontScale = Round(4960 / 82) = 60 -> 1800 div 23.
    Drawing.ZoomFactor = 1;
    Drawing.FontScale = 60;
    EXPECT_EQ(FontForCode(2)->height, 78);
}

TEST_F(DrawingToolsTest, FontSelectionInBlackAndWhiteSetsTheForeground) {
    Drawing.BlackAndWhite = true;
    dc.SetTextColor(Rgb(0, 255, 255));
    SelectFontByCode(dc, 99);  // no font, but the colour is set
    EXPECT_EQ(dc.State().textColor, kWhite);
    EXPECT_FALSE(Drawing.CurrentFont.has_value());
    Drawing.MetafileOutput = true;
    SelectFontByCode(dc, 1);
    EXPECT_EQ(dc.State().textColor, kBlack);
    ReleaseFont(dc);
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
    Drawing.AspectScaleX = 1.02L;
    Drawing.AspectScaleY = 0.98L;
    // The screen's view: zoomed and moved, as the sheet viewer may leave it.
    Drawing.ZoomFactor = 0.5L;
    Drawing.OriginX = 480;
    Drawing.OriginY = -20;
    RecordingSurface printer;
    try {
        PrintRun run(&printer, 4960, {99, 101});
        EXPECT_TRUE(Drawing.PrintOutput);
        EXPECT_NEAR(static_cast<double>(Drawing.PixelsPerUnit), 4960 / 210.0 * 0.776, 1e-9);
        EXPECT_EQ(Drawing.AspectScaleX, 1.0L);
        EXPECT_FLOAT_EQ(Drawing.FontScale, 60.0f);  // Round(60.49)
        // The page's own zoom and origin: the corner of the printable area.
        EXPECT_EQ(Drawing.ZoomFactor, 1.0L);
        EXPECT_EQ(MapPoint(0, 0), (Point{99, 101}));
        EXPECT_EQ(MapPoint(100, 50), (Point{99 + 1833, 101 + 916}));  // 1832.9 and 916.46 pixels
        EXPECT_EQ(CurrentTarget(), nullptr);        // no printer present
        Drawing.PrinterPresent = true;
        EXPECT_EQ(CurrentTarget(), &printer);
        throw std::runtime_error("paper jam");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(Drawing.PrintOutput);
    EXPECT_EQ(Drawing.PixelsPerUnit, 5.0L);
    EXPECT_EQ(Drawing.AspectScaleX, 1.02L);
    EXPECT_EQ(Drawing.AspectScaleY, 0.98L);
    // The screen's text keeps its size: the font scale comes back as it was.
    EXPECT_FLOAT_EQ(Drawing.FontScale, 18.5f);
    EXPECT_EQ(Drawing.ZoomFactor, 0.5L);
    EXPECT_EQ(Drawing.OriginX, 480);
    EXPECT_EQ(Drawing.OriginY, -20);
    EXPECT_EQ(Drawing.PrinterCanvas, nullptr);
}

}  // namespace
