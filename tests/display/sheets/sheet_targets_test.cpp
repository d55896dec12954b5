// One sheet block serves every output: drawn on the recording surface, on an
// image and into a metafile it makes the same calls, and the metafile plays
// back with the same texts. Glyphs go to the surface of their block.
#include <gtest/gtest.h>

#include <QImage>

#include "archive/current_chart.h"
#include "display/draw/canvas_form.h"
#include "display/draw/emf_player.h"
#include "display/draw/emf_recorder.h"
#include "display/draw/glyphs.h"
#include "display/draw/painter_surface.h"
#include "display/sheets/sheet_archetype.h"
#include "display/sheets/sheet_glyphs.h"
#include "display/sheets/sheet_wheel.h"
#include "display/wheel/wheel_points.h"
#include "platform/gui/message_box.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/sheets/sheet_person.h"

namespace {

using display::RecordingSurface;

class SheetTargets : public ::testing::Test {
protected:
    void SetUp() override {
        sheet_test::SetSheetPerson();
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco"});
        testing_support::DrawingStateOfTest().aspectLinesOn = 0;
    }
    static void DrawBlocks(display::Surface& dc) {
        const archive::CurrentChart& current = testing_support::CurrentChartOfTest();
        const auto& c = current.chart;
        display::DrawSheetSignRing(dc, "M", {.centre = {173, 105}, .outerRadius = 67, .innerRadius = 57}, 7,
                                   c.cusps[1]);
        display::DrawSheetPlanetRing(dc, display::WheelPointLongitudes(c), display::WheelPointRetroMarks(c), 9,
                                     {.centre = {173, 105}, .outerRadius = 57, .innerRadius = 44}, c.cusps[1]);
        display::DrawSheetAspects(dc, c, current.orbs.aspectOrbs, 0, {.centre = {173, 105}, .radius = 35});
        display::DrawSphericalDistances(dc, display::WheelPointLongitudes(c), display::WheelPointLatitudes(c),
                                        current.orbs, 15, 202);
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(SheetTargets, RecordingImageAndMetafileGetTheSameCalls) {
    RecordingSurface plain{testing_support::DrawingStateOfTest()};
    sheet_test::TeeSurface direct(plain);
    DrawBlocks(direct);

    QImage image(1600, 1200, QImage::Format_RGB32);
    image.fill(Qt::black);
    std::string emfBytes;
    {
        display::PainterSurface painter(testing_support::DrawingStateOfTest(), &image);
        sheet_test::TeeSurface onImage(painter);
        DrawBlocks(onImage);
        EXPECT_EQ(onImage.log, direct.log);
    }
    display::EmfRecorder recorder;
    recorder.UseDrawingState(testing_support::DrawingStateOfTest());
    sheet_test::TeeSurface intoMetafile(recorder);
    DrawBlocks(intoMetafile);
    EXPECT_EQ(intoMetafile.log, direct.log);
    emfBytes = recorder.Finish();

    ASSERT_GT(direct.log.size(), 500u);
    EXPECT_GT(direct.Calls("polygon").size(), 0u);
    EXPECT_GT(sheet_test::Glyphs(direct).size(), 9u);
    EXPECT_TRUE(sink_.messages.empty());
    // The image was drawn on: the wheel's white lines over the black.
    int ink = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) ink += image.pixelColor(x, y) != QColor(Qt::black);
    EXPECT_GT(ink, 1000);
    // The metafile is whole and gives back the texts in their order.
    EXPECT_EQ(display::CheckEmf(emfBytes), "");
    const auto header = display::ReadEmfHeader(emfBytes);
    ASSERT_TRUE(header.has_value());
    RecordingSurface replay{testing_support::DrawingStateOfTest()};
    ASSERT_TRUE(display::PlayEmf(emfBytes, replay,
                                 {header->bounds.left, header->bounds.top, header->bounds.right + 1,
                                  header->bounds.bottom + 1}));
    EXPECT_EQ(sheet_test::Texts(replay), sheet_test::Texts(direct));
}

TEST_F(SheetTargets, EveryBlockLeavesTheSurfaceAsItFoundIt) {
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    dc.SetTextColor(display::Rgb(10, 20, 30));
    dc.SelectPen({display::PenStyle::Dot, 3, display::Rgb(1, 1, 1)});
    dc.SelectBrush({display::BrushStyle::Null, 0});
    const display::SurfaceState before = dc.State();
    DrawBlocks(dc);
    const auto& after = dc.State();
    EXPECT_EQ(after.pen, before.pen);
    EXPECT_EQ(after.brush, before.brush);
    EXPECT_EQ(after.font, before.font);
    EXPECT_EQ(after.textColor, before.textColor);
    EXPECT_EQ(after.textAlign, before.textAlign);
    EXPECT_EQ(after.polyFillMode, before.polyFillMode);
    EXPECT_FALSE(testing_support::DrawingStateOfTest().currentPen.has_value());
    EXPECT_FALSE(testing_support::DrawingStateOfTest().currentBrush.has_value());
    EXPECT_FALSE(testing_support::DrawingStateOfTest().currentFont.has_value());
}

TEST_F(SheetTargets, GlyphsFollowTheirBlockButNeverToAHiddenSheetWindow) {
    RecordingSurface block{testing_support::DrawingStateOfTest()};
    display::DrawSheetBodyGlyph(block, 3, {10, 10, 4});
    EXPECT_EQ(block.Calls("metafile").size(), 1u);
    display::CanvasForm sheet;
    sheet.UseDrawingState(testing_support::DrawingStateOfTest());
    sheet.resize(100, 100);
    display::DrawSheetBodyGlyph(sheet.Canvas(), 3, {10, 10, 8});
    EXPECT_EQ(sheet.Snapshot().pixelColor(51, 51), QColor(Qt::black));  // hidden: nothing
}

}  // namespace
