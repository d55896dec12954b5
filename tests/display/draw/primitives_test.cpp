// The drawing primitives on a recording surface: dashes, dots, circles, aligned
// text and the page frame.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "display/draw/canvas_form.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/painter_surface.h"
#include "display/draw/primitives.h"
#include "display/draw/recording_surface.h"
#include "tests/common/drawing_state_of_test.h"

using namespace display;

namespace {

struct Seg {
    int x1, y1, x2, y2;
};

Seg ParseLine(const std::string& l) {
    Seg s{};
    std::sscanf(l.c_str(), "line %d,%d %d,%d", &s.x1, &s.y1, &s.x2, &s.y2);
    return s;
}

class PrimitivesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawingState(testing_support::DrawingStateOfTest());
        testing_support::DrawingStateOfTest().pixelsPerUnit = 10;  // one page unit = 10 pixels
    }
    void TearDown() override { ResetDrawingState(testing_support::DrawingStateOfTest()); }
    RecordingSurface dc_{testing_support::DrawingStateOfTest()};
};

TEST_F(PrimitivesTest, DashedLineHasFifteenDashesEndingAtTheSecondEnd) {
    DrawDashedLine(dc_, 0, 0, 44, 0);
    const auto lines = dc_.Calls("line");
    ASSERT_EQ(lines.size(), 15u);
    for (int i = 0; i < 15; ++i) {
        const Seg s = ParseLine(lines[i]);
        EXPECT_EQ(s.x1, 30 * i);
        EXPECT_EQ(s.x2, 30 * i + 20);
    }
    EXPECT_EQ(ParseLine(lines.back()).x2, 440);
    dc_.Clear();
    DrawDashedLine(dc_, 10, 20, 10, 5);  // any direction, any length
    ASSERT_EQ(dc_.Calls("line").size(), 15u);
    EXPECT_EQ(ParseLine(dc_.Calls("line").front()).y1, 200);
    EXPECT_EQ(ParseLine(dc_.Calls("line").back()).y2, 50);
}

TEST_F(PrimitivesTest, DottedLinesCountAndSpaceTheirDots) {
    DrawDottedLine(dc_, 0, 0, 10, 0);  // n = 18, 6 dots, 30/17 units apart
    const auto dots = dc_.Calls("ellipse");
    ASSERT_EQ(dots.size(), 6u);
    EXPECT_EQ(dots[0].substr(0, 18), "ellipse -5,-5 5,5 ");
    int l = 0, t = 0, r = 0, b = 0;
    std::sscanf(dots[5].c_str(), "ellipse %d,%d %d,%d", &l, &t, &r, &b);
    EXPECT_EQ((l + r) / 2, 88);  // 5 * 30/17 units = 8.82
    dc_.Clear();
    DrawFineDottedLine(dc_, 0, 0, 10, 0);
    ASSERT_EQ(dc_.Calls("ellipse").size(), 6u);
    EXPECT_EQ(dc_.Calls("ellipse")[0].substr(0, 18), "ellipse -3,-3 3,3 ");
    dc_.Clear();
    DrawDottedLine(dc_, 5, 5, 5, 5);  // length 0: nothing
    DrawDottedLine(dc_, 0, 0, 0.5L, 0);
    EXPECT_TRUE(dc_.Calls("ellipse").empty());
    DrawDottedLine(dc_, 0, 0, 300, 400);  // longer than 255 dots: all drawn
    EXPECT_EQ(dc_.Calls("ellipse").size(), 300u);
}

TEST_F(PrimitivesTest, CircleOnPaperIs72LinesClockwiseFromTheTop) {
    dc_.SetOutputMedium(Medium::Paper);
    DrawCircleScaled(dc_, 50, 60, 10);
    ASSERT_EQ(dc_.Calls("move").size(), 1u);
    EXPECT_EQ(dc_.Calls("move")[0], "move 500,500");
    const auto lines = dc_.Calls("line");
    ASSERT_EQ(lines.size(), 72u);
    const Seg quarter = ParseLine(lines[17]);  // after 90 degrees
    EXPECT_EQ(quarter.x2, 600);
    EXPECT_EQ(quarter.y2, 600);
    const Seg first = ParseLine(lines[0]);
    EXPECT_GT(first.x2, 500);  // clockwise on the page: to the right first
    const Seg last = ParseLine(lines.back());
    EXPECT_EQ(last.x2, 500);
    EXPECT_EQ(last.y2, 500);
    EXPECT_TRUE(dc_.Calls("arc").empty());
}

