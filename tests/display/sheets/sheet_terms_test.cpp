// The terms of the birth-theme sheets: sectors and decans of the bodies, the
// position file, the "TERMEN" block drawn from the terms texts, and the
// shipped texts themselves.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/sheets/sheet_terms.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/no_installed_copies.h"
#include "tests/display/sheets/sheet_person.h"

namespace {

using display::RecordingSurface;

class SheetTermsTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet_test::SetSheetPerson();
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        wheel_test::CopyDataFolders({"Simboli"});
        std::filesystem::create_directories("OpzioneT");
    }
    display::SheetTermsState terms_;
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(SheetTermsTest, SectorsStartFifteenDegreesBeforeTheAscendant) {
    const auto b = display::TermBoundaries(100);
    EXPECT_EQ(b[0], 91);
    EXPECT_EQ(b[1], 97);
    EXPECT_EQ(b[59], 85);
    display::WheelPointArray lon{};
    lon[0] = 100, lon[1] = 88, lon[2] = 97, lon[3] = 91, lon[4] = 280, lon[5] = 84.9L;
    display::BodyTermSectors sectors{};
    display::FindBodySectors(6, lon, b, sectors);
    EXPECT_EQ(sectors[0], 3);
    EXPECT_EQ(sectors[1], 1);
    EXPECT_EQ(sectors[2], 3);  // on a boundary: the sector it opens
    EXPECT_EQ(sectors[3], 1);  // but between sectors 1 and 2 it stays in 1
    EXPECT_EQ(sectors[4], 33);
    EXPECT_EQ(sectors[5], 60);
}

TEST_F(SheetTermsTest, DecanKeysSkipExactTensAndKeepTheOldKey) {
    EXPECT_EQ(display::DecanKeyOf(1, 15.25L), "SolDec02");
    EXPECT_EQ(display::DecanKeyOf(9, 359.9L), "NosDec36");
    EXPECT_EQ(display::DecanKeyOf(1, 0), "");
    engine::Chart& chart = testing_support::CurrentChartOfTest().chart;
    wheel_test::SetWheelPoint(chart, 1, 10);
    terms_.bodyDecanKeys[0] = "SolDec07";
    display::RefreshSheetDecanKeys(chart, terms_);
    EXPECT_EQ(terms_.bodyDecanKeys[0], "SolDec07");
    EXPECT_EQ(terms_.bodyDecanKeys[1], "LunDec05");  // 45.5
}

TEST_F(SheetTermsTest, PositionFileHoldsNineSectorKeysThenNineDecanKeys) {
    const engine::Chart& chart = testing_support::CurrentChartOfTest().chart;
    display::ComputeTermSectors(chart, terms_);
    display::RefreshSheetDecanKeys(chart, terms_);
    display::WritePlanetPositionsFile(terms_);
    const auto lines = rt::ReadTextLines(display::kSheetPositionFile);
    // Ascendant 100.5: sector s runs from 85.5 + 6 (s - 1) to 85.5 + 6 s; the Sun
    // at 375.25 is in sector 49 (373.5 .. 379.5), the north node at 260 in 30.
    // Mercury, Venus and both nodes stand on whole tens: no decan key yet.
    const std::vector<std::string> expected = {"Sole49", "Luna54",   "Merc50",   "Vene45",   "Mart09",   "Giov20",
                                               "Satu35", "NNor30",   "NSud60",   "SolDec02", "LunDec05", "",
                                               "",       "MarDec14", "GioDec21", "SatDec30", "",         ""};
    EXPECT_EQ(lines, expected);
}

