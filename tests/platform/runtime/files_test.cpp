// Text files, record files, the path function and the data folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include <sys/stat.h>
#include <cerrno>

#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/shipped_versions.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"

using namespace rt;
using testing_support::ReadBytes;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

TEST(TextFile, WritesCrLfAndMatchesGoldenFile) {
    TempWorkFolder tmp;
    fs::create_directory("Sub");
    TextFile f;
    f.Assign("Sub\\Out.txt");
    f.Rewrite();
    f.WriteLn("first");
    f.Write("sec");
    f.WriteLn("ond \xE8");
    f.WriteCtrlZ();
    f.Close();
    EXPECT_EQ(ReadBytes("Sub/Out.txt"), testing_support::ReadFixture("runtime/crlf_ctrlz.txt"));
}

TEST(TextFile, ReadingStopsAtCtrlZAndAcceptsBareLineFeeds) {
    TempWorkFolder tmp;
    WriteBytes("in.txt", "one\r\ntwo\nthree\r\n\x1Ahidden\r\n");
    EXPECT_EQ(ReadTextLines("IN.TXT"), (std::vector<std::string>{"one", "two", "three"}));
}

TEST(TextFile, ReadsNumbersLikeTheOldRunTime) {
    TempWorkFolder tmp;
    WriteBytes("n.txt", " 1.00000000000000E+0001 rest\r\n  7\r\nword\r\n");
    TextFile f;
    f.Assign("n.txt");
    f.Reset();
    EXPECT_EQ(f.ReadReal(), 10.0L);
    f.SkipLn();
    EXPECT_EQ(f.ReadInt(), 7);
    f.SkipLn();
    EXPECT_THROW(f.ReadReal(), IoError);
    try {
        f.ReadReal();
    } catch (const IoError& e) {
        EXPECT_EQ(e.Code(), 106);
    }
}

TEST(TextFile, MissingFileAndAppendAfterCtrlZ) {
    TempWorkFolder tmp;
    TextFile f;
    f.Assign("FileSet\\missing.txt");
    try {
        f.Reset();
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.Code(), 2);
        EXPECT_STREQ(e.what(), "File non trovato");
    }
    WriteBytes("a.txt", "x\r\n\x1A");
    f.Assign("a.txt");
    f.Append();
    f.WriteLn("y");
    f.Close();
    EXPECT_EQ(ReadBytes("a.txt"), "x\r\ny\r\n");
}

TEST(RecordFile, CountsIgnorePartialRecordsAndHeader) {
    TempWorkFolder tmp;
    RecordFile f("R.ST1", 4);
    f.Rewrite();
    f.Append({'h', 'e', 'a', 'd'});
    f.Append({'a', 'b'});  // short records are zero-filled
    EXPECT_EQ(f.FileSize(), 2);
    EXPECT_EQ(f.Count(), 1);
    EXPECT_EQ(f.Read(1), (Bytes{'a', 'b', 0, 0}));
    f.Close();
    WriteBytes("R.ST1", ReadBytes("R.ST1") + "xy");  // a partial last record
    RecordFile g("r.st1", 4);
    g.Reset();
    EXPECT_EQ(g.FileSize(), 2);
    EXPECT_THROW(g.Read(2), IoError);
    g.Write(1, {'z', 'z', 'z', 'z'});
    g.Truncate(1);
    EXPECT_EQ(g.FileSize(), 1);
    g.Close();
    EXPECT_EQ(ReadBytes("R.ST1"), "head");
}

TEST(RecordFile, WholeFileRewriteGoesThroughATemporaryFile) {
    TempWorkFolder tmp;
    ReplaceAllRecords("X.rnd", 3, {{'a', 'b', 'c'}, {'d'}});
    EXPECT_EQ(ReadBytes("X.rnd"), std::string("abcd\0\0", 6));
    EXPECT_EQ(ReadAllRecords("x.RND", 3).size(), 2u);
    for (auto& e : fs::directory_iterator(".")) EXPECT_EQ(e.path().filename().string().find("tmp"), std::string::npos);
    // A folder that cannot be written leaves the old file whole.
    fs::create_directory("ro");
    WriteBytes("ro/F.rnd", "old");
    fs::permissions("ro", fs::perms::owner_read | fs::perms::owner_exec);
    bool root = geteuid() == 0;
    if (!root) {
        EXPECT_THROW(ReplaceFileBytes("ro\\F.rnd", "new"), IoError);
        EXPECT_EQ(ReadBytes("ro/F.rnd"), "old");
    }
    fs::permissions("ro", fs::perms::owner_all);
}

