// The primary database: record layout, slicing, file operations and the rebuild
// of its lists.
#include "remedies/primary_db.h"

#include <gtest/gtest.h>

#include "platform/gui/message_box.h"

#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "tests/remedies/remedy_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;

namespace {

TEST(PrimaryRecordLayout, FieldsLieAtTheirOffsets) {
    PrimaryTexts t;
    t.remedy = "R";
    t.posology = Pattern(800);
    t.indication = Pattern(260);
    t.synthesis = Pattern(1300);
    t.primarySignature = "Zon";
    t.secondarySignature = "Mars";
    t.zodiacalSignature = "Leeuw";
    t.warnings = Pattern(300);
    t.notes = Pattern(600);
    t.extraNotes = Pattern(700);
    Bytes b = EncodePrimaryRecord(MakePrimaryRecord(t));
    ASSERT_EQ(b.size(), kPrimaryRecordSize);
    // Length bytes at the documented offsets.
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b[51], 250);
    EXPECT_EQ(b[804], 50);  // posology characters 751-800
    EXPECT_EQ(b[955], 250);
    EXPECT_EQ(b[1206], 10);  // indication characters 251-260
    EXPECT_EQ(b[2512], 50);  // synthesis characters 1251-1300
    EXPECT_EQ(b[2763], 3);
    EXPECT_EQ(b[2794], 4);
    EXPECT_EQ(b[2835], 5);
    EXPECT_EQ(b[3157], 50);
    EXPECT_EQ(b[3810], 100);
    EXPECT_EQ(b[4563], 200);
    EXPECT_EQ(std::string(b.begin() + 2836, b.begin() + 2841), "Leeuw");
    EXPECT_EQ(std::string(b.begin() + 1207, b.begin() + 1217), Pattern(260).substr(250));
}

TEST(PrimaryRecordLayout, LengthByteBeyondCapacityIsClamped) {
    PrimaryTexts t = Texts({"Aurum", Pattern(300)});
    Bytes b = EncodePrimaryRecord(MakePrimaryRecord(t));
    b[1206] = 255;  // Indication2 holds at most 50
    b[2763] = 200;  // PrimarySignature holds at most 30
    PrimaryRecord r = DecodePrimaryRecord(b);
    EXPECT_EQ(r.indication2.size(), 50u);
    EXPECT_EQ(r.Indication(), Pattern(300));
    EXPECT_EQ(r.primarySignature.size(), 30u);
}

TEST(PrimarySlicing, RoundTripsAtSliceBoundaries) {
    for (std::size_t n : {0u, 249u, 250u, 251u, 500u, 501u, 750u, 751u}) {
        PrimaryTexts t;
        t.posology = Pattern(n);
        t.synthesis = Pattern(n);
        t.notes = Pattern(n);
        t.extraNotes = Pattern(n);
        t.warnings = Pattern(std::min<std::size_t>(n, 400));
        PrimaryTexts back = PrimaryRecordToTexts(DecodePrimaryRecord(EncodePrimaryRecord(MakePrimaryRecord(t))));
        EXPECT_EQ(back.posology, t.posology) << n;
        EXPECT_EQ(back.synthesis, t.synthesis) << n;
        EXPECT_EQ(back.warnings, t.warnings) << n;
        EXPECT_EQ(back.notes, Pattern(std::min<std::size_t>(n, 750))) << n;
        EXPECT_EQ(back.extraNotes, Pattern(std::min<std::size_t>(n, 750))) << n;
    }
}

TEST(PrimarySlicing, TextBeyondCapacityIsDropped) {
    PrimaryTexts t = Texts({Pattern(60), Pattern(301)});
    t.posology = Pattern(950);  // the fourth field holds characters 751-900
    t.synthesis = Pattern(1600);
    t.warnings = Pattern(420);
    PrimaryTexts back = PrimaryRecordToTexts(MakePrimaryRecord(t));
    EXPECT_EQ(back.remedy, Pattern(50));
    EXPECT_EQ(back.indication, Pattern(300));
    EXPECT_EQ(back.posology, Pattern(900));
    EXPECT_EQ(back.synthesis, Pattern(1500));
    EXPECT_EQ(back.warnings, Pattern(400));
}

