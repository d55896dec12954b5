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
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/sheets/sheet_person.h"

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
        pdf_ = (folder_.Path() / "sheet.pdf").string();
        MakeViewer(std::make_unique<display::PdfSheetPrinter>(pdf_));
    }
    // The viewer, made anew to print on `printer`, recorded.
    void MakeViewer(std::unique_ptr<display::SheetPrinter> printer) {
        viewer_.reset();
        viewer_ =
            std::make_unique<display::SheetViewer>(testing_support::CurrentChartOfTest(), sheets_,
                                                   testing_support::DrawingStateOfTest(),
                                                   display::SheetViewerCollaborators{.printer = std::move(printer)});
        viewer_->resize(1920, 1080);
        viewer_->SetRecorder(&dc_);
    }
    void TearDown() override {
        viewer_.reset();
        gui::SetSystemServices(nullptr);
        sheets_ = {};
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
    }
    // Shows the sheet and runs the viewer's timer by hand until it drew.
    void Open(int code, const char* orientation) {
        sheets_.sheetCode = code;
        sheets_.sheetOrientation = orientation;
        viewer_->show();
        TickUntilStopped();
    }
    void TickUntilStopped() {
        for (int i = 0; i < 10 && testing_support::ControlOf<QTimer>(*viewer_, "Timer1")->isActive(); ++i)
            viewer_->DrawWhenReady();
        ASSERT_FALSE(testing_support::ControlOf<QTimer>(*viewer_, "Timer1")->isActive());
    }
    // How often the sheet's title was drawn since the recording was cleared.
    int Drawings() const {
        const std::vector<std::string> texts = sheet_test::Texts(dc_);
        return static_cast<int>(std::count(texts.begin(), texts.end(), "GEBOORTE THEMA"));
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
    display::RecordingSurface dc_{testing_support::DrawingStateOfTest()};
    std::string pdf_;
    display::SheetSelectionState sheets_;
    std::unique_ptr<display::SheetViewer> viewer_;
};

// The window system activates a window shortly after it is shown, often after
// the viewer's first drawing: that activation is the showing's own and draws
// nothing more. A return from another window draws the sheet again, once.
TEST_F(SheetViewerControls, AnOpeningDrawsTheSheetOnceAndAReturnFromAnotherWindowOnceMore) {
    Open(5, "P");
    EXPECT_EQ(Drawings(), 1);
    dc_.Clear();
    Focus(viewer_.get());
    ASSERT_TRUE(viewer_->isActiveWindow());
    TickUntilStopped();
    EXPECT_EQ(Drawings(), 0);

    QWidget other;
    other.show();
    Focus(&other);
    ASSERT_FALSE(viewer_->isActiveWindow());
    Focus(viewer_.get());
    TickUntilStopped();
    EXPECT_EQ(Drawings(), 1);
    other.hide();

    // A later opening alike.
    viewer_->close();
    dc_.Clear();
    Open(5, "P");
    Focus(viewer_.get());
    TickUntilStopped();
    EXPECT_EQ(Drawings(), 1);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages[0].text;
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
    ASSERT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 0.5L);
    ASSERT_EQ(testing_support::DrawingStateOfTest().originX, 480);
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnZoomPiu")->click();
    EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().zoomFactor), 0.575, 1e-6);
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnZoomMeno")->click();
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnZoomMeno")->click();
    EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().zoomFactor), 0.5 / 1.15, 1e-6);
    testing_support::ControlOf<QPushButton>(*viewer_, "BBlargarghezza")->click();  // "Breedte": zoom 1 at the origin
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 1.0L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 0);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, 0);
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnZoomPiu")->click();
    testing_support::ControlOf<QPushButton>(*viewer_, "BBaltezza")
        ->click();  // "Hoogte": the portrait page's whole height
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 0.5L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 480);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, 0);
    dc_.Clear();
    testing_support::ControlOf<QPushButton>(*viewer_, "BBlargarghezza")->click();
    EXPECT_EQ(Drawings(), 1);  // every button draws the sheet again
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages[0].text;
}

