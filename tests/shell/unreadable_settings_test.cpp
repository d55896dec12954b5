// A settings file the user may not read (mode 000), met by a user who is not
// root: the program starts all the same and names the file; choosing an orb
// set or a node kind, or changing a drawing setting in its window, never
// writes over it, every window shows the value in force after the refusal,
// and every file of the data folder is afterwards as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "archive/backup_window.h"
#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "display/draw/drawing_state.h"
#include "display/draw/recording_surface.h"
#include "display/settings/calibration_window.h"
#include "display/settings/line_width_dialog.h"
#include "display/settings/printer_model_dialog.h"
#include "display/wheel/stroke_glyphs.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "engine/orb_set_choice.h"
#include "platform/gui/field_state.h"
#include "platform/gui/idle.h"
#include "platform/gui/text_convert.h"
#include "shell/orb_settings_window.h"
#include "shell/subsystem_windows.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/shell/shell_test_support.h"

namespace unreadable_settings_test {

namespace fs = std::filesystem;
using shell_testing::CrLfLines;
using shell_testing::Snapshot;
using testing_support::ReadBytes;

namespace {

constexpr uid_t kNobody = 65534;

// What the unprivileged run saw.
struct Seen {
    std::vector<std::string> messages;
    std::map<std::string, std::string> values;
};

// The user's data folder after a run as root: the user's own engine settings
// (Koch houses, mean node, true black moon), orb sets of the user's own (B
// 7.5 everywhere, C 3) with set B in force, a current person; all of it the
// unprivileged user's.
class UsersDataFolder {
public:
    UsersDataFolder() {
        gui::RecordingMessageSink setup;
        rt::PrepareDataFolder();
        shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest());
        shell_testing::CreateStartWindowsForTest();
        shell_testing::StartedMainWindow()->show();
        shell_testing::StartedMainWindow()->Refresh();
        engine::OrbSets sets = engine::DefaultOrbSets();
        sets.orbs[1].fill(7.5L);
        sets.orbs[2].fill(3);
        engine::SaveOrbSets(sets);
        engine::ApplyOrbSet(testing_support::CurrentChartOfTest().settings, testing_support::CurrentChartOfTest().orbs,
                            "B", shell_testing::ShowSettingsMessage);
        engine::SetEngineSettingsLine(testing_support::CurrentChartOfTest().settings,
                                      testing_support::CurrentChartOfTest().orbs, 17, "KOCH",
                                      shell_testing::ShowSettingsMessage);
        engine::SetEngineSettingsLine(testing_support::CurrentChartOfTest().settings,
                                      testing_support::CurrentChartOfTest().orbs, 18, "MEDIO",
                                      shell_testing::ShowSettingsMessage);
        engine::SetEngineSettingsLine(testing_support::CurrentChartOfTest().settings,
                                      testing_support::CurrentChartOfTest().orbs, 20, "VERA",
                                      shell_testing::ShowSettingsMessage);
        shell_testing::MakeMeriniCurrent();
        shell_testing::StartedMainWindow()->Refresh();
        shell_testing::FreeStartWindowsForTest();
        gui::ClearModalHandlers();
        gui::ClearIdleHandler();
        EXPECT_TRUE(setup.messages.empty()) << setup.messages[0].text;
        for (const auto& e : fs::recursive_directory_iterator(work_.Path()))
            EXPECT_EQ(lchown(e.path().c_str(), kNobody, kNobody), 0) << e.path();
        EXPECT_EQ(lchown(work_.Path().c_str(), kNobody, kNobody), 0);
    }
    fs::path Data() const { return fs::current_path(); }

