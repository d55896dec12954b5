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

using namespace remedies;
using namespace remedy_tests;
using namespace editor_tests;
using namespace window_tests;

namespace {

class TherapiesEditorControls : public OwnDatabases {
protected:
    // The primary record of "Aurum" has every text at full length; that of
    // "Bryonia" none.
    PrimaryTexts aurum;
    void SetUp() override {
        aurum.Remedy = "AURUM";
        aurum.Indication = "Angst";
        aurum.Warnings = Tagged("War", 400);
        aurum.PrimarySignature = Tagged("Pri", 30);
        aurum.SecondarySignature = Tagged("Sec", 40);
        aurum.ZodiacalSignature = Tagged("Zod", 70);
        aurum.Synthesis = Tagged("Syn", 1500);
        aurum.Notes = Tagged("Not", 750);
        aurum.ExtraNotes = Tagged("Ext", 750);
        WritePrimaryDb({Texts("Calendula", "Wonden"), aurum, Texts("Bryonia", "Hoest")});
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
    ASSERT_EQ(w.CurrentRecordNumber, 1);
    EXPECT_EQ(Text(w.EdPato), "Angst");
    EXPECT_EQ(Text(w.EdProd), "Aurum");
    EXPECT_EQ(Text(w.EdPoso), "1 x daags");
    EXPECT_EQ(Text(w.MemoNote), Tagged("Rep", 750));
    EXPECT_EQ(Text(w.EdNumRec), "1 / 3");

    ClickEntry(w, "Zweren**Arnica");
    w.EdPato->setText(gui::ToQt(Tagged("Pat", 100)));
    w.EdProd->setText(gui::ToQt(Tagged("Rem", 100)));
    w.EdPoso->setText(gui::ToQt(Tagged("Pos", 250)));
    w.MemoNote->setPlainText(gui::ToQt(Tagged("Not", 750)));
    QTest::mouseClick(w.BBsalva, Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty()) << messages.Texts()[0];
    const RepertoryRecord stored = ReadRepertoryRecord(3);
    EXPECT_EQ(stored.Pathology, Tagged("Pat", 100));
    EXPECT_EQ(stored.Remedy, Tagged("Rem", 100));
    EXPECT_EQ(stored.Posology, Tagged("Pos", 250));
    EXPECT_EQ(stored.Notes3, Tagged("Not", 750).substr(500));
    EXPECT_EQ(stored.Notes(), Tagged("Not", 750));
    for (std::size_t r : {0, 1, 2})
        EXPECT_EQ(Record(FileBytes(kRepertoryDbName), r, kRepertoryRecordSize), Record(before, r, kRepertoryRecordSize));
}

TEST_F(TherapiesEditorControls, EachFieldWarnsBesideItselfPastItsMaximum) {
    RepertoryEditor w;
    w.show();
    struct Case {
        QLineEdit* edit;
        int maximum, top;
    };
    for (const Case& c : {Case{w.EdPato, 100, 83}, Case{w.EdProd, 100, 136}, Case{w.EdPoso, 250, 192}}) {
        c.edit->setText(QString(c.maximum - 1, 'k'));
        Append(c.edit, "k");
        EXPECT_FALSE(w.EdLimite->isVisible()) << c.top;
        const int beeps = BeepCount();
        Append(c.edit, "x");
        EXPECT_TRUE(w.EdLimite->isVisible()) << c.top;
        EXPECT_EQ(w.EdLimite->y(), c.top);
        EXPECT_EQ(BeepCount(), beeps + 1) << c.top;
        QTest::keyClick(c.edit, Qt::Key_Backspace);
        EXPECT_FALSE(w.EdLimite->isVisible()) << c.top;
    }
    // The notes beep from their 301st character, but the warning stands only
    // past the 750 they keep.
    w.MemoNote->setPlainText(QString(300, 'n'));
    int beeps = BeepCount();
    Append(w.MemoNote, "n");
    EXPECT_EQ(BeepCount(), beeps + 1);
    EXPECT_FALSE(w.EdLimite->isVisible());
    w.MemoNote->setPlainText(QString(750, 'n'));
    EXPECT_FALSE(w.EdLimite->isVisible());
    Append(w.MemoNote, "n");
    EXPECT_TRUE(w.EdLimite->isVisible());
    EXPECT_EQ(w.EdLimite->y(), 253);
    // Notes the record keeps whole raise no warning while another field is typed in.
    w.MemoNote->setPlainText(QString(400, 'n'));
    EXPECT_FALSE(w.EdLimite->isVisible());
    QTest::keyClick(w.EdPoso, Qt::Key_Backspace);
    EXPECT_FALSE(w.EdLimite->isVisible());
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
        {w.EdPoso, w.LabDesc, false, &RepertoryRecord::Posology, "2 x daagsx"},
        {w.MemoNote, w.LabDesc, false, &RepertoryRecord::Notes1, "x"},
        {w.EdProd, w.LabProd, true, &RepertoryRecord::Remedy, "Bryoniax"},
        {w.EdPato, w.LabIndi, true, &RepertoryRecord::Pathology, "Hoestx"},
    };
    for (const Case& c : cases) {
        w.show();
        ClickEntry(w, "Hoest**Bryonia");
        EXPECT_FALSE(w.BBsalva->isEnabled());
        if (auto* m = qobject_cast<QPlainTextEdit*>(c.field))
            Append(m, "x");
        else
            Append(static_cast<QLineEdit*>(c.field), "x");
        EXPECT_TRUE(w.BBsalva->isEnabled()) << c.wanted;
        EXPECT_TRUE(w.BBnuovo->isEnabled()) << c.wanted;
        QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
        ASSERT_TRUE(w.PanelSalva->isVisible()) << c.wanted;
        for (QLabel* l : {w.LabDesc, w.LabProd, w.LabIndi}) EXPECT_EQ(l->isEnabled(), l == c.label) << c.wanted;
        EXPECT_EQ(w.BBnuovo1->isEnabled(), c.asNew) << c.wanted;
        EXPECT_TRUE(w.BBsalva1->isEnabled()) << c.wanted;
        QTest::mouseClick(w.BBsalva1, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(ReadRepertoryRecord(2).*c.stored, c.wanted);
        // Back as it was for the next field.
        WriteRepertoryDb({{"Angst", "Aurum", "1 x daags", Tagged("Rep", 750)},
                          {"Hoest", "Bryonia", "2 x daags", ""},
                          {"Zweren", "Arnica", "uitwendig", "kompres"}});
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TherapiesEditorControls, UitwissenEmptiesEveryFieldAndUnlinksThePrimaryRecord) {
    RepertoryEditor w;
    w.show();
    ClickEntry(w, "Angst**Aurum");
    QTest::mouseClick(w.BBaltro, Qt::LeftButton);
    ASSERT_FALSE(Text(w.MemoPrim).empty());
    QTest::mouseClick(w.BBpulisci, Qt::LeftButton);
    for (QLineEdit* e : {w.EdNumRec, w.EdProd, w.EdPoso, w.EdPato}) EXPECT_EQ(Text(e), "") << e->objectName().toStdString();
    EXPECT_EQ(Text(w.MemoNote), "");
    EXPECT_EQ(Text(w.MemoPrim), "");
    EXPECT_EQ(w.CurrentRecordNumber, 0);
    EXPECT_EQ(w.LinkedPrimaryRecord, 0);
    for (QPushButton* b : {w.BBaltro, w.BBsegna, w.BBsinte, w.BBnote, w.BBelimina, w.BBsalva, w.BBnuovo})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    QTest::mouseClick(w.BitBtnRitorna, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(TherapiesEditorControls, EachPrimaryButtonShowsItsOwnPartOfTheLinkedRecord) {
    RepertoryEditor w;
    w.show();
    ClickEntry(w, "Angst**Aurum");
    ASSERT_EQ(w.LinkedPrimaryRecord, 2);
    const auto lines = [](const std::string& a, const std::string& b, const std::string& c) {
        return a + "\n" + b + "\n" + c;
    };
    QTest::mouseClick(w.BBaltro, Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoPrim), aurum.Warnings);
    QTest::mouseClick(w.BBsegna, Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoPrim), lines(aurum.PrimarySignature, aurum.SecondarySignature, aurum.ZodiacalSignature));
    QTest::mouseClick(w.BBsinte, Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoPrim), aurum.Synthesis);
    QTest::mouseClick(w.BBnote, Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoPrim),
              lines(aurum.Notes.substr(0, 250), aurum.Notes.substr(250, 250), aurum.Notes.substr(500)));

