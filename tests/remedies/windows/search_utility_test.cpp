// Each control of the search-and-edit utility pressed, with a check of its own
// effect: every field radio of both databases searching and saving its own
// field, whole and at its full length, the database radios with their
// panels, the end of a search by a new phrase or field, either memo arming
// the save of a record shown, the yes to the question before a new search, the
// return, and a damaged database neither searched nor written into.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/win1252.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/search_utility.h"
#include "tests/common/keyboard.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/editor_test_util.h"

namespace search_utility_test {

using namespace remedies;
using namespace remedy_tests;
using namespace editor_tests;

namespace {

class SearchUtility : public OwnDatabases {
protected:
    void SetUp() override {
        WritePrimaryDb({FullRecord("A"), FullRecord("B"), FullRecord("C")});
        WriteRepertoryDb({FullTherapy("A"), FullTherapy("B"), FullTherapy("C")});
    }
};

struct PrimaryRadio {
    std::size_t radio;  // in primaryFieldRadios
    std::string PrimaryTexts::*text;
    std::size_t capacity;
};
const PrimaryRadio kPrimaryRadios[] = {
    {0, &PrimaryTexts::remedy, 50},
    {1, &PrimaryTexts::indication, 300},
    {2, &PrimaryTexts::posology, 900},
    {3, &PrimaryTexts::warnings, 400},
    {4, &PrimaryTexts::primarySignature, 30},
    {5, &PrimaryTexts::secondarySignature, 40},
    {6, &PrimaryTexts::zodiacalSignature, 70},
    {7, &PrimaryTexts::synthesis, 1500},
    {8, &PrimaryTexts::notes, 750},
    {9, &PrimaryTexts::extraNotes, 750},
};

struct TherapyRadio {
    std::size_t radio;  // in therapyFieldRadios
    std::string RepertoryTexts::*text;
    std::size_t capacity;
};
const TherapyRadio kTherapyRadios[] = {
    {0, &RepertoryTexts::remedy, 100},
    {1, &RepertoryTexts::pathology, 100},
    {2, &RepertoryTexts::posology, 250},
    {3, &RepertoryTexts::notes, 750},
};

// The search for the last dozen letters of a text, typed in capitals: the
// last record holds them at the end of its field, and nothing more.
void ExpectFoundAtTheEnd(remedies::SearchUtility& w, const std::string& text, std::size_t capacity,
                         const std::string& remedy, const std::string& what) {
    const std::string tail = text.substr(text.size() - 12);
    w.phraseEdit->setText(gui::ToQt(rt::UpperAscii(tail)));
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.positionEdit), "4") << what;
    EXPECT_EQ(Text(w.remedyEdit), remedy) << what;
    EXPECT_EQ(Text(w.textBeforeMemo), text.substr(0, text.size() - 12)) << what;
    EXPECT_EQ(Text(w.textFromMatchMemo), tail) << what;
    EXPECT_EQ(Text(w.lengthEdit), std::to_string(text.size()) + "/" + std::to_string(capacity)) << what;
    EXPECT_EQ(w.searchButton->text(), "Continua") << what;
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.remedyEdit), "FINE ARCHIVIO") << what;
    EXPECT_EQ(Text(w.positionEdit), "3") << what;
    EXPECT_EQ(w.searchButton->text(), "Cerca") << what;
}

