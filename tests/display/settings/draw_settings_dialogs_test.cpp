// The calibration window, the line-width dialog and the printer-model dialog
// write the drawing settings file at every change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "display/draw/canvas_form.h"
#include "display/draw/drawing_state.h"
#include "display/settings/calibration_window.h"
#include "display/settings/draw_settings_values.h"
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

// A data folder with the default drawing settings, a 1280 x 1024 screen.
class DrawSettingsDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        rt::PrepareDataFolder();
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
        display::InitDrawingFromScreen(testing_support::DrawingStateOfTest(), 1280, 1024);
        archive::CurrentChart& current = testing_support::CurrentChartOfTest();
        engine::LoadEngineSettings(current.settings, current.orbs, engine::ReportSettingsToStderr);
        drawSettings_.LoadOrCreate();
    }
    std::vector<std::string> Lines() {
        std::string bytes = testing_support::ReadBytes(rt::ResolvePath(archive::kDrawSettingsFile));
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

// The leftmost pixel of the circle's colour on the row of the centre.
int LeftmostRed(const QImage& image, int row) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, row) == qRgb(255, 0, 0)) return x;
    return -1;
}

}  // namespace

TEST_F(DrawSettingsDialogsTest, CalibrationBarsWriteTheAspectScales) {
    display::CalibrationWindow window(testing_support::CurrentChartOfTest(), drawSettings_, sheets_,
                                      testing_support::DrawingStateOfTest());
    window.resize(1280, 1024);
    window.PrepareOpening();
    EXPECT_EQ(testing_support::ControlOf<QScrollBar>(window, "ScBO")->value(), 0);
    EXPECT_EQ(testing_support::ControlOf<QScrollBar>(window, "ScBV")->value(), 0);
    testing_support::ControlOf<QScrollBar>(window, "ScBO")->setValue(200);
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[6], " 8.00000000000000E-0001");
    EXPECT_EQ(lines[7], " 1.00000000000000E+0000");
    EXPECT_NEAR(testing_support::DrawingStateOfTest().aspectScaleX, 0.8L, 1e-15L);
    testing_support::ControlOf<QScrollBar>(window, "ScBV")->setValue(-150);
    EXPECT_EQ(Lines()[7], " 1.15000000000000E+0000");
    // Reset: both scales 1.0 in the file, both bars at 0.
    window.ResetScales();
    lines = Lines();
    EXPECT_EQ(lines[6], " 1.00000000000000E+0000");
    EXPECT_EQ(lines[7], " 1.00000000000000E+0000");
    EXPECT_EQ(testing_support::ControlOf<QScrollBar>(window, "ScBO")->value(), 0);
    EXPECT_EQ(testing_support::ControlOf<QScrollBar>(window, "ScBV")->value(), 0);
    EXPECT_EQ(lines[4], " 1.00000000000000E+0000");  // the other lines kept
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[3], "1");
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(DrawSettingsDialogsTest, CalibrationOpensWithTheStoredFactorRounded) {
    drawSettings_.Values().aspectScaleX = 0.9123L;
    drawSettings_.Values().aspectScaleY = 0;  // taken as 1.0
    drawSettings_.Save();
    display::CalibrationWindow window(testing_support::CurrentChartOfTest(), drawSettings_, sheets_,
                                      testing_support::DrawingStateOfTest());
    window.PrepareOpening();
    EXPECT_EQ(testing_support::ControlOf<QScrollBar>(window, "ScBO")->value(), 88);
    EXPECT_EQ(testing_support::ControlOf<QScrollBar>(window, "ScBV")->value(), 0);
    EXPECT_EQ(Lines()[6], " 9.12000000000000E-0001");  // the bar moved: the factor rounded to 0.001
}

TEST_F(DrawSettingsDialogsTest, CalibrationFigureWidensAsTheBarSqueezes) {
    display::CalibrationWindow window(testing_support::CurrentChartOfTest(), drawSettings_, sheets_,
                                      testing_support::DrawingStateOfTest());
    window.resize(1280, 1024);
    window.PrepareOpening();
    // The first tick after the start only counts, the second draws.
    window.DrawWhenReady();
    window.DrawWhenReady();
    const long double ppu = 1280.0L / 280;  // a 5:4 screen: the layout's 280 units span its width
    // A row just above the horizontal axis, which is drawn over the circle.
    const int row = static_cast<int>(101.6L * ppu + 0.5L) - 5;
    QImage image = window.Snapshot();
    // The circle of radius 95 about x = 140: its left edge at 45 units.
    EXPECT_NEAR(LeftmostRed(image, row), 45 * ppu, 4);
    testing_support::ControlOf<QScrollBar>(window, "ScBO")->setValue(-200);  // scale 1.2: every page x divided by 1.2
    image = window.Snapshot();
    EXPECT_NEAR(LeftmostRed(image, row), 45 / 1.2L * ppu, 4);
    // The panel of 70 units stays centred on the figure, in screen pixels.
    EXPECT_NEAR(testing_support::ControlOf<QWidget>(window, "Panel1")->geometry().center().x(), 140 / 1.2L * ppu, 2);
    EXPECT_NEAR(testing_support::ControlOf<QWidget>(window, "Panel1")->width(), 70 / 1.2L * ppu, 1);
    // With another sheet code the window is only cleared.
    sheets_.sheetCode = 16;
    window.DrawCalibrationFrame();
    EXPECT_EQ(LeftmostRed(testing_support::ControlOf<display::CanvasForm>(window, "FormCanvas")->Snapshot(), row), -1);
}

