// The elemental and seasonal cloths and the humoral attributions: the counts
// of the seven classical planets by sign, and where the drawn grids write them.
#include <gtest/gtest.h>

#include <initializer_list>

#include "archive/current_chart.h"
#include "display/chart/cloths.h"
#include "display/chart/humoral.h"
#include "display/draw/recording_surface.h"
#include "platform/gui/message_box.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using display::ClothCounts;
using display::HumoralCounts;
using display::HumoralVariant;
using view_test::TextAt;

// Sun .. Saturn at these longitudes.
void PlacePlanets(std::initializer_list<long double> longitudes) {
    int k = 1;
    for (long double l : longitudes) wheel_test::SetWheelPoint(testing_support::CurrentChartOfTest().chart, k++, l);
}

class Cloths : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        wheel_test::CopyDataFolders({"Simboli"});
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(Cloths, AllSevenInAriesFillOneCell) {
    PlacePlanets({1, 5, 10, 12, 20, 25, 29.9L});
    const ClothCounts e = display::EvaluateElementalCloth(testing_support::CurrentChartOfTest().chart);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(e.count[r][c], r == 0 && c == 0 ? 7 : 0) << r << c;
    EXPECT_EQ(e.RowTotal(0), 7);     // salt
    EXPECT_EQ(e.ColumnTotal(0), 7);  // fire
    EXPECT_EQ(e.RowTotal(1) + e.RowTotal(2) + e.ColumnTotal(1) + e.ColumnTotal(2) + e.ColumnTotal(3), 0);
    const ClothCounts s = display::EvaluateSeasonCloth(testing_support::CurrentChartOfTest().chart);
    EXPECT_EQ(s.count[0][0], 7);  // cardinal, spring
}

TEST_F(Cloths, LeoCancerAndVirgo) {
    PlacePlanets({130, 100, 160, 165, 170, 175, 150});
    const ClothCounts e = display::EvaluateElementalCloth(testing_support::CurrentChartOfTest().chart);
    EXPECT_EQ(e.count[1][0], 1);  // sulphur, fire: the Sun in Leo
    EXPECT_EQ(e.count[0][3], 1);  // salt, water: the Moon in Cancer
    EXPECT_EQ(e.count[1][1], 5);  // sulphur, earth: Virgo
    EXPECT_EQ(e.RowTotal(0), 1);
    EXPECT_EQ(e.RowTotal(1), 6);
    EXPECT_EQ(e.RowTotal(2), 0);
    EXPECT_EQ(e.ColumnTotal(0), 1);
    EXPECT_EQ(e.ColumnTotal(1), 5);
    EXPECT_EQ(e.ColumnTotal(2), 0);
    EXPECT_EQ(e.ColumnTotal(3), 1);
    const ClothCounts s = display::EvaluateSeasonCloth(testing_support::CurrentChartOfTest().chart);
    EXPECT_EQ(s.count[0][1], 1);  // summer: cardinal (Cancer)
    EXPECT_EQ(s.count[1][1], 1);  // fixed (Leo)
    EXPECT_EQ(s.count[2][1], 5);  // mutable (Virgo)
    EXPECT_EQ(s.ColumnTotal(1), 7);
}

