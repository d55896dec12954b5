// Backup of the personal archive and its restore.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <filesystem>
#include <memory>

#include "archive/backup.h"
#include "archive/backup_window.h"
#include "archive/form_helpers.h"
#include "dialog_test_support.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "platform/runtime/win1252.h"

using namespace archive;
using testing_support::ReadBytes;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

namespace {
struct BackupTest : ::testing::Test {
    testing_support::TempWorkFolder tmp;
    fs::path program, volume;
    void SetUp() override {
        program = tmp.Path() / "program folder";
        volume = tmp.Path() / "my volume";
        fs::create_directories(program / "BASEtxt");
        fs::create_directories(volume);
        WriteBytes(program / "BASE.ST1", "index");
        WriteBytes(program / "base.st2", "data");
        WriteBytes(program / "BASE.ST3", "notes");
        WriteBytes(program / "BASEtxt" / "00001.txt", "text one\r\n");
        WriteBytes(program / "BASEtxt" / "FlagTxt.set", "2\r\n");
    }
};
}  // namespace

TEST_F(BackupTest, CopiesAreByteIdenticalAndTheDateIsWrittenAfter) {
    fs::path dest = BackupFolderOn(volume);
    BackupOutcome r = BackupBaseArchive(program, dest, "07/12/2026");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(ReadBytes(dest / "DatiBase" / "BASE.ST1"), "index");
    EXPECT_EQ(ReadBytes(dest / "DatiBase" / "BASE.ST2"), "data");
    EXPECT_EQ(ReadBytes(dest / "DatiBase" / "BASE.ST3"), "notes");
    EXPECT_EQ(ReadBytes(dest / "BASEtxt" / "00001.txt"), "text one\r\n");
    EXPECT_EQ(ReadBytes(dest / "MMbakMod1.dum"), "07/12/2026\r\n");
    EXPECT_EQ(LastBackupDate(program), "07/12/2026");
    for (auto& e : fs::recursive_directory_iterator(dest))
        EXPECT_EQ(e.path().filename().string().find('~'), std::string::npos);
}

TEST_F(BackupTest, UnwritableDestinationChangesNothing) {
    WriteBytes(volume / "blocker", "a file where the folder should go");
    BackupOutcome r = BackupBaseArchive(program, volume / "blocker" / "ExkelvorBck", "07/12/2026");
    EXPECT_FALSE(r.ok);
    // The run-time's words and the folder it concerns, no text of the C++ library.
    EXPECT_EQ(r.message, "Backup non riuscito: Percorso non trovato: " +
                             (volume / "blocker" / "ExkelvorBck" / "DatiBase").string());
    EXPECT_EQ(LastBackupDate(program), "Mai");
}

TEST_F(BackupTest, RestoreBringsBackEverythingOrNothing) {
    fs::path dest = BackupFolderOn(volume);
    ASSERT_TRUE(BackupBaseArchive(program, dest, "01/01/2026").ok);
    WriteBytes(program / "BASE.ST1", "newer index");
    fs::remove_all(program / "BASEtxt");
    // A backup missing a file is refused and changes nothing.
    fs::path partial = volume / "partial";
    fs::create_directories(partial / "DatiBase");
    fs::copy_file(dest / "DatiBase" / "BASE.ST1", partial / "DatiBase" / "BASE.ST1");
    BackupOutcome refused = RestoreBaseArchive(program, partial);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(ReadBytes(program / "BASE.ST1"), "newer index");
    // A whole backup restores, creating the text folder.
    BackupOutcome r = RestoreBaseArchive(program, dest);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(ReadBytes(program / "BASE.ST1"), "index");
    EXPECT_EQ(ReadBytes(program / "base.st2"), "data");
    EXPECT_EQ(ReadBytes(program / "BASEtxt" / "00001.txt"), "text one\r\n");
    EXPECT_FALSE(RestoreBaseArchive(program, volume / "nothing here").ok);
    // A target that cannot be replaced: the message names it, the others stay.
    fs::remove(program / "base.st2");
    fs::create_directories(program / "base.st2" / "in the way");
    WriteBytes(program / "BASE.ST1", "newer index");
    BackupOutcome blocked = RestoreBaseArchive(program, dest);
    EXPECT_EQ(ReadBytes(program / "BASE.ST1"), "newer index");
    EXPECT_FALSE(blocked.ok);
    EXPECT_EQ(blocked.message.rfind("Ripristino non riuscito: ", 0), 0u) << blocked.message;
    EXPECT_NE(blocked.message.find((program / "base.st2").string()), std::string::npos) << blocked.message;
    for (auto& e : fs::directory_iterator(program))
        EXPECT_EQ(e.path().filename().string().find('~'), std::string::npos) << e.path();
}

