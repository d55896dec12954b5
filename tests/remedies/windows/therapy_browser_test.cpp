// The therapies browser: the sorted pathology list, the therapies of a clicked
// pathology, the alternating notes and warnings, the enlarged dosage.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <filesystem>

#include "remedies/windows/therapy_browser.h"
#include "tests/remedies/windows/window_test_util.h"

using namespace remedies;
using namespace window_tests;

namespace {

TEST(TherapyBrowser, PathologyListsItsTherapiesWithNotesAndWarnings) {
    SampleFolder folder;
    TherapyBrowser w;
    w.show();
    ASSERT_EQ(w.ListBox1->count(), 14);
    EXPECT_EQ(Text(w.ListBox1, 0), "Gewrichtsklachten");
    QTest::keyClicks(w.EditCerca, "sl");
    EXPECT_EQ(TextOf(w.EditCerca), "SL");
    EXPECT_EQ(Text(w.ListBox1, w.ListBox1->currentRow()), "Slapeloosheid");
    QTest::keyClick(w.EditCerca, Qt::Key_Return);
    EXPECT_EQ(TextOf(w.EditCerca), "SL");

    ASSERT_TRUE(ClickLine(w.ListBox1, "Slapeloosheid"));
    EXPECT_EQ(TextOf(w.EdPato), "Slapeloosheid");
    EXPECT_EQ(TextOf(w.EdP[1]), "HS 112 - Valeriana officinalis");
    EXPECT_EQ(TextOf(w.EdD[1]), "Koude infusie van 2-3 g wortel, een uur voor het slapengaan.");
    EXPECT_EQ(TextOf(w.EdP[4]), "Lavandula angustifolia");
    EXPECT_TRUE(w.EdP[5]->text().isEmpty());
    EXPECT_EQ(w.Edit1->text(), "1/1");
    EXPECT_EQ(TextOf(w.EditCerca), "SL");  // the search edit keeps its text

    w.SB[2]->click();
    EXPECT_EQ(w.LabNote->text(), "Notities over QSPC Melissa officinalis / Slapeloosheid");
    EXPECT_EQ(w.MemoNote->toPlainText(), "Goed te combineren met valeriaan.");
    w.SB[2]->click();
    EXPECT_EQ(w.LabNote->text(), "QSPC Melissa officinalis - Waarschuwingen");
    EXPECT_FALSE(w.MemoNote->toPlainText().isEmpty());
    w.SB[2]->click();
    EXPECT_EQ(w.LabNote->text(), "Notities over QSPC Melissa officinalis / Slapeloosheid");
    w.SB[4]->click();  // no notes for this pair
    EXPECT_EQ(w.MemoNote->toPlainText(),
              "Hiervoor zijn geen notities opgenomen combinazione Patologia-Rimedio");
    const QString before = w.LabNote->text();
    w.SB[6]->click();  // an empty slot does nothing
    EXPECT_EQ(w.LabNote->text(), before);

    QTest::mouseDClick(w.EdD[1], Qt::LeftButton);
    EXPECT_TRUE(w.MemoZoom->isVisible());
    EXPECT_EQ(w.MemoZoom->toPlainText(), w.EdD[1]->text());
    QTest::mouseClick(w.MemoZoom->viewport(), Qt::LeftButton);
    EXPECT_FALSE(w.MemoZoom->isVisible());

    w.BitBtn1->click();
    EXPECT_TRUE(w.EdP[1]->text().isEmpty());
    EXPECT_TRUE(w.EdPato->text().isEmpty());
    EXPECT_EQ(w.LabNote->text(), "Notities");
}

TEST(TherapyBrowser, AZeroFilledRepertoryIsNamedAtEveryOpeningAndNoPathologyIsListed) {
    SampleFolder folder;
    TherapyBrowser w;
    w.show();
    ASSERT_TRUE(ClickLine(w.ListBox1, "Slapeloosheid"));
    ASSERT_FALSE(w.EdP[1]->text().isEmpty());
    w.close();

    const std::filesystem::path db = std::filesystem::path("OpzioneH") / "Repertorio.rnd";
    const std::string sound = testing_support::ReadBytes(db);
    testing_support::WriteBytes(db, std::string(sound.size(), '\0'));
    for (std::size_t opening = 1; opening <= 2; ++opening) {
        w.show();
        ExpectDamageTold(folder.messages, opening, kRepertoryDbName, kPathologyListName);
        EXPECT_NE(LastMessage(folder.messages).find("copia di sicurezza"), std::string::npos);
        // No pathology to click, and nothing of the earlier search.
        EXPECT_EQ(w.ListBox1->count(), 0);
        EXPECT_TRUE(w.EdPato->text().isEmpty());
        EXPECT_TRUE(w.EdP[1]->text().isEmpty());
        w.close();
    }

    // Sound again: listed and searched as before, without a word.
    testing_support::WriteBytes(db, sound);
    w.show();
    EXPECT_EQ(w.ListBox1->count(), 14);
    ASSERT_TRUE(ClickLine(w.ListBox1, "Slapeloosheid"));
    EXPECT_EQ(TextOf(w.EdP[1]), "HS 112 - Valeriana officinalis");
    EXPECT_EQ(folder.messages.messages.size(), 2u);
}

TEST(TherapyBrowser, ABoxEmptiedWithTheKeyboardStartsANewKeyAtTheNextOpening) {
    SampleFolder folder;
    TherapyBrowser w;
    w.show();
    QTest::keyClicks(w.EditCerca, "sl");
    EXPECT_EQ(TextOf(w.EditCerca), "SL");
    EmptyWithKeys(w.EditCerca, false);
    EXPECT_TRUE(w.EditCerca->text().isEmpty());
    w.close();

    w.show();
    EXPECT_TRUE(w.EditCerca->text().isEmpty());
    QTest::keyClicks(w.EditCerca, "ho");
    EXPECT_EQ(TextOf(w.EditCerca), "HO");
    EXPECT_EQ(Text(w.ListBox1, w.ListBox1->currentRow()).substr(0, 2), "Ho");
}

TEST(TherapyBrowser, MissingPathologyListLeavesTheListEmpty) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    TherapyBrowser w;
    w.show();
    EXPECT_EQ(w.ListBox1->count(), 0);
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
