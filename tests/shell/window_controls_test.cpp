// The controls of the main window and of the orb settings window, pressed,
// clicked or typed into as a user does, each checked by its own effect (the
// window it opens, the file it writes), never by a neighbour's; the chart
// window's data fields of a stored person.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "archive/current_chart.h"
#include "display/chart/chart_window.h"
#include "display/sheets/sheet_selection.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "platform/gui/field_state.h"
#include "platform/gui/idle.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "shell/instructions_dialog.h"
#include "shell/main_window.h"
#include "shell/orb_settings_window.h"
#include "shell/subsystem_windows.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/shell/shell_test_support.h"

namespace window_controls_test {

namespace fs = std::filesystem;
using shell_testing::ProgramStart;

namespace {

std::vector<std::string> FileLines(const char* name) {
    return shell_testing::CrLfLines(testing_support::ReadBytes(fs::current_path() / name));
}

// Counts the modal showings of each window while it lives; each answers Cancel.
class ShownDialogs {
public:
    explicit ShownDialogs(std::initializer_list<const char*> names) {
        for (const char* name : names)
            gui::SetModalHandler(name, [this, n = std::string(name)](QDialog*) {
                ++count[n];
                return int(gui::kModalCancel);
            });
    }
    std::map<std::string, int> count;
};

// The desktop's documents by file name.
std::vector<std::string> OpenedNames(const ProgramStart& start) {
    std::vector<std::string> names;
    for (const std::string& p : start.desktop.log.openedDocuments) names.push_back(fs::path(p).filename().string());
    return names;
}

}  // namespace

// "Instructies" asks which manual first; "Boekje" opens the booklet at once;
// the name button opens the name dialog.
TEST(MainWindowControls, DocumentAndNameButtonsDoTheirOwnThing) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    int chooser = 0;
    gui::SetModalHandler("FoIstDef", [&chooser](QDialog* d) {
        ++chooser;
        auto* dialog = static_cast<shell::InstructionsDialog*>(d);
        dialog->SelectShortInstructions();
        testing_support::ControlOf<QPushButton>(*dialog, "BitBtn1")->click();  // the short instructions, as offered
        return dialog->result();
    });
    testing_support::ControlOf<QPushButton>(*main, "BBistruz")->click();
    EXPECT_EQ(chooser, 1);
    EXPECT_EQ(OpenedNames(start), std::vector<std::string>{"Istruzioni_J.pdf"});
    testing_support::ControlOf<QPushButton>(*main, "BBdispensa")->click();
    EXPECT_EQ(chooser, 1);
    EXPECT_EQ(OpenedNames(start), (std::vector<std::string>{"Istruzioni_J.pdf", "Dispensa.pdf"}));

    ShownDialogs shown({"FoNomUte", "FoStampa"});
    testing_support::ControlOf<QPushButton>(*main, "BitBtnNomeCognome")->click();
    EXPECT_EQ(shown.count["FoNomUte"], 1);
    EXPECT_EQ(OpenedNames(start).size(), 2u);
    // Both labels beside the printer-model button open the printer-model dialog.
    QTest::mouseClick(testing_support::ControlOf<QLabel>(*main, "Label35"), Qt::LeftButton);
    EXPECT_EQ(shown.count["FoStampa"], 1);
    QTest::mouseClick(testing_support::ControlOf<QLabel>(*main, "Label34"), Qt::LeftButton);
    EXPECT_EQ(shown.count["FoStampa"], 2);
    EXPECT_EQ(shown.count["FoNomUte"], 1);
    EXPECT_TRUE(start.messages.messages.empty());
}

