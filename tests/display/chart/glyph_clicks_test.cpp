// Clicks on the glyphs of the chart window, end to end: the four steps of a
// point and of a sign with the shipped attribution texts and sample plant lists,
// the marker and the rings, clicks between glyphs, the steps the angles and the
// nodes skip, the dignity glyphs, missing files, stale centres, the segment
// lists and the signature-search panel.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <filesystem>
#include <tuple>

#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/chart/click_fixture.h"

namespace {

using click_test::ClickedWindow;
using testing_support::ChartWindowOfTest;

using GlyphClicks = ClickedWindow;

std::vector<std::string> ComboItems() {
    std::vector<std::string> items;
    for (int i = 0; i < testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count(); ++i)
        items.push_back(gui::FromQt(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->itemText(i)));
    return items;
}

struct AntisciaCall {
    int index;
    long double ascendant, x, y;
    std::string kind;
};

// The window's antiscia drawer records its calls instead of drawing.
void RecordAntisciaCalls(std::vector<AntisciaCall>& calls) {
    click_test::RemakeWindowWithAntisciaDrawer(
        [&calls](display::Surface&, int index, long double asc, display::PagePoint centre, const std::string& kind) {
            calls.push_back({index, asc, centre.x, centre.y, kind});
        });
}

TEST_F(GlyphClicks, FourClicksOnTheSunThenTheTextsAgain) {
    std::vector<AntisciaCall> calls;
    RecordAntisciaCalls(calls);

    ClickBody(1);
    auto specific = LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1"));
    ASSERT_EQ(specific.size(), 16u);
    EXPECT_EQ(specific[0].substr(0, 12), "ZOON        ");
    EXPECT_EQ(specific[1], "Zon in Ram: verheven; moed, levenslust en pioniersgeest.");
    EXPECT_EQ(specific[3], "Zon: levenskracht laat in het veld van roeping.");
    EXPECT_EQ(specific[15].substr(0, 29), "Dodecatemorieen ZOON       = ");
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL2")).front().substr(0, 20),
              "De Zon: levenskracht");
    // The general text is one paragraph, which the memo wraps at its own width.
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL2")).size(), 1u);
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("MemoL2")->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabSpecific")->text()),
              "SPECIFIEKE TOESCHRIJVINGEN naar de PLANEET");
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabGeneral")->text()),
              "ALGEMENE TOESCHRIJVINGEN naar de PLANEET");
    EXPECT_EQ(HelpMemoText(), HelpText(28));
    EXPECT_TRUE(testing_support::ChartControl<QLabel>("Image2")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_FALSE(testing_support::ChartControl<QLabel>("Image2")->pixmap().isNull());
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().clickedBody, 1);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().searchBodyFilter, "ZON");

    ClickBody(1);
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabPianta")->text()), "PIANTE associate met ZON");
    // The sample signature database's plants of the Sun ("OpzioneS\SolePri.rnd").
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"Angelica", "Calendula", "Chamomilla", "Euphrasia", "Hypericum",
                                                      "Juniperus", "Rosmarinus"}));
    EXPECT_EQ(testing_support::ChartControl<QListWidget>("ListBoxPiante")->count(), 7);
    EXPECT_EQ(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->currentText().toStdString(), "PIANTE");
    EXPECT_EQ(HelpMemoText(), HelpText(29));
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1")), specific);  // the texts stay

    ClickBody(1);
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(HelpMemoText(), HelpText(28));
    EXPECT_TRUE(calls.empty());

    ClickBody(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].index, 1);
    EXPECT_EQ(calls[0].kind, "Pia");
    EXPECT_EQ(calls[0].ascendant, 100.5L);
    EXPECT_EQ(calls[0].x, 100);
    EXPECT_EQ(calls[0].y, 100);
    EXPECT_EQ(HelpMemoText(), HelpText(30));
    EXPECT_TRUE(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1"))
                    .empty());  // the chart square was cleared and redrawn
    EXPECT_NE(testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Ascendant], 0);

    ClickBody(1);
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1")), specific);
    EXPECT_EQ(HelpMemoText(), HelpText(28));
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