TEST_F(SearchUtility, EveryFieldRadioSearchesItsOwnFieldWhole) {
    remedies::SearchUtility w;
    w.show();
    const PrimaryTexts last = FullRecord("C");
    for (const PrimaryRadio& r : kPrimaryRadios) {
        ClickRadio(w.primaryFieldRadios[r.radio]);
        ASSERT_TRUE(w.primaryFieldRadios[r.radio]->isChecked())
            << w.primaryFieldRadios[r.radio]->objectName().toStdString();
        ExpectFoundAtTheEnd(w, last.*r.text, r.capacity, last.remedy,
                            w.primaryFieldRadios[r.radio]->objectName().toStdString());
    }
    ClickRadio(w.therapiesDatabaseRadio);
    const RepertoryTexts lastTherapy = FullTherapy("C");
    for (const TherapyRadio& r : kTherapyRadios) {
        ClickRadio(w.therapyFieldRadios[r.radio]);
        ASSERT_TRUE(w.therapyFieldRadios[r.radio]->isChecked())
            << w.therapyFieldRadios[r.radio]->objectName().toStdString();
        ExpectFoundAtTheEnd(w, lastTherapy.*r.text, r.capacity, lastTherapy.remedy,
                            w.therapyFieldRadios[r.radio]->objectName().toStdString());
    }
    EXPECT_TRUE(messages_.messages.empty());
}

// The middle record's field found at its 13th character and a dozen
// characters replaced, before the match or from it on, through one memo or
// the other; the record's other fields and the other records stay as they were.
std::string Replacement(const std::string& name) { return ("Nieuw " + name + "......").substr(0, 12); }

TEST_F(SearchUtility, EveryFieldRadioSavesIntoItsOwnField) {
    remedies::SearchUtility w;
    w.show();
    int k = 0;
    for (const PrimaryRadio& r : kPrimaryRadios) {
        const std::string before = FileBytes(kPrimaryDbName);
        PrimaryTexts wanted = PrimaryRecordToTexts(ReadPrimaryRecord(2));
        const std::string name = w.primaryFieldRadios[r.radio]->objectName().toStdString();
        ClickRadio(w.primaryFieldRadios[r.radio]);
        w.phraseEdit->setText(gui::ToQt((wanted.*r.text).substr(12, 12)));
        QTest::mouseClick(w.searchButton, Qt::LeftButton);
        ASSERT_EQ(Text(w.positionEdit), "3") << name;
        QPlainTextEdit* memo = (k++ % 2) ? w.textBeforeMemo : w.textFromMatchMemo;
        QTest::mouseClick(memo->viewport(), Qt::LeftButton);
        Retype(memo, QString::fromStdString(Replacement(name)));
        ASSERT_TRUE(w.saveButton->isEnabled()) << name;
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        EXPECT_TRUE(messages_.messages.empty()) << name << ": " << messages_.Texts()[0];
        const std::string old = wanted.*r.text;
        wanted.*r.text =
            memo == w.textBeforeMemo ? Replacement(name) + old.substr(12) : old.substr(0, 12) + Replacement(name);
        const PrimaryTexts stored = PrimaryRecordToTexts(ReadPrimaryRecord(2));
        for (const PrimaryRadio& other : kPrimaryRadios) EXPECT_EQ(stored.*other.text, wanted.*other.text) << name;
        for (std::size_t rec : {0, 1, 3})
            EXPECT_EQ(Record(FileBytes(kPrimaryDbName), rec, kPrimaryRecordSize),
                      Record(before, rec, kPrimaryRecordSize))
                << name;
    }
    ClickRadio(w.therapiesDatabaseRadio);
    for (const TherapyRadio& r : kTherapyRadios) {
        const std::string primary = FileBytes(kPrimaryDbName), before = FileBytes(kRepertoryDbName);
        RepertoryTexts wanted = RepertoryRecordToTexts(ReadRepertoryRecord(2));
        const std::string name = w.therapyFieldRadios[r.radio]->objectName().toStdString();
        ClickRadio(w.therapyFieldRadios[r.radio]);
        w.phraseEdit->setText(gui::ToQt((wanted.*r.text).substr(12, 12)));
        QTest::mouseClick(w.searchButton, Qt::LeftButton);
        ASSERT_EQ(Text(w.positionEdit), "3") << name;
        QPlainTextEdit* memo = (k++ % 2) ? w.textBeforeMemo : w.textFromMatchMemo;
        QTest::mouseClick(memo->viewport(), Qt::LeftButton);
        Retype(memo, QString::fromStdString(Replacement(name)));
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        EXPECT_TRUE(messages_.messages.empty()) << name;
        const std::string old = wanted.*r.text;
        wanted.*r.text =
            memo == w.textBeforeMemo ? Replacement(name) + old.substr(12) : old.substr(0, 12) + Replacement(name);
        const RepertoryTexts stored = RepertoryRecordToTexts(ReadRepertoryRecord(2));
        for (const TherapyRadio& other : kTherapyRadios) EXPECT_EQ(stored.*other.text, wanted.*other.text) << name;
        for (std::size_t rec : {0, 1, 3})
            EXPECT_EQ(Record(FileBytes(kRepertoryDbName), rec, kRepertoryRecordSize),
                      Record(before, rec, kRepertoryRecordSize))
                << name;
        EXPECT_EQ(FileBytes(kPrimaryDbName), primary) << name;
    }
}

