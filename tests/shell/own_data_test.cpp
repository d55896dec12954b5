// A practitioner's own data: a database brought from another installation,
// under the capitals of a Windows or FAT medium, into an empty data folder is
// the one the program opens, lists and edits.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

#include "platform/gui/text_convert.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_edit.h"
#include "remedies/primary_db.h"
#include "remedies/remedy_files.h"
#include "remedies/repertory_db.h"
#include "remedies/signature_db.h"
#include "remedies/stale_lists.h"
#include "remedies/windows/remedy_browser.h"
#include "remedies/windows/symptom_browser.h"
#include "shell/subsystem_windows.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/shell/shell_test_support.h"

using shell_testing::DesktopScope;
using testing_support::ReadBytes;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

namespace {

std::string RecordBytes(const remedies::PrimaryTexts& t) {
    const rt::Bytes b = remedies::EncodePrimaryRecord(remedies::MakePrimaryRecord(t));
    return std::string(b.begin(), b.end());
}

// An own remedy: its name, what it is for, and its planet.
struct OwnRemedy {
    std::string remedy;
    std::string indication;
    std::string planet;
};

remedies::PrimaryTexts Own(const OwnRemedy& own) {
    remedies::PrimaryTexts t;
    t.remedy = own.remedy;
    t.indication = own.indication;
    t.primarySignature = own.planet;
    t.posology = "eigen posologie";
    return t;
}

// The practitioner's database: names the sample does not have, some ending in
// a letter or sign outside ASCII.
std::string OwnDatabase() {
    std::string db(remedies::kPrimaryRecordSize, '\0');
    for (const auto& t : {Own({"Alo\xEB", "Obstipatie", "Maan"}), Own({"Belladonna", "Koorts boven 39\xB0", "Mars"}),
                          Own({"Alo\xEB", "Koorts boven 39\xB0", "Maan"}), Own({"Zzyzx eigen", "Eigen klacht", "Zon"}),
                          Own({"Ma\xEFs", "Nierstenen", "Venus"})})
        db += RecordBytes(t);
    return db;
}

// The entries of a folder whose name is `name` in any case.
std::vector<std::string> Spellings(const fs::path& folder, const std::string& name) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        if (rt::UpperAscii(e.path().filename().string()) == rt::UpperAscii(name))
            out.push_back(e.path().filename().string());
    return out;
}

std::vector<std::string> Lines(const fs::path& file) { return shell_testing::CrLfLines(ReadBytes(file)); }

std::vector<std::string> ListTexts(QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(gui::FromQt(list->item(i)->text()));
    return out;
}

// The program started on a data folder that already holds what a test put
// there, as its own start does it.
class StartOnOwnData {
public:
    StartOnOwnData() {
        gui::SetDefaultModalHandler([](QDialog* d) {
            ADD_FAILURE() << "unexpected dialog " << d->objectName().toStdString();
            return int(gui::kModalCancel);
        });
    }
    void Start() {
        rt::PrepareDataFolder(remedies::RemedySeedGroups());
        shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest());
        shell_testing::CreateStartWindowsForTest();
        shell_testing::StartedMainWindow()->show();
        gui::Guard([] { shell_testing::StartedMainWindow()->Refresh(); });
    }
    ~StartOnOwnData() {
        shell_testing::FreeStartWindowsForTest();
        gui::ClearModalHandlers();
    }
    fs::path Data() const { return rt::UserDataFolder(); }
    testing_support::TempWorkFolder folder;
    DesktopScope desktop;
    gui::RecordingMessageSink messages;
};

