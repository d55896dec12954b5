// The chart window offscreen: its layout in page units, the first drawing after
// the timer, the view buttons' sub-view cycles and help texts, glyph clicks,
// and its back buffer showing the whole wheel.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "display/chart/chart_window.h"
#include "display/chart/open_chart_window.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/recording_surface.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/wheel_reports.h"
#include "display/wheel/wheel_state.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/number_text.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_test_support.h"
#include "tests/display/draw/screen_extent.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using testing_support::ChartWindowOfTest;

class ChartWindow : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "Appoggio"});
        delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
        testing_support::NatalWheelOfTest().fileErrors = {};
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        testing_support::EnsureChartWindowForTest()->resize(1920, 1080);
        testing_support::OpenChartWindowForTest();
    }
    void TearDown() override {
        delete testing_support::ChartWindowOfTest();
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
    }
    static std::string TextOfMemo(QPlainTextEdit* m) { return gui::FromQt(m->toPlainText()); }
    static std::string HelpText(int n) {
        std::string text;
        for (const std::string& l : display::ReadHelpEntry(n)) text += (text.empty() ? "" : "\n") + l;
        return text;
    }
    // Runs the timer until it draws (at most a few ticks).
    static int TicksUntilDrawn() {
        int ticks = 0;
        while (testing_support::ChartControl<QTimer>("Timer1")->isActive() && ticks < 5) {
            testing_support::ChartWindowOfTest()->DrawWhenReady();
            ++ticks;
        }
        return ticks;
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

int PX(long double units) {
    return static_cast<int>(rt::Round(units / testing_support::ChartWindowOfTest()->State().layoutScaleX));
}
int PY(long double units) {
    return static_cast<int>(rt::Round(units / testing_support::ChartWindowOfTest()->State().layoutScaleY));
}

TEST_F(ChartWindow, LaysItsPanelsOutInPageUnitsRightAlignedAt279) {
    const display::ChartWindow& w = *testing_support::ChartWindowOfTest();
    for (QWidget* panel : std::initializer_list<QWidget*>{testing_support::ControlOf<QFrame>(w, "PanelBase"),
                                                          testing_support::ControlOf<QFrame>(w, "PanelPulsanti"),
                                                          testing_support::ControlOf<QFrame>(w, "PanelInfo"),
                                                          testing_support::ControlOf<QFrame>(w, "PanelDati")}) {
        EXPECT_EQ(panel->x() + panel->width(), PX(279)) << panel->objectName().toStdString();
        EXPECT_EQ(panel->width(), PX(82));
    }
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelBase")->y(), PY(1.3L));
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelDati")->y(), PY(94));
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelDati")->height(), PY(38.7L));
    // The right column of view buttons keeps 3 units from the panel's edge.
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(w, "BBstoffa")->x() +
                  testing_support::ControlOf<QPushButton>(w, "BBstoffa")->width(),
              testing_support::ControlOf<QFrame>(w, "PanelPulsanti")->width() - PX(3));
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBsizeFont")->x(),
              testing_support::ChartControl<QPushButton>("BBstoffa")->x());
    EXPECT_EQ(testing_support::ChartControl<QLabel>("LabLocal")->y(),
              testing_support::ChartControl<QLineEdit>("EdLocal")->y() + PY(0.5L));
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBchiudiAsp")->y(),
              testing_support::ChartControl<QPlainTextEdit>("MemoAspetti")->height() + PY(3.5L));
    // The calibrated screen stretches the layout horizontally only.
    testing_support::DrawingStateOfTest().aspectScaleX = 1.25L;
    testing_support::ChartWindowOfTest()->PrepareOpening();
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelBase")->width(), PX(82));
    EXPECT_EQ(PX(82), static_cast<int>(rt::Round(82 / 1.25L * testing_support::DrawingStateOfTest().pixelsPerUnit)));
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelBase")->height(), PY(92));
}

