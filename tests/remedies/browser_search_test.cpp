// The browsers' searches, hit pages, details, signature words and type-ahead,
// on small databases written here and on the shipped sample database.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime/text_file.h"
#include "remedies/browser_search.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "tests/remedies/remedy_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kGreek{"ALFA", "BETA", "DELTA", "GAMMA", "OMEGA"};

TEST(ListPrefixSeek, LandsWhereTheHalvingsMeetTheKey) {
    EXPECT_EQ(PrefixBisect(kGreek, "D"), 2);  // the first midpoint matches at once
    EXPECT_EQ(PrefixBisect(kGreek, "G"), 3);
    EXPECT_EQ(PrefixBisect(kGreek, "A"), 0);
    EXPECT_EQ(PrefixBisect(kGreek, "OMEGA"), 4);  // the last line can be reached
    EXPECT_EQ(PrefixBisect(kGreek, "0"), 0);      // before the list: the first line
    EXPECT_EQ(PrefixBisect(kGreek, "Z"), 4);      // after the list: the last line
    EXPECT_EQ(PrefixBisect(kGreek, "C"), 1);      // between BETA and DELTA: BETA
    EXPECT_EQ(PrefixBisect(kGreek, ""), 2);       // empty key: the middle line (n div 2)
    EXPECT_EQ(PrefixBisect(kGreek, "d"), 4);      // case-sensitive: small letters sort after
    // Several lines match: the first midpoint that matches is kept.
    EXPECT_EQ(PrefixBisect({"AA", "AB", "AC", "AD", "AE"}, "A"), 2);
    EXPECT_EQ(PrefixBisect({"ONLY"}, "X"), 0);
    // Capitals typed over a list in mixed case.
    const std::vector<std::string> mixed{"Hoest", "Hoofdpijn", "Keelpijn", "Slapeloosheid", "Zweten"};
    EXPECT_EQ(PrefixBisect(mixed, "SL"), 2);  // byte order: "Sl" sorts after "SL"
    EXPECT_EQ(PrefixBisect(mixed, "SL", true), 3);
    EXPECT_EQ(PrefixBisect(mixed, "HOO", true), 1);
    EXPECT_EQ(PrefixBisect({}, "X"), -1);
}

TEST(TypeAheadKey, UpperCasesTheFirstOrEveryCharacterAndIgnoresEnter) {
    std::string key;
    EXPECT_TRUE(ApplyTypeAheadKey(key, 'h', false));
    EXPECT_TRUE(ApplyTypeAheadKey(key, 'o', false));
    EXPECT_EQ(key, "Ho");
    EXPECT_FALSE(ApplyTypeAheadKey(key, '\r', false));
    EXPECT_EQ(key, "Ho");
    ApplyTypeAheadKey(key, '\b', false);
    ApplyTypeAheadKey(key, '\b', false);
    ApplyTypeAheadKey(key, '\b', false);  // nothing left to remove
    EXPECT_EQ(key, "");
    ApplyTypeAheadKey(key, 'h', true);
    ApplyTypeAheadKey(key, 'o', true);
    ApplyTypeAheadKey(key, '\xE8', true);  // accented letters stay as they are
    EXPECT_EQ(key, "HO\xE8");
}

