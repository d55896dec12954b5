// Recalling, deleting and changing stored people through their dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "archive/change_dialog.h"
#include "archive/change_record.h"
#include "archive/current_chart.h"
#include "archive/delete_dialog.h"
#include "archive/name_window.h"
#include "archive/recall_dialog.h"
#include "archive/store_dialog.h"
#include "dialog_test_support.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/text_file.h"

using namespace archive;
namespace fs = std::filesystem;

namespace {

struct StoredPeopleTest : ::testing::Test {
    testing_support::TempWorkFolder tmp;
    gui::RecordingMessageSink messages;
    void SetUp() override {
        dialog_test::PrepareFolder();
        for (const char* n : {"VERDI GIUSEPPE", "BIANCHI LUCA", "ROSSI MARIO", "ALBERTI ANNA", "NERI PAOLO"})
            dialog_test::StorePerson("BASE", n);
    }
    // Every file of the work folder and its bytes.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> files;
        const fs::path root = fs::current_path();  // the data folder
        for (const auto& e : fs::recursive_directory_iterator(root))
            if (e.is_regular_file())
                files[fs::relative(e.path(), root).generic_string()] = testing_support::ReadBytes(e.path());
        return files;
    }
    // The files added, removed or rewritten between two snapshots.
    static std::set<std::string> Touched(const std::map<std::string, std::string>& before,
                                         const std::map<std::string, std::string>& after) {
        std::set<std::string> out;
        for (const auto& [name, bytes] : before) {
            auto it = after.find(name);
            if (it == after.end() || it->second != bytes) out.insert(name);
        }
        for (const auto& [name, bytes] : after)
            if (!before.count(name)) out.insert(name);
        return out;
    }
    static std::set<std::string> DataNumbers(const std::vector<std::string>& entries) {
        std::set<std::string> s;
        for (std::size_t i = 1; i < entries.size(); ++i) s.insert(entries[i].substr(38));
        return s;
    }
};

}  // namespace

TEST(NameWindow, SmallAndLargeArchives) {
    NameWindow w(kNineLineWindow);
    w.Reset(5, 1);
    EXPECT_EQ(w.FirstShown(), 1);
    EXPECT_EQ(w.LastShown(), 5);
    EXPECT_FALSE(w.LineDown());
    w.Reset(10, 5);
    w.HoldAt(1);
    EXPECT_EQ(w.FirstShown(), 1);
    EXPECT_EQ(w.LastShown(), 9);
    EXPECT_TRUE(w.LineDown());
    EXPECT_EQ(w.FirstShown(), 2);
    EXPECT_EQ(w.LastShown(), 10);
    EXPECT_FALSE(w.LineDown());
    EXPECT_EQ(w.PositionOfLine(8), 10);
    EXPECT_EQ(w.PositionOfLine(9), 0);
    NameWindow eight(kEightLineWindow);
    eight.Reset(8, 1);
    for (int line = 0; line < 8; ++line) EXPECT_EQ(eight.PositionOfLine(line), line + 1);
}

TEST_F(StoredPeopleTest, RecallMakesTheChosenPersonCurrent) {
    RecallDialog recall(testing_support::CurrentChartOfTest());
    recall.ResetAndOpenArchive();
    ASSERT_EQ(recall.nameList->count(), 5);
    dialog_test::Type(recall.nameSearchEdit, "ros");
    EXPECT_EQ(recall.nameSearchEdit->text(), "ROS");
    recall.ChooseLine(3);  // ALBERTI, BIANCHI, NERI, ROSSI, VERDI
    EXPECT_EQ(recall.nameSearchEdit->text().left(11), "ROSSI MARIO");
    recall.LoadChosenPerson();
    EXPECT_TRUE(recall.loaded);
    EXPECT_EQ(recall.birthDateEdit->text(), "15/01/1960 12:30");
    EXPECT_EQ(recall.placeEdit->text(), "ROMA");
    // The name as the entry holds it: 38 characters, blanks kept.
    EXPECT_EQ(recall.nameEdit->text(), QString("ROSSI MARIO").leftJustified(38));
    EXPECT_EQ(recall.nameEdit->cursorPosition(), 0);  // shown from its first letter, not scrolled to its blanks
    recall.placeEdit->setText("ROMA EUR");
    recall.MakeLoadedPersonCurrent();
    auto tmpr1 = rt::ReadAllRecords("TMPR.ST1", kIndexRecordSize);
    auto tmpr2 = rt::ReadAllRecords("TMPR.ST2", kBirthRecordSize);
    ASSERT_EQ(tmpr1.size(), 1u);
    ASSERT_EQ(tmpr2.size(), 1u);
    // The name with its record's number, as a store writes the entry.
    EXPECT_EQ(DecodeIndexEntry(tmpr1[0]), "ROSSI MARIO" + std::string(27, ' ') + "00003");
    EXPECT_EQ(DecodeBirthRecord(tmpr2[0]).placeField, "41N54-012E29ROMA EUR");
    // The archive keeps the stored place.
    for (const auto& r : rt::ReadAllRecords("BASE.ST2", kBirthRecordSize))
        EXPECT_NE(DecodeBirthRecord(r).placeField, "41N54-012E29ROMA EUR");
}

