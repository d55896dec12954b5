// The coordinate tables of the fixed person: rows 5 units apart from their
// start offsets, glyph and value of each row, the captions, and the nodes'
// latitude shown as zero.
#include <gtest/gtest.h>

#include "archive/current_chart.h"
#include "display/chart/coordinate_tables.h"
#include "display/draw/glyphs.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_person.h"

namespace {

using view_test::Texts;

using CoordinateTables = view_test::FixedPersonWithGlyphs;

TEST_F(CoordinateTables, RelativeLongitudes) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawRelativeLongitudes(dc, testing_support::CurrentChartOfTest().chart);
    const auto t = Texts(dc);
    ASSERT_EQ(t.size(), 12u);
    // Row 1 at y = 100 - 21, its text at (100 + 5 - 14, 79 - 1.5); row 11 fifty units lower.
    EXPECT_EQ(t[0],
              "910,775 '15\xB0"
              "15' Ram '");
    EXPECT_EQ(t[5],
              "910,1025 '20\xB0"
              "06' Weegschaal '");
    EXPECT_EQ(t[10].substr(0, 10), "910,1275 '");
    EXPECT_EQ(t[11], "1000,690 '[Relatieve Lengtegraden]'");
    // Glyphs of size 4 centred at x 87: the Sun's square 85..89.
    const auto m = dc.Calls("metafile");
    ASSERT_EQ(m.size(), 11u);
    EXPECT_EQ(m[0].substr(0, 25), "metafile 850,770 890,810 ");
}

TEST_F(CoordinateTables, AbsoluteLongitudesAndLatitudes) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawAbsoluteLongitudes(dc, testing_support::CurrentChartOfTest().chart);
    auto t = Texts(dc);
    ASSERT_EQ(t.size(), 12u);
    EXPECT_EQ(t[0], "950,765 '15.25000'");
    EXPECT_EQ(t[3], "950,915 '350.0000'");
    EXPECT_EQ(t[11], "1000,690 '[Absolute Lengtegraden]'");

    auto& c = testing_support::CurrentChartOfTest().chart;
    // Uranus and Neptune, whose places the nodes take in this table, have latitudes.
    c.bodies[engine::Body::Uranus].latitude = 4.5;
    c.bodies[engine::Body::Neptune].latitude = -4.5;
    c.bodies[engine::Body::Moon].latitude = -5.25;
    dc.Clear();
    display::DrawLatitudes(dc, testing_support::CurrentChartOfTest().chart);
    t = Texts(dc);
    ASSERT_EQ(t.size(), 10u);  // the Sun to the south node, then the caption
    EXPECT_EQ(t[0], "930,785 '00\xB0 00' Noord'");
    EXPECT_EQ(t[1], "930,835 '05\xB0 15' Zuid '");
    EXPECT_EQ(t[7].substr(t[7].find('\'')), t[0].substr(t[0].find('\'')));  // the nodes as the Sun: 0
    EXPECT_EQ(t[8].substr(t[8].find('\'')), t[0].substr(t[0].find('\'')));
    EXPECT_NE(t[1].substr(t[1].find('\'')), t[0].substr(t[0].find('\'')));
    EXPECT_EQ(engine::PointLatitudesOf(c)[7], 0);
    EXPECT_EQ(t[9], "1000,690 '[Breedtegraden]'");
}

TEST_F(CoordinateTables, EngineOrderLongitudesNameTheirBodies) {
    testing_support::CurrentChartOfTest().chart.bodies[engine::Body::BlackMoon].longitude = 200;
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawEngineOrderLongitudes(dc, testing_support::CurrentChartOfTest().chart);
    const auto t = Texts(dc);
    ASSERT_EQ(t.size(), 24u);  // value and name of twelve bodies, no caption
    EXPECT_EQ(t[1], "910,685 'Sole'");
    EXPECT_EQ(t[22].substr(0, 10), "990,1235 '");
    EXPECT_EQ(t[23], "910,1235 'Luna Nera'");
    // Glyph files by body number: the node is file 11.
    EXPECT_EQ(display::EvaluateEngineOrderLongitudes(testing_support::CurrentChartOfTest().chart, 100, 100)
                  .rows[10]
                  .glyphFile,
              11);
    EXPECT_EQ(
        display::EvaluateRelativeLongitudes(testing_support::CurrentChartOfTest().chart, 100, 100).rows[8].glyphFile,
        13);
}

}  // namespace
