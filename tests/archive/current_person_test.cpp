// Loading the current person from the "TMPR" archive into the birth data and
// the chart state.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "archive/archive_files.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"
#include "tools/ephemeris_tables/precise_positions.h"

namespace fs = std::filesystem;
using namespace archive;
using engine::Real;

namespace {

// A fresh working folder holding the ephemeris correction tables.
class CurrentPersonTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(rt::InstalledDataFolder() / "FilePosi", "FilePosi", fs::copy_options::recursive);
        engine::ResetChartState(current.chart, current.birth, current.orbs);
        chart.NodeType = "VERO";
        chart.DegToRad = engine::kPi / 180;
    }
    testing_support::TempWorkFolder folder_;
    // The current person's chart the loaders fill.
    CurrentChart current;
    engine::ChartState& chart = current.chart;
};

BirthRecord Person(const std::string& date, const std::string& calendar = "GR") {
    BirthRecord r;
    r.DateField = date;
    r.PlaceField = "52N22-004E54AMSTERDAM  *NOORD*  HOLLAND";
    r.CalendarField = calendar;
    r.NationalityField = "NEDERLAND";
    r.AnnotationNumber = "00000";
    return r;
}

}  // namespace

TEST_F(CurrentPersonTest, FirstStartShowsAnEmptyChart) {
    CurrentPersonView v = LoadCurrentPersonForShow(current);
    EXPECT_TRUE(v.Empty);
    EXPECT_TRUE(rt::PathExists("TMPR.ST1"));
    EXPECT_TRUE(rt::PathExists("TMPR.ST2"));
    EXPECT_TRUE(rt::PathExists(kAnnotationHandOff));
    EXPECT_EQ(v.PersonLines[0], std::string(38, ' '));
    EXPECT_EQ(v.PersonLines[1], "");
    EXPECT_FALSE(v.TextFileExists);
    for (int i = 1; i <= 22; ++i) EXPECT_EQ(chart.PlanetLongitudes[i], 0) << i;
    EXPECT_EQ(chart.JulianDay, 0);
    EXPECT_NO_THROW(ReloadCurrentChart(current));
}

