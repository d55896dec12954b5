// Chart metafiles: the orientation list, the name check, recording a sheet into
// "Emf\" and showing it in the metafile viewer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QScreen>

#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/emf_player.h"
#include "display/draw/emf_recorder.h"
#include "display/draw/metafile_viewer.h"
#include "display/draw/primitives.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"

using namespace display;

namespace {

class ChartMetafileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawingState(testing_support::DrawingStateOfTest());
        InitDrawingFromScreen(testing_support::DrawingStateOfTest(), 1400, 1050);
    }
    void TearDown() override { ResetDrawingState(testing_support::DrawingStateOfTest()); }
    testing_support::TempWorkFolder tmp_;
    gui::RecordingMessageSink messages_;
};

TEST_F(ChartMetafileTest, NamesAreCheckedWhole) {
    EXPECT_EQ(ChartTypeOfName("GRAF01.EMF"), 1);
    EXPECT_EQ(ChartTypeOfName("GRAF15.EMF"), 15);
    EXPECT_EQ(ChartTypeOfName("GRAF16.EMF"), 0);
    EXPECT_EQ(ChartTypeOfName("GRAF00.EMF"), 0);
    EXPECT_EQ(ChartTypeOfName("GR.EMF"), 0);
    EXPECT_EQ(CheckChartMetafileName("GRAF05.EMF"), "");
    EXPECT_NE(CheckChartMetafileName("..\\GRAF05.EMF"), "");
    EXPECT_NE(CheckChartMetafileName("a/GR05.EMF"), "");
    EXPECT_NE(CheckChartMetafileName("GRAF5x.EMF"), "");
    EXPECT_NE(CheckChartMetafileName(""), "");
}

TEST_F(ChartMetafileTest, OrientationListIsCreatedAndUpdated) {
    EXPECT_EQ(ReadChartOrientations(), std::string(15, 'L'));  // landscape until saved
    EXPECT_FALSE(rt::PathExists("Emf\\TipGraf.set"));
    testing_support::DrawingStateOfTest().printerPresent = true;
    testing_support::DrawingStateOfTest().printerLandscape = false;
    EXPECT_TRUE(SaveChartOrientation(testing_support::DrawingStateOfTest(), "GRAF05.EMF"));
    EXPECT_EQ(ReadChartOrientations(), "LLLLPLLLLLLLLLL");
    testing_support::DrawingStateOfTest().printerPresent = false;  // no printer: landscape
    EXPECT_TRUE(SaveChartOrientation(testing_support::DrawingStateOfTest(), "GRAF05.EMF"));
    EXPECT_EQ(ReadChartOrientations()[4], 'L');
    EXPECT_FALSE(SaveChartOrientation(testing_support::DrawingStateOfTest(), "GRAF99.EMF"));
    EXPECT_TRUE(messages_.messages.empty());  // the window that took the name tells the user
    EXPECT_EQ(rt::ReadTextLines("Emf\\TipGraf.set").size(), 15u);
    // A short or damaged list is read as it is, and saving keeps its other lines.
    rt::WriteTextLines("Emf\\TipGraf.Set", {"P", "x", "P"});
    EXPECT_EQ(ReadChartOrientations(), "PxPLLLLLLLLLLLL");
    EXPECT_EQ(testing_support::ReadBytes(tmp_.Path() / "Emf" / "TipGraf.Set"), "P\r\nx\r\nP\r\n");
    EXPECT_TRUE(SaveChartOrientation(testing_support::DrawingStateOfTest(), "GRAF04.EMF"));
    EXPECT_EQ(rt::ReadTextLines("Emf\\TipGraf.set"),
              (std::vector<std::string>{"P", "x", "P", "L", "L", "L", "L", "L", "L", "L", "L", "L", "L", "L", "L"}));
}

