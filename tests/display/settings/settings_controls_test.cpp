// The buttons of the calibration window, the line-width dialog and the
// printer-model dialog pressed as a user presses them, each checked by its own
// effect on the window and on the drawing settings file.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "display/draw/canvas_form.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/recording_surface.h"
#include "display/settings/calibration_window.h"
#include "display/settings/line_width_dialog.h"
#include "display/settings/printer_model_dialog.h"
#include "display/sheets/sheet_selection.h"
#include "engine/engine_settings.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/paths.h"
#include "tests/common/controls_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"

namespace {

class SettingsControls : public ::testing::Test {
protected:
    void SetUp() override {
        rt::PrepareDataFolder();
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
        display::InitDrawingFromScreen(testing_support::DrawingStateOfTest(), 1280, 1024);
        archive::CurrentChart& current = testing_support::CurrentChartOfTest();
        engine::LoadEngineSettings(current.settings, current.orbs, engine::ReportSettingsToStderr);
        drawSettings_.LoadOrCreate();
    }
    void TearDown() override { display::ResetDrawingState(testing_support::DrawingStateOfTest()); }
    std::string SettingsFile() const { return testing_support::ReadBytes(rt::ResolvePath(archive::kDrawSettingsFile)); }
    std::vector<std::string> Lines() const {
        const std::string bytes = SettingsFile();
        std::vector<std::string> out;
        std::size_t start = 0, end;
        while ((end = bytes.find("\r\n", start)) != std::string::npos) {
            out.push_back(bytes.substr(start, end - start));
            start = end + 2;
        }
        return out;
    }
    testing_support::TempWorkFolder folder_;
    archive::DrawSettings drawSettings_;
    display::SheetSelectionState sheets_;
    gui::RecordingMessageSink messages_;
};

// "Reset" puts both scales back to 1 and leaves the window open; "OK" keeps
// the scales as the bars set them and closes it.
TEST_F(SettingsControls, CalibrationResetAndOkDoTheirOwnThing) {
    display::CalibrationWindow window(testing_support::CurrentChartOfTest(), drawSettings_, sheets_,
                                      testing_support::DrawingStateOfTest());
    window.resize(1280, 1024);
    window.show();
    testing_support::ControlOf<QScrollBar>(window, "ScBO")->setValue(100);
    testing_support::ControlOf<QScrollBar>(window, "ScBV")->setValue(-50);
    ASSERT_EQ(Lines().at(6), " 9.00000000000000E-0001");
    ASSERT_EQ(Lines().at(7), " 1.05000000000000E+0000");
    testing_support::ControlOf<QPushButton>(window, "BBres")->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(testing_support::ControlOf<QScrollBar>(window, "ScBO")->value(), 0);
    EXPECT_EQ(testing_support::ControlOf<QScrollBar>(window, "ScBV")->value(), 0);
    EXPECT_EQ(Lines().at(6), " 1.00000000000000E+0000");
    EXPECT_EQ(Lines().at(7), " 1.00000000000000E+0000");

    testing_support::ControlOf<QScrollBar>(window, "ScBV")->setValue(120);
    testing_support::ControlOf<QPushButton>(window, "BBok")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), int(QDialog::Accepted));
    EXPECT_EQ(Lines().at(6), " 1.00000000000000E+0000");
    EXPECT_EQ(Lines().at(7), " 8.80000000000000E-0001");
    EXPECT_EQ(testing_support::DrawingStateOfTest().aspectScaleY, drawSettings_.Values().aspectScaleY);
    EXPECT_TRUE(messages_.messages.empty());
}