TEST(OwnDataTest, AnUpperCaseDatabaseInAnEmptyFolderIsOpenedListedAndEdited) {
    StartOnOwnData program;
    const fs::path own = program.Data() / "OPZIONEH";
    WriteBytes(own / "DBMAIN.RND", OwnDatabase());
    program.Start();
    ASSERT_TRUE(program.messages.messages.empty()) << program.messages.messages.front().text;

    // Nothing of the sample's primary database beside it, in any spelling.
    EXPECT_EQ(Spellings(program.Data(), "OpzioneH"), std::vector<std::string>{"OPZIONEH"});
    EXPECT_EQ(Spellings(own, "DBmain.rnd"), std::vector<std::string>{"DBMAIN.RND"});
    EXPECT_EQ(ReadBytes(own / "DBMAIN.RND"), OwnDatabase());
    // The lists were made from it at this start and show its names whole.
    EXPECT_EQ(Lines(own / "Sintomi.txt"),
              (std::vector<std::string>{"Eigen klacht", "Koorts boven 39\xB0", "Nierstenen", "Obstipatie"}));
    EXPECT_EQ(Lines(own / "ProdotA.txt"), (std::vector<std::string>{"Alo\xEB", "Belladonna",
                                                                    "Ma\xEF"
                                                                    "s",
                                                                    "Zzyzx eigen"}));
    EXPECT_EQ(remedies::ReadRemedyNameList("OpzioneH\\LunaPri.rnd"), std::vector<std::string>{"Alo\xEB"});
    EXPECT_FALSE(remedies::ListsMarkedStale(remedies::PrimaryDb()));
    // The therapies database was not brought: the sample's comes with its list.
    EXPECT_EQ(Spellings(own, "Repertorio.rnd").size(), 1u);
    EXPECT_FALSE(Lines(own / "Patolog.txt").empty());

    // The editor counts the practitioner's records; the browsers list them.
    std::vector<std::string> seen;
    gui::SetModalHandler("FoMainArc", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::PrimaryEditor*>(d);
        w->Refresh();
        seen.push_back(std::to_string(w->entryList->count()));
        return int(gui::kModalCancel);
    });
    gui::SetModalHandler("FoSintom1", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::SymptomBrowser*>(d);
        w->Refresh();
        for (const std::string& line : ListTexts(w->choiceList)) seen.push_back(line);
        return int(gui::kModalCancel);
    });
    gui::SetModalHandler("FoRimed", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::RemedyBrowser*>(d);
        w->Refresh();
        for (int i = 0; i < w->choiceList->count(); ++i) {
            if (gui::FromQt(w->choiceList->item(i)->text()) != "Alo\xEB") continue;
            w->choiceList->setCurrentRow(i);
            Q_EMIT w->choiceList->itemClicked(w->choiceList->item(i));
        }
        seen.push_back(gui::FromQt(w->chosen->text()));
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn4")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBSintomi")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn2")->click();
    EXPECT_EQ(seen, (std::vector<std::string>{"5", "Eigen klacht", "Koorts boven 39\xB0", "Nierstenen", "Obstipatie",
                                              "Alo\xEB"}));

    // An append and a save go into the practitioner's file, and the lists follow.
    const remedies::ChangeOutcome added = remedies::AppendPrimaryEdit(Own({"Urtica", "Jicht", "Mars"}));
    ASSERT_TRUE(added.saved && added.listsRebuilt) << added.error;
    EXPECT_EQ(added.count, 6);
    ASSERT_TRUE(remedies::SavePrimaryEdit(6, Own({"Urtica dioica", "Jicht", "Mars"})).listsRebuilt);
    EXPECT_EQ(ReadBytes(own / "DBMAIN.RND"), OwnDatabase() + RecordBytes(Own({"Urtica dioica", "Jicht", "Mars"})));
    EXPECT_EQ(Spellings(own, "DBmain.rnd"), std::vector<std::string>{"DBMAIN.RND"});
    EXPECT_EQ(Lines(own / "ProdotA.txt"), (std::vector<std::string>{"Alo\xEB", "Belladonna",
                                                                    "Ma\xEF"
                                                                    "s",
                                                                    "Urtica dioica", "Zzyzx eigen"}));
    EXPECT_FALSE(remedies::ListsMarkedStale(remedies::PrimaryDb()));
}

