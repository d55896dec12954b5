// Choosing and drawing glyph files: renumbering, versions by target, the square,
// and a missing file reported once and drawn as a placeholder.
#include <gtest/gtest.h>

#include <filesystem>

#include "display/draw/canvas_form.h"
#include "display/draw/drawing_state.h"
#include "display/draw/glyphs.h"
#include "display/draw/recording_surface.h"
#include "display/sheets/sheet_glyphs.h"
#include "platform/gui/message_box.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"

using namespace display;

namespace {

class GlyphsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawingState(testing_support::DrawingStateOfTest());
        ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        testing_support::DrawingStateOfTest().pixelsPerUnit = 10;
        for (const char* folder : {"Simboli", "Zodiaco"})
            std::filesystem::copy(std::filesystem::path(KELVOR_TEST_DATA_DIR) / folder, tmp_.Path() / folder);
    }
    void TearDown() override { ResetDrawingState(testing_support::DrawingStateOfTest()); }
    testing_support::TempWorkFolder tmp_;
    gui::RecordingMessageSink messages_;
};

TEST_F(GlyphsTest, ChartPointsAreRenumbered) {
    EXPECT_EQ(RenumberPlanetGlyph(8), 11);
    EXPECT_EQ(RenumberPlanetGlyph(9), 13);
    EXPECT_EQ(RenumberPlanetGlyph(10), 14);
    EXPECT_EQ(RenumberPlanetGlyph(11), 15);
    EXPECT_EQ(RenumberPlanetGlyph(3), 3);
    EXPECT_EQ(RenumberPlanetGlyph(12), 12);
}

TEST_F(GlyphsTest, FileNamesFollowTheTarget) {
    RecordingSurface screen{testing_support::DrawingStateOfTest()}, paper{testing_support::DrawingStateOfTest()};
    paper.SetOutputMedium(Medium::Paper);
    EXPECT_EQ(PlanetGlyphFileName(screen, 3), "Simboli\\PiaX03.emf");
    EXPECT_EQ(SignGlyphFileName(screen, 12, "M"), "Zodiaco\\SegM12.emf");
    EXPECT_EQ(ElementGlyphFileName(screen, 6), "Simboli\\ElZol2.emf");
    EXPECT_EQ(ElementGlyphFileName(screen, 8), "");
    testing_support::DrawingStateOfTest().blackAndWhite = true;
    EXPECT_EQ(PlanetGlyphFileName(screen, 13), "Simboli\\PiaXB13.emf");
    EXPECT_EQ(SignGlyphFileName(screen, 1, "M"), "Zodiaco\\SegMB01.emf");
    EXPECT_EQ(ElementGlyphFileName(screen, 1), "Simboli\\ElFuo1B.emf");
    EXPECT_EQ(PlanetGlyphFileName(paper, 13), "Simboli\\PiaXN13.emf");
    EXPECT_EQ(SignGlyphFileName(paper, 1, "MX"), "Zodiaco\\SegMXN0.emf");  // cut to 4 characters
    EXPECT_EQ(ElementGlyphFileName(paper, 4), "Simboli\\ElAcq1N.emf");
}

TEST_F(GlyphsTest, SquareIsScaledButNotDividedByTheAspectScales) {
    testing_support::DrawingStateOfTest().aspectScaleX = 2;
    testing_support::DrawingStateOfTest().aspectScaleY = 0.5;
    EXPECT_EQ(GlyphRect(testing_support::DrawingStateOfTest(), {100, 50, 4}), (Rect{480, 980, 520, 1020}));
}

TEST_F(GlyphsTest, BodyGlyphGoesToTheVisibleChartWindowOnly) {
    CanvasForm window;
    window.UseDrawingState(testing_support::DrawingStateOfTest());
    window.resize(300, 300);
    DrawPlanetGlyph(window.Canvas(), 1, {15, 15, 20});  // hidden: nothing
    EXPECT_EQ(window.Snapshot().pixelColor(150, 150), QColor(Qt::black));
    window.show();
    DrawPlanetGlyph(window.Canvas(), 1, {15, 15, 20});
    const QImage img = window.Snapshot();
    int ink = 0;
    for (int y = 50; y < 250; ++y)
        for (int x = 50; x < 250; ++x) ink += img.pixelColor(x, y) != QColor(Qt::black);
    EXPECT_GT(ink, 1000);
    EXPECT_EQ(img.pixelColor(20, 20), QColor(Qt::black));  // outside the square
    EXPECT_TRUE(messages_.messages.empty());
}