TEST(BrowserState, PagesOfFourteenAndAtMost140Hits) {
    BrowserState s;
    s.StartSearch();
    EXPECT_EQ(s.PageIndicator(), "1/1");
    for (int r = 1; r <= 14; ++r) s.AddHit(r);
    EXPECT_EQ(s.PageIndicator(), "1/1");
    EXPECT_FALSE(s.NextPage());
    s.AddHit(15);
    EXPECT_EQ(s.PageIndicator(), "1/2");
    EXPECT_EQ(s.PageHits().size(), 14u);
    EXPECT_TRUE(s.NextPage());
    EXPECT_EQ(s.PageIndicator(), "2/2");
    EXPECT_EQ(s.PageHits(), std::vector<std::int64_t>{15});
    EXPECT_EQ(s.SlotRecord(0), 15);
    EXPECT_EQ(s.SlotRecord(1), 0);  // an empty slot shows no record
    EXPECT_TRUE(s.PreviousPage());
    EXPECT_FALSE(s.PreviousPage());
    EXPECT_EQ(s.SlotRecord(13), 14);

    for (int r = 16; r <= 140; ++r) EXPECT_TRUE(s.AddHit(r));
    EXPECT_FALSE(s.AddHit(141));
    EXPECT_EQ(s.HitCount(), 140);
    EXPECT_EQ(s.PageCount(), 10);
    while (s.NextPage()) {
    }
    EXPECT_EQ(s.resultPage, 10);
    EXPECT_EQ(s.PageHits().back(), 140);

    EXPECT_EQ(s.AdvanceDetail(2, 4), 0);
    EXPECT_EQ(s.AdvanceDetail(2, 4), 1);
    EXPECT_EQ(s.AdvanceDetail(2, 4), 2);
    EXPECT_EQ(s.AdvanceDetail(2, 4), 3);
    EXPECT_EQ(s.AdvanceDetail(2, 4), 0);
    EXPECT_EQ(s.AdvanceDetail(3, 4), 0);  // each slot cycles on its own
    s.StartSearch();
    EXPECT_EQ(s.AdvanceDetail(2, 4), 0);
}

class BrowserFixture : public ::testing::Test {
protected:
    TempWorkFolder folder_;
};

TEST_F(BrowserFixture, SymptomSearchKeepsTheFirst140HitsInDatabaseOrder) {
    std::vector<PrimaryTexts> records;
    for (int i = 1; i <= 141; ++i) records.push_back(Texts({"Remedie " + std::to_string(i), "Hoofdpijn"}));
    records.push_back(Texts({"Met blanco", "Hoofdpijn "}));  // a trailing blank is another text
    records.insert(records.begin(), Texts({"Eerste", "Hoest"}));
    WritePrimaryDb(records);
    auto hits = FindSymptomHits("Hoofdpijn");
    ASSERT_EQ(hits.size(), 140u);
    EXPECT_EQ(hits.front(), 2);
    EXPECT_EQ(hits.back(), 141);
    EXPECT_EQ(FindSymptomHits("Hoest"), std::vector<std::int64_t>{1});
    EXPECT_EQ(FindSymptomHits("Hoofdpijn ").size(), 1u);
    EXPECT_TRUE(FindSymptomHits("hoest").empty());
}

TEST_F(BrowserFixture, LongIndicationIsMatchedWhole) {
    const std::string longer = Pattern(280);
    WritePrimaryDb({Texts({"A", longer}), Texts({"B", longer.substr(0, 250)})});
    EXPECT_EQ(FindSymptomHits(longer), std::vector<std::int64_t>{1});
    EXPECT_EQ(FindSymptomHits(longer.substr(0, 250)), std::vector<std::int64_t>{2});
}

TEST_F(BrowserFixture, RemedyFoundFromItsVariantLine) {
    const std::string longName = "MSA " + Repeat('x', 42);  // 46 characters
    WritePrimaryDb({Texts({"MSA Calendula", "Wonden"}), Texts({"Hoest", "x"}), Texts({"MSA Calendula", "Tandvlees"}),
                    Texts({longName, "Iets"})});
    const std::string variant = RemedyVariantLine("MSA Calendula");
    ASSERT_EQ(variant.substr(0, 15), "Calendula (MSA)");
    EXPECT_EQ(FindRemedyHits("MSA Calendula"), (std::vector<std::int64_t>{1, 3}));
    EXPECT_EQ(FindRemedyHits(variant), (std::vector<std::int64_t>{1, 3}));
    EXPECT_EQ(FindRemedyHits(longName), std::vector<std::int64_t>{4});
    EXPECT_TRUE(FindRemedyHits(RemedyVariantLine(longName)).empty());  // only 40 columns read
}

