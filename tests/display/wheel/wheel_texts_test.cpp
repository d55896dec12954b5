// The numbered help texts of the chart window and the fixed name tables.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/current_chart.h"
#include "display/wheel/body_names.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/wheel_reports.h"
#include "engine/chart.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/io_error.h"
#include "tests/common/test_support.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/display/wheel/wheel_person.h"

namespace wheel_texts_test {

namespace {

using Lines = std::vector<std::string>;

class HelpMessages : public ::testing::Test {
protected:
    void SetUp() override {
        target = {
            [this] {
                helpMemo = {"(cleared)"};
                signatureMemo = {"(cleared)"};
            },
            [this](const Lines& l) { helpMemo = l; },
            [this](const Lines& l) { signatureMemo = l; },
        };
    }
    void WriteHelp(const std::string& bytes) {
        testing_support::WriteBytes(folder.Path() / "Appoggio" / "Messaggi.txt", bytes);
    }
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
    Lines helpMemo, signatureMemo;
    display::HelpMemoTarget target;
    display::FileErrorReports fileErrors;
};

TEST_F(HelpMessages, EntriesRunBetweenSeparatorLines) {
    WriteHelp("not an entry\r\n#1\r\nline a\r\nline b\r\n---#---\r\n# 3 follows an empty one\r\nlast x\r\nlast y");
    EXPECT_EQ(display::ReadHelpEntry(1), (Lines{"line a", "line b"}));
    EXPECT_TRUE(display::ReadHelpEntry(2).empty());
    EXPECT_EQ(display::ReadHelpEntry(3), (Lines{"last x", "last y"}));
    EXPECT_TRUE(display::ReadHelpEntry(4).empty());
    // The scratch file lives only for the request.
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "Appoggio" / "Mex.txt"));
}

TEST_F(HelpMessages, EntriesUpTo33GoToTheHelpMemoLaterOnesToTheExtraMemo) {
    std::string text;
    for (int n = 1; n <= 34; ++n) text += "#\r\nentry " + std::to_string(n) + "\r\n";
    WriteHelp(text);
    display::ShowHelpMessage(target, fileErrors, 33);
    EXPECT_EQ(helpMemo, (Lines{"entry 33"}));
    EXPECT_EQ(signatureMemo, (Lines{"(cleared)"}));
    display::ShowHelpMessage(target, fileErrors, 34);
    EXPECT_EQ(helpMemo, (Lines{"(cleared)"}));
    EXPECT_EQ(signatureMemo, (Lines{"entry 34"}));
    display::ShowHelpMessage(target, fileErrors, 0);
    EXPECT_EQ(helpMemo, (Lines{"(cleared)"}));
    EXPECT_EQ(signatureMemo, (Lines{"(cleared)"}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(HelpMessages, MissingHelpFileIsReportedOnceAndTheMemosStayEmpty) {
    EXPECT_THROW(display::ReadHelpEntry(1), rt::IoError);
    display::ShowHelpMessage(target, fileErrors, 1);
    display::ShowHelpMessage(target, fileErrors, 2);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].text.find("Messaggi.txt"), std::string::npos);
    EXPECT_EQ(helpMemo, (Lines{"(cleared)"}));
}

// The shipped help texts: one non-empty entry for every number the window asks
// for, in lines that fit the help memo.
TEST_F(HelpMessages, ShippedTextsHaveEveryEntry) {
    wheel_test::CopyDataFolders({"Appoggio"});
    const std::string bytes = testing_support::ReadBytes(folder.Path() / "Appoggio" / "Messaggi.txt");
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed at " << i;
        }
    for (int n = 1; n <= 34; ++n) {
        const Lines lines = display::ReadHelpEntry(n);
        EXPECT_GE(lines.size(), 2u) << "entry " << n;
        for (const std::string& l : lines) EXPECT_LE(l.size(), 46u) << "entry " << n << ": " << l;
    }
    EXPECT_TRUE(display::ReadHelpEntry(35).empty());
}

TEST(NameTables, SignAndBodyNamesAreTenCharacterKeys) {
    for (int s = 1; s <= 12; ++s) EXPECT_EQ(display::kSignNames[s].size(), 10u) << s;
    EXPECT_EQ(display::kSignNames[3], "TSEELINGEN");
    EXPECT_EQ(display::kSignNames[9], "BOOGSCHUTT");
    for (std::string_view name : display::kScoredBodyNames) EXPECT_EQ(name.size(), 10u) << name;
    EXPECT_EQ(display::kScoredBodyNames[2], "MERCURIUS ");
    EXPECT_EQ(display::kScoredBodyNames[11], "LUNANERA  ");

    EXPECT_EQ(display::kDignityBodyNames[3], "MERCURIU");
    EXPECT_EQ(display::kDignityBodyNames[9], "ZUIDKNOO");
    EXPECT_TRUE(display::kDignityBodyNames[10].empty());
    EXPECT_TRUE(display::kDignityBodyNames[11].empty());
}

}  // namespace

}  // namespace wheel_texts_test
