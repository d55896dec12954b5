// The therapies database: record layout, its file operations, the pathology
// list and the link to the primary database.
#include "remedies/repertory_db.h"

#include <gtest/gtest.h>

#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "tests/remedies/remedy_test_util.h"

namespace repertory_db_test {

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;

namespace {

struct TherapyTexts {
    std::string pathology{};
    std::string remedy{};
    std::string notes{};
};

RepertoryTexts Therapy(const TherapyTexts& texts) {
    return {texts.pathology, texts.remedy, "3 maal daags", texts.notes};
}

void WriteRepertoryDb(const std::vector<RepertoryTexts>& records) {
    std::filesystem::create_directories("OpzioneH");
    std::vector<rt::Bytes> all{rt::Bytes(kRepertoryRecordSize, 0)};
    for (const auto& t : records) all.push_back(EncodeRepertoryRecord(FormToRepertoryRecord(t)));
    rt::ReplaceAllRecords(kRepertoryDbName, kRepertoryRecordSize, all);
}

TEST(RepertoryRecordLayout, FieldsLieAtTheirOffsetsAndNotesAreSliced) {
    RepertoryTexts t{Pattern(120), "Aurum", Pattern(260), Pattern(751)};
    Bytes b = EncodeRepertoryRecord(FormToRepertoryRecord(t));
    ASSERT_EQ(b.size(), kRepertoryRecordSize);
    EXPECT_EQ(b[0], 100);
    EXPECT_EQ(b[101], 250);
    EXPECT_EQ(b[352], 5);
    EXPECT_EQ(std::string(b.begin() + 353, b.begin() + 358), "Aurum");
    EXPECT_EQ(b[453], 250);
    EXPECT_EQ(b[704], 250);
    EXPECT_EQ(b[955], 250);
    RepertoryTexts back = RepertoryRecordToTexts(DecodeRepertoryRecord(b));
    EXPECT_EQ(back.pathology, Pattern(100));
    EXPECT_EQ(back.posology, Pattern(250));
    EXPECT_EQ(back.notes, Pattern(750));  // the 751st character is lost
}

TEST(RepertoryFile, SaveAppendAndDeleteWorkOnTheTherapiesFile) {
    TempWorkFolder folder;
    WriteRepertoryDb({Therapy({"Hoest", "Thymus"}), Therapy({"Hoest", "Plantago"})});
    SaveRepertoryRecord(2, Therapy({"Hoest", "Verbascum"}));
    EXPECT_EQ(AppendRepertoryRecord(Therapy({"Keelpijn", "Salvia"})), 3);
    EXPECT_EQ(DeleteRepertoryRecord(1), 2);
    EXPECT_EQ(FileBytes(kRepertoryDbName).size(), 3 * kRepertoryRecordSize);
    EXPECT_EQ(ReadRepertoryRecord(1).remedy, "Verbascum");
    EXPECT_EQ(ReadRepertoryRecord(2).pathology, "Keelpijn");
}

TEST(RepertoryPathologies, SortedDistinctCaseSensitiveAndUntrimmed) {
    std::vector<RepertoryRecord> records;
    for (const char* p : {"Hoest", "hoest", "Astma", "Hoest", "Keelpijn  ", "", "Hoest"})
        records.push_back(FormToRepertoryRecord(Therapy({p, "X"})));
    EXPECT_EQ(ComputePathologyList(records), (std::vector<std::string>{"Astma", "hoest", "Hoest", "Keelpijn  "}));
}

TEST(RepertoryPathologies, RebuildWritesPatologTxt) {
    TempWorkFolder folder;
    WriteRepertoryDb({});
    RebuildPathologyList();
    EXPECT_EQ(FileBytes(kPathologyListName), "");
    WriteRepertoryDb(
        {Therapy({"Verkoudheid", "Sambucus"}), Therapy({"Hoest", "Thymus"}), Therapy({"Verkoudheid", "Tilia"})});
    RebuildPathologyList();
    EXPECT_EQ(FileBytes("OpzioneH\\PATOLOG.TXT"), "Hoest\r\nVerkoudheid\r\n");
}

TEST(RepertoryLink, MatchesRemedyNamesWithoutRegardToCaseOfAToZ) {
    TempWorkFolder folder;
    WritePrimaryDb({Texts({"Aurum", "Angst"}), Texts({"Caff\xE8 tostato", "Moeheid"}), Texts({"AURUM", "Hoofdpijn"})});
    EXPECT_EQ(FindLinkedPrimaryRecord("aurum"), 1);  // the first of the two
    EXPECT_EQ(FindLinkedPrimaryRecord("CAFF\xE8 TOSTATO"), 2);
    EXPECT_EQ(FindLinkedPrimaryRecord("CAFF\xC8 TOSTATO"), 0);  // accents are not folded
    EXPECT_EQ(FindLinkedPrimaryRecord("Aurum "), 0);
}

}  // namespace

}  // namespace repertory_db_test