// The index emptied beside a data file that holds five people (a copy that
// failed, a full disc): the dialogs that list the archive name it once and
// list nobody, and a store into it is refused, the files left as they are, so
// the people can still come back from a backup.
TEST_F(StoredPeopleTest, AnEmptiedIndexIsNamedAndNothingIsStoredIntoIt) {
    testing_support::WriteBytes(rt::ResolvePath("BASE.ST1"), "");
    const std::string named =
        "Il file \"BASE.ST1\" \xE8 danneggiato o incompleto (\xE8 vuoto, senza la sua voce 0, l'intestazione che il "
        "programma scrive sempre, mentre \"BASE.ST2\" contiene 5 schede di persone che non vi sono pi\xF9 elencate).";
    const std::string advice =
        "Ripristinare l'archivio da una copia di sicurezza (l'archivio BASE con \"Terugzetten\" nella finestra del "
        "backup).";
    const auto before = Snapshot();
    RecallDialog recall(testing_support::CurrentChartOfTest());
    recall.ResetAndOpenArchive();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{named +
                                                         " Le persone dell'archivio non vengono elencate, e "
                                                         "nell'archivio non si registra nessuna persona finch\xE9 il "
                                                         "file non \xE8 integro. " +
                                                         advice});
    ASSERT_EQ(recall.nameList->count(), 1);
    EXPECT_EQ(recall.nameList->item(0)->text().toStdString(), "ARCHIVIO DANNEGGIATO");
    EXPECT_FALSE(recall.nameSearchEdit->isEnabled());
    DeleteDialog del(testing_support::CurrentChartOfTest());
    del.ResetAndOpenArchive();
    ChangeDialog change(testing_support::CurrentChartOfTest());
    change.ResetAndOpenArchive();
    for (const QListWidget* list : {del.nameList, change.nameList}) {
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text().toStdString(), "ARCHIVIO DANNEGGIATO");
    }
    EXPECT_EQ(messages.messages.size(), 1u);  // the same file is named once

    // A new person stored into it, with a text and without.
    CurrentChart& current = testing_support::CurrentChartOfTest();
    current.birth.subjectName = "MORO CARLA";
    current.birth.birthDateText = "15/01/1960 12:30";
    current.birth.enteredPlaceText = "ROMA";
    current.birth.coordinatesText = "41N54-012E29";
    current.birth.timeZoneText = "+1";
    current.birth.nationality = "ITALIA";
    current.chart.moment.gregorian = true;
    StoreDialog store(current);
    bool textShown = false;
    QObject::connect(&store, &StoreDialog::PersonTextRequested, [&textShown] { textShown = true; });
    for (QPushButton* button : {store.storeButton, store.storeAndMakeTextButton}) {
        messages.messages.clear();
        store.ShowEnteredBirthData();
        ASSERT_EQ(store.chosenArchiveEdit->text(), "BASE");
        button->click();
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{named + " Nessun dato registrato. " + advice});
    }
    EXPECT_FALSE(textShown);
    EXPECT_EQ(Touched(before, Snapshot()), std::set<std::string>{});
}

// An index gone from beside the people's data (a copy that left it out) is
// not made anew and empty at the start, which would hide them; the dialogs
// name it as they name an emptied one.
TEST_F(StoredPeopleTest, AMissingIndexIsNotMadeAnewAndIsNamed) {
    fs::remove(rt::ResolvePath("BASE.ST1"));
    CreateEmptyArchive("BASE");  // as every start does for the personal archive
    EXPECT_FALSE(rt::PathExists("BASE.ST1"));
    RecallDialog recall(testing_support::CurrentChartOfTest());
    recall.ResetAndOpenArchive();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.rfind("Il file \"BASE.ST1\" \xE8 danneggiato o incompleto (manca, senza la "
                                              "sua voce 0, l'intestazione che il programma scrive sempre, mentre "
                                              "\"BASE.ST2\" contiene 5 schede di persone",
                                              0),
              0u)
        << messages.messages[0].text;
    ASSERT_EQ(recall.nameList->count(), 1);
    EXPECT_EQ(recall.nameList->item(0)->text().toStdString(), "ARCHIVIO DANNEGGIATO");
    EXPECT_EQ(ListArchiveNames(), std::vector<std::string>({"BASE", "TMPR"}));
    EXPECT_FALSE(rt::PathExists("BASE.ST1"));
}

