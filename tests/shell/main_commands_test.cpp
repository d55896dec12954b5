// The main window's archive commands open their dialogs near it and reload the
// current person afterwards.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdlib>

#include "archive/archive_files.h"
#include "archive/backup_window.h"
#include "archive/change_dialog.h"
#include "archive/chart_strings.h"
#include "archive/current_chart.h"
#include "archive/input_dialog.h"
#include "archive/recall_dialog.h"
#include "archive/store_dialog.h"
#include "display/chart/chart_window.h"
#include "engine/chart.h"
#include "platform/gui/idle.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/shell/shell_test_support.h"

using shell_testing::ProgramStart;

TEST(MainCommandsTest, EachArchiveButtonShowsItsDialog) {
    ProgramStart start;
    std::vector<QString> shown;
    for (const char* name : {"FormRich", "FoInputKel", "FoCancel", "FoModifi", "FoBakMod1"})
        gui::SetModalHandler(name, [&shown](QDialog* d) {
            shown.push_back(d->objectName());
            return int(gui::kModalCancel);
        });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnDati")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnInputA")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnCancel")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn1")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBSalva")->click();
    EXPECT_EQ(shown, (std::vector<QString>{"FormRich", "FoInputKel", "FoCancel", "FoModifi", "FoBakMod1"}));
    EXPECT_EQ(testing_support::WindowOfTest<archive::BackupWindow>(), nullptr);  // released when it closed
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(MainCommandsTest, APersonStoredThroughTheEntryDialogIsShownAfterwards) {
    ProgramStart start;
    shell_testing::EnterGalileoWhenTheEntryDialogOpens();
    gui::SetModalHandler("FormRegKel", [](QDialog* d) {
        auto* store = static_cast<archive::StoreDialog*>(d);
        store->ShowEnteredBirthData();
        store->StoreAndClose();
        return int(gui::kModalOk);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnInputA")->click();
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                    ->toPlainText()
                    .startsWith("GALILEI GALILEO"));
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                    ->toPlainText()
                    .contains("15/02/1964 10:00"));
}

