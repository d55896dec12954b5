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
#include "tests/common/test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace click_test {

using display::theChartWindow;

class ClickedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "Appoggio", "OpzioneT", "OpzioneS"});
        if (display::theChartWindow) display::theChartWindow->status = {};
        display::ResetFileErrorReports();
        display::ResetMissingGlyphReports();
        display::EnsureChartWindow()->resize(1920, 1080);
        display::OpenChartWindow();
        while (theChartWindow->firstDrawTimer->isActive()) theChartWindow->DrawWhenReady();
    }
    void TearDown() override {
        display::SetAntisciaLinesDrawer({});
        delete theChartWindow;
        display::ResetDrawingState();
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
    static std::string HelpMemoText() { return gui::FromQt(theChartWindow->helpMemo->toPlainText()); }
    // A press and a release at the stored centre of chart point b / sign s.
    static void ClickBody(int b) { ClickPage(display::Wheel.PlanetGlyphX[b], display::Wheel.PlanetGlyphY[b]); }
    static void ClickSign(int s) { ClickPage(display::Wheel.SignGlyphX[s], display::Wheel.SignGlyphY[s]); }
    static void ClickPage(long double x, long double y) {
        const display::Point p = display::MapPoint(x, y);
        theChartWindow->PressAt(p.x, p.y);
        theChartWindow->RestoreGlyphRings();
    }

    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
};

}  // namespace click_test
