// Loading the current person from the "TMPR" archive into the birth data and
// the chart.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "archive/archive_files.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/houses.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"
#include "tools/ephemeris_tables/precise_positions.h"

namespace current_person_test {

namespace fs = std::filesystem;
using namespace archive;
using engine::Real;

namespace {

// A fresh working folder holding the ephemeris correction tables.
class CurrentPersonTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(rt::InstalledDataFolder() / "FilePosi", "FilePosi", fs::copy_options::recursive);
        current_ = archive::CurrentChart{};
        current_.settings.node = {engine::NodeKind::True, std::nullopt};
    }
    testing_support::TempWorkFolder folder_;
    // The current person's chart the loaders fill.
    CurrentChart current_;
    engine::Chart& chart_ = current_.chart;
};

BirthRecord Person(const std::string& date, const std::string& calendar = "GR") {
    BirthRecord r;
    r.dateField = date;
    r.placeField = "52N22-004E54AMSTERDAM  *NOORD*  HOLLAND";
    r.calendarField = calendar;
    r.nationalityField = "NEDERLAND";
    r.annotationNumber = "00000";
    return r;
}

}  // namespace

TEST_F(CurrentPersonTest, FirstStartShowsAnEmptyChart) {
    CurrentPersonView v = LoadCurrentPersonForShow(current_);
    EXPECT_TRUE(v.empty);
    EXPECT_TRUE(rt::PathExists("TMPR.ST1"));
    EXPECT_TRUE(rt::PathExists("TMPR.ST2"));
    EXPECT_TRUE(rt::PathExists(kAnnotationHandOff));
    EXPECT_EQ(v.personLines[0], std::string(38, ' '));
    EXPECT_EQ(v.personLines[1], "");
    EXPECT_FALSE(v.textFileExists);
    for (engine::Body body : engine::kBodies) EXPECT_EQ(chart_.bodies[body].longitude, 0) << static_cast<int>(body);
    EXPECT_EQ(chart_.points, engine::ChartPoints{});
    EXPECT_EQ(chart_.moment.julianDay, 0);
    EXPECT_NO_THROW(LoadCurrentPersonForShow(current_));
}