TEST_F(CurrentPersonTest, LoadsBirthDataAndRearrangesTheBodies) {
    WriteCurrentPerson("VAN DER BERG ANNELIES", Person("196012251405+1.5"));
    WriteAnnotationHandOff(" NOTA UNO NOTA DUE");
    CurrentPersonView v = LoadCurrentPersonForShow(current);
    const auto& b = current.birth;

    EXPECT_FALSE(v.Empty);
    EXPECT_EQ(b.SubjectName, "VAN DER BERG ANNELIES");  // as the recall wrote it, unpadded
    EXPECT_EQ(b.BirthDateKey, "196012251405+1,5");  // the point became a comma
    EXPECT_EQ(b.BirthDateText, "25/12/1960 14:05");
    EXPECT_EQ(b.TimeZoneCorrectionText, "+1,5");
    EXPECT_EQ(chart.TimeZoneCorrection, 1.5L);
    EXPECT_EQ(b.CoordinatesText, "52N22-004E54");
    EXPECT_EQ(b.BirthPlace, "AMSTERDAM (NOORD) HOLLAND");
    EXPECT_EQ(b.Nationality, "NEDERLAND");
    EXPECT_TRUE(chart.GregorianCalendar);
    EXPECT_EQ(chart.HouseSystemName, "CASE_MEDIE");
    EXPECT_EQ(chart.LatitudeDegrees[1], 52);
    EXPECT_EQ(chart.LongitudeMinutes[1], 54);
    EXPECT_EQ(chart.LongitudeLetter[1], "E");
    EXPECT_EQ(chart.BirthHour[1], 14);
    EXPECT_EQ(chart.BirthMinute[1], 5);
    const Real jd = engine::JulianDayNumber(1, 25, 12, 1960, 14, 5) + 1.5L / 24;
    EXPECT_EQ(chart.JulianDay, jd);
    EXPECT_EQ(b.JulianDayText.substr(0, 10), "JD=2437294");
    EXPECT_EQ(b.JulianDayText.size(), 15u);
    EXPECT_EQ(b.TimeZoneText, "-1.50");

    EXPECT_EQ(v.PersonLines[0], b.SubjectName);
    EXPECT_EQ(v.PersonLines[1], "Nascita 25/12/1960 14:05  Correz. +1,5");
    EXPECT_EQ(v.PersonLines[2], "Localit\xE0: AMSTERDAM (NOORD) HOLLAND");
    EXPECT_EQ(v.PersonLines[3], "Nazionalit\xE0: NEDERLAND");
    EXPECT_EQ(v.PersonLines[4], "Coordinate: 52N22-004E54");
    EXPECT_EQ(v.PersonLines[5], "Calendario GREGORIANO");
    EXPECT_EQ(v.PersonLines[6], "");
    EXPECT_EQ(v.AnnotationText, " NOTA UNO NOTA DUE");
    EXPECT_EQ(ReadAnnotationHandOff(), " NOTA UNO NOTA DUE");

    // Entries 8 to 11: north node, south node, Ascendant, Midheaven.
    const auto L = chart.PlanetLongitudes;  // a copy: the check below recomputes
    EXPECT_EQ(L[9], engine::Mod360(L[8] + 180));
    EXPECT_NEAR(static_cast<double>(std::fabs(std::remainder(L[9] - L[8], 360.0L))), 180.0, 1e-12);
    EXPECT_EQ(L[10], chart.HouseCusps[1]);
    EXPECT_EQ(L[11], chart.MidheavenRad / chart.DegToRad);
    for (int i = 8; i <= 11; ++i) EXPECT_EQ(chart.PlanetLatitudes[i], 0) << i;
    for (int i = 1; i <= 22; ++i) EXPECT_GE(L[i], 0) << i;
    // Equal houses from the Ascendant.
    for (int i = 2; i <= 12; ++i)
        EXPECT_NEAR(static_cast<double>(chart.HouseCusps[i]),
                    static_cast<double>(engine::Mod360(chart.HouseCusps[1] + 30 * (i - 1))), 1e-9);

    // The node of the same moment computed here.
    engine::ComputeBodiesWithRetro(chart, 0, jd);
    EXPECT_NEAR(static_cast<double>(L[8]), static_cast<double>(std::fabs(chart.PlanetLongitudes[11])), 1e-12);
}