// A file replaced by renaming is on the disc under its name before the
// program goes on: its bytes are flushed before the rename, and its folder
// after it, so that a power cut after "done" cannot bring the old file back.
TEST(RecordFile, AReplacedFileAndItsFolderAreFlushedAroundTheRename) {
    TempWorkFolder tmp;
    WriteBytes("FileSet/x.stt", "old");
    const fs::path folder = fs::canonical("FileSet");
    const testing_support::TracedRun run =
        testing_support::RunKilledBeforeChange([] { ReplaceFileBytes("FileSet\\X.STT", "new"); }, 0);
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(ReadBytes("FileSet/x.stt"), "new");
    const auto rename = std::find(run.calls.begin(), run.calls.end(), "rename");
    ASSERT_NE(rename, run.calls.end());
    // The temporary file's bytes are flushed before the rename ...
    const auto flushed = std::find_if(run.calls.begin(), rename, [&](const std::string& c) {
        return c.rfind("fsync " + (folder / "x.stt").string() + ".tmp~", 0) == 0;
    });
    EXPECT_NE(flushed, rename);
    // ... and the folder after it.
    EXPECT_NE(std::find(rename, run.calls.end(), "fsync " + folder.string()), run.calls.end())
        << testing::PrintToString(run.calls);
}

TEST(RecordFile, SeveralFilesRewrittenAtOnceChangeNothingWhenOneFails) {
    TempWorkFolder tmp;
    WriteBytes("A.txt", "old a");
    WriteBytes("B.txt", "old b");
    ReplaceFilesEach({{"a.TXT", "new a"}, {"B.txt", "new b"}, {"C.txt", "new c"}});
    EXPECT_EQ(ReadBytes("A.txt"), "new a");
    EXPECT_EQ(ReadBytes("B.txt"), "new b");
    EXPECT_EQ(ReadBytes("C.txt"), "new c");
    // The third file's folder is missing: none of the files changes, and no
    // temporary file is left beside them.
    EXPECT_THROW(ReplaceFilesEach({{"A.txt", "newer a"}, {"B.txt", "newer b"}, {"Missing\\C.txt", "x"}}), IoError);
    EXPECT_EQ(ReadBytes("A.txt"), "new a");
    EXPECT_EQ(ReadBytes("B.txt"), "new b");
    int files = 0;
    for (auto& e : fs::directory_iterator(".")) {
        EXPECT_EQ(e.path().filename().string().find("tmp"), std::string::npos) << e.path();
        ++files;
    }
    EXPECT_EQ(files, 3);
}

TEST(Paths, MatchComponentsWithoutRegardToCase) {
    TempWorkFolder tmp;
    fs::create_directories("FileSet");
    WriteBytes("FileSet/OrbiDomi.stt", "x");
    EXPECT_EQ(ResolvePath("FILESET\\orbidomi.STT"), fs::path("FileSet/OrbiDomi.stt"));
    EXPECT_EQ(ResolvePath("fileset\\New.Txt"), fs::path("FileSet/New.Txt"));
    EXPECT_EQ(ResolvePath("Nuovo\\Dir\\A.b"), fs::path("Nuovo/Dir/A.b"));
    EXPECT_TRUE(PathExists("fileSET/ORBIDOMI.stt"));
    EXPECT_EQ(ResolvePath("Citt\xE0.txt"), fs::path("Citt\xC3\xA0.txt"));
    EnsureParentFolder("A\\B\\c.txt");
    EXPECT_TRUE(fs::is_directory("A/B"));
}

