// Whole charts against the texts the engine showed for them before it was made
// faster. tests/fixtures/engine/chart_texts.z holds, compressed, the texts of
// 20,000 charts (moments from 1800 to 2100, places at every latitude, beyond
// the polar circles too, every house system, the true and the mean node and
// black moon), written once by that engine (tools/chart_texts): positions,
// retrograde marks, latitudes, houses, cusps, angles and aspects as the chart
// window, the sheets and the position hand-off file show them. A text may
// differ only where its value lies within 1e-9 of a boundary between two
// texts, so that the value moved that little either way gives the old text;
// such differences are counted and reported.
#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/test_support.h"
#include "tools/chart_texts/chart_texts.h"

namespace {

class ChartTexts : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(KELVOR_TEST_DATA_DIR);
    }
    void TearDown() override { std::filesystem::current_path(previous_); }
    std::filesystem::path previous_;
};

TEST_F(ChartTexts, EveryChartShowsWhatItShowedBeforeSaveAtRoundingBoundaries) {
    const std::string packed = testing_support::ReadFixture("engine/chart_texts.z");
    const QByteArray unpacked = qUncompress(QByteArray(packed.data(), static_cast<qsizetype>(packed.size())));
    const auto fixture = chart_texts::UnpackFixture(unpacked.toStdString());
    ASSERT_TRUE(fixture) << "the fixture does not unpack";
    ASSERT_GE(fixture->charts, 20000u);
    const auto sample = chart_texts::SampleCharts(fixture->seed, static_cast<int>(fixture->charts));

    constexpr engine::Real kNearBoundary = 1e-9L;
    int nearBoundary = 0, failures = 0;
    long texts = 0, retrograde = 0, polar = 0;
    std::array<int, 9> systems{};
    for (std::uint32_t c = 0; c < fixture->charts; ++c) {
        const chart_texts::ChartInput& in = sample[c];
        const std::vector<chart_texts::ShownText> now = chart_texts::ComputeChartTexts(in);
        ASSERT_EQ(now.size(), fixture->kinds.size()) << chart_texts::InputText(in);
        for (std::size_t t = 0; t < now.size(); ++t) {
            ASSERT_EQ(now[t].kind, fixture->kinds[t]) << now[t].what;
            const std::string before = chart_texts::DecodeText(now[t].kind, fixture->codes[t][c]);
            ++texts;
            if (now[t].kind == chart_texts::Kind::Mark && before == "r") ++retrograde;
            if (now[t].text == before) continue;
            if (now[t].remake(-kNearBoundary) == before || now[t].remake(kNearBoundary) == before) {
                ++nearBoundary;
                std::printf("near a boundary: %s, %s: \"%s\" before, \"%s\" now\n", chart_texts::InputText(in).c_str(),
                            now[t].what.c_str(), before.c_str(), now[t].text.c_str());
                continue;
            }
            if (++failures <= 20)
                ADD_FAILURE() << chart_texts::InputText(in) << ", " << now[t].what << ": \"" << before
                              << "\" before, \"" << now[t].text << "\" now";
        }
        if (in.latDeg >= 67) ++polar;
        for (int s = 0; s < 9; ++s)
            if (std::string(in.system) == chart_texts::kSystems[s]) ++systems[s];
    }
    EXPECT_EQ(failures, 0);
    std::printf("%u charts, %ld texts: %d differ within %.0Le of a boundary between two texts\n", fixture->charts,
                texts, nearBoundary, kNearBoundary);
    RecordProperty("NearBoundaryDifferences", nearBoundary);
    // The sample reaches what it is meant to: retrograde bodies, places beyond
    // the polar circles, every house system.
    EXPECT_GT(retrograde, 20000);
    EXPECT_GT(polar, 2000);
    for (int s = 0; s < 9; ++s) EXPECT_GT(systems[s], 2000) << chart_texts::kSystems[s];
}

}  // namespace
