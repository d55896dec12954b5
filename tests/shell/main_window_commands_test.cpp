// The main window's buttons open their windows where they belong; the orb-set
// and node boxes change the chart once the window is idle; the orb settings
// window keeps the three sets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "archive/form_helpers.h"
#include "display/chart/chart_window.h"
#include "display/sheets/sheet_selection.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "platform/gui/field_state.h"
#include "platform/gui/idle.h"
#include "shell/main_window.h"
#include "shell/subsystem_windows.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/shell/shell_test_support.h"

namespace main_window_commands_test {

using shell_testing::CrLfLines;
using shell_testing::ProgramStart;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

namespace {

enum class Place { Near10, Remembered, AsItIs };

struct Command {
    QPushButton* button;
    const char* window;
    Place place;
};

std::vector<std::string> FileLines(const char* name) {
    return CrLfLines(ReadBytes(std::filesystem::current_path() / name));
}

void StoreMerini() { shell_testing::MakeMeriniCurrent(); }

// Set B: the orbs 2, 0.5, ..., opposition 0; set C: every orb 3.
void WriteOrbSets(const char* letter) {
    engine::OrbSets sets = engine::DefaultOrbSets();
    sets.orbs[1].fill(2.5L);
    sets.orbs[1][engine::kOrbAspectCount - 1] = 0;
    sets.orbs[2].fill(3);
    sets.selected = letter;
    engine::SaveOrbSets(sets);
}

// Opens the chart window, lets its timer draw the wheel, and returns the
// aspect keys it wrote for the attribution texts.
std::vector<std::string> ChartAspectKeys() {
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBProped")->click();
    testing_support::ChartWindowOfTest()->DrawWhenReady();
    testing_support::ChartWindowOfTest()->DrawWhenReady();
    std::vector<std::string> keys;
    for (const std::string& line : FileLines("OpzioneT/PosiPian.txt"))
        if (line.size() == 8 && line.substr(3, 2) == "Op") keys.push_back(line);
    return keys;
}

}  // namespace

TEST(MainWindowCommandsTest, EveryButtonOpensItsWindowAtItsPlace) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->move(200, 100);
    const std::vector<Command> commands = {
        {testing_support::ControlOf<QPushButton>(*main, "BitBtn3"), "FoTerapi", Place::Remembered},
        {testing_support::ControlOf<QPushButton>(*main, "Bquor1"), "FoSintom3", Place::AsItIs},
        {testing_support::ControlOf<QPushButton>(*main, "Bquor2"), "FoSintom2", Place::AsItIs},
        {testing_support::ControlOf<QPushButton>(*main, "Button1"), "FoManut1", Place::AsItIs},
        {testing_support::ControlOf<QPushButton>(*main, "BitBtn4"), "FoMainArc", Place::AsItIs},
        {testing_support::ControlOf<QPushButton>(*main, "BBaggRep"), "FoAggRep", Place::AsItIs},
        {testing_support::ControlOf<QPushButton>(*main, "BitBtn5"), "FoSegnat", Place::Remembered},
        {testing_support::ControlOf<QPushButton>(*main, "BitBtn7"), "FoPiante", Place::AsItIs},
        {testing_support::ControlOf<QPushButton>(*main, "BitBtn8"), "FoPrinci", Place::AsItIs},
        {testing_support::ControlOf<QPushButton>(*main, "BitBtn6"), "FoMali", Place::AsItIs},
        {testing_support::ControlOf<QPushButton>(*main, "BitBtn9"), "FoSintesi", Place::AsItIs},
        {testing_support::ControlOf<QPushButton>(*main, "BitBtnVarOrbAsp"), "FoOrbKel", Place::Near10},
        {testing_support::ControlOf<QPushButton>(*main, "BBCerchio"), "FgrTxtKel", Place::AsItIs},
        {testing_support::ControlOf<QPushButton>(*main, "BitBtn22"), "FoSpeLin", Place::Near10},
        {testing_support::ControlOf<QPushButton>(*main, "SBtipoStamp"), "FoStampa", Place::Near10},
        {testing_support::ControlOf<QPushButton>(*main, "BButility"), "FoUtilit", Place::Near10},
        {testing_support::ControlOf<QPushButton>(*main, "EdAggiorna"), "FoAggiorna", Place::Near10},
    };
    int step = 0;
    for (const Command& c : commands) {
        SCOPED_TRACE(c.window);
        main->ToggleBoxesLock();  // unlocked before, locked again after the dialog
        ASSERT_TRUE(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->isEnabled());
        shell_testing::SheetSelectionOfTest().sheetCode = 16;
        // An origin no command has seen yet: one that remembers it takes it,
        // another leaves the window an older one.
        ++step;
        main->move(200 + step, 100 + step);
        QString shown;
        QPoint at;
        QSize size;
        gui::SetModalHandler(c.window, [&](QDialog* d) {
            shown = d->objectName();
            at = d->pos();
            size = d->size();
            return int(gui::kModalCancel);
        });
        c.button->click();
        EXPECT_EQ(shown, c.window);
        const QRect frame = main->frameGeometry();
        if (c.place != Place::AsItIs) {
            EXPECT_EQ(main->Frame().left, main->x());
            EXPECT_EQ(main->Frame().top, main->y());
        } else {
            EXPECT_NE(main->Frame().left, main->x());
        }
        if (c.place == Place::Near10) {
            // The lower right corner 10 pixels beyond the main window's.
            EXPECT_EQ(at.x() + size.width(), main->x() + frame.width() + 10);
            EXPECT_EQ(at.y() + size.height(), main->y() + frame.height() + 10);
        }
        EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->isEnabled());
        EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->isEnabled());
    }
    // The calibration window is opened for its own figure.
    EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetCode, 16);  // set by the loop; the window itself was not asked
    gui::SetModalHandler("FgrTxtKel", [](QDialog*) {
        EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetCode, 0);
        return int(gui::kModalOk);
    });
    testing_support::ControlOf<QPushButton>(*main, "BBCerchio")->click();
    // The printer-model labels open the same dialog as the button.
    int printer = 0;
    gui::SetModalHandler("FoStampa", [&printer](QDialog*) { return ++printer, int(gui::kModalCancel); });
    QTest::mouseClick(testing_support::ControlOf<QLabel>(*main, "Label34"), Qt::LeftButton);
    EXPECT_EQ(printer, 1);
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(MainWindowCommandsTest, SheetButtonsChooseTheSheetAndShowTheViewer) {
    ProgramStart start;
    StoreMerini();
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->Refresh();
    struct Expect {
        QPushButton* button;
        int code;
        const char* orientation;
    };
    // The two second sheets are offered disabled; their handlers work alike.
    EXPECT_FALSE(testing_support::ControlOf<QPushButton>(*main, "BBoriz2")->isEnabled());
    EXPECT_FALSE(testing_support::ControlOf<QPushButton>(*main, "BBvert2")->isEnabled());
    const Expect sheets[] = {{testing_support::ControlOf<QPushButton>(*main, "BBOriz"), 16, "L"},
                             {testing_support::ControlOf<QPushButton>(*main, "BBVert"), 5, "P"}};
    for (const Expect& e : sheets) {
        main->ToggleBoxesLock();
        e.button->click();
        EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetCode, e.code);
        EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetOrientation, e.orientation);
        EXPECT_NE(testing_support::CurrentChartOfTest().chart.bodies[engine::Body::Moon].latitude,
                  0);  // the Moon's latitude of the person loaded
        ASSERT_TRUE(testing_support::WindowOfTest<display::SheetViewer>()->isVisible());
        EXPECT_TRUE(
            testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->isEnabled());  // modeless: nothing activated yet
        // Back from the viewer, the main window is activated and locks the boxes.
        testing_support::WindowOfTest<display::SheetViewer>()->hide();
        EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->isEnabled());
    }
    main->ShowSecondLandscapeSheet();
    EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetCode, 17);
    EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetOrientation, "L");
    main->ShowSecondPortraitSheet();
    EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetCode, 18);
    EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetOrientation, "P");
    testing_support::WindowOfTest<display::SheetViewer>()->hide();
}

