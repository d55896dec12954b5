// The views of the chart window for the fixed person: what the view buttons
// show (the aspect list, the dignity glyphs of the archetypal structure) and
// the view routines' drawings over the natal chart, logged by a recording
// surface; every view of the window is also saved as a picture.
#include <gtest/gtest.h>

#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>

#include "archive/current_chart.h"
#include "display/chart/antiscia_lines.h"
#include "display/chart/antiscia_view.h"
#include "display/chart/antiscia_wheel.h"
#include "display/chart/archetype_view.h"
#include "display/chart/aspects_and_orbits.h"
#include "display/chart/aspects_view.h"
#include "display/chart/chart_window.h"
#include "display/chart/cloth_view.h"
#include "display/chart/cloths.h"
#include "display/chart/coordinate_tables.h"
#include "display/chart/coordinates_view.h"
#include "display/chart/dignity_table.h"
#include "display/chart/dodecatemoria_view.h"
#include "display/chart/energy_affinities.h"
#include "display/chart/energy_view.h"
#include "display/chart/humoral.h"
#include "display/chart/major_aspect_figure.h"
#include "display/chart/masters_view.h"
#include "display/chart/open_chart_window.h"
#include "display/chart/spherical_distances.h"
#include "display/chart/volguine_forces.h"
#include "display/chart/volguine_view.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/primitives.h"
#include "display/draw/recording_surface.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/wheel_reports.h"
#include "engine/position_text.h"
#include "engine/receptions.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/number_text.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace chart_views_test {

namespace {

using testing_support::ChartWindowOfTest;
using view_test::TextAt;

class ChartViews : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "Appoggio", "Scambi", "FilePosi", "OpzioneT", "OpzioneS"});
        delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
        testing_support::NatalWheelOfTest().fileErrors = {};
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        testing_support::EnsureChartWindowForTest()->resize(1920, 1080);
        testing_support::OpenChartWindowForTest();
        while (testing_support::ChartControl<QTimer>("Timer1")->isActive())
            testing_support::ChartWindowOfTest()->DrawWhenReady();
    }
    void TearDown() override {
        delete testing_support::ChartWindowOfTest();
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
    }
    static std::string TextOfMemo(QPlainTextEdit* m) { return gui::FromQt(m->toPlainText()); }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(ChartViews, AspectButtonListsTheMajorAspectsInTheMemo) {
    testing_support::ChartControl<QPushButton>("BBaspetti")->click();
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()));
    const std::string memo = TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti"));
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
    testing_support::ChartControl<QPushButton>("BBaspetti")->click();
    testing_support::ChartControl<QPushButton>("BBaspetti")->click();
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

TEST_F(ChartViews, CoordinatesAndDodecatemoriaListThePointsInTheirSegments) {
    testing_support::ChartControl<QPushButton>("BBcoordi")->click();
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()));
    std::string memo = TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti"));
    const auto terms = memo.find("PLANETEN IN DE TERMEN"), decans = memo.find("PLANETEN IN DE DECANS"),
               decades = memo.find("PLANETEN IN DE DECADE");
    EXPECT_EQ(terms, 0u);
    ASSERT_NE(decans, std::string::npos);
    ASSERT_NE(decades, std::string::npos);
    EXPECT_LT(decans, decades);
    // The other coordinate tables leave the memo's panel hidden.
    testing_support::ChartControl<QPushButton>("BBcoordi")->click();
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()));

    QMetaObject::invokeMethod(testing_support::ChartControl<QPushButton>("BBdodecate"),
                              "clicked");  // a disabled button's handler
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_TRUE(testing_support::ChartWindowOfTest()->State().dodecatemoriaMode);
    memo = TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti"));
    EXPECT_EQ(memo.find("DODECATEMORIEEN IN DE TERMEN"), 0u) << memo;
    EXPECT_NE(memo.find("DODECATEMORIEEN IN DE DECADE"), std::string::npos);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

