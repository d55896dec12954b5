// A stored person loaded as the current person: the retrograde marks the chart
// window's wheel, the sheets' planet ring and a node's attribution text show
// for the nodes are the lunar node's own, never those of Uranus or Neptune
// (whose entries the nodes take), and the angles carry none. The directions
// expected come from the precise ephemeris library.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "archive/archive_files.h"
#include "archive/archive_records.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "display/chart/attribution_texts.h"
#include "display/draw/drawing_state.h"
#include "display/draw/glyphs.h"
#include "display/draw/recording_surface.h"
#include "display/sheets/sheet_wheel.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/wheel_points.h"
#include "engine/bodies_theory.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/wheel/wheel_person.h"
#include "tools/ephemeris_tables/precise_positions.h"

namespace {

// For each point of a ring (in drawing order, one glyph metafile each),
// whether a retrograde mark ("r" or "R") was written after its glyph.
std::vector<bool> MarkedPoints(const display::RecordingSurface& dc) {
    std::vector<bool> marked(1, false);  // entry 0 unused
    for (const std::string& l : dc.log) {
        if (l.rfind("metafile ", 0) == 0) marked.push_back(false);
        const bool mark = l.rfind("text ", 0) == 0 && l.size() >= 4 &&
                          (l.compare(l.size() - 4, 4, " 'r'") == 0 || l.compare(l.size() - 4, 4, " 'R'") == 0);
        if (mark && marked.size() > 1) marked.back() = true;
    }
    return marked;
}

class NodeMarks : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        display::SetDefaultWheelRadii(testing_support::WheelGeometryOfTest());
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        wheel_test::CopyDataFolders({"FilePosi", "Simboli", "OpzioneT"});
        precise::Init();
        testing_support::CurrentChartOfTest().settings.node = engine::ParseNodeKind("VERO");
    }
    // Stores the person born in Milano at the date key given and loads it.
    void Load(const char* dateKey) {
        archive::BirthRecord r;
        r.dateField = dateKey;
        r.placeField = "45N28-009E11MILANO";
        r.calendarField = "GR";
        r.nationalityField = "ITALIA";
        r.annotationNumber = "00000";
        archive::WriteCurrentPerson("BIANCHI LUCIA", r);
        ASSERT_FALSE(archive::LoadCurrentPersonForShow(testing_support::CurrentChartOfTest()).empty);
    }
    static bool Backwards(int body) {
        const precise::Position p =
            precise::At(static_cast<double>(testing_support::CurrentChartOfTest().chart.moment.julianDay), body, true);
        EXPECT_TRUE(p.ok);
        return p.lonSpeed < 0;
    }
    static bool Retrogrado(int point) {
        const auto texts = display::PlanetAttributionTexts(testing_support::CurrentChartOfTest().chart, point,
                                                           [](const std::string&, const rt::IoError&) {});
        return !texts.specific.empty() && texts.specific[0].find("Retrogrado") != std::string::npos;
    }
    testing_support::TempWorkFolder folder_;
};

TEST_F(NodeMarks, WheelSheetAndTextsShowTheNodesOwnDirection) {
    struct Case {
        const char* date;  // clock time in Milano, an hour ahead of UT
        bool uranusBackwards, nodeBackwards;
    };
    // 15 March 1978: Uranus backwards, the true node forwards; 15 November
    // 1978: Uranus forwards, the node backwards.
    for (const Case& k : {Case{"197803151430-1", true, false}, Case{"197811151430-1", false, true}}) {
        Load(k.date);
        ASSERT_EQ(Backwards(engine::kUranus), k.uranusBackwards) << k.date;
        ASSERT_EQ(Backwards(engine::kNode), k.nodeBackwards) << k.date;
        ASSERT_FALSE(Backwards(engine::kNeptune)) << k.date;
        const auto& c = testing_support::CurrentChartOfTest().chart;

        // The sheets' ring of nine points: Sun to Saturn and the two nodes.
        display::RecordingSurface sheet{testing_support::DrawingStateOfTest()};
        display::DrawSheetPlanetRing(sheet, display::WheelPointLongitudes(c), display::WheelPointRetroMarks(c), 9,
                                     {.centre = {173, 105}, .outerRadius = 57, .innerRadius = 44}, c.cusps[1]);
        const std::vector<bool> onSheet = MarkedPoints(sheet);
        ASSERT_EQ(onSheet.size(), 10u) << k.date;
        for (int b = engine::kSun; b <= engine::kSaturn; ++b) EXPECT_EQ(onSheet[b], Backwards(b)) << k.date << " " << b;
        EXPECT_EQ(onSheet[8], k.nodeBackwards) << k.date << " north node";
        EXPECT_EQ(onSheet[9], k.nodeBackwards) << k.date << " south node";

        // The chart window's wheel: eleven points, the angles never marked.
        display::RecordingSurface wheel{testing_support::DrawingStateOfTest()};
        display::DrawPlanetRing(wheel, display::WheelPointLongitudes(c), display::WheelPointRetroMarks(c),
                                display::ChartWindowRing(testing_support::CurrentChartOfTest().chart,
                                                         {.centre = {100, 100}, .outerRadius = 65, .innerRadius = 50},
                                                         7.0L, nullptr));
        const std::vector<bool> onWheel = MarkedPoints(wheel);
        ASSERT_EQ(onWheel.size(), 12u) << k.date;
        EXPECT_EQ(onWheel[8], k.nodeBackwards) << k.date;
        EXPECT_EQ(onWheel[9], k.nodeBackwards) << k.date;
        EXPECT_FALSE(onWheel[10]) << k.date;
        EXPECT_FALSE(onWheel[11]) << k.date;

        // A click on a node glyph: its position line says "Retrogrado" with the node.
        EXPECT_EQ(Retrogrado(8), k.nodeBackwards) << k.date;
        EXPECT_EQ(Retrogrado(9), k.nodeBackwards) << k.date;
        EXPECT_FALSE(Retrogrado(10)) << k.date;
        EXPECT_FALSE(Retrogrado(11)) << k.date;
        EXPECT_EQ(Retrogrado(engine::kSaturn), Backwards(engine::kSaturn)) << k.date;
    }
}

}  // namespace
