// The chart window offscreen: its layout in page units, the first drawing after
// the timer, the view buttons' sub-view cycles and help texts, glyph clicks,
// and its back buffer showing the whole wheel.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLineEdit>
#include <QTimer>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "display/wheel/chart_geometry.h"
#include "display/chart/chart_window.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/recording_surface.h"
#include "display/wheel/help_messages.h"
#include "display/chart/open_chart_window.h"
#include "display/wheel/wheel_reports.h"
#include "display/wheel/wheel_state.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/number_text.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_test_support.h"
#include "tests/display/draw/screen_extent.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using display::theChartWindow;

class ChartWindow : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "Appoggio"});
        if (display::theChartWindow) display::theChartWindow->status = {};
        display::ResetFileErrorReports();
        display::ResetMissingGlyphReports();
        display::EnsureChartWindow()->resize(1920, 1080);
        display::OpenChartWindow();
    }
    void TearDown() override {
        delete theChartWindow;
        display::ResetDrawingState();
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
        while (theChartWindow->firstDrawTimer->isActive() && ticks < 5) {
            theChartWindow->DrawWhenReady();
            ++ticks;
        }
        return ticks;
    }
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
};

int PX(long double units) { return static_cast<int>(rt::Round(units / theChartWindow->status.LayoutScaleX)); }
int PY(long double units) { return static_cast<int>(rt::Round(units / theChartWindow->status.LayoutScaleY)); }

TEST_F(ChartWindow, LaysItsPanelsOutInPageUnitsRightAlignedAt279) {
    const display::ChartWindow& w = *theChartWindow;
    for (QWidget* panel :
         std::initializer_list<QWidget*>{w.attributionPanel, w.viewButtonPanel, w.helpPanel, w.dataPanel}) {
        EXPECT_EQ(panel->x() + panel->width(), PX(279)) << panel->objectName().toStdString();
        EXPECT_EQ(panel->width(), PX(82));
    }
    EXPECT_EQ(theChartWindow->attributionPanel->y(), PY(1.3L));
    EXPECT_EQ(theChartWindow->dataPanel->y(), PY(94));
    EXPECT_EQ(theChartWindow->dataPanel->height(), PY(38.7L));
    // The right column of view buttons keeps 3 units from the panel's edge.
    EXPECT_EQ(w.clothButton->x() + w.clothButton->width(), w.viewButtonPanel->width() - PX(3));
    EXPECT_EQ(theChartWindow->fontSizeButton->x(), theChartWindow->clothButton->x());
    EXPECT_EQ(theChartWindow->placeLabel->y(), theChartWindow->placeEdit->y() + PY(0.5L));
    EXPECT_EQ(theChartWindow->closeAspectListButton->y(), theChartWindow->aspectListMemo->height() + PY(3.5L));
    // The calibrated screen stretches the layout horizontally only.
    display::Drawing.AspectScaleX = 1.25L;
    theChartWindow->PrepareOpening();
    EXPECT_EQ(theChartWindow->attributionPanel->width(), PX(82));
    EXPECT_EQ(PX(82), static_cast<int>(rt::Round(82 / 1.25L * display::Drawing.PixelsPerUnit)));
    EXPECT_EQ(theChartWindow->attributionPanel->height(), PY(92));
}

TEST_F(ChartWindow, ActivationResetsTheStateAndShowsTheFirstHelpText) {
    EXPECT_EQ(display::Drawing.DrawForm, theChartWindow);
    EXPECT_TRUE(theChartWindow->firstDrawTimer->isActive());
    EXPECT_EQ(TextOfMemo(theChartWindow->helpMemo), HelpText(1));
    EXPECT_EQ(display::Wheel.SignMidpoints[12], 345);
    EXPECT_EQ(theChartWindow->status.SearchBodyFilter, "Ieder");
    // 12 degrees 29 minutes east: minus the hours of the longitude.
    EXPECT_NEAR(theChartWindow->status.PlaceLongitudeHours, -(12 + 29 / 60.0) * 4 / 60, 1e-12);
    EXPECT_FALSE(display::Wheel.BirthWeekdayName.empty());
    // Buttons whose views the window never enables.
    for (QPushButton* b : {theChartWindow->dodecatemoriaButton, theChartWindow->energyButton,
                           theChartWindow->antisciaButton, theChartWindow->mastersButton,
                           theChartWindow->volguineButton})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(theChartWindow->aspectsButton->isEnabled());
}