TEST_F(StoredPeopleTest, RecallWordOrderCyclesBack) {
    dialog_test::StorePerson("BASE", "DE LUCA ANNA");
    RecallDialog recall(testing_support::CurrentChartOfTest());
    recall.ResetAndOpenArchive();
    recall.ChooseLine(2);  // ALBERTI, BIANCHI, DE LUCA
    recall.LoadChosenPerson();
    ASSERT_EQ(recall.nameEdit->text(), QString("DE LUCA ANNA").leftJustified(38));
    recall.NextNameWordOrder();
    EXPECT_EQ(recall.nameEdit->text(), "LUCA ANNA DE");
    for (int i = 0; i < 5; ++i) recall.NextNameWordOrder();
    EXPECT_EQ(recall.nameEdit->text(), "DE LUCA ANNA");
}

TEST_F(StoredPeopleTest, DeleteShortensTheIndexAndErasesTheText) {
    std::string number = CreatePersonTextFile("BASE", "MORO CARLA");
    dialog_test::StorePerson("BASE", "MORO CARLA", {"196001151230+1", "41N54-012E29ROMA"}, "NOTA", number);
    // The text file's name is spelled in another case on disk.
    fs::rename(rt::ResolvePath(PersonTextFileName("BASE", number)),
               rt::ResolvePath("BASEtxt").string() + "/" + number + ".TXT");
    auto entries = dialog_test::IndexEntries("BASE");
    DeleteDialog del(testing_support::CurrentChartOfTest());
    del.ResetAndOpenArchive();
    del.ChooseLine(2);  // ALBERTI, BIANCHI, MORO
    del.ShowChosen();
    ASSERT_TRUE(del.shown);
    EXPECT_EQ(del.textNumber, number);
    del.DeleteChosenPerson();
    EXPECT_TRUE(messages.messages.empty());
    auto after = dialog_test::IndexEntries("BASE");
    EXPECT_EQ(after.size(), entries.size() - 1);
    EXPECT_TRUE(dialog_test::InOrder(after));
    for (const auto& e : after) EXPECT_NE(e.substr(0, 10), "MORO CARLA");
    EXPECT_FALSE(rt::PathExists("BASEtxt\\" + number + ".txt"));
    EXPECT_EQ(del.nameList->count(), 5);
    // The data record stays.
    EXPECT_EQ(rt::ReadAllRecords("BASE.ST2", kBirthRecordSize).size(), 7u);
}

TEST_F(StoredPeopleTest, DeleteTouchesTheIndexTheTextAndTheModificationMarkOnly) {
    std::string number = CreatePersonTextFile("BASE", "MORO CARLA");
    dialog_test::StorePerson("BASE", "MORO CARLA", {"196001151230+1", "41N54-012E29ROMA"}, "NOTA", number);
    fs::remove(rt::ResolvePath("FileDum\\MMordina.dum"));
    DeleteDialog del(testing_support::CurrentChartOfTest());
    del.ResetAndOpenArchive();
    del.ChooseLine(2);  // ALBERTI, BIANCHI, MORO
    del.ShowChosen();
    const auto before = Snapshot();
    del.DeleteChosenPerson();
    const auto after = Snapshot();
    EXPECT_EQ(Touched(before, after),
              (std::set<std::string>{"BASE.ST1", "BASEtxt/" + number + ".txt", "FileDum/MMordina.dum"}));
    EXPECT_EQ(after.at("FileDum/MMordina.dum"), "BASE\r\n");
}

TEST_F(StoredPeopleTest, ChangeTouchesTheArchiveAndTheModificationMarkOnly) {
    fs::remove(rt::ResolvePath("FileDum\\MMordina.dum"));
    ChangeDialog change(testing_support::CurrentChartOfTest());
    change.ResetAndOpenArchive();
    change.ChooseLine(1);  // BIANCHI LUCA
    change.OpenChosen();
    change.birthTimeEdit->setText("13:45");
    change.annotationEdits[0]->setText("NOTA");
    const auto before = Snapshot();
    ASSERT_TRUE(change.SaveEditedRecord());
    const auto after = Snapshot();
    // The name stays, so the index keeps its bytes.
    EXPECT_EQ(Touched(before, after), (std::set<std::string>{"BASE.ST2", "BASE.ST3", "FileDum/MMordina.dum"}));
    EXPECT_EQ(after.at("FileDum/MMordina.dum"), "BASE\r\n");
}