TEST_F(ChartWindow, ActivationResetsTheStateAndShowsTheFirstHelpText) {
    EXPECT_TRUE(testing_support::ChartWindowOfTest()->FramesWheel());
    EXPECT_TRUE(testing_support::ChartControl<QTimer>("Timer1")->isActive());
    EXPECT_EQ(TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1")), HelpText(1));
    EXPECT_EQ(testing_support::NatalWheelOfTest().signMidpoints[engine::Sign::Pisces], 345);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().searchBodyFilter, "Ieder");
    // 12 degrees 29 minutes east: minus the hours of the longitude.
    EXPECT_NEAR(testing_support::ChartWindowOfTest()->State().placeLongitudeHours, -(12 + 29 / 60.0) * 4 / 60, 1e-12);
    EXPECT_FALSE(testing_support::NatalWheelOfTest().birthWeekdayName.empty());
    // Buttons whose views the window never enables.
    for (QPushButton* b : {testing_support::ChartControl<QPushButton>("BBdodecate"),
                           testing_support::ChartControl<QPushButton>("BBEnergi"),
                           testing_support::ChartControl<QPushButton>("BBantisce"),
                           testing_support::ChartControl<QPushButton>("BBmaestri"),
                           testing_support::ChartControl<QPushButton>("BBvolguine")})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(testing_support::ChartControl<QPushButton>("BBaspetti")->isEnabled());
}

TEST_F(ChartWindow, NoDataCaptionRunsIntoItsField) {
    TicksUntilDrawn();
    const display::ChartWindow& w = *testing_support::ChartWindowOfTest();
    const std::pair<QLabel*, QLineEdit*> pairs[] = {
        {testing_support::ControlOf<QLabel>(w, "LabNome"), testing_support::ControlOf<QLineEdit>(w, "EdNome")},
        {testing_support::ControlOf<QLabel>(w, "LabData"), testing_support::ControlOf<QLineEdit>(w, "EdData")},
        {testing_support::ControlOf<QLabel>(w, "LabLocal"), testing_support::ControlOf<QLineEdit>(w, "EdLocal")},
        {testing_support::ControlOf<QLabel>(w, "LabCoordi"), testing_support::ControlOf<QLineEdit>(w, "EdCoordi")},
        {testing_support::ControlOf<QLabel>(w, "LabDomif"), testing_support::ControlOf<QLineEdit>(w, "EdDomif")},
        {testing_support::ControlOf<QLabel>(w, "LabNodo"), testing_support::ControlOf<QLineEdit>(w, "EdNodo")},
        {testing_support::ControlOf<QLabel>(w, "LabJd"), testing_support::ControlOf<QLineEdit>(w, "EdJd")}};
    for (int press = 0; press < 3; ++press) {  // large, small and large fonts
        for (const auto& [label, field] : pairs) {
            const int textRight = label->x() + label->fontMetrics().horizontalAdvance(label->text());
            EXPECT_LT(textRight, field->x()) << label->objectName().toStdString() << " press " << press;
        }
        testing_support::ChartControl<QPushButton>("BBsizeFont")->click();
    }
}

