// The controls of the search windows, each pressed and checked for its own
// effect: every slot button of the ranked searches up to the fifteenth, the
// clearing of them all, the composition and synthesis windows each searching
// and showing its own field, and the buttons that close the windows.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "remedies/principles_file.h"
#include "remedies/windows/composition_window.h"
#include "remedies/windows/compound_therapy_search.h"
#include "remedies/windows/multi_symptom_search.h"
#include "remedies/windows/principles_window.h"
#include "remedies/windows/synthesis_window.h"
#include "tests/common/controls_of_test.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/window_test_util.h"

namespace search_controls_test {

using namespace remedies;
using namespace window_tests;
using testing_support::TempWorkFolder;

namespace {

std::vector<std::string> Lines(const QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(Text(list, i));
    return out;
}

// The return button closes the window as a rejection.
void ExpectRitornaCloses(QDialog& w, QPushButton* ritorna) {
    ASSERT_TRUE(w.isVisible());
    QTest::mouseClick(ritorna, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
}

// ------------------------------------------------------------ ranked searches

class MultiSymptomControls : public ::testing::Test {
protected:
    SampleFolder sample_;
    MultiSymptomSearch w_;
    void SetUp() override { w_.show(); }
    std::vector<std::string> SlotTexts() {
        std::vector<std::string> out;
        for (QLineEdit* e : w_.slotEdits) out.push_back(TextOf(e));
        return out;
    }
};

TEST_F(MultiSymptomControls, EachSlotButtonEmptiesItsOwnSlotUpToTheFifteenth) {
    ASSERT_GE(w_.vocabularyList->count(), kRankedSlots);
    std::vector<std::string> filled;
    for (int i = 0; i < kRankedSlots; ++i) {
        filled.push_back(Text(w_.vocabularyList, i));
        ASSERT_TRUE(ClickLine(w_.vocabularyList, filled.back()));
    }
    ASSERT_EQ(SlotTexts(), filled);
    for (int k = 0; k < kRankedSlots; ++k) {
        QTest::mouseClick(w_.clearSlotButtons[k], Qt::LeftButton);
        std::vector<std::string> expected = filled;
        expected[static_cast<std::size_t>(k)].clear();
        EXPECT_EQ(SlotTexts(), expected) << "button " << k + 1;
        EXPECT_TRUE(w_.searchButton->isEnabled());
        // The next symptom clicked fills the slot just emptied.
        ASSERT_TRUE(ClickLine(w_.vocabularyList, filled[static_cast<std::size_t>(k)]));
        EXPECT_EQ(SlotTexts(), filled) << "button " << k + 1;
    }
}

TEST_F(MultiSymptomControls, ASymptomInTheFifteenthSlotAloneIsSearchedAndMarked) {
    // Fourteen other symptoms first, so that Keelpijn lands in slot 15.
    int placed = 0;
    for (int i = 0; placed < kRankedSlots - 1; ++i) {
        const std::string s = Text(w_.vocabularyList, i);
        if (s == "Keelpijn") continue;
        ASSERT_TRUE(ClickLine(w_.vocabularyList, s));
        ++placed;
    }
    ASSERT_TRUE(ClickLine(w_.vocabularyList, "Keelpijn"));
    ASSERT_EQ(TextOf(w_.slotEdits[kRankedSlots - 1]), "Keelpijn");
    for (int k = 0; k < kRankedSlots - 1; ++k) QTest::mouseClick(w_.clearSlotButtons[k], Qt::LeftButton);
    for (int k = 0; k < kRankedSlots - 1; ++k) ASSERT_EQ(TextOf(w_.slotEdits[k]), "");
    // The fifteenth slot alone keeps the search possible.
    EXPECT_TRUE(w_.searchButton->isEnabled());
    QTest::mouseClick(w_.searchButton, Qt::LeftButton);
    EXPECT_EQ(Lines(w_.resultList), (std::vector<std::string>{"01 Verbascum thapsus", "01 Thymus vulgaris",
                                                              "01 Salvia officinalis", "01 Agrimonia eupatoria"}));
    ASSERT_TRUE(ClickLine(w_.resultList, "01 Agrimonia eupatoria"));
    EXPECT_TRUE(w_.detailMemo->toPlainText().startsWith("= Keelpijn"));
    EXPECT_EQ(BackgroundOf(w_.slotEdits[kRankedSlots - 1]), kCream);
    EXPECT_EQ(BackgroundOf(w_.slotEdits[0]), kSilver);
}

TEST_F(MultiSymptomControls, PulisciTuttoEmptiesEverySlotAndTheResults) {
    for (int i = 0; i < kRankedSlots; ++i) ASSERT_TRUE(ClickLine(w_.vocabularyList, Text(w_.vocabularyList, i)));
    ASSERT_FALSE(TextOf(w_.slotEdits[kRankedSlots - 1]).empty());
    QTest::mouseClick(w_.searchButton, Qt::LeftButton);
    ASSERT_GT(w_.resultList->count(), 0);
    // A remedy that serves the fifteenth slot marks it.
    for (int row = 0; row < w_.resultList->count() && BackgroundOf(w_.slotEdits[kRankedSlots - 1]) != kCream; ++row)
        ClickRow(w_.resultList, row);
    ASSERT_EQ(BackgroundOf(w_.slotEdits[kRankedSlots - 1]), kCream);
    ASSERT_FALSE(w_.detailMemo->toPlainText().isEmpty());

    QTest::mouseClick(w_.clearAllButton, Qt::LeftButton);
    for (int k = 0; k < kRankedSlots; ++k) {
        EXPECT_EQ(TextOf(w_.slotEdits[k]), "") << k + 1;
        EXPECT_EQ(BackgroundOf(w_.slotEdits[k]), kSilver) << k + 1;
    }
    EXPECT_EQ(w_.resultList->count(), 0);
    EXPECT_TRUE(w_.detailMemo->toPlainText().isEmpty());
    EXPECT_FALSE(w_.searchButton->isEnabled());
    // The slots fill again from the first.
    ASSERT_TRUE(ClickLine(w_.vocabularyList, "Hoest"));
    EXPECT_EQ(TextOf(w_.slotEdits[0]), "Hoest");
    ExpectRitornaCloses(w_, w_.backButton);
}

TEST(CompoundTherapyControls, TypeAheadPastEveryPathologyEndsOnTheLastAndRitornaCloses) {
    SampleFolder sample;
    CompoundTherapySearch w;
    w.show();
    ASSERT_GT(w.vocabularyList->count(), 1);
    QTest::keyClicks(w.searchEdit, "zz");
    EXPECT_EQ(TextOf(w.searchEdit), "ZZ");
    EXPECT_EQ(w.vocabularyList->currentRow(), w.vocabularyList->count() - 1);
    ExpectRitornaCloses(w, w.backButton);
}

// --------------------------------------------------- composition and synthesis

// Each remedy's notes (its composition) and synthesis hold different words:
// "olie" is in the notes of Arnica and Zingiber (the last record) and in the
// synthesis of Bellis only.
void WriteTextFixture() {
    PrimaryTexts a = remedy_tests::Texts({"Arnica", "Kneuzingen"});
    a.notes = "Olie van arnica";
    a.synthesis = "Zachte moed";
    PrimaryTexts b = remedy_tests::Texts({"Bellis", "Kneuzingen"});
    b.notes = "Saponinen";
    b.synthesis = "Olie op de golven";
    PrimaryTexts z = remedy_tests::Texts({"Zingiber", "Misselijkheid"});
    z.notes = "Gember en olie";
    z.synthesis = "Vuur dat verwarmt";
    remedy_tests::WritePrimaryDb({a, b, z});
}

TEST(CompositionControls, SearchesAndShowsTheNotesUpToTheLastRemedy) {
    TempWorkFolder folder;
    WriteTextFixture();
    CompositionWindow w;
    w.show();
    ASSERT_EQ(w.remedyList->Lines(), (std::vector<std::string>{"Arnica", "Bellis", "Zingiber"}));
    ASSERT_TRUE(ClickLine(w.remedyList, "Zingiber"));
    EXPECT_EQ(w.textLabel->text(), "Samenstelling van Zingiber");
    EXPECT_EQ(Text(w.textMemo), "Gember en olie");

    QTest::keyClicks(w.wordEdit, "olie");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(w.foundList->Lines(), (std::vector<std::string>{"Arnica", "Zingiber"}));
    EXPECT_EQ(w.textLabel->text(), "Samenstelling van de Remedie");
    EXPECT_EQ(Text(w.textMemo), "");
    ASSERT_TRUE(ClickLine(w.foundList, "Zingiber"));
    EXPECT_EQ(w.textLabel->text(), "Composizione di Zingiber");
    EXPECT_EQ(Text(w.textMemo), "Gember en OLIE");
    ExpectRitornaCloses(w, w.backToMenuButton);
}

TEST(SynthesisControls, SearchesAndShowsTheSynthesisUpToTheLastRemedy) {
    TempWorkFolder folder;
    WriteTextFixture();
    SynthesisWindow w;
    w.show();
    ASSERT_TRUE(ClickLine(w.remedyList, "Zingiber"));
    EXPECT_EQ(w.textLabel->text(), "Sintesi Psichica di Zingiber");
    EXPECT_EQ(Text(w.textMemo), "Vuur dat verwarmt");

    QTest::keyClicks(w.wordEdit, "olie");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(w.foundList->Lines(), (std::vector<std::string>{"Bellis"}));
    EXPECT_EQ(w.textLabel->text(), "Sintesi Psichica del Rimedio");
    EXPECT_EQ(Text(w.textMemo), "");
    ASSERT_TRUE(ClickLine(w.foundList, "Bellis"));
    EXPECT_EQ(w.textLabel->text(), "Sintesi Psichica di Bellis");
    EXPECT_EQ(Text(w.textMemo), "OLIE op de golven");

    // A word in the last remedy's synthesis only.
    w.wordEdit->clear();
    QTest::keyClicks(w.wordEdit, "verwarmt");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(w.foundList->Lines(), (std::vector<std::string>{"Zingiber"}));
    ExpectRitornaCloses(w, w.backToMenuButton);
}

// ------------------------------------------------------------------ principles

TEST(PrinciplesControls, RitornaClosesWithoutGenerating) {
    TempWorkFolder folder;
    CopySampleData();
    fs::remove(kPrinciplesFileName);
    PrinciplesWindow w;
    w.show();
    ExpectRitornaCloses(w, testing_support::ControlOf<QPushButton>(w, "BitBtnRitorna"));
    EXPECT_FALSE(fs::exists(kPrinciplesFileName));
}

}  // namespace

}  // namespace search_controls_test