TEST(MainWindowCommandsTest, OrbSetBChosenInTheBoxReachesTheSettingsAndTheChart) {
    ProgramStart start;
    StoreMerini();
    WriteOrbSets("A");
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->Refresh();
    // Set A: the nodes, always 180 degrees apart, are in opposition.
    std::vector<std::string> oppositions = ChartAspectKeys();
    EXPECT_NE(std::find(oppositions.begin(), oppositions.end(), "NonOpNos"), oppositions.end());
    testing_support::ChartWindowOfTest()->hide();
    EXPECT_FALSE(
        testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->isEnabled());  // locked again after the chart window

    main->ToggleBoxesLock();
    testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->setCurrentIndex(1);
    main->ChooseOrbSet();
    EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.setLetter, "B");
    EXPECT_TRUE(main->OrbSetChangePending());
    gui::RunIdleHandler();
    EXPECT_FALSE(main->OrbSetChangePending());
    std::vector<std::string> settings = FileLines("FileSet/OrbiDomi.stt");
    ASSERT_EQ(settings.size(), 20u);
    EXPECT_EQ(settings[0], " 2.50000000000000E+0000");
    EXPECT_EQ(settings[13], " 0.00000000000000E+0000");
    EXPECT_EQ(settings[16],
              engine::HouseSystemText(
                  testing_support::CurrentChartOfTest().settings.houseSystem));  // the house system in force
    EXPECT_EQ(settings[17], "VERO");
    EXPECT_EQ(settings[18], "B");
    EXPECT_EQ(FileLines("FileDum/MMVarOrb.dum").at(48), "B");
    EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.aspectOrbs[4], 0);
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->currentText(), "B (personali)");
    // With a zero orb of opposition the chart shows no opposition at all.
    EXPECT_TRUE(ChartAspectKeys().empty());
    testing_support::ChartWindowOfTest()->hide();
    // The set is still in force at the next start.
    testing_support::CurrentChartOfTest().orbs = {};
    engine::LoadEngineSettings(testing_support::CurrentChartOfTest().settings,
                               testing_support::CurrentChartOfTest().orbs, shell_testing::ShowSettingsMessage);
    EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.setLetter, "B");
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(MainWindowCommandsTest, AnyOtherTextInTheOrbBoxAppliesSetA) {
    ProgramStart start;
    WriteOrbSets("C");
    engine::SetEngineSettingsLine(testing_support::CurrentChartOfTest().settings,
                                  testing_support::CurrentChartOfTest().orbs, 19, "C",
                                  shell_testing::ShowSettingsMessage);
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->Refresh();
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->currentText(), "C (personali)");
    main->ToggleBoxesLock();
    testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->setEditText("D (mine)");
    main->ChooseOrbSet();
    EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.setLetter, "C");  // unchanged by the typing
    gui::RunIdleHandler();
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->currentText(), "A (normali)");
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(0), " 1.00000000000000E+0001");
    EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.setLetter, "A");
}