TEST_F(GlyphClicks, AHitIsMarkedRedUntilTheButtonIsReleased) {
    const display::Point sun =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]);
    testing_support::ChartWindowOfTest()->PressAt(sun.x, sun.y);
    QColor c = testing_support::ChartWindowOfTest()->Snapshot().pixelColor(sun.x, sun.y);
    EXPECT_GT(c.red(), 200);
    EXPECT_LT(c.green(), 60);
    testing_support::ChartWindowOfTest()->RestoreGlyphRings();
    c = testing_support::ChartWindowOfTest()->Snapshot().pixelColor(sun.x, sun.y);
    EXPECT_LT(c.red(), 30);  // black inside the red ring
    // A click between glyphs empties the specific memo and draws no marker.
    const display::Point centre = display::MapPoint(testing_support::DrawingStateOfTest(), 100, 100);
    const QColor before = testing_support::ChartWindowOfTest()->Snapshot().pixelColor(centre.x, centre.y);
    testing_support::ChartWindowOfTest()->PressAt(centre.x, centre.y);
    EXPECT_TRUE(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1")).empty());
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().clickedBody, 0);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->Snapshot().pixelColor(centre.x, centre.y), before);
    EXPECT_EQ(HelpMemoText(), HelpText(28));  // the help text stays
}

TEST_F(GlyphClicks, TheMidheavenAndTheNodesSkipTheStepsTheyHaveNot) {
    bool drawn = false;
    click_test::RemakeWindowWithAntisciaDrawer([&](auto&&...) { drawn = true; });
    ClickBody(11);
    const auto texts = LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1"));
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[1], "MC in Vissen: beroep in zorg, kunst of het spirituele.");  // 358
    EXPECT_FALSE(testing_support::ChartControl<QLabel>("Image2")->isVisibleTo(testing_support::ChartWindowOfTest()));
    // Its second click only empties the help memo.
    ClickBody(11);
    EXPECT_EQ(HelpMemoText(), "");
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1")), texts);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().bodyClickStep[engine::ChartPoint::Midheaven], 1);

    // The north node (260): its texts, an empty plants panel with the caption it had, hidden, then nothing.
    testing_support::ChartControl<QLabel>("LabPianta")->setText("vorige");
    ClickBody(8);
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1"))[1],
              "Noordknoop in Boogschutter: groei door geloof en verre reis.");
    ClickBody(8);
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count(), 0);
    EXPECT_EQ(testing_support::ChartControl<QLabel>("LabPianta")->text().toStdString(), "vorige");
    ClickBody(8);
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    ClickBody(8);
    EXPECT_FALSE(drawn);
    EXPECT_EQ(HelpMemoText(), "");
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().bodyClickStep[engine::ChartPoint::NorthNode], 3);
    // Another glyph resets the steps: the node starts again with its texts.
    ClickBody(2);
    ClickBody(8);
    EXPECT_EQ(HelpMemoText(), HelpText(28));
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().bodyClickStep[engine::ChartPoint::NorthNode], 1);
}

TEST_F(GlyphClicks, ADignityGlyphOpensThePlantsAtOnceWithoutAMarker) {
    testing_support::NatalWheelOfTest().dignityGlyphX[2] = 150;  // outside the wheel
    testing_support::NatalWheelOfTest().dignityGlyphY[2] = 185;
    const display::Point p = display::MapPoint(testing_support::DrawingStateOfTest(), 150, 185);
    const QColor before = testing_support::ChartWindowOfTest()->Snapshot().pixelColor(p.x, p.y);
    testing_support::ChartWindowOfTest()->PressAt(p.x, p.y);
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabPianta")->text()), "PIANTE associate met MERCURIU");
    EXPECT_EQ(ComboItems().front(), "Carum");
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().clickedBody, 0);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().searchBodyFilter, "MERCURIU");
    EXPECT_EQ(testing_support::ChartWindowOfTest()->Snapshot().pixelColor(p.x, p.y), before);
    for (unsigned char step : testing_support::ChartWindowOfTest()->State().bodyClickStep) EXPECT_EQ(step, 0);
    EXPECT_TRUE(testing_support::ChartControl<QLabel>("Image1")->isVisibleTo(testing_support::ChartWindowOfTest()));
}

