// Start of the program in a fresh data folder, the main window's activation,
// the drawing-settings file, the user name and the instruction documents.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "archive/archive_files.h"
#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "archive/store_dialog.h"
#include "display/chart/chart_window.h"
#include "display/draw/drawing_state.h"
#include "display/settings/line_width_dialog.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/session_end.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/paths.h"
#include "remedies/remedy_files.h"
#include "shell/forms.h"
#include "shell/instructions_dialog.h"
#include "shell/main_window.h"
#include "shell/orb_settings_window.h"
#include "shell/rich_text_window.h"
#include "shell/start_up.h"
#include "shell/subsystem_windows.h"
#include "shell/user_name.h"
#include "shell/user_name_dialog.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/shell/shell_test_support.h"

namespace start_up_test {

namespace fs = std::filesystem;
using shell_testing::CrLfLines;
using shell_testing::DesktopScope;
using shell_testing::ProgramStart;
using shell_testing::Snapshot;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

namespace {

std::map<std::string, fs::file_time_type> WriteTimes(const fs::path& folder) {
    std::map<std::string, fs::file_time_type> out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) out[fs::relative(e.path(), folder).string()] = e.last_write_time();
    return out;
}

const std::string kOne = " 1.00000000000000E+0000";

}  // namespace

TEST(ProgramStartTest, FreshStartCreatesWindowsInOrderAndTheFirstFiles) {
    ProgramStart start;
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages.front().text;

    // Each window by its object name and its own class.
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"FoKelvor", "MainWindow"},
        {"FoNomUte", "UserNameDialog"},
        {"FormRich", "RecallDialog"},
        {"FgrNaKel", "SheetViewer"},
        {"FoMetGra", "MetafileViewer"},
        {"FoPrint", "PrintParentWindow"},
        {"FoOrbKel", "OrbSettingsWindow"},
        {"FoInputKel", "InputDialog"},
        {"FormRegKel", "StoreDialog"},
        {"FoCancel", "DeleteDialog"},
        {"FoReMai1", "StyledRichTextWindow"},
        {"FgrTxtKel", "CalibrationWindow"},
        {"FoSpeLin", "LineWidthDialog"},
        {"FoStampa", "PrinterModelDialog"},
        {"FoTerapi", "TherapyBrowser"},
        {"FoSintom2", "SymptomPlantsWindow"},
        {"FoSintom3", "PlantSymptomsWindow"},
        {"FoModifi", "ChangeDialog"},
        {"FoManut1", "SignatureMaintenanceWindow"},
        {"FoMainArc", "PrimaryEditor"},
        {"FoAggRep", "RepertoryEditor"},
        {"FoAggiorna", "UpdateWindow"},
        {"FoReMaiH", "RichTextWindow"},
        {"FoSegnat", "SignatureSearchWindow"},
        {"FoUtilit", "SearchUtility"},
        {"FoPrinci", "PrinciplesWindow"},
        {"FoPiante", "CompositionWindow"},
        {"FoMali", "DebilityWindow"},
        {"FoSintesi", "SynthesisWindow"},
        {"FgrKelvo", "ChartWindow"},
        {"FoIstDef", "InstructionsDialog"},
    };
    std::vector<QWidget*> forms = shell_testing::TestProgramWindows().Forms();
    ASSERT_EQ(forms.size(), expected.size());
    for (std::size_t i = 0; i < forms.size(); ++i) {
        EXPECT_EQ(forms[i]->objectName().toStdString(), expected[i].first) << "window " << i + 1;
        std::string className = forms[i]->metaObject()->className();
        EXPECT_EQ(className.substr(className.rfind("::") + 2), expected[i].second);
        EXPECT_EQ(forms[i]->isVisible(), i == 0) << expected[i].first;
    }
    EXPECT_EQ(shell_testing::StartedMainWindow(), forms.front());
    EXPECT_EQ(shell_testing::StartedMainWindow()->windowTitle(), "Vireliant NL Basic");

    // The empty personal archive.
    std::string st1 = ReadBytes(rt::ResolvePath("BASE.ST1"));
    ASSERT_EQ(st1.size(), 44u);
    EXPECT_EQ(static_cast<unsigned char>(st1[0]), 43);
    EXPECT_EQ(st1.substr(1, 43), "0 Registro vuoto......................00000");
    EXPECT_EQ(ReadBytes(rt::ResolvePath("BASE.ST2")).size(), 385u);
    std::string st3 = ReadBytes(rt::ResolvePath("BASE.ST3"));
    ASSERT_EQ(st3.size(), 284u);
    EXPECT_EQ(st3.substr(1, 70), "   LO SPAZIO DELIMITATO DA QUESTA CORNICE E'DESTINATO A RICEVERE      ");

    // The drawing settings with their defaults, memory agreeing with the file.
    std::vector<std::string> settings = CrLfLines(ReadBytes(rt::ResolvePath("FileSet\\MMVarLas.stt")));
    EXPECT_EQ(settings, (std::vector<std::string>{"1", "0", "0", "1", kOne, "", kOne, kOne}));
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().gregorianSwitch, 1);
    EXPECT_EQ(testing_support::DrawingStateOfTest().lineWidthFactor, 1.0L);

    // The user name, shown at once.
    EXPECT_EQ(ReadBytes(rt::ResolvePath("FileTmp\\Personal.Tmp")), "Nome\r\nCognome\r\n");
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnNomeCognome")->text(),
              "Nome Cognome");

    // Pages, the boxes locked, the disabled sheet buttons.
    ASSERT_EQ(testing_support::ControlOf<QTabWidget>(*shell_testing::StartedMainWindow(), "PageControl1")->count(), 3);
    EXPECT_EQ(testing_support::ControlOf<QTabWidget>(*shell_testing::StartedMainWindow(), "PageControl1")->tabText(0),
              "Astrologische Functies");
    EXPECT_EQ(testing_support::ControlOf<QTabWidget>(*shell_testing::StartedMainWindow(), "PageControl1")->tabText(1),
              "Raadpleging Remedies");
    EXPECT_EQ(testing_support::ControlOf<QTabWidget>(*shell_testing::StartedMainWindow(), "PageControl1")->tabText(2),
              "Accessoire Functies");
    EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb")->isEnabled());
    EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboNodo")->isEnabled());
    EXPECT_FALSE(testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBoriz2")->isEnabled());
    EXPECT_FALSE(testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBvert2")->isEnabled());
    EXPECT_TRUE(testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBOriz")->isEnabled());
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboNodo")
                  ->currentText()
                  .toStdString(),
              engine::NodeKindText(testing_support::CurrentChartOfTest().settings.node));
}

TEST(ProgramStartTest, ScreenAndPrinterGiveTheDrawingStartValues) {
    ProgramStart start;
    EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().screenAspect), 0.8, 1e-15);
    // A 5:4 screen, narrower than the layout: its 280 units span the screen's width.
    EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().pixelsPerUnit), 1280.0 / 280, 1e-12);
    EXPECT_FLOAT_EQ(testing_support::DrawingStateOfTest().fontScale, static_cast<float>(1280.0L / 280 * 3.7L));
    EXPECT_TRUE(testing_support::DrawingStateOfTest().printerPresent);
    EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().printerPixelsPerUnit), 4760.0 / 210 * 0.776,
                1e-9);
    EXPECT_TRUE(testing_support::DrawingStateOfTest().printerLandscape);
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 1.0L);

    // The full-screen windows cover the screen, hidden, their panel at the bottom.
    std::pair<QWidget*, QWidget*> fullScreen[] = {
        {testing_support::ChartWindowOfTest(), testing_support::ChartControl<QFrame>("Panel1")},
        {testing_support::WindowOfTest<display::SheetViewer>(),
         testing_support::ControlOf<QFrame>(*testing_support::WindowOfTest<display::SheetViewer>(), "Panel1")}};
    for (auto [w, panel] : fullScreen) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->pos(), QPoint(0, 0));
        EXPECT_EQ(w->size(), QSize(1280, 1024));
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->geometry(), QRect(0, 1024 - panel->height(), 1280, panel->height()));
    }
    EXPECT_EQ(testing_support::WindowOfTest<display::CalibrationWindow>()->size(), QSize(1280, 1024));
    EXPECT_FALSE(testing_support::WindowOfTest<display::CalibrationWindow>()->isVisible());
}

