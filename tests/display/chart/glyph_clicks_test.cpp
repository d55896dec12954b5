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
#include <QTextBlock>
#include <filesystem>
#include <tuple>

#include "tests/display/chart/click_fixture.h"

namespace {

using click_test::ClickedWindow;
using display::theChartWindow;

using GlyphClicks = ClickedWindow;

std::vector<std::string> ComboItems() {
    std::vector<std::string> items;
    for (int i = 0; i < theChartWindow->plantBox->count(); ++i)
        items.push_back(gui::FromQt(theChartWindow->plantBox->itemText(i)));
    return items;
}

struct AntisciaCall {
    int index;
    long double ascendant, x, y;
    std::string kind;
};

// The antiscia drawer of the window records its calls instead of drawing.
void RecordAntisciaCalls(std::vector<AntisciaCall>& calls) {
    display::SetAntisciaLinesDrawer([&calls](display::Surface&, int index, long double asc, long double x,
                                             long double y, const std::string& kind) {
        calls.push_back({index, asc, x, y, kind});
    });
}

TEST_F(GlyphClicks, FourClicksOnTheSunThenTheTextsAgain) {
    std::vector<AntisciaCall> calls;
    RecordAntisciaCalls(calls);

    ClickBody(1);
    auto specific = LinesOfMemo(theChartWindow->specificMemo);
    ASSERT_EQ(specific.size(), 16u);
    EXPECT_EQ(specific[0].substr(0, 12), "ZOON        ");
    EXPECT_EQ(specific[1], "Zon in Ram: verheven; moed, levenslust en pioniersgeest.");
    EXPECT_EQ(specific[3], "Zon: levenskracht laat in het veld van roeping.");
    EXPECT_EQ(specific[15].substr(0, 29), "Dodecatemorieen ZOON       = ");
    EXPECT_EQ(LinesOfMemo(theChartWindow->generalMemo).front().substr(0, 20), "De Zon: levenskracht");
    // The general text is one paragraph, which the memo wraps at its own width.
    EXPECT_EQ(LinesOfMemo(theChartWindow->generalMemo).size(), 1u);
    EXPECT_EQ(theChartWindow->generalMemo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(gui::FromQt(theChartWindow->specificLabel->text()), "SPECIFIEKE TOESCHRIJVINGEN naar de PLANEET");
    EXPECT_EQ(gui::FromQt(theChartWindow->generalLabel->text()), "ALGEMENE TOESCHRIJVINGEN naar de PLANEET");
    EXPECT_EQ(HelpMemoText(), HelpText(28));
    EXPECT_TRUE(theChartWindow->attributionGlyphImage->isVisibleTo(theChartWindow));
    EXPECT_FALSE(theChartWindow->attributionGlyphImage->pixmap().isNull());
    EXPECT_EQ(theChartWindow->status.ClickedBody, 1);
    EXPECT_EQ(theChartWindow->status.SearchBodyFilter, "ZON");

    ClickBody(1);
    EXPECT_TRUE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(gui::FromQt(theChartWindow->plantListLabel->text()), "PIANTE associate met ZON");
    // The sample signature database's plants of the Sun ("OpzioneS\SolePri.rnd").
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"Angelica", "Calendula", "Chamomilla", "Euphrasia", "Hypericum",
                                                      "Juniperus", "Rosmarinus"}));
    EXPECT_EQ(theChartWindow->plantList->count(), 7);
    EXPECT_EQ(theChartWindow->plantBox->currentText().toStdString(), "PIANTE");
    EXPECT_EQ(HelpMemoText(), HelpText(29));
    EXPECT_EQ(LinesOfMemo(theChartWindow->specificMemo), specific);  // the texts stay

    ClickBody(1);
    EXPECT_FALSE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
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
    EXPECT_TRUE(LinesOfMemo(theChartWindow->specificMemo).empty());  // the chart square was cleared and redrawn
    EXPECT_NE(display::Wheel.PlanetGlyphX[10], 0);

    ClickBody(1);
    EXPECT_EQ(LinesOfMemo(theChartWindow->specificMemo), specific);
    EXPECT_EQ(HelpMemoText(), HelpText(28));
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
}

