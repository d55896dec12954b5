// The recall makes a person current together with its notes and text: a recall
// given up leaves the current person's hand-offs as they were, a confirmed one
// writes them with the person.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPlainTextEdit>

#include "archive/recall_dialog.h"
#include "dialog_test_support.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/text_file.h"

using namespace archive;

TEST(RecallHandOffs, GivenUpChangesNothingConfirmedWritesThemWithThePerson) {
    testing_support::TempWorkFolder tmp;
    gui::RecordingMessageSink messages;
    dialog_test::PrepareFolder();
    dialog_test::StorePerson("BASE", "ALBERTI ANNA", {"196001151230+1", "41N54-012E29ROMA"}, "NOTA DI ANNA", "00004");
    dialog_test::StorePerson("BASE", "VERDI GIUSEPPE", {"195001151230+1", "45N28-009E12MILANO"}, "NOTA DI GIUSEPPE",
                             "00009");
    const auto annotation = rt::ReadFileBytes("FileDum\\Annotaz.dum");
    const auto text = rt::ReadFileBytes("FileDum\\StrText.dum");
    const auto tmpr1 = rt::ReadFileBytes("TMPR.ST1");
    ASSERT_NE(annotation.find("GIUSEPPE"), std::string::npos);

    {
        RecallDialog recall(testing_support::CurrentChartOfTest());
        recall.ResetAndOpenArchive();
        recall.ChooseLine(0);  // ALBERTI, VERDI
        recall.LoadChosenPerson();
        ASSERT_TRUE(recall.loaded);
        EXPECT_NE(recall.annotationMemo->toPlainText().indexOf("NOTA DI ANNA"), -1);
        recall.Cancel();
    }
    EXPECT_EQ(rt::ReadFileBytes("FileDum\\Annotaz.dum"), annotation);
    EXPECT_EQ(rt::ReadFileBytes("FileDum\\StrText.dum"), text);
    EXPECT_EQ(rt::ReadFileBytes("TMPR.ST1"), tmpr1);

    RecallDialog recall(testing_support::CurrentChartOfTest());
    recall.ResetAndOpenArchive();
    recall.ChooseLine(0);
    recall.LoadChosenPerson();
    recall.MakeLoadedPersonCurrent();
    EXPECT_EQ(rt::ReadTextLines("FileDum\\Annotaz.dum"), std::vector<std::string>{" NOTA DI ANNA   00004"});
    EXPECT_EQ(rt::ReadTextLines("FileDum\\StrText.dum"), (std::vector<std::string>{"BASE", "00004"}));
    EXPECT_EQ(IndexEntryName(DecodeIndexEntry(rt::ReadAllRecords("TMPR.ST1", kIndexRecordSize)[0])).substr(0, 12),
              "ALBERTI ANNA");
    EXPECT_TRUE(messages.messages.empty());
}