TEST(MainWindowCommandsTest, MissingOrbSetsFileIsReportedAndTheSetStays) {
    ProgramStart start;
    WriteOrbSets("C");
    engine::SetEngineSettingsLine(testing_support::CurrentChartOfTest().settings,
                                  testing_support::CurrentChartOfTest().orbs, 19, "C",
                                  shell_testing::ShowSettingsMessage);
    std::filesystem::remove(start.Data() / "FileDum" / "MMVarOrb.dum");
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->Refresh();
    const std::string before = ReadBytes(start.Data() / "FileSet" / "OrbiDomi.stt");
    testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->setCurrentIndex(1);
    main->ChooseOrbSet();
    gui::RunIdleHandler();
    ASSERT_EQ(start.messages.Texts(), std::vector<std::string>{"Manca File \"MMVarOrb.dum\""});
    EXPECT_EQ(ReadBytes(start.Data() / "FileSet" / "OrbiDomi.stt"), before);
    EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.setLetter, "C");
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->currentText(), "C (personali)");
    gui::RunIdleHandler();  // the request was cleared: reported once
    EXPECT_EQ(start.messages.messages.size(), 1u);
}

TEST(MainWindowCommandsTest, MeanNodeChosenInTheBoxIsUsedByTheNextChart) {
    ProgramStart start;
    StoreMerini();
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->Refresh();
    const engine::Real trueNode = testing_support::CurrentChartOfTest().chart.points.northNode;
    main->ToggleBoxesLock();
    testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->setCurrentIndex(1);
    main->ChooseNodeType();
    EXPECT_EQ(engine::NodeKindText(testing_support::CurrentChartOfTest().settings.node), "MEDIO");
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(17), "MEDIO");
    testing_support::ControlOf<QPushButton>(*main, "BBProped")->click();
    testing_support::ChartWindowOfTest()->DrawWhenReady();
    testing_support::ChartWindowOfTest()->DrawWhenReady();
    // The mean node of 25 December 1964, 13:05 UT: 82.321 degrees.
    EXPECT_NEAR(testing_support::CurrentChartOfTest().chart.points.northNode, 82.321, 0.02);
    EXPECT_GT(std::fabs(trueNode - 82.321), 0.1);
    EXPECT_EQ(testing_support::ChartControl<QLineEdit>("EdNodo")->text(), "MEDIO");
    testing_support::ChartWindowOfTest()->hide();
    EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->isEnabled());
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(MainWindowCommandsTest, DoubleClickTogglesTheNodeAndRewritesItEachTime) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->ToggleBoxesLock();
    QTest::mouseDClick(testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->currentText(), "MEDIO");
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(17), "MEDIO");
    main->ToggleNodeType();
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(17), "VERO");
    EXPECT_EQ(engine::NodeKindText(testing_support::CurrentChartOfTest().settings.node), "VERO");
    // A typed word that is no node kind becomes the mean node.
    testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->setEditText("X");
    main->ChooseNodeType();
    gui::RunIdleHandler();
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->currentText(), "MEDIO");
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(17), "MEDIO");
}