TEST_F(SearchUtility, TheDatabaseRadiosShowTheirOwnFields) {
    remedies::SearchUtility w;
    w.show();
    EXPECT_TRUE(w.primaryDatabaseRadio->isChecked());
    EXPECT_TRUE(w.primaryFieldPanel->isVisible());
    EXPECT_FALSE(w.therapyFieldPanel->isVisible());
    ClickRadio(w.therapiesDatabaseRadio);
    EXPECT_EQ(w.databaseCode, "Terap");
    EXPECT_FALSE(w.primaryFieldPanel->isVisible());
    EXPECT_TRUE(w.therapyFieldPanel->isVisible());
    // The therapies' remedy is searched, not the primary's.
    w.phraseEdit->setText(gui::ToQt(FullTherapy("B").remedy.substr(0, 12)));
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.remedyEdit), FullTherapy("B").remedy);
    ClickRadio(w.primaryDatabaseRadio);
    EXPECT_EQ(w.databaseCode, "Prima");
    EXPECT_TRUE(w.primaryFieldPanel->isVisible());
    EXPECT_FALSE(w.therapyFieldPanel->isVisible());
    // Closed on the therapies, opened again on the primary database.
    ClickRadio(w.therapiesDatabaseRadio);
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    w.show();
    EXPECT_TRUE(w.primaryDatabaseRadio->isChecked());
    EXPECT_TRUE(w.primaryFieldPanel->isVisible());
    EXPECT_FALSE(w.therapyFieldPanel->isVisible());
}

// A click on any field radio, the last of either database too, ends the
// search running: the memos emptied, the button "Cerca" again.
TEST_F(SearchUtility, EveryFieldRadioEndsTheSearchRunning) {
    remedies::SearchUtility w;
    w.show();
    std::vector<QRadioButton*> radios;
    for (const PrimaryRadio& r : kPrimaryRadios) radios.push_back(w.primaryFieldRadios[r.radio]);
    for (QRadioButton* radio : radios) {
        ClickRadio(w.primaryFieldRadios[0]);
        w.phraseEdit->setText("rem");
        QTest::mouseClick(w.searchButton, Qt::LeftButton);
        ASSERT_EQ(w.searchButton->text(), "Continua");
        ClickRadio(radio);
        EXPECT_EQ(w.searchButton->text(), "Cerca") << radio->objectName().toStdString();
        EXPECT_EQ(Text(w.textFromMatchMemo), "") << radio->objectName().toStdString();
        EXPECT_EQ(Text(w.remedyEdit), "") << radio->objectName().toStdString();
    }
    ClickRadio(w.therapiesDatabaseRadio);
    for (const TherapyRadio& r : kTherapyRadios) {
        ClickRadio(w.therapyFieldRadios[0]);
        w.phraseEdit->setText("rem");
        QTest::mouseClick(w.searchButton, Qt::LeftButton);
        ASSERT_EQ(w.searchButton->text(), "Continua");
        ClickRadio(w.therapyFieldRadios[r.radio]);
        EXPECT_EQ(w.searchButton->text(), "Cerca") << w.therapyFieldRadios[r.radio]->objectName().toStdString();
        EXPECT_EQ(Text(w.textFromMatchMemo), "") << w.therapyFieldRadios[r.radio]->objectName().toStdString();
    }
}

