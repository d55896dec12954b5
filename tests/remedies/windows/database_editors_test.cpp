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
#include "remedies/windows/window_parts.h"
#include "remedies/windows/primary_editor.h"
#include "remedies/windows/repertory_editor.h"
#include "remedies/windows/search_utility.h"
#include "remedies/windows/therapy_browser.h"
#include "remedies/windows/update_window.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/common/keyboard.h"
#include "tests/remedies/windows/editor_test_util.h"

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
    TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    void SetUp() override {
        for (const char* f : {"OpzioneH/DBmain.rnd", "OpzioneH/Repertorio.rnd", "Appoggio/Aggiorna1.txt",
                              "Appoggio/Aggiorna2.txt"}) {
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
    ASSERT_EQ(w.ListBox1->count(), n);
    EXPECT_TRUE(w.RBprod->isChecked());
    EXPECT_EQ(w.RecordCountText, std::to_string(n));
    EXPECT_EQ(Text(w.MemoIndi), "");
    EXPECT_EQ(w.MemoIndi->placeholderText(), "Indicaties");

    ClickRow(w.ListBox1, 3);
    const auto [remedy, indication] = SplitListEntry(w.Entries[3].text, false);
    const std::int64_t r = w.Entries[3].record;
    EXPECT_EQ(Text(w.EdProd), remedy);
    EXPECT_EQ(Text(w.MemoIndi), indication);
    EXPECT_EQ(Text(w.EdNumRec), std::to_string(r) + " / " + std::to_string(n));
    EXPECT_TRUE(w.BBelimina->isEnabled());
    EXPECT_FALSE(w.BBsalva->isEnabled());

    // Only the posology changes: the panel offers the save in place alone.
    w.MemoPoso->setFocus();
    w.MemoPoso->moveCursor(QTextCursor::End);
    QTest::keyClicks(w.MemoPoso, " 3x");
    EXPECT_TRUE(w.BBsalva->isEnabled());
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    ASSERT_TRUE(w.PanelSalva->isVisible());
    EXPECT_TRUE(w.LabDesc->isEnabled());
    EXPECT_FALSE(w.LabProd->isEnabled());
    EXPECT_FALSE(w.LabIndi->isEnabled());
    EXPECT_TRUE(w.BBsalva1->isEnabled());
    EXPECT_FALSE(w.BBnuovo1->isEnabled());
    EXPECT_TRUE(w.BBelimina1->isEnabled());
    const std::string posology = PrimaryRecordToTexts(ReadPrimaryRecord(r)).Posology;
    QTest::mouseClick(w.BBsalva1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(PrimaryRecordToTexts(ReadPrimaryRecord(r)).Posology, posology + " 3x");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SampleWindows, PrimaryEditorClosesAtOnceUntouchedAndRefusesASaveWithoutARecord) {
    PrimaryEditor w;
    w.show();
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());

    w.show();
    w.EdProd->setFocus();
    QTest::keyClicks(w.EdProd, "Nieuw");
    // No record is shown: there is none to save into, only a new one to add.
    EXPECT_FALSE(w.BBsalva->isEnabled());
    EXPECT_TRUE(w.BBnuovo->isEnabled());
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty());
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_TRUE(w.PanelSalva->isVisible());
    EXPECT_TRUE(w.LabProd->isEnabled());
    EXPECT_FALSE(w.LabIndi->isEnabled());
    EXPECT_FALSE(w.LabDesc->isEnabled());
    EXPECT_FALSE(w.BBelimina1->isEnabled());
    QTest::mouseClick(w.BBignora1, Qt::LeftButton);
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
    QTest::keyClicks(primary.EdCerca, "sal");
    EXPECT_EQ(editor_tests::CurrentLine(primary.ListBox1).substr(0, 3), "Sal");
    EXPECT_EQ(emptied(primary.EdCerca), "");
    QTest::keyClicks(primary.EdCerca, "t");
    untyped(primary.EdCerca);
    EXPECT_EQ(Text(primary.EdCerca), "T");
    EXPECT_EQ(primary.SearchKey, "T");
    EXPECT_EQ(editor_tests::CurrentLine(primary.ListBox1).substr(0, 1), "T");
    primary.close();

    RepertoryEditor therapies;
    therapies.show();
    QTest::keyClicks(therapies.EditCerca, "sl");
    untyped(therapies.EditCerca);
    EXPECT_EQ(Text(therapies.EditCerca), "sl");
    EXPECT_EQ(therapies.SearchKey, "SL");
    EXPECT_EQ(emptied(therapies.EditCerca), "");
    EXPECT_EQ(therapies.SearchKey, "");
    therapies.close();

    TherapyBrowser browser;
    browser.show();
    QTest::keyClicks(browser.EditCerca, "sl");
    untyped(browser.EditCerca);
    EXPECT_EQ(Text(browser.EditCerca), "SL");
    EXPECT_EQ(emptied(browser.EditCerca), "");
    QTest::keyClicks(browser.EditCerca, "h");
    EXPECT_EQ(Text(browser.EditCerca), "H");
    EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
}

