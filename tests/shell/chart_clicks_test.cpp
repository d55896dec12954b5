// A stored person's chart in the started program: mouse clicks on the Sun's
// glyph of the interactive model show its attribution texts, then the plants
// of the Sun. With KELVOR_SCREENSHOT set, the two states are saved as pictures.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "display/chart/chart_window.h"
#include "display/draw/drawing_tools.h"
#include "display/wheel/wheel_state.h"
#include "platform/gui/text_convert.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/shell/shell_test_support.h"

namespace {

using shell_testing::ProgramStart;
using testing_support::ChartWindowOfTest;

void SaveShot(const char* suffix) {
    const char* target = std::getenv("KELVOR_SCREENSHOT");
    if (!target || !*target) return;
    QApplication::processEvents();
    testing_support::ChartWindowOfTest()->grab().save(
        QString::fromUtf8(target).replace(".png", QString::fromUtf8(suffix) + ".png"));
}

TEST(ChartClicksTest, TheSunOfAStoredPersonShowsItsTextsAndThenItsPlants) {
    ProgramStart start;
    shell_testing::MakeMeriniCurrent();
    shell_testing::StartedMainWindow()->Refresh();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBProped")->click();
    ASSERT_NE(testing_support::ChartWindowOfTest(), nullptr);
    while (testing_support::ChartControl<QTimer>("Timer1")->isActive())
        testing_support::ChartWindowOfTest()->DrawWhenReady();

    const QPoint sun(display::MapX(testing_support::DrawingStateOfTest(),
                                   testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun]),
                     display::MapY(testing_support::DrawingStateOfTest(),
                                   testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]));
    QTest::mouseClick(testing_support::ChartWindowOfTest(), Qt::LeftButton, Qt::NoModifier, sun);
    const QStringList texts = testing_support::ChartControl<QPlainTextEdit>("MemoL1")->toPlainText().split('\n');
    ASSERT_GE(texts.size(), 8);
    EXPECT_TRUE(texts[0].startsWith("ZOON")) << texts[0].toStdString();
    EXPECT_EQ(texts[1].toStdString(), "Zon in Steenbok: ernstig en ambitieus, klimt geduldig.");
    EXPECT_TRUE(
        testing_support::ChartControl<QPlainTextEdit>("MemoL2")->toPlainText().startsWith("De Zon: levenskracht"));
    SaveShot("-texts");

    QTest::mouseClick(testing_support::ChartWindowOfTest(), Qt::LeftButton, Qt::NoModifier, sun);
    EXPECT_TRUE(testing_support::ChartControl<QFrame>("PanelQuor")->isVisible());
    ASSERT_EQ(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count(), 7);
    EXPECT_EQ(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->itemText(0).toStdString(), "Angelica");
    testing_support::ChartControl<QComboBox>("ComboBoxPiante")->setCurrentIndex(0);
    testing_support::ChartControl<QComboBox>("ComboBoxPiante")->activated(0);
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("Memo3")->toPlainText().split('\n').value(2).toStdString(),
              "Gebrek aan eetlust");
    SaveShot("-plants");
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
    testing_support::ChartWindowOfTest()->hide();
}

}  // namespace