TEST(ProgramStartTest, WithoutPrinterOneWarningAndTheStartGoesOn) {
    ProgramStart start(/*printer=*/false);
    ASSERT_EQ(start.messages.Texts(),
              std::vector<std::string>{"OCCORRE INSTALLARE DRIVER STAMPANTE - VEDERE MANUALE (inizio)"});
    EXPECT_FALSE(testing_support::DrawingStateOfTest().printerPresent);
    EXPECT_EQ(testing_support::DrawingStateOfTest().printerPixelsPerUnit, 0.0L);
    EXPECT_EQ(shell_testing::TestProgramWindows().Forms().size(), 31u);
}

// A newer installation brings other versions of shipped files. The next start
// renews those the user does not edit and left as they came, says once which,
// and leaves a shipped text the user edited and a shipped file the user may
// edit (the principles' text) as they are.
TEST(ProgramStartTest, ANewVersionRenewsTheUnchangedShippedFilesAndSaysSoOnce) {
    testing_support::TempWorkFolder work;
    const std::string installed = std::getenv("KELVOR_DATA_DIR");
    struct RestoreInstallation {
        std::string path;
        ~RestoreInstallation() { setenv("KELVOR_DATA_DIR", path.c_str(), 1); }
    } restore{installed};
    const fs::path previous = work.Path() / "previous";
    fs::copy(installed, previous, fs::copy_options::recursive);
    // What the previous version shipped, each a line different from now.
    const char* const kHelp = "Appoggio/Messaggi.txt";
    const char* const kRulers = "Appoggio/GoverAnno.txt";
    const char* const kPrinciples = "Principi.txt";
    for (const char* f : {kHelp, kRulers, kPrinciples})
        WriteBytes(previous / f, "VERSIONE PRECEDENTE\r\n" + ReadBytes(previous / f));

    shell_testing::DesktopScope desktop;
    gui::RecordingMessageSink sink;
    auto start = [] {
        rt::RenewalNotice renewed;
        const fs::path folder = rt::PrepareDataFolder(remedies::RemedySeedGroups(), &renewed);
        shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest(), renewed);
        return folder;
    };
    setenv("KELVOR_DATA_DIR", previous.c_str(), 1);
    const fs::path data = start();
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
    EXPECT_EQ(ReadBytes(data / kHelp), ReadBytes(previous / kHelp));
    const std::string edited = "EDITED BY THE USER\r\n" + ReadBytes(data / kRulers);
    WriteBytes(data / kRulers, edited);

    // The upgrade; a start renews the help text only, and tells it.
    setenv("KELVOR_DATA_DIR", installed.c_str(), 1);
    start();
    ASSERT_EQ(sink.messages.size(), 1u);
    const std::string& told = sink.messages[0].text;
    EXPECT_EQ(told.rfind("Deze versie van het programma heeft in de gegevensmap de bestanden vernieuwd", 0), 0u)
        << told;
    EXPECT_NE(told.find("\r\nAppoggio\\Messaggi.txt\r\n"), std::string::npos) << told;
    EXPECT_EQ(told.find("\r\nAppoggio\\GoverAnno.txt\r\n"), std::string::npos) << told;
    EXPECT_EQ(told.find("Principi"), std::string::npos) << told;
    EXPECT_EQ(ReadBytes(data / kHelp), ReadBytes(fs::path(installed) / kHelp));
    EXPECT_EQ(ReadBytes(data / kRulers), edited);
    EXPECT_EQ(ReadBytes(data / kPrinciples), ReadBytes(previous / kPrinciples));

    // Told once: the next start renews and says nothing, and changes no file.
    const auto before = Snapshot(data);
    start();
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(Snapshot(data), before);
}

