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
#include "tests/common/current_chart_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace wheel_texts_test {

namespace {

using Lines = std::vector<std::string>;

class HelpMessages : public ::testing::Test {
protected:
    void SetUp() override {
        target_ = {
            [this] {
                helpMemo_ = {"(cleared)"};
                signatureMemo_ = {"(cleared)"};
            },
            [this](const Lines& l) { helpMemo_ = l; },
            [this](const Lines& l) { signatureMemo_ = l; },
        };
    }
    void WriteHelp(const std::string& bytes) {
        testing_support::WriteBytes(folder_.Path() / "Appoggio" / "Messaggi.txt", bytes);
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
    Lines helpMemo_, signatureMemo_;
    display::HelpMemoTarget target_;
    display::FileErrorReports fileErrors_;
};

TEST_F(HelpMessages, EntriesRunBetweenSeparatorLines) {
    WriteHelp("not an entry\r\n#1\r\nline a\r\nline b\r\n---#---\r\n# 3 follows an empty one\r\nlast x\r\nlast y");
    EXPECT_EQ(display::ReadHelpEntry(1), (Lines{"line a", "line b"}));
    EXPECT_TRUE(display::ReadHelpEntry(2).empty());
    EXPECT_EQ(display::ReadHelpEntry(3), (Lines{"last x", "last y"}));
    EXPECT_TRUE(display::ReadHelpEntry(4).empty());
    // The scratch file lives only for the request.
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "Appoggio" / "Mex.txt"));
}

TEST_F(HelpMessages, EntriesUpTo33GoToTheHelpMemoLaterOnesToTheExtraMemo) {
    std::string text;
    for (int n = 1; n <= 34; ++n) text += "#\r\nentry " + std::to_string(n) + "\r\n";
    WriteHelp(text);
    display::ShowHelpMessage(target_, fileErrors_, 33);
    EXPECT_EQ(helpMemo_, (Lines{"entry 33"}));
    EXPECT_EQ(signatureMemo_, (Lines{"(cleared)"}));
    display::ShowHelpMessage(target_, fileErrors_, 34);
    EXPECT_EQ(helpMemo_, (Lines{"(cleared)"}));
    EXPECT_EQ(signatureMemo_, (Lines{"entry 34"}));
    display::ShowHelpMessage(target_, fileErrors_, 0);
    EXPECT_EQ(helpMemo_, (Lines{"(cleared)"}));
    EXPECT_EQ(signatureMemo_, (Lines{"(cleared)"}));
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(HelpMessages, MissingHelpFileIsReportedOnceAndTheMemosStayEmpty) {
    EXPECT_THROW(display::ReadHelpEntry(1), rt::IoError);
    display::ShowHelpMessage(target_, fileErrors_, 1);
    display::ShowHelpMessage(target_, fileErrors_, 2);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].text.find("Messaggi.txt"), std::string::npos);
    EXPECT_EQ(helpMemo_, (Lines{"(cleared)"}));
}

// The shipped help texts: one non-empty entry for every number the window asks
// for, in lines that fit the help memo.
TEST_F(HelpMessages, ShippedTextsHaveEveryEntry) {
    wheel_test::CopyDataFolders({"Appoggio"});
    const std::string bytes = testing_support::ReadBytes(folder_.Path() / "Appoggio" / "Messaggi.txt");
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
    for (engine::Sign s : engine::kSigns) EXPECT_EQ(display::kSignNames[s].size(), 10u) << engine::SignNumber(s);
    EXPECT_EQ(display::kSignNames[engine::Sign::Gemini], "TSEELINGEN");
    EXPECT_EQ(display::kSignNames[engine::Sign::Sagittarius], "BOOGSCHUTT");
    for (std::string_view name : display::kScoredBodyNames) EXPECT_EQ(name.size(), 10u) << name;
    EXPECT_EQ(display::kScoredBodyNames[2], "MERCURIUS ");
    EXPECT_EQ(display::kScoredBodyNames[11], "LUNANERA  ");

    EXPECT_EQ(display::kDignityBodyNames[2], "MERCURIU");
    EXPECT_EQ(display::kDignityBodyNames[8], "ZUIDKNOO");
    EXPECT_TRUE(display::kDignityBodyNames[9].empty());
    EXPECT_TRUE(display::kDignityBodyNames[10].empty());
}

}  // namespace

}  // namespace wheel_texts_test