TEST_F(StoredPeopleTest, ChangeTextButtonKeepsTheCurrentPersonsHandOffs) {
    // The current person is someone else, with a text of their own.
    testing_support::WriteBytes(rt::ResolvePath("FileDum\\StrText.dum"), "BASE\r\n00007\r\n");
    testing_support::WriteBytes(rt::ResolvePath("FileDum\\Annotaz.dum"), " ALTRA PERSONA\r\n");
    int editorShown = 0;
    ChangeDialog change(testing_support::CurrentChartOfTest());
    QObject::connect(&change, &ChangeDialog::PersonTextRequested, [&] { ++editorShown; });
    change.ResetAndOpenArchive();
    change.ChooseLine(3);  // ROSSI MARIO
    change.OpenChosen();
    const auto before = Snapshot();
    change.makeTextButton->click();
    const auto after = Snapshot();
    EXPECT_EQ(editorShown, 1);
    const std::string number = change.textNumberEdit->text().toStdString();
    ASSERT_EQ(number.size(), 5u);
    const std::string text = "BASEtxt/" + number + ".txt";
    EXPECT_EQ(Touched(before, after),
              (std::set<std::string>{"BASE.ST2", "BASE.ST3", "BASEtxt/FlagTxt.set", text, "FileDum/DatModif.dum"}));
    EXPECT_EQ(after.at("FileDum/DatModif.dum"), "BASEtxt\\" + number + ".txt\r\n");
    EXPECT_EQ(after.at(text).substr(0, 11), "ROSSI MARIO");
    EXPECT_EQ(after.at("FileDum/StrText.dum"), "BASE\r\n00007\r\n");
}

// Text pasted into the change and recall dialogs that holds characters the
// archive files have no code for is refused, naming them: no record, no
// text and no current person is written with "?" in their place.
TEST_F(StoredPeopleTest, ChangeAndRecallRefuseCharactersTheArchiveCannotHold) {
    auto paste = [](QLineEdit* e, const char* utf8) {
        QApplication::clipboard()->setText(QString::fromUtf8(utf8));
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    };
    int editorShown = 0;
    ChangeDialog change(testing_support::CurrentChartOfTest());
    QObject::connect(&change, &ChangeDialog::PersonTextRequested, [&] { ++editorShown; });
    change.ResetAndOpenArchive();
    change.ChooseLine(3);  // ROSSI MARIO
    change.OpenChosen();
    const auto before = Snapshot();
    paste(change.nameEdit, "ROSSI \u0416 MARIO");
    change.makeTextButton->click();  // a new text would carry the name
    paste(change.nameEdit, "ROSSI MARIO");
    paste(change.nationalityEdit, "ITALIA \U0001F1EE\U0001F1F9");
    change.storeButton->click();
    EXPECT_EQ(change.focusWidget(), change.nationalityEdit);
    EXPECT_EQ(change.nationalityEdit->text(), QString::fromUtf8("ITALIA \U0001F1EE\U0001F1F9"));
    EXPECT_EQ(editorShown, 0);
    EXPECT_TRUE(Touched(before, Snapshot()).empty());

    RecallDialog recall(testing_support::CurrentChartOfTest());
    recall.ResetAndOpenArchive();
    recall.ChooseLine(3);
    recall.LoadChosenPerson();
    ASSERT_TRUE(recall.loaded);
    const auto loaded = Snapshot();
    paste(recall.placeEdit, "ROMA \u2600");
    recall.okButton->click();
    EXPECT_TRUE(Touched(loaded, Snapshot()).empty());
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{
                  "Il nome contiene caratteri che l'archivio non pu\xF2 registrare (U+0416): toglierli o scriverli "
                  "con altre lettere. Nessun dato registrato.",
                  "La nazione contiene caratteri che l'archivio non pu\xF2 registrare (U+1F1EE, U+1F1F9): toglierli "
                  "o scriverli con altre lettere. Nessun dato registrato.",
                  "Il luogo contiene caratteri che l'archivio non pu\xF2 registrare (U+2600): toglierli o scriverli "
                  "con altre lettere. Nessun dato registrato."}));
}

TEST_F(StoredPeopleTest, DeleteWithoutAShownPersonIsRefused) {
    DeleteDialog del(testing_support::CurrentChartOfTest());
    del.ResetAndOpenArchive();
    del.DeleteChosenPerson();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Doppio Clic su Elenco"});
    EXPECT_EQ(dialog_test::IndexEntries("BASE").size(), 6u);
}