TEST(OrbSettingsWindowTest, SetsAreCheckedChosenAndKept) {
    ProgramStart start;
    WriteOrbSets("A");
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->Refresh();
    main->ToggleBoxesLock();
    testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->setCurrentIndex(0);
    main->ChooseNodeType();  // the main window's idle handler is installed
    gui::RunIdleHandler();
    std::vector<std::string> texts;
    gui::SetModalHandler("FoOrbKel", [&](QDialog* d) {
        auto* w = static_cast<shell::OrbSettingsWindow*>(d);
        w->Refresh();
        EXPECT_EQ(w->setColumns[shell::kSetB].orbEdits[0]->text(), "2,5");
        EXPECT_EQ(w->setColumns[shell::kSetB].orbEdits[13]->text(), "0");
        EXPECT_EQ(w->setColumns[shell::kSetA].orbEdits[8]->text(), QString::fromUtf8("\u00B1 6"));
        EXPECT_FALSE(w->setColumns[shell::kSetA].selectedFrame->isHidden());
        EXPECT_TRUE(w->setColumns[shell::kSetB].selectedFrame->isHidden());
        // 15,5 is beyond the maximum: red, cleared, no way back until mended.
        w->setColumns[shell::kSetB].orbEdits[2]->setText("15,5");
        w->MarkOrbsEdited();
        w->ChooseSet(shell::kSetB);
        gui::RunIdleHandler();
        EXPECT_EQ(gui::GetFieldState(w->setColumns[shell::kSetB].orbEdits[2]), gui::FieldState::Rejected);
        EXPECT_TRUE(w->setColumns[shell::kSetB].orbEdits[2]->text().isEmpty());
        EXPECT_FALSE(w->returnButton->isEnabled());
        w->ReturnToMenu();
        EXPECT_EQ(w->result(), 0);  // still open
        // A point is taken and shown as a comma.
        w->setColumns[shell::kSetB].orbEdits[2]->setText("1");
        w->setColumns[shell::kSetC].orbEdits[8]->setText(" 4.5 ");
        w->MarkOrbsEdited();
        gui::RunIdleHandler();
        EXPECT_TRUE(w->returnButton->isEnabled());
        EXPECT_EQ(w->setColumns[shell::kSetC].orbEdits[8]->text(), "4,5");
        // Set C chosen: the engine settings get its orbs, the main box its name.
        w->ChooseSet(shell::kSetC);
        EXPECT_FALSE(w->setColumns[shell::kSetC].selectedFrame->isHidden());
        EXPECT_EQ(w->selectedSetEdit->text(), "C");
        EXPECT_EQ(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->currentText(), "C (personali)");
        w->ReturnToMenu();
        return int(gui::kModalCancel);
    });
    main->OpenOrbSettingsWindow();
    EXPECT_EQ(start.messages.Texts(), std::vector<std::string>{"Errore Impostazione Orbite"});
    std::vector<std::string> settings = FileLines("FileSet/OrbiDomi.stt");
    EXPECT_EQ(settings.at(0), " 3.00000000000000E+0000");
    EXPECT_EQ(settings.at(8), " 4.50000000000000E+0000");
    EXPECT_EQ(settings.at(18), "C");
    std::vector<std::string> sets = FileLines("FileDum/MMVarOrb.dum");
    ASSERT_EQ(sets.size(), 49u);
    EXPECT_EQ(sets[0], "10");
    EXPECT_EQ(sets[16 + 2], " 1.00000000000000E+0000");  // B, decile
    EXPECT_EQ(sets[32 + 8], " 4.50000000000000E+0000");  // C, square
    EXPECT_EQ(sets[48], "C");
    EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.aspectOrbs[2], 4.5L);
    // Back in the main window: the boxes locked, its own idle handler again.
    EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->isEnabled());
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->currentText(), "C (personali)");
    testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->setCurrentIndex(0);
    main->ChooseOrbSet();
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(18), "A");
}

