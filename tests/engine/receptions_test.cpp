// Dignities, mutual receptions and their chains; the generated exchange tables.
#include "engine/receptions.h"
#include "engine/angles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/gui/message_box.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"

namespace receptions_test {

using namespace engine;

namespace {

// The chart these tests hand to the engine, and the receptions it gave.
Chart theChart;
ReceptionTables receptions;

}  // namespace
namespace fs = std::filesystem;

namespace {

enum Sign { kAri = 1, kTau, kGem, kCan, kLeo, kVir, kLib, kSco, kSag, kCap, kAqu, kPis };

fs::path BuiltTables() { return fs::path(std::getenv("KELVOR_DATA_DIR")) / "Scambi"; }

class ReceptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        theChart = Chart{};
        fs::copy(BuiltTables(), folder_.Path() / "Scambi", fs::copy_options::recursive);
    }
    // Places planets 1..7 in the middle of the given signs.
    static void Place(std::initializer_list<int> signs) {
        int p = 1;
        for (int s : signs) theChart.bodies[static_cast<Body>(p++ - 1)].longitude = (s - 1) * 30 + 15.5L;
    }
    static std::vector<int> Row(const ReceptionTables::Row& r) { return {r.begin(), r.end()}; }

    testing_support::TempWorkFolder folder_;
};

}  // namespace