TEST(DataFolder, SeedsMissingFilesWithoutOverwriting) {
    TempWorkFolder tmp;
    fs::path shipped = tmp.Path() / "shipped";
    WriteBytes(shipped / "FileSet" / "a.stt", "shipped");
    WriteBytes(shipped / "b.txt", "shipped");
    WriteBytes(tmp.Path() / "home" / "kelvor" / "b.txt", "user's");
    setenv("XDG_DATA_HOME", (tmp.Path() / "home").c_str(), 1);
    std::string old = getenv("KELVOR_DATA_DIR") ? getenv("KELVOR_DATA_DIR") : "";
    setenv("KELVOR_DATA_DIR", shipped.c_str(), 1);
    fs::path folder = PrepareDataFolder();
    setenv("KELVOR_DATA_DIR", old.c_str(), 1);
    EXPECT_EQ(folder, tmp.Path() / "home" / "kelvor");
    EXPECT_EQ(fs::current_path(), folder);
    EXPECT_EQ(ReadBytes(folder / "FileSet" / "a.stt"), "shipped");
    EXPECT_EQ(ReadBytes(folder / "b.txt"), "user's");
}

namespace {

// Seeds the data folder under `home` from the shipped tree `shipped`.
fs::path SeedFrom(const fs::path& shipped, const fs::path& home, const std::vector<SeedGroup>& groups = {}) {
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    const std::string old = getenv("KELVOR_DATA_DIR") ? getenv("KELVOR_DATA_DIR") : "";
    setenv("KELVOR_DATA_DIR", shipped.c_str(), 1);
    fs::path folder;
    try {
        folder = PrepareDataFolder(groups);
    } catch (...) {
        setenv("KELVOR_DATA_DIR", old.c_str(), 1);
        throw;
    }
    setenv("KELVOR_DATA_DIR", old.c_str(), 1);
    return folder;
}

// Every entry under a folder, relative, sorted.
std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        out.push_back(fs::relative(e.path(), folder).generic_string());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

// A folder brought from a Windows or FAT medium spells its names in capitals:
// what is there is used under its own spelling, and nothing of the same name
// in another case is put beside it.
TEST(DataFolder, SeedsWithoutRegardToCaseIntoTheNamesThatAreThere) {
    TempWorkFolder tmp;
    const fs::path shipped = tmp.Path() / "shipped";
    WriteBytes(shipped / "OpzioneH" / "DBmain.rnd", "sample database");
    WriteBytes(shipped / "OpzioneH" / "Patolog.txt", "sample list");
    WriteBytes(shipped / "FileSet" / "a.stt", "shipped");
    const fs::path home = tmp.Path() / "home";
    WriteBytes(home / "kelvor" / "OPZIONEH" / "DBMAIN.RND", "the practitioner's 248 records");
    WriteBytes(home / "kelvor" / "fileset" / "A.STT", "user's");
    const fs::path folder = SeedFrom(shipped, home);
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"OPZIONEH", "OPZIONEH/DBMAIN.RND", "OPZIONEH/Patolog.txt",
                                                         "fileset", "fileset/A.STT"}));
    EXPECT_EQ(ReadBytes(folder / "OPZIONEH" / "DBMAIN.RND"), "the practitioner's 248 records");
    EXPECT_EQ(ReadBytes(folder / "fileset" / "A.STT"), "user's");
    // The program's own spelling finds the user's file.
    EXPECT_EQ(ResolvePath("OpzioneH\\DBmain.rnd"), fs::path("OPZIONEH/DBMAIN.RND"));
}