TEST(OwnDataTest, DamagedDatabasesBroughtAlongAreNamedAndNoListIsMadeFromThem) {
    StartOnOwnData program;
    // The remedy folders of another installation, each database damaged in its
    // own way: the signature database filled with random bytes, the therapies
    // database with zero bytes, a folder where the primary database should be.
    const fs::path shipped = KELVOR_TEST_DATA_DIR;
    fs::create_directories(program.Data());
    for (const char* folder : {"OpzioneH", "OpzioneS"})
        fs::copy(shipped / folder, program.Data() / folder, fs::copy_options::recursive);
    const fs::path signatures = program.Data() / "OpzioneS" / "DataStf.rnd";
    const fs::path therapies = program.Data() / "OpzioneH" / "Repertorio.rnd";
    const fs::path primary = program.Data() / "OpzioneH" / "DBmain.rnd";
    WriteBytes(signatures, testing_support::RandomBytes(fs::file_size(signatures), 11));
    WriteBytes(therapies, std::string(fs::file_size(therapies), '\0'));
    fs::remove(primary);
    fs::create_directory(primary);
    std::map<std::string, std::string> lists;
    for (const char* folder : {"OpzioneH", "OpzioneS"})
        for (const auto& e : fs::directory_iterator(program.Data() / folder))
            if (e.is_regular_file() && e.path() != signatures && e.path() != therapies)
                lists[e.path().string()] = ReadBytes(e.path());
    program.Start();

    // Each database is named once, with what is wrong and what the user can do.
    for (const char* name : {"OpzioneS\\DataStf.rnd", "OpzioneH\\Repertorio.rnd", "OpzioneH\\DBmain.rnd"}) {
        int told = 0;
        for (const auto& m : program.messages.messages) {
            if (m.text.find(std::string("\"") + name + "\" \xE8 danneggiato") == std::string::npos) continue;
            ++told;
            EXPECT_NE(m.text.find("copia di sicurezza"), std::string::npos) << m.text;
            EXPECT_NE(m.text.find("restano com'erano"), std::string::npos) << m.text;
        }
        EXPECT_EQ(told, 1) << name;
    }
    // Not one list was written, nor marked as made; every start holds them
    // against their databases again.
    for (const auto& [file, bytes] : lists) EXPECT_EQ(ReadBytes(file), bytes) << file;
    EXPECT_FALSE(remedies::ListsMarkedStale(remedies::SignatureDb()));
    EXPECT_FALSE(remedies::ListsMarkedStale(remedies::RepertoryDb()));

    // With the databases sound again, the next start makes their lists.
    fs::copy_file(shipped / "OpzioneS" / "DataStf.rnd", signatures, fs::copy_options::overwrite_existing);
    fs::copy_file(shipped / "OpzioneH" / "Repertorio.rnd", therapies, fs::copy_options::overwrite_existing);
    remedies::EnsureRemedyFiles();
    EXPECT_FALSE(remedies::ListsMarkedStale(remedies::SignatureDb()));
    EXPECT_FALSE(remedies::ListsMarkedStale(remedies::RepertoryDb()));
    EXPECT_EQ(ReadBytes(program.Data() / "OpzioneH" / "Patolog.txt"), ReadBytes(shipped / "OpzioneH" / "Patolog.txt"));
}

// The three databases found as files of no bytes at a later start, their
// lists beside them as the last start made them: each is named at the start,
// as the other damage is, and none of their lists is touched.
TEST(OwnDataTest, EmptyDatabasesAreNamedAtTheStartAndTheirListsKept) {
    StartOnOwnData program;
    program.Start();
    shell_testing::FreeStartWindowsForTest();
    const std::vector<std::string> databases{"OpzioneH\\DBmain.rnd", "OpzioneH\\Repertorio.rnd",
                                             "OpzioneS\\DataStf.rnd"};
    for (const std::string& name : databases) WriteBytes(rt::ResolvePath(name), "");
    const auto before = shell_testing::Snapshot(program.Data());
    program.messages.messages.clear();
    program.Start();

    for (const std::string& name : databases) {
        int told = 0;
        for (const auto& m : program.messages.messages) {
            if (m.text.find("\"" + name + "\" \xE8 danneggiato") == std::string::npos) continue;
            ++told;
            EXPECT_NE(m.text.find("\xE8 vuoto"), std::string::npos) << m.text;
            EXPECT_NE(m.text.find("restano com'erano"), std::string::npos) << m.text;
        }
        EXPECT_EQ(told, 1) << name;
    }
    EXPECT_EQ(program.messages.messages.size(), databases.size());
    EXPECT_EQ(shell_testing::Snapshot(program.Data()), before);
}

