// The archive's files on disk: the empty archive, stored records against
// golden bytes, stores and removals keeping the index ordered, damaged
// archives, the current person's slot, text files and hand-offs.
#include <gtest/gtest.h>

#include "platform/gui/message_box.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <random>

#include "archive/archive_files.h"
#include "archive/change_record.h"
#include "engine/chart.h"
#include "platform/runtime/disc_flush.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"

namespace fs = std::filesystem;
using namespace archive;
using testing_support::ReadBytes;
using testing_support::ReadFixture;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;

namespace {

std::string Record(const std::string& file, std::size_t size, std::size_t n) {
    return ReadBytes(file).substr(n * size, size);
}

// Compares a record with a golden one over its defined bytes: for each field
// (offset, capacity) the length byte and the characters it counts.
void ExpectSameDefinedBytes(const std::string& actual, const std::string& golden,
                            const std::vector<std::pair<int, int>>& fields) {
    ASSERT_EQ(actual.size(), golden.size());
    for (auto [offset, capacity] : fields) {
        const auto len = static_cast<unsigned char>(golden[offset]);
        ASSERT_LE(len, capacity);
        EXPECT_EQ(actual.substr(offset, len + 1), golden.substr(offset, len + 1)) << "field at offset " << offset;
    }
}

const std::vector<std::pair<int, int>> kBirthFields = {{0, 20},   {21, 39},   {61, 2},   {64, 20},  {85, 72},
                                                       {158, 60}, {219, 124}, {344, 21}, {366, 12}, {379, 5}};
const std::vector<std::pair<int, int>> kNoteFields = {{0, 70}, {71, 70}, {142, 70}, {213, 70}};

bool UnsignedLess(const std::string& a, const std::string& b) {
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return c != 0 ? c < 0 : a.size() < b.size();
}

std::vector<std::string> IndexEntries(const std::string& letters) {
    ArchiveFiles f;
    f.Open(letters);
    std::vector<std::string> out;
    for (int i = 1; i <= f.EntryCount(); ++i) out.push_back(f.ReadEntry(i));
    return out;
}

BirthRecord SampleRecord(const std::string& date = "196012251405-1") {
    BirthRecord r;
    r.dateField = date;
    r.placeField = "52N22-004E54AMSTERDAM";
    r.calendarField = "GR";
    r.nationalityField = "NEDERLAND";
    r.positionString = "10eS0305lR1612mC2811vQ0411aP0302gR2703sC0505uL1208nS1001pV0705dL2609hV14";
    r.cuspString = "01B1702S1503R1604C2005Q2406P2407A1708T1509G1610N2011L2412V24";
    r.aspectString = "eKm7eWa6lZs2mZh0";
    return r;
}

StoreRequest Request(const std::string& letters, const std::string& name,
                     std::optional<AnnotationRecord> notes = std::nullopt) {
    return StoreRequest{letters, name, SampleRecord(), std::move(notes)};
}

}  // namespace

TEST(EmptyArchive, MatchesTheGoldenHeaders) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    const std::string st1 = ReadBytes("BASE.ST1");
    const std::string st2 = ReadBytes("BASE.ST2");
    const std::string st3 = ReadBytes("BASE.ST3");
    ASSERT_EQ(st1.size(), 44u);
    ASSERT_EQ(st2.size(), 385u);
    ASSERT_EQ(st3.size(), 284u);
    EXPECT_EQ(st1, ReadFixture("archive/empty_BASE.ST1"));
    EXPECT_EQ(st1.substr(1), "0 Registro vuoto......................00000");
    ExpectSameDefinedBytes(st2, ReadFixture("archive/empty_BASE.ST2"), kBirthFields);
    EXPECT_EQ(st3, ReadFixture("archive/empty_BASE.ST3"));

    ArchiveFiles f;
    f.Open("BASE");
    EXPECT_EQ(f.EntryCount(), 0);
    EXPECT_EQ(f.ReadAnnotation(0).lines[3].substr(11, 40), "QUESTO TEMA NON CONTIENE PER ORA ANNOTAZ");
}

