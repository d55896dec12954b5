// A run killed at any moment of a store, a recall, a change or a removal:
// after the next start has finished what the run began, every file is either
// its old or its new version, the archives check clean, and the current person
// is one person whole (its record files and its hand-offs of one person), old
// or new together with the record it was changed with.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>

#include "archive/archive_files.h"
#include "archive/change_record.h"
#include "platform/runtime/grouped_rewrite.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "tests/common/test_support.h"

namespace interrupted_store_test {

namespace fs = std::filesystem;
using namespace archive;
using testing_support::ReadBytes;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;

namespace {

using Files = std::map<std::string, std::string>;

// The files a store, a recall, a change or a removal may touch: the archives'
// files and folders and the hand-off folder (the rest of the data folder is
// not read, so a round stays short).
Files Snapshot(const fs::path& root) {
    auto touched = [](const std::string& rel) {
        return rel.rfind("BASE", 0) == 0 || rel.rfind("TMPR", 0) == 0 || rel.rfind("FileDum", 0) == 0;
    };
    Files out;
    for (const auto& top : fs::directory_iterator(root)) {
        const std::string name = top.path().filename().string();
        if (!touched(name)) continue;
        if (top.is_regular_file()) {
            out[name] = ReadBytes(top.path());
        } else if (top.is_directory()) {
            for (const auto& e : fs::recursive_directory_iterator(top.path()))
                if (e.is_regular_file()) out[fs::relative(e.path(), root).string()] = ReadBytes(e.path());
        }
    }
    return out;
}

void Restore(const fs::path& root, const Files& files) {
    for (const auto& [rel, bytes] : Snapshot(root))
        if (!files.count(rel)) fs::remove(root / rel);
    for (const auto& [rel, bytes] : files) WriteBytes(root / rel, bytes);
}

const char* kCurrentPersonFiles[] = {"TMPR.ST1", "TMPR.ST2", "FileDum/Annotaz.dum", "FileDum/StrText.dum"};

std::vector<std::string> CurrentPerson(const Files& f) {
    std::vector<std::string> out;
    for (const char* name : kCurrentPersonFiles) out.push_back(f.count(name) ? f.at(name) : "<none>");
    return out;
}

BirthRecord Person(int n) {
    BirthRecord r;
    r.dateField = "19" + std::to_string(10 + n % 80) + "0612140" + std::to_string(n % 10) + "-1";
    r.placeField = "52N22-004E54AMSTERDAM";
    r.calendarField = "GR";
    r.nationalityField = "NEDERLAND";
    r.positionString = "10eS0305lR1612mC2811vQ0411aP0302gR2703sC0505uL1208nS1001pV0705dL2609hV14";
    r.cuspString = "01B1702S1503R1604C2005Q2406P2407A1708T1509G1610N2011L2412V24";
    r.aspectString = "eKm7eWa6lZs2mZh0";
    return r;
}

AnnotationRecord Notes(int n) {
    AnnotationRecord a;
    a.lines = {"note " + std::to_string(n), "", "", "Testo " + std::to_string(10000 + n).substr(1)};
    return a;
}

}  // namespace

namespace {

// The people of the personal archive as the dialogs see them: each index
// entry with the data record it names and that record's annotation record,
// so that a name joined to another person's birth data is a person of neither
// the old archive nor the new one.
std::vector<std::string> People(const Files& f) {
    std::vector<std::string> out;
    if (!f.count("BASE.ST1") || !f.count("BASE.ST2")) return out;
    const std::string& index = f.at("BASE.ST1");
    const std::string& data = f.at("BASE.ST2");
    const std::string notes = f.count("BASE.ST3") ? f.at("BASE.ST3") : "";
    auto record = [](const std::string& file, std::size_t size, int n) {
        const std::size_t at = static_cast<std::size_t>(n) * size;
        return n > 0 && at + size <= file.size() ? file.substr(at, size) : std::string("<none>");
    };
    for (std::size_t at = kIndexRecordSize; at + kIndexRecordSize <= index.size(); at += kIndexRecordSize) {
        const std::string entry =
            DecodeIndexEntry(rt::Bytes(index.begin() + static_cast<std::ptrdiff_t>(at),
                                       index.begin() + static_cast<std::ptrdiff_t>(at + kIndexRecordSize)));
        const int number = IndexEntryNumber(entry).value_or(0);
        const std::string birth = record(data, kBirthRecordSize, number);
        int noteNumber = 0;
        if (birth.size() == kBirthRecordSize) {
            const BirthRecord r = DecodeBirthRecord(rt::Bytes(birth.begin(), birth.end()));
            noteNumber = std::atoi(r.annotationNumber.c_str());
        }
        out.push_back(entry + "|" + birth + "|" + record(notes, kAnnotationRecordSize, noteNumber));
    }
    return out;
}

// The recall dialog's confirmation of the person at an index position.
void RecallPerson(int position) {
    ArchiveFiles f;
    f.Open("BASE");
    const std::string entry = f.ReadEntry(position);
    const int number = *IndexEntryNumber(entry);
    const BirthRecord record = f.ReadBirthRecord(number);
    std::string line, textNumber;
    if (const int note = std::atoi(record.annotationNumber.c_str()); note > 0) {
        const AnnotationRecord notes = f.ReadAnnotation(note);
        line = RecallAnnotationLine(notes);
        textNumber = TextNumberOfFourthLine(notes.lines[3]);
    }
    f.Close();
    WriteCurrentPerson(MakeIndexEntry(IndexEntryName(entry), number), record, line, {"BASE", textNumber});
}

// The change dialog's rewrite of the person at an index position.
void ChangePerson(int position, const std::string& name, int n, bool withNotes) {
    ArchiveFiles f;
    f.Open("BASE");
    const int number = *IndexEntryNumber(f.ReadEntry(position));
    const BirthRecord stored = f.ReadBirthRecord(number);
    f.Close();
    EditedPerson p;
    p.letters = "BASE";
    p.indexPosition = position;
    p.dataNumber = number;
    p.name = name;
    p.dateTimeText = "12/06/1950 14:0" + std::to_string(n % 10);
    p.correctionText = "-1";
    p.coordinatesText = "45N28-009E12";
    p.placeName = "MILANO";
    p.calendarCode = "GR";
    p.nationality = "ITALIA";
    p.annotationNumber = stored.annotationNumber;
    if (withNotes) p.annotation = Notes(n);
    RewriteEditedPerson(engine::ChartSettings{}, p);
}

}  // namespace

// Every operation is run once whole and then once killed before each of its
// changes to the disc in turn, so every moment between two changes is met,
// in the same rounds on any machine.
TEST(InterruptedWrites, EveryFileOldOrNewAndTheCurrentPersonWhole) {
    TempWorkFolder work;
    rt::PrepareDataFolder();  // the ephemeris tables a change computes the chart with
    const fs::path root = fs::current_path();
    CreateEmptyArchive("BASE");
    EnsureCurrentPersonFiles();
    for (int i = 0; i < 6; ++i) StorePersonRecords({"BASE", "PERSON " + std::to_string(i), Person(i), Notes(i)});
    // The first person is one without annotations of its own.
    StorePersonRecords({"BASE", "ALDO BARE", Person(7), std::nullopt});

    // What an operation does to the current person.
    enum class Current { Stays, Replaced, ChangesWithItsRecord };
    struct Operation {
        const char* what;
        Current current;
        std::function<void()> run;
    };
    const Operation operations[] = {
        {"store", Current::Replaced,
         [] {
             StorePersonRecords({"BASE", "NEW 1", Person(101), Notes(101)});
         }},
        {"store without notes", Current::Replaced,
         [] {
             StorePersonRecords({"BASE", "AAA BARE", Person(102), std::nullopt});
         }},
        {"store into TMPR", Current::Replaced,
         [] {
             StorePersonRecords({"TMPR", "SLOT 3", Person(103), std::nullopt});
         }},
        // "AAA BARE", first in the index.
        {"recall", Current::Replaced, [] { RecallPerson(1); }},
        {"delete", Current::Stays, [] { DeleteIndexEntry("BASE", 2); }},
        // The current person, renamed from the front of the index to its end
        // and given annotations.
        {"change", Current::ChangesWithItsRecord, [] { ChangePerson(1, "ZANETTI ANNA", 106, true); }},
        // "PERSON 1" renamed where it stands: the records and that one entry change.
        {"change in place", Current::Stays, [] { ChangePerson(3, "PERSON 1 BIS", 107, true); }},
        {"change without notes", Current::Stays, [] { ChangePerson(2, "ROSSI MARIO", 108, false); }},
    };
    int rounds = 0, kills = 0;
    for (const Operation& op : operations) {
        const Files before = Snapshot(root);
        // Run whole: what it changes, and how many changes it makes.
        const testing_support::TracedRun whole = testing_support::RunKilledBeforeChange(op.run, 0);
        ASSERT_EQ(whole.exitCode, 0) << op.what;
        const Files after = Snapshot(root);
        ASSERT_NE(after, before) << op.what;
        ASSERT_GT(whole.changes, 0) << op.what;
        const bool personChanges = CurrentPerson(before) != CurrentPerson(after);
        const bool peopleChange = People(before) != People(after);
        ASSERT_EQ(personChanges, op.current != Current::Stays) << op.what;
        int endedOld = 0, endedNew = 0;
        for (int k = 1; k <= whole.changes; ++k) {
            Restore(root, before);
            const testing_support::TracedRun run = testing_support::RunKilledBeforeChange(op.run, k);
            ++rounds;
            if (run.killed) ++kills;
            // The next start.
            rt::FinishInterruptedRewrites();
            const Files now = Snapshot(root);
            const std::string where = std::string(op.what) + ", killed before change " + std::to_string(k);
            for (const auto& [rel, bytes] : now) {
                const bool old = before.count(rel) && before.at(rel) == bytes;
                const bool fresh = after.count(rel) && after.at(rel) == bytes;
                EXPECT_TRUE(old || fresh) << where << ": " << rel << " is torn";
            }
            for (const auto& [rel, bytes] : before) EXPECT_TRUE(now.count(rel)) << where << ": " << rel << " vanished";
            const std::vector<std::string> problems = CheckArchive("BASE");
            EXPECT_TRUE(problems.empty()) << where << ": " << problems.front();
            EXPECT_TRUE(CheckArchive("TMPR").empty()) << where;
            // Each index entry with its own records, all of before or all of after.
            const auto people = People(now);
            EXPECT_TRUE(people == People(before) || people == People(after))
                << where << ": names and records of the archive are mixed";
            const auto person = CurrentPerson(now);
            EXPECT_TRUE(person == CurrentPerson(before) || person == CurrentPerson(after))
                << where << ": the current person is mixed";
            // A change of the current person's record and the current person
            // take effect together.
            if (op.current == Current::ChangesWithItsRecord) {
                EXPECT_EQ(person == CurrentPerson(before), people == People(before))
                    << where << ": the current person and its record disagree";
            }
            if ((personChanges && person == CurrentPerson(before)) || (peopleChange && people == People(before)))
                ++endedOld;
            else
                ++endedNew;
            if (HasFailure()) return;
        }
        // The kills fell on both sides of the moment the operation takes effect.
        EXPECT_GT(endedOld, 0) << op.what;
        EXPECT_GT(endedNew, 0) << op.what;
        Restore(root, after);
    }
    // Every round ended its run inside the operation.
    EXPECT_EQ(kills, rounds);
    EXPECT_GE(rounds, 8 * 5);
}

TEST(InterruptedWrites, TheNextStartFinishesAListedGroupAndDropsTemporaries) {
    TempWorkFolder work;
    EnsureCurrentPersonFiles();
    WriteCurrentPerson("OLD", Person(1), " old", {"BASE", "00001"});
    const Files old = Snapshot(work.Path());
    // A run that wrote every new file and its list, then ended after one rename.
    const fs::path st1 = rt::ResolvePath("TMPR.ST1"), hand = rt::ResolvePath("FileDum\\StrText.dum");
    WriteBytes(rt::TemporaryBeside(st1), "new index");
    WriteBytes(rt::TemporaryBeside(hand), "new hand-off\r\n");
    WriteBytes(work.Path() / "FileDum" / "Gruppo.dum",
               fs::absolute(rt::TemporaryBeside(st1)).string() + "\n" + fs::absolute(st1).string() + "\n" +
                   fs::absolute(rt::TemporaryBeside(hand)).string() + "\n" + fs::absolute(hand).string() + "\nend\n");
    fs::rename(rt::TemporaryBeside(st1), st1);
    // And a temporary file of another run that ended before its list.
    WriteBytes(work.Path() / "BASE.ST1.tmp~99999", "half");
    EXPECT_EQ(rt::FinishInterruptedRewrites(), 1);
    EXPECT_EQ(ReadBytes(st1), "new index");
    EXPECT_EQ(ReadBytes(hand), "new hand-off\r\n");
    EXPECT_FALSE(fs::exists(work.Path() / "FileDum" / "Gruppo.dum"));
    EXPECT_FALSE(fs::exists(work.Path() / "BASE.ST1.tmp~99999"));

    // A list cut short (the run ended while writing it) puts nothing in place.
    Restore(work.Path(), old);
    WriteBytes(rt::TemporaryBeside(st1), "never");
    WriteBytes(work.Path() / "FileDum" / "Gruppo.dum",
               fs::absolute(rt::TemporaryBeside(st1)).string() + "\n" + fs::absolute(st1).string() + "\n");
    EXPECT_EQ(rt::FinishInterruptedRewrites(), 0);
    EXPECT_EQ(Snapshot(work.Path()), old);
}

// A group with a file too large for the journal (an index of many people,
// written beside itself and flushed on its own) and a small one, ended before
// each of its changes to the disc in turn: after the next start both files
// are old or both new.
TEST(InterruptedWrites, AGroupWithALargeFileEndsOldOrNewWhereverItStops) {
    TempWorkFolder work;
    const std::string largeOld = testing_support::RandomBytes(1500000, 1),
                      largeNew = testing_support::RandomBytes(1500044, 2);
    fs::create_directories(work.Path() / "FileDum");
    WriteBytes(work.Path() / "BASE.ST1", largeOld);
    WriteBytes(work.Path() / "TMPR.ST1", "old entry");
    auto run = [&] { rt::ReplaceFilesTogether({{"BASE.ST1", largeNew}, {"TMPR.ST1", "new entry"}}); };
    const testing_support::TracedRun whole = testing_support::RunKilledBeforeChange(run, 0);
    ASSERT_EQ(whole.exitCode, 0);
    int endedOld = 0, endedNew = 0;
    for (int k = 1; k <= whole.changes; ++k) {
        WriteBytes(work.Path() / "BASE.ST1", largeOld);
        WriteBytes(work.Path() / "TMPR.ST1", "old entry");
        ASSERT_TRUE(testing_support::RunKilledBeforeChange(run, k).killed) << k;
        rt::FinishInterruptedRewrites();
        const std::string large = ReadBytes(work.Path() / "BASE.ST1"), small = ReadBytes(work.Path() / "TMPR.ST1");
        if (large == largeOld && small == "old entry")
            ++endedOld;
        else if (large == largeNew && small == "new entry")
            ++endedNew;
        else
            ADD_FAILURE() << "killed before change " << k << ": the files are mixed";
        EXPECT_FALSE(fs::exists(work.Path() / "FileDum" / "Gruppo.dum")) << k;
    }
    EXPECT_GT(endedOld, 0);
    EXPECT_GT(endedNew, 0);
    for (const auto& e : fs::directory_iterator(work.Path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp~"), std::string::npos) << e.path();
}

TEST(InterruptedWrites, AnotherProcessTemporaryFileStopsNoStore) {
    TempWorkFolder work;
    CreateEmptyArchive("BASE");
    EnsureCurrentPersonFiles();
    // What another copy of the program is writing at this moment: its
    // temporary names carry its own process number, never ours.
    const pid_t other = getpid() + 1;
    for (const char* name : {"BASE.ST1", "BASE.ST2", "TMPR.ST1", "TMPR.ST2"})
        fs::create_directories(work.Path() / (std::string(name) + ".tmp~" + std::to_string(other)));
    EXPECT_NE(rt::TemporaryBeside("BASE.ST1"), fs::path("BASE.ST1.tmp~" + std::to_string(other)));
    const StoreResult r = StorePersonRecords({"BASE", "ROSSI MARIA", Person(1), Notes(1)});
    EXPECT_EQ(r.dataNumber, 1);
    EXPECT_TRUE(CheckArchive("BASE").empty());
    EXPECT_EQ(IndexEntryName(DecodeIndexEntry(rt::ReadAllRecords("TMPR.ST1", kIndexRecordSize)[0])).substr(0, 11),
              "ROSSI MARIA");
}

TEST(InterruptedWrites, AppendsOfAStoreThatEndedBeforeTheirCommitAreCutBack) {
    TempWorkFolder work;
    CreateEmptyArchive("BASE");
    EnsureCurrentPersonFiles();
    StorePersonRecords({"BASE", "ROSSI MARIA", Person(1), Notes(1)});
    const Files old = Snapshot(work.Path());

    // A run that listed its appends, wrote a whole data record and half an
    // annotation record (a kill in the middle of a write), and ended.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rt::InPlaceWriteGroup group({{"BASE.ST2"}, {"BASE.ST3"}});
        rt::RecordFile data("BASE.ST2", kBirthRecordSize);
        data.Reset();
        data.Append(EncodeBirthRecord(Person(2)));
        data.Close();
        std::FILE* notes = std::fopen("BASE.ST3", "ab");
        std::fwrite("half a record", 1, 13, notes);
        std::fclose(notes);
        _exit(0);  // as a kill: no destructor runs
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(Snapshot(work.Path()), old);
    EXPECT_FALSE(CheckArchive("BASE").empty());

    EXPECT_EQ(rt::FinishInterruptedRewrites(), 2);
    EXPECT_EQ(Snapshot(work.Path()), old);
    EXPECT_TRUE(CheckArchive("BASE").empty());
    EXPECT_EQ(StorePersonRecords({"BASE", "VERDI LUCA", Person(3), Notes(3)}).dataNumber, 2);
    EXPECT_TRUE(CheckArchive("BASE").empty());
}

TEST(InterruptedWrites, AFailureBeforeTheCommitCutsTheAppendsBackAtOnce) {
    TempWorkFolder work;
    CreateEmptyArchive("BASE");
    const std::string before = ReadBytes(work.Path() / "BASE.ST2");
    try {
        rt::InPlaceWriteGroup group({{"BASE.ST2"}});
        rt::RecordFile data("BASE.ST2", kBirthRecordSize);
        data.Reset();
        data.Append(EncodeBirthRecord(Person(2)));
        throw std::runtime_error("disc full");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadBytes(work.Path() / "BASE.ST2"), before);
    EXPECT_FALSE(fs::exists(rt::ResolvePath(rt::kInPlaceWriteList)));
    // A list the program did not finish writing cuts nothing.
    fs::create_directories(work.Path() / "FileDum");
    WriteBytes(work.Path() / "FileDum" / "Scritture.dum", "0\t0\t\t" + fs::absolute(work.Path() / "BASE.ST2").string());
    EXPECT_EQ(rt::FinishInterruptedRewrites(), 0);
    EXPECT_EQ(ReadBytes(work.Path() / "BASE.ST2"), before);
    EXPECT_FALSE(fs::exists(work.Path() / "FileDum" / "Scritture.dum"));
}

// A store the disc refuses half-way through its writes in place (a full
// disc: the annotation record is written, the data record is not) leaves
// every file as it was, and no journal that a next start would finish.
TEST(InterruptedWrites, AStoreTheDiscRefusesHalfWayLeavesEveryFileAsItWas) {
    TempWorkFolder work;
    CreateEmptyArchive("BASE");
    EnsureCurrentPersonFiles();
    for (int i = 0; i < 6; ++i) StorePersonRecords({"BASE", "PERSON " + std::to_string(i), Person(i), Notes(i)});
    const Files old = Snapshot(work.Path());
    // No file may grow past the data file's length.
    const rlim_t limit = fs::file_size(work.Path() / "BASE.ST2");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit most{limit, limit};
        setrlimit(RLIMIT_FSIZE, &most);
        try {
            StorePersonRecords({"BASE", "VERDI LUCA", Person(9), Notes(9)});
        } catch (const rt::IoError& e) {
            _exit(e.File() == "BASE.ST2" ? 0 : 1);
        } catch (...) {
            _exit(2);
        }
        _exit(3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Snapshot(work.Path()), old);
    EXPECT_FALSE(fs::exists(rt::ResolvePath(rt::kGroupRewriteList)));
    EXPECT_EQ(rt::FinishInterruptedRewrites(), 0);
    EXPECT_EQ(Snapshot(work.Path()), old);
}

TEST(InterruptedWrites, AChangeEndedInTheMiddleOfARecordIsPutBackWhole) {
    TempWorkFolder work;
    CreateEmptyArchive("BASE");
    EnsureCurrentPersonFiles();
    for (int i = 1; i <= 3; ++i) StorePersonRecords({"BASE", "PERSON " + std::to_string(i), Person(i), Notes(i)});
    const Files old = Snapshot(work.Path());

    // A run that listed the change of data record 3 and annotation record 2,
    // wrote the annotation whole and the data record in part, and ended.
    const std::int64_t dataAt = 3 * static_cast<std::int64_t>(kBirthRecordSize);
    const std::int64_t notesAt = 2 * static_cast<std::int64_t>(kAnnotationRecordSize);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rt::InPlaceWriteGroup group({{"BASE.ST2", dataAt, static_cast<std::int64_t>(kBirthRecordSize)},
                                     {"BASE.ST3", notesAt, static_cast<std::int64_t>(kAnnotationRecordSize)}});
        rt::RecordFile notes("BASE.ST3", kAnnotationRecordSize);
        notes.Reset();
        notes.Write(2, EncodeAnnotationRecord(Notes(9)));
        notes.Close();
        std::FILE* data = std::fopen("BASE.ST2", "r+b");
        std::fseek(data, static_cast<long>(dataAt) + 40, SEEK_SET);
        std::fwrite("half of a new record", 1, 20, data);
        std::fclose(data);
        _exit(0);  // as a kill: no destructor runs
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(Snapshot(work.Path()), old);

    EXPECT_EQ(rt::FinishInterruptedRewrites(), 2);
    EXPECT_EQ(Snapshot(work.Path()), old);
    EXPECT_TRUE(CheckArchive("BASE").empty());
}

}  // namespace interrupted_store_test
