// The house rings and cusp marks, the stroke glyphs of the aspects, the program
// stamp and the sheet caption, as they land on a recording surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <sstream>

#include "archive/current_chart.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/recording_surface.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/stroke_glyphs.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/number_text.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/wheel/wheel_person.h"

namespace wheel_rings_test {

namespace {

using display::Point;
using display::Real;
using display::RecordingSurface;

std::string At(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// The recorded texts: "text X,Y ... 'T'".
bool HasText(const RecordingSurface& dc, const std::string& text, Point p) {
    const auto texts = dc.Calls("text");
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& l) {
        return l.rfind("text " + At(p) + " ", 0) == 0 && l.size() >= text.size() + 2 &&
               l.compare(l.size() - text.size() - 2, text.size() + 2, "'" + text + "'") == 0;
    });
}

struct Segment {
    Point a, b;
};
std::vector<Segment> Lines(const RecordingSurface& dc) {
    std::vector<Segment> out;
    for (const std::string& l : dc.Calls("line")) {
        Segment s{};
        char c;
        std::istringstream in(l.substr(5));
        in >> s.a.x >> c >> s.a.y >> s.b.x >> c >> s.b.y;
        out.push_back(s);
    }
    return out;
}

class Rings : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        testing_support::DrawingStateOfTest().pixelsPerUnit = 20;  // wide enough to tell the two line kinds apart
        for (int i = 1; i <= 12; ++i) cusps_[i] = 30 * (i - 1);
        testing_support::CurrentChartOfTest().chart.cusps = cusps_;
    }
    engine::HouseCusps cusps_;
    RecordingSurface dc_{testing_support::DrawingStateOfTest()};
};

TEST_F(Rings, HouseRingNumeralsStandFiveDegreesInsideTheirHouses) {
    display::DrawHouseRing(dc_, cusps_, {.centre = {100, 100}, .outerRadius = 47, .innerRadius = 39});
    // Ascendant at 0: "I" just below the left end of the horizon, "VII" above its right end.
    EXPECT_TRUE(HasText(dc_, "I", display::MapPoint(testing_support::DrawingStateOfTest(), 57, 102)));
    EXPECT_TRUE(HasText(dc_, "VII", display::MapPoint(testing_support::DrawingStateOfTest(), 143, 94)));
    EXPECT_EQ(dc_.Calls("text").size(), 12u);
    // Houses 1 and 4 are the axes, in the heavy line; the other cusps light.
    const int heavy =
        static_cast<int>(display::PenForCode(testing_support::DrawingStateOfTest(), display::Medium::Screen, 1).width);
    int axes = 0;
    for (const std::string& l : dc_.Calls("line"))
        if (l.find("pen=solid/" + std::to_string(heavy) + "/") != std::string::npos) ++axes;
    EXPECT_EQ(axes, 4);
    EXPECT_EQ(dc_.Calls("line").size(), 12u);
    EXPECT_EQ(dc_.Calls("arc").size(), 2u);
}

TEST_F(Rings, WideHouseRingLeavesItsCirclesOut) {
    display::DrawHouseRing(dc_, cusps_, {.centre = {100, 100}, .outerRadius = 70, .innerRadius = 60});
    EXPECT_TRUE(dc_.Calls("arc").empty());
    EXPECT_EQ(dc_.Calls("line").size(), 12u);
    EXPECT_EQ(dc_.Calls("text").size(), 12u);
}