TEST_F(GlyphClicks, AHitIsMarkedRedUntilTheButtonIsReleased) {
    const display::Point sun = display::MapPoint(display::Wheel.PlanetGlyphX[1], display::Wheel.PlanetGlyphY[1]);
    theChartWindow->PressAt(sun.x, sun.y);
    QColor c = theChartWindow->Snapshot().pixelColor(sun.x, sun.y);
    EXPECT_GT(c.red(), 200);
    EXPECT_LT(c.green(), 60);
    theChartWindow->RestoreGlyphRings();
    c = theChartWindow->Snapshot().pixelColor(sun.x, sun.y);
    EXPECT_LT(c.red(), 30);  // black inside the red ring
    // A click between glyphs empties the specific memo and draws no marker.
    const display::Point centre = display::MapPoint(100, 100);
    const QColor before = theChartWindow->Snapshot().pixelColor(centre.x, centre.y);
    theChartWindow->PressAt(centre.x, centre.y);
    EXPECT_TRUE(LinesOfMemo(theChartWindow->specificMemo).empty());
    EXPECT_EQ(theChartWindow->status.ClickedBody, 0);
    EXPECT_EQ(theChartWindow->Snapshot().pixelColor(centre.x, centre.y), before);
    EXPECT_EQ(HelpMemoText(), HelpText(28));  // the help text stays
}

TEST_F(GlyphClicks, TheMidheavenAndTheNodesSkipTheStepsTheyHaveNot) {
    bool drawn = false;
    display::SetAntisciaLinesDrawer([&](auto&&...) { drawn = true; });
    ClickBody(11);
    const auto texts = LinesOfMemo(theChartWindow->specificMemo);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[1], "MC in Vissen: beroep in zorg, kunst of het spirituele.");  // 358
    EXPECT_FALSE(theChartWindow->attributionGlyphImage->isVisibleTo(theChartWindow));
    // Its second click only empties the help memo.
    ClickBody(11);
    EXPECT_EQ(HelpMemoText(), "");
    EXPECT_FALSE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(LinesOfMemo(theChartWindow->specificMemo), texts);
    EXPECT_EQ(theChartWindow->status.BodyClickStep[11], 1);

    // The north node (260): its texts, an empty plants panel with the caption it had, hidden, then nothing.
    theChartWindow->plantListLabel->setText("vorige");
    ClickBody(8);
    EXPECT_EQ(LinesOfMemo(theChartWindow->specificMemo)[1],
              "Noordknoop in Boogschutter: groei door geloof en verre reis.");
    ClickBody(8);
    EXPECT_TRUE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(theChartWindow->plantBox->count(), 0);
    EXPECT_EQ(theChartWindow->plantListLabel->text().toStdString(), "vorige");
    ClickBody(8);
    EXPECT_FALSE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
    ClickBody(8);
    EXPECT_FALSE(drawn);
    EXPECT_EQ(HelpMemoText(), "");
    EXPECT_EQ(theChartWindow->status.BodyClickStep[8], 3);
    // Another glyph resets the steps: the node starts again with its texts.
    ClickBody(2);
    ClickBody(8);
    EXPECT_EQ(HelpMemoText(), HelpText(28));
    EXPECT_EQ(theChartWindow->status.BodyClickStep[8], 1);
}

TEST_F(GlyphClicks, ADignityGlyphOpensThePlantsAtOnceWithoutAMarker) {
    theChartWindow->status.DignityGlyphCentreX[3] = 150;  // outside the wheel
    theChartWindow->status.DignityGlyphCentreY[3] = 185;
    const display::Point p = display::MapPoint(150, 185);
    const QColor before = theChartWindow->Snapshot().pixelColor(p.x, p.y);
    theChartWindow->PressAt(p.x, p.y);
    EXPECT_TRUE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(gui::FromQt(theChartWindow->plantListLabel->text()), "PIANTE associate met MERCURIU");
    EXPECT_EQ(ComboItems().front(), "Carum");
    EXPECT_EQ(theChartWindow->status.ClickedBody, 0);
    EXPECT_EQ(theChartWindow->status.SearchBodyFilter, "MERCURIU");
    EXPECT_EQ(theChartWindow->Snapshot().pixelColor(p.x, p.y), before);
    for (int i = 0; i <= 14; ++i) EXPECT_EQ(theChartWindow->status.BodyClickStep[i], 0);
    EXPECT_TRUE(theChartWindow->plantsGlyphImage->isVisibleTo(theChartWindow));
}

