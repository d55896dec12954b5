// The database editors write each save into the record shown and nowhere
// else, keep what was typed when a save cannot be done with the focus in the
// field named, leave Enter out of their type-ahead, seek by what the search
// box shows and, after a save that cut a text, show the text as the database
// holds it. Driven through the buttons on the sample databases, with
// the database files read back after each step.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/primary_editor.h"
#include "remedies/windows/repertory_editor.h"
#include "remedies/windows/window_parts.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/editor_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using namespace editor_tests;

namespace {

TEST_F(EditorSample, PrimarySaveAfterSaveAsNewWritesTheAppendedRecordOnly) {
    PrimaryEditor w;
    w.show();
    const std::int64_t n = PrimaryRecordCount();
    const std::string before = FileBytes(kPrimaryDbName);
    ClickEntry(w, "Achillea millefolium**Kleine wonden en schaafwonden");
    ASSERT_EQ(w.currentRecordNumber, 39);
    const PrimaryTexts achillea = PrimaryRecordToTexts(ReadPrimaryRecord(39));

    Retype(w.indicationMemo, "Testindicatie");
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    ASSERT_EQ(PrimaryRecordCount(), n + 1);
    // The appended record is the one shown now.
    EXPECT_EQ(w.currentRecordNumber, n + 1);
    EXPECT_EQ(Text(w.recordNumberEdit), std::to_string(n + 1) + " / " + std::to_string(n + 1));
    EXPECT_EQ(CurrentLine(w.entryList), "Achillea millefolium**Testindicatie");

    Append(w.posologyMemo, " Extra");
    ASSERT_TRUE(w.saveButton->isEnabled());
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(PrimaryRecordCount(), n + 1);
    EXPECT_EQ(Record(FileBytes(kPrimaryDbName), 39, kPrimaryRecordSize), Record(before, 39, kPrimaryRecordSize));
    const PrimaryTexts added = PrimaryRecordToTexts(ReadPrimaryRecord(n + 1));
    EXPECT_EQ(added.remedy, "Achillea millefolium");
    EXPECT_EQ(added.indication, "Testindicatie");
    EXPECT_EQ(added.posology, achillea.posology + " Extra");
    EXPECT_EQ(added.synthesis, achillea.synthesis);

    // A delete now takes the appended record: the file is as it was, and
    // the window goes on with an empty form and the new count.
    QTest::mouseClick(w.deleteButton, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Text(w.recordNumberEdit), "Tot=" + std::to_string(n));
    EXPECT_EQ(w.entryList->count(), n);
    EXPECT_EQ(Text(w.remedyEdit), "");
}

TEST_F(EditorSample, TherapiesSaveAfterSaveAsNewWritesTheAppendedRecordOnly) {
    RepertoryEditor w;
    w.show();
    const std::int64_t n = RepertoryRecordCount();
    const std::string before = FileBytes(kRepertoryDbName);
    ClickEntry(w, "Koorts bij griep**Achillea millefolium");
    ASSERT_EQ(w.currentRecordNumber, 49);

    Retype(w.pathologyEdit, "Griep");
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    ASSERT_EQ(RepertoryRecordCount(), n + 1);
    EXPECT_EQ(w.currentRecordNumber, n + 1);
    EXPECT_EQ(Text(w.recordNumberEdit), std::to_string(n + 1) + " / " + std::to_string(n + 1));
    EXPECT_EQ(CurrentLine(w.entryList), "Griep**Achillea millefolium");

    Append(w.posologyEdit, " Extra");
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Record(FileBytes(kRepertoryDbName), 49, kRepertoryRecordSize), Record(before, 49, kRepertoryRecordSize));
    const RepertoryRecord added = ReadRepertoryRecord(n + 1);
    EXPECT_EQ(added.pathology, "Griep");
    EXPECT_EQ(added.remedy, "Achillea millefolium");
    EXPECT_EQ(added.posology, ReadRepertoryRecord(49).posology + " Extra");

    QTest::mouseClick(w.deleteButton, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kRepertoryDbName), before);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Text(w.recordNumberEdit), "Tot=" + std::to_string(n));
    EXPECT_EQ(w.entryList->count(), n);
}