TEST(EmptyArchive, NeverOverwritesAnExistingFile) {
    TempWorkFolder folder;
    WriteBytes("base.st2", std::string(385 * 3, 'x'));
    CreateEmptyArchive("BASE");
    EXPECT_EQ(ReadBytes("base.st2"), std::string(385 * 3, 'x'));
    EXPECT_FALSE(fs::exists("BASE.ST2"));  // the existing spelling is kept
    EXPECT_TRUE(ArchiveExists("BASE"));
    EXPECT_TRUE(ArchiveExists("base"));
}

TEST(ArchiveNames, ListsEveryIndexFileWithCaptions) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    CreateEmptyArchive("RICE");
    WriteBytes("tmpr.st1", std::string(44, '\0'));
    WriteBytes("notes.txt", "x");
    EXPECT_EQ(ListArchiveNames(), (std::vector<std::string>{"BASE", "RICE", "TMPR"}));
    EXPECT_EQ(ArchiveCaption("BASE"), "BASE (personale)");
    EXPECT_EQ(ArchiveCaption("TMPR"), "TMPR (temporaneo)");
    EXPECT_EQ(ArchiveCaption("RICE"), "RICE (speciale)");
    EXPECT_EQ(ArchiveCaption("BANK"), "BANK (banca dati)");
    EXPECT_EQ(ArchiveCaption("ABCD"), "ABCD");
}

TEST(Store, WritesTheGoldenRecordsAndTheCurrentPerson) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    AnnotationRecord notes;
    notes.lines = {"PRIMA RIGA", "  SECONDA \xE8 RIGA", "", MakeFourthAnnotationLine("QUARTA", "00003")};
    StoreResult r = StorePersonRecords(Request("BASE", "VAN DER BERG ANNELIES", notes));
    EXPECT_EQ(r.dataNumber, 1);
    EXPECT_EQ(r.indexPosition, 1);
    EXPECT_EQ(r.movedPosition, 0);
    EXPECT_EQ(r.annotationNumber, 1);

    const std::string goldenEntry = ReadFixture("archive/person_entry.ST1");
    const std::string goldenRecord = ReadFixture("archive/person_record.ST2");
    EXPECT_EQ(ReadBytes("BASE.ST1").size(), 2 * 44u);
    EXPECT_EQ(ReadBytes("BASE.ST2").size(), 2 * 385u);
    EXPECT_EQ(ReadBytes("BASE.ST3").size(), 2 * 284u);
    EXPECT_EQ(Record("BASE.ST1", 44, 1), goldenEntry);
    ExpectSameDefinedBytes(Record("BASE.ST2", 385, 1), goldenRecord, kBirthFields);
    ExpectSameDefinedBytes(Record("BASE.ST3", 284, 1), ReadFixture("archive/person_notes.ST3"), kNoteFields);
    // The headers are untouched.
    EXPECT_EQ(Record("BASE.ST1", 44, 0), ReadFixture("archive/empty_BASE.ST1"));

    // The stored person is the current person.
    EXPECT_EQ(Record("TMPR.ST1", 44, 0), goldenEntry);
    ExpectSameDefinedBytes(Record("TMPR.ST2", 385, 0), goldenRecord, kBirthFields);
    EXPECT_EQ(rt::ReadTextLines(kAnnotationHandOff),
              (std::vector<std::string>{"PRIMA RIGA SECONDA \xE8 RIGA  " +
                                        MakeFourthAnnotationLine("QUARTA", "00003")}));
    EXPECT_EQ(rt::ReadTextLines(kTextHandOff), (std::vector<std::string>{"BASE", "00003"}));
    EXPECT_EQ(rt::ReadTextLines(kModifiedArchivesFile), (std::vector<std::string>{"BASE"}));
}

