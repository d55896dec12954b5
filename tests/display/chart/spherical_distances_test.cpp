// The spherical distances of the fixed person: distances with and without
// latitudes, the node pair at exactly 180 degrees, the aspect marks of a
// cell, and the table's cells and places.
#include <gtest/gtest.h>

#include <cmath>

#include "archive/current_chart.h"
#include "display/chart/spherical_distances.h"
#include "display/draw/glyphs.h"
#include "display/wheel/wheel_points.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_person.h"

namespace {

using display::SphericalDistance;

TEST(SphericalDistance, LatitudesCountAndOppositesStayFinite) {
    EXPECT_NEAR(SphericalDistance(15.25L, 0, 350, 0), 25.25L, 1e-9);
    EXPECT_NEAR(SphericalDistance(100, 3, 100, -2), 5, 1e-9);
    EXPECT_NEAR(SphericalDistance(0, 30, 90, 0), 90, 1e-9);
    // Opposite points: the cosine may come out a hair below -1.
    for (engine::Real l : {0.0L, 80.0L, 123.456789L, 260.1L, 359.99L}) {
        const engine::Real d = SphericalDistance(l, 0, l + 180, 0);
        EXPECT_FALSE(std::isnan(static_cast<double>(d)));
        EXPECT_NEAR(d, 180, 1e-9);
    }
    EXPECT_NEAR(SphericalDistance(10, 90, 200, -90), 180, 1e-9);
}

using SphericalGrid = view_test::FixedPersonWithGlyphs;

TEST_F(SphericalGrid, CellsOfEveryPairButAscendantAndMidheaven) {
    const auto d =
        display::EvaluateSphericalDistances(display::WheelPointLongitudes(testing_support::CurrentChartOfTest().chart),
                                            display::WheelPointLatitudes(testing_support::CurrentChartOfTest().chart),
                                            testing_support::CurrentChartOfTest().orbs, 0, 0);
    ASSERT_EQ(d.cells.size(), 54u);
    for (const auto& c : d.cells) EXPECT_FALSE(c.first == 10 && c.second == 11);
    // The nodes (260 and 80): an opposition, never NaN.
    for (const auto& c : d.cells)
        if (c.first == 8 && c.second == 9) {
            EXPECT_EQ(c.text, "180.0");
            EXPECT_TRUE(c.hard);
            EXPECT_FALSE(c.soft);
        }
    // Sun 15.25 and Venus 350: 25.25 degrees, no aspect with orbs 8, 6, 7, 7, 8.
    for (const auto& c : d.cells)
        if (c.first == 1 && c.second == 4) {
            EXPECT_EQ(c.text, "25.25");
            EXPECT_FALSE(c.hard || c.soft || c.conjunction);
        }
}

// Each aspect mark reads its own orb: with a different orb for each aspect, a
// distance just inside one aspect's orb and one just outside it tell them apart.
TEST(SphericalDistanceOrbs, EachAspectTakesItsOwnOrb) {
    engine::OrbRecord orbs;
    orbs.aspectOrbs = {};
    orbs.aspectOrbs[0] = 1, orbs.aspectOrbs[1] = 2, orbs.aspectOrbs[2] = 3, orbs.aspectOrbs[3] = 5,
    orbs.aspectOrbs[4] = 9;  // conjunction, sextile, square, trine, opposition
    display::WheelPointArray lon{}, lat{};
    const engine::Real distance[12] = {0, 0, 188, 124, 92.5L, 61.5L, 125.5L, 170.5L, 0.5L, 93.5L, 62.5L, 1.5L};
    for (int i = 1; i <= 11; ++i) lon[display::ChartPointOfNumber(i)] = distance[i];
    const auto d = display::EvaluateSphericalDistances(lon, lat, orbs, 0, 0);
    struct Marks {
        bool hard, soft, conjunction;
    };
    const Marks expected[12] = {{},
                                {},
                                {true, false, false},    // opposition 8 off
                                {false, true, false},    // trine 4 off
                                {true, false, false},    // square 2.5 off
                                {false, true, false},    // sextile 1.5 off
                                {false, false, false},   // 5.5 from the trine
                                {false, false, false},   // 9.5 from the opposition
                                {false, false, true},    // 0.5: a conjunction
                                {false, false, false},   // 3.5 from the square
                                {false, false, false},   // 2.5 from the sextile
                                {false, false, false}};  // 1.5: beyond the conjunction's orb
    int seen = 0;
    for (const auto& c : d.cells) {
        if (c.first != 1) continue;
        ++seen;
        const Marks& e = expected[c.second];
        EXPECT_EQ(c.hard, e.hard) << c.second;
        EXPECT_EQ(c.soft, e.soft) << c.second;
        EXPECT_EQ(c.conjunction, e.conjunction) << c.second;
    }
    EXPECT_EQ(seen, 10);  // the Sun with every other point, the Midheaven last
}

TEST_F(SphericalGrid, ACellWithinSeveralOrbsTakesTheColourOfTheLastRule) {
    display::SphericalDistanceCell c;
    c.x = 0;
    c.y = 0;
    c.text = "75.00";
    c.hard = c.soft = true;
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawSphericalDistanceCell(dc, c);
    // Two underlines at y = -13u + 4.8, from 14u - 4.6 to 14u + 2.9.
    const auto lines = dc.Calls("line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 19), "line 13,-7 88,-7 pe");
    EXPECT_NE(lines[0], lines[1]);  // red, then cyan
    const auto texts = dc.Calls("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("color=#00FFFF '75.00'"), std::string::npos);
    c.conjunction = true;
    dc.Clear();
    display::DrawSphericalDistanceCell(dc, c);
    EXPECT_NE(dc.Calls("text")[0].find("color=#FFFF00"), std::string::npos);
    c.hard = c.soft = c.conjunction = false;
    dc.Clear();
    display::DrawSphericalDistanceCell(dc, c);
    EXPECT_NE(dc.Calls("text")[0].find("color=#808080"), std::string::npos);
    EXPECT_TRUE(dc.Calls("line").empty());
}

TEST_F(SphericalGrid, GridWithTitleGlyphsAndCells) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawSphericalDistanceGrid(dc, testing_support::CurrentChartOfTest(),
                                       display::WheelPointLongitudes(testing_support::CurrentChartOfTest().chart), 0,
                                       0);
    const auto t = view_test::Texts(dc);
    ASSERT_EQ(t.size(), 2u + 54u);
    EXPECT_EQ(t[0], "344,29 'SFERISCHE'");  // (82u, 7u)
    EXPECT_EQ(t[1], "412,80 'AFSTANDEN'");  // (110u - 5, 19u)
    EXPECT_EQ(t[2].substr(0, 5), "89,8 ");  // the pair Sun-Moon: (31u - 4.1, 0.8)
    EXPECT_EQ(dc.Calls("metafile").size(), 8u + 2u + 9u);
    // The left border from y0 down to 120u, and the last row line across nine columns.
    EXPECT_EQ(view_test::Containing(dc, "line 80,0 80,504 ").size(), 1u);
    EXPECT_EQ(view_test::Containing(dc, "line 80,504 836,504 ").size(), 1u);
}

}  // namespace
