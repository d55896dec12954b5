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
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/chart/click_fixture.h"

namespace {

using click_test::ClickedWindow;
using testing_support::ChartWindowOfTest;

class ChartControls : public ClickedWindow {
protected:
    static int PY(long double units) {
        return static_cast<int>(rt::Round(units / testing_support::ChartWindowOfTest()->State().layoutScaleY));
    }
};

// A double click on the aspect list stretches that panel and nothing else; a
// double click on the help memo, or on the search panel's note under it,
// stretches the help panel.
TEST_F(ChartControls, EachMemoDoubleClickStretchesItsOwnPanel) {
    testing_support::ChartControl<QPushButton>("BBaspetti")->click();
    ASSERT_TRUE(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()));
    QTest::mouseDClick(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti")->viewport(), Qt::LeftButton);
    EXPECT_EQ(testing_support::ChartControl<QFrame>("Panel3")->height(), PY(167));
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti")->height(), PY(156));
    EXPECT_EQ(testing_support::ChartControl<QPushButton>("BBchiudiAsp")->y(), PY(167) - PY(7));
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelInfo")->y(), PY(134));
    EXPECT_FALSE(testing_support::ChartWindowOfTest()->State().helpMemoExpanded);
    QTest::mouseDClick(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti")->viewport(), Qt::LeftButton);
    EXPECT_EQ(testing_support::ChartControl<QFrame>("Panel3")->height(), PY(92));
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti")->height(), PY(82));

    QTest::mouseDClick(testing_support::ChartControl<QPlainTextEdit>("Memo1")->viewport(), Qt::LeftButton);
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelInfo")->y(), PY(51));
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("Memo1")->height(), PY(116));
    EXPECT_EQ(testing_support::ChartControl<QFrame>("Panel3")->height(), PY(92));
    EXPECT_FALSE(testing_support::ChartWindowOfTest()->State().aspectMemoExpanded);
    QTest::mouseDClick(testing_support::ChartControl<QPlainTextEdit>("MemoExtra")->viewport(), Qt::LeftButton);
    EXPECT_EQ(testing_support::ChartControl<QFrame>("PanelInfo")->y(), PY(134));
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("Memo1")->height(), PY(33));

    // The aspect list's own buttons: the font first, then the panel closed.
    testing_support::ChartControl<QPushButton>("BBFont")->click();
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti")->font().pointSize(), 8);
    testing_support::ChartControl<QPushButton>("BBchiudiAsp")->click();
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("Panel3")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("MemoAspetti")->font().pointSize(), 8);
    EXPECT_TRUE(sink_.messages.empty());
}

// A click on the planet's or the sign's name in the signature-search panel
// frees that filter only.
TEST_F(ChartControls, EachFilterCaptionFreesItsOwnFilter) {
    ClickBody(1);
    ClickSign(2);
    ASSERT_NE(testing_support::ChartWindowOfTest()->State().searchBodyFilter, "Ieder");
    ASSERT_NE(testing_support::ChartWindowOfTest()->State().searchSignFilter, "Ieder");
    const std::string body = testing_support::ChartWindowOfTest()->State().searchBodyFilter;
    QTest::mouseClick(testing_support::ChartControl<QLabel>("LbExtraSeg"), Qt::LeftButton);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().searchSignFilter, "Ieder");
    EXPECT_TRUE(testing_support::ChartControl<QLabel>("LbExtraSeg")->text().isEmpty());
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().searchBodyFilter, body);
    EXPECT_FALSE(testing_support::ChartControl<QLabel>("LbExtraPia")->text().isEmpty());
    QTest::mouseClick(testing_support::ChartControl<QLabel>("LbExtraPia"), Qt::LeftButton);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().searchBodyFilter, "Ieder");
    EXPECT_TRUE(testing_support::ChartControl<QLabel>("LbExtraPia")->text().isEmpty());
    testing_support::ChartControl<QPushButton>("BBextraOk")->click();
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LabExtra2")->text()),
              "REMEDIES met teken Ieder/Ieder");
}

// A plant picked from the list (here with the keyboard) shows its own symptoms.
TEST_F(ChartControls, APlantPickedFromTheListShowsItsSymptoms) {
    ClickBody(1);
    ClickBody(1);  // the plants of the Sun
    ASSERT_GT(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count(), 2);
    testing_support::ChartControl<QComboBox>("ComboBoxPiante")->setCurrentIndex(0);
    QTest::keyClick(testing_support::ChartControl<QComboBox>("ComboBoxPiante"), Qt::Key_Down);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().selectedPlantIndex, 1);
    const std::vector<std::string> symptoms = LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo3"));
    ASSERT_GE(symptoms.size(), 2u);
    EXPECT_EQ(symptoms[1], "Calendula");
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo4")).at(0), "PLANT: Calendula");
    // The last plant of the list is reached with the spin button and stays.
    for (int i = 1; i < testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count(); ++i)
        testing_support::ChartControl<QScrollBar>("SpinButton1")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const int last = testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count() - 1;
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().selectedPlantIndex, last);
    EXPECT_EQ(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->currentText(),
              testing_support::ChartControl<QComboBox>("ComboBoxPiante")->itemText(last));
    EXPECT_EQ(LinesOfMemo(testing_support::ChartControl<QPlainTextEdit>("Memo3")).at(1),
              gui::FromQt(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->itemText(last)));
}

