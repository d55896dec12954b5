// The sheet viewer's controls pressed as a user presses them, each checked by
// its own effect, and the activations that draw the sheet: once per opening.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
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

namespace {

using display::Drawing;

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
        display::SetSheetPrinter(std::make_unique<display::PdfSheetPrinter>(pdf));
        viewer = std::make_unique<display::TFgrNaKel>();
        viewer->resize(1920, 1080);
        viewer->SetRecorder(&dc);
    }
    void TearDown() override {
        viewer.reset();
        display::SetSheetPrinter(nullptr);
        gui::SetSystemServices(nullptr);
        display::Sheets = {};
        display::ResetSheetViewer();
        display::ResetDrawingState();
    }
    // Shows the sheet and runs the viewer's timer by hand until it drew.
    void Open(int code, const char* orientation) {
        display::Sheets.SheetCode = code;
        display::Sheets.SheetOrientation = orientation;
        viewer->show();
        TickUntilStopped();
    }
    void TickUntilStopped() {
        for (int i = 0; i < 10 && viewer->Timer1->isActive(); ++i) viewer->Timer1Timer();
        ASSERT_FALSE(viewer->Timer1->isActive());
    }
    // How often the sheet's title was drawn since the recording was cleared.
    int Drawings() const {
        const std::vector<std::string> texts = sheet_test::Texts(dc);
        return static_cast<int>(std::count(texts.begin(), texts.end(), "GEBOORTE THEMA"));
    }
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
    display::RecordingSurface dc;
    std::string pdf;
    std::unique_ptr<display::TFgrNaKel> viewer;
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

}  // namespace