namespace {

// Installations of other versions of the program, and starts of the program
// on one of them, as the windows' start tells what the preparation found.
class ShippedVersions {
public:
    explicit ShippedVersions(const fs::path& work) : work_(work), installed_(std::getenv("KELVOR_DATA_DIR")) {}
    ~ShippedVersions() { setenv("KELVOR_DATA_DIR", installed_.c_str(), 1); }
    // The installation of this build, with the files named holding other bytes.
    fs::path Version(const std::string& name, const std::map<std::string, std::string>& changed) {
        const fs::path tree = work_ / name;
        fs::copy(installed_, tree, fs::copy_options::recursive);
        for (const auto& [file, bytes] : changed) WriteBytes(tree / file, bytes);
        return tree;
    }
    const fs::path& Installed() const { return installed_; }
    // A start from `tree`; `answeredByUser` says whether the user answered its
    // renewal message (the session's end answers it otherwise).
    fs::path Start(const fs::path& tree, bool answeredByUser = true) {
        setenv("KELVOR_DATA_DIR", tree.c_str(), 1);
        rt::RenewalNotice renewal;
        const fs::path folder = rt::PrepareDataFolder(remedies::RemedySeedGroups(), &renewal);
        shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest(), renewal,
                       [answeredByUser] { return answeredByUser; });
        return folder;
    }

private:
    fs::path work_;
    fs::path installed_;
};

}  // namespace

// A shipped text the user changed that a new version changed too: the user's
// file stays, the new version is kept beside it under a name that says so,
// and the message names both. Later starts add nothing; a later version
// writes its own over the kept one, never a second copy.
TEST(ProgramStartTest, AChangedShippedFileKeepsTheNewVersionBesideItAndNamesBoth) {
    testing_support::TempWorkFolder work;
    ShippedVersions versions(work.Path());
    const std::string kHelp = "Appoggio/Messaggi.txt";
    const std::string current = ReadBytes(versions.Installed() / kHelp);
    const fs::path previous = versions.Version("previous", {{kHelp, "VERSIONE PRECEDENTE\r\n" + current}});
    const fs::path next = versions.Version("next", {{kHelp, current + "VERSIONE SEGUENTE\r\n"}});
    shell_testing::DesktopScope desktop;
    gui::RecordingMessageSink sink;
    const fs::path data = versions.Start(previous);
    const std::string users = "LA MIA NOTA\r\n" + ReadBytes(data / kHelp);
    WriteBytes(data / kHelp, users);
    versions.Start(previous);
    ASSERT_TRUE(sink.messages.empty()) << sink.messages.front().text;

    versions.Start(versions.Installed());
    ASSERT_EQ(sink.messages.size(), 1u);
    const std::string& told = sink.messages[0].text;
    EXPECT_NE(told.find("\r\nAppoggio\\Messaggi.txt (uw versie)\r\nAppoggio\\Messaggi.txt.dist (de nieuwe versie)"),
              std::string::npos)
        << told;
    EXPECT_EQ(ReadBytes(data / kHelp), users);
    EXPECT_EQ(ReadBytes(data / (kHelp + ".dist")), current);

    const auto before = Snapshot(data);
    versions.Start(versions.Installed());
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(Snapshot(data), before);

    versions.Start(next);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_NE(sink.messages[1].text.find("Appoggio\\Messaggi.txt.dist (de nieuwe versie)"), std::string::npos);
    EXPECT_EQ(ReadBytes(data / kHelp), users);
    EXPECT_EQ(ReadBytes(data / (kHelp + ".dist")), ReadBytes(next / kHelp));
    auto kept = Snapshot(data);
    EXPECT_EQ(std::count_if(kept.begin(), kept.end(),
                            [](const auto& f) { return f.first.find("Messaggi") != std::string::npos; }),
              2);
}

// The end of the session answers the renewal message when it comes while the
// message is open: the files are renewed, and the next start tells them again,
// until the user has answered the message once.
TEST(ProgramStartTest, TheRenewalIsToldAgainUntilTheUserHasAnsweredIt) {
    testing_support::TempWorkFolder work;
    ShippedVersions versions(work.Path());
    const std::string kHelp = "Appoggio/Messaggi.txt";
    const fs::path previous =
        versions.Version("previous", {{kHelp, "VERSIONE PRECEDENTE\r\n" + ReadBytes(versions.Installed() / kHelp)}});
    shell_testing::DesktopScope desktop;
    gui::RecordingMessageSink sink;
    const fs::path data = versions.Start(previous);
    ASSERT_TRUE(sink.messages.empty());

    versions.Start(versions.Installed(), false);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(data / kHelp), ReadBytes(versions.Installed() / kHelp));
    versions.Start(versions.Installed());
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[1].text, sink.messages[0].text);
    versions.Start(versions.Installed());
    EXPECT_EQ(sink.messages.size(), 2u);
}

