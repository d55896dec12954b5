// One record written in place through a journal: what a save or an append
// stopped half-way leaves is rolled back to the exact old file at the next
// start, a journal written only in part is dropped, a finished write leaves none.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "platform/runtime/io_error.h"
#include "remedies/record_journal.h"
#include "remedies/repertory_db.h"
#include "tests/remedies/remedy_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

namespace {

// Stops a journaled write at a step, as a run ended there would.
WriteSteps StoppedAt(int step) {
    WriteSteps steps;
    steps.journal = [step](int s) {
        if (s == step) throw std::runtime_error("stopped");
    };
    return steps;
}

std::string Encoded(const PrimaryTexts& t) {
    const Bytes b = EncodePrimaryRecord(MakePrimaryRecord(t));
    return std::string(b.begin(), b.end());
}

fs::path JournalOf(const DbFile& db) { return rt::ResolvePath(JournalNameFor(db)); }

TEST(RecordJournal, AStoppedSaveOrAppendIsRolledBackToTheExactOldFile) {
    TempWorkFolder folder;
    WritePrimaryDb({Texts({"Arnica", "Val"}), Texts({"Belladonna", "Koorts"}), Texts({"Calendula", "Wond"})});
    const std::string whole = FileBytes(kPrimaryDbName);
    // The old file ends in a partial record, which the append overwrites.
    const std::string old = whole + std::string(100, 'x');
    const Bytes edited = EncodePrimaryRecord(MakePrimaryRecord(Texts({"Gewijzigd", "Angst"})));
    for (int step : {1, 2}) {
        WriteBytes(rt::ResolvePath(kPrimaryDbName), old);
        {
            const WriteSteps stop = StoppedAt(step);
            EXPECT_THROW(WriteRecordInPlace(PrimaryDb(), 3, edited, stop), std::runtime_error);
        }
        ASSERT_TRUE(fs::exists(JournalOf(PrimaryDb())));
        if (step == 2) {
            EXPECT_EQ(FileBytes(kPrimaryDbName).substr(3 * kPrimaryRecordSize, 10), std::string("\x09Gewijzigd"));
        }
        EXPECT_EQ(RollBackInterruptedSaves(), 1);
        EXPECT_EQ(FileBytes(kPrimaryDbName), old) << "save stopped at step " << step;
        EXPECT_FALSE(fs::exists(JournalOf(PrimaryDb())));

        {
            const WriteSteps stop = StoppedAt(step);
            EXPECT_THROW(AppendRecordInPlace(PrimaryDb(), edited, stop), std::runtime_error);
        }
        if (step == 2) {
            EXPECT_EQ(FileBytes(kPrimaryDbName).size(), 5 * kPrimaryRecordSize);
        }
        EXPECT_EQ(RollBackInterruptedSaves(), 1);
        EXPECT_EQ(FileBytes(kPrimaryDbName), old) << "append stopped at step " << step;
    }
    // Nothing left to roll back: the next start changes nothing.
    EXPECT_EQ(RollBackInterruptedSaves(), 0);
    EXPECT_EQ(FileBytes(kPrimaryDbName), old);

    // An append to an empty file puts the header first; stopped, the file is empty again.
    WriteBytes(rt::ResolvePath(kRepertoryDbName), "");
    const Bytes therapy = EncodeRepertoryRecord(FormToRepertoryRecord({"Slapeloosheid", "Valeriana", "", ""}));
    {
        const WriteSteps stop = StoppedAt(2);
        EXPECT_THROW(AppendRecordInPlace(RepertoryDb(), therapy, stop), std::runtime_error);
    }
    EXPECT_EQ(FileBytes(kRepertoryDbName).size(), 2 * kRepertoryRecordSize);
    EXPECT_EQ(RollBackInterruptedSaves(), 1);
    EXPECT_EQ(FileBytes(kRepertoryDbName), "");
}

TEST(RecordJournal, FinishedWritesLeaveNoJournalAndTheRecordInPlace) {
    TempWorkFolder folder;
    WritePrimaryDb({Texts({"Arnica", "Val"}), Texts({"Belladonna", "Koorts"})});
    const std::string old = FileBytes(kPrimaryDbName);
    WriteRecordInPlace(PrimaryDb(), 2, EncodePrimaryRecord(MakePrimaryRecord(Texts({"Bryonia", "Hoest"}))));
    EXPECT_FALSE(fs::exists(JournalOf(PrimaryDb())));
    std::string expected = old;
    expected.replace(2 * kPrimaryRecordSize, kPrimaryRecordSize, Encoded(Texts({"Bryonia", "Hoest"})));
    EXPECT_EQ(FileBytes(kPrimaryDbName), expected);
    EXPECT_EQ(AppendRecordInPlace(PrimaryDb(), EncodePrimaryRecord(MakePrimaryRecord(Texts({"Conium", "Duizelig"})))),
              3);
    EXPECT_EQ(FileBytes(kPrimaryDbName), expected + Encoded(Texts({"Conium", "Duizelig"})));
    EXPECT_FALSE(fs::exists(JournalOf(PrimaryDb())));
    // Record 0 and records past the end are refused before any journal is written.
    for (std::int64_t r : {0, 4, -1})
        EXPECT_THROW(WriteRecordInPlace(PrimaryDb(), r, Bytes(kPrimaryRecordSize, 0)), rt::IoError) << r;
    EXPECT_FALSE(fs::exists(JournalOf(PrimaryDb())));
    EXPECT_EQ(FileBytes(kPrimaryDbName), expected + Encoded(Texts({"Conium", "Duizelig"})));
}

TEST(RecordJournal, AJournalWrittenOnlyInPartIsDroppedAndTheDatabaseLeftAlone) {
    TempWorkFolder folder;
    WritePrimaryDb({Texts({"Arnica", "Val"}), Texts({"Belladonna", "Koorts"})});
    const std::string old = FileBytes(kPrimaryDbName);
    {
        const WriteSteps stop = StoppedAt(1);
        EXPECT_THROW(WriteRecordInPlace(PrimaryDb(), 1, EncodePrimaryRecord(MakePrimaryRecord(Texts({"X", "Y"}))),
                                        stop),
                     std::runtime_error);
    }
    const std::string journal = testing_support::ReadBytes(JournalOf(PrimaryDb()));
    // Cut short anywhere, or one byte changed: the write never began, so the
    // database (changed since, here) is not touched.
    for (std::size_t cut : {std::size_t{0}, std::size_t{7}, std::size_t{30}, journal.size() - 1}) {
        WriteBytes(JournalOf(PrimaryDb()), journal.substr(0, cut));
        WriteBytes(rt::ResolvePath(kPrimaryDbName), old + "changed");
        EXPECT_EQ(RollBackInterruptedSaves(), 0) << cut;
        EXPECT_EQ(FileBytes(kPrimaryDbName), old + "changed") << cut;
        EXPECT_FALSE(fs::exists(JournalOf(PrimaryDb()))) << cut;
    }
    std::string damaged = journal;
    damaged[40] = static_cast<char>(damaged[40] ^ 0x55);
    WriteBytes(JournalOf(PrimaryDb()), damaged);
    EXPECT_EQ(RollBackInterruptedSaves(), 0);
    EXPECT_EQ(FileBytes(kPrimaryDbName), old + "changed");
    EXPECT_FALSE(fs::exists(JournalOf(PrimaryDb())));
}

}  // namespace
