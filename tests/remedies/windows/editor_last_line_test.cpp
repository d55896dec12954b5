// The database editors after "Salva" and "Salva come nuovo" keep the list's
// line of the record shown selected, also when that line is the last of the
// list.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

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

using EditorLastLine = OwnDatabases;

TEST_F(EditorLastLine, PrimarySaveAndSaveAsNewSelectTheLastLine) {
    WritePrimaryDb(
        {Texts({"Calendula", "Wonden"}), Texts({"Zingiber", "Misselijkheid"}), Texts({"Arnica", "Kneuzingen"})});
    PrimaryEditor w;
    w.show();
    ASSERT_EQ(w.entryList->count(), 3);
    ClickEntry(w, "Zingiber**Misselijkheid");
    ASSERT_EQ(w.entryList->currentRow(), 2);
    Retype(w.posologyMemo, "Drie keer daags");
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    EXPECT_EQ(PrimaryRecordToTexts(ReadPrimaryRecord(2)).posology, "Drie keer daags");
    EXPECT_EQ(CurrentLine(w.entryList), "Zingiber**Misselijkheid");
    EXPECT_EQ(w.entryList->currentRow(), 2);

    // A new record whose line sorts last.
    Retype(w.indicationMemo, "Reisziekte");
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    ASSERT_EQ(PrimaryRecordCount(), 4);
    ASSERT_EQ(w.entryList->count(), 4);
    EXPECT_EQ(CurrentLine(w.entryList), "Zingiber**Reisziekte");
    EXPECT_EQ(w.entryList->currentRow(), 3);
}

TEST_F(EditorLastLine, TherapiesSaveAndSaveAsNewSelectTheLastLine) {
    WritePrimaryDb({Texts({"Calendula", "Wonden"})});
    WriteRepertoryDb({{"Angst", "Aurum", "1 x daags", ""},
                      {"Zweren", "Arnica", "uitwendig", ""},
                      {"Hoest", "Bryonia", "2 x daags", ""}});
    RepertoryEditor w;
    w.show();
    ASSERT_EQ(w.entryList->count(), 3);
    ClickEntry(w, "Zweren**Arnica");
    ASSERT_EQ(w.entryList->currentRow(), 2);
    Retype(w.posologyEdit, "kompres");
    QTest::mouseClick(w.saveButton, Qt::LeftButton);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    EXPECT_EQ(ReadRepertoryRecord(2).posology, "kompres");
    EXPECT_EQ(CurrentLine(w.entryList), "Zweren**Arnica");
    EXPECT_EQ(w.entryList->currentRow(), 2);

    Retype(w.pathologyEdit, "Zweringen");
    QTest::mouseClick(w.saveAsNewButton, Qt::LeftButton);
    ASSERT_EQ(RepertoryRecordCount(), 4);
    EXPECT_EQ(CurrentLine(w.entryList), "Zweringen**Arnica");
    EXPECT_EQ(w.entryList->currentRow(), 3);
}

}  // namespace