TEST_F(DrawSettingsDialogsTest, LineWidthStepsStartFromTheShownNumber) {
    display::LineWidthDialog dialog(drawSettings_, testing_support::DrawingStateOfTest());
    dialog.ShowFactorInForce();
    EXPECT_EQ(testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->text(), "1");
    testing_support::ControlOf<QToolButton>(dialog, "SpinButton1Down")->click();
    EXPECT_EQ(testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->text(), "0,95");
    testing_support::ControlOf<QToolButton>(dialog, "SpinButton1Down")->click();
    EXPECT_EQ(testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->text(), "0,90");  // 0.9025 stored
    EXPECT_EQ(Lines()[4], " 9.02500000000000E-0001");
    testing_support::ControlOf<QToolButton>(dialog, "SpinButton1Down")->click();
    EXPECT_EQ(Lines()[4], " 8.55000000000000E-0001");  // from 0.90
    testing_support::ControlOf<QPushButton>(dialog, "BitBtn1")->click();
    EXPECT_EQ(testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->text(), "1");
    EXPECT_EQ(Lines()[4], " 1.00000000000000E+0000");
    testing_support::ControlOf<QToolButton>(dialog, "SpinButton1Up")->click();
    EXPECT_EQ(testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->text(), "1,05");
    EXPECT_EQ(Lines()[4].substr(0, 12), " 1.052631578");
    testing_support::ControlOf<QToolButton>(dialog, "SpinButton1Up")->click();
    EXPECT_EQ(Lines()[4].substr(0, 12), " 1.105263157");  // from 1.05
    EXPECT_EQ(testing_support::DrawingStateOfTest().lineWidthFactor, drawSettings_.Values().lineWidthFactor);
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(DrawSettingsDialogsTest, LineWidthStaysWithinItsLimitsWhateverWasTyped) {
    display::LineWidthDialog dialog(drawSettings_, testing_support::DrawingStateOfTest());
    dialog.ShowFactorInForce();
    // At the limits.
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("0,5");
    testing_support::ControlOf<QToolButton>(dialog, "SpinButton1Down")->click();
    EXPECT_EQ(drawSettings_.Values().lineWidthFactor, 0.5L);
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("4");
    testing_support::ControlOf<QToolButton>(dialog, "SpinButton1Up")->click();
    EXPECT_EQ(testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->text(), "4");
    EXPECT_EQ(drawSettings_.Values().lineWidthFactor, 4.0L);
    // Beyond them, typed: either button brings the factor back within.
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("0.1");
    testing_support::ControlOf<QToolButton>(dialog, "SpinButton1Up")->click();
    EXPECT_EQ(drawSettings_.Values().lineWidthFactor, 0.5L);
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("9");
    testing_support::ControlOf<QToolButton>(dialog, "SpinButton1Down")->click();
    EXPECT_EQ(drawSettings_.Values().lineWidthFactor, 4.0L);
    EXPECT_EQ(Lines()[4], " 4.00000000000000E+0000");
    // Closing takes the typed number within the limits.
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("9");
    EXPECT_TRUE(dialog.SaveTypedFactor());
    EXPECT_EQ(testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->text(), "4");
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("0.3");
    EXPECT_TRUE(dialog.SaveTypedFactor());
    EXPECT_EQ(drawSettings_.Values().lineWidthFactor, 0.5L);
    EXPECT_EQ(testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->text(), "0,5");
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("2,5");
    EXPECT_TRUE(dialog.SaveTypedFactor());
    EXPECT_EQ(Lines()[4], " 2.50000000000000E+0000");
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(DrawSettingsDialogsTest, TextThatIsNoNumberIsReportedAndChangesNothing) {
    display::LineWidthDialog dialog(drawSettings_, testing_support::DrawingStateOfTest());
    dialog.show();  // activated: shows the factor
    const std::string before = testing_support::ReadBytes(rt::ResolvePath(archive::kDrawSettingsFile));
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("ab");
    testing_support::ControlOf<QToolButton>(dialog, "SpinButton1Up")->click();
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].text,
              "'ab' non \xE8 un numero valido per lo spessore delle linee: scrivere un numero tra 0,5 e 4 con la "
              "virgola decimale (per esempio 1,5), oppure premere \"Resetten\" per tornare a 1.");
    EXPECT_EQ(drawSettings_.Values().lineWidthFactor, 1.0L);
    // Closing with it keeps the dialog open.
    dialog.GoBack();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages_.messages.size(), 2u);
    EXPECT_EQ(testing_support::ReadBytes(rt::ResolvePath(archive::kDrawSettingsFile)), before);
    testing_support::ControlOf<QLineEdit>(dialog, "EditSpeLin")->setText("1,2");
    dialog.GoBack();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 5);
}

