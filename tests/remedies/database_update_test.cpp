// The update from a disc: update folders found on volumes, the dates of a set of
// databases, and the install that copies into temporary names, keeps the dates
// and leaves the local files untouched when anything fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "remedies/database_check.h"
#include "remedies/database_update.h"
#include "tests/remedies/remedy_test_util.h"

using namespace remedies;
using testing_support::ReadBytes;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

namespace {

// A database of `records` records of `size` bytes whose first field holds the
// one character `mark` (so copies can be told apart and the file is whole).
std::string Db(std::size_t size, int records, char mark) {
    std::string bytes(size * static_cast<std::size_t>(records), '\0');
    for (int r = 1; r < records; ++r) {
        bytes[static_cast<std::size_t>(r) * size] = 1;
        bytes[static_cast<std::size_t>(r) * size + 1] = mark;
    }
    return bytes;
}

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
    for (const char* d : {"C", "E", "G", "K"})
        fs::create_directories(folder.Path() / d / (d[0] == 'E' ? "opzioneh" : "OpzioneH"));
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
    Touch(disc / "DBmain.rnd", Db(4814, 3, 'n'), 10);
    Touch(disc / "Repertorio.rnd", Db(1206, 2, 'r'), 5);
    Touch(disc / "Sintomi.txt", "Angst\r\n", 5);
    const fs::path local = folder.Path() / "OpzioneH";
    Touch(local / "dbmain.rnd", "old", 600);
    Touch(local / "Patolog.txt", "blijft\r\n", 600);

