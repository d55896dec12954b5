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
    {"EdProd", &PrimaryTexts::Remedy, 50, 53, ""},
    {"MemoIndi", &PrimaryTexts::Indication, 300, 87, "Indicaties"},
    {"MemoPoso", &PrimaryTexts::Posology, 900, 142, "Dosering"},
    {"MemoAvve", &PrimaryTexts::Warnings, 400, 197, "Waarschuwingen"},
    {"EdPlane", &PrimaryTexts::PrimarySignature, 30, 254, ""},
    {"EdSeco", &PrimaryTexts::SecondarySignature, 40, 254, ""},
    {"EdZodi", &PrimaryTexts::ZodiacalSignature, 70, 285, ""},
    {"MemoSint", &PrimaryTexts::Synthesis, 1500, 316, "Psychische Synthese"},
    {"MemoNote", &PrimaryTexts::Notes, 750, 402, "Notities"},
    {"MemoNoteSupp", &PrimaryTexts::ExtraNotes, 750, 449, "Extra Notities"},
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
    ClickEntry(w, second.Remedy + "**" + second.Indication);
    ASSERT_EQ(w.CurrentRecordNumber, 2);
    EXPECT_EQ(Text(w.EdNumRec), "2 / 2");
    for (const ShownField& f : kFields) EXPECT_EQ(FieldText(w, f), second.*f.text) << f.name;

    // Every field given a text of its own; "Salva" puts each in its place.
    const PrimaryTexts edited = FullRecord("C");
    for (const ShownField& f : kFields) SetField(w, f, edited.*f.text);
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty()) << messages.Texts()[0];
    const PrimaryTexts stored = PrimaryRecordToTexts(ReadPrimaryRecord(2));
    for (const ShownField& f : kFields) EXPECT_EQ(stored.*f.text, edited.*f.text) << f.name;
    EXPECT_EQ(Record(FileBytes(kPrimaryDbName), 1, kPrimaryRecordSize), Record(before, 1, kPrimaryRecordSize));
    EXPECT_EQ(Record(FileBytes(kPrimaryDbName), 0, kPrimaryRecordSize), Record(before, 0, kPrimaryRecordSize));

    // The first record shows its own texts, not those of the one saved.
    ClickEntry(w, first.Remedy + "**" + first.Indication);
    for (const ShownField& f : kFields) EXPECT_EQ(FieldText(w, f), first.*f.text) << f.name;
}

TEST_F(PrimaryEditorControls, EveryFieldWarnsBesideItselfOneCharacterPastItsMaximum) {
    WritePrimaryDb({Texts("Arnica", "Blauwe plekken")});
    PrimaryEditor w;
    w.show();
    for (const ShownField& f : kFields) {
        SetField(w, f, std::string(f.maximum - 1, 'k'));
        TypeAtEnd(w, f, "k");
        EXPECT_FALSE(w.EdLimite->isVisible()) << f.name;
        const int beeps = BeepCount();
        TypeAtEnd(w, f, "x");
        EXPECT_TRUE(w.EdLimite->isVisible()) << f.name;
        EXPECT_EQ(w.EdLimite->y(), f.warningTop) << f.name;
        EXPECT_EQ(BeepCount(), beeps + 1) << f.name;
        QTest::keyClick(FieldWidget(w, f), Qt::Key_Backspace);
        EXPECT_FALSE(w.EdLimite->isVisible()) << f.name;
    }
    // The last field still too long keeps the warning while the first is typed in.
    TypeAtEnd(w, kFields[9], "x");
    QTest::keyClick(FieldWidget(w, kFields[0]), Qt::Key_Backspace);
    TypeAtEnd(w, kFields[0], "y");
    EXPECT_TRUE(w.EdLimite->isVisible());
    EXPECT_EQ(w.EdLimite->y(), 449);
}

