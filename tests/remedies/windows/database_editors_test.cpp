// The primary and therapies database editors, the search-and-edit utility and
// the update window, driven through their controls on the sample databases.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_update.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/primary_editor.h"
#include "remedies/windows/repertory_editor.h"
#include "remedies/windows/search_utility.h"
#include "remedies/windows/therapy_browser.h"
#include "remedies/windows/update_window.h"
#include "remedies/windows/window_parts.h"
#include "tests/common/keyboard.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/editor_test_util.h"

namespace database_editors_test {

using namespace remedies;
using namespace remedy_tests;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

namespace {

const fs::path kShipped = KELVOR_TEST_DATA_DIR;

std::string Text(const QLineEdit* e) { return gui::FromQt(e->text()); }
std::string Text(const QPlainTextEdit* m) { return gui::FromQt(m->toPlainText()); }

void ClickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void DoubleClickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

class SampleWindows : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    gui::RecordingMessageSink messages_;
    void SetUp() override {
        for (const char* f :
             {"OpzioneH/DBmain.rnd", "OpzioneH/Repertorio.rnd", "Appoggio/Aggiorna1.txt", "Appoggio/Aggiorna2.txt"}) {
            fs::create_directories(fs::path(f).parent_path());
            fs::copy_file(kShipped / f, f);
        }
        RebuildPrimaryLists();
        RebuildPathologyList();
    }
};

TEST_F(SampleWindows, PrimaryEditorShowsAClickedRecordAndAsksBeforeLosingAnEdit) {
    PrimaryEditor w;
    w.show();
    const std::int64_t n = PrimaryRecordCount();
    ASSERT_EQ(w.entryList->count(), n);
    EXPECT_TRUE(w.byRemedyRadio->isChecked());
    EXPECT_EQ(w.recordCountText, std::to_string(n));
    EXPECT_EQ(Text(w.indicationMemo), "");
    EXPECT_EQ(w.indicationMemo->placeholderText(), "Indicaties");

    ClickRow(w.entryList, 3);
    const auto [remedy, indication] = SplitListEntry(w.listedEntries[3].text, false);
    const std::int64_t r = w.listedEntries[3].record;
    EXPECT_EQ(Text(w.remedyEdit), remedy);
    EXPECT_EQ(Text(w.indicationMemo), indication);
    EXPECT_EQ(Text(w.recordNumberEdit), std::to_string(r) + " / " + std::to_string(n));
    EXPECT_TRUE(w.deleteButton->isEnabled());
    EXPECT_FALSE(w.saveButton->isEnabled());

    // Only the posology changes: the panel offers the save in place alone.
    w.posologyMemo->setFocus();
    w.posologyMemo->moveCursor(QTextCursor::End);
    QTest::keyClicks(w.posologyMemo, " 3x");
    EXPECT_TRUE(w.saveButton->isEnabled());
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    EXPECT_TRUE(w.descriptionsChangedLabel->isEnabled());
    EXPECT_FALSE(w.remedyChangedLabel->isEnabled());
    EXPECT_FALSE(w.keyTextChangedLabel->isEnabled());
    EXPECT_TRUE(w.panelSaveButton->isEnabled());
    EXPECT_FALSE(w.panelSaveAsNewButton->isEnabled());
    EXPECT_TRUE(w.panelDeleteButton->isEnabled());
    const std::string posology = PrimaryRecordToTexts(ReadPrimaryRecord(r)).posology;
    QTest::mouseClick(w.panelSaveButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(PrimaryRecordToTexts(ReadPrimaryRecord(r)).posology, posology + " 3x");
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(SampleWindows, PrimaryEditorClosesAtOnceUntouchedAndRefusesASaveWithoutARecord) {
    PrimaryEditor w;
    w.show();
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());

    w.show();
    w.remedyEdit->setFocus();
    QTest::keyClicks(w.remedyEdit, "Nieuw");
    // No record is shown: there is none to save into, only a new one to add.
    EXPECT_FALSE(w.saveButton->isEnabled());
    EXPECT_TRUE(w.saveAsNewButton->isEnabled());
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty());
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    EXPECT_TRUE(w.remedyChangedLabel->isEnabled());
    EXPECT_FALSE(w.keyTextChangedLabel->isEnabled());
    EXPECT_FALSE(w.descriptionsChangedLabel->isEnabled());
    EXPECT_FALSE(w.panelDeleteButton->isEnabled());
    QTest::mouseClick(w.panelIgnoreButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

// Keys that type no character never enter a type-ahead key, in either editor
// or in a browser: Ctrl+A and Delete empty the box as in any box, and the next
// letter begins a new key; Ctrl with a full stop, Alt with a letter and a
// function key add nothing to the box nor to the key.
TEST_F(SampleWindows, KeysThatTypeNoCharacterNeverEnterATypeAheadKey) {
    using testing_support::PressKey;
    auto untyped = [](QLineEdit* box) {
        PressKey(box, Qt::Key_Period, Qt::ControlModifier);
        PressKey(box, Qt::Key_S, Qt::AltModifier);
        PressKey(box, Qt::Key_F2);
    };
    auto emptied = [](QLineEdit* box) {
        PressKey(box, Qt::Key_A, Qt::ControlModifier);
        PressKey(box, Qt::Key_Delete);
        return Text(box);
    };
    PrimaryEditor primary;
    primary.show();
    QTest::keyClicks(primary.searchEdit, "sal");
    EXPECT_EQ(editor_tests::CurrentLine(primary.entryList).substr(0, 3), "Sal");
    EXPECT_EQ(emptied(primary.searchEdit), "");
    QTest::keyClicks(primary.searchEdit, "t");
    untyped(primary.searchEdit);
    EXPECT_EQ(Text(primary.searchEdit), "T");
    EXPECT_EQ(primary.searchKey, "T");
    EXPECT_EQ(editor_tests::CurrentLine(primary.entryList).substr(0, 1), "T");
    primary.close();

    RepertoryEditor therapies;
    therapies.show();
    QTest::keyClicks(therapies.searchEdit, "sl");
    untyped(therapies.searchEdit);
    EXPECT_EQ(Text(therapies.searchEdit), "sl");
    EXPECT_EQ(therapies.searchKey, "SL");
    EXPECT_EQ(emptied(therapies.searchEdit), "");
    EXPECT_EQ(therapies.searchKey, "");
    therapies.close();

    TherapyBrowser browser;
    browser.show();
    QTest::keyClicks(browser.searchEdit, "sl");
    untyped(browser.searchEdit);
    EXPECT_EQ(Text(browser.searchEdit), "SL");
    EXPECT_EQ(emptied(browser.searchEdit), "");
    QTest::keyClicks(browser.searchEdit, "h");
    EXPECT_EQ(Text(browser.searchEdit), "H");
    EXPECT_TRUE(messages_.messages.empty()) << messages_.messages[0].text;
}

TEST_F(SampleWindows, PrimaryEditorWarnsAtThe51stCharacterOfARemedy) {
    PrimaryEditor w;
    w.show();
    const int beeps = w.BeepCount();
    w.remedyEdit->setFocus();
    QTest::keyClicks(w.remedyEdit, QString(50, 'a'));
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());
    QTest::keyClick(w.remedyEdit, Qt::Key_B);
    EXPECT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.lengthWarningEdit->y(), 53);
    EXPECT_EQ(w.BeepCount(), beeps + 1);
    QTest::keyClick(w.remedyEdit, Qt::Key_Backspace);
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());
    // Save as new wants an indication; then it asks before it cuts the name
    // to its 50 characters (yes), and the new record is counted.
    const std::int64_t n = PrimaryRecordCount();
    QTest::keyClick(w.remedyEdit, Qt::Key_C);
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    EXPECT_EQ(PrimaryRecordCount(), n);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_NE(messages_.messages[0].text.find("\"Indicaties\" \xE8 vuoto"), std::string::npos);
    w.indicationMemo->setPlainText("Hoofdpijn");
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    ASSERT_EQ(messages_.messages.size(), 2u);
    EXPECT_EQ(messages_.messages[1].buttons, gui::Buttons::YesNo);
    EXPECT_NE(messages_.messages[1].text.find("\"Remedie\": 51 caratteri, il limite \xE8 50"), std::string::npos);
    EXPECT_EQ(PrimaryRecordCount(), n + 1);
    EXPECT_EQ(ReadPrimaryRecord(n + 1).remedy, std::string(50, 'a'));
    // The new record is shown, as stored.
    EXPECT_EQ(Text(w.recordNumberEdit), std::to_string(n + 1) + " / " + std::to_string(n + 1));
    EXPECT_EQ(Text(w.remedyEdit), std::string(50, 'a'));
    EXPECT_EQ(w.entryList->count(), n + 1);
}

