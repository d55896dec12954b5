// The therapies browser: the sorted pathology list, the therapies of a clicked
// pathology, the alternating notes and warnings, the enlarged dosage.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <filesystem>

#include "remedies/windows/therapy_browser.h"
#include "tests/common/controls_of_test.h"
#include "tests/remedies/windows/window_test_util.h"

using namespace remedies;
using namespace window_tests;

namespace {

TEST(TherapyBrowser, PathologyListsItsTherapiesWithNotesAndWarnings) {
    SampleFolder folder;
    TherapyBrowser w;
    w.show();
    ASSERT_EQ(w.choiceList->count(), 14);
    EXPECT_EQ(Text(w.choiceList, 0), "Gewrichtsklachten");
    QTest::keyClicks(w.searchEdit, "sl");
    EXPECT_EQ(TextOf(w.searchEdit), "SL");
    EXPECT_EQ(Text(w.choiceList, w.choiceList->currentRow()), "Slapeloosheid");
    QTest::keyClick(w.searchEdit, Qt::Key_Return);
    EXPECT_EQ(TextOf(w.searchEdit), "SL");

    ASSERT_TRUE(ClickLine(w.choiceList, "Slapeloosheid"));
    EXPECT_EQ(TextOf(w.chosen), "Slapeloosheid");
    EXPECT_EQ(TextOf(w.remedyEdits[0]), "HS 112 - Valeriana officinalis");
    EXPECT_EQ(TextOf(w.dosageEdits[0]), "Koude infusie van 2-3 g wortel, een uur voor het slapengaan.");
    EXPECT_EQ(TextOf(w.remedyEdits[3]), "Lavandula angustifolia");
    EXPECT_TRUE(w.remedyEdits[4]->text().isEmpty());
    EXPECT_EQ(w.pageEdit->text(), "1/1");
    EXPECT_EQ(TextOf(w.searchEdit), "SL");  // the search edit keeps its text

    w.detailButtons[1]->click();
    EXPECT_EQ(w.notesLabel->text(), "Notities over QSPC Melissa officinalis / Slapeloosheid");
    EXPECT_EQ(w.notesMemo->toPlainText(), "Goed te combineren met valeriaan.");
    w.detailButtons[1]->click();
    EXPECT_EQ(w.notesLabel->text(), "QSPC Melissa officinalis - Waarschuwingen");
    EXPECT_FALSE(w.notesMemo->toPlainText().isEmpty());
    w.detailButtons[1]->click();
    EXPECT_EQ(w.notesLabel->text(), "Notities over QSPC Melissa officinalis / Slapeloosheid");
    w.detailButtons[3]->click();  // no notes for this pair
    EXPECT_EQ(w.notesMemo->toPlainText(), "Hiervoor zijn geen notities opgenomen combinazione Patologia-Rimedio");
    const QString before = w.notesLabel->text();
    w.detailButtons[5]->click();  // an empty slot does nothing
    EXPECT_EQ(w.notesLabel->text(), before);

    QTest::mouseDClick(w.dosageEdits[0], Qt::LeftButton);
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(w, "MemoZoom")->isVisible());
    EXPECT_EQ(testing_support::ControlOf<QPlainTextEdit>(w, "MemoZoom")->toPlainText(), w.dosageEdits[0]->text());
    QTest::mouseClick(testing_support::ControlOf<QPlainTextEdit>(w, "MemoZoom")->viewport(), Qt::LeftButton);
    EXPECT_FALSE(testing_support::ControlOf<QPlainTextEdit>(w, "MemoZoom")->isVisible());

    w.clearButton->click();
    EXPECT_TRUE(w.remedyEdits[0]->text().isEmpty());
    EXPECT_TRUE(w.chosen->text().isEmpty());
    EXPECT_EQ(w.notesLabel->text(), "Notities");
}

TEST(TherapyBrowser, AZeroFilledRepertoryIsNamedAtEveryOpeningAndNoPathologyIsListed) {
    SampleFolder folder;
    TherapyBrowser w;
    w.show();
    ASSERT_TRUE(ClickLine(w.choiceList, "Slapeloosheid"));
    ASSERT_FALSE(w.remedyEdits[0]->text().isEmpty());
    w.close();

    const std::filesystem::path db = std::filesystem::path("OpzioneH") / "Repertorio.rnd";
    const std::string sound = testing_support::ReadBytes(db);
    testing_support::WriteBytes(db, std::string(sound.size(), '\0'));
    for (std::size_t opening = 1; opening <= 2; ++opening) {
        w.show();
        ExpectDamageTold(folder.messages, opening, kRepertoryDbName, kPathologyListName);
        EXPECT_NE(LastMessage(folder.messages).find("copia di sicurezza"), std::string::npos);
        // No pathology to click, and nothing of the earlier search.
        EXPECT_EQ(w.choiceList->count(), 0);
        EXPECT_TRUE(w.chosen->text().isEmpty());
        EXPECT_TRUE(w.remedyEdits[0]->text().isEmpty());
        w.close();
    }

    // Sound again: listed and searched as before, without a word.
    testing_support::WriteBytes(db, sound);
    w.show();
    EXPECT_EQ(w.choiceList->count(), 14);
    ASSERT_TRUE(ClickLine(w.choiceList, "Slapeloosheid"));
    EXPECT_EQ(TextOf(w.remedyEdits[0]), "HS 112 - Valeriana officinalis");
    EXPECT_EQ(folder.messages.messages.size(), 2u);
}

TEST(TherapyBrowser, ABoxEmptiedWithTheKeyboardStartsANewKeyAtTheNextOpening) {
    SampleFolder folder;
    TherapyBrowser w;
    w.show();
    QTest::keyClicks(w.searchEdit, "sl");
    EXPECT_EQ(TextOf(w.searchEdit), "SL");
    EmptyWithKeys(w.searchEdit, false);
    EXPECT_TRUE(w.searchEdit->text().isEmpty());
    w.close();

    w.show();
    EXPECT_TRUE(w.searchEdit->text().isEmpty());
    QTest::keyClicks(w.searchEdit, "ho");
    EXPECT_EQ(TextOf(w.searchEdit), "HO");
    EXPECT_EQ(Text(w.choiceList, w.choiceList->currentRow()).substr(0, 2), "Ho");
}

TEST(TherapyBrowser, MissingPathologyListLeavesTheListEmpty) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    TherapyBrowser w;
    w.show();
    EXPECT_EQ(w.choiceList->count(), 0);
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
