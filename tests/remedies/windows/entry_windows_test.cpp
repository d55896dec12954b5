// Entry in the remedy windows as a practitioner types and pastes it: what the
// editors and the utility refuse (with a message naming the field, the
// database unchanged), what they store and the browsers find again, the
// warning and question before a cut, the question before a delete, the
// type-ahead over names in mixed case, the utility across a change of
// database, the browsers past 140 hits and an update disc of random bytes.
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
#include "platform/gui/system_services.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_edit.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/primary_editor.h"
#include "remedies/windows/repertory_editor.h"
#include "remedies/windows/search_utility.h"
#include "remedies/windows/symptom_browser.h"
#include "remedies/windows/update_window.h"
#include "remedies/windows/window_parts.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/window_test_util.h"

namespace entry_windows_test {

using namespace remedies;
using namespace remedy_tests;
using window_tests::ClickLine;
using window_tests::SampleFolder;
using window_tests::Text;
namespace fs = std::filesystem;

namespace {

// The sample databases with their lists, and the messages of the test.
class EntryForms : public ::testing::Test {
protected:
    SampleFolder sample_;
    void SetUp() override {
        RebuildPrimaryLists();
        RebuildPathologyList();
    }
    std::vector<gui::MessageRequest>& Messages() { return sample_.messages.messages; }
    std::string LastMessage() { return Messages().empty() ? std::string() : Messages().back().text; }
};

// One mounted disc.
class DiscVolumes : public gui::SystemServices {
public:
    explicit DiscVolumes(fs::path root) : root_(std::move(root)) {}
    std::vector<gui::Volume> ListVolumes() override { return {{root_.string(), "usb"}}; }

private:
    fs::path root_;
};

void ClickEntry(QListWidget* list, int row) {
    list->setCurrentRow(row);
    Q_EMIT list->itemClicked(list->item(row));
}

TEST_F(EntryForms, PrimaryEditorRefusesWhatTheListsWouldLoseNamingTheField) {
    const std::string before = FileBytes(kPrimaryDbName);
    PrimaryEditor w;
    w.show();
    // One letter typed and taken back enables "Salva come Nuovo"; the empty
    // remedy is refused.
    w.remedyEdit->setFocus();
    QTest::keyClick(w.remedyEdit, Qt::Key_A);
    QTest::keyClick(w.remedyEdit, Qt::Key_Backspace);
    ASSERT_TRUE(w.saveAsNewButton->isEnabled());
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    EXPECT_NE(LastMessage().find("\"Remedie\" \xE8 vuoto"), std::string::npos) << LastMessage();

    struct Case {
        QString remedy, indication, synthesis;
        std::string wanted;
    };
    const std::vector<Case> cases{
        {"Aurum", QString("Koorts") + QChar(0x1A) + "s nachts", "",
         "\"Indicaties\" contiene un carattere di controllo (Ctrl-Z)"},
        {"Aurum", QString("Koorts") + QChar(0x01), "", "(Ctrl-A)"},
        {QString("Aurum") + QChar(0x1B), "Koorts", "", "\"Remedie\" contiene un carattere di controllo (Esc)"},
        {"Aurum", "Hoofdpijn\nbij stress", "", "\"Indicaties\" deve stare su una sola riga"},
        {"Brandwond*test", "Brandwond", "", "\"Remedie\" non pu\xF2 contenere il carattere \"*\""},
        {"Aurum", "Indicaties", "", "\"Indicaties\" \xE8 vuoto"},
        {"Aurum", "Koorts", QString::fromUtf8("Grieks: \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1"),
         "\"Psychische Synthese\" contiene caratteri che il database non pu\xF2 registrare (U+03A9, U+03BC, U+03AD"},
        {"Aurum", "Koorts", QString::fromUtf8("\xCE\xB1-pineen \xF0\x9F\x8C\xBF"), "(U+03B1, U+1F33F)"},
    };
    for (const Case& c : cases) {
        Messages().clear();
        w.remedyEdit->setText(c.remedy);
        w.indicationMemo->setPlainText(c.indication);
        w.synthesisMemo->setPlainText(c.synthesis.isEmpty() ? QString("Psychische Synthese") : c.synthesis);
        QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
        ASSERT_EQ(Messages().size(), 1u) << c.wanted;
        EXPECT_NE(LastMessage().find(c.wanted), std::string::npos) << LastMessage();
        EXPECT_EQ(FileBytes(kPrimaryDbName), before) << c.wanted;
    }
}

TEST_F(EntryForms, WhatThePrimaryEditorStoresTheBrowsersFindAgain) {
    const std::int64_t n = PrimaryRecordCount();
    {
        PrimaryEditor w;
        w.show();
        w.remedyEdit->setText(QString::fromUtf8("Alo\xC3\xAB"));  // Aloë
        w.indicationMemo->setPlainText(QString::fromUtf8("Koorts boven 39\xC2\xB0"));
        w.primarySignatureEdit->setText("Zon");
        QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
        EXPECT_TRUE(Messages().empty()) << LastMessage();
    }
    ASSERT_EQ(PrimaryRecordCount(), n + 1);
    const PrimaryRecord r = ReadPrimaryRecord(n + 1);
    EXPECT_EQ(r.remedy, "Alo\xEB");
    EXPECT_EQ(r.Indication(), "Koorts boven 39\xB0");
    // The memos still showing what clearing put there are stored empty.
    EXPECT_EQ(r.posology1, "");
    EXPECT_EQ(r.warnings1, "");
    EXPECT_EQ(r.synthesis1, "");
    EXPECT_EQ(r.notes1 + r.extraNotes1, "");

    SymptomBrowser browser;
    browser.show();
    // The list shows the indication whole, its "°" too.
    ASSERT_TRUE(ClickLine(browser.choiceList, "Koorts boven 39\xB0"));
    EXPECT_EQ(Text(browser.remedyEdits[0]), "Alo\xEB");
    EXPECT_EQ(Text(browser.remedyEdits[1]), "");
    EXPECT_EQ(Text(browser.chosen), "Koorts boven 39\xB0");
    // No posology stored, so none shown; no warnings, so the notice.
    EXPECT_EQ(Text(browser.dosageEdits[0]), "");
    browser.detailButtons[0]->click();
    EXPECT_EQ(Text(browser.notesMemo), "Er zijn tot nu toe geen waarschuwingen");
}

TEST_F(EntryForms, APastedOverlengthWarnsAtOnceAndIsCutOnlyWhenTheUserSaysSo) {
    PrimaryEditor w;
    w.show();
    const int beeps = w.BeepCount();
    w.remedyEdit->setText("Lang");
    w.indicationMemo->setPlainText("Lange dosering");
    w.posologyMemo->setPlainText(QString(950, 'p'));  // a paste: no key press
    EXPECT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.lengthWarningEdit->y(), 142);
    EXPECT_EQ(w.BeepCount(), beeps + 1);
    const std::int64_t n = PrimaryRecordCount();
    Messages().clear();
    sample_.messages.answers.push_back(gui::kAnswerNo);
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].buttons, gui::Buttons::YesNo);
    EXPECT_NE(LastMessage().find("\"Dosering\": 950 caratteri, il limite \xE8 900"), std::string::npos);
    EXPECT_EQ(PrimaryRecordCount(), n);
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);  // yes this time
    ASSERT_EQ(PrimaryRecordCount(), n + 1);
    EXPECT_EQ(PrimaryRecordToTexts(ReadPrimaryRecord(n + 1)).posology, std::string(900, 'p'));
    // Back within the limit, the warning goes.
    w.posologyMemo->setPlainText("kort");
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());

    RepertoryEditor t;
    t.show();
    t.pathologyEdit->setText(QString(101, 'x'));
    EXPECT_TRUE(t.lengthWarningEdit->isVisible());
    EXPECT_EQ(t.lengthWarningEdit->y(), 83);
    t.pathologyEdit->setText("Slapeloosheid");
    EXPECT_FALSE(t.lengthWarningEdit->isVisible());
}