TEST_F(ChartWindow, NoDataCaptionRunsIntoItsField) {
    TicksUntilDrawn();
    const display::ChartWindow& w = *theChartWindow;
    const std::pair<QLabel*, QLineEdit*> pairs[] = {
        {w.nameLabel, w.nameEdit},
        {w.birthDateLabel, w.birthDateEdit},
        {w.placeLabel, w.placeEdit},
        {w.coordinatesLabel, w.coordinatesEdit},
        {w.houseSystemLabel, w.houseSystemEdit},
        {w.nodeLabel, w.nodeEdit},
        {w.julianDayLabel, w.julianDayEdit}};
    for (int press = 0; press < 3; ++press) {  // large, small and large fonts
        for (const auto& [label, field] : pairs) {
            const int textRight = label->x() + label->fontMetrics().horizontalAdvance(label->text());
            EXPECT_LT(textRight, field->x()) << label->objectName().toStdString() << " press " << press;
        }
        theChartWindow->fontSizeButton->click();
    }
}

// On a 1280 x 800 screen the view buttons show their whole captions, at the
// large fonts of an opening and at the small ones.
TEST(ChartWindowCaptions, ViewButtonsShowTheirWholeCaptionsOn1280x800) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
    wheel_test::SetFixedPerson();
    wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "Appoggio", "OpzioneT"});
    if (display::theChartWindow) display::theChartWindow->status = {};
    display::ResetDrawingState();
    display::InitDrawingFromScreen(1280, 800);
    display::EnsureChartWindow()->resize(1280, 800);
    display::OpenChartWindow();
    // The natal chart and its data fields.
    while (theChartWindow->firstDrawTimer->isActive()) theChartWindow->DrawWhenReady();
    const display::ChartWindow& w = *theChartWindow;
    for (int press = 0; press < 3; ++press) {
        for (QPushButton* b : {w.coordinatesButton, w.clothButton, w.archetypeButton, w.aspectsButton, w.energyButton,
                               w.antisciaButton, w.dodecatemoriaButton, w.volguineButton, w.mastersButton}) {
            EXPECT_TRUE(view_test::CaptionFits(b)) << b->text().toStdString() << " press " << press;
            EXPECT_GE(b->font().pointSize(), 7) << b->text().toStdString();
        }
        // The person's data fields show their whole texts: the long date with its weekday and zone.
        const QLineEdit* fields[] = {w.nameEdit,        w.birthDateEdit, w.placeEdit,    w.coordinatesEdit,
                                     w.houseSystemEdit, w.nodeEdit,      w.julianDayEdit};
        ASSERT_GT(w.birthDateEdit->text().size(), 30) << w.birthDateEdit->text().toStdString();
        for (const QLineEdit* e : fields) {
            EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()), e->width() - 8)
                << e->objectName().toStdString() << ": " << e->text().toStdString() << " press " << press;
            EXPECT_GE(e->font().pointSize(), 7) << e->objectName().toStdString();
        }
        theChartWindow->fontSizeButton->click();
    }
    EXPECT_TRUE(view_test::CaptionFits(theChartWindow->backButton));
    // The attribution texts' captions of a clicked planet stop short of its glyph picture.
    while (theChartWindow->firstDrawTimer->isActive()) theChartWindow->DrawWhenReady();
    const display::Point sun = display::MapPoint(display::Wheel.PlanetGlyphX[1], display::Wheel.PlanetGlyphY[1]);
    theChartWindow->PressAt(sun.x, sun.y);
    theChartWindow->RestoreGlyphRings();
    ASSERT_EQ(gui::FromQt(theChartWindow->specificLabel->text()), "SPECIFIEKE TOESCHRIJVINGEN naar de PLANEET");
    EXPECT_LT(theChartWindow->specificLabel->x() +
                  theChartWindow->specificLabel->fontMetrics().horizontalAdvance(theChartWindow->specificLabel->text()),
              theChartWindow->attributionGlyphImage->x());
    EXPECT_LT(theChartWindow->generalLabel->x() +
                  theChartWindow->generalLabel->fontMetrics().horizontalAdvance(theChartWindow->generalLabel->text()),
              theChartWindow->attributionPanel->width());
    // The plants panel's size button, before its first press and after each.
    for (const char* caption : {"Verbreden", "Verminderen", "Verbreden"}) {
        QPushButton* b = theChartWindow->plantsSizeButton;
        ASSERT_EQ(b->text().toStdString(), caption);
        EXPECT_TRUE(view_test::CaptionFits(b)) << caption;
        EXPECT_GE(b->font().pointSize(), 8) << caption;
        EXPECT_LE(b->x() + b->width(), theChartWindow->plantsPanel->width()) << caption;
        b->click();
    }
    delete theChartWindow;
    display::ResetDrawingState();
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
        if (display::theChartWindow) display::theChartWindow->status = {};
        display::ResetDrawingState();
        display::InitDrawingFromScreen(screen.width(), screen.height());
        display::EnsureChartWindow()->resize(screen);
        display::RecordingSurface drawn;
        theChartWindow->SetRecorder(&drawn);
        display::OpenChartWindow();
        while (theChartWindow->firstDrawTimer->isActive()) theChartWindow->DrawWhenReady();
        const QRect onScreen(QPoint(0, 0), screen);
        for (const QWidget* w : theChartWindow->findChildren<QWidget*>()) {
            if (w->window() != theChartWindow) continue;  // a list's drop-down is a window of its own
            const QRect r(w->mapTo(theChartWindow, QPoint(0, 0)), w->size());
            EXPECT_TRUE(onScreen.contains(r)) << w->objectName().toStdString() << " at " << r.x() << "," << r.y()
                                              << " " << r.width() << "x" << r.height();
        }
        EXPECT_EQ(screen_extent::CallsOffScreen(drawn, screen.width(), screen.height()), std::vector<std::string>{});
        EXPECT_GT(drawn.log.size(), 100u);
        ASSERT_GT(theChartWindow->birthDateEdit->text().size(), 30);
        EXPECT_LE(theChartWindow->birthDateEdit->fontMetrics().horizontalAdvance(theChartWindow->birthDateEdit->text()),
                  theChartWindow->birthDateEdit->width() - 8)
            << theChartWindow->birthDateEdit->text().toStdString();
        EXPECT_TRUE(view_test::CaptionFits(theChartWindow->backButton));
        theChartWindow->SetRecorder(nullptr);
        theChartWindow->close();
    }
    delete theChartWindow;
    display::ResetDrawingState();
}