TEST_F(SampleWindows, PrimaryEditorWarnsAtThe51stCharacterOfARemedy) {
    PrimaryEditor w;
    w.show();
    const int beeps = BeepCount();
    w.EdProd->setFocus();
    QTest::keyClicks(w.EdProd, QString(50, 'a'));
    EXPECT_FALSE(w.EdLimite->isVisible());
    QTest::keyClick(w.EdProd, Qt::Key_B);
    EXPECT_TRUE(w.EdLimite->isVisible());
    EXPECT_EQ(w.EdLimite->y(), 53);
    EXPECT_EQ(BeepCount(), beeps + 1);
    QTest::keyClick(w.EdProd, Qt::Key_Backspace);
    EXPECT_FALSE(w.EdLimite->isVisible());
    // Save as new wants an indication; then it asks before it cuts the name
    // to its 50 characters (yes), and the new record is counted.
    const std::int64_t n = PrimaryRecordCount();
    QTest::keyClick(w.EdProd, Qt::Key_C);
    QTest::mouseClick(w.BBnuovo, Qt::LeftButton);
    EXPECT_EQ(PrimaryRecordCount(), n);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("\"Indicaties\" \xE8 vuoto"), std::string::npos);
    w.MemoIndi->setPlainText("Hoofdpijn");
    QTest::mouseClick(w.BBnuovo, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].buttons, gui::Buttons::YesNo);
    EXPECT_NE(messages.messages[1].text.find("\"Remedie\": 51 caratteri, il limite \xE8 50"), std::string::npos);
    EXPECT_EQ(PrimaryRecordCount(), n + 1);
    EXPECT_EQ(ReadPrimaryRecord(n + 1).Remedy, std::string(50, 'a'));
    // The new record is shown, as stored.
    EXPECT_EQ(Text(w.EdNumRec), std::to_string(n + 1) + " / " + std::to_string(n + 1));
    EXPECT_EQ(Text(w.EdProd), std::string(50, 'a'));
    EXPECT_EQ(w.ListBox1->count(), n + 1);
}

