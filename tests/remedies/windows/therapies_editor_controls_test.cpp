// Each control of the therapies database editor pressed, with a check of its
// own effect: the four fields shown from and saved into their own part of the
// record, each field's length warning, each change arming the save and naming
// itself in the closing panel, the clearing, the four buttons of the primary
// database's record, the two double clicks, the two list orders, the rebuild
// of the pathology list, the reorder and its cancel, the find and the
// instructions; a damaged database named at once and written into by nothing.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <chrono>
#include <filesystem>

#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/paths.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/repertory_editor.h"
#include "remedies/windows/window_parts.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/editor_test_util.h"
#include "tests/remedies/windows/window_test_util.h"

namespace therapies_editor_controls_test {

using namespace remedies;
using namespace remedy_tests;
using namespace editor_tests;
using namespace window_tests;

namespace {

class TherapiesEditorControls : public OwnDatabases {
protected:
    // The primary record of "Aurum" has every text at full length; that of
    // "Bryonia" none.
    PrimaryTexts aurum_;
    void SetUp() override {
        aurum_.remedy = "AURUM";
        aurum_.indication = "Angst";
        aurum_.warnings = Tagged("War", 400);
        aurum_.primarySignature = Tagged("Pri", 30);
        aurum_.secondarySignature = Tagged("Sec", 40);
        aurum_.zodiacalSignature = Tagged("Zod", 70);
        aurum_.synthesis = Tagged("Syn", 1500);
        aurum_.notes = Tagged("Not", 750);
        aurum_.extraNotes = Tagged("Ext", 750);
        WritePrimaryDb({Texts({"Calendula", "Wonden"}), aurum_, Texts({"Bryonia", "Hoest"})});
        WriteRepertoryDb({{"Angst", "Aurum", "1 x daags", Tagged("Rep", 750)},
                          {"Hoest", "Bryonia", "2 x daags", ""},
                          {"Zweren", "Arnica", "uitwendig", "kompres"}});
    }
};

TEST_F(TherapiesEditorControls, EveryFieldShowsAndSavesItsOwnPartOfTheRecord) {
    const std::string before = FileBytes(kRepertoryDbName);
    RepertoryEditor w;
    w.show();
    ClickEntry(w, "Angst**Aurum");
    ASSERT_EQ(w.currentRecordNumber, 1);
    EXPECT_EQ(Text(w.pathologyEdit), "Angst");
    EXPECT_EQ(Text(w.remedyEdit), "Aurum");
    EXPECT_EQ(Text(w.posologyEdit), "1 x daags");
    EXPECT_EQ(Text(w.notesMemo), Tagged("Rep", 750));
    EXPECT_EQ(Text(w.recordNumberEdit), "1 / 3");

    ClickEntry(w, "Zweren**Arnica");
    w.pathologyEdit->setText(gui::ToQt(Tagged("Pat", 100)));
    w.remedyEdit->setText(gui::ToQt(Tagged("Rem", 100)));
    w.posologyEdit->setText(gui::ToQt(Tagged("Pos", 250)));
    w.notesMemo->setPlainText(gui::ToQt(Tagged("Not", 750)));
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    const RepertoryRecord stored = ReadRepertoryRecord(3);
    EXPECT_EQ(stored.pathology, Tagged("Pat", 100));
    EXPECT_EQ(stored.remedy, Tagged("Rem", 100));
    EXPECT_EQ(stored.posology, Tagged("Pos", 250));
    EXPECT_EQ(stored.notes3, Tagged("Not", 750).substr(500));
    EXPECT_EQ(stored.Notes(), Tagged("Not", 750));
    for (std::size_t r : {0, 1, 2})
        EXPECT_EQ(Record(FileBytes(kRepertoryDbName), r, kRepertoryRecordSize),
                  Record(before, r, kRepertoryRecordSize));
}

TEST_F(TherapiesEditorControls, EachFieldWarnsBesideItselfPastItsMaximum) {
    RepertoryEditor w;
    w.show();
    struct Case {
        QLineEdit* edit;
        int maximum, top;
    };
    for (const Case& c :
         {Case{w.pathologyEdit, 100, 83}, Case{w.remedyEdit, 100, 136}, Case{w.posologyEdit, 250, 192}}) {
        c.edit->setText(QString(c.maximum - 1, 'k'));
        Append(c.edit, "k");
        EXPECT_FALSE(w.lengthWarningEdit->isVisible()) << c.top;
        const int beeps = w.BeepCount();
        Append(c.edit, "x");
        EXPECT_TRUE(w.lengthWarningEdit->isVisible()) << c.top;
        EXPECT_EQ(w.lengthWarningEdit->y(), c.top);
        EXPECT_EQ(w.BeepCount(), beeps + 1) << c.top;
        QTest::keyClick(c.edit, Qt::Key_Backspace);
        EXPECT_FALSE(w.lengthWarningEdit->isVisible()) << c.top;
    }
    // The notes beep from their 301st character, but the warning stands only
    // past the 750 they keep.
    w.notesMemo->setPlainText(QString(300, 'n'));
    int beeps = w.BeepCount();
    Append(w.notesMemo, "n");
    EXPECT_EQ(w.BeepCount(), beeps + 1);
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());
    w.notesMemo->setPlainText(QString(750, 'n'));
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());
    Append(w.notesMemo, "n");
    EXPECT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.lengthWarningEdit->y(), 253);
    // Notes the record keeps whole raise no warning while another field is typed in.
    w.notesMemo->setPlainText(QString(400, 'n'));
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());
    QTest::keyClick(w.posologyEdit, Qt::Key_Backspace);
    EXPECT_FALSE(w.lengthWarningEdit->isVisible());
}