TEST(Store, WithoutAnnotationsPointsAtTheNotice) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    WriteAnnotationHandOff("EARLIER");
    WriteTextHandOff("BASE", "00004");
    StorePersonRecords(Request("BASE", "ROSSI MARIO"));
    ArchiveFiles f;
    f.Open("BASE");
    EXPECT_EQ(f.ReadBirthRecord(1).annotationNumber, "00000");
    EXPECT_EQ(ReadBytes("BASE.ST3").size(), 284u);
    // Nothing of the earlier person is left to show with the new current person.
    EXPECT_EQ(rt::ReadTextLines(kAnnotationHandOff), (std::vector<std::string>{""}));
    EXPECT_EQ(rt::ReadTextLines(kTextHandOff), (std::vector<std::string>{"BASE", ""}));
}

TEST(Store, IntoTheCurrentPersonSlot) {
    TempWorkFolder folder;
    AnnotationRecord notes;
    notes.lines = {"TYPED", "", "", MakeFourthAnnotationLine("", "")};
    StorePersonRecords(Request("TMPR", "ROSSI MARIO", notes));
    StoreResult second = StorePersonRecords(Request("TMPR", "BIANCHI LUCA", notes));
    EXPECT_EQ(second.dataNumber, 2);
    EXPECT_EQ(second.indexPosition, 0);
    EXPECT_EQ(ReadBytes("TMPR.ST1").size(), 44u);       // one entry only
    EXPECT_EQ(ReadBytes("TMPR.ST2").size(), 3 * 385u);  // record 0 and two appended
    EXPECT_EQ(Record("TMPR.ST1", 44, 0).substr(1, 43), MakeIndexEntry("BIANCHI LUCA", 2));
    EXPECT_EQ(Record("TMPR.ST2", 385, 0), Record("TMPR.ST2", 385, 2));
    EXPECT_EQ(ReadBytes("TMPR.ST3").size(), 284u);  // no annotation record
    EXPECT_EQ(rt::ReadTextLines(kAnnotationHandOff), (std::vector<std::string>{""}));
}

TEST(Store, DuplicateNamesAreOrderedByRecordNumber) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    StorePersonRecords(Request("BASE", "ROSSI MARIO"));
    StorePersonRecords(Request("BASE", "ZANE"));
    StoreResult third = StorePersonRecords(Request("BASE", "ROSSI MARIO"));
    EXPECT_EQ(third.indexPosition, 2);
    EXPECT_EQ(third.movedPosition, 2);
    StoreResult first = StorePersonRecords(Request("BASE", "ABEL"));
    EXPECT_EQ(first.movedPosition, 1);
    StoreResult last = StorePersonRecords(Request("BASE", "ZZZ"));
    EXPECT_EQ(last.movedPosition, 0);
    EXPECT_EQ(last.indexPosition, 5);
    EXPECT_EQ(IndexEntries("BASE"),
              (std::vector<std::string>{MakeIndexEntry("ABEL", 4), MakeIndexEntry("ROSSI MARIO", 1),
                                        MakeIndexEntry("ROSSI MARIO", 3), MakeIndexEntry("ZANE", 2),
                                        MakeIndexEntry("ZZZ", 5)}));
}