TEST_F(ReceptionsTest, TwoExchangesWithChains) {
    // Mercury in Aries and Mars in Gemini; Venus in Sagittarius and Jupiter in
    // Libra; Saturn in its detriment; the Sun in Mercury's domicile and the Moon
    // in Jupiter's.
    Place({kGem, kSag, kAri, kSag, kGem, kLib, kLeo});
    receptions = ComputeReceptions(theChart);

    EXPECT_EQ(receptions.planetSignKeys[0], "SoleGeme");
    EXPECT_EQ(receptions.planetSignKeys[6], "SatuLeon");
    EXPECT_EQ(SignOf(theChart.bodies[Body::Mercury].longitude), kAri);

    const std::array<unsigned char, 7> dignity = {3, 5, 5, 5, 5, 0, 0};
    const std::array<unsigned char, 7> group = {0, 21, 21, 22, 22, 0, 0};
    EXPECT_EQ(receptions.planetDignity, dignity);
    EXPECT_EQ(receptions.receptionGroup, group);
    EXPECT_EQ(Row(receptions.receptionBodies[0]), (std::vector<int>{7, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(receptions.receptionBodies[1]), (std::vector<int>{3, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(receptions.receptionNumbers[1]), (std::vector<int>{1, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(receptions.receptionSigns[1]), (std::vector<int>{0, 3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(receptions.receptionBodies[2]), (std::vector<int>{5, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(receptions.receptionBodies[4]), (std::vector<int>{6, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(receptions.receptionSigns[4]), (std::vector<int>{0, 6, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(receptions.receptionBodies[5]), (std::vector<int>(8, 0)));
}

TEST_F(ReceptionsTest, ThreePlanetCycleBesideAnExchange) {
    // Mars in Sagittarius, Jupiter in Aquarius, Saturn in Scorpio: a cycle of
    // three. Mercury in Taurus and Venus in Gemini exchange. The Sun stands in
    // Mercury's domicile, the Moon in Mars's.
    Place({kGem, kAri, kTau, kGem, kSag, kAqu, kSco});
    receptions = ComputeReceptions(theChart);
    const std::array<unsigned char, 7> dignity = {5, 5, 5, 5, 5, 0, 0};
    const std::array<unsigned char, 7> group = {21, 21, 3, 3, 3, 0, 0};
    EXPECT_EQ(receptions.planetDignity, dignity);
    EXPECT_EQ(receptions.receptionGroup, group);
    EXPECT_EQ(Row(receptions.receptionBodies[0]), (std::vector<int>{3, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(receptions.receptionBodies[2]), (std::vector<int>{5, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(receptions.receptionSigns[2]), (std::vector<int>{0, 5, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ReceptionsTest, NoExchangeAndChainLevels) {
    // Mercury in its domicile, five planets in Gemini, Jupiter in Leo (the
    // Sun's domicile): one row, the Sun's link brings Jupiter at level 3.
    Place({kGem, kGem, kGem, kGem, kGem, kLeo, kGem});
    receptions = ComputeReceptions(theChart);
    const std::array<unsigned char, 7> dignity = {1, 0, 0, 0, 0, 0, 0};
    const std::array<unsigned char, 7> none = {};
    EXPECT_EQ(receptions.planetDignity, dignity);
    EXPECT_EQ(receptions.receptionGroup, none);
    EXPECT_EQ(Row(receptions.receptionBodies[0]), (std::vector<int>{3, 1, 2, 4, 5, 7, 6, 0}));
    EXPECT_EQ(Row(receptions.receptionNumbers[0]), (std::vector<int>{1, 2, 2, 2, 2, 2, 3, 0}));
    EXPECT_EQ(Row(receptions.receptionSigns[0]), (std::vector<int>{0, 3, 3, 3, 3, 3, 1, 0}));
}

TEST_F(ReceptionsTest, SortingAndDignifiedPlanetsOutsideChains) {
    // Sun in Leo (domicile), Moon in Taurus (exaltation), Mercury in Pisces
    // (detriment), Venus in Virgo (fall); Mars and Jupiter in Leo, where they
    // have no dignity, join the Sun's row; Saturn in Gemini joins Mercury's.
    Place({kLeo, kTau, kPis, kVir, kLeo, kLeo, kGem});
    receptions = ComputeReceptions(theChart);
    const std::array<unsigned char, 7> dignity = {3, 4, 2, 1, 0, 0, 0};
    EXPECT_EQ(receptions.planetDignity, dignity);
    EXPECT_EQ(Row(receptions.receptionBodies[0]), (std::vector<int>{3, 7, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(receptions.receptionBodies[1][0], 4);
    EXPECT_EQ(receptions.receptionBodies[2][0], 2);
    EXPECT_EQ(Row(receptions.receptionBodies[3]), (std::vector<int>{1, 5, 6, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(receptions.receptionBodies[4]), (std::vector<int>(8, 0)));
}

TEST(ReceptionsFiles, AllDignifiedReadsNoFileAndMissingFileRaises) {
    testing_support::TempWorkFolder empty;
    ExchangeTables tables;  // the exchange files of this folder
    theChart = Chart{};
    const int domicile[] = {kLeo, kCan, kGem, kTau, kAri, kSag, kCap};  // the Sun's first
    for (int p = 0; p < 7; ++p) theChart.bodies[static_cast<Body>(p)].longitude = (domicile[p] - 1) * 30 + 1;
    EXPECT_NO_THROW(receptions = ComputeReceptions(theChart, tables));
    for (int r = 0; r < 7; ++r) EXPECT_EQ(receptions.planetDignity[r], 1);

    theChart.bodies[static_cast<Body>(1 - 1)].longitude = (kGem - 1) * 30 + 1;  // the Sun without dignity
    theChart.bodies[static_cast<Body>(2 - 1)].longitude = (kGem - 1) * 30 + 1;  // and the Moon
    EXPECT_THROW(static_cast<void>(ComputeReceptions(theChart, tables)), rt::IoError);
}

// The exchange tables of random bytes and cut in half: each is named, put back
// from the installation with its damaged copy kept, and the exchanges found
// are those of the sound tables (the placements of the two tests above).
TEST_F(ReceptionsTest, DamagedTablesArePutBackAndTheExchangesFound) {
    const fs::path two = folder_.Path() / "Scambi" / "Scambio22.txt";
    const fs::path three = folder_.Path() / "Scambi" / "Scambio33.txt";
    const std::string garbage = testing_support::RandomBytes(fs::file_size(two), 5);
    const std::string cycles = testing_support::ReadBytes(three);
    testing_support::WriteBytes(two, garbage);
    testing_support::WriteBytes(three, cycles.substr(0, cycles.size() / 2));
    gui::RecordingMessageSink sink;
    ExchangeTables tables;  // the exchange files of this folder

    Place({kGem, kSag, kAri, kSag, kGem, kLib, kLeo});  // two exchanges of two
    receptions = ComputeReceptions(theChart, tables);
    EXPECT_EQ(receptions.receptionGroup, (std::array<unsigned char, 7>{0, 21, 21, 22, 22, 0, 0}));
    Place({kGem, kAri, kTau, kGem, kSag, kAqu, kSco});  // a cycle of three beside an exchange
    receptions = ComputeReceptions(theChart, tables);
    EXPECT_EQ(receptions.receptionGroup, (std::array<unsigned char, 7>{21, 21, 3, 3, 3, 0, 0}));

    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].text.rfind("Il file \"Scambi\\Scambio22.txt\" \xE8 danneggiato o incompleto (", 0), 0u)
        << sink.messages[0].text;
    EXPECT_NE(sink.messages[0].text.find("\"Scambio22.txt.damaged1\""), std::string::npos) << sink.messages[0].text;
    EXPECT_EQ(sink.messages[1].text.rfind("Il file \"Scambi\\Scambio33.txt\" \xE8 danneggiato o incompleto (", 0), 0u)
        << sink.messages[1].text;
    EXPECT_EQ(testing_support::ReadBytes(two), testing_support::ReadBytes(BuiltTables() / "Scambio22.txt"));
    EXPECT_EQ(testing_support::ReadBytes(three), cycles);
    EXPECT_EQ(testing_support::ReadBytes(folder_.Path() / "Scambi" / "Scambio22.txt.damaged1"), garbage);
}

// The generated tables: every line one closed cycle, no line twice, and as many
// lines as there are cycles: (k - 1)! x the sum over k-groups of the product
// of the planets' numbers of domiciles.
TEST(ReceptionTables, LinesAreExactlyTheClosedCycles) {
    const int domicileCount[] = {0, 1, 1, 2, 2, 2, 2, 2};
    for (int k = 2; k <= 5; ++k) {
        const auto path = BuiltTables() / ("Scambio" + std::to_string(k) + std::to_string(k) + ".txt");
        const std::string bytes = testing_support::ReadBytes(path);
        ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        const auto lines = rt::ReadTextLines(path.string());
        std::set<std::string> unique(lines.begin(), lines.end());
        EXPECT_EQ(unique.size(), lines.size()) << k;

        for (const auto& line : lines) {
            ASSERT_EQ(line.size(), static_cast<std::size_t>(4 * k)) << line;
            std::vector<int> planet(k), sign(k);
            for (int i = 0; i < k; ++i) {
                planet[i] = std::stoi(line.substr(4 * i, 2));
                sign[i] = std::stoi(line.substr(4 * i + 2, 2));
                if (i > 0) {
                    ASSERT_LT(planet[i - 1], planet[i]) << line;
                }
            }
            // Walk from the first planet to the planet whose domicile it stands in.
            int at = 0;
            std::set<int> seen;
            for (int step = 0; step < k; ++step) {
                seen.insert(at);
                const int ruler = DomicileRuler(sign[at]);
                int next = -1;
                for (int i = 0; i < k; ++i)
                    if (planet[i] == ruler) next = i;
                ASSERT_GE(next, 0) << line;
                at = next;
            }
            EXPECT_EQ(at, 0) << line;
            EXPECT_EQ(seen.size(), static_cast<std::size_t>(k)) << line;
        }

        long long sum = 0;
        for (int mask = 0; mask < 128; ++mask) {
            if (__builtin_popcount(mask) != k) continue;
            long long product = 1;
            for (int p = 1; p <= 7; ++p)
                if (mask & (1 << (p - 1))) product *= domicileCount[p];
            sum += product;
        }
        long long factorial = 1;
        for (int i = 2; i < k; ++i) factorial *= i;
        EXPECT_EQ(static_cast<long long>(lines.size()), factorial * sum) << k;
    }
}

}  // namespace receptions_test
