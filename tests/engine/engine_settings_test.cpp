// The engine settings file and the orb sets file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/engine_settings.h"
#include "engine/orb_set_choice.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"

namespace engine_settings_test {

using namespace engine;

namespace {

// The chart settings and orbs these tests hand to the engine.
ChartSettings settings;
OrbRecord orbs;

}  // namespace
using testing_support::ReadBytes;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;

namespace {
std::vector<std::string> gReports;
void Record(const std::string& m) { gReports.push_back(m); }

struct SettingsTest : ::testing::Test {
    TempWorkFolder tmp;
    void SetUp() override {
        settings = ChartSettings{};
        orbs = OrbRecord{};
        gReports.clear();
    }
};
}  // namespace

TEST_F(SettingsTest, MissingFileIsCreatedWithDefaults) {
    LoadEngineSettings(settings, orbs, Record);
    EXPECT_EQ(ReadBytes("FileSet/OrbiDomi.stt"), testing_support::ReadFixture("settings/OrbiDomi.default.stt"));
    EXPECT_EQ(orbs.aspectOrbs[0], 10);  // conjunction
    EXPECT_EQ(orbs.aspectOrbs[4], 9);   // opposition
    EXPECT_EQ(orbs.aspectOrbs[3], 8);   // trine
    EXPECT_EQ(HouseSystemText(settings.houseSystem), "PLACIDO");
    EXPECT_EQ(NodeKindText(settings.node), "VERO");
    EXPECT_EQ(orbs.setLetter, "A");
    EXPECT_TRUE(gReports.empty());
}

TEST_F(SettingsTest, LinesAreCutToTheirCapacity) {
    std::string body;
    // Aspect orbs 1.5 .. 14.5; the parallel and antiscia orbs (at most 6) 5.5 and 4.5.
    for (int i = 1; i <= 16; ++i) body += std::to_string(i <= 14 ? i : 20 - i) + ".5 trailing words\r\n";
    body += "PORFIRIOXXXXXXXXXXXXX\r\nMEDIOXX\r\nBC\r\nVERA\r\nextra line\r\n";
    WriteBytes("FileSet/orbidomi.STT", body);
    LoadEngineSettings(settings, orbs, Record);
    EXPECT_EQ(HouseSystemText(settings.houseSystem), "PORFIRIOXXXXXXX");
    EXPECT_EQ(NodeKindText(settings.node), "MEDIO");
    EXPECT_EQ(orbs.setLetter, "B");
    EXPECT_EQ(BlackMoonKindText(settings.blackMoon), "VERA");
    EXPECT_EQ(orbs.aspectOrbs[5], 2.5L);   // line 2: semi-sextile
    EXPECT_EQ(orbs.aspectOrbs[4], 14.5L);  // line 14: opposition
    EXPECT_EQ(orbs.parallelOrb, 5.5L);
    EXPECT_EQ(orbs.antisciaOrb, 4.5L);
}

TEST_F(SettingsTest, SetLineChangesOnlyThatLineAndReloads) {
    LoadEngineSettings(settings, orbs, Record);
    std::vector<std::string> lines = rt::ReadTextLines("FileSet\\OrbiDomi.stt");
    lines[13] = "7";
    lines[2] = "1." + std::string(38, '0');  // 40 characters, an orb of 1
    rt::WriteTextLines("FileSet\\OrbiDomi.stt", lines);
    SetEngineSettingsLine(settings, orbs, 18, "MEDIO", Record);
    std::vector<std::string> after = rt::ReadTextLines("FileSet\\OrbiDomi.stt");
    ASSERT_EQ(after.size(), 20u);
    EXPECT_EQ(after[17], "MEDIO");
    EXPECT_EQ(after[2], "1." + std::string(23, '0'));
    EXPECT_EQ(after[0], lines[0]);
    EXPECT_EQ(NodeKindText(settings.node), "MEDIO");
    EXPECT_EQ(orbs.aspectOrbs[4], 7);
}

TEST_F(SettingsTest, DamagedFilesGiveAMessageAndTheDefaults) {
    // Truncated: the old reader would have read zero orbs without a word.
    WriteBytes("FileSet/OrbiDomi.stt", "3\r\n4\r\n");
    LoadEngineSettings(settings, orbs, Record);
    ASSERT_EQ(gReports.size(), 1u);
    // In Italian, like the start-up's other messages, naming the file and its kept copy, and what the
    // user can do.
    EXPECT_EQ(gReports[0],
              "Il file delle impostazioni \"FileSet\\OrbiDomi.stt\" era danneggiato (finisce prima delle sue 20 "
              "righe): si usano le orbite e le impostazioni predefinite; il file danneggiato \xE8 conservato come "
              "\"OrbiDomi.stt.damaged1\". Se le impostazioni erano state cambiate, sceglierle di nuovo nella "
              "finestra principale (insieme delle orbite e nodo lunare); i valori di prima si leggono nella copia "
              "conservata.");
    EXPECT_EQ(orbs.aspectOrbs[0], 10);
    EXPECT_EQ(orbs.aspectOrbs[4], 9);
    EXPECT_EQ(ReadBytes("FileSet/OrbiDomi.stt.damaged1"), "3\r\n4\r\n");
    // Text where a number belongs.
    std::vector<std::string> lines = rt::ReadTextLines("FileSet\\OrbiDomi.stt");
    lines[3] = "dieci";
    rt::WriteTextLines("FileSet\\OrbiDomi.stt", lines);
    LoadEngineSettings(settings, orbs, Record);
    ASSERT_EQ(gReports.size(), 2u);
    EXPECT_NE(gReports[1].find("\"OrbiDomi.stt.damaged2\""), std::string::npos) << gReports[1];
    // The first damaged copy is still there, the second beside it.
    EXPECT_EQ(ReadBytes("FileSet/OrbiDomi.stt.damaged1"), "3\r\n4\r\n");
    EXPECT_NE(ReadBytes("FileSet/OrbiDomi.stt.damaged2").find("dieci"), std::string::npos);
    EXPECT_EQ(orbs.aspectOrbs[7], 1);
    EXPECT_EQ(HouseSystemText(settings.houseSystem), "PLACIDO");
}

// No orb is wider than the orb settings window takes (15 for an aspect, 6
// for parallels and antiscia): a wider one in either settings file is damage
// like text where an orb belongs, named, kept, and replaced by its default.
TEST_F(SettingsTest, OrbsWiderThanTheOrbWindowTakesAreDamage) {
    LoadEngineSettings(settings, orbs, Record);
    std::vector<std::string> lines = rt::ReadTextLines("FileSet\\OrbiDomi.stt");
    lines[13] = "40";  // the opposition
    rt::WriteTextLines("FileSet\\OrbiDomi.stt", lines);
    LoadEngineSettings(settings, orbs, Record);
    ASSERT_EQ(gReports.size(), 1u);
    EXPECT_NE(gReports[0].find("(il suo valore di orbita della riga 14 \xE8 fuori dalle orbite ammesse)"),
              std::string::npos)
        << gReports[0];
    EXPECT_EQ(orbs.aspectOrbs[4], 9);
    EXPECT_NE(ReadBytes("FileSet/OrbiDomi.stt.damaged1").find("\r\n40\r\n"), std::string::npos);
    lines[13] = "15";
    lines[14] = "6.5";  // the parallels
    rt::WriteTextLines("FileSet\\OrbiDomi.stt", lines);
    LoadEngineSettings(settings, orbs, Record);
    ASSERT_EQ(gReports.size(), 2u);
    EXPECT_NE(gReports[1].find("orbita della riga 15"), std::string::npos) << gReports[1];
    EXPECT_EQ(orbs.parallelOrb, 1);

    // Set B's trine at 20 and the antiscia orb at 7 in the orb sets.
    gReports.clear();
    OrbSets sets = LoadOrbSets(orbs, Record);
    sets.orbs[1][9] = 20;
    sets.antisciaOrb = 7;
    sets.orbs[2][9] = 15;
    sets.parallelOrb = 6;
    SaveOrbSets(sets);
    const OrbSets read = LoadOrbSets(orbs, Record);
    ASSERT_EQ(gReports.size(), 1u);
    // Lines 16, 32 and 48: the antiscia orb of each set; line 26: set B's trine.
    EXPECT_NE(gReports[0].find("\"FileDum\\MMVarOrb.dum\" era danneggiato (valori illeggibili alla riga 16 "),
              std::string::npos)
        << gReports[0];
    EXPECT_NE(gReports[0].find(", riga 26 "), std::string::npos) << gReports[0];
    EXPECT_EQ(read.orbs[1][9], kOrbSetBStart[9]);
    EXPECT_EQ(read.antisciaOrb, 1);
    EXPECT_EQ(read.orbs[2][9], 15);  // the widest orbs taken are kept
    EXPECT_EQ(read.parallelOrb, 6);
}

TEST_F(SettingsTest, OrbSetsRoundTrip) {
    OrbSets sets = LoadOrbSets(orbs, Record);
    EXPECT_EQ(ReadBytes("FileDum/MMVarOrb.dum"), testing_support::ReadFixture("settings/MMVarOrb.default.dum"));
    sets.orbs[1][2] = 2.5L;
    sets.selected = "";
    SaveOrbSets(sets);
    OrbSets back = LoadOrbSets(orbs, Record);
    EXPECT_EQ(back.orbs[1][2], 2.5L);
    EXPECT_EQ(back.orbs[0][0], 10);
    EXPECT_EQ(back.selected, "");
    EXPECT_EQ(rt::ReadTextLines("FileDum\\MMVarOrb.dum").size(), 48u);
}

// A settings file that cannot be read at all (a folder in its place): the
// start takes the defaults for the run and names the file; nothing writes
// over it, and once it can be read again its own settings are kept.
TEST_F(SettingsTest, AFileThatCannotBeReadIsNeverWrittenOver) {
    WriteBytes("FileSet/OrbiDomi.stt/inside", "kept");
    LoadEngineSettingsAtStart(settings, orbs, Record);
    ASSERT_EQ(gReports.size(), 1u);
    EXPECT_NE(gReports[0].find("\"FileSet\\OrbiDomi.stt\" non si pu\xF2 leggere (Accesso al file negato)"),
              std::string::npos)
        << gReports[0];
    EXPECT_TRUE(SettingsDefaultsStandIn(orbs));
    EXPECT_EQ(HouseSystemText(settings.houseSystem), "PLACIDO");
    EXPECT_EQ(NodeKindText(settings.node), "VERO");
    EXPECT_EQ(BlackMoonKindText(settings.blackMoon), "MEDIA");
    EXPECT_EQ(orbs.setLetter, "A");
    EXPECT_EQ(orbs.aspectOrbs[4], 9);  // opposition of set A
    EXPECT_EQ(orbs.aspectOrbs[13], 1);

    EnsureOrbSets(orbs);
    const std::string sets = ReadBytes("FileDum/MMVarOrb.dum");
    auto refused = [](const std::function<void()>& write) {
        try {
            write();
        } catch (const rt::UnreadableSettingsError& e) {
            return std::string(e.what());
        }
        return std::string("written");
    };
    const std::string chosen = refused([] { ApplyOrbSet(settings, orbs, "B", Record); });
    EXPECT_EQ(chosen.rfind("Le impostazioni non sono state salvate: il file \"FileSet\\OrbiDomi.stt\" non si pu\xF2 "
                           "leggere (Accesso al file negato)",
                           0),
              0u)
        << chosen;
    EXPECT_NE(refused([] { SetEngineSettingsLine(settings, orbs, 18, "MEDIO", Record); }), "written");
    EXPECT_NE(refused([] { WriteOrbSetSettings(settings, orbs, {kOrbSetBStart, 1, 1, "B"}, Record); }), "written");
    EXPECT_EQ(ReadBytes("FileSet/OrbiDomi.stt/inside"), "kept");
    EXPECT_EQ(ReadBytes("FileDum/MMVarOrb.dum"), sets);
    EXPECT_EQ(NodeKindText(settings.node), "VERO");

    // The user's own file back in its place: the choice goes into it with the
    // user's house system, node and black moon, not the defaults that stood in.
    std::filesystem::remove_all("FileSet/OrbiDomi.stt");
    std::vector<std::string> own;
    for (int i = 1; i <= 16; ++i) own.push_back("2");
    for (const char* line : {"KOCH", "MEDIO", "A", "VERA"}) own.push_back(line);
    rt::WriteTextLines("FileSet\\OrbiDomi.stt", own);
    orbs.setLetter = "C";  // as the orb box leaves it for the idle handler
    ASSERT_TRUE(ApplyOrbSet(settings, orbs, orbs.setLetter, Record));
    const std::vector<std::string> lines = rt::ReadTextLines("FileSet\\OrbiDomi.stt");
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(std::stold(lines[0]), 5.0L);   // C's conjunction
    EXPECT_EQ(std::stold(lines[13]), 7.0L);  // C's opposition
    EXPECT_EQ(lines[16], "KOCH");
    EXPECT_EQ(lines[17], "MEDIO");
    EXPECT_EQ(lines[18], "C");
    EXPECT_EQ(lines[19], "VERA");
    EXPECT_FALSE(SettingsDefaultsStandIn(orbs));
    EXPECT_EQ(gReports.size(), 1u);
}

// The orb sets exist from the first start, so that every set can be chosen at
// once; a personal set in force keeps the orbs the settings hold for it; an
// existing file is never touched.
TEST_F(SettingsTest, TheOrbSetsAreMadeAtTheStartFromTheSetInForce) {
    LoadEngineSettings(settings, orbs, Record);
    EnsureOrbSets(orbs);
    EXPECT_EQ(ReadBytes("FileDum/MMVarOrb.dum"), testing_support::ReadFixture("settings/MMVarOrb.default.dum"));

    std::filesystem::remove("FileDum/MMVarOrb.dum");
    std::vector<std::string> own;
    for (int i = 1; i <= 14; ++i) own.push_back(std::to_string(i % 5) + ".5");
    for (const char* line : {"2", "3", "PLACIDO", "VERO", "C", "MEDIA"}) own.push_back(line);
    rt::WriteTextLines("FileSet\\OrbiDomi.stt", own);
    LoadEngineSettings(settings, orbs, Record);
    EnsureOrbSets(orbs);
    const OrbSets sets = LoadOrbSets(orbs, Record);
    EXPECT_EQ(sets.selected, "C");
    for (std::size_t i = 0; i < kOrbAspectCount; ++i) {
        EXPECT_EQ(sets.orbs[2][i], ((i + 1) % 5) + 0.5L) << i;  // C: the orbs in force, line i + 1
        EXPECT_EQ(sets.orbs[1][i], kOrbSetBStart[i]) << i;
        EXPECT_EQ(sets.orbs[0][i], kOrbSetA[i]) << i;
    }
    EXPECT_EQ(sets.parallelOrb, 2);
    EXPECT_EQ(sets.antisciaOrb, 3);
    // Applying C now changes no orb of the chart.
    ASSERT_TRUE(ApplyOrbSet(settings, orbs, "C", Record));
    EXPECT_EQ(orbs.aspectOrbs[kAspectSlotByOrder[kOrbAspectCount - 1]], 4.5L);  // line 14: the opposition

    const std::string before = ReadBytes("FileDum/MMVarOrb.dum");
    SetEngineSettingsLine(settings, orbs, 19, "B", Record);
    EnsureOrbSets(orbs);
    EXPECT_EQ(ReadBytes("FileDum/MMVarOrb.dum"), before);
    EXPECT_TRUE(gReports.empty());
}

}  // namespace engine_settings_test