// On a 1280 x 800 screen the view buttons show their whole captions, at the
// large fonts of an opening and at the small ones.
TEST(ChartWindowCaptions, ViewButtonsShowTheirWholeCaptionsOn1280x800) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
    wheel_test::SetFixedPerson();
    wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "Appoggio", "OpzioneT"});
    delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
    display::InitDrawingFromScreen(testing_support::DrawingStateOfTest(), 1280, 800);
    testing_support::EnsureChartWindowForTest()->resize(1280, 800);
    testing_support::OpenChartWindowForTest();
    // The natal chart and its data fields.
    while (testing_support::ChartControl<QTimer>("Timer1")->isActive())
        testing_support::ChartWindowOfTest()->DrawWhenReady();
    const display::ChartWindow& w = *testing_support::ChartWindowOfTest();
    for (int press = 0; press < 3; ++press) {
        for (QPushButton* b : {testing_support::ControlOf<QPushButton>(w, "BBcoordi"),
                               testing_support::ControlOf<QPushButton>(w, "BBstoffa"),
                               testing_support::ControlOf<QPushButton>(w, "BBarchetip"),
                               testing_support::ControlOf<QPushButton>(w, "BBaspetti"),
                               testing_support::ControlOf<QPushButton>(w, "BBEnergi"),
                               testing_support::ControlOf<QPushButton>(w, "BBantisce"),
                               testing_support::ControlOf<QPushButton>(w, "BBdodecate"),
                               testing_support::ControlOf<QPushButton>(w, "BBvolguine"),
                               testing_support::ControlOf<QPushButton>(w, "BBmaestri")}) {
            EXPECT_TRUE(view_test::CaptionFits(b)) << b->text().toStdString() << " press " << press;
            EXPECT_GE(b->font().pointSize(), 7) << b->text().toStdString();
        }
        // The person's data fields show their whole texts: the long date with its weekday and zone.
        const QLineEdit* fields[] = {testing_support::ControlOf<QLineEdit>(w, "EdNome"),
                                     testing_support::ControlOf<QLineEdit>(w, "EdData"),
                                     testing_support::ControlOf<QLineEdit>(w, "EdLocal"),
                                     testing_support::ControlOf<QLineEdit>(w, "EdCoordi"),
                                     testing_support::ControlOf<QLineEdit>(w, "EdDomif"),
                                     testing_support::ControlOf<QLineEdit>(w, "EdNodo"),
                                     testing_support::ControlOf<QLineEdit>(w, "EdJd")};
        ASSERT_GT(testing_support::ControlOf<QLineEdit>(w, "EdData")->text().size(), 30)
            << testing_support::ControlOf<QLineEdit>(w, "EdData")->text().toStdString();
        for (const QLineEdit* e : fields) {
            EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()), e->width() - 8)
                << e->objectName().toStdString() << ": " << e->text().toStdString() << " press " << press;
            EXPECT_GE(e->font().pointSize(), 7) << e->objectName().toStdString();
        }
        testing_support::ChartControl<QPushButton>("BBsizeFont")->click();
    }
    EXPECT_TRUE(view_test::CaptionFits(testing_support::ChartControl<QPushButton>("BBprivato")));
    // The attribution texts' captions of a clicked planet stop short of its glyph picture.
    while (testing_support::ChartControl<QTimer>("Timer1")->isActive())
        testing_support::ChartWindowOfTest()->DrawWhenReady();
    const display::Point sun =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]);
    testing_support::ChartWindowOfTest()->PressAt(sun.x, sun.y);
    testing_support::ChartWindowOfTest()->RestoreGlyphRings();
    ASSERT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabSpecific")->text()),
              "SPECIFIEKE TOESCHRIJVINGEN naar de PLANEET");
    EXPECT_LT(testing_support::ChartControl<QLabel>("LabSpecific")->x() +
                  testing_support::ChartControl<QLabel>("LabSpecific")
                      ->fontMetrics()
                      .horizontalAdvance(testing_support::ChartControl<QLabel>("LabSpecific")->text()),
              testing_support::ChartControl<QLabel>("Image2")->x());
    EXPECT_LT(testing_support::ChartControl<QLabel>("LabGeneral")->x() +
                  testing_support::ChartControl<QLabel>("LabGeneral")
                      ->fontMetrics()
                      .horizontalAdvance(testing_support::ChartControl<QLabel>("LabGeneral")->text()),
              testing_support::ChartControl<QFrame>("PanelBase")->width());
    // The plants panel's size button, before its first press and after each.
    for (const char* caption : {"Verbreden", "Verminderen", "Verbreden"}) {
        QPushButton* b = testing_support::ChartControl<QPushButton>("BBsuGiu");
        ASSERT_EQ(b->text().toStdString(), caption);
        EXPECT_TRUE(view_test::CaptionFits(b)) << caption;
        EXPECT_GE(b->font().pointSize(), 8) << caption;
        EXPECT_LE(b->x() + b->width(), testing_support::ChartControl<QFrame>("PanelQuor")->width()) << caption;
        b->click();
    }
    delete testing_support::ChartWindowOfTest();
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
}