// Every record holds "zoek" in its remedy: a new phrase or another field
// starts again at the first record.
TEST_F(SearchUtility, ANewPhraseOrFieldEndsTheSearch) {
    WritePrimaryDb({Texts({"Zoek A", "Angst"}), Texts({"Zoek B", "Hoest"}), Texts({"Zoek C", "Koorts"}),
                    Texts({"Zoek D", "Zoek"})});
    remedies::SearchUtility w;
    w.show();
    w.phraseEdit->setText("zoek");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(Text(w.remedyEdit), "Zoek B");
    w.phraseEdit->setText("zoe");
    EXPECT_EQ(w.searchButton->text(), "Cerca");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.remedyEdit), "Zoek A");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ClickRadio(w.primaryFieldRadios[1]);  // the indication
    EXPECT_EQ(w.searchButton->text(), "Cerca");
    for (QLineEdit* e : {w.positionEdit, w.lengthEdit, w.remedyEdit})
        EXPECT_EQ(Text(e), "") << e->objectName().toStdString();
    EXPECT_EQ(Text(w.textBeforeMemo) + Text(w.textFromMatchMemo), "");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.remedyEdit), "Zoek D");
    EXPECT_EQ(Text(w.textFromMatchMemo), "Zoek");
}

// At the end of a search both memos say "FINE ARCHIVIO" in grey: a key typed
// there takes its place; a record found next shows no such caption, not even
// in the memo left empty by a phrase found at the start of the field.
TEST_F(SearchUtility, TheEndOfTheArchiveGivesWayToTypingAndToTheNextRecord) {
    WritePrimaryDb({Texts({"Zoek A", "Angst"})});
    remedies::SearchUtility w;
    w.show();
    w.phraseEdit->setText("niet te vinden");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(Text(w.remedyEdit), "FINE ARCHIVIO");
    for (const QPlainTextEdit* m : {w.textBeforeMemo, w.textFromMatchMemo}) {
        EXPECT_EQ(Text(m), "") << m->objectName().toStdString();
        EXPECT_EQ(m->placeholderText(), "FINE ARCHIVIO") << m->objectName().toStdString();
    }
    QTest::mouseClick(w.textFromMatchMemo->viewport(), Qt::LeftButton, {},
                      w.textFromMatchMemo->viewport()->rect().center());
    QTest::keyClicks(w.textFromMatchMemo, "iets");
    EXPECT_EQ(Text(w.textFromMatchMemo), "iets");

    w.phraseEdit->setText("zoek");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);  // no record was shown: nothing to ask about
    ASSERT_EQ(Text(w.remedyEdit), "Zoek A");
    EXPECT_EQ(Text(w.textBeforeMemo), "");
    EXPECT_EQ(w.textBeforeMemo->placeholderText(), "");
    EXPECT_EQ(Text(w.textFromMatchMemo), "Zoek A");
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(SearchUtility, YesToTheQuestionSavesAndKeepsTheRecordShown) {
    remedies::SearchUtility w;
    w.show();
    ClickRadio(w.primaryFieldRadios[2]);  // the posology
    w.phraseEdit->setText(gui::ToQt(FullRecord("A").posology.substr(0, 12)));
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(Text(w.positionEdit), "2");
    QTest::mouseClick(w.textFromMatchMemo->viewport(), Qt::LeftButton);
    Retype(w.textFromMatchMemo, "3 x daags");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);  // yes
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"Salvare le modifiche apportate?"});
    EXPECT_EQ(PrimaryRecordToTexts(ReadPrimaryRecord(1)).posology, "3 x daags");
    EXPECT_EQ(Text(w.positionEdit), "2");
    EXPECT_EQ(Text(w.textFromMatchMemo), "3 x daags");
    EXPECT_FALSE(w.saveButton->isEnabled());
    EXPECT_EQ(w.searchButton->text(), "Continua");
}

