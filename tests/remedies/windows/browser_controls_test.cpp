// The symptom and remedy browsers on a record whose every text is at its full
// length and its own: each slot column shows its own text whole, each detail
// button cycles through all its texts and back to the first, the word pop-up
// of the signs marks nothing, "Opschonen" empties what the remedy showed, the
// help text closes on a double click and a click in the search box starts a
// new key. The fifteenth slot of the multi-symptom search.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "platform/gui/text_convert.h"
#include "remedies/browser_search.h"
#include "remedies/primary_db.h"
#include "remedies/ranked_search.h"
#include "remedies/windows/multi_symptom_search.h"
#include "remedies/windows/remedy_browser.h"
#include "remedies/windows/symptom_browser.h"
#include "remedies/windows/window_parts.h"
#include "tests/common/controls_of_test.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/editor_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using namespace editor_tests;

namespace {

class BrowserControls : public OwnDatabases {
protected:
    PrimaryTexts full_ = FullRecord("A");
    void SetUp() override {
        full_.indication = "Koorts";
        PrimaryTexts signs = Texts({"MSA Bryonia", "Koorts", "Zon-Maan", "Ram Stier"});
        signs.secondarySignature = "Mars";
        WritePrimaryDb({full_, signs});
        RebuildPrimaryLists();
    }
};

// Presses a slot's button and gives what the notes show, caption and text.
std::pair<std::string, std::string> Detail(BrowserWindow& w, int slot) {
    w.detailButtons[slot]->click();
    return {gui::FromQt(w.notesLabel->text()), TextOf(w.notesMemo)};
}

TEST_F(BrowserControls, SymptomSlotsShowEachTextWholeAndTheButtonCyclesThroughFour) {
    SymptomBrowser w;
    w.show();
    ASSERT_TRUE(window_tests::ClickLine(w.choiceList, "Koorts"));
    ASSERT_EQ(TextOf(w.remedyEdits[0]), full_.remedy);
    EXPECT_EQ(TextOf(w.planetEdits[0]), full_.primarySignature + " " + full_.secondarySignature);
    EXPECT_EQ(TextOf(w.signEdits[0]), full_.zodiacalSignature);
    EXPECT_EQ(TextOf(w.dosageEdits[0]), full_.posology);
    const std::string head = full_.remedy + " - ";
    using Shown = std::pair<std::string, std::string>;
    EXPECT_EQ(Detail(w, 0), (Shown{head + "Waarschuwingen", full_.warnings}));
    EXPECT_EQ(Detail(w, 0), (Shown{head + "Psychische Synthese", full_.synthesis}));
    EXPECT_EQ(Detail(w, 0), (Shown{head + "Notities", full_.notes}));
    EXPECT_EQ(Detail(w, 0), (Shown{head + "Extra Notities", full_.extraNotes}));
    EXPECT_EQ(Detail(w, 0), (Shown{head + "Waarschuwingen", full_.warnings}));

    // The planets mark the primary signature's words; the signs mark none.
    ASSERT_EQ(TextOf(w.remedyEdits[1]), "MSA Bryonia");
    QTest::mouseDClick(w.planetEdits[1], Qt::LeftButton);
    ASSERT_EQ(w.signatureWordList->count(), 3);
    EXPECT_EQ(Text(w.signatureWordList, 0), "\xA7 Zon");
    EXPECT_EQ(Text(w.signatureWordList, 1), "\xA7 Maan");
    EXPECT_EQ(Text(w.signatureWordList, 2), "Mars");
    QTest::mouseDClick(w.signEdits[1], Qt::LeftButton);
    ASSERT_EQ(w.signatureWordList->count(), 2);
    EXPECT_EQ(Text(w.signatureWordList, 0), "Ram");
    EXPECT_EQ(Text(w.signatureWordList, 1), "Stier");
}

TEST_F(BrowserControls, SymptomHelpClosesOnADoubleClickAndTheSearchBoxStartsANewKey) {
    SymptomBrowser w;
    w.show();
    QTest::mouseClick(w.helpButton, Qt::LeftButton);
    ASSERT_TRUE(w.helpMemo->isVisible());
    QTest::mouseDClick(w.helpMemo->viewport(), Qt::LeftButton);
    EXPECT_FALSE(w.helpMemo->isVisible());
    QTest::keyClicks(w.searchEdit, "ko");
    EXPECT_EQ(w.State().searchKey, "Ko");
    QTest::mouseClick(w.searchEdit, Qt::LeftButton);
    EXPECT_EQ(TextOf(w.searchEdit), "");
    EXPECT_EQ(w.State().searchKey, "");
    QTest::keyClicks(w.searchEdit, "k");
    EXPECT_EQ(w.State().searchKey, "K");
    EXPECT_EQ(TextOf(w.searchEdit), "K");
}

TEST_F(BrowserControls, RemedyShowsItsWholeSynthesisAndTheButtonCyclesThroughFour) {
    RemedyBrowser w;
    w.show();
    ASSERT_TRUE(window_tests::ClickLine(w.choiceList, full_.remedy));
    EXPECT_EQ(TextOf(w.chosen), full_.remedy);
    EXPECT_EQ(TextOf(testing_support::ControlOf<QLineEdit>(w, "EdAvve")), full_.warnings);
    EXPECT_EQ(TextOf(w.notesMemo), full_.synthesis);
    EXPECT_EQ(TextOf(w.dosageEdits[0]), "Koorts");
    const std::string head = full_.remedy + " - ";
    using Shown = std::pair<std::string, std::string>;
    EXPECT_EQ(Detail(w, 0), (Shown{head + "Dosering", full_.posology}));
    EXPECT_EQ(Detail(w, 0), (Shown{head + "Psychische Synthese", full_.synthesis}));
    EXPECT_EQ(Detail(w, 0), (Shown{head + "Notities", full_.notes}));
    EXPECT_EQ(Detail(w, 0), (Shown{head + "Extra Notities", full_.extraNotes}));
    EXPECT_EQ(Detail(w, 0), (Shown{head + "Dosering", full_.posology}));

    // "Opschonen" empties the remedy's warnings and form with its slots.
    ASSERT_TRUE(window_tests::ClickLine(w.choiceList, "MSA Bryonia"));
    ASSERT_EQ(gui::FromQt(testing_support::ControlOf<QLabel>(w, "LabSpeci")->text()), "(Macerato Spagirico-Alchemico)");
    QTest::mouseClick(w.clearButton, Qt::LeftButton);
    EXPECT_EQ(TextOf(w.remedyEdits[0]), "");
    EXPECT_EQ(TextOf(testing_support::ControlOf<QLineEdit>(w, "EdAvve")), "");
    EXPECT_EQ(gui::FromQt(testing_support::ControlOf<QLabel>(w, "LabSpeci")->text()), "");
    EXPECT_EQ(TextOf(w.chosen), "");
}

// Fifteen symptoms, each with a remedy of its own, fill the fifteen slots:
// the last slot is searched, highlighted by its remedy's detail and emptied by
// its own button.
TEST(RankedSlots, TheFifteenthSlotIsSearchedHighlightedAndEmptiedByItsOwnButton) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    std::vector<PrimaryTexts> records;
    for (int k = 1; k <= kRankedSlots; ++k) {
        const std::string n = (k < 10 ? "0" : "") + std::to_string(k);
        records.push_back(Texts({"Remedie " + n, "Symptoom " + n}));
    }
    WritePrimaryDb(records);
    RebuildPrimaryLists();
    MultiSymptomSearch w;
    w.show();
    ASSERT_EQ(w.vocabularyList->count(), kRankedSlots);
    for (int k = 0; k < kRankedSlots; ++k) ClickRow(w.vocabularyList, k);
    ASSERT_EQ(TextOf(w.slotEdits[14]), "Symptoom 15");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_TRUE(window_tests::ClickLine(w.resultList, "01 Remedie 15"));
    for (int k = 0; k < kRankedSlots; ++k) EXPECT_EQ(BackgroundOf(w.slotEdits[k]), k == 14 ? kCream : kSilver) << k + 1;
    EXPECT_NE(TextOf(w.detailMemo).find("= Symptoom 15"), std::string::npos);
    QTest::mouseClick(w.clearSlotButtons[14], Qt::LeftButton);
    EXPECT_EQ(TextOf(w.slotEdits[14]), "");
    EXPECT_EQ(TextOf(w.slotEdits[13]), "Symptoom 14");
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