TEST(PrimarySlicing, LineBreaksCrossSliceBoundaries) {
    std::string s = Pattern(249) + "\r\n" + Pattern(10);
    PrimaryTexts t;
    t.notes = s;
    PrimaryRecord r = MakePrimaryRecord(t);
    EXPECT_EQ(r.notes1.back(), '\r');
    EXPECT_EQ(r.notes2.front(), '\n');
    EXPECT_EQ(PrimaryRecordToTexts(r).notes, s);
}

class PrimaryFile : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    void SetUp() override {
        WritePrimaryDb({Texts({"Aurum", "Angst", "Zon"}), Texts({"Argentum", "Slapeloosheid", "Maan"}),
                        Texts({"Cuprum", "Krampen", "Venus"}), Texts({"Ferrum", "Moeheid", "Mars"})});
    }
    static std::string RecordBytes(const std::string& file, std::int64_t r) {
        return file.substr(static_cast<std::size_t>(r) * kPrimaryRecordSize, kPrimaryRecordSize);
    }
};

TEST_F(PrimaryFile, ReadsARecordWithItsFields) {
    EXPECT_EQ(PrimaryRecordCount(), 4);
    const PrimaryRecord argentum = ReadPrimaryRecord(2);
    EXPECT_EQ(argentum.remedy, "Argentum");
    EXPECT_EQ(argentum.Indication(), "Slapeloosheid");
    EXPECT_THROW(ReadPrimaryRecord(0), rt::IoError);
    EXPECT_THROW(ReadPrimaryRecord(5), rt::IoError);
}

TEST_F(PrimaryFile, OverwriteChangesOnlyThatRecord) {
    const std::string before = FileBytes(kPrimaryDbName);
    SavePrimaryRecord(3, Texts({"Cuprum metallicum", "Krampen in de kuiten", "Venus"}));
    const std::string after = FileBytes(kPrimaryDbName);
    ASSERT_EQ(after.size(), before.size());
    for (int r : {0, 1, 2, 4}) EXPECT_EQ(RecordBytes(after, r), RecordBytes(before, r)) << r;
    EXPECT_EQ(ReadPrimaryRecord(3).Indication(), "Krampen in de kuiten");
}

TEST_F(PrimaryFile, AppendKeepsEveryOtherRecord) {
    const std::string before = FileBytes(kPrimaryDbName);
    EXPECT_EQ(AppendPrimaryRecord(Texts({"Zincum", "Onrust"})), 5);
    const std::string after = FileBytes(kPrimaryDbName);
    ASSERT_EQ(after.size(), 6 * kPrimaryRecordSize);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(ReadPrimaryRecord(5).remedy, "Zincum");
}

TEST_F(PrimaryFile, AppendOverwritesAPartialLastRecord) {
    std::string bytes = FileBytes(kPrimaryDbName) + std::string(100, 'x');
    testing_support::WriteBytes(rt::ResolvePath(kPrimaryDbName), bytes);
    gui::RecordingMessageSink messages;
    EXPECT_EQ(PrimaryRecordCount(), 4);
    // The partial record is told as the file's damage, once.
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("\"OpzioneH\\DBmain.rnd\" \xE8 danneggiato o incompleto"),
              std::string::npos)
        << messages.messages[0].text;
    EXPECT_EQ(AppendPrimaryRecord(Texts({"Zincum", "Onrust"})), 5);
    EXPECT_EQ(FileBytes(kPrimaryDbName).size(), 6 * kPrimaryRecordSize);
    EXPECT_EQ(ReadPrimaryRecord(5).remedy, "Zincum");
}

TEST(PrimaryFileEmpty, AppendToAnEmptyFileWritesTheHeaderFirst) {
    TempWorkFolder folder;
    std::filesystem::create_directories("OpzioneH");
    testing_support::WriteBytes(rt::ResolvePath(kPrimaryDbName), "");
    EXPECT_EQ(AppendPrimaryRecord(Texts({"Zincum", "Onrust"})), 1);
    EXPECT_EQ(ReadPrimaryRecord(1).remedy, "Zincum");
    EXPECT_EQ(FileBytes(kPrimaryDbName).substr(0, kPrimaryRecordSize), std::string(kPrimaryRecordSize, '\0'));
}

