// The plants panel of the chart window with the sample signature database:
// the symptoms and signatures of a chosen plant, the spin button, the font and
// height buttons, closing, and missing lists; screenshots of the texts and the
// panel for a look.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

#include "display/chart/plants_panel.h"
#include "platform/runtime/number_text.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/chart/click_fixture.h"
#include "tests/display/chart/view_test_support.h"

namespace {

using click_test::ClickedWindow;
using testing_support::ChartWindowOfTest;

class PlantsPanel : public ClickedWindow {
protected:
    void SetUp() override {
        ClickedWindow::SetUp();
        ClickBody(1);
        ClickBody(1);  // the plants of the Sun
    }
    static int PY(long double units) {
        return static_cast<int>(rt::Round(units / testing_support::ChartWindowOfTest()->State().layoutScaleY));
    }
    static std::string ComboText() {
        return gui::FromQt(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->currentText());
    }
};

TEST_F(PlantsPanel, APlantShowsEverySymptomItGovernsAndItsSignatures) {
    testing_support::ChartControl<QComboBox>("ComboBoxPiante")->setCurrentIndex(1);
    testing_support::PlantsPanelOfTest().ShowChosenPlant();
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().selectedPlantIndex, 1);
    // Calendula stands in three records of the sample database, in this order.
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo3")),
              (std::vector<std::string>{"SYMPTOMEN BEHEERSBAAR met ", "Calendula", "Kleine wonden en schaafwonden",
                                        "Lichte brandwonden en zonnebrand", "Ontstoken tandvlees"}));
    const auto signatures = LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo4"));
    ASSERT_EQ(signatures.size(), 5u);
    EXPECT_EQ(signatures[0], "PLANT: Calendula");
    EXPECT_EQ(signatures[1], "PRIMAIRE SIGNATUUR: sole");
    EXPECT_EQ(signatures[2], "SECUNDAIRE SIGNATUUR: marte");
    EXPECT_EQ(signatures[3], "ZODIAC SIGNATUUR: leone");
    EXPECT_EQ(signatures[4].substr(0, 38), "SPSYCHISCHE SYNTHESE: Warmte die heelt");

    // A name no record carries: the two heading lines, no signatures.
    testing_support::ChartControl<QComboBox>("ComboBoxPiante")->addItem("Onbekend");
    testing_support::PlantsPanelOfTest().ShowRemedySymptoms(
        testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count() - 1);
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo3")),
              (std::vector<std::string>{"SYMPTOMEN BEHEERSBAAR met ", "Onbekend"}));
    EXPECT_TRUE(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo4")).empty());
}

TEST_F(PlantsPanel, TheSpinButtonStepsThroughThePlantsAndStopsAtTheEnds) {
    // Activation left no plant selected: the first step down shows the first.
    testing_support::ChartControl<QScrollBar>("SpinButton1")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().selectedPlantIndex, 0);
    EXPECT_EQ(ComboText(), "Angelica");
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo3"))[2], "Gebrek aan eetlust");
    for (int i = 0; i < 6; ++i) testing_support::PlantsPanelOfTest().NextPlant();
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().selectedPlantIndex, 6);
    EXPECT_EQ(ComboText(), "Rosmarinus");
    QElapsedTimer clock;
    clock.start();
    testing_support::PlantsPanelOfTest().NextPlant();  // the last entry: it stays, after a pause
    EXPECT_GE(clock.elapsed(), 140);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().selectedPlantIndex, 6);
    EXPECT_EQ(ComboText(), "Rosmarinus");
    testing_support::ChartControl<QScrollBar>("SpinButton1")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(ComboText(), "Juniperus");
    for (int i = 0; i < 8; ++i) testing_support::PlantsPanelOfTest().PreviousPlant();
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().selectedPlantIndex, 0);
    EXPECT_EQ(ComboText(), "Angelica");
    EXPECT_EQ(testing_support::ChartControl<QScrollBar>("SpinButton1")->value(),
              1);  // back in the middle, both arrows live
}