TEST_F(PrimitivesTest, CircleOnScreenAtZoomOneIsOneArc) {
    DrawCircleScaled(dc_, 50, 60, 10);
    ASSERT_EQ(dc_.Calls("arc").size(), 1u);
    EXPECT_EQ(dc_.Calls("arc")[0].substr(0, 34), "arc 400,500 600,700 500,500 500,50");
    EXPECT_TRUE(dc_.Calls("line").empty());
    testing_support::DrawingStateOfTest().aspectScaleY = 2;  // unequal scales: an ellipse
    dc_.Clear();
    DrawCircleScaled(dc_, 50, 60, 10);
    EXPECT_EQ(dc_.Calls("arc")[0].substr(0, 19), "arc 400,250 600,350");
    testing_support::DrawingStateOfTest().zoomFactor = 1.5;  // any other zoom: lines
    dc_.Clear();
    DrawCircleScaled(dc_, 50, 60, 10);
    EXPECT_EQ(dc_.Calls("line").size(), 72u);
}

TEST_F(PrimitivesTest, TextIsAlignedAtTheTopInTheFontOfItsCode) {
    testing_support::DrawingStateOfTest().fontScale = 18.5f;
    TextOutCentered(dc_, "Zon", 2, 10, 20);
    TextOutRight(dc_, "Maan", 0, 10, 20);
    TextOutLeft(dc_, "X", 21, 10, 20);
    const auto texts = dc_.Calls("text");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].substr(0, 34), "text 100,200 align=6 height=24 col");
    EXPECT_EQ(texts[1].substr(0, 34), "text 100,200 align=2 height=14 col");
    EXPECT_EQ(texts[2].substr(0, 34), "text 100,200 align=0 height=27 col");
    EXPECT_EQ(dc_.State().font, Font{});  // released after each text
}

TEST_F(PrimitivesTest, ShapesMapBothCorners) {
    SelectBrushColor(dc_, Rgb(0, 0, 255));
    RectangleScaled(dc_, 1, 2, 3.05L, 4);
    EllipseScaled(dc_, 1, 2, 3, 4);
    ReleaseBrush(dc_);
    EXPECT_EQ(dc_.Calls("rectangle")[0].substr(0, 24), "rectangle 10,20 30,40 pe");  // 30.5 -> 30
    EXPECT_NE(dc_.Calls("ellipse")[0].find("brush=#0000FF"), std::string::npos);
}

TEST_F(PrimitivesTest, MoveToScaledMovesOnTheSurfaceItIsHanded) {
    RecordingSurface printer{testing_support::DrawingStateOfTest()}, metafile{testing_support::DrawingStateOfTest()};
    MoveToScaled(printer, 1, 2);
    EXPECT_EQ(printer.State().position, (Point{10, 20}));
    MoveToScaled(metafile, 3, 4);
    EXPECT_EQ(metafile.State().position, (Point{30, 40}));
    EXPECT_EQ(printer.State().position, (Point{10, 20}));
}

TEST_F(PrimitivesTest, PageFrameFollowsThePrinterOrientation) {
    testing_support::DrawingStateOfTest().pixelsPerUnit = 2;
    CanvasForm form;
    form.UseDrawingState(testing_support::DrawingStateOfTest());
    form.resize(800, 900);
    testing_support::DrawingStateOfTest().printerPresent = true;
    testing_support::DrawingStateOfTest().printerLandscape = false;
    DrawPageFrame(form.Canvas());
    QImage img = form.Snapshot();
    auto isYellow = [&](int x, int y) { return img.pixelColor(x, y).red() > 200 && img.pixelColor(x, y).blue() < 80; };
    EXPECT_TRUE(isYellow(400, 2));    // top edge at y = 1 unit
    EXPECT_TRUE(isYellow(558, 400));  // right edge at x = 279 units
    EXPECT_TRUE(isYellow(300, 810));  // bottom edge at y = 405 units
    EXPECT_FALSE(isYellow(300, 404));
    form.ClearCanvas();
    testing_support::DrawingStateOfTest().printerLandscape = true;
    DrawPageFrame(form.Canvas());
    img = form.Snapshot();
    EXPECT_TRUE(isYellow(300, 404));  // y = 202 units
    EXPECT_FALSE(isYellow(300, 810));
    RecordingSurface paper{testing_support::DrawingStateOfTest()};
    paper.SetOutputMedium(Medium::Paper);  // never on paper
    DrawPageFrame(paper);
    EXPECT_TRUE(paper.log.empty());
}

}  // namespace

