// The signature search window: the remedy list and its index at activation, a
// remedy's signature shown row by row, the search with its pages, and the
// type-ahead; on a small fixture and on the sample database.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "platform/runtime/text_file.h"
#include "remedies/windows/signature_search_window.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/window_test_util.h"

namespace signature_search_window_test {

using namespace remedies;
using namespace window_tests;
using remedy_tests::Texts;
using testing_support::TempWorkFolder;

namespace {

PrimaryTexts Sig(const std::string& remedy, const std::string& primary, const std::string& secondary,
                 const std::string& zodiac) {
    PrimaryTexts t = Texts(remedy, "Indicatie", primary, zodiac);
    t.SecondarySignature = secondary;
    return t;
}

class SignatureWindow : public ::testing::Test {
protected:
    TempWorkFolder folder;
    SignatureSearchWindow w;

    QRadioButton* Radio(const char* name) { return w.findChild<QRadioButton*>(name); }
    std::vector<std::string> Column(const std::array<QLineEdit*, kSignatureRows>& edits) {
        std::vector<std::string> out;
        for (auto* e : edits) out.push_back(Text(e));
        return out;
    }
};

// By hand: Mars in the primary or secondary signature and Ram in the zodiacal
// one: Aurum (secondary Mars), Ferrum (stored with a trailing blank) and
// Gentiana; Borago has no Mars, Capsicum no Ram.
void WriteFixture() {
    remedy_tests::WritePrimaryDb({
        Sig("Gentiana", "Mars", "", "Ram"),
        Sig("Aurum", "Zon", "Mars", "Ram-Leeuw"),
        Sig("Borago", "Jupiter", "", "Ram"),
        Sig("Ferrum ", "Mars", "", "Ram"),
        Sig("Capsicum", "Mars", "", "Schorpioen"),
        Sig("Digitalis", "Venus", "", "Stier"),
    });
}

TEST_F(SignatureWindow, ActivationListsEveryRemedyOnceWithItsIndexLine) {
    WriteFixture();
    w.show();
    EXPECT_EQ(w.remedyList->Lines(), (std::vector<std::string>{"Aurum", "Borago", "Capsicum", "Digitalis",
                                                             "Ferrum", "Gentiana"}));
    EXPECT_EQ(rt::ReadTextLines(kRemedyIndexName),
              (std::vector<std::string>{"2", "3", "5", "6", "4", "1"}));
    EXPECT_EQ(Text(w.planetEdit), "Ieder");
    EXPECT_EQ(Text(w.signEdit), "Ieder");
    EXPECT_EQ(Text(w.foundCountEdit), "0");
    EXPECT_EQ(w.windowTitle(), " ASTROLOGISCHE SIGNATUUR");
}

TEST_F(SignatureWindow, ClickedRemediesFillTheRowsInTurn) {
    WriteFixture();
    w.show();
    ClickLine(w.remedyList, "Aurum");
    ClickLine(w.remedyList, "Ferrum");
    EXPECT_EQ(Text(w.remedyEdits[0]), "Aurum");
    EXPECT_EQ(Text(w.primaryEdits[0]), "Zon");
    EXPECT_EQ(Text(w.secondaryEdits[0]), "Mars");
    EXPECT_EQ(Text(w.zodiacEdits[0]), "Ram-Leeuw");
    EXPECT_EQ(Text(w.remedyEdits[1]), "Ferrum ");
    EXPECT_EQ(Text(w.primaryEdits[1]), "Mars");
    // Fifteen clicks: the fifteenth starts again in row 1 on an emptied grid.
    for (int i = 0; i < 13; ++i) ClickLine(w.remedyList, "Borago");
    EXPECT_EQ(Text(w.remedyEdits[0]), "Borago");
    EXPECT_EQ(Text(w.remedyEdits[1]), "");
}

TEST_F(SignatureWindow, MarsWithRamShowsItsHitsThenAClickReturnsToBrowsing) {
    WriteFixture();
    w.show();
    Radio("RBmar")->click();
    Radio("RBari")->click();
    EXPECT_EQ(Text(w.planetEdit), "Mars");
    EXPECT_EQ(Text(w.signEdit), "Ram");
    w.searchButton->click();
    EXPECT_EQ(Text(w.foundCountEdit), "3");
    EXPECT_EQ(Text(w.pageEdit), "1/1");
    EXPECT_EQ(BaseColour(w.pageEdit), kWhiteColour);
    auto names = Column(w.remedyEdits);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 4),
              (std::vector<std::string>{"Aurum", "Ferrum ", "Gentiana", ""}));
    EXPECT_EQ(Text(w.zodiacEdits[0]), "Ram-Leeuw");
    EXPECT_EQ(rt::ReadTextLines(kSignatureHitsName).size(), 12u);

    ClickLine(w.remedyList, "Digitalis");
    EXPECT_EQ(Text(w.remedyEdits[0]), "Digitalis");
    EXPECT_EQ(Text(w.remedyEdits[1]), "");
    EXPECT_EQ(Text(w.pageEdit), "");
    EXPECT_EQ(Text(w.foundCountEdit), "");
}

TEST_F(SignatureWindow, NoHitLeavesAnEmptyGrid) {
    WriteFixture();
    w.show();
    Radio("RBsat")->click();
    w.searchButton->click();
    EXPECT_EQ(Text(w.foundCountEdit), "0");
    EXPECT_EQ(Text(w.pageEdit), "1/0");
    w.nextPageButton->click();
    w.previousPageButton->click();
    EXPECT_EQ(Text(w.pageEdit), "1/0");
    for (auto* e : w.remedyEdits) EXPECT_EQ(Text(e), "");
}