TEST_F(PrimaryFile, DeleteMovesLaterRecordsDownByOne) {
    const std::string before = FileBytes(kPrimaryDbName);
    EXPECT_EQ(DeletePrimaryRecord(1), 3);
    const std::string after = FileBytes(kPrimaryDbName);
    ASSERT_EQ(after.size(), 4 * kPrimaryRecordSize);
    EXPECT_EQ(RecordBytes(after, 0), RecordBytes(before, 0));
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(RecordBytes(after, r), RecordBytes(before, r + 1)) << r;
}

TEST_F(PrimaryFile, DeleteLastRecordOnlyShortensAndDropsAPartialTail) {
    std::string before = FileBytes(kPrimaryDbName);
    testing_support::WriteBytes(rt::ResolvePath(kPrimaryDbName), before + "partial");
    EXPECT_EQ(DeletePrimaryRecord(4), 3);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before.substr(0, 4 * kPrimaryRecordSize));
}

TEST_F(PrimaryFile, DeleteOutsideTheDataLeavesTheFileAlone) {
    const std::string before = FileBytes(kPrimaryDbName);
    EXPECT_THROW(DeletePrimaryRecord(0), rt::IoError);
    EXPECT_THROW(DeletePrimaryRecord(5), rt::IoError);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
}

TEST(PrimaryFileMissing, OperationsRaiseTheIoErrorAndEnsureCreatesAHeader) {
    TempWorkFolder folder;
    EXPECT_THROW(PrimaryRecordCount(), rt::IoError);
    EXPECT_THROW(AppendPrimaryRecord(Texts({"A", "B"})), rt::IoError);
    EXPECT_TRUE(EnsurePrimaryDatabase());
    EXPECT_FALSE(EnsurePrimaryDatabase());
    EXPECT_EQ(FileBytes("OpzioneH\\DbMain.Rnd"), std::string(kPrimaryRecordSize, '\0'));
    EXPECT_EQ(PrimaryRecordCount(), 0);
    EXPECT_EQ(RecordCountText(PrimaryRecordCount()), "0");
}

TEST(PrimaryListKeys, TrailingCharactersOfOtherKindsAreTrimmedUpToTen) {
    auto trim = [](std::string s) {
        TrimListKey(s);
        return s;
    };
    EXPECT_EQ(trim("Hoofdpijn ,- "), "Hoofdpijn");
    EXPECT_EQ(trim("Hoest (droog)"), "Hoest (droog)");
    EXPECT_EQ(trim("Zie p. 3."), "Zie p. 3.");
    EXPECT_EQ(trim("Caff\xE8 "), "Caff\xE8");            // è is kept
    EXPECT_EQ(trim("A" + std::string(12, ' ')), "A  ");  // only ten go
    EXPECT_EQ(trim(""), "");
}

// A name's own last letter is no trailing sign: every letter of Windows-1252
// and "°" end a key as stored; the signs after them still go.
TEST(PrimaryListKeys, EveryLetterAndTheDegreeSignEndAKey) {
    auto trim = [](std::string s) {
        TrimListKey(s);
        return s;
    };
    for (const char* kept : {"Alo\xEB", "Ma\xEFs", "Gr\xFC", "Gar\xE7", "Espa\xF1", "Koorts boven 39\xB0", "\xC6",
                             "\xD8", "\xDF", "\xFF", "\x8A", "\x9C", "\x9F", "5 mg/m\xB2"})
        EXPECT_EQ(trim(std::string(kept) + " -*"), kept) << kept;
    // Signs that are no letters still go: the multiplication and division
    // signs among the letters' codes, the section sign, the inverted question mark.
    EXPECT_EQ(trim("3 \xD7"), "3");
    EXPECT_EQ(trim("a \xF7"), "a");
    EXPECT_EQ(trim("Zie \xA7"), "Zie");
    EXPECT_EQ(trim("Koorts\xBF"), "Koorts");
    EXPECT_EQ(trim("Hoest, -*"), "Hoest");
}

TEST(PrimaryListKeys, DistinctKeysAreSortedAndCaseSensitive) {
    auto keys = DistinctKeys({"Aurum**b", "aurum**a", "AURUM**c", "Aurum**a", "Argentum  **x", "**leeg"});
    // "aurum", "Aurum" and "AURUM" differ; the two "Aurum" entries sort together.
    EXPECT_EQ(keys, (std::vector<std::string>{"Argentum", "aurum", "Aurum", "AURUM"}));
}

