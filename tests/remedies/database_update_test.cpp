// The update from a disc: update folders found on volumes, the dates of a set of
// databases, and the install that copies into temporary names, keeps the dates
// and leaves the local files untouched when anything fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "remedies/database_update.h"
#include "tests/remedies/remedy_test_util.h"

using namespace remedies;
using testing_support::ReadBytes;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& p, const std::string& bytes, int minutesAgo) {
    fs::create_directories(p.parent_path());
    WriteBytes(p, bytes);
    fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::minutes(minutesAgo));
}

TEST(UpdateFolders, TheFirstThreeVolumesHoldingOpzioneHAreOffered) {
    TempWorkFolder folder;
    std::vector<fs::path> roots;
    for (const char* d : {"B", "C", "D", "E", "G", "K"}) {
        fs::create_directories(folder.Path() / d);
        roots.push_back(folder.Path() / d);
    }
    for (const char* d : {"C", "E", "G", "K"}) fs::create_directories(folder.Path() / d / (d[0] == 'E' ? "opzioneh" : "OpzioneH"));
    auto found = FindUpdateFolders(roots);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0], folder.Path() / "C" / "OpzioneH");
    EXPECT_EQ(found[1], folder.Path() / "E" / "opzioneh");
    EXPECT_EQ(found[2], folder.Path() / "G" / "OpzioneH");
    // A chosen folder that is itself the update folder.
    Touch(folder.Path() / "K" / "OpzioneH" / "DBmain.rnd", "x", 0);
    EXPECT_EQ(UpdateFolderIn(folder.Path() / "K" / "OpzioneH"), folder.Path() / "K" / "OpzioneH");
    EXPECT_FALSE(UpdateFolderIn(folder.Path() / "B"));
}

void SetTime(const fs::path& p, std::chrono::sys_seconds when) {
    fs::last_write_time(p, std::chrono::file_clock::from_sys(when));
}

TEST(UpdateFolders, TheSetDateIsTheNewerDatabaseOrNonValida) {
    TempWorkFolder folder;
    setenv("TZ", "UTC", 1);
    tzset();
    using namespace std::chrono;
    const fs::path f = folder.Path() / "OpzioneH";
    fs::create_directories(f);
    EXPECT_EQ(SetDateIn(f).dateText, "Non Valida");
    EXPECT_EQ(SetDateIn(f).newestAge, -1);
    Touch(f / "DBmain.rnd", "m", 0);
    Touch(f / "REPERTORIO.RND", "r", 0);
    SetTime(f / "DBmain.rnd", sys_seconds{seconds{1709649000}});
    SetTime(f / "REPERTORIO.RND", sys_seconds{seconds{1735808700}});
    DatabaseSetDate d = SetDateIn(f);
    EXPECT_EQ(d.dateText, "02/01/2025 09:05");
    EXPECT_EQ(d.newestAge, 1735808700);
    // Equal dates give the main database's, an older therapies database too.
    SetTime(f / "REPERTORIO.RND", sys_seconds{seconds{1672617600}});
    EXPECT_EQ(SetDateIn(f).dateText, "05/03/2024 14:30");
    fs::remove(f / "DBmain.rnd");
    EXPECT_EQ(SetDateIn(f).dateText, "02/01/2023 00:00");  // the main database is missing
    EXPECT_GT(SetDateIn(f).newestAge, 0);
}

TEST(UpdateInstall, NewerFilesArriveWithTheirDates) {
    TempWorkFolder folder;
    const fs::path disc = folder.Path() / "disc" / "OpzioneH";
    Touch(disc / "DBmain.rnd", std::string(4814 * 3, 'n'), 10);
    Touch(disc / "Repertorio.rnd", std::string(1206 * 2, 'r'), 5);
    Touch(disc / "Sintomi.txt", "Angst\r\n", 5);
    const fs::path local = folder.Path() / "OpzioneH";
    Touch(local / "dbmain.rnd", "old", 600);
    Touch(local / "Patolog.txt", "blijft\r\n", 600);

    UpdateOutcome o = InstallUpdate(disc, local);
    ASSERT_TRUE(o.ok) << o.message;
    EXPECT_EQ(o.filesCopied, 3);
    // The existing file keeps its spelling and gets the new content and date.
    EXPECT_FALSE(fs::exists(local / "DBmain.rnd") && !fs::exists(local / "dbmain.rnd"));
    EXPECT_EQ(ReadBytes(local / "dbmain.rnd"), std::string(4814 * 3, 'n'));
    EXPECT_EQ(fs::last_write_time(local / "dbmain.rnd"), fs::last_write_time(disc / "DBmain.rnd"));
    EXPECT_EQ(fs::last_write_time(local / "Repertorio.rnd"), fs::last_write_time(disc / "Repertorio.rnd"));
    EXPECT_EQ(ReadBytes(local / "Patolog.txt"), "blijft\r\n");
    EXPECT_EQ(SetDateIn(local).dateText, SetDateIn(disc).dateText);
    EXPECT_EQ(SetDateIn(local).newestAge, SetDateIn(disc).newestAge);
    for (const auto& e : fs::directory_iterator(local))
        EXPECT_EQ(e.path().filename().string().find('~'), std::string::npos) << "temporary left: " << e.path();
    EXPECT_TRUE(UpdateLacksDerivedLists(disc));
}

TEST(UpdateInstall, AFailedCopyLeavesTheLocalFilesUntouched) {
    TempWorkFolder folder;
    const fs::path disc = folder.Path() / "disc" / "OpzioneH";
    Touch(disc / "DBmain.rnd", "new main", 1);
    Touch(disc / "Repertorio.rnd", "new rep", 1);
    const fs::path local = folder.Path() / "OpzioneH";
    Touch(local / "DBmain.rnd", "old main", 600);
    Touch(local / "Repertorio.rnd", "old rep", 600);
    const auto mainDate = fs::last_write_time(local / "DBmain.rnd");
    // The second file cannot arrive: a folder stands where it would be written.
    fs::create_directories(local / "Repertorio.rnd.upd~");
    UpdateOutcome o = InstallUpdate(disc, local);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.message.rfind("Aggiornamento non riuscito", 0), 0u);
    // The run-time's words and the file's name, not the C library's English.
    EXPECT_EQ(o.message.find("Is a directory"), std::string::npos) << o.message;
    EXPECT_NE(o.message.find("Repertorio.rnd"), std::string::npos) << o.message;
    EXPECT_EQ(ReadBytes(local / "DBmain.rnd"), "old main");
    EXPECT_EQ(ReadBytes(local / "Repertorio.rnd"), "old rep");
    EXPECT_EQ(fs::last_write_time(local / "DBmain.rnd"), mainDate);
    EXPECT_FALSE(fs::exists(local / "DBmain.rnd.upd~"));

    // A disc taken out before the copy: nothing to read, nothing changed.
    fs::remove_all(local / "Repertorio.rnd.upd~");
    UpdateOutcome gone = InstallUpdate(folder.Path() / "removed" / "OpzioneH", local);
    EXPECT_FALSE(gone.ok);
    EXPECT_EQ(ReadBytes(local / "DBmain.rnd"), "old main");
    // An empty update folder installs nothing and says so.
    fs::create_directories(folder.Path() / "empty" / "OpzioneH");
    EXPECT_FALSE(InstallUpdate(folder.Path() / "empty" / "OpzioneH", local).ok);
}

}  // namespace