// The shipped lists describe the shipped database: beside a database of the
// user's they are not copied (the start makes them from the user's database),
// and what the user brought is left as it is.
TEST(DataFolder, AUsersDatabaseKeepsTheShippedListsAway) {
    const std::vector<SeedGroup> groups{{{"OpzioneH\\DBmain.rnd"}, {"OpzioneH\\Sintomi.txt", "OpzioneH\\ProdotA.txt"}},
                                        {{"OpzioneS\\DataStf.rnd", "OpzioneS\\DbTesto.Txt"}, {"OpzioneS\\Piante.rnd"}}};
    struct Case {
        const char* what;
        std::map<std::string, std::string> there;  // the data folder before the start
        std::map<std::string, std::string> after;  // every file after it
    };
    const std::map<std::string, std::string> sample{{"OpzioneH/DBmain.rnd", "sample db"},
                                                    {"OpzioneH/Sintomi.txt", "sample symptoms"},
                                                    {"OpzioneH/ProdotA.txt", "sample remedies"},
                                                    {"OpzioneS/DataStf.rnd", "sample signatures"},
                                                    {"OpzioneS/DbTesto.Txt", "sample text"},
                                                    {"OpzioneS/Piante.rnd", "sample plants"}};
    auto with = [&](std::map<std::string, std::string> changes, const std::vector<std::string>& gone = {}) {
        std::map<std::string, std::string> m = sample;
        for (const auto& g : gone) m.erase(g);
        for (const auto& c : changes) m[c.first] = c.second;
        return m;
    };
    const std::vector<Case> cases{
        {"empty folder", {}, sample},
        {"the sample database, its lists missing", {{"OpzioneH/DBmain.rnd", "sample db"}}, sample},
        {"an own database alone",
         {{"OpzioneH/DBmain.rnd", "own db"}},
         with({{"OpzioneH/DBmain.rnd", "own db"}}, {"OpzioneH/Sintomi.txt", "OpzioneH/ProdotA.txt"})},
        {"an own database with its own lists",
         {{"OpzioneH/DBmain.rnd", "own db"}, {"OpzioneH/Sintomi.txt", "own"}, {"OpzioneH/ProdotA.txt", "own"}},
         with({{"OpzioneH/DBmain.rnd", "own db"}, {"OpzioneH/Sintomi.txt", "own"}, {"OpzioneH/ProdotA.txt", "own"}})},
        {"an own database beside the sample's lists of an earlier start",
         {{"OpzioneH/DBmain.rnd", "own db"},
          {"OpzioneH/Sintomi.txt", "sample symptoms"},
          {"OpzioneH/ProdotA.txt", "sample remedies"}},
         with({{"OpzioneH/DBmain.rnd", "own db"}})},
        {"an own database whose own lists hold one list like the sample's",
         {{"OpzioneH/DBmain.rnd", "own db"},
          {"OpzioneH/Sintomi.txt", "sample symptoms"},
          {"OpzioneH/ProdotA.txt", "own"}},
         with({{"OpzioneH/DBmain.rnd", "own db"}, {"OpzioneH/ProdotA.txt", "own"}})},
        {"an own import text: the sample database is not put beside it",
         {{"OpzioneS/DbTesto.Txt", "own text"}},
         with({{"OpzioneS/DbTesto.Txt", "own text"}}, {"OpzioneS/DataStf.rnd", "OpzioneS/Piante.rnd"})},
        {"an own signature database: the sample text is not put beside it",
         {{"OpzioneS/DataStf.rnd", "own signatures"}},
         with({{"OpzioneS/DataStf.rnd", "own signatures"}}, {"OpzioneS/DbTesto.Txt", "OpzioneS/Piante.rnd"})},
        {"an own signature database beside the sample text: still the user's",
         {{"OpzioneS/DataStf.rnd", "own signatures"}, {"OpzioneS/DbTesto.Txt", "sample text"}},
         with({{"OpzioneS/DataStf.rnd", "own signatures"}}, {"OpzioneS/Piante.rnd"})},
    };
    for (const Case& c : cases) {
        TempWorkFolder tmp;
        for (const auto& f : sample) WriteBytes(tmp.Path() / "shipped" / f.first, f.second);
        for (const auto& f : c.there) WriteBytes(tmp.Path() / "home" / "kelvor" / f.first, f.second);
        const fs::path folder = SeedFrom(tmp.Path() / "shipped", tmp.Path() / "home", groups);
        std::map<std::string, std::string> after;
        for (const std::string& e : Entries(folder))
            if (fs::is_regular_file(folder / e)) after[e] = ReadBytes(folder / e);
        EXPECT_EQ(after, c.after) << c.what;
    }
}

