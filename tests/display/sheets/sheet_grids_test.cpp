// The grids and figures of the sheets for the fixed person: spherical
// distances, the archetypal structure, the cloths and humoral grids and the
// sign affinity figures.
#include <gtest/gtest.h>

#include <algorithm>

#include "archive/current_chart.h"
#include "display/chart/spherical_distances.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/sheets/sheet_affinities.h"
#include "display/sheets/sheet_archetype.h"
#include "display/sheets/sheet_cloths.h"
#include "display/wheel/wheel_points.h"
#include "engine/position_text.h"
#include "engine/receptions.h"
#include "platform/gui/message_box.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/sheets/sheet_person.h"

namespace {

using display::RecordingSurface;

std::string At(display::Point p) { return "text " + std::to_string(p.x) + "," + std::to_string(p.y) + " "; }

// The text call whose text is exactly t, or "".
std::string CallOf(const RecordingSurface& dc, const std::string& t) {
    for (const std::string& c : dc.Calls("text"))
        if (c.size() >= t.size() + 2 && c.compare(c.size() - t.size() - 2, t.size() + 2, "'" + t + "'") == 0) return c;
    return {};
}

class SheetGrids : public ::testing::Test {
protected:
    void SetUp() override {
        sheet_test::SetSheetPerson();
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        wheel_test::CopyDataFolders({"Simboli"});
        testing_support::CurrentChartOfTest().chart.receptions = engine::ReceptionTables{};
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(SheetGrids, SphericalDistancesOfTheFixedPerson) {
    EXPECT_NEAR(display::SphericalDistance(15.25L, 0, 45.5L, -4.5L), 30.5515, 1e-4);
    EXPECT_NEAR(display::SphericalDistance(20, 1.25L, 350, -2), 30.1709, 1e-4);
    EXPECT_EQ(display::SphericalDistance(260, 0, 80, 0), 180);  // the nodes
    EXPECT_EQ(display::SphericalDistance(10, 3, 10, 3), 0);
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const archive::CurrentChart& current = testing_support::CurrentChartOfTest();
    display::DrawSphericalDistances(dc, display::WheelPointLongitudes(current.chart),
                                    display::WheelPointLatitudes(current.chart), current.orbs, 15, 202);
    const auto texts = sheet_test::Texts(dc);
    ASSERT_EQ(texts.size(), 2u + 54u);
    EXPECT_EQ(texts[2], "30.55");  // Sun - Moon, cut not rounded
    // The node pair (8, 9) stands at column 8, row 9.
    const std::string nodes = CallOf(dc, "180.0");
    ASSERT_FALSE(nodes.empty());
    EXPECT_EQ(nodes.rfind(At(display::MapPoint(testing_support::DrawingStateOfTest(), 15 + 8.4L * 8 + 0.52L,
                                               202 + 5.04L * 9 - 9.28L)),
                          0),
              0u);
    EXPECT_NE(nodes.find("color=#FFFFFF"), std::string::npos);  // an opposition: underlined, row colour
    // Sun - Ascendant 85.25: a square, underlined in red; Sun - Moon 30.55 no aspect: grey.
    EXPECT_NE(CallOf(dc, "85.25").find("color=#FFFFFF"), std::string::npos);
    EXPECT_NE(CallOf(dc, "30.55").find("color=#808080"), std::string::npos);
    int red = 0;
    for (const std::string& l : dc.Calls("line")) red += l.find("#FF0000") != std::string::npos;
    EXPECT_GE(red, 2);
    // Rows 2..11 and columns 1..9 are led by their glyphs.
    EXPECT_EQ(sheet_test::Glyphs(dc).size(), 19u);
    EXPECT_EQ(dc.State().pen, display::Pen{});
}

TEST_F(SheetGrids, ArchetypalStructureJoinsNeighboursOfOneExchange) {
    auto& r = testing_support::CurrentChartOfTest().chart.receptions;
    r.planetDignity[0] = 4;  // the Sun in fall
    r.receptionBodies[0][0] = 1;
    r.receptionNumbers[0][0] = 1;
    for (int p : {5, 6}) {  // Mars and Jupiter in each other's signs
        const int row = p - 1;
        r.planetDignity[row] = 5;
        r.receptionGroup[row] = 21;
        r.receptionBodies[row][0] = static_cast<unsigned char>(p);
        r.receptionNumbers[row][0] = 1;
        r.receptionBodies[row][1] = p == 5 ? 6 : 5;
        r.receptionNumbers[row][1] = 2;
        r.receptionSigns[row][1] = p == 5 ? 6 : 5;
    }
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const bool noDignity = display::DrawArchetypalStructure(dc, r, 25, 315);
    EXPECT_EQ(sheet_test::Texts(dc), (std::vector<std::string>{"ARCHETYPISCHE STRUCTUUR", "1", "Val", "1", "Uitwis.",
                                                               "2", "gio", "1", "Uitwis.", "2", "mar"}));
    // Columns 13 apart; Jupiter's box joined to Mars's: orange bridges at x = 38 + 13.
    const auto bridge = display::MapPoint(testing_support::DrawingStateOfTest(), 51 - 8, 315 - 5),
               end = display::MapPoint(testing_support::DrawingStateOfTest(), 51 - 9.1L, 315 - 5);
    const std::string want = "line " + std::to_string(bridge.x) + "," + std::to_string(bridge.y) + " " +
                             std::to_string(end.x) + "," + std::to_string(end.y) + " pen=solid/";
    const auto lines = dc.Calls("line");
    const auto hit =
        std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(want, 0) == 0; });
    ASSERT_NE(hit, lines.end());
    EXPECT_NE(hit->find("#FF8040"), std::string::npos);
    // Box of Mars two entries high: top at 315 - 14 + 2.
    const auto top = display::MapPoint(testing_support::DrawingStateOfTest(), 38 + 4, 315 - 12);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.find(" " + std::to_string(top.x) + "," + std::to_string(top.y) + " pen=solid/") != std::string::npos;
    }));
    // "Val" under the Sun's box at (x - 7, Y + 4.5) in red.
    const std::string val = CallOf(dc, "Val");
    EXPECT_EQ(val.rfind(At(display::MapPoint(testing_support::DrawingStateOfTest(), 18, 319.5L)), 0), 0u);
    EXPECT_NE(val.find("color=#FF0000"), std::string::npos);
    EXPECT_FALSE(noDignity);
    EXPECT_EQ(sheet_test::Glyphs(dc).size(), 5u);
}

