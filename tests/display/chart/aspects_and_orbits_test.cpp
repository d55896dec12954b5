// The grid of aspects and orbits and the aspect list of the aspect memo:
// which aspect a distance takes, the glyph and deviation written in a cell,
// and the lines of the list.
#include <gtest/gtest.h>

#include <algorithm>

#include "archive/current_chart.h"
#include "display/chart/aspect_list.h"
#include "display/chart/aspects_and_orbits.h"
#include "display/draw/recording_surface.h"
#include "platform/gui/message_box.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using display::AspectGridCell;
using view_test::TextAt;

class AspectsAndOrbits : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        auto& o = testing_support::CurrentChartOfTest().orbs.aspectOrbs;
        o = {};
        o[0] = 8;   // conjunction
        o[1] = 6;   // sextile
        o[2] = 7;   // square
        o[3] = 7;   // trine
        o[4] = 8;   // opposition
        o[5] = 2;   // semi-sextile
        o[8] = 2;   // semi-square
        o[10] = 2;  // quintile
        o[11] = 2;  // sesquiquadrate
        o[12] = 2;  // biquintile
        o[13] = 3;  // quincunx
    }
    static const AspectGridCell* Cell(const display::AspectGrid& g, int column, int row) {
        auto it = std::find_if(g.cells.begin(), g.cells.end(),
                               [&](const AspectGridCell& c) { return c.column == column && c.row == row; });
        return it == g.cells.end() ? nullptr : &*it;
    }
    static std::vector<std::string> List() {
        return display::EvaluateAspectList(testing_support::CurrentChartOfTest().chart,
                                           testing_support::CurrentChartOfTest().orbs);
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

// The longitudes a test sets; the south node lies opposite the north node.
struct TestLongitudes {
    long double sun, moon, mercury, venus, mars, jupiter, saturn, node, asc, mc;
};

// Eleven points: Sun .. Saturn, north node, south node (node + 180), Ascendant, Midheaven.
void SetChart(const TestLongitudes& l) {
    long double v[12] = {0,         l.sun,    l.moon, l.mercury,    l.venus, l.mars,
                         l.jupiter, l.saturn, l.node, l.node + 180, l.asc,   l.mc};
    for (int i = 1; i <= 11; ++i)
        wheel_test::SetWheelPoint(testing_support::CurrentChartOfTest().chart, i, v[i] >= 360 ? v[i] - 360 : v[i]);
}

TEST_F(AspectsAndOrbits, FirstMatchingAspectWinsWithItsGlyphAndDeviation) {
    // Sun 0; Moon 150 (quincunx), Mercury 100 (square, 10 off: none), Venus 118.6 (trine, 1.4 off),
    // Mars 36 (decile: never shown), Jupiter 0 (conjunction, 0), Saturn 226 (134: sesquiquadrate 1 off).
    SetChart({0, 150, 100, 118.6L, 36, 0, 226, 300, 200, 275});
    const display::AspectGrid g = display::EvaluateAspectsAndOrbits(testing_support::CurrentChartOfTest().chart,
                                                                    testing_support::CurrentChartOfTest().orbs);
    ASSERT_TRUE(Cell(g, 1, 2));
    EXPECT_EQ(Cell(g, 1, 2)->glyph, 8);  // quincunx
    EXPECT_EQ(Cell(g, 1, 2)->deviation, 0);
    EXPECT_FALSE(Cell(g, 1, 3));
    EXPECT_EQ(Cell(g, 1, 4)->glyph, 4);  // trine
    EXPECT_EQ(Cell(g, 1, 4)->deviation, 1);
    EXPECT_FALSE(Cell(g, 1, 5));         // 36 degrees: decile is not in the grid
    EXPECT_EQ(Cell(g, 1, 6)->glyph, 1);  // conjunction
    EXPECT_EQ(Cell(g, 1, 6)->deviation, 0);
    EXPECT_EQ(Cell(g, 1, 7)->glyph, 6);  // 134 degrees: sesquiquadrate (135), before the trine
    // The two nodes: an exact opposition, deviation 00.
    EXPECT_EQ(Cell(g, 8, 9)->glyph, 5);
    EXPECT_EQ(Cell(g, 8, 9)->deviation, 0);
    // The Ascendant and the Midheaven have no column.
    EXPECT_TRUE(std::none_of(g.cells.begin(), g.cells.end(), [](const AspectGridCell& c) { return c.column > 9; }));
}

TEST_F(AspectsAndOrbits, OrbBoundariesAreStrictAndAZeroOrbDisables) {
    SetChart({0, 97, 53, 60, 200, 250, 280, 300, 330, 350});
    // Sun-Moon 97 = 90 + 7: exactly the square's orb, no aspect. Sun-Mercury 53 = 60 - 7: the
    // sextile's orb is 6, so no aspect either; Sun-Venus 60: sextile.
    display::AspectGrid g = display::EvaluateAspectsAndOrbits(testing_support::CurrentChartOfTest().chart,
                                                              testing_support::CurrentChartOfTest().orbs);
    EXPECT_FALSE(Cell(g, 1, 2));
    EXPECT_FALSE(Cell(g, 1, 3));
    EXPECT_EQ(Cell(g, 1, 4)->glyph, 2);
    testing_support::CurrentChartOfTest().orbs.aspectOrbs[1] = 0;
    g = display::EvaluateAspectsAndOrbits(testing_support::CurrentChartOfTest().chart,
                                          testing_support::CurrentChartOfTest().orbs);
    EXPECT_FALSE(Cell(g, 1, 4));
    // Deviation halves go to the even degree: 2.5 -> 2 and 1.5 -> 2.
    SetChart({0, 122.5L, 118.5L, 200, 210, 220, 230, 300, 330, 350});
    g = display::EvaluateAspectsAndOrbits(testing_support::CurrentChartOfTest().chart,
                                          testing_support::CurrentChartOfTest().orbs);
    EXPECT_EQ(Cell(g, 1, 2)->deviation, 2);
    EXPECT_EQ(Cell(g, 1, 3)->deviation, 2);
}

TEST_F(AspectsAndOrbits, GridCellShowsGlyphAndTwoDigitDeviation) {
    SetChart({0, 150, 100, 118.6L, 36, 0, 226, 300, 200, 275});
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const long double x = 62, y = 73;  // the chart window's corner: centre - (38, 27)
    display::DrawAspectsAndOrbits(dc,
                                  display::EvaluateAspectsAndOrbits(testing_support::CurrentChartOfTest().chart,
                                                                    testing_support::CurrentChartOfTest().orbs),
                                  " ", x, y);
    // Cell (1, 4): corner (x + 5, y + 9); the deviation "01" at (x + 10, y + 11) in size code 1.
    auto t = TextAt(dc, x + 8 - 3 + 5, y + 20 - 11 + 2);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->text, "01");
    // The nodes' cell (8, 9): "00".
    EXPECT_EQ(TextAt(dc, x + 64 - 3 + 5, y + 45 - 11 + 2)->text, "00");
    // The trine glyph's strokes around (cx + 3, cy + 3.7) = (x + 8, y + 12.7), size 1: its
    // apex 4 glyph units up (0.45 page units each).
    EXPECT_TRUE(view_test::LineBetween(dc, x + 8, y + 12.7L - 4 * 0.45L, x + 8 - 3 * 0.45L, y + 12.7L + 3 * 0.45L));
    // Titles in cyan, the staircase's left border, the last column line.
    EXPECT_EQ(TextAt(dc, x + 19, y)->text, "ASPECTEN & BANEN");
    EXPECT_EQ(TextAt(dc, x + 19, y)->colour, "#00FFFF");
    EXPECT_EQ(TextAt(dc, x + 30, y + 4.5L)->text, "op de ecliptica");
    EXPECT_TRUE(view_test::LineBetween(dc, x + 6, y, x + 6, y + 50));
    EXPECT_TRUE(view_test::LineBetween(dc, x + 78, y + 40, x + 78, y + 50));
    EXPECT_TRUE(view_test::LineBetween(dc, x + 6, y + 50, x + 78, y + 50));  // the eleventh row line
    // 10 row glyphs and 9 column glyphs.
    EXPECT_EQ(dc.Calls("metafile").size() + dc.Calls("rectangle").size(), 19u);

    display::RecordingSurface untitled{testing_support::DrawingStateOfTest()};
    display::DrawAspectsAndOrbits(untitled, {}, "NO", x, y);
    EXPECT_FALSE(view_test::HasText(untitled, "ASPECTEN & BANEN"));
    EXPECT_TRUE(untitled.Calls("text").empty());
}