// With no record shown the closing panel offers a new record, not a save in
// place; a save that cannot be done keeps the window open with what was typed.
TEST_F(EditorSample, PrimaryPanelWithoutARecordOffersSaveAsNewOnly) {
    PrimaryEditor w;
    w.show();
    const std::int64_t n = PrimaryRecordCount();
    ClickEntry(w, "Salix alba**Hoofdpijn");
    QTest::mouseClick(w.clearButton, Qt::LeftButton);
    Retype(w.remedyEdit, "Nieuw middel");
    Retype(w.indicationMemo, "Nieuwe klacht");
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    EXPECT_FALSE(w.panelSaveButton->isEnabled());
    EXPECT_TRUE(w.panelSaveAsNewButton->isEnabled());
    EXPECT_FALSE(w.panelDeleteButton->isEnabled());
    QTest::mouseClick(w.panelSaveButton, Qt::LeftButton);  // greyed: nothing happens
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Text(w.remedyEdit), "Nieuw middel");

    QTest::mouseClick(w.panelSaveAsNewButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(PrimaryRecordCount(), n + 1);
    EXPECT_EQ(ReadPrimaryRecord(n + 1).remedy, "Nieuw middel");
    EXPECT_EQ(ReadPrimaryRecord(n + 1).Indication(), "Nieuwe klacht");
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(EditorSample, PrimaryPanelSaveThatIsRefusedKeepsTheWindowAndTheEdit) {
    PrimaryEditor w;
    w.show();
    const std::string before = FileBytes(kPrimaryDbName);
    ClickEntry(w, "Salix alba**Hoofdpijn");
    Retype(w.remedyEdit, "Salix*alba");
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    ASSERT_TRUE(w.panelSaveButton->isEnabled());
    QTest::mouseClick(w.panelSaveButton, Qt::LeftButton);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_NE(messages_.messages[0].text.find("\"*\""), std::string::npos);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Text(w.remedyEdit), "Salix*alba");
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
}