namespace {

// Lines of opaque text on a black window canvas, one under the other as the
// sheets set them (3.7 and 3.5 units apart, closer than the font's cell): the
// lower line's background leaves the upper line's ink alone, and text written
// over the same line still covers what was there.
class OpaqueTextLines : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawingState(testing_support::DrawingStateOfTest());
        InitDrawingFromScreen(testing_support::DrawingStateOfTest(), 1280, 800);
        testing_support::DrawingStateOfTest().zoomFactor = 0.5L * 1.15L;  // a portrait sheet in the viewer
    }
    void TearDown() override { ResetDrawingState(testing_support::DrawingStateOfTest()); }
    // The picture of the texts drawn in order, white on black, opaque.
    struct Line {
        std::string text;
        long double y;
        int size;
    };
    static QImage Draw(const std::vector<Line>& lines) {
        QImage image(600, 200, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            PainterSurface dc(testing_support::DrawingStateOfTest(), &image);
            dc.SetBkMode(kOpaque);
            dc.SetBkColor(kBlack);
            dc.SetTextColor(kWhite);
            for (const Line& l : lines) TextOutLeft(dc, l.text, l.size, 10, l.y);
        }
        return image;
    }
    static int Lit(const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) > 60;
        return n;
    }
};

TEST_F(OpaqueTextLines, TheLineBelowLeavesTheInkAboveItAlone) {
    const struct {
        std::string upper, lower;
        long double step;
        int size;
    } cases[] = {{"DOMIFICATIE: CASE_MEDIE", "NODO: VERO", 3.7L, 15},
                 {"Planetaire uur: 1 Dag", "Geregeerd door Mercurius", 3.5L, 15}};
    for (const auto& c : cases) {
        const QImage upper = Draw({{c.upper, 10, c.size}});
        const QImage lower = Draw({{c.lower, 10 + c.step, c.size}});
        const QImage both = Draw({{c.upper, 10, c.size}, {c.lower, 10 + c.step, c.size}});
        int lost = 0;
        for (int y = 0; y < upper.height(); ++y)
            for (int x = 0; x < upper.width(); ++x)
                if (qGray(upper.pixel(x, y)) > 60 && qGray(lower.pixel(x, y)) <= 60 && qGray(both.pixel(x, y)) <= 60)
                    ++lost;
        EXPECT_EQ(lost, 0) << c.upper;
        EXPECT_GT(Lit(upper), 100) << c.upper;
    }
}

// The lines of the sheets' ruler blocks (a larger line over a smaller one, 4.5
// and 4 units apart; two small ones 3.5 apart) at the zooms of the viewer on
// common screens: however the zoom rounds the fonts and the positions, the
// lower line's background never takes a pixel of the upper line's ink.
TEST_F(OpaqueTextLines, LinesKeepTheirInkAtEveryZoom) {
    const struct {
        std::string upper, lower;
        int upperSize, lowerSize;
        long double step;
    } pairs[] = {{"Planetaire dag: Woensdag", "Planetaire uur: 8 Dag", 2, 15, 4.5L},
                 {"Jaar van Jupiter", "In de cyclus van de Zon", 2, 15, 4.0L},
                 {"Planetaire uur: 8 Dag", "Geregeerd door Mercurius", 15, 15, 3.5L}};
    for (int screenHeight : {768, 800, 1000, 1024, 1080}) {
        for (long double zoom : {0.4L, 0.5L, 0.575L, 0.75L, 0.87L, 1.0L, 1.15L, 1.5L}) {
            ResetDrawingState(testing_support::DrawingStateOfTest());
            InitDrawingFromScreen(testing_support::DrawingStateOfTest(), screenHeight * 16 / 10, screenHeight);
            testing_support::DrawingStateOfTest().zoomFactor = zoom;
            for (const auto& p : pairs) {
                const QImage upper = Draw({{p.upper, 10, p.upperSize}});
                const QImage both = Draw({{p.upper, 10, p.upperSize}, {p.lower, 10 + p.step, p.lowerSize}});
                int lost = 0;
                for (int y = 0; y < upper.height(); ++y)
                    for (int x = 0; x < upper.width(); ++x)
                        lost += qGray(upper.pixel(x, y)) > 60 && qGray(both.pixel(x, y)) <= 60;
                EXPECT_EQ(lost, 0) << p.upper << " over " << p.lower << ", screen " << screenHeight << ", zoom "
                                   << double(zoom);
            }
        }
    }
}

TEST_F(OpaqueTextLines, TextOnTheSameLineStillCoversWhatWasThere) {
    EXPECT_GT(Lit(Draw({{"PLANETAIRE ASPECTEN", 10, 2}})), 100);
    EXPECT_EQ(Lit(Draw({{"PLANETAIRE ASPECTEN", 10, 2}, {std::string(50, ' '), 10, 2}})), 0);
    // A smaller text's line covered by blanks of a larger size at the same top.
    EXPECT_EQ(Lit(Draw({{"(Alleen grote aspecten)", 10, 15}, {std::string(50, ' '), 10, 2}})), 0);
}

}  // namespace
