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
#include "remedies/windows/compound_therapy_search.h"
#include "remedies/windows/multi_symptom_search.h"
#include "remedies/windows/browser_window.h"
#include "remedies/windows/window_parts.h"
#include "tests/remedies/windows/window_test_util.h"

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
    EXPECT_FALSE(w.BBricerca->isEnabled());
    for (const char* s : {"Hoofdpijn", "Nervositeit", "Onrust en lichte slapeloosheid"})
        ASSERT_TRUE(ClickLine(w.ListBox1, s));
    EXPECT_EQ(TextOf(w.Ed[1]), "Hoofdpijn");
    EXPECT_EQ(TextOf(w.Ed[3]), "Onrust en lichte slapeloosheid");
    EXPECT_TRUE(w.BBricerca->isEnabled());
    w.BBricerca->click();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    auto lines = Lines(w.ListBox3);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "03 Lavandula angustifolia");
    EXPECT_EQ(lines[1], "02 Verbena officinalis");
    EXPECT_EQ(lines[4], "02 Betonica officinalis");

    ASSERT_TRUE(ClickLine(w.ListBox3, "02 Verbena officinalis"));
    const QStringList detail = w.Memo1->toPlainText().split('\n');
    ASSERT_EQ(detail.size(), 5);
    EXPECT_EQ(detail[0], "= Nervositeit");  // in the order of the records
    EXPECT_TRUE(detail[1].startsWith("- "));
    EXPECT_EQ(detail[2], "= Hoofdpijn");
    EXPECT_EQ(detail[4], gui::ToQt(kDetailClosingLine));
    EXPECT_EQ(BackgroundOf(w.Ed[1]), kCream);
    EXPECT_EQ(BackgroundOf(w.Ed[2]), kCream);
    EXPECT_EQ(BackgroundOf(w.Ed[3]), kSilver);
    ASSERT_TRUE(ClickLine(w.ListBox3, "01 Humulus lupulus"));  // details follow each other
    EXPECT_EQ(w.Memo1->toPlainText().split('\n').size(), 8);
    EXPECT_EQ(BackgroundOf(w.Ed[1]), kSilver);
    EXPECT_EQ(BackgroundOf(w.Ed[3]), kCream);
    w.BBpuliMemo->click();
    EXPECT_TRUE(w.Memo1->toPlainText().isEmpty());

    w.BB[2]->click();  // clearing one slot keeps the results
    EXPECT_TRUE(w.Ed[2]->text().isEmpty());
    EXPECT_EQ(w.ListBox3->count(), 14);
    ASSERT_TRUE(ClickLine(w.ListBox1, "Hoest"));  // the first free slot
    EXPECT_EQ(TextOf(w.Ed[2]), "Hoest");
    w.BB[1]->click();
    w.BB[2]->click();
    w.BB[3]->click();  // the last filled slot: results go
    EXPECT_EQ(w.ListBox3->count(), 0);
    EXPECT_FALSE(w.BBricerca->isEnabled());
}

TEST(MultiSymptomWindow, SameSymptomTwiceAndFifteenSlots) {
    SampleFolder folder;
    MultiSymptomSearch w;
    w.FormActivate();
    ASSERT_TRUE(ClickLine(w.ListBox1, "Keelpijn"));
    ASSERT_TRUE(ClickLine(w.ListBox1, "Keelpijn"));
    w.BBricerca->click();
    EXPECT_EQ(Lines(w.ListBox3), (std::vector<std::string>{"02 Verbascum thapsus", "02 Thymus vulgaris",
                                                           "02 Salvia officinalis", "02 Agrimonia eupatoria"}));
    ASSERT_TRUE(ClickLine(w.ListBox3, "02 Salvia officinalis"));
    EXPECT_EQ(w.Memo1->toPlainText().split('\n').size(), 5);
    w.BBpuliTuttoClick();
    EXPECT_EQ(w.ListBox3->count(), 0);
    for (int i = 0; i < 16; ++i) ASSERT_TRUE(ClickLine(w.ListBox1, Text(w.ListBox1, i)));
    for (int k = 1; k <= kRankedSlots; ++k) EXPECT_EQ(TextOf(w.Ed[k]), Text(w.ListBox1, k - 1));
}

