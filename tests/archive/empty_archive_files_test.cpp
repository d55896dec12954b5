// Storing into archive files a user emptied or made anew (length zero, or
// shorter than their header): the header goes first, as an empty archive has
// it, and the person is listed; the archive check reports a person in a header slot.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "archive/archive_files.h"
#include "archive/current_chart.h"
#include "archive/recall_dialog.h"
#include "archive/store_dialog.h"
#include "dialog_test_support.h"
#include "platform/gui/message_box.h"
#include "tests/common/test_support.h"

namespace empty_archive_files_test {

namespace fs = std::filesystem;
using namespace archive;
using testing_support::ReadBytes;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;

namespace {

BirthRecord Sample() {
    BirthRecord r;
    r.dateField = "196012251405-1";
    r.placeField = "52N22-004E54AMSTERDAM";
    r.calendarField = "GR";
    r.nationalityField = "NEDERLAND";
    return r;
}

AnnotationRecord Notes() {
    AnnotationRecord a;
    a.lines = {"first line", "", "", ""};
    return a;
}

std::string Text(const rt::Bytes& b) { return std::string(b.begin(), b.end()); }

}  // namespace

TEST(EmptyArchiveFiles, TheHeaderIsWrittenBeforeTheFirstPerson) {
    for (const std::size_t length : {std::size_t{0}, std::size_t{7}}) {
        TempWorkFolder work;
        WriteBytes(work.Path() / "BASE.ST1", std::string(length, ' '));
        WriteBytes(work.Path() / "BASE.ST2", std::string(length, ' '));
        WriteBytes(work.Path() / "BASE.ST3", std::string(length, ' '));
        const StoreResult stored = StorePersonRecords({"BASE", "ROSSI MARIA", Sample(), Notes()});
        EXPECT_EQ(stored.dataNumber, 1);
        EXPECT_EQ(stored.annotationNumber, 1);
        EXPECT_EQ(stored.indexPosition, 1);
        // Record 0 of each file is the empty archive's header.
        EXPECT_EQ(ReadBytes("BASE.ST1").substr(0, kIndexRecordSize), Text(EmptyIndexHeader()));
        EXPECT_EQ(ReadBytes("BASE.ST2").substr(0, kBirthRecordSize), Text(EmptyBirthHeader()));
        EXPECT_EQ(ReadBytes("BASE.ST3").substr(0, kAnnotationRecordSize), Text(EmptyAnnotationHeader()));
        EXPECT_EQ(fs::file_size("BASE.ST2"), 2 * kBirthRecordSize);
        // The person is listed, and a person without notes still points at the notice.
        ArchiveFiles f;
        f.Open("BASE");
        ASSERT_EQ(f.EntryCount(), 1);
        EXPECT_EQ(IndexEntryName(f.ReadEntry(1)).substr(0, 11), "ROSSI MARIA");
        EXPECT_EQ(f.ReadBirthRecord(1).annotationNumber, "00001");
        f.Close();
        EXPECT_TRUE(CheckArchive("BASE").empty()) << CheckArchive("BASE").front();
    }
}

TEST(EmptyArchiveFiles, TheCheckReportsAPersonInAHeaderSlot) {
    TempWorkFolder work;
    CreateEmptyArchive("BASE");
    StorePersonRecords({"BASE", "ROSSI MARIA", Sample(), std::nullopt});
    ASSERT_TRUE(CheckArchive("BASE").empty());
    // The damage an earlier version did: the person written over the headers.
    std::string st1 = ReadBytes("BASE.ST1"), st2 = ReadBytes("BASE.ST2");
    st1.replace(0, kIndexRecordSize, Text(EncodeIndexEntry(MakeIndexEntry("BIANCHI LUCA", 0))));
    const rt::Bytes person = EncodeBirthRecord(Sample());
    st2.replace(0, kBirthRecordSize, std::string(person.begin(), person.end()));
    WriteBytes("BASE.ST1", st1);
    WriteBytes("BASE.ST2", st2);
    const auto problems = CheckArchive("BASE");
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "BASE.ST2: la scheda 0 (intestazione) contiene una persona");
    EXPECT_EQ(problems[1], "BASE.ST1: la voce 0 (intestazione) contiene una persona");
}

// The three files of the personal archive emptied (0 bytes), a person entered
// without annotations and stored with "OK registreert", then recalled with a
// double click: every file gets its header, and the person comes back with
// the notice of record 0.
TEST(EmptyArchiveFiles, APersonStoredWithoutNotesIntoEmptiedFilesIsRecalled) {
    TempWorkFolder work;
    gui::RecordingMessageSink messages;
    dialog_test::PrepareFolder();
    for (const char* file : {"BASE.ST1", "BASE.ST2", "BASE.ST3"}) WriteBytes(rt::ResolvePath(file), "");
    CurrentChart& current = testing_support::CurrentChartOfTest();
    current.birth.subjectName = "GIALLI EVA";
    current.birth.birthDateText = "15/01/1960 12:30";
    current.birth.enteredPlaceText = "ROMA";
    current.birth.coordinatesText = "41N54-012E29";
    current.birth.timeZoneText = "+1";
    current.birth.nationality = "ITALIA";
    current.chart.moment.gregorian = true;
    {
        StoreDialog store(current);
        store.ShowEnteredBirthData();
        ASSERT_EQ(store.chosenArchiveEdit->text(), "BASE");
        store.storeButton->click();
    }
    EXPECT_EQ(ReadBytes("BASE.ST1").substr(0, kIndexRecordSize), Text(EmptyIndexHeader()));
    EXPECT_EQ(ReadBytes("BASE.ST2").substr(0, kBirthRecordSize), Text(EmptyBirthHeader()));
    EXPECT_EQ(ReadBytes("BASE.ST3"), Text(EmptyAnnotationHeader()));

    RecallDialog recall(testing_support::CurrentChartOfTest());
    recall.ResetAndOpenArchive();
    ASSERT_EQ(recall.nameList->count(), 1);
    QListWidgetItem* item = recall.nameList->item(0);
    Q_EMIT recall.nameList->itemClicked(item);
    Q_EMIT recall.nameList->itemDoubleClicked(item);
    ASSERT_TRUE(recall.loaded) << (messages.messages.empty() ? "" : messages.messages[0].text);
    EXPECT_TRUE(recall.annotationMemo->toPlainText().startsWith(" LO SPAZIO DELIMITATO"))
        << recall.annotationMemo->toPlainText().toStdString();
    recall.okButton->click();
    EXPECT_EQ(IndexEntryName(DecodeIndexEntry(rt::ReadAllRecords("TMPR.ST1", kIndexRecordSize)[0])).substr(0, 10),
              "GIALLI EVA");

    // The annotation file as an earlier store left it, without its header:
    // the person still comes back, with the notice.
    WriteBytes(rt::ResolvePath("BASE.ST3"), "");
    recall.ResetAndOpenArchive();
    Q_EMIT recall.nameList->itemClicked(recall.nameList->item(0));
    Q_EMIT recall.nameList->itemDoubleClicked(recall.nameList->item(0));
    ASSERT_TRUE(recall.loaded) << (messages.messages.empty() ? "" : messages.messages[0].text);
    EXPECT_TRUE(recall.annotationMemo->toPlainText().startsWith(" LO SPAZIO DELIMITATO"));
    EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
}

}  // namespace empty_archive_files_test