TEST_F(TherapiesEditorControls, EachChangeArmsTheSaveAndNamesItselfInThePanel) {
    RepertoryEditor w;
    struct Case {
        QWidget* field;
        QLabel* label;
        bool asNew;  // the panel offers a new record too
        std::string RepertoryRecord::*stored;
        std::string wanted;
    };
    const Case cases[] = {
        {w.posologyEdit, w.descriptionsChangedLabel, false, &RepertoryRecord::posology, "2 x daagsx"},
        {w.notesMemo, w.descriptionsChangedLabel, false, &RepertoryRecord::notes1, "x"},
        {w.remedyEdit, w.remedyChangedLabel, true, &RepertoryRecord::remedy, "Bryoniax"},
        {w.pathologyEdit, w.keyTextChangedLabel, true, &RepertoryRecord::pathology, "Hoestx"},
    };
    for (const Case& c : cases) {
        w.show();
        ClickEntry(w, "Hoest**Bryonia");
        EXPECT_FALSE(w.saveButton->isEnabled());
        if (auto* m = qobject_cast<QPlainTextEdit*>(c.field))
            Append(m, "x");
        else
            Append(static_cast<QLineEdit*>(c.field), "x");
        EXPECT_TRUE(w.saveButton->isEnabled()) << c.wanted;
        EXPECT_TRUE(w.saveAsNewButton->isEnabled()) << c.wanted;
        QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
        ASSERT_TRUE(w.unsavedChangesPanel->isVisible()) << c.wanted;
        for (QLabel* l : {w.descriptionsChangedLabel, w.remedyChangedLabel, w.keyTextChangedLabel})
            EXPECT_EQ(l->isEnabled(), l == c.label) << c.wanted;
        EXPECT_EQ(w.panelSaveAsNewButton->isEnabled(), c.asNew) << c.wanted;
        EXPECT_TRUE(w.panelSaveButton->isEnabled()) << c.wanted;
        QTest::mouseClick(w.panelSaveButton, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(ReadRepertoryRecord(2).*c.stored, c.wanted);
        // Back as it was for the next field.
        WriteRepertoryDb({{"Angst", "Aurum", "1 x daags", Tagged("Rep", 750)},
                          {"Hoest", "Bryonia", "2 x daags", ""},
                          {"Zweren", "Arnica", "uitwendig", "kompres"}});
    }
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(TherapiesEditorControls, UitwissenEmptiesEveryFieldAndUnlinksThePrimaryRecord) {
    RepertoryEditor w;
    w.show();
    ClickEntry(w, "Angst**Aurum");
    QTest::mouseClick(w.warningsButton, Qt::LeftButton);
    ASSERT_FALSE(Text(w.primaryRecordMemo).empty());
    QTest::mouseClick(w.clearButton, Qt::LeftButton);
    for (QLineEdit* e : {w.recordNumberEdit, w.remedyEdit, w.posologyEdit, w.pathologyEdit})
        EXPECT_EQ(Text(e), "") << e->objectName().toStdString();
    EXPECT_EQ(Text(w.notesMemo), "");
    EXPECT_EQ(Text(w.primaryRecordMemo), "");
    EXPECT_EQ(w.currentRecordNumber, 0);
    EXPECT_EQ(w.linkedPrimaryRecord, 0);
    for (QPushButton* b : {w.warningsButton, w.signaturesButton, w.synthesisButton, w.notesButton, w.deleteButton,
                           w.saveButton, w.saveAsNewButton})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(TherapiesEditorControls, EachPrimaryButtonShowsItsOwnPartOfTheLinkedRecord) {
    RepertoryEditor w;
    w.show();
    ClickEntry(w, "Angst**Aurum");
    ASSERT_EQ(w.linkedPrimaryRecord, 2);
    const auto lines = [](const std::vector<std::string>& parts) {
        std::string joined = parts[0];
        for (std::size_t i = 1; i < parts.size(); ++i) joined += "\n" + parts[i];
        return joined;
    };
    QTest::mouseClick(w.warningsButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.primaryRecordMemo), aurum_.warnings);
    QTest::mouseClick(w.signaturesButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.primaryRecordMemo),
              lines({aurum_.primarySignature, aurum_.secondarySignature, aurum_.zodiacalSignature}));
    QTest::mouseClick(w.synthesisButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.primaryRecordMemo), aurum_.synthesis);
    QTest::mouseClick(w.notesButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.primaryRecordMemo),
              lines({aurum_.notes.substr(0, 250), aurum_.notes.substr(250, 250), aurum_.notes.substr(500)}));

    // The double click on the record's text copies it into the notes; on
    // the notes, it empties them.
    QTest::mouseDClick(w.primaryRecordMemo->viewport(), Qt::LeftButton);
    EXPECT_EQ(Text(w.notesMemo), Text(w.primaryRecordMemo));
    EXPECT_TRUE(w.saveButton->isEnabled());
    QTest::mouseDClick(w.notesMemo->viewport(), Qt::LeftButton);
    EXPECT_EQ(Text(w.notesMemo), "");
    EXPECT_FALSE(Text(w.primaryRecordMemo).empty());

    // A linked record without those texts says so, each in its own words.
    ClickEntry(w, "Hoest**Bryonia");
    ASSERT_EQ(w.linkedPrimaryRecord, 3);
    QTest::mouseClick(w.warningsButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.primaryRecordMemo), "Geen Waarschuwingen Geregistreerd");
    QTest::mouseClick(w.signaturesButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.primaryRecordMemo), "Nessuna Segnatura Astrologica");
    QTest::mouseClick(w.synthesisButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.primaryRecordMemo), "Geen Psychische Synthese Inbegrepen");
    QTest::mouseClick(w.notesButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.primaryRecordMemo), "Nessuna Nota Registrata");
}

