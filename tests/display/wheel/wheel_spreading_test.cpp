// Spreading of crowded glyphs on the ring of chart points, and the pointer
// lines that lead every spread glyph back to its true longitude.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "display/draw/drawing_tools.h"
#include "display/draw/recording_surface.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"
#include "platform/gui/message_box.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using display::Real;
using display::SpreadRingAngles;
constexpr Real kEps = 1e-3;

display::RingAngles Angles(std::initializer_list<Real> values) {
    display::RingAngles a{};
    std::size_t i = 0;
    for (Real v : values) a[i++] = v;
    return a;
}

Real Circular(Real a) {
    a = std::fmod(a, 360.0L);
    return a < 0 ? a + 360 : a;
}

// Every pair of displayed glyphs is at least the separation apart on the circle.
void ExpectSeparated(const display::SpreadAngles& s, int n) {
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            Real d = Circular(static_cast<Real>(s[i]) - s[j]);
            d = std::min(d, 360 - d);
            EXPECT_GE(d, display::kGlyphSeparation - kEps) << "points " << i << " and " << j;
        }
}

TEST(GlyphSpreading, EqualAnglesStandFourDegreesEitherSideInPointOrder) {
    const auto s = SpreadRingAngles(3, Angles({100, 100, 250}));
    EXPECT_NEAR(s[0], 96, kEps);   // the earlier point at the smaller wheel angle,
    EXPECT_NEAR(s[1], 104, kEps);  // that is at the larger longitude
    EXPECT_NEAR(s[2], 250, kEps);
}

TEST(GlyphSpreading, PointsWithRoomStayWhereTheyAre) {
    const auto s = SpreadRingAngles(4, Angles({10, 40, 200, 300}));
    EXPECT_NEAR(s[0], 10, kEps);
    EXPECT_NEAR(s[1], 40, kEps);
    EXPECT_NEAR(s[2], 200, kEps);
    EXPECT_NEAR(s[3], 300, kEps);
}

TEST(GlyphSpreading, CrowdedClusterBecomesARunCentredByHalfItsPush) {
    // Eleven points inside 20 degrees, given out of order.
    const auto t = Angles({150, 132, 148, 130, 140, 134, 146, 136, 144, 138, 142});
    const auto s = SpreadRingAngles(11, t);
    ExpectSeparated(s, 11);
    std::vector<Real> shown;
    for (int i = 0; i < 11; ++i) shown.push_back(s[i]);
    std::sort(shown.begin(), shown.end());
    for (std::size_t k = 1; k < shown.size(); ++k) EXPECT_NEAR(shown[k] - shown[k - 1], 8, kEps);
    // Pushed from 130 to 210, then moved back by half the last point's push (210 - 150) / 2.
    EXPECT_NEAR(shown.front(), 100, kEps);
    EXPECT_NEAR(shown.back(), 180, kEps);
    // Order along the ring follows the true angles.
    EXPECT_LT(s[3], s[1]);
    EXPECT_LT(s[1], s[5]);
    EXPECT_LT(s[2], s[0]);
}

TEST(GlyphSpreading, ClusterAcrossZeroIsOneRunCutAtTheLargestGap) {
    const auto t = Angles({358, 2, 0, 356, 4, 180});
    const auto s = SpreadRingAngles(6, t);
    ExpectSeparated(s, 6);
    // One run in true order across 0: 356, 358, 0, 2, 4.
    const int order[5] = {3, 0, 2, 1, 4};
    for (int k = 1; k < 5; ++k) EXPECT_NEAR(Circular(static_cast<Real>(s[order[k]]) - s[order[k - 1]]), 8, kEps) << k;
    // Centred on the cluster: the middle point keeps its place.
    EXPECT_NEAR(Circular(s[2]), 0, kEps);
    EXPECT_NEAR(s[5], 180, kEps);
}

TEST(GlyphSpreading, RunIsPulledBackOnlyAsFarAsTheGapBeforeItAllows) {
    // A point at 100 leaves 10 degrees before a run of four at 110.
    const auto s = SpreadRingAngles(6, Angles({100, 110, 110, 110, 110, 300}));
    ExpectSeparated(s, 6);
    EXPECT_NEAR(s[0], 100, kEps);
    EXPECT_NEAR(s[1], 108, kEps);  // the gap before the run becomes exactly 8
    EXPECT_NEAR(s[4], 132, kEps);
}

TEST(GlyphSpreading, AllAnglesEqualStillSpreadApart) {
    const auto s = SpreadRingAngles(5, Angles({42, 42, 42, 42, 42}));
    ExpectSeparated(s, 5);
    for (int i = 1; i < 5; ++i) EXPECT_GT(s[i], s[i - 1]);
}

// The ring drawn: glyph centres on the middle circle at the display angles,
// pointer lines from the true position on both edges towards the glyph.
TEST(PlanetRingDrawing, PointersStartAtTheTrueLongitudesOnBothEdges) {
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink sink;
    wheel_test::SetFixedPerson();
    display::WheelPointArray longitudes{};
    const Real values[5] = {10, 10.5, 11, 12, 200};  // a crowded cluster
    for (int i = 0; i < 5; ++i) longitudes[i] = values[i];
    display::WheelPointMarks marks{};
    display::PlanetRingOptions o;
    o.ascendant = 100;
    o.count = 5;
    o.centres = &testing_support::NatalWheelOfTest();
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawPlanetRing(dc, longitudes, marks, o);

    const auto lines = dc.Calls("line");
    display::RingAngles t{};
    for (int i = 0; i < 5; ++i) t[i] = Circular(o.ascendant - longitudes[i]);
    const auto s = SpreadRingAngles(5, t);
    const Real rm = (o.ring.innerRadius + o.ring.outerRadius) / 2;
    for (int i = 0; i < 5; ++i) {
        // The recorded centre is the glyph's place at its display angle.
        const auto g = display::WheelPoint({100, 100}, rm, s[i]);
        EXPECT_NEAR(testing_support::NatalWheelOfTest().planetGlyphX[static_cast<engine::ChartPoint>(i)], g.x, 1e-9);
        EXPECT_NEAR(testing_support::NatalWheelOfTest().planetGlyphY[static_cast<engine::ChartPoint>(i)], g.y, 1e-9);
        for (Real r : {o.ring.outerRadius, o.ring.innerRadius}) {
            const auto p = display::WheelPoint({100, 100}, r, t[i]);
            const display::Point start = display::MapPoint(testing_support::DrawingStateOfTest(), p.x, p.y);
            const std::string prefix = "line " + std::to_string(start.x) + "," + std::to_string(start.y) + " ";
            EXPECT_TRUE(
                std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }))
                << "point " << i << " radius " << static_cast<double>(r);
        }
    }
}

}  // namespace
