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
    ASSERT_EQ(w.CurrentRecordNumber, 39);
    const PrimaryTexts achillea = PrimaryRecordToTexts(ReadPrimaryRecord(39));

    Retype(w.MemoIndi, "Testindicatie");
    QTest::mouseClick(w.BBnuovo, Qt::LeftButton);
    ASSERT_EQ(PrimaryRecordCount(), n + 1);
    // The appended record is the one shown now.
    EXPECT_EQ(w.CurrentRecordNumber, n + 1);
    EXPECT_EQ(Text(w.EdNumRec), std::to_string(n + 1) + " / " + std::to_string(n + 1));
    EXPECT_EQ(CurrentLine(w.ListBox1), "Achillea millefolium**Testindicatie");

    Append(w.MemoPoso, " Extra");
    ASSERT_TRUE(w.BBsalva->isEnabled());
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty()) << messages.Texts()[0];
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(PrimaryRecordCount(), n + 1);
    EXPECT_EQ(Record(FileBytes(kPrimaryDbName), 39, kPrimaryRecordSize), Record(before, 39, kPrimaryRecordSize));
    const PrimaryTexts added = PrimaryRecordToTexts(ReadPrimaryRecord(n + 1));
    EXPECT_EQ(added.Remedy, "Achillea millefolium");
    EXPECT_EQ(added.Indication, "Testindicatie");
    EXPECT_EQ(added.Posology, achillea.Posology + " Extra");
    EXPECT_EQ(added.Synthesis, achillea.Synthesis);

    // A delete now takes the appended record: the file is as it was, and
    // the window goes on with an empty form and the new count.
    QTest::mouseClick(w.BBelimina, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Text(w.EdNumRec), "Tot=" + std::to_string(n));
    EXPECT_EQ(w.ListBox1->count(), n);
    EXPECT_EQ(Text(w.EdProd), "");
}

TEST_F(EditorSample, TherapiesSaveAfterSaveAsNewWritesTheAppendedRecordOnly) {
    RepertoryEditor w;
    w.show();
    const std::int64_t n = RepertoryRecordCount();
    const std::string before = FileBytes(kRepertoryDbName);
    ClickEntry(w, "Koorts bij griep**Achillea millefolium");
    ASSERT_EQ(w.CurrentRecordNumber, 49);

    Retype(w.EdPato, "Griep");
    QTest::mouseClick(w.BBnuovo, Qt::LeftButton);
    ASSERT_EQ(RepertoryRecordCount(), n + 1);
    EXPECT_EQ(w.CurrentRecordNumber, n + 1);
    EXPECT_EQ(Text(w.EdNumRec), std::to_string(n + 1) + " / " + std::to_string(n + 1));
    EXPECT_EQ(CurrentLine(w.ListBox1), "Griep**Achillea millefolium");

    Append(w.EdPoso, " Extra");
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Record(FileBytes(kRepertoryDbName), 49, kRepertoryRecordSize),
              Record(before, 49, kRepertoryRecordSize));
    const RepertoryRecord added = ReadRepertoryRecord(n + 1);
    EXPECT_EQ(added.Pathology, "Griep");
    EXPECT_EQ(added.Remedy, "Achillea millefolium");
    EXPECT_EQ(added.Posology, ReadRepertoryRecord(49).Posology + " Extra");

    QTest::mouseClick(w.BBelimina, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kRepertoryDbName), before);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Text(w.EdNumRec), "Tot=" + std::to_string(n));
    EXPECT_EQ(w.ListBox1->count(), n);
}

