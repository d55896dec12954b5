// Dominant-planet scores: the criteria on hand-made points and the files of a
// fixture chart.
#include "engine/dominants.h"
#include "engine/bodies_theory.h"
#include "engine/engine_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "engine/houses.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_range.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"

namespace dominants_test {

using namespace engine;

namespace {

// The chart, birth data and orbs these tests hand to the engine.
Chart theChart;
BirthData birth;

}  // namespace

namespace {

// Planet 1 (the Sun) to 10 (Pluto).
Body Planet(int i) { return static_cast<Body>(i - 1); }

// Cusps of 30 degrees each from the Ascendant; every planet at `lon` moving
// direct at a moderate speed.
VolguinePoints EqualHouses(long double asc) {
    VolguinePoints p;
    for (int k = 1; k <= 12; ++k) {
        long double c = asc + 30 * (k - 1);
        p.cusps[k] = c >= 360 ? c - 360 : c;
    }
    p.ascendant = p.cusps[1];
    p.midheaven = p.cusps[10];
    for (int i = 1; i <= 10; ++i) {
        p.longitude[Planet(i)] = 200;
        p.later[Planet(i)] = 200;
    }
    return p;
}

std::vector<int> Criterion(const VolguineScores& s, VolguineCriterion c) {
    return {s.criterion[c].begin(), s.criterion[c].end()};
}

}  // namespace

TEST(VolguineCriteria, AscendantNearTheEndOfItsSignAddsTheNextSign) {
    // Ascendant at 27 30' Aries: Aries and Taurus rows; at 27 00': Aries only.
    EXPECT_EQ(Criterion(ScoreVolguine(EqualHouses(27.5L)), VolguineCriterion::AscendantSign),
              (std::vector<int>{8, 9, 5, 8, 8, 7, 4, 1, 3, 1}));
    EXPECT_EQ(Criterion(ScoreVolguine(EqualHouses(27.0L)), VolguineCriterion::AscendantSign),
              (std::vector<int>{8, 0, 2, -2, 11, 5, -2, 3, 0, -1}));
    // Pisces wraps to Aries.
    EXPECT_EQ(Criterion(ScoreVolguine(EqualHouses(358.0L)), VolguineCriterion::AscendantSign)[0], 0 + 8);
}

TEST(VolguineCriteria, SpeedsIncludingRetrogradeAndTheTurnOfAries) {
    VolguinePoints p = EqualHouses(5);
    const long double now[11] = {0, 359.99L, 100, 10, 20, 30, 40, 50, 60, 70, 80};
    const long double speed[11] = {0, 0, 13, -0.5L, -0.2L, -0.4L, 0.2L, 0.03L, 0.04L, 0, -0.01L};
    for (int i = 1; i <= 10; ++i) {
        p.longitude[Planet(i)] = now[i];
        p.later[Planet(i)] = now[i] + speed[i] / 12;
    }
    p.later[Body::Sun] = 0.07L;  // the Sun crosses 0 Aries: 0.96 degree a day
    const VolguineScores s = ScoreVolguine(p);
    EXPECT_NEAR(static_cast<double>(s.speed[Body::Sun]), 0.96, 1e-9);
    EXPECT_EQ(Criterion(s, VolguineCriterion::Speed), (std::vector<int>{1, 3, -3, -1, -5, 5, 1, 3, 1, -5}));
}

TEST(VolguineCriteria, HousesAndTheirParts) {
    VolguinePoints p = EqualHouses(27.5L);
    p.longitude[Body::Sun] = 117.5L;          // exactly on cusp 4: house 3, last part
    p.longitude[Body::Moon] = 27.5L + 29.5L;  // rounds to 30 degrees into a 29.6-degree house
    p.cusps[2] = 27.5L + 29.6L;
    p.longitude[Body::Mercury] = 87.5L + 22.5L;  // house 3, rounded 22 degrees: part 5
    const VolguineScores s = ScoreVolguine(p);
    EXPECT_EQ(s.house[Body::Sun], 3);
    EXPECT_EQ(s.house[Body::Moon], 1);
    EXPECT_EQ(s.house[Body::Mercury], 3);
    EXPECT_EQ(s.ascendantHouse, 1);
    EXPECT_EQ(s.midheavenHouse, 9);  // the Midheaven ends house 9
    EXPECT_EQ(s.criterion[VolguineCriterion::HousePart][Body::Sun], 8);
    // Beyond the last part: the last part's value.
    EXPECT_EQ(s.criterion[VolguineCriterion::HousePart][Body::Moon], 8);
    EXPECT_EQ(s.criterion[VolguineCriterion::HousePart][Body::Mercury], 6);
    EXPECT_EQ(s.criterion[VolguineCriterion::HouseAffinity][Body::Sun], 0);      // Sun in house 3
    EXPECT_EQ(s.criterion[VolguineCriterion::HouseAffinity][Body::Moon], 0);     // Moon in house 1
    EXPECT_EQ(s.criterion[VolguineCriterion::HouseAffinity][Body::Mercury], 2);  // Mercury in house 3
}

TEST(VolguineCriteria, DegreeZonesAreOpen) {
    VolguinePoints p = EqualHouses(5);
    p.longitude[Body::Sun] = 90;                // the Sun on a zone limit
    p.longitude[Body::Moon] = 12.8572L;         // the Moon on its lower limit
    p.longitude[Body::Mercury] = 180 + 38.58L;  // Mercury inside its third zone
    p.longitude[Body::Venus] = 64.2864L;        // Venus on its limit
    p.longitude[Body::Mars] = 270 + 30;         // Mars inside its fourth zone
    p.longitude[Body::Jupiter] = 55;            // Jupiter inside
    p.longitude[Body::Saturn] = 89.9L;          // Saturn inside
    p.longitude[Body::Uranus] = 5;              // Uranus never scores
    const VolguineScores s = ScoreVolguine(p);
    EXPECT_EQ(Criterion(s, VolguineCriterion::DegreeZone), (std::vector<int>{0, 0, 5, 0, 5, 5, 5, 0, 0, 0}));
}

TEST(VolguineCriteria, ElementsOfScoresInOneSign) {
    VolguinePoints p = EqualHouses(5);
    for (int i = 1; i <= 10; ++i) p.longitude[Planet(i)] = p.later[Planet(i)] = 130;  // all in Leo
    const VolguineScores s = ScoreVolguine(p);
    // One sign holds every score: 50 for it and 1 for each other sign.
    EXPECT_EQ(s.elementsAll, (std::array<int, 4>{52, 3, 3, 3}));
    EXPECT_EQ(s.elementsClassical, (std::array<int, 4>{52, 3, 3, 3}));
}

class VolguineFiles : public ::testing::Test {
protected:
    void SetUp() override {
        // The body computation reads the ephemeris correction tables of the build.
        std::filesystem::create_directory_symlink(std::filesystem::path(std::getenv("KELVOR_DATA_DIR")) / "FilePosi",
                                                  folder_.Path() / "FilePosi");
        theChart = Chart{};
        birth = BirthData{};
        theChart.settings.node = ParseNodeKind("VERO");
        theChart.settings.blackMoon = ParseBlackMoonKind("MEDIA");
        theChart.settings.houseSystem = ParseHouseSystem("PLACIDO");
        theChart.moment.gregorian = true;
        birth.subjectName = "Rossi Mario";
        birth.birthDateKey = "196012251405-1,00";
        birth.coordinatesText = "41N54-012E29";
        birth.birthPlace = "Roma";
        theChart.moment.julianDay = 2437294.3784722L;
        for (Body b : kBodies) theChart.bodies[b].longitude = BodyNumberOf(b) * 1.5L;
        theChart.bodies[Body::Mercury].retrograde = true;
        for (int i = 1; i <= 12; ++i) theChart.cusps[i] = i * 30 - 12.25L;
    }
    testing_support::TempWorkFolder folder_;
};

TEST_F(VolguineFiles, TemporaryChartFileLayout) {
    WriteChartDataTemp(theChart, birth);
    const auto lines = rt::ReadTextLines(kChartDataTempFile);
    ASSERT_EQ(lines.size(), 85u);
    EXPECT_EQ(lines[0], "Rossi Mario");
    EXPECT_EQ(lines[1], "196012251405-1,00");
    EXPECT_EQ(lines[2], "41N54-012E29Roma");
    EXPECT_EQ(lines[3], "PLACIDO");
    EXPECT_EQ(lines[4].size(), 23u);
    EXPECT_EQ(lines[39], "BREEDTEGRADEN");
    EXPECT_EQ(lines[52], "RETROGRADI");
    EXPECT_EQ(lines[55], "r");
    EXPECT_EQ(lines[53], " ");
}

TEST_F(VolguineFiles, ImpossibleBirthNumbersInTheTemporaryFileAreADamagedFile) {
    // A longitude of "9E9" degrees once reached an integer conversion; a year
    // of "1E30" the Julian day. Nothing is counted or written.
    for (const auto& [date, place, field] :
         {std::tuple<const char*, const char*, const char*>{"196012251405-1", "41N54-9E9E29ROMA", "longitudine"},
          {"1E3012251405-1", "41N54-012E29ROMA", "anno"},
          {"196012251405+1E40", "41N54-012E29ROMA", "correzione del fuso"},
          {"196012251405-1", "95N54-012E29ROMA", "latitudine"}}) {
        WriteChartDataTemp(theChart, birth, date, place);
        try {
            ComputeVolguineDominants(theChart);
            ADD_FAILURE() << date << " " << place;
        } catch (const rt::DamagedFileError& e) {
            EXPECT_EQ(e.File(), kChartDataTempFile);
            EXPECT_EQ(e.Field(), field) << date << " " << place;
        }
        EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "FileDum" / "MMMaitre.dum"));
    }
}