TEST(OrbSettingsWindowTest, ClosingWithUnchangedSpecialOrbsRewritesOnlyTheSets) {
    ProgramStart start;
    WriteOrbSets("B");
    engine::SetEngineSettingsLine(testing_support::CurrentChartOfTest().settings,
                                  testing_support::CurrentChartOfTest().orbs, 19, "B",
                                  shell_testing::ShowSettingsMessage);
    const std::string settings = ReadBytes(start.Data() / "FileSet" / "OrbiDomi.stt");
    gui::SetModalHandler("FoOrbKel", [](QDialog* d) {
        auto* w = static_cast<shell::OrbSettingsWindow*>(d);
        w->Refresh();
        w->setColumns[shell::kSetC].orbEdits[0]->setText("7");
        w->MarkOrbsEdited();
        gui::RunIdleHandler();
        w->ReturnToMenu();
        return int(gui::kModalCancel);
    });
    shell_testing::StartedMainWindow()->OpenOrbSettingsWindow();
    EXPECT_EQ(ReadBytes(start.Data() / "FileSet" / "OrbiDomi.stt"), settings);
    std::vector<std::string> sets = FileLines("FileDum/MMVarOrb.dum");
    EXPECT_EQ(sets.at(32), " 7.00000000000000E+0000");
    EXPECT_EQ(sets.at(48), "B");
}

// On a first start, the personal sets B and C hold their own orbs, so that
// choosing one changes the chart's orbs without any editing.
TEST(OrbSettingsWindowTest, FirstStartSetsBAndCHaveTheirOwnOrbs) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    // The window, opened for the first time, writes the sets and shows them.
    gui::SetModalHandler("FoOrbKel", [](QDialog* d) {
        auto* w = static_cast<shell::OrbSettingsWindow*>(d);
        w->Refresh();
        EXPECT_EQ(w->setColumns[shell::kSetB].orbEdits[0]->text(), "10");
        EXPECT_EQ(w->setColumns[shell::kSetB].orbEdits[2]->text(), "0,5");
        EXPECT_EQ(w->setColumns[shell::kSetB].orbEdits[13]->text(), "8");
        EXPECT_EQ(w->setColumns[shell::kSetC].orbEdits[8]->text(), "4,5");
        EXPECT_EQ(w->setColumns[shell::kSetC].orbEdits[10]->text(), "0,8");
        EXPECT_EQ(w->setColumns[shell::kSetC].orbEdits[13]->text(), "7");
        w->ReturnToMenu();
        return int(gui::kModalCancel);
    });
    main->OpenOrbSettingsWindow();
    // Choosing B or C in the main window's box changes the chart's orbs at once.
    const struct {
        int index;
        const char* letter;
        const char* orbs[14];
    } sets[] = {
        {1, "B", {"10", "1", "0.5", "0.5", "1", "0.5", "3", "1", "4", "4", "1", "1", "2", "8"}},
        {2, "C", {"5", "1", "0.5", "0.5", "1", "0.5", "3", "1", "4.5", "5", "0.8", "0.8", "1.5", "7"}},
    };
    for (const auto& set : sets) {
        main->ToggleBoxesLock();
        testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->setCurrentIndex(set.index);
        main->ChooseOrbSet();
        gui::RunIdleHandler();
        const std::vector<std::string> settings = FileLines("FileSet/OrbiDomi.stt");
        ASSERT_EQ(settings.size(), 20u);
        EXPECT_EQ(settings[18], set.letter);
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(std::stold(settings[static_cast<std::size_t>(i)]), std::stold(set.orbs[i]))
                << set.letter << " line " << i + 1;
        main->Refresh();
    }
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
}

