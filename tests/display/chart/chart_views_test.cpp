// The views of the chart window for the fixed person: what the view buttons
// show (the aspect list, the dignity glyphs of the archetypal structure) and
// the view routines' drawings over the natal chart, logged by a recording
// surface; every view of the window is also saved as a picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>
#include <string>

#include "display/chart/chart_window.h"
#include "display/chart/cloths.h"
#include "display/chart/humoral.h"
#include "display/chart/open_chart_window.h"
#include "display/chart/view_titles.h"
#include "display/wheel/chart_geometry.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/recording_surface.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/wheel_reports.h"
#include "engine/position_text.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using display::FgrKelvo;
using display::KelvoState;
using view_test::TextAt;

class ChartViews : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "Appoggio", "Scambi", "FilePosi", "OpzioneT", "OpzioneS"});
        display::ResetChartWindowState();
        display::ResetFileErrorReports();
        display::ResetMissingGlyphReports();
        engine::SignsOfPositions(22, engine::Chart.PlanetLongitudes, engine::Chart.PlanetSigns);  // as the loader
        display::EnsureChartWindow()->resize(1920, 1080);
        display::OpenChartWindow();
        while (FgrKelvo->Timer1->isActive()) FgrKelvo->Timer1Timer();
    }
    void TearDown() override {
        delete FgrKelvo;
        display::ResetDrawingState();
    }
    static std::string MemoText(QPlainTextEdit* m) { return gui::FromQt(m->toPlainText()); }
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
};

TEST_F(ChartViews, AspectButtonListsTheMajorAspectsInTheMemo) {
    FgrKelvo->BBaspetti->click();
    EXPECT_TRUE(FgrKelvo->Panel3->isVisibleTo(FgrKelvo));
    const std::string memo = MemoText(FgrKelvo->MemoAspetti);
    // Sun 15.25, Moon 45.5, Mercury 20, Mars 135.75; orbs 8, 6, 7, 7, 8.
    const auto conj = memo.find("4.75   il Sole in Congiunzione con Mercurio");
    const auto trine = memo.find("0.50   il Sole in Trigono con Marte");
    const auto square = memo.find("0.25   la Luna in Quadratura con Marte");
    EXPECT_EQ(memo.find("PLANETAIRE ASPECTEN"), 0u);
    ASSERT_NE(conj, std::string::npos) << memo;
    ASSERT_NE(trine, std::string::npos);
    ASSERT_NE(square, std::string::npos);
    EXPECT_LT(conj, trine);
    EXPECT_LT(trine, square);
    EXPECT_EQ(memo.find("il Nodo Nord in Opposizione con il Nodo Sud"), std::string::npos) << "exactly opposite";
    // The grid sub-views hide the memo's panel.
    FgrKelvo->BBaspetti->click();
    FgrKelvo->BBaspetti->click();
    EXPECT_FALSE(FgrKelvo->Panel3->isVisibleTo(FgrKelvo));
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
}

TEST_F(ChartViews, CoordinatesAndDodecatemoriaListThePointsInTheirSegments) {
    FgrKelvo->BBcoordi->click();
    EXPECT_TRUE(FgrKelvo->Panel3->isVisibleTo(FgrKelvo));
    std::string memo = MemoText(FgrKelvo->MemoAspetti);
    const auto terms = memo.find("PLANETEN IN DE TERMEN"), decans = memo.find("PLANETEN IN DE DECANS"),
               decades = memo.find("PLANETEN IN DE DECADE");
    EXPECT_EQ(terms, 0u);
    ASSERT_NE(decans, std::string::npos);
    ASSERT_NE(decades, std::string::npos);
    EXPECT_LT(decans, decades);
    // The other coordinate tables leave the memo's panel hidden.
    FgrKelvo->BBcoordi->click();
    EXPECT_FALSE(FgrKelvo->Panel3->isVisibleTo(FgrKelvo));

    QMetaObject::invokeMethod(FgrKelvo->BBdodecate, "clicked");  // a disabled button's handler
    EXPECT_TRUE(FgrKelvo->Panel3->isVisibleTo(FgrKelvo));
    EXPECT_TRUE(KelvoState.DodecatemoriaMode);
    memo = MemoText(FgrKelvo->MemoAspetti);
    EXPECT_EQ(memo.find("DODECATEMORIEEN IN DE TERMEN"), 0u) << memo;
    EXPECT_NE(memo.find("DODECATEMORIEEN IN DE DECADE"), std::string::npos);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
}