TEST(Store, RandomStoresAndRemovalsKeepTheIndexOrderedAndFilesExact) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    std::mt19937 rng(20261207);
    const std::vector<std::string> stems = {"ROSSI",   "rossi",     "Rossi",     "\xC9MILE", "\xE9mile",
                                            "BIANCHI", "M\xDCLLER", "MULLER",    "O'BRIEN",  "VAN DER BERG",
                                            "ZOE",     "A",         "\xC0NGELO", "ANGELO",   " SPAZIO"};
    std::vector<std::string> model;
    int stored = 0, annotated = 0;
    for (int step = 0; step < 300; ++step) {
        if (!model.empty() && rng() % 4 == 0) {
            const int p = 1 + static_cast<int>(rng() % model.size());
            DeleteIndexEntry("BASE", p);
            model.erase(model.begin() + (p - 1));
        } else {
            std::string name = stems[rng() % stems.size()];
            if (rng() % 2) name += " " + stems[rng() % stems.size()];
            if (rng() % 5 == 0) name += std::string(40, 'X');  // longer than the name field
            std::optional<AnnotationRecord> notes;
            if (rng() % 3 == 0) {
                notes = AnnotationRecord{};
                notes->lines[0] = "NOTA " + std::to_string(step);
                ++annotated;
            }
            StoreResult r = StorePersonRecords(Request("BASE", name, notes));
            ++stored;
            EXPECT_EQ(r.dataNumber, stored);
            EXPECT_EQ(r.entry, MakeIndexEntry(name, stored));
            model.push_back(r.entry);
            std::sort(model.begin(), model.end(), UnsignedLess);
            EXPECT_EQ(model[r.indexPosition - 1], r.entry);
        }
        ASSERT_EQ(ReadBytes("BASE.ST1").size(), 44 * (model.size() + 1)) << "step " << step;
        ASSERT_EQ(ReadBytes("BASE.ST2").size(), 385u * (stored + 1)) << "step " << step;
        ASSERT_EQ(ReadBytes("BASE.ST3").size(), 284u * (annotated + 1)) << "step " << step;
        const auto entries = IndexEntries("BASE");
        ASSERT_EQ(entries, model) << "step " << step;
        for (std::size_t i = 1; i < entries.size(); ++i)
            ASSERT_TRUE(UnsignedLess(entries[i - 1], entries[i])) << "step " << step;
    }
    EXPECT_TRUE(CheckArchive("BASE").empty());
    EXPECT_EQ(Record("BASE.ST1", 44, 0), ReadFixture("archive/empty_BASE.ST1"));
}

TEST(Remove, ShortensTheIndexAndKeepsTheRecords) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    StorePersonRecords(Request("BASE", "ONLY"));
    const std::string data = ReadBytes("BASE.ST2");
    DeleteIndexEntry("BASE", 1);
    EXPECT_EQ(ReadBytes("BASE.ST1"), ReadFixture("archive/empty_BASE.ST1"));
    EXPECT_EQ(ReadBytes("BASE.ST2"), data);
    EXPECT_THROW(DeleteIndexEntry("BASE", 1), ArchiveError);
    EXPECT_THROW(DeleteIndexEntry("BASE", 0), ArchiveError);  // the header never goes
    // A new store appends after the records of the removed person.
    EXPECT_EQ(StorePersonRecords(Request("BASE", "NEXT")).dataNumber, 2);
}

TEST(Change, RenamedEntryMovesToItsPlace) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    for (const char* n : {"BIANCHI", "FERRARI", "ROSSI", "VERDI"}) StorePersonRecords(Request("BASE", n));
    // Same first 8 characters: rewritten in place, even out of order.
    EXPECT_EQ(ReplaceIndexEntry("BASE", 2, MakeIndexEntry("FERRARI ZZZZ", 2)), 2);
    // The first entry renamed to sort last: every other entry moves up one.
    EXPECT_EQ(ReplaceIndexEntry("BASE", 1, MakeIndexEntry("ZANI", 1)), 4);
    EXPECT_EQ(IndexEntries("BASE"),
              (std::vector<std::string>{MakeIndexEntry("FERRARI ZZZZ", 2), MakeIndexEntry("ROSSI", 3),
                                        MakeIndexEntry("VERDI", 4), MakeIndexEntry("ZANI", 1)}));
    EXPECT_EQ(ReplaceIndexEntry("BASE", 3, MakeIndexEntry("ALBERTI", 4)), 1);
    EXPECT_EQ(IndexEntries("BASE")[0], MakeIndexEntry("ALBERTI", 4));
    EXPECT_EQ(ReadBytes("BASE.ST1").size(), 5 * 44u);
    EXPECT_THROW(ReplaceIndexEntry("BASE", 5, "X"), ArchiveError);
}