// With no record shown the closing panel offers a new record, not a save in
// place; a save that cannot be done keeps the window open with what was typed.
TEST_F(EditorSample, PrimaryPanelWithoutARecordOffersSaveAsNewOnly) {
    PrimaryEditor w;
    w.show();
    const std::int64_t n = PrimaryRecordCount();
    ClickEntry(w, "Salix alba**Hoofdpijn");
    QTest::mouseClick(w.BBpulisci, Qt::LeftButton);
    Retype(w.EdProd, "Nieuw middel");
    Retype(w.MemoIndi, "Nieuwe klacht");
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    ASSERT_TRUE(w.PanelSalva->isVisible());
    EXPECT_FALSE(w.BBsalva1->isEnabled());
    EXPECT_TRUE(w.BBnuovo1->isEnabled());
    EXPECT_FALSE(w.BBelimina1->isEnabled());
    QTest::mouseClick(w.BBsalva1, Qt::LeftButton);  // greyed: nothing happens
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Text(w.EdProd), "Nieuw middel");

    QTest::mouseClick(w.BBnuovo1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(PrimaryRecordCount(), n + 1);
    EXPECT_EQ(ReadPrimaryRecord(n + 1).Remedy, "Nieuw middel");
    EXPECT_EQ(ReadPrimaryRecord(n + 1).Indication(), "Nieuwe klacht");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(EditorSample, PrimaryPanelSaveThatIsRefusedKeepsTheWindowAndTheEdit) {
    PrimaryEditor w;
    w.show();
    const std::string before = FileBytes(kPrimaryDbName);
    ClickEntry(w, "Salix alba**Hoofdpijn");
    Retype(w.EdProd, "Salix*alba");
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_TRUE(w.PanelSalva->isVisible());
    ASSERT_TRUE(w.BBsalva1->isEnabled());
    QTest::mouseClick(w.BBsalva1, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("\"*\""), std::string::npos);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Text(w.EdProd), "Salix*alba");
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
}