// On a 5:4 screen, a 4:3 one and a wide one the whole window lies on the
// screen: every panel and control (those an opening leaves hidden too), the
// frame and everything drawn around the wheel, and the person's long date
// whole in its field.
TEST(ChartWindowScreens, EveryControlAndTheDrawingLieOnTheScreen) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
    wheel_test::SetFixedPerson();
    wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "Appoggio", "OpzioneT"});
    for (const QSize screen : {QSize(1280, 1024), QSize(1024, 768), QSize(1920, 1080)}) {
        SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
        delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
        display::InitDrawingFromScreen(testing_support::DrawingStateOfTest(), screen.width(), screen.height());
        testing_support::EnsureChartWindowForTest()->resize(screen);
        display::RecordingSurface drawn{testing_support::DrawingStateOfTest()};
        testing_support::ChartWindowOfTest()->SetRecorder(&drawn);
        testing_support::OpenChartWindowForTest();
        while (testing_support::ChartControl<QTimer>("Timer1")->isActive())
            testing_support::ChartWindowOfTest()->DrawWhenReady();
        const QRect onScreen(QPoint(0, 0), screen);
        for (const QWidget* w : testing_support::ChartWindowOfTest()->findChildren<QWidget*>()) {
            if (w->window() != testing_support::ChartWindowOfTest())
                continue;  // a list's drop-down is a window of its own
            const QRect r(w->mapTo(testing_support::ChartWindowOfTest(), QPoint(0, 0)), w->size());
            EXPECT_TRUE(onScreen.contains(r)) << w->objectName().toStdString() << " at " << r.x() << "," << r.y() << " "
                                              << r.width() << "x" << r.height();
        }
        EXPECT_EQ(screen_extent::CallsOffScreen(drawn, screen.width(), screen.height()), std::vector<std::string>{});
        EXPECT_GT(drawn.log.size(), 100u);
        ASSERT_GT(testing_support::ChartControl<QLineEdit>("EdData")->text().size(), 30);
        EXPECT_LE(testing_support::ChartControl<QLineEdit>("EdData")->fontMetrics().horizontalAdvance(
                      testing_support::ChartControl<QLineEdit>("EdData")->text()),
                  testing_support::ChartControl<QLineEdit>("EdData")->width() - 8)
            << testing_support::ChartControl<QLineEdit>("EdData")->text().toStdString();
        EXPECT_TRUE(view_test::CaptionFits(testing_support::ChartControl<QPushButton>("BBprivato")));
        testing_support::ChartWindowOfTest()->SetRecorder(nullptr);
        testing_support::ChartWindowOfTest()->close();
    }
    delete testing_support::ChartWindowOfTest();
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
}

TEST_F(ChartWindow, FirstOpeningDrawsOnTheSecondTickLaterOpeningsOnTheFirst) {
    EXPECT_EQ(TicksUntilDrawn(), 2);
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLineEdit>("EdNome")->text()), "  Rossi Maria");
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLineEdit>("EdDomif")->text()), "PLACIDO");
    testing_support::ChartWindowOfTest()->close();
    testing_support::ChartControl<QLineEdit>("EdNome")->clear();
    testing_support::OpenChartWindowForTest();
    EXPECT_EQ(TicksUntilDrawn(), 1);
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLineEdit>("EdNome")->text()), "  Rossi Maria");
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(ChartWindow, BackBufferShowsTheWholeWheel) {
    TicksUntilDrawn();
    const QImage image = testing_support::ChartWindowOfTest()->Snapshot();
    image.save(QString::fromStdString((std::filesystem::temp_directory_path() / "kelvor_chart_window.png").string()));
    testing_support::ChartWindowOfTest()->grab().save(
        QString::fromStdString((std::filesystem::temp_directory_path() / "kelvor_chart_window_full.png").string()));
    // The extent of what is drawn in the chart square.
    const int right = display::MapX(testing_support::DrawingStateOfTest(), 195);
    int minX = image.width(), maxX = -1, minY = image.height(), maxY = -1, lit = 0;
    for (int y = 0; y < display::MapY(testing_support::DrawingStateOfTest(), 195); ++y)
        for (int x = 0; x < right; ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
                ++lit;
            }
    // The outermost circle (radius 83) and the horizon marks out to radius 93.
    EXPECT_LE(minX, display::MapX(testing_support::DrawingStateOfTest(), 100 - 93) + 2);
    EXPECT_GE(maxX, display::MapX(testing_support::DrawingStateOfTest(), 100 + 93) - 2);
    EXPECT_LE(minY, display::MapY(testing_support::DrawingStateOfTest(), 100 - 83) + 2);
    EXPECT_GE(maxY, display::MapY(testing_support::DrawingStateOfTest(), 100 + 83) - 2);
    EXPECT_GT(lit, 20000);
    // The glyphs of the chart points are drawn: light pixels around the Sun's centre.
    const display::Point sun =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]);
    int aroundSun = 0;
    for (int dy = -15; dy <= 15; ++dy)
        for (int dx = -15; dx <= 15; ++dx)
            if ((image.pixel(sun.x + dx, sun.y + dy) & 0xFFFFFF) != 0) ++aroundSun;
    EXPECT_GT(aroundSun, 40);
}