// The therapies database cut at a record boundary between two runs, to half
// its records: it looks whole by itself. The start names it and asks; left as
// it is, nothing is made from it or written into it; taken as it is at the
// next start, its list is made from it and the editor saves into it again.
TEST(OwnDataTest, ADatabaseCutAtARecordBoundaryIsAskedAboutAndNothingIsMadeFromItUntilTaken) {
    StartOnOwnData program;
    program.Start();
    shell_testing::FreeStartWindowsForTest();
    const fs::path therapies = rt::ResolvePath(remedies::kRepertoryDbName);
    const fs::path pathologies = rt::ResolvePath(remedies::kPathologyListName);
    const std::size_t records = fs::file_size(therapies) / remedies::kRepertoryRecordSize;
    ASSERT_GT(records, 20u);
    const std::size_t kept = records / 2;  // record 0 and the first therapies
    const std::string cut = ReadBytes(therapies).substr(0, kept * remedies::kRepertoryRecordSize);
    WriteBytes(therapies, cut);
    const std::string list = ReadBytes(pathologies);
    const remedies::RepertoryTexts therapy{"Eigen klacht", "Urtica", "3 maal daags", ""};

    // Left as it is.
    program.messages.messages.clear();
    program.messages.answers.push_back(gui::kAnswerNo);
    program.Start();
    ASSERT_EQ(program.messages.messages.size(), 1u);
    const gui::MessageRequest& question = program.messages.messages[0];
    EXPECT_EQ(question.buttons, gui::Buttons::YesNo);
    EXPECT_EQ(question.text.rfind("Il file \"OpzioneH\\Repertorio.rnd\" ha " + std::to_string(kept - 1) +
                                      " schede, ma quando il programma lo ha usato l'ultima volta ne aveva " +
                                      std::to_string(records - 1),
                                  0),
              0u)
        << question.text;
    EXPECT_EQ(ReadBytes(pathologies), list);
    const remedies::ChangeOutcome refused = remedies::AppendRepertoryEdit(therapy);
    EXPECT_FALSE(refused.saved);
    EXPECT_NE(refused.error.find("tagliato"), std::string::npos) << refused.error;
    std::string problem;
    EXPECT_TRUE(remedies::RepertoryEditorEntries(false, true, &problem).empty());
    EXPECT_FALSE(problem.empty());
    EXPECT_THROW(remedies::RebuildPathologyList(), remedies::DamagedDatabaseError);
    EXPECT_EQ(ReadBytes(therapies), cut);
    EXPECT_EQ(ReadBytes(pathologies), list);
    shell_testing::FreeStartWindowsForTest();

    // Taken as it is at the next start: asked again, then used as it is now.
    program.messages.messages.clear();
    program.messages.answers.push_back(gui::kAnswerYes);
    program.Start();
    ASSERT_EQ(program.messages.messages.size(), 1u);
    EXPECT_NE(program.messages.messages[0].text.find("Repertorio.rnd"), std::string::npos);
    EXPECT_EQ(ReadBytes(pathologies), remedies::PathologyListFile(remedies::ReadSoundRepertoryRecords()).bytes);
    EXPECT_NE(ReadBytes(pathologies), list);
    const remedies::ChangeOutcome saved = remedies::AppendRepertoryEdit(therapy);
    EXPECT_TRUE(saved.saved && saved.listsRebuilt) << saved.error;
    EXPECT_EQ(saved.count, static_cast<std::int64_t>(kept));
    shell_testing::FreeStartWindowsForTest();
    program.messages.messages.clear();
    program.Start();
    EXPECT_TRUE(program.messages.messages.empty()) << program.messages.messages.front().text;
}