TEST_F(Rings, ChartWindowRingPutsEveryBoundaryFifteenDegreesBeforeItsCusp) {
    display::DrawChartWindowHouseRing(dc_, cusps_, {.centre = {100, 100}, .outerRadius = 47, .innerRadius = 39}, 0);
    const auto lines = Lines(dc_);
    // 60 cyan term ticks, the first at wheel angle 15 (15 degrees before the Ascendant).
    int ticks = 0;
    for (const std::string& l : dc_.Calls("line"))
        if (l.find("#00FFFF") != std::string::npos) ++ticks;
    EXPECT_EQ(ticks, 60);
    const auto from = display::WheelPoint({100, 100}, 47, 15), to = display::WheelPoint({100, 100}, 50, 15);
    const Point f = display::MapPoint(testing_support::DrawingStateOfTest(), from.x, from.y),
                t = display::MapPoint(testing_support::DrawingStateOfTest(), to.x, to.y);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const Segment& s) { return s.a == f && s.b == t; }));
    // The boundary of house 1 at longitude -15, of house 4 at 75.
    for (Real longitude : {-15.0L, 75.0L, 165.0L}) {
        const auto p = display::WheelPoint({100, 100}, 47, 0 - longitude);
        const Point q = display::MapPoint(testing_support::DrawingStateOfTest(), p.x, p.y);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const Segment& s) { return s.a == q; }))
            << static_cast<double>(longitude);
    }
    const auto texts = dc_.Calls("text");
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const std::string& l) { return l.find("'XII'") != std::string::npos; }));
    EXPECT_EQ(dc_.Calls("arc").size(), 3u);
}

// Houses of unequal size, as Placidus gives them in Rome (Ascendant 100.5):
// every numeral stands five degrees past its own cusp in the direction of the
// signs, its opposite numeral across the centre; a ring turned the other way
// round puts them elsewhere.
class UnequalHouses : public Rings {
protected:
    void SetUp() override {
        Rings::SetUp();
        const Real placidus[13] = {0,      100.5L, 122.1L, 146.8L, 178.0L, 213.4L, 248.9L,
                                   280.5L, 302.1L, 326.8L, 358.0L, 33.4L,  68.9L};
        for (int i = 1; i <= 12; ++i) cusps_[i] = placidus[i];
        testing_support::CurrentChartOfTest().chart.cusps = cusps_;
    }
    // The Ascendant of the cusps above.
    static constexpr Real kAscendant = 100.5L;
    // Where numeral text is centred for a point of longitude `longitude` on radius m.
    static Point NumeralAt(Real longitude, Real m) {
        const auto p = display::WheelPoint({100, 100}, m, kAscendant - longitude);
        return display::MapPoint(testing_support::DrawingStateOfTest(), rt::Round(p.x), rt::Round(p.y) - 2);
    }
    static bool HasLineFrom(const RecordingSurface& dc, Real longitude, Real r) {
        const auto p = display::WheelPoint({100, 100}, r, kAscendant - longitude);
        const Point q = display::MapPoint(testing_support::DrawingStateOfTest(), p.x, p.y);
        const auto lines = Lines(dc);
        return std::any_of(lines.begin(), lines.end(), [&](const Segment& s) { return s.a == q; });
    }
};

TEST_F(UnequalHouses, HouseRingNumeralsFollowTheirOwnCusps) {
    display::DrawHouseRing(dc_, cusps_, {.centre = {100, 100}, .outerRadius = 47, .innerRadius = 39});
    const char* numerals[13] = {"", "I", "2", "3", "IV", "5", "6", "VII", "8", "9", "X", "11", "12"};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_TRUE(HasText(dc_, numerals[i], NumeralAt(cusps_[i] + 5, 43))) << i;
        EXPECT_TRUE(HasText(dc_, numerals[i + 6], NumeralAt(cusps_[i] + 5 + 180, 43))) << i + 6;
        EXPECT_TRUE(HasLineFrom(dc_, cusps_[i], 47)) << "cusp " << i;
    }
    // "2" lies in the lower left quarter, below "I"; "12" above it.
    const Point one = NumeralAt(cusps_[1] + 5, 43), two = NumeralAt(cusps_[2] + 5, 43),
                twelve = NumeralAt(cusps_[6] + 185, 43);
    EXPECT_GT(two.y, one.y);
    EXPECT_LT(twelve.y, one.y);
}