TEST(PrimaryVariants, FormCodesGiveOneVariantLine) {
    auto pad = [](std::string head, const std::string& name) {
        head.resize(70, ' ');
        return head + name;
    };
    EXPECT_EQ(RemedyVariantLine("HS 8 - Aurum"), pad("Aurum (HS 8)", "HS 8 - Aurum"));
    EXPECT_EQ(RemedyVariantLine("HS 123 - Aurum"), pad("Aurum (HS 123)", "HS 123 - Aurum"));
    EXPECT_EQ(RemedyVariantLine("MSA Calendula"), pad("Calendula (MSA)", "MSA Calendula"));
    EXPECT_EQ(RemedyVariantLine("QSPC Aurum \xE8x"), pad("AURUM \xE8X (QSPC)", "QSPC Aurum \xE8x"));
    EXPECT_EQ(RemedyVariantLine("TSA Melissa"), pad("Melissa (TSA)", "TSA Melissa"));
    EXPECT_EQ(RemedyVariantLine("Aurum"), "");
    // The rest is at most 30 characters.
    const std::string longName = "MSA " + Pattern(40);
    EXPECT_EQ(RemedyVariantLine(longName).substr(0, 36), Pattern(30) + " (MSA)");
    EXPECT_EQ(RemedyVariantLine(longName).size(), 70 + longName.size());
}

TEST(PrimaryRebuild, PlanetAndSignListsHoldDistinctRemedies) {
    TempWorkFolder folder;
    WritePrimaryDb({Texts({"Sol", "Angst", "Zon, Mars", "Leeuw"}),
                    Texts({"Luna", "Slaap", "zon", "Kreeft, Boogschutter"}), Texts({"Sol", "Moeheid", "Zon", "Leeuw"}),
                    Texts({"Mercurius", "Hoest", "Mercurius", "Tweelingen"}),
                    Texts({"Aurum", "Angst", "Mars", "Leeuw"})});
    RebuildPrimaryLists();
    EXPECT_EQ(ReadRemedyNameList("OpzioneH\\SolePri.rnd"), (std::vector<std::string>{"Sol"}));
    EXPECT_EQ(ReadRemedyNameList("OpzioneH\\MartPri.rnd"), (std::vector<std::string>{"Aurum", "Sol"}));
    EXPECT_EQ(ReadRemedyNameList("OpzioneH\\MercPri.rnd"), (std::vector<std::string>{"Mercurius"}));
    EXPECT_EQ(ReadRemedyNameList("OpzioneH\\Leeuw.rnd"), (std::vector<std::string>{"Aurum", "Sol"}));
    EXPECT_EQ(ReadRemedyNameList("OpzioneH\\Boogschutt.rnd"), (std::vector<std::string>{"Luna"}));
    // Record 0 of these lists is data; an empty list is an empty file.
    EXPECT_EQ(FileBytes("OpzioneH\\LunaPri.rnd"), "");
    EXPECT_EQ(FileBytes("OpzioneH\\SolePri.rnd").size(), kRemedyNameRecordSize);
    EXPECT_EQ(rt::ReadTextLines(kSymptomListName), (std::vector<std::string>{"Angst", "Hoest", "Moeheid", "Slaap"}));
    EXPECT_EQ(rt::ReadTextLines(kRemedyListName), (std::vector<std::string>{"Aurum", "Luna", "Mercurius", "Sol"}));
}

TEST(PrimaryRebuild, HeaderOnlyDatabaseGivesEmptyLists) {
    TempWorkFolder folder;
    WritePrimaryDb({});
    RebuildPrimaryLists();
    for (const char* name : {kSymptomListName, kRemedyListName, kRemedyVariantListName})
        EXPECT_EQ(FileBytes(name), "") << name;
    EXPECT_EQ(FileBytes("OpzioneH\\Vissen.rnd"), "");
    EXPECT_EQ(FileBytes("OpzioneH\\NodNPri.rnd"), "");
}

TEST(PrimaryRebuild, FailedRebuildLeavesTheOldListsAndNoTemporaries) {
    TempWorkFolder folder;
    std::filesystem::create_directories("OpzioneH");
    rt::WriteTextLines(kSymptomListName, {"Oud"});
    EXPECT_THROW(RebuildPrimaryLists(), rt::IoError);  // no database
    EXPECT_EQ(rt::ReadTextLines(kSymptomListName), (std::vector<std::string>{"Oud"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("OpzioneH"), std::filesystem::directory_iterator()), 1);
}

}  // namespace
