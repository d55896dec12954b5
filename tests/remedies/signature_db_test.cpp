// The signature database: the import of its text, the name-file writing rule
// and the plant lists of the planets and signs.
#include "remedies/signature_db.h"

#include <gtest/gtest.h>

#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "remedies/remedy_files.h"
#include "remedies/stale_lists.h"
#include "tests/remedies/remedy_test_util.h"

namespace signature_db_test {

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;

namespace {

const std::vector<std::string> kHeader{"Pianta",    "Sigla",   "Primaria", "Secondaria",
                                       "Zodiacale", "Sintesi", "Sintomo",  "Autori"};

struct GroupTexts {
    std::string plant{};
    std::string primary{};
    std::string zodiac{};
    std::string symptom{};
};

std::vector<std::string> Group(const GroupTexts& texts) {
    return {texts.plant, "C", texts.primary, "", texts.zodiac, "sintesi", texts.symptom, "Culpeper"};
}

std::vector<std::string> Text(const std::vector<std::vector<std::string>>& groups) {
    std::vector<std::string> lines = kHeader;
    for (const auto& g : groups) lines.insert(lines.end(), g.begin(), g.end());
    return lines;
}

struct PlantTexts {
    std::string plant{};
    std::string primary{};
    std::string zodiac{};
};

SignatureRecord Rec(const PlantTexts& texts) {
    SignatureRecord r;
    r.plant = texts.plant;
    r.primarySignature = texts.primary;
    r.zodiacalSignature = texts.zodiac;
    return r;
}

TEST(SignatureRecordLayout, FieldsLieAtTheirOffsets) {
    SignatureRecord r;
    r.symptom = "S";
    r.plant = "Pl";
    r.code = "Cod";
    r.primarySignature = "sole";
    r.secondarySignature = "marte";
    r.zodiacalSignature = "leone-ariete";
    r.synthesis = "1234567";
    r.authors = "12345678";
    r.notes = "123456789";
    Bytes b = EncodeSignatureRecord(r);
    ASSERT_EQ(b.size(), kSignatureRecordSize);
    const std::vector<std::pair<std::size_t, int>> lengths{{0, 1},    {101, 2}, {122, 3}, {138, 4}, {154, 5},
                                                           {185, 12}, {256, 7}, {357, 8}, {458, 9}};
    for (auto [offset, len] : lengths) EXPECT_EQ(b[offset], len) << offset;
    SignatureRecord back = DecodeSignatureRecord(b);
    EXPECT_EQ(back.zodiacalSignature, "leone-ariete");
    EXPECT_EQ(back.notes, "123456789");
}

TEST(SignatureImportText, GroupsBecomeRecordsWithLinesCutToTheirFields) {
    auto records = ParseSignatureText(Text({Group({Pattern(30), "sole", "leone", Pattern(300)})}));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].plant, "Pianta");  // the header group is record 0
    EXPECT_EQ(records[0].symptom, "Sintomo");
    EXPECT_EQ(records[1].plant, Pattern(20));
    EXPECT_EQ(records[1].symptom, Pattern(100));
    EXPECT_EQ(records[1].authors, "Culpeper");
    EXPECT_EQ(records[1].notes, "");
}

TEST(SignatureImportText, HeaderOnlyAndEmptyTextsGiveOnlyRecordZero) {
    EXPECT_EQ(ParseSignatureText(kHeader).size(), 1u);
    EXPECT_EQ(ParseSignatureText({}).size(), 1u);
    auto withBlanks = Text({Group({"Salvia", "giove", "", "Tosse"})});
    withBlanks.push_back("");
    withBlanks.push_back("  ");
    EXPECT_EQ(ParseSignatureText(withBlanks).size(), 2u);  // trailing blank lines are no record

    auto noAuthors = Text({Group({"Salvia", "giove", "", "Tosse"})});
    noAuthors.back() = "";  // a last group whose last lines are empty is whole
    ASSERT_EQ(ParseSignatureText(noAuthors).size(), 2u);
    EXPECT_EQ(ParseSignatureText(noAuthors)[1].symptom, "Tosse");
}

TEST(SignatureImportText, AGroupThatStopsShortIsRefused) {
    auto lines = Text({Group({"Salvia", "giove", "", "Tosse"}), Group({"Ruta", "sole", "", "Tosse"})});
    lines.resize(lines.size() - 3);
    try {
        ParseSignatureText(lines);
        FAIL() << "no error";
    } catch (const ImportError& e) {
        EXPECT_NE(std::string(e.what()).find("riga 17"), std::string::npos) << e.what();
    }
}

TEST(SignatureNameRule, EqualNeighboursAfterCutAndTrimAreWrittenOnce) {
    const std::string a80 = Pattern(80);
    std::vector<std::string> sorted{Pattern(90), a80 + "x", "b  ", "b", "c"};
    auto out = NameFileEntries(sorted, 100);
    // The first is cut to the capacity only; the later ones are cut to 80 and trimmed.
    EXPECT_EQ(out, (std::vector<std::string>{Pattern(90), "b", "c"}));
    EXPECT_TRUE(NameFileEntries({}, 20).empty());
}