TEST_F(UnequalHouses, ChartWindowRingNumeralsFollowTheirOwnCusps) {
    display::DrawChartWindowHouseRing(dc_, cusps_, {.centre = {100, 100}, .outerRadius = 47, .innerRadius = 39},
                                      cusps_[1]);
    for (int i = 1; i <= 6; ++i) {
        // The boundary 15 degrees before the cusp, the numeral 5 degrees past the boundary.
        EXPECT_TRUE(HasText(dc_, display::kRomanHouseNumerals[i - 1], NumeralAt(cusps_[i] - 10, 43))) << i;
        EXPECT_TRUE(HasText(dc_, display::kRomanHouseNumerals[i + 5], NumeralAt(cusps_[i] - 10 + 180, 43))) << i + 6;
        EXPECT_TRUE(HasLineFrom(dc_, cusps_[i] - 15, 47)) << "boundary " << i;
    }
}

TEST_F(Rings, CuspMarksOfAnOrdinarySystemAreTheAscendantsOnly) {
    testing_support::CurrentChartOfTest().chart.settings.houseSystem = engine::ParseHouseSystem("PLACIDO");
    display::DrawHouseCusps(dc_, testing_support::CurrentChartOfTest().chart, cusps_,
                            {.centre = {100, 100}, .radius = 83});
    const auto texts = dc_.Calls("text");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_TRUE(HasText(dc_, "AS", display::MapPoint(testing_support::DrawingStateOfTest(), 100 - 83 - 7, 100 - 9)));
    EXPECT_TRUE(HasText(dc_,
                        "00\xB0"
                        "00'",
                        display::MapPoint(testing_support::DrawingStateOfTest(), 100 - 90, 101)));
    EXPECT_EQ(dc_.Calls("ellipse").size(), 1u);
}

TEST_F(Rings, MediumHousesMarkTheMidheavenAndEveryHouseMiddle) {
    testing_support::CurrentChartOfTest().chart.settings.houseSystem = engine::ParseHouseSystem("CASE_MEDIE");
    const Real asc = 100;
    cusps_[1] = asc;
    testing_support::CurrentChartOfTest().chart.cusps[1] = asc;
    testing_support::CurrentChartOfTest().chart.points.midheaven = asc - 95;
    display::DrawHouseCusps(dc_, testing_support::CurrentChartOfTest().chart, cusps_,
                            {.centre = {100, 100}, .radius = 83});
    const auto l = display::WheelPointWithAspect({{100, 100}, 90}, 95, 1);
    EXPECT_TRUE(HasText(dc_, "MC", display::MapPoint(testing_support::DrawingStateOfTest(), l.x - 11, l.y - 5)));
    // Ascendant dot, two Midheaven dots, twelve house middles.
    EXPECT_EQ(dc_.Calls("ellipse").size(), 15u);
    // Degree texts: two of the Ascendant, one of the Midheaven, ten of the middles.
    EXPECT_EQ(dc_.Calls("text").size(), 2u + 1u + 10u + 2u);
}

// Segments each aspect glyph draws, from its strokes.
TEST(AspectGlyphs, EveryGlyphDrawsItsStrokes) {
    wheel_test::SetFixedPerson();
    const int segments[12] = {0, 9, 3, 4, 3, 17, 6, 2, 3, 3, 5, 7};
    for (int code = 1; code <= 11; ++code) {
        RecordingSurface dc{testing_support::DrawingStateOfTest()};
        display::DrawAspectGlyph(dc, code, {50, 50}, 2);
        EXPECT_EQ(dc.Calls("line").size(), static_cast<std::size_t>(segments[code])) << "code " << code;
    }
    RecordingSurface none{testing_support::DrawingStateOfTest()};
    display::DrawAspectGlyph(none, 12, {50, 50}, 2);
    EXPECT_TRUE(none.log.empty());
}