TEST_F(SheetGrids, NoDignityMessageOnlyWhenEveryPlanetIsNeutral) {
    auto& r = testing_support::CurrentChartOfTest().chart.receptions;
    const char* keys[8] = {"", "SoleToro", "LunaGeme", "MercArie", "VeneGeme", "MartGeme", "GiovArie", "SatuToro"};
    for (int p = 1; p <= 7; ++p) r.planetSignKeys[p - 1] = keys[p];
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    EXPECT_TRUE(display::DrawArchetypalStructure(dc, r, 25, 315));
    EXPECT_EQ(sheet_test::Texts(dc).back(), "Nessuna Debilit\xE0 n\xE9 Dignit\xE0 Planetaria");
    r.planetSignKeys[2] = "MercLeon";
    dc.Clear();
    EXPECT_FALSE(display::DrawArchetypalStructure(dc, r, 25, 315));
    EXPECT_EQ(sheet_test::Texts(dc).size(), 1u);
}

TEST_F(SheetGrids, ClothsCountThePlanetsByTheirSigns) {
    // Sun in Leo, Moon in Cancer, the others in Virgo.
    auto& c = testing_support::CurrentChartOfTest().chart;
    wheel_test::SetWheelPoint(c, 1, 130);
    wheel_test::SetWheelPoint(c, 2, 100);
    for (int p = 3; p <= 7; ++p) wheel_test::SetWheelPoint(c, p, 160 + p);
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawElementalCloth(dc, c, 46, 95);
    // Earth (column 2) under sulphur (row 2): 5 at (X0 + 7, Y0 + 7).
    const std::string five = CallOf(dc, "5");
    EXPECT_EQ(five.rfind(At(display::MapPoint(testing_support::DrawingStateOfTest(), 46 - 14 + 7, 95 - 14 + 7)), 0),
              0u);
    EXPECT_NE(five.find("color=#FFFFFF"), std::string::npos);
    // Totals: salt 1, sulphur 6, mercury 0 in row 5; fire 1, earth 5, air 0, water 1 in column 5.
    EXPECT_EQ(CallOf(dc, "6").rfind(
                  At(display::MapPoint(testing_support::DrawingStateOfTest(), 46 - 14 + 7, 95 - 14 + 28)), 0),
              0u);
    EXPECT_EQ(sheet_test::Glyphs(dc).size(), 7u);
    const auto texts = sheet_test::Texts(dc);
    EXPECT_EQ(texts[0], "SELEMENTAIRE DOEK");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Collettivit\xE0"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Sentimento"), texts.end());

    RecordingSurface season{testing_support::DrawingStateOfTest()};
    display::DrawSeasonCloth(season, c, 46, 233);
    // Summer (column 2): cardinal 1, fixed 1, mutable 5; the summer total 7.
    EXPECT_EQ(CallOf(season, "5")
                  .rfind(At(display::MapPoint(testing_support::DrawingStateOfTest(), 46 - 13 + 14, 233 - 14 + 7)), 0),
              0u);
    EXPECT_EQ(CallOf(season, "7")
                  .rfind(At(display::MapPoint(testing_support::DrawingStateOfTest(), 46 - 13 + 21, 233 - 14 + 7)), 0),
              0u);
    EXPECT_EQ(sheet_test::Glyphs(season).size(), 4u);
}

