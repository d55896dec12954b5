// The chart window's clickable memos, captions and lists used with the mouse
// and the keyboard as a user does, each checked by its own effect and not by
// a neighbour's.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <cstdlib>

#include "display/chart/plants_panel.h"
#include "platform/runtime/number_text.h"
#include "tests/display/chart/click_fixture.h"

namespace {

using click_test::ClickedWindow;
using display::theChartWindow;

class ChartControls : public ClickedWindow {
protected:
    static int PY(long double units) { return static_cast<int>(rt::Round(units / theChartWindow->status.LayoutScaleY)); }
};

// A double click on the aspect list stretches that panel and nothing else; a
// double click on the help memo, or on the search panel's note under it,
// stretches the help panel.
TEST_F(ChartControls, EachMemoDoubleClickStretchesItsOwnPanel) {
    theChartWindow->aspectsButton->click();
    ASSERT_TRUE(theChartWindow->aspectListPanel->isVisibleTo(theChartWindow));
    QTest::mouseDClick(theChartWindow->aspectListMemo->viewport(), Qt::LeftButton);
    EXPECT_EQ(theChartWindow->aspectListPanel->height(), PY(167));
    EXPECT_EQ(theChartWindow->aspectListMemo->height(), PY(156));
    EXPECT_EQ(theChartWindow->closeAspectListButton->y(), PY(167) - PY(7));
    EXPECT_EQ(theChartWindow->helpPanel->y(), PY(134));
    EXPECT_FALSE(theChartWindow->status.HelpMemoExpanded);
    QTest::mouseDClick(theChartWindow->aspectListMemo->viewport(), Qt::LeftButton);
    EXPECT_EQ(theChartWindow->aspectListPanel->height(), PY(92));
    EXPECT_EQ(theChartWindow->aspectListMemo->height(), PY(82));

    QTest::mouseDClick(theChartWindow->helpMemo->viewport(), Qt::LeftButton);
    EXPECT_EQ(theChartWindow->helpPanel->y(), PY(51));
    EXPECT_EQ(theChartWindow->helpMemo->height(), PY(116));
    EXPECT_EQ(theChartWindow->aspectListPanel->height(), PY(92));
    EXPECT_FALSE(theChartWindow->status.AspectMemoExpanded);
    QTest::mouseDClick(theChartWindow->signatureMemo->viewport(), Qt::LeftButton);
    EXPECT_EQ(theChartWindow->helpPanel->y(), PY(134));
    EXPECT_EQ(theChartWindow->helpMemo->height(), PY(33));

    // The aspect list's own buttons: the font first, then the panel closed.
    theChartWindow->aspectListFontButton->click();
    EXPECT_TRUE(theChartWindow->aspectListPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(theChartWindow->aspectListMemo->font().pointSize(), 8);
    theChartWindow->closeAspectListButton->click();
    EXPECT_FALSE(theChartWindow->aspectListPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(theChartWindow->aspectListMemo->font().pointSize(), 8);
    EXPECT_TRUE(sink.messages.empty());
}

// A click on the planet's or the sign's name in the signature-search panel
// frees that filter only.
TEST_F(ChartControls, EachFilterCaptionFreesItsOwnFilter) {
    ClickBody(1);
    ClickSign(2);
    ASSERT_NE(theChartWindow->status.SearchBodyFilter, "Ieder");
    ASSERT_NE(theChartWindow->status.SearchSignFilter, "Ieder");
    const std::string body = theChartWindow->status.SearchBodyFilter;
    QTest::mouseClick(theChartWindow->signFilterLabel, Qt::LeftButton);
    EXPECT_EQ(theChartWindow->status.SearchSignFilter, "Ieder");
    EXPECT_TRUE(theChartWindow->signFilterLabel->text().isEmpty());
    EXPECT_EQ(theChartWindow->status.SearchBodyFilter, body);
    EXPECT_FALSE(theChartWindow->planetFilterLabel->text().isEmpty());
    QTest::mouseClick(theChartWindow->planetFilterLabel, Qt::LeftButton);
    EXPECT_EQ(theChartWindow->status.SearchBodyFilter, "Ieder");
    EXPECT_TRUE(theChartWindow->planetFilterLabel->text().isEmpty());
    theChartWindow->signatureSearchButton->click();
    EXPECT_EQ(gui::FromQt(theChartWindow->signatureResultLabels[1]->text()), "REMEDIES met teken Ieder/Ieder");
}

// A plant picked from the list (here with the keyboard) shows its own symptoms.
TEST_F(ChartControls, APlantPickedFromTheListShowsItsSymptoms) {
    ClickBody(1);
    ClickBody(1);  // the plants of the Sun
    ASSERT_GT(theChartWindow->plantBox->count(), 2);
    theChartWindow->plantBox->setCurrentIndex(0);
    QTest::keyClick(theChartWindow->plantBox, Qt::Key_Down);
    EXPECT_EQ(theChartWindow->status.SelectedPlantIndex, 1);
    const std::vector<std::string> symptoms = LinesOfMemo(theChartWindow->plantSymptomsMemo);
    ASSERT_GE(symptoms.size(), 2u);
    EXPECT_EQ(symptoms[1], "Calendula");
    EXPECT_EQ(LinesOfMemo(theChartWindow->plantSignaturesMemo).at(0), "PLANT: Calendula");
    // The last plant of the list is reached with the spin button and stays.
    for (int i = 1; i < theChartWindow->plantBox->count(); ++i)
        theChartWindow->plantSpinButton->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const int last = theChartWindow->plantBox->count() - 1;
    EXPECT_EQ(theChartWindow->status.SelectedPlantIndex, last);
    EXPECT_EQ(theChartWindow->plantBox->currentText(), theChartWindow->plantBox->itemText(last));
    EXPECT_EQ(LinesOfMemo(theChartWindow->plantSymptomsMemo).at(1),
              gui::FromQt(theChartWindow->plantBox->itemText(last)));
}

// The last of the seven dignity glyphs, Saturn's, opens Saturn's plants.
TEST_F(ChartControls, SaturnsDignityGlyphOpensSaturnsPlants) {
    theChartWindow->status.DignityGlyphCentreX[7] = 150;  // outside the wheel
    theChartWindow->status.DignityGlyphCentreY[7] = 185;
    const display::Point p = display::MapPoint(150, 185);
    theChartWindow->PressAt(p.x, p.y);
    theChartWindow->RestoreGlyphRings();
    EXPECT_TRUE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(theChartWindow->status.SearchBodyFilter, "SATURNUS");
    EXPECT_EQ(gui::FromQt(theChartWindow->planetFilterLabel->text()), "SATURNUS");
    EXPECT_NE(gui::FromQt(theChartWindow->plantListLabel->text()).find("SATURN"), std::string::npos);
}

// The red marker of a hit goes when the button is released, on the last
// sign's glyph and on the last point's as on any other.
TEST_F(ChartControls, TheMarkerOfTheLastSignAndPointGoesOnRelease) {
    const std::pair<long double, long double> centres[] = {
        {display::Wheel.SignGlyphX[12], display::Wheel.SignGlyphY[12]},
        {display::Wheel.PlanetGlyphX[11], display::Wheel.PlanetGlyphY[11]}};
    for (const auto& [x, y] : centres) {
        ASSERT_NE(x, 0);
        const display::Point p = display::MapPoint(x, y);
        const display::GlyphHit hit = display::FindGlyphHit(p.x, p.y);
        EXPECT_TRUE(hit.sign == 12 || hit.body == 11) << hit.sign << " " << hit.body;
        theChartWindow->PressAt(p.x, p.y);
        ASSERT_GT(theChartWindow->Snapshot().pixelColor(p.x, p.y).red(), 200);
        theChartWindow->RestoreGlyphRings();
        const QColor c = theChartWindow->Snapshot().pixelColor(p.x, p.y);
        EXPECT_LT(c.red(), 30) << x << "," << y;
    }
}

// The click cycles of the last points that have each step: Saturn, the last
// with mirror lines; the south node, the last with a plants step (an empty one).
TEST_F(ChartControls, TheLastPointsOfEachClickStepHaveIt) {
    std::vector<std::pair<int, std::string>> mirrored;
    display::SetAntisciaLinesDrawer([&mirrored](display::Surface&, int index, long double, long double, long double,
                                                const std::string& kind) { mirrored.emplace_back(index, kind); });
    for (int click = 0; click < 4; ++click) ClickBody(7);
    EXPECT_EQ(HelpMemoText(), HelpText(30));
    EXPECT_EQ(mirrored, (std::vector<std::pair<int, std::string>>{{7, "Pia"}}));

    ClickBody(9);
    ASSERT_EQ(theChartWindow->status.BodyClickStep[9], 1);
    ClickBody(9);
    EXPECT_EQ(theChartWindow->status.BodyClickStep[9], 2);
    EXPECT_EQ(HelpMemoText(), HelpText(29));
    EXPECT_TRUE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(theChartWindow->plantBox->count(), 0);
    // The Ascendant, the first without it, keeps its texts at the second click.
    ClickBody(10);
    ClickBody(10);
    EXPECT_EQ(theChartWindow->status.BodyClickStep[10], 1);
    EXPECT_FALSE(theChartWindow->plantsPanel->isVisibleTo(theChartWindow));
    EXPECT_EQ(mirrored.size(), 1u);
}

// Each data field has its own caption on its left, on its line.
TEST_F(ChartControls, EachDataFieldHasItsOwnCaption) {
    const std::pair<QLineEdit*, const char*> rows[] = {
        {theChartWindow->nameEdit, "Person"},        {theChartWindow->birthDateEdit, "Gebortedatum"},
        {theChartWindow->placeEdit, "Plaats"},       {theChartWindow->coordinatesEdit, "Co\xF6rdinaten"},
        {theChartWindow->houseSystemEdit, "Domificatie"},  {theChartWindow->nodeEdit, "Maan Knoop"},
        {theChartWindow->julianDayEdit, "Astronomische dag JD"}};
    const QList<QLabel*> labels = theChartWindow->dataPanel->findChildren<QLabel*>();
    for (const auto& [field, caption] : rows) {
        const QLabel* beside = nullptr;
        for (const QLabel* l : labels)
            if (l->x() < field->x() && (!beside || std::abs(l->geometry().center().y() - field->geometry().center().y()) <
                                                       std::abs(beside->geometry().center().y() -
                                                                field->geometry().center().y())))
                beside = l;
        ASSERT_TRUE(beside) << caption;
        EXPECT_EQ(gui::FromQt(beside->text()), caption) << field->objectName().toStdString();
    }
}

}  // namespace