    // The double click on the record's text copies it into the notes; on
    // the notes, it empties them.
    QTest::mouseDClick(w.MemoPrim->viewport(), Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoNote), Text(w.MemoPrim));
    EXPECT_TRUE(w.BBsalva->isEnabled());
    QTest::mouseDClick(w.MemoNote->viewport(), Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoNote), "");
    EXPECT_FALSE(Text(w.MemoPrim).empty());

    // A linked record without those texts says so, each in its own words.
    ClickEntry(w, "Hoest**Bryonia");
    ASSERT_EQ(w.LinkedPrimaryRecord, 3);
    QTest::mouseClick(w.BBaltro, Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoPrim), "Geen Waarschuwingen Geregistreerd");
    QTest::mouseClick(w.BBsegna, Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoPrim), "Nessuna Segnatura Astrologica");
    QTest::mouseClick(w.BBsinte, Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoPrim), "Geen Psychische Synthese Inbegrepen");
    QTest::mouseClick(w.BBnote, Qt::LeftButton);
    EXPECT_EQ(Text(w.MemoPrim), "Nessuna Nota Registrata");
}

TEST_F(TherapiesEditorControls, TheTwoOrdersListAndShowTheirOwnRecords) {
    RepertoryEditor w;
    w.show();
    auto lines = [&w] {
        std::vector<std::string> out;
        for (int i = 0; i < w.ListBox1->count(); ++i) out.push_back(Text(w.ListBox1, i));
        return out;
    };
    EXPECT_TRUE(w.RBpato->isChecked());
    EXPECT_EQ(lines(), (std::vector<std::string>{"Angst**Aurum", "Hoest**Bryonia", "Zweren**Arnica"}));
    ClickRadio(w.RBprod);
    EXPECT_EQ(lines(), (std::vector<std::string>{"Arnica**Zweren", "Aurum**Angst", "Bryonia**Hoest"}));
    ClickRow(w.ListBox1, 2);
    EXPECT_EQ(Text(w.EdProd), "Bryonia");
    EXPECT_EQ(Text(w.EdPato), "Hoest");
    EXPECT_EQ(Text(w.EdNumRec), "2 / 3");
    ClickRadio(w.RBpato);
    EXPECT_EQ(lines(), (std::vector<std::string>{"Angst**Aurum", "Hoest**Bryonia", "Zweren**Arnica"}));
    ClickRow(w.ListBox1, 2);
    EXPECT_EQ(Text(w.EdProd), "Arnica");
    EXPECT_EQ(Text(w.EdPato), "Zweren");
    // Arnica has no primary record: said in red, the buttons greyed.
    EXPECT_EQ(Text(w.MemoPrim), "Arnica kan niet worden gevonden in de primaire database.");
    EXPECT_FALSE(w.BBnote->isEnabled());
}