TEST_F(SampleWindows, PrimaryEditorReorderMovesRecordsInTheFile) {
    const std::string before = FileBytes(kPrimaryDbName);
    auto record = [](const std::string& bytes, std::size_t r) {
        return bytes.substr(r * kPrimaryRecordSize, kPrimaryRecordSize);
    };
    PrimaryEditor w;
    w.show();
    ClickRow(w.entryList, 0);
    ASSERT_GT(w.currentRecordNumber, 0);
    QTest::mouseClick(w.reorderButton, Qt::LeftButton);
    // The form is emptied, so no record stays current while numbers change.
    EXPECT_EQ(w.currentRecordNumber, 0);
    EXPECT_EQ(Text(w.remedyEdit), "");
    EXPECT_EQ(w.reorderButton->text(), "Definitivo");
    EXPECT_TRUE(w.cancelReorderButton->isVisible());
    EXPECT_FALSE(w.byRemedyRadio->isVisible());
    EXPECT_FALSE(w.searchEdit->isEnabled());
    for (int i = 0; i < w.entryList->count(); ++i)
        EXPECT_EQ(w.listedEntries[static_cast<std::size_t>(i)].record, i + 1);

    DoubleClickRow(w.entryList, 5);
    EXPECT_TRUE(w.movePending);
    DoubleClickRow(w.entryList, 2);
    EXPECT_FALSE(w.movePending);
    EXPECT_EQ(w.listedEntries[2].record, 6);
    EXPECT_EQ(w.listedEntries[3].record, 3);
    QTest::mouseClick(w.reorderButton, Qt::LeftButton);
    const std::string after = FileBytes(kPrimaryDbName);
    EXPECT_EQ(record(after, 0), record(before, 0));
    EXPECT_EQ(record(after, 3), record(before, 6));
    EXPECT_EQ(record(after, 4), record(before, 3));
    EXPECT_EQ(record(after, 7), record(before, 7));
    EXPECT_EQ(w.reorderButton->text(), "Modifica Elenco");
    EXPECT_TRUE(w.byRemedyRadio->isChecked());
    EXPECT_FALSE(w.cancelReorderButton->isVisible());
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(SampleWindows, PrimaryEditorFindNextWrapsSilently) {
    PrimaryEditor w;
    w.show();
    w.findEdit->setText("calendula");
    std::vector<int> hits;
    for (int i = 0; i < 10; ++i) {
        QTest::mouseClick(w.findButton, Qt::LeftButton);
        hits.push_back(w.findActive ? w.entryList->currentRow() : -1);
    }
    ASSERT_GT(hits[0], -1);
    const auto end = std::find(hits.begin(), hits.end(), -1);
    ASSERT_NE(end, hits.end());
    EXPECT_EQ(*(end + 1), hits[0]);  // after the last match the find starts again
    for (auto it = hits.begin(); it != end; ++it)
        EXPECT_NE(gui::FromQt(w.entryList->item(*it)->text()).find("Calendula"), std::string::npos);
}

TEST_F(SampleWindows, TherapiesEditorShowsTheLinkedPrimaryRecord) {
    RepertoryEditor w;
    w.show();
    ASSERT_EQ(w.entryList->count(), RepertoryRecordCount());
    EXPECT_TRUE(w.byPathologyRadio->isChecked());
    ClickRow(w.entryList, 0);
    const auto [remedy, pathology] = SplitListEntry(w.listedEntries[0].text, true);
    EXPECT_EQ(Text(w.remedyEdit), remedy);
    EXPECT_EQ(Text(w.pathologyEdit), pathology);
    ASSERT_GT(w.linkedPrimaryRecord, 0);
    EXPECT_TRUE(w.signaturesButton->isEnabled());
    const PrimaryRecord linked = ReadPrimaryRecord(w.linkedPrimaryRecord);
    EXPECT_EQ(rt::UpperAscii(linked.remedy), rt::UpperAscii(remedy));
    QTest::mouseClick(w.signaturesButton, Qt::LeftButton);
    EXPECT_NE(Text(w.primaryRecordMemo).find(linked.primarySignature), std::string::npos);
    QTest::mouseDClick(w.primaryRecordMemo->viewport(), Qt::LeftButton);
    EXPECT_EQ(Text(w.notesMemo), Text(w.primaryRecordMemo));
    EXPECT_TRUE(w.saveButton->isEnabled());
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    EXPECT_TRUE(w.unsavedChangesPanel->isVisible());
    EXPECT_TRUE(w.descriptionsChangedLabel->isEnabled());
    QTest::mouseClick(w.panelIgnoreButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(SampleWindows, TherapiesEditorAsksAboutNotesTypedOnAnEmptyForm) {
    RepertoryEditor w;
    w.show();
    w.notesMemo->setFocus();
    QTest::keyClicks(w.notesMemo, "abc");
    EXPECT_TRUE(w.descriptionsChanged);
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    EXPECT_TRUE(w.descriptionsChangedLabel->isEnabled());
    EXPECT_FALSE(w.remedyChangedLabel->isEnabled());
    EXPECT_FALSE(w.panelDeleteButton->isEnabled());
    // No record to save into: only a new record is offered, and one without
    // a pathology is refused with the window and the notes kept.
    EXPECT_FALSE(w.panelSaveButton->isEnabled());
    ASSERT_TRUE(w.panelSaveAsNewButton->isEnabled());
    const std::string before = FileBytes(kRepertoryDbName);
    QTest::mouseClick(w.panelSaveAsNewButton, Qt::LeftButton);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_NE(messages_.messages[0].text.find("\"PATHOLOGIE\""), std::string::npos);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Text(w.notesMemo), "abc");
    EXPECT_EQ(FileBytes(kRepertoryDbName), before);
}

TEST(TherapiesEditor, ARemedyMissingFromThePrimaryDatabaseIsReportedInRed) {
    TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    WritePrimaryDb({Texts({"Aurum", "Angst"})});
    std::vector<rt::Bytes> rep{rt::Bytes(kRepertoryRecordSize, 0)};
    rep.push_back(EncodeRepertoryRecord(FormToRepertoryRecord({"Angst", "AURUM", "2 x", ""})));
    rep.push_back(EncodeRepertoryRecord(FormToRepertoryRecord({"Hoofdpijn", "Aurum ", "1 x", ""})));
    rt::ReplaceAllRecords(kRepertoryDbName, kRepertoryRecordSize, rep);
    RepertoryEditor w;
    w.show();
    ClickRow(w.entryList, 0);  // "Angst**AURUM": other capitals still link
    EXPECT_EQ(w.linkedPrimaryRecord, 1);
    ClickRow(w.entryList, 1);  // a trailing blank does not
    EXPECT_EQ(w.linkedPrimaryRecord, 0);
    EXPECT_EQ(Text(w.primaryRecordMemo), "Aurum  kan niet worden gevonden in de primaire database.");
    EXPECT_EQ(w.primaryRecordMemo->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_FALSE(w.warningsButton->isEnabled());
    // Notes of 751 characters show the warning at the notes.
    w.notesMemo->setPlainText(QString(751, 'n'));
    EXPECT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.lengthWarningEdit->y(), 253);
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_EQ(ReadRepertoryRecord(2).Notes(), std::string(750, 'n'));
}

TEST_F(SampleWindows, UtilityReachesTheLastRecordAndSavesAnIndicationAsTheFieldsAllow) {
    const std::int64_t n = PrimaryRecordCount();
    const std::string last = ReadPrimaryRecord(n).Indication();
    SearchUtility w;
    w.show();
    w.primaryFieldRadios[1]->click();
    w.phraseEdit->setText(gui::ToQt(last));
    std::vector<std::string> positions;
    for (int i = 0; i < 200; ++i) {
        QTest::mouseClick(w.searchButton, Qt::LeftButton);
        positions.push_back(Text(w.positionEdit));
        if (Text(w.remedyEdit) == "FINE ARCHIVIO") break;
    }
    ASSERT_GE(positions.size(), 2u);
    EXPECT_EQ(positions[positions.size() - 2], std::to_string(n + 1));  // the last record was shown
    EXPECT_EQ(positions.back(), std::to_string(n));
    EXPECT_EQ(w.searchButton->text(), "Cerca");

    // Find the last record again and replace its indication by 320 characters.
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    for (int i = 0; i < 200 && Text(w.positionEdit) != std::to_string(n + 1); ++i)
        QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(Text(w.positionEdit), std::to_string(n + 1));
    EXPECT_EQ(Text(w.textBeforeMemo) + Text(w.textFromMatchMemo), last);
    EXPECT_FALSE(w.saveButton->isEnabled());  // a search result alone arms nothing
    QTest::mouseClick(w.textFromMatchMemo->viewport(), Qt::LeftButton);
    w.textBeforeMemo->clear();
    w.textFromMatchMemo->setPlainText(QString::fromStdString(Pattern(320)));
    ASSERT_TRUE(w.saveButton->isEnabled());
    // The count follows the edit, red while it is beyond the field.
    EXPECT_EQ(Text(w.lengthEdit), "320/300");
    EXPECT_EQ(BaseColour(w.lengthEdit), kRedColour);
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    // Asked first (yes): the last 20 characters go.
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_NE(messages_.messages[0].text.find("\"Indicazioni\": 320 caratteri, il limite \xE8 300"), std::string::npos);
    const PrimaryRecord r = ReadPrimaryRecord(n);
    EXPECT_EQ(r.indication1, Pattern(320).substr(0, 250));
    EXPECT_EQ(r.indication2, Pattern(320).substr(250, 50));
    EXPECT_FALSE(w.saveButton->isEnabled());
    // The memos and the count show what the record holds now.
    EXPECT_EQ(Text(w.textBeforeMemo) + Text(w.textFromMatchMemo), Pattern(300));
    EXPECT_EQ(Text(w.lengthEdit), "300/300");
}

TEST_F(SampleWindows, UtilityAnswerNoContinuesAndLeavesTheRecord) {
    const std::string before = FileBytes(kPrimaryDbName);
    SearchUtility w;
    w.show();
    w.phraseEdit->setText("calendula");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(w.searchButton->text(), "Continua");
    const std::string first = Text(w.positionEdit);
    QTest::mouseClick(w.textBeforeMemo->viewport(), Qt::LeftButton);
    QTest::keyClicks(w.textBeforeMemo, "xyz");
    ASSERT_TRUE(w.saveButton->isEnabled());
    messages_.answers.push_back(gui::kAnswerNo);
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"Salvare le modifiche apportate?"});
    EXPECT_NE(Text(w.positionEdit), first);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    // An empty phrase ends at once; saving then does nothing.
    w.phraseEdit->clear();
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.remedyEdit), "FINE ARCHIVIO");
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
}