TEST_F(ChartViews, ArchetypeButtonRecordsTheDignityGlyphs) {
    testing_support::ChartControl<QPushButton>("BBarchetip")->click();
    // Exalted: Sun (Aries), Moon (Taurus), Venus (Pisces); ruler: Saturn (Capricorn). Mars in
    // Leo stands in the Sun's box, Mercury in Aries above it; Jupiter in Libra in Venus's.
    const long double x0 = 100 + 6.5L - 6 * 4;
    EXPECT_EQ(testing_support::NatalWheelOfTest().dignityGlyphX[0], x0);
    EXPECT_EQ(testing_support::NatalWheelOfTest().dignityGlyphY[0], 118);
    EXPECT_EQ(testing_support::NatalWheelOfTest().dignityGlyphX[4], x0);
    EXPECT_EQ(testing_support::NatalWheelOfTest().dignityGlyphY[4], 111);
    EXPECT_EQ(testing_support::NatalWheelOfTest().dignityGlyphY[2], 104);
    EXPECT_EQ(testing_support::NatalWheelOfTest().dignityGlyphX[1], x0 + 13);
    EXPECT_EQ(testing_support::NatalWheelOfTest().dignityGlyphX[3], x0 + 26);
    EXPECT_EQ(testing_support::NatalWheelOfTest().dignityGlyphY[5], 111);
    EXPECT_EQ(testing_support::NatalWheelOfTest().dignityGlyphX[6], x0 + 39);
    // Another view clears them.
    testing_support::ChartControl<QPushButton>("BBstoffa")->click();
    EXPECT_EQ(testing_support::NatalWheelOfTest().dignityGlyphX[0], 0);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

TEST_F(ChartViews, AspectsAndOrbitsViewDrawsTitleGridAndBlankCentre) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const display::ChartViewShown shown =
        display::DrawAspectsView(dc, {.current = testing_support::CurrentChartOfTest(),
                                      .geometry = testing_support::WheelGeometryOfTest(),
                                      .wheel = testing_support::NatalWheelOfTest(),
                                      .subView = 2});
    EXPECT_EQ(TextAt(dc, 5, 5)->text, "PLANETAIRE ASPECTEN");
    EXPECT_EQ(TextAt(dc, 5, 5)->colour, "#00FFFF");
    EXPECT_EQ(TextAt(dc, 62 + 19, 73)->text, "ASPECTEN & BANEN");
    const display::Point a = display::MapPoint(testing_support::DrawingStateOfTest(), 50.5L, 50.5L),
                         b = display::MapPoint(testing_support::DrawingStateOfTest(), 149.5L, 149.5L);
    // The centre blanked inside the house ring's outer radius + 2.5, over the natal chart.
    ASSERT_FALSE(dc.Calls("ellipse").empty());
    EXPECT_EQ(dc.Calls("ellipse").back().rfind("ellipse " + std::to_string(a.x) + "," + std::to_string(a.y) + " " +
                                                   std::to_string(b.x) + "," + std::to_string(b.y),
                                               0),
              0u);
    EXPECT_GT(dc.Calls("ellipse").size(), 1u);
    // Sun-Mercury (4.75): a conjunction, 05, in cell (1, 3); corner (62 + 5, 73 + 4).
    EXPECT_EQ(TextAt(dc, 62 + 5 + 5, 73 + 4 + 2)->text, "05");
    // The nodes: an opposition, 00.
    EXPECT_EQ(TextAt(dc, 62 + 61 + 5, 73 + 34 + 2)->text, "00");
    // The natal chart was drawn under it: its data fields are for the window.
    ASSERT_TRUE(shown.dataFields);
    EXPECT_EQ(shown.dataFields->houseSystem, "PLACIDO");
    EXPECT_FALSE(shown.aspectMemo);
}

TEST_F(ChartViews, ClothViewsCountTheFixedPerson) {
    // Sun, Mercury Aries; Moon Taurus; Venus Pisces; Mars Leo; Jupiter Libra; Saturn Capricorn.
    // Placed from the wheel centre of the press, (100, 100).
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawClothView(dc, {.current = testing_support::CurrentChartOfTest(),
                                .geometry = testing_support::WheelGeometryOfTest(),
                                .wheel = testing_support::NatalWheelOfTest(),
                                .subView = 0});
    EXPECT_EQ(TextAt(dc, 88, 90)->text, "2");            // salt, fire
    EXPECT_EQ(TextAt(dc, 88, 90 + 28)->text, "3");       // salt total
    EXPECT_EQ(TextAt(dc, 88 + 21, 90)->text, "3");       // fire total
    EXPECT_EQ(TextAt(dc, 88 + 14, 90 + 21)->text, "1");  // mercury, water: Venus in Pisces

    display::RecordingSurface humoral{testing_support::DrawingStateOfTest()};
    display::DrawClothView(humoral, {.current = testing_support::CurrentChartOfTest(),
                                     .geometry = testing_support::WheelGeometryOfTest(),
                                     .wheel = testing_support::NatalWheelOfTest(),
                                     .subView = 1});
    const long double left = 104 - 27, top = 100 - 15;
    int sum = 0;
    const char* expected[5] = {"", "4", "2", "3", "5"};  // hot, moist, cold, dry
    for (int b = 1; b <= 4; ++b) {
        const auto t = TextAt(humoral, left + 34, top + 7 * (b - 1) + 1);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->text, expected[b]) << b;
        sum += std::stoi(t->text);
    }
    EXPECT_EQ(sum, 14);

    display::RecordingSurface seasonal{testing_support::DrawingStateOfTest()};
    display::DrawClothView(seasonal, {.current = testing_support::CurrentChartOfTest(),
                                      .geometry = testing_support::WheelGeometryOfTest(),
                                      .wheel = testing_support::NatalWheelOfTest(),
                                      .subView = 3});
    EXPECT_EQ(TextAt(seasonal, left + 20, top + 1)->text, "3");  // air: Aries twice and Taurus
    EXPECT_EQ(TextAt(seasonal, left + 34, top + 8)->text, "5");  // moist
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