// The last row of the grid is the eleventh point, the Midheaven: its aspects
// with the nine points of the columns, each in its own cell and glyph.
TEST_F(AspectsAndOrbits, TheMidheavenHasTheLastRow) {
    // Midheaven 275: Sun 0 (85, square 5 off), Moon 154 (121, trine 1 off), north node 273
    // (conjunction 2 off), south node 93 (182, opposition 2 off); Mercury 250 (25, none).
    SetChart({0, 154, 250, 200, 210, 220, 230, 273, 330, 275});
    const display::AspectGrid g = display::EvaluateAspectsAndOrbits(testing_support::CurrentChartOfTest().chart,
                                                                    testing_support::CurrentChartOfTest().orbs);
    const struct { int column, glyph, deviation; } expected[] = {{1, 3, 5}, {2, 4, 1}, {8, 1, 2}, {9, 5, 2}};
    for (const auto& e : expected) {
        const AspectGridCell* c = Cell(g, e.column, 11);
        ASSERT_TRUE(c) << e.column;
        EXPECT_EQ(c->glyph, e.glyph) << e.column;
        EXPECT_EQ(c->deviation, e.deviation) << e.column;
    }
    EXPECT_FALSE(Cell(g, 3, 11));
    // The Ascendant's row (10) is another: Ascendant 330 and Sun 0 are 30 apart (semi-sextile).
    ASSERT_TRUE(Cell(g, 1, 10));
    EXPECT_EQ(Cell(g, 1, 10)->glyph, 9);
    // Drawn in the staircase's last row: Moon's cell corner (x + 13, y + 44), its "01" 5 and 2 further.
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const long double x = 62, y = 73;
    display::DrawAspectsAndOrbits(dc, g, " ", x, y);
    ASSERT_TRUE(TextAt(dc, x + 13 + 5, y + 44 + 2));
    EXPECT_EQ(TextAt(dc, x + 13 + 5, y + 44 + 2)->text, "01");
    EXPECT_EQ(TextAt(dc, x + 5 + 5, y + 44 + 2)->text, "05");
    EXPECT_EQ(TextAt(dc, x + 69 + 5, y + 44 + 2)->text, "02");  // column 9, the south node
}