TEST_F(ChartMetafileTest, ViewerIsSizedByTheRecordedOrientation) {
    MetafileViewer viewer(testing_support::DrawingStateOfTest());
    std::filesystem::create_directory(tmp_.Path() / "Emf");
    rt::WriteTextLines("Emf\\TipGraf.Set", std::vector<std::string>(15, "P"));
    EXPECT_EQ(ApplyChartOrientation(testing_support::DrawingStateOfTest(), "GRAF02.EMF", &viewer), 'P');
    EXPECT_EQ(viewer.size(), QSize(450, 680));
    testing_support::DrawingStateOfTest().screenAspect = 0.625L;
    EXPECT_EQ(ApplyChartOrientation(testing_support::DrawingStateOfTest(), "GRAF02.EMF", &viewer), 'P');
    EXPECT_EQ(viewer.width(), 525);
    testing_support::DrawingStateOfTest().printerPresent = true;
    testing_support::DrawingStateOfTest().printerLandscape = true;
    SaveChartOrientation(testing_support::DrawingStateOfTest(), "GRAF02.EMF");
    EXPECT_EQ(ApplyChartOrientation(testing_support::DrawingStateOfTest(), "GRAF02.EMF", &viewer), 'L');
    EXPECT_EQ(viewer.size(), QSize(755, 510));
    testing_support::DrawingStateOfTest().screenAspect = 0.75L;
    ApplyChartOrientation(testing_support::DrawingStateOfTest(), "GRAF02.EMF", &viewer);
    EXPECT_EQ(viewer.size(), QSize(660, 510));
    EXPECT_EQ(ApplyChartOrientation(testing_support::DrawingStateOfTest(), "GRAF.EMF", &viewer), 0);
    // A line other than "L" or "P" is the portrait size, and the file stays as it is.
    testing_support::DrawingStateOfTest().screenAspect = 0.75L;
    rt::WriteTextLines("Emf\\TipGraf.Set", {"L", "l", "X", ""});
    const std::string before = testing_support::ReadBytes(tmp_.Path() / "Emf" / "TipGraf.Set");
    EXPECT_EQ(ApplyChartOrientation(testing_support::DrawingStateOfTest(), "GRAF01.EMF", &viewer), 'L');
    for (const char* name : {"GRAF02.EMF", "GRAF03.EMF", "GRAF04.EMF"}) {
        EXPECT_EQ(ApplyChartOrientation(testing_support::DrawingStateOfTest(), name, &viewer), 'P') << name;
        EXPECT_EQ(viewer.size(), QSize(450, 680)) << name;
    }
    EXPECT_EQ(testing_support::ReadBytes(tmp_.Path() / "Emf" / "TipGraf.Set"), before);
}

TEST_F(ChartMetafileTest, SheetIsRecordedOnPaperIntoTheNamedFile) {
    testing_support::DrawingStateOfTest().printerPresent = true;
    testing_support::DrawingStateOfTest().printerLandscape = true;
    auto recorder = BeginChartMetafile(testing_support::DrawingStateOfTest(), "GRAF03.EMF");
    ASSERT_NE(recorder, nullptr);
    EXPECT_TRUE(recorder->OnPaper());  // black on white
    Surface& dc = *recorder;
    {
        ScopedPen pen(dc, 0);
        MoveToScaled(dc, 10, 10);
        LineToScaled(dc, 200, 150);
        DrawCircleScaled(dc, 100, 100, 50);
    }
    TextOutLeft(dc, "Kelvor", 2, 20, 20);
    EndChartMetafile(std::move(recorder), "GRAF03.EMF");
    const std::string bytes = testing_support::ReadBytes(tmp_.Path() / "Emf" / "GRAF03.EMF");
    EXPECT_EQ(CheckEmf(bytes), "");
    const auto h = ReadEmfHeader(bytes);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->frame.bottom, 21000);  // the screen's height: 210 mm
    EXPECT_EQ(h->deviceHeightPx, 1050);
}

TEST_F(ChartMetafileTest, BadNameWritesNothing) {
    auto recorder = BeginChartMetafile(testing_support::DrawingStateOfTest(), "..\\..\\evil.EMF");
    EXPECT_EQ(recorder, nullptr);
    EndChartMetafile(std::move(recorder), "..\\..\\evil.EMF");
    EXPECT_TRUE(messages_.messages.empty());  // the window that took the name tells the user
    EXPECT_FALSE(std::filesystem::exists(tmp_.Path() / "Emf"));
}