TEST_F(ChartViews, BackardsClosesTheWindowWithOnePressAfterAnyView) {
    auto reopen = [] {
        testing_support::OpenChartWindowForTest();
        while (testing_support::ChartControl<QTimer>("Timer1")->isActive())
            testing_support::ChartWindowOfTest()->DrawWhenReady();
        ASSERT_TRUE(testing_support::ChartWindowOfTest()->isVisible());
    };
    QMetaObject::invokeMethod(testing_support::ChartControl<QPushButton>("BBvolguine"), "clicked");  // offered disabled
    ASSERT_TRUE(testing_support::ChartWindowOfTest()->State().volguineViewActive);
    const display::Point sun =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]);
    testing_support::ChartWindowOfTest()->PressAt(sun.x, sun.y);  // ignored over the reduced wheel
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().clickedBody, 0);
    testing_support::ChartControl<QPushButton>("BBprivato")->click();
    EXPECT_FALSE(testing_support::ChartWindowOfTest()->isVisible());
    // Opened again, the natal wheel answers to clicks.
    reopen();
    EXPECT_FALSE(testing_support::ChartWindowOfTest()->State().volguineViewActive);
    const display::Point sunAgain =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]);
    testing_support::ChartWindowOfTest()->PressAt(sunAgain.x, sunAgain.y);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().clickedBody, 1);

    // Every view button's view, then one press closes.
    for (QPushButton* view : {testing_support::ChartControl<QPushButton>("BBcoordi"),
                              testing_support::ChartControl<QPushButton>("BBstoffa"),
                              testing_support::ChartControl<QPushButton>("BBarchetip"),
                              testing_support::ChartControl<QPushButton>("BBaspetti")}) {
        view->click();
        testing_support::ChartControl<QPushButton>("BBprivato")->click();
        EXPECT_FALSE(testing_support::ChartWindowOfTest()->isVisible()) << view->objectName().toStdString();
        reopen();
    }
    // Escape and Enter press it too, wherever the keyboard focus is.
    testing_support::ChartControl<QPushButton>("BBaspetti")->click();
    QTest::keyClick(testing_support::ChartControl<QLineEdit>("EdData"), Qt::Key_Escape);
    EXPECT_FALSE(testing_support::ChartWindowOfTest()->isVisible());
    reopen();
    testing_support::ChartControl<QPushButton>("BBcoordi")->click();
    QTest::keyClick(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti"), Qt::Key_Return);
    EXPECT_FALSE(testing_support::ChartWindowOfTest()->isVisible());
    reopen();
    // Enter on a view button with the focus presses that button instead.
    testing_support::ChartControl<QPushButton>("BBstoffa")->setFocus();
    QTest::keyClick(testing_support::ChartControl<QPushButton>("BBstoffa"), Qt::Key_Enter);
    EXPECT_TRUE(testing_support::ChartWindowOfTest()->isVisible());
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().ViewCycle(display::kViewCloth), 1);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