// A store, a change, a removal and a recall wait for the disc a few times
// whatever their archive's size and however many files they change: the new
// bytes of their files reach the disc in one journal flushed with its folder,
// and each file written in place is flushed once. Counted by the program's
// own file layer, which sees every flush the operation asks of the system.
TEST(ArchiveWrites, ReachTheDiscWithAFewFlushesEach) {
    TempWorkFolder folder;
    rt::PrepareDataFolder();  // the ephemeris tables a change computes the chart with
    CreateEmptyArchive("BASE");
    EnsureCurrentPersonFiles();
    // 25,000 people: an index of more than a mebibyte, written on its own.
    {
        std::string index = ReadBytes("BASE.ST1"), data = ReadBytes("BASE.ST2");
        const rt::Bytes record = EncodeBirthRecord(SampleRecord());
        for (int i = 1; i <= 25000; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "PERSON %05d", i);
            const rt::Bytes entry = EncodeIndexEntry(MakeIndexEntry(name, i));
            index.append(entry.begin(), entry.end());
            data.append(record.begin(), record.end());
        }
        WriteBytes("BASE.ST1", index);
        WriteBytes("BASE.ST2", data);
    }
    AnnotationRecord notes;
    notes.lines = {"PRIMA RIGA", "", "", MakeFourthAnnotationLine("QUARTA", "00003")};
    // The files the operations may touch.
    auto snapshot = [] {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(".")) {
            const std::string name = fs::relative(e.path(), ".").string();
            if (e.is_regular_file() && (name.rfind("BASE", 0) == 0 || name.rfind("TMPR", 0) == 0 ||
                                        name.rfind("RICE", 0) == 0 || name.rfind("FileDum", 0) == 0))
                files[name] = ReadBytes(e.path());
        }
        return files;
    };
    struct Operation {
        const char* what;
        int most;
        std::function<void()> run;
    };
    const Operation operations[] = {
        {"store", 4, [&] { StorePersonRecords(Request("BASE", "MIDDLE PERSON", notes)); }},
        // The person just stored, the current person, renamed to the front with new annotations.
        {"change", 4,
         [&] {
             EditedPerson p;
             p.letters = "BASE";
             p.indexPosition = 1;
             p.dataNumber = 25001;
             p.name = "AAAA FIRST";
             p.dateTimeText = "25/12/1960 14:05";
             p.correctionText = "-1";
             p.coordinatesText = "52N22-004E54";
             p.placeName = "AMSTERDAM";
             p.calendarCode = "GR";
             p.nationality = "NEDERLAND";
             p.annotationNumber = "00001";
             p.annotation = notes;
             p.annotation->lines[1] = "NUOVA RIGA";
             RewriteEditedPerson(engine::ChartSettings{}, p);
         }},
        {"removal", 4, [] { DeleteIndexEntry("BASE", 2); }},
        {"recall", 3,
         [] {
             WriteCurrentPerson(MakeIndexEntry("PERSON 00007", 7), SampleRecord(), " ALTRA", {"RICE", "00009"});
         }},
    };
    for (const Operation& op : operations) {
        // Each changes the archive's list of modified archives too.
        fs::remove(rt::ResolvePath(kModifiedArchivesFile));
        const auto before = snapshot();
        // The flushes the operation asks of the system, run in a traced process.
        const testing_support::TracedRun traced = testing_support::RunKilledBeforeChange(op.run, 0);
        ASSERT_EQ(traced.exitCode, 0) << op.what;
        const auto asked = std::count_if(traced.calls.begin(), traced.calls.end(), [](const std::string& c) {
            return c.rfind("fsync ", 0) == 0 || c.rfind("fdatasync ", 0) == 0;
        });
        const auto after = snapshot();
        for (const auto& [name, bytes] : after)
            if (!before.count(name)) fs::remove(name);
        for (const auto& [name, bytes] : before) WriteBytes(name, bytes);
        // The same here, counted by the file layer.
        const std::int64_t flushed = rt::FlushesOfThisThread();
        op.run();
        const std::int64_t flushes = rt::FlushesOfThisThread() - flushed;
        EXPECT_EQ(snapshot(), after) << op.what;
        EXPECT_EQ(flushes, asked) << op.what;
        EXPECT_LE(flushes, op.most) << op.what;
        int changed = 0;
        for (const auto& [name, bytes] : after) changed += !before.count(name) || before.at(name) != bytes;
        EXPECT_GE(changed, op.what == std::string("removal") ? 2 : 4) << op.what;
    }
}

