// The sheet wheel of the fixed person on a recording surface: sign rings with
// their glyphs and decan rulers, the house ring's ticks and numerals, the
// angles, the spreading of crowded glyphs and the aspect wedges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/sheets/sheet_wheel.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "engine/engine_settings.h"
#include "platform/gui/message_box.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/sheets/sheet_person.h"

namespace {

using display::MapPoint;
using display::Point;
using display::RecordingSurface;
using sheet_test::Box;

class SheetWheel : public ::testing::Test {
protected:
    void SetUp() override {
        sheet_test::SetSheetPerson();
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco"});
    }
    // The glyph centred on the page point, of the side given, if any was drawn.
    static const Box* GlyphAt(const std::vector<Box>& boxes, const display::GlyphPlace& place) {
        const Point m = MapPoint(testing_support::DrawingStateOfTest(), place.x, place.y);
        const int s = 2 * display::ScaleLength(testing_support::DrawingStateOfTest(), place.size / 2);
        for (const Box& b : boxes)
            if (std::abs(b.Cx() - m.x) <= 1 && std::abs(b.Cy() - m.y) <= 1 && b.right - b.left == s) return &b;
        return nullptr;
    }
    static bool HasLine(const RecordingSurface& dc, Point a, Point b) {
        const std::string want = "line " + std::to_string(a.x) + "," + std::to_string(a.y) + " " + std::to_string(b.x) +
                                 "," + std::to_string(b.y) + " ";
        for (const std::string& l : dc.Calls("line"))
            if (l.compare(0, want.size(), want) == 0) return true;
        return false;
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(SheetWheel, AscendantAtZeroPutsAriesBelowTheLeftHorizonAndPiscesAboveIt) {
    engine::Chart& chart = testing_support::CurrentChartOfTest().chart;
    chart.cusps[1] = 0;
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const display::Real glyphScale =
        display::DrawSheetSignRing(dc, "M", {.centre = {173, 105}, .outerRadius = 67, .innerRadius = 57}, 7,
                                   chart.cusps[1]);
    const auto boxes = sheet_test::Glyphs(dc);
    // Aries 15 degrees below the left end of the horizon (radius 62): (113.112, 121.047).
    const Box* aries = GlyphAt(boxes, {113.1119, 121.0469, 7});
    ASSERT_NE(aries, nullptr);
    EXPECT_EQ(aries->size, sheet_test::FileSize("Zodiaco/SegM01.emf"));
    const Box* pisces = GlyphAt(boxes, {113.1119, 88.9531, 7});
    ASSERT_NE(pisces, nullptr);
    EXPECT_EQ(pisces->size, sheet_test::FileSize("Zodiaco/SegM12.emf"));
    // The Aries boundary lies on the horizon, from the band's edge (72) to the inner circle (57).
    EXPECT_TRUE(HasLine(dc, MapPoint(testing_support::DrawingStateOfTest(), 101, 105),
                        MapPoint(testing_support::DrawingStateOfTest(), 116, 105)));
    // A decan tick at 10 degrees of wheel angle from 72 to 64.
    const auto p72 = display::WheelPoint({173, 105}, 72, 10), p64 = display::WheelPoint({173, 105}, 64, 10);
    EXPECT_TRUE(HasLine(dc, MapPoint(testing_support::DrawingStateOfTest(), p72.x, p72.y),
                        MapPoint(testing_support::DrawingStateOfTest(), p64.x, p64.y)));
    // Decan rulers at radius 69.5: 5 Aries (Mars), 5 before Aries (last Pisces decan, Mars),
    // 15 before (middle Pisces decan, Jupiter).
    const auto r1 = display::WheelPoint({173, 105}, 69.5L, -5), r2 = display::WheelPoint({173, 105}, 69.5L, 5),
               r3 = display::WheelPoint({173, 105}, 69.5L, 15);
    ASSERT_NE(GlyphAt(boxes, {r1.x, r1.y, 3.5}), nullptr);
    EXPECT_EQ(GlyphAt(boxes, {r1.x, r1.y, 3.5})->size, sheet_test::FileSize("Simboli/PiaX05.emf"));
    EXPECT_EQ(GlyphAt(boxes, {r2.x, r2.y, 3.5})->size, sheet_test::FileSize("Simboli/PiaX05.emf"));
    EXPECT_EQ(GlyphAt(boxes, {r3.x, r3.y, 3.5})->size, sheet_test::FileSize("Simboli/PiaX06.emf"));
    // Thirteen boundaries (a full turn and Aries again) and 36 decan rulers.
    EXPECT_EQ(boxes.size(), 13u + 36u);
    EXPECT_EQ(glyphScale, 0.5L);
    EXPECT_TRUE(sink_.messages.empty());
    EXPECT_EQ(display::DecanRuler(0), 5);
    EXPECT_EQ(display::DecanRuler(35), 5);  // the third decan of Pisces
    EXPECT_EQ(display::DecanRuler(12), 7);  // the first decan of Leo: Saturn
}

TEST_F(SheetWheel, AscendantWithAFractionFindsAriesAtThatAngle) {
    engine::Chart& chart = testing_support::CurrentChartOfTest().chart;
    chart.cusps[1] = 12.5L;
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const display::Real aries =
        display::DrawSheetSignRingPlain(dc, "M", {.centre = {173, 105}, .outerRadius = 65, .innerRadius = 55}, 7,
                                        chart.cusps[1]);
    const auto a = display::WheelPoint({173, 105}, 65, 12.5L), b = display::WheelPoint({173, 105}, 55, 12.5L);
    EXPECT_TRUE(HasLine(dc, MapPoint(testing_support::DrawingStateOfTest(), a.x, a.y),
                        MapPoint(testing_support::DrawingStateOfTest(), b.x, b.y)));
    // The plain ring has the thirteen sign glyphs only; the horizon marks start at the ring.
    EXPECT_EQ(sheet_test::Glyphs(dc).size(), 13u);
    EXPECT_TRUE(HasLine(dc, MapPoint(testing_support::DrawingStateOfTest(), 108, 105),
                        MapPoint(testing_support::DrawingStateOfTest(), 98, 105)));
    EXPECT_EQ(aries, 12.5L + 360);
}

TEST_F(SheetWheel, HouseRingHasSixtyTicksAndTwelveNumerals) {
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawSheetHouseRing(dc, testing_support::CurrentChartOfTest().chart.cusps,
                                {.centre = {173, 105}, .outerRadius = 41, .innerRadius = 35});
    int cyan = 0;
    for (const std::string& l : dc.Calls("line")) cyan += l.find("#00FFFF") != std::string::npos;
    EXPECT_EQ(cyan, 60);
    const auto t0 = display::WheelPoint({173, 105}, 41, 15), t1 = display::WheelPoint({173, 105}, 44, 15);
    EXPECT_TRUE(HasLine(dc, MapPoint(testing_support::DrawingStateOfTest(), t0.x, t0.y),
                        MapPoint(testing_support::DrawingStateOfTest(), t1.x, t1.y)));
    const auto texts = sheet_test::Texts(dc);
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[0], "I");
    EXPECT_EQ(texts[1], "VII");
    EXPECT_EQ(texts[10], "VI");
    EXPECT_EQ(texts[11], "XII");
    // "I" 5 degrees inside the first house at radius 38: (135.58, 98.40) rounded, 2 higher.
    const Point i = MapPoint(testing_support::DrawingStateOfTest(), 136, 96),
                vii = MapPoint(testing_support::DrawingStateOfTest(), 210, 110);
    EXPECT_EQ(dc.Calls("text")[0].substr(0, 5 + std::to_string(i.x).size() + 1 + std::to_string(i.y).size()),
              "text " + std::to_string(i.x) + "," + std::to_string(i.y));
    EXPECT_EQ(dc.Calls("text")[1].substr(0, 5 + std::to_string(vii.x).size() + 1 + std::to_string(vii.y).size()),
              "text " + std::to_string(vii.x) + "," + std::to_string(vii.y));
    EXPECT_EQ(dc.Calls("arc").size(), 3u);  // three circles inside radius 70
}

TEST_F(SheetWheel, AnglesShowTheMidheavenAndHouseEndsOnlyForMediumHouses) {
    engine::Chart& chart = testing_support::CurrentChartOfTest().chart;
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawSheetAngles(dc, chart, {.centre = {173, 105}, .radius = 65});
    EXPECT_EQ(sheet_test::Texts(dc), (std::vector<std::string>{"10\xB0"
                                                               "30'",
                                                               "AS", "MC",
                                                               "28\xB0"
                                                               "00'"}));
    EXPECT_EQ(dc.Calls("ellipse").size(), 2u + 12u);
    RecordingSurface other{testing_support::DrawingStateOfTest()};
    chart.settings.houseSystem = engine::ParseHouseSystem("PLACIDO");
    display::DrawSheetAngles(other, chart, {.centre = {173, 105}, .radius = 65});
    EXPECT_EQ(sheet_test::Texts(other).size(), 2u);
    EXPECT_EQ(other.Calls("ellipse").size(), 1u);
    EXPECT_EQ(other.State().pen, display::Pen{});
    EXPECT_EQ(other.State().brush, display::Brush{});
}

TEST_F(SheetWheel, CrowdedGlyphsAreSpreadAndMovedBack) {
    display::SheetRingAngles a{};
    a[0] = 100, a[1] = 101, a[2] = 102;
    auto s = display::SpreadSheetAngles(3, a, 10);
    EXPECT_NEAR(s[0], 91, 1e-4);
    EXPECT_NEAR(s[1], 101, 1e-4);
    EXPECT_NEAR(s[2], 111, 1e-4);
    // Ten degrees apart is crowded too, set to exactly ten: nothing moves.
    a = {};
    a[0] = 50, a[1] = 60;
    s = display::SpreadSheetAngles(2, a, 10);
    EXPECT_NEAR(s[0], 50, 1e-4);
    EXPECT_NEAR(s[1], 60, 1e-4);
    // Nine bodies within eight degrees: 80 degrees wide, moved back by half of the last push (36).
    a = {};
    for (int k = 1; k <= 9; ++k) a[k - 1] = 100 + (k - 1);
    s = display::SpreadSheetAngles(9, a, 10);
    for (int k = 1; k <= 9; ++k) EXPECT_NEAR(s[k - 1], 64 + 10 * (k - 1), 1e-4) << k;
    s = display::SpreadSheetAngles(9, a, 8);
    for (int k = 1; k <= 9; ++k) EXPECT_NEAR(s[k - 1], 100 - 28 + 8 * (k - 1), 1e-4) << k;
}

TEST_F(SheetWheel, PlanetRingDrawsEveryBodyWithItsDegreesAndRetrogradeMarks) {
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const auto& c = testing_support::CurrentChartOfTest().chart;
    display::DrawSheetPlanetRing(dc, display::WheelPointLongitudes(c), display::WheelPointRetroMarks(c), 9,
                                 {.centre = {173, 105}, .outerRadius = 57, .innerRadius = 44}, c.cusps[1]);
    const auto boxes = sheet_test::Glyphs(dc);
    ASSERT_EQ(boxes.size(), 9u);
    // Mercury (80.5) and the Sun (85.25) crowd: pushed to 10 apart and moved back by
    // 2.625, the Sun to 87.875; its glyph at radius 50.5, 1.5 higher.
    const auto g = display::WheelPoint({173, 105}, 50.5L, 87.875L);
    const Point m = MapPoint(testing_support::DrawingStateOfTest(), g.x, g.y - 1.5L);
    EXPECT_NEAR(boxes[0].Cx(), m.x, 1);
    EXPECT_NEAR(boxes[0].Cy(), m.y, 1);
    EXPECT_EQ(boxes[0].size, sheet_test::FileSize("Simboli/PiaX01.emf"));
    EXPECT_EQ(boxes[8].size, sheet_test::FileSize("Simboli/PiaX13.emf"));  // the south node
    const auto texts = sheet_test::Texts(dc);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "r"), 2);  // Mercury "r", Saturn "R"
    EXPECT_EQ(texts[0],
              "15\xB0"
              "15'");
    EXPECT_EQ(dc.Calls("ellipse").size(), 18u);  // two tick dots per body
    RecordingSurface plain{testing_support::DrawingStateOfTest()};
    display::DrawSheetPlanetRingPlain(plain, display::WheelPointLongitudes(c), display::WheelPointRetroMarks(c), 9,
                                      {.centre = {173, 105}, .outerRadius = 55, .innerRadius = 44}, c.cusps[1]);
    EXPECT_EQ(sheet_test::Texts(plain).size(), 2u);  // only the retrograde marks
}