// Keys that type no character neither enter a field nor count towards its
// length: in a field at its maximum, Delete at its end, Ctrl with a full stop,
// Alt with a letter, a function key and Ctrl+A leave the text as it is and
// raise no warning.
TEST_F(PrimaryEditorControls, KeysThatTypeNoCharacterNeitherEnterNorLengthenAField) {
    using testing_support::PressKey;
    WritePrimaryDb({Texts("Arnica", "Blauwe plekken")});
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
        const int beeps = BeepCount();
        for (const auto& [key, modifiers] : {std::pair{Qt::Key_Delete, Qt::KeyboardModifiers()},
                                             std::pair{Qt::Key_Period, Qt::KeyboardModifiers(Qt::ControlModifier)},
                                             std::pair{Qt::Key_K, Qt::KeyboardModifiers(Qt::AltModifier)},
                                             std::pair{Qt::Key_F2, Qt::KeyboardModifiers()},
                                             std::pair{Qt::Key_A, Qt::KeyboardModifiers(Qt::ControlModifier)}}) {
            PressKey(box, key, modifiers);
            EXPECT_FALSE(w.EdLimite->isVisible()) << f.name << " " << key;
        }
        EXPECT_EQ(BeepCount(), beeps) << f.name;
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
        if (f.text == &PrimaryTexts::Remedy || f.text == &PrimaryTexts::Indication) continue;
        w.show();
        ClickEntry(w, shorter.Remedy + "**" + shorter.Indication);
        EXPECT_FALSE(w.BBsalva->isEnabled()) << f.name;
        TypeAtEnd(w, f, "x");
        EXPECT_TRUE(w.BBsalva->isEnabled()) << f.name;
        EXPECT_TRUE(w.BBnuovo->isEnabled()) << f.name;
        QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
        ASSERT_TRUE(w.PanelSalva->isVisible()) << f.name;
        EXPECT_TRUE(w.LabDesc->isEnabled()) << f.name;
        EXPECT_FALSE(w.LabProd->isEnabled()) << f.name;
        EXPECT_FALSE(w.LabIndi->isEnabled()) << f.name;
        EXPECT_TRUE(w.BBsalva1->isEnabled()) << f.name;
        EXPECT_FALSE(w.BBnuovo1->isEnabled()) << f.name;
        EXPECT_TRUE(w.BBelimina1->isEnabled()) << f.name;
        QTest::mouseClick(w.BBsalva1, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible()) << f.name;
        shorter.*f.text += "x";
        const PrimaryTexts stored = PrimaryRecordToTexts(ReadPrimaryRecord(1));
        for (const ShownField& g : kFields) EXPECT_EQ(stored.*g.text, shorter.*g.text) << f.name << " " << g.name;
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(PrimaryEditorControls, TheRemedyAndTheIndicationEachNameTheirChangeInThePanel) {
    WritePrimaryDb({Texts("Arnica", "Blauwe plekken"), Texts("Bryonia", "Hoest")});
    PrimaryEditor w;
    // A changed remedy: both saves offered; "Salva come Nuovo" appends and
    // leaves the record shown as it was.
    w.show();
    ClickEntry(w, "Arnica**Blauwe plekken");
    TypeAtEnd(w, kFields[0], " D6");
    EXPECT_TRUE(w.BBsalva->isEnabled());
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_TRUE(w.PanelSalva->isVisible());
    EXPECT_TRUE(w.LabProd->isEnabled());
    EXPECT_FALSE(w.LabIndi->isEnabled());
    EXPECT_FALSE(w.LabDesc->isEnabled());
    EXPECT_TRUE(w.BBnuovo1->isEnabled());
    EXPECT_TRUE(w.BBsalva1->isEnabled());
    QTest::mouseClick(w.BBnuovo1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(PrimaryRecordCount(), 3);
    EXPECT_EQ(ReadPrimaryRecord(3).Remedy, "Arnica D6");
    EXPECT_EQ(ReadPrimaryRecord(3).Indication(), "Blauwe plekken");
    EXPECT_EQ(ReadPrimaryRecord(1).Remedy, "Arnica");

    // A changed indication: the panel's "Salva" writes it into the record shown.
    w.show();
    ClickEntry(w, "Bryonia**Hoest");
    TypeAtEnd(w, kFields[1], " droog");
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_TRUE(w.PanelSalva->isVisible());
    EXPECT_FALSE(w.LabProd->isEnabled());
    EXPECT_TRUE(w.LabIndi->isEnabled());
    EXPECT_FALSE(w.LabDesc->isEnabled());
    QTest::mouseClick(w.BBsalva1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(ReadPrimaryRecord(2).Indication(), "Hoest droog");
    EXPECT_EQ(PrimaryRecordCount(), 3);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(PrimaryEditorControls, PulisciPutsEveryFieldBackToItsPlaceholder) {
    WritePrimaryDb({FullRecord("A"), Texts("Arnica", "Zweren")});
    PrimaryEditor w;
    w.show();
    ClickRadio(w.RBindi);
    ClickEntry(w, FullRecord("A").Indication + "**" + FullRecord("A").Remedy);
    ASSERT_EQ(w.CurrentRecordNumber, 1);
    QTest::mouseClick(w.BBpulisci, Qt::LeftButton);
    // The list stays as it was.
    EXPECT_TRUE(w.RBindi->isChecked());
    EXPECT_EQ(Text(w.ListBox1, 1), "Zweren**Arnica");
    for (const ShownField& f : kFields) {
        EXPECT_EQ(FieldText(w, f), "") << f.name;
        if (auto* m = w.findChild<QPlainTextEdit*>(f.name)) {
            EXPECT_EQ(m->placeholderText(), f.placeholder) << f.name;
        }
    }
    EXPECT_EQ(w.CurrentRecordNumber, 0);
    EXPECT_EQ(Text(w.EdNumRec), "");
    EXPECT_FALSE(w.BBelimina->isEnabled());
    EXPECT_FALSE(w.BBsalva->isEnabled());
    EXPECT_FALSE(w.BBnuovo->isEnabled());
    // Nothing typed since: the close asks nothing.
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

// After "Pulisci" the user clicks into the memos and types: each caption
// gives way to the first key, only what was typed is stored, and with no
// record shown only "Salva come Nuovo" is offered. A record that holds a
// caption as its text (saved so from a cleared form) shows it as the caption.
TEST_F(PrimaryEditorControls, TypingAfterPulisciReplacesTheCaptionsAndSavesOnlyAsNew) {
    PrimaryTexts old = Texts("Aconitum", "Angst");
    old.Posology = "Dosering";
    WritePrimaryDb({Texts("Arnica", "Blauwe plekken"), old});
    PrimaryEditor w;
    w.show();
    ClickEntry(w, "Arnica**Blauwe plekken");
    QTest::mouseClick(w.BBpulisci, Qt::LeftButton);
    const auto typeInto = [](QWidget* field, QWidget* clicked, const QString& text) {
        QTest::mouseClick(clicked, Qt::LeftButton, {}, clicked->rect().center());
        QTest::keyClicks(field, text);
    };
    typeInto(w.MemoIndi, w.MemoIndi->viewport(), QString::fromUtf8("Koorts boven 39\u00B0"));
    EXPECT_EQ(Text(w.MemoIndi), "Koorts boven 39\xB0");
    EXPECT_FALSE(w.BBsalva->isEnabled());
    EXPECT_TRUE(w.BBnuovo->isEnabled());
    typeInto(w.EdProd, w.EdProd, "Belladonna");
    typeInto(w.MemoPoso, w.MemoPoso->viewport(), "3 x daags");
    EXPECT_FALSE(w.BBsalva->isEnabled());
    QTest::mouseClick(w.BBnuovo, Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty()) << messages.Texts()[0];
    ASSERT_EQ(PrimaryRecordCount(), 3);
    const PrimaryTexts stored = PrimaryRecordToTexts(ReadPrimaryRecord(3));
    EXPECT_EQ(stored.Remedy, "Belladonna");
    EXPECT_EQ(stored.Indication, "Koorts boven 39\xB0");
    EXPECT_EQ(stored.Posology, "3 x daags");
    EXPECT_EQ(stored.Warnings, "");  // left showing its caption
    EXPECT_EQ(stored.Synthesis, "");

    ClickEntry(w, "Aconitum**Angst");
    typeInto(w.MemoPoso, w.MemoPoso->viewport(), "5 korrels");
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty()) << messages.Texts()[0];
    EXPECT_EQ(PrimaryRecordToTexts(ReadPrimaryRecord(2)).Posology, "5 korrels");
}

TEST_F(PrimaryEditorControls, IgnoraDropsTheEditAndLeavesTheFile) {
    WritePrimaryDb({Texts("Arnica", "Blauwe plekken"), Texts("Bryonia", "Hoest")});
    const std::string before = FileBytes(kPrimaryDbName);
    PrimaryEditor w;
    w.show();
    ClickEntry(w, "Bryonia**Hoest");
    TypeAtEnd(w, kFields[2], "3 x daags");
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    ASSERT_TRUE(w.PanelSalva->isVisible());
    QTest::mouseClick(w.BBignora1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.PanelSalva->isVisible());
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(w.CurrentRecordNumber, 0);
    EXPECT_EQ(Text(w.MemoPoso), "");
    EXPECT_EQ(w.MemoPoso->placeholderText(), "Dosering");
}

// Should the file change under a list line, the click finds the record by
// its remedy and indication, in either order.
TEST_F(PrimaryEditorControls, AClickAfterTheFileChangedFindsTheRecordByItsTexts) {
    WritePrimaryDb({Texts("Zingiber", "Angst"), Texts("Arnica", "Zweren"), Texts("Melissa", "Hoest")});
    PrimaryEditor w;
    w.show();
    ClickRadio(w.RBindi);
    WritePrimaryDb({Texts("Arnica", "Zweren"), Texts("Melissa", "Hoest"), Texts("Zingiber", "Angst")});
    ClickEntry(w, "Angst**Zingiber");
    EXPECT_EQ(w.CurrentRecordNumber, 3);
    EXPECT_EQ(Text(w.EdProd), "Zingiber");
    EXPECT_EQ(Text(w.MemoIndi), "Angst");
    ClickRadio(w.RBprod);
    WritePrimaryDb({Texts("Melissa", "Hoest"), Texts("Zingiber", "Angst"), Texts("Arnica", "Zweren")});
    ClickEntry(w, "Arnica**Zweren");
    EXPECT_EQ(w.CurrentRecordNumber, 3);
    EXPECT_EQ(Text(w.MemoIndi), "Zweren");
}

// The lists by remedy and by symptom are in different orders; a click on the
// last line of either shows that line's record.
TEST_F(PrimaryEditorControls, TheTwoOrdersListAndShowTheirOwnRecords) {
    WritePrimaryDb({Texts("Zingiber", "Angst"), Texts("Arnica", "Zweren"), Texts("Melissa", "Hoest")});
    PrimaryEditor w;
    w.show();
    const std::vector<std::string> byRemedy{"Arnica**Zweren", "Melissa**Hoest", "Zingiber**Angst"};
    const std::vector<std::string> bySymptom{"Angst**Zingiber", "Hoest**Melissa", "Zweren**Arnica"};
    auto lines = [&w] {
        std::vector<std::string> out;
        for (int i = 0; i < w.ListBox1->count(); ++i) out.push_back(Text(w.ListBox1, i));
        return out;
    };
    EXPECT_EQ(lines(), byRemedy);
    ClickRadio(w.RBindi);
    EXPECT_TRUE(w.RBindi->isChecked());
    EXPECT_EQ(lines(), bySymptom);
    ClickRow(w.ListBox1, 2);
    EXPECT_EQ(Text(w.EdProd), "Arnica");
    EXPECT_EQ(Text(w.MemoIndi), "Zweren");
    EXPECT_EQ(w.CurrentRecordNumber, 2);
    ClickRadio(w.RBprod);
    EXPECT_TRUE(w.RBprod->isChecked());
    EXPECT_EQ(lines(), byRemedy);
    ClickRow(w.ListBox1, 2);
    EXPECT_EQ(Text(w.EdProd), "Zingiber");
    EXPECT_EQ(Text(w.MemoIndi), "Angst");
    EXPECT_EQ(Text(w.EdNumRec), "1 / 3");
    // A save in symptom order refills the list in that order.
    ClickRadio(w.RBindi);
    ClickRow(w.ListBox1, 1);
    TypeAtEnd(w, kFields[2], "2 x daags");
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    EXPECT_EQ(lines(), bySymptom);
    EXPECT_EQ(CurrentLine(w.ListBox1), "Hoest**Melissa");
}

TEST_F(PrimaryEditorControls, TheNoteOnAUseNumberShowsForOneToNineOnly) {
    WritePrimaryDb({Texts("Aurum (1)", "Angst"), Texts("Aurum (9)", "Angst"), Texts("Aurum (0)", "Angst"),
                    Texts("Aurum 9", "Angst")});
    PrimaryEditor w;
    w.show();
    const std::pair<const char*, bool> cases[] = {
        {"Aurum (1)**Angst", true}, {"Aurum (0)**Angst", false}, {"Aurum (9)**Angst", true}, {"Aurum 9**Angst", false}};
    for (const auto& [line, shown] : cases) {
        ClickEntry(w, line);
        EXPECT_EQ(w.MemoPare->isVisible(), shown) << line;
    }
    ClickEntry(w, "Aurum (9)**Angst");
    QTest::mouseClick(w.BBpulisci, Qt::LeftButton);
    EXPECT_FALSE(w.MemoPare->isVisible());
}

TEST_F(PrimaryEditorControls, InfoShowsAndHidesTheInstructions) {
    WritePrimaryDb({Texts("Arnica", "Blauwe plekken")});
    PrimaryEditor w;
    w.show();
    EXPECT_FALSE(w.MemoIstruz->isVisible());
    QTest::mouseClick(w.BBinfo, Qt::LeftButton);
    ASSERT_TRUE(w.MemoIstruz->isVisible());
    for (const char* limit : {"50 caratteri per il Rimedio", "300 caratteri per le Indicazioni",
                              "1500 caratteri per la Sintesi Psichica", "750 caratteri per Note Supplementari"})
        EXPECT_NE(Text(w.MemoIstruz).find(limit), std::string::npos) << limit;
    QTest::mouseClick(w.BBinfo, Qt::LeftButton);
    EXPECT_FALSE(w.MemoIstruz->isVisible());
    // A list click, and the close, put the instructions away.
    QTest::mouseClick(w.BBinfo, Qt::LeftButton);
    ClickRow(w.ListBox1, 0);
    EXPECT_FALSE(w.MemoIstruz->isVisible());
    QTest::mouseClick(w.BBinfo, Qt::LeftButton);
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    EXPECT_FALSE(w.MemoIstruz->isVisible());
}

TEST_F(PrimaryEditorControls, RicostruisciRewritesTheListsFromTheDatabaseAndListsBySymptom) {
    WritePrimaryDb({Texts("Arnica", "Blauwe plekken"), Texts("Bryonia", "Hoest")});
    RebuildPrimaryLists();
    // A record the lists do not know yet, put in by another program.
    WritePrimaryDb({Texts("Arnica", "Blauwe plekken"), Texts("Bryonia", "Hoest"), Texts("Calendula", "Wonden")});
    PrimaryEditor w;
    w.show();
    ClickRow(w.ListBox1, 0);
    QTest::mouseClick(w.BBRico, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kSymptomListName), "Blauwe plekken\r\nHoest\r\nWonden\r\n");
    EXPECT_EQ(FileBytes(kRemedyListName), "Arnica\r\nBryonia\r\nCalendula\r\n");
    EXPECT_TRUE(w.RBindi->isChecked());
    EXPECT_EQ(Text(w.ListBox1, 2), "Wonden**Calendula");
    EXPECT_EQ(w.CurrentRecordNumber, 0);
    EXPECT_EQ(Text(w.EdProd), "");
    EXPECT_TRUE(messages.messages.empty());
}

std::vector<std::string> RemediesInFile() {
    std::vector<std::string> out;
    for (const PrimaryRecord& r : ReadAllPrimaryRecords()) out.push_back(r.Remedy);
    return out;
}

void DoubleClickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

TEST_F(PrimaryEditorControls, AMoveDownTheListAndTheCancelOfAMove) {
    WritePrimaryDb({Texts("R1", "a"), Texts("R2", "b"), Texts("R3", "c"), Texts("R4", "d"), Texts("R5", "e"),
                    Texts("R6", "f"), Texts("R7", "g")});
    const std::string before = FileBytes(kPrimaryDbName);
    PrimaryEditor w;
    w.show();
    QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);
    EXPECT_FALSE(w.BBRico->isEnabled());
    EXPECT_FALSE(w.BBpulisci->isEnabled());
    EXPECT_FALSE(w.EdProd->isEnabled());
    // The last line moved to the top, then the move dropped.
    DoubleClickRow(w.ListBox1, 6);
    EXPECT_EQ(Text(w.EdCerca), "R7**g");
    DoubleClickRow(w.ListBox1, 0);
    EXPECT_EQ(Text(w.ListBox1, 0), "R7**g");
    EXPECT_EQ(Text(w.EdCerca), "");
    QTest::mouseClick(w.BBannulla, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPrimaryDbName), before);
    EXPECT_EQ(w.BBmodifEle->text(), "Modifica Elenco");
    EXPECT_FALSE(w.BBannulla->isVisible());
    EXPECT_TRUE(w.RBprod->isVisible());
    EXPECT_TRUE(w.RBindi->isVisible());
    EXPECT_TRUE(w.EdCerca->isEnabled());
    EXPECT_TRUE(w.BBRico->isEnabled());
    EXPECT_TRUE(w.EdProd->isEnabled());
    EXPECT_EQ(Text(w.ListBox1, 0), "R1**a");

    // Index 1 to index 4: the lines between move up one place.
    QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);
    DoubleClickRow(w.ListBox1, 1);
    DoubleClickRow(w.ListBox1, 4);
    QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);
    EXPECT_EQ(RemediesInFile(), (std::vector<std::string>{"R1", "R3", "R4", "R5", "R2", "R6", "R7"}));
    EXPECT_EQ(Record(FileBytes(kPrimaryDbName), 0, kPrimaryRecordSize), Record(before, 0, kPrimaryRecordSize));
    // A double click while browsing moves nothing.
    DoubleClickRow(w.ListBox1, 0);
    DoubleClickRow(w.ListBox1, 3);
    EXPECT_FALSE(w.MovePending);
    EXPECT_EQ(Text(w.ListBox1, 0), "R1**a");
    EXPECT_EQ(RemediesInFile(), (std::vector<std::string>{"R1", "R3", "R4", "R5", "R2", "R6", "R7"}));
}

