// The natal wheel of the fixed person on a recording surface: the places of the
// sign glyphs and of the angles, the position key files, the data fields, the
// retrograde marks, and drawing on when glyph or work files are missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/recording_surface.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/position_files.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_reports.h"
#include "platform/gui/message_box.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using display::Real;
using testing_support::ReadBytes;
using testing_support::ReadFixture;

struct Box {
    int left, top, right, bottom;
    double Cx() const { return (left + right) / 2.0; }
    double Cy() const { return (top + bottom) / 2.0; }
};

// The boxes of the pictures drawn (a metafile, or the placeholder of a missing one).
std::vector<Box> GlyphBoxes(const display::RecordingSurface& dc) {
    std::vector<Box> boxes;
    for (const std::string& word : {std::string("metafile"), std::string("rectangle")})
        for (const std::string& l : dc.Calls(word)) {
            Box b{};
            char comma;
            std::istringstream in(l.substr(word.size()));
            in >> b.left >> comma >> b.top >> b.right >> comma >> b.bottom;
            boxes.push_back(b);
        }
    return boxes;
}

class NatalWheel : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        testing_support::NatalWheelOfTest().fileErrors = {};
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        display::SetSignMidpoints(testing_support::NatalWheelOfTest());
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(NatalWheel, SignGlyphsStandInTheMiddleOfTheirSigns) {
    wheel_test::CopyDataFolders({"Simboli", "Zodiaco"});
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawNatalChart(dc, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    const std::vector<Box> boxes = GlyphBoxes(dc);
    const int side = 2 * display::ScaleLength(testing_support::DrawingStateOfTest(), 4.5L);
    for (int s = 1; s <= 12; ++s) {
        const Real theta = wheel_test::kCusps[1] - (30 * (s - 1) + 15);
        const auto p = display::WheelPoint({100, 100}, 71.5L, theta);
        EXPECT_NEAR(testing_support::NatalWheelOfTest().signGlyphX[engine::SignOfNumber(s)], p.x, 1e-9) << s;
        EXPECT_NEAR(testing_support::NatalWheelOfTest().signGlyphY[engine::SignOfNumber(s)], p.y, 1e-9) << s;
        const display::Point m = display::MapPoint(testing_support::DrawingStateOfTest(), p.x, p.y);
        const bool drawn = std::any_of(boxes.begin(), boxes.end(), [&](const Box& b) {
            return b.right - b.left == side && std::abs(b.Cx() - m.x) <= 1 && std::abs(b.Cy() - m.y) <= 1;
        });
        EXPECT_TRUE(drawn) << "sign " << s;
    }
    // Every glyph file was there.
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(NatalWheel, AscendantLiesLeftAndMidheavenTowardsTheTop) {
    wheel_test::CopyDataFolders({"Simboli", "Zodiaco"});
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawNatalChart(dc, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    auto& w = testing_support::NatalWheelOfTest();
    EXPECT_LT(w.planetGlyphX[engine::ChartPoint::Ascendant], 100 - 50);
    EXPECT_NEAR(w.planetGlyphY[engine::ChartPoint::Ascendant], 100, 6);
    EXPECT_LT(w.planetGlyphY[engine::ChartPoint::Midheaven], 100 - 50);
    EXPECT_NEAR(w.planetGlyphX[engine::ChartPoint::Midheaven], 100 - 57.5 * std::cos((100.5 - 358) * M_PI / 180), 6);
    // The red Ascendant tick starts on the left end of the horizon, at radius 83.
    const display::Point from = display::MapPoint(testing_support::DrawingStateOfTest(), 100 - 83, 100),
                         to = display::MapPoint(testing_support::DrawingStateOfTest(), 100 - 93, 100);
    const std::string tick = "line " + std::to_string(from.x) + "," + std::to_string(from.y) + " " +
                             std::to_string(to.x) + "," + std::to_string(to.y) + " pen=solid";
    const auto lines = dc.Calls("line");
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.rfind(tick, 0) == 0 && l.find("#FF0000") != std::string::npos;
    }));
    // The boundary of house 1 lies 15 degrees before the Ascendant.
    const auto b = display::WheelPoint({100, 100}, 47, 15);
    const display::Point bp = display::MapPoint(testing_support::DrawingStateOfTest(), b.x, b.y);
    const std::string boundary = "line " + std::to_string(bp.x) + "," + std::to_string(bp.y) + " ";
    EXPECT_TRUE(
        std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(boundary, 0) == 0; }));
}

TEST_F(NatalWheel, PositionFilesMatchTheGoldenFiles) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawNatalChart(dc, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    EXPECT_EQ(ReadBytes(folder_.Path() / "OpzioneT" / "PosiPian.txt"), ReadFixture("wheel/PosiPian.txt"));
    EXPECT_EQ(ReadBytes(folder_.Path() / "OpzioneT" / "PosiSegn.txt"), ReadFixture("wheel/PosiSegn.txt"));
    // The dodecatemoria of the points: longitude + 12 x degrees within the sign.
    const display::WheelPointArray dodecatemoria =
        display::WheelPointDodecatemoria(testing_support::CurrentChartOfTest().chart);
    EXPECT_NEAR(dodecatemoria[engine::ChartPoint::Sun], 198.25, 1e-9);
    EXPECT_NEAR(dodecatemoria[engine::ChartPoint::Venus], 350 + 240 - 360, 1e-9);
}