TEST_F(ChartWindow, ViewButtonsCycleTheirSubViewsWithTheirHelpTexts) {
    TicksUntilDrawn();
    const int expected[5] = {10, 24, 25, 26, 10};
    for (int n : expected) {
        testing_support::ChartControl<QPushButton>("BBaspetti")->click();
        EXPECT_EQ(TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1")), HelpText(n)) << n;
        EXPECT_EQ(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()),
                  n == 10 || n == 24)
            << n;
    }
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().ViewCycle(display::kViewAspects), 1);
    // Another view button in between restarts the aspects at their first sub-view.
    testing_support::ChartControl<QPushButton>("BBcoordi")->click();
    EXPECT_EQ(TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1")), HelpText(2));
    testing_support::ChartControl<QPushButton>("BBaspetti")->click();
    EXPECT_EQ(TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1")), HelpText(10));
    testing_support::ChartControl<QPushButton>("BBstoffa")->click();
    EXPECT_EQ(TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1")), HelpText(5));
    EXPECT_EQ(display::SubViewHelpEntry(display::kViewVolguine, 2), 27);
}

// Notes at every text drawn whether the archetypal view's flag is set.
class ArchetypeFlagProbe : public display::RecordingSurface {
public:
    ArchetypeFlagProbe() : RecordingSurface(testing_support::DrawingStateOfTest()) {}
    std::vector<bool> flags;
    void TextOut(display::Point p, std::string_view text) override {
        flags.push_back(testing_support::ChartWindowOfTest()->State().archetypeViewFlag);
        RecordingSurface::TextOut(p, text);
    }
};

TEST_F(ChartWindow, ViewButtonsDrawTheirSubViewsOnAClearedChartSquare) {
    wheel_test::CopyDataFolders({"Scambi"});  // the reception tables of the archetypal view
    TicksUntilDrawn();
    const display::Point a = display::MapPoint(testing_support::DrawingStateOfTest(), 2, 2),
                         b = display::MapPoint(testing_support::DrawingStateOfTest(), 195, 195);
    const std::string square = "rectangle " + std::to_string(a.x) + "," + std::to_string(a.y) + " " +
                               std::to_string(b.x) + "," + std::to_string(b.y);
    // What a press drew: the chart square painted black before anything else.
    auto press = [&](QPushButton* button) {
        ArchetypeFlagProbe probe;
        testing_support::ChartWindowOfTest()->SetRecorder(&probe);
        button->click();
        testing_support::ChartWindowOfTest()->SetRecorder(nullptr);
        const auto rectangles = probe.Calls("rectangle");
        EXPECT_FALSE(rectangles.empty());
        if (!rectangles.empty()) {
            EXPECT_EQ(rectangles.front().rfind(square + " ", 0), 0u) << rectangles.front();
            EXPECT_NE(rectangles.front().find("brush=#000000"), std::string::npos);
        }
        EXPECT_FALSE(probe.flags.empty());
        return probe.flags;
    };
    // Each press of the cloth button its next sub-view, and the first again after the last.
    for (int n : {5, 6, 7, 8, 5}) {
        testing_support::ChartControl<QPlainTextEdit>("MemoL1")->setPlainText("Zon");
        testing_support::ChartControl<QPlainTextEdit>("MemoL2")->setPlainText("levenskracht");
        testing_support::ChartControl<QLabel>("LabSpecific")->setText("SPECIFIEKE");
        testing_support::ChartControl<QLabel>("LabGeneral")->setText("ALGEMENE");
        for (bool flag : press(testing_support::ChartControl<QPushButton>("BBstoffa"))) EXPECT_FALSE(flag);
        EXPECT_EQ(TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1")), HelpText(n)) << n;
        // The attribution texts beside the chart square go with it.
        EXPECT_TRUE(testing_support::ChartControl<QPlainTextEdit>("MemoL1")->toPlainText().isEmpty());
        EXPECT_TRUE(testing_support::ChartControl<QPlainTextEdit>("MemoL2")->toPlainText().isEmpty());
        EXPECT_TRUE(testing_support::ChartControl<QLabel>("LabSpecific")->text().isEmpty());
        EXPECT_TRUE(testing_support::ChartControl<QLabel>("LabGeneral")->text().isEmpty());
    }
    // The archetypal structure is drawn with its flag set, which is cleared after it.
    for (bool flag : press(testing_support::ChartControl<QPushButton>("BBarchetip"))) EXPECT_TRUE(flag);
    EXPECT_EQ(TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1")), HelpText(9));
    EXPECT_FALSE(testing_support::ChartWindowOfTest()->State().archetypeViewFlag);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;

    // Closing the signature panel brings the natal wheel back.
    testing_support::ChartControl<QFrame>("PanelSegnaPato")->show();
    testing_support::ChartControl<QPushButton>("BBchiudiExtra")->click();
    EXPECT_FALSE(
        testing_support::ChartControl<QFrame>("PanelSegnaPato")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_NE(testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Ascendant], 0);
}

TEST_F(ChartWindow, GlyphClicksHitStoredCentresButNeverClearedOnes) {
    TicksUntilDrawn();
    const display::Point sun =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]);
    EXPECT_EQ(display::FindGlyphHit(testing_support::DrawingStateOfTest(), testing_support::NatalWheelOfTest(),
                                    sun.x + 14, sun.y - 14)
                  .body,
              1);
    const double exactX =
        static_cast<double>(testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun] *
                            testing_support::DrawingStateOfTest().pixelsPerUnit);
    EXPECT_EQ(display::FindGlyphHit(testing_support::DrawingStateOfTest(), testing_support::NatalWheelOfTest(),
                                    static_cast<int>(std::ceil(exactX + 15)), sun.y)
                  .body,
              0);  // the box is open
    testing_support::ChartWindowOfTest()->PressAt(sun.x, sun.y);
    EXPECT_EQ(TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1")), HelpText(28));
    const display::Point aries = display::MapPoint(testing_support::DrawingStateOfTest(),
                                                   testing_support::NatalWheelOfTest().signGlyphX[engine::Sign::Aries],
                                                   testing_support::NatalWheelOfTest().signGlyphY[engine::Sign::Aries]);
    testing_support::ChartWindowOfTest()->PressAt(aries.x, aries.y);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().clickedSign, 1);
    EXPECT_EQ(TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1")), HelpText(31));

    // A view clears the centres of the Ascendant and the Midheaven with the chart square: the
    // corner never hits them (the square cleared after the view, so that no wheel records them again).
    const display::Point mars =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Mars],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Mars]);
    testing_support::ChartWindowOfTest()->PressAt(mars.x, mars.y);
    ASSERT_EQ(testing_support::ChartWindowOfTest()->State().clickedBody, 5);
    testing_support::ChartControl<QPushButton>("BBstoffa")->click();
    testing_support::ChartWindowOfTest()->ClearChartSquare();
    ASSERT_EQ(testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Ascendant], 0);
    for (int x = 0; x <= 14; ++x)
        EXPECT_EQ(display::FindGlyphHit(testing_support::DrawingStateOfTest(), testing_support::NatalWheelOfTest(), x,
                                        x)
                      .body,
                  0);
    testing_support::ChartWindowOfTest()->PressAt(3, 3);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().clickedBody, 0);
    EXPECT_EQ(TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1")), HelpText(5));  // unchanged
}