// Colour and aspect style: each button turns its own flag and its own glyph.
TEST_F(SheetViewerControls, ColourAndAspectButtonsTurnTheirOwnFlags) {
    Open(5, "P");
    ASSERT_EQ(testing_support::DrawingStateOfTest().aspectLinesOn, 1);
    ASSERT_FALSE(testing_support::DrawingStateOfTest().blackAndWhite);
    testing_support::ControlOf<QPushButton>(*viewer_, "BBFlagRiga")->click();
    EXPECT_EQ(testing_support::DrawingStateOfTest().aspectLinesOn, 0);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer_, "BBFlagRiga")->property("glyph").toString(), "LosLin");
    EXPECT_FALSE(testing_support::DrawingStateOfTest().blackAndWhite);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnColNer")->property("glyph").toString(),
              "StColor");
    testing_support::ControlOf<QPushButton>(*viewer_, "BBFlagRiga")->click();
    EXPECT_EQ(testing_support::DrawingStateOfTest().aspectLinesOn, 1);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer_, "BBFlagRiga")->property("glyph").toString(), "LinLos");
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnColNer")->click();
    EXPECT_TRUE(testing_support::DrawingStateOfTest().blackAndWhite);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnColNer")->property("glyph").toString(),
              "StNero");
    EXPECT_EQ(testing_support::DrawingStateOfTest().aspectLinesOn, 1);
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnColNer")->click();
    EXPECT_FALSE(testing_support::DrawingStateOfTest().blackAndWhite);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnColNer")->property("glyph").toString(),
              "StColor");
}

// "Setup" runs the printer's setup and shows the orientation it left; it
// prints nothing. The orientation glyph follows each change.
TEST_F(SheetViewerControls, SetupShowsTheOrientationTheDialogLeft) {
    auto turning = std::make_unique<TurningPrinter>(pdf_);
    TurningPrinter* printer = turning.get();
    MakeViewer(std::move(turning));
    Open(5, "P");
    ASSERT_EQ(testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnFoglio")->property("glyph").toString(),
              "SetupP");
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnSetup")->click();
    EXPECT_EQ(printer->setups, 1);
    EXPECT_TRUE(testing_support::DrawingStateOfTest().printerLandscape);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnFoglio")->property("glyph").toString(),
              "SetupL");
    testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnSetup")->click();
    EXPECT_FALSE(testing_support::DrawingStateOfTest().printerLandscape);
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnFoglio")->property("glyph").toString(),
              "SetupP");
    EXPECT_FALSE(std::filesystem::exists(pdf_));
    EXPECT_FALSE(testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnFoglio")->isEnabled());
}

// The metafile names offered run from "GRAF01.EMF" to "GRAF15.EMF".
TEST_F(SheetViewerControls, TheMetafileBoxOffersFifteenNames) {
    ASSERT_EQ(testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->count(), 15);
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->itemText(0), "GRAF01.EMF");
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->itemText(14), "GRAF15.EMF");
}

// The mouse wheel moves the sheet up and down by 20 pixels a notch, never
// sideways; a drag moves it by the last move's displacement.
TEST_F(SheetViewerControls, WheelAndDragMoveTheSheet) {
    Open(16, "L");
    ASSERT_EQ(testing_support::DrawingStateOfTest().originX, 0);
    ASSERT_EQ(testing_support::DrawingStateOfTest().originY, 0);
    auto wheel = [this](int notches) {
        const QPointF at(400, 300);
        QWheelEvent e(at, viewer_->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewer_.get(), &e);
    };
    wheel(-1);  // towards the user: the sheet moves down
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, 20);
    wheel(-1);
    wheel(1);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, 20);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 0);

    QTest::mousePress(viewer_.get(), Qt::LeftButton, {}, QPoint(500, 400));
    QTest::mouseMove(viewer_.get(), QPoint(530, 390));
    QTest::mouseMove(viewer_.get(), QPoint(560, 370));
    QTest::mouseRelease(viewer_.get(), Qt::LeftButton, {}, QPoint(560, 370));
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 60);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originY, 20 - 30);
    EXPECT_EQ(viewer_->Motion().dragging, 0);
}

// "Backard", Escape and Enter close the viewer, which forgets its black and
// white and its aspect wedges.
TEST_F(SheetViewerControls, BackAndItsKeysCloseTheViewer) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        Open(5, "P");
        testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnColNer")->click();
        testing_support::ControlOf<QPushButton>(*viewer_, "BBFlagRiga")->click();
        if (way == 0) testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnRitorna")->click();
        if (way == 1) QTest::keyClick(viewer_.get(), Qt::Key_Escape);
        if (way == 2) QTest::keyClick(viewer_.get(), Qt::Key_Return);
        EXPECT_FALSE(viewer_->isVisible());
        EXPECT_FALSE(testing_support::DrawingStateOfTest().blackAndWhite);
        EXPECT_EQ(testing_support::DrawingStateOfTest().aspectLinesOn, 1);
        EXPECT_FALSE(std::filesystem::exists(pdf_));
    }
}

}  // namespace

}  // namespace sheet_viewer_controls_test