TEST(DamagedArchive, PartialLastRecordRefusesTheStoreAndLosesNothing) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    StorePersonRecords(Request("BASE", "ROSSI MARIO"));
    std::string data = ReadBytes("BASE.ST2") + std::string(100, 'z');
    WriteBytes("BASE.ST2", data);
    const std::string index = ReadBytes("BASE.ST1");
    const std::string tmpr = ReadBytes("TMPR.ST2");
    try {
        StorePersonRecords(Request("BASE", "BIANCHI"));
        FAIL() << "store went on";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("BASE.ST2"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("incompleta"), std::string::npos);
    }
    EXPECT_EQ(ReadBytes("BASE.ST2"), data);
    EXPECT_EQ(ReadBytes("BASE.ST1"), index);
    EXPECT_EQ(ReadBytes("TMPR.ST2"), tmpr);
    // Reading still works, the partial record ignored.
    ArchiveFiles f;
    f.Open("BASE");
    EXPECT_EQ(f.DataRecordCount(), 2);
    EXPECT_EQ(f.ReadBirthRecord(1).placeField, "52N22-004E54AMSTERDAM");
    f.Close();
    EXPECT_FALSE(CheckArchive("BASE").empty());
}

TEST(DamagedArchive, OverlongLengthBytesAreClampedAndKeptOnRewrite) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    StorePersonRecords(Request("BASE", "MMM"));
    std::string index = ReadBytes("BASE.ST1");
    index[44] = static_cast<char>(200);  // entry 1 claims 200 characters
    WriteBytes("BASE.ST1", index);
    const std::string damaged = index.substr(44, 44);
    ArchiveFiles f;
    f.Open("BASE");
    EXPECT_EQ(f.ReadEntry(1), MakeIndexEntry("MMM", 1));
    f.Close();
    const auto problems = CheckArchive("BASE");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("200"), std::string::npos);

    StorePersonRecords(Request("BASE", "AAA"));  // moves the damaged entry down one
    EXPECT_EQ(Record("BASE.ST1", 44, 2), damaged);
}

TEST(DamagedArchive, EntryPointingPastTheDataFile) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    StorePersonRecords(Request("BASE", "ROSSI"));
    std::string index = ReadBytes("BASE.ST1");
    index.replace(44 + 1 + 38, 5, "00042");
    WriteBytes("BASE.ST1", index);
    ArchiveFiles f;
    f.Open("BASE");
    const auto number = IndexEntryNumber(f.ReadEntry(1));
    ASSERT_EQ(number, 42);
    try {
        f.ReadBirthRecord(*number);
        FAIL() << "read went on";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("00042"), std::string::npos);
    }
    f.Close();
    EXPECT_EQ(CheckArchive("BASE").size(), 1u);
    // Storing still works and keeps the damaged entry.
    StorePersonRecords(Request("BASE", "BIANCHI"));
    EXPECT_EQ(IndexEntries("BASE")[1], MakeIndexEntry("ROSSI", 42));
}