TEST(SignaturePlantLists, PlanetWordMustMatchExactlyAndSignWordsAreFound) {
    std::vector<SignatureRecord> data{Rec({"Salvia", "giove"}),
                                      Rec({"Ruta", "sole   "}),
                                      Rec({"Arnica", "Sole"}),
                                      Rec({"Iperico", "sole-luna"}),
                                      Rec({"Calendula", "sole", "ariete-leone"}),
                                      Rec({"Ruta", "sole", "leone"}),
                                      Rec({"", "sole", "pesci"})};
    EXPECT_EQ(PlantsOfPlanet(data, 1), (std::vector<std::string>{"", "Calendula", "Ruta"}));
    EXPECT_EQ(PlantsOfPlanet(data, 6), (std::vector<std::string>{"Salvia"}));
    EXPECT_TRUE(PlantsOfPlanet(data, 2).empty());
    EXPECT_EQ(PlantsOfSign(data, 1), (std::vector<std::string>{"Calendula"}));
    EXPECT_EQ(PlantsOfSign(data, 5), (std::vector<std::string>{"Calendula", "Ruta"}));
    EXPECT_EQ(PlantsOfSign(data, 12), (std::vector<std::string>{""}));
}

TEST(SignatureSymptoms, RunsAreMergedOnceSorted) {
    std::vector<SignatureRecord> data(5);
    const char* symptoms[] = {"Tosse", "Tosse", "Ansia", "Tosse", "ansia"};
    for (int i = 0; i < 5; ++i) data[i].symptom = symptoms[i];
    EXPECT_EQ(SignatureSymptomEntries(data), (std::vector<std::string>{"ansia", "Ansia", "Tosse"}));
}

class SignatureFiles : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    void SetUp() override { std::filesystem::create_directories("OpzioneS"); }
};

TEST_F(SignatureFiles, ImportWritesTheDatabaseAndTheSymptomFile) {
    rt::WriteTextLines(kSignatureTextName,
                       Text({Group({"Salvia", "giove", "sagittario", "Tosse"}),
                             Group({"Ruta", "sole", "leone", "Ansia"}),
                             Group({"Melissa", "giove", "cancro", "Ansia"})}),
                       true);
    auto symptoms = ImportSignatureDatabase();
    EXPECT_EQ(symptoms, (std::vector<std::string>{"Ansia", "Tosse"}));
    EXPECT_EQ(FileBytes(kSignatureDbName).size(), 4 * kSignatureRecordSize);
    EXPECT_EQ(FileBytes(kSignatureSymptomsName).substr(0, kSymptomNameRecordSize),
              std::string(kSymptomNameRecordSize, '\0'));
    const SignatureRecord melissa = ReadSignatureRecord(3);
    EXPECT_EQ(melissa.plant, "Melissa");
    EXPECT_EQ(melissa.zodiacalSignature, "cancro");

    auto last = BuildSignatureLists();
    EXPECT_TRUE(last.empty());  // nothing for the Fishes
    EXPECT_EQ(ReadNameFile(kPlantNamesName, 20), (std::vector<std::string>{"Melissa", "Ruta", "Salvia"}));
    EXPECT_EQ(ReadNameFile("OpzioneS\\GiovPri.rnd", 20), (std::vector<std::string>{"Melissa", "Salvia"}));
    EXPECT_EQ(ReadNameFile("OpzioneS\\LEEUW.RND", 20), (std::vector<std::string>{"Ruta"}));
    EXPECT_EQ(FileBytes("OpzioneS\\Vissen.rnd"), std::string(kPlantNameRecordSize, '\0'));
}

TEST_F(SignatureFiles, AFailedImportChangesNothing) {
    rt::WriteTextLines(kSignatureTextName, Text({Group({"Salvia", "giove", "", "Tosse"})}));
    ImportSignatureDatabase();
    const std::string db = FileBytes(kSignatureDbName);
    const std::string symptoms = FileBytes(kSignatureSymptomsName);

    auto broken = Text({Group({"Ruta", "sole", "", "Ansia"})});
    broken.pop_back();
    rt::WriteTextLines(kSignatureTextName, broken);
    EXPECT_THROW(ImportSignatureDatabase(), ImportError);
    EXPECT_EQ(FileBytes(kSignatureDbName), db);
    EXPECT_EQ(FileBytes(kSignatureSymptomsName), symptoms);

    std::filesystem::remove(rt::ResolvePath(kSignatureTextName));
    EXPECT_THROW(ImportSignatureDatabase(), rt::IoError);
    EXPECT_EQ(FileBytes(kSignatureDbName), db);
    EXPECT_EQ(FileBytes(kSignatureSymptomsName), symptoms);
    for (const auto& e : std::filesystem::directory_iterator("OpzioneS"))  // no temporary file left behind
        EXPECT_EQ(e.path().filename().string().find(".tmp~"), std::string::npos) << e.path();
}