TEST_F(TherapiesEditorControls, RicostruisciRewritesThePathologyListAndListsByPathology) {
    RebuildPathologyList();
    WriteRepertoryDb({{"Angst", "Aurum", "", ""}, {"Galstenen", "Taraxacum", "", ""}, {"Angst", "Avena", "", ""}});
    RepertoryEditor w;
    w.show();
    ClickRadio(w.RBprod);
    ClickRow(w.ListBox1, 0);
    QTest::mouseClick(w.BBRico, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPathologyListName), "Angst\r\nGalstenen\r\n");
    EXPECT_TRUE(w.RBpato->isChecked());
    EXPECT_EQ(Text(w.ListBox1, 2), "Galstenen**Taraxacum");
    EXPECT_EQ(w.CurrentRecordNumber, 0);
    EXPECT_EQ(Text(w.EdProd), "");
}

void DoubleClickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

std::vector<std::string> PathologiesInFile() {
    std::vector<std::string> out;
    for (const RepertoryRecord& r : ReadAllRepertoryRecords()) out.push_back(r.Pathology);
    return out;
}

TEST_F(TherapiesEditorControls, AReorderWritesTheNewOrderAndItsCancelNothing) {
    const std::string before = FileBytes(kRepertoryDbName);
    RepertoryEditor w;
    w.show();
    QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);
    EXPECT_EQ(w.BBmodifEle->text(), "Definitivo");
    EXPECT_FALSE(w.EditCerca->isEnabled());
    EXPECT_FALSE(w.EdPato->isEnabled());
    EXPECT_EQ(Text(w.ListBox1, 0), "Aurum**Angst");  // file order, remedy first
    DoubleClickRow(w.ListBox1, 2);
    DoubleClickRow(w.ListBox1, 0);
    QTest::mouseClick(w.BBannulla, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kRepertoryDbName), before);
    EXPECT_TRUE(w.RBprod->isChecked());
    EXPECT_TRUE(w.EditCerca->isEnabled());
    EXPECT_TRUE(w.EdPato->isEnabled());

    QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);
    DoubleClickRow(w.ListBox1, 2);
    DoubleClickRow(w.ListBox1, 0);
    QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);
    EXPECT_EQ(PathologiesInFile(), (std::vector<std::string>{"Zweren", "Angst", "Hoest"}));
    EXPECT_EQ(Record(FileBytes(kRepertoryDbName), 0, kRepertoryRecordSize), Record(before, 0, kRepertoryRecordSize));
    EXPECT_EQ(w.BBmodifEle->text(), "Modifica Elenco");
    EXPECT_FALSE(w.BBannulla->isVisible());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TherapiesEditorControls, FindAndTheTypeAheadBox) {
    RepertoryEditor w;
    w.show();
    w.EdTrova->setText("bryonia");
    QTest::mouseClick(w.BBtrova, Qt::LeftButton);
    EXPECT_EQ(CurrentLine(w.ListBox1), "Hoest**Bryonia");
    w.EdTrova->setText("e");
    QTest::mouseClick(w.EdTrova, Qt::LeftButton);
    QTest::mouseClick(w.BBtrova, Qt::LeftButton);
    QTest::mouseClick(w.BBtrova, Qt::LeftButton);
    EXPECT_EQ(CurrentLine(w.ListBox1), "Zweren**Arnica");  // the last line, second match of "E"

    QTest::keyClicks(w.EditCerca, "ho");
    EXPECT_EQ(w.SearchKey, "HO");
    EXPECT_EQ(CurrentLine(w.ListBox1), "Hoest**Bryonia");
    QTest::mouseClick(w.EditCerca, Qt::LeftButton);
    EXPECT_EQ(Text(w.EditCerca), "");
    EXPECT_EQ(w.SearchKey, "");
    QTest::keyClicks(w.EditCerca, "zw");
    EXPECT_EQ(CurrentLine(w.ListBox1), "Zweren**Arnica");
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
    ASSERT_EQ(messages.messages.size(), 1u);
    const std::string told = messages.messages[0].text;
    EXPECT_NE(told.find("\"OpzioneH\\Repertorio.rnd\" \xE8 danneggiato"), std::string::npos) << told;
    EXPECT_NE(told.find("schede sono vuote"), std::string::npos) << told;
    EXPECT_NE(told.find("copia di sicurezza"), std::string::npos) << told;
    EXPECT_EQ(w.ListBox1->count(), 0);

    messages.messages.clear();
    QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);
    QTest::mouseClick(w.BBmodifEle, Qt::LeftButton);  // "Definitivo"
    Retype(w.EdPato, "Migraine");
    Retype(w.EdProd, "Aurum");
    QTest::mouseClick(w.BBnuovo, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 2u);
    for (const std::string& m : messages.Texts()) {
        EXPECT_NE(m.find("NON eseguita"), std::string::npos) << m;
        EXPECT_NE(m.find("OpzioneH\\Repertorio.rnd"), std::string::npos) << m;
    }
    EXPECT_EQ(FileBytes(kRepertoryDbName), zeros);
    EXPECT_TRUE(fs::last_write_time(file) == longAgo);
    EXPECT_EQ(Text(w.EdPato), "Migraine");
    EXPECT_EQ(Text(w.EdProd), "Aurum");

    // Put back from a backup, it takes the same record.
    testing_support::WriteBytes(file, sound);
    messages.messages.clear();
    QTest::mouseClick(w.BBnuovo, Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty()) << messages.Texts()[0];
    EXPECT_EQ(ReadRepertoryRecord(4).Pathology, "Migraine");
}

