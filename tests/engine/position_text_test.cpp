// Angle reduction, position texts, zone texts and the house of a point.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/angles.h"
#include "engine/chart_computation.h"
#include "engine/position_text.h"
#include "platform/runtime/number_text.h"

using namespace engine;

TEST(Angles, Reduction) {
    EXPECT_EQ(Mod360(-30), 330);
    EXPECT_EQ(Mod360(720), 0);
    EXPECT_EQ(Mod30(59.5L), 29.5L);
    EXPECT_LT(Mod360(-1e-20L), 360);
    EXPECT_NEAR(static_cast<double>(RadToDeg(ArcCosRad(-0.5L))), -60.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RadToDeg(ArcSinRad(0.5L))), 30.0, 1e-12);
}

TEST(PositionText, MinutesRoundButNeverIntoTheNextSign) {
    std::string t;
    FormatSignPosShort(1, t, 45.5L);
    EXPECT_EQ(t, "15Sti30");
    FormatSignPosShort(1, t, 15 + 58 / 60.0L + 40 / 3600.0L);
    EXPECT_EQ(t, "15Ram59");
    FormatSignPosShort(1, t, 15 + 59 / 60.0L + 40 / 3600.0L);
    EXPECT_EQ(t, "16Ram00");
    FormatSignPosShort(1, t, 60 + 29 + 59 / 60.0L + 40 / 3600.0L);
    EXPECT_EQ(t, "29Twe59");
    FormatSignPosShort(2, t, 45.5L + 12 / 3600.0L);
    EXPECT_EQ(t, "15Sti30:12");
    FormatDegMin(2, t, 10 + 1 / 60.0L + 2 / 3600.0L);
    EXPECT_EQ(t,
              "10\xB0"
              "01'02\"");
    FormatDegMin(1, t, 10.5L);
    EXPECT_EQ(t,
              "10\xB0"
              "30'");
}

TEST(PositionText, LongFormWithRetrogradeFlag) {
    std::string t;
    FormatSignPosLong(t, " ", 250.25L);
    EXPECT_EQ(t,
              "10\xB0"
              "15' Boogschutt ");
    FormatSignPosLong(t, "", 250.25L);
    EXPECT_EQ(t,
              "10\xB0"
              "15' Boogschutt");
    FormatSignPosLong(t, "r", 0.5L);
    EXPECT_EQ(t,
              "00\xB0"
              "30' Ram Retrogrado ");
}

TEST(PositionText, LatitudeAndZone) {
    std::string t;
    FormatLatitudeText(t, -0.5L);
    EXPECT_EQ(t, "00\xB0 30' Zuid ");
    FormatLatitudeText(t, 41.9L);
    EXPECT_EQ(t, "41\xB0 54' Noord");
    EXPECT_EQ(TimeZoneText(-1), "+1.00");
    EXPECT_EQ(TimeZoneText(5.5L), "-5.50");
    EXPECT_EQ(TimeZoneText(-10), "+10.0");
    FloatToTextDec(5, t, 0.25L);
    EXPECT_EQ(t, "0.250");
}

TEST(Parsers, FixedColumns) {
    const Moment m = ParseBirthDateTimeText("25/12/1960 14:05");
    EXPECT_EQ(m.day, 25);
    EXPECT_EQ(m.month, 12);
    EXPECT_EQ(m.year, 1960);
    EXPECT_EQ(m.hour, 14);
    EXPECT_EQ(m.minute, 5);
    ParsedCoordinates p = ParseLatLongText("41N54-012E29");
    EXPECT_EQ(p.errorPosition, 0);
    EXPECT_EQ(p.fields.latDeg, 41);
    EXPECT_EQ(p.fields.latLetter, "N");
    EXPECT_EQ(p.fields.latMin, 54);
    EXPECT_EQ(p.fields.lonDeg, 12);
    EXPECT_EQ(p.fields.lonLetter, "E");
    EXPECT_EQ(p.fields.lonMin, 29);
    p = ParseLatLongText("");
    EXPECT_EQ(p.fields.latDeg, 0);
    EXPECT_NE(p.errorPosition, 0);
}

