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

PrimaryTexts Sig(const remedy_tests::SignedRemedy& texts) {
    return remedy_tests::SignedRemedyTexts(texts, "Indicatie");
}

class SignatureWindow : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    SignatureSearchWindow w_;

    QRadioButton* Radio(const char* name) { return w_.findChild<QRadioButton*>(name); }
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
        Sig({"Gentiana", "Mars", "", "Ram"}),
        Sig({"Aurum", "Zon", "Mars", "Ram-Leeuw"}),
        Sig({"Borago", "Jupiter", "", "Ram"}),
        Sig({"Ferrum ", "Mars", "", "Ram"}),
        Sig({"Capsicum", "Mars", "", "Schorpioen"}),
        Sig({"Digitalis", "Venus", "", "Stier"}),
    });
}

TEST_F(SignatureWindow, ActivationListsEveryRemedyOnceWithItsIndexLine) {
    WriteFixture();
    w_.show();
    EXPECT_EQ(w_.remedyList->Lines(),
              (std::vector<std::string>{"Aurum", "Borago", "Capsicum", "Digitalis", "Ferrum", "Gentiana"}));
    EXPECT_EQ(rt::ReadTextLines(kRemedyIndexName), (std::vector<std::string>{"2", "3", "5", "6", "4", "1"}));
    EXPECT_EQ(Text(w_.planetEdit), "Ieder");
    EXPECT_EQ(Text(w_.signEdit), "Ieder");
    EXPECT_EQ(Text(w_.foundCountEdit), "0");
    EXPECT_EQ(w_.windowTitle(), " ASTROLOGISCHE SIGNATUUR");
}

TEST_F(SignatureWindow, ClickedRemediesFillTheRowsInTurn) {
    WriteFixture();
    w_.show();
    ClickLine(w_.remedyList, "Aurum");
    ClickLine(w_.remedyList, "Ferrum");
    EXPECT_EQ(Text(w_.remedyEdits[0]), "Aurum");
    EXPECT_EQ(Text(w_.primaryEdits[0]), "Zon");
    EXPECT_EQ(Text(w_.secondaryEdits[0]), "Mars");
    EXPECT_EQ(Text(w_.zodiacEdits[0]), "Ram-Leeuw");
    EXPECT_EQ(Text(w_.remedyEdits[1]), "Ferrum ");
    EXPECT_EQ(Text(w_.primaryEdits[1]), "Mars");
    // Fifteen clicks: the fifteenth starts again in row 1 on an emptied grid.
    for (int i = 0; i < 13; ++i) ClickLine(w_.remedyList, "Borago");
    EXPECT_EQ(Text(w_.remedyEdits[0]), "Borago");
    EXPECT_EQ(Text(w_.remedyEdits[1]), "");
}

TEST_F(SignatureWindow, MarsWithRamShowsItsHitsThenAClickReturnsToBrowsing) {
    WriteFixture();
    w_.show();
    Radio("RBmar")->click();
    Radio("RBari")->click();
    EXPECT_EQ(Text(w_.planetEdit), "Mars");
    EXPECT_EQ(Text(w_.signEdit), "Ram");
    w_.searchButton->click();
    EXPECT_EQ(Text(w_.foundCountEdit), "3");
    EXPECT_EQ(Text(w_.pageEdit), "1/1");
    EXPECT_EQ(BaseColour(w_.pageEdit), kWhiteColour);
    auto names = Column(w_.remedyEdits);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 4),
              (std::vector<std::string>{"Aurum", "Ferrum ", "Gentiana", ""}));
    EXPECT_EQ(Text(w_.zodiacEdits[0]), "Ram-Leeuw");
    EXPECT_EQ(rt::ReadTextLines(kSignatureHitsName).size(), 12u);

    ClickLine(w_.remedyList, "Digitalis");
    EXPECT_EQ(Text(w_.remedyEdits[0]), "Digitalis");
    EXPECT_EQ(Text(w_.remedyEdits[1]), "");
    EXPECT_EQ(Text(w_.pageEdit), "");
    EXPECT_EQ(Text(w_.foundCountEdit), "");
}

TEST_F(SignatureWindow, NoHitLeavesAnEmptyGrid) {
    WriteFixture();
    w_.show();
    Radio("RBsat")->click();
    w_.searchButton->click();
    EXPECT_EQ(Text(w_.foundCountEdit), "0");
    EXPECT_EQ(Text(w_.pageEdit), "1/0");
    w_.nextPageButton->click();
    w_.previousPageButton->click();
    EXPECT_EQ(Text(w_.pageEdit), "1/0");
    for (auto* e : w_.remedyEdits) EXPECT_EQ(Text(e), "");
}