TEST_F(SheetWheel, AspectsPairPlanetsAndAnglesButNotTheAnglesWithEachOther) {
    display::WheelPointArray lon{};
    lon[engine::ChartPoint::Sun] = 10;
    lon[engine::ChartPoint::Moon] = 190;     // opposite, exact
    lon[engine::ChartPoint::Mercury] = 131;  // trine the Sun, 1 degree off
    lon[engine::ChartPoint::Venus] = 12;     // conjunct the Sun, not drawn
    lon[engine::ChartPoint::Mars] = 300;
    lon[engine::ChartPoint::Jupiter] = 240;
    lon[engine::ChartPoint::Saturn] = 45;
    std::array<engine::Real, 16> orbs{};
    orbs[0] = 8, orbs[1] = 6, orbs[2] = 7, orbs[3] = 7, orbs[4] = 8;
    const auto found = display::EvaluateSheetAspects(lon, 100, 10, orbs);
    using A = display::SheetAspect;
    EXPECT_NE(std::find(found.begin(), found.end(), A{0, 1, true, 0}), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), A{0, 2, false, 1}), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), A{0, 7, true, 0}), found.end());  // Sun square Asc
    for (const A& a : found) {
        EXPECT_FALSE(a.first == 0 && a.second == 3);  // a conjunction
        EXPECT_FALSE(a.first == 0 && a.second == 8);  // the Sun on the Midheaven
        EXPECT_LE(a.first, 6);
    }
}