TEST_F(GlyphClicks, FourClicksOnAriesAndTheTextsOfAquarius) {
    std::vector<AntisciaCall> calls;
    RecordAntisciaCalls(calls);
    ClickSign(1);
    EXPECT_EQ(LinesOfMemo(theChartWindow->specificMemo),
              (std::vector<std::string>{"RAM       ",
                                        "Ram spiegelt in Vissen: de daad zoekt een droom, moed wordt mededogen.",
                                        "Contra-antiscion in Maagd: het vuur van Ram leert geduld en precisie."}));
    EXPECT_EQ(LinesOfMemo(theChartWindow->generalMemo)[1].substr(0, 22), "Ram: het eerste teken,");
    EXPECT_EQ(gui::FromQt(theChartWindow->specificLabel->text()), "SPECIF. attributie aan het STERRENBEELD");
    EXPECT_EQ(HelpMemoText(), HelpText(31));
    EXPECT_EQ(theChartWindow->status.SearchSignFilter, "RAM       ");
    ClickSign(1);
    EXPECT_EQ(HelpMemoText(), HelpText(32));
    EXPECT_EQ(gui::FromQt(theChartWindow->plantListLabel->text()), "PIANTE associate met RAM");
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"Artemisia", "Betonica", "Crataegus", "Juniperus", "Majorana",
                                                      "Rosmarinus", "Urtica"}));
    ClickSign(1);
    EXPECT_EQ(HelpMemoText(), HelpText(31));
    EXPECT_FALSE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
    ClickSign(1);
    EXPECT_EQ(HelpMemoText(), HelpText(33));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].index, 1);
    EXPECT_EQ(calls[0].kind, "Seg");

    ClickSign(11);
    const auto aquarius = LinesOfMemo(theChartWindow->specificMemo);
    ASSERT_EQ(aquarius.size(), 3u);
    EXPECT_EQ(aquarius[1].substr(0, 26), "Waterman spiegelt in Stier");
    EXPECT_TRUE(sink.messages.empty());
}

// The last sign, Pisces: its own texts and its own plants, not those of
// another sign.
TEST_F(GlyphClicks, TheTwelfthSignShowsPiscesTextsAndPlants) {
    ClickSign(12);
    const auto specific = LinesOfMemo(theChartWindow->specificMemo);
    ASSERT_EQ(specific.size(), 3u);
    EXPECT_EQ(specific[0], "VISSEN    ");
    EXPECT_EQ(specific[1].substr(0, 25), "Vissen spiegelt in Ram: d");
    EXPECT_EQ(specific[2].substr(0, 36), "Contra-antiscion in Weegschaal: het ");
    EXPECT_EQ(LinesOfMemo(theChartWindow->generalMemo)[1].substr(0, 38), "Vissen: beweeglijk water, koud en voch");
    EXPECT_EQ(theChartWindow->status.ClickedSign, 12);
    EXPECT_EQ(theChartWindow->status.SearchSignFilter, "VISSEN    ");
    ClickSign(12);
    EXPECT_EQ(gui::FromQt(theChartWindow->plantListLabel->text()), "PIANTE associate met VISSEN");
    const auto plants = ComboItems();
    ASSERT_FALSE(plants.empty());
    EXPECT_EQ(plants, std::vector<std::string>{"Tilia"});  // the sample database's plant of Pisces
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(GlyphClicks, AMissingAttributionFileIsReportedOnceAndTheWindowGoesOn) {
    std::filesystem::remove("OpzioneT/KlvPianSpe.Txt");
    ClickBody(1);
    ClickBody(2);
    ClickBody(1);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].text.find("KlvPianSpe"), std::string::npos);
    EXPECT_EQ(LinesOfMemo(theChartWindow->specificMemo).size(), 2u);  // position and dodecatemorion
    EXPECT_FALSE(LinesOfMemo(theChartWindow->generalMemo).empty());
    ClickBody(1);
    EXPECT_TRUE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(sink.messages.size(), 1u);
}