TEST_F(Cloths, ThirtyDegreesCountsInTaurus) {
    PlacePlanets({30.0L, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(display::EvaluateElementalCloth(testing_support::CurrentChartOfTest().chart).count[0][1],
              1);  // salt, earth
}

TEST_F(Cloths, ElementalClothWritesItsCountsAndTotalsInTheirCells) {
    PlacePlanets({130, 100, 160, 165, 170, 175, 150});
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const long double x = 102, y = 104;  // the chart window's reference point
    display::DrawElementalClothGrid(dc, display::EvaluateElementalCloth(testing_support::CurrentChartOfTest().chart),
                                    {x, y}, {100, 100});
    const long double x0 = x - 14, y0 = y - 14;
    // Earth / sulphur: principle 2 across, element 2 down, in grey.
    auto cell = TextAt(dc, x0 + 7, y0 + 7);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->text, "5");
    EXPECT_EQ(cell->colour, "#808080");
    // The sulphur total in row 5 in white, the earth total in column 5 in green.
    EXPECT_EQ(TextAt(dc, x0 + 7, y0 + 28)->text, "6");
    EXPECT_EQ(TextAt(dc, x0 + 7, y0 + 28)->colour, "#FFFFFF");
    EXPECT_EQ(TextAt(dc, x0 + 21, y0 + 7)->text, "5");
    EXPECT_EQ(TextAt(dc, x0 + 21, y0 + 7)->colour, "#00FF00");
    EXPECT_EQ(TextAt(dc, x0 + 21, y0 + 21)->colour, "#00FFFF");  // water
    // Titles, labels and the name under the wheel.
    EXPECT_EQ(TextAt(dc, 5, 5)->text, "ELEMENTAIRE DOEK");
    EXPECT_EQ(TextAt(dc, 5, 10)->text, "(Psychosomatisch niveau)");
    const long double l = x - 23, t = y - 15;
    EXPECT_EQ(TextAt(dc, l - 1, t + 2)->text, "Vuur");
    EXPECT_EQ(TextAt(dc, l - 1, t + 2)->colour, "#FF0000");
    EXPECT_EQ(TextAt(dc, l + 36, t + 23)->text, "Sentiment");
    EXPECT_EQ(TextAt(dc, l + 6, t - 12.5L)->text, "Zout");
    EXPECT_EQ(TextAt(dc, 100, 67)->text, "[Elementair]");
    // The header row over the principle columns and a leader line.
    EXPECT_TRUE(view_test::LineBetween(dc, l + 7, t - 7, l + 35, t - 7));
    EXPECT_TRUE(view_test::LineBetween(dc, l + 10.5L, t - 7, l + 10.5L, t - 10.5L));
    // Four element symbols down column 1 and three principle symbols in the header.
    EXPECT_EQ(dc.Calls("metafile").size(), 7u);
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(Cloths, SeasonClothHasNoHeaderRowAndItsOwnLabels) {
    PlacePlanets({1, 5, 10, 12, 20, 25, 29.9L});
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const long double x = 104, y = 100;
    display::DrawSeasonClothGrid(dc, display::EvaluateSeasonCloth(testing_support::CurrentChartOfTest().chart), {x, y},
                                 {100, 100});
    const long double x0 = x - 13, y0 = y - 14, l = x - 23, t = y - 15;
    EXPECT_EQ(TextAt(dc, x0, y0)->text, "7");  // cardinal, spring
    EXPECT_EQ(TextAt(dc, x0 + 21, y0)->text, "7");
    EXPECT_EQ(TextAt(dc, x0 + 21, y0)->colour, "#FFFF00");  // the spring row is yellow
    EXPECT_EQ(TextAt(dc, 5, 5)->text, "SEIZOEN DOEK");
    EXPECT_EQ(TextAt(dc, l + 36, t + 2)->text, "Lente ");
    EXPECT_EQ(TextAt(dc, l + 29, t - 9)->text, "Bicorporaalen");
    EXPECT_EQ(TextAt(dc, 100, 67)->text, "[Seizoensgebonden]");
    EXPECT_FALSE(view_test::LineBetween(dc, l + 7, t - 7, l + 35, t - 7));
    EXPECT_EQ(dc.Calls("metafile").size(), 4u);
}

TEST_F(Cloths, HumoralFireSigns) {
    PlacePlanets({10, 130, 250, 15, 135, 255, 20});  // Aries, Leo, Sagittarius
    const HumoralCounts e =
        display::EvaluateHumoralAttribution(testing_support::CurrentChartOfTest().chart, HumoralVariant::Elemental);
    EXPECT_EQ((std::array<int, 4>{0, 7, 0, 0}), e.e);
    EXPECT_EQ((std::array<int, 4>{7, 0, 0, 7}), e.q);
    // By season: Aries is spring (air), Leo summer (fire), Sagittarius autumn (earth).
    const HumoralCounts s =
        display::EvaluateHumoralAttribution(testing_support::CurrentChartOfTest().chart, HumoralVariant::Seasonal);
    EXPECT_EQ((std::array<int, 4>{3, 2, 2, 0}), s.e);
}

TEST_F(Cloths, HumoralQualitiesAddTwoElementsEach) {
    // Air 2 (Gemini, Libra), fire 2 (Aries, Leo), earth 2 (Taurus, Virgo), water 1 (Cancer).
    PlacePlanets({70, 190, 5, 125, 40, 160, 100});
    const HumoralCounts e =
        display::EvaluateHumoralAttribution(testing_support::CurrentChartOfTest().chart, HumoralVariant::Elemental);
    EXPECT_EQ((std::array<int, 4>{4, 3, 3, 4}), e.q);
    EXPECT_EQ(e.q[0] + e.q[1] + e.q[2] + e.q[3], 14);
    // Cancer: water by its element, fire by its season.
    PlacePlanets({100, 100, 100, 100, 100, 100, 100});
    EXPECT_EQ(display::EvaluateHumoralAttribution(testing_support::CurrentChartOfTest().chart,
                                                  HumoralVariant::Elemental)
                  .e[3],
              7);
    EXPECT_EQ(
        display::EvaluateHumoralAttribution(testing_support::CurrentChartOfTest().chart, HumoralVariant::Seasonal).e[1],
        7);
}

TEST_F(Cloths, HumoralGridWritesElementsAndQualitiesInTheirRows) {
    PlacePlanets({70, 190, 5, 125, 40, 160, 100});
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const long double x = 104, y = 100, l = x - 27, t = y - 15;
    const HumoralCounts counts =
        display::EvaluateHumoralAttribution(testing_support::CurrentChartOfTest().chart, HumoralVariant::Elemental);
    display::DrawHumoralGrid(dc, counts, HumoralVariant::Elemental, {x, y}, {100, 100});
    // Row 4 (water): one planet, in cyan; the dry total 4 in white.
    EXPECT_EQ(TextAt(dc, l + 20, t + 21 + 1)->text, "1");
    EXPECT_EQ(TextAt(dc, l + 20, t + 21 + 1)->colour, "#00FFFF");
    EXPECT_EQ(TextAt(dc, l + 34, t + 21 + 1)->text, "4");
    EXPECT_EQ(TextAt(dc, l + 34, t + 21 + 1)->colour, "#FFFFFF");
    EXPECT_EQ(TextAt(dc, l + 28, t + 21 + 1)->text, "D");
    EXPECT_EQ(TextAt(dc, l + 34, t + 7 + 1)->text, "3");  // moist
    EXPECT_EQ(TextAt(dc, l + 40, t + 2)->text, "Extravert");
    EXPECT_EQ(TextAt(dc, 5, 5)->text, "HUMORALE ATTRIBUTIE");
    EXPECT_EQ(TextAt(dc, 5, 10)->text, "(Elementair)");
    EXPECT_EQ(TextAt(dc, l + 25, t + 35)->text, "D=Droog");
    // The gap of two units between the element block and the totals.
    EXPECT_TRUE(view_test::LineBetween(dc, l, t, l + 24, t));
    EXPECT_TRUE(view_test::LineBetween(dc, l + 26, t, l + 38, t));
    EXPECT_TRUE(view_test::LineBetween(dc, l + 26, t, l + 26, t + 28));

    display::RecordingSurface seasonal{testing_support::DrawingStateOfTest()};
    display::DrawHumoralGrid(seasonal, counts, HumoralVariant::Seasonal, {x, y}, {100, 100});
    EXPECT_EQ(TextAt(seasonal, 5, 10)->text, "(Seizoensgebonden)");
    EXPECT_EQ(TextAt(seasonal, 100, 67)->text, "[Seizoensgebonden]");
}

}  // namespace