TEST_F(CurrentPersonTest, LoadsBirthDataAndRearrangesTheBodies) {
    WriteCurrentPerson("VAN DER BERG ANNELIES", Person("196012251405+1.5"));
    WriteAnnotationHandOff(" NOTA UNO NOTA DUE");
    CurrentPersonView v = LoadCurrentPersonForShow(current_);
    const auto& b = current_.birth;

    EXPECT_FALSE(v.empty);
    EXPECT_EQ(b.subjectName, "VAN DER BERG ANNELIES");  // as the recall wrote it, unpadded
    EXPECT_EQ(b.birthDateKey, "196012251405+1,5");      // the point became a comma
    EXPECT_EQ(b.birthDateText, "25/12/1960 14:05");
    EXPECT_EQ(b.timeZoneCorrectionText, "+1,5");
    EXPECT_EQ(chart_.moment.zoneCorrection, 1.5L);
    EXPECT_EQ(b.coordinatesText, "52N22-004E54");
    EXPECT_EQ(b.birthPlace, "AMSTERDAM (NOORD) HOLLAND");
    EXPECT_EQ(b.nationality, "NEDERLAND");
    EXPECT_TRUE(chart_.moment.gregorian);
    EXPECT_EQ(current_.settings.houseSystem.kind, engine::HouseSystem::MeanHouses);
    EXPECT_EQ(chart_.settings.houseSystem.kind, engine::HouseSystem::MeanHouses);
    EXPECT_EQ(chart_.place.latitude, engine::NorthLatitude(52, 22, "N"));
    EXPECT_EQ(chart_.place.longitude, engine::EastLongitude(4, 54, "E"));
    EXPECT_EQ(engine::ClockHour(chart_.moment), 14);
    EXPECT_EQ(engine::ClockMinute(chart_.moment), 5);
    const Real jd = engine::JulianDayNumber(1, 25, 12, 1960, 14, 5) + 1.5L / 24;
    EXPECT_EQ(chart_.moment.julianDay, jd);
    EXPECT_EQ(b.julianDayText.substr(0, 10), "JD=2437294");
    EXPECT_EQ(b.julianDayText.size(), 15u);
    EXPECT_EQ(b.timeZoneText, "-1.50");

    EXPECT_EQ(v.personLines[0], b.subjectName);
    EXPECT_EQ(v.personLines[1], "Nascita 25/12/1960 14:05  Correz. +1,5");
    EXPECT_EQ(v.personLines[2], "Localit\xE0: AMSTERDAM (NOORD) HOLLAND");
    EXPECT_EQ(v.personLines[3], "Nazionalit\xE0: NEDERLAND");
    EXPECT_EQ(v.personLines[4], "Coordinate: 52N22-004E54");
    EXPECT_EQ(v.personLines[5], "Calendario GREGORIANO");
    EXPECT_EQ(v.personLines[6], "");
    EXPECT_EQ(v.annotationText, " NOTA UNO NOTA DUE");
    EXPECT_EQ(ReadAnnotationHandOff(), " NOTA UNO NOTA DUE");

    // The nodes and the angles.
    const engine::ChartPoints& p = chart_.points;
    EXPECT_EQ(p.southNode, engine::Mod360(p.northNode + 180));
    EXPECT_NEAR(static_cast<double>(std::fabs(std::remainder(p.southNode - p.northNode, 360.0L))), 180.0, 1e-12);
    EXPECT_EQ(p.ascendant, chart_.cusps[1]);
    EXPECT_EQ(p.midheaven,
              engine::ComputeChartHouses(chart_.moment, chart_.place, engine::HouseSystem::MeanHouses).midheaven);
    const engine::PointLongitudes latitudes = engine::PointLatitudesOf(chart_);
    for (int i = 7; i < engine::kChartPointCount; ++i) EXPECT_EQ(latitudes[i], 0) << i;
    for (engine::Body body : engine::kBodies) EXPECT_GE(chart_.bodies[body].longitude, 0) << static_cast<int>(body);
    for (Real longitude : engine::PointLongitudesOf(chart_)) EXPECT_GE(longitude, 0);
    // Equal houses from the Ascendant.
    for (int i = 2; i <= 12; ++i)
        EXPECT_NEAR(static_cast<double>(chart_.cusps[i]),
                    static_cast<double>(engine::Mod360(chart_.cusps[1] + 30 * (i - 1))), 1e-9);

    // The node of the same moment computed here.
    const engine::ComputedBodies here =
        engine::ComputeBodiesWithRetro(0, jd, engine::BodySettingsOf(current_.settings, chart_.cusps));
    EXPECT_NEAR(static_cast<double>(p.northNode), static_cast<double>(here.bodies[engine::Body::Node].longitude),
                1e-12);
}

TEST_F(CurrentPersonTest, RetrogradeMarksOfThePlanetsAndBothNodes) {
    // 1 July 2000: Mercury and Pluto both move backwards.
    const Real jd = engine::JulianDayNumber(1, 1, 7, 2000, 12, 0) - 2.0L / 24;
    using engine::ChartPoint;
    const engine::BodyTable<engine::BodyPosition> computed =
        engine::ComputeBodiesWithRetro(0, jd, engine::BodySettingsOf(current_.settings, engine::HouseCusps{})).bodies;
    ASSERT_TRUE(computed[engine::Body::Mercury].retrograde);
    ASSERT_TRUE(computed[engine::Body::Pluto].retrograde);

    WriteCurrentPerson("ROSSI", Person("200007011200-2"));
    LoadCurrentPersonForShow(current_);
    EXPECT_TRUE(engine::PointRetrograde(chart_, ChartPoint::Mercury));
    EXPECT_FALSE(engine::PointRetrograde(chart_, ChartPoint::Ascendant));  // where Pluto stood
    for (int i = 0; i < engine::kClassicalPlanetCount; ++i)
        EXPECT_EQ(engine::PointRetrograde(chart_, static_cast<ChartPoint>(i)),
                  computed[static_cast<engine::Body>(i)].retrograde)
            << i;
    // Both nodes move with the lunar node.
    EXPECT_EQ(engine::PointRetrograde(chart_, ChartPoint::NorthNode), computed[engine::Body::Node].retrograde);
    EXPECT_EQ(engine::PointRetrograde(chart_, ChartPoint::SouthNode),
              engine::PointRetrograde(chart_, ChartPoint::NorthNode));
    EXPECT_FALSE(engine::PointRetrograde(chart_, ChartPoint::Midheaven));
}