TEST_F(GlyphClicks, FourClicksOnAriesAndTheTextsOfAquarius) {
    std::vector<AntisciaCall> calls;
    RecordAntisciaCalls(calls);
    ClickSign(1);
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1")),
              (std::vector<std::string>{"RAM       ",
                                        "Ram spiegelt in Vissen: de daad zoekt een droom, moed wordt mededogen.",
                                        "Contra-antiscion in Maagd: het vuur van Ram leert geduld en precisie."}));
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL2"))[1].substr(0, 22),
              "Ram: het eerste teken,");
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabSpecific")->text()),
              "SPECIF. attributie aan het STERRENBEELD");
    EXPECT_EQ(HelpMemoText(), HelpText(31));
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().searchSignFilter, "RAM       ");
    ClickSign(1);
    EXPECT_EQ(HelpMemoText(), HelpText(32));
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabPianta")->text()), "PIANTE associate met RAM");
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"Artemisia", "Betonica", "Crataegus", "Juniperus", "Majorana",
                                                      "Rosmarinus", "Urtica"}));
    ClickSign(1);
    EXPECT_EQ(HelpMemoText(), HelpText(31));
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    ClickSign(1);
    EXPECT_EQ(HelpMemoText(), HelpText(33));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].index, 1);
    EXPECT_EQ(calls[0].kind, "Seg");

    ClickSign(11);
    const auto aquarius = LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1"));
    ASSERT_EQ(aquarius.size(), 3u);
    EXPECT_EQ(aquarius[1].substr(0, 26), "Waterman spiegelt in Stier");
    EXPECT_TRUE(sink_.messages.empty());
}

// The last sign, Pisces: its own texts and its own plants, not those of
// another sign.
TEST_F(GlyphClicks, TheTwelfthSignShowsPiscesTextsAndPlants) {
    ClickSign(12);
    const auto specific = LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1"));
    ASSERT_EQ(specific.size(), 3u);
    EXPECT_EQ(specific[0], "VISSEN    ");
    EXPECT_EQ(specific[1].substr(0, 25), "Vissen spiegelt in Ram: d");
    EXPECT_EQ(specific[2].substr(0, 36), "Contra-antiscion in Weegschaal: het ");
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL2"))[1].substr(0, 38),
              "Vissen: beweeglijk water, koud en voch");
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().clickedSign, 12);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().searchSignFilter, "VISSEN    ");
    ClickSign(12);
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabPianta")->text()), "PIANTE associate met VISSEN");
    const auto plants = ComboItems();
    ASSERT_FALSE(plants.empty());
    EXPECT_EQ(plants, std::vector<std::string>{"Tilia"});  // the sample database's plant of Pisces
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(GlyphClicks, AMissingAttributionFileIsReportedOnceAndTheWindowGoesOn) {
    std::filesystem::remove("OpzioneT/KlvPianSpe.Txt");
    ClickBody(1);
    ClickBody(2);
    ClickBody(1);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].text.find("KlvPianSpe"), std::string::npos);
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1")).size(),
              2u);  // position and dodecatemorion
    EXPECT_FALSE(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL2")).empty());
    ClickBody(1);
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(sink_.messages.size(), 1u);
}

TEST_F(GlyphClicks, ClicksAreIgnoredInTheVolguineViewAndStaleCentresNeverHit) {
    const display::Point sun =
        display::MapPoint(testing_support::DrawingStateOfTest(),
                          testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun],
                          testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]);
    // The dominant-planet view computes its own chart from the tables.
    wheel_test::CopyDataFolders({"Scambi", "FilePosi"});
    QMetaObject::invokeMethod(testing_support::ChartControl<QPushButton>("BBvolguine"), "clicked");  // offered disabled
    testing_support::ChartWindowOfTest()->PressAt(sun.x, sun.y);
    testing_support::ChartWindowOfTest()->RestoreGlyphRings();
    EXPECT_TRUE(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1")).empty());

    // Opened anew, the window has drawn nothing yet: the old Sun is not there.
    testing_support::ChartWindowOfTest()->close();
    testing_support::OpenChartWindowForTest();
    testing_support::ChartWindowOfTest()->PressAt(sun.x, sun.y);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().clickedBody, 0);
    EXPECT_TRUE(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("MemoL1")).empty());
    testing_support::ChartWindowOfTest()->DrawWhenReady();
    testing_support::ChartWindowOfTest()->PressAt(sun.x, sun.y);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().clickedBody, 1);
}