TEST(RemedyTexts, FormExplanationsBracketNumbersAndWarnings) {
    EXPECT_EQ(FormExplanation("MSA Calendula"), "(Macerato Spagirico-Alchemico)");
    EXPECT_EQ(FormExplanation("TSA Rosmarinus"), "(Tintura Spagirico-Alchemica)");
    EXPECT_EQ(FormExplanation("TSA QSPC Aurum"), "(Quintessenza Spagirica di Paracelso Canonica)");
    EXPECT_EQ(FormExplanation("msa calendula"), "");
    EXPECT_TRUE(HoldsBracketNumber("Aurum (2)"));
    EXPECT_FALSE(HoldsBracketNumber("Aurum (10)x"));
    EXPECT_FALSE(HoldsBracketNumber("Aurum"));
    PrimaryRecord r;
    EXPECT_EQ(WarningsOrNotice(r), "Er zijn tot nu toe geen waarschuwingen");
    r.warnings1 = "Niet bij";
    r.warnings2 = " zwangerschap";
    EXPECT_EQ(WarningsOrNotice(r), "Niet bij zwangerschap");
}

TEST(SlotTexts, PlanetsSignsAndDosage) {
    PrimaryRecord r;
    r.remedy = "Aurum";
    r.primarySignature = "Zon-Mars";
    r.secondarySignature = "Venus";
    r.zodiacalSignature = "Leeuw Ram";
    r.posology1 = Repeat('a', 250);
    r.posology2 = "bb";
    r.indication1 = "Hoofd";
    r.indication2 = "pijn";
    PrimarySlotTexts s = SymptomSlotTexts(r);
    EXPECT_EQ(s.remedy, "Aurum");
    EXPECT_EQ(s.planetarySignatures, "Zon-Mars Venus");
    EXPECT_EQ(s.zodiacalSignature, "Leeuw Ram");
    EXPECT_EQ(s.detail, Repeat('a', 250) + "bb");
    EXPECT_EQ(RemedySlotTexts(r).detail, "Hoofdpijn");
}

TEST(SlotDetails, CycleThroughTheFourTextsWithTheirNotices) {
    PrimaryRecord r;
    r.remedy = "Aurum";
    r.synthesis1 = "Zonnig";
    r.synthesis2 = " gemoed, --  ";
    r.extraNotes3 = "laat";
    DetailText d = SymptomDetail(r, 0);
    EXPECT_EQ(d.caption, "Aurum - Waarschuwingen");
    EXPECT_EQ(d.text, "Er zijn tot nu toe geen waarschuwingen");
    d = SymptomDetail(r, 1);
    EXPECT_EQ(d.caption, "Aurum - Psychische Synthese");
    EXPECT_EQ(d.text, "Zonnig gemoed");  // trailing signs and blanks trimmed
    d = SymptomDetail(r, 2);
    EXPECT_EQ(d.caption, "Aurum - Notities");
    EXPECT_EQ(d.text, "De Primaire Database heeft geen notities");
    d = SymptomDetail(r, 3);
    EXPECT_EQ(d.caption, "Aurum - Extra Notities");
    EXPECT_EQ(d.text, "laat");
    // The remedy browser shows the dosage first, with no notice when empty.
    d = RemedyDetail(r, 0);
    EXPECT_EQ(d.caption, "Aurum - Dosering");
    EXPECT_EQ(d.text, "");
    EXPECT_EQ(RemedyDetail(r, 1).text, "Zonnig gemoed");
}

TEST(SignatureWords, PrimaryWordsMarkedAndAtMostTwelve) {
    EXPECT_EQ(SignatureWords("Zon-Mars Venus", true), (std::vector<std::string>{"\xA7 Zon", "\xA7 Mars", "Venus"}));
    EXPECT_EQ(SignatureWords("Leeuw Ram", false), (std::vector<std::string>{"Leeuw", "Ram"}));
    EXPECT_EQ(SignatureWords("Zon ", true), (std::vector<std::string>{"\xA7 Zon", ""}));
    EXPECT_EQ(SignatureWords("Boogschutterstekens", false), std::vector<std::string>{"Boogschutterste"});
    EXPECT_EQ(SignatureWords("a b c d e f g h i j k l m n", false).size(), 12u);
}

