// The dodecatemoria and archetype wheels of the fixed person: the list of the
// dodecatemoria, the inner ring's retrograde marks, the per-point tables, the
// captions, and the glyph centres both views record.
#include <gtest/gtest.h>

#include <cmath>

#include "archive/current_chart.h"
#include "display/chart/archetype_wheel.h"
#include "display/chart/dodecatemoria_wheel.h"
#include "display/draw/glyphs.h"
#include "display/wheel/wheel_reports.h"
#include "display/wheel/wheel_state.h"
#include "platform/gui/message_box.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_person.h"

namespace {

using view_test::Has;
using view_test::Texts;

class DodecatemoriaWheel : public ::testing::Test {
protected:
    void SetUp() override {
        view_test::SetFixedPerson();
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco"});
    }
    // Points whose dodecatemoria (the longitude moved on by twelve times its
    // degrees within the sign) the list and the tables show.
    static void PlacePoints() {
        engine::Chart& c = testing_support::CurrentChartOfTest().chart;
        wheel_test::SetWheelPoint(c, 1, 10);    // the Sun at 10 degrees: 120 degrees further on, 130
        wheel_test::SetWheelPoint(c, 2, 0);     // a point at 0 degrees of its sign
        wheel_test::SetWheelPoint(c, 11, 166);  // the Midheaven at 16 Virgo: 358
    }
    int RetroMarks(const display::RecordingSurface& dc) {
        int n = 0;
        for (const auto& l : dc.Calls("text"))
            if (l.size() > 4 && l.substr(l.size() - 4) == " 'R'") ++n;
        return n;
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(DodecatemoriaWheel, ListsElevenDodecatemoriaAndTheCaptions) {
    PlacePoints();
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawDodecatemoriaChart(dc, testing_support::CurrentChartOfTest().chart,
                                    testing_support::NatalWheelOfTest());
    const auto t = Texts(dc);
    // Line 1 at y = 100 - 24, its text 1.5 higher at x 89; line 11 47 units lower.
    EXPECT_TRUE(Has(t,
                    "890,745 '10\xB0"
                    "00' Leeuw '"));
    EXPECT_TRUE(Has(t,
                    "890,792 '00\xB0"
                    "00' Ram '"));
    int listLines = 0;
    for (const auto& l : t)
        if (l.rfind("890,", 0) == 0) ++listLines;
    EXPECT_EQ(listLines, 11);
    EXPECT_TRUE(Has(t,
                    "890,1215 '28\xB0"
                    "00' Vissen '"));  // the Midheaven's, 358
    EXPECT_TRUE(Has(t, "50,50 'DODECATEMORIEEN'"));
    EXPECT_TRUE(Has(t, "50,100 '(Op de binnenste cirkel)'"));
}

TEST_F(DodecatemoriaWheel, OnlyTheNatalRingCarriesRetrogradeMarks) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawDodecatemoriaChart(dc, testing_support::CurrentChartOfTest().chart,
                                    testing_support::NatalWheelOfTest());
    EXPECT_EQ(RetroMarks(dc), 2);  // Mercury and Saturn on the natal ring only
}

TEST_F(DodecatemoriaWheel, TablesOfTheDodecatemoria) {
    PlacePoints();
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const auto t = display::DrawDodecatemoriaChart(dc, testing_support::CurrentChartOfTest().chart,
                                                   testing_support::NatalWheelOfTest());
    EXPECT_EQ(t.dodecatemoriaDecades[engine::ChartPoint::Sun], 14);  // 130..140
    EXPECT_EQ(t.dodecatemoriaDecades[engine::ChartPoint::Moon], 1);  // 0..10
    EXPECT_EQ(t.dodecatemoriaDecanKeys[engine::ChartPoint::Sun], "SolDec14");
    EXPECT_EQ(t.dodecatemoriaDecanKeys[engine::ChartPoint::Moon], "LunDec01");
    // Terms from the Ascendant (100.5): 6-degree sectors starting 91.5 + 6k.
    EXPECT_EQ(t.dodecatemoriaTerms[engine::ChartPoint::Sun], 8);  // 127.5..133.5
}

TEST_F(DodecatemoriaWheel, BothViewsRecordTheNatalGlyphCentres) {
    testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun] = -1;
    testing_support::NatalWheelOfTest().signGlyphX[engine::Sign::Aries] = -1;
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawDodecatemoriaChart(dc, testing_support::CurrentChartOfTest().chart,
                                    testing_support::NatalWheelOfTest());
    EXPECT_GT(testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun], 0);
    EXPECT_GT(testing_support::NatalWheelOfTest().signGlyphX[engine::Sign::Aries], 0);
    // The Sun (15.25) on the ring of radius 62 at wheel angle 85.25.
    EXPECT_NEAR(testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun],
                100 - 62 * std::sin(85.25 * 3.14159265358979 / 180), 1.5);

    testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun] = -1;
    dc.Clear();
    display::DrawArchetypeWheel(dc, testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
    EXPECT_GT(testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun], 0);
    const auto t = Texts(dc);
    EXPECT_TRUE(Has(t, "50,50 'ARCHETYPISCHE STRUCTUUR'"));
    EXPECT_TRUE(Has(t, "1970,480 '" + std::string(50, ' ') + "'"));
}

}  // namespace
