// The composition and synthesis searches, the upper-casing of the found word,
// the debility search, the principles file, and the signature database read by
// symptom, by plant and line by line; on small fixtures and on the sample data.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "remedies/debility_search.h"
#include "remedies/principles_file.h"
#include "remedies/remedy_text_search.h"
#include "remedies/signature_browse.h"
#include "remedies/signature_search.h"
#include "tests/remedies/remedy_test_util.h"

namespace remedy_searches_test {

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;
namespace fs = std::filesystem;

namespace {

const fs::path kShipped = KELVOR_TEST_DATA_DIR;

struct RecordTexts {
    std::string remedy{};
    std::string notes{};
    std::string synthesis{};
    std::string primary{};
    std::string secondary{};
    std::string zodiac{};
};

PrimaryRecord Rec(const RecordTexts& texts) {
    PrimaryRecord r;
    r.remedy = texts.remedy;
    r.notes1 = texts.notes.substr(0, 250);
    r.notes2 = texts.notes.size() > 250 ? texts.notes.substr(250) : std::string();
    r.synthesis1 = texts.synthesis;
    r.primarySignature = texts.primary;
    r.secondarySignature = texts.secondary;
    r.zodiacalSignature = texts.zodiac;
    return r;
}

TEST(TextSearch, WordFoundWithoutRegardToCaseInAnyRecordOfTheRemedy) {
    std::vector<PrimaryRecord> all{
        Rec({"", ""}),  // record 0
        Rec({"Mentha", "Etherische olie (menthol)"}),
        Rec({"Salvia", "Looistoffen"}),
        Rec({"Salvia", "Etherische olie (thujon)"}),            // second record of Salvia
        Rec({"Arnica", std::string(248, 'x') + "ETHERISCHE"}),  // the word across two slices
        Rec({"Borago", "Slijmstoffen"}),
    };
    const std::vector<std::string> names{"Arnica", "Borago", "Mentha", "Salvia"};
    EXPECT_EQ(SearchRemedyTexts(all, names, "etherische", RemedyTextKind::Composition),
              (std::vector<std::string>{"Arnica", "Mentha", "Salvia"}));
    EXPECT_EQ(SearchRemedyTexts(all, names, "kamfer", RemedyTextKind::Composition),
              (std::vector<std::string>{"**GEEN RESULTAAT**"}));
    EXPECT_EQ(SearchRemedyTexts(all, names, "", RemedyTextKind::Composition),
              (std::vector<std::string>{"**GEEN RESULTAAT**"}));
    // The synthesis is another text.
    EXPECT_EQ(SearchRemedyTexts(all, names, "etherische", RemedyTextKind::Synthesis),
              (std::vector<std::string>{"**GEEN RESULTAAT**"}));
}

TEST(TextSearch, HighlightUpperCasesTheFirstOccurrenceOnly) {
    std::string t = "Etherische olie met menthol en mentholacetaat";
    EXPECT_TRUE(HighlightWordUpper(t, "Menthol"));
    EXPECT_EQ(t, "Etherische olie met MENTHOL en mentholacetaat");
    // Absent word: the text stays as it is (no word put in front).
    std::string u = "Looistoffen, flavonoiden";
    EXPECT_FALSE(HighlightWordUpper(u, "THUJON"));
    EXPECT_EQ(u, "Looistoffen, flavonoiden");
    // Accented letters are not case-folded: the word is found through a..z only.
    std::string v = "caf\xE9ine";
    EXPECT_TRUE(HighlightWordUpper(v, "caf\xE9"));
    EXPECT_EQ(v, "CAF\xE9ine");
}

class DebilitySearch : public ::testing::Test {
protected:
    // Records 1..4 (record 0 empty). Mars with Ram (the radio shown "Weegschaal"):
    // Ferrum (primary Mars, Ram) and Urtica (secondary Mars, Ram-Leeuw).
    std::vector<PrimaryRecord> primary_{
        Rec({"", ""}),
        Rec({"Ferrum", "", "", "Mars", "", "Ram"}),
        Rec({"Urtica", "", "", "Venus", "Mars", "Ram-Leeuw"}),
        Rec({"Salix", "", "", "Maan", "", "Kreeft"}),
        Rec({"Capsicum", "", "", "Mars", "", "Schorpioen"}),
    };
    std::vector<RepertoryRecord> therapies_;
    void SetUp() override {
        therapies_.push_back({});  // record 0
        auto add = [&](const std::string& pathology, const std::string& remedy) {
            RepertoryRecord t;
            t.pathology = pathology;
            t.remedy = remedy;
            therapies_.push_back(t);
        };
        add("Reuma", "Salix");
        add("Reuma", "URTICA");  // linked to Urtica without regard to case
        add("Bloedarmoede", "Ferrum");
        add("Reuma", "Harpagophytum");  // not in the primary database
        add("Bloedarmoede", "Urtica");
        add("Koorts", "Salix");
        add("Buikpijn", "Capsicum");
    }
};

TEST_F(DebilitySearch, OppositeSignTableMatchesTheRadios) {
    EXPECT_STREQ(kDebilitySigns[engine::Sign::Aries].radioName, "RBari");
    EXPECT_STREQ(kDebilitySigns[engine::Sign::Aries].shown, "Weegschaal");
    EXPECT_STREQ(kDebilitySigns[engine::Sign::Aries].searched, "Ram");
    EXPECT_STREQ(kDebilitySigns[engine::Sign::Scorpio].shown, "Stier");
    EXPECT_STREQ(kDebilitySigns[engine::Sign::Scorpio].searched, "Schorpioen");
    EXPECT_STREQ(kDebilitySigns[engine::Sign::Pisces].radioName, "RBpes");
    EXPECT_STREQ(kAnyDebilitySign.searched, "Ieder");
}

TEST_F(DebilitySearch, PathologiesOfTheSignatureRemediesOnceEach) {
    // Ferrum -> Bloedarmoede; Urtica -> Bloedarmoede (exact name only: "URTICA" is
    // another text here).
    EXPECT_EQ(DebilityPathologies(primary_, therapies_, "Mars", "Ram"), (std::vector<std::string>{"Bloedarmoede"}));
    EXPECT_EQ(DebilityPathologies(primary_, therapies_, "Mars", "Schorpioen"), (std::vector<std::string>{"Buikpijn"}));
    EXPECT_EQ(DebilityPathologies(primary_, therapies_, "Ieder", "Ieder"),
              (std::vector<std::string>{"Bloedarmoede", "Buikpijn", "Koorts", "Reuma"}));
    EXPECT_TRUE(DebilityPathologies(primary_, therapies_, "Saturnus", "Ieder").empty());
}

TEST_F(DebilitySearch, RemediesOfAPathologyWithTheSignatureMarked) {
    EXPECT_EQ(DebilityRemedies(primary_, therapies_, {"Reuma", "Mars", "Ram"}),
              (std::vector<std::string>{"Harpagophytum", "Salix", ">>> URTICA <<<"}));
    EXPECT_EQ(DebilityRemedies(primary_, therapies_, {"Bloedarmoede", "Mars", "Ram"}),
              (std::vector<std::string>{">>> Ferrum <<<", ">>> Urtica <<<"}));
    EXPECT_EQ(DebilityRemedies(primary_, therapies_, {"Reuma", "Maan", "Kreeft"}),
              (std::vector<std::string>{"Harpagophytum", ">>> Salix <<<", "URTICA"}));
}

TEST(Principles, FifteenRecordsOfFiveCapitalLines) {
    TempWorkFolder folder;
    std::vector<std::string> lines;
    for (int i = 1; i <= 80; ++i) lines.push_back("regel " + std::to_string(i));
    lines[0] = "Etherische olie: " + std::string(30, 'x');  // 47 characters
    rt::WriteTextLines(kPrinciplesTextName, lines);
    GeneratePrinciples();
    EXPECT_EQ(fs::file_size(kPrinciplesFileName), 15u * 205u);
    auto recs = ReadPrinciplesFile();
    ASSERT_EQ(recs.size(), 15u);
    EXPECT_EQ(recs[0][0], "ETHERISCHE OLIE: " + std::string(23, 'X'));  // cut to 40
    EXPECT_EQ(recs[0][1], "REGEL 2");
    EXPECT_EQ(recs[14][4], "REGEL 75");  // lines 76 to 80 are not used
    // Record layout: five strings of 40 at offsets 0, 41, 82, 123, 164.
    const std::string bytes = FileBytes(kPrinciplesFileName);
    EXPECT_EQ(bytes[205 + 41], char(7));
    EXPECT_EQ(bytes.substr(205 + 42, 7), "REGEL 7");

    rt::WriteTextLines(kPrinciplesTextName, std::vector<std::string>(lines.begin(), lines.begin() + 10));
    GeneratePrinciples();
    recs = ReadPrinciplesFile();
    ASSERT_EQ(recs.size(), 15u);
    EXPECT_EQ(recs[1][4], "REGEL 10");
    for (int k = 2; k < 15; ++k)
        for (const auto& l : recs[k]) EXPECT_EQ(l, "");
}

TEST(Principles, MissingTextLeavesTheFileWhole) {
    TempWorkFolder folder;
    rt::WriteTextLines(kPrinciplesTextName, {"a", "b"});
    GeneratePrinciples();
    const std::string before = FileBytes(kPrinciplesFileName);
    fs::remove(kPrinciplesTextName);
    EXPECT_THROW(GeneratePrinciples(), rt::IoError);
    EXPECT_EQ(FileBytes(kPrinciplesFileName), before);
}

struct SignatureTexts {
    std::string symptom{};
    std::string plant{};
    std::string authors{};
    std::string synthesis = "sintesi";
};

SignatureRecord Sr(const SignatureTexts& texts) {
    SignatureRecord r;
    r.symptom = texts.symptom;
    r.plant = texts.plant;
    r.authors = texts.authors;
    r.synthesis = texts.synthesis;
    r.primarySignature = "sole";
    return r;
}

TEST(SignatureBrowse, PlantsOfASymptom) {
    std::vector<SignatureRecord> data{
        Sr({"Tosse", "Timo", "Culpeper"}),             // record 1
        Sr({"Tosse  ", "Malva   ", "Mattioli"}),       // record 2: blanks removed
        Sr({"Tosse", "", "vedi anche: Raffreddore"}),  // record 3: a reference
        Sr({"Insonnia", "", "vedi: Nervosismo"}),      // record 4
    };
    auto t = FindSymptomPlants(data, "Tosse");
    EXPECT_TRUE(t.found);
    EXPECT_EQ(t.plants, (std::vector<std::string>{"Timo" + std::string(40, '-'), "Malva" + std::string(40, '-')}));
    EXPECT_EQ(t.records, (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(t.shown.authors, "Mattioli");
    auto i = FindSymptomPlants(data, "Insonnia");
    EXPECT_FALSE(i.found);
    EXPECT_TRUE(i.plants.empty());
    EXPECT_EQ(i.reference, "vedi: Nervosismo");
}

TEST(SignatureBrowse, SymptomsOfAPlantTwentySixToAPage) {
    std::vector<SignatureRecord> data;
    for (int k = 1; k <= 85; ++k) data.push_back(Sr({"Sintomo " + std::to_string(k), "Ruta", "A" + std::to_string(k)}));
    data.insert(data.begin() + 3, Sr({"Altro", "Salvia", "B"}));
    std::vector<SignatureRecord> first26(data.begin(), data.begin() + 27);  // 26 of Ruta, 1 of Salvia
    auto one = FindPlantSymptoms(first26, "Ruta");
    EXPECT_EQ(one.pageCount, 1);
    EXPECT_EQ(one.symptoms[0].size(), 26u);
    std::vector<SignatureRecord> first27(data.begin(), data.begin() + 28);
    auto two = FindPlantSymptoms(first27, "Ruta");
    EXPECT_EQ(two.pageCount, 2);
    EXPECT_EQ(two.symptoms[1], (std::vector<std::string>{"Sintomo 27" + std::string(120, '-')}));
    auto all = FindPlantSymptoms(data, "Ruta");
    EXPECT_EQ(all.pageCount, 4);
    EXPECT_EQ(all.symptoms[2].size(), 26u);
    EXPECT_EQ(all.symptoms[3].size(), 85u - 78u);  // the 79th and later all on page 4
    EXPECT_EQ(all.authors[3].back(), "A85" + std::string(120, '-'));
    EXPECT_EQ(PlantPageLabel(1, 2), "Pagina 1/2");
}

TEST(SignatureBrowse, MaintenanceLinesAndTheirRecords) {
    std::vector<SignatureRecord> data{
        Sr({"Tosse", "Timo", "x"}),
        Sr({"Tosse", "", "ref"}),
        Sr({"Tosse", "Timo", "second of the same"}),
    };
    EXPECT_EQ(MaintenanceLine(data[0]), "Timo" + std::string(16, ' ') + "Tosse");
    EXPECT_EQ(MaintenanceLine(data[1]), "XXXX" + std::string(16, ' ') + "Tosse");
    EXPECT_EQ(FindMaintenanceRecord(data, MaintenanceLine(data[1])), 2);
    EXPECT_EQ(FindMaintenanceRecord(data, MaintenanceLine(data[2])), 1);
    EXPECT_EQ(FindMaintenanceRecord(data, "Ruta                Tosse"), 0);
}

class SampleSearches : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    void SetUp() override {
        for (const char* f : {"OpzioneH/DBmain.rnd", "OpzioneH/Repertorio.rnd"}) {
            fs::create_directories(fs::path(f).parent_path());
            fs::copy_file(kShipped / f, f);
        }
    }
};

// Figures worked from the sample sources (primary.txt, therapies.txt).
TEST_F(SampleSearches, MarsWithRam) {
    RemedyIndex index = BuildRemedyIndex();
    EXPECT_EQ(index.names.size(), 48u);
    EXPECT_EQ(rt::ReadTextLines(kRemedyIndexName).size(), 48u);
    std::vector<std::string> found;
    for (const auto& h : SearchSignatures(index.names, "Mars", "Ram")) found.push_back(h.remedy);
    EXPECT_EQ(found, (std::vector<std::string>{"Artemisia absinthium", "Crataegus monogyna", "Juniperus communis",
                                               "TSA Rosmarinus officinalis", "Urtica dioica"}));
    EXPECT_EQ(SearchSignatures(index.names, "Ieder", "Ieder").size(), 48u);
}

TEST_F(SampleSearches, CompositionWordAndDebility) {
    RemedyIndex index = BuildRemedyIndex();
    const auto all = ReadPrimaryFile();
    EXPECT_EQ(SearchRemedyTexts(all, index.names, "rozemarijnzuur", RemedyTextKind::Composition),
              (std::vector<std::string>{"Lavandula angustifolia", "Mentha piperita", "Ocimum basilicum",
                                        "Origanum majorana", "QSPC Melissa officinalis", "Salvia officinalis",
                                        "Symphytum officinale", "Thymus vulgaris", "TSA Rosmarinus officinalis"}));
    EXPECT_EQ(SearchRemedyTexts(all, index.names, "licht", RemedyTextKind::Synthesis),
              (std::vector<std::string>{"Filipendula ulmaria", "HS 8 - Hypericum perforatum"}));

    const auto therapies = ReadRepertoryFile();
    EXPECT_EQ(DebilityPathologies(all, therapies, "Mars", "Ram"),
              (std::vector<std::string>{"Gewrichtsklachten", "Spijsverteringsstoornissen"}));
    EXPECT_EQ(DebilityRemedies(all, therapies, {"Gewrichtsklachten", "Mars", "Ram"}),
              (std::vector<std::string>{"Filipendula ulmaria", "Salix alba", "Symphytum officinale",
                                        ">>> Urtica dioica <<<"}));
}

TEST(SamplePrinciples, ShippedFileIsTheGeneratedOne) {
    TempWorkFolder folder;
    fs::copy_file(kShipped / "Principi.txt", "Principi.txt");
    GeneratePrinciples();
    EXPECT_EQ(FileBytes(kPrinciplesFileName), testing_support::ReadBytes(kShipped / "Principi.sto"));
    auto recs = ReadPrinciplesFile();
    ASSERT_EQ(recs.size(), 15u);
    EXPECT_NE(recs[0][0].find("VOORBEELD"), std::string::npos);  // labelled sample data
}

}  // namespace

}  // namespace remedy_searches_test