TEST_F(ChartViews, FourthClickOnAPlanetDrawsItsAntisciaLines) {
    const display::Point sun =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]);
    for (int i = 0; i < 4; ++i) {
        testing_support::ChartWindowOfTest()->PressAt(sun.x, sun.y);
        testing_support::ChartWindowOfTest()->RestoreGlyphRings();
    }
    // Sun 15.25 and its antiscion 344.75, placed at 15 and 345 with the Ascendant 100.5 taken
    // as 100: (97, 61) and (116, 65) on the circle of radius 39; the cyan chord joins them.
    const QImage image = testing_support::ChartWindowOfTest()->Snapshot();
    image.save(QString::fromStdString((std::filesystem::temp_directory_path() / "kelvor_antiscia_click.png").string()));
    auto cyanNear = [&image](long double x, long double y) {
        const display::Point p = display::MapPoint(testing_support::DrawingStateOfTest(), x, y);
        for (int dy = -2; dy <= 2; ++dy) {
            const QRgb c = image.pixel(p.x, p.y + dy);
            if (qRed(c) < 60 && qGreen(c) > 100 && qBlue(c) > 100) return true;
        }
        return false;
    };
    EXPECT_TRUE(cyanNear(106.5L, 63));
    EXPECT_TRUE(cyanNear(101.75L, 62));
    // The red chord to the contra-antiscion 164.75 (placed at 165: angle 295, (84, 135)).
    const display::Point mid =
        display::MapPoint(testing_support::DrawingStateOfTest(), (97 + 84) / 2.0L, (61 + 135) / 2.0L);
    bool red = false;
    for (int dx = -3; dx <= 3; ++dx) {
        const QRgb c = image.pixel(mid.x + dx, mid.y);
        red = red || (qRed(c) > 100 && qGreen(c) < 60 && qBlue(c) < 60);
    }
    EXPECT_TRUE(red);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

TEST_F(ChartViews, ViewRoutinesWriteTheirTitlesInCyan) {
    struct Titled {
        display::ChartViewRoutine draw;
        int subView;
        std::string title, subtitle;
    };
    const Titled views[] = {
        {display::DrawAspectsView, 2, "PLANETAIRE ASPECTEN", ""},
        {display::DrawAspectsView, 3, "SFERISCHE AFSTANDEN", ""},
        {display::DrawCoordinatesView, 0, "PLANETAIRE LENGTEGRADEN", "(Ten opzichte van het bezetteken)"},
        {display::DrawCoordinatesView, 1, "PLANETAIRE LENGTEGRADEN", "(Absolute, met 0 \xB0 Ram oorsprong)"},
        {display::DrawCoordinatesView, 2, "PLANETAIRE BREEDTEGRADEN", ""},
        {display::DrawMastersView, 0, "MAESTRI \"ASC\", \"MC\", \"Ora Planetaria\"", ""},
        {display::DrawMastersView, 1, "MAESTRI dell'ANNO e del CICLO", ""},
        {display::DrawAntisciaView, 0, "ANTISCE EN CONTRANTISCE", std::string(50, ' ')},
        {display::DrawEnergyView, 1, "ENERGIE AFFINITEITEN", "(Magnetische en Solilunaire Relaties)"},
        {display::DrawAspectsView, 0, "PLANETAIRE ASPECTEN", "(Alleen grote aspecten) "},
        {display::DrawClothView, 0, "ELEMENTAIRE DOEK", "(Psychosomatisch niveau)"},
        {display::DrawClothView, 1, "HUMORALE ATTRIBUTIE", "(Elementair)"},
        {display::DrawClothView, 2, "SEIZOEN DOEK", "(Somatopsychisch niveau)"},
        {display::DrawClothView, 3, "HUMORALE ATTRIBUTIE", "(Seizoensgebonden)"},
    };
    for (const Titled& v : views) {
        display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
        v.draw(dc, {.current = testing_support::CurrentChartOfTest(),
                    .geometry = testing_support::WheelGeometryOfTest(),
                    .wheel = testing_support::NatalWheelOfTest(),
                    .subView = v.subView});
        const auto title = TextAt(dc, 5, 5);
        ASSERT_TRUE(title) << v.title;
        EXPECT_EQ(title->text, v.title);
        EXPECT_EQ(title->colour, "#00FFFF");
        const auto subtitle = TextAt(dc, 5, 10);
        EXPECT_EQ(subtitle ? subtitle->text : "", v.subtitle) << v.title;
    }
    // The masters titles are small (size code 15), the others large (2).
    display::RecordingSurface a{testing_support::DrawingStateOfTest()}, b{testing_support::DrawingStateOfTest()};
    display::DrawMastersView(a, {.current = testing_support::CurrentChartOfTest(),
                                 .geometry = testing_support::WheelGeometryOfTest(),
                                 .wheel = testing_support::NatalWheelOfTest(),
                                 .subView = 0});
    display::DrawCoordinatesView(b, {.current = testing_support::CurrentChartOfTest(),
                                     .geometry = testing_support::WheelGeometryOfTest(),
                                     .wheel = testing_support::NatalWheelOfTest(),
                                     .subView = 2});
    EXPECT_LT(std::abs(display::FontForCode(testing_support::DrawingStateOfTest(), 15)->height),
              std::abs(display::FontForCode(testing_support::DrawingStateOfTest(), 2)->height));
    EXPECT_NE(a.Calls("text").front().find(
                  "height=" + std::to_string(display::FontForCode(testing_support::DrawingStateOfTest(), 15)->height)),
              std::string::npos);
    EXPECT_NE(b.Calls("text").front().find(
                  "height=" + std::to_string(display::FontForCode(testing_support::DrawingStateOfTest(), 2)->height)),
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
    const display::ChartWindow& w = *testing_support::ChartWindowOfTest();
    const Press presses[] = {{testing_support::ControlOf<QPushButton>(w, "BBcoordi"), 3, "coordi"},
                             {testing_support::ControlOf<QPushButton>(w, "BBstoffa"), 4, "stoffa"},
                             {testing_support::ControlOf<QPushButton>(w, "BBarchetip"), 1, "archetip"},
                             {testing_support::ControlOf<QPushButton>(w, "BBaspetti"), 4, "aspetti"},
                             {testing_support::ControlOf<QPushButton>(w, "BBEnergi"), 3, "energi"},
                             {testing_support::ControlOf<QPushButton>(w, "BBantisce"), 4, "antisce"},
                             {testing_support::ControlOf<QPushButton>(w, "BBdodecate"), 1, "dodecate"},
                             {testing_support::ControlOf<QPushButton>(w, "BBmaestri"), 2, "maestri"},
                             {testing_support::ControlOf<QPushButton>(w, "BBvolguine"), 4, "volguine"}};
    for (const Press& p : presses)
        for (int i = 0; i < p.count; ++i) {
            // The disabled buttons' handlers run all the same.
            if (p.button->isEnabled())
                p.button->click();
            else
                QMetaObject::invokeMethod(p.button, "clicked");
            const QImage image = testing_support::ChartWindowOfTest()->grab().toImage();
            image.save(QString::fromStdString((dir / (std::string(p.name) + std::to_string(i) + ".png")).string()));
            // Something is drawn in the chart square.
            int lit = 0;
            for (int y = display::MapY(testing_support::DrawingStateOfTest(), 10);
                 y < display::MapY(testing_support::DrawingStateOfTest(), 190); y += 3)
                for (int x = display::MapX(testing_support::DrawingStateOfTest(), 10);
                     x < display::MapX(testing_support::DrawingStateOfTest(), 190); x += 3)
                    if ((image.pixel(x, y) & 0xFFFFFF) != 0) ++lit;
            EXPECT_GT(lit, 200) << p.name << i;
        }
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

}  // namespace


namespace {

// Where two recordings part: "" when they are the same, else the first call
// that differs in each.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string x = i < a.size() ? a[i] : "(end)", y = i < b.size() ? b[i] : "(end)";
        if (x != y) return "call " + std::to_string(i) + ": " + x + " | " + y;
    }
    return "";
}

