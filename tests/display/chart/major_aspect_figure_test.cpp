// The major-aspect figure: which pairs are joined and how exactly, the places
// of the points, the band's shape, and bands or lines by style.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "archive/current_chart.h"
#include "display/chart/major_aspect_figure.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/chart/view_person.h"

namespace {

using engine::Real;

// Orbs of one degree (the opposition 1.5); an almost exact opposition (3-4 at 178.9), an exact
// trine (3-5), an opposition within half a degree (1-2 at 179.6), a
// conjunction (6-7) and no other aspect.
display::WheelPointArray Points() {
    display::WheelPointArray l{};
    const Real v[11] = {0, 179.6L, 10, 188.9L, 250, 40, 40.5L, 305, 330, 103, 358};
    for (int i = 0; i < 11; ++i) l[i] = v[i];
    return l;
}

engine::OrbRecord OneDegree() {
    engine::OrbRecord o;
    for (int i = 0; i < 5; ++i) o.aspectOrbs[i] = 1;
    o.aspectOrbs[4] = 1.5L;
    return o;
}

TEST(MajorAspectFigure, PairsAndExactness) {
    const auto f =
        display::EvaluateMajorAspectFigure(Points(), 100.5L, OneDegree(), false, {.centre = {100, 100}, .radius = 30});
    EXPECT_EQ(f.count, 11);
    ASSERT_EQ(f.links.size(), 2u);
    EXPECT_EQ(f.links[0].first, 2);
    EXPECT_EQ(f.links[0].second, 3);
    EXPECT_EQ(f.links[0].aspect, 180);
    EXPECT_TRUE(f.links[0].hard);
    EXPECT_EQ(f.links[0].exactness, 1);
    EXPECT_EQ(f.links[1].second, 4);
    EXPECT_EQ(f.links[1].aspect, 120);
    EXPECT_FALSE(f.links[1].hard);
    EXPECT_EQ(f.links[1].exactness, 0);
    // Ascendant 100.5 rounds to 100: longitude 0 at wheel angle 100, on whole units.
    EXPECT_EQ(f.x[0], 105);
    EXPECT_EQ(f.y[0], 70);
    // In the engine's full order fourteen points.
    const auto g =
        display::EvaluateMajorAspectFigure(Points(), 100.5L, OneDegree(), true, {.centre = {100, 100}, .radius = 30});
    EXPECT_EQ(g.count, 14);
    EXPECT_EQ(g.x[11], 105);
}

TEST(MajorAspectFigure, BandWidthsAndCorners) {
    view_test::SetFixedPerson();
    EXPECT_NEAR(display::AspectBandHalfWidth(0), 1.8634, 1e-4);
    EXPECT_NEAR(display::AspectBandHalfWidth(1), 0.8333, 1e-4);
    EXPECT_NEAR(display::AspectBandHalfWidth(4), 0.4167, 1e-4);
    // A level exact band from (10, 50) to (30, 50): tips at the points, full
    // width 2 x 1.86 at 8 units from each tip.
    auto c = display::AspectBandCorners(testing_support::DrawingStateOfTest(), 30, 50, 10, 50, 0);
    const display::Point expected[6] = {{100, 500}, {180, 519}, {220, 519}, {300, 500}, {220, 481}, {180, 481}};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(c[k], expected[k]) << k;
    // Two points with the same x: still the full width between corners 2 and 6.
    c = display::AspectBandCorners(testing_support::DrawingStateOfTest(), 20, 10, 20, 30, 1);
    const double width = std::hypot(c[1].x - c[5].x, c[1].y - c[5].y);
    EXPECT_NEAR(width, 2 * 8.333, 1.5);
}

TEST(MajorAspectFigure, BandsOrLinesByStyle) {
    view_test::SetFixedPerson();
    testing_support::CurrentChartOfTest().orbs = OneDegree();
    testing_support::CurrentChartOfTest().chart.cusps[1] = 100.5L;
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawMajorAspectGrid(dc, testing_support::CurrentChartOfTest(), Points(), 0,
                                 {.centre = {100, 100}, .radius = 30}, false);
    const auto polys = dc.Calls("polygon");
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_NE(polys[0].find(" winding"), std::string::npos);
    // The hard band on a red brush, the soft one on a blue brush.
    std::vector<std::string> brushes;
    for (const auto& l : dc.log)
        if (l.rfind("brush ", 0) == 0 && l != "brush #FFFFFF") brushes.push_back(l);
    ASSERT_GE(brushes.size(), 2u);
    EXPECT_NE(std::find(brushes.begin(), brushes.end(), "brush #FF0000"), brushes.end());
    EXPECT_NE(std::find(brushes.begin(), brushes.end(), "brush #0000FF"), brushes.end());
    EXPECT_EQ(view_test::Containing(dc, "ellipse").size(), 11u);

    dc.Clear();
    display::DrawMajorAspectGrid(dc, testing_support::CurrentChartOfTest(), Points(), 1,
                                 {.centre = {100, 100}, .radius = 30}, false);
    EXPECT_TRUE(dc.Calls("polygon").empty());
    // The dashed opposition: 15 dashes; the trine one line.
    EXPECT_EQ(dc.Calls("line").size(), 16u);
}

}  // namespace
