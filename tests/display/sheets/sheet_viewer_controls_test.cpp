// The sheet viewer's controls pressed as a user presses them, each checked by
// its own effect, and the activations that draw the sheet: once per opening.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <memory>

#include "display/draw/drawing_state.h"
#include "display/draw/recording_surface.h"
#include "display/sheets/sheet_printing.h"
#include "display/sheets/sheet_selection.h"
#include "display/sheets/sheet_view.h"
#include "display/sheets/sheet_viewer.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "tests/display/sheets/sheet_person.h"
#include "tests/common/drawing_state_of_test.h"

namespace sheet_viewer_controls_test {

namespace {

class FullHdScreen : public gui::SystemServices {
public:
    int ScreenWidth() override { return 1920; }
    int ScreenHeight() override { return 1080; }
};

// Gives the focus to a window as the window system does and lets the program
// see it (a bounded number of rounds of the event loop, no waiting).
void Focus(QWidget* w) {
    w->activateWindow();
    for (int i = 0; i < 20 && QGuiApplication::focusWindow() != w->windowHandle(); ++i)
        QCoreApplication::processEvents();
}

class SheetViewerControls : public ::testing::Test {
protected:
    void SetUp() override {
        gui::SetSystemServices(std::make_unique<FullHdScreen>());
        sheet_test::PrepareSheetViewer();
        pdf = (folder.Path() / "sheet.pdf").string();
        MakeViewer(std::make_unique<display::PdfSheetPrinter>(pdf));
    }
    // The viewer, made anew to print on `printer`, recorded.
    void MakeViewer(std::unique_ptr<display::SheetPrinter> printer) {
        viewer.reset();
        viewer = std::make_unique<display::SheetViewer>(testing_support::CurrentChartOfTest(), sheets,
                                                        testing_support::DrawingStateOfTest(),
                                                        display::SheetViewerCollaborators{.printer = std::move(printer)});
        viewer->resize(1920, 1080);
        viewer->SetRecorder(&dc);
    }
    void TearDown() override {
        viewer.reset();
        gui::SetSystemServices(nullptr);
        sheets = {};
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
    }
    // Shows the sheet and runs the viewer's timer by hand until it drew.
    void Open(int code, const char* orientation) {
        sheets.SheetCode = code;
        sheets.SheetOrientation = orientation;
        viewer->show();
        TickUntilStopped();
    }
    void TickUntilStopped() {
        for (int i = 0; i < 10 && testing_support::ControlOf<QTimer>(*viewer, "Timer1")->isActive(); ++i) viewer->DrawWhenReady();
        ASSERT_FALSE(testing_support::ControlOf<QTimer>(*viewer, "Timer1")->isActive());
    }
    // How often the sheet's title was drawn since the recording was cleared.
    int Drawings() const {
        const std::vector<std::string> texts = sheet_test::Texts(dc);
        return static_cast<int>(std::count(texts.begin(), texts.end(), "GEBOORTE THEMA"));
    }
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    std::string pdf;
    display::SheetSelectionState sheets;
    std::unique_ptr<display::SheetViewer> viewer;
};

// The window system activates a window shortly after it is shown, often after
// the viewer's first drawing: that activation is the showing's own and draws
// nothing more. A return from another window draws the sheet again, once.
TEST_F(SheetViewerControls, AnOpeningDrawsTheSheetOnceAndAReturnFromAnotherWindowOnceMore) {
    Open(5, "P");
    EXPECT_EQ(Drawings(), 1);
    dc.Clear();
    Focus(viewer.get());
    ASSERT_TRUE(viewer->isActiveWindow());
    TickUntilStopped();
    EXPECT_EQ(Drawings(), 0);

    QWidget other;
    other.show();
    Focus(&other);
    ASSERT_FALSE(viewer->isActiveWindow());
    Focus(viewer.get());
    TickUntilStopped();
    EXPECT_EQ(Drawings(), 1);
    other.hide();

    // A later opening alike.
    viewer->close();
    dc.Clear();
    Open(5, "P");
    Focus(viewer.get());
    TickUntilStopped();
    EXPECT_EQ(Drawings(), 1);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages[0].text;
}

// A printer whose setup dialog turns the page to the other orientation.
class TurningPrinter : public display::PdfSheetPrinter {
public:
    using PdfSheetPrinter::PdfSheetPrinter;
    bool Setup(bool& landscape) override {
        ++setups;
        landscape = !landscape;
        return true;
    }
    int setups = 0;
};

// The zoom, height and width buttons: each its own step of the view.
TEST_F(SheetViewerControls, ZoomHeightAndWidthButtonsSetTheirOwnViews) {
    Open(5, "P");  // a portrait page: half size, moved right by a quarter of the screen
    ASSERT_EQ(testing_support::DrawingStateOfTest().ZoomFactor, 0.5L);
    ASSERT_EQ(testing_support::DrawingStateOfTest().OriginX, 480);
    testing_support::ControlOf<QPushButton>(*viewer, "BitBtnZoomPiu")->click();
    EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().ZoomFactor), 0.575, 1e-6);
    testing_support::ControlOf<QPushButton>(*viewer, "BitBtnZoomMeno")->click();
    testing_support::ControlOf<QPushButton>(*viewer, "BitBtnZoomMeno")->click();
    EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().ZoomFactor), 0.5 / 1.15, 1e-6);
    testing_support::ControlOf<QPushButton>(*viewer, "BBlargarghezza")->click();  // "Breedte": zoom 1 at the origin
    EXPECT_EQ(testing_support::DrawingStateOfTest().ZoomFactor, 1.0L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().OriginX, 0);
    EXPECT_EQ(testing_support::DrawingStateOfTest().OriginY, 0);
    testing_support::ControlOf<QPushButton>(*viewer, "BitBtnZoomPiu")->click();
    testing_support::ControlOf<QPushButton>(*viewer, "BBaltezza")->click();  // "Hoogte": the portrait page's whole height
    EXPECT_EQ(testing_support::DrawingStateOfTest().ZoomFactor, 0.5L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().OriginX, 480);
    EXPECT_EQ(testing_support::DrawingStateOfTest().OriginY, 0);
    dc.Clear();
    testing_support::ControlOf<QPushButton>(*viewer, "BBlargarghezza")->click();
    EXPECT_EQ(Drawings(), 1);  // every button draws the sheet again
    EXPECT_TRUE(sink.messages.empty()) << sink.messages[0].text;
}