namespace {
// Two volumes to back up to, on the desktop's screen or on one of the given size.
class TwoVolumes : public gui::SystemServices {
public:
    explicit TwoVolumes(fs::path root, QSize screen = {}) : root_(std::move(root)), screen_(screen) {}
    std::vector<gui::Volume> ListVolumes() override {
        return {{root_.string(), "Disco di prova"}, {(root_ / "altro").string(), "Altro"}};
    }
    int ScreenWidth() override { return screen_.isValid() ? screen_.width() : SystemServices::ScreenWidth(); }
    int ScreenHeight() override { return screen_.isValid() ? screen_.height() : SystemServices::ScreenHeight(); }

private:
    fs::path root_;
    QSize screen_;
};
}  // namespace

// The record of the last backup of random bytes, then cut in half: the window
// names it once and shows no date rather than its bytes.
TEST_F(BackupTest, ADamagedDateRecordIsNamedAndNoDateIsShown) {
    gui::RecordingMessageSink sink;
    fs::current_path(program);
    BackupWindow window;
    const fs::path record = program / "FileDum" / "MMbakMod1.dum";
    for (const std::string& damaged : {testing_support::RandomBytes(12, 4), std::string("07/12/2")}) {
        SCOPED_TRACE(damaged.size());
        WriteBytes(record, damaged);
        sink.messages.clear();
        window.ResetDestination();
        window.ResetDestination();  // opened again: said once
        EXPECT_EQ(window.lastBackupEdit->text(), "");
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text.rfind("Il file \"FileDum\\MMbakMod1.dum\" \xE8 danneggiato o incompleto (", 0),
                  0u)
            << sink.messages[0].text;
        EXPECT_NE(sink.messages[0].text.find("il prossimo backup scrive il file di nuovo."), std::string::npos);
        EXPECT_EQ(ReadBytes(record), damaged);
    }
}

// "Backup" pressed over an archive whose index was emptied beside its people
// is refused: the copy on the unit, which the user needs to put the archive
// back, is not overwritten.
TEST_F(BackupTest, ADamagedIndexIsNotCopiedOverTheBackup) {
    dialog_test::PrepareFolder();  // the data folder becomes the working folder
    program = fs::current_path();
    for (const char* name : {"ROSSI MARIO", "VERDI ANNA"}) dialog_test::StorePerson("BASE", name);
    const fs::path dest = BackupFolderOn(volume);
    ASSERT_TRUE(BackupBaseArchive(program, dest, "01/12/2026").ok);
    const std::string kept = ReadBytes(dest / "DatiBase" / "BASE.ST1");
    WriteBytes(rt::ResolvePath("BASE.ST1"), "");

    gui::SetSystemServices(std::make_unique<TwoVolumes>(volume));
    gui::RecordingMessageSink sink;
    BackupWindow window;
    window.ResetDestination();
    window.chooseVolumeButton->click();
    window.volumeBox->setCurrentIndex(0);
    Q_EMIT window.volumeBox->activated(0);
    ASSERT_EQ(window.backupDestination, rt::Utf8ToCp1252(dest.string()));
    sink.messages.clear();
    window.backupButton->click();
    gui::SetSystemServices(nullptr);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(
        sink.messages[0].text,
        "Il file \"BASE.ST1\" \xE8 danneggiato o incompleto (\xE8 vuoto, senza la sua voce 0, l'intestazione che il "
        "programma scrive sempre, mentre \"BASE.ST2\" contiene 2 schede di persone che non vi sono pi\xF9 "
        "elencate). Backup non eseguito: la copia di sicurezza gi\xE0 presente nell'unit\xE0 resta com'era. "
        "Ripristinare l'archivio da una copia di sicurezza (l'archivio BASE con \"Terugzetten\" nella finestra "
        "del backup).");
    EXPECT_EQ(ReadBytes(dest / "DatiBase" / "BASE.ST1"), kept);
    EXPECT_EQ(ReadBytes(dest / "MMbakMod1.dum"), "01/12/2026\r\n");
}

