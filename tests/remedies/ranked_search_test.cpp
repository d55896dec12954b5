// The ranked multi-symptom and compound-therapy searches: tallies, ranking,
// count files and details, on fixtures worked by hand and on the sample database.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "remedies/primary_db.h"
#include "remedies/ranked_search.h"
#include "remedies/repertory_db.h"
#include "tests/remedies/remedy_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;
namespace fs = std::filesystem;

namespace {

RankedSlots Slots(const std::vector<std::string>& texts) {
    RankedSlots s;
    for (std::size_t k = 0; k < texts.size(); ++k) s[k] = texts[k];
    return s;
}

std::vector<std::string> Lines(const std::vector<RankedResult>& results) {
    std::vector<std::string> out;
    for (const auto& r : results) out.push_back(r.Line());
    return out;
}

// Alpha serves S1..S5, Beta S1..S3, Gamma S3..S5, Delta S6.
std::vector<EntryAndRemedy> FiveSymptoms() {
    std::vector<EntryAndRemedy> records;
    for (const char* s : {"S1", "S2", "S3", "S4", "S5"}) records.push_back({s, "Alpha"});
    for (const char* s : {"S1", "S2", "S3"}) records.push_back({s, "Beta"});
    for (const char* s : {"S3", "S4", "S5"}) records.push_back({s, "Gamma"});
    records.push_back({"S6", "Delta"});
    return records;
}

const std::vector<std::string> kRemedies{"Alpha", "Beta", "Delta", "Gamma"};

TEST(RankRemedies, HighestTallyFirstEqualTalliesInDescendingNameOrder) {
    auto ranked = RankRemedies(kRemedies, FiveSymptoms(), Slots({"S1", "S2", "S3", "S4", "S5"}));
    EXPECT_EQ(Lines(ranked), (std::vector<std::string>{"05 Alpha", "03 Gamma", "03 Beta"}));
}

TEST(RankRemedies, TheSameEntryInTwoSlotsCountsTwice) {
    auto ranked = RankRemedies(kRemedies, FiveSymptoms(), Slots({"S3", "", "S3", "S6"}));
    EXPECT_EQ(Lines(ranked), (std::vector<std::string>{"02 Gamma", "02 Beta", "02 Alpha", "01 Delta"}));
}

TEST(RankRemedies, NoMatchingEntryGivesNoResult) {
    EXPECT_TRUE(RankRemedies(kRemedies, FiveSymptoms(), Slots({"S9"})).empty());
    EXPECT_TRUE(RankRemedies(kRemedies, FiveSymptoms(), Slots({})).empty());
}

TEST(RankRemedies, RemedyMissingFromTheListIsNotCounted) {
    auto ranked = RankRemedies({"Alpha"}, FiveSymptoms(), Slots({"S1"}));
    EXPECT_EQ(Lines(ranked), std::vector<std::string>{"01 Alpha"});
}

TEST(RankRemedies, TalliesAreNumbersWithoutLimit) {
    std::vector<EntryAndRemedy> records;
    for (int i = 0; i < 99; ++i) records.push_back({"E", "Alpha"});
    for (int i = 0; i < 100; ++i) records.push_back({"E", "Zeta"});
    for (int i = 0; i < 9; ++i) records.push_back({"E", "Beta"});
    auto ranked = RankRemedies({"Alpha", "Beta", "Zeta"}, records, Slots({"E"}));
    EXPECT_EQ(Lines(ranked), (std::vector<std::string>{"100 Zeta", "99 Alpha", "09 Beta"}));
    // 256 matches do not wrap round to 0.
    for (int i = 0; i < 157; ++i) records.push_back({"E", "Beta"});
    ranked = RankRemedies({"Alpha", "Beta", "Zeta"}, records, Slots({"E"}));
    ASSERT_FALSE(ranked.empty());
    EXPECT_EQ(ranked.front().Line(), "166 Beta");
    ranked = RankRemedies({"Alpha", "Beta", "Zeta"}, records, Slots({"E", "E"}));
    EXPECT_EQ(ranked.front().Line(), "332 Beta");
}

TEST(FindNextItem, ResumesAfterTheLastFoundItem) {
    const std::vector<std::string> items{"a", "b", "c", "d", "Hoofdpijn", "e", "f", "g", "h", "HOOFDwonde"};
    EXPECT_EQ(FindNextItem(items, "hoofd", 0), 4);
    EXPECT_EQ(FindNextItem(items, "hoofd", 5), 9);
    EXPECT_EQ(FindNextItem(items, "hoofd", 10), -1);
    EXPECT_EQ(FindNextItem(items, "", 0), -1);
}

TEST(CountRecord, FiftyTwoBytesNameCutAndTallyByte) {
    Bytes b = EncodeCountRecord(std::string(60, 'n'), 300);
    ASSERT_EQ(b.size(), 52u);
    EXPECT_EQ(b[0], 50);
    EXPECT_EQ(CountRecordName(b), std::string(50, 'n'));
    EXPECT_EQ(CountRecordTally(b), 255);
    EXPECT_EQ(CountRecordTally(EncodeCountRecord("x", 3)), 3);
}

class RankedFiles : public ::testing::Test {
protected:
    TempWorkFolder folder_;
};

TEST_F(RankedFiles, MultiSymptomSearchWritesTheCountFileAndDetails) {
    std::vector<PrimaryTexts> records;
    auto add = [&](const TextsOfRecord& of, const char* posology) {
        PrimaryTexts t = Texts(of);
        t.posology = posology;
        records.push_back(t);
    };
    add({"Alpha", "Hoest"}, "A bij hoest");
    add({"Beta", "Hoest"}, "B bij hoest");
    add({"Alpha", "Koorts"}, "A bij koorts");
    add({"Gamma", "Koorts"}, "G bij koorts");
    add({"Alpha", "Jeuk"}, "A bij jeuk");
    WritePrimaryDb(records);
    rt::WriteTextLines(kRemedyListName, {"Alpha", "Beta", "Gamma"});
    const RankedSlots slots = Slots({"Hoest", "Koorts", "Hoest"});
    auto ranked = RunRankedSearch(RankedSearchKind::MultiSymptom, slots);
    EXPECT_EQ(Lines(ranked), (std::vector<std::string>{"03 Alpha", "02 Beta", "01 Gamma"}));

    auto counts = rt::ReadAllRecords(kMultiSymptomCountName, kCountRecordSize);
    ASSERT_EQ(counts.size(), 3u);
    EXPECT_EQ(CountRecordName(counts[0]), "Alpha");
    EXPECT_EQ(CountRecordTally(counts[0]), 3);
    EXPECT_EQ(CountRecordTally(counts[1]), 2);
    EXPECT_EQ(CountRecordTally(counts[2]), 1);

    RankedSlots current = slots;
    current[4] = "Koorts";
    current[5] = "Jeuk";  // chosen after the search: highlighted, but not in the detail
    RankedDetail d = RankedSearchDetail(RankedSearchKind::MultiSymptom, "Alpha", slots, current);
    EXPECT_EQ(d.lines, (std::vector<std::string>{"= Hoest", "- A bij hoest", "= Hoest", "- A bij hoest", "= Koorts",
                                                 "- A bij koorts", kDetailClosingLine}));
    EXPECT_EQ(std::string(kDetailClosingLine), "            =======\xA7\xA7\xA7\xA7\xA7\xA7\xA7=======");
    std::vector<int> lit;
    for (int k = 0; k < kRankedSlots; ++k)
        if (d.highlighted[k]) lit.push_back(k + 1);
    EXPECT_EQ(lit, (std::vector<int>{1, 2, 3, 5, 6}));
    EXPECT_EQ(RankedSearchDetail(RankedSearchKind::MultiSymptom, "Delta", slots, current).lines,
              std::vector<std::string>{kDetailClosingLine});
}

TEST_F(RankedFiles, DetailOfANameEndingInSignsAfterAThreeDigitTally) {
    std::vector<PrimaryTexts> records;
    for (int i = 0; i < 100; ++i) records.push_back(Texts({"Beta, -", "Hoest"}));
    WritePrimaryDb(records);
    rt::WriteTextLines(kRemedyListName, {"Beta, -"});
    auto ranked = RunRankedSearch(RankedSearchKind::MultiSymptom, Slots({"Hoest"}));
    ASSERT_EQ(Lines(ranked), std::vector<std::string>{"100 Beta, -"});
    EXPECT_EQ(CountRecordTally(rt::ReadAllRecords(kMultiSymptomCountName, kCountRecordSize)[0]), 100);
    RankedDetail d =
        RankedSearchDetail(RankedSearchKind::MultiSymptom, ranked[0].name, Slots({"Hoest"}), Slots({"Hoest"}));
    EXPECT_EQ(d.lines.size(), 201u);  // the name as ranked, not cut from the line
}

TEST_F(RankedFiles, CompoundTherapyCountsRemedyNamesLongerThanFifty) {
    EnsureRepertoryDatabase();
    const std::string longA = std::string(55, 'L') + " A";
    const std::string longB = std::string(55, 'L') + " B";  // same first 50 characters
    AppendRepertoryRecord({"Hoest", "thymus", "T", ""});
    AppendRepertoryRecord({"Hoest", longA, "LA", ""});
    AppendRepertoryRecord({"Koorts", longA, "LA2", ""});
    AppendRepertoryRecord({"Koorts", longB, "LB", ""});
    AppendRepertoryRecord({"Hoest", "Salvia", "S", ""});
    PrepareCompoundTherapyLists();
    EXPECT_EQ(rt::ReadTextLines(kTherapyRemedyListName), (std::vector<std::string>{longA, longB, "Salvia", "thymus"}));
    EXPECT_EQ(rt::ReadAllRecords(kCompoundTherapyCountName, kCountRecordSize).size(), 4u);

    auto ranked = RunRankedSearch(RankedSearchKind::CompoundTherapy, Slots({"Koorts", "Hoest"}));
    EXPECT_EQ(Lines(ranked), (std::vector<std::string>{"02 " + longA, "01 thymus", "01 Salvia", "01 " + longB}));
    RankedDetail d = RankedSearchDetail(RankedSearchKind::CompoundTherapy, longA, Slots({"Koorts", "Hoest"}),
                                        Slots({"Koorts", "Hoest"}));
    EXPECT_EQ(d.lines, (std::vector<std::string>{"= Hoest", "- LA", "= Koorts", "- LA2", kDetailClosingLine}));
}

TEST_F(RankedFiles, EmptyRepertoryAndMissingPathologyList) {
    EnsureRepertoryDatabase();
    PrepareCompoundTherapyLists();
    EXPECT_TRUE(rt::ReadTextLines(kTherapyRemedyListName).empty());
    EXPECT_TRUE(rt::ReadAllRecords(kCompoundTherapyCountName, kCountRecordSize).empty());
    EXPECT_TRUE(RankedVocabulary(RankedSearchKind::CompoundTherapy).empty());
    EXPECT_TRUE(RunRankedSearch(RankedSearchKind::CompoundTherapy, Slots({"Hoest"})).empty());
    EXPECT_ANY_THROW(RunRankedSearch(RankedSearchKind::MultiSymptom, Slots({"Hoest"})));
}

TEST_F(RankedFiles, SampleDatabaseThreeSymptoms) {
    const fs::path shipped = KELVOR_TEST_DATA_DIR;
    fs::create_directories("OpzioneH");
    for (const char* f : {"OpzioneH/DBmain.rnd", "OpzioneH/ProdotA.txt", "OpzioneH/Sintomi.txt"})
        fs::copy_file(shipped / f, f);
    auto ranked = RunRankedSearch(RankedSearchKind::MultiSymptom,
                                  Slots({"Hoofdpijn", "Nervositeit", "Onrust en lichte slapeloosheid"}));
    EXPECT_EQ(Lines(ranked),
              (std::vector<std::string>{"03 Lavandula angustifolia", "02 Verbena officinalis",
                                        "02 QSPC Melissa officinalis", "02 HS 112 - Valeriana officinalis",
                                        "02 Betonica officinalis", "01 Viola odorata", "01 TSA Rosmarinus officinalis",
                                        "01 Tilia cordata", "01 Tanacetum parthenium", "01 Salix alba",
                                        "01 Mentha piperita", "01 Matricaria chamomilla", "01 Lactuca sativa",
                                        "01 Humulus lupulus"}));
}

}  // namespace