TEST_F(ChartWindow, FirstOpeningDrawsOnTheSecondTickLaterOpeningsOnTheFirst) {
    EXPECT_EQ(TicksUntilDrawn(), 2);
    EXPECT_EQ(gui::FromQt(theChartWindow->nameEdit->text()), "  Rossi Maria");
    EXPECT_EQ(gui::FromQt(theChartWindow->houseSystemEdit->text()), "PLACIDO");
    theChartWindow->close();
    theChartWindow->nameEdit->clear();
    display::OpenChartWindow();
    EXPECT_EQ(TicksUntilDrawn(), 1);
    EXPECT_EQ(gui::FromQt(theChartWindow->nameEdit->text()), "  Rossi Maria");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ChartWindow, BackBufferShowsTheWholeWheel) {
    TicksUntilDrawn();
    const QImage image = theChartWindow->Snapshot();
    image.save(QString::fromStdString((std::filesystem::temp_directory_path() / "kelvor_chart_window.png").string()));
    theChartWindow->grab().save(QString::fromStdString((std::filesystem::temp_directory_path() / "kelvor_chart_window_full.png").string()));
    // The extent of what is drawn in the chart square.
    const int right = display::MapX(195);
    int minX = image.width(), maxX = -1, minY = image.height(), maxY = -1, lit = 0;
    for (int y = 0; y < display::MapY(195); ++y)
        for (int x = 0; x < right; ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
                ++lit;
            }
    // The outermost circle (radius 83) and the horizon marks out to radius 93.
    EXPECT_LE(minX, display::MapX(100 - 93) + 2);
    EXPECT_GE(maxX, display::MapX(100 + 93) - 2);
    EXPECT_LE(minY, display::MapY(100 - 83) + 2);
    EXPECT_GE(maxY, display::MapY(100 + 83) - 2);
    EXPECT_GT(lit, 20000);
    // The glyphs of the chart points are drawn: light pixels around the Sun's centre.
    const display::Point sun = display::MapPoint(display::Wheel.PlanetGlyphX[1], display::Wheel.PlanetGlyphY[1]);
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
        theChartWindow->aspectsButton->click();
        EXPECT_EQ(TextOfMemo(theChartWindow->helpMemo), HelpText(n)) << n;
        EXPECT_EQ(theChartWindow->aspectListPanel->isVisibleTo(theChartWindow), n == 10 || n == 24) << n;
    }
    EXPECT_EQ(theChartWindow->status.ViewCycle[display::kViewAspects], 1);
    // Another view button in between restarts the aspects at their first sub-view.
    theChartWindow->coordinatesButton->click();
    EXPECT_EQ(TextOfMemo(theChartWindow->helpMemo), HelpText(2));
    theChartWindow->aspectsButton->click();
    EXPECT_EQ(TextOfMemo(theChartWindow->helpMemo), HelpText(10));
    theChartWindow->clothButton->click();
    EXPECT_EQ(TextOfMemo(theChartWindow->helpMemo), HelpText(5));
    EXPECT_EQ(display::SubViewHelpEntry(display::kViewVolguine, 2), 27);
}