TEST_F(SampleWindows, PrimaryEditorReorderMovesRecordsInTheFile) {
    const std::string before = FileBytes(kPrimaryDbName);
    auto record = [](const std::string& bytes, std::size_t r) {
        return bytes.substr(r * kPrimaryRecordSize, kPrimaryRecordSize);
    };
    PrimaryEditor w;
    w.show();
    ClickRow(w.ListBox1, 0);
    ASSERT_GT(w.CurrentRecordNumber, 0);
    QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);
    // The form is emptied, so no record stays current while numbers change.
    EXPECT_EQ(w.CurrentRecordNumber, 0);
    EXPECT_EQ(Text(w.EdProd), "");
    EXPECT_EQ(w.BBmodifEle->text(), "Definitivo");
    EXPECT_TRUE(w.BBannulla->isVisible());
    EXPECT_FALSE(w.RBprod->isVisible());
    EXPECT_FALSE(w.EdCerca->isEnabled());
    for (int i = 0; i < w.ListBox1->count(); ++i) EXPECT_EQ(w.Entries[static_cast<std::size_t>(i)].record, i + 1);

    DoubleClickRow(w.ListBox1, 5);
    EXPECT_TRUE(w.MovePending);
    DoubleClickRow(w.ListBox1, 2);
    EXPECT_FALSE(w.MovePending);
    EXPECT_EQ(w.Entries[2].record, 6);
    EXPECT_EQ(w.Entries[3].record, 3);
    QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);
    const std::string after = FileBytes(kPrimaryDbName);
    EXPECT_EQ(record(after, 0), record(before, 0));
    EXPECT_EQ(record(after, 3), record(before, 6));
    EXPECT_EQ(record(after, 4), record(before, 3));
    EXPECT_EQ(record(after, 7), record(before, 7));
    EXPECT_EQ(w.BBmodifEle->text(), "Modifica Elenco");
    EXPECT_TRUE(w.RBprod->isChecked());
    EXPECT_FALSE(w.BBannulla->isVisible());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SampleWindows, PrimaryEditorFindNextWrapsSilently) {
    PrimaryEditor w;
    w.show();
    w.EdTrova->setText("calendula");
    std::vector<int> hits;
    for (int i = 0; i < 10; ++i) {
        QTest::mouseClick(w.BBtrova, Qt::LeftButton);
        hits.push_back(w.FindActive ? w.ListBox1->currentRow() : -1);
    }
    ASSERT_GT(hits[0], -1);
    const auto end = std::find(hits.begin(), hits.end(), -1);
    ASSERT_NE(end, hits.end());
    EXPECT_EQ(*(end + 1), hits[0]);  // after the last match the find starts again
    for (auto it = hits.begin(); it != end; ++it)
        EXPECT_NE(gui::FromQt(w.ListBox1->item(*it)->text()).find("Calendula"), std::string::npos);
}

TEST_F(SampleWindows, TherapiesEditorShowsTheLinkedPrimaryRecord) {
    RepertoryEditor w;
    w.show();
    ASSERT_EQ(w.ListBox1->count(), RepertoryRecordCount());
    EXPECT_TRUE(w.RBpato->isChecked());
    ClickRow(w.ListBox1, 0);
    const auto [remedy, pathology] = SplitListEntry(w.Entries[0].text, true);
    EXPECT_EQ(Text(w.EdProd), remedy);
    EXPECT_EQ(Text(w.EdPato), pathology);
    ASSERT_GT(w.LinkedPrimaryRecord, 0);
    EXPECT_TRUE(w.BBsegna->isEnabled());
    const PrimaryRecord linked = ReadPrimaryRecord(w.LinkedPrimaryRecord);
    EXPECT_EQ(rt::UpperAscii(linked.Remedy), rt::UpperAscii(remedy));
    QTest::mouseClick(w.BBsegna, Qt::LeftButton);
    EXPECT_NE(Text(w.MemoPrim).find(linked.PrimarySignature), std::string::npos);
    QTest::mouseDClick(w.MemoPrim->viewport(), Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoNote), Text(w.MemoPrim));
    EXPECT_TRUE(w.BBsalva->isEnabled());
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    EXPECT_TRUE(w.PanelSalva->isVisible());
    EXPECT_TRUE(w.LabDesc->isEnabled());
    QTest::mouseClick(w.BBignora1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(SampleWindows, TherapiesEditorAsksAboutNotesTypedOnAnEmptyForm) {
    RepertoryEditor w;
    w.show();
    w.MemoNote->setFocus();
    QTest::keyClicks(w.MemoNote, "abc");
    EXPECT_TRUE(w.DescriptionsChanged);
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    ASSERT_TRUE(w.PanelSalva->isVisible());
    EXPECT_TRUE(w.LabDesc->isEnabled());
    EXPECT_FALSE(w.LabProd->isEnabled());
    EXPECT_FALSE(w.BBelimina1->isEnabled());
    // No record to save into: only a new record is offered, and one without
    // a pathology is refused with the window and the notes kept.
    EXPECT_FALSE(w.BBsalva1->isEnabled());
    ASSERT_TRUE(w.BBnuovo1->isEnabled());
    const std::string before = FileBytes(kRepertoryDbName);
    QTest::mouseClick(w.BBnuovo1, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("\"PATHOLOGIE\""), std::string::npos);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Text(w.MemoNote), "abc");
    EXPECT_EQ(FileBytes(kRepertoryDbName), before);
}