struct VolumesInstalled {
    explicit VolumesInstalled(std::vector<fs::path> roots) {
        gui::SetSystemServices(std::make_unique<editor_tests::DiscVolumes>(std::move(roots)));
    }
    ~VolumesInstalled() { gui::SetSystemServices(nullptr); }
};

void AgeFiles(const fs::path& folder, int minutes) {
    for (const auto& e : fs::directory_iterator(folder))
        fs::last_write_time(e.path(), fs::file_time_type::clock::now() - std::chrono::minutes(minutes));
}

TEST_F(SampleWindows, UpdateWindowInstallsANewerSetAndAsksBeforeAnOlderOne) {
    AgeFiles("OpzioneH", 600);
    const fs::path newer = folder_.Path() / "usb" / "OpzioneH";
    const fs::path older = folder_.Path() / "cd" / "opzioneh";
    fs::create_directories(newer);
    fs::create_directories(older);
    const Bytes added = EncodePrimaryRecord(MakePrimaryRecord(Texts({"nnnnnnnnnn", "Angst"})));
    WriteBytes(newer / "DBmain.rnd", FileBytes(kPrimaryDbName) + std::string(added.begin(), added.end()));
    WriteBytes(newer / "Repertorio.rnd", FileBytes(kRepertoryDbName));
    WriteBytes(older / "DBmain.rnd", std::string(kPrimaryRecordSize, '\0'));
    AgeFiles(newer, 5);
    AgeFiles(older, 6000);
    VolumesInstalled volumes({folder_.Path() / "cd", folder_.Path() / "usb", folder_.Path() / "empty"});

    UpdateWindow w;
    w.show();
    EXPECT_NE(Text(w.instructionsMemo).find("AGGIORNAMENTO"), std::string::npos);
    EXPECT_EQ(Text(w.lastUpdateEdit), SetDateIn("OpzioneH").dateText);
    EXPECT_EQ(Text(w.updateRows[0].dateEdit), SetDateIn(older).dateText);
    EXPECT_EQ(Text(w.updateRows[1].dateEdit), SetDateIn(newer).dateText);
    EXPECT_EQ(Text(w.updateRows[2].placeEdit), "");
    EXPECT_FALSE(w.updateRows[2].installButton->isEnabled());
    EXPECT_EQ(w.updateRows[0].dateEdit->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(w.updateRows[1].dateEdit->palette().color(QPalette::Base), QColor(0, 255, 255));

    const std::string local = FileBytes(kPrimaryDbName);
    messages_.answers.push_back(gui::kAnswerNo);
    QTest::mouseClick(w.updateRows[0].installButton, Qt::LeftButton);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_NE(messages_.messages[0].text.find("pi\xF9 vecchie"), std::string::npos);
    EXPECT_EQ(FileBytes(kPrimaryDbName), local);

    const std::string localTherapies = FileBytes(kRepertoryDbName);
    QTest::mouseClick(w.updateRows[1].installButton, Qt::LeftButton);
    // Installed, and the replaced pair kept beside it under one number, as the message says.
    ASSERT_EQ(messages_.messages.size(), 2u);
    EXPECT_NE(messages_.messages[1].text.find("DBmain.rnd.precedente1 e Repertorio.rnd.precedente1"), std::string::npos)
        << messages_.messages[1].text;
    EXPECT_EQ(testing_support::ReadBytes("OpzioneH/DBmain.rnd.precedente1"), local);
    EXPECT_EQ(testing_support::ReadBytes("OpzioneH/Repertorio.rnd.precedente1"), localTherapies);
    EXPECT_EQ(FileBytes(kPrimaryDbName), testing_support::ReadBytes(newer / "DBmain.rnd"));
    EXPECT_EQ(fs::last_write_time(rt::ResolvePath(kPrimaryDbName)), fs::last_write_time(newer / "DBmain.rnd"));
    EXPECT_EQ(Text(w.lastUpdateEdit), Text(w.updateRows[1].dateEdit));
    EXPECT_EQ(w.backToMenuButton->text(), "Ritorna al Menu");
    // The disc brought no lists: they were made from the new databases.
    EXPECT_EQ(PrimaryRecordCount(),
              static_cast<std::int64_t>(FileBytes(kPrimaryDbName).size() / kPrimaryRecordSize) - 1);
    EXPECT_NE(FileBytes(kRemedyListName).find("nnnnnnnn"), std::string::npos);
}

TEST_F(SampleWindows, UpdateWindowWithoutADiscSaysSoAndTakesAChosenFolder) {
    VolumesInstalled volumes({});
    const fs::path chosen = folder_.Path() / "downloads";
    UpdateWindow w([&](QWidget*) { return chosen; });
    w.show();
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"Non \xE8 stato rilevato alcun disco di aggiornamento"});
    EXPECT_FALSE(w.updateRows[0].installButton->isEnabled());
    fs::create_directories(chosen / "OpzioneH");
    WriteBytes(chosen / "OpzioneH" / "Repertorio.rnd", FileBytes(kRepertoryDbName));
    QTest::mouseClick(w.otherFolderButton, Qt::LeftButton);
    EXPECT_TRUE(w.updateRows[0].installButton->isEnabled());
    EXPECT_EQ(Text(w.updateRows[0].dateEdit), SetDateIn(chosen / "OpzioneH").dateText);
    EXPECT_NE(Text(w.instructionsMemo).find("Inserire il disco"), std::string::npos);
    // With "OpzioneH\AutoSet" the other explanation is shown.
    WriteBytes("OpzioneH/AutoSet", "");
    w.Refresh();
    EXPECT_NE(Text(w.instructionsMemo).find("aggiornamento automatico"), std::string::npos);
}