// The last of the seven dignity glyphs, Saturn's, opens Saturn's plants.
TEST_F(ChartControls, SaturnsDignityGlyphOpensSaturnsPlants) {
    testing_support::NatalWheelOfTest().dignityGlyphX[6] = 150;  // outside the wheel
    testing_support::NatalWheelOfTest().dignityGlyphY[6] = 185;
    const display::Point p = display::MapPoint(testing_support::DrawingStateOfTest(), 150, 185);
    testing_support::ChartWindowOfTest()->PressAt(p.x, p.y);
    testing_support::ChartWindowOfTest()->RestoreGlyphRings();
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().searchBodyFilter, "SATURNUS");
    EXPECT_EQ(gui::FromQt(testing_support::ChartControl<QLabel>("LbExtraPia")->text()), "SATURNUS");
    EXPECT_NE(gui::FromQt(testing_support::ChartControl<QLabel>("LabPianta")->text()).find("SATURN"),
              std::string::npos);
}

// The red marker of a hit goes when the button is released, on the last
// sign's glyph and on the last point's as on any other.
TEST_F(ChartControls, TheMarkerOfTheLastSignAndPointGoesOnRelease) {
    const std::pair<long double, long double> centres[] = {
        {testing_support::NatalWheelOfTest().signGlyphX[engine::Sign::Pisces],
         testing_support::NatalWheelOfTest().signGlyphY[engine::Sign::Pisces]},
        {testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Midheaven],
         testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Midheaven]}};
    for (const auto& [x, y] : centres) {
        ASSERT_NE(x, 0);
        const display::Point p = display::MapPoint(testing_support::DrawingStateOfTest(), x, y);
        const display::GlyphHit hit =
            display::FindGlyphHit(testing_support::DrawingStateOfTest(), testing_support::NatalWheelOfTest(), p.x, p.y);
        EXPECT_TRUE(hit.sign == 12 || hit.body == 11) << hit.sign << " " << hit.body;
        testing_support::ChartWindowOfTest()->PressAt(p.x, p.y);
        ASSERT_GT(testing_support::ChartWindowOfTest()->Snapshot().pixelColor(p.x, p.y).red(), 200);
        testing_support::ChartWindowOfTest()->RestoreGlyphRings();
        const QColor c = testing_support::ChartWindowOfTest()->Snapshot().pixelColor(p.x, p.y);
        EXPECT_LT(c.red(), 30) << x << "," << y;
    }
}

// The click cycles of the last points that have each step: Saturn, the last
// with mirror lines; the south node, the last with a plants step (an empty one).
TEST_F(ChartControls, TheLastPointsOfEachClickStepHaveIt) {
    std::vector<std::pair<int, std::string>> mirrored;
    click_test::RemakeWindowWithAntisciaDrawer(
        [&mirrored](display::Surface&, int index, long double, display::PagePoint, const std::string& kind) {
            mirrored.emplace_back(index, kind);
        });
    for (int click = 0; click < 4; ++click) ClickBody(7);
    EXPECT_EQ(HelpMemoText(), HelpText(30));
    EXPECT_EQ(mirrored, (std::vector<std::pair<int, std::string>>{{7, "Pia"}}));

    ClickBody(9);
    ASSERT_EQ(testing_support::ChartWindowOfTest()->State().bodyClickStep[engine::ChartPoint::SouthNode], 1);
    ClickBody(9);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().bodyClickStep[engine::ChartPoint::SouthNode], 2);
    EXPECT_EQ(HelpMemoText(), HelpText(29));
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count(), 0);
    // The Ascendant, the first without it, keeps its texts at the second click.
    ClickBody(10);
    ClickBody(10);
    EXPECT_EQ(testing_support::ChartWindowOfTest()->State().bodyClickStep[engine::ChartPoint::Ascendant], 1);
    EXPECT_FALSE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisibleTo(testing_support::ChartWindowOfTest()));
    EXPECT_EQ(mirrored.size(), 1u);
}

// Each data field has its own caption on its left, on its line.
TEST_F(ChartControls, EachDataFieldHasItsOwnCaption) {
    const std::pair<QLineEdit*, const char*> rows[] = {
        {testing_support::ChartControl<QLineEdit>("EdNome"), "Person"},
        {testing_support::ChartControl<QLineEdit>("EdData"), "Gebortedatum"},
        {testing_support::ChartControl<QLineEdit>("EdLocal"), "Plaats"},
        {testing_support::ChartControl<QLineEdit>("EdCoordi"), "Co\xF6rdinaten"},
        {testing_support::ChartControl<QLineEdit>("EdDomif"), "Domificatie"},
        {testing_support::ChartControl<QLineEdit>("EdNodo"), "Maan Knoop"},
        {testing_support::ChartControl<QLineEdit>("EdJd"), "Astronomische dag JD"}};
    const QList<QLabel*> labels = testing_support::ChartControl<QFrame>("PanelDati")->findChildren<QLabel*>();
    for (const auto& [field, caption] : rows) {
        const QLabel* beside = nullptr;
        for (const QLabel* l : labels)
            if (l->x() < field->x() &&
                (!beside || std::abs(l->geometry().center().y() - field->geometry().center().y()) <
                                std::abs(beside->geometry().center().y() - field->geometry().center().y())))
                beside = l;
        ASSERT_TRUE(beside) << caption;
        EXPECT_EQ(gui::FromQt(beside->text()), caption) << field->objectName().toStdString();
    }
}

}  // namespace
