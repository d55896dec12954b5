// Each control of the primary database editor pressed, with a check of its
// own effect: every field shown from and saved into its own part of the
// record, every field's length warning beside that field, every description
// field arming the save and the closing panel, the clearing, the two list
// orders, the note on a use number, the instructions, the rebuild, the
// reorder in both directions and its cancel, the find and the type-ahead box.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/text_file.h"
#include "remedies/primary_db.h"
#include "remedies/windows/primary_editor.h"
#include "remedies/windows/window_parts.h"
#include "tests/common/keyboard.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/editor_test_util.h"

namespace primary_editor_controls_test {

using namespace remedies;
using namespace remedy_tests;
using namespace editor_tests;

namespace {

using PrimaryEditorControls = OwnDatabases;

// The ten fields as the window shows them, in the order of PrimaryTexts' use below.
struct ShownField {
    const char* name;
    std::string PrimaryTexts::*text;
    std::size_t maximum;
    int warningTop;
    const char* placeholder;  // the grey caption of an empty memo
};
const ShownField kFields[] = {
    {"EdProd", &PrimaryTexts::remedy, 50, 53, ""},
    {"MemoIndi", &PrimaryTexts::indication, 300, 87, "Indicaties"},
    {"MemoPoso", &PrimaryTexts::posology, 900, 142, "Dosering"},
    {"MemoAvve", &PrimaryTexts::warnings, 400, 197, "Waarschuwingen"},
    {"EdPlane", &PrimaryTexts::primarySignature, 30, 254, ""},
    {"EdSeco", &PrimaryTexts::secondarySignature, 40, 254, ""},
    {"EdZodi", &PrimaryTexts::zodiacalSignature, 70, 285, ""},
    {"MemoSint", &PrimaryTexts::synthesis, 1500, 316, "Psychische Synthese"},
    {"MemoNote", &PrimaryTexts::notes, 750, 402, "Notities"},
    {"MemoNoteSupp", &PrimaryTexts::extraNotes, 750, 449, "Extra Notities"},
};

std::string FieldText(const PrimaryEditor& w, const ShownField& f) {
    if (auto* m = w.findChild<QPlainTextEdit*>(f.name)) return Text(m);
    return Text(w.findChild<QLineEdit*>(f.name));
}

QWidget* FieldWidget(const PrimaryEditor& w, const ShownField& f) { return w.findChild<QWidget*>(f.name); }

void SetField(const PrimaryEditor& w, const ShownField& f, const std::string& text) {
    if (auto* m = w.findChild<QPlainTextEdit*>(f.name))
        m->setPlainText(gui::ToQt(text));
    else
        w.findChild<QLineEdit*>(f.name)->setText(gui::ToQt(text));
}

// Types one character at the end of a field.
void TypeAtEnd(const PrimaryEditor& w, const ShownField& f, const QString& text) {
    if (auto* m = w.findChild<QPlainTextEdit*>(f.name))
        Append(m, text);
    else
        Append(w.findChild<QLineEdit*>(f.name), text);
}

TEST_F(PrimaryEditorControls, EveryFieldShowsAndSavesItsOwnPartOfTheRecord) {
    const PrimaryTexts first = FullRecord("A"), second = FullRecord("B");
    WritePrimaryDb({first, second});
    const std::string before = FileBytes(kPrimaryDbName);
    PrimaryEditor w;
    w.show();
    ClickEntry(w, second.remedy + "**" + second.indication);
    ASSERT_EQ(w.currentRecordNumber, 2);
    EXPECT_EQ(Text(w.recordNumberEdit), "2 / 2");
    for (const ShownField& f : kFields) EXPECT_EQ(FieldText(w, f), second.*f.text) << f.name;

    // Every field given a text of its own; "Salva" puts each in its place.
    const PrimaryTexts edited = FullRecord("C");
    for (const ShownField& f : kFields) SetField(w, f, edited.*f.text);
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    const PrimaryTexts stored = PrimaryRecordToTexts(ReadPrimaryRecord(2));
    for (const ShownField& f : kFields) EXPECT_EQ(stored.*f.text, edited.*f.text) << f.name;
    EXPECT_EQ(Record(FileBytes(kPrimaryDbName), 1, kPrimaryRecordSize), Record(before, 1, kPrimaryRecordSize));
    EXPECT_EQ(Record(FileBytes(kPrimaryDbName), 0, kPrimaryRecordSize), Record(before, 0, kPrimaryRecordSize));

    // The first record shows its own texts, not those of the one saved.
    ClickEntry(w, first.remedy + "**" + first.indication);
    for (const ShownField& f : kFields) EXPECT_EQ(FieldText(w, f), first.*f.text) << f.name;
}

TEST_F(PrimaryEditorControls, EveryFieldWarnsBesideItselfOneCharacterPastItsMaximum) {
    WritePrimaryDb({Texts({"Arnica", "Blauwe plekken"})});
    PrimaryEditor w;
    w.show();
    for (const ShownField& f : kFields) {
        SetField(w, f, std::string(f.maximum - 1, 'k'));
        TypeAtEnd(w, f, "k");
        EXPECT_FALSE(w.lengthWarningEdit->isVisible()) << f.name;
        const int beeps = w.BeepCount();
        TypeAtEnd(w, f, "x");
        EXPECT_TRUE(w.lengthWarningEdit->isVisible()) << f.name;
        EXPECT_EQ(w.lengthWarningEdit->y(), f.warningTop) << f.name;
        EXPECT_EQ(w.BeepCount(), beeps + 1) << f.name;
        QTest::keyClick(FieldWidget(w, f), Qt::Key_Backspace);
        EXPECT_FALSE(w.lengthWarningEdit->isVisible()) << f.name;
    }
    // The last field still too long keeps the warning while the first is typed in.
    TypeAtEnd(w, kFields[9], "x");
    QTest::keyClick(FieldWidget(w, kFields[0]), Qt::Key_Backspace);
    TypeAtEnd(w, kFields[0], "y");
    EXPECT_TRUE(w.lengthWarningEdit->isVisible());
    EXPECT_EQ(w.lengthWarningEdit->y(), 449);
}

// Keys that type no character neither enter a field nor count towards its
// length: in a field at its maximum, Delete at its end, Ctrl with a full stop,
// Alt with a letter, a function key and Ctrl+A leave the text as it is and
// raise no warning.
TEST_F(PrimaryEditorControls, KeysThatTypeNoCharacterNeitherEnterNorLengthenAField) {
    using testing_support::PressKey;
    WritePrimaryDb({Texts({"Arnica", "Blauwe plekken"})});
    PrimaryEditor w;
    w.show();
    for (const ShownField& f : kFields) {
        const std::string full(f.maximum, 'k');
        SetField(w, f, full);
        QWidget* box = FieldWidget(w, f);
        box->setFocus();
        if (auto* m = qobject_cast<QPlainTextEdit*>(box))
            m->moveCursor(QTextCursor::End);
        else
            static_cast<QLineEdit*>(box)->end(false);
        const int beeps = w.BeepCount();
        for (const auto& [key, modifiers] : {std::pair{Qt::Key_Delete, Qt::KeyboardModifiers()},
                                             std::pair{Qt::Key_Period, Qt::KeyboardModifiers(Qt::ControlModifier)},
                                             std::pair{Qt::Key_K, Qt::KeyboardModifiers(Qt::AltModifier)},
                                             std::pair{Qt::Key_F2, Qt::KeyboardModifiers()},
                                             std::pair{Qt::Key_A, Qt::KeyboardModifiers(Qt::ControlModifier)}}) {
            PressKey(box, key, modifiers);
            EXPECT_FALSE(w.lengthWarningEdit->isVisible()) << f.name << " " << key;
        }
        EXPECT_EQ(w.BeepCount(), beeps) << f.name;
        EXPECT_EQ(FieldText(w, f), full) << f.name;
    }
}

// A change of a description field after a list click arms "Salva" and
// "Salva come Nuovo"; the close then asks about the descriptions only, and
// the panel's "Salva" writes the field where it belongs.
TEST_F(PrimaryEditorControls, EveryDescriptionFieldArmsTheSaveAndThePanel) {
    const PrimaryTexts record = FullRecord("A");
    PrimaryTexts shorter = record;
    for (const ShownField& f : kFields) (shorter.*f.text).resize(f.maximum - 1);
    WritePrimaryDb({shorter, FullRecord("B")});
    PrimaryEditor w;
    for (const ShownField& f : kFields) {
        if (f.text == &PrimaryTexts::remedy || f.text == &PrimaryTexts::indication) continue;
        w.show();
        ClickEntry(w, shorter.remedy + "**" + shorter.indication);
        EXPECT_FALSE(w.saveButton->isEnabled()) << f.name;
        TypeAtEnd(w, f, "x");
        EXPECT_TRUE(w.saveButton->isEnabled()) << f.name;
        EXPECT_TRUE(w.saveAsNewButton->isEnabled()) << f.name;
        QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
        ASSERT_TRUE(w.unsavedChangesPanel->isVisible()) << f.name;
        EXPECT_TRUE(w.descriptionsChangedLabel->isEnabled()) << f.name;
        EXPECT_FALSE(w.remedyChangedLabel->isEnabled()) << f.name;
        EXPECT_FALSE(w.keyTextChangedLabel->isEnabled()) << f.name;
        EXPECT_TRUE(w.panelSaveButton->isEnabled()) << f.name;
        EXPECT_FALSE(w.panelSaveAsNewButton->isEnabled()) << f.name;
        EXPECT_TRUE(w.panelDeleteButton->isEnabled()) << f.name;
        QTest::mouseClick(w.panelSaveButton, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible()) << f.name;
        shorter.*f.text += "x";
        const PrimaryTexts stored = PrimaryRecordToTexts(ReadPrimaryRecord(1));
        for (const ShownField& g : kFields) EXPECT_EQ(stored.*g.text, shorter.*g.text) << f.name << " " << g.name;
    }
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(PrimaryEditorControls, TheRemedyAndTheIndicationEachNameTheirChangeInThePanel) {
    WritePrimaryDb({Texts({"Arnica", "Blauwe plekken"}), Texts({"Bryonia", "Hoest"})});
    PrimaryEditor w;
    // A changed remedy: both saves offered; "Salva come Nuovo" appends and
    // leaves the record shown as it was.
    w.show();
    ClickEntry(w, "Arnica**Blauwe plekken");
    TypeAtEnd(w, kFields[0], " D6");
    EXPECT_TRUE(w.saveButton->isEnabled());
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    EXPECT_TRUE(w.remedyChangedLabel->isEnabled());
    EXPECT_FALSE(w.keyTextChangedLabel->isEnabled());
    EXPECT_FALSE(w.descriptionsChangedLabel->isEnabled());
    EXPECT_TRUE(w.panelSaveAsNewButton->isEnabled());
    EXPECT_TRUE(w.panelSaveButton->isEnabled());
    QTest::mouseClick(w.panelSaveAsNewButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(PrimaryRecordCount(), 3);
    EXPECT_EQ(ReadPrimaryRecord(3).remedy, "Arnica D6");
    EXPECT_EQ(ReadPrimaryRecord(3).Indication(), "Blauwe plekken");
    EXPECT_EQ(ReadPrimaryRecord(1).remedy, "Arnica");

    // A changed indication: the panel's "Salva" writes it into the record shown.
    w.show();
    ClickEntry(w, "Bryonia**Hoest");
    TypeAtEnd(w, kFields[1], " droog");
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    EXPECT_FALSE(w.remedyChangedLabel->isEnabled());
    EXPECT_TRUE(w.keyTextChangedLabel->isEnabled());
    EXPECT_FALSE(w.descriptionsChangedLabel->isEnabled());
    QTest::mouseClick(w.panelSaveButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(ReadPrimaryRecord(2).Indication(), "Hoest droog");
    EXPECT_EQ(PrimaryRecordCount(), 3);
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(PrimaryEditorControls, PulisciPutsEveryFieldBackToItsPlaceholder) {
    WritePrimaryDb({FullRecord("A"), Texts({"Arnica", "Zweren"})});
    PrimaryEditor w;
    w.show();
    ClickRadio(w.bySymptomRadio);
    ClickEntry(w, FullRecord("A").indication + "**" + FullRecord("A").remedy);
    ASSERT_EQ(w.currentRecordNumber, 1);
    QTest::mouseClick(w.clearButton, Qt::LeftButton);
    // The list stays as it was.
    EXPECT_TRUE(w.bySymptomRadio->isChecked());
    EXPECT_EQ(Text(w.entryList, 1), "Zweren**Arnica");
    for (const ShownField& f : kFields) {
        EXPECT_EQ(FieldText(w, f), "") << f.name;
        if (auto* m = w.findChild<QPlainTextEdit*>(f.name)) {
            EXPECT_EQ(m->placeholderText(), f.placeholder) << f.name;
        }
    }
    EXPECT_EQ(w.currentRecordNumber, 0);
    EXPECT_EQ(Text(w.recordNumberEdit), "");
    EXPECT_FALSE(w.deleteButton->isEnabled());
    EXPECT_FALSE(w.saveButton->isEnabled());
    EXPECT_FALSE(w.saveAsNewButton->isEnabled());
    // Nothing typed since: the close asks nothing.
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

// After "Pulisci" the user clicks into the memos and types: each caption
// gives way to the first key, only what was typed is stored, and with no
// record shown only "Salva come Nuovo" is offered. A record that holds a
// caption as its text (saved so from a cleared form) shows it as the caption.
TEST_F(PrimaryEditorControls, TypingAfterPulisciReplacesTheCaptionsAndSavesOnlyAsNew) {
    PrimaryTexts old = Texts({"Aconitum", "Angst"});
    old.posology = "Dosering";
    WritePrimaryDb({Texts({"Arnica", "Blauwe plekken"}), old});
    PrimaryEditor w;
    w.show();
    ClickEntry(w, "Arnica**Blauwe plekken");
    QTest::mouseClick(w.clearButton, Qt::LeftButton);
    const auto typeInto = [](QWidget* field, QWidget* clicked, const QString& text) {
        QTest::mouseClick(clicked, Qt::LeftButton, {}, clicked->rect().center());
        QTest::keyClicks(field, text);
    };
    typeInto(w.indicationMemo, w.indicationMemo->viewport(), QString::fromUtf8("Koorts boven 39\u00B0"));
    EXPECT_EQ(Text(w.indicationMemo), "Koorts boven 39\xB0");
    EXPECT_FALSE(w.saveButton->isEnabled());
    EXPECT_TRUE(w.saveAsNewButton->isEnabled());
    typeInto(w.remedyEdit, w.remedyEdit, "Belladonna");
    typeInto(w.posologyMemo, w.posologyMemo->viewport(), "3 x daags");
    EXPECT_FALSE(w.saveButton->isEnabled());
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    ASSERT_EQ(PrimaryRecordCount(), 3);
    const PrimaryTexts stored = PrimaryRecordToTexts(ReadPrimaryRecord(3));
    EXPECT_EQ(stored.remedy, "Belladonna");
    EXPECT_EQ(stored.indication, "Koorts boven 39\xB0");
    EXPECT_EQ(stored.posology, "3 x daags");
    EXPECT_EQ(stored.warnings, "");  // left showing its caption
    EXPECT_EQ(stored.synthesis, "");

    ClickEntry(w, "Aconitum**Angst");
    typeInto(w.posologyMemo, w.posologyMemo->viewport(), "5 korrels");
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    EXPECT_EQ(PrimaryRecordToTexts(ReadPrimaryRecord(2)).posology, "5 korrels");
}

TEST_F(PrimaryEditorControls, IgnoraDropsTheEditAndLeavesTheFile) {
    WritePrimaryDb({Texts({"Arnica", "Blauwe plekken"}), Texts({"Bryonia", "Hoest"})});
    const std::string before = FileBytes(kPrimaryDbName);
    PrimaryEditor w;
    w.show();
    ClickEntry(w, "Bryonia**Hoest");
    TypeAtEnd(w, kFields[2], "3 x daags");
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    QTest::mouseClick(w.panelIgnoreButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.unsavedChangesPanel->isVisible());
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    EXPECT_TRUE(messages_.messages.empty());
    EXPECT_EQ(w.currentRecordNumber, 0);
    EXPECT_EQ(Text(w.posologyMemo), "");
    EXPECT_EQ(w.posologyMemo->placeholderText(), "Dosering");
}

// Should the file change under a list line, the click finds the record by
// its remedy and indication, in either order.
TEST_F(PrimaryEditorControls, AClickAfterTheFileChangedFindsTheRecordByItsTexts) {
    WritePrimaryDb({Texts({"Zingiber", "Angst"}), Texts({"Arnica", "Zweren"}), Texts({"Melissa", "Hoest"})});
    PrimaryEditor w;
    w.show();
    ClickRadio(w.bySymptomRadio);
    WritePrimaryDb({Texts({"Arnica", "Zweren"}), Texts({"Melissa", "Hoest"}), Texts({"Zingiber", "Angst"})});
    ClickEntry(w, "Angst**Zingiber");
    EXPECT_EQ(w.currentRecordNumber, 3);
    EXPECT_EQ(Text(w.remedyEdit), "Zingiber");
    EXPECT_EQ(Text(w.indicationMemo), "Angst");
    ClickRadio(w.byRemedyRadio);
    WritePrimaryDb({Texts({"Melissa", "Hoest"}), Texts({"Zingiber", "Angst"}), Texts({"Arnica", "Zweren"})});
    ClickEntry(w, "Arnica**Zweren");
    EXPECT_EQ(w.currentRecordNumber, 3);
    EXPECT_EQ(Text(w.indicationMemo), "Zweren");
}

// The lists by remedy and by symptom are in different orders; a click on the
// last line of either shows that line's record.
TEST_F(PrimaryEditorControls, TheTwoOrdersListAndShowTheirOwnRecords) {
    WritePrimaryDb({Texts({"Zingiber", "Angst"}), Texts({"Arnica", "Zweren"}), Texts({"Melissa", "Hoest"})});
    PrimaryEditor w;
    w.show();
    const std::vector<std::string> byRemedy{"Arnica**Zweren", "Melissa**Hoest", "Zingiber**Angst"};
    const std::vector<std::string> bySymptom{"Angst**Zingiber", "Hoest**Melissa", "Zweren**Arnica"};
    auto lines = [&w] {
        std::vector<std::string> out;
        for (int i = 0; i < w.entryList->count(); ++i) out.push_back(Text(w.entryList, i));
        return out;
    };
    EXPECT_EQ(lines(), byRemedy);
    ClickRadio(w.bySymptomRadio);
    EXPECT_TRUE(w.bySymptomRadio->isChecked());
    EXPECT_EQ(lines(), bySymptom);
    ClickRow(w.entryList, 2);
    EXPECT_EQ(Text(w.remedyEdit), "Arnica");
    EXPECT_EQ(Text(w.indicationMemo), "Zweren");
    EXPECT_EQ(w.currentRecordNumber, 2);
    ClickRadio(w.byRemedyRadio);
    EXPECT_TRUE(w.byRemedyRadio->isChecked());
    EXPECT_EQ(lines(), byRemedy);
    ClickRow(w.entryList, 2);
    EXPECT_EQ(Text(w.remedyEdit), "Zingiber");
    EXPECT_EQ(Text(w.indicationMemo), "Angst");
    EXPECT_EQ(Text(w.recordNumberEdit), "1 / 3");
    // A save in symptom order refills the list in that order.
    ClickRadio(w.bySymptomRadio);
    ClickRow(w.entryList, 1);
    TypeAtEnd(w, kFields[2], "2 x daags");
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_EQ(lines(), bySymptom);
    EXPECT_EQ(CurrentLine(w.entryList), "Hoest**Melissa");
}

TEST_F(PrimaryEditorControls, TheNoteOnAUseNumberShowsForOneToNineOnly) {
    WritePrimaryDb({Texts({"Aurum (1)", "Angst"}), Texts({"Aurum (9)", "Angst"}), Texts({"Aurum (0)", "Angst"}),
                    Texts({"Aurum 9", "Angst"})});
    PrimaryEditor w;
    w.show();
    const std::pair<const char*, bool> cases[] = {{"Aurum (1)**Angst", true},
                                                  {"Aurum (0)**Angst", false},
                                                  {"Aurum (9)**Angst", true},
                                                  {"Aurum 9**Angst", false}};
    for (const auto& [line, shown] : cases) {
        ClickEntry(w, line);
        EXPECT_EQ(w.useNumberMemo->isVisible(), shown) << line;
    }
    ClickEntry(w, "Aurum (9)**Angst");
    QTest::mouseClick(w.clearButton, Qt::LeftButton);
    EXPECT_FALSE(w.useNumberMemo->isVisible());
}

TEST_F(PrimaryEditorControls, InfoShowsAndHidesTheInstructions) {
    WritePrimaryDb({Texts({"Arnica", "Blauwe plekken"})});
    PrimaryEditor w;
    w.show();
    EXPECT_FALSE(w.instructionsMemo->isVisible());
    QTest::mouseClick(w.instructionsButton, Qt::LeftButton);
    ASSERT_TRUE(w.instructionsMemo->isVisible());
    for (const char* limit : {"50 caratteri per il Rimedio", "300 caratteri per le Indicazioni",
                              "1500 caratteri per la Sintesi Psichica", "750 caratteri per Note Supplementari"})
        EXPECT_NE(Text(w.instructionsMemo).find(limit), std::string::npos) << limit;
    QTest::mouseClick(w.instructionsButton, Qt::LeftButton);
    EXPECT_FALSE(w.instructionsMemo->isVisible());
    // A list click, and the close, put the instructions away.
    QTest::mouseClick(w.instructionsButton, Qt::LeftButton);
    ClickRow(w.entryList, 0);
    EXPECT_FALSE(w.instructionsMemo->isVisible());
    QTest::mouseClick(w.instructionsButton, Qt::LeftButton);
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    EXPECT_FALSE(w.instructionsMemo->isVisible());
}

TEST_F(PrimaryEditorControls, RicostruisciRewritesTheListsFromTheDatabaseAndListsBySymptom) {
    WritePrimaryDb({Texts({"Arnica", "Blauwe plekken"}), Texts({"Bryonia", "Hoest"})});
    RebuildPrimaryLists();
    // A record the lists do not know yet, put in by another program.
    WritePrimaryDb({Texts({"Arnica", "Blauwe plekken"}), Texts({"Bryonia", "Hoest"}), Texts({"Calendula", "Wonden"})});
    PrimaryEditor w;
    w.show();
    ClickRow(w.entryList, 0);
    QTest::mouseClick(w.rebuildListsButton, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kSymptomListName), "Blauwe plekken\r\nHoest\r\nWonden\r\n");
    EXPECT_EQ(FileBytes(kRemedyListName), "Arnica\r\nBryonia\r\nCalendula\r\n");
    EXPECT_TRUE(w.bySymptomRadio->isChecked());
    EXPECT_EQ(Text(w.entryList, 2), "Wonden**Calendula");
    EXPECT_EQ(w.currentRecordNumber, 0);
    EXPECT_EQ(Text(w.remedyEdit), "");
    EXPECT_TRUE(messages_.messages.empty());
}

std::vector<std::string> RemediesInFile() {
    std::vector<std::string> out;
    for (const PrimaryRecord& r : ReadAllPrimaryRecords()) out.push_back(r.remedy);
    return out;
}

void DoubleClickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

TEST_F(PrimaryEditorControls, AMoveDownTheListAndTheCancelOfAMove) {
    WritePrimaryDb({Texts({"R1", "a"}), Texts({"R2", "b"}), Texts({"R3", "c"}), Texts({"R4", "d"}), Texts({"R5", "e"}),
                    Texts({"R6", "f"}), Texts({"R7", "g"})});
    const std::string before = FileBytes(kPrimaryDbName);
    PrimaryEditor w;
    w.show();
    QTest::mouseClick(w.reorderButton, Qt::LeftButton);
    EXPECT_FALSE(w.rebuildListsButton->isEnabled());
    EXPECT_FALSE(w.clearButton->isEnabled());
    EXPECT_FALSE(w.remedyEdit->isEnabled());
    // The last line moved to the top, then the move dropped.
    DoubleClickRow(w.entryList, 6);
    EXPECT_EQ(Text(w.searchEdit), "R7**g");
    DoubleClickRow(w.entryList, 0);
    EXPECT_EQ(Text(w.entryList, 0), "R7**g");
    EXPECT_EQ(Text(w.searchEdit), "");
    QTest::mouseClick(w.cancelReorderButton, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    EXPECT_EQ(w.reorderButton->text(), "Modifica Elenco");
    EXPECT_FALSE(w.cancelReorderButton->isVisible());
    EXPECT_TRUE(w.byRemedyRadio->isVisible());
    EXPECT_TRUE(w.bySymptomRadio->isVisible());
    EXPECT_TRUE(w.searchEdit->isEnabled());
    EXPECT_TRUE(w.rebuildListsButton->isEnabled());
    EXPECT_TRUE(w.remedyEdit->isEnabled());
    EXPECT_EQ(Text(w.entryList, 0), "R1**a");

    // Index 1 to index 4: the lines between move up one place.
    QTest::mouseClick(w.reorderButton, Qt::LeftButton);
    DoubleClickRow(w.entryList, 1);
    DoubleClickRow(w.entryList, 4);
    QTest::mouseClick(w.reorderButton, Qt::LeftButton);
    EXPECT_EQ(RemediesInFile(), (std::vector<std::string>{"R1", "R3", "R4", "R5", "R2", "R6", "R7"}));
    EXPECT_EQ(Record(FileBytes(kPrimaryDbName), 0, kPrimaryRecordSize), Record(before, 0, kPrimaryRecordSize));
    // A double click while browsing moves nothing.
    DoubleClickRow(w.entryList, 0);
    DoubleClickRow(w.entryList, 3);
    EXPECT_FALSE(w.movePending);
    EXPECT_EQ(Text(w.entryList, 0), "R1**a");
    EXPECT_EQ(RemediesInFile(), (std::vector<std::string>{"R1", "R3", "R4", "R5", "R2", "R6", "R7"}));
}

TEST_F(PrimaryEditorControls, FindReachesTheLastLineAndStartsAgainAfterAClickInItsBox) {
    WritePrimaryDb(
        {Texts({"Aurum", "Hoest"}), Texts({"Bryonia", "Angst"}), Texts({"Calendula", "Hoest bij kinderen"})});
    PrimaryEditor w;
    w.show();
    w.findEdit->setText("HOEST");
    QTest::mouseClick(w.findButton, Qt::LeftButton);
    EXPECT_EQ(w.entryList->currentRow(), 0);
    QTest::mouseClick(w.findButton, Qt::LeftButton);
    EXPECT_EQ(w.entryList->currentRow(), 2);
    // The click into the box starts the find again from the first line.
    QTest::mouseClick(w.findEdit, Qt::LeftButton);
    EXPECT_TRUE(w.findButton->isDefault());
    QTest::mouseClick(w.findButton, Qt::LeftButton);
    EXPECT_EQ(w.entryList->currentRow(), 0);
    // A find selects; it does not show the record.
    EXPECT_EQ(w.currentRecordNumber, 0);
    EXPECT_EQ(Text(w.remedyEdit), "");
}

TEST_F(PrimaryEditorControls, AClickInTheTypeAheadBoxStartsANewKey) {
    WritePrimaryDb({Texts({"Zingiber", "Angst"}), Texts({"Arnica", "Zweren"}), Texts({"Melissa", "Hoest"})});
    PrimaryEditor w;
    w.show();
    QTest::keyClicks(w.searchEdit, "zi");
    EXPECT_EQ(CurrentLine(w.entryList), "Zingiber**Angst");
    QTest::mouseClick(w.searchEdit, Qt::LeftButton);
    EXPECT_EQ(Text(w.searchEdit), "");
    EXPECT_EQ(w.searchKey, "");
    QTest::keyClicks(w.searchEdit, "me");
    EXPECT_EQ(Text(w.searchEdit), "ME");
    EXPECT_EQ(CurrentLine(w.entryList), "Melissa**Hoest");
    QTest::keyClick(w.searchEdit, Qt::Key_Backspace);
    EXPECT_EQ(Text(w.searchEdit), "M");
    // In symptom order only the first letter is made a capital.
    ClickRadio(w.bySymptomRadio);
    QTest::mouseClick(w.searchEdit, Qt::LeftButton);
    QTest::keyClicks(w.searchEdit, "zw");
    EXPECT_EQ(Text(w.searchEdit), "Zw");
    EXPECT_EQ(CurrentLine(w.entryList), "Zweren**Arnica");
}

// In the type-ahead box, found by its name, the caret stays after each letter
// typed: Delete at the end then changes nothing. A letter Delete does take
// away moves the list to what the box still shows.
TEST_F(PrimaryEditorControls, TheCaretStaysAfterEachLetterTypedIntoTheTypeAheadBox) {
    WritePrimaryDb({Texts({"Agrimonia", "Hoest"}), Texts({"Gratiola", "Angst"}), Texts({"Ruta", "Zweren"})});
    PrimaryEditor w;
    w.show();
    auto* box = w.findChild<QLineEdit*>("EdCerca");
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, "Agr");
    EXPECT_EQ(Text(box), "AGR");
    EXPECT_EQ(box->cursorPosition(), 3);
    EXPECT_EQ(CurrentLine(w.entryList), "Agrimonia**Hoest");
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(Text(box), "AGR");
    EXPECT_EQ(box->cursorPosition(), 3);
    EXPECT_EQ(CurrentLine(w.entryList), "Agrimonia**Hoest");
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(Text(box), "GR");
    EXPECT_EQ(w.searchKey, "GR");
    EXPECT_EQ(CurrentLine(w.entryList), "Gratiola**Angst");
}

}  // namespace

}  // namespace primary_editor_controls_test