TEST_F(TherapiesEditorControls, TheTwoOrdersListAndShowTheirOwnRecords) {
    RepertoryEditor w;
    w.show();
    auto lines = [&w] {
        std::vector<std::string> out;
        for (int i = 0; i < w.entryList->count(); ++i) out.push_back(Text(w.entryList, i));
        return out;
    };
    EXPECT_TRUE(w.byPathologyRadio->isChecked());
    EXPECT_EQ(lines(), (std::vector<std::string>{"Angst**Aurum", "Hoest**Bryonia", "Zweren**Arnica"}));
    ClickRadio(w.byRemedyRadio);
    EXPECT_EQ(lines(), (std::vector<std::string>{"Arnica**Zweren", "Aurum**Angst", "Bryonia**Hoest"}));
    ClickRow(w.entryList, 2);
    EXPECT_EQ(Text(w.remedyEdit), "Bryonia");
    EXPECT_EQ(Text(w.pathologyEdit), "Hoest");
    EXPECT_EQ(Text(w.recordNumberEdit), "2 / 3");
    ClickRadio(w.byPathologyRadio);
    EXPECT_EQ(lines(), (std::vector<std::string>{"Angst**Aurum", "Hoest**Bryonia", "Zweren**Arnica"}));
    ClickRow(w.entryList, 2);
    EXPECT_EQ(Text(w.remedyEdit), "Arnica");
    EXPECT_EQ(Text(w.pathologyEdit), "Zweren");
    // Arnica has no primary record: said in red, the buttons greyed.
    EXPECT_EQ(Text(w.primaryRecordMemo), "Arnica kan niet worden gevonden in de primaire database.");
    EXPECT_FALSE(w.notesButton->isEnabled());
}