TEST(MainActivationTest, RepeatingTheActivationChangesNoFile) {
    ProgramStart start;
    auto bytes = Snapshot(start.Data());
    auto times = WriteTimes(start.Data());
    shell_testing::StartedMainWindow()->Refresh();
    shell_testing::StartedMainWindow()->Refresh();
    EXPECT_EQ(Snapshot(start.Data()), bytes);
    EXPECT_EQ(WriteTimes(start.Data()), times);
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(MainActivationTest, LegacyBackupLineIsReplacedAndOtherFoldersKept) {
    ProgramStart start(true, /*activate=*/false);
    const std::string legacy =
        "7\r\n1\r\n3\r\n0\r\n 2.00000000000000E+0000\r\nD:\\VoskBackup\\Dati\r\n"
        " 1.10000000000000E+0000\r\n 9.00000000000000E-0001\r\n";
    WriteBytes(rt::ResolvePath("FileSet\\MMVarLas.stt"), legacy);
    start.Activate();
    std::vector<std::string> lines = CrLfLines(ReadBytes(rt::ResolvePath("FileSet\\MMVarLas.stt")));
    std::vector<std::string> expected = CrLfLines(legacy);
    expected[5] = "Da definire";
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().spareInteger, 7);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().epsonCorrection, 1);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().spareByte, 3);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().gregorianSwitch, 0);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().backupDestination, "Da definire");
    EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().aspectScaleX), 1.1, 1e-14);
    EXPECT_NEAR(static_cast<double>(testing_support::DrawingStateOfTest().aspectScaleY), 0.9, 1e-14);
    EXPECT_EQ(testing_support::DrawingStateOfTest().lineWidthFactor, 2.0L);

    const std::string other = "1\r\n0\r\n0\r\n1\r\n" + kOne + "\r\nE:\\ExkelvorBck\r\n" + kOne + "\r\n" + kOne + "\r\n";
    WriteBytes(rt::ResolvePath("FileSet\\MMVarLas.stt"), other);
    shell_testing::StartedMainWindow()->Refresh();
    EXPECT_EQ(ReadBytes(rt::ResolvePath("FileSet\\MMVarLas.stt")), other);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().backupDestination, "E:\\ExkelvorBck");
}

TEST(MainActivationTest, ZeroFactorsBecomeOneInMemoryOnly) {
    ProgramStart start(true, false);
    const std::string zeros = "1\r\n0\r\n0\r\n1\r\n0\r\n\r\n0\r\n0\r\n";
    WriteBytes(rt::ResolvePath("FileSet\\MMVarLas.stt"), zeros);
    start.Activate();
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().lineWidthFactor, 1.0L);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().aspectScaleX, 1.0L);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().aspectScaleY, 1.0L);
    EXPECT_EQ(testing_support::DrawingStateOfTest().aspectScaleY, 1.0L);
    EXPECT_EQ(ReadBytes(rt::ResolvePath("FileSet\\MMVarLas.stt")), zeros);
}

TEST(MainActivationTest, MalformedSettingsLineIsReportedAndTheProgramGoesOn) {
    ProgramStart start(true, false);
    WriteBytes(rt::ResolvePath("FileSet\\MMVarLas.stt"), "1\r\nabc\r\n");
    start.Activate();
    EXPECT_EQ(start.messages.messages.size(), 1u);
    EXPECT_TRUE(shell_testing::StartedMainWindow()->isVisible());
}

TEST(MainActivationTest, ExistingPersonalIndexIsNeverTouched) {
    ProgramStart start(true, false);
    // Spelled in lower case, and without its data and annotation files.
    WriteBytes(start.Data() / "BASE.st1", std::string(44, 'x'));
    start.Activate();
    EXPECT_EQ(ReadBytes(start.Data() / "BASE.st1"), std::string(44, 'x'));
    EXPECT_FALSE(rt::PathExists("BASE.ST2"));
    EXPECT_FALSE(rt::PathExists("BASE.ST3"));
}

TEST(MainActivationTest, ClosingADialogLocksTheBoxesAgain) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    main->ToggleBoxesLock();
    EXPECT_TRUE(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->isEnabled());
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*main, "BBlk")->property("glyph").toString(), "LockOpen");
    gui::SetModalHandler("FoNomUte", [](QDialog*) { return int(gui::kModalCancel); });
    main->ChangeUserName();
    EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->isEnabled());
    EXPECT_FALSE(testing_support::ControlOf<QComboBox>(*main, "ComboNodo")->isEnabled());
    // An explicit lock turns the boxes grey.
    main->ToggleBoxesLock();
    main->ToggleBoxesLock();
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*main, "BBlk")->property("glyph").toString(), "LockShut");
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*main, "ComboOrb")->palette().color(QPalette::Base),
              QColor(128, 128, 128));
}

TEST(MainWindowTest, AnnotationsMemoAndTheEmptyBox) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoAnnotaz")->isHidden());
    main->ShowAnnotations();
    EXPECT_FALSE(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoAnnotaz")->isHidden());
    main->HideAnnotations();
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*main, "MemoAnnotaz")->isHidden());
    EXPECT_TRUE(testing_support::ControlOf<QPushButton>(*main, "Button2")->isHidden());
    EXPECT_TRUE(testing_support::ControlOf<QListWidget>(*main, "ListBox1")->isHidden());
    main->HideEmptyBox();
    EXPECT_TRUE(testing_support::ControlOf<QComboBox>(*main, "Cbox1")->isHidden());
}