TEST_F(EditorSample, TherapiesPanelWithoutARecordOffersSaveAsNewOnly) {
    RepertoryEditor w;
    w.show();
    const std::int64_t n = RepertoryRecordCount();
    Retype(w.pathologyEdit, "Griep");
    Retype(w.remedyEdit, "Sambucus nigra");
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    EXPECT_TRUE(w.keyTextChangedLabel->isEnabled());
    EXPECT_TRUE(w.remedyChangedLabel->isEnabled());
    EXPECT_FALSE(w.panelSaveButton->isEnabled());
    EXPECT_TRUE(w.panelSaveAsNewButton->isEnabled());
    QTest::mouseClick(w.panelSaveAsNewButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(RepertoryRecordCount(), n + 1);
    EXPECT_EQ(ReadRepertoryRecord(n + 1).pathology, "Griep");
    EXPECT_EQ(ReadRepertoryRecord(n + 1).remedy, "Sambucus nigra");
}

// "be", Enter, "t" seeks "BET" as "bet" does, and Enter presses nothing.
TEST_F(EditorSample, EnterInTheTypeAheadBoxIsIgnored) {
    {
        PrimaryEditor w;
        w.show();
        QTest::mouseClick(w.findEdit, Qt::LeftButton);  // "trova" becomes the Enter button
        w.findEdit->setText("calendula");
        QTest::mouseClick(w.searchEdit, Qt::LeftButton);
        QTest::keyClicks(w.searchEdit, "be");
        QTest::keyClick(w.searchEdit, Qt::Key_Return);
        QTest::keyClicks(w.searchEdit, "t");
        EXPECT_EQ(Text(w.searchEdit), "BET");
        EXPECT_EQ(w.searchKey, "BET");
        EXPECT_EQ(CurrentLine(w.entryList).rfind("Betonica officinalis**", 0), 0u);
        EXPECT_FALSE(w.findActive);
    }
    {
        RepertoryEditor w;
        w.show();
        ClickRadio(w.byRemedyRadio);
        QTest::mouseClick(w.findEdit, Qt::LeftButton);
        w.findEdit->setText("thymus");
        QTest::mouseClick(w.searchEdit, Qt::LeftButton);
        QTest::keyClicks(w.searchEdit, "be");
        QTest::keyClick(w.searchEdit, Qt::Key_Enter);
        QTest::keyClicks(w.searchEdit, "t");
        EXPECT_EQ(w.searchKey, "BET");
        EXPECT_EQ(CurrentLine(w.entryList), "Betonica officinalis**Nervositeit");
        EXPECT_FALSE(w.findActive);
    }
}

// A save refused for one field leaves the focus in that field, so the next
// keys typed mend it: a character the database cannot hold, an empty key
// field (through the closing panel, whose buttons go away).
TEST_F(EditorSample, ARefusedSaveLeavesTheFocusInTheFieldItNames) {
    {
        PrimaryEditor w;
        w.show();
        ClickEntry(w, "Salix alba**Hoofdpijn");
        const std::int64_t r = w.currentRecordNumber;
        const std::string posology = Text(w.posologyMemo);
        w.posologyMemo->moveCursor(QTextCursor::End);
        w.posologyMemo->insertPlainText(QString(QChar(0x3B1)));  // a Greek alpha, pasted
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        ASSERT_EQ(messages_.messages.size(), 1u);
        EXPECT_NE(messages_.messages[0].text.find("\"Dosering\""), std::string::npos) << messages_.messages[0].text;
        EXPECT_EQ(w.focusWidget(), w.posologyMemo);
        QTest::keyClick(w.focusWidget(), Qt::Key_Backspace);
        QTest::keyClicks(w.focusWidget(), "alfa");
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        EXPECT_EQ(messages_.messages.size(), 1u);
        EXPECT_EQ(PrimaryRecordToTexts(ReadPrimaryRecord(r)).posology, posology + "alfa");
    }
    messages_.messages.clear();
    {
        RepertoryEditor w;
        w.show();
        ClickEntry(w, "Nervositeit**Betonica officinalis");
        Retype(w.pathologyEdit, "x");
        QTest::keyClick(w.pathologyEdit, Qt::Key_Backspace);
        QTest::keyClick(&w, Qt::Key_Escape);
        ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
        QTest::mouseClick(w.panelSaveButton, Qt::LeftButton);
        ASSERT_EQ(messages_.messages.size(), 1u);
        EXPECT_NE(messages_.messages[0].text.find("\"PATHOLOGIE\" \xE8 vuoto"), std::string::npos)
            << messages_.messages[0].text;
        EXPECT_EQ(w.focusWidget(), w.pathologyEdit);
        QTest::keyClicks(w.focusWidget(), "Onrust");
        EXPECT_EQ(Text(w.pathologyEdit), "Onrust");
    }
}

// Closes an editor holding unsaved changes ("Ignora" on the panel) and opens it again.
void CloseDroppingTheEditAndOpenAgain(DatabaseEditorWindow& w) {
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    QTest::mouseClick(w.panelIgnoreButton, Qt::LeftButton);
    ASSERT_FALSE(w.isVisible());
    w.show();
}

// What the search box shows is the key it seeks with: a remedy typed in the
// form moves the list by itself, and leaves no key behind for the box, in
// the same opening or the next.
TEST_F(EditorSample, TheTypeAheadKeyIsWhatTheSearchBoxShows) {
    {
        PrimaryEditor w;
        w.show();
        QTest::keyClicks(w.searchEdit, "al");
        QTest::keyClicks(w.remedyEdit, "ALOEIGEN KRUID ");
        QTest::keyClicks(w.searchEdit, "c");
        EXPECT_EQ(Text(w.searchEdit), "ALC");
        EXPECT_EQ(CurrentLine(w.entryList).rfind("Alchemilla vulgaris**", 0), 0u) << CurrentLine(w.entryList);
        CloseDroppingTheEditAndOpenAgain(w);
        EXPECT_EQ(Text(w.searchEdit), "");
        QTest::keyClicks(w.searchEdit, "b");
        EXPECT_EQ(Text(w.searchEdit), "B");
        EXPECT_EQ(w.searchKey, "B");
        EXPECT_EQ(CurrentLine(w.entryList).substr(0, 1), "B") << CurrentLine(w.entryList);
    }
    {
        RepertoryEditor w;
        w.show();
        ClickRadio(w.byRemedyRadio);
        QTest::keyClicks(w.pathologyEdit, "Hoest");
        QTest::keyClicks(w.searchEdit, "bet");
        EXPECT_EQ(w.searchKey, "BET");
        EXPECT_EQ(CurrentLine(w.entryList), "Betonica officinalis**Nervositeit");
        CloseDroppingTheEditAndOpenAgain(w);
        EXPECT_EQ(Text(w.searchEdit), "");
        QTest::keyClicks(w.searchEdit, "k");
        EXPECT_EQ(w.searchKey, "K");
        EXPECT_EQ(CurrentLine(w.entryList).substr(0, 1), "K") << CurrentLine(w.entryList);
    }
}

// Enter types nothing into the remedy line, so it cannot make it too long;
// in a memo it is a line break, which the record stores as two characters.
TEST_F(EditorSample, EnterCountsAsTheFieldStoresIt) {
    PrimaryEditor w;
    w.show();
    QTest::keyClicks(w.remedyEdit, QString(50, 'r'));
    const int beeps = w.BeepCount();
    const std::string key = w.searchKey;
    QTest::keyClick(w.remedyEdit, Qt::Key_Return);
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.BeepCount(), beeps);
    EXPECT_EQ(w.searchKey, key);

    w.posologyMemo->setPlainText(QString(899, 'p'));
    w.posologyMemo->moveCursor(QTextCursor::End);
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());
    QTest::keyClick(w.posologyMemo, Qt::Key_Return);
    EXPECT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.lengthWarningEdit->y(), 142);
}