// A recording surface that starts with the attributes of another surface.
void StartAs(display::RecordingSurface& dc, const display::SurfaceState& s) {
    dc.SelectPen(s.pen);
    dc.SelectBrush(s.brush);
    dc.SelectFont(s.font);
    dc.SetTextAlign(s.textAlign);
    dc.SetTextColor(s.textColor);
    dc.SetBkColor(s.bkColor);
    dc.SetBkMode(s.bkMode);
    dc.SetPolyFillMode(s.polyFillMode);
    dc.MoveTo(s.position);
    dc.Clear();
}

// The shapes and texts a recording draws, without the tools they are drawn with.
std::vector<std::string> Shapes(const std::vector<std::string>& log) {
    std::vector<std::string> out;
    for (const std::string& l : log) {
        const std::string word = l.substr(0, l.find(' '));
        if (word == "text") {
            out.push_back(l.substr(0, l.find(' ', 5)) + " " + l.substr(l.find('\'')));
        } else if (word == "line" || word == "rectangle" || word == "ellipse" || word == "arc" || word == "polygon" ||
                   word == "polyline" || word == "metafile" || word == "fillrect") {
            out.push_back(l.substr(0, std::min(l.find(" pen="), std::min(l.find(" winding"), l.find(" alternate")))));
        }
    }
    return out;
}