TEST_F(TherapiesEditorControls, RicostruisciRewritesThePathologyListAndListsByPathology) {
    RebuildPathologyList();
    WriteRepertoryDb({{"Angst", "Aurum", "", ""}, {"Galstenen", "Taraxacum", "", ""}, {"Angst", "Avena", "", ""}});
    RepertoryEditor w;
    w.show();
    ClickRadio(w.byRemedyRadio);
    ClickRow(w.entryList, 0);
    QTest::mouseClick(w.rebuildListsButton, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPathologyListName), "Angst\r\nGalstenen\r\n");
    EXPECT_TRUE(w.byPathologyRadio->isChecked());
    EXPECT_EQ(Text(w.entryList, 2), "Galstenen**Taraxacum");
    EXPECT_EQ(w.currentRecordNumber, 0);
    EXPECT_EQ(Text(w.remedyEdit), "");
}

void DoubleClickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

std::vector<std::string> PathologiesInFile() {
    std::vector<std::string> out;
    for (const RepertoryRecord& r : ReadAllRepertoryRecords()) out.push_back(r.pathology);
    return out;
}

TEST_F(TherapiesEditorControls, AReorderWritesTheNewOrderAndItsCancelNothing) {
    const std::string before = FileBytes(kRepertoryDbName);
    RepertoryEditor w;
    w.show();
    QTest::mouseClick(w.reorderButton, Qt::LeftButton);
    EXPECT_EQ(w.reorderButton->text(), "Definitivo");
    EXPECT_FALSE(w.searchEdit->isEnabled());
    EXPECT_FALSE(w.pathologyEdit->isEnabled());
    EXPECT_EQ(Text(w.entryList, 0), "Aurum**Angst");  // file order, remedy first
    DoubleClickRow(w.entryList, 2);
    DoubleClickRow(w.entryList, 0);
    QTest::mouseClick(w.cancelReorderButton, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kRepertoryDbName), before);
    EXPECT_TRUE(w.byRemedyRadio->isChecked());
    EXPECT_TRUE(w.searchEdit->isEnabled());
    EXPECT_TRUE(w.pathologyEdit->isEnabled());

    QTest::mouseClick(w.reorderButton, Qt::LeftButton);
    DoubleClickRow(w.entryList, 2);
    DoubleClickRow(w.entryList, 0);
    QTest::mouseClick(w.reorderButton, Qt::LeftButton);
    EXPECT_EQ(PathologiesInFile(), (std::vector<std::string>{"Zweren", "Angst", "Hoest"}));
    EXPECT_EQ(Record(FileBytes(kRepertoryDbName), 0, kRepertoryRecordSize), Record(before, 0, kRepertoryRecordSize));
    EXPECT_EQ(w.reorderButton->text(), "Modifica Elenco");
    EXPECT_FALSE(w.cancelReorderButton->isVisible());
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(TherapiesEditorControls, FindAndTheTypeAheadBox) {
    RepertoryEditor w;
    w.show();
    w.findEdit->setText("bryonia");
    QTest::mouseClick(w.findButton, Qt::LeftButton);
    EXPECT_EQ(CurrentLine(w.entryList), "Hoest**Bryonia");
    w.findEdit->setText("e");
    QTest::mouseClick(w.findEdit, Qt::LeftButton);
    QTest::mouseClick(w.findButton, Qt::LeftButton);
    QTest::mouseClick(w.findButton, Qt::LeftButton);
    EXPECT_EQ(CurrentLine(w.entryList), "Zweren**Arnica");  // the last line, second match of "E"

    QTest::keyClicks(w.searchEdit, "ho");
    EXPECT_EQ(w.searchKey, "HO");
    EXPECT_EQ(CurrentLine(w.entryList), "Hoest**Bryonia");
    QTest::mouseClick(w.searchEdit, Qt::LeftButton);
    EXPECT_EQ(Text(w.searchEdit), "");
    EXPECT_EQ(w.searchKey, "");
    QTest::keyClicks(w.searchEdit, "zw");
    EXPECT_EQ(CurrentLine(w.entryList), "Zweren**Arnica");
}