TEST(Houses, PointsOnCuspsAndDegenerateCusps) {
    HouseCusps cusps;
    for (int h = 1; h <= 12; ++h) cusps[h] = Mod360(100 + 30 * (h - 1));
    EXPECT_EQ(HouseOfPoint(100, cusps, 0), 12);  // on the Ascendant
    EXPECT_EQ(HouseOfPoint(130, cusps, 0), 2);   // on cusp 2
    EXPECT_EQ(HouseOfPoint(115, cusps, 0), 1);
    EXPECT_EQ(HouseOfPoint(95, cusps, 0), 12);
    HouseCusps equal;
    for (int h = 1; h <= 12; ++h) equal[h] = 50;
    EXPECT_EQ(HouseOfPoint(50, equal, 7), 12);
    EXPECT_EQ(HouseOfPoint(80, equal, 7), 7);
}

TEST(Clean, OutOfRangeBodiesAndStrings) {
    // Ceres to Chiron left out of a chart beyond the last day of their span.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(KELVOR_TEST_DATA_DIR);
    Moment moment;
    moment.julianDay = 2481129.5L;
    Chart chart = ComputeChart(moment, Place{}, ChartSettings{}, MinorBodiesOutOfRange::LeftOut);
    EXPECT_NE(chart.bodies[Body::Ceres].longitude, 0);
    moment.julianDay = 2481130.0L;
    chart = ComputeChart(moment, Place{}, ChartSettings{}, MinorBodiesOutOfRange::LeftOut);
    EXPECT_EQ(chart.bodies[Body::Ceres].longitude, 0);
    EXPECT_FALSE(chart.bodies[Body::Chiron].retrograde);
    std::filesystem::current_path(previous);
    std::string n = "Rossi  *Mario*  Jr";
    TidyNameText(n);
    EXPECT_EQ(n, "Rossi (Mario) Jr");
    std::string t;
    TrimBlanks("  a b  ", t);
    EXPECT_EQ(t, "a b");
    EXPECT_EQ(rt::ZeroPad(7, 4), "0007");
    EXPECT_EQ(SubStrToInt("ab1234", 3, 2), 12);
    EXPECT_EQ(SubStrToInt("abcd", 1, 2), 0);
    DotToCommaStr("1.5.2", t);
    EXPECT_EQ(t, "1,5,2");
}

namespace {

// Placidus-like cusps at 52 degrees north: houses of unequal size, the tenth
// house across 0 Aries.
HouseCusps UnequalCusps() {
    const Real c[12] = {100.5L, 121.3L, 146.8L, 178.2L, 214.9L, 250.1L, 280.5L, 301.3L, 326.8L, 358.2L, 34.9L, 70.1L};
    HouseCusps cusps;
    for (int h = 1; h <= 12; ++h) cusps[h] = c[h - 1];
    return cusps;
}

}  // namespace

TEST(SignsAndHouses, TwelfthSignAndTheLastPointOfEachList) {
    EXPECT_EQ(SignOf(0), 1);
    EXPECT_EQ(SignOf(329.9999L), 11);
    EXPECT_EQ(SignOf(330), 12);
    EXPECT_EQ(SignOf(359.9999L), 12);
    std::string t;
    FormatSignPosLong(t, " ", 359.5L);
    EXPECT_EQ(t,
              "29\xB0"
              "30' Vissen ");
    FormatSignPosShort(1, t, 330.25L);
    EXPECT_EQ(t, "00Vis15");

    // One point in each house, the twelfth last but one; a last point (355)
    // in the twelfth sign.
    const HouseCusps cusps = UnequalCusps();
    const Real points[12] = {110, 130, 160, 190, 230, 260, 290, 310, 340, 10, 50, 80};
    const int pointSigns[12] = {4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3};
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(HouseOfPoint(points[i - 1], cusps, 0), i) << "point " << i;
        EXPECT_EQ(SignOf(points[i - 1]), pointSigns[i - 1]) << "point " << i;
    }
    EXPECT_EQ(HouseOfPoint(355, cusps, 0), 9);  // 355 lies between cusps 9 (326.8) and 10 (358.2)
    EXPECT_EQ(SignOf(355), 12);
    const int cuspSign[12] = {4, 5, 5, 6, 8, 9, 10, 11, 11, 12, 2, 3};
    for (int h = 1; h <= 12; ++h) EXPECT_EQ(SignOf(cusps[h]), cuspSign[h - 1]) << "cusp " << h;

    // Points on a cusp begin its house; the Ascendant closes the twelfth.
    EXPECT_EQ(HouseOfPoint(70.1L, cusps, 0), 12);
    EXPECT_EQ(HouseOfPoint(358.2L, cusps, 0), 10);
    EXPECT_EQ(HouseOfPoint(0.5L, cusps, 0), 10);
    EXPECT_EQ(HouseOfPoint(100.5L, cusps, 0), 12);
}