TEST_F(DrawSettingsDialogsTest, PrinterModelFlipsTheEpsonCorrection) {
    display::PrinterModelDialog dialog(drawSettings_, testing_support::DrawingStateOfTest());
    dialog.confirmationMilliseconds = 0;
    for (int round = 0; round < 2; ++round) {
        dialog.show();
        dialog.ShowCorrectionInForce();
        const bool epson = round == 1;
        EXPECT_EQ(testing_support::ControlOf<QFrame>(dialog, "Panel2")->isVisible(), epson);
        EXPECT_EQ(testing_support::ControlOf<QFrame>(dialog, "Panel1")->isVisible(), !epson);
        EXPECT_FALSE(testing_support::ControlOf<QLabel>(dialog, "LabModi")->isVisible());
        (epson ? testing_support::ControlOf<QPushButton>(dialog, "BitBtn2")
               : testing_support::ControlOf<QPushButton>(dialog, "BitBtn1"))
            ->click();
        EXPECT_EQ(Lines()[1], epson ? "0" : "1");
        EXPECT_EQ(testing_support::ControlOf<QLabel>(dialog, "LabModi")->text(), "WIJZIGING GEMAAKT!");
        EXPECT_FALSE(dialog.isVisible());  // closed after the message
        EXPECT_EQ(drawSettings_.Values().epsonCorrection, epson ? 0 : 1);
    }
}

// Each panel's text tells the user which button to click by its caption, in
// double quotes: the caption the button shows.
TEST_F(DrawSettingsDialogsTest, PrinterModelTextNamesTheButtonAsItReads) {
    display::PrinterModelDialog dialog(drawSettings_, testing_support::DrawingStateOfTest());
    for (int epson : {0, 1}) {
        SCOPED_TRACE(epson);
        drawSettings_.Values().epsonCorrection = static_cast<std::uint8_t>(epson);
        dialog.show();
        dialog.ShowCorrectionInForce();
        QWidget* panel = epson ? testing_support::ControlOf<QFrame>(dialog, "Panel2")
                               : testing_support::ControlOf<QFrame>(dialog, "Panel1");
        QPushButton* button = epson ? testing_support::ControlOf<QPushButton>(dialog, "BitBtn2")
                                    : testing_support::ControlOf<QPushButton>(dialog, "BitBtn1");
        ASSERT_TRUE(panel->isVisible());
        std::string text;
        for (QLabel* label : panel->findChildren<QLabel*>())
            if (label->isVisible()) text += label->text().toStdString() + " ";
        std::vector<std::string> quoted;
        for (std::size_t open = text.find('"'); open != std::string::npos; open = text.find('"', open + 1)) {
            const std::size_t close = text.find('"', open + 1);
            ASSERT_NE(close, std::string::npos) << text;
            quoted.push_back(text.substr(open + 1, close - open - 1));
            open = close;
        }
        EXPECT_EQ(quoted, std::vector<std::string>{button->text().toStdString()}) << text;
        dialog.hide();
    }
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(dialog, "BitBtn1")->text(), "Edit Voor Epson");
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(dialog, "BitBtn2")->text(), "Standaard herstellen");
}

namespace {

// A dialog is placed by the size it has before it is shown: it has the room its
// contents need from the start, and every control lies inside it.
template <class Dialog>
void ExpectWholeBeforeShowing(Dialog& dialog) {
    const QSize before = dialog.size();
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.size(), before) << dialog.objectName().toStdString();
    for (QWidget* child : dialog.template findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&dialog) || child->parentWidget() != &dialog) continue;
        EXPECT_TRUE(dialog.rect().contains(child->geometry())) << child->objectName().toStdString();
    }
    dialog.hide();
}

TEST_F(DrawSettingsDialogsTest, LineWidthAndPrinterDialogsShowTheirWholeContent) {
    display::LineWidthDialog lineWidth(drawSettings_, testing_support::DrawingStateOfTest());
    ExpectWholeBeforeShowing(lineWidth);
    display::PrinterModelDialog printer(drawSettings_, testing_support::DrawingStateOfTest());
    ExpectWholeBeforeShowing(printer);
}

}  // namespace