TEST(TherapiesEditor, ARemedyMissingFromThePrimaryDatabaseIsReportedInRed) {
    TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    WritePrimaryDb({Texts("Aurum", "Angst")});
    std::vector<rt::Bytes> rep{rt::Bytes(kRepertoryRecordSize, 0)};
    rep.push_back(EncodeRepertoryRecord(FormToRepertoryRecord({"Angst", "AURUM", "2 x", ""})));
    rep.push_back(EncodeRepertoryRecord(FormToRepertoryRecord({"Hoofdpijn", "Aurum ", "1 x", ""})));
    rt::ReplaceAllRecords(kRepertoryDbName, kRepertoryRecordSize, rep);
    RepertoryEditor w;
    w.show();
    ClickRow(w.ListBox1, 0);  // "Angst**AURUM": other capitals still link
    EXPECT_EQ(w.LinkedPrimaryRecord, 1);
    ClickRow(w.ListBox1, 1);  // a trailing blank does not
    EXPECT_EQ(w.LinkedPrimaryRecord, 0);
    EXPECT_EQ(Text(w.MemoPrim), "Aurum  kan niet worden gevonden in de primaire database.");
    EXPECT_EQ(w.MemoPrim->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_FALSE(w.BBaltro->isEnabled());
    // Notes of 751 characters show the warning at the notes.
    w.MemoNote->setPlainText(QString(751, 'n'));
    EXPECT_TRUE(w.EdLimite->isVisible());
    EXPECT_EQ(w.EdLimite->y(), 253);
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    EXPECT_EQ(ReadRepertoryRecord(2).Notes(), std::string(750, 'n'));
}

TEST_F(SampleWindows, UtilityReachesTheLastRecordAndSavesAnIndicationAsTheFieldsAllow) {
    const std::int64_t n = PrimaryRecordCount();
    const std::string last = ReadPrimaryRecord(n).Indication();
    SearchUtility w;
    w.show();
    w.RBindi->click();
    w.EditCerca->setText(gui::ToQt(last));
    std::vector<std::string> positions;
    for (int i = 0; i < 200; ++i) {
        QTest::mouseClick(w.BBcerca, Qt::LeftButton);
        positions.push_back(Text(w.Edit1));
        if (Text(w.EdRime) == "FINE ARCHIVIO") break;
    }
    ASSERT_GE(positions.size(), 2u);
    EXPECT_EQ(positions[positions.size() - 2], std::to_string(n + 1));  // the last record was shown
    EXPECT_EQ(positions.back(), std::to_string(n));
    EXPECT_EQ(w.BBcerca->text(), "Cerca");

    // Find the last record again and replace its indication by 320 characters.
    QTest::mouseClick(w.BBcerca, Qt::LeftButton);
    for (int i = 0; i < 200 && Text(w.Edit1) != std::to_string(n + 1); ++i) QTest::mouseClick(w.BBcerca, Qt::LeftButton);
    ASSERT_EQ(Text(w.Edit1), std::to_string(n + 1));
    EXPECT_EQ(Text(w.Memo1) + Text(w.Memo2), last);
    EXPECT_FALSE(w.BBsalva->isEnabled());  // a search result alone arms nothing
    QTest::mouseClick(w.Memo2->viewport(), Qt::LeftButton);
    w.Memo1->clear();
    w.Memo2->setPlainText(QString::fromStdString(Pattern(320)));
    ASSERT_TRUE(w.BBsalva->isEnabled());
    // The count follows the edit, red while it is beyond the field.
    EXPECT_EQ(Text(w.Edit2), "320/300");
    EXPECT_EQ(BaseColour(w.Edit2), kRedColour);
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    // Asked first (yes): the last 20 characters go.
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("\"Indicazioni\": 320 caratteri, il limite \xE8 300"), std::string::npos);
    const PrimaryRecord r = ReadPrimaryRecord(n);
    EXPECT_EQ(r.Indication1, Pattern(320).substr(0, 250));
    EXPECT_EQ(r.Indication2, Pattern(320).substr(250, 50));
    EXPECT_FALSE(w.BBsalva->isEnabled());
    // The memos and the count show what the record holds now.
    EXPECT_EQ(Text(w.Memo1) + Text(w.Memo2), Pattern(300));
    EXPECT_EQ(Text(w.Edit2), "300/300");
}