// On a first start the orb box chooses any set before the orb settings window
// was ever opened: the orb sets are there from the start, B and C with their
// own orbs.
TEST(OrbSettingsWindowTest, TheOrbBoxChoosesEverySetOnAFirstStart) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    const struct {
        int line;
        const char* letter;
        const char* shown;
        const char* orbs[14];
    } sets[] = {
        {2, "C", "C (personali)", {"5", "1", "0.5", "0.5", "1", "0.5", "3", "1", "4.5", "5", "0.8", "0.8", "1.5", "7"}},
        {1, "B", "B (personali)", {"10", "1", "0.5", "0.5", "1", "0.5", "3", "1", "4", "4", "1", "1", "2", "8"}},
        {0, "A", "A (normali)", {"10", "1", "1", "1", "1", "1", "4", "1", "6", "8", "1", "1", "1", "9"}},
    };
    for (const auto& set : sets) {
        testing_support::ControlOf<QPushButton>(*main, "BBlk")->click();
        ASSERT_TRUE(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->isEnabled());
        testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->setCurrentIndex(set.line);
        Q_EMIT testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->activated(set.line);
        gui::RunIdleHandler();
        EXPECT_TRUE(start.messages.messages.empty()) << set.letter << ": " << start.messages.messages[0].text;
        EXPECT_EQ(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->currentText().toStdString(), set.shown);
        const std::vector<std::string> settings = FileLines("FileSet/OrbiDomi.stt");
        ASSERT_EQ(settings.size(), 20u);
        EXPECT_EQ(settings[18], set.letter);
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(std::stold(settings[static_cast<std::size_t>(i)]), std::stold(set.orbs[i]))
                << set.letter << " line " << i + 1;
        EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.aspectOrbs[4], std::stold(set.orbs[13]))
            << set.letter;  // the chart's opposition
        EXPECT_EQ(FileLines("FileDum/MMVarOrb.dum").at(48), set.letter);
        main->Refresh();
    }
}

// Every aspect of the orb settings window has its glyph beside its name, each
// a picture of its own.
TEST(OrbSettingsWindowTest, EveryAspectShowsAGlyphOfItsOwn) {
    ProgramStart start;
    std::vector<QImage> glyphs;
    for (int i = 1; i <= 14; ++i) {
        const QString name = QString("Image%1").arg(i == 14 ? 15 : i);
        const auto* image = testing_support::WindowOfTest<shell::OrbSettingsWindow>()->findChild<QLabel*>(name);
        ASSERT_NE(image, nullptr) << name.toStdString();
        const QImage picture = image->pixmap().toImage();
        ASSERT_FALSE(picture.isNull()) << name.toStdString();
        int drawn = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) drawn += picture.pixelColor(x, y) != QColor(Qt::black);
        EXPECT_GT(drawn, 12) << name.toStdString() << " shows no strokes";
        for (std::size_t k = 0; k < glyphs.size(); ++k)
            EXPECT_NE(picture, glyphs[k]) << name.toStdString() << " looks like aspect " << k + 1;
        glyphs.push_back(picture);
    }
}

// The orb settings window is placed by the size it has before it is shown: it
// has the room its contents need from the start, every control inside it.
TEST(OrbSettingsWindowTest, TheWindowShowsItsWholeContent) {
    ProgramStart start;
    shell::OrbSettingsWindow* w = testing_support::WindowOfTest<shell::OrbSettingsWindow>();
    const QSize before = w->size();
    w->show();
    QApplication::processEvents();
    EXPECT_EQ(w->size(), before);
    for (QWidget* child :
         {static_cast<QWidget*>(w->setColumns[shell::kSetC].chooseButton), static_cast<QWidget*>(w->returnButton),
          static_cast<QWidget*>(w->setColumns[shell::kSetC].orbEdits[13])})
        EXPECT_TRUE(w->rect().contains(child->geometry())) << child->objectName().toStdString();
    w->hide();
    gui::ClearIdleHandler();
}