// The figure's two axes carry a tick every 10 units out to both ends, the
// outermost ones included.
TEST_F(SettingsControls, CalibrationAxesAreTickedToTheirEnds) {
    display::CalibrationWindow window(testing_support::CurrentChartOfTest(), drawSettings_, sheets_,
                                      testing_support::DrawingStateOfTest());
    window.resize(1280, 1024);
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    testing_support::ControlOf<display::CanvasForm>(window, "FormCanvas")->SetRecorder(&dc);
    window.PrepareOpening();
    testing_support::ControlOf<QScrollBar>(window, "ScBO")
        ->setValue(-200);  // horizontal scale 1.2: the ticks 10 / 1.2 units apart
    dc.Clear();
    window.DrawCalibrationFrame();
    testing_support::ControlOf<display::CanvasForm>(window, "FormCanvas")->SetRecorder(nullptr);
    const std::vector<std::string> lines = dc.Calls("line");
    auto has = [&lines](long double x1, long double y1, long double x2, long double y2) {
        const display::Point a = display::MapPoint(testing_support::DrawingStateOfTest(), x1, y1),
                             b = display::MapPoint(testing_support::DrawingStateOfTest(), x2, y2);
        const std::string prefix = "line " + std::to_string(a.x) + "," + std::to_string(a.y) + " " +
                                   std::to_string(b.x) + "," + std::to_string(b.y) + " ";
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    const long double step = 10 / testing_support::DrawingStateOfTest().aspectScaleX;
    for (int k : {1, 9, 10}) {
        EXPECT_TRUE(has(140 + k * step, 98.6L, 140 + k * step, 104.6L)) << "right " << k;
        EXPECT_TRUE(has(140 - k * step, 98.6L, 140 - k * step, 104.6L)) << "left " << k;
        EXPECT_TRUE(has(137, 101.6L + 10 * k, 143, 101.6L + 10 * k)) << "down " << k;
        EXPECT_TRUE(has(137, 101.6L - 10 * k, 143, 101.6L - 10 * k)) << "up " << k;
    }
    EXPECT_FALSE(has(140 + 11 * step, 98.6L, 140 + 11 * step, 104.6L));
}

// The line-width dialog's way back takes the typed factor and closes; its
// "Resetten" button sets 1 and leaves the dialog open.
TEST_F(SettingsControls, LineWidthBackAndResetDoTheirOwnThing) {
    display::LineWidthDialog dialog(drawSettings_, testing_support::DrawingStateOfTest());
    dialog.show();
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("2,5");
    testing_support::ControlOf<QPushButton>(dialog, "BitBtn1")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->text(), "1");
    EXPECT_EQ(Lines().at(4), " 1.00000000000000E+0000");
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("2,5");
    testing_support::ControlOf<QPushButton>(dialog, "BitBtnRitorna")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 5);
    EXPECT_EQ(Lines().at(4), " 2.50000000000000E+0000");
    EXPECT_EQ(testing_support::DrawingStateOfTest().lineWidthFactor, 2.5L);
    EXPECT_TRUE(messages_.messages.empty());
}

// The printer-model dialog's way back changes nothing, whichever panel it shows.
TEST_F(SettingsControls, PrinterModelBackLeavesTheCorrectionAsItWas) {
    display::PrinterModelDialog dialog(drawSettings_, testing_support::DrawingStateOfTest());
    dialog.confirmationMilliseconds = 0;
    for (int correction : {0, 1}) {
        drawSettings_.Values().epsonCorrection = correction;
        drawSettings_.Save();
        const std::string before = SettingsFile();
        dialog.show();
        EXPECT_EQ(testing_support::ControlOf<QFrame>(dialog, "Panel1")->isVisible(), correction == 0);
        EXPECT_EQ(testing_support::ControlOf<QFrame>(dialog, "Panel2")->isVisible(), correction == 1);
        testing_support::ControlOf<QPushButton>(dialog, "BitBtnRitorna")->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(testing_support::ControlOf<QLabel>(dialog, "LabModi")->isVisible());
        EXPECT_EQ(drawSettings_.Values().epsonCorrection, correction);
        EXPECT_EQ(SettingsFile(), before);
    }
}

}  // namespace
