// The attribution lookups without windows: which line of the specific point
// file a position key selects and how much of it is shown, the texts of a point
// and of a sign from the shipped files, the segment lists, and that the shipped
// files hold a text for every key the position files of 200 random charts list.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "archive/current_chart.h"
#include "display/chart/attribution_texts.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/position_files.h"
#include "display/wheel/wheel_state.h"
#include "engine/angles.h"
#include "engine/chart.h"
#include "engine/position_text.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using display::SpecificTextOfLine;
using engine::Real;

// A line of the specific file: key in columns 1-8, text from column 22.
std::string Line(const std::string& key, const std::string& text) {
    return key + std::string(21 - key.size(), ' ') + text;
}

// 100 characters: "0123456789" ten times, so a cut shows where it fell.
const std::string kLong = [] {
    std::string s;
    for (int i = 0; i < 10; ++i) s += "0123456789";
    return s;
}();

TEST(SpecificTexts, KeyLengthDecidesHowMuchOfTheLineIsShown) {
    std::string text;
    // An eight-character key shows columns 22-81.
    ASSERT_TRUE(SpecificTextOfLine(1, "SoleArie", Line("SoleArie", kLong), text));
    EXPECT_EQ(text, kLong.substr(0, 60));
    // A term key (six) and a decade key (four) show columns 22-101.
    ASSERT_TRUE(SpecificTextOfLine(1, "Sole07", Line("Sole07", kLong), text));
    EXPECT_EQ(text, kLong.substr(0, 80));
    ASSERT_TRUE(SpecificTextOfLine(1, "SO02", Line("SO02", kLong), text));
    EXPECT_EQ(text, kLong.substr(0, 80));
    // The Midheaven's term keys are compared as whole keys: 60 characters.
    ASSERT_TRUE(SpecificTextOfLine(11, "Mcie07", Line("Mcie07", kLong), text));
    EXPECT_EQ(text, kLong.substr(0, 60));
    // A short line gives what it has.
    ASSERT_TRUE(SpecificTextOfLine(1, "SoleToro", Line("SoleToro", "kort"), text));
    EXPECT_EQ(text, "kort");
}

TEST(SpecificTexts, AKeyBelongsToItsPointOnly) {
    std::string text;
    // Another point's key, a longer key that merely begins alike, a different term.
    EXPECT_FALSE(SpecificTextOfLine(2, "SoleArie", Line("SoleArie", "x"), text));
    EXPECT_FALSE(SpecificTextOfLine(1, "Sole0", Line("Sole07", "x"), text));
    EXPECT_FALSE(SpecificTextOfLine(1, "Sole07", Line("Sole08", "x"), text));
    EXPECT_FALSE(SpecificTextOfLine(1, "SO02", Line("SO03", "x"), text));
    // An aspect shows under both its points.
    EXPECT_TRUE(SpecificTextOfLine(1, "SolTrMar", Line("SolTrMar", "trigoon"), text));
    EXPECT_TRUE(SpecificTextOfLine(5, "SolTrMar", Line("SolTrMar", "trigoon"), text));
    EXPECT_FALSE(SpecificTextOfLine(2, "SolTrMar", Line("SolTrMar", "trigoon"), text));
    // The Sun's contra-antiscion in Virgo ("Maa") is not a text of Mars.
    EXPECT_TRUE(SpecificTextOfLine(1, "SolCaMaa", Line("SolCaMaa", "spiegel"), text));
    EXPECT_FALSE(SpecificTextOfLine(5, "SolCaMaa", Line("SolCaMaa", "spiegel"), text));
    // The nodes' keys begin "NNor"/"Non" and "NSud"/"Nos": their texts are found.
    EXPECT_TRUE(SpecificTextOfLine(8, "NNorArie", Line("NNorArie", "knoop"), text));
    EXPECT_TRUE(SpecificTextOfLine(8, "NonAnVis", Line("NonAnVis", "knoop"), text));
    EXPECT_TRUE(SpecificTextOfLine(9, "NonOpNos", Line("NonOpNos", "knoop"), text));
    EXPECT_TRUE(SpecificTextOfLine(9, "NSud05", Line("NSud05", "knoop"), text));
    EXPECT_FALSE(SpecificTextOfLine(8, "NSudArie", Line("NSudArie", "knoop"), text));
}