TEST_F(PrimaryEditorControls, FindReachesTheLastLineAndStartsAgainAfterAClickInItsBox) {
    WritePrimaryDb({Texts("Aurum", "Hoest"), Texts("Bryonia", "Angst"), Texts("Calendula", "Hoest bij kinderen")});
    PrimaryEditor w;
    w.show();
    w.EdTrova->setText("HOEST");
    QTest::mouseClick(w.BBtrova, Qt::LeftButton);
    EXPECT_EQ(w.ListBox1->currentRow(), 0);
    QTest::mouseClick(w.BBtrova, Qt::LeftButton);
    EXPECT_EQ(w.ListBox1->currentRow(), 2);
    // The click into the box starts the find again from the first line.
    QTest::mouseClick(w.EdTrova, Qt::LeftButton);
    EXPECT_TRUE(w.BBtrova->isDefault());
    QTest::mouseClick(w.BBtrova, Qt::LeftButton);
    EXPECT_EQ(w.ListBox1->currentRow(), 0);
    // A find selects; it does not show the record.
    EXPECT_EQ(w.CurrentRecordNumber, 0);
    EXPECT_EQ(Text(w.EdProd), "");
}

TEST_F(PrimaryEditorControls, AClickInTheTypeAheadBoxStartsANewKey) {
    WritePrimaryDb({Texts("Zingiber", "Angst"), Texts("Arnica", "Zweren"), Texts("Melissa", "Hoest")});
    PrimaryEditor w;
    w.show();
    QTest::keyClicks(w.EdCerca, "zi");
    EXPECT_EQ(CurrentLine(w.ListBox1), "Zingiber**Angst");
    QTest::mouseClick(w.EdCerca, Qt::LeftButton);
    EXPECT_EQ(Text(w.EdCerca), "");
    EXPECT_EQ(w.SearchKey, "");
    QTest::keyClicks(w.EdCerca, "me");
    EXPECT_EQ(Text(w.EdCerca), "ME");
    EXPECT_EQ(CurrentLine(w.ListBox1), "Melissa**Hoest");
    QTest::keyClick(w.EdCerca, Qt::Key_Backspace);
    EXPECT_EQ(Text(w.EdCerca), "M");
    // In symptom order only the first letter is made a capital.
    ClickRadio(w.RBindi);
    QTest::mouseClick(w.EdCerca, Qt::LeftButton);
    QTest::keyClicks(w.EdCerca, "zw");
    EXPECT_EQ(Text(w.EdCerca), "Zw");
    EXPECT_EQ(CurrentLine(w.ListBox1), "Zweren**Arnica");
}

}  // namespace