// A folder where a list of the primary database should be stops nothing of
// the start but that list: it is named, and the therapies database, cut at a
// record boundary meanwhile, is still asked about and set aside.
TEST(OwnDataTest, AFolderInPlaceOfAListIsNamedAndTheOtherDatabasesAreStillLookedAt) {
    StartOnOwnData program;
    program.Start();
    shell_testing::FreeStartWindowsForTest();
    fs::remove(rt::ResolvePath("OpzioneH\\SolePri.rnd"));
    fs::create_directory(rt::ResolvePath("OpzioneH\\SolePri.rnd"));
    const fs::path therapies = rt::ResolvePath(remedies::kRepertoryDbName);
    const std::string cut = ReadBytes(therapies).substr(0, 3 * remedies::kRepertoryRecordSize);
    WriteBytes(therapies, cut);
    program.messages.messages.clear();
    program.messages.answers = {gui::kAnswerOk, gui::kAnswerNo};
    program.Start();

    const std::vector<std::string> told = program.messages.Texts();
    ASSERT_EQ(told.size(), 2u) << told.front();
    EXPECT_NE(told[0].find("cartella \"OpzioneH\\SolePri.rnd\""), std::string::npos) << told[0];
    EXPECT_NE(told[1].find("\"OpzioneH\\Repertorio.rnd\" ha 2 schede"), std::string::npos) << told[1];
    EXPECT_FALSE(remedies::AppendRepertoryEdit({"Eigen klacht", "Urtica", "", ""}).saved);
    EXPECT_EQ(ReadBytes(therapies), cut);
}

TEST(OwnDataTest, TheSampleListsBroughtBesideAnOwnDatabaseAreMadeAgainFromItAndTheUserToldOnce) {
    StartOnOwnData program;
    // A FAT medium's copy of another installation: the practitioner's own
    // database and sign lists beside the sample's symptom, remedy and planet
    // lists, every name in capitals.
    const fs::path own = program.Data() / "OPZIONEH";
    WriteBytes(own / "DBMAIN.RND", OwnDatabase());
    const fs::path shipped = fs::path(KELVOR_TEST_DATA_DIR) / "OpzioneH";
    std::vector<std::string> sampleLists{"Sintomi.txt", "ProdotA.txt", "ProdotB.txt"};
    for (const auto& p : remedies::kPlanetRemedyLists) sampleLists.push_back(std::string(p.fileStem) + ".rnd");
    for (const std::string& name : sampleLists) fs::copy_file(shipped / name, own / rt::UpperAscii(name));
    // Its sign lists say what its database gives: no remedy has a zodiacal signature.
    for (const auto& s : remedies::kSignRemedyLists)
        WriteBytes(own / rt::UpperAscii(std::string(s.fileStem) + ".RND"), "");
    program.Start();

    // The browsers offer what the database holds, not the sample's names.
    EXPECT_EQ(Lines(own / "SINTOMI.TXT"),
              (std::vector<std::string>{"Eigen klacht", "Koorts boven 39\xB0", "Nierstenen", "Obstipatie"}));
    const std::vector<std::string> remedies{"Alo\xEB", "Belladonna",
                                            "Ma\xEF"
                                            "s",
                                            "Zzyzx eigen"};
    EXPECT_EQ(Lines(own / "PRODOTA.TXT"), remedies);
    EXPECT_EQ(Lines(own / "PRODOTB.TXT"), remedies);
    EXPECT_EQ(remedies::ReadRemedyNameList("OpzioneH\\LunaPri.rnd"), std::vector<std::string>{"Alo\xEB"});
    EXPECT_EQ(Spellings(own, "Sintomi.txt"), std::vector<std::string>{"SINTOMI.TXT"});
    EXPECT_FALSE(remedies::ListsMarkedStale(remedies::PrimaryDb()));

    // One message names the lists made again, as the folder spells them, and why.
    ASSERT_EQ(program.messages.messages.size(), 1u);
    const std::string& told = program.messages.messages[0].text;
    EXPECT_EQ(told.rfind("Gli elenchi \"OPZIONEH\\SINTOMI.TXT\", \"OPZIONEH\\PRODOTA.TXT\", ", 0), 0u) << told;
    for (const char* list : {"SOLEPRI.RND", "LUNAPRI.RND", "MERCPRI.RND", "VENEPRI.RND", "MARTPRI.RND", "GIOVPRI.RND",
                             "SATUPRI.RND", "PRODOTB.TXT"})
        EXPECT_NE(told.find(std::string("\"OPZIONEH\\") + list + "\""), std::string::npos) << list;
    // The sample's empty node lists and the practitioner's sign lists said it already.
    for (const char* list : {"NODNPRI.RND", "RAM.RND", "VISSEN.RND"})
        EXPECT_EQ(told.find(list), std::string::npos) << list;
    EXPECT_NE(told.find("non descrivevano pi\xF9 la banca dati da cui derivano, \"OPZIONEH\\DBMAIN.RND\": il programma "
                        "li ha ricostruiti all'avvio"),
              std::string::npos)
        << told;
}

}  // namespace