TEST_F(ChartViews, ArchetypeButtonRecordsTheDignityGlyphs) {
    FgrKelvo->BBarchetip->click();
    // Exalted: Sun (Aries), Moon (Taurus), Venus (Pisces); ruler: Saturn (Capricorn). Mars in
    // Leo stands in the Sun's box, Mercury in Aries above it; Jupiter in Libra in Venus's.
    const long double x0 = 100 + 6.5L - 6 * 4;
    EXPECT_EQ(KelvoState.DignityGlyphCentreX[1], x0);
    EXPECT_EQ(KelvoState.DignityGlyphCentreY[1], 118);
    EXPECT_EQ(KelvoState.DignityGlyphCentreX[5], x0);
    EXPECT_EQ(KelvoState.DignityGlyphCentreY[5], 111);
    EXPECT_EQ(KelvoState.DignityGlyphCentreY[3], 104);
    EXPECT_EQ(KelvoState.DignityGlyphCentreX[2], x0 + 13);
    EXPECT_EQ(KelvoState.DignityGlyphCentreX[4], x0 + 26);
    EXPECT_EQ(KelvoState.DignityGlyphCentreY[6], 111);
    EXPECT_EQ(KelvoState.DignityGlyphCentreX[7], x0 + 39);
    // Another view clears them.
    FgrKelvo->BBstoffa->click();
    EXPECT_EQ(KelvoState.DignityGlyphCentreX[1], 0);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
}

TEST_F(ChartViews, AspectsAndOrbitsViewDrawsTitleGridAndBlankCentre) {
    display::RecordingSurface dc;
    display::ShowAspectsAndOrbitsView(*FgrKelvo, dc);
    EXPECT_EQ(TextAt(dc, 5, 5)->text, "PLANETAIRE ASPECTEN");
    EXPECT_EQ(TextAt(dc, 5, 5)->colour, "#00FFFF");
    EXPECT_EQ(TextAt(dc, 62 + 19, 73)->text, "ASPECTEN & BANEN");
    // The centre blanked inside the house ring's outer radius + 2.5.
    const display::Point a = display::MapPoint(50.5L, 50.5L), b = display::MapPoint(149.5L, 149.5L);
    ASSERT_FALSE(dc.Calls("ellipse").empty());
    EXPECT_EQ(dc.Calls("ellipse").front().rfind("ellipse " + std::to_string(a.x) + "," + std::to_string(a.y) + " " +
                                                    std::to_string(b.x) + "," + std::to_string(b.y),
                                                0),
              0u);
    // Sun-Mercury (4.75): a conjunction, 05, in cell (1, 3); corner (62 + 5, 73 + 4).
    EXPECT_EQ(TextAt(dc, 62 + 5 + 5, 73 + 4 + 2)->text, "05");
    // The nodes: an opposition, 00.
    EXPECT_EQ(TextAt(dc, 62 + 61 + 5, 73 + 34 + 2)->text, "00");
    // The natal chart went to the window: its data fields are filled.
    EXPECT_EQ(gui::FromQt(FgrKelvo->EdDomif->text()), "PLACIDO");
}