TEST_F(EntryForms, TheTherapiesEditorRefusesControlsAndEmptyKeys) {
    const std::string before = FileBytes(kRepertoryDbName);
    RepertoryEditor w;
    w.show();
    struct Case {
        QString pathology, remedy, notes;
        std::string wanted;
    };
    const std::vector<Case> cases{
        {QString("Brandwond") + QChar(0x1A), "Arnica", "",
         "\"PATHOLOGIE\" contiene un carattere di controllo (Ctrl-Z)"},
        {"Brandwond", "", "", "\"REMEDIE\" \xE8 vuoto"},
        {"", "Arnica", "", "\"PATHOLOGIE\" \xE8 vuoto"},
        {"Brand*wond", "Arnica", "", "\"PATHOLOGIE\" non pu\xF2 contenere"},
        {"Brandwond", "Arnica", QString::fromUtf8("\xCE\xB2-caroteen"), "\"Notities\" contiene caratteri"},
    };
    for (const Case& c : cases) {
        Messages().clear();
        w.pathologyEdit->setText(c.pathology);
        w.remedyEdit->setText(c.remedy);
        w.notesMemo->setPlainText(c.notes);
        QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
        ASSERT_EQ(Messages().size(), 1u) << c.wanted;
        EXPECT_NE(LastMessage().find(c.wanted), std::string::npos) << LastMessage();
        EXPECT_EQ(FileBytes(kRepertoryDbName), before);
    }
    // Notes on several lines are notes.
    Messages().clear();
    w.pathologyEdit->setText("Brandwond");
    w.remedyEdit->setText("Arnica");
    w.notesMemo->setPlainText("koelen\nniet openprikken");
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    EXPECT_TRUE(Messages().empty()) << LastMessage();
    EXPECT_EQ(ReadRepertoryRecord(RepertoryRecordCount()).Notes(), "koelen\r\nniet openprikken");
}