TEST_F(CurrentPersonTest, NodesCarryTheNodesDirectionNotUranussOrNeptunes) {
    precise::Init();
    struct Case {
        const char* date;  // Milano, clock time an hour ahead of UT
        bool uranusBackwards, nodeBackwards;
    };
    // 15 March 1978: Uranus backwards, the true node forwards; in November the
    // other way round.
    for (const Case& k : {Case{"197803151430-1", true, false}, Case{"197811151430-1", false, true}}) {
        BirthRecord r = Person(k.date);
        r.placeField = "45N28-009E11MILANO";
        WriteCurrentPerson("BIANCHI", r);
        LoadCurrentPersonForShow(current_);
        // The precise ephemeris agrees that this is the case to test.
        const double jd = static_cast<double>(chart_.moment.julianDay);
        const precise::Position uranus = precise::At(jd, engine::kUranus, true);
        const precise::Position node = precise::At(jd, engine::kNode, true);
        const precise::Position neptune = precise::At(jd, engine::kNeptune, true);
        ASSERT_EQ(uranus.lonSpeed < 0, k.uranusBackwards) << k.date;
        ASSERT_EQ(node.lonSpeed < 0, k.nodeBackwards) << k.date;
        ASSERT_GT(neptune.lonSpeed, 0) << k.date;

        using engine::ChartPoint;
        using engine::PointRetrograde;
        EXPECT_EQ(PointRetrograde(chart_, ChartPoint::NorthNode), k.nodeBackwards) << k.date;
        EXPECT_EQ(PointRetrograde(chart_, ChartPoint::SouthNode), k.nodeBackwards) << k.date;
        EXPECT_FALSE(PointRetrograde(chart_, ChartPoint::Ascendant)) << k.date;
        EXPECT_FALSE(PointRetrograde(chart_, ChartPoint::Midheaven)) << k.date;
        // Saturn keeps its own mark: backwards in March, forwards in November.
        const precise::Position saturn = precise::At(jd, engine::kSaturn, true);
        EXPECT_EQ(PointRetrograde(chart_, ChartPoint::Saturn), saturn.lonSpeed < 0) << k.date;

        // The mean node always moves backwards: both nodes marked.
        current_.settings.node = {engine::NodeKind::Mean, std::nullopt};
        LoadCurrentPersonForShow(current_);
        EXPECT_TRUE(PointRetrograde(chart_, ChartPoint::NorthNode)) << k.date;
        EXPECT_TRUE(PointRetrograde(chart_, ChartPoint::SouthNode)) << k.date;
        current_.settings.node = {engine::NodeKind::True, std::nullopt};
    }
}

TEST_F(CurrentPersonTest, JulianCalendarAndALoadThatRestoresThePerson) {
    WriteCurrentPerson("ROSSI", Person("170003101030+0", "GI"));
    CurrentPersonView v = LoadCurrentPersonForShow(current_);
    EXPECT_EQ(v.personLines[5], "Calendario GIULIANO");
    EXPECT_FALSE(chart_.moment.gregorian);
    EXPECT_EQ(chart_.moment.julianDay, engine::JulianDayNumber(0, 10, 3, 1700, 10, 30));
    const auto bodies = chart_.bodies;
    const auto points = chart_.points;
    const auto cusps = chart_.cusps;

    // Another chart in between; loading the person again restores it.
    current_.settings.houseSystem = {engine::HouseSystem::Koch, std::nullopt};
    chart_.bodies =
        engine::ComputeBodies(0, false, 2451545.0L, engine::BodySettingsOf(current_.settings, cusps)).bodies;
    LoadCurrentPersonForShow(current_);
    EXPECT_EQ(chart_.bodies, bodies);
    EXPECT_EQ(chart_.points, points);
    EXPECT_EQ(chart_.cusps, cusps);
    EXPECT_EQ(current_.settings.houseSystem.kind, engine::HouseSystem::MeanHouses);
}

TEST_F(CurrentPersonTest, TextButtonFollowsTheTextFile) {
    WriteCurrentPerson("ROSSI", Person("196012251405-1"));
    EXPECT_FALSE(LoadCurrentPersonForShow(current_).textFileExists);  // no "StrText.dum"
    WriteTextHandOff("BASE", "00007");
    CurrentPersonView v = LoadCurrentPersonForShow(current_);
    EXPECT_EQ(v.textFileName, "BASEtxt\\00007.txt");
    EXPECT_FALSE(v.textFileExists);
    fs::create_directory("BASEtxt");
    rt::WriteTextLines("BASEtxt\\00007.txt", {"ROSSI"});
    EXPECT_TRUE(LoadCurrentPersonForShow(current_).textFileExists);
}

}  // namespace current_person_test
