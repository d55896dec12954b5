// The energy-affinities and antiscia views: the chords of each mode, their
// pens and line kinds, the labels, and the circle turned with the Ascendant.
#include <gtest/gtest.h>

#include "archive/current_chart.h"
#include "display/chart/antiscia_wheel.h"
#include "display/chart/energy_affinities.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/position_files.h"
#include "display/wheel/wheel_state.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/chart/view_person.h"

namespace sign_figures_test {

namespace {

class SignFigures : public ::testing::Test {
protected:
    void SetUp() override {
        view_test::SetFixedPerson();
        display::SetSignMidpoints(testing_support::NatalWheelOfTest());
        testing_support::CurrentChartOfTest().chart.cusps[1] = 105;  // the middle of Cancer on the left
    }
    static const engine::SignTable<engine::Real>& Mid() { return testing_support::NatalWheelOfTest().signMidpoints; }
};

TEST_F(SignFigures, TheAscendantsSignLiesOnTheLeft) {
    const auto f = display::EvaluateAntisciaWheel(Mid(), 105, 0, {.centre = {100, 100}, .radius = 39});
    EXPECT_EQ(f.x[engine::Sign::Cancer], 61);
    EXPECT_EQ(f.y[engine::Sign::Cancer], 100);
    EXPECT_EQ(f.dotX[engine::Sign::Cancer], 61);  // 61.2 rounded
    EXPECT_EQ(f.x[engine::Sign::Capricorn], 139);
    EXPECT_EQ(f.x[engine::Sign::Aries], 100);  // Aries at the top
    EXPECT_EQ(f.y[engine::Sign::Aries], 61);
}

TEST_F(SignFigures, AntisciaChordsAndLabel) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawAntisciaWheel(dc, Mid(), testing_support::CurrentChartOfTest().chart.cusps[1], 0,
                               {.centre = {100, 100}, .radius = 39});
    const auto lines = dc.Calls("line");
    ASSERT_EQ(lines.size(), 6u);
    // Aries (top) to Pisces at wheel angle 120: (119.5 -> 120, 66.2 -> 66).
    EXPECT_EQ(lines[0].substr(0, 24), "line 1000,610 1200,660 p");
    EXPECT_EQ(view_test::Containing(dc, "ellipse").size(), 12u);
    EXPECT_TRUE(view_test::Has(view_test::Texts(dc), "1000,1000 'Antisce'"));
    EXPECT_FALSE(view_test::Containing(dc, "bkcolor #000000").empty());

    dc.Clear();
    display::DrawAntisciaWheel(dc, Mid(), testing_support::CurrentChartOfTest().chart.cusps[1], 1,
                               {.centre = {100, 100}, .radius = 39});
    EXPECT_EQ(dc.Calls("line").size(), 6u);
    EXPECT_TRUE(view_test::Has(view_test::Texts(dc), "1000,1000 'Contrantisce'"));
    dc.Clear();
    const auto both = display::DrawAntisciaWheel(dc, Mid(), testing_support::CurrentChartOfTest().chart.cusps[1], 2,
                                                 {.centre = {100, 100}, .radius = 39});
    EXPECT_EQ(dc.Calls("line").size(), 12u);
    EXPECT_TRUE(dc.Calls("text").empty());
    EXPECT_EQ(both.segments[6].pen, 22);
    dc.Clear();
    display::DrawAntisciaWheel(dc, Mid(), testing_support::CurrentChartOfTest().chart.cusps[1], 3,
                               {.centre = {100, 100}, .radius = 39});
    EXPECT_EQ(dc.Calls("line").size(), 12u);  // the quadrilaterals, solid here
    dc.Clear();
    display::DrawAntisciaWheel(dc, Mid(), testing_support::CurrentChartOfTest().chart.cusps[1], 4,
                               {.centre = {100, 100}, .radius = 39});
    EXPECT_TRUE(dc.Calls("line").empty());
    EXPECT_EQ(dc.Calls("ellipse").size(), 12u);
}

TEST_F(SignFigures, AffinityPairsSolidAndDotted) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const auto f = display::DrawEnergyAffinities(dc, Mid(), testing_support::CurrentChartOfTest().chart.cusps[1], 0,
                                                 {.centre = {100, 100}, .radius = 39});
    EXPECT_EQ(dc.Calls("line").size(), 6u);
    EXPECT_EQ(f.segments[0].from, 1);
    EXPECT_EQ(f.segments[0].to, 7);
    EXPECT_EQ(f.segments[0].pen, 77);
    EXPECT_TRUE(view_test::Has(view_test::Texts(dc), "900,980 'Magnetische'"));