// The sample's lists put back beside the practitioner's database, one of them
// or every one at once (an earlier installation's copy, a restore): the start
// makes them again from the database and says so in the same words.
TEST(OwnDataTest, TheSampleListsPutBackAreToldHoweverManyWerePutBack) {
    const fs::path shipped = fs::path(KELVOR_TEST_DATA_DIR) / "OpzioneH";
    std::vector<std::string> every{"Sintomi.txt", "ProdotA.txt", "ProdotB.txt"};
    for (const auto& p : remedies::kPlanetRemedyLists) every.push_back(std::string(p.fileStem) + ".rnd");
    for (const auto& s : remedies::kSignRemedyLists) every.push_back(std::string(s.fileStem) + ".rnd");
    for (const std::vector<std::string>& putBack : {std::vector<std::string>{"Sintomi.txt"}, every}) {
        SCOPED_TRACE(putBack.size());
        StartOnOwnData program;
        const fs::path own = program.Data() / "OpzioneH";
        WriteBytes(own / "DBmain.rnd", OwnDatabase());
        program.Start();  // its own lists made from it
        ASSERT_TRUE(program.messages.messages.empty()) << program.messages.messages.front().text;
        const std::vector<std::string> symptoms = Lines(own / "Sintomi.txt");
        shell_testing::FreeStartWindowsForTest();

        for (const std::string& name : putBack)
            fs::copy_file(shipped / name, own / name, fs::copy_options::overwrite_existing);
        program.Start();
        EXPECT_EQ(Lines(own / "Sintomi.txt"), symptoms);
        EXPECT_FALSE(remedies::ListsMarkedStale(remedies::PrimaryDb()));
        ASSERT_EQ(program.messages.messages.size(), 1u);
        const std::string& told = program.messages.messages[0].text;
        const bool one = putBack.size() == 1;
        EXPECT_EQ(told.rfind(one ? "L'elenco \"OpzioneH\\Sintomi.txt\" non descriveva pi\xF9 la banca dati da cui "
                                   "deriva, \"OpzioneH\\DBmain.rnd\": il programma lo ha ricostruito all'avvio"
                                 : "Gli elenchi \"OpzioneH\\Sintomi.txt\", \"OpzioneH\\ProdotA.txt\", ",
                             0),
                  0u)
            << told;
        EXPECT_NE(told.find("Le finestre mostrano gli elenchi ricostruiti"), std::string::npos) << told;
    }
}