// The current person follows a change of its own record at once: the main
// window shows the new name, time and note as the change dialog closes, and
// the chart is computed for the new time. A change of another person of the
// same name leaves the current person as it was.
TEST(MainCommandsTest, AChangeOfTheCurrentPersonsRecordIsShownAtOnce) {
    ProgramStart start;
    using shell_testing::StoredRecord;
    archive::StorePersonRecords(
        {"BASE", "ROSSI MARIO", StoredRecord("196001151230-1", "41N54-012E29ROMA"), std::nullopt});
    archive::StorePersonRecords(
        {"BASE", "ROSSI MARIO", StoredRecord("196203040815-1", "45N28-009E12MILANO"), std::nullopt});
    // The ROSSI MARIO of Milan recalled through the recall dialog.
    gui::SetModalHandler("FormRich", [](QDialog* d) {
        auto* recall = static_cast<archive::RecallDialog*>(d);
        recall->ResetAndOpenArchive();
        recall->ChooseLine(1);
        recall->LoadChosenPerson();
        recall->okButton->click();
        return int(gui::kModalOk);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnDati")->click();
    auto shown = [] {
        return testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
            ->toPlainText()
            .toStdString();
    };
    auto name = [] {
        return testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
            ->toPlainText()
            .section('\n', 0, 0)
            .trimmed()
            .toStdString();
    };
    ASSERT_NE(shown().find("MILANO"), std::string::npos) << shown();

    // What the change dialog is given for the person on a line of its list.
    struct Change {
        const char* name;
        const char* time;
        const char* note;
    };
    auto change = [](int line, Change typed) {
        gui::SetModalHandler("FoModifi", [=](QDialog* d) {
            const auto [name, time, note] = typed;
            auto* dialog = static_cast<archive::ChangeDialog*>(d);
            dialog->ResetAndOpenArchive();
            dialog->ChooseLine(line);
            dialog->OpenChosen();
            dialog->nameEdit->setText(name);
            dialog->birthTimeEdit->setText(time);
            dialog->annotationEdits[0]->setText(note);
            dialog->storeButton->click();
            dialog->backButton->click();
            return int(gui::kModalOk);
        });
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn1")->click();
    };
    change(0, {"ROSSI MARIO", "12:45", ""});  // the ROSSI MARIO of Rome
    EXPECT_EQ(name(), "ROSSI MARIO");
    EXPECT_NE(shown().find("Nascita 04/03/1962 08:15"), std::string::npos) << shown();
    EXPECT_EQ(testing_support::CurrentChartOfTest().chart.moment.hour, 8);

    change(1, {"ROSSI MARIO ANTONIO", "14:05", "NATO DI POMERIGGIO"});
    EXPECT_EQ(name(), "ROSSI MARIO ANTONIO");
    EXPECT_NE(shown().find("Nascita 04/03/1962 14:05"), std::string::npos) << shown();
    EXPECT_NE(shown().find("MILANO"), std::string::npos) << shown();
    EXPECT_EQ(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoAnnotaz")
                  ->toPlainText()
                  .trimmed()
                  .toStdString(),
              "NATO DI POMERIGGIO");
    EXPECT_EQ(testing_support::CurrentChartOfTest().chart.moment.hour, 14);
    EXPECT_EQ(testing_support::CurrentChartOfTest().chart.moment.minute, 5);
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
}

TEST(MainCommandsTest, OpenTextShowsThePersonsTextInTheEditor) {
    ProgramStart start;
    testing_support::WriteBytes(start.Data() / "BASEtxt" / "00007.txt", "Rossi\r\n");
    testing_support::WriteBytes(start.Data() / "FileDum" / "StrText.dum", "BASE\r\n00007\r\n");
    std::string named;
    gui::SetModalHandler("FoReMaiH", [&named](QDialog*) {
        named = testing_support::ReadBytes(std::filesystem::current_path() / "FileDum" / "DatModif.dum");
        return int(gui::kModalOk);
    });
    shell_testing::StartedMainWindow()->OpenPersonText();
    EXPECT_EQ(named, "BASEtxt\\00007.txt\r\n");
}

TEST(MainCommandsTest, TheInteractiveModelShowsTheCurrentPersonsWheel) {
    ProgramStart start;
    shell_testing::MakeMeriniCurrent();
    shell_testing::StartedMainWindow()->Refresh();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBProped")->click();
    ASSERT_NE(testing_support::ChartWindowOfTest(), nullptr);
    EXPECT_TRUE(testing_support::ChartWindowOfTest()->isVisible());
    testing_support::ChartWindowOfTest()->DrawWhenReady();  // the timer's ticks, run by hand
    testing_support::ChartWindowOfTest()->DrawWhenReady();
    QImage shot = testing_support::ChartWindowOfTest()->Snapshot();
    ASSERT_FALSE(shot.isNull());
    // The wheel has been drawn: many pixels differ from the background.
    QRgb background = shot.pixel(shot.width() - 1, 0);
    int ink = 0;
    for (int y = 0; y < shot.height(); y += 4)
        for (int x = 0; x < shot.width() / 2; x += 4) ink += shot.pixel(x, y) != background;
    EXPECT_GT(ink, 500);
    if (const char* target = std::getenv("KELVOR_SCREENSHOT")) shot.save(QString::fromUtf8(target));
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
    testing_support::ChartWindowOfTest()->hide();
}

TEST(MainCommandsTest, AMissingRemedyDatabaseIsCreatedEmptyAtStart) {
    testing_support::TempWorkFolder folder;
    rt::PrepareDataFolder();
    std::filesystem::remove(rt::ResolvePath("OpzioneH\\DBmain.rnd"));
    shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest());
    EXPECT_EQ(std::filesystem::file_size(rt::ResolvePath("OpzioneH\\DBmain.rnd")), 4814u);
}

namespace {
// Gives the focus to a window as the window system does and lets the program see it.
void Focus(QWidget* w) {
    w->show();
    w->activateWindow();
    for (int i = 0; i < 20 && QGuiApplication::focusWindow() != w->windowHandle(); ++i)
        QCoreApplication::processEvents();
}
}  // namespace

TEST(MainCommandsTest, TheMainWindowIsActivatedWhenItComesBackFromTheChartWindow) {
    ProgramStart start;
    const archive::BirthRecord r = shell_testing::MakeMeriniCurrent();
    Focus(shell_testing::StartedMainWindow());
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBProped")->click();
    ASSERT_NE(testing_support::ChartWindowOfTest(), nullptr);
    Focus(testing_support::ChartWindowOfTest());
    ASSERT_EQ(QGuiApplication::focusWindow(), testing_support::ChartWindowOfTest()->windowHandle());
    // Meanwhile the boxes were unlocked and another person became current.
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBlk")->click();
    ASSERT_TRUE(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb")->isEnabled());
    archive::WriteCurrentPerson("QUASIMODO SALVATORE", r);
    testing_support::ChartWindowOfTest()->close();
    Focus(shell_testing::StartedMainWindow());
    EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb")->isEnabled());
    EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboNodo")->isEnabled());
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                    ->toPlainText()
                    .startsWith("QUASIMODO SALVATORE"));
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;

    // Back from a message box is no activation: the boxes stay as the user left them.
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBlk")->click();
    ASSERT_TRUE(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb")->isEnabled());
    {
        QMessageBox box;
        Focus(&box);
        ASSERT_EQ(QGuiApplication::focusWindow(), box.windowHandle());
        box.hide();
    }
    Focus(shell_testing::StartedMainWindow());
    EXPECT_TRUE(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb")->isEnabled());
}