// Keys that type no character enter neither the phrase nor a memo: Alt with
// a letter, Ctrl with a full stop and a function key change nothing, so the
// search goes on and no save is offered; Delete at the end of a memo and
// Ctrl+A change nothing either, and a Delete that takes a character away is
// an edit like any other.
TEST_F(SearchUtility, KeysThatTypeNoCharacterEnterNeitherThePhraseNorAMemo) {
    using testing_support::PressKey;
    auto untyped = [](QWidget* box) {
        PressKey(box, Qt::Key_K, Qt::AltModifier);
        PressKey(box, Qt::Key_Period, Qt::ControlModifier);
        PressKey(box, Qt::Key_F2);
    };
    remedies::SearchUtility w;
    w.show();
    const std::string remedy = FullRecord("B").remedy;
    w.phraseEdit->setText(gui::ToQt(remedy.substr(0, 12)));
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(Text(w.remedyEdit), remedy);
    untyped(w.phraseEdit);
    EXPECT_EQ(Text(w.phraseEdit), remedy.substr(0, 12));
    EXPECT_EQ(w.searchButton->text(), "Continua");
    for (QPlainTextEdit* m : {w.textBeforeMemo, w.textFromMatchMemo}) {
        QTest::mouseClick(m->viewport(), Qt::LeftButton);
        m->moveCursor(QTextCursor::End);
        untyped(m);
        PressKey(m, Qt::Key_Delete);
        PressKey(m, Qt::Key_A, Qt::ControlModifier);
        EXPECT_FALSE(w.saveButton->isEnabled()) << m->objectName().toStdString();
    }
    EXPECT_EQ(Text(w.textBeforeMemo), "");
    EXPECT_EQ(Text(w.textFromMatchMemo), remedy);
    EXPECT_EQ(Text(w.lengthEdit), "50/50");
    w.textFromMatchMemo->moveCursor(QTextCursor::Start);
    PressKey(w.textFromMatchMemo, Qt::Key_Delete);
    EXPECT_EQ(Text(w.textFromMatchMemo), remedy.substr(1));
    EXPECT_TRUE(w.saveButton->isEnabled());
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
}

// A save refused for a character the database cannot store sends the focus to
// the memo that holds it, whichever memo was clicked last; nothing is written.
TEST_F(SearchUtility, ARefusedSaveSendsTheFocusToTheMemoHoldingTheRefusedCharacter) {
    remedies::SearchUtility w;
    w.show();
    ClickRadio(w.primaryFieldRadios[1]);  // the indication
    const std::string indication = FullRecord("B").indication;
    w.phraseEdit->setText(gui::ToQt(rt::UpperAscii(indication.substr(12, 12))));
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(Text(w.textBeforeMemo), indication.substr(0, 12));
    const std::string before = FileBytes(kPrimaryDbName);
    for (QPlainTextEdit* holder : {w.textFromMatchMemo, w.textBeforeMemo}) {
        QPlainTextEdit* other = holder == w.textFromMatchMemo ? w.textBeforeMemo : w.textFromMatchMemo;
        messages_.messages.clear();
        QTest::mouseClick(holder->viewport(), Qt::LeftButton);
        holder->moveCursor(QTextCursor::End);
        QTest::sendKeyEvent(QTest::Click, holder, Qt::Key_unknown, QString::fromUtf8("\xCE\xB2"), Qt::NoModifier);
        QTest::mouseClick(other->viewport(), Qt::LeftButton);
        ASSERT_EQ(w.focusWidget(), other);
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        ASSERT_EQ(messages_.messages.size(), 1u);
        EXPECT_NE(messages_.Texts()[0].find("(U+03B2)"), std::string::npos) << messages_.Texts()[0];
        EXPECT_EQ(w.focusWidget(), holder) << holder->objectName().toStdString();
        EXPECT_EQ(FileBytes(kPrimaryDbName), before);
        QTest::keyClick(holder, Qt::Key_Backspace);  // the character taken away again
    }
}