TEST(UserNameTest, OkWithoutChangesWritesNothing) {
    ProgramStart start;
    fs::path file = rt::ResolvePath("FileTmp\\Personal.Tmp");
    auto old = fs::last_write_time(file) - std::chrono::hours(24);
    fs::last_write_time(file, old);
    gui::SetModalHandler("FoNomUte", [](QDialog* d) {
        auto* dialog = static_cast<shell::UserNameDialog*>(d);
        dialog->ShowUserName();
        testing_support::ControlOf<QPushButton>(*dialog, "BitBtnOk")->click();
        return dialog->result();
    });
    shell_testing::StartedMainWindow()->ChangeUserName();
    EXPECT_EQ(fs::last_write_time(file), old);
    EXPECT_EQ(ReadBytes(file), "Nome\r\nCognome\r\n");
}

// A name with characters the file has no code for is refused, naming them:
// the dialog stays open on it and the file keeps the names it had.
TEST(UserNameTest, CharactersTheFileCannotHoldAreRefusedNotSavedAsQuestionMarks) {
    ProgramStart start;
    int afterRefusal = -1;
    std::string fileAfterRefusal;
    gui::SetModalHandler("FoNomUte", [&](QDialog* d) {
        auto* dialog = static_cast<shell::UserNameDialog*>(d);
        dialog->ShowUserName();
        testing_support::ControlOf<QLineEdit>(*dialog, "EditCognome")->setText(QString::fromUtf8("Rossi \u5C71"));
        testing_support::ControlOf<QPushButton>(*dialog, "BitBtnOk")->click();
        afterRefusal = dialog->result();
        fileAfterRefusal = ReadBytes(rt::ResolvePath("FileTmp\\Personal.Tmp"));
        EXPECT_EQ(dialog->focusWidget(), testing_support::ControlOf<QLineEdit>(*dialog, "EditCognome"));
        testing_support::ControlOf<QLineEdit>(*dialog, "EditCognome")->setText("Rossi");
        testing_support::ControlOf<QPushButton>(*dialog, "BitBtnOk")->click();
        return dialog->result();
    });
    shell_testing::StartedMainWindow()->ChangeUserName();
    EXPECT_EQ(afterRefusal, QDialog::Rejected);  // not closed
    EXPECT_EQ(fileAfterRefusal, "Nome\r\nCognome\r\n");
    EXPECT_EQ(start.messages.Texts(), std::vector<std::string>{"Il cognome contiene caratteri che non possono essere "
                                                               "registrati (U+5C71): toglierli o scriverli con altre "
                                                               "lettere."});
    EXPECT_EQ(ReadBytes(rt::ResolvePath("FileTmp\\Personal.Tmp")), "Nome\r\nRossi\r\n");
}

TEST(UserNameTest, EditedNamesAreSavedCutAndShown) {
    ProgramStart start;
    gui::SetModalHandler("FoNomUte", [](QDialog* d) {
        auto* dialog = static_cast<shell::UserNameDialog*>(d);
        dialog->ShowUserName();
        EXPECT_EQ(testing_support::ControlOf<QLineEdit>(*dialog, "EditNome")->text(), "Nome");
        testing_support::ControlOf<QLineEdit>(*dialog, "EditNome")
            ->setText(QString::fromUtf8("J\u00e9r\u00f4me ") + QString(100, 'x'));
        testing_support::ControlOf<QLineEdit>(*dialog, "EditCognome")->setText("Rossi");
        testing_support::ControlOf<QPushButton>(*dialog, "BitBtnOk")->click();
        return dialog->result();
    });
    shell_testing::StartedMainWindow()->ChangeUserName();
    std::string given = "J\xE9r\xF4me " + std::string(73, 'x');
    EXPECT_EQ(ReadBytes(rt::ResolvePath("FileTmp\\Personal.Tmp")), given + "\r\nRossi\r\n");
    EXPECT_EQ(shell_testing::UserNameOfTest().userGivenName.size(), 80u);
    EXPECT_EQ(shell_testing::UserNameOfTest().userFullName, (given + " Rossi").substr(0, 80));
    EXPECT_EQ(
        gui::FromQt(
            testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnNomeCognome")->text()),
        shell_testing::UserNameOfTest().userFullName);

    // Both fields emptied: two empty lines, the button shows one blank.
    gui::SetModalHandler("FoNomUte", [](QDialog* d) {
        auto* dialog = static_cast<shell::UserNameDialog*>(d);
        dialog->ShowUserName();
        testing_support::ControlOf<QLineEdit>(*dialog, "EditNome")->clear();
        testing_support::ControlOf<QLineEdit>(*dialog, "EditCognome")->clear();
        testing_support::ControlOf<QPushButton>(*dialog, "BitBtnOk")->click();
        return dialog->result();
    });
    shell_testing::StartedMainWindow()->ChangeUserName();
    EXPECT_EQ(ReadBytes(rt::ResolvePath("FileTmp\\Personal.Tmp")), "\r\n\r\n");
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnNomeCognome")->text(),
              " ");
}