    // Runs a program start as the unprivileged user with `file` unreadable,
    // then `walk`; returns what they saw, the messages in order among the
    // walk's own marks.
    Seen StartWith(const char* file, const std::function<void(Seen&)>& walk) {
        Seen seen;
        const gui::MessageSink previous = gui::SetMessageSink([&seen](const gui::MessageRequest& r) {
            seen.messages.push_back(r.text);
            return int(gui::kAnswerOk);
        });
        gui::SetDefaultModalHandler([](QDialog* d) {
            ADD_FAILURE() << "unexpected dialog " << d->objectName().toStdString();
            return int(gui::kModalCancel);
        });
        {
            testing_support::UnprivilegedScope nobody;
            EXPECT_TRUE(nobody.Active());
            EXPECT_EQ(chmod(file, 0), 0);
            shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest());
            shell_testing::CreateStartWindowsForTest();
            shell_testing::StartedMainWindow()->show();
            shell_testing::StartedMainWindow()->Refresh();
            walk(seen);
            shell_testing::FreeStartWindowsForTest();
            gui::ClearModalHandlers();
            gui::ClearIdleHandler();
        }
        gui::SetMessageSink(previous);
        return seen;
    }

private:
    testing_support::TempWorkFolder work_;
    shell_testing::DesktopScope desktop_;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Chooses a set with the orb settings window's "Kies" buttons, then closes it.
void ChooseInOrbWindow(std::size_t set) {
    gui::SetModalHandler("FoOrbKel", [set](QDialog* d) {
        auto* w = static_cast<shell::OrbSettingsWindow*>(d);
        gui::Guard([w] { w->Refresh(); });
        w->setColumns[set].chooseButton->click();
        w->returnButton->click();
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnVarOrbAsp")->click();
}

// Unlocks the boxes and picks the line of a box, as a user does.
void Pick(QComboBox* box, int line) {
    if (!box->isEnabled())
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBlk")->click();
    box->setCurrentIndex(line);
    Q_EMIT box->activated(line);
    gui::RunIdleHandler();
    gui::RunIdleHandler();  // the window idles on: a refused choice is said once
}

}  // namespace

TEST(UnreadableSettings, TheStartGoesOnAndNoChoiceWritesOverTheFile) {
    UsersDataFolder folder;
    const auto before = Snapshot(folder.Data());
    const Seen seen = folder.StartWith("FileSet/OrbiDomi.stt", [](Seen& s) {
        shell::MainWindow* main = shell_testing::StartedMainWindow();
        // What the start did past the file it could not read.
        s.values["node box"] = gui::FromQt(testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->currentText());
        s.values["orb box"] = gui::FromQt(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->currentText());
        s.values["black moon"] = engine::BlackMoonKindText(testing_support::CurrentChartOfTest().settings.blackMoon);
        s.values["trine orb"] =
            std::to_string(static_cast<double>(testing_support::CurrentChartOfTest().orbs.aspectOrbs[3]));
        s.values["printer"] = testing_support::DrawingStateOfTest().printerPresent ? "yes" : "no";
        s.values["person"] =
            gui::FromQt(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoDati")->toPlainText()).substr(0, 11);
        display::RecordingSurface caption{testing_support::DrawingStateOfTest()};
        display::DrawCaptionPair(caption, 100, 100,
                                 testing_support::WindowOfTest<display::SheetViewer>()->SheetUserName());
        std::string texts;
        for (const std::string& call : caption.Calls("text")) texts += call + "; ";
        s.values["sheet caption"] = Contains(texts, "Nome Cognome") ? "user's name" : texts;
        s.messages.push_back("-- set B in the orb window");
        ChooseInOrbWindow(shell::kSetB);
        // Back in the main window: the set in force is still the one shown.
        s.values["orb box after the window"] =
            gui::FromQt(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->currentText());
        s.values["set after the window"] = testing_support::CurrentChartOfTest().orbs.setLetter;
        s.messages.push_back("-- set C in the orb box");
        Pick(testing_support::ControlOf<QComboBox>(*main, "ComboOrb"), 2);
        s.values["orb box after"] =
            gui::FromQt(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->currentText());
        s.values["set after"] = testing_support::CurrentChartOfTest().orbs.setLetter;
        s.messages.push_back("-- MEDIO in the node box");
        Pick(testing_support::ControlOf<QComboBox>(*main, "ComboNodo"), 1);
        s.values["node box after"] =
            gui::FromQt(testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->currentText());
        s.values["node after"] = engine::NodeKindText(testing_support::CurrentChartOfTest().settings.node);
    });

    // The start named the file, took the defaults for this run and did the rest.
    ASSERT_EQ(seen.messages.size(), 8u);
    EXPECT_TRUE(Contains(seen.messages[0], "\"FileSet\\OrbiDomi.stt\" non si pu\xF2 leggere (Accesso al file negato)"))
        << seen.messages[0];
    EXPECT_TRUE(Contains(seen.messages[0], "il programma non lo sovrascrive")) << seen.messages[0];
    EXPECT_EQ(seen.values.at("node box"), "VERO");
    EXPECT_EQ(seen.values.at("orb box"), "A (normali)");
    EXPECT_EQ(seen.values.at("black moon"), "MEDIA");
    EXPECT_EQ(seen.values.at("trine orb"), "8.000000");
    EXPECT_EQ(seen.values.at("printer"), "yes");
    EXPECT_EQ(seen.values.at("person"), "MERINI ALDA");
    EXPECT_EQ(seen.values.at("sheet caption"), "user's name");
    // The orb window names the file when it opens, and its "Kies" is refused.
    EXPECT_EQ(seen.messages[1], "-- set B in the orb window");
    EXPECT_TRUE(Contains(seen.messages[2], "Accesso al file negato: \"FileSet\\OrbiDomi.stt\"")) << seen.messages[2];
    EXPECT_TRUE(Contains(seen.messages[3], "Le impostazioni non sono state salvate: il file \"FileSet\\OrbiDomi.stt\""))
        << seen.messages[3];
    EXPECT_EQ(seen.values.at("orb box after the window"), "A (normali)");
    EXPECT_EQ(seen.values.at("set after the window"), "A");
    // So are the boxes, and they show the set and node in force again.
    EXPECT_EQ(seen.messages[4], "-- set C in the orb box");
    EXPECT_TRUE(Contains(seen.messages[5], "Le impostazioni non sono state salvate")) << seen.messages[5];
    EXPECT_EQ(seen.values.at("orb box after"), "A (normali)");
    EXPECT_EQ(seen.values.at("set after"), "A");
    EXPECT_EQ(seen.messages[6], "-- MEDIO in the node box");
    EXPECT_TRUE(Contains(seen.messages[7], "Le impostazioni non sono state salvate")) << seen.messages[7];
    EXPECT_EQ(seen.values.at("node box after"), "VERO");
    EXPECT_EQ(seen.values.at("node after"), "VERO");

    // Every file as it was: the user's settings, the orb sets, the rest.
    const auto after = Snapshot(folder.Data());
    for (const auto& [name, bytes] : after)
        EXPECT_TRUE(before.count(name) && before.at(name) == bytes) << name << " changed or added";
    for (const auto& [name, bytes] : before) EXPECT_TRUE(after.count(name)) << name << " removed";
    const std::vector<std::string> settings = CrLfLines(ReadBytes(folder.Data() / "FileSet" / "OrbiDomi.stt"));
    ASSERT_EQ(settings.size(), 20u);
    EXPECT_EQ(settings[16], "KOCH");
    EXPECT_EQ(settings[17], "MEDIO");
    EXPECT_EQ(settings[19], "VERA");
}

// The box's list may report the pick once more while the refusal is on the
// screen (its own late events reach it then); the user reads the refusal
// once, and the box goes on showing what is in force.
TEST(UnreadableSettings, APickReportedAgainWhileItsRefusalIsShownIsRefusedOnce) {
    UsersDataFolder folder;
    const Seen seen = folder.StartWith("FileSet/OrbiDomi.stt", [](Seen& s) {
        QComboBox* box = nullptr;
        const gui::MessageSink walkSink = gui::SetMessageSink([&](const gui::MessageRequest& r) {
            s.messages.push_back(r.text);
            if (box) Q_EMIT box->activated(box->currentIndex());  // the late report
            return int(gui::kAnswerOk);
        });
        for (QComboBox* b : {testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb"),
                             testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboNodo")}) {
            s.messages.push_back("-- " + b->objectName().toStdString());
            box = b;
            Pick(b,
                 b == testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb") ? 2 : 1);
            box = nullptr;
            gui::RunIdleHandler();
        }
        s.values["orb box"] = gui::FromQt(
            testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb")->currentText());
        s.values["node box"] = gui::FromQt(
            testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboNodo")->currentText());
        gui::SetMessageSink(walkSink);
    });
    ASSERT_EQ(seen.messages.size(), 5u);
    EXPECT_EQ(seen.messages[1], "-- ComboOrb");
    EXPECT_TRUE(Contains(seen.messages[2], "Le impostazioni non sono state salvate")) << seen.messages[2];
    EXPECT_EQ(seen.messages[3], "-- ComboNodo");
    EXPECT_TRUE(Contains(seen.messages[4], "Le impostazioni non sono state salvate")) << seen.messages[4];
    EXPECT_EQ(seen.values.at("orb box"), "A (normali)");
    EXPECT_EQ(seen.values.at("node box"), "VERO");
}

// A file that becomes readable again during the run is read before it is
// written, so the user's own settings, not the defaults that stood in for
// it, go into it with the chosen set.
TEST(UnreadableSettings, AFileReadableAgainGetsTheChoiceWithTheUsersOwnSettings) {
    UsersDataFolder folder;
    const Seen seen = folder.StartWith("FileSet/OrbiDomi.stt", [](Seen& s) {
        Pick(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboNodo"), 1);
        chmod("FileSet/OrbiDomi.stt", 0644);
        s.messages.push_back("-- readable again");
        Pick(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb"), 1);
        s.values["orb box"] = gui::FromQt(
            testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb")->currentText());
        s.values["houses"] = engine::HouseSystemText(testing_support::CurrentChartOfTest().settings.houseSystem);
    });
    ASSERT_EQ(seen.messages.size(), 3u);
    EXPECT_TRUE(Contains(seen.messages[1], "Le impostazioni non sono state salvate")) << seen.messages[1];
    EXPECT_EQ(seen.messages[2], "-- readable again");
    EXPECT_EQ(seen.values.at("orb box"), "B (personali)");
    EXPECT_EQ(seen.values.at("houses"), "KOCH");
    const std::vector<std::string> settings = CrLfLines(ReadBytes(folder.Data() / "FileSet" / "OrbiDomi.stt"));
    ASSERT_EQ(settings.size(), 20u);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(std::stold(settings[static_cast<std::size_t>(i)]), 7.5L) << "line " << i + 1;
    EXPECT_EQ(settings[16], "KOCH");
    EXPECT_EQ(settings[17], "MEDIO");
    EXPECT_EQ(settings[18], "B");
    EXPECT_EQ(settings[19], "VERA");
}

// The drawing settings the same way: the main window is filled past the file
// it cannot read, and the line width is not saved over it.
TEST(UnreadableSettings, TheDrawingSettingsAreNeitherNeededNorWrittenOver) {
    UsersDataFolder folder;
    const auto before = Snapshot(folder.Data());
    const Seen seen = folder.StartWith("FileSet/MMVarLas.stt", [](Seen& s) {
        s.values["person"] =
            gui::FromQt(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                            ->toPlainText())
                .substr(0, 11);
        s.values["user"] = gui::FromQt(
            testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnNomeCognome")->text());
        s.values["line width"] =
            std::to_string(static_cast<double>(testing_support::DrawingStateOfTest().lineWidthFactor));
        s.values["aspect"] = std::to_string(static_cast<double>(testing_support::DrawingStateOfTest().aspectScaleX));
        // Every dialog activates the main window again: the file is named once.
        shell_testing::StartedMainWindow()->Refresh();
        s.messages.push_back("-- thicker lines");
        gui::SetModalHandler("FoSpeLin", [&s](QDialog* d) {
            auto* w = static_cast<display::LineWidthDialog*>(d);
            w->ShowFactorInForce();
            testing_support::ControlOf<QToolButton>(*w, "SpinButton1Up")->click();
            testing_support::ControlOf<QPushButton>(*w, "BitBtnRitorna")->click();
            s.values["closed"] = w->result() == 5 ? "yes" : "no";
            return w->result();
        });
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn22")->click();
    });
    ASSERT_GE(seen.messages.size(), 2u);
    EXPECT_TRUE(Contains(seen.messages[0], "Accesso al file negato: \"FileSet\\MMVarLas.stt\"")) << seen.messages[0];
    EXPECT_EQ(seen.messages[1], "-- thicker lines");
    // The press and the closing each tell that nothing was saved; the dialog closes.
    ASSERT_EQ(seen.messages.size(), 4u);
    EXPECT_TRUE(Contains(seen.messages[2], "Le impostazioni non sono state salvate: il file \"FileSet\\MMVarLas.stt\""))
        << seen.messages[2];
    EXPECT_EQ(seen.messages[3], seen.messages[2]);
    EXPECT_EQ(seen.values.at("closed"), "yes");
    EXPECT_EQ(seen.values.at("person"), "MERINI ALDA");
    EXPECT_EQ(seen.values.at("user"), "Nome Cognome");
    EXPECT_EQ(seen.values.at("line width"), "1.000000");
    EXPECT_EQ(seen.values.at("aspect"), "1.000000");
    EXPECT_EQ(Snapshot(folder.Data()), before);
}

namespace {

// The refusal of a change of the drawing settings file.
bool RefusedDrawingChange(const std::string& message) {
    return Contains(message, "Le impostazioni non sono state salvate: il file \"FileSet\\MMVarLas.stt\"");
}

}  // namespace

// The calibration window opens as always past a drawing settings file it
// cannot read (the start named the file): its figure is drawn and its panel
// laid out over it. A bar moved is refused and goes back to the scale in force.
TEST(UnreadableSettings, TheCalibrationWindowWorksAndItsBarsGoBackToTheScalesInForce) {
    UsersDataFolder folder;
    const auto before = Snapshot(folder.Data());
    const Seen seen = folder.StartWith("FileSet/MMVarLas.stt", [](Seen& s) {
        s.messages.push_back("-- the calibration window");
        gui::SetModalHandler("FgrTxtKel", [&s](QDialog* d) {
            auto* w = static_cast<display::CalibrationWindow*>(d);
            gui::Guard([w] { w->PrepareOpening(); });
            s.values["timer"] = testing_support::ControlOf<QTimer>(*w, "Timer1")->isActive() ? "running" : "stopped";
            // The timer's first tick only counts, the second draws.
            w->DrawWhenReady();
            w->DrawWhenReady();
            // The panel centred on the circle, in pixels of the 1280 x 1024 screen.
            const QPoint centre = testing_support::ControlOf<QWidget>(*w, "Panel1")->geometry().center();
            s.values["panel centre"] = std::to_string(centre.x()) + "," + std::to_string(centre.y());
            const QImage image = w->Snapshot();
            int left = -1;
            for (int x = 0; x < image.width() && left < 0; ++x)
                if (image.pixel(x, 480) == qRgb(255, 0, 0)) left = x;
            // The circle of radius 95 mm about 140 mm: its left edge at 45 mm.
            s.values["circle's left edge"] = std::abs(left - 206) <= 4 ? "at 45 mm" : std::to_string(left);
            s.messages.push_back("-- one step right");
            testing_support::ControlOf<QScrollBar>(*w, "ScBO")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            s.values["bar"] = std::to_string(testing_support::ControlOf<QScrollBar>(*w, "ScBO")->value());
            s.values["scale"] = std::to_string(static_cast<double>(testing_support::DrawingStateOfTest().aspectScaleX));
            s.messages.push_back("-- OK");
            testing_support::ControlOf<QPushButton>(*w, "BBok")->click();
            return w->result();
        });
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBCerchio")->click();
    });
    ASSERT_EQ(seen.messages.size(), 6u);
    EXPECT_EQ(seen.messages[1], "-- the calibration window");  // opened without a word
    EXPECT_EQ(seen.values.at("timer"), "running");
    EXPECT_EQ(seen.values.at("panel centre"), "639,463");  // 140 and 101.6 mm at 1280 / 280 pixels a mm
    EXPECT_EQ(seen.values.at("circle's left edge"), "at 45 mm");
    EXPECT_EQ(seen.messages[2], "-- one step right");
    EXPECT_TRUE(RefusedDrawingChange(seen.messages[3])) << seen.messages[3];
    EXPECT_EQ(seen.values.at("bar"), "0");
    EXPECT_EQ(seen.values.at("scale"), "1.000000");
    EXPECT_EQ(seen.messages[4], "-- OK");
    EXPECT_TRUE(RefusedDrawingChange(seen.messages[5])) << seen.messages[5];
    EXPECT_EQ(Snapshot(folder.Data()), before);
}

// The line-width box shows the width in force after a refused step and
// after a refused typed width.
TEST(UnreadableSettings, TheLineWidthBoxShowsTheWidthInForceAfterARefusal) {
    UsersDataFolder folder;
    const auto before = Snapshot(folder.Data());
    const Seen seen = folder.StartWith("FileSet/MMVarLas.stt", [](Seen& s) {
        gui::SetModalHandler("FoSpeLin", [&s](QDialog* d) {
            auto* w = static_cast<display::LineWidthDialog*>(d);
            w->ShowFactorInForce();
            s.messages.push_back("-- thicker");
            testing_support::ControlOf<QToolButton>(*w, "SpinButton1Up")->click();
            s.values["after thicker"] = gui::FromQt(testing_support::ControlOf<QLineEdit>(*w, "EditSpeLin")->text());
            s.messages.push_back("-- 1,3 typed and closed");
            testing_support::ControlOf<QLineEdit>(*w, "EditSpeLin")->selectAll();
            QTest::keyClicks(testing_support::ControlOf<QLineEdit>(*w, "EditSpeLin"), "1,3");
            testing_support::ControlOf<QPushButton>(*w, "BitBtnRitorna")->click();
            s.values["after closing"] = gui::FromQt(testing_support::ControlOf<QLineEdit>(*w, "EditSpeLin")->text());
            return w->result();
        });
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn22")->click();
        s.values["line width"] =
            std::to_string(static_cast<double>(testing_support::DrawingStateOfTest().lineWidthFactor));
    });
    ASSERT_EQ(seen.messages.size(), 5u);
    EXPECT_EQ(seen.messages[1], "-- thicker");
    EXPECT_TRUE(RefusedDrawingChange(seen.messages[2])) << seen.messages[2];
    EXPECT_EQ(seen.values.at("after thicker"), "1");
    EXPECT_EQ(seen.messages[3], "-- 1,3 typed and closed");
    EXPECT_TRUE(RefusedDrawingChange(seen.messages[4])) << seen.messages[4];
    EXPECT_EQ(seen.values.at("after closing"), "1");
    EXPECT_EQ(seen.values.at("line width"), "1.000000");
    EXPECT_EQ(Snapshot(folder.Data()), before);
}

// The printer-model dialog says "WIJZIGING GEMAAKT!" only of a change made:
// a refused one leaves it open on the correction in force.
TEST(UnreadableSettings, ARefusedPrinterModelIsNotSaidToBeMade) {
    UsersDataFolder folder;
    const auto before = Snapshot(folder.Data());
    const Seen seen = folder.StartWith("FileSet/MMVarLas.stt", [](Seen& s) {
        gui::SetModalHandler("FoStampa", [&s](QDialog* d) {
            auto* w = static_cast<display::PrinterModelDialog*>(d);
            w->confirmationMilliseconds = 0;
            w->ShowCorrectionInForce();
            s.messages.push_back("-- Edit Voor Epson");
            // What the dialog shows while the refusal is on the screen.
            const gui::MessageSink walkSink = gui::SetMessageSink([&s, w](const gui::MessageRequest& r) {
                s.messages.push_back(r.text);
                s.values["made, behind the refusal"] =
                    testing_support::ControlOf<QLabel>(*w, "LabModi")->isHidden() ? "no" : "yes";
                return int(gui::kAnswerOk);
            });
            testing_support::ControlOf<QPushButton>(*w, "BitBtn1")->click();
            gui::SetMessageSink(walkSink);
            s.values["made"] = testing_support::ControlOf<QLabel>(*w, "LabModi")->isHidden() &&
                                       testing_support::ControlOf<QLabel>(*w, "LabModi1")->isHidden()
                                   ? "no"
                                   : "yes";
            s.values["note"] = testing_support::ControlOf<QFrame>(*w, "Panel2")->isHidden() ? "Panel1" : "Panel2";
            s.values["open"] = w->result() == 5 ? "no" : "yes";
            testing_support::ControlOf<QPushButton>(*w, "BitBtnRitorna")->click();
            return w->result();
        });
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "SBtipoStamp")->click();
        s.values["correction"] = std::to_string(shell_testing::DrawSettingsOfTest().Values().epsonCorrection);
    });
    ASSERT_EQ(seen.messages.size(), 3u);
    EXPECT_EQ(seen.messages[1], "-- Edit Voor Epson");
    EXPECT_TRUE(RefusedDrawingChange(seen.messages[2])) << seen.messages[2];
    EXPECT_EQ(seen.values.at("made, behind the refusal"), "no");
    EXPECT_EQ(seen.values.at("made"), "no");
    EXPECT_EQ(seen.values.at("note"), "Panel1");
    EXPECT_EQ(seen.values.at("open"), "yes");
    EXPECT_EQ(seen.values.at("correction"), "0");
    EXPECT_EQ(Snapshot(folder.Data()), before);
}

namespace {

// A desktop with one mounted stick.
class DesktopWithStick : public shell_testing::FakeDesktop {
public:
    DesktopWithStick(shell_testing::FakeDesktopLog* log, std::filesystem::path root)
        : FakeDesktop(log, 1280, 1024, true), root_(std::move(root)) {}
    std::vector<gui::Volume> ListVolumes() override { return {{root_.string(), "Chiavetta"}}; }

private:
    std::filesystem::path root_;
};

}  // namespace

// A backup unit that cannot be remembered is not shown as chosen: the field
// keeps the unit in force, and "Backup" asks for one as the field says.
TEST(UnreadableSettings, ARefusedBackupUnitIsNotShownAsChosen) {
    UsersDataFolder folder;
    const auto before = Snapshot(folder.Data());
    const fs::path stick = folder.Data() / "Chiavetta";
    fs::create_directories(stick);
    ASSERT_EQ(lchown(stick.c_str(), kNobody, kNobody), 0);
    shell_testing::FakeDesktopLog log;
    const Seen seen = folder.StartWith("FileSet/MMVarLas.stt", [&](Seen& s) {
        gui::SetSystemServices(std::make_unique<DesktopWithStick>(&log, stick));
        gui::SetModalHandler("FoBakMod1", [&s](QDialog* d) {
            auto* w = static_cast<archive::BackupWindow*>(d);
            w->ResetDestination();
            s.messages.push_back("-- the stick chosen");
            w->chooseVolumeButton->click();
            w->volumeBox->setCurrentIndex(0);
            Q_EMIT w->volumeBox->activated(0);
            s.values["unit"] = gui::FromQt(w->destinationEdit->text());
            s.values["unit's state"] = gui::FromQt(gui::FieldStateName(gui::GetFieldState(w->destinationEdit)));
            s.values["drive list"] = w->volumePanel->isHidden() ? "closed" : "open";
            s.messages.push_back("-- Backup");
            w->backupButton->click();
            w->closeButton->click();
            return int(gui::kModalOk);
        });
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBSalva")->click();
    });
    ASSERT_EQ(seen.messages.size(), 5u);
    EXPECT_EQ(seen.messages[1], "-- the stick chosen");
    EXPECT_TRUE(Contains(seen.messages[2], "Le impostazioni non sono state salvate: il file \"FileSet\\MMVarLas.stt\""))
        << seen.messages[2];
    EXPECT_EQ(seen.values.at("unit"), "?:\\ExkelvorBck");
    EXPECT_EQ(seen.values.at("unit's state"), gui::FromQt(gui::FieldStateName(gui::FieldState::Rejected)));
    EXPECT_EQ(seen.values.at("drive list"), "closed");
    EXPECT_EQ(seen.messages[3], "-- Backup");
    EXPECT_EQ(seen.messages[4], "Necessario definire l'Unit\xE0 di backup");
    EXPECT_FALSE(fs::exists(stick / "ExkelvorBck"));
    EXPECT_EQ(Snapshot(folder.Data()), before);
}

// A folder named as the engine settings file: every message about it says
// that a folder stands there, which is the way on (to move it away), never
// that the file's permissions are wrong.
// A folder in place of the drawing settings: the start names it as a folder,
// says that the defaults stand in for now and that every change of a setting
// is refused, and what to do; the printer model chosen is then refused, and
// the folder stays.
TEST(UnreadableSettings, AFolderInPlaceOfTheDrawingSettingsSaysWhatStandsInAndThatChangesAreRefused) {
    testing_support::TempWorkFolder work;
    shell_testing::DesktopScope desktop;
    gui::RecordingMessageSink messages;
    rt::PrepareDataFolder();
    fs::remove(rt::ResolvePath("FileSet\\MMVarLas.stt"));
    fs::create_directories(rt::ResolvePath("FileSet\\MMVarLas.stt"));
    shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest());
    shell_testing::CreateStartWindowsForTest();
    shell_testing::StartedMainWindow()->show();
    shell_testing::StartedMainWindow()->Refresh();
    shell_testing::StartedMainWindow()->Refresh();  // told once
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(
        messages.messages[0].text,
        "Accesso al file negato: \"FileSet\\MMVarLas.stt\". Al suo posto c'\xE8 una cartella, non un file. "
        "Per ora si usano le impostazioni di disegno predefinite (calibrazione dello schermo, spessore delle linee, "
        "modello della stampante), e ogni modifica di un'impostazione (calibrazione dello schermo, spessore "
        "delle linee, modello della stampante, cartella del backup) viene rifiutata finch\xE9 il file non si "
        "pu\xF2 leggere. Spostare altrove o rinominare la cartella \"FileSet\\MMVarLas.stt\" (il programma tiene "
        "un suo file con quel nome), poi riprovare.");
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().lineWidthFactor, 1.0L);
    gui::SetModalHandler("FoStampa", [](QDialog* d) {
        auto* w = static_cast<display::PrinterModelDialog*>(d);
        w->confirmationMilliseconds = 0;
        w->ShowCorrectionInForce();
        testing_support::ControlOf<QPushButton>(*w, "BitBtn1")->click();
        testing_support::ControlOf<QPushButton>(*w, "BitBtnRitorna")->click();
        return w->result();
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "SBtipoStamp")->click();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_TRUE(RefusedDrawingChange(messages.messages[1].text)) << messages.messages[1].text;
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().epsonCorrection, 0);
    EXPECT_TRUE(fs::is_directory(rt::ResolvePath("FileSet\\MMVarLas.stt")));
    shell_testing::FreeStartWindowsForTest();
    gui::ClearModalHandlers();
    gui::ClearIdleHandler();
}

TEST(UnreadableSettings, AFolderInPlaceOfTheSettingsIsNamedAsAFolder) {
    testing_support::TempWorkFolder work;
    shell_testing::DesktopScope desktop;
    gui::RecordingMessageSink messages;
    rt::PrepareDataFolder();
    fs::remove(rt::ResolvePath("FileSet\\OrbiDomi.stt"));
    fs::create_directories(rt::ResolvePath("FileSet\\OrbiDomi.stt"));
    shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest());
    shell_testing::CreateStartWindowsForTest();
    shell_testing::StartedMainWindow()->show();
    shell_testing::StartedMainWindow()->Refresh();
    Pick(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboNodo"), 1);
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboNodo")->currentText(),
              "VERO");
    ASSERT_EQ(messages.messages.size(), 2u);
    for (const auto& m : messages.messages) {
        EXPECT_TRUE(Contains(m.text, "\"FileSet\\OrbiDomi.stt\"")) << m.text;
        EXPECT_TRUE(Contains(m.text, "al suo posto c'\xE8 una cartella")) << m.text;
        EXPECT_TRUE(Contains(m.text, "Spostare altrove o rinominare la cartella")) << m.text;
        EXPECT_FALSE(Contains(m.text, "permessi")) << m.text;
    }
    EXPECT_TRUE(fs::is_directory(rt::ResolvePath("FileSet\\OrbiDomi.stt")));
    shell_testing::FreeStartWindowsForTest();
    gui::ClearModalHandlers();
    gui::ClearIdleHandler();
}

}  // namespace unreadable_settings_test