// Colour and aspect style: each button turns its own flag and its own glyph.
TEST_F(SheetViewerControls, ColourAndAspectButtonsTurnTheirOwnFlags) {
    Open(5, "P");
    ASSERT_EQ(testing_support::DrawingStateOfTest().AspectLinesOn, 1);
    ASSERT_FALSE(testing_support::DrawingStateOfTest().BlackAndWhite);
    testing_support::ControlOf<QPushButton>(*viewer, "BBFlagRiga")->click();
    EXPECT_EQ(testing_support::DrawingStateOfTest().AspectLinesOn, 0);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer, "BBFlagRiga")->property("glyph").toString(), "LosLin");
    EXPECT_FALSE(testing_support::DrawingStateOfTest().BlackAndWhite);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer, "BitBtnColNer")->property("glyph").toString(), "StColor");
    testing_support::ControlOf<QPushButton>(*viewer, "BBFlagRiga")->click();
    EXPECT_EQ(testing_support::DrawingStateOfTest().AspectLinesOn, 1);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer, "BBFlagRiga")->property("glyph").toString(), "LinLos");
    testing_support::ControlOf<QPushButton>(*viewer, "BitBtnColNer")->click();
    EXPECT_TRUE(testing_support::DrawingStateOfTest().BlackAndWhite);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer, "BitBtnColNer")->property("glyph").toString(), "StNero");
    EXPECT_EQ(testing_support::DrawingStateOfTest().AspectLinesOn, 1);
    testing_support::ControlOf<QPushButton>(*viewer, "BitBtnColNer")->click();
    EXPECT_FALSE(testing_support::DrawingStateOfTest().BlackAndWhite);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer, "BitBtnColNer")->property("glyph").toString(), "StColor");
}