// The name file of random bytes, then cut in half: kept beside itself, written
// anew with the placeholders, which the main window shows instead of garbage.
TEST(UserNameTest, ADamagedNameFileIsKeptAndNoGarbageIsShown) {
    ProgramStart start;
    const fs::path file = rt::ResolvePath("FileTmp\\Personal.Tmp");
    const std::string garbage = testing_support::RandomBytes(40, 3);
    int copy = 0;
    for (const std::string& damaged : {garbage, std::string("Maria\r\nRos")}) {
        SCOPED_TRACE(copy);
        WriteBytes(file, damaged);
        start.messages.messages.clear();
        start.Activate();
        start.Activate();  // told once
        EXPECT_EQ(gui::FromQt(
                      testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnNomeCognome")
                          ->text()),
                  "Nome Cognome");
        ASSERT_EQ(start.messages.messages.size(), 1u);
        const std::string kept = "Personal.Tmp.damaged" + std::to_string(++copy);
        EXPECT_EQ(start.messages.messages[0].text.rfind("Il file del nome dell'utente \"FileTmp\\Personal.Tmp\" era "
                                                        "danneggiato (",
                                                        0),
                  0u)
            << start.messages.messages[0].text;
        EXPECT_NE(start.messages.messages[0].text.find("conservato come \"" + kept +
                                                       "\". Inserire di nuovo il proprio nome"),
                  std::string::npos)
            << start.messages.messages[0].text;
        EXPECT_EQ(ReadBytes(file.parent_path() / kept), damaged);
        EXPECT_EQ(ReadBytes(file), "Nome\r\nCognome\r\n");
    }
}

TEST(MainWindowTest, DialogsOpenAtTheLowerRightOfTheMainWindow) {
    ProgramStart start;
    shell_testing::StartedMainWindow()->move(100, 80);
    QRect seen;
    gui::SetModalHandler("FoNomUte", [&seen](QDialog* d) {
        seen = d->frameGeometry();
        return int(gui::kModalCancel);
    });
    shell_testing::StartedMainWindow()->ChangeUserName();
    QRect main = shell_testing::StartedMainWindow()->frameGeometry();
    EXPECT_EQ(seen.bottomRight(), main.bottomRight() + QPoint(10, 10));
    EXPECT_EQ(testing_support::ControlOf<QComboBox>(*shell_testing::StartedMainWindow(), "ComboOrb")->currentText(),
              "A (normali)");
}

TEST(UserNameTest, CancelKeepsTheNames) {
    ProgramStart start;
    gui::SetModalHandler("FoNomUte", [](QDialog* d) {
        auto* dialog = static_cast<shell::UserNameDialog*>(d);
        dialog->ShowUserName();
        testing_support::ControlOf<QLineEdit>(*dialog, "EditNome")->setText("Other");
        testing_support::ControlOf<QPushButton>(*dialog, "BitBtnAnnulla")->click();
        return dialog->result();
    });
    shell_testing::StartedMainWindow()->ChangeUserName();
    EXPECT_EQ(shell_testing::UserNameOfTest().userGivenName, "Nome");
    EXPECT_EQ(ReadBytes(rt::ResolvePath("FileTmp\\Personal.Tmp")), "Nome\r\nCognome\r\n");
}

TEST(InstructionsTest, ChooserStartsWithTheShortInstructionsEveryTime) {
    ProgramStart start;
    auto choose = [](bool full) {
        gui::SetModalHandler("FoIstDef", [full](QDialog* d) {
            auto* dialog = static_cast<shell::InstructionsDialog*>(d);
            dialog->SelectShortInstructions();
            EXPECT_TRUE(testing_support::ControlOf<QRadioButton>(*dialog, "RB1")->isChecked());
            if (full) testing_support::ControlOf<QRadioButton>(*dialog, "RB2")->setChecked(true);
            testing_support::ControlOf<QPushButton>(*dialog, "BitBtn1")->click();
            return dialog->result();
        });
        shell_testing::StartedMainWindow()->OpenInstructionsDialog();
    };
    choose(true);
    choose(false);
    shell_testing::StartedMainWindow()->OpenBooklet();
    const auto& opened = start.desktop.log.openedDocuments;
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(fs::path(opened[0]), start.Data() / "Istruzioni.pdf");
    EXPECT_EQ(fs::path(opened[1]), start.Data() / "Istruzioni_J.pdf");
    EXPECT_EQ(fs::path(opened[2]), start.Data() / "Dispensa.pdf");
    // The documents are shipped in the data folder.
    for (const char* name : {"Istruzioni.pdf", "Istruzioni_J.pdf", "Dispensa.pdf"})
        EXPECT_TRUE(fs::exists(start.Data() / name)) << name;
}