class ShippedTexts : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        wheel_test::CopyDataFolders({"OpzioneT"});
    }
    testing_support::TempWorkFolder folder_;
};

std::vector<std::string> Lines(const char* name) { return rt::ReadTextLines(name); }

// The key of a specific line, blanks after it removed.
std::string KeyOf(const std::string& line) {
    std::string k = line.substr(0, 8);
    k.erase(k.find_last_not_of(' ') + 1);
    return k;
}

TEST_F(ShippedTexts, FilesKeepTheirColumnsAndNoTwoTextsAreAlike) {
    const auto spe = Lines(display::kPlanetSpecificFile);
    EXPECT_EQ(spe.size(), 2250u);  // 132 signs, 132 houses, 660 terms, 396 decans, 396 decades,
                                   // 132 + 132 antiscia, 270 aspects
    std::set<std::string> keys, texts;
    for (const std::string& l : spe) {
        ASSERT_GT(l.size(), 22u) << l;
        const std::string key = KeyOf(l);
        EXPECT_TRUE(key.size() == 4 || key.size() == 6 || key.size() == 8) << l;
        EXPECT_EQ(l.substr(key.size(), 21 - key.size()), std::string(21 - key.size(), ' ')) << l;
        EXPECT_NE(l[21], ' ') << l;
        // What the memo and the segment lists show of it is the whole text.
        const std::size_t shown = key.size() == 8 || key.substr(0, 4) == "Mcie" ? 60 : 70;
        EXPECT_LE(l.size() - 21, shown) << l;
        EXPECT_TRUE(keys.insert(key).second) << l;
        EXPECT_TRUE(texts.insert(l.substr(21)).second) << l;
    }
    // General texts: eleven points and twelve signs, each with its lines of 80.
    std::map<std::string, int> codes;
    for (const char* file : {display::kPlanetGeneralFile, display::kSignGeneralFile})
        for (const std::string& l : Lines(file)) {
            EXPECT_LE(l.size(), 63u) << l;  // 80 are read; 60 fit the memo
            EXPECT_EQ(l[2], ' ') << l;
            ++codes[std::string(file) + l.substr(0, 2)];
        }
    for (const char* code : display::kBodyMixedCodes)
        EXPECT_GE(codes[std::string(display::kPlanetGeneralFile) + code], 2);
    for (const char* key : display::kAttributionSignKeys)
        EXPECT_GE(codes[std::string(display::kSignGeneralFile) + key], 2);
    EXPECT_EQ(codes.size(), 23u);
    for (const std::string& l : Lines(display::kSignSpecificFile)) {
        EXPECT_EQ(l.substr(7, 13), std::string(13, ' ')) << l;
        EXPECT_LE(l.size(), 70u) << l;
    }
}

