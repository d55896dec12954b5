// The derived lists and the lookups from them: a record whose key holds a
// control character is left out and reported instead of cutting a list
// short; whatever a list shows (keys trimmed of trailing signs, cut at "*")
// leads back to its records in the browsers and the multi-symptom search;
// the browsers say when more than 140 records matched.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>

#include "platform/runtime/text_file.h"
#include "remedies/browser_search.h"
#include "remedies/database_edit.h"
#include "remedies/ranked_search.h"
#include "remedies/repertory_db.h"
#include "tests/remedies/remedy_test_util.h"

namespace list_keys_test {

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;

namespace {

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string Numbered(const char* stem, int i) { return stem + std::string(i < 10 ? "0" : "") + std::to_string(i); }

TEST(ListKeys, ARecordWithAControlCharacterIsLeftOutAndReportedNotCuttingTheList) {
    TempWorkFolder folder;
    std::vector<PrimaryTexts> records;
    for (int i = 1; i <= 40; ++i) records.push_back(Texts({Numbered("Remedie ", i), Numbered("Symptoom ", i), "Zon"}));
    records[4].indication = "Symptoom\x1A 05";                       // Ctrl-Z pasted into an indication
    records[6].remedy = "Remedie\r\n07";                             // a line break in a remedy
    records.push_back(Texts({"Remedie 41", "Symptoom 40", "Zon"}));  // shares the last symptom
    WritePrimaryDb(records);
    const ListRebuildReport report = RebuildPrimaryLists();
    EXPECT_EQ(report.skippedRecords, (std::vector<std::int64_t>{5, 7}));

    // Every reader sees every other symptom and remedy, the last ones included.
    const auto symptoms = rt::ReadTextLines(kSymptomListName);
    EXPECT_EQ(symptoms.size(), 38u);
    EXPECT_TRUE(Holds(symptoms, "Symptoom 04") && Holds(symptoms, "Symptoom 06") && Holds(symptoms, "Symptoom 40"));
    EXPECT_FALSE(Holds(symptoms, "Symptoom 07"));
    const auto remedies = rt::ReadTextLines(kRemedyListName);
    EXPECT_EQ(remedies.size(), 39u);
    EXPECT_TRUE(Holds(remedies, "Remedie 41"));
    for (const char* list : {kSymptomListName, kRemedyListName, kRemedyVariantListName})
        EXPECT_EQ(FileBytes(list).find('\x1A'), std::string::npos) << list;
    EXPECT_EQ(ReadRemedyNameList(RemedyListFileName("SolePri")).size(), 39u);

    // A save says which records the lists leave out, until they are mended.
    PrimaryTexts t = PrimaryRecordToTexts(ReadPrimaryRecord(2));
    t.posology = "1 x daags";
    ChangeOutcome o = SavePrimaryEdit(2, t);
    EXPECT_TRUE(o.saved && o.listsRebuilt);
    EXPECT_NE(ChangeOutcomeMessage(o).find("i record 5, 7 di DBmain.rnd non sono negli elenchi"), std::string::npos)
        << ChangeOutcomeMessage(o);
    t = PrimaryRecordToTexts(ReadPrimaryRecord(5));
    t.indication = "Symptoom 05";
    o = SavePrimaryEdit(5, t);
    ASSERT_TRUE(o.saved);
    // One record left out: one verb.
    EXPECT_EQ(ChangeOutcomeMessage(o),
              "Attenzione: il record 7 di DBmain.rnd non \xE8 negli elenchi: il rimedio, l'indicazione o la "
              "patologia contiene un carattere di controllo (un a capo o simile). Correggerlo con l'editor.");
    t = PrimaryRecordToTexts(ReadPrimaryRecord(7));
    t.remedy = "Remedie 07";
    o = SavePrimaryEdit(7, t);
    EXPECT_EQ(ChangeOutcomeMessage(o), "");
    EXPECT_EQ(rt::ReadTextLines(kSymptomListName).size(), 40u);

    // The pathology list: a Ctrl-Z in one pathology of sixteen.
    WritePrimaryDb({Texts({"Valeriana", "Slapeloosheid"})});
    std::vector<RepertoryTexts> therapies;
    std::vector<rt::Bytes> all{rt::Bytes(kRepertoryRecordSize, 0)};
    for (int i = 1; i <= 16; ++i)
        all.push_back(EncodeRepertoryRecord(
            FormToRepertoryRecord({i == 8 ? "Pathologie\x1A 08" : Numbered("Pathologie ", i), "Valeriana", "", ""})));
    rt::ReplaceAllRecords(kRepertoryDbName, kRepertoryRecordSize, all);
    EXPECT_EQ(RebuildPathologyList().skippedRecords, std::vector<std::int64_t>{8});
    const auto pathologies = rt::ReadTextLines(kPathologyListName);
    EXPECT_EQ(pathologies.size(), 15u);
    EXPECT_TRUE(Holds(pathologies, "Pathologie 16"));
}

TEST(ListKeys, WhatAListShowsLeadsBackToItsRecords) {
    TempWorkFolder folder;
    auto with = [](PrimaryTexts t, const char* posology) {
        t.posology = posology;
        return t;
    };
    WritePrimaryDb({
        with(Texts({"", "Leeg"}), "geen remedie"),                                      // 1: a record without a remedy
        with(Texts({"Belladonna", "Koorts boven 39\xB0"}), "B bij koorts"),             // 2
        with(Texts({"Alo\xEB", "Obstipatie"}), "A bij obstipatie"),                     // 3
        with(Texts({"Arnica", "Brandwond*test"}), "stored before stars were refused"),  // 4
        with(Texts({"Arnica", "Hoofdpijn "}), "with a trailing blank"),                 // 5
        with(Texts({"Alo\xEB", "Koorts boven 39\xB0"}), "A bij koorts"),                // 6
    });
    RebuildPrimaryLists();
    const auto symptoms = rt::ReadTextLines(kSymptomListName);
    const auto remedies = rt::ReadTextLines(kRemedyListName);
    // The names as they are: a last letter or "Â°" is not cut.
    EXPECT_EQ(symptoms,
              (std::vector<std::string>{"Brandwond", "Hoofdpijn", "Koorts boven 39\xB0", "Leeg", "Obstipatie"}));
    EXPECT_EQ(remedies, (std::vector<std::string>{"Alo\xEB", "Arnica", "Belladonna"}));

    EXPECT_EQ(FindSymptomHits("Koorts boven 39\xB0"), (std::vector<std::int64_t>{2, 6}));
    EXPECT_EQ(FindSymptomHits("Brandwond"), std::vector<std::int64_t>{4});
    EXPECT_EQ(FindSymptomHits("Hoofdpijn"), std::vector<std::int64_t>{5});
    // "AloÃ«" finds the records of AloÃ«, not the record without a remedy.
    EXPECT_EQ(FindRemedyHits("Alo\xEB"), (std::vector<std::int64_t>{3, 6}));
    EXPECT_EQ(FindRemedyHits("Arnica"), (std::vector<std::int64_t>{4, 5}));
    EXPECT_TRUE(FindSymptomHits("Koorts boven").empty());

    // The multi-symptom search counts them under what the lists show.
    RankedSlots slots{};
    slots[0] = "Koorts boven 39\xB0";
    slots[1] = "Obstipatie";
    const auto ranked = RunRankedSearch(RankedSearchKind::MultiSymptom, slots);
    ASSERT_EQ(ranked.size(), 2u);
    EXPECT_EQ(ranked[0].Line(), "02 Alo\xEB");
    EXPECT_EQ(ranked[1].Line(), "01 Belladonna");
    const RankedDetail d = RankedSearchDetail(RankedSearchKind::MultiSymptom, "Alo\xEB", slots, slots);
    EXPECT_EQ(d.lines, (std::vector<std::string>{"= Obstipatie", "- A bij obstipatie", "= Koorts boven 39\xB0",
                                                 "- A bij koorts", kDetailClosingLine}));
    EXPECT_TRUE(d.highlighted[0] && d.highlighted[1]);
}

TEST(ListKeys, ListsBroughtFromAnEarlierInstallationStillLeadToTheirRecords) {
    // Lists built elsewhere cut a name's last letter when it was not one of
    // a..z, a digit or "àéèùòì": "Aloë" stands there as "Alo". They are used as
    // they are until the next rebuild, and every line still finds its records.
    TempWorkFolder folder;
    auto with = [](PrimaryTexts t, const char* posology) {
        t.posology = posology;
        return t;
    };
    WritePrimaryDb({
        with(Texts({"Belladonna", "Koorts boven 39\xB0"}), "B bij koorts"),     // 1
        with(Texts({"Alo\xEB", "Obstipatie"}), "A bij obstipatie"),             // 2
        with(Texts({"Bryonia 1\xB0", "Koorts boven 39\xB0"}), "M bij koorts"),  // 3
        with(Texts({"Alo\xEB", "Koorts boven 39\xB0"}), "A bij koorts"),        // 4
        with(Texts({"Arnica", "Hoofdpijn"}), "A bij hoofdpijn"),                // 5
    });
    rt::WriteTextLines(kSymptomListName, {"Hoofdpijn", "Koorts boven 39", "Obstipatie"});
    rt::WriteTextLines(kRemedyListName, {"Alo", "Arnica", "Belladonna", "Bryonia 1"});

    EXPECT_EQ(FindSymptomHits("Koorts boven 39"), (std::vector<std::int64_t>{1, 3, 4}));
    EXPECT_EQ(FindRemedyHits("Alo"), (std::vector<std::int64_t>{2, 4}));
    EXPECT_EQ(FindRemedyHits("Bryonia 1"), std::vector<std::int64_t>{3});
    EXPECT_TRUE(FindRemedyHits("Al").empty());

    RankedSlots slots{};
    slots[0] = "Koorts boven 39";
    slots[1] = "Obstipatie";
    const auto ranked = RunRankedSearch(RankedSearchKind::MultiSymptom, slots);
    ASSERT_EQ(ranked.size(), 3u);
    EXPECT_EQ(ranked[0].Line(), "02 Alo");
    EXPECT_EQ(ranked[1].Line(), "01 Bryonia 1");
    EXPECT_EQ(ranked[2].Line(), "01 Belladonna");
    const RankedDetail d = RankedSearchDetail(RankedSearchKind::MultiSymptom, "Alo", slots, slots);
    EXPECT_EQ(d.lines, (std::vector<std::string>{"= Obstipatie", "- A bij obstipatie", "= Koorts boven 39\xB0",
                                                 "- A bij koorts", kDetailClosingLine}));

    // A rebuild writes the names whole, and they are found as before.
    RebuildPrimaryLists();
    EXPECT_EQ(rt::ReadTextLines(kRemedyListName),
              (std::vector<std::string>{"Alo\xEB", "Arnica", "Belladonna", "Bryonia 1\xB0"}));
    EXPECT_EQ(FindRemedyHits("Alo\xEB"), (std::vector<std::int64_t>{2, 4}));
}

TEST(ListKeys, BrowsersKnowWhenMoreThan140RecordsMatched) {
    TempWorkFolder folder;
    std::vector<PrimaryTexts> records(140, Texts({"Remedie", "Hoofdpijn"}));
    records.push_back(Texts({"Laatste", "Hoest"}));
    WritePrimaryDb(records);
    bool more = true;
    EXPECT_EQ(FindSymptomHits("Hoofdpijn", &more).size(), 140u);
    EXPECT_FALSE(more);
    records.push_back(Texts({"Remedie", "Hoofdpijn"}));
    WritePrimaryDb(records);
    EXPECT_EQ(FindSymptomHits("Hoofdpijn", &more).back(), 140);
    EXPECT_TRUE(more);
    EXPECT_EQ(FindRemedyHits("Remedie", &more).size(), 140u);
    EXPECT_TRUE(more);
    FindRemedyHits("Laatste", &more);
    EXPECT_FALSE(more);
}

TEST(ListKeys, ASaveRewritesOnlyTheListsItChanges) {
    TempWorkFolder folder;
    WritePrimaryDb({Texts({"Arnica", "Val", "Zon"}), Texts({"Bryonia", "Hoest", "Mars"})});
    RebuildPrimaryLists();
    auto inode = [](const char* name) {
        struct stat st {};
        ::stat(rt::ResolvePath(name).c_str(), &st);
        return st.st_ino;
    };
    const auto symptoms = inode(kSymptomListName), remedies = inode(kRemedyListName);
    PrimaryTexts t = PrimaryRecordToTexts(ReadPrimaryRecord(1));
    t.posology = "3 x daags";
    ASSERT_TRUE(SavePrimaryEdit(1, t).listsRebuilt);
    EXPECT_EQ(inode(kSymptomListName), symptoms);
    EXPECT_EQ(inode(kRemedyListName), remedies);
    t.indication = "Verstuiking";
    ASSERT_TRUE(SavePrimaryEdit(1, t).listsRebuilt);
    EXPECT_EQ(rt::ReadTextLines(kSymptomListName), (std::vector<std::string>{"Hoest", "Verstuiking"}));
    EXPECT_EQ(inode(kRemedyListName), remedies);
}

}  // namespace

}  // namespace list_keys_test