// Notes at every text drawn whether the archetypal view's flag is set.
class ArchetypeFlagProbe : public display::RecordingSurface {
public:
    std::vector<bool> flags;
    void TextOut(display::Point p, std::string_view text) override {
        flags.push_back(theChartWindow->status.ArchetypeViewFlag);
        RecordingSurface::TextOut(p, text);
    }
};

TEST_F(ChartWindow, ViewButtonsDrawTheirSubViewsOnAClearedChartSquare) {
    wheel_test::CopyDataFolders({"Scambi"});  // the reception tables of the archetypal view
    TicksUntilDrawn();
    const display::Point a = display::MapPoint(2, 2), b = display::MapPoint(195, 195);
    const std::string square = "rectangle " + std::to_string(a.x) + "," + std::to_string(a.y) + " " +
                               std::to_string(b.x) + "," + std::to_string(b.y);
    // What a press drew: the chart square painted black before anything else.
    auto press = [&](QPushButton* button) {
        ArchetypeFlagProbe probe;
        theChartWindow->SetRecorder(&probe);
        button->click();
        theChartWindow->SetRecorder(nullptr);
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
        theChartWindow->specificMemo->setPlainText("Zon");
        theChartWindow->generalMemo->setPlainText("levenskracht");
        theChartWindow->specificLabel->setText("SPECIFIEKE");
        theChartWindow->generalLabel->setText("ALGEMENE");
        for (bool flag : press(theChartWindow->clothButton)) EXPECT_FALSE(flag);
        EXPECT_EQ(TextOfMemo(theChartWindow->helpMemo), HelpText(n)) << n;
        // The attribution texts beside the chart square go with it.
        EXPECT_TRUE(theChartWindow->specificMemo->toPlainText().isEmpty());
        EXPECT_TRUE(theChartWindow->generalMemo->toPlainText().isEmpty());
        EXPECT_TRUE(theChartWindow->specificLabel->text().isEmpty());
        EXPECT_TRUE(theChartWindow->generalLabel->text().isEmpty());
    }
    // The archetypal structure is drawn with its flag set, which is cleared after it.
    for (bool flag : press(theChartWindow->archetypeButton)) EXPECT_TRUE(flag);
    EXPECT_EQ(TextOfMemo(theChartWindow->helpMemo), HelpText(9));
    EXPECT_FALSE(theChartWindow->status.ArchetypeViewFlag);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;

    // Closing the signature panel brings the natal wheel back.
    theChartWindow->signatureResultsPanel->show();
    theChartWindow->closeSignatureResultsButton->click();
    EXPECT_FALSE(theChartWindow->signatureResultsPanel->isVisibleTo(theChartWindow));
    EXPECT_NE(display::Wheel.PlanetGlyphX[10], 0);
}

