// The energy-affinities and antiscia views: the chords of each mode, their
// pens and line kinds, the labels, and the circle turned with the Ascendant.
#include <gtest/gtest.h>

#include "display/chart/antiscia_wheel.h"
#include "display/chart/energy_affinities.h"
#include "display/wheel/position_files.h"
#include "display/wheel/wheel_state.h"
#include "tests/display/chart/view_person.h"

namespace {

class SignFigures : public ::testing::Test {
protected:
    void SetUp() override {
        view_test::SetFixedPerson();
        display::SetSignMidpoints();
        engine::Chart.HouseCusps[1] = 105;  // the middle of Cancer on the left
    }
    const engine::BodyArray& Mid() {
        for (int s = 1; s <= 12; ++s) points[s] = display::Wheel.SignMidpoints[s];
        return points;
    }
    engine::BodyArray points{};
};

TEST_F(SignFigures, TheAscendantsSignLiesOnTheLeft) {
    const auto f = display::EvaluateAntisciaWheel(Mid(), 105, 0, 100, 100, 39);
    EXPECT_EQ(f.x[4], 61);
    EXPECT_EQ(f.y[4], 100);
    EXPECT_EQ(f.dotX[4], 61);  // 61.2 rounded
    EXPECT_EQ(f.x[10], 139);
    EXPECT_EQ(f.x[1], 100);    // Aries at the top
    EXPECT_EQ(f.y[1], 61);
}

TEST_F(SignFigures, AntisciaChordsAndLabel) {
    display::RecordingSurface dc;
    display::DrawAntisciaWheel(dc, Mid(), 0, 100, 100, 39);
    const auto lines = dc.Calls("line");
    ASSERT_EQ(lines.size(), 6u);
    // Aries (top) to Pisces at wheel angle 120: (119.5 -> 120, 66.2 -> 66).
    EXPECT_EQ(lines[0].substr(0, 24), "line 1000,610 1200,660 p");
    EXPECT_EQ(view_test::Containing(dc, "ellipse").size(), 12u);
    EXPECT_TRUE(view_test::Has(view_test::Texts(dc), "1000,1000 'Antisce'"));
    EXPECT_FALSE(view_test::Containing(dc, "bkcolor #000000").empty());

    dc.Clear();
    display::DrawAntisciaWheel(dc, Mid(), 1, 100, 100, 39);
    EXPECT_EQ(dc.Calls("line").size(), 6u);
    EXPECT_TRUE(view_test::Has(view_test::Texts(dc), "1000,1000 'Contrantisce'"));
    dc.Clear();
    const auto both = display::DrawAntisciaWheel(dc, Mid(), 2, 100, 100, 39);
    EXPECT_EQ(dc.Calls("line").size(), 12u);
    EXPECT_TRUE(dc.Calls("text").empty());
    EXPECT_EQ(both.segments[6].pen, 22);
    dc.Clear();
    display::DrawAntisciaWheel(dc, Mid(), 3, 100, 100, 39);
    EXPECT_EQ(dc.Calls("line").size(), 12u);  // the quadrilaterals, solid here
    dc.Clear();
    display::DrawAntisciaWheel(dc, Mid(), 4, 100, 100, 39);
    EXPECT_TRUE(dc.Calls("line").empty());
    EXPECT_EQ(dc.Calls("ellipse").size(), 12u);
}

TEST_F(SignFigures, AffinityPairsSolidAndDotted) {
    display::RecordingSurface dc;
    const auto f = display::DrawEnergyAffinities(dc, Mid(), 0, 100, 100, 39);
    EXPECT_EQ(dc.Calls("line").size(), 6u);
    EXPECT_EQ(f.segments[0].from, 1);
    EXPECT_EQ(f.segments[0].to, 7);
    EXPECT_EQ(f.segments[0].pen, 77);
    EXPECT_TRUE(view_test::Has(view_test::Texts(dc), "900,980 'Magnetische'"));

    dc.Clear();
    display::DrawEnergyAffinities(dc, Mid(), 1, 100, 100, 39);
    EXPECT_TRUE(dc.Calls("line").empty());           // dotted: dots, no lines
    EXPECT_GT(dc.Calls("ellipse").size(), 12u + 6u);
    EXPECT_TRUE(view_test::Has(view_test::Texts(dc), "900,980 ' Solilunaire'"));

    const auto quads = display::EvaluateEnergyAffinities(Mid(), 105, 3, 100, 100, 39);
    ASSERT_EQ(quads.segments.size(), 12u);
    EXPECT_TRUE(quads.segments[0].dotted);
    EXPECT_TRUE(quads.label.empty());
    EXPECT_EQ(display::EvaluateEnergyAffinities(Mid(), 105, 2, 100, 100, 39).segments.size(), 12u);
}

}  // namespace