TEST_F(VolguineFiles, MissingTemporaryFileWritesNothing) {
    EXPECT_THROW(ComputeVolguineDominants(theChart), rt::IoError);
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "FileDum" / "MMMaitre.dum"));
}

// Rossi Mario, 25/12/1960 14:05, one hour east, Rome (41N54, 12E29). Checked by
// hand from independent positions: Ascendant 22 34' Taurus; Sun 3 46' Capricorn
// in house 8, Moon 9 12' Aries in 12, Mercury 27 14' Sagittarius in 8, Venus
// 17 51' Aquarius in 10, Mars 10 41' Cancer (retrograde) in 3, Jupiter 12 36'
// and Saturn 18 50' Capricorn in 9, Uranus 25 32' Leo (retrograde) in 4,
// Neptune 10 41' Scorpio in 6, Pluto 8 04' Virgo (retrograde) in 5.
TEST_F(VolguineFiles, FixtureChartMatchesCheckedTables) {
    WriteChartDataTemp(theChart, birth);
    const Chart chartBefore = theChart;
    const BirthData birthBefore = birth;
    ComputeVolguineDominants(theChart);

    // The chart is left as it was found.
    EXPECT_EQ(theChart.bodies, chartBefore.bodies);
    EXPECT_EQ(theChart.cusps, chartBefore.cusps);
    EXPECT_EQ(theChart.moment, chartBefore.moment);
    EXPECT_EQ(birth.coordinatesText, birthBefore.coordinatesText);

    const std::string table = testing_support::ReadBytes(folder_.Path() / "FileDum" / "MMMaitre.dum");
    const std::string totals = testing_support::ReadBytes(folder_.Path() / "FileDum" / "MMMaitr2.dum");
    EXPECT_EQ(table, testing_support::ReadFixture("engine/MMMaitre.dum"));
    EXPECT_EQ(totals, testing_support::ReadFixture("engine/MMMaitr2.dum"));
}

TEST_F(VolguineFiles, CalendarComesFromTheChart) {
    // The same date line in the Julian calendar is 13 days later: another Moon.
    WriteChartDataTemp(theChart, birth);
    ComputeVolguineDominants(theChart);
    const auto gregorian = rt::ReadTextLines("FileDum\\MMMaitre.dum");
    theChart.moment.gregorian = false;
    ComputeVolguineDominants(theChart);
    const auto julian = rt::ReadTextLines("FileDum\\MMMaitre.dum");
    ASSERT_EQ(gregorian.size(), 96u);
    ASSERT_EQ(julian.size(), 96u);
    EXPECT_EQ(gregorian[2], julian[2]);  // the heading shows the date as written
    EXPECT_NE(gregorian, julian);
}

}  // namespace dominants_test