// Each of the four sheet buttons chooses its own sheet and orientation (the two
// second sheets are offered disabled; their signal still reaches them).
TEST(MainWindowControls, EachSheetButtonOpensItsOwnSheet) {
    ProgramStart start;
    shell_testing::MakeMeriniCurrent();
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->Refresh();
    const struct {
        QPushButton* button;
        int code;
        const char* orientation;
    } sheets[] = {{testing_support::ControlOf<QPushButton>(*main, "BBOriz"), 16, "L"},
                  {testing_support::ControlOf<QPushButton>(*main, "BBoriz2"), 17, "L"},
                  {testing_support::ControlOf<QPushButton>(*main, "BBVert"), 5, "P"},
                  {testing_support::ControlOf<QPushButton>(*main, "BBvert2"), 18, "P"}};
    for (const auto& s : sheets) {
        SCOPED_TRACE(s.button->objectName().toStdString());
        shell_testing::SheetSelectionOfTest().sheetCode = 0;
        shell_testing::SheetSelectionOfTest().sheetOrientation.clear();
        if (s.button->isEnabled())
            s.button->click();
        else
            QMetaObject::invokeMethod(s.button, "clicked");
        EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetCode, s.code);
        EXPECT_EQ(shell_testing::SheetSelectionOfTest().sheetOrientation, s.orientation);
        EXPECT_TRUE(testing_support::WindowOfTest<display::SheetViewer>()->isVisible());
        testing_support::WindowOfTest<display::SheetViewer>()->hide();
    }
    EXPECT_TRUE(start.messages.messages.empty());
}

// A click on the data memo shows the annotations over it, a click on them
// hides them again; a double click hides the empty box of the third page.
TEST(MainWindowControls, ClicksOnTheMemosAndTheEmptyBox) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->show();
    ASSERT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoAnnotaz")->isHidden());
    QTest::mouseClick(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoDati")->viewport(), Qt::LeftButton);
    EXPECT_FALSE(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoAnnotaz")->isHidden());
    QTest::mouseClick(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoAnnotaz")->viewport(), Qt::LeftButton);
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoAnnotaz")->isHidden());
    QTest::mouseDClick(testing_support::ControlOf<QComboBox>(*main, "Cbox1"), Qt::LeftButton);
    EXPECT_TRUE(testing_support::ControlOf<QComboBox>(*main, "Cbox1")->isHidden());
    EXPECT_FALSE(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoDati")->isHidden());
}

// The orb-set and node boxes: a set or a node kind picked from the list with
// the keyboard, or a set's name typed, reaches the engine settings once the
// window is idle; each box changes only its own line.
TEST(MainWindowControls, OrbAndNodeBoxesTakeWhatTheUserPicksOrTypes) {
    ProgramStart start;
    engine::OrbSets sets = engine::DefaultOrbSets();
    sets.selected = "A";
    engine::SaveOrbSets(sets);
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->Refresh();
    testing_support::ControlOf<QPushButton>(*main, "BBlk")->click();
    ASSERT_TRUE(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->isEnabled());
    const std::string node = FileLines("FileSet/OrbiDomi.stt").at(17);

    testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->setCurrentIndex(0);
    QTest::keyClick(testing_support::ControlOf<QComboBox>(*main, "ComboOrb"), Qt::Key_Down);  // "B (personali)"
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(18), "B");
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(17), node);

    testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->lineEdit()->clear();
    QTest::keyClicks(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->lineEdit(), "C (personali)");
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(18), "C");
    EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.setLetter, "C");

    testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->setCurrentIndex(0);
    testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->setEditText("VERO");
    QTest::keyClick(testing_support::ControlOf<QComboBox>(*main, "ComboNodo"), Qt::Key_Down);  // "MEDIO"
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(17), "MEDIO");
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(18), "C");
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
}