TEST_F(EditorSample, TherapiesPanelWithoutARecordOffersSaveAsNewOnly) {
    RepertoryEditor w;
    w.show();
    const std::int64_t n = RepertoryRecordCount();
    Retype(w.EdPato, "Griep");
    Retype(w.EdProd, "Sambucus nigra");
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    ASSERT_TRUE(w.PanelSalva->isVisible());
    EXPECT_TRUE(w.LabIndi->isEnabled());
    EXPECT_TRUE(w.LabProd->isEnabled());
    EXPECT_FALSE(w.BBsalva1->isEnabled());
    EXPECT_TRUE(w.BBnuovo1->isEnabled());
    QTest::mouseClick(w.BBnuovo1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(RepertoryRecordCount(), n + 1);
    EXPECT_EQ(ReadRepertoryRecord(n + 1).Pathology, "Griep");
    EXPECT_EQ(ReadRepertoryRecord(n + 1).Remedy, "Sambucus nigra");
}

// "be", Enter, "t" seeks "BET" as "bet" does, and Enter presses nothing.
TEST_F(EditorSample, EnterInTheTypeAheadBoxIsIgnored) {
    {
        PrimaryEditor w;
        w.show();
        QTest::mouseClick(w.EdTrova, Qt::LeftButton);  // "trova" becomes the Enter button
        w.EdTrova->setText("calendula");
        QTest::mouseClick(w.EdCerca, Qt::LeftButton);
        QTest::keyClicks(w.EdCerca, "be");
        QTest::keyClick(w.EdCerca, Qt::Key_Return);
        QTest::keyClicks(w.EdCerca, "t");
        EXPECT_EQ(Text(w.EdCerca), "BET");
        EXPECT_EQ(w.SearchKey, "BET");
        EXPECT_EQ(CurrentLine(w.ListBox1).rfind("Betonica officinalis**", 0), 0u);
        EXPECT_FALSE(w.FindActive);
    }
    {
        RepertoryEditor w;
        w.show();
        ClickRadio(w.RBprod);
        QTest::mouseClick(w.EdTrova, Qt::LeftButton);
        w.EdTrova->setText("thymus");
        QTest::mouseClick(w.EditCerca, Qt::LeftButton);
        QTest::keyClicks(w.EditCerca, "be");
        QTest::keyClick(w.EditCerca, Qt::Key_Enter);
        QTest::keyClicks(w.EditCerca, "t");
        EXPECT_EQ(w.SearchKey, "BET");
        EXPECT_EQ(CurrentLine(w.ListBox1), "Betonica officinalis**Nervositeit");
        EXPECT_FALSE(w.FindActive);
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
        const std::int64_t r = w.CurrentRecordNumber;
        const std::string posology = Text(w.MemoPoso);
        w.MemoPoso->moveCursor(QTextCursor::End);
        w.MemoPoso->insertPlainText(QString(QChar(0x3B1)));  // a Greek alpha, pasted
        QTest::mouseClick(w.BBsalva, Qt::LeftButton);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_NE(messages.messages[0].text.find("\"Dosering\""), std::string::npos) << messages.messages[0].text;
        EXPECT_EQ(w.focusWidget(), w.MemoPoso);
        QTest::keyClick(w.focusWidget(), Qt::Key_Backspace);
        QTest::keyClicks(w.focusWidget(), "alfa");
        QTest::mouseClick(w.BBsalva, Qt::LeftButton);
        EXPECT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(PrimaryRecordToTexts(ReadPrimaryRecord(r)).Posology, posology + "alfa");
    }
    messages.messages.clear();
    {
        RepertoryEditor w;
        w.show();
        ClickEntry(w, "Nervositeit**Betonica officinalis");
        Retype(w.EdPato, "x");
        QTest::keyClick(w.EdPato, Qt::Key_Backspace);
        QTest::keyClick(&w, Qt::Key_Escape);
        ASSERT_TRUE(w.PanelSalva->isVisible());
        QTest::mouseClick(w.BBsalva1, Qt::LeftButton);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_NE(messages.messages[0].text.find("\"PATHOLOGIE\" \xE8 vuoto"), std::string::npos)
            << messages.messages[0].text;
        EXPECT_EQ(w.focusWidget(), w.EdPato);
        QTest::keyClicks(w.focusWidget(), "Onrust");
        EXPECT_EQ(Text(w.EdPato), "Onrust");
    }
}

// Closes an editor holding unsaved changes ("Ignora" on the panel) and opens it again.
void CloseDroppingTheEditAndOpenAgain(DatabaseEditorWindow& w) {
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    ASSERT_TRUE(w.PanelSalva->isVisible());
    QTest::mouseClick(w.BBignora1, Qt::LeftButton);
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
        QTest::keyClicks(w.EdCerca, "al");
        QTest::keyClicks(w.EdProd, "ALOEIGEN KRUID ");
        QTest::keyClicks(w.EdCerca, "c");
        EXPECT_EQ(Text(w.EdCerca), "ALC");
        EXPECT_EQ(CurrentLine(w.ListBox1).rfind("Alchemilla vulgaris**", 0), 0u) << CurrentLine(w.ListBox1);
        CloseDroppingTheEditAndOpenAgain(w);
        EXPECT_EQ(Text(w.EdCerca), "");
        QTest::keyClicks(w.EdCerca, "b");
        EXPECT_EQ(Text(w.EdCerca), "B");
        EXPECT_EQ(w.SearchKey, "B");
        EXPECT_EQ(CurrentLine(w.ListBox1).substr(0, 1), "B") << CurrentLine(w.ListBox1);
    }
    {
        RepertoryEditor w;
        w.show();
        ClickRadio(w.RBprod);
        QTest::keyClicks(w.EdPato, "Hoest");
        QTest::keyClicks(w.EditCerca, "bet");
        EXPECT_EQ(w.SearchKey, "BET");
        EXPECT_EQ(CurrentLine(w.ListBox1), "Betonica officinalis**Nervositeit");
        CloseDroppingTheEditAndOpenAgain(w);
        EXPECT_EQ(Text(w.EditCerca), "");
        QTest::keyClicks(w.EditCerca, "k");
        EXPECT_EQ(w.SearchKey, "K");
        EXPECT_EQ(CurrentLine(w.ListBox1).substr(0, 1), "K") << CurrentLine(w.ListBox1);
    }
}