TEST_F(CurrentPersonTest, RetrogradeMarksOfThePlanetsAndBothNodes) {
    // 1 July 2000: Mercury and Pluto both move backwards.
    const Real jd = engine::JulianDayNumber(1, 1, 7, 2000, 12, 0) - 2.0L / 24;
    engine::ComputeBodiesWithRetro(chart, 0, jd);
    ASSERT_LT(chart.PlanetLongitudes[engine::kMercury], 0);
    ASSERT_LT(chart.PlanetLongitudes[engine::kPluto], 0);
    std::array<bool, 23> backwards{};
    for (int i = 1; i <= 22; ++i) backwards[i] = chart.PlanetLongitudes[i] < 0;

    WriteCurrentPerson("ROSSI", Person("200007011200-2"));
    LoadCurrentPersonForShow(current);
    EXPECT_EQ(chart.RetroMarks[3], "r");
    EXPECT_EQ(chart.RetroMarks[10], " ");  // the Ascendant, where Pluto stood
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(chart.RetroMarks[i], backwards[i] ? "r" : " ") << i;
    // Both nodes move with the lunar node (entry 11 as computed).
    EXPECT_EQ(chart.RetroMarks[8], backwards[engine::kNode] ? "r" : " ");
    EXPECT_EQ(chart.RetroMarks[9], chart.RetroMarks[8]);
    for (int i = 10; i <= 22; ++i) EXPECT_EQ(chart.RetroMarks[i], " ") << i;
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
        r.PlaceField = "45N28-009E11MILANO";
        WriteCurrentPerson("BIANCHI", r);
        LoadCurrentPersonForShow(current);
        // The precise ephemeris agrees that this is the case to test.
        const double jd = static_cast<double>(chart.JulianDay);
        const precise::Position uranus = precise::At(jd, engine::kUranus, true);
        const precise::Position node = precise::At(jd, engine::kNode, true);
        const precise::Position neptune = precise::At(jd, engine::kNeptune, true);
        ASSERT_EQ(uranus.lonSpeed < 0, k.uranusBackwards) << k.date;
        ASSERT_EQ(node.lonSpeed < 0, k.nodeBackwards) << k.date;
        ASSERT_GT(neptune.lonSpeed, 0) << k.date;

        const std::string nodeMark = k.nodeBackwards ? "r" : " ";
        EXPECT_EQ(chart.RetroMarks[8], nodeMark) << k.date;  // north node
        EXPECT_EQ(chart.RetroMarks[9], nodeMark) << k.date;  // south node
        EXPECT_EQ(chart.RetroMarks[10], " ") << k.date;      // Ascendant
        EXPECT_EQ(chart.RetroMarks[11], " ") << k.date;      // Midheaven
        // Saturn keeps its own mark: backwards in March, forwards in November.
        const precise::Position saturn = precise::At(jd, engine::kSaturn, true);
        EXPECT_EQ(chart.RetroMarks[engine::kSaturn], saturn.lonSpeed < 0 ? "r" : " ") << k.date;

        // The mean node always moves backwards: both nodes marked.
        chart.NodeType = "MEDIO";
        LoadCurrentPersonForShow(current);
        EXPECT_EQ(chart.RetroMarks[8], "r") << k.date;
        EXPECT_EQ(chart.RetroMarks[9], "r") << k.date;
        chart.NodeType = "VERO";
    }
}

TEST_F(CurrentPersonTest, JulianCalendarAndTheChartWindowsReload) {
    WriteCurrentPerson("ROSSI", Person("170003101030+0", "GI"));
    CurrentPersonView v = LoadCurrentPersonForShow(current);
    EXPECT_EQ(v.PersonLines[5], "Calendario GIULIANO");
    EXPECT_FALSE(chart.GregorianCalendar);
    EXPECT_EQ(chart.JulianDay, engine::JulianDayNumber(0, 10, 3, 1700, 10, 30));
    const auto longitudes = chart.PlanetLongitudes;
    const auto cusps = chart.HouseCusps;

    // Another chart in between; the chart window's reload restores the person.
    chart.HouseSystemName = "KOCH";
    engine::ComputeBodies(chart, 0, false, 2451545.0L);
    ReloadCurrentChart(current);
    EXPECT_EQ(chart.PlanetLongitudes, longitudes);
    EXPECT_EQ(chart.HouseCusps, cusps);
    EXPECT_EQ(chart.HouseSystemName, "CASE_MEDIE");
}

TEST_F(CurrentPersonTest, TextButtonFollowsTheTextFile) {
    WriteCurrentPerson("ROSSI", Person("196012251405-1"));
    EXPECT_FALSE(LoadCurrentPersonForShow(current).TextFileExists);  // no "StrText.dum"
    WriteTextHandOff("BASE", "00007");
    CurrentPersonView v = LoadCurrentPersonForShow(current);
    EXPECT_EQ(v.TextFileName, "BASEtxt\\00007.txt");
    EXPECT_FALSE(v.TextFileExists);
    fs::create_directory("BASEtxt");
    rt::WriteTextLines("BASEtxt\\00007.txt", {"ROSSI"});
    EXPECT_TRUE(LoadCurrentPersonForShow(current).TextFileExists);
}