TEST_F(ChartViews, ClothViewsCountTheFixedPerson) {
    // Sun, Mercury Aries; Moon Taurus; Venus Pisces; Mars Leo; Jupiter Libra; Saturn Capricorn.
    display::RecordingSurface dc;
    display::DrawElementalDoek(*FgrKelvo, dc, 102, 104);
    EXPECT_EQ(TextAt(dc, 88, 90)->text, "2");        // salt, fire
    EXPECT_EQ(TextAt(dc, 88, 90 + 28)->text, "3");   // salt total
    EXPECT_EQ(TextAt(dc, 88 + 21, 90)->text, "3");   // fire total
    EXPECT_EQ(TextAt(dc, 88 + 14, 90 + 21)->text, "1");  // mercury, water: Venus in Pisces

    display::RecordingSurface humoral;
    display::DrawHumoralAttribution(*FgrKelvo, humoral, 104, 100);
    const long double L = 104 - 27, T = 100 - 15;
    int sum = 0;
    const char* expected[5] = {"", "4", "2", "3", "5"};  // hot, moist, cold, dry
    for (int b = 1; b <= 4; ++b) {
        const auto t = TextAt(humoral, L + 34, T + 7 * (b - 1) + 1);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->text, expected[b]) << b;
        sum += std::stoi(t->text);
    }
    EXPECT_EQ(sum, 14);

    display::RecordingSurface seasonal;
    display::DrawSeasonalHumoralAttribution(*FgrKelvo, seasonal, 104, 100);
    EXPECT_EQ(TextAt(seasonal, L + 20, T + 1)->text, "3");  // air: Aries twice and Taurus
    EXPECT_EQ(TextAt(seasonal, L + 34, T + 8)->text, "5");  // moist
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
}

TEST_F(ChartViews, BackardsClosesTheWindowWithOnePressAfterAnyView) {
    // The dominant-planet view recomputes the chart; the person's chart comes back after it.
    display::SetCurrentChartReloader([] {
        for (int i = 1; i <= 11; ++i) engine::Chart.PlanetLongitudes[i] = wheel_test::kPoints[i];
        for (int i = 1; i <= 12; ++i) engine::Chart.HouseCusps[i] = wheel_test::kCusps[i];
    });
    auto reopen = [] {
        display::OpenChartWindow();
        while (FgrKelvo->Timer1->isActive()) FgrKelvo->Timer1Timer();
        ASSERT_TRUE(FgrKelvo->isVisible());
    };
    FgrKelvo->BBvolguineClick();
    ASSERT_TRUE(KelvoState.VolguineViewActive);
    const display::Point sun = display::MapPoint(display::Wheel.PlanetGlyphX[1], display::Wheel.PlanetGlyphY[1]);
    FgrKelvo->FormMouseDown(sun.x, sun.y);  // ignored over the reduced wheel
    EXPECT_EQ(KelvoState.ClickedBody, 0);
    FgrKelvo->BBprivato->click();
    EXPECT_FALSE(FgrKelvo->isVisible());
    // Opened again, the natal wheel answers to clicks.
    reopen();
    EXPECT_FALSE(KelvoState.VolguineViewActive);
    const display::Point sunAgain =
        display::MapPoint(display::Wheel.PlanetGlyphX[1], display::Wheel.PlanetGlyphY[1]);
    FgrKelvo->FormMouseDown(sunAgain.x, sunAgain.y);
    EXPECT_EQ(KelvoState.ClickedBody, 1);

    // Every view button's view, then one press closes.
    for (QPushButton* view : {FgrKelvo->BBcoordi, FgrKelvo->BBstoffa, FgrKelvo->BBarchetip, FgrKelvo->BBaspetti}) {
        view->click();
        FgrKelvo->BBprivato->click();
        EXPECT_FALSE(FgrKelvo->isVisible()) << view->objectName().toStdString();
        reopen();
    }
    // Escape and Enter press it too, wherever the keyboard focus is.
    FgrKelvo->BBaspetti->click();
    QTest::keyClick(FgrKelvo->EdData, Qt::Key_Escape);
    EXPECT_FALSE(FgrKelvo->isVisible());
    reopen();
    FgrKelvo->BBcoordi->click();
    QTest::keyClick(FgrKelvo->MemoAspetti, Qt::Key_Return);
    EXPECT_FALSE(FgrKelvo->isVisible());
    reopen();
    // Enter on a view button with the focus presses that button instead.
    FgrKelvo->BBstoffa->setFocus();
    QTest::keyClick(FgrKelvo->BBstoffa, Qt::Key_Enter);
    EXPECT_TRUE(FgrKelvo->isVisible());
    EXPECT_EQ(KelvoState.ViewCycle[display::kViewCloth], 1);
    display::SetCurrentChartReloader({});
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
}