TEST(AspectGlyphs, SquareOfSizeTwoSpansItsBox) {
    wheel_test::SetFixedPerson();
    testing_support::DrawingStateOfTest().pixelsPerUnit = 10;
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawAspectGlyph(dc, 3, {50, 50}, 2);
    int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
    for (const Segment& s : Lines(dc))
        for (Point p : {s.a, s.b}) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    EXPECT_EQ(minX, display::MapX(testing_support::DrawingStateOfTest(), 50 - 2.7L));
    EXPECT_EQ(maxX, display::MapX(testing_support::DrawingStateOfTest(), 50 + 2.7L));
    EXPECT_EQ(minY, display::MapY(testing_support::DrawingStateOfTest(), 50 - 3.6L));
    EXPECT_EQ(maxY, display::MapY(testing_support::DrawingStateOfTest(), 50 + 2.7L));
    EXPECT_NE(dc.log.front().find("#FF0000"), std::string::npos);  // pen 2, red
}

TEST(AspectGlyphs, SextileIsCyanOnTheScreenBlueOnPaperForegroundInBlackAndWhite) {
    wheel_test::SetFixedPerson();
    auto penOf = [](display::Medium medium) {
        RecordingSurface dc{testing_support::DrawingStateOfTest()};
        dc.SetOutputMedium(medium);
        display::DrawAspectGlyph(dc, 2, {50, 50}, 2);
        return dc.Calls("pen").front();
    };
    EXPECT_NE(penOf(display::Medium::Screen).find("#00FFFF"), std::string::npos);
    EXPECT_NE(penOf(display::Medium::Paper).find("#0000FF"), std::string::npos);
    testing_support::DrawingStateOfTest().blackAndWhite = true;
    EXPECT_NE(penOf(display::Medium::Paper).find("#000000"), std::string::npos);
    EXPECT_NE(penOf(display::Medium::Screen).find("#FFFFFF"), std::string::npos);
}

TEST(ProgramStamp, BoxStandsAtTheOffsetWithOneAspectDivision) {
    wheel_test::SetFixedPerson();
    testing_support::DrawingStateOfTest().pixelsPerUnit = 10;
    {
        RecordingSurface dc{testing_support::DrawingStateOfTest()};
        display::DrawProgramStamp(dc, 0, 0);
        const auto rects = dc.Calls("rectangle");
        ASSERT_EQ(rects.size(), 1u);
        EXPECT_EQ(rects[0].rfind("rectangle 40,1300 350,1350 ", 0), 0u) << rects[0];
        EXPECT_NE(rects[0].find("brush=#FF0000"), std::string::npos);
        EXPECT_TRUE(HasText(dc, "Orbalune 3", {60, 1305}));
        EXPECT_EQ(dc.Calls("polygon").size(), 1u);
        EXPECT_NE(dc.Calls("polygon")[0].find("winding"), std::string::npos);
    }
    testing_support::DrawingStateOfTest().aspectScaleX = 2;  // only (x + 5) is divided, not the offsets
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawProgramStampPlain(dc, 0, 0);
    EXPECT_EQ(dc.Calls("rectangle")[0].rfind("rectangle 15,1300 325,1350 ", 0), 0u) << dc.Calls("rectangle")[0];
    EXPECT_TRUE(HasText(dc, "Orbalune 3", {25, 1305}));
}

TEST(SheetCaption, DateAndUserNameRightAligned) {
    wheel_test::SetFixedPerson();
    rt::SetClock([] { return rt::LocalDateTime{2026, 3, 7, 9, 30, 0, 0}; });
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    EXPECT_EQ(display::DrawCaptionPair(dc, 270, 20, ""), "07/03/2026");
    EXPECT_TRUE(HasText(dc, "07/03/2026", display::MapPoint(testing_support::DrawingStateOfTest(), 270, 20)));
    display::DrawCaptionPair(dc, 270, 20, "Anna Verdi");
    EXPECT_TRUE(HasText(dc, "Anna Verdi", display::MapPoint(testing_support::DrawingStateOfTest(), 270, 24)));
    rt::SetClock({});
}

}  // namespace

}  // namespace wheel_rings_test