// "Setup" runs the printer's setup and shows the orientation it left; it
// prints nothing. The orientation glyph follows each change.
TEST_F(SheetViewerControls, SetupShowsTheOrientationTheDialogLeft) {
    auto turning = std::make_unique<TurningPrinter>(pdf);
    TurningPrinter* printer = turning.get();
    MakeViewer(std::move(turning));
    Open(5, "P");
    ASSERT_EQ(testing_support::ControlOf<QPushButton>(*viewer, "BitBtnFoglio")->property("glyph").toString(), "SetupP");
    testing_support::ControlOf<QPushButton>(*viewer, "BitBtnSetup")->click();
    EXPECT_EQ(printer->setups, 1);
    EXPECT_TRUE(testing_support::DrawingStateOfTest().PrinterLandscape);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer, "BitBtnFoglio")->property("glyph").toString(), "SetupL");
    testing_support::ControlOf<QPushButton>(*viewer, "BitBtnSetup")->click();
    EXPECT_FALSE(testing_support::DrawingStateOfTest().PrinterLandscape);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer, "BitBtnFoglio")->property("glyph").toString(), "SetupP");
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_FALSE(testing_support::ControlOf<QPushButton>(*viewer, "BitBtnFoglio")->isEnabled());
}

// The metafile names offered run from "GRAF01.EMF" to "GRAF15.EMF".
TEST_F(SheetViewerControls, TheMetafileBoxOffersFifteenNames) {
    ASSERT_EQ(testing_support::ControlOf<QComboBox>(*viewer, "ComboEMF")->count(), 15);
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*viewer, "ComboEMF")->itemText(0), "GRAF01.EMF");
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*viewer, "ComboEMF")->itemText(14), "GRAF15.EMF");
}

// The mouse wheel moves the sheet up and down by 20 pixels a notch, never
// sideways; a drag moves it by the last move's displacement.
TEST_F(SheetViewerControls, WheelAndDragMoveTheSheet) {
    Open(16, "L");
    ASSERT_EQ(testing_support::DrawingStateOfTest().OriginX, 0);
    ASSERT_EQ(testing_support::DrawingStateOfTest().OriginY, 0);
    auto wheel = [this](int notches) {
        const QPointF at(400, 300);
        QWheelEvent e(at, viewer->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewer.get(), &e);
    };
    wheel(-1);  // towards the user: the sheet moves down
    EXPECT_EQ(testing_support::DrawingStateOfTest().OriginY, 20);
    wheel(-1);
    wheel(1);
    EXPECT_EQ(testing_support::DrawingStateOfTest().OriginY, 20);
    EXPECT_EQ(testing_support::DrawingStateOfTest().OriginX, 0);

    QTest::mousePress(viewer.get(), Qt::LeftButton, {}, QPoint(500, 400));
    QTest::mouseMove(viewer.get(), QPoint(530, 390));
    QTest::mouseMove(viewer.get(), QPoint(560, 370));
    QTest::mouseRelease(viewer.get(), Qt::LeftButton, {}, QPoint(560, 370));
    EXPECT_EQ(testing_support::DrawingStateOfTest().OriginX, 60);
    EXPECT_EQ(testing_support::DrawingStateOfTest().OriginY, 20 - 30);
    EXPECT_EQ(viewer->Motion().Dragging, 0);
}

// "Backard", Escape and Enter close the viewer, which forgets its black and
// white and its aspect wedges.
TEST_F(SheetViewerControls, BackAndItsKeysCloseTheViewer) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        Open(5, "P");
        testing_support::ControlOf<QPushButton>(*viewer, "BitBtnColNer")->click();
        testing_support::ControlOf<QPushButton>(*viewer, "BBFlagRiga")->click();
        if (way == 0) testing_support::ControlOf<QPushButton>(*viewer, "BitBtnRitorna")->click();
        if (way == 1) QTest::keyClick(viewer.get(), Qt::Key_Escape);
        if (way == 2) QTest::keyClick(viewer.get(), Qt::Key_Return);
        EXPECT_FALSE(viewer->isVisible());
        EXPECT_FALSE(testing_support::DrawingStateOfTest().BlackAndWhite);
        EXPECT_EQ(testing_support::DrawingStateOfTest().AspectLinesOn, 1);
        EXPECT_FALSE(std::filesystem::exists(pdf));
    }
}

}  // namespace

}  // namespace sheet_viewer_controls_test
