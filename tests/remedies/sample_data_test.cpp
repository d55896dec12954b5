// The shipped sample databases: their lists, rebuilt by the program, match the
// reviewed golden files; and the files the program makes when none exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/gui/message_box.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/text_file.h"
#include "remedies/primary_db.h"
#include "remedies/remedy_files.h"
#include "remedies/repertory_db.h"
#include "remedies/signature_db.h"
#include "remedies/stale_lists.h"
#include "tests/remedies/remedy_test_util.h"

namespace sample_data_test {

using namespace remedies;
using namespace remedy_tests;
using testing_support::ReadFixture;
using testing_support::TempWorkFolder;
namespace fs = std::filesystem;

namespace {

const fs::path kShipped = KELVOR_TEST_DATA_DIR;

class SampleData : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    void SetUp() override {
        for (const char* f : {"OpzioneH/DBmain.rnd", "OpzioneH/Repertorio.rnd", "OpzioneS/DbTesto.Txt"}) {
            ASSERT_TRUE(fs::exists(kShipped / f)) << "missing shipped file " << f;
            fs::create_directories(fs::path(f).parent_path());
            fs::copy_file(kShipped / f, f);
        }
    }
};

TEST_F(SampleData, RebuiltPrimaryListsMatchTheGoldenFiles) {
    RebuildPrimaryLists();
    EXPECT_EQ(FileBytes(kSymptomListName), ReadFixture("remedies/Sintomi.txt"));
    EXPECT_EQ(FileBytes(kRemedyListName), ReadFixture("remedies/ProdotA.txt"));
    EXPECT_EQ(FileBytes(kRemedyVariantListName), ReadFixture("remedies/ProdotB.txt"));
    std::vector<std::string> dump;
    for (const auto& p : kPlanetRemedyLists) {
        dump.push_back(std::string("[") + p.fileStem + "]");
        for (const auto& n : ReadRemedyNameList(RemedyListFileName(p.fileStem))) dump.push_back(n);
    }
    for (const auto& s : kSignRemedyLists) {
        dump.push_back(std::string("[") + s.fileStem + "]");
        for (const auto& n : ReadRemedyNameList(RemedyListFileName(s.fileStem))) dump.push_back(n);
    }
    rt::WriteTextLines("remedy_lists.txt", dump);
    EXPECT_EQ(FileBytes("remedy_lists.txt"), ReadFixture("remedies/remedy_lists.txt"));
}

TEST_F(SampleData, RebuiltPathologyListMatchesAndEveryTherapyLinks) {
    RebuildPathologyList();
    EXPECT_EQ(FileBytes(kPathologyListName), ReadFixture("remedies/Patolog.txt"));
    for (const auto& t : ReadAllRepertoryRecords()) EXPECT_GT(FindLinkedPrimaryRecord(t.remedy), 0) << t.remedy;
}

TEST_F(SampleData, ImportedSignatureListsMatchTheGoldenFile) {
    ImportSignatureDatabase();
    BuildSignatureLists();
    std::vector<std::string> dump{"[Sintomi]"};
    for (const auto& n : ReadNameFile(kSignatureSymptomsName, 100)) dump.push_back(n);
    dump.push_back("[Piante]");
    for (const auto& n : ReadNameFile(kPlantNamesName, 20)) dump.push_back(n);
    for (const auto& rows : {std::vector<PlantListRow>(kPlanetPlantLists.begin(), kPlanetPlantLists.end()),
                             std::vector<PlantListRow>(kSignPlantLists.begin(), kSignPlantLists.end())}) {
        for (const auto& row : rows) {
            dump.push_back(std::string("[") + row.file + "]");
            for (const auto& n : ReadNameFile(row.file, 20)) dump.push_back(n);
        }
    }
    rt::WriteTextLines("plant_lists.txt", dump);
    EXPECT_EQ(FileBytes("plant_lists.txt"), ReadFixture("remedies/plant_lists.txt"));
    // The shipped database is the one this import makes.
    EXPECT_EQ(FileBytes(kSignatureDbName), testing_support::ReadBytes(kShipped / "OpzioneS/DataStf.rnd"));
}

TEST(RemedyFilesAtStart, MissingDatabasesAreCreatedEmptyWithTheirLists) {
    TempWorkFolder folder;
    auto made = EnsureRemedyFiles();
    EXPECT_EQ(FileBytes(kPrimaryDbName), std::string(kPrimaryRecordSize, '\0'));
    EXPECT_EQ(FileBytes(kRepertoryDbName), std::string(kRepertoryRecordSize, '\0'));
    EXPECT_EQ(FileBytes(kSignatureDbName), std::string(kSignatureRecordSize, '\0'));
    EXPECT_EQ(FileBytes(kSymptomListName), "");
    EXPECT_EQ(FileBytes(kPathologyListName), "");
    EXPECT_EQ(FileBytes("OpzioneS\\Ram.rnd"), std::string(kPlantNameRecordSize, '\0'));
    EXPECT_EQ(FileBytes(kSignatureSymptomsName), std::string(kSymptomNameRecordSize, '\0'));
    EXPECT_FALSE(made.empty());
    EXPECT_TRUE(EnsureRemedyFiles().empty());  // nothing more to make
}

// A signature database brought as its text alone is imported at the start;
// a text that cannot be imported is told and an empty database made.
TEST(RemedyFilesAtStart, AMissingSignatureDatabaseIsImportedFromItsText) {
    {
        TempWorkFolder folder;
        fs::create_directories("OpzioneS");
        fs::copy_file(kShipped / "OpzioneS/DbTesto.Txt", "OpzioneS/dbtesto.txt");
        const auto made = EnsureRemedyFiles();
        EXPECT_NE(std::find(made.begin(), made.end(), kSignatureDbName), made.end());
        EXPECT_EQ(FileBytes(kSignatureDbName), testing_support::ReadBytes(kShipped / "OpzioneS/DataStf.rnd"));
        EXPECT_EQ(FileBytes(kPlantNamesName), testing_support::ReadBytes(kShipped / "OpzioneS/Piante.rnd"));
        EXPECT_EQ(FileBytes("OpzioneS\\Ram.rnd"), testing_support::ReadBytes(kShipped / "OpzioneS/Ram.rnd"));
        EXPECT_FALSE(ListsMarkedStale(SignatureDb()));
    }
    TempWorkFolder folder;
    std::vector<std::string> told;
    rt::SetDamagedFileReporter([&told](const std::string& m) { told.push_back(m); });
    rt::ResetDamagedFileReports();
    testing_support::WriteBytes(folder.Path() / "OpzioneS" / "DbTesto.Txt", "Pianta\r\nSigla\r\n");
    EnsureRemedyFiles();
    // Back to the message boxes that every test expects.
    rt::SetDamagedFileReporter([](const std::string& m) { gui::ShowMessage(m); });
    rt::ResetDamagedFileReports();
    EXPECT_EQ(FileBytes(kSignatureDbName), std::string(kSignatureRecordSize, '\0'));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("Gruppo incompleto"), std::string::npos) << told[0];
}

TEST(RemedyFilesAtStart, ExistingFilesAreLeftAloneAndMissingListsRebuilt) {
    TempWorkFolder folder;
    WritePrimaryDb({Texts({"Aurum", "Angst", "Zon"})});
    const std::string db = FileBytes(kPrimaryDbName);
    EnsureRemedyFiles();
    EXPECT_EQ(FileBytes(kPrimaryDbName), db);
    EXPECT_EQ(rt::ReadTextLines(kRemedyListName), (std::vector<std::string>{"Aurum"}));
}

}  // namespace

}  // namespace sample_data_test