TEST_F(ChartViews, FourthClickOnAPlanetDrawsItsAntisciaLines) {
    const display::Point sun = display::MapPoint(display::Wheel.PlanetGlyphX[1], display::Wheel.PlanetGlyphY[1]);
    for (int i = 0; i < 4; ++i) {
        FgrKelvo->FormMouseDown(sun.x, sun.y);
        FgrKelvo->FormMouseUp();
    }
    // Sun 15.25 and its antiscion 344.75, placed at 15 and 345 with the Ascendant 100.5 taken
    // as 100: (97, 61) and (116, 65) on the circle of radius 39; the cyan chord joins them.
    const QImage image = FgrKelvo->Snapshot();
    image.save(QString::fromStdString((std::filesystem::temp_directory_path() / "kelvor_antiscia_click.png").string()));
    auto cyanNear = [&image](long double x, long double y) {
        const display::Point p = display::MapPoint(x, y);
        for (int dy = -2; dy <= 2; ++dy) {
            const QRgb c = image.pixel(p.x, p.y + dy);
            if (qRed(c) < 60 && qGreen(c) > 100 && qBlue(c) > 100) return true;
        }
        return false;
    };
    EXPECT_TRUE(cyanNear(106.5L, 63));
    EXPECT_TRUE(cyanNear(101.75L, 62));
    // The red chord to the contra-antiscion 164.75 (placed at 165: angle 295, (84, 135)).
    const display::Point mid = display::MapPoint((97 + 84) / 2.0L, (61 + 135) / 2.0L);
    bool red = false;
    for (int dx = -3; dx <= 3; ++dx) {
        const QRgb c = image.pixel(mid.x + dx, mid.y);
        red = red || (qRed(c) > 100 && qGreen(c) < 60 && qBlue(c) < 60);
    }
    EXPECT_TRUE(red);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
}

