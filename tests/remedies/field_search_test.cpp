// The search-and-edit utility's search and save: every data record 1..count is
// searched, record 0 never; a saved field is cut into its strings and the rest
// of the record keeps its bytes.
#include <gtest/gtest.h>

#include "remedies/field_search.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "tests/remedies/remedy_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;

namespace {

class FieldSearch : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    void SetUp() override {
        std::filesystem::create_directories("OpzioneH");
        // Record 0 holds the phrase too: it is a header and must never be found.
        std::vector<rt::Bytes> all{EncodePrimaryRecord(MakePrimaryRecord(Texts({"Header Kwik", "Kwikzilver"})))};
        for (const auto& t : {Texts({"Arnica", "Val en stoot"}), Texts({"Sulfur", "Jeuk"}), Texts({"Aurum", "Angst"}),
                              Texts({"Mercurius", "Ontsteking met KWIKZILVER"})})
            all.push_back(EncodePrimaryRecord(MakePrimaryRecord(t)));
        rt::ReplaceAllRecords(kPrimaryDbName, kPrimaryRecordSize, all);
        std::vector<rt::Bytes> rep{rt::Bytes(kRepertoryRecordSize, 0)};
        rep.push_back(EncodeRepertoryRecord(FormToRepertoryRecord({"Hoofdpijn", "Aurum", "2 x", "eerste"})));
        rep.push_back(EncodeRepertoryRecord(FormToRepertoryRecord({"Slapeloosheid", "Valeriana", "avonds", "x"})));
        rt::ReplaceAllRecords(kRepertoryDbName, kRepertoryRecordSize, rep);
    }
};

TEST_F(FieldSearch, FindsAMatchInTheLastRecordAndNeverInRecordZero) {
    FieldMatch m = FindInField({"Prima", "Indi"}, "kwikzilver", 0);
    EXPECT_EQ(m.record, 4);  // the last record; record 0 holds the word but is skipped
    EXPECT_EQ(m.remedy, "Mercurius");
    EXPECT_EQ(m.text, "Ontsteking met KWIKZILVER");
    EXPECT_EQ(m.position, 15u);
    EXPECT_EQ(FindInField({"Prima", "Indi"}, "kwikzilver", 5).record, 0);
    EXPECT_EQ(FindInField({"Prima", "Rime"}, "header", 0).record, 0);
}

TEST_F(FieldSearch, ContinuesFromTheNextRecordAndMatchesAtTheFirstCharacter) {
    FieldMatch m = FindInField({"Prima", "Rime"}, "a", 1);
    EXPECT_EQ(m.record, 1);
    EXPECT_EQ(m.position, 0u);  // "Arnica": the memo before the match is empty
    EXPECT_EQ(FindInField({"Prima", "Rime"}, "a", 2).record, 3);
    EXPECT_EQ(FindInField({"Prima", "Rime"}, "", 1).record, 0);  // an empty phrase finds nothing
    EXPECT_EQ(FindInField({"Terap", "Patol"}, "slaap", 1).record, 0);
    EXPECT_EQ(FindInField({"Terap", "Patol"}, "SLAPE", 1).record, 2);
    EXPECT_EQ(FindInField({"Terap", "Rimed"}, "aurum", 1).remedy, "Aurum");
    EXPECT_EQ(SearchFieldFor("Prima", "Psic").Capacity(), 1500u);
    EXPECT_EQ(SearchFieldFor("Terap", "Notes").Capacity(), 750u);
}

TEST_F(FieldSearch, ASavedIndicationOf320CharactersKeepsTheFirst300) {
    const std::string before = FileBytes(kPrimaryDbName);
    const std::string text = Pattern(320);
    ChangeOutcome o = SaveFieldText("Prima", "Indi", 2, text);
    ASSERT_TRUE(o.saved) << o.error;
    const PrimaryRecord r = ReadPrimaryRecord(2);
    EXPECT_EQ(r.indication1, text.substr(0, 250));
    EXPECT_EQ(r.indication2, text.substr(250, 50));
    EXPECT_EQ(r.remedy, "Sulfur");
    // Only the indication's strings changed: offsets 955 .. 1256 of record 2.
    const std::string after = FileBytes(kPrimaryDbName);
    ASSERT_EQ(after.size(), before.size());
    const std::size_t from = 2 * kPrimaryRecordSize + 955, to = 2 * kPrimaryRecordSize + 1257;
    EXPECT_EQ(after.substr(0, from), before.substr(0, from));
    EXPECT_EQ(after.substr(to), before.substr(to));
    // The symptom list follows the saved text.
    EXPECT_NE(FileBytes(kSymptomListName).find(text.substr(0, 300)), std::string::npos);
}

TEST_F(FieldSearch, RecordZeroAndRecordsPastTheEndAreNeverSaved) {
    const std::string before = FileBytes(kPrimaryDbName);
    EXPECT_FALSE(SaveFieldText("Prima", "Rime", 0, "X").saved);
    EXPECT_FALSE(SaveFieldText("Prima", "Rime", 5, "X").saved);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    ASSERT_TRUE(SaveFieldText("Terap", "Notes", 1, Pattern(760)).saved);
    EXPECT_EQ(ReadRepertoryRecord(1).Notes(), Pattern(750));
    EXPECT_EQ(ReadRepertoryRecord(1).pathology, "Hoofdpijn");
}

}  // namespace