TEST_F(BrowserFixture, TherapyDetailNotesAndWarnings) {
    WritePrimaryDb({Texts({"Thymus", "Hoest"}), Texts({"Salvia", "Keelpijn"})});
    PrimaryTexts salvia = Texts({"Salvia", "Zweten"});
    salvia.warnings = "Niet langdurig gebruiken.";
    AppendPrimaryRecord(salvia);
    EnsureRepertoryDatabase();
    const std::string longName = Repeat('T', 60);
    AppendRepertoryRecord({"Hoest", "Thymus", "Infusie", " ,- "});  // nothing left after trimming
    AppendRepertoryRecord({"Hoest", "Salvia", "Gorgelen", "Bij prikkelhoest."});
    AppendRepertoryRecord({"Hoest", longName, "Stoom", ""});
    AppendRepertoryRecord({"Keelpijn", "Salvia", "Gorgelen", "Tweede notitie"});

    DetailText d = TherapyDetail("Thymus", "Hoest", 0);
    EXPECT_EQ(d.caption, "Notities over Thymus / Hoest");
    EXPECT_EQ(d.text, "Hiervoor zijn geen notities opgenomen combinazione Patologia-Rimedio");
    d = TherapyDetail("Salvia", "Hoest", 0);
    EXPECT_EQ(d.text, "Bij prikkelhoest.");
    d = TherapyDetail("Thymus", "Hoest", 1);
    EXPECT_EQ(d.caption, "Thymus - Waarschuwingen");
    EXPECT_EQ(d.text, "Primaire database bevat geen waarschuwingen voor het gebruik van deze remedie");
    d = TherapyDetail("Salvia", "Hoest", 1);  // the first record of the remedy is the one shown
    EXPECT_EQ(d.text, "Primaire database bevat geen waarschuwingen voor het gebruik van deze remedie");
    d = TherapyDetail(longName, "Hoest", 1);
    EXPECT_EQ(d.caption, longName + " het is niet gevonden in de Primaire Database");
    EXPECT_EQ(d.text, "");
    EXPECT_EQ(FindPathologyHits("Hoest"), (std::vector<std::int64_t>{1, 2, 3}));
    EXPECT_EQ(FindPathologyHits("Keelpijn"), std::vector<std::int64_t>{4});
}

TEST_F(BrowserFixture, MissingDatabaseRaisesTheInputOutputError) {
    EXPECT_ANY_THROW(FindSymptomHits("x"));
    EXPECT_ANY_THROW(ReadListLines(kSymptomListName));
    fs::create_directories("OpzioneH");
    rt::WriteTextLines(kSymptomListName, {});
    EXPECT_EQ(ReadListLines(kSymptomListName), std::vector<std::string>{""});
}

class SampleBrowser : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    void SetUp() override {
        const fs::path shipped = KELVOR_TEST_DATA_DIR;
        fs::create_directories("OpzioneH");
        for (const char* f : {"OpzioneH/DBmain.rnd", "OpzioneH/Repertorio.rnd"}) fs::copy_file(shipped / f, f);
    }
};

TEST_F(SampleBrowser, SymptomRemedyAndPathologySearches) {
    std::vector<std::string> remedies;
    for (auto r : FindSymptomHits("Kleine wonden en schaafwonden")) remedies.push_back(ReadPrimaryRecord(r).remedy);
    EXPECT_EQ(remedies, (std::vector<std::string>{"MSA Calendula officinalis", "HS 8 - Hypericum perforatum",
                                                  "Achillea millefolium", "Plantago lanceolata"}));
    std::vector<std::string> indications;
    for (auto r : FindRemedyHits(RemedyVariantLine("MSA Calendula officinalis")))
        indications.push_back(ReadPrimaryRecord(r).Indication());
    EXPECT_EQ(indications, (std::vector<std::string>{"Kleine wonden en schaafwonden",
                                                     "Lichte brandwonden en zonnebrand", "Ontstoken tandvlees"}));
    std::vector<std::string> therapies;
    for (auto r : FindPathologyHits("Slapeloosheid")) therapies.push_back(ReadRepertoryRecord(r).remedy);
    EXPECT_EQ(therapies, (std::vector<std::string>{"HS 112 - Valeriana officinalis", "QSPC Melissa officinalis",
                                                   "Humulus lupulus", "Lavandula angustifolia"}));
}

}  // namespace