// The therapies database overwritten with zero bytes of its own size: the
// editor names it as soon as it opens, lists nothing of it, and writes
// nothing into it (a new order, a new record) until it is sound again.
TEST_F(TherapiesEditorControls, ADatabaseOfZeroBytesIsNamedAtOnceAndTakesNoChange) {
    namespace fs = std::filesystem;
    const fs::path file = rt::ResolvePath(kRepertoryDbName);
    const std::string sound = FileBytes(kRepertoryDbName);
    const std::string zeros(sound.size(), '\0');
    testing_support::WriteBytes(file, zeros);
    const fs::file_time_type longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(file, longAgo);
    RepertoryEditor w;
    w.show();
    ASSERT_EQ(messages_.messages.size(), 1u);
    const std::string told = messages_.messages[0].text;
    EXPECT_NE(told.find("\"OpzioneH\\Repertorio.rnd\" \xE8 danneggiato"), std::string::npos) << told;
    EXPECT_NE(told.find("schede sono vuote"), std::string::npos) << told;
    EXPECT_NE(told.find("copia di sicurezza"), std::string::npos) << told;
    EXPECT_EQ(w.entryList->count(), 0);

    messages_.messages.clear();
    QTest::mouseClick(w.reorderButton, Qt::LeftButton);
    QTest::mouseClick(w.reorderButton, Qt::LeftButton);  // "Definitivo"
    Retype(w.pathologyEdit, "Migraine");
    Retype(w.remedyEdit, "Aurum");
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    ASSERT_EQ(messages_.messages.size(), 2u);
    for (const std::string& m : messages_.Texts()) {
        EXPECT_NE(m.find("NON eseguita"), std::string::npos) << m;
        EXPECT_NE(m.find("OpzioneH\\Repertorio.rnd"), std::string::npos) << m;
    }
    EXPECT_EQ(FileBytes(kRepertoryDbName), zeros);
    EXPECT_TRUE(fs::last_write_time(file) == longAgo);
    EXPECT_EQ(Text(w.pathologyEdit), "Migraine");
    EXPECT_EQ(Text(w.remedyEdit), "Aurum");

    // Put back from a backup, it takes the same record.
    testing_support::WriteBytes(file, sound);
    messages_.messages.clear();
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    EXPECT_EQ(ReadRepertoryRecord(4).pathology, "Migraine");
}

// The therapies database damaged, the editor closed after a note was typed:
// its panel offers no save and no delete, which the damaged file would refuse,
// only to drop the note; the file stays as it was.
TEST_F(TherapiesEditorControls, TheClosingPanelOnADamagedDatabaseOffersNothingItWouldRefuse) {
    const std::string zeros(FileBytes(kRepertoryDbName).size(), '\0');
    testing_support::WriteBytes(rt::ResolvePath(kRepertoryDbName), zeros);
    RepertoryEditor w;
    w.show();
    messages_.messages.clear();
    Append(w.notesMemo, "nota");
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    for (QPushButton* b : {w.panelSaveButton, w.panelSaveAsNewButton, w.panelDeleteButton})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(w.panelIgnoreButton->isEnabled());
    QTest::mouseClick(w.panelIgnoreButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    EXPECT_EQ(FileBytes(kRepertoryDbName), zeros);
}

// The primary database damaged beside a sound therapies database: the editor
// names it as it opens, and a therapy clicked shows nothing of the damaged
// file beside it.
TEST_F(TherapiesEditorControls, ADamagedPrimaryDatabaseIsNamedAndNothingOfItIsShownBesideATherapy) {
    WriteRandomRecords(rt::ResolvePath(kPrimaryDbName), kPrimaryRecordSize, 2, 1, 17);
    RepertoryEditor w;
    w.show();
    ExpectDamageTold(messages_, 1, kPrimaryDbName);
    EXPECT_NE(LastMessage(messages_).find("Il riquadro della banca dati primaria"), std::string::npos);
    ASSERT_EQ(w.entryList->count(), 3);
    ClickEntry(w, "Angst**Aurum");
    EXPECT_EQ(Text(w.primaryRecordMemo),
              "De primaire database \"OpzioneH\\DBmain.rnd\" is beschadigd en wordt niet gelezen.");
    EXPECT_EQ(w.linkedPrimaryRecord, 0);
    for (QPushButton* b : {w.warningsButton, w.signaturesButton, w.synthesisButton, w.notesButton})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(messages_.messages.size(), 1u);
}

TEST_F(TherapiesEditorControls, InfoShowsAndHidesTheLimits) {
    RepertoryEditor w;
    w.show();
    QTest::mouseClick(w.instructionsButton, Qt::LeftButton);
    ASSERT_TRUE(w.instructionsMemo->isVisible());
    EXPECT_NE(Text(w.instructionsMemo).find("per la PATOLOGIA, 100 caratteri per il RIMEDIO"), std::string::npos);
    QTest::mouseClick(w.instructionsButton, Qt::LeftButton);
    EXPECT_FALSE(w.instructionsMemo->isVisible());
}

}  // namespace

}  // namespace therapies_editor_controls_test