// Every aspect is found with its own orb: with a different orb for each of
// them, a pair just inside one aspect's orb and one just outside it show
// which slot each aspect reads.
TEST_F(SheetWheel, EachAspectTakesItsOwnOrb) {
    std::array<engine::Real, 16> orbs{};
    orbs[0] = 1, orbs[1] = 2, orbs[2] = 3, orbs[3] = 5, orbs[4] = 9;  // conj., sextile, square, trine, opposition
    display::WheelPointArray lon{};
    lon[engine::ChartPoint::Sun] = 0;
    lon[engine::ChartPoint::Moon] = 188;        // opposition 8 off (inside 9 only)
    lon[engine::ChartPoint::Mercury] = 124;     // trine 4 off (inside 5 and 9)
    lon[engine::ChartPoint::Venus] = 92.5L;     // square 2.5 off (inside 3, 5 and 9)
    lon[engine::ChartPoint::Mars] = 61.5L;      // sextile 1.5 off (inside every orb but the conjunction's)
    lon[engine::ChartPoint::Jupiter] = 125.5L;  // 5.5 from the trine: none
    lon[engine::ChartPoint::Saturn] = 170.5L;   // 9.5 from the opposition: none
    const auto found = display::EvaluateSheetAspects(lon, 200, 230, orbs);
    std::vector<display::SheetAspect> withSun;
    for (const auto& a : found)
        if (a.first == 0) withSun.push_back(a);
    using A = display::SheetAspect;
    EXPECT_EQ(withSun, (std::vector<A>{{0, 1, true, 8}, {0, 2, false, 4}, {0, 3, true, 2}, {0, 4, false, 2}}));
}