// The orb-set and node boxes look as locked as they are: grey with a shut
// padlock at start and after every activation, aqua with an open one when the
// lock button opens them.
TEST(MainWindowCommandsTest, BoxesLookLockedExactlyWhenTheyAre) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    auto expectLocked = [main](bool locked, const char* when) {
        for (QComboBox* box : {testing_support::ControlOf<QComboBox>(*main, "ComboOrb"),
                               testing_support::ControlOf<QComboBox>(*main, "ComboNodo")}) {
            EXPECT_EQ(box->isEnabled(), !locked) << when;
            EXPECT_EQ(box->palette().color(QPalette::Base), locked ? QColor(128, 128, 128) : QColor(0, 255, 255))
                << when;
            EXPECT_EQ(box->palette().color(QPalette::Text), locked ? QColor(Qt::white) : QColor(Qt::black)) << when;
        }
        EXPECT_EQ(testing_support::ControlOf<QPushButton>(*main, "BBlk")->property("glyph").toString(),
                  locked ? "LockShut" : "LockOpen")
            << when;
    };
    expectLocked(true, "at start");
    testing_support::ControlOf<QPushButton>(*main, "BBlk")->click();
    expectLocked(false, "unlocked");
    testing_support::ControlOf<QPushButton>(*main, "BBlk")->click();
    expectLocked(true, "locked by hand");
    testing_support::ControlOf<QPushButton>(*main, "BBlk")->click();
    gui::SetModalHandler("FoSpeLin", [](QDialog*) { return int(gui::kModalCancel); });
    main->OpenLineWidthDialog();  // a dialog, then the activation
    expectLocked(true, "after an activation");
    testing_support::ControlOf<QPushButton>(*main, "BBlk")->click();
    expectLocked(false, "unlocked again");
}

// Before any person is stored, the chart and sheet buttons say so and open nothing.
TEST(MainWindowCommandsTest, WithoutAPersonNoChartOrSheetOpens) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    ASSERT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoDati")->toPlainText().trimmed().isEmpty());
    testing_support::ControlOf<QPushButton>(*main, "BBProped")->click();
    EXPECT_TRUE(testing_support::ChartWindowOfTest() == nullptr || !testing_support::ChartWindowOfTest()->isVisible());
    for (QPushButton* b : {testing_support::ControlOf<QPushButton>(*main, "BBOriz"),
                           testing_support::ControlOf<QPushButton>(*main, "BBVert")})
        b->click();
    main->ShowSecondLandscapeSheet();
    main->ShowSecondPortraitSheet();
    EXPECT_FALSE(testing_support::WindowOfTest<display::SheetViewer>()->isVisible());
    EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetCode, 0);
    EXPECT_EQ(start.messages.Texts(), std::vector<std::string>(5, shell::kNoCurrentPersonMessage));
    // Once a person is stored, both open.
    StoreMerini();
    testing_support::ControlOf<QPushButton>(*main, "BBProped")->click();
    ASSERT_NE(testing_support::ChartWindowOfTest(), nullptr);
    EXPECT_TRUE(testing_support::ChartWindowOfTest()->isVisible());
    testing_support::ChartWindowOfTest()->hide();
    testing_support::ControlOf<QPushButton>(*main, "BBVert")->click();
    EXPECT_TRUE(testing_support::WindowOfTest<display::SheetViewer>()->isVisible());
    testing_support::WindowOfTest<display::SheetViewer>()->hide();
    EXPECT_EQ(start.messages.messages.size(), 5u);
}

// Settings an earlier version wrote with decimal commas are read back.
TEST(SettingsFilesTest, DecimalCommasAreReadBack) {
    ProgramStart start;
    std::string sets;
    for (int i = 1; i <= 48; ++i) sets += (i > 16 && i <= 30 ? "2,5" : "1") + std::string("\r\n");
    sets += "B\r\n";
    WriteBytes(start.Data() / "FileDum" / "MMVarOrb.dum", sets);
    std::string settings;
    for (int i = 1; i <= 16; ++i) settings += "2,5\r\n";
    settings += "KOCH\r\nVERO\r\nB\r\nMEDIA\r\n";
    WriteBytes(start.Data() / "FileSet" / "OrbiDomi.stt", settings);
    WriteBytes(start.Data() / "FileSet" / "MMVarLas.stt", "1\r\n0\r\n0\r\n1\r\n1,5\r\nDa definire\r\n0,9\r\n1,1\r\n");
    engine::LoadEngineSettings(testing_support::CurrentChartOfTest().settings,
                               testing_support::CurrentChartOfTest().orbs, shell_testing::ShowSettingsMessage);
    EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.aspectOrbs[0], 2.5L);
    EXPECT_EQ(engine::HouseSystemText(testing_support::CurrentChartOfTest().settings.houseSystem), "KOCH");
    EXPECT_EQ(
        engine::LoadOrbSets(testing_support::CurrentChartOfTest().orbs, shell_testing::ShowSettingsMessage).orbs[1][0],
        2.5L);
    shell_testing::StartedMainWindow()->Refresh();
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().lineWidthFactor, 1.5L);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().aspectScaleY, 1.1L);
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
}

