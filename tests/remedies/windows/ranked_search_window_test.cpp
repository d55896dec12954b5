// The multi-symptom and compound-therapy search windows: slots filled from the
// vocabulary, the ranked list after "Avvia Ricerca", the detail of a clicked
// remedy with its served slots coloured, clearing, find-next and the cursor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "platform/runtime/text_file.h"
#include "remedies/ranked_search.h"
#include "remedies/windows/browser_window.h"
#include "remedies/windows/compound_therapy_search.h"
#include "remedies/windows/multi_symptom_search.h"
#include "remedies/windows/window_parts.h"
#include "tests/remedies/windows/window_test_util.h"

namespace ranked_search_window_test {

using namespace remedies;
using namespace window_tests;

namespace {

std::vector<std::string> Lines(const QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(Text(list, i));
    return out;
}

TEST(MultiSymptomWindow, ThreeSymptomsRankTheirRemediesAndDetailOne) {
    SampleFolder folder;
    MultiSymptomSearch w;
    w.show();
    EXPECT_FALSE(w.searchButton->isEnabled());
    for (const char* s : {"Hoofdpijn", "Nervositeit", "Onrust en lichte slapeloosheid"})
        ASSERT_TRUE(ClickLine(w.vocabularyList, s));
    EXPECT_EQ(TextOf(w.slotEdits[0]), "Hoofdpijn");
    EXPECT_EQ(TextOf(w.slotEdits[2]), "Onrust en lichte slapeloosheid");
    EXPECT_TRUE(w.searchButton->isEnabled());
    w.searchButton->click();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    auto lines = Lines(w.resultList);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "03 Lavandula angustifolia");
    EXPECT_EQ(lines[1], "02 Verbena officinalis");
    EXPECT_EQ(lines[4], "02 Betonica officinalis");

    ASSERT_TRUE(ClickLine(w.resultList, "02 Verbena officinalis"));
    const QStringList detail = w.detailMemo->toPlainText().split('\n');
    ASSERT_EQ(detail.size(), 5);
    EXPECT_EQ(detail[0], "= Nervositeit");  // in the order of the records
    EXPECT_TRUE(detail[1].startsWith("- "));
    EXPECT_EQ(detail[2], "= Hoofdpijn");
    EXPECT_EQ(detail[4], gui::ToQt(kDetailClosingLine));
    EXPECT_EQ(BackgroundOf(w.slotEdits[0]), kCream);
    EXPECT_EQ(BackgroundOf(w.slotEdits[1]), kCream);
    EXPECT_EQ(BackgroundOf(w.slotEdits[2]), kSilver);
    ASSERT_TRUE(ClickLine(w.resultList, "01 Humulus lupulus"));  // details follow each other
    EXPECT_EQ(w.detailMemo->toPlainText().split('\n').size(), 8);
    EXPECT_EQ(BackgroundOf(w.slotEdits[0]), kSilver);
    EXPECT_EQ(BackgroundOf(w.slotEdits[2]), kCream);
    w.clearDetailButton->click();
    EXPECT_TRUE(w.detailMemo->toPlainText().isEmpty());