// What each sub-view shows over its wheel, drawn last: the content of the view.
void DrawContent(display::Surface& dc, int view, int sub) {
    using namespace display;
    archive::CurrentChart& current = testing_support::CurrentChartOfTest();
    const WheelPointArray longitudes = WheelPointLongitudes(current.chart);
    const engine::Chart placidus = PlacidusChartOf(current);
    const auto variant = sub == 1 ? HumoralVariant::Elemental : HumoralVariant::Seasonal;
    switch (view * 10 + sub) {
        case 10: DrawRelativeLongitudes(dc, current.chart); break;
        case 11: DrawAbsoluteLongitudes(dc, current.chart); break;
        case 12: DrawLatitudes(dc, current.chart); break;
        case 20:
            DrawElementalClothGrid(dc, EvaluateElementalCloth(testing_support::CurrentChartOfTest().chart), {102, 104},
                                   {100, 100});
            break;
        case 22:
            DrawSeasonClothGrid(dc, EvaluateSeasonCloth(testing_support::CurrentChartOfTest().chart), {104, 100},
                                {100, 100});
            break;
        case 21:
        case 23:
            DrawHumoralGrid(dc, EvaluateHumoralAttribution(testing_support::CurrentChartOfTest().chart, variant),
                            variant, {104, 100}, {100, 100});
            break;
        case 30: DrawDignityTable(dc, engine::ComputeReceptions(current.chart)); break;
        case 40:
        case 41:
            DrawMajorAspectGrid(dc, current, longitudes, sub == 0 ? 1 : 0, {.centre = {100, 100}, .radius = 39}, false);
            break;
        case 42:
            DrawAspectsAndOrbits(dc,
                                 EvaluateAspectsAndOrbits(testing_support::CurrentChartOfTest().chart,
                                                          testing_support::CurrentChartOfTest().orbs),
                                 " ", 62, 73);
            break;
        case 43: DrawSphericalDistanceGrid(dc, current, longitudes, 58, 72); break;
        case 70: RectangleScaled(dc, 195, 2, 279, 195); break;
        case 80: DrawEngineOrderLongitudes(dc, placidus); break;
        case 81:
        case 82:
            DrawMajorAspectGrid(dc, current, AspectFigureLongitudes(placidus), sub == 1 ? 1 : 0,
                                {.centre = {100, 100}, .radius = 43}, true);
            break;
        case 83: DrawVolguineForces(dc, placidus, 68, 78); break;
        case 90: DrawMastersTable(dc, testing_support::ChartWindowOfTest()->BirthHour(), current.chart); break;
        case 91: DrawYearAndCycleRulers(dc, current.chart); break;
        default:
            if (view == kViewEnergy)
                DrawEnergyAffinities(dc, testing_support::NatalWheelOfTest().signMidpoints, current.chart.cusps[1], sub,
                                     {.centre = {100, 100}, .radius = 39});
            if (view == kViewAntiscia)
                DrawAntisciaWheel(dc, testing_support::NatalWheelOfTest().signMidpoints, current.chart.cusps[1], sub,
                                  {.centre = {100, 100}, .radius = 39});
            break;
    }
}

std::string HelpText(int n) {
    std::string text;
    for (const std::string& l : display::ReadHelpEntry(n)) text += (text.empty() ? "" : "\n") + l;
    return text;
}

std::string JoinedLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += (out.empty() ? "" : "\n") + l;
    return out;
}