TEST_F(GlyphClicks, ClicksAreIgnoredInTheVolguineViewAndStaleCentresNeverHit) {
    theChartWindow->status.VolguineViewActive = true;
    ClickBody(1);
    EXPECT_TRUE(LinesOfMemo(theChartWindow->specificMemo).empty());
    theChartWindow->status.VolguineViewActive = false;

    // Opened anew, the window has drawn nothing yet: the old Sun is not there.
    const display::Point sun = display::MapPoint(display::Wheel.PlanetGlyphX[1], display::Wheel.PlanetGlyphY[1]);
    theChartWindow->close();
    display::OpenChartWindow();
    theChartWindow->PressAt(sun.x, sun.y);
    EXPECT_EQ(theChartWindow->status.ClickedBody, 0);
    EXPECT_TRUE(LinesOfMemo(theChartWindow->specificMemo).empty());
    theChartWindow->DrawWhenReady();
    theChartWindow->PressAt(sun.x, sun.y);
    EXPECT_EQ(theChartWindow->status.ClickedBody, 1);
}

TEST_F(GlyphClicks, SegmentListsOfThePlanets) {
    const auto lines = display::SegmentLists(false, display::PlanetSegmentTables(), {});
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
    const auto dodecatemoria = display::SegmentLists(true, display::PlanetSegmentTables(), {});
    EXPECT_EQ(dodecatemoria.front(), "DODECATEMORIEEN IN DE TERMEN");
    EXPECT_EQ(dodecatemoria[26], "DODECATEMORIEEN IN DE DECADE");
}

TEST_F(GlyphClicks, TheCoordinatesButtonShowsTheSegmentListsFromTheirFirstHeading) {
    theChartWindow->coordinatesButton->click();
    ASSERT_TRUE(theChartWindow->aspectListPanel->isVisibleTo(theChartWindow));
    QApplication::processEvents();
    const QScrollBar* bar = theChartWindow->aspectListMemo->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);  // more lines than the memo shows
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(theChartWindow->aspectListMemo->cursorForPosition(QPoint(4, 4)).block().text().toStdString(),
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
        EXPECT_FALSE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
        EXPECT_NE(HelpMemoText().find("spiegellijnen"), std::string::npos) << HelpMemoText();
        click();
        EXPECT_EQ(HelpMemoText().find("SPIEGELLIJNEN"), 0u);
    }
}

TEST_F(GlyphClicks, SignatureSearchPanelTakesTheClickedBodyAndSign) {
    ClickBody(1);
    ClickSign(2);
    theChartWindow->signatureSearchButton->click();
    EXPECT_TRUE(theChartWindow->signatureResultsPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(gui::FromQt(theChartWindow->signatureResultLabels[1]->text()), "REMEDIES met teken ZON/STIER     ");
    EXPECT_EQ(gui::FromQt(theChartWindow->signatureMemo->toPlainText()), HelpText(34));
    display::ClearPlanetFilter(*theChartWindow);
    EXPECT_EQ(theChartWindow->status.SearchBodyFilter, "Ieder");
    EXPECT_TRUE(theChartWindow->planetFilterLabel->text().isEmpty());
    theChartWindow->signatureSearchButton->click();
    EXPECT_EQ(gui::FromQt(theChartWindow->signatureResultLabels[1]->text()), "PATHOLOGIEN met teken Ieder/STIER     ");
    theChartWindow->closeSignatureResultsButton->click();
    EXPECT_FALSE(theChartWindow->signatureResultsPanel->isVisibleTo(theChartWindow));
}

}  // namespace
