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
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/editor_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using namespace editor_tests;

namespace {

class BrowserControls : public OwnDatabases {
protected:
    PrimaryTexts full = FullRecord("A");
    void SetUp() override {
        ResetBrowserStates();
        full.Indication = "Koorts";
        PrimaryTexts signs = Texts("MSA Bryonia", "Koorts", "Zon-Maan", "Ram Stier");
        signs.SecondarySignature = "Mars";
        WritePrimaryDb({full, signs});
        RebuildPrimaryLists();
    }
    void TearDown() override { ResetBrowserStates(); }
};

// Presses a slot's button and gives what the notes show, caption and text.
std::pair<std::string, std::string> Detail(BrowserWindow& w, int slot) {
    w.SB[slot]->click();
    return {gui::FromQt(w.LabNote->text()), TextOf(w.MemoNote)};
}

TEST_F(BrowserControls, SymptomSlotsShowEachTextWholeAndTheButtonCyclesThroughFour) {
    SymptomBrowser w;
    w.show();
    ASSERT_TRUE(window_tests::ClickLine(w.ListBox1, "Koorts"));
    ASSERT_EQ(TextOf(w.EdP[1]), full.Remedy);
    EXPECT_EQ(TextOf(w.EdA[1]), full.PrimarySignature + " " + full.SecondarySignature);
    EXPECT_EQ(TextOf(w.EdS[1]), full.ZodiacalSignature);
    EXPECT_EQ(TextOf(w.EdD[1]), full.Posology);
    const std::string head = full.Remedy + " - ";
    using Shown = std::pair<std::string, std::string>;
    EXPECT_EQ(Detail(w, 1), (Shown{head + "Waarschuwingen", full.Warnings}));
    EXPECT_EQ(Detail(w, 1), (Shown{head + "Psychische Synthese", full.Synthesis}));
    EXPECT_EQ(Detail(w, 1), (Shown{head + "Notities", full.Notes}));
    EXPECT_EQ(Detail(w, 1), (Shown{head + "Extra Notities", full.ExtraNotes}));
    EXPECT_EQ(Detail(w, 1), (Shown{head + "Waarschuwingen", full.Warnings}));

    // The planets mark the primary signature's words; the signs mark none.
    ASSERT_EQ(TextOf(w.EdP[2]), "MSA Bryonia");
    QTest::mouseDClick(w.EdA[2], Qt::LeftButton);
    ASSERT_EQ(w.list->count(), 3);
    EXPECT_EQ(Text(w.list, 0), "\xA7 Zon");
    EXPECT_EQ(Text(w.list, 1), "\xA7 Maan");
    EXPECT_EQ(Text(w.list, 2), "Mars");
    QTest::mouseDClick(w.EdS[2], Qt::LeftButton);
    ASSERT_EQ(w.list->count(), 2);
    EXPECT_EQ(Text(w.list, 0), "Ram");
    EXPECT_EQ(Text(w.list, 1), "Stier");
}

TEST_F(BrowserControls, SymptomHelpClosesOnADoubleClickAndTheSearchBoxStartsANewKey) {
    SymptomBrowser w;
    w.show();
    QTest::mouseClick(w.BitBtn2, Qt::LeftButton);
    ASSERT_TRUE(w.MemoInfo->isVisible());
    QTest::mouseDClick(w.MemoInfo->viewport(), Qt::LeftButton);
    EXPECT_FALSE(w.MemoInfo->isVisible());
    QTest::keyClicks(w.EdCerca, "ko");
    EXPECT_EQ(w.State().SearchKey, "Ko");
    QTest::mouseClick(w.EdCerca, Qt::LeftButton);
    EXPECT_EQ(TextOf(w.EdCerca), "");
    EXPECT_EQ(w.State().SearchKey, "");
    QTest::keyClicks(w.EdCerca, "k");
    EXPECT_EQ(w.State().SearchKey, "K");
    EXPECT_EQ(TextOf(w.EdCerca), "K");
}

TEST_F(BrowserControls, RemedyShowsItsWholeSynthesisAndTheButtonCyclesThroughFour) {
    RemedyBrowser w;
    w.show();
    ASSERT_TRUE(window_tests::ClickLine(w.ListBox1, full.Remedy));
    EXPECT_EQ(TextOf(w.EdRime), full.Remedy);
    EXPECT_EQ(TextOf(w.EdAvve), full.Warnings);
    EXPECT_EQ(TextOf(w.MemoNote), full.Synthesis);
    EXPECT_EQ(TextOf(w.EdD[1]), "Koorts");
    const std::string head = full.Remedy + " - ";
    using Shown = std::pair<std::string, std::string>;
    EXPECT_EQ(Detail(w, 1), (Shown{head + "Dosering", full.Posology}));
    EXPECT_EQ(Detail(w, 1), (Shown{head + "Psychische Synthese", full.Synthesis}));
    EXPECT_EQ(Detail(w, 1), (Shown{head + "Notities", full.Notes}));
    EXPECT_EQ(Detail(w, 1), (Shown{head + "Extra Notities", full.ExtraNotes}));
    EXPECT_EQ(Detail(w, 1), (Shown{head + "Dosering", full.Posology}));

    // "Opschonen" empties the remedy's warnings and form with its slots.
    ASSERT_TRUE(window_tests::ClickLine(w.ListBox1, "MSA Bryonia"));
    ASSERT_EQ(gui::FromQt(w.LabSpeci->text()), "(Macerato Spagirico-Alchemico)");
    QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(TextOf(w.EdP[1]), "");
    EXPECT_EQ(TextOf(w.EdAvve), "");
    EXPECT_EQ(gui::FromQt(w.LabSpeci->text()), "");
    EXPECT_EQ(TextOf(w.EdRime), "");
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
        records.push_back(Texts("Remedie " + n, "Symptoom " + n));
    }
    WritePrimaryDb(records);
    RebuildPrimaryLists();
    MultiSymptomSearch w;
    w.show();
    ASSERT_EQ(w.ListBox1->count(), kRankedSlots);
    for (int k = 0; k < kRankedSlots; ++k) ClickRow(w.ListBox1, k);
    ASSERT_EQ(TextOf(w.Ed[15]), "Symptoom 15");
    QTest::mouseClick(w.BBricerca, Qt::LeftButton);
    ASSERT_TRUE(window_tests::ClickLine(w.ListBox3, "01 Remedie 15"));
    for (int k = 1; k <= kRankedSlots; ++k) EXPECT_EQ(BackgroundOf(w.Ed[k]), k == 15 ? kCream : kSilver) << k;
    EXPECT_NE(TextOf(w.Memo1).find("= Symptoom 15"), std::string::npos);
    QTest::mouseClick(w.BB[15], Qt::LeftButton);
    EXPECT_EQ(TextOf(w.Ed[15]), "");
    EXPECT_EQ(TextOf(w.Ed[14]), "Symptoom 14");
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