TEST_F(ChartWindow, GlyphClicksHitStoredCentresButNeverClearedOnes) {
    TicksUntilDrawn();
    const display::Point sun = display::MapPoint(display::Wheel.PlanetGlyphX[1], display::Wheel.PlanetGlyphY[1]);
    EXPECT_EQ(display::FindGlyphHit(sun.x + 14, sun.y - 14).body, 1);
    const double exactX = static_cast<double>(display::Wheel.PlanetGlyphX[1] * display::Drawing.PixelsPerUnit);
    EXPECT_EQ(display::FindGlyphHit(static_cast<int>(std::ceil(exactX + 15)), sun.y).body, 0);  // the box is open
    theChartWindow->PressAt(sun.x, sun.y);
    EXPECT_EQ(TextOfMemo(theChartWindow->helpMemo), HelpText(28));
    const display::Point aries = display::MapPoint(display::Wheel.SignGlyphX[1], display::Wheel.SignGlyphY[1]);
    theChartWindow->PressAt(aries.x, aries.y);
    EXPECT_EQ(theChartWindow->status.ClickedSign, 1);
    EXPECT_EQ(TextOfMemo(theChartWindow->helpMemo), HelpText(31));

    // A view clears the centres of the Ascendant and the Midheaven with the chart square: the
    // corner never hits them (the square cleared after the view, so that no wheel records them again).
    theChartWindow->clothButton->click();
    theChartWindow->ClearChartSquare();
    ASSERT_EQ(display::Wheel.PlanetGlyphX[10], 0);
    for (int x = 0; x <= 14; ++x) EXPECT_EQ(display::FindGlyphHit(x, x).body, 0);
    theChartWindow->status.ClickedBody = 5;
    theChartWindow->PressAt(3, 3);
    EXPECT_EQ(theChartWindow->status.ClickedBody, 0);
    EXPECT_EQ(TextOfMemo(theChartWindow->helpMemo), HelpText(5));  // unchanged
}

TEST_F(ChartWindow, SmallButtonsAndToggles) {
    theChartWindow->fontSizeButton->click();  // activation set the flag without touching the fonts
    EXPECT_EQ(theChartWindow->coordinatesButton->font().pointSize(), 8);
    EXPECT_EQ(theChartWindow->nameEdit->font().pointSize(), 10);
    theChartWindow->fontSizeButton->click();
    EXPECT_EQ(theChartWindow->julianDayLabel->font().pointSize(), 10);
    EXPECT_EQ(theChartWindow->nameEdit->font().pointSize(), 12);

    theChartWindow->ToggleHelpMemoSize();
    EXPECT_EQ(theChartWindow->helpPanel->y(), PY(51));
    EXPECT_EQ(theChartWindow->helpMemo->height(), PY(116));
    theChartWindow->ToggleHelpMemoSize();
    EXPECT_EQ(theChartWindow->helpPanel->y(), PY(134));

    theChartWindow->aspectListFontButton->click();
    EXPECT_EQ(theChartWindow->aspectListFontButton->text().toStdString(), "Font +");
    theChartWindow->aspectListFontButton->click();
    EXPECT_EQ(theChartWindow->aspectListFontButton->text().toStdString(), "Font -");

    display::Drawing.BlackAndWhite = true;
    theChartWindow->RestoreGlyphRings();
    EXPECT_FALSE(display::Drawing.BlackAndWhite);

    display::Drawing.ZoomFactor = 2;
    display::Drawing.OriginX = 40;
    theChartWindow->backButton->click();
    EXPECT_FALSE(theChartWindow->isVisible());
    EXPECT_EQ(display::Drawing.ZoomFactor, 1.0L);
    EXPECT_EQ(display::Drawing.OriginX, 0);
    EXPECT_EQ(display::Drawing.DrawForm, nullptr);
}

}  // namespace