TEST_F(SampleWindows, UtilityAnswerNoContinuesAndLeavesTheRecord) {
    const std::string before = FileBytes(kPrimaryDbName);
    SearchUtility w;
    w.show();
    w.EditCerca->setText("calendula");
    QTest::mouseClick(w.BBcerca, Qt::LeftButton);
    ASSERT_EQ(w.BBcerca->text(), "Continua");
    const std::string first = Text(w.Edit1);
    QTest::mouseClick(w.Memo1->viewport(), Qt::LeftButton);
    QTest::keyClicks(w.Memo1, "xyz");
    ASSERT_TRUE(w.BBsalva->isEnabled());
    messages.answers.push_back(gui::AnswerNo);
    QTest::mouseClick(w.BBcerca, Qt::LeftButton);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Salvare le modifiche apportate?"});
    EXPECT_NE(Text(w.Edit1), first);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    // An empty phrase ends at once; saving then does nothing.
    w.EditCerca->clear();
    QTest::mouseClick(w.BBcerca, Qt::LeftButton);
    EXPECT_EQ(Text(w.EdRime), "FINE ARCHIVIO");
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
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
    const fs::path newer = folder.Path() / "usb" / "OpzioneH";
    const fs::path older = folder.Path() / "cd" / "opzioneh";
    fs::create_directories(newer);
    fs::create_directories(older);
    const Bytes added = EncodePrimaryRecord(MakePrimaryRecord(Texts("nnnnnnnnnn", "Angst")));
    WriteBytes(newer / "DBmain.rnd", FileBytes(kPrimaryDbName) + std::string(added.begin(), added.end()));
    WriteBytes(newer / "Repertorio.rnd", FileBytes(kRepertoryDbName));
    WriteBytes(older / "DBmain.rnd", std::string(kPrimaryRecordSize, '\0'));
    AgeFiles(newer, 5);
    AgeFiles(older, 6000);
    VolumesInstalled volumes({folder.Path() / "cd", folder.Path() / "usb", folder.Path() / "empty"});

    UpdateWindow w;
    w.show();
    EXPECT_NE(Text(w.Memo1).find("AGGIORNAMENTO"), std::string::npos);
    EXPECT_EQ(Text(w.EdUltAgg), SetDateIn("OpzioneH").dateText);
    EXPECT_EQ(Text(w.EdNuoAgg1), SetDateIn(older).dateText);
    EXPECT_EQ(Text(w.EdNuoAgg2), SetDateIn(newer).dateText);
    EXPECT_EQ(Text(w.EdDisp3), "");
    EXPECT_FALSE(w.BBok3->isEnabled());
    EXPECT_EQ(w.EdNuoAgg1->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(w.EdNuoAgg2->palette().color(QPalette::Base), QColor(0, 255, 255));

    const std::string local = FileBytes(kPrimaryDbName);
    messages.answers.push_back(gui::AnswerNo);
    QTest::mouseClick(w.BBok1, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("pi\xF9 vecchie"), std::string::npos);
    EXPECT_EQ(FileBytes(kPrimaryDbName), local);

    const std::string localTherapies = FileBytes(kRepertoryDbName);
    QTest::mouseClick(w.BBok2, Qt::LeftButton);
    // Installed, and the replaced pair kept beside it under one number, as the message says.
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_NE(messages.messages[1].text.find("DBmain.rnd.precedente1 e Repertorio.rnd.precedente1"), std::string::npos)
        << messages.messages[1].text;
    EXPECT_EQ(testing_support::ReadBytes("OpzioneH/DBmain.rnd.precedente1"), local);
    EXPECT_EQ(testing_support::ReadBytes("OpzioneH/Repertorio.rnd.precedente1"), localTherapies);
    EXPECT_EQ(FileBytes(kPrimaryDbName), testing_support::ReadBytes(newer / "DBmain.rnd"));
    EXPECT_EQ(fs::last_write_time(rt::ResolvePath(kPrimaryDbName)), fs::last_write_time(newer / "DBmain.rnd"));
    EXPECT_EQ(Text(w.EdUltAgg), Text(w.EdNuoAgg2));
    EXPECT_EQ(w.BitBtnRitorna->text(), "Ritorna al Menu");
    // The disc brought no lists: they were made from the new databases.
    EXPECT_EQ(PrimaryRecordCount(), static_cast<std::int64_t>(FileBytes(kPrimaryDbName).size() / kPrimaryRecordSize) - 1);
    EXPECT_NE(FileBytes(kRemedyListName).find("nnnnnnnn"), std::string::npos);
}

TEST_F(SampleWindows, UpdateWindowWithoutADiscSaysSoAndTakesAChosenFolder) {
    VolumesInstalled volumes({});
    UpdateWindow w;
    w.show();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Non \xE8 stato rilevato alcun disco di aggiornamento"});
    EXPECT_FALSE(w.BBok1->isEnabled());
    const fs::path chosen = folder.Path() / "downloads";
    fs::create_directories(chosen / "OpzioneH");
    WriteBytes(chosen / "OpzioneH" / "Repertorio.rnd", FileBytes(kRepertoryDbName));
    auto previous = UpdateWindow::ChooseFolder;
    UpdateWindow::ChooseFolder = [&](QWidget*) { return chosen; };
    QTest::mouseClick(w.BBcartella, Qt::LeftButton);
    UpdateWindow::ChooseFolder = previous;
    EXPECT_TRUE(w.BBok1->isEnabled());
    EXPECT_EQ(Text(w.EdNuoAgg1), SetDateIn(chosen / "OpzioneH").dateText);
    EXPECT_NE(Text(w.Memo1).find("Inserire il disco"), std::string::npos);
    // With "OpzioneH\AutoSet" the other explanation is shown.
    WriteBytes("OpzioneH/AutoSet", "");
    w.FormActivate();
    EXPECT_NE(Text(w.Memo1).find("aggiornamento automatico"), std::string::npos);
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
        ClickRow(w.ListBox1, 4);
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "primary_editor.png").string()));
        w.EdProd->setFocus();
        QTest::keyClicks(w.EdProd, QString(45, 'x'));
        QTest::keyClick(&w, Qt::Key_Escape);
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "primary_editor_panel.png").string()));
        QTest::mouseClick(w.BBignora1, Qt::LeftButton);
        w.show();
        QTest::mouseClick(w.BBinfo, Qt::LeftButton);
        QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "primary_editor_reorder.png").string()));
    }
    {
        RepertoryEditor w;
        w.show();
        ClickRow(w.ListBox1, 2);
        QTest::mouseClick(w.BBaltro, Qt::LeftButton);
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "therapies_editor.png").string()));
    }
    {
        SearchUtility w;
        w.show();
        w.RBindi->click();
        w.EditCerca->setText("wonden");
        QTest::mouseClick(w.BBcerca, Qt::LeftButton);
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "search_utility.png").string()));
    }
    {
        const fs::path disc = folder.Path() / "usb" / "OpzioneH";
        fs::create_directories(disc);
        WriteBytes(disc / "DBmain.rnd", FileBytes(kPrimaryDbName));
        AgeFiles("OpzioneH", 600);
        const fs::path old = folder.Path() / "cd" / "OpzioneH";
        fs::create_directories(old);
        WriteBytes(old / "DBmain.rnd", FileBytes(kPrimaryDbName));
        AgeFiles(old, 6000);
        VolumesInstalled volumes({folder.Path() / "usb", folder.Path() / "cd"});
        UpdateWindow w;
        w.show();
        QTest::qWait(50);
        w.grab().save(QString::fromStdString((out / "update_window.png").string()));
    }
}

}  // namespace