TEST_F(ChartViews, ViewRoutinesWriteTheirTitlesInCyan) {
    struct Titled {
        void (*show)(display::TFgrKelvo&, display::Surface&);
        std::string title, subtitle;
    };
    const Titled views[] = {
        {display::ShowAspectsAndOrbitsView, "PLANETAIRE ASPECTEN", ""},
        {display::ShowSphericalDistancesView, "SFERISCHE AFSTANDEN", ""},
        {display::ShowRelativeLongitudesView, "PLANETAIRE LENGTEGRADEN", "(Ten opzichte van het bezetteken)"},
        {display::ShowAbsoluteLongitudesView, "PLANETAIRE LENGTEGRADEN", "(Absolute, met 0 \xB0 Ram oorsprong)"},
        {display::ShowLatitudesView, "PLANETAIRE BREEDTEGRADEN", ""},
        {display::ShowMastersView, "MAESTRI \"ASC\", \"MC\", \"Ora Planetaria\"", ""},
        {display::ShowYearAndCycleRulersView, "MAESTRI dell'ANNO e del CICLO", ""},
        {[](display::TFgrKelvo& f, display::Surface& dc) { display::ShowAntisciaView(f, dc, 0); },
         "ANTISCE EN CONTRANTISCE", std::string(50, ' ')},
        {[](display::TFgrKelvo& f, display::Surface& dc) { display::ShowEnergyAffinitiesView(f, dc, 1); },
         "ENERGIE AFFINITEITEN", "(Magnetische en Solilunaire Relaties)"},
        {[](display::TFgrKelvo& f, display::Surface& dc) {
             display::ShowMajorAspectsView(f, dc, engine::Chart.PlanetLongitudes, 100, 100, 39, 1);
         },
         "PLANETAIRE ASPECTEN", "(Alleen grote aspecten) "},
    };
    for (const Titled& v : views) {
        display::RecordingSurface dc;
        v.show(*FgrKelvo, dc);
        const auto title = TextAt(dc, 5, 5);
        ASSERT_TRUE(title) << v.title;
        EXPECT_EQ(title->text, v.title);
        EXPECT_EQ(title->colour, "#00FFFF");
        const auto subtitle = TextAt(dc, 5, 10);
        EXPECT_EQ(subtitle ? subtitle->text : "", v.subtitle) << v.title;
    }
    // The masters titles are small (size code 15), the others large (2).
    display::RecordingSurface a, b;
    display::ShowMastersView(*FgrKelvo, a);
    display::ShowLatitudesView(*FgrKelvo, b);
    EXPECT_LT(std::abs(display::FontForCode(15)->height), std::abs(display::FontForCode(2)->height));
    EXPECT_NE(a.Calls("text").front().find("height=" + std::to_string(display::FontForCode(15)->height)),
              std::string::npos);
    EXPECT_NE(b.Calls("text").front().find("height=" + std::to_string(display::FontForCode(2)->height)),
              std::string::npos);
}

TEST_F(ChartViews, EveryViewIsDrawnAndSaved) {
    const auto dir = std::filesystem::temp_directory_path() / "kelvor_views";
    std::filesystem::create_directories(dir);
    struct Press {
        QPushButton* button;
        int count;
        const char* name;
    };
    const Press presses[] = {{FgrKelvo->BBcoordi, 3, "coordi"},     {FgrKelvo->BBstoffa, 4, "stoffa"},
                             {FgrKelvo->BBarchetip, 1, "archetip"}, {FgrKelvo->BBaspetti, 4, "aspetti"},
                             {FgrKelvo->BBEnergi, 3, "energi"},     {FgrKelvo->BBantisce, 4, "antisce"},
                             {FgrKelvo->BBdodecate, 1, "dodecate"}, {FgrKelvo->BBmaestri, 2, "maestri"},
                             {FgrKelvo->BBvolguine, 4, "volguine"}};
    for (const Press& p : presses)
        for (int i = 0; i < p.count; ++i) {
            // The disabled buttons' handlers run all the same.
            if (p.button->isEnabled())
                p.button->click();
            else
                QMetaObject::invokeMethod(p.button, "clicked");
            const QImage image = FgrKelvo->grab().toImage();
            image.save(QString::fromStdString((dir / (std::string(p.name) + std::to_string(i) + ".png")).string()));
            // Something is drawn in the chart square.
            int lit = 0;
            for (int y = display::MapY(10); y < display::MapY(190); y += 3)
                for (int x = display::MapX(10); x < display::MapX(190); x += 3)
                    if ((image.pixel(x, y) & 0xFFFFFF) != 0) ++lit;
            EXPECT_GT(lit, 200) << p.name << i;
        }
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
}

}  // namespace

