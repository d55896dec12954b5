// The dignity table of the archetypal-structure view: boxes by state, their
// places and heights, joined boxes of one exchange, the no-dignity message and
// the recorded glyph centres.
#include <gtest/gtest.h>

#include "archive/current_chart.h"
#include "display/chart/chart_window.h"
#include "display/chart/dignity_table.h"
#include "display/draw/recording_surface.h"
#include "platform/gui/message_box.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

using engine::ReceptionTables;
using view_test::TextAt;

class DignityTable : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::SetFixedPerson();
        wheel_test::CopyDataFolders({"Simboli"});
        delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
        r_ = ReceptionTables{};
        const char* keys[8] = {"", "SoleToro", "LunaGeme", "MercArie", "VeneGeme", "MartGeme", "GiovArie", "SatuToro"};
        for (int k = 1; k <= 7; ++k) r_.planetSignKeys[k - 1] = keys[k];
    }
    struct RowKind {
        int state;
        int group;
    };
    // Row k: its state, group and entries (body, number, abbreviation planet).
    void Row(int k, RowKind kind, std::initializer_list<std::array<int, 3>> entries) {
        const int row = k - 1;
        r_.planetDignity[row] = static_cast<unsigned char>(kind.state);
        r_.receptionGroup[row] = static_cast<unsigned char>(kind.group);
        int j = 0;
        for (const auto& e : entries) {
            r_.receptionBodies[row][j] = static_cast<unsigned char>(e[0]);
            r_.receptionNumbers[row][j] = static_cast<unsigned char>(e[1]);
            r_.receptionSigns[row][j] = static_cast<unsigned char>(e[2]);
            ++j;
        }
    }
    ReceptionTables r_;
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(DignityTable, OnePlanetInFallStandsUnderTheCentre) {
    Row(1, {4, 0}, {{5, 1, 0}});  // Mars in fall
    const display::DignityBoxTable t = display::EvaluateDignityTable(r_, 100, 100);
    ASSERT_EQ(t.boxes.size(), 1u);
    EXPECT_EQ(t.boxes[0].x, 100.5L);
    EXPECT_EQ(t.boxes[0].height, 1);
    EXPECT_FALSE(t.noDignity);

    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawDignityTableOn(dc, t, 100, 100);
    // A red box from cx - 7.5 to cx + 4.5, one entry high.
    const display::Point a = display::MapPoint(testing_support::DrawingStateOfTest(), 92.5L, 122),
                         b = display::MapPoint(testing_support::DrawingStateOfTest(), 104.5L, 113);
    const std::string box = "rectangle " + std::to_string(a.x) + "," + std::to_string(a.y) + " " + std::to_string(b.x) +
                            "," + std::to_string(b.y) + " pen=solid";
    const auto rects = dc.Calls("rectangle");
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects.front().compare(0, box.size(), box), 0) << rects.front();
    EXPECT_NE(rects.front().find("#FF0000"), std::string::npos);
    // The number of entry 1 and the label "Val" under the box, in red.
    EXPECT_EQ(TextAt(dc, 94, 115.5L)->text, "1");
    EXPECT_EQ(TextAt(dc, 93.5L, 122)->text, "Val");
    EXPECT_EQ(TextAt(dc, 93.5L, 122)->colour, "#FF0000");
    // Mars's glyph centred at (100.5, 118), size 5.5.
    EXPECT_EQ(dc.Calls("metafile").size(), 1u);
}

TEST_F(DignityTable, SevenBoxesSpreadThirteenUnitsApart) {
    for (int k = 1; k <= 7; ++k) Row(k, {1 + (k % 2), 0}, {{k, 1, 0}});
    const display::DignityBoxTable t = display::EvaluateDignityTable(r_, 100, 100);
    ASSERT_EQ(t.boxes.size(), 7u);
    EXPECT_EQ(t.boxes.front().x, 100 - 35.5L);
    EXPECT_EQ(t.boxes.back().x, 100 + 42.5L);
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawDignityTableOn(dc, t, 100, 100);
    EXPECT_EQ(TextAt(dc, 100 - 35.5L - 7, 122)->text, "Verhog.");  // row 1, state 2
    EXPECT_EQ(TextAt(dc, 100 - 35.5L - 7, 122)->colour, "#00FFFF");
    EXPECT_EQ(TextAt(dc, 100 - 22.5L - 7, 122)->text, "Heerser.");
}

