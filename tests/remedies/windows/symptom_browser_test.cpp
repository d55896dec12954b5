// The symptom and remedy browsers: type-ahead, the slots after a click on a
// line, paging with the page indicator, the detail buttons and the word pop-up.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <filesystem>

#include "platform/runtime/text_file.h"
#include "remedies/primary_db.h"
#include "remedies/windows/remedy_browser.h"
#include "remedies/windows/symptom_browser.h"
#include "remedies/windows/window_parts.h"
#include "tests/common/controls_of_test.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/window_test_util.h"

using namespace remedies;
using namespace window_tests;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Remedies(const BrowserWindow& w) {
    std::vector<std::string> out;
    for (QLineEdit* e : w.remedyEdits) out.push_back(TextOf(e));
    while (!out.empty() && out.back().empty()) out.pop_back();
    return out;
}

TEST(SymptomBrowser, TypeAheadThenClickListsTheRemediesOfTheSymptom) {
    SampleFolder folder;
    SymptomBrowser w;
    w.show();  // activation loads the symptom list
    ASSERT_GT(w.choiceList->count(), 30);
    QTest::keyClicks(w.searchEdit, "hoo");
    EXPECT_EQ(TextOf(w.searchEdit), "Hoo");  // the first letter upper-cased, the others kept
    EXPECT_EQ(Text(w.choiceList, w.choiceList->currentRow()), "Hoofdpijn");
    EXPECT_TRUE(w.remedyEdits[0]->text().isEmpty());  // selecting by typing does not search
    QTest::keyClick(w.searchEdit, Qt::Key_Return);
    EXPECT_EQ(TextOf(w.searchEdit), "Hoo");

    ASSERT_TRUE(ClickLine(w.choiceList, "Hoofdpijn"));
    EXPECT_EQ(TextOf(w.chosen), "Hoofdpijn");
    EXPECT_EQ(Remedies(w), (std::vector<std::string>{"TSA Rosmarinus officinalis", "Salix alba",
                                                     "Lavandula angustifolia", "Mentha piperita", "Verbena officinalis",
                                                     "Tanacetum parthenium", "Betonica officinalis"}));
    EXPECT_EQ(TextOf(w.planetEdits[1]), "Maan Saturnus");
    EXPECT_EQ(TextOf(w.signEdits[1]), "Kreeft");
    EXPECT_FALSE(w.dosageEdits[1]->text().isEmpty());
    EXPECT_EQ(w.pageEdit->text(), "1/1");
    EXPECT_EQ(BackgroundOf(w.pageEdit), kAqua);
    EXPECT_TRUE(w.searchEdit->text().isEmpty());  // the search empties the type-ahead

    w.detailButtons[2]->click();
    EXPECT_EQ(w.notesLabel->text(), "Lavandula angustifolia - Waarschuwingen");
    w.detailButtons[2]->click();
    EXPECT_EQ(w.notesLabel->text(), "Lavandula angustifolia - Psychische Synthese");
    w.detailButtons[0]->click();
    EXPECT_EQ(w.notesLabel->text(), "TSA Rosmarinus officinalis - Waarschuwingen");
    w.detailButtons[8]->click();  // an empty slot does nothing
    EXPECT_EQ(w.notesLabel->text(), "TSA Rosmarinus officinalis - Waarschuwingen");

    QTest::mouseDClick(w.planetEdits[0], Qt::LeftButton);
    ASSERT_TRUE(w.signatureWordList->isVisible());
    ASSERT_EQ(w.signatureWordList->count(), 2);
    EXPECT_EQ(Text(w.signatureWordList, 0), "\xA7 Zon");
    EXPECT_EQ(Text(w.signatureWordList, 1), "Mars");
    QTest::mouseClick(w.signEdits[0], Qt::LeftButton);
    EXPECT_FALSE(w.signatureWordList->isVisible());

    w.clearButton->click();  // "Opschonen"
    EXPECT_TRUE(Remedies(w).empty());
    EXPECT_TRUE(w.chosen->text().isEmpty());
}