TEST_F(AspectsAndOrbits, AspectListLinesCutTheDeviation) {
    SetChart({10, 132.3468L, 300, 200, 250, 55, 280, 340, 190, 280});
    const std::vector<std::string> lines = List();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines.front(), "PLANETAIRE ASPECTEN");
    EXPECT_EQ(lines[1], "2.34   il Sole in Trigono con la Luna");
    EXPECT_EQ(lines[lines.size() - 3], "   ");
    EXPECT_EQ(lines[lines.size() - 2], "Het aspect is nauwkeuriger, hoe");
    EXPECT_EQ(lines.back(), "kleiner het getal dat eraan voorafgaat");
    // Never the nodes, whose opposition is exact.
    for (const std::string& l : lines)
        EXPECT_EQ(l.find("il Nodo Nord in Opposizione con il Nodo Sud"), std::string::npos);
}

TEST_F(AspectsAndOrbits, AspectListKeepsPointOrderAndListsTheAngles) {
    // Sun and Moon together; Ascendant and Midheaven square, 0.0512 off; a quincunx and a
    // decile never listed.
    SetChart({100, 100, 250, 136, 40, 41.5L, 43, 170, 200, 290.0512L});
    const std::vector<std::string> lines = List();
    const std::vector<std::string> body(lines.begin() + 1, lines.end() - 3);
    const std::vector<std::string> expected = {
        "0.00   il Sole in Congiunzione con la Luna",
        "0.05   l'Ascendente in Quadratura con il Mediocielo",
    };
    for (const std::string& e : expected) EXPECT_NE(std::find(body.begin(), body.end(), e), body.end()) << e;
    EXPECT_EQ(body.front(), expected.front());
    EXPECT_EQ(body.back(), expected.back());
    // Sun (100) and Mercury (250): 150 degrees, a quincunx: not in the list.
    for (const std::string& l : body)
        EXPECT_EQ(l.find("il Sole in") == 0 && l.find("Mercurio") != std::string::npos, false) << l;
    // Mars, Jupiter, Saturn close together: conjunctions with their deviations, cut.
    EXPECT_NE(std::find(body.begin(), body.end(), "1.50   Marte in Congiunzione con Giove"), body.end());
}

}  // namespace