TEST(DamagedArchive, MissingDataFileStopsBeforeWriting) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    fs::remove("BASE.ST2");
    const std::string index = ReadBytes("BASE.ST1");
    EXPECT_THROW(StorePersonRecords(Request("BASE", "ROSSI")), rt::IoError);
    EXPECT_EQ(ReadBytes("BASE.ST1"), index);
    EXPECT_FALSE(fs::exists("BASE.ST2"));
}

TEST(FullArchive, RefusesTheStoreBeyond99999Records) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    fs::resize_file("BASE.ST2", 385ull * 99999);  // records 0..99998
    StoreResult r = StorePersonRecords(Request("BASE", "LAST ONE"));
    EXPECT_EQ(r.entry.substr(38), "99999");
    const std::string index = ReadBytes("BASE.ST1");
    EXPECT_THROW(StorePersonRecords(Request("BASE", "ONE TOO MANY")), ArchiveError);
    EXPECT_EQ(fs::file_size("BASE.ST2"), 385ull * 100000);
    EXPECT_EQ(ReadBytes("BASE.ST1"), index);
}

TEST(CurrentPerson, RecallWritesSingleRecordFiles) {
    TempWorkFolder folder;
    StorePersonRecords(Request("TMPR", "A"));
    StorePersonRecords(Request("TMPR", "B"));
    BirthRecord r = SampleRecord();
    r.annotationNumber = "00007";
    WriteCurrentPerson("VERDI GIUSEPPE", r);
    EXPECT_EQ(ReadBytes("TMPR.ST1").size(), 44u);
    EXPECT_EQ(ReadBytes("TMPR.ST2").size(), 385u);
    ArchiveFiles f;
    f.Open("TMPR");
    EXPECT_EQ(f.ReadEntry(0), "VERDI GIUSEPPE");
    EXPECT_EQ(f.ReadBirthRecord(0).annotationNumber, "00007");
}

TEST(CurrentPerson, EmptySlotIsCreatedOnlyWhereMissing) {
    TempWorkFolder folder;
    EnsureCurrentPersonFiles();
    EXPECT_EQ(ReadBytes("TMPR.ST1").size(), 44u);
    EXPECT_EQ(ReadBytes("TMPR.ST2").size(), 385u);
    EXPECT_TRUE(rt::PathExists(kAnnotationHandOff));
    WriteAnnotationHandOff("KEEP");
    WriteCurrentPerson("VERDI", SampleRecord());
    const std::string st2 = ReadBytes("TMPR.ST2");
    EnsureCurrentPersonFiles();
    EXPECT_EQ(ReadBytes("TMPR.ST2"), st2);
    EXPECT_EQ(rt::ReadTextLines(kAnnotationHandOff), (std::vector<std::string>{"KEEP"}));
}