// Every view button, pressed through each of its sub-views and on to the first
// again (the disabled ones through their clicked signal): the press draws on
// the window exactly what the button's own view routine draws for the sub-view
// of that press on a cleared chart square, and the window shows what the
// routine returns and the help text of that sub-view. Each button's caption,
// enabling, place and cycle are its own.
TEST_F(ChartViews, EachPressOfAViewButtonDrawsItsOwnSubView) {
    struct Button {
        QPushButton* button;
        int view;             // the index of its sub-view cycle
        const char* caption;  // UTF-8
        bool enabled;
        int column, line;  // its place among the view buttons
        display::ChartViewRoutine draw;
        void (*prepare)(const archive::CurrentChart&);
        bool reducedWheel;
        std::vector<int> help;  // of each sub-view, in the order of the presses
    };
    using namespace display;
    const ChartWindow& w = *testing_support::ChartWindowOfTest();
    const Button buttons[] = {
        {testing_support::ControlOf<QPushButton>(w, "BBcoordi"),
         1,
         "Planetaire Coördinaten",
         true,
         0,
         0,
         DrawCoordinatesView,
         nullptr,
         false,
         {2, 3, 4}},
        {testing_support::ControlOf<QPushButton>(w, "BBstoffa"),
         2,
         "Grondwet (Doek)",
         true,
         1,
         0,
         DrawClothView,
         nullptr,
         false,
         {5, 6, 7, 8}},
        {testing_support::ControlOf<QPushButton>(w, "BBarchetip"),
         3,
         "Archetipische Structuur",
         true,
         0,
         1,
         DrawArchetypeView,
         PrepareArchetypeView,
         false,
         {9}},
        {testing_support::ControlOf<QPushButton>(w, "BBaspetti"),
         4,
         "Planetaire Aspecten",
         true,
         1,
         1,
         DrawAspectsView,
         nullptr,
         false,
         {10, 24, 25, 26}},
        {testing_support::ControlOf<QPushButton>(w, "BBEnergi"),
         5,
         "Energie-Affiniteiten",
         false,
         0,
         2,
         DrawEnergyView,
         nullptr,
         false,
         {11, 12, 13}},
        {testing_support::ControlOf<QPushButton>(w, "BBantisce"),
         6,
         "Antisce en Contrantisce",
         false,
         1,
         2,
         DrawAntisciaView,
         nullptr,
         false,
         {14, 15, 16, 17}},
        {testing_support::ControlOf<QPushButton>(w, "BBdodecate"),
         7,
         "Dodecatemorieen",
         false,
         0,
         3,
         DrawDodecatemoriaView,
         nullptr,
         false,
         {18}},
        {testing_support::ControlOf<QPushButton>(w, "BBvolguine"),
         8,
         "Volguine Dominant",
         false,
         1,
         3,
         DrawVolguineView,
         PrepareVolguineView,
         true,
         {19, 20, 27, 21}},
        {testing_support::ControlOf<QPushButton>(w, "BBmaestri"),
         9,
         "Mesters",
         false,
         0,
         4,
         DrawMastersView,
         nullptr,
         false,
         {22, 23}},
    };
    const long double lines[5] = {3, 8.5L, 14, 19.5L, 25};
    auto px = [](long double units) {
        return static_cast<int>(rt::Round(units / testing_support::ChartWindowOfTest()->State().layoutScaleX));
    };
    auto py = [](long double units) {
        return static_cast<int>(rt::Round(units / testing_support::ChartWindowOfTest()->State().layoutScaleY));
    };
    // The panel's buttons: the views' in the order of the table, then "Backards" and the font size.
    const QList<QPushButton*> panelButtons =
        testing_support::ControlOf<QFrame>(w, "PanelPulsanti")->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(static_cast<std::size_t>(panelButtons.size()), std::size(buttons) + 2);
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        const Button& b = buttons[i];
        const std::string name = b.button->objectName().toStdString();
        EXPECT_EQ(panelButtons[static_cast<qsizetype>(i)], b.button) << name;
        EXPECT_EQ(b.button->text(), QString::fromUtf8(b.caption)) << name;
        EXPECT_EQ(b.button->isEnabled(), b.enabled) << name;
        EXPECT_EQ(b.button->y(), py(lines[b.line])) << name;
        EXPECT_EQ(b.button->x(), b.column == 0 ? px(3)
                                               : testing_support::ControlOf<QFrame>(w, "PanelPulsanti")->width() -
                                                     b.button->width() - px(3))
            << name;
        const int n = static_cast<int>(b.help.size());
        EXPECT_EQ(SubViewCount(b.view), n) << name;
        for (int press = 0; press <= n; ++press) {
            const int sub = press % n;
            const std::string what = name + " press " + std::to_string(press + 1);
            const SurfaceState canvas = testing_support::ChartWindowOfTest()->Canvas().State();
            RecordingSurface pressed{testing_support::DrawingStateOfTest()};
            testing_support::ChartWindowOfTest()->SetRecorder(&pressed);
            if (b.button->isEnabled())
                b.button->click();
            else
                QMetaObject::invokeMethod(b.button, "clicked");
            testing_support::ChartWindowOfTest()->SetRecorder(nullptr);
            const std::string help = TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo1"));
            const bool aspectPanel =
                testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest());
            const std::string aspectMemo = TextOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti"));
            const std::string name0 = gui::FromQt(testing_support::ChartControl<QLineEdit>("EdNome")->text());
            testing_support::ChartControl<QLineEdit>("EdNome")->clear();  // refilled by the next natal chart
            EXPECT_EQ(testing_support::ChartWindowOfTest()->State().ViewCycle(b.view), (sub + 1) % n) << what;
            EXPECT_EQ(testing_support::ChartWindowOfTest()->State().volguineViewActive, b.reducedWheel) << what;

            // The sub-view drawn by the button's own routine.
            if (b.prepare) b.prepare(testing_support::CurrentChartOfTest());
            RecordingSurface drawn{testing_support::DrawingStateOfTest()};
            StartAs(drawn, canvas);
            ClearChartArea(drawn, testing_support::NatalWheelOfTest());
            const ChartViewShown shown =
                b.draw(drawn, {.current = testing_support::CurrentChartOfTest(),
                               .geometry = testing_support::WheelGeometryOfTest(),
                               .wheel = testing_support::NatalWheelOfTest(),
                               .subView = sub,
                               .framed = testing_support::ChartWindowOfTest()->FramesWheel(),
                               .birthHour = testing_support::ChartWindowOfTest()->BirthHour()});
            // Its content last, as the content's own routine draws it for that sub-view.
            RecordingSurface content{testing_support::DrawingStateOfTest()};
            DrawContent(content, b.view, sub);
            EXPECT_GT(drawn.log.size(), 20u) << what;
            EXPECT_EQ(FirstDifference(pressed.log, drawn.log), "") << what;
            const std::vector<std::string> all = Shapes(pressed.log), last = Shapes(content.log);
            ASSERT_FALSE(last.empty()) << what;
            ASSERT_GE(all.size(), last.size());
            EXPECT_EQ(FirstDifference(std::vector<std::string>(all.end() - static_cast<long>(last.size()), all.end()),
                                      last),
                      "")
                << what;
            EXPECT_EQ(help, HelpText(b.help[sub])) << what;
            EXPECT_EQ(aspectPanel, shown.aspectMemo.has_value()) << what;
            if (shown.aspectMemo) {
                EXPECT_EQ(aspectMemo, JoinedLines(*shown.aspectMemo)) << what;
            }
            EXPECT_EQ(name0, shown.dataFields ? shown.dataFields->name : "") << what;
            EXPECT_EQ(testing_support::ChartWindowOfTest()->State().dodecatemoriaMode, shown.dodecatemoriaWheel)
                << what;
        }
    }
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