TEST(MultiSymptomWindow, TypeAheadAndFindNext) {
    SampleFolder folder;
    MultiSymptomSearch w;
    w.show();
    QTest::keyClicks(w.EdCerca, "ho");
    EXPECT_EQ(TextOf(w.EdCerca), "Ho");
    EXPECT_EQ(Text(w.ListBox1, w.ListBox1->currentRow()).substr(0, 2), "Ho");
    QTest::keyClick(w.EdCerca, Qt::Key_Backspace);
    QTest::keyClick(w.EdCerca, Qt::Key_Backspace);
    EXPECT_EQ(w.ListBox1->currentRow(), w.ListBox1->count() / 2);

    QTest::mouseClick(w.EdCerca, Qt::LeftButton);
    QTest::keyClicks(w.EdCerca, "wonden");
    std::vector<int> found;
    for (int i = 0; i < 4; ++i) {
        w.BBTrova->click();
        found.push_back(w.ListBox1->currentRow());
    }
    std::vector<int> expected;
    for (int i = 0; i < w.ListBox1->count(); ++i)
        if (Text(w.ListBox1, i).find("wonden") != std::string::npos) expected.push_back(i);
    ASSERT_EQ(expected.size(), 3u);  // "Kleine wonden ...", "Lichte brandwonden ...", "Ontstoken huid en lichte brandwonden"
    expected.push_back(0);            // then nothing more: the first item
    EXPECT_EQ(found, expected);
}

TEST(MultiSymptomWindow, ADatabaseDamagedWhileOpenRefusesTheSearchAndIsNamedAtTheNextOpening) {
    SampleFolder folder;
    {
        MultiSymptomSearch w;
        w.show();
        for (const char* s : {"Hoofdpijn", "Hoest"}) ASSERT_TRUE(ClickLine(w.ListBox1, s));
        WriteRandomRecords(std::filesystem::path("OpzioneH") / "DBmain.rnd", kPrimaryRecordSize, 40, 20, 3);
        w.BBricerca->click();
        ExpectDamageTold(folder.messages, 1, kPrimaryDbName, kSymptomListName);
        EXPECT_EQ(w.ListBox3->count(), 0);  // no ranking of what could be read
        EXPECT_EQ(w.ListBox1->count(), 0);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    MultiSymptomSearch again;
    again.show();
    ExpectDamageTold(folder.messages, 2, kPrimaryDbName, kSymptomListName);
    EXPECT_EQ(again.ListBox1->count(), 0);
}

TEST(MultiSymptomWindow, ABoxCutEmptyStartsANewKey) {
    SampleFolder folder;
    MultiSymptomSearch w;
    w.show();
    QTest::keyClicks(w.EdCerca, "ho");
    EXPECT_EQ(TextOf(w.EdCerca), "Ho");
    EmptyWithKeys(w.EdCerca, true);
    EXPECT_TRUE(w.EdCerca->text().isEmpty());
    QTest::keyClicks(w.EdCerca, "ke");
    EXPECT_EQ(TextOf(w.EdCerca), "Ke");
    EXPECT_EQ(Text(w.ListBox1, w.ListBox1->currentRow()).substr(0, 2), "Ke");
}

TEST(MultiSymptomWindow, FailedSearchReleasesTheCursorAndReports) {
    SampleFolder folder;
    MultiSymptomSearch w;
    w.FormActivate();
    ASSERT_TRUE(ClickLine(w.ListBox1, "Hoest"));
    std::filesystem::remove("OpzioneH/DBmain.rnd");
    w.BBricerca->click();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(folder.messages.messages.size(), 1u);
    EXPECT_EQ(w.ListBox3->count(), 0);
}

TEST(CompoundTherapyWindow, ActivationWritesTheRemedyListAndTheSearchRanksTherapies) {
    SampleFolder folder;
    CompoundTherapySearch w;
    w.show();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const auto remedyList = rt::ReadTextLines(kTherapyRemedyListName);
    ASSERT_FALSE(remedyList.empty());
    EXPECT_EQ(remedyList.front(), "Achillea millefolium");
    ASSERT_EQ(w.ListBox1->count(), 14);
    QTest::keyClicks(w.EdCerca, "ve");
    EXPECT_EQ(TextOf(w.EdCerca), "VE");
    for (const char* s : {"Slapeloosheid", "Nervositeit"}) ASSERT_TRUE(ClickLine(w.ListBox1, s));
    w.BBricerca->click();
    auto lines = Lines(w.ListBox3);
    ASSERT_FALSE(lines.empty());
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_GE(lines[i - 1].substr(0, 2), lines[i].substr(0, 2));
    ASSERT_TRUE(ClickLine(w.ListBox3, lines[0]));
    EXPECT_TRUE(w.Memo1->toPlainText().endsWith(gui::ToQt(kDetailClosingLine)));
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
    EXPECT_EQ(w.ListBox1->count(), 0);
}

}  // namespace