TEST_F(EditorSample, PrimarySaveThatCutsATextShowsTheTextAsStored) {
    PrimaryEditor w;
    w.show();
    ClickEntry(w, "Achillea millefolium**Pijnlijke menstruatie");
    ASSERT_EQ(w.currentRecordNumber, 38);
    const std::string posology = Pattern(903);
    w.posologyMemo->setPlainText(QString::fromStdString(posology));
    Append(w.posologyMemo, "yz");
    ASSERT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.lengthWarningEdit->y(), 142);

    // The warning stays while the posology is too long, whatever else is typed.
    Append(w.notesMemo, " en meer");
    EXPECT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.lengthWarningEdit->y(), 142);
    // A second field too long: the warning follows the field that still is.
    w.warningsMemo->setPlainText(QString(401, 'w'));
    EXPECT_EQ(w.lengthWarningEdit->y(), 197);
    w.warningsMemo->setPlainText(QString(400, 'w'));
    EXPECT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.lengthWarningEdit->y(), 142);

    // No to the cut: nothing is written and the warning stays.
    const std::string before = FileBytes(kPrimaryDbName);
    messages_.answers.push_back(gui::kAnswerNo);
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    EXPECT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(Text(w.posologyMemo).size(), 905u);

    // Yes: the record keeps 900 characters, and so does the field.
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    ASSERT_EQ(messages_.messages.size(), 2u);
    EXPECT_NE(messages_.messages[1].text.find("\"Dosering\": 905 caratteri, il limite \xE8 900"), std::string::npos);
    const PrimaryTexts stored = PrimaryRecordToTexts(ReadPrimaryRecord(38));
    EXPECT_EQ(stored.posology, posology.substr(0, 900));
    EXPECT_EQ(stored.warnings, std::string(400, 'w'));
    EXPECT_EQ(Text(w.posologyMemo), stored.posology);
    EXPECT_EQ(Text(w.warningsMemo), stored.warnings);
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());
    // Closing asks nothing: the form is the record.
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(EditorSample, TherapiesSaveThatCutsATextShowsTheTextAsStored) {
    RepertoryEditor w;
    w.show();
    ClickEntry(w, "Hoofdpijn**Salix alba");
    const std::int64_t r = w.currentRecordNumber;
    ASSERT_EQ(r, 28);
    SetText(w.posologyEdit, Pattern(258));
    Append(w.posologyEdit, "yz");
    ASSERT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.lengthWarningEdit->y(), 192);
    w.notesMemo->setPlainText(QString::fromStdString(Pattern(760)));
    EXPECT_EQ(w.lengthWarningEdit->y(), 253);
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    ASSERT_EQ(messages_.messages.size(), 1u);
    const RepertoryRecord stored = ReadRepertoryRecord(r);
    EXPECT_EQ(stored.posology, Pattern(258).substr(0, 250));
    EXPECT_EQ(stored.Notes(), Pattern(760).substr(0, 750));
    EXPECT_EQ(Text(w.posologyEdit), stored.posology);
    EXPECT_EQ(Text(w.notesMemo), stored.Notes());
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(stored.remedy, "Salix alba");
    EXPECT_EQ(stored.pathology, "Hoofdpijn");
}

}  // namespace