// Without a PDF viewer the user is told that the manual could not be opened,
// and where it lies, once the chooser has closed.
TEST(InstructionsTest, WithoutAViewerTheMessageNamesTheFile) {
    ProgramStart start;
    start.desktop.log.noViewer = true;
    std::vector<std::string> texts;
    QDialog* chooser = nullptr;
    bool chooserOpenAtMessage = false;
    const gui::MessageSink previous = gui::SetMessageSink([&](const gui::MessageRequest& r) {
        chooserOpenAtMessage = chooserOpenAtMessage || (chooser && chooser->isVisible());
        texts.push_back(r.text);
        return int(gui::kAnswerOk);
    });
    gui::SetModalHandler("FoIstDef", [&](QDialog* d) {
        auto* dialog = static_cast<shell::InstructionsDialog*>(d);
        chooser = dialog;
        dialog->show();
        testing_support::ControlOf<QRadioButton>(*dialog, "RB2")->setChecked(true);
        testing_support::ControlOf<QPushButton>(*dialog, "BitBtn1")->click();
        return dialog->result();
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBistruz")->click();
    EXPECT_EQ(testing_support::WindowOfTest<shell::InstructionsDialog>()->result(), QDialog::Accepted);
    EXPECT_FALSE(chooserOpenAtMessage);
    chooser = nullptr;
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBdispensa")->click();
    gui::SetMessageSink(previous);
    const auto message = [&](const char* file) {
        return "Geen PDF-lezer kon het bestand openen:\n" + (start.Data() / file).string() +
               "\nIs er een PDF-lezer ge\xEFnstalleerd?";
    };
    EXPECT_EQ(texts, (std::vector<std::string>{message("Istruzioni.pdf"), message("Dispensa.pdf")}));
    EXPECT_EQ(start.desktop.log.openedDocuments.size(), 2u);
}

TEST(InstructionsTest, BackButtonOpensNothing) {
    ProgramStart start;
    gui::SetModalHandler("FoIstDef", [](QDialog* d) {
        auto* dialog = static_cast<shell::InstructionsDialog*>(d);
        testing_support::ControlOf<QPushButton>(*dialog, "BitBtn2")->click();
        return dialog->result();
    });
    shell_testing::StartedMainWindow()->OpenInstructionsDialog();
    EXPECT_TRUE(start.desktop.log.openedDocuments.empty());
    EXPECT_EQ(testing_support::ControlOf<QPushButton>(*testing_support::WindowOfTest<shell::InstructionsDialog>(),
                                                      "BitBtn2")
                  ->text(),
              "Backards");
}

// Saves a picture of the main window when KELVOR_SCREENSHOT names a file.
TEST(MainWindowTest, Screenshot) {
    const char* target = std::getenv("KELVOR_SCREENSHOT");
    if (!target || !*target) GTEST_SKIP() << "KELVOR_SCREENSHOT not set";
    ProgramStart start;
    for (int page = 0; page < 3; ++page) {
        testing_support::ControlOf<QTabWidget>(*shell_testing::StartedMainWindow(), "PageControl1")
            ->setCurrentIndex(page);
        QPixmap shot = shell_testing::StartedMainWindow()->grab();
        ASSERT_TRUE(shot.save(QString::fromUtf8(target).replace(".png", QString("-%1.png").arg(page + 1))));
    }
    WriteBytes(start.Data() / "MieiTesti" / "Tema1.txt", "Tema di prova\r\n\r\nSecondo paragrafo.\r\n");
    WriteBytes(start.Data() / "FileDum" / "DatModif.dum", "MieiTesti\\Tema1.txt\r\n");
    testing_support::WindowOfTest<shell::RichTextWindow>()->show();
    ASSERT_TRUE(testing_support::WindowOfTest<shell::RichTextWindow>()->grab().save(
        QString::fromUtf8(target).replace(".png", "-editor.png")));
}

TEST(MainWindowTest, ClosingKeepsRunningWhileAnEditorKeepsUnsavedText) {
    ProgramStart start;
    testing_support::WindowOfTest<shell::RichTextWindow>()->show();
    testing_support::WindowOfTest<shell::RichTextWindow>()->editor->insertPlainText("unsaved");
    start.messages.answers.push_back(gui::kAnswerCancel);
    EXPECT_FALSE(shell_testing::StartedMainWindow()->close());
    EXPECT_TRUE(shell_testing::StartedMainWindow()->isVisible());
    EXPECT_TRUE(testing_support::WindowOfTest<shell::RichTextWindow>()->isVisible());
    start.messages.answers.push_back(gui::kAnswerNo);
    EXPECT_TRUE(shell_testing::StartedMainWindow()->close());
    EXPECT_FALSE(testing_support::WindowOfTest<shell::RichTextWindow>()->isVisible());
}

// The end of the desktop session with dialogs open that keep themselves open
// at a close: the text editor with a text not saved, above it the orb
// settings with an orb out of range, the line width with a factor that is no
// number, and a question above them all. Each closes without a question, the
// question takes its close button's answer, nothing they held is saved, and
// the main window closes.
TEST(MainWindowTest, TheSessionsEndClosesEveryDialogUnaskedAndNothingKeepsTheProgram) {
    ProgramStart start;
    shell::MainWindow* main = shell_testing::StartedMainWindow();
    shell::RichTextWindow* editor = testing_support::WindowOfTest<shell::RichTextWindow>();
    editor->show();
    editor->editor->insertPlainText("niet bewaard");
    shell::OrbSettingsWindow* orbs = testing_support::WindowOfTest<shell::OrbSettingsWindow>();
    orbs->setWindowModality(Qt::ApplicationModal);
    orbs->show();
    QTest::keyClicks(orbs->setColumns[shell::kSetB].orbEdits[0], "99");
    orbs->CheckOrbEdits();
    ASSERT_FALSE(orbs->orbEditsValid);
    display::LineWidthDialog* lineWidth = testing_support::WindowOfTest<display::LineWidthDialog>();
    lineWidth->setWindowModality(Qt::ApplicationModal);
    lineWidth->show();
    testing_support::ControlOf<QLineEdit>(*lineWidth, "EditSpeLin")->setText("dik");
    QMessageBox question;
    gui::PrepareMessageBox(question, {"Salvare le modifiche?", "", gui::Buttons::YesNo});
    question.setWindowModality(Qt::ApplicationModal);
    question.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &question);
    const auto before = Snapshot(start.Data());

    gui::CloseDialogsUnasked();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(question.result(), QMessageBox::No);
    for (QWidget* w : std::initializer_list<QWidget*>{editor, orbs, lineWidth})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_TRUE(main->close());
    EXPECT_EQ(Snapshot(start.Data()), before);
}

TEST(ProgramStartTest, DamagedEngineSettingsAreReportedAndTheStartGoesOn) {
    testing_support::TempWorkFolder folder;
    DesktopScope desktop;
    gui::RecordingMessageSink messages;
    rt::PrepareDataFolder();
    WriteBytes(rt::ResolvePath("FileSet\\OrbiDomi.stt"), "not a number\r\n");
    shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest());
    EXPECT_EQ(messages.messages.size(), 1u);
    // The defaults are in force and written back.
    EXPECT_FALSE(engine::HouseSystemText(testing_support::CurrentChartOfTest().settings.houseSystem).empty());
    EXPECT_NE(ReadBytes(rt::ResolvePath("FileSet\\OrbiDomi.stt")), "not a number\r\n");
}