namespace {

// Sets B and C with orbs that differ from each other and from aspect to
// aspect (B: 0.5 i, C: 7 + 0.5 i for the i-th aspect in angle order), the
// parallels' orb 2 and the antiscia's 3; set A in force.
void WriteDistinctOrbSets() {
    engine::OrbSets sets = engine::DefaultOrbSets();
    for (std::size_t i = 0; i < engine::kOrbAspectCount; ++i) {
        const long double n = i + 1;
        sets.orbs[1][i] = 0.5L * n;
        sets.orbs[2][i] = 7 + 0.5L * n;
    }
    sets.parallelOrb = 2;
    sets.antisciaOrb = 3;
    sets.selected = "A";
    engine::SaveOrbSets(sets);
    engine::SetEngineSettingsLine(testing_support::CurrentChartOfTest().settings,
                                  testing_support::CurrentChartOfTest().orbs, 19, "A",
                                  shell_testing::ShowSettingsMessage);
}

// The 14 orbs of the engine settings, in angle order.
std::vector<long double> SettingsOrbs() {
    const std::vector<std::string> lines = FileLines("FileSet/OrbiDomi.stt");
    std::vector<long double> orbs;
    for (std::size_t i = 0; i < 14 && i < lines.size(); ++i) orbs.push_back(std::stold(lines[i]));
    return orbs;
}

std::vector<long double> SetOrbs(char set) {
    std::vector<long double> orbs;
    for (std::size_t i = 0; i < engine::kOrbAspectCount; ++i) {
        const long double n = i + 1;
        orbs.push_back(set == 'A' ? engine::kOrbSetA[i] : set == 'B' ? 0.5L * n : 7 + 0.5L * n);
    }
    return orbs;
}

}  // namespace

// Each "Kies" button puts its own set's fourteen orbs, the last aspect's
// included, into the engine settings; the way back chooses nothing.
TEST(OrbSettingsWindowControls, EachChooseButtonPutsItsOwnSetInForce) {
    ProgramStart start;
    WriteDistinctOrbSets();
    int result = -1;
    gui::SetModalHandler("FoOrbKel", [&result](QDialog* d) {
        auto* w = static_cast<shell::OrbSettingsWindow*>(d);
        w->Refresh();
        const struct {
            QPushButton* button;
            char set;
        } choices[] = {{w->setColumns[shell::kSetB].chooseButton, 'B'},
                       {w->setColumns[shell::kSetA].chooseButton, 'A'},
                       {w->setColumns[shell::kSetC].chooseButton, 'C'}};
        for (const auto& c : choices) {
            SCOPED_TRACE(c.set);
            c.button->click();
            EXPECT_EQ(SettingsOrbs(), SetOrbs(c.set));
            EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(18), std::string(1, c.set));
            EXPECT_EQ(w->selectedSetEdit->text().toStdString(), std::string(1, c.set));
            EXPECT_EQ(std::stold(FileLines("FileSet/OrbiDomi.stt").at(14)), 2.0L);
            EXPECT_EQ(std::stold(FileLines("FileSet/OrbiDomi.stt").at(15)), 3.0L);
        }
        w->returnButton->click();
        result = w->result();
        return result;
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnVarOrbAsp")->click();
    EXPECT_EQ(result, int(gui::kModalCancel));
    EXPECT_EQ(SettingsOrbs(), SetOrbs('C'));
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(18), "C");
    EXPECT_EQ(FileLines("FileDum/MMVarOrb.dum").at(48), "C");
    EXPECT_EQ(testing_support::CurrentChartOfTest().orbs.setLetter, "C");
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
}