// A text that is no import text (empty, or a binary file in its place) is
// refused whole, however its lines would fall into groups.
TEST_F(SignatureFiles, AnEmptyTextOrOneWithControlCharactersIsRefused) {
    rt::WriteTextLines(kSignatureTextName, Text({Group({"Salvia", "giove", "", "Tosse"})}));
    ImportSignatureDatabase();
    const std::string db = FileBytes(kSignatureDbName);
    const std::string symptoms = FileBytes(kSignatureSymptomsName);
    struct Bad {
        std::string bytes;
        std::string why;
    };
    std::string binary = testing_support::RandomBytes(8 * kSignatureRecordSize, 7);
    const std::vector<Bad> bad{
        {"", "OpzioneS\\DbTesto.Txt \xE8 vuoto: il database non \xE8 stato modificato"},
        {"\r\n  \r\n\r\n\x1A", "OpzioneS\\DbTesto.Txt \xE8 vuoto: il database non \xE8 stato modificato"},
        {rt::JoinLines(Text({Group({"Ruta", "sole", "", "Ansia\x01"})})),
         "Carattere di controllo alla riga 15 di OpzioneS\\DbTesto.Txt: il database non \xE8 stato modificato"},
        {std::string(8 * 10, '\0'),
         "Carattere di controllo alla riga 1 di OpzioneS\\DbTesto.Txt: il database non "
         "\xE8 stato modificato"},
    };
    for (const Bad& b : bad) {
        testing_support::WriteBytes(rt::ResolvePath(kSignatureTextName), b.bytes);
        try {
            ImportSignatureDatabase();
            ADD_FAILURE() << "imported: " << b.why;
        } catch (const ImportError& e) {
            EXPECT_EQ(e.what(), b.why);
        }
        EXPECT_EQ(FileBytes(kSignatureDbName), db) << b.why;
        EXPECT_EQ(FileBytes(kSignatureSymptomsName), symptoms) << b.why;
    }
    // Random bytes hold a control character somewhere: never a database.
    testing_support::WriteBytes(rt::ResolvePath(kSignatureTextName), binary);
    EXPECT_THROW(ImportSignatureDatabase(), ImportError);
    EXPECT_EQ(FileBytes(kSignatureDbName), db);
}

// The import leaves the plant lists describing the old database: the mark
// says so until the lists are built, and the start builds them.
TEST_F(SignatureFiles, AnImportMarksThePlantListsUntilTheyAreBuilt) {
    rt::WriteTextLines(kSignatureTextName, Text({Group({"Salvia", "giove", "", "Tosse"})}));
    ImportSignatureDatabase();
    RebuildSignatureLists();
    EXPECT_FALSE(ListsMarkedStale(SignatureDb()));
    EXPECT_EQ(ReadNameFile(kPlantNamesName, 20), std::vector<std::string>{"Salvia"});

    rt::WriteTextLines(kSignatureTextName, Text({Group({"Ruta", "sole", "leone", "Ansia"})}));
    ImportSignatureDatabase();
    EXPECT_TRUE(ListsMarkedStale(SignatureDb()));
    EXPECT_EQ(ReadNameFile(kPlantNamesName, 20), std::vector<std::string>{"Salvia"});
    // The next start.
    EnsureRemedyFiles();
    EXPECT_FALSE(ListsMarkedStale(SignatureDb()));
    EXPECT_EQ(ReadNameFile(kPlantNamesName, 20), std::vector<std::string>{"Ruta"});
    EXPECT_EQ(ReadNameFile("OpzioneS\\SolePri.Rnd", 20), std::vector<std::string>{"Ruta"});
    EXPECT_TRUE(ReadNameFile("OpzioneS\\GiovPri.Rnd", 20).empty());
    EXPECT_EQ(ReadNameFile(kSignatureSymptomsName, 100), std::vector<std::string>{"Ansia"});
}

TEST_F(SignatureFiles, TheHandlerGuardShowsWhyAnImportWasRefused) {
    gui::RecordingMessageSink sink;
    rt::WriteTextLines(kSignatureTextName, {"Pianta", "Sigla", "sole"});
    EXPECT_FALSE(gui::Guard([] { ImportSignatureDatabase(); }));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text,
              "Gruppo incompleto alla riga 1 di OpzioneS\\DbTesto.Txt: il database non \xE8 stato "
              "modificato");
    EXPECT_FALSE(rt::PathExists(kSignatureDbName));
}

TEST_F(SignatureFiles, EmptyDatabaseGivesListsWithRecordZeroOnly) {
    EXPECT_TRUE(EnsureSignatureDatabase());
    BuildSignatureLists();
    EXPECT_EQ(FileBytes(kPlantNamesName), std::string(kPlantNameRecordSize, '\0'));
    for (const auto& row : kPlanetPlantLists) EXPECT_EQ(FileBytes(row.file).size(), kPlantNameRecordSize) << row.file;
}

}  // namespace

}  // namespace signature_db_test