// The primary database damaged beside a sound therapies database: the editor
// names it as it opens, and a therapy clicked shows nothing of the damaged
// file beside it.
TEST_F(TherapiesEditorControls, ADamagedPrimaryDatabaseIsNamedAndNothingOfItIsShownBesideATherapy) {
    WriteRandomRecords(rt::ResolvePath(kPrimaryDbName), kPrimaryRecordSize, 2, 1, 17);
    RepertoryEditor w;
    w.show();
    ExpectDamageTold(messages, 1, kPrimaryDbName);
    EXPECT_NE(LastMessage(messages).find("Il riquadro della banca dati primaria"), std::string::npos);
    ASSERT_EQ(w.ListBox1->count(), 3);
    ClickEntry(w, "Angst**Aurum");
    EXPECT_EQ(Text(w.MemoPrim), "De primaire database \"OpzioneH\\DBmain.rnd\" is beschadigd en wordt niet gelezen.");
    EXPECT_EQ(w.LinkedPrimaryRecord, 0);
    for (QPushButton* b : {w.BBaltro, w.BBsegna, w.BBsinte, w.BBnote}) EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(TherapiesEditorControls, InfoShowsAndHidesTheLimits) {
    RepertoryEditor w;
    w.show();
    QTest::mouseClick(w.BBinfo, Qt::LeftButton);
    ASSERT_TRUE(w.MemoIstruz->isVisible());
    EXPECT_NE(Text(w.MemoIstruz).find("per la PATOLOGIA, 100 caratteri per il RIMEDIO"), std::string::npos);
    QTest::mouseClick(w.BBinfo, Qt::LeftButton);
    EXPECT_FALSE(w.MemoIstruz->isVisible());
}

}  // namespace