TEST_F(SheetTermsTest, BlockPrintsTheTextOfEachKeyWithTheGlyphOfItsBody) {
    testing_support::NoInstalledCopies installation;  // the test's own texts stay
    // Sector keys of the Sun and Moon, a Mercury key with no text, then Venus.
    rt::WriteTextLines(display::kSheetPositionFile, {"Sole48", "Luna53", "Merc49", "Vene44", "SolDec02"});
    auto line = [](const std::string& key, const std::string& text) {
        return key + "  " + std::string(13, ' ') + text;
    };
    rt::WriteTextLines(display::kTermsTextFile, {line("Luna53", "Gevoel voor de ander"), "Sole48",
                                                 line("Sole48", "Licht op de vrienden"), line("Vene44", "Liefde")});
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawTermsBlock(dc, 20, 100);
    EXPECT_EQ(sheet_test::Texts(dc),
              (std::vector<std::string>{"TERMEN", "Licht op de vrienden", "Gevoel voor de ander", "Liefde"}));
    const auto boxes = sheet_test::Glyphs(dc);
    ASSERT_EQ(boxes.size(), 3u);
    // Venus follows the missing Mercury text: its own glyph all the same.
    EXPECT_EQ(boxes[2].size, sheet_test::FileSize("Simboli/PiaX04.emf"));
    EXPECT_EQ(boxes[1].size, sheet_test::FileSize("Simboli/PiaX02.emf"));
    // Rows 4.5 apart from the anchor, text 4 right and 2.6 up.
    const auto p = display::MapPoint(testing_support::DrawingStateOfTest(), 24, 100 + 9 - 2.6L);
    EXPECT_EQ(dc.Calls("text")[3].substr(0, 5 + std::to_string(p.x).size() + 1 + std::to_string(p.y).size()),
              "text " + std::to_string(p.x) + "," + std::to_string(p.y));
    EXPECT_EQ(dc.State().textColor, display::Color{display::kBlack});
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].text.find("(manca il testo di Merc49)"), std::string::npos) << sink_.messages[0].text;
}

TEST_F(SheetTermsTest, SecondGroupOfNineStartsLowerInTheRowColour) {
    std::vector<std::string> keys, texts;
    for (int k = 1; k <= 9; ++k) {
        const std::string key = display::TermSectorKey(k, 5);
        keys.push_back(key);
        texts.push_back(key + "  " + std::string(13, ' ') + "eerste " + std::to_string(k));
        texts.push_back(key + "  " + std::string(13, ' ') + "tweede " + std::to_string(k));
    }
    rt::WriteTextLines(display::kSheetPositionFile, keys);
    rt::WriteTextLines(display::kTermsTextFile, texts);
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawTermsBlock(dc, 20, 100);
    const auto calls = dc.Calls("text");
    ASSERT_EQ(calls.size(), 19u);
    // The tenth matched line: 10 rows of 4.5 below the anchor plus 1.0, in black-on-screen white.
    const auto p = display::MapPoint(testing_support::DrawingStateOfTest(), 24, 100 + 9 * 4.5L + 1.0L - 2.6L);
    EXPECT_NE(calls[10].find("text " + std::to_string(p.x) + "," + std::to_string(p.y)), std::string::npos);
    EXPECT_NE(calls[10].find("color=#FFFFFF"), std::string::npos);
    EXPECT_NE(calls[9].find("color=#00FFFF"), std::string::npos);
}

TEST_F(SheetTermsTest, MissingTermsFileIsAnErrorAndTheSurfaceIsRestored) {
    rt::WriteTextLines(display::kSheetPositionFile, {"Sole48"});
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    dc.SetTextColor(display::Rgb(1, 2, 3));
    EXPECT_THROW(display::DrawTermsBlock(dc, 20, 100), rt::IoError);
    EXPECT_EQ(dc.State().textColor, display::Rgb(1, 2, 3));
    EXPECT_FALSE(testing_support::DrawingStateOfTest().currentFont.has_value());
}

TEST(ShippedTermsTexts, EveryKeyHasItsOwnText) {
    const auto lines = rt::ReadTextLines(std::string(KELVOR_TEST_DATA_DIR) + "/OpzioneT/KlvPianCan.Txt");
    std::set<std::string> keys, texts;
    for (const std::string& l : lines) {
        ASSERT_EQ(l.size(), 81u) << l;
        EXPECT_EQ(l.substr(6, 2), "  ");
        keys.insert(l.substr(0, 6));
        const std::string text = l.substr(21);
        EXPECT_NE(text.find_first_not_of(' '), std::string::npos) << l;
        EXPECT_EQ(text.find_last_not_of(' ') < 32, true) << l;  // fits beside the other blocks
        texts.insert(text);
    }
    EXPECT_EQ(keys.size(), 540u);
    EXPECT_EQ(texts.size(), 540u);
    for (int body = 1; body <= 9; ++body)
        for (int s = 1; s <= 60; ++s) EXPECT_TRUE(keys.count(display::TermSectorKey(body, s))) << body << " " << s;
}

}  // namespace