TEST_F(StoredPeopleTest, RenamingTheFirstPersonToALastNameMovesItsEntry) {
    auto before = dialog_test::IndexEntries("BASE");
    std::size_t notesBefore = rt::ReadAllRecords("BASE.ST3", kAnnotationRecordSize).size();
    ChangeDialog change(testing_support::CurrentChartOfTest());
    change.ResetAndOpenArchive();
    change.ChooseLine(0);
    change.OpenChosen();
    ASSERT_EQ(change.nameEdit->text(), "ALBERTI ANNA");
    change.nameEdit->setText("ZUCCHI ANNA");
    change.annotationEdits[0]->setText("PRIMA NOTA");
    ASSERT_TRUE(change.SaveEditedRecord()) << (messages.messages.empty() ? "" : messages.messages[0].text);
    auto after = dialog_test::IndexEntries("BASE");
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(dialog_test::InOrder(after));
    EXPECT_EQ(after.back().substr(0, 11), "ZUCCHI ANNA");
    EXPECT_EQ(DataNumbers(after), DataNumbers(before));
    EXPECT_EQ(rt::ReadAllRecords("BASE.ST3", kAnnotationRecordSize).size(), notesBefore + 1);
    // The data record names its new annotation and keeps its date.
    int number = *IndexEntryNumber(after.back());
    BirthRecord rec = DecodeBirthRecord(rt::ReadAllRecords("BASE.ST2", kBirthRecordSize)[number]);
    EXPECT_EQ(rec.annotationNumber, rt::ZeroPad(static_cast<long long>(notesBefore), 5));
    EXPECT_EQ(rec.dateField.substr(0, 12), "196001151230");
}

TEST_F(StoredPeopleTest, ChangeChecksItsFields) {
    ChangeDialog change(testing_support::CurrentChartOfTest());
    change.ResetAndOpenArchive();
    change.ChooseLine(1);
    change.OpenChosen();
    change.birthTimeEdit->setText("24:00");
    EXPECT_FALSE(change.SaveEditedRecord());
    change.birthTimeEdit->setText("12:30");
    change.correctionEdit->setText("13");
    EXPECT_FALSE(change.SaveEditedRecord());
    change.correctionEdit->setText("-5");  // far from 12 degrees east: asked, answered No
    messages.answers.push_back(gui::kAnswerNo);
    EXPECT_FALSE(change.SaveEditedRecord());
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Ora Nascita Scorretta o Incompleta", "\"Corr\" riporta un valore impossibile",
                                        "Possibile Incongruenza tra Longitudine e \"Corr\", Confermi i Dati?"}));
    change.correctionEdit->setText("-1,5");
    EXPECT_TRUE(change.SaveEditedRecord());
    EXPECT_EQ(change.correctionEdit->text(), "-1.5");
}

TEST_F(StoredPeopleTest, ChangeRefusesADayItsMonthDoesNotHave) {
    ChangeDialog change(testing_support::CurrentChartOfTest());
    change.ResetAndOpenArchive();
    change.ChooseLine(1);
    change.OpenChosen();
    const auto before = Snapshot();
    change.birthDateEdit->setText("30/02/1985");
    EXPECT_FALSE(change.SaveEditedRecord());
    // 29 February 1700 exists in the Julian calendar only.
    change.birthDateEdit->setText("29/02/1700");
    change.calendarEdit->setText("GREGORIANO");
    EXPECT_FALSE(change.SaveEditedRecord());
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Data Nascita Scorretta o Incompleta", "Data Nascita Scorretta o Incompleta"}));
    EXPECT_TRUE(Touched(before, Snapshot()).empty());
    change.calendarEdit->setText("GIULIANO");
    EXPECT_TRUE(change.SaveEditedRecord());
}

TEST(RepositionEntry, KeepsOrderWhicheverWayTheNameMoves) {
    std::vector<std::string> e = {"HEADER", "A 1", "C 2", "E 3", "G 4"};
    EXPECT_EQ(RepositionEntry(e, 4, "B 4"), 2);
    EXPECT_EQ(e, (std::vector<std::string>{"HEADER", "A 1", "B 4", "C 2", "E 3"}));
    EXPECT_EQ(RepositionEntry(e, 1, "Z 1"), 4);
    EXPECT_EQ(e, (std::vector<std::string>{"HEADER", "B 4", "C 2", "E 3", "Z 1"}));
    EXPECT_EQ(RepositionEntry(e, 2, "C 9"), 2);
}