    w.clearSlotButtons[1]->click();  // clearing one slot keeps the results
    EXPECT_TRUE(w.slotEdits[1]->text().isEmpty());
    EXPECT_EQ(w.resultList->count(), 14);
    ASSERT_TRUE(ClickLine(w.vocabularyList, "Hoest"));  // the first free slot
    EXPECT_EQ(TextOf(w.slotEdits[1]), "Hoest");
    w.clearSlotButtons[0]->click();
    w.clearSlotButtons[1]->click();
    w.clearSlotButtons[2]->click();  // the last filled slot: results go
    EXPECT_EQ(w.resultList->count(), 0);
    EXPECT_FALSE(w.searchButton->isEnabled());
}

TEST(MultiSymptomWindow, SameSymptomTwiceAndFifteenSlots) {
    SampleFolder folder;
    MultiSymptomSearch w;
    w.Refresh();
    ASSERT_TRUE(ClickLine(w.vocabularyList, "Keelpijn"));
    ASSERT_TRUE(ClickLine(w.vocabularyList, "Keelpijn"));
    w.searchButton->click();
    EXPECT_EQ(Lines(w.resultList), (std::vector<std::string>{"02 Verbascum thapsus", "02 Thymus vulgaris",
                                                             "02 Salvia officinalis", "02 Agrimonia eupatoria"}));
    ASSERT_TRUE(ClickLine(w.resultList, "02 Salvia officinalis"));
    EXPECT_EQ(w.detailMemo->toPlainText().split('\n').size(), 5);
    w.ClearAll();
    EXPECT_EQ(w.resultList->count(), 0);
    for (int i = 0; i < 16; ++i) ASSERT_TRUE(ClickLine(w.vocabularyList, Text(w.vocabularyList, i)));
    for (int k = 0; k < kRankedSlots; ++k) EXPECT_EQ(TextOf(w.slotEdits[k]), Text(w.vocabularyList, k));
}

TEST(MultiSymptomWindow, TypeAheadAndFindNext) {
    SampleFolder folder;
    MultiSymptomSearch w;
    w.show();
    QTest::keyClicks(w.searchEdit, "ho");
    EXPECT_EQ(TextOf(w.searchEdit), "Ho");
    EXPECT_EQ(Text(w.vocabularyList, w.vocabularyList->currentRow()).substr(0, 2), "Ho");
    QTest::keyClick(w.searchEdit, Qt::Key_Backspace);
    QTest::keyClick(w.searchEdit, Qt::Key_Backspace);
    EXPECT_EQ(w.vocabularyList->currentRow(), w.vocabularyList->count() / 2);

    QTest::mouseClick(w.searchEdit, Qt::LeftButton);
    QTest::keyClicks(w.searchEdit, "wonden");
    std::vector<int> found;
    for (int i = 0; i < 4; ++i) {
        w.findButton->click();
        found.push_back(w.vocabularyList->currentRow());
    }
    std::vector<int> expected;
    for (int i = 0; i < w.vocabularyList->count(); ++i)
        if (Text(w.vocabularyList, i).find("wonden") != std::string::npos) expected.push_back(i);
    ASSERT_EQ(expected.size(),
              3u);          // "Kleine wonden ...", "Lichte brandwonden ...", "Ontstoken huid en lichte brandwonden"
    expected.push_back(0);  // then nothing more: the first item
    EXPECT_EQ(found, expected);
}

TEST(MultiSymptomWindow, ADatabaseDamagedWhileOpenRefusesTheSearchAndIsNamedAtTheNextOpening) {
    SampleFolder folder;
    {
        MultiSymptomSearch w;
        w.show();
        for (const char* s : {"Hoofdpijn", "Hoest"}) ASSERT_TRUE(ClickLine(w.vocabularyList, s));
        WriteRandomRecords(std::filesystem::path("OpzioneH") / "DBmain.rnd", kPrimaryRecordSize, 40, 20, 3);
        w.searchButton->click();
        ExpectDamageTold(folder.messages, 1, kPrimaryDbName, kSymptomListName);
        EXPECT_EQ(w.resultList->count(), 0);  // no ranking of what could be read
        EXPECT_EQ(w.vocabularyList->count(), 0);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    MultiSymptomSearch again;
    again.show();
    ExpectDamageTold(folder.messages, 2, kPrimaryDbName, kSymptomListName);
    EXPECT_EQ(again.vocabularyList->count(), 0);
}

TEST(MultiSymptomWindow, ABoxCutEmptyStartsANewKey) {
    SampleFolder folder;
    MultiSymptomSearch w;
    w.show();
    QTest::keyClicks(w.searchEdit, "ho");
    EXPECT_EQ(TextOf(w.searchEdit), "Ho");
    EmptyWithKeys(w.searchEdit, true);
    EXPECT_TRUE(w.searchEdit->text().isEmpty());
    QTest::keyClicks(w.searchEdit, "ke");
    EXPECT_EQ(TextOf(w.searchEdit), "Ke");
    EXPECT_EQ(Text(w.vocabularyList, w.vocabularyList->currentRow()).substr(0, 2), "Ke");
}

TEST(MultiSymptomWindow, FailedSearchReleasesTheCursorAndReports) {
    SampleFolder folder;
    MultiSymptomSearch w;
    w.Refresh();
    ASSERT_TRUE(ClickLine(w.vocabularyList, "Hoest"));
    std::filesystem::remove("OpzioneH/DBmain.rnd");
    w.searchButton->click();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(folder.messages.messages.size(), 1u);
    EXPECT_EQ(w.resultList->count(), 0);
}

TEST(CompoundTherapyWindow, ActivationWritesTheRemedyListAndTheSearchRanksTherapies) {
    SampleFolder folder;
    CompoundTherapySearch w;
    w.show();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const auto remedyList = rt::ReadTextLines(kTherapyRemedyListName);
    ASSERT_FALSE(remedyList.empty());
    EXPECT_EQ(remedyList.front(), "Achillea millefolium");
    ASSERT_EQ(w.vocabularyList->count(), 14);
    QTest::keyClicks(w.searchEdit, "ve");
    EXPECT_EQ(TextOf(w.searchEdit), "VE");
    for (const char* s : {"Slapeloosheid", "Nervositeit"}) ASSERT_TRUE(ClickLine(w.vocabularyList, s));
    w.searchButton->click();
    auto lines = Lines(w.resultList);
    ASSERT_FALSE(lines.empty());
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_GE(lines[i - 1].substr(0, 2), lines[i].substr(0, 2));
    ASSERT_TRUE(ClickLine(w.resultList, lines[0]));
    EXPECT_TRUE(w.detailMemo->toPlainText().endsWith(gui::ToQt(kDetailClosingLine)));
}

}  // namespace

namespace {

TEST(CompoundTherapyWindow, MissingRepertoryIsReportedAndTheCursorReleased) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    CompoundTherapySearch w;
    w.show();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(w.vocabularyList->count(), 0);
}

}  // namespace

}  // namespace ranked_search_window_test