    dc.Clear();
    display::DrawEnergyAffinities(dc, Mid(), testing_support::CurrentChartOfTest().chart.cusps[1], 1,
                                  {.centre = {100, 100}, .radius = 39});
    EXPECT_TRUE(dc.Calls("line").empty());  // dotted: dots, no lines
    EXPECT_GT(dc.Calls("ellipse").size(), 12u + 6u);
    EXPECT_TRUE(view_test::Has(view_test::Texts(dc), "900,980 ' Solilunaire'"));

    const auto quads = display::EvaluateEnergyAffinities(Mid(), 105, 3, {.centre = {100, 100}, .radius = 39});
    ASSERT_EQ(quads.segments.size(), 12u);
    EXPECT_TRUE(quads.segments[0].dotted);
    EXPECT_TRUE(quads.label.empty());
    EXPECT_EQ(display::EvaluateEnergyAffinities(Mid(), 105, 2, {.centre = {100, 100}, .radius = 39}).segments.size(),
              12u);
}

}  // namespace

namespace {

const char* const kDutchSignNames[13] = {"",         "Ram",      "Stier",      "Tweelingen", "Kreeft",
                                         "Leeuw",    "Maagd",    "Weegschaal", "Schorpioen", "Boogschutter",
                                         "Steenbok", "Waterman", "Vissen"};

// A shipped help text, its lines joined by blanks.
std::string HelpText(int n) {
    std::string text;
    for (const std::string& l : display::ReadHelpEntry(n)) text += l + " ";
    return text;
}

bool Names(const std::string& text, int a, int b, const char* joint) {
    return text.find(std::string(kDutchSignNames[a]) + joint + kDutchSignNames[b]) != std::string::npos ||
           text.find(std::string(kDutchSignNames[b]) + joint + kDutchSignNames[a]) != std::string::npos;
}

// The help texts the view buttons show name the pairs the figures draw, and
// no other pairs.
class ShippedFigureHelp : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::CopyDataFolders({"Appoggio"});
        view_test::SetFixedPerson();
        for (engine::Sign s : engine::kSigns) points_[s] = 30 * engine::SignNumber(s) - 15;
    }
    std::vector<std::pair<int, int>> Pairs(const display::SignFigure& f) {
        std::vector<std::pair<int, int>> out;
        for (const auto& g : f.segments) out.emplace_back(g.from, g.to);
        return out;
    }
    testing_support::TempWorkFolder folder_;
    engine::SignTable<engine::Real> points_{};
};

TEST_F(ShippedFigureHelp, AntisciaTextsNameTheirMirroredPairs) {
    const struct { int mode, entry; } views[] = {{0, 14}, {1, 15}};
    for (const auto& v : views) {
        const std::string text = HelpText(v.entry);
        const auto pairs =
            Pairs(display::EvaluateAntisciaWheel(points_, 0, v.mode, {.centre = {100, 100}, .radius = 39}));
        ASSERT_EQ(pairs.size(), 6u);
        for (const auto& [a, b] : pairs) EXPECT_TRUE(Names(text, a, b, " en ")) << v.entry << ": " << a << "-" << b;
        // A pair of the other mirror is not named.
        const auto other =
            Pairs(display::EvaluateAntisciaWheel(points_, 0, 1 - v.mode, {.centre = {100, 100}, .radius = 39}));
        for (const auto& [a, b] : other) EXPECT_FALSE(Names(text, a, b, " en ")) << v.entry << ": " << a << "-" << b;
    }
    // The quadrilaterals: each joins four signs, named in a row.
    const std::string quads = HelpText(17);
    const auto sides = Pairs(display::EvaluateAntisciaWheel(points_, 0, 3, {.centre = {100, 100}, .radius = 39}));
    ASSERT_EQ(sides.size(), 12u);
    for (std::size_t q = 0; q < 12; q += 4) {
        int count = 0;
        for (std::size_t k = q; k < q + 4; ++k)
            count += quads.find(kDutchSignNames[sides[k].first]) != std::string::npos;
        EXPECT_EQ(count, 4) << q;
    }
    EXPECT_NE(quads.find("Ram-Vissen-Weegschaal-Maagd"), std::string::npos) << quads;
}

TEST_F(ShippedFigureHelp, AffinityTextsNameTheMagneticPairsAndBothSets) {
    const std::string magnetic = HelpText(11);
    const auto pairs = Pairs(display::EvaluateEnergyAffinities(points_, 0, 0, {.centre = {100, 100}, .radius = 39}));
    ASSERT_EQ(pairs.size(), 6u);
    for (const auto& [a, b] : pairs) EXPECT_TRUE(Names(magnetic, a, b, "-")) << a << "-" << b;
    const std::string both = HelpText(13);
    EXPECT_NE(both.find("magnetische"), std::string::npos) << both;
    EXPECT_NE(both.find("solilunaire"), std::string::npos) << both;
}

}  // namespace

}  // namespace sign_figures_test