TEST(TextFiles, NumberedFromOneWithCounterAndHandOffs) {
    TempWorkFolder folder;
    EXPECT_EQ(CreatePersonTextFile("BASE", "VAN DER BERG ANNELIES MARIA JOHANNA CLAUDIA"), "00001");
    EXPECT_EQ(rt::ReadTextLines("BASEtxt\\FlagTxt.set"), (std::vector<std::string>{"2"}));
    EXPECT_EQ(rt::ReadTextLines("BASEtxt\\00001.txt"),
              (std::vector<std::string>{"VAN DER BERG ANNELIES MARIA JOHANNA CL"}));
    EXPECT_EQ(rt::ReadTextLines(kEditFileHandOff), (std::vector<std::string>{"BASEtxt\\00001.txt"}));
    EXPECT_EQ(rt::ReadTextLines(kTextHandOff), (std::vector<std::string>{"BASE", "00001"}));
    EXPECT_EQ(CreatePersonTextFile("BASE", "ROSSI"), "00002");
    EXPECT_TRUE(fs::exists("BASEtxt/00002.txt"));

    // A lost counter goes on after the highest text file.
    fs::remove("BASEtxt/FlagTxt.set");
    EXPECT_EQ(CreatePersonTextFile("BASE", "VERDI"), "00003");
    EXPECT_EQ(rt::ReadTextLines("BASEtxt\\00002.txt"), (std::vector<std::string>{"ROSSI"}));

    // A counter that is not a number is told, kept, and repaired after the
    // highest text in use; the text is made all the same.
    fs::create_directory("RICEtxt");
    rt::WriteTextLines("RICEtxt\\FlagTxt.set", {"abc"});
    rt::WriteTextLines("RICEtxt\\00004.txt", {"EARLIER"});
    gui::RecordingMessageSink messages;
    EXPECT_EQ(CreatePersonTextFile("RICE", "X"), "00005");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("\"RICEtxt\\FlagTxt.set\""), std::string::npos);
    EXPECT_EQ(rt::ReadTextLines("RICEtxt\\FlagTxt.set.damaged1"), (std::vector<std::string>{"abc"}));
    EXPECT_EQ(rt::ReadTextLines("RICEtxt\\FlagTxt.set"), (std::vector<std::string>{"6"}));
    EXPECT_EQ(rt::ReadTextLines("RICEtxt\\00004.txt"), (std::vector<std::string>{"EARLIER"}));
    EXPECT_FALSE(fs::exists("RICEtxt/00000.txt"));
}

TEST(TextFiles, ANewCounterStartsAfterTheTextsTheAnnotationsName) {
    TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    // A person whose text 00007 was lost with the whole text folder.
    AnnotationRecord notes;
    notes.lines = {"NOTA", "", "", MakeFourthAnnotationLine("", "00007")};
    StorePersonRecords(Request("BASE", "ROSSI MARIO", notes));
    EXPECT_EQ(HighestTextNumberInUse("BASE"), 7);
    EXPECT_EQ(CreatePersonTextFile("BASE", "VERDI"), "00008");
    EXPECT_EQ(rt::ReadTextLines("BASEtxt\\FlagTxt.set"), (std::vector<std::string>{"9"}));
    // A counter naming a text that exists is damaged: repaired, nothing overwritten.
    rt::WriteTextLines("BASEtxt\\FlagTxt.set", {"8"});
    gui::RecordingMessageSink messages;
    EXPECT_EQ(CreatePersonTextFile("BASE", "BIANCHI"), "00009");
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(rt::ReadTextLines("BASEtxt\\00008.txt"), (std::vector<std::string>{"VERDI"}));
}

TEST(HandOffs, AnnotationLineFormats) {
    AnnotationRecord a;
    a.lines = {"  UNO", "DUE", "   ", MakeFourthAnnotationLine("  QUATTRO", "00012")};
    EXPECT_EQ(a.lines[3].size(), 69u);
    EXPECT_EQ(TextNumberOfFourthLine(a.lines[3]), "00012");
    EXPECT_EQ(StoreAnnotationLine(a), "UNO DUE  " + a.lines[3]);
    EXPECT_EQ(RecallAnnotationLine(a), " UNO DUE  QUATTRO" + std::string(64 - 9, ' ') + "00012");
    EXPECT_EQ(MakeFourthAnnotationLine(std::string(65, 'Q'), ""), std::string(64, 'Q'));
    EXPECT_EQ(TextNumberOfFourthLine(std::string(64, 'Q')), "");
}

TEST(HandOffs, ModifiedArchivesListsEachNameOnceAndAtMostTwelve) {
    TempWorkFolder folder;
    MarkArchiveModified("BASE");
    MarkArchiveModified("RICE");
    MarkArchiveModified("BASE");
    EXPECT_EQ(rt::ReadTextLines(kModifiedArchivesFile), (std::vector<std::string>{"BASE", "RICE"}));
    for (int i = 0; i < 20; ++i) MarkArchiveModified("A" + std::to_string(100 + i));
    const auto names = rt::ReadTextLines(kModifiedArchivesFile);
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(names.back(), "A119");
}