// Saves pictures of the main window's pages and of the settings windows when
// KELVOR_SCREENSHOT_DIR names a folder.
TEST(MainWindowCommandsTest, Screenshots) {
    const char* dir = std::getenv("KELVOR_SCREENSHOT_DIR");
    if (!dir || !*dir) GTEST_SKIP() << "KELVOR_SCREENSHOT_DIR not set";
    const QString folder = QString::fromUtf8(dir) + "/";
    ProgramStart start;
    StoreMerini();
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->Refresh();
    main->ToggleBoxesLock();
    for (int page = 0; page < 3; ++page) {
        testing_support::ControlOf<QTabWidget>(*main, "PageControl1")->setCurrentIndex(page);
        ASSERT_TRUE(main->grab().save(folder + QString("main-%1.png").arg(page + 1)));
    }
    auto shoot = [&](QDialog* d, const char* name) {
        d->show();
        QApplication::processEvents();
        EXPECT_TRUE(d->grab().save(folder + name));
        d->hide();
    };
    testing_support::WindowOfTest<display::PrinterModelDialog>()->confirmationMilliseconds = 0;
    shoot(testing_support::WindowOfTest<shell::OrbSettingsWindow>(), "orb-settings.png");
    shoot(testing_support::WindowOfTest<display::LineWidthDialog>(), "line-width.png");
    shoot(testing_support::WindowOfTest<display::PrinterModelDialog>(), "printer-model.png");
    shell_testing::DrawSettingsOfTest().Values().epsonCorrection = 1;
    shoot(testing_support::WindowOfTest<display::PrinterModelDialog>(), "printer-model-epson.png");
    shell_testing::SheetSelectionOfTest().sheetCode = 0;
    testing_support::WindowOfTest<display::CalibrationWindow>()->show();
    testing_support::ControlOf<QScrollBar>(*testing_support::WindowOfTest<display::CalibrationWindow>(), "ScBO")
        ->setValue(-100);
    testing_support::WindowOfTest<display::CalibrationWindow>()->DrawWhenReady();
    testing_support::WindowOfTest<display::CalibrationWindow>()->DrawWhenReady();
    QApplication::processEvents();
    EXPECT_TRUE(
        testing_support::WindowOfTest<display::CalibrationWindow>()->Snapshot().save(folder + "calibration.png"));
    EXPECT_TRUE(
        testing_support::WindowOfTest<display::CalibrationWindow>()->grab().save(folder + "calibration-window.png"));
    testing_support::WindowOfTest<display::CalibrationWindow>()->ResetScales();
    testing_support::WindowOfTest<display::CalibrationWindow>()->hide();
}

TEST(MainWindowCommandsTest, ExitImageClosesTheProgramOnRelease) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    EXPECT_EQ(testing_support::ControlOf<QLabel>(*main, "Image9")->toolTip(), "Chiudi il Programma");
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*main, "BBlk")->toolTip(), "Sblocca/Blocca");
    QTest::mousePress(testing_support::ControlOf<QLabel>(*main, "Image9"), Qt::LeftButton);
    EXPECT_EQ(testing_support::ControlOf<QLabel>(*main, "Image9")->property("picture").toString(), "FineProgClic.bmp");
    EXPECT_TRUE(main->isVisible());
    QTest::mouseRelease(testing_support::ControlOf<QLabel>(*main, "Image9"), Qt::LeftButton);
    EXPECT_EQ(testing_support::ControlOf<QLabel>(*main, "Image9")->property("picture").toString(), "FineProg.bmp");
    EXPECT_FALSE(main->isVisible());
}

}  // namespace main_window_commands_test