// Pictures of the four windows with the sample databases, on request:
// KELVOR_SCREENSHOT_DIR names a folder.
TEST_F(SampleWindows, Screenshots) {
    const char* dir = std::getenv("KELVOR_SCREENSHOT_DIR");
    if (!dir || !*dir) GTEST_SKIP() << "KELVOR_SCREENSHOT_DIR not set";
    const fs::path out(dir);
    fs::create_directories(out);
    {
        PrimaryEditor w;
        w.show();
        ClickRow(w.entryList, 4);
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "primary_editor.png").string()));
        w.remedyEdit->setFocus();
        QTest::keyClicks(w.remedyEdit, QString(45, 'x'));
        QTest::keyClick(&w, Qt::Key_Escape);
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "primary_editor_panel.png").string()));
        QTest::mouseClick(w.panelIgnoreButton, Qt::LeftButton);
        w.show();
        QTest::mouseClick(w.instructionsButton, Qt::LeftButton);
        QTest::mouseClick(w.reorderButton, Qt::LeftButton);
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "primary_editor_reorder.png").string()));
    }
    {
        RepertoryEditor w;
        w.show();
        ClickRow(w.entryList, 2);
        QTest::mouseClick(w.warningsButton, Qt::LeftButton);
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "therapies_editor.png").string()));
    }
    {
        SearchUtility w;
        w.show();
        w.primaryFieldRadios[1]->click();
        w.phraseEdit->setText("wonden");
        QTest::mouseClick(w.searchButton, Qt::LeftButton);
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "search_utility.png").string()));
    }
    {
        const fs::path disc = folder_.Path() / "usb" / "OpzioneH";
        fs::create_directories(disc);
        WriteBytes(disc / "DBmain.rnd", FileBytes(kPrimaryDbName));
        AgeFiles("OpzioneH", 600);
        const fs::path old = folder_.Path() / "cd" / "OpzioneH";
        fs::create_directories(old);
        WriteBytes(old / "DBmain.rnd", FileBytes(kPrimaryDbName));
        AgeFiles(old, 6000);
        VolumesInstalled volumes({folder_.Path() / "usb", folder_.Path() / "cd"});
        UpdateWindow w;
        w.show();
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "update_window.png").string()));
    }
}

}  // namespace

}  // namespace database_editors_test