TEST(SymptomBrowser, FifteenHitsMakeTwoPagesAnd141KeepOneHundredAndForty) {
    testing_support::TempWorkFolder folder;
    std::vector<PrimaryTexts> records;
    for (int i = 1; i <= 15; ++i) records.push_back(remedy_tests::Texts({"Vijftien " + std::to_string(i), "Vijftien"}));
    for (int i = 1; i <= 141; ++i) records.push_back(remedy_tests::Texts({"Veel " + std::to_string(i), "Veel"}));
    remedy_tests::WritePrimaryDb(records);
    rt::WriteTextLines(kSymptomListName, {"Veel", "Vijftien"});
    SymptomBrowser w;
    w.Refresh();
    ASSERT_TRUE(ClickLine(w.choiceList, "Vijftien"));
    EXPECT_EQ(w.pageEdit->text(), "1/2");
    EXPECT_EQ(BackgroundOf(w.pageEdit), kRed);
    EXPECT_EQ(TextOf(w.remedyEdits[13]), "Vijftien 14");
    w.nextPageButton->click();
    EXPECT_EQ(w.pageEdit->text(), "2/2");
    EXPECT_EQ(BackgroundOf(w.pageEdit), kAqua);
    EXPECT_EQ(Remedies(w), std::vector<std::string>{"Vijftien 15"});
    EXPECT_EQ(TextOf(w.chosen), "Vijftien");
    w.nextPageButton->click();  // no third page
    EXPECT_EQ(w.pageEdit->text(), "2/2");
    w.detailButtons[1]->click();
    EXPECT_EQ(w.notesLabel->text(), "Notities");
    w.detailButtons[0]->click();
    EXPECT_EQ(w.notesLabel->text(), "Vijftien 15 - Waarschuwingen");
    w.previousPageButton->click();
    EXPECT_EQ(w.pageEdit->text(), "1/2");
    EXPECT_EQ(TextOf(w.remedyEdits[0]), "Vijftien 1");

    ASSERT_TRUE(ClickLine(w.choiceList, "Veel"));
    EXPECT_EQ(w.pageEdit->text(), "1/10");
    EXPECT_EQ(w.State().HitCount(), 140);
    for (int i = 0; i < 12; ++i) w.nextPageButton->click();
    EXPECT_EQ(w.pageEdit->text(), "10/10");
    EXPECT_EQ(TextOf(w.remedyEdits[13]), "Veel 140");
    w.detailButtons[13]->click();
    EXPECT_EQ(w.notesLabel->text(), "Veel 140 - Waarschuwingen");
}

TEST(SymptomBrowser, StateOutlivesTheWindowButTheKeyStartsEmpty) {
    SampleFolder folder;
    BrowserState pages;  // kept by the browser's opener
    {
        SymptomBrowser w(pages);
        w.Refresh();
        ASSERT_TRUE(ClickLine(w.choiceList, "Hoest"));
        QTest::keyClicks(w.searchEdit, "x");
    }
    EXPECT_EQ(pages.HitCount(), 7);
    SymptomBrowser again(pages);
    again.Refresh();
    EXPECT_TRUE(pages.searchKey.empty());
}

TEST(SymptomBrowser, ADamagedSymptomListIsRebuiltFromASoundDatabaseAndNeverShown) {
    SampleFolder folder;
    const fs::path list = fs::path("OpzioneH") / "Sintomi.txt";
    const std::string sound = testing_support::ReadBytes(list);
    auto shown = [] {
        SymptomBrowser w;
        w.show();
        std::vector<std::string> lines;
        for (int i = 0; i < w.choiceList->count(); ++i) lines.push_back(Text(w.choiceList, i));
        return lines;
    };
    auto cleanLines = [](const std::vector<std::string>& lines) {
        for (const std::string& l : lines)
            for (unsigned char c : l)
                if (c < 32) return false;
        return true;
    };

    // Filled with random bytes: the list is made again from the database, and the user is told.
    testing_support::WriteBytes(list, testing_support::RandomBytes(sound.size(), 7));
    std::vector<std::string> lines = shown();
    EXPECT_TRUE(std::find(lines.begin(), lines.end(), "Hoofdpijn") != lines.end());
    EXPECT_TRUE(cleanLines(lines));
    EXPECT_EQ(testing_support::ReadBytes(list), sound);
    ASSERT_EQ(folder.messages.messages.size(), 1u);
    std::string said = folder.messages.messages[0].text;
    EXPECT_NE(said.find("\"OpzioneH\\Sintomi.txt\" \xE8 danneggiato"), std::string::npos) << said;
    EXPECT_NE(said.find("ricostruito"), std::string::npos) << said;

    // Cut in half, with its database cut in half too: nothing of it is shown,
    // the list stays as it is, and the user learns what to do.
    folder.messages.messages.clear();
    testing_support::WriteBytes(list, sound.substr(0, sound.size() / 2 + 3));
    const fs::path db = fs::path("OpzioneH") / "DBmain.rnd";
    testing_support::WriteBytes(db, testing_support::ReadBytes(db).substr(0, 20 * kPrimaryRecordSize + 100));
    lines = shown();
    EXPECT_LE(lines.size(), 1u);
    EXPECT_TRUE(lines.empty() || lines[0].empty());
    EXPECT_EQ(testing_support::ReadBytes(list), sound.substr(0, sound.size() / 2 + 3));
    ASSERT_EQ(folder.messages.messages.size(), 1u);
    said = folder.messages.messages[0].text;
    EXPECT_NE(said.find("OpzioneH\\Sintomi.txt"), std::string::npos) << said;
    EXPECT_NE(said.find("OpzioneH\\DBmain.rnd"), std::string::npos) << said;
    EXPECT_NE(said.find("copia di sicurezza"), std::string::npos) << said;
}