TEST_F(ShippedTexts, TextsOfTheSunAndOfAries) {
    // The keys of the fixed person's chart, then the Sun's texts in their order.
    display::ClassifyBodyTerms(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
    display::BuildBodyDecanKeys(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
    display::ClassifyBodyDecades(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
    display::RewritePositionFiles(testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    std::vector<std::string> reported;
    const auto report = [&](const std::string& name, const rt::IoError&) { reported.push_back(name); };
    const display::AttributionTexts sun =
        display::PlanetAttributionTexts(testing_support::CurrentChartOfTest().chart, 1, report);
    std::string position, dodecatemorion;
    engine::FormatSignPosLong(position, " ", 15.25L);
    engine::FormatSignPosLong(dodecatemorion, " ", 198.25L);  // 15.25 + 12 x 15.25
    const std::vector<std::string> expected = {
        "ZOON        " + position,
        "Zon in Ram: verheven; moed, levenslust en pioniersgeest.",
        "Zon in het 10e huis: aanzien, gezag en erkende loopbaan.",  // moved cusp 10 at 343
        "Zon: levenskracht laat in het veld van roeping.",           // term 49: 13.5 to 19.5
        "Zon, 2e decan Ram: eer en glans.",
        "Zon, decade Ram 10-20: vurige moed van de Zon.",
        "Zon antiscion Vissen: verborgen mededogen.",                   // 344.75
        "Zon contra-antiscion Maagd: overdreven kritiek.",              // 164.75
        "Zon-Merc. conj.: denken in dienst van de wil; zelfbewust",     // 4.75 within 8
        "Zon-Mars driehoek: vitaliteit, moed en leiderschap",           // 120.5 within 7
        "Zon-Jupiter oppositie: hoogmoed, overschatting van zichzelf",  // 175.15 within 8
        "Zon-Saturnus vierkant: tegenslag, remming, strenge vader",     // 84.85 within 7
        "Zon-Noordknoop driehoek: zelfexpressie die de groei dient",    // 115.25 within 7
        "Zon-Zuidknoop sextiel: ervaring uit het verleden helpt",       // 64.75 within 6
        "Zon-Ascendant vierkant: wil en optreden niet in een lijn",     // 85.25 within 7
        "Dodecatemorieen ZOON       = " + dodecatemorion,
    };
    EXPECT_EQ(sun.specific, expected);
    // The four lines of the general text are one paragraph.
    ASSERT_EQ(sun.general.size(), 1u);
    EXPECT_EQ(sun.general[0].rfind("De Zon: levenskracht, wil en bewustzijn; het hart, de vader, de echtgenoot", 0), 0u)
        << sun.general[0];
    EXPECT_EQ(sun.general[0].find("  "), std::string::npos);
    EXPECT_NE(sun.general[0].find("in val in Weegschaal. Warm en droog van aard; geeft eer, moed en gezondheid."),
              std::string::npos);
    EXPECT_EQ(sun.specificLabel, "SPECIFIEKE TOESCHRIJVINGEN naar de PLANEET");
    EXPECT_STREQ(display::kAttributionBodyNames[engine::ChartPoint::NorthNode], "NOORDKNOOP");
    EXPECT_TRUE(reported.empty());

    const display::AttributionTexts aries = display::SignAttributionTexts(1, report);
    // Each text of the sign file (its lines of one key) is one paragraph.
    EXPECT_EQ(aries.specific,
              (std::vector<std::string>{"RAM       ",
                                        "Ram spiegelt in Vissen: de daad zoekt een droom, moed wordt mededogen.",
                                        "Contra-antiscion in Maagd: het vuur van Ram leert geduld en precisie."}));
    ASSERT_EQ(aries.general.size(), 2u);
    EXPECT_EQ(aries.general.front(), "RAM       ");
    EXPECT_EQ(aries.general[1].substr(0, 24), "Ram: het eerste teken, k");
    EXPECT_NE(aries.general[1].find("mannelijk. Heerser Mars"), std::string::npos) << aries.general[1];
    EXPECT_EQ(aries.generalLabel, "ALGEMENE attributie aan het STERRENBEELD");
    // Aquarius: "Aq" in the general texts, "Ac" in the sign file; both are found.
    const display::AttributionTexts aquarius = display::SignAttributionTexts(11, report);
    EXPECT_EQ(aquarius.specific.size(), 3u);
    EXPECT_EQ(aquarius.specific[1].substr(0, 26), "Waterman spiegelt in Stier");
    EXPECT_EQ(aquarius.general.size(), 2u);
    EXPECT_TRUE(reported.empty());

    // The segment lists of the planets.
    const auto spe = Lines(display::kPlanetSpecificFile);
    const auto tables = display::PlanetSegmentTables(testing_support::NatalWheelOfTest());
    const auto terms = display::SegmentListLines(display::SegmentKind::Terms, tables, spe);
    ASSERT_EQ(terms.size(), 11u);
    EXPECT_EQ(terms[0], "Zon: levenskracht laat in het veld van roeping.");
    EXPECT_EQ(display::SegmentListLines(display::SegmentKind::Decans, tables, spe)[1],
              "Maan, 2e decan Stier: wisseling en groei.");  // 45.5: decan 5, the Moon's face
    EXPECT_EQ(display::SegmentListLines(display::SegmentKind::Decades, tables, spe)[3],
              "Venus, decade Vissen 20-30: waterig gevoel van Mars.");  // 350: Pisces, Cancer, Scorpio
    EXPECT_EQ(display::SegmentHeading(display::SegmentKind::Decades, true), "DODECATEMORIEEN IN DE DECADE");
}

TEST_F(ShippedTexts, MissingFilesAreReportedAndTheRestIsShown) {
    display::RewritePositionFiles(testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    std::filesystem::remove_all("OpzioneT/KlvPianSpe.Txt");
    std::filesystem::remove_all("OpzioneT/KlvSegni.txt");
    std::vector<std::string> reported;
    const auto report = [&](const std::string& name, const rt::IoError&) { reported.push_back(name); };
    const auto sun = display::PlanetAttributionTexts(testing_support::CurrentChartOfTest().chart, 1, report);
    EXPECT_EQ(sun.specific.size(), 2u);  // the position and the dodecatemorion
    EXPECT_EQ(sun.general.size(), 1u);
    const auto aries = display::SignAttributionTexts(1, report);
    EXPECT_EQ(aries.general.size(), 1u);
    EXPECT_EQ(aries.specific.size(), 3u);
    EXPECT_EQ(reported, (std::vector<std::string>{display::kPlanetSpecificFile, display::kSignGeneralFile}));
}

TEST_F(ShippedTexts, EveryKeyOfTwoHundredRandomChartsHasItsText) {
    const auto spe = Lines(display::kPlanetSpecificFile);
    const auto signSpe = Lines(display::kSignSpecificFile);
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> degrees(0, 360), width(15, 45);
    std::set<std::string> seen;
    for (int chart = 0; chart < 200; ++chart) {
        auto& c = testing_support::CurrentChartOfTest().chart;
        // Cusps in order from a random Ascendant; points anywhere; the nodes opposite.
        Real cusp = degrees(random);
        std::vector<Real> widths(6);
        for (Real& w : widths) w = width(random);
        for (int h = 1; h <= 12; ++h) {
            c.cusps[h] = engine::Mod360(cusp);
            cusp += widths[(h - 1) % 6] * 180 / std::accumulate(widths.begin(), widths.end(), Real(0));
        }
        for (int i = 1; i <= 9; ++i) wheel_test::SetWheelPoint(c, i, degrees(random));
        if (chart % 50 == 0) wheel_test::SetWheelPoint(c, 3, 0);  // exactly 0: no antiscia
        wheel_test::SetWheelPoint(c, 9, engine::Mod360(c.points.northNode + 180));
        wheel_test::SetWheelPoint(c, 10, c.cusps[1]);
        wheel_test::SetWheelPoint(c, 11, c.cusps[10]);
        display::ClassifyBodyTerms(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
        display::BuildBodyDecanKeys(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
        display::ClassifyBodyDecades(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
        display::RewritePositionFiles(testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());

        for (const std::string& key : Lines(display::kPointPositionFile)) {
            seen.insert(key);
            bool found = false;
            for (int b = 1; b <= 11 && !found; ++b) {
                std::string text;
                found = display::SpecificTextOfKey(b, key, spe, text) && !text.empty();
            }
            EXPECT_TRUE(found) << "chart " << chart << ": " << key;
        }
        for (const std::string& key : Lines(display::kSignPositionFile)) {
            EXPECT_FALSE(display::TextsOfKey(key, signSpe, 21, 50).empty()) << key;
            seen.insert(key);
        }
    }
    EXPECT_GT(seen.size(), 1500u);  // the charts reach most of the keys
}

}  // namespace