// What the user types into an orb edit is checked once the window is idle, the
// last aspect of set C as every other; the way back keeps the typed orbs, and
// typed orbs of parallels and antiscia reach the engine settings, each its own.
TEST(OrbSettingsWindowControls, TypedOrbsAreCheckedAndKept) {
    ProgramStart start;
    WriteDistinctOrbSets();
    gui::SetModalHandler("FoOrbKel", [](QDialog* d) {
        auto* w = static_cast<shell::OrbSettingsWindow*>(d);
        w->Refresh();
        QLineEdit* opposition = w->setColumns[shell::kSetC].orbEdits[13];
        opposition->clear();
        QTest::keyClicks(opposition, "16");  // beyond the largest orb, 15
        gui::RunIdleHandler();
        EXPECT_EQ(gui::GetFieldState(opposition), gui::FieldState::Rejected);
        EXPECT_FALSE(w->returnButton->isEnabled());
        w->returnButton->click();
        EXPECT_EQ(w->result(), 0);  // still open
        QTest::keyClicks(opposition, "9,5");
        gui::RunIdleHandler();
        EXPECT_TRUE(w->returnButton->isEnabled());
        // The antiscia's orb, the last checked, at most 6.
        w->antisciaOrbEdit->clear();
        QTest::keyClicks(w->antisciaOrbEdit, "7");
        gui::RunIdleHandler();
        EXPECT_EQ(gui::GetFieldState(w->antisciaOrbEdit), gui::FieldState::Rejected);
        EXPECT_FALSE(w->returnButton->isEnabled());
        for (auto [edit, text] : {std::pair{w->parallelOrbEdit, "4"}, std::pair{w->antisciaOrbEdit, "5"}}) {
            edit->clear();
            QTest::keyClicks(edit, text);
        }
        gui::RunIdleHandler();
        EXPECT_TRUE(w->returnButton->isEnabled());
        w->returnButton->click();
        EXPECT_EQ(w->result(), int(gui::kModalCancel));
        return w->result();
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnVarOrbAsp")->click();
    const std::vector<std::string> sets = FileLines("FileDum/MMVarOrb.dum");
    ASSERT_EQ(sets.size(), 49u);
    EXPECT_EQ(std::stold(sets[32 + 13]), 9.5L);  // C, opposition
    EXPECT_EQ(std::stold(sets[16 + 13]), 7.0L);  // B, opposition, as it was
    EXPECT_EQ(std::stold(sets[14]), 4.0L);
    EXPECT_EQ(std::stold(sets[15]), 5.0L);
    const std::vector<std::string> settings = FileLines("FileSet/OrbiDomi.stt");
    EXPECT_EQ(std::stold(settings.at(14)), 4.0L);
    EXPECT_EQ(std::stold(settings.at(15)), 5.0L);
    EXPECT_EQ(settings.at(18), "A");
    EXPECT_EQ(SettingsOrbs(), SetOrbs('A'));
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
}

// The chart window of a stored person shows each datum in its own field.
TEST(ChartWindowFields, EachDatumStandsInItsOwnField) {
    ProgramStart start;
    shell_testing::MakeMeriniCurrent();
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->Refresh();
    testing_support::ControlOf<QPushButton>(*main, "BBProped")->click();
    display::ChartWindow* chart = testing_support::ChartWindowOfTest();
    for (int i = 0; i < 10 && testing_support::ControlOf<QTimer>(*chart, "Timer1")->isActive(); ++i)
        chart->DrawWhenReady();
    auto text = [](QLineEdit* e) { return gui::FromQt(e->text()); };
    EXPECT_EQ(text(testing_support::ControlOf<QLineEdit>(*chart, "EdNome")), "  MERINI ALDA");
    EXPECT_NE(text(testing_support::ControlOf<QLineEdit>(*chart, "EdData")).find("25/12/1964 14:05"), std::string::npos)
        << text(testing_support::ControlOf<QLineEdit>(*chart, "EdData"));
    EXPECT_EQ(text(testing_support::ControlOf<QLineEdit>(*chart, "EdLocal")), "ROMA - ITALIA");
    EXPECT_EQ(text(testing_support::ControlOf<QLineEdit>(*chart, "EdCoordi")), "41N54-012E29");
    EXPECT_EQ(text(testing_support::ControlOf<QLineEdit>(*chart, "EdDomif")),
              engine::HouseSystemText(testing_support::CurrentChartOfTest().chart.settings.houseSystem));
    EXPECT_EQ(text(testing_support::ControlOf<QLineEdit>(*chart, "EdNodo")), "VERO");
    std::string jd = text(testing_support::ControlOf<QLineEdit>(*chart, "EdJd"));
    std::replace(jd.begin(), jd.end(), ',', '.');
    EXPECT_NEAR(std::stod(jd), 2438755.0451, 0.0001) << jd;  // 13:05 UT
    chart->hide();
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
}

}  // namespace window_controls_test