// A remedy found, renamed and saved: the "Rimedio" box shows the saved name.
// At the end of the archive no record is shown, so typing offers no save.
TEST_F(SearchUtility, SalvaIsOfferedOnlyForARecordShownAndShowsTheNameSaved) {
    remedies::SearchUtility w;
    w.show();
    w.phraseEdit->setText(gui::ToQt(FullRecord("B").remedy.substr(0, 12)));
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(Text(w.remedyEdit), FullRecord("B").remedy);
    QTest::mouseClick(w.textFromMatchMemo->viewport(), Qt::LeftButton);
    Retype(w.textFromMatchMemo, "Calendula officinalis");
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    EXPECT_EQ(ReadPrimaryRecord(2).remedy, "Calendula officinalis");
    EXPECT_EQ(Text(w.remedyEdit), "Calendula officinalis");

    w.phraseEdit->setText("niet te vinden");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(Text(w.remedyEdit), "FINE ARCHIVIO");
    QTest::mouseClick(w.textBeforeMemo->viewport(), Qt::LeftButton);
    QTest::keyClicks(w.textBeforeMemo, "iets");
    EXPECT_EQ(Text(w.textBeforeMemo), "iets");
    EXPECT_FALSE(w.saveButton->isEnabled());
}

// The therapies database overwritten with zero bytes: the utility names it as
// soon as it opens and again at a search in it, and shows nothing of it. The
// primary database is searched; an edit found there is not written once that
// database turned damaged meanwhile, and the text typed stays.
TEST_F(SearchUtility, ADamagedDatabaseIsNamedAndNeitherSearchedNorWrittenInto) {
    const std::string therapies = FileBytes(kRepertoryDbName);
    testing_support::WriteBytes(rt::ResolvePath(kRepertoryDbName), std::string(therapies.size(), '\0'));
    remedies::SearchUtility w;
    w.show();
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_NE(messages_.Texts()[0].find("\"OpzioneH\\Repertorio.rnd\" \xE8 danneggiato"), std::string::npos)
        << messages_.Texts()[0];
    messages_.messages.clear();
    ClickRadio(w.therapiesDatabaseRadio);
    w.phraseEdit->setText("a");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_NE(messages_.Texts()[0].find("OpzioneH\\Repertorio.rnd"), std::string::npos) << messages_.Texts()[0];
    for (const QLineEdit* e : {w.remedyEdit, w.positionEdit, w.lengthEdit})
        EXPECT_EQ(Text(e), "") << e->objectName().toStdString();
    EXPECT_EQ(Text(w.textBeforeMemo) + Text(w.textFromMatchMemo), "");
    EXPECT_EQ(w.searchButton->text(), "Cerca");

    ClickRadio(w.primaryDatabaseRadio);
    ClickRadio(w.primaryFieldRadios[2]);  // the posology
    w.phraseEdit->setText(gui::ToQt(FullRecord("B").posology.substr(0, 12)));
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    ASSERT_EQ(Text(w.positionEdit), "3");
    QTest::mouseClick(w.textFromMatchMemo->viewport(), Qt::LeftButton);
    Retype(w.textFromMatchMemo, "2 x daags");
    std::string primary = FileBytes(kPrimaryDbName);
    primary[3 * kPrimaryRecordSize] = static_cast<char>(200);  // the third remedy claims 200 of its 50 characters
    testing_support::WriteBytes(rt::ResolvePath(kPrimaryDbName), primary);
    messages_.messages.clear();
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_NE(messages_.Texts()[0].find("NON eseguita"), std::string::npos) << messages_.Texts()[0];
    EXPECT_NE(messages_.Texts()[0].find("OpzioneH\\DBmain.rnd"), std::string::npos) << messages_.Texts()[0];
    EXPECT_EQ(FileBytes(kPrimaryDbName), primary);
    EXPECT_EQ(Text(w.textFromMatchMemo), "2 x daags");
}

}  // namespace

}  // namespace search_utility_test