TEST_F(DignityTable, ChainEntriesStackUpwardsWithNumbersAndAbbreviations) {
    // Venus in exile with Mars (level 2, in Venus's sign) and the Moon (level 3, in Mars's).
    Row(1, {3, 0}, {{4, 1, 0}, {5, 2, 4}, {0, 0, 0}, {2, 3, 5}});
    const display::DignityBoxTable t = display::EvaluateDignityTable(r_, 100, 100);
    ASSERT_EQ(t.boxes[0].entries.size(), 3u);
    EXPECT_EQ(t.boxes[0].height, 3);
    EXPECT_EQ(t.boxes[0].entries[2].y, 118 - 14);  // an empty entry does not move the stack
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawDignityTableOn(dc, t, 100, 100);
    EXPECT_EQ(TextAt(dc, 100.5L - 6, 111 - 4)->text, "2");
    EXPECT_EQ(TextAt(dc, 100.5L - 7.5L, 111 - 0.5L)->text, "ven");
    EXPECT_EQ(TextAt(dc, 100.5L - 7.5L, 104 - 0.5L)->text, "mar");
    EXPECT_EQ(TextAt(dc, 100.5L - 7, 122)->text, "Exil");
}

TEST_F(DignityTable, NeighbouringBoxesOfOneExchangeAreJoined) {
    Row(1, {5, 21}, {{5, 1, 0}});  // Mars and Jupiter exchange
    Row(2, {5, 21}, {{6, 1, 0}});
    Row(3, {5, 22}, {{1, 1, 0}});  // another exchange: not joined to the first
    Row(4, {1, 0}, {{7, 1, 0}});
    const display::DignityBoxTable t = display::EvaluateDignityTable(r_, 100, 100);
    ASSERT_EQ(t.boxes.size(), 4u);
    EXPECT_FALSE(t.boxes[0].joined);
    EXPECT_TRUE(t.boxes[1].joined);
    EXPECT_FALSE(t.boxes[2].joined);
    EXPECT_FALSE(t.boxes[3].joined);
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawDignityTableOn(dc, t, 100, 100);
    // The join at the second box (x = cx + 6.5 - 24 + 13 = 95.5): yellow edges over the gap.
    const long double x = 95.5L;
    const auto top = view_test::LineBetween(dc, x - 8, 113, x - 9.6L, 113);
    ASSERT_TRUE(top);
    EXPECT_NE(top->find("#FFFF00"), std::string::npos);
    EXPECT_TRUE(view_test::LineBetween(dc, x - 7.5L, 121.7L, x - 10, 121.7L));
    EXPECT_EQ(dc.Calls("line").size(), 2u);  // only one join
    EXPECT_EQ(TextAt(dc, x - 8, 122)->text, "Uitwis.");
}

TEST_F(DignityTable, NoStateAtAllShowsTheMessageOnlyWhenEveryPlanetIsNeutral) {
    const display::DignityBoxTable t = display::EvaluateDignityTable(r_, 100, 100);
    EXPECT_TRUE(t.noDignity);
    EXPECT_TRUE(t.boxes.empty());
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::DrawDignityTableOn(dc, t, 100, 100);
    EXPECT_EQ(TextAt(dc, 65, 118)->text, "Nessuna Debilit\xE0 n\xE9 Dignit\xE0 Planetaria");

    r_.planetSignKeys[2] = "MercLeon";  // Mercury in Leo: neither listed nor a state
    EXPECT_FALSE(display::EvaluateDignityTable(r_, 100, 100).noDignity);
    EXPECT_FALSE(display::InNoDignitySign("MercLeon"));
    EXPECT_TRUE(display::InNoDignitySign("SatuPesc"));
}

TEST_F(DignityTable, ChartWindowRecordsTheLastGlyphOfEachBody) {
    Row(1, {4, 0}, {{5, 1, 0}, {1, 2, 5}});  // the Sun in Mars's chain
    Row(2, {2, 0}, {{1, 1, 0}});             // and with its own box
    display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
    const display::DignityGlyphCentres c = display::DrawDignityTable(dc, r_);
    EXPECT_FALSE(c.noDignity);
    const long double x0 = 100 + 6.5L - 12;
    EXPECT_EQ(c.x[4], x0);
    EXPECT_EQ(c.y[4], 118);
    EXPECT_EQ(c.x[0], x0 + 13);  // its last drawing
    EXPECT_EQ(c.y[0], 118);
    EXPECT_EQ(c.x[1], 0);
}

}  // namespace