TEST_F(ChartWindow, SmallButtonsAndToggles) {
    testing_support::ChartControl<QPushButton>("BBsizeFont")
        ->click();  // activation set the flag without touching the fonts
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBcoordi")->font().pointSize(), 8);
    EXPECT_EQ(testing_support::ChartControl<QLineEdit>("EdNome")->font().pointSize(), 10);
    testing_support::ChartControl<QPushButton>("BBsizeFont")->click();
    EXPECT_EQ(testing_support::ChartControl<QLabel>("LabJd")->font().pointSize(), 10);
    EXPECT_EQ(testing_support::ChartControl<QLineEdit>("EdNome")->font().pointSize(), 12);

    testing_support::ChartWindowOfTest()->ToggleHelpMemoSize();
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelInfo")->y(), PY(51));
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("Memo1")->height(), PY(116));
    testing_support::ChartWindowOfTest()->ToggleHelpMemoSize();
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelInfo")->y(), PY(134));

    testing_support::ChartControl<QPushButton>("BBFont")->click();
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBFont")->text().toStdString(), "Font +");
    testing_support::ChartControl<QPushButton>("BBFont")->click();
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBFont")->text().toStdString(), "Font -");

    testing_support::DrawingStateOfTest().blackAndWhite = true;
    testing_support::ChartWindowOfTest()->RestoreGlyphRings();
    EXPECT_FALSE(testing_support::DrawingStateOfTest().blackAndWhite);

    testing_support::DrawingStateOfTest().zoomFactor = 2;
    testing_support::DrawingStateOfTest().originX = 40;
    testing_support::ChartControl<QPushButton>("BBprivato")->click();
    EXPECT_FALSE(testing_support::ChartWindowOfTest()->isVisible());
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 1.0L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().originX, 0);
    EXPECT_FALSE(testing_support::ChartWindowOfTest()->FramesWheel());
}

}  // namespace