TEST(SymptomBrowser, ADatabaseDamagedWhileOpenRefusesTheSearchAndIsNamedAtEveryOpening) {
    SampleFolder folder;
    const fs::path db = fs::path("OpzioneH") / "DBmain.rnd";
    {
        SymptomBrowser w;
        w.show();
        ASSERT_GT(w.choiceList->count(), 30);
        EXPECT_TRUE(folder.messages.messages.empty());
        // Random bytes over the middle of the database while the window is open.
        WriteRandomRecords(db, kPrimaryRecordSize, 40, 20, 11);
        ASSERT_TRUE(ClickLine(w.choiceList, "Hoofdpijn"));
        ExpectDamageTold(folder.messages, 1, kPrimaryDbName, kSymptomListName);
        EXPECT_TRUE(Remedies(w).empty());
        EXPECT_TRUE(w.chosen->text().isEmpty());
        EXPECT_EQ(w.choiceList->count(), 0);
    }
    for (std::size_t opening = 2; opening <= 3; ++opening) {
        SymptomBrowser w;
        w.show();
        ExpectDamageTold(folder.messages, opening, kPrimaryDbName, kSymptomListName);
        EXPECT_EQ(w.choiceList->count(), 0);
    }
}

TEST(RemedyBrowser, VariantLineShowsTheRemedyFormWarningsAndSymptoms) {
    SampleFolder folder;
    RemedyBrowser w;
    w.show();
    QTest::keyClicks(w.searchEdit, "cal");
    EXPECT_EQ(TextOf(w.searchEdit), "CAL");
    const std::string line = Text(w.choiceList, w.choiceList->currentRow());
    EXPECT_EQ(line.substr(0, 27), "Calendula officinalis (MSA)");
    ASSERT_TRUE(ClickLine(w.choiceList, line));
    EXPECT_EQ(TextOf(w.chosen), "MSA Calendula officinalis");
    EXPECT_EQ(testing_support::ControlOf<QLabel>(w, "LabSpeci")->text(), "(Macerato Spagirico-Alchemico)");
    EXPECT_EQ(TextOf(testing_support::ControlOf<QLineEdit>(w, "EdAvve")),
              "Niet gebruiken bij overgevoeligheid voor composieten (Asteraceae).");
    EXPECT_TRUE(w.notesMemo->toPlainText().startsWith("Warmte die heelt"));
    EXPECT_EQ(TextOf(w.dosageEdits[0]), "Kleine wonden en schaafwonden");
    EXPECT_EQ(TextOf(w.dosageEdits[2]), "Ontstoken tandvlees");
    EXPECT_TRUE(w.remedyEdits[3]->text().isEmpty());
    EXPECT_FALSE(testing_support::ControlOf<QPlainTextEdit>(w, "MemoPare")->isVisible());
    w.detailButtons[0]->click();
    EXPECT_EQ(w.notesLabel->text(), "MSA Calendula officinalis - Dosering");
    EXPECT_TRUE(w.notesMemo->toPlainText().startsWith("Uitwendig"));
    w.detailButtons[0]->click();
    EXPECT_EQ(w.notesLabel->text(), "MSA Calendula officinalis - Psychische Synthese");

    QTest::mouseDClick(testing_support::ControlOf<QLineEdit>(w, "EdAvve"), Qt::LeftButton);
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(w, "MemoAvveLarge")->isVisible());
    EXPECT_EQ(testing_support::ControlOf<QPlainTextEdit>(w, "MemoAvveLarge")->toPlainText(),
              testing_support::ControlOf<QLineEdit>(w, "EdAvve")->text());
    w.helpButton->click();
    EXPECT_FALSE(testing_support::ControlOf<QPlainTextEdit>(w, "MemoAvveLarge")->isVisible());
    EXPECT_TRUE(w.helpMemo->isVisible());
    EXPECT_TRUE(w.helpMemo->toPlainText().endsWith(gui::ToQt("(\xA7 = Primaire Signatuur)")));
    w.helpButton->click();
    EXPECT_FALSE(w.helpMemo->isVisible());
}

TEST(RemedyBrowser, BracketNumberShowsTheNote) {
    testing_support::TempWorkFolder folder;
    remedy_tests::WritePrimaryDb(
        {remedy_tests::Texts({"Aurum (2)", "Hartzeer"}), remedy_tests::Texts({"Aurum", "Moeheid"})});
    rt::WriteTextLines(kRemedyVariantListName, {"Aurum", "Aurum (2)"});
    RemedyBrowser w;
    w.show();
    ASSERT_TRUE(ClickLine(w.choiceList, "Aurum (2)"));
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(w, "MemoPare")->isVisible());
    EXPECT_EQ(TextOf(w.dosageEdits[0]), "Hartzeer");
    EXPECT_EQ(TextOf(testing_support::ControlOf<QLineEdit>(w, "EdAvve")), "Er zijn tot nu toe geen waarschuwingen");
    ASSERT_TRUE(ClickLine(w.choiceList, "Aurum"));
    EXPECT_FALSE(testing_support::ControlOf<QPlainTextEdit>(w, "MemoPare")->isVisible());
    EXPECT_EQ(TextOf(w.dosageEdits[0]), "Moeheid");
}

}  // namespace
