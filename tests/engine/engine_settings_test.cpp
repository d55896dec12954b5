// The engine settings file and the orb sets file.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/engine_settings.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"

using namespace engine;
using testing_support::ReadBytes;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;

namespace {
std::vector<std::string> g_reports;
void Record(const std::string& m) { g_reports.push_back(m); }

struct SettingsTest : ::testing::Test {
    TempWorkFolder tmp;
    void SetUp() override {
        ResetChartState();
        g_reports.clear();
        SetSettingsReporter(Record);
    }
    void TearDown() override { SetSettingsReporter(nullptr); }
};
}  // namespace

TEST_F(SettingsTest, MissingFileIsCreatedWithDefaults) {
    LoadOrbiDomiSettings();
    EXPECT_EQ(ReadBytes("FileSet/OrbiDomi.stt"), testing_support::ReadFixture("settings/OrbiDomi.default.stt"));
    EXPECT_EQ(Orbs.AspectOrbs[0], 10);  // conjunction
    EXPECT_EQ(Orbs.AspectOrbs[4], 9);   // opposition
    EXPECT_EQ(Orbs.AspectOrbs[3], 8);   // trine
    EXPECT_EQ(Chart.HouseSystemName, "PLACIDO");
    EXPECT_EQ(Chart.NodeType, "VERO");
    EXPECT_EQ(Orbs.OrbSetLetter, "A");
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(SettingsTest, LinesAreCutToTheirCapacity) {
    std::string body;
    for (int i = 1; i <= 16; ++i) body += std::to_string(i) + ".5 trailing words\r\n";
    body += "PORFIRIOXXXXXXXXXXXXX\r\nMEDIOXX\r\nBC\r\nVERA\r\nextra line\r\n";
    WriteBytes("FileSet/orbidomi.STT", body);
    LoadOrbiDomiSettings();
    EXPECT_EQ(Chart.HouseSystemName, "PORFIRIOXXXXXXX");
    EXPECT_EQ(Chart.NodeType, "MEDIO");
    EXPECT_EQ(Orbs.OrbSetLetter, "B");
    EXPECT_EQ(Chart.BlackMoonType, "VERA");
    EXPECT_EQ(Orbs.AspectOrbs[5], 2.5L);   // line 2: semi-sextile
    EXPECT_EQ(Orbs.AspectOrbs[4], 14.5L);  // line 14: opposition
    EXPECT_EQ(Orbs.ParallelOrb, 15.5L);
    EXPECT_EQ(Orbs.AntisciaOrb, 16.5L);
}

TEST_F(SettingsTest, SetLineChangesOnlyThatLineAndReloads) {
    LoadOrbiDomiSettings();
    std::vector<std::string> lines = rt::ReadTextLines("FileSet\\OrbiDomi.stt");
    lines[13] = "7";
    lines[2] = "1." + std::string(38, '0');  // 40 characters, an orb of 1
    rt::WriteTextLines("FileSet\\OrbiDomi.stt", lines);
    SetOrbiDomiLine(18, "MEDIO");
    std::vector<std::string> after = rt::ReadTextLines("FileSet\\OrbiDomi.stt");
    ASSERT_EQ(after.size(), 20u);
    EXPECT_EQ(after[17], "MEDIO");
    EXPECT_EQ(after[2], "1." + std::string(23, '0'));
    EXPECT_EQ(after[0], lines[0]);
    EXPECT_EQ(Chart.NodeType, "MEDIO");
    EXPECT_EQ(Orbs.AspectOrbs[4], 7);
}

TEST_F(SettingsTest, DamagedFilesGiveAMessageAndTheDefaults) {
    // Truncated: the old reader would have read zero orbs without a word.
    WriteBytes("FileSet/OrbiDomi.stt", "3\r\n4\r\n");
    LoadOrbiDomiSettings();
    ASSERT_EQ(g_reports.size(), 1u);
    // In Italian, like the start-up's other messages, naming the file and its kept copy.
    EXPECT_EQ(g_reports[0],
              "Il file delle impostazioni \"FileSet\\OrbiDomi.stt\" era danneggiato (finisce prima delle sue 20 "
              "righe): si usano le orbite e le impostazioni predefinite; il file danneggiato \xE8 conservato come "
              "\"OrbiDomi.stt.damaged1\".");
    EXPECT_EQ(Orbs.AspectOrbs[0], 10);
    EXPECT_EQ(Orbs.AspectOrbs[4], 9);
    EXPECT_EQ(ReadBytes("FileSet/OrbiDomi.stt.damaged1"), "3\r\n4\r\n");
    // Text where a number belongs.
    std::vector<std::string> lines = rt::ReadTextLines("FileSet\\OrbiDomi.stt");
    lines[3] = "dieci";
    rt::WriteTextLines("FileSet\\OrbiDomi.stt", lines);
    LoadOrbiDomiSettings();
    ASSERT_EQ(g_reports.size(), 2u);
    EXPECT_NE(g_reports[1].find("\"OrbiDomi.stt.damaged2\""), std::string::npos) << g_reports[1];
    // The first damaged copy is still there, the second beside it.
    EXPECT_EQ(ReadBytes("FileSet/OrbiDomi.stt.damaged1"), "3\r\n4\r\n");
    EXPECT_NE(ReadBytes("FileSet/OrbiDomi.stt.damaged2").find("dieci"), std::string::npos);
    EXPECT_EQ(Orbs.AspectOrbs[7], 1);
    EXPECT_EQ(Chart.HouseSystemName, "PLACIDO");
}

TEST_F(SettingsTest, OrbSetsRoundTrip) {
    OrbSets sets = LoadOrbSets();
    EXPECT_EQ(ReadBytes("FileDum/MMVarOrb.dum"), testing_support::ReadFixture("settings/MMVarOrb.default.dum"));
    sets.orbs[1][3] = 2.5L;
    sets.selected = "";
    SaveOrbSets(sets);
    OrbSets back = LoadOrbSets();
    EXPECT_EQ(back.orbs[1][3], 2.5L);
    EXPECT_EQ(back.orbs[0][1], 10);
    EXPECT_EQ(back.selected, "");
    EXPECT_EQ(rt::ReadTextLines("FileDum\\MMVarOrb.dum").size(), 48u);
}