// Enter types nothing into the remedy line, so it cannot make it too long;
// in a memo it is a line break, which the record stores as two characters.
TEST_F(EditorSample, EnterCountsAsTheFieldStoresIt) {
    PrimaryEditor w;
    w.show();
    QTest::keyClicks(w.EdProd, QString(50, 'r'));
    const int beeps = BeepCount();
    const std::string key = w.SearchKey;
    QTest::keyClick(w.EdProd, Qt::Key_Return);
    EXPECT_FALSE(w.EdLimite->isVisible());
    EXPECT_EQ(BeepCount(), beeps);
    EXPECT_EQ(w.SearchKey, key);

    w.MemoPoso->setPlainText(QString(899, 'p'));
    w.MemoPoso->moveCursor(QTextCursor::End);
    EXPECT_FALSE(w.EdLimite->isVisible());
    QTest::keyClick(w.MemoPoso, Qt::Key_Return);
    EXPECT_TRUE(w.EdLimite->isVisible());
    EXPECT_EQ(w.EdLimite->y(), 142);
}

TEST_F(EditorSample, PrimarySaveThatCutsATextShowsTheTextAsStored) {
    PrimaryEditor w;
    w.show();
    ClickEntry(w, "Achillea millefolium**Pijnlijke menstruatie");
    ASSERT_EQ(w.CurrentRecordNumber, 38);
    const std::string posology = Pattern(903);
    w.MemoPoso->setPlainText(QString::fromStdString(posology));
    Append(w.MemoPoso, "yz");
    ASSERT_TRUE(w.EdLimite->isVisible());
    EXPECT_EQ(w.EdLimite->y(), 142);

    // The warning stays while the posology is too long, whatever else is typed.
    Append(w.MemoNote, " en meer");
    EXPECT_TRUE(w.EdLimite->isVisible());
    EXPECT_EQ(w.EdLimite->y(), 142);
    // A second field too long: the warning follows the field that still is.
    w.MemoAvve->setPlainText(QString(401, 'w'));
    EXPECT_EQ(w.EdLimite->y(), 197);
    w.MemoAvve->setPlainText(QString(400, 'w'));
    EXPECT_TRUE(w.EdLimite->isVisible());
    EXPECT_EQ(w.EdLimite->y(), 142);

    // No to the cut: nothing is written and the warning stays.
    const std::string before = FileBytes(kPrimaryDbName);
    messages.answers.push_back(gui::AnswerNo);
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    EXPECT_TRUE(w.EdLimite->isVisible());
    EXPECT_EQ(Text(w.MemoPoso).size(), 905u);

    // Yes: the record keeps 900 characters, and so does the field.
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_NE(messages.messages[1].text.find("\"Dosering\": 905 caratteri, il limite \xE8 900"), std::string::npos);
    const PrimaryTexts stored = PrimaryRecordToTexts(ReadPrimaryRecord(38));
    EXPECT_EQ(stored.Posology, posology.substr(0, 900));
    EXPECT_EQ(stored.Warnings, std::string(400, 'w'));
    EXPECT_EQ(Text(w.MemoPoso), stored.Posology);
    EXPECT_EQ(Text(w.MemoAvve), stored.Warnings);
    EXPECT_FALSE(w.EdLimite->isVisible());
    // Closing asks nothing: the form is the record.
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(EditorSample, TherapiesSaveThatCutsATextShowsTheTextAsStored) {
    RepertoryEditor w;
    w.show();
    ClickEntry(w, "Hoofdpijn**Salix alba");
    const std::int64_t r = w.CurrentRecordNumber;
    ASSERT_EQ(r, 28);
    SetText(w.EdPoso, Pattern(258));
    Append(w.EdPoso, "yz");
    ASSERT_TRUE(w.EdLimite->isVisible());
    EXPECT_EQ(w.EdLimite->y(), 192);
    w.MemoNote->setPlainText(QString::fromStdString(Pattern(760)));
    EXPECT_EQ(w.EdLimite->y(), 253);
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    const RepertoryRecord stored = ReadRepertoryRecord(r);
    EXPECT_EQ(stored.Posology, Pattern(258).substr(0, 250));
    EXPECT_EQ(stored.Notes(), Pattern(760).substr(0, 750));
    EXPECT_EQ(Text(w.EdPoso), stored.Posology);
    EXPECT_EQ(Text(w.MemoNote), stored.Notes());
    EXPECT_FALSE(w.EdLimite->isVisible());
    EXPECT_EQ(stored.Remedy, "Salix alba");
    EXPECT_EQ(stored.Pathology, "Hoofdpijn");
}

}  // namespace
