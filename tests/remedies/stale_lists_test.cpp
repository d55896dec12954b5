// The lists always describe the database beside them: every change of a
// database (the editors' saves, the utility's save, the update from a disc)
// leaves a mark until its lists are rebuilt, and the start finishes a rebuild
// that a run did not; a change that fails leaves no mark.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "platform/gui/message_box.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "remedies/database_edit.h"
#include "remedies/database_update.h"
#include "remedies/field_search.h"
#include "remedies/remedy_files.h"
#include "remedies/repertory_db.h"
#include "remedies/stale_lists.h"
#include "tests/remedies/remedy_test_util.h"

namespace stale_lists_test {

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;
namespace fs = std::filesystem;

namespace {

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

void WriteRepertoryDb(const std::vector<RepertoryTexts>& records) {
    std::vector<rt::Bytes> all{rt::Bytes(kRepertoryRecordSize, 0)};
    for (const auto& t : records) all.push_back(EncodeRepertoryRecord(FormToRepertoryRecord(t)));
    rt::ReplaceAllRecords(kRepertoryDbName, kRepertoryRecordSize, all);
}

bool Marked(const DbFile& db) { return fs::exists(rt::ResolvePath(StaleListsMarkFor(db))); }

// Both databases with their lists; a rebuild that is cut off after the
// change (the hook throws at its first step, as a run ended there would stop).
class StaleLists : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    void SetUp() override {
        WritePrimaryDb({Texts({"Arnica", "Val en stoot", "Mars"}), Texts({"Aurum", "Angst", "Zon"})});
        WriteRepertoryDb({{"Hoofdpijn", "Aurum", "2 x", ""}, {"Slapeloosheid", "Arnica", "1 x", ""}});
        EnsureRemedyFiles();
    }
    // Steps that end every list rebuild as it starts.
    static WriteSteps CutRebuildsShort() {
        WriteSteps steps;
        steps.listRebuild = [] { throw std::runtime_error("ended"); };
        return steps;
    }
};

TEST_F(StaleLists, EveryChangeLeavesTheMarkUntilTheStartRebuildsItsLists) {
    struct Change {
        const char* what;
        DbFile db;
        std::function<bool(const WriteSteps&)> run;  // true when the database was changed and its lists were not
        const char* list;
        const char* line;  // what the list must show once rebuilt
    };
    const fs::path disc = folder_.Path() / "disc" / "OpzioneH";
    const std::vector<Change> changes{
        {"editor save", PrimaryDb(),
         [](const WriteSteps& steps) {
             const ChangeOutcome o = SavePrimaryEdit(1, Texts({"Arnica", "Verstuiking", "Mars"}), steps);
             return o.saved && !o.listsRebuilt;
         },
         kSymptomListName, "Verstuiking"},
        {"therapies editor append", RepertoryDb(),
         [](const WriteSteps& steps) {
             const ChangeOutcome o = AppendRepertoryEdit({"Migraine", "Aurum", "", ""}, steps);
             return o.saved && !o.listsRebuilt;
         },
         kPathologyListName, "Migraine"},
        {"utility save", PrimaryDb(),
         [](const WriteSteps& steps) {
             const ChangeOutcome o = SaveFieldText("Prima", "Rime", 2, "Aurum metallicum", steps);
             return o.saved && !o.listsRebuilt;
         },
         kRemedyListName, "Aurum metallicum"},
        {"utility save in the therapies", RepertoryDb(),
         [](const WriteSteps& steps) {
             const ChangeOutcome o = SaveFieldText("Terap", "Patol", 1, "Hoofdpijn chronisch", steps);
             return o.saved && !o.listsRebuilt;
         },
         kPathologyListName, "Hoofdpijn chronisch"},
        {"update from a disc", PrimaryDb(),
         [&disc](const WriteSteps& steps) {
             // The disc's database with lists of another database.
             fs::create_directories(disc);
             {
                 TempWorkFolder other;
                 WritePrimaryDb({Texts({"Bryonia", "Hoest"}), Texts({"Calendula", "Wonden"})});
                 fs::copy_file(rt::ResolvePath(kPrimaryDbName), disc / "DBmain.rnd",
                               fs::copy_options::overwrite_existing);
             }
             testing_support::WriteBytes(disc / "Sintomi.txt", "Angst\r\nVal en stoot\r\n");
             std::string notes;
             const UpdateOutcome o = InstallUpdateWithLists(disc, notes, steps);
             return o.ok && notes.find("Ricostruisci File") != std::string::npos;
         },
         kSymptomListName, "Wonden"},
    };
    for (const Change& c : changes) {
        ASSERT_TRUE(c.run(CutRebuildsShort())) << c.what;
        EXPECT_TRUE(Marked(c.db)) << c.what;
        EXPECT_FALSE(Holds(rt::ReadTextLines(c.list), c.line)) << c.what;
        // The next start.
        EnsureRemedyFiles();
        EXPECT_TRUE(Holds(rt::ReadTextLines(c.list), c.line)) << c.what;
        EXPECT_FALSE(Marked(c.db)) << c.what;
    }
    // The updated database's lists describe it, not the lists it came with.
    EXPECT_EQ(rt::ReadTextLines(kSymptomListName), (std::vector<std::string>{"Hoest", "Wonden"}));
}

TEST_F(StaleLists, AFinishedChangeOrAFailedOneLeavesNoMark) {
    EXPECT_TRUE(SavePrimaryEdit(1, Texts({"Arnica", "Verstuiking", "Mars"})).listsRebuilt);
    EXPECT_FALSE(Marked(PrimaryDb()));
    // Nothing written: no record 9, an order that misses a record.
    EXPECT_FALSE(SavePrimaryEdit(9, Texts({"X", "Y"})).saved);
    EXPECT_FALSE(CommitPrimaryOrder({1}).saved);
    EXPECT_FALSE(SaveFieldText("Terap", "Patol", 7, "x").saved);
    EXPECT_FALSE(Marked(PrimaryDb()));
    EXPECT_FALSE(Marked(RepertoryDb()));
    // An update refused (no whole database on the disc) marks nothing either.
    const fs::path disc = folder_.Path() / "disc" / "OpzioneH";
    testing_support::WriteBytes(disc / "DBmain.rnd", "not a database");
    std::string notes;
    EXPECT_FALSE(InstallUpdateWithLists(disc, notes).ok);
    EXPECT_FALSE(Marked(PrimaryDb()));
    EXPECT_FALSE(Marked(RepertoryDb()));
    // A mark left by an ended run stays through a failed change, for the start.
    MarkListsStale(PrimaryDb());
    EXPECT_FALSE(SavePrimaryEdit(9, Texts({"X", "Y"})).saved);
    EXPECT_TRUE(Marked(PrimaryDb()));
}

TEST_F(StaleLists, ARebuildRefusedForADamagedDatabaseKeepsItsListsAndItsMark) {
    gui::RecordingMessageSink messages;
    // The therapies database overwritten with zero bytes; then an update from
    // a disc brings a new primary database and nothing else.
    const fs::path therapies = rt::ResolvePath(kRepertoryDbName);
    const std::string sound = FileBytes(kRepertoryDbName);
    testing_support::WriteBytes(therapies, std::string(sound.size(), '\0'));
    const std::string pathologies = FileBytes(kPathologyListName);
    const fs::path disc = folder_.Path() / "disc" / "OpzioneH";
    fs::create_directories(disc);
    {
        TempWorkFolder other;
        WritePrimaryDb({Texts({"Bryonia", "Hoest"})});
        fs::copy_file(rt::ResolvePath(kPrimaryDbName), disc / "DBmain.rnd");
    }
    std::string notes;
    ASSERT_TRUE(InstallUpdateWithLists(disc, notes).ok);
    // The primary database's lists follow it; the therapies list stays as it
    // was, named with what is wrong and what to do, its mark kept.
    EXPECT_EQ(rt::ReadTextLines(kSymptomListName), std::vector<std::string>{"Hoest"});
    EXPECT_EQ(FileBytes(kPathologyListName), pathologies);
    EXPECT_TRUE(Marked(RepertoryDb()));
    EXPECT_NE(notes.find("\"OpzioneH\\Repertorio.rnd\" \xE8 danneggiato"), std::string::npos) << notes;
    EXPECT_NE(notes.find("copia di sicurezza"), std::string::npos) << notes;
    // The copy the update kept of it is no way back: it is damaged too.
    EXPECT_EQ(notes.find("Repertorio.rnd.precedente1"), std::string::npos) << notes;
    // An editor's save writes nothing into it, and a start rebuilds nothing.
    const ChangeOutcome saved = AppendRepertoryEdit({"Migraine", "Aurum", "", ""});
    EXPECT_TRUE(!saved.saved && saved.databaseDamaged);
    EXPECT_NE(ChangeOutcomeMessage(saved).find("NON eseguita"), std::string::npos) << ChangeOutcomeMessage(saved);
    EXPECT_EQ(FileBytes(kRepertoryDbName), std::string(sound.size(), '\0'));
    messages.messages.clear();
    EnsureRemedyFiles();
    EXPECT_EQ(FileBytes(kPathologyListName), pathologies);
    EXPECT_TRUE(Marked(RepertoryDb()));
    ASSERT_EQ(messages.messages.size(), 1u);  // the start names it
    EXPECT_NE(messages.messages[0].text.find("OpzioneH\\Repertorio.rnd"), std::string::npos);

    // The database restored from a backup: the next start makes the list from it.
    testing_support::WriteBytes(therapies, sound);
    EnsureRemedyFiles();
    EXPECT_FALSE(Marked(RepertoryDb()));
    EXPECT_EQ(rt::ReadTextLines(kPathologyListName), (std::vector<std::string>{"Hoofdpijn", "Slapeloosheid"}));
}

TEST(StaleListsAtStart, APathologyListCutShortBesideItsSoundDatabaseIsMadeWholeAndTheUserToldOnce) {
    TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    // The remedy folders of an installation; its pathology list cut after
    // its eighth line, the therapies database sound.
    const fs::path shipped = KELVOR_TEST_DATA_DIR;
    for (const char* sub : {"OpzioneH", "OpzioneS"})
        fs::copy(shipped / sub, folder.Path() / sub, fs::copy_options::recursive);
    const std::vector<std::string> pathologies = rt::ReadTextLines(kPathologyListName);
    ASSERT_EQ(pathologies.size(), 14u);
    rt::WriteTextLines(kPathologyListName, {pathologies.begin(), pathologies.begin() + 8});

    EnsureRemedyFiles();
    // The therapies browser offers every pathology of the database again.
    EXPECT_EQ(rt::ReadTextLines(kPathologyListName), pathologies);
    EXPECT_FALSE(Marked(RepertoryDb()));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "L'elenco \"OpzioneH\\Patolog.txt\" non descriveva pi\xF9 la banca dati da cui deriva, "
              "\"OpzioneH\\Repertorio.rnd\": il programma lo ha ricostruito all'avvio da quella banca dati, che \xE8 "
              "integra.\r\nLe finestre mostrano gli elenchi ricostruiti; non occorre fare altro.");
    // The next start finds every list as its database gives it: nothing more is said.
    EnsureRemedyFiles();
    EXPECT_EQ(messages.messages.size(), 1u);
}

}  // namespace

}  // namespace stale_lists_test
