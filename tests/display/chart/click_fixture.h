#pragma once
// The chart window of the fixed person, opened offscreen on a 1920 x 1080
// screen with the shipped glyphs, help texts, attribution texts and sample
// signature database, drawn, and helpers to click its glyphs.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTimer>
#include <string>
#include <vector>

#include "display/chart/chart_window.h"
#include "display/chart/glyph_clicks.h"
#include "display/chart/open_chart_window.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/wheel_reports.h"
#include "display/wheel/wheel_state.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace click_test {

using testing_support::ChartWindowOfTest;

// Opens the chart window and runs its timer until it has drawn.
inline void OpenAndDraw() {
    testing_support::OpenChartWindowForTest();
    while (testing_support::ChartControl<QTimer>("Timer1")->isActive())
        testing_support::ChartWindowOfTest()->DrawWhenReady();
}

// The window made anew with the antiscia lines of its clicks drawn by `drawer`
// instead of its own drawing, opened and drawn as the fixture's.
inline void RemakeWindowWithAntisciaDrawer(display::AntisciaLinesDrawer drawer) {
    delete testing_support::ChartWindowOfTest();
    auto* window =
        new display::ChartWindow(testing_support::WheelGeometryOfTest(), testing_support::CurrentChartOfTest(),
                                 testing_support::DrawingStateOfTest(), nullptr, std::move(drawer));
    window->resize(1920, 1080);
    OpenAndDraw();
}

class ClickedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "Appoggio", "OpzioneT", "OpzioneS"});
        delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
        testing_support::NatalWheelOfTest().fileErrors = {};
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        testing_support::EnsureChartWindowForTest()->resize(1920, 1080);
        OpenAndDraw();
    }
    void TearDown() override {
        delete testing_support::ChartWindowOfTest();
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
    }

    static std::vector<std::string> LinesOfMemo(QPlainTextEdit* m) {
        std::vector<std::string> lines;
        const QString text = m->toPlainText();
        if (text.isEmpty()) return lines;
        for (const QString& l : text.split('\n')) lines.push_back(gui::FromQt(l));
        return lines;
    }
    static std::string HelpText(int n) {
        std::string text;
        for (const std::string& l : display::ReadHelpEntry(n)) text += (text.empty() ? "" : "\n") + l;
        return text;
    }
    static std::string HelpMemoText() {
        return gui::FromQt(testing_support::ChartControl<QPlainTextEdit>("Memo1")->toPlainText());
    }
    // A press and a release at the stored centre of chart point b / sign s.
    static void ClickBody(int b) {
        ClickPage(testing_support::NatalWheelOfTest().planetGlyphX[display::ChartPointOfNumber(b)],
                  testing_support::NatalWheelOfTest().planetGlyphY[display::ChartPointOfNumber(b)]);
    }
    static void ClickSign(int s) {
        ClickPage(testing_support::NatalWheelOfTest().signGlyphX[engine::SignOfNumber(s)],
                  testing_support::NatalWheelOfTest().signGlyphY[engine::SignOfNumber(s)]);
    }
    static void ClickPage(long double x, long double y) {
        const display::Point p = display::MapPoint(testing_support::DrawingStateOfTest(), x, y);
        testing_support::ChartWindowOfTest()->PressAt(p.x, p.y);
        testing_support::ChartWindowOfTest()->RestoreGlyphRings();
    }

    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

}  // namespace click_test