TEST_F(SheetGrids, HumoralGridsTurnElementsIntoQualities) {
    auto& c = testing_support::CurrentChartOfTest().chart;
    const engine::Real fire[8] = {0, 10, 130, 250, 20, 140, 260, 5};  // Aries, Leo, Sagittarius
    for (int p = 1; p <= 7; ++p) wheel_test::SetWheelPoint(c, p, fire[p]);
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawElementalHumoralGrid(dc, c, 50, 160);
    // Fire row (2): e = 7 at (L + 20, T + 8); hot (row 1) 7 at (L + 34, T + 1), dry (row 4) 7.
    const engine::Real left = 50 - 27, top = 160 - 15;
    const auto texts = sheet_test::Texts(dc);
    auto count = [&](const std::string& t) { return std::count(texts.begin(), texts.end(), t); };
    EXPECT_EQ(count("7"), 3);
    EXPECT_EQ(count("0"), 5);
    const auto calls = dc.Calls("text");
    for (const auto& [x, y] : {std::pair{left + 20, top + 8}, {left + 34, top + 1}, {left + 34, top + 22}}) {
        const std::string want = At(display::MapPoint(testing_support::DrawingStateOfTest(), x, y));
        EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [&](const std::string& c) {
            return c.rfind(want, 0) == 0 && c.find("'7'") != std::string::npos;
        })) << want;
    }
    RecordingSurface season{testing_support::DrawingStateOfTest()};
    display::DrawSeasonalHumoralGrid(season, c, 50, 300);
    const auto st = sheet_test::Texts(season);
    // Aries (3 planets) air, Leo (2) fire, Sagittarius (2) earth: e = 3, 2, 2, 0; q = 5, 3, 2, 4.
    const std::vector<std::string> numbers(st.end() - 8, st.end());
    EXPECT_EQ(numbers, (std::vector<std::string>{"3", "5", "2", "3", "2", "2", "0", "4"}));
    EXPECT_EQ(st[1], "(Seizoensgebonden)");
}

TEST_F(SheetGrids, AffinityChordsTurnWithTheWholeDegreeAscendant) {
    engine::Chart& chart = testing_support::CurrentChartOfTest().chart;
    chart.cusps[1] = 0;
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawSheetAffinityFigures(dc, 1, chart.cusps[1], {.centre = {173, 105}, .radius = 34.5L});
    const auto lines = dc.Calls("line");
    ASSERT_EQ(lines.size(), 6u);  // the six solid chords; the dotted ones are dots
    const auto a = display::MapPoint(testing_support::DrawingStateOfTest(), 140, 114),
               b = display::MapPoint(testing_support::DrawingStateOfTest(), 206, 96);
    EXPECT_EQ(lines[0].rfind("line " + std::to_string(a.x) + "," + std::to_string(a.y) + " " + std::to_string(b.x) +
                                 "," + std::to_string(b.y) + " pen=solid/",
                             0),
              0u);
    EXPECT_NE(lines[0].find("#C4C824"), std::string::npos);
    EXPECT_GT(dc.Calls("ellipse").size(), 6u * 10);
    chart.cusps[1] = 0.4L;
    RecordingSurface same{testing_support::DrawingStateOfTest()};
    display::DrawSheetAffinityFigures(same, 1, chart.cusps[1], {.centre = {173, 105}, .radius = 34.5L});
    EXPECT_EQ(same.log, dc.log);
    RecordingSurface quads{testing_support::DrawingStateOfTest()};
    display::DrawSheetAffinityFigures(quads, 2, chart.cusps[1], {.centre = {173, 105}, .radius = 34.5L});
    const auto q = quads.Calls("line");
    ASSERT_EQ(q.size(), 12u);
    for (int f = 0; f < 3; ++f) {
        // Each chord starts where the one before it ended, the fourth ends where the first began.
        auto ends = [](const std::string& l) {
            std::istringstream in(l.substr(5));
            std::string from, to;
            in >> from >> to;
            return std::pair{from, to};
        };
        for (int k = 1; k < 4; ++k) EXPECT_EQ(ends(q[4 * f + k]).first, ends(q[4 * f + k - 1]).second);
        EXPECT_EQ(ends(q[4 * f + 3]).second, ends(q[4 * f]).first);
    }
    RecordingSurface none{testing_support::DrawingStateOfTest()};
    display::DrawSheetAffinityFigures(none, 3, chart.cusps[1], {.centre = {173, 105}, .radius = 34.5L});
    EXPECT_TRUE(none.Calls("line").empty());
}

}  // namespace
