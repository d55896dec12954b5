// Backup of the personal archive and its restore.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <filesystem>
#include <memory>

#include "archive/backup.h"
#include "archive/backup_window.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "platform/runtime/win1252.h"
#include "dialog_test_support.h"

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
class TwoVolumes : public gui::SystemServices {
public:
    explicit TwoVolumes(fs::path root) : root_(std::move(root)) {}
    std::vector<gui::Volume> ListVolumes() override {
        return {{root_.string(), "Disco di prova"}, {(root_ / "altro").string(), "Altro"}};
    }

private:
    fs::path root_;
};
}  // namespace

// The record of the last backup of random bytes, then cut in half: the window
// names it once and shows no date rather than its bytes.
TEST_F(BackupTest, ADamagedDateRecordIsNamedAndNoDateIsShown) {
    gui::RecordingMessageSink sink;
    fs::current_path(program);
    TFoBakMod1 window;
    const fs::path record = program / "FileDum" / "MMbakMod1.dum";
    for (const std::string& damaged : {testing_support::RandomBytes(12, 4), std::string("07/12/2")}) {
        SCOPED_TRACE(damaged.size());
        WriteBytes(record, damaged);
        sink.messages.clear();
        window.FormActivate();
        window.FormActivate();  // opened again: said once
        EXPECT_EQ(window.EditData->text(), "");
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text.rfind("Il file \"FileDum\\MMbakMod1.dum\" \xE8 danneggiato o incompleto (", 0), 0u)
            << sink.messages[0].text;
        EXPECT_NE(sink.messages[0].text.find("il prossimo backup scrive il file di nuovo."), std::string::npos);
        EXPECT_EQ(ReadBytes(record), damaged);
    }
}

TEST_F(BackupTest, TheWindowShrinksBackWhenTheDriveListCloses) {
    gui::SetSystemServices(std::make_unique<TwoVolumes>(volume));
    gui::RecordingMessageSink sink;
    fs::current_path(program);
    TFoBakMod1 window;
    window.show();
    window.BBCambiaDestClick();
    QCoreApplication::processEvents();
    window.DriveComboBox1Click(0);  // chosen: the list closes
    QCoreApplication::processEvents();
    EXPECT_EQ(window.BackupDestination, rt::Utf8ToCp1252(BackupFolderOn(volume).string()));
    window.adjustSize();
    const QSize without = window.size();
    window.BBCambiaDestClick();
    QCoreApplication::processEvents();
    window.BBchiudiSceltaClick();  // closed without a choice
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), without);
    window.BBCambiaDestClick();
    QCoreApplication::processEvents();
    window.DriveComboBox1Click(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), without);
    window.hide();
    gui::SetSystemServices(nullptr);
}