TEST_F(NatalWheel, PointsOnBoundariesBelongToTheSectorThatStartsThere) {
    testing_support::CurrentChartOfTest().chart.bodies[engine::Body::Sun].longitude = 30;  // 0 Taurus
    testing_support::CurrentChartOfTest().chart.bodies[engine::Body::Moon].longitude =
        91.5;  // a term boundary (Ascendant - 15 + 6)
    display::ClassifyBodyTerms(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
    display::BuildBodyDecanKeys(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
    display::ClassifyBodyDecades(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
    EXPECT_EQ(testing_support::NatalWheelOfTest().bodyDecades[engine::ChartPoint::Sun], 4);
    EXPECT_EQ(testing_support::NatalWheelOfTest().bodyDecanKeys[engine::ChartPoint::Sun], "SolDec04");
    EXPECT_EQ(testing_support::NatalWheelOfTest().bodyTerms[engine::ChartPoint::Moon], 2);
    EXPECT_EQ(testing_support::NatalWheelOfTest().bodyTerms[engine::ChartPoint::Ascendant],
              3);  // the Ascendant, 15 degrees into its terms
    EXPECT_EQ(testing_support::NatalWheelOfTest().bodyDecades[engine::ChartPoint::Venus], 36);  // 350: the last decade
    // The first boundary of each table too, where the last sector closes the circle.
    testing_support::CurrentChartOfTest().chart.bodies[engine::Body::Sun].longitude = 10;
    testing_support::CurrentChartOfTest().chart.bodies[engine::Body::Moon].longitude =
        85.5;  // Ascendant - 15: the start of term 1
    display::ClassifyBodyTerms(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
    display::BuildBodyDecanKeys(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
    display::ClassifyBodyDecades(testing_support::CurrentChartOfTest().chart, testing_support::NatalWheelOfTest());
    EXPECT_EQ(testing_support::NatalWheelOfTest().bodyDecades[engine::ChartPoint::Sun], 2);
    EXPECT_EQ(testing_support::NatalWheelOfTest().bodyDecanKeys[engine::ChartPoint::Sun], "SolDec02");
    EXPECT_EQ(testing_support::NatalWheelOfTest().bodyTerms[engine::ChartPoint::Moon], 1);
}

TEST_F(NatalWheel, DataFieldsAndRetrogradeMarks) {
    testing_support::NatalWheelOfTest().birthWeekdayName = "Maandag";
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::NatalChartFields f =
        display::DrawNatalChart(dc, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    EXPECT_EQ(f.name, "  Rossi Maria");
    EXPECT_EQ(testing_support::CurrentChartOfTest().birth.subjectName,
              "Rossi Maria   ");  // the person's own, unchanged
    EXPECT_EQ(f.birthDate, "Maandag 15/01/1990 10:30 (GMT+1)");
    EXPECT_EQ(f.place, "ROMA - ITALIA");
    EXPECT_EQ(f.coordinates, "41N54-012E29");
    EXPECT_EQ(f.houseSystem, "PLACIDO");
    EXPECT_EQ(f.node, "MEDIO");
    EXPECT_EQ(f.julianDay, "2447907.0625");
    // Mercury and Saturn are marked in pure red; the Ascendant never is.
    int marks = 0;
    for (const std::string& t : dc.Calls("text"))
        if (t.size() > 4 && t.compare(t.size() - 4, 4, " 'R'") == 0) {
            ++marks;
            EXPECT_NE(t.find("color=#FF0000"), std::string::npos) << t;
        }
    EXPECT_EQ(marks, 2);

    testing_support::CurrentChartOfTest().chart.moment.gregorian = false;
    f = display::DrawNatalChart(dc, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    EXPECT_EQ(f.birthDate, "Maandag 15/01/1990 10:30 (GMT+1) Calend. Giuliano");
}

TEST_F(NatalWheel, MissingGlyphFilesAreReportedOnceAndTheWheelIsStillDrawn) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawNatalChart(dc, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    const std::size_t first = sink_.messages.size();
    EXPECT_EQ(first, 12u + 11u);  // each sign file, each body file (decan rulers among them)
    // Placeholders (the Ascendant's sign twice: the walk ends where it began) and the stamp's box.
    EXPECT_EQ(GlyphBoxes(dc).size(), 13u + 36u + 11u + 1u);
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "OpzioneT" / "PosiPian.txt"));
    display::DrawNatalChart(dc, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    EXPECT_EQ(sink_.messages.size(), first);
}

TEST_F(NatalWheel, UnwritablePositionFileIsReportedOnceAndTheFieldsAreFilled) {
    wheel_test::CopyDataFolders({"Simboli", "Zodiaco"});
    testing_support::WriteBytes(folder_.Path() / "OpzioneT", "not a folder");
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::NatalChartFields f =
        display::DrawNatalChart(dc, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].text.find("PosiPian"), std::string::npos) << sink_.messages[0].text;
    EXPECT_EQ(f.houseSystem, "PLACIDO");
    EXPECT_FALSE(dc.Calls("text").empty());
    display::DrawNatalChart(dc, testing_support::CurrentChartOfTest(), testing_support::NatalWheelOfTest());
    EXPECT_EQ(sink_.messages.size(), 1u);
}

}  // namespace