TEST_F(ChartMetafileTest, ViewerShowsTheFileStretched) {
    testing_support::DrawingStateOfTest().metafileName = "GRAF04.EMF";
    auto recorder = BeginChartMetafile(testing_support::DrawingStateOfTest(), "GRAF04.EMF");
    Surface& dc = *recorder;
    SelectBrushColor(dc, Rgb(255, 0, 0));
    RectangleScaled(dc, 0, 0, 100, 100);
    ReleaseBrush(dc);
    EndChartMetafile(std::move(recorder), "GRAF04.EMF");

    MetafileViewer viewer(testing_support::DrawingStateOfTest());
    viewer.show();
    viewer.ShowCurrentFile();
    // The caption names the file shown, where it really is.
    const auto real = std::filesystem::canonical(tmp_.Path() / "Emf" / "GRAF04.EMF");
    EXPECT_EQ(viewer.windowTitle().toStdString(), real.string());
    QImage pic = viewer.Picture();
    EXPECT_EQ(pic.size(), viewer.size());
    EXPECT_EQ(pic.pixelColor(pic.width() / 2, pic.height() / 2), QColor(255, 0, 0));
    EXPECT_FALSE(viewer.FileMissing());
    viewer.resize(300, 200);
    QApplication::processEvents();
    pic = viewer.Picture();
    EXPECT_EQ(pic.size(), QSize(300, 200));
    EXPECT_EQ(pic.pixelColor(290, 190), QColor(255, 0, 0));  // stretched over the window
    EXPECT_EQ(viewer.closeButton->geometry().right(), 300 - 23 - 1);
    viewer.closeButton->click();
    EXPECT_FALSE(viewer.isVisible());

    // No such file: no picture, and the window names the file it looked for.
    testing_support::DrawingStateOfTest().metafileName = "GRAF09.EMF";
    viewer.show();
    viewer.ShowCurrentFile();
    EXPECT_TRUE(viewer.FileMissing());
    EXPECT_EQ(viewer.Picture().pixelColor(5, 5), QColor(Qt::white));
    int ink = 0;
    for (int y = 0; y < viewer.Picture().height(); ++y)
        for (int x = 0; x < viewer.Picture().width(); ++x) ink += viewer.Picture().pixelColor(x, y).lightness() < 100;
    EXPECT_GT(ink, 50);
    EXPECT_EQ(viewer.windowTitle().toStdString(),
              (std::filesystem::canonical(tmp_.Path()) / "Emf" / "GRAF09.EMF").string());
    EXPECT_EQ(MissingMetafileMessage("GRAF09.EMF"),
              "File grafico non trovato: " + (std::filesystem::canonical(tmp_.Path()) / "Emf" / "GRAF09.EMF").string());
    EXPECT_TRUE(messages_.messages.empty());
}

// A viewer taller than the screen (a portrait sheet's on a small screen)
// opens smaller, whole on the screen, its button inside it.
TEST_F(ChartMetafileTest, ViewerOpensWholeOnTheScreen) {
    MetafileViewer viewer(testing_support::DrawingStateOfTest());
    const QRect screen = viewer.screen()->availableGeometry();
    viewer.resize(450, screen.height() + 100);
    viewer.show();
    QApplication::processEvents();
    EXPECT_TRUE(screen.contains(viewer.frameGeometry())) << viewer.frameGeometry().height();
    EXPECT_LT(viewer.height(), screen.height());
    EXPECT_EQ(viewer.width(), 450);
    EXPECT_TRUE(viewer.rect().contains(viewer.closeButton->geometry()));
    EXPECT_EQ(viewer.Picture().size(), viewer.size());
    viewer.hide();
}

TEST_F(ChartMetafileTest, ViewerCaptionIsTheFileItShows) {
    std::filesystem::create_directory(tmp_.Path() / "emf");
    testing_support::WriteBytes(tmp_.Path() / "emf" / "Graf02.emf", "x");
    // Found however its name is spelled; a folder in the name is not followed.
    const auto real = std::filesystem::canonical(tmp_.Path() / "emf" / "Graf02.emf");
    EXPECT_EQ(MetafileViewerFile("GRAF02.EMF"), real);
    EXPECT_EQ(MetafileViewerFile("..\\GRAF02.EMF"), real);
    EXPECT_EQ(MetafileViewerCaption("GRAF02.EMF").toStdString(), real.string());
}

}  // namespace