TEST_F(EntryForms, ADeleteAsksFirstFromTheButtonAndFromThePanel) {
    PrimaryEditor w;
    w.show();
    const std::int64_t n = PrimaryRecordCount();
    ClickEntry(w.entryList, 4);
    const std::int64_t r = w.currentRecordNumber;
    ASSERT_GT(r, 0);
    const std::string shown = Text(w.remedyEdit);
    sample_.messages.answers.push_back(gui::kAnswerNo);
    QTest::mouseClick(w.deleteButton, Qt::LeftButton);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].buttons, gui::Buttons::YesNo);
    EXPECT_NE(LastMessage().find("Eliminare definitivamente il record " + std::to_string(r) + "?"), std::string::npos);
    EXPECT_NE(LastMessage().find(shown), std::string::npos);
    EXPECT_EQ(PrimaryRecordCount(), n);
    EXPECT_EQ(w.currentRecordNumber, r);

    // From the panel of unsaved changes: no keeps the panel up and the record.
    w.posologyMemo->setFocus();
    QTest::keyClicks(w.posologyMemo, "x");
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    sample_.messages.answers.push_back(gui::kAnswerNo);
    QTest::mouseClick(w.panelDeleteButton, Qt::LeftButton);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(w.unsavedChangesPanel->isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(PrimaryRecordCount(), n);
    QTest::mouseClick(w.panelDeleteButton, Qt::LeftButton);  // yes
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(PrimaryRecordCount(), n - 1);
}

TEST(EntryTypeAhead, TheEditorsReachNamesInMixedCase) {
    SampleFolder sample;
    WritePrimaryDb({Texts({"aconitum", "Angst"}), Texts({"Symphytum officinale", "Gewrichtsklachten"}),
                    Texts({"thymus vulgaris", "hoest bij kinderen"}), Texts({"Zingiber", "Misselijkheid"}),
                    Texts({"Arnica", "Blauwe plekken"})});
    PrimaryEditor w;
    w.show();
    QTest::keyClicks(w.searchEdit, "thy");
    EXPECT_EQ(Text(w.searchEdit), "THY");
    EXPECT_EQ(w.listedEntries[static_cast<std::size_t>(w.entryList->currentRow())].text,
              "thymus vulgaris**hoest bij kinderen");
    w.bySymptomRadio->click();
    QTest::mouseClick(w.searchEdit, Qt::LeftButton);
    QTest::keyClicks(w.searchEdit, "hoe");
    EXPECT_EQ(w.listedEntries[static_cast<std::size_t>(w.entryList->currentRow())].text,
              "hoest bij kinderen**thymus vulgaris");
    // Tab leaves a memo rather than typing a tab a save would refuse.
    w.posologyMemo->setFocus();
    w.posologyMemo->setPlainText("2 x daags");
    QTest::keyClick(w.posologyMemo, Qt::Key_Tab);
    EXPECT_EQ(Text(w.posologyMemo), "2 x daags");

    // The symptom browser too reaches a symptom written in small letters.
    RebuildPrimaryLists();
    SymptomBrowser browser;
    browser.show();
    QTest::keyClicks(browser.searchEdit, "hoe");
    EXPECT_EQ(Text(browser.searchEdit), "Hoe");
    EXPECT_EQ(gui::FromQt(browser.choiceList->currentItem()->text()), "hoest bij kinderen");
}