TEST_F(GlyphClicks, SegmentListsOfThePlanets) {
    const auto lines =
        display::SegmentLists(false, display::PlanetSegmentTables(testing_support::NatalWheelOfTest()), {});
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines[0], "PLANETEN IN DE TERMEN");
    EXPECT_EQ(lines[1], "Zon: levenskracht laat in het veld van roeping.");
    EXPECT_EQ(lines[12], "  ");
    EXPECT_EQ(lines[13], "PLANETEN IN DE DECANS");
    EXPECT_EQ(lines[14], "Zon, 2e decan Ram: eer en glans.");
    EXPECT_EQ(lines[25], "    ");
    EXPECT_EQ(lines[26], "PLANETEN IN DE DECADE");
    EXPECT_EQ(lines[37], "MC, decade Vissen 20-30: waterig gevoel van Mars.");  // 358
    // The dodecatemoria's lists under their own headings.
    const auto dodecatemoria =
        display::SegmentLists(true, display::PlanetSegmentTables(testing_support::NatalWheelOfTest()), {});
    EXPECT_EQ(dodecatemoria.front(), "DODECATEMORIEEN IN DE TERMEN");
    EXPECT_EQ(dodecatemoria[26], "DODECATEMORIEEN IN DE DECADE");
}

TEST_F(GlyphClicks, TheCoordinatesButtonShowsTheSegmentListsFromTheirFirstHeading) {
    testing_support::ChartControl<QPushButton>("BBcoordi")->click();
    ASSERT_TRUE(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()));
    QApplication::processEvents();
    const QScrollBar* bar = testing_support::ChartControl<QPlainTextEdit>("MemoAspetti")->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);  // more lines than the memo shows
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti")
                  ->cursorForPosition(QPoint(4, 4))
                  .block()
                  .text()
                  .toStdString(),
              "PLANETEN IN DE TERMEN");
}

TEST_F(GlyphClicks, TheHelpAfterClosingThePlantsNamesTheMirrorLinesOfTheNextClick) {
    std::vector<AntisciaCall> calls;
    RecordAntisciaCalls(calls);  // no drawing needed
    for (auto click : {+[] { ClickBody(1); }, +[] { ClickSign(1); }}) {
        click();
        EXPECT_NE(HelpMemoText().find("planten"), std::string::npos);
        click();
        click();  // the plants panel closed: the next click draws the mirror lines
        EXPECT_FALSE(
            testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
        EXPECT_NE(HelpMemoText().find("spiegellijnen"), std::string::npos) << HelpMemoText();
        click();
        EXPECT_EQ(HelpMemoText().find("SPIEGELLIJNEN"), 0u);
    }
}

TEST_F(GlyphClicks, SignatureSearchPanelTakesTheClickedBodyAndSign) {
    ClickBody(1);
    ClickSign(2);
    testing_support::ChartControl<QPushButton>("BBextraOk")->click();
    EXPECT_TRUE(
        testing_support::ChartControl<QFrame>("PanelSegnaPato")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabExtra2")->text()),
              "REMEDIES met teken ZON/STIER     ");
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QPlainTextEdit>("MemoExtra")->toPlainText()), HelpText(34));
    QTest::mouseClick(testing_support::ChartControl<QLabel>("LbExtraPia"), Qt::LeftButton);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().searchBodyFilter, "Ieder");
    EXPECT_TRUE(testing_support::ChartControl<QLabel>("LbExtraPia")->text().isEmpty());
    testing_support::ChartControl<QPushButton>("BBextraOk")->click();
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabExtra2")->text()),
              "PATHOLOGIEN met teken Ieder/STIER     ");
    testing_support::ChartControl<QPushButton>("BBchiudiExtra")->click();
    EXPECT_FALSE(
        testing_support::ChartControl<QFrame>("PanelSegnaPato")->isVisibleTo(testing_support::ChartWindowOfTest()));
}

}  // namespace