namespace {

// The permission bits of a file or folder, as another account meets them.
unsigned ModeOf(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? static_cast<unsigned>(st.st_mode & 0777) : 0xFFFF;
}

// True when the unprivileged user "nobody" can read the file.
bool OthersRead(const fs::path& file) {
    return testing_support::RunAsUnprivilegedUser([&file] { return std::ifstream(file, std::ios::binary) ? 0 : 1; }) ==
           0;
}

}  // namespace

// The data folder holds the personal data of the practitioner's clients:
// another account of the computer reads nothing of it, under the umask
// desktops give (022) and in a home others may enter (as useradd -m makes
// it); a folder an earlier version left open to others is closed at the next
// start, and that start alone says so.
TEST(DataFolder, IsPrivateToItsUserAndAFolderOpenToOthersIsClosedOnce) {
    struct DesktopUmask {
        mode_t previous = ::umask(022);
        ~DesktopUmask() { ::umask(previous); }
    } desktopUmask;
    TempWorkFolder tmp;
    fs::permissions(tmp.Path(), fs::perms(0755));
    const fs::path shipped = tmp.Path() / "shipped";
    WriteBytes(shipped / "FileSet" / "a.stt", "shipped settings");
    WriteBytes(shipped / "Appoggio" / "Messaggi.txt", "shipped help");
    const fs::path folder = SeedFrom(shipped, tmp.Path() / "home");
    EXPECT_EQ(ModeOf(folder), 0700u);
    // What the program writes later: a file rewritten through a temporary,
    // and a new one.
    ReplaceWholeFile(folder / "FileSet" / "a.stt", "changed settings", "FileSet\\a.stt");
    ReplaceWholeFile(folder / "BASE.ST2", "ROSSI MARIA 1961", "BASE.ST2");
    std::map<std::string, unsigned> open;
    for (const std::string& e : Entries(folder))
        if (ModeOf(folder / e) & 077) open[e] = ModeOf(folder / e);
    EXPECT_EQ(open, (std::map<std::string, unsigned>{}));
    EXPECT_FALSE(OthersRead(folder / "BASE.ST2"));

    // A folder as an earlier version made it: 0755, its archive 0644.
    const fs::path earlier = tmp.Path() / "earlier" / "kelvor";
    WriteBytes(earlier / "BASE.ST2", "ROSSI MARIA 1961");
    fs::permissions(tmp.Path() / "earlier", fs::perms(0755));
    fs::permissions(earlier, fs::perms(0755));
    fs::permissions(earlier / "BASE.ST2", fs::perms(0644));
    ASSERT_TRUE(OthersRead(earlier / "BASE.ST2"));
    setenv("XDG_DATA_HOME", (tmp.Path() / "earlier").c_str(), 1);
    EXPECT_TRUE(MakeDataFolderPrivate());
    EXPECT_EQ(ModeOf(earlier), 0700u);
    EXPECT_FALSE(OthersRead(earlier / "BASE.ST2"));
    EXPECT_EQ(ReadBytes(earlier / "BASE.ST2"), "ROSSI MARIA 1961");
    EXPECT_FALSE(MakeDataFolderPrivate());  // told once
    SeedFrom(shipped, tmp.Path() / "earlier");
    EXPECT_EQ(ModeOf(earlier), 0700u);
}

