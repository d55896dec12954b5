// The bar chart of the dominant-planet scores: bar heights scaled to the
// strongest body, colours by sign, the summary file, and the chart without
// any positive score.
#include <gtest/gtest.h>

#include <filesystem>

#include "display/chart/volguine_forces.h"
#include "display/chart/volguine_view.h"
#include "display/draw/glyphs.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_range.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/common/wheel_geometry_of_test.h"
#include "tests/display/chart/view_person.h"

namespace {

using view_test::Has;

void WriteScores(const std::string& text) {
    std::filesystem::create_directories("FileDum");
    testing_support::WriteBytes("FileDum/MMMaitr2.dum", text);
}

std::vector<std::string> Bars(const display::RecordingSurface& dc) {
    std::vector<std::string> out;
    for (const std::string& l : dc.Calls("rectangle"))
        if (l.find("brush=#FF0000") != std::string::npos || l.find("brush=#0000FF") != std::string::npos)
            out.push_back(l.substr(10, l.find(" pen=") - 10) +
                          (l.find("#FF0000") != std::string::npos ? " red" : " blue"));
    return out;
}

class VolguineForces : public view_test::FixedPersonWithGlyphs {
protected:
    // The view computes its own Placidus chart from the ephemeris tables.
    void SetUp() override {
        FixedPersonWithGlyphs::SetUp();
        wheel_test::CopyDataFolders({"FilePosi"});
    }
    gui::RecordingMessageSink sink_;
};

TEST_F(VolguineForces, BarsAreScaledToTheStrongestBody) {
    // Bodies 1..10, then the element lines, which are not read.
    WriteScores("60\r\n6\r\n-3\r\n-40\r\n30\r\n0\r\n60\r\n12\r\n-9\r\n45\r\n042\r\n033\r\n");
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const auto f = display::DrawVolguineForces(dc, testing_support::CurrentChartOfTest().chart, 200, 100);
    const auto bars = Bars(dc);
    ASSERT_EQ(bars.size(), 10u);
    // Body 1: left edge 200 - 4.3 + 6 = 201.7, baseline 130, the full 30 units.
    EXPECT_EQ(bars[0], "2017,1000 2067,1300 blue");
    EXPECT_EQ(bars[1], "2077,1270 2127,1300 blue");  // a tenth of the strongest: 3
    EXPECT_EQ(bars[2], "2137,1270 2187,1300 red");   // -1.5 is drawn 3 high, red
    EXPECT_EQ(bars[3], "2197,1100 2247,1300 red");   // -20
    EXPECT_EQ(bars[4], "2257,1150 2307,1300 blue");  // 15
    EXPECT_EQ(bars[5], "2317,1270 2367,1300 blue");  // 0 shows 3 high
    EXPECT_EQ(f.heights[9], 22);                     // 22.5 to the even neighbour
    EXPECT_TRUE(Has(view_test::Texts(dc), "2222,1360 '-40'"));
    // Equal highest scores: the earlier body is named.
    EXPECT_EQ(f.strongest, 1);
    EXPECT_EQ(testing_support::ReadBytes("FileDum/Dati3.dum"), "RAM       \r\nKREEFT    \r\nZON       \r\n");
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(VolguineForces, NoPositiveScoreDrawsNoBarsAndSaysSo) {
    WriteScores("0\r\n-6\r\n-3\r\n-40\r\n0\r\n0\r\n-1\r\n-12\r\n-9\r\n0\r\n");
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const auto f = display::DrawVolguineForces(dc, testing_support::CurrentChartOfTest().chart, 200, 100);
    EXPECT_TRUE(Bars(dc).empty());
    EXPECT_EQ(f.strongest, 0);
    EXPECT_EQ(testing_support::ReadBytes("FileDum/Dati3.dum"), "RAM       \r\nKREEFT    \r\n\r\n");
    EXPECT_EQ(view_test::Texts(dc).size(), 10u);  // the scores are still written
    // The drawing shows no message itself: the view hands its words to the window.
    EXPECT_TRUE(sink_.messages.empty());
    for (int sub = 0; sub < 4; ++sub) {
        display::RecordingSurface view{testing_support::DrawingStateOfTest()};
        const display::ChartViewShown shown =
            display::DrawVolguineView(view, {.current = testing_support::CurrentChartOfTest(),
                                             .geometry = testing_support::WheelGeometryOfTest(),
                                             .wheel = testing_support::NatalWheelOfTest(),
                                             .subView = sub});
        EXPECT_EQ(shown.message, sub == 3 ? display::kNoPositiveScoreMessage : "") << sub;
    }
    // With a positive score the bars view says nothing.
    WriteScores("0\r\n-6\r\n-3\r\n-40\r\n0\r\n0\r\n1\r\n-12\r\n-9\r\n0\r\n");
    display::RecordingSurface bars{testing_support::DrawingStateOfTest()};
    EXPECT_EQ(display::DrawVolguineView(bars, {.current = testing_support::CurrentChartOfTest(),
                                               .geometry = testing_support::WheelGeometryOfTest(),
                                               .wheel = testing_support::NatalWheelOfTest(),
                                               .subView = 3})
                  .message,
              "");
    EXPECT_GE(Bars(bars).size(), 10u);
    // (The wheel under the bars names its missing sign glyphs; nothing else is said.)
    for (const auto& m : sink_.messages) EXPECT_NE(m.text, display::kNoPositiveScoreMessage);
}

TEST_F(VolguineForces, AShortScoreFileIsAFileError) {
    WriteScores("60\r\n6\r\n");
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    EXPECT_THROW(display::DrawVolguineForces(dc, testing_support::CurrentChartOfTest().chart, 200, 100), rt::IoError);
    std::filesystem::remove("FileDum/MMMaitr2.dum");
    EXPECT_THROW(display::DrawVolguineForces(dc, testing_support::CurrentChartOfTest().chart, 200, 100), rt::IoError);
}

TEST_F(VolguineForces, AnEndlessScoreIsADamagedFile) {
    // A score of 1e4000 once reached the bars' rounding; nothing is drawn.
    WriteScores("60\r\n6\r\n1e4000\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n");
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    try {
        display::DrawVolguineForces(dc, testing_support::CurrentChartOfTest().chart, 200, 100);
        FAIL() << "drawn";
    } catch (const rt::DamagedFileError& e) {
        EXPECT_STREQ(e.what(),
                     "Il file \"FileDum\\MMMaitr2.dum\" \xE8 danneggiato: il valore di punteggio del corpo 3 "
                     "(1e+4000) \xE8 fuori dai limiti ammessi.");
    }
    EXPECT_TRUE(dc.Calls("rectangle").empty());
}

TEST_F(VolguineForces, ElementSymbolsFillTheirSquare) {
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawClothCell(dc, 1, {50, 60}, 8);
    display::DrawClothCell(dc, 8, {50, 60}, 8);  // no such symbol: nothing
    const auto m = dc.Calls("metafile");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].substr(0, 22), "metafile 460,560 540,6");
}

}  // namespace