TEST_F(BackupTest, TheWindowShrinksBackWhenTheDriveListCloses) {
    gui::SetSystemServices(std::make_unique<TwoVolumes>(volume));
    gui::RecordingMessageSink sink;
    fs::current_path(program);
    BackupWindow window;
    window.show();
    window.OpenVolumeChoice();
    QCoreApplication::processEvents();
    window.ChooseVolume(0);  // chosen: the list closes
    QCoreApplication::processEvents();
    EXPECT_EQ(window.backupDestination, rt::Utf8ToCp1252(BackupFolderOn(volume).string()));
    window.adjustSize();
    const QSize without = window.size();
    window.OpenVolumeChoice();
    QCoreApplication::processEvents();
    window.CloseVolumeChoice();  // closed without a choice
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), without);
    window.OpenVolumeChoice();
    QCoreApplication::processEvents();
    window.ChooseVolume(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), without);
    window.hide();
    gui::SetSystemServices(nullptr);
}

// On a 4:3 screen, a 5:4 one and two wide ones, the backup window placed
// beside the main window (where the program puts it, centred, and where a
// user may have moved it, in the lower right corner) lies whole on the screen
// with every control of it, before its drive list is opened with its button,
// while it is open and after it is closed; and it names the folder the backup
// writes.
TEST_F(BackupTest, EveryControlLiesOnTheScreenWithTheDriveListOpenOrClosed) {
    struct Restore {
        ~Restore() { gui::SetSystemServices(nullptr); }
    } restore;
    gui::RecordingMessageSink sink;
    fs::current_path(program);
    const QSize mainWindow(760, 600);  // the main window with its frame
    for (const QSize screen : {QSize(1024, 768), QSize(1280, 1024), QSize(1366, 768), QSize(1920, 1080)}) {
        gui::SetSystemServices(std::make_unique<TwoVolumes>(volume, screen));
        for (const bool corner : {false, true}) {
            SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()) +
                         (corner ? " main window in the corner" : " main window centred"));
            const QSize room = screen - mainWindow;
            const MainWindowGeometry mainFrame = {corner ? room.height() : room.height() / 2,
                                                  corner ? room.width() : room.width() / 2, mainWindow.width(),
                                                  mainWindow.height()};
            BackupWindow window;
            PlaceNearMain(&window, 10, mainFrame);  // as the main window places it
            window.show();
            auto offScreen = [&] {
                QCoreApplication::processEvents();
                std::vector<std::string> off;
                if (window.frameGeometry().top() < 0) off.push_back("the title bar");
                for (const QWidget* w : window.findChildren<QWidget*>()) {
                    if (w->window() != &window || !w->isVisible())
                        continue;  // a list's drop-down is a window of its own
                    const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
                    if (!QRect(QPoint(0, 0), screen).contains(r))
                        off.push_back(w->objectName().toStdString() + " at " + std::to_string(r.x()) + "," +
                                      std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
                                      std::to_string(r.height()));
                }
                return off;
            };
            EXPECT_EQ(offScreen(), std::vector<std::string>{});
            QTest::mouseClick(window.chooseVolumeButton, Qt::LeftButton);
            ASSERT_TRUE(window.volumeBox->view()->isVisible());
            ASSERT_TRUE(window.closeVolumeChoiceButton->isVisible());
            EXPECT_EQ(offScreen(), std::vector<std::string>{});
            QTest::mouseClick(window.closeVolumeChoiceButton, Qt::LeftButton);
            ASSERT_TRUE(window.backupButton->isVisible());
            EXPECT_EQ(offScreen(), std::vector<std::string>{});
            const QLabel* folder = window.findChild<QLabel*>("LabCartella");
            ASSERT_NE(folder, nullptr);
            EXPECT_EQ(folder->text().toStdString(), "in de map ExkelvorBck / DatiBase");
            window.hide();
        }
    }
}