TEST_F(SignatureWindow, FifteenHitsMakeTwoPages) {
    std::vector<PrimaryTexts> many;
    for (char c = 'A'; c <= 'O'; ++c) many.push_back(Sig({std::string("Remedie ") + c, "Zon", "", "Leeuw"}));
    remedy_tests::WritePrimaryDb(many);
    w_.show();
    w_.searchButton->click();
    EXPECT_EQ(Text(w_.foundCountEdit), "15");
    EXPECT_EQ(Text(w_.pageEdit), "1/2");
    EXPECT_EQ(BaseColour(w_.pageEdit), kRedColour);
    EXPECT_EQ(Text(w_.remedyEdits[13]), "Remedie N");
    w_.nextPageButton->click();
    EXPECT_EQ(Text(w_.pageEdit), "2/2");
    EXPECT_EQ(BaseColour(w_.pageEdit), kWhiteColour);
    EXPECT_EQ(Text(w_.remedyEdits[0]), "Remedie O");
    EXPECT_EQ(Text(w_.zodiacEdits[0]), "Leeuw");
    EXPECT_EQ(Text(w_.remedyEdits[1]), "");
    w_.nextPageButton->click();
    EXPECT_EQ(Text(w_.pageEdit), "2/2");
    w_.previousPageButton->click();
    EXPECT_EQ(Text(w_.pageEdit), "1/2");
    EXPECT_EQ(Text(w_.remedyEdits[0]), "Remedie A");
    w_.clearButton->click();
    EXPECT_EQ(Text(w_.remedyEdits[0]), "");
}

TEST_F(SignatureWindow, TypeAheadInCapitalsFindsTheRemedy) {
    WriteFixture();
    w_.show();
    QTest::keyClicks(w_.searchEdit, "fer");
    EXPECT_EQ(Text(w_.searchEdit), "FER");
    EXPECT_EQ(w_.remedyList->SelectedLine(), "Ferrum");
    QTest::keyClick(w_.searchEdit, Qt::Key_Backspace);
    QTest::keyClick(w_.searchEdit, Qt::Key_Backspace);
    QTest::keyClick(w_.searchEdit, Qt::Key_Backspace);
    QTest::keyClicks(w_.searchEdit, "c");
    EXPECT_EQ(w_.remedyList->SelectedLine(), "Capsicum");
    // Selecting does not show the signature: the user clicks.
    EXPECT_EQ(Text(w_.remedyEdits[0]), "");
}

TEST_F(SignatureWindow, ADamagedDatabaseIsNamedAtEveryOpeningAndItsSearchIsRefused) {
    WriteFixture();
    gui::RecordingMessageSink messages;
    w_.show();
    Radio("RBmar")->click();
    Radio("RBari")->click();
    w_.searchButton->click();
    ASSERT_EQ(Text(w_.foundCountEdit), "3");
    w_.close();

    WriteRandomRecords(std::filesystem::path("OpzioneH") / "DBmain.rnd", kPrimaryRecordSize, 3, 1, 5);
    for (std::size_t opening = 1; opening <= 2; ++opening) {
        w_.show();
        ExpectDamageTold(messages, 2 * opening - 1, kPrimaryDbName);
        EXPECT_EQ(w_.remedyList->Count(), 0);
        EXPECT_EQ(Text(w_.remedyEdits[0]), "");  // nothing of the earlier search either
        EXPECT_EQ(Text(w_.foundCountEdit), "");
        // The search says why it does not run, and finds no "0".
        w_.searchButton->click();
        ExpectDamageTold(messages, 2 * opening, kPrimaryDbName);
        EXPECT_EQ(Text(w_.foundCountEdit), "");
        EXPECT_EQ(Text(w_.pageEdit), "");
        EXPECT_EQ(Text(w_.remedyEdits[0]), "");
        w_.close();
    }
}

TEST_F(SignatureWindow, ABoxCutEmptyStartsANewKeyAtTheNextOpening) {
    WriteFixture();
    w_.show();
    QTest::keyClicks(w_.searchEdit, "fer");
    EXPECT_EQ(w_.remedyList->SelectedLine(), "Ferrum");
    EmptyWithKeys(w_.searchEdit, true);
    EXPECT_EQ(Text(w_.searchEdit), "");
    w_.close();

    w_.show();
    EXPECT_EQ(Text(w_.searchEdit), "");
    QTest::keyClicks(w_.searchEdit, "d");
    EXPECT_EQ(Text(w_.searchEdit), "D");
    EXPECT_EQ(w_.remedyList->SelectedLine(), "Digitalis");
}

TEST_F(SignatureWindow, SampleDatabaseMarsWithRam) {
    CopySampleData();
    w_.show();
    EXPECT_EQ(w_.remedyList->Count(), 48);
    Radio("RBmar")->click();
    Radio("RBari")->click();
    w_.searchButton->click();
    EXPECT_EQ(Text(w_.foundCountEdit), "5");
    auto names = Column(w_.remedyEdits);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 6),
              (std::vector<std::string>{"Artemisia absinthium", "Crataegus monogyna", "Juniperus communis",
                                        "TSA Rosmarinus officinalis", "Urtica dioica", ""}));
    SaveShot(&w_, "segnat");
    Radio("RBNoPia")->click();
    Radio("RBNoSeg")->click();
    w_.searchButton->click();
    EXPECT_EQ(Text(w_.foundCountEdit), "48");
    EXPECT_EQ(Text(w_.pageEdit), "1/4");
}

}  // namespace

}  // namespace signature_search_window_test