// Over the dodecatemoria wheel the mirror lines of a clicked planet end on its
// inner circle, 7 units inside the house ring's.
// Every view reads the person's chart and birth data and leaves them as they
// were: a view that needs another chart (the dominant planets' Placidus chart)
// computes its own, the receptions of the archetypal structure are the view's,
// and the name the natal wheel shows without its padding stays padded.
TEST_F(ChartViews, EveryViewLeavesThePersonAsItWas) {
    archive::CurrentChart& current = testing_support::CurrentChartOfTest();
    current.birth.subjectName = "ROSSI MARIA" + std::string(27, ' ');
    const archive::CurrentChart before = current;
    for (const display::ChartViewRow& row : display::ChartViewRows()) {
        QPushButton* button = testing_support::ChartControl<QPushButton>(row.name);
        for (std::size_t press = 0; press < row.help.size(); ++press) QMetaObject::invokeMethod(button, "clicked");
    }
    EXPECT_EQ(current.birth.subjectName, before.birth.subjectName);
    EXPECT_TRUE(current == before);
}

TEST_F(ChartViews, AfterTheDodecatemoriaViewAClickedPlanetsMirrorLinesEndFurtherIn) {
    QMetaObject::invokeMethod(testing_support::ChartControl<QPushButton>("BBdodecate"), "clicked");  // offered disabled
    const display::Point sun =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]);
    for (int i = 0; i < 3; ++i) {
        testing_support::ChartWindowOfTest()->PressAt(sun.x, sun.y);
        testing_support::ChartWindowOfTest()->RestoreGlyphRings();
    }
    display::RecordingSurface fourth{testing_support::DrawingStateOfTest()};
    testing_support::ChartWindowOfTest()->SetRecorder(&fourth);
    testing_support::ChartWindowOfTest()->PressAt(sun.x, sun.y);
    testing_support::ChartWindowOfTest()->SetRecorder(nullptr);
    display::RecordingSurface inner{testing_support::DrawingStateOfTest()},
        outer{testing_support::DrawingStateOfTest()};
    display::DrawAntisciaOfClicked(inner, testing_support::CurrentChartOfTest().chart,
                                   testing_support::NatalWheelOfTest(), {.index = 1, .kind = "Pia"}, {100, 100}, true);
    display::DrawAntisciaOfClicked(outer, testing_support::CurrentChartOfTest().chart,
                                   testing_support::NatalWheelOfTest(), {.index = 1, .kind = "Pia"}, {100, 100}, false);
    const std::vector<std::string> all = Shapes(fourth.log), last = Shapes(inner.log);
    ASSERT_GE(all.size(), last.size());
    EXPECT_EQ(FirstDifference(std::vector<std::string>(all.end() - static_cast<long>(last.size()), all.end()), last),
              "");
    EXPECT_NE(Shapes(outer.log), last);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

}  // namespace

}  // namespace chart_views_test
