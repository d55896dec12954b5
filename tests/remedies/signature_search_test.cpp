// The search by astrological signature: the remedy list and its index, the
// planet and sign tests, the hit file and its pages, and the type-ahead.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "remedies/prefix_bisect.h"
#include "remedies/signature_search.h"
#include "tests/remedies/remedy_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;
namespace fs = std::filesystem;

namespace {

PrimaryTexts Sig(const remedy_tests::SignedRemedy& texts) {
    return remedy_tests::SignedRemedyTexts(texts, "Indicatie van " + texts.remedy);
}

// Records 1..9. By hand: Mars occurs in the primary or secondary signature and
// Ram in the zodiacal one of the first records of Aurum (secondary), Digitalis
// ("Rammelaar" holds "Ram"), Ferrum (stored with trailing blanks) and Gentiana.
// Equisetum is judged on its first record (Venus, Stier) only; "Errore di
// stampa" is never listed.
void WriteFixture() {
    WritePrimaryDb({
        Sig({"Gentiana", "Mars", "", "Ram"}),             // 1
        Sig({"Aurum", "Zon", "Mars", "Ram-Leeuw"}),       // 2
        Sig({"Borago", "Jupiter", "", "Ram"}),            // 3
        Sig({"Ferrum   ", "Mars", "", "Ram"}),            // 4
        Sig({"Capsicum", "Mars", "", "Schorpioen"}),      // 5
        Sig({"Equisetum", "Venus", "", "Stier"}),         // 6
        Sig({"Errore di stampa", "Mars", "", "Ram"}),     // 7
        Sig({"Digitalis", "Mars", "Maan", "Rammelaar"}),  // 8
        Sig({"Equisetum", "Mars", "", "Ram"}),            // 9
        Sig({"Aurum", "Mars", "", "Ram"}),                // 10
    });
}

class SignatureSearch : public ::testing::Test {
protected:
    TempWorkFolder folder_;
};

TEST_F(SignatureSearch, IndexKeepsEachNameWithItsFirstRecord) {
    WriteFixture();
    RemedyIndex index = BuildRemedyIndex();
    EXPECT_EQ(index.names, (std::vector<std::string>{"Aurum", "Borago", "Capsicum", "Digitalis", "Equisetum", "Ferrum",
                                                     "Gentiana"}));
    // Ferrum is stored with trailing blanks: it still names record 4, and
    // Gentiana after it keeps its own record 1.
    EXPECT_EQ(rt::ReadTextLines(kRemedyIndexName), (std::vector<std::string>{"2", "3", "5", "8", "6", "4", "1"}));
    EXPECT_EQ(FileBytes(kRemedyIndexName), "2\r\n3\r\n5\r\n8\r\n6\r\n4\r\n1\r\n");
}

TEST_F(SignatureSearch, MarsWithRamFindsTheFirstRecordsHoldingBoth) {
    WriteFixture();
    RemedyIndex index = BuildRemedyIndex();
    auto hits = SearchSignatures(index.names, "Mars", "Ram");
    ASSERT_EQ(hits.size(), 4u);
    EXPECT_EQ(hits[0].remedy, "Aurum");
    EXPECT_EQ(hits[0].primary, "Zon");
    EXPECT_EQ(hits[0].secondary, "Mars");
    EXPECT_EQ(hits[0].zodiac, "Ram-Leeuw");
    EXPECT_EQ(hits[1].remedy, "Digitalis");
    EXPECT_EQ(hits[2].remedy, "Ferrum   ");  // the field as stored
    EXPECT_EQ(hits[3].remedy, "Gentiana");
    EXPECT_EQ(rt::ReadTextLines(kSignatureHitsName),
              (std::vector<std::string>{"Aurum", "Zon", "Mars", "Ram-Leeuw", "Digitalis", "Mars", "Maan", "Rammelaar",
                                        "Ferrum   ", "Mars", "", "Ram", "Gentiana", "Mars", "", "Ram"}));
}

TEST_F(SignatureSearch, AnyPlanetAndAnySignListEveryRemedy) {
    WriteFixture();
    RemedyIndex index = BuildRemedyIndex();
    auto hits = SearchSignatures(index.names, "Ieder", "Ieder");
    ASSERT_EQ(hits.size(), 7u);
    EXPECT_EQ(hits[4].remedy, "Equisetum");
    EXPECT_EQ(hits[4].primary, "Venus");  // its first record
    // Planet alone, sign alone.
    EXPECT_EQ(SearchSignatures(index.names, "Venus", "Ieder").size(), 1u);
    EXPECT_EQ(SearchSignatures(index.names, "Ieder", "Schorpioen").size(), 1u);
    EXPECT_EQ(SearchSignatures(index.names, "Saturnus", "Ieder").size(), 0u);
    EXPECT_EQ(FileBytes(kSignatureHitsName), "");
}

TEST_F(SignatureSearch, AnIndexOlderThanTheDatabaseLeavesTheShiftedRemedyOut) {
    WriteFixture();
    RemedyIndex index = BuildRemedyIndex();
    // Aurum's line names Borago's record, Borago's a record past the end.
    rt::WriteTextLines(kRemedyIndexName, {"3", "99", "5", "8", "6", "4", "1"});
    auto hits = SearchSignatures(index.names, "Ieder", "Ieder");
    ASSERT_EQ(hits.size(), 5u);
    EXPECT_EQ(hits[0].remedy, "Capsicum");
}

TEST_F(SignatureSearch, MissingIndexRaisesTheInputOutputError) {
    WriteFixture();
    EXPECT_THROW(SearchSignatures({"Aurum"}, "Ieder", "Ieder"), rt::IoError);
}

TEST_F(SignatureSearch, PagesOfFourteenHits) {
    EXPECT_EQ(SignaturePageCount(0), 0);
    EXPECT_EQ(SignaturePageCount(1), 1);
    EXPECT_EQ(SignaturePageCount(14), 1);
    EXPECT_EQ(SignaturePageCount(15), 2);
    EXPECT_EQ(SignaturePageCount(28), 2);
    EXPECT_EQ(SignaturePageCount(29), 3);

    std::vector<PrimaryTexts> many;
    for (int i = 1; i <= 15; ++i)
        many.push_back(Sig({"Remedie " + std::string(1, char('A' + i - 1)), "Zon", "", "Ram"}));
    WritePrimaryDb(many);
    RemedyIndex index = BuildRemedyIndex();
    ASSERT_EQ(SearchSignatures(index.names, "Zon", "Ram").size(), 15u);
    auto page1 = ReadSignatureHitsPage(1);
    EXPECT_EQ(page1[0].remedy, "Remedie A");
    EXPECT_EQ(page1[13].remedy, "Remedie N");
    auto page2 = ReadSignatureHitsPage(2);
    EXPECT_EQ(page2[0].remedy, "Remedie O");
    EXPECT_EQ(page2[0].zodiac, "Ram");
    EXPECT_EQ(page2[1].remedy, "");
    EXPECT_EQ(page2[13].zodiac, "");
}

TEST(PrefixBisect, ReachesTheLineTheKeyBegins) {
    const std::vector<std::string> lines{"Aurum", "Borago", "Calendula", "Capsella", "Carum", "Zea"};
    EXPECT_EQ(PrefixBisect(lines, "Cap"), 3);
    EXPECT_EQ(PrefixBisect(lines, "Car"), 4);
    EXPECT_EQ(PrefixBisect(lines, "Zea"), 5);  // the last line can be reached
    EXPECT_EQ(PrefixBisect(lines, "A"), 0);
    EXPECT_EQ(PrefixBisect({}, "A"), -1);
    // Byte order: capitals typed after the first letter miss the small letters ...
    EXPECT_EQ(PrefixBisect(lines, "CAP"), 1);
    // ... unless case is ignored.
    EXPECT_EQ(PrefixBisect(lines, "CAP", true), 3);
}

TEST(PrefixBisect, TypeAheadKeys) {
    std::string key;
    EXPECT_TRUE(ApplyTypeAheadKey(key, 'c'));
    EXPECT_EQ(key, "C");
    ApplyTypeAheadKey(key, 'a');
    EXPECT_EQ(key, "Ca");
    EXPECT_FALSE(ApplyTypeAheadKey(key, 13));
    EXPECT_EQ(key, "Ca");
    ApplyTypeAheadKey(key, 8);
    ApplyTypeAheadKey(key, 8);
    ApplyTypeAheadKey(key, 8);
    EXPECT_EQ(key, "");
}

}  // namespace