TEST_F(SheetWheel, ExactAspectIsTheWidestWedge) {
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
    testing_support::DrawingStateOfTest().pixelsPerUnit = 10;
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawAspectWedge(dc, 0, 0, 0, 40, 0);
    ASSERT_EQ(dc.Calls("polygon").size(), 1u);
    EXPECT_EQ(dc.Calls("polygon")[0], "polygon 0,0 80,19 320,19 400,0 320,-19 80,-19 winding");
    EXPECT_EQ(dc.State().polyFillMode, display::kAlternate);
    dc.Clear();
    display::DrawAspectWedge(dc, 4, 40, 0, 0, 0);  // ends swapped, narrower: w = 0.4167
    EXPECT_EQ(dc.Calls("polygon")[0], "polygon 0,0 80,4 320,4 400,0 320,-4 80,-4 winding");
}

TEST_F(SheetWheel, AspectBlockDrawsWedgesOrLinesAndRestoresTheSurface) {
    archive::CurrentChart& current = testing_support::CurrentChartOfTest();
    const auto& c = current.chart;
    RecordingSurface wedges{testing_support::DrawingStateOfTest()}, lines{testing_support::DrawingStateOfTest()};
    display::DrawSheetAspects(wedges, c, current.orbs.aspectOrbs, 0, {.centre = {173, 105}, .radius = 32});
    display::DrawSheetAspects(lines, c, current.orbs.aspectOrbs, 1, {.centre = {173, 105}, .radius = 32});
    const auto expected = display::EvaluateSheetAspects(display::WheelPointLongitudes(c), c.cusps[1],
                                                        c.points.midheaven, current.orbs.aspectOrbs);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(wedges.Calls("polygon").size(), expected.size());
    int hard = 0;
    for (const auto& a : expected) hard += a.hard;
    EXPECT_EQ(lines.Calls("polygon").size(), 0u);
    EXPECT_GT(lines.Calls("ellipse").size(), 0u);  // the dotted hard aspects
    (void)hard;
    for (const RecordingSurface* dc : {&wedges, &lines}) {
        EXPECT_EQ(dc->State().pen, display::Pen{});
        EXPECT_EQ(dc->State().brush, display::Brush{});
        EXPECT_FALSE(testing_support::DrawingStateOfTest().currentPen.has_value());
    }
}

}  // namespace