// A folder an earlier version of the program filled, before the data folder
// recorded what it holds as shipped: a file holding the bytes an earlier
// version shipped is the program's and is renewed; an instruction document is
// known whatever moment its build stamped in; a file the user changed, even
// by one byte, stays.
TEST(DataFolder, FilesAsAnEarlierVersionShippedThemAreRenewed) {
    const fs::path installed = getenv("KELVOR_DATA_DIR");
    const std::string earlierDocument = testing_support::ReadFixture("runtime/earlier/Dispensa.pdf");
    std::string changedDocument = earlierDocument;
    changedDocument[changedDocument.size() / 2] ^= 1;
    struct Case {
        const char* what;
        std::string document;
        bool renewed;
    };
    for (const Case& c : {Case{"as the earlier build stamped it", earlierDocument, true},
                          Case{"changed by the user", changedDocument, false}}) {
        TempWorkFolder tmp;
        const fs::path folder = tmp.Path() / "home" / "kelvor";
        WriteBytes(folder / "Appoggio" / "Aggiorna1.txt",
                   testing_support::ReadFixture("runtime/earlier/Aggiorna1.txt"));
        WriteBytes(folder / "Dispensa.pdf", c.document);
        const std::string users = "Il mio aggiornamento\r\n" + ReadBytes(installed / "Appoggio" / "Aggiorna2.txt");
        WriteBytes(folder / "Appoggio" / "Aggiorna2.txt", users);
        setenv("XDG_DATA_HOME", (tmp.Path() / "home").c_str(), 1);
        RenewalNotice notice;
        PrepareDataFolder({}, &notice);
        EXPECT_EQ(ReadBytes(folder / "Appoggio" / "Aggiorna1.txt"), ReadBytes(installed / "Appoggio" / "Aggiorna1.txt"))
            << c.what;
        EXPECT_EQ(ReadBytes(folder / "Dispensa.pdf"), c.renewed ? ReadBytes(installed / "Dispensa.pdf") : c.document)
            << c.what;
        EXPECT_EQ(ReadBytes(folder / "Appoggio" / "Aggiorna2.txt"), users) << c.what;
        const std::vector<std::string> renewed =
            c.renewed ? std::vector<std::string>{"Appoggio\\Aggiorna1.txt", "Dispensa.pdf"}
                      : std::vector<std::string>{"Appoggio\\Aggiorna1.txt"};
        EXPECT_EQ(notice.renewed, renewed) << c.what;
        // The renewed files are the program's from now on, the user's stays
        // the user's; the list of the earlier versions stays in the installation.
        const std::string record = ReadBytes(folder / kShippedRecordName);
        auto state = [&record](const std::string& name) {
            const std::size_t end = record.find(" " + name + "\n");
            return end == std::string::npos ? '?' : record[record.rfind('\n', end) + 1];
        };
        EXPECT_EQ(state("Appoggio/Aggiorna1.txt"), '=') << record;
        EXPECT_EQ(state("Dispensa.pdf"), c.renewed ? '=' : 'u') << record;
        EXPECT_EQ(state("Appoggio/Aggiorna2.txt"), 'u') << record;
        EXPECT_FALSE(fs::exists(folder / kEarlierShippedName));
    }
}

TEST(RunTimeHelpers, ZeroPadCopyAndErrorCodes) {
    EXPECT_EQ(rt::ZeroPad(42, 5), "00042");
    EXPECT_EQ(rt::ZeroPad(123456, 5), "123456");
    EXPECT_EQ(rt::ZeroPad(-7, 3), "-07");
    EXPECT_EQ(rt::ZeroPad(0, 2), "00");
    EXPECT_EQ(rt::Copy("41N54-012E29", 7, 3), "012");
    EXPECT_EQ(rt::Copy("41N54", 4, 10), "54");
    EXPECT_EQ(rt::Copy("41N54", 0, 2), "");
    EXPECT_EQ(rt::Copy("41N54", 6, 1), "");
    EXPECT_EQ(rt::IoCodeFromErrno(ENOENT), rt::kFileNotFound);
    EXPECT_EQ(rt::IoCodeFromErrno(ENOENT, true), rt::kPathNotFound);
    EXPECT_EQ(rt::IoCodeFromErrno(ENOSPC), rt::kDiskFull);
    EXPECT_EQ(rt::IoCodeFromErrno(EACCES), rt::kAccessDenied);
    EXPECT_EQ(rt::IoError(rt::IoCodeFromErrno(EROFS, true), "x").what(), std::string("Accesso al file negato"));
}

TEST(RunTimeHelpers, PathsResolveInAnotherFolderWithoutRegardToCase) {
    testing_support::TempWorkFolder tmp;
    const auto other = tmp.Path() / "Medium";
    std::filesystem::create_directories(other / "DatiBase");
    testing_support::WriteBytes(other / "DatiBase" / "base.st1", "x");
    EXPECT_EQ(rt::ResolvePathIn(other, "DATIBASE\\BASE.ST1"), other / "DatiBase" / "base.st1");
    EXPECT_EQ(rt::ResolvePathIn(other, "datibase\\NEW.ST1"), other / "DatiBase" / "NEW.ST1");
}