// A missing glyph is reported once and drawn as a placeholder; one cut in half
// is put back from the installation, its damaged copy kept, and drawn.
TEST_F(GlyphsTest, MissingFileIsReportedOnceAndDrawnAsPlaceholder) {
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    std::filesystem::remove(tmp_.Path() / "Simboli" / "PiaX05.emf");
    const std::filesystem::path mars = tmp_.Path() / "Simboli" / "PiaX06.emf";
    const std::string whole = testing_support::ReadBytes(mars);
    const std::string half = whole.substr(0, whole.size() / 2);
    testing_support::WriteBytes(mars, half);
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, 5), {10, 10, 4});
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, 5), {20, 10, 4});
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, 6), {30, 10, 4});
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, 6), {35, 10, 4});
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, 7), {40, 10, 4});
    ASSERT_EQ(messages_.messages.size(), 2u);
    EXPECT_EQ(messages_.messages[0].text,
              "Simbolo mancante: \"Simboli\\PiaX05.emf\". Al posto del simbolo il programma disegna un riquadro "
              "barrato. Riavviare il programma, che ricopia nella cartella dei dati i file forniti con esso.");
    EXPECT_EQ(messages_.messages[1].text,
              "Il file \"Simboli\\PiaX06.emf\" \xE8 danneggiato o incompleto (non \xE8 un metafile intero: ne "
              "restano " +
                  std::to_string(half.size()) + " byte dei " + std::to_string(whole.size()) +
                  " che la sua intestazione indica). Il programma ha rimesso al suo posto il file della sua "
                  "installazione e va avanti con quello; il file danneggiato \xE8 conservato accanto come "
                  "\"PiaX06.emf.damaged1\".");
    EXPECT_EQ(testing_support::ReadBytes(mars), whole);
    EXPECT_EQ(testing_support::ReadBytes(tmp_.Path() / "Simboli" / "PiaX06.emf.damaged1"), half);
    EXPECT_EQ(dc.Calls("rectangle").size(), 2u);  // the missing one's placeholders
    EXPECT_EQ(dc.Calls("rectangle")[0].substr(0, 24), "rectangle 80,80 120,120 ");
    ASSERT_EQ(dc.Calls("metafile").size(), 3u);  // Mars put back, and Saturn
    EXPECT_EQ(dc.Calls("metafile")[0].substr(0, 24), "metafile 280,80 320,120 ");
    EXPECT_EQ(dc.Calls("metafile")[2].substr(0, 24), "metafile 380,80 420,120 ");
    EXPECT_EQ(dc.State().pen, Pen{});  // the surface is left as it was
}

TEST_F(GlyphsTest, BlackAndWhiteDrawsTheWhiteOrBlackFile) {
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    testing_support::DrawingStateOfTest().blackAndWhite = true;
    std::filesystem::remove(tmp_.Path() / "Simboli" / "PiaXB13.emf");
    std::filesystem::remove(tmp_.Path() / "Simboli" / "PiaXN13.emf");
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, RenumberPlanetGlyph(9)), {10, 10, 4});
    dc.SetOutputMedium(Medium::Paper);
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, RenumberPlanetGlyph(9)), {10, 10, 4});
    ASSERT_EQ(messages_.messages.size(), 2u);
    EXPECT_NE(messages_.messages[0].text.find("PiaXB13"), std::string::npos);
    EXPECT_NE(messages_.messages[1].text.find("PiaXN13"), std::string::npos);
}

TEST_F(GlyphsTest, SheetGlyphsGoToTheSurfaceTheyAreHandedWhileItIsSeen) {
    RecordingSurface printer{testing_support::DrawingStateOfTest()}, metafile{testing_support::DrawingStateOfTest()};
    printer.SetOutputMedium(Medium::Paper);
    metafile.SetOutputMedium(Medium::Paper);
    CanvasForm sheet;
    sheet.UseDrawingState(testing_support::DrawingStateOfTest());
    sheet.resize(200, 200);
    RecordingSurface onSheet;
    sheet.SetRecorder(&onSheet);
    DrawSheetBodyGlyph(sheet.Canvas(), 9, {10, 10, 4});
    EXPECT_EQ(onSheet.Calls("metafile").size(), 0u);  // the sheet window is hidden
    sheet.show();
    DrawSheetBodyGlyph(sheet.Canvas(), 9, {10, 10, 4});
    EXPECT_EQ(onSheet.Calls("metafile").size(), 1u);
    sheet.SetRecorder(nullptr);
    DrawSheetBodyGlyph(printer, 9, {10, 10, 4});
    DrawSheetSignGlyph(printer, 3, "M", {10, 10, 4});
    DrawSheetElementGlyph(printer, 7, {10, 10, 4});
    DrawSheetElementGlyph(printer, 8, {10, 10, 4});  // no such element
    EXPECT_EQ(printer.Calls("metafile").size(), 3u);
    DrawSheetBodyGlyph(metafile, 1, {10, 10, 4});
    EXPECT_EQ(metafile.Calls("metafile").size(), 1u);
    EXPECT_TRUE(messages_.messages.empty());
}

}  // namespace