// The engine settings with their last line cut short, as a disc that filled
// up leaves them: named at the start and kept, never read as a black moon "VE".
TEST(ProgramStartTest, EngineSettingsCutShortAreNamedAndKept) {
    testing_support::TempWorkFolder folder;
    DesktopScope desktop;
    gui::RecordingMessageSink messages;
    rt::PrepareDataFolder();
    std::string cut;
    for (const char* orb : {"10", "1", "1", "1", "1", "1", "4", "1", "6", "8", "1", "1", "1", "9", "1", "1"})
        cut += std::string(orb) + "\r\n";
    cut += "KOCH\r\nMEDIO\r\nA\r\nVE";
    WriteBytes(rt::ResolvePath("FileSet\\OrbiDomi.stt"), cut);
    shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest());
    ASSERT_EQ(messages.messages.size(), 1u);
    const std::string& text = messages.messages[0].text;
    EXPECT_NE(text.find("\"FileSet\\OrbiDomi.stt\" era danneggiato (l'ultima riga, la 20, \xE8 interrotta"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"OrbiDomi.stt.damaged1\""), std::string::npos) << text;
    EXPECT_EQ(ReadBytes(rt::ResolvePath("FileSet\\OrbiDomi.stt.damaged1")), cut);
    EXPECT_EQ(engine::BlackMoonKindText(testing_support::CurrentChartOfTest().settings.blackMoon), "MEDIA");
    EXPECT_EQ(CrLfLines(ReadBytes(rt::ResolvePath("FileSet\\OrbiDomi.stt"))).size(), 20u);
}

TEST(MainActivationTest, ShowsTheCurrentPersonAndOffersItsText) {
    ProgramStart start(true, false);
    archive::BirthRecord r;
    r.dateField = "196012251405+1";
    r.placeField = "52N22-004E54AMSTERDAM";
    r.calendarField = "GR";
    r.nationalityField = "NEDERLAND";
    r.annotationNumber = "00000";
    archive::WriteCurrentPerson("VAN DER BERG ANNELIES", r);
    archive::WriteAnnotationHandOff(" NOTA UNO");
    archive::WriteTextHandOff("BASE", "00007");
    WriteBytes(start.Data() / "BASEtxt" / "00007.txt", "tekst\r\n");
    start.Activate();
    ASSERT_TRUE(start.messages.messages.empty()) << start.messages.messages.front().text;

    QStringList memo = testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                           ->toPlainText()
                           .split('\n');
    ASSERT_GE(memo.size(), 6);
    EXPECT_TRUE(memo[0].startsWith("VAN DER BERG ANNELIES"));
    EXPECT_TRUE(memo[1].startsWith("Nascita 25/12/1960 14:05"));
    EXPECT_EQ(memo[5], "Calendario GREGORIANO");
    EXPECT_EQ(
        testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoAnnotaz")->toPlainText(),
        " NOTA UNO");
    EXPECT_FALSE(
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBApriTesto")->isHidden());

    // Without the text file the button is hidden at the next activation.
    fs::remove(start.Data() / "BASEtxt" / "00007.txt");
    shell_testing::StartedMainWindow()->Refresh();
    EXPECT_TRUE(
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBApriTesto")->isHidden());
}

TEST(ProgramStartTest, StoreDialogsShowThePersonsTextInTheEditor) {
    ProgramStart start;
    WriteBytes(start.Data() / "BASEtxt" / "00003.txt", "VAN DER BERG\r\n");
    WriteBytes(start.Data() / "FileDum" / "DatModif.dum", "BASEtxt/00003.txt\r\n");
    std::string shown;
    gui::SetModalHandler("FoReMaiH", [&shown](QDialog* d) {
        shown = static_cast<shell::RichTextWindow*>(d)->EditorText();
        return int(QDialog::Accepted);
    });
    Q_EMIT testing_support::WindowOfTest<archive::StoreDialog>()->PersonTextRequested();
    EXPECT_EQ(shown, "VAN DER BERG\n");
}

namespace {
struct OnDemandWindow : QDialog {
    OnDemandWindow() { setObjectName("OnDemandWindow"); }
    ~OnDemandWindow() override { ++destroyed; }
    static inline int destroyed = 0;
};
OnDemandWindow* onDemand = nullptr;
}  // namespace

TEST(FormsTest, OnDemandWindowsLiveOnlyWhileShown) {
    OnDemandWindow::destroyed = 0;
    gui::SetModalHandler("OnDemandWindow", [](QDialog* d) {
        EXPECT_EQ(d, onDemand);
        return int(gui::kModalOk);
    });
    EXPECT_EQ(shell::ShowOnDemand(onDemand), gui::kModalOk);
    EXPECT_EQ(onDemand, nullptr);
    EXPECT_EQ(OnDemandWindow::destroyed, 1);
    // Released also when the showing fails.
    gui::SetModalHandler("OnDemandWindow", [](QDialog*) -> int { throw std::runtime_error("x"); });
    EXPECT_THROW(shell::ShowOnDemand(onDemand), std::runtime_error);
    EXPECT_EQ(onDemand, nullptr);
    EXPECT_EQ(OnDemandWindow::destroyed, 2);
    gui::ClearModalHandlers();
}

}  // namespace start_up_test
