// The chart window driven as a user would, in random order: every button it
// shows, every glyph of the wheel, the empty chart where a glyph was, double
// clicks on its memos, the drawing timer, new window sizes, closing and
// opening again. Seeded,
// so a failing order can be replayed; under the sanitizer build any memory
// fault on the way stops the test.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "display/chart/chart_window.h"
#include "display/chart/open_chart_window.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/wheel_reports.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/paths.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using testing_support::ChartWindowOfTest;

class ChartWindowReplay : public ::testing::Test {
protected:
    void SetUp() override {
        rt::PrepareDataFolder();  // the whole data tree, as the program has it
        wheel_test::SetFixedPerson();
        delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
        testing_support::NatalWheelOfTest().fileErrors = {};
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        // Whatever dialog a button opens is cancelled; message boxes are recorded.
        gui::SetDefaultModalHandler([](QDialog*) { return int(gui::kModalCancel); });
        testing_support::EnsureChartWindowForTest()->resize(1920, 1080);
        Open();
    }
    void TearDown() override {
        gui::ClearModalHandlers();
        delete testing_support::ChartWindowOfTest();
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
    }
    static void Open() {
        testing_support::OpenChartWindowForTest();
        for (int i = 0; i < 5 && testing_support::ChartControl<QTimer>("Timer1")->isActive(); ++i)
            testing_support::ChartWindowOfTest()->DrawWhenReady();
    }
    // Where a glyph is now, or where it was last drawn when a view has cleared it.
    display::Point Glyph(bool sign, int n) {
        const display::Real x = sign ? testing_support::NatalWheelOfTest().signGlyphX[engine::SignOfNumber(n)]
                                     : testing_support::NatalWheelOfTest().planetGlyphX[display::ChartPointOfNumber(n)];
        const display::Real y = sign ? testing_support::NatalWheelOfTest().signGlyphY[engine::SignOfNumber(n)]
                                     : testing_support::NatalWheelOfTest().planetGlyphY[display::ChartPointOfNumber(n)];
        display::Point& last = sign ? lastSign_[n] : lastBody_[n];
        if (x != 0 || y != 0) last = display::MapPoint(testing_support::DrawingStateOfTest(), x, y);
        return last;
    }
    static void Click(const display::Point& p) {
        QTest::mousePress(testing_support::ChartWindowOfTest(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
        QTest::mouseRelease(testing_support::ChartWindowOfTest(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
    }
    static std::vector<QPushButton*> ShownButtons() {
        std::vector<QPushButton*> out;
        for (QPushButton* b : testing_support::ChartWindowOfTest()->findChildren<QPushButton*>())
            if (b->isVisibleTo(testing_support::ChartWindowOfTest()) && b->isEnabled()) out.push_back(b);
        return out;
    }
    void Trace(const std::string& step) {
        trace_ += step + "; ";
        std::fprintf(stderr, "%s\n", step.c_str());  // shown when the test dies on the way
    }
    // One random step.
    void Step(std::mt19937& random) {
        if (!testing_support::ChartWindowOfTest()->isVisible()) {
            Trace("open");
            Open();
            return;
        }
        const int kind = static_cast<int>(random() % 10);
        if (kind < 4) {
            const std::vector<QPushButton*> buttons = ShownButtons();
            if (buttons.empty()) return;
            QPushButton* b = buttons[random() % buttons.size()];
            Trace("button " + b->objectName().toStdString());
            b->click();
        } else if (kind < 8) {
            const bool sign = kind >= 6;
            const int n = sign ? 1 + static_cast<int>(random() % 12) : 1 + static_cast<int>(random() % 11);
            const display::Point p = Glyph(sign, n);
            Trace(std::string(sign ? "sign " : "body ") + std::to_string(n));
            Click(p);
        } else if (kind == 8) {
            const QPoint p(static_cast<int>(random() % 1920), static_cast<int>(random() % 1080));
            Trace("point " + std::to_string(p.x()) + "," + std::to_string(p.y()));
            Click({p.x(), p.y()});
        } else {
            switch (random() % 4) {
                case 3: {
                    // The window system gives the window another size.
                    const int w = 800 + static_cast<int>(random() % 1400), h = 600 + static_cast<int>(random() % 700);
                    Trace("resize " + std::to_string(w) + "x" + std::to_string(h));
                    testing_support::ChartWindowOfTest()->resize(w, h);
                    QCoreApplication::processEvents();
                    break;
                }
                case 0:
                    Trace("double click aspects");
                    QTest::mouseDClick(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti")->viewport(),
                                       Qt::LeftButton);
                    break;
                case 1:
                    Trace("double click help");
                    QTest::mouseDClick(testing_support::ChartControl<QPlainTextEdit>("Memo1")->viewport(),
                                       Qt::LeftButton);
                    break;
                default:
                    Trace("timer");
                    testing_support::ChartWindowOfTest()->DrawWhenReady();
                    QCoreApplication::processEvents();
                    break;
            }
        }
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
    std::string trace_;
    display::Point lastBody_[12]{};
    display::Point lastSign_[13]{};
};

}  // namespace

// The order after which the program once vanished.
TEST_F(ChartWindowReplay, TheSequenceSeenOnce) {
    const display::Point sun = Glyph(false, 1);
    Click(sun);
    Click(sun);
    ASSERT_EQ(testing_support::ChartWindowOfTest()->State().clickedBody, 1);
    testing_support::ChartControl<QFrame>("PanelQuor")->show();  // the right-hand panel
    if (testing_support::ChartControl<QPushButton>("BBsuGiu")->isVisibleTo(testing_support::ChartWindowOfTest()))
        testing_support::ChartControl<QPushButton>("BBsuGiu")->click();
    Click(Glyph(true, 8));  // Scorpio
    const display::ChartWindow& w = *testing_support::ChartWindowOfTest();
    for (QPushButton* b : {testing_support::ControlOf<QPushButton>(w, "BBcoordi"),
                           testing_support::ControlOf<QPushButton>(w, "BBstoffa"),
                           testing_support::ControlOf<QPushButton>(w, "BBarchetip"),
                           testing_support::ControlOf<QPushButton>(w, "BBaspetti"),
                           testing_support::ControlOf<QPushButton>(w, "BBFont") /* "A" */,
                           testing_support::ControlOf<QPushButton>(w, "BBchiudiAsp") /* "Sluiten" */}) {
        EXPECT_TRUE(b->isVisibleTo(testing_support::ChartWindowOfTest())) << b->objectName().toStdString();
        b->click();
    }
    Click(sun);  // the empty chart where the Sun was
    EXPECT_TRUE(testing_support::ChartWindowOfTest()->isVisible());
}

TEST_F(ChartWindowReplay, EveryButtonAndGlyphInRandomOrder) {
    unsigned seed = 14;
    if (const char* s = std::getenv("KELVOR_REPLAY_SEED")) seed = static_cast<unsigned>(std::strtoul(s, nullptr, 10));
    for (unsigned round = 0; round < 3; ++round) {
        std::mt19937 random(seed + round);
        trace_.clear();
        for (int i = 0; i < 300; ++i) Step(random);
        if (!testing_support::ChartWindowOfTest()->isVisible()) Open();
        // The window still answers: the first view button shows its first sub-view.
        testing_support::ChartControl<QPushButton>("BBcoordi")->click();
        EXPECT_TRUE(testing_support::ChartWindowOfTest()->isVisible()) << "seed " << seed + round << ": " << trace_;
    }
}
