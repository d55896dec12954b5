// The "Elimina" answer of the database editors' closing panel, pressed: it
// asks before deleting the record shown; a no leaves the panel up and the file
// as it was, a yes deletes that record (here the last of the file), leaves the
// others byte for byte and closes the window.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "platform/gui/message_box.h"
#include "platform/gui/session_end.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/primary_editor.h"
#include "remedies/windows/repertory_editor.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/editor_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using namespace editor_tests;

namespace {

using EditorClosePanel = OwnDatabases;

// Presses "Elimina" on the panel twice, answering no and then yes, and checks
// what each answer leaves.
void NoThenYes(DatabaseEditorWindow& w, gui::RecordingMessageSink& messages, const std::string& file,
               const std::string& before) {
    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    ASSERT_TRUE(w.unsavedChangesPanel->isVisible());
    ASSERT_TRUE(w.panelDeleteButton->isEnabled());
    messages.answers.push_back(gui::kAnswerNo);
    QTest::mouseClick(w.panelDeleteButton, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("il record 3?"), std::string::npos) << messages.Texts()[0];
    EXPECT_TRUE(w.unsavedChangesPanel->isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(FileBytes(file), before);

    QTest::mouseClick(w.panelDeleteButton, Qt::LeftButton);  // yes
    EXPECT_EQ(messages.messages.size(), 2u);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(EditorClosePanel, PrimaryEliminaAsksThenDeletesTheLastRecordShown) {
    const PrimaryTexts a = FullRecord("A"), b = FullRecord("B"), c = FullRecord("C");
    WritePrimaryDb({a, b, c});
    const std::string before = FileBytes(kPrimaryDbName);
    PrimaryEditor w;
    w.show();
    ClickEntry(w, c.remedy + "**" + c.indication);
    ASSERT_EQ(w.currentRecordNumber, 3);
    Retype(w.posologyMemo, "Nieuwe dosering");
    NoThenYes(w, messages_, kPrimaryDbName, before);
    ASSERT_EQ(PrimaryRecordCount(), 2);
    const std::string after = FileBytes(kPrimaryDbName);
    for (std::size_t r : {1u, 2u})
        EXPECT_EQ(Record(after, r, kPrimaryRecordSize), Record(before, r, kPrimaryRecordSize)) << r;
    EXPECT_EQ(PrimaryRecordToTexts(ReadPrimaryRecord(2)).remedy, b.remedy);
}

TEST_F(EditorClosePanel, TherapiesEliminaAsksThenDeletesTheLastRecordShown) {
    const RepertoryTexts a = FullTherapy("A"), b = FullTherapy("B"), c = FullTherapy("C");
    WriteRepertoryDb({a, b, c});
    WritePrimaryDb({Texts({"Calendula", "Wonden"})});
    const std::string before = FileBytes(kRepertoryDbName);
    RepertoryEditor w;
    w.show();
    ClickEntry(w, c.pathology + "**" + c.remedy);
    ASSERT_EQ(w.currentRecordNumber, 3);
    Retype(w.posologyEdit, "Nieuwe dosering");
    NoThenYes(w, messages_, kRepertoryDbName, before);
    ASSERT_EQ(RepertoryRecordCount(), 2);
    const std::string after = FileBytes(kRepertoryDbName);
    for (std::size_t r : {1u, 2u})
        EXPECT_EQ(Record(after, r, kRepertoryRecordSize), Record(before, r, kRepertoryRecordSize)) << r;
    EXPECT_EQ(ReadRepertoryRecord(2).pathology, b.pathology);
}

// The end of the desktop session with each editor holding an unsaved change,
// its panel up or not yet: the editor closes without a question, nothing of
// what it held is written, and the database stays as it was last saved.
TEST_F(EditorClosePanel, TheSessionsEndClosesEachEditorUnaskedAndWritesNothing) {
    WritePrimaryDb({FullRecord("A"), FullRecord("B")});
    WriteRepertoryDb({FullTherapy("A"), FullTherapy("B")});
    const std::string primaryBefore = FileBytes(kPrimaryDbName), therapiesBefore = FileBytes(kRepertoryDbName);
    PrimaryEditor primary;
    RepertoryEditor therapies;
    for (bool panelUp : {false, true}) {
        for (DatabaseEditorWindow* w : std::initializer_list<DatabaseEditorWindow*>{&primary, &therapies}) {
            SCOPED_TRACE(w->objectName().toStdString() + (panelUp ? " with its panel up" : ""));
            w->setWindowModality(Qt::ApplicationModal);
            w->show();
            QTest::mouseClick(w->entryList->viewport(), Qt::LeftButton, {},
                              w->entryList->visualItemRect(w->entryList->item(1)).center());
            ASSERT_GT(w->currentRecordNumber, 0);
            auto* notes = w == &primary ? primary.notesMemo : therapies.notesMemo;
            Append(notes, " niet bewaard");
            if (panelUp) {
                QTest::mouseClick(w->backToMenuButton, Qt::LeftButton);
                ASSERT_TRUE(w->unsavedChangesPanel->isVisible());
            }
            gui::CloseDialogsUnasked();
            EXPECT_FALSE(w->isVisible());
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        }
    }
    EXPECT_TRUE(messages_.messages.empty()) << messages_.messages.front().text;
    EXPECT_EQ(FileBytes(kPrimaryDbName), primaryBefore);
    EXPECT_EQ(FileBytes(kRepertoryDbName), therapiesBefore);
}

}  // namespace