TEST_F(PlantsPanel, FontHeightAndCloseButtons) {
    testing_support::ChartControl<QPushButton>("BBFontQuor")->click();
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("Memo3")->font().pointSize(), 8);
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("Memo4")->font().pointSize(), 8);
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBFontQuor")->text().toStdString(), "Font +");
    testing_support::ChartControl<QPushButton>("BBFontQuor")->click();
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("Memo3")->font().pointSize(), 10);
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBFontQuor")->text().toStdString(), "Font -");

    testing_support::ChartWindowOfTest()->ToggleHelpMemoSize();  // the help memo large
    testing_support::ChartControl<QPushButton>("BBsuGiu")->click();
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBsuGiu")->text().toStdString(), "Verminderen");
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelQuor")->height(), PY(167));
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("Memo3")->height(), PY(120));
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBchiudiQuor")->y(), PY(167) - PY(7));
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelInfo")->y(), PY(134));  // the help memo small again
    EXPECT_FALSE(testing_support::ChartWindowOfTest()->State().helpMemoExpanded);
    // The double click on the symptoms does the same.
    QTest::mouseDClick(testing_support::ChartControl<QPlainTextEdit>("Memo3")->viewport(), Qt::LeftButton);
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBsuGiu")->text().toStdString(), "Verbreden");
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelQuor")->height(), PY(92));
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("Memo3")->height(), PY(45));
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBFontQuor")->y(), PY(92) - PY(7));

    testing_support::ChartControl<QPushButton>("BBchiudiQuor")->click();
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(PlantsPanel, TheShrinkButtonShowsItsWholeCaption) {
    // Before the first press, after it and after the second: the whole caption
    // with its arrow, in a readable size, inside the panel.
    QPushButton* b = testing_support::ChartControl<QPushButton>("BBsuGiu");
    for (const char* caption : {"Verbreden", "Verminderen", "Verbreden"}) {
        ASSERT_EQ(b->text().toStdString(), caption);
        EXPECT_TRUE(view_test::CaptionFits(b)) << caption;
        EXPECT_GE(b->font().pointSize(), 8) << caption;
        EXPECT_LE(b->x() + b->width(), testing_support::ChartControl<QFrame>("PanelQuor")->width()) << caption;
        b->click();
    }
}

TEST_F(PlantsPanel, ThePlantsListDroppedDownByAClickLeavesNoRedMarker) {
    // The plants step of the Moon by real mouse events: the list drops down
    // and takes the release, yet the marker returns to a ring on black.
    ClickBody(2);
    const display::Point p =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Moon],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Moon]);
    QTest::mousePress(testing_support::ChartWindowOfTest(), Qt::LeftButton, {}, QPoint(p.x, p.y));
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().bodyClickStep[engine::ChartPoint::Moon], 2);
    const QColor centre = testing_support::ChartWindowOfTest()->Snapshot().pixelColor(p.x, p.y);
    EXPECT_LT(centre.red(), 16);  // the black fill, not the red of the hit
    EXPECT_LT(centre.green() + centre.blue(), 16);
    testing_support::ChartControl<QComboBox>("ComboBoxPiante")->hidePopup();
}

TEST_F(PlantsPanel, ANewOpeningShowsNoPanelOrGlyphOfTheLastOne) {
    ASSERT_TRUE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    ASSERT_TRUE(testing_support::ChartControl<QLabel>("Image2")->isVisibleTo(testing_support::ChartWindowOfTest()));
    testing_support::ChartWindowOfTest()->close();
    testing_support::OpenChartWindowForTest();
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_FALSE(testing_support::ChartControl<QLabel>("Image1")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_FALSE(testing_support::ChartControl<QLabel>("Image2")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("PanelBase")->isVisibleTo(testing_support::ChartWindowOfTest()));
}

TEST_F(PlantsPanel, AMissingPlantListIsReportedOnceAndThePanelStaysEmpty) {
    std::filesystem::remove("OpzioneS/SolePri.Rnd");
    ClickBody(2);
    ClickBody(1);
    ClickBody(1);
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count(), 0);
    ClickBody(2);
    ClickBody(1);
    ClickBody(1);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].text.find("SolePri"), std::string::npos);
}

// A folder where the Sun's plant list should be: the message names it as the
// folder spells it, the name the user finds, and says to move it away.
TEST_F(PlantsPanel, AFolderInPlaceOfAPlantListIsNamedAsTheDiscSpellsIt) {
    std::filesystem::remove("OpzioneS/SolePri.Rnd");
    std::filesystem::create_directory("OpzioneS/SolePri.Rnd");
    ClickBody(2);
    ClickBody(1);
    ClickBody(1);
    EXPECT_EQ(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count(), 0);
    ASSERT_EQ(sink_.messages.size(), 1u);
    const std::string& told = sink_.messages[0].text;
    EXPECT_NE(told.find("\"OpzioneS\\SolePri.Rnd\". Al suo posto c'\xE8 una cartella"), std::string::npos) << told;
    EXPECT_NE(told.find("Spostare altrove o rinominare la cartella \"OpzioneS\\SolePri.Rnd\""), std::string::npos)
        << told;
    EXPECT_EQ(told.find("SolePri.rnd"), std::string::npos) << told;
}

TEST_F(PlantsPanel, ScreenshotsOfTheTextsAndThePanel) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path();
    testing_support::ChartControl<QComboBox>("ComboBoxPiante")->setCurrentIndex(1);
    testing_support::PlantsPanelOfTest().ShowChosenPlant();
    QApplication::processEvents();
    EXPECT_TRUE(testing_support::ChartWindowOfTest()->grab().save(
        QString::fromStdString((dir / "kelvor_plants_panel.png").string())));
    ClickBody(1);  // hidden
    ClickBody(1);  // antiscia step
    ClickBody(1);  // texts again
    ClickSign(5);
    ClickSign(5);
    ClickSign(5);
    ClickBody(6);
    QApplication::processEvents();
    EXPECT_TRUE(testing_support::ChartWindowOfTest()->grab().save(
        QString::fromStdString((dir / "kelvor_attribution_texts.png").string())));
}

}  // namespace