    UpdateOutcome o = InstallUpdate(disc, local);
    ASSERT_TRUE(o.ok) << o.message;
    EXPECT_EQ(o.filesCopied, 3);
    // The existing file keeps its spelling and gets the new content and date.
    EXPECT_FALSE(fs::exists(local / "DBmain.rnd") && !fs::exists(local / "dbmain.rnd"));
    EXPECT_EQ(ReadBytes(local / "dbmain.rnd"), Db(4814, 3, 'n'));
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
    Touch(disc / "DBmain.rnd", Db(4814, 2, 'n'), 1);
    Touch(disc / "Repertorio.rnd", Db(1206, 2, 'n'), 1);
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

TEST(UpdateCheck, AnIncomingDatabaseThatIsNotWholeRefusesTheUpdate) {
    TempWorkFolder folder;
    const fs::path local = folder.Path() / "OpzioneH";
    Touch(local / "DBmain.rnd", Db(4814, 4, 'o'), 600);
    Touch(local / "Repertorio.rnd", Db(1206, 3, 'o'), 600);
    Touch(local / "Sintomi.txt", "Angst\r\n", 600);
    auto localState = [&] {
        std::vector<std::pair<std::string, std::string>> files;
        for (const auto& e : fs::directory_iterator(local))
            files.emplace_back(e.path().filename().string(), ReadBytes(e.path()));
        std::sort(files.begin(), files.end());
        return files;
    };
    const auto before = localState();

    std::string random(10000, '\0');
    std::uint32_t x = 2463534242u;
    for (char& c : random) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    std::string badField = Db(4814, 5, 'n');
    badField[3 * 4814 + 955] = static_cast<char>(251);  // an indication longer than its field
    std::string badHeader = Db(1206, 2, 'n');
    badHeader[101] = static_cast<char>(255);
    struct Case {
        const char* file;
        std::string bytes;
        const char* why;
    };
    const std::vector<Case> cases{
        {"DBmain.rnd", random, "non \xE8 un numero intero di record di 4814 byte"},
        {"DBmain.rnd", Db(4814, 6, 'n').substr(0, 3 * 4814 + 2407), "(16849 byte)"},
        {"dbmain.RND", badField, "il record 3 non \xE8 leggibile"},
        {"Repertorio.rnd", badHeader, "il record 0 non \xE8 leggibile"},
        {"Repertorio.rnd", "", "\xE8 vuoto"},
    };
    for (const Case& c : cases) {
        const fs::path disc = folder.Path() / "disc" / "OpzioneH";
        fs::remove_all(disc);
        // The other database is whole, so the faulty one alone refuses the update.
        Touch(disc / "Sintomi.txt", "Nieuw\r\n", 1);
        if (std::string(c.file) != "Repertorio.rnd") Touch(disc / "Repertorio.rnd", Db(1206, 2, 'n'), 1);
        Touch(disc / c.file, c.bytes, 1);
        const UpdateOutcome o = InstallUpdate(disc, local);
        EXPECT_FALSE(o.ok) << c.file;
        EXPECT_EQ(o.message.rfind("Aggiornamento rifiutato: il file " + (disc / c.file).string(), 0), 0u) << o.message;
        EXPECT_NE(o.message.find(c.why), std::string::npos) << o.message;
        EXPECT_EQ(localState(), before) << "the local folder changed for " << c.why;
    }
}

TEST(UpdateCheck, TheReplacedPairIsKeptUnderTheNextFreeNumber) {
    TempWorkFolder folder;
    const fs::path local = folder.Path() / "OpzioneH";
    Touch(local / "DBmain.rnd", Db(4814, 3, 'a'), 600);
    Touch(local / "Repertorio.rnd", Db(1206, 3, 'a'), 600);
    const fs::path disc = folder.Path() / "disc" / "OpzioneH";
    Touch(disc / "DBmain.rnd", Db(4814, 2, 'b'), 10);
    Touch(disc / "Repertorio.rnd", Db(1206, 2, 'b'), 10);
    UpdateOutcome o = InstallUpdate(disc, local);
    ASSERT_TRUE(o.ok) << o.message;
    EXPECT_EQ(o.keptCopies, (std::vector<std::string>{"DBmain.rnd.precedente1", "Repertorio.rnd.precedente1"}));
    EXPECT_EQ(ReadBytes(local / "DBmain.rnd.precedente1"), Db(4814, 3, 'a'));
    EXPECT_EQ(ReadBytes(local / "Repertorio.rnd.precedente1"), Db(1206, 3, 'a'));
    const std::string said = KeptCopiesMessage(o, local);
    EXPECT_NE(said.find(local.string()), std::string::npos) << said;
    EXPECT_NE(said.find("DBmain.rnd.precedente1 e Repertorio.rnd.precedente1"), std::string::npos) << said;

    // A second update brings the primary database only: the pair is kept all the same, as number 2.
    fs::remove(disc / "Repertorio.rnd");
    Touch(disc / "DBmain.rnd", Db(4814, 4, 'c'), 5);
    o = InstallUpdate(disc, local);
    ASSERT_TRUE(o.ok) << o.message;
    EXPECT_EQ(o.keptCopies, (std::vector<std::string>{"DBmain.rnd.precedente2", "Repertorio.rnd.precedente2"}));
    EXPECT_EQ(ReadBytes(local / "DBmain.rnd.precedente2"), Db(4814, 2, 'b'));
    EXPECT_EQ(ReadBytes(local / "Repertorio.rnd.precedente2"), Db(1206, 2, 'b'));
    EXPECT_EQ(ReadBytes(local / "DBmain.rnd.precedente1"), Db(4814, 3, 'a'));
    EXPECT_EQ(ReadBytes(local / "DBmain.rnd"), Db(4814, 4, 'c'));

    // An update without databases replaces none and keeps nothing.
    fs::remove(disc / "DBmain.rnd");
    Touch(disc / "Sintomi.txt", "Angst\r\n", 5);
    o = InstallUpdate(disc, local);
    ASSERT_TRUE(o.ok) << o.message;
    EXPECT_TRUE(o.keptCopies.empty());
    EXPECT_EQ(KeptCopiesMessage(o, local), "");
    EXPECT_FALSE(fs::exists(local / "DBmain.rnd.precedente3"));
}

TEST(UpdateCheck, TheShippedDatabasesAreWhole) {
    const fs::path shipped = KELVOR_TEST_DATA_DIR;
    EXPECT_EQ(DatabaseFileProblem(shipped / "OpzioneH" / "DBmain.rnd", DatabaseKind::Primary), "");
    EXPECT_EQ(DatabaseFileProblem(shipped / "OpzioneH" / "Repertorio.rnd", DatabaseKind::Repertory), "");
    // Each checked as the other kind is not.
    EXPECT_NE(DatabaseFileProblem(shipped / "OpzioneH" / "DBmain.rnd", DatabaseKind::Repertory), "");
}

}  // namespace