TEST_F(SignatureWindow, FifteenHitsMakeTwoPages) {
    std::vector<PrimaryTexts> many;
    for (char c = 'A'; c <= 'O'; ++c) many.push_back(Sig(std::string("Remedie ") + c, "Zon", "", "Leeuw"));
    remedy_tests::WritePrimaryDb(many);
    w.show();
    w.searchButton->click();
    EXPECT_EQ(Text(w.foundCountEdit), "15");
    EXPECT_EQ(Text(w.pageEdit), "1/2");
    EXPECT_EQ(BaseColour(w.pageEdit), kRedColour);
    EXPECT_EQ(Text(w.remedyEdits[13]), "Remedie N");
    w.nextPageButton->click();
    EXPECT_EQ(Text(w.pageEdit), "2/2");
    EXPECT_EQ(BaseColour(w.pageEdit), kWhiteColour);
    EXPECT_EQ(Text(w.remedyEdits[0]), "Remedie O");
    EXPECT_EQ(Text(w.zodiacEdits[0]), "Leeuw");
    EXPECT_EQ(Text(w.remedyEdits[1]), "");
    w.nextPageButton->click();
    EXPECT_EQ(Text(w.pageEdit), "2/2");
    w.previousPageButton->click();
    EXPECT_EQ(Text(w.pageEdit), "1/2");
    EXPECT_EQ(Text(w.remedyEdits[0]), "Remedie A");
    w.clearButton->click();
    EXPECT_EQ(Text(w.remedyEdits[0]), "");
}

TEST_F(SignatureWindow, TypeAheadInCapitalsFindsTheRemedy) {
    WriteFixture();
    w.show();
    QTest::keyClicks(w.searchEdit, "fer");
    EXPECT_EQ(Text(w.searchEdit), "FER");
    EXPECT_EQ(w.remedyList->SelectedLine(), "Ferrum");
    QTest::keyClick(w.searchEdit, Qt::Key_Backspace);
    QTest::keyClick(w.searchEdit, Qt::Key_Backspace);
    QTest::keyClick(w.searchEdit, Qt::Key_Backspace);
    QTest::keyClicks(w.searchEdit, "c");
    EXPECT_EQ(w.remedyList->SelectedLine(), "Capsicum");
    // Selecting does not show the signature: the user clicks.
    EXPECT_EQ(Text(w.remedyEdits[0]), "");
}

TEST_F(SignatureWindow, ADamagedDatabaseIsNamedAtEveryOpeningAndItsSearchIsRefused) {
    WriteFixture();
    gui::RecordingMessageSink messages;
    w.show();
    Radio("RBmar")->click();
    Radio("RBari")->click();
    w.searchButton->click();
    ASSERT_EQ(Text(w.foundCountEdit), "3");
    w.close();

    WriteRandomRecords(std::filesystem::path("OpzioneH") / "DBmain.rnd", kPrimaryRecordSize, 3, 1, 5);
    for (std::size_t opening = 1; opening <= 2; ++opening) {
        w.show();
        ExpectDamageTold(messages, 2 * opening - 1, kPrimaryDbName);
        EXPECT_EQ(w.remedyList->Count(), 0);
        EXPECT_EQ(Text(w.remedyEdits[0]), "");  // nothing of the earlier search either
        EXPECT_EQ(Text(w.foundCountEdit), "");
        // The search says why it does not run, and finds no "0".
        w.searchButton->click();
        ExpectDamageTold(messages, 2 * opening, kPrimaryDbName);
        EXPECT_EQ(Text(w.foundCountEdit), "");
        EXPECT_EQ(Text(w.pageEdit), "");
        EXPECT_EQ(Text(w.remedyEdits[0]), "");
        w.close();
    }
}

TEST_F(SignatureWindow, ABoxCutEmptyStartsANewKeyAtTheNextOpening) {
    WriteFixture();
    w.show();
    QTest::keyClicks(w.searchEdit, "fer");
    EXPECT_EQ(w.remedyList->SelectedLine(), "Ferrum");
    EmptyWithKeys(w.searchEdit, true);
    EXPECT_EQ(Text(w.searchEdit), "");
    w.close();

    w.show();
    EXPECT_EQ(Text(w.searchEdit), "");
    QTest::keyClicks(w.searchEdit, "d");
    EXPECT_EQ(Text(w.searchEdit), "D");
    EXPECT_EQ(w.remedyList->SelectedLine(), "Digitalis");
}

TEST_F(SignatureWindow, SampleDatabaseMarsWithRam) {
    CopySampleData();
    w.show();
    EXPECT_EQ(w.remedyList->Count(), 48);
    Radio("RBmar")->click();
    Radio("RBari")->click();
    w.searchButton->click();
    EXPECT_EQ(Text(w.foundCountEdit), "5");
    auto names = Column(w.remedyEdits);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 6),
              (std::vector<std::string>{"Artemisia absinthium", "Crataegus monogyna", "Juniperus communis",
                                        "TSA Rosmarinus officinalis", "Urtica dioica", ""}));
    SaveShot(&w, "segnat");
    Radio("RBNoPia")->click();
    Radio("RBNoSeg")->click();
    w.searchButton->click();
    EXPECT_EQ(Text(w.foundCountEdit), "48");
    EXPECT_EQ(Text(w.pageEdit), "1/4");
}

}  // namespace

}  // namespace signature_search_window_test