namespace {

// What each press of a view button draws in the chart square is the drawing
// the button's sub-view of that press stands for: the square after the press
// is the same picture as the square cleared and drawn by that drawing itself.
TEST_F(ChartViews, EachPressOfAViewButtonDrawsItsOwnSubView) {
    using display::TFgrKelvo;
    using display::Surface;
    const long double cx = 100, cy = 100, r = 39;
    auto relative = [](TFgrKelvo& f, Surface& dc) { display::ShowRelativeLongitudesView(f, dc); };
    auto absolute = [](TFgrKelvo& f, Surface& dc) { display::ShowAbsoluteLongitudesView(f, dc); };
    auto latitudes = [](TFgrKelvo& f, Surface& dc) { display::ShowLatitudesView(f, dc); };
    auto elemental = [=](TFgrKelvo& f, Surface& dc) { display::DrawElementalDoek(f, dc, cx + 2, cy + 4); };
    auto humoral = [=](TFgrKelvo& f, Surface& dc) { display::DrawHumoralAttribution(f, dc, cx + 4, cy); };
    auto season = [=](TFgrKelvo& f, Surface& dc) { display::DrawSeasonDoek(f, dc, cx + 4, cy); };
    auto seasonal = [=](TFgrKelvo& f, Surface& dc) { display::DrawSeasonalHumoralAttribution(f, dc, cx + 4, cy); };
    auto lines = [=](TFgrKelvo& f, Surface& dc) {
        display::ShowMajorAspectsView(f, dc, engine::Chart.PlanetLongitudes, cx, cy, r, 1);
    };
    auto noLines = [=](TFgrKelvo& f, Surface& dc) {
        display::ShowMajorAspectsView(f, dc, engine::Chart.PlanetLongitudes, cx, cy, r, 0);
    };
    auto orbits = [](TFgrKelvo& f, Surface& dc) { display::ShowAspectsAndOrbitsView(f, dc); };
    auto distances = [](TFgrKelvo& f, Surface& dc) { display::ShowSphericalDistancesView(f, dc); };
    auto energy = [](int mode) {
        return [mode](TFgrKelvo& f, Surface& dc) { display::ShowEnergyAffinitiesView(f, dc, mode); };
    };
    auto antiscia = [](int mode) {
        return [mode](TFgrKelvo& f, Surface& dc) { display::ShowAntisciaView(f, dc, mode); };
    };
    auto masters = [](TFgrKelvo& f, Surface& dc) { display::ShowMastersView(f, dc); };
    auto rulers = [](TFgrKelvo& f, Surface& dc) { display::ShowYearAndCycleRulersView(f, dc); };
    using Drawing = std::function<void(TFgrKelvo&, Surface&)>;
    const struct {
        QPushButton* button;
        std::vector<Drawing> subViews;  // in the order of the presses
    } buttons[] = {
        {FgrKelvo->BBcoordi, {relative, absolute, latitudes}},
        {FgrKelvo->BBstoffa, {elemental, humoral, season, seasonal}},
        {FgrKelvo->BBaspetti, {lines, noLines, orbits, distances}},
        {FgrKelvo->BBEnergi, {energy(0), energy(1), energy(2)}},
        {FgrKelvo->BBantisce, {antiscia(0), antiscia(1), antiscia(2), antiscia(3)}},
        {FgrKelvo->BBmaestri, {masters, rulers}},
    };
    const QRect square(display::MapX(2), display::MapY(2), display::MapX(195) - display::MapX(2),
                       display::MapY(195) - display::MapY(2));
    for (const auto& b : buttons) {
        // Each press, and the first one again after the last.
        for (std::size_t press = 0; press <= b.subViews.size(); ++press) {
            if (b.button->isEnabled())
                b.button->click();
            else
                QMetaObject::invokeMethod(b.button, "clicked");  // a disabled button's handler
            const QImage pressed = FgrKelvo->Snapshot().copy(square);
            display::ClearChartArea(FgrKelvo->Canvas());
            b.subViews[press % b.subViews.size()](*FgrKelvo, FgrKelvo->Canvas());
            const QImage drawn = FgrKelvo->Snapshot().copy(square);
            EXPECT_TRUE(pressed == drawn) << b.button->objectName().toStdString() << " press " << press + 1;
        }
    }
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
}

}  // namespace