TEST_F(EntryForms, TheUtilityFollowsAChangeOfDatabaseAndNeverDropsASave) {
    SearchUtility w;
    w.show();
    w.primaryFieldRadios[1]->click();
    w.phraseEdit->setText("pijn");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(w.searchButton->text(), "Continua");
    const std::int64_t found = w.foundRecord;
    ASSERT_GT(found, 0);
    const std::string therapiesBefore = FileBytes(kRepertoryDbName);
    QTest::mouseClick(w.textFromMatchMemo->viewport(), Qt::LeftButton);
    w.textFromMatchMemo->setPlainText("pijn in de knie");
    ASSERT_TRUE(w.saveButton->isEnabled());
    // The database changes in the middle of the search; the edit is still saved where it was found.
    w.therapiesDatabaseRadio->click();
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_TRUE(Messages().empty()) << LastMessage();
    EXPECT_EQ(ReadPrimaryRecord(found).Indication(), Text(w.textBeforeMemo) + "pijn in de knie");
    EXPECT_EQ(FileBytes(kRepertoryDbName), therapiesBefore);
    // "Continua" goes on in the therapies database, in its own field.
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_TRUE(Messages().empty()) << LastMessage();
    EXPECT_EQ(w.fieldCode, "Rimed");
    // A remedy of the therapies database holding "PIJN" is found, or the end is reached.
    const std::string where = Text(w.remedyEdit);
    EXPECT_TRUE(where == "FINE ARCHIVIO" || rt::UpperAscii(Text(w.textFromMatchMemo)).rfind("PIJN", 0) == 0) << where;

    // A field edited to hold a control character is refused by name; the
    // end-of-file text offers no save.
    w.primaryDatabaseRadio->click();
    w.primaryFieldRadios[1]->click();
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_GT(w.foundRecord, 0);
    const std::string primaryBefore = FileBytes(kPrimaryDbName);
    QTest::mouseClick(w.textFromMatchMemo->viewport(), Qt::LeftButton);
    w.textFromMatchMemo->setPlainText(QString("pijn") + QChar(0x1A));
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_NE(LastMessage().find("\"Indicazioni\" contiene un carattere di controllo (Ctrl-Z)"), std::string::npos)
        << LastMessage();
    EXPECT_EQ(FileBytes(kPrimaryDbName), primaryBefore);
    w.phraseEdit->setText("zzzz niet te vinden");
    sample_.messages.answers.push_back(gui::kAnswerNo);  // the pending edit is dropped
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(Text(w.remedyEdit), "FINE ARCHIVIO");
    QTest::mouseClick(w.textBeforeMemo->viewport(), Qt::LeftButton);
    w.textBeforeMemo->setPlainText("iets");
    EXPECT_FALSE(w.saveButton->isEnabled());
    EXPECT_EQ(FileBytes(kPrimaryDbName), primaryBefore);
}

TEST(EntryBrowsers, TheSymptomBrowserSaysWhenHitsWereNotShown) {
    SampleFolder sample;
    std::vector<PrimaryTexts> records(141, Texts({"Remedie", "Hoofdpijn"}));
    records.push_back(Texts({"Ander", "Hoest"}));
    WritePrimaryDb(records);
    RebuildPrimaryLists();
    SymptomBrowser w;
    w.show();
    ASSERT_TRUE(ClickLine(w.choiceList, "Hoofdpijn"));
    EXPECT_TRUE(w.hitsCutLabel->isVisible());
    EXPECT_EQ(Text(w.pageEdit), "1/10");
    EXPECT_NE(gui::FromQt(w.hitsCutLabel->text()).find("eerste 140"), std::string::npos);
    ASSERT_TRUE(ClickLine(w.choiceList, "Hoest"));
    EXPECT_FALSE(w.hitsCutLabel->isVisible());
    ASSERT_TRUE(ClickLine(w.choiceList, "Hoofdpijn"));
    w.clearButton->click();
    EXPECT_FALSE(w.hitsCutLabel->isVisible());
}

TEST_F(EntryForms, AnUpdateDiscOfRandomBytesIsRefusedAndChangesNothing) {
    const fs::path disc = fs::current_path() / "usb" / "OpzioneH";
    fs::create_directories(disc);
    std::string random(10000, '\0');
    std::uint32_t x = 88172645u;
    for (char& c : random) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    testing_support::WriteBytes(disc / "DBmain.rnd", random);
    fs::create_directories("Appoggio");
    rt::WriteTextLines("Appoggio\\Aggiorna1.txt", {"AGGIORNAMENTO"});
    const std::string primary = FileBytes(kPrimaryDbName), therapies = FileBytes(kRepertoryDbName);
    const std::string sun = FileBytes(RemedyListFileName("SolePri"));
    gui::SetSystemServices(std::make_unique<DiscVolumes>(disc.parent_path()));
    UpdateWindow w;
    w.show();
    gui::SetSystemServices(nullptr);
    ASSERT_TRUE(w.updateRows[0].installButton->isEnabled());
    Messages().clear();
    QTest::mouseClick(w.updateRows[0].installButton, Qt::LeftButton);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(LastMessage().rfind("Aggiornamento rifiutato: il file " + (disc / "DBmain.rnd").string(), 0), 0u)
        << LastMessage();
    EXPECT_NE(LastMessage().find("rimaste come erano"), std::string::npos);
    EXPECT_EQ(FileBytes(kPrimaryDbName), primary);
    EXPECT_EQ(FileBytes(kRepertoryDbName), therapies);
    EXPECT_EQ(FileBytes(RemedyListFileName("SolePri")), sun);
    EXPECT_FALSE(fs::exists("OpzioneH/DBmain.rnd.precedente1"));
}

}  // namespace

}  // namespace entry_windows_test
