#pragma once
// The fixed person of the wheel tests: the chart state set directly, the
// drawing state of a 1920 x 1080 screen.
#include <filesystem>
#include <initializer_list>

#include "archive/current_chart.h"
#include "tests/common/chart_window_of_test.h"
#include "display/wheel/chart_geometry.h"
#include "display/draw/drawing_state.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart_state.h"
#include "tests/common/wheel_geometry_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"

namespace wheel_test {

inline constexpr engine::Real kCusps[13] = {0, 100.5, 125, 150, 178, 212, 248, 280.5, 305, 330, 358, 32, 68};
// Sun .. Saturn, north node, south node, Ascendant, Midheaven.
inline constexpr engine::Real kPoints[12] = {0, 15.25, 45.5, 20.0, 350.0, 135.75, 200.1, 290.4, 260.0, 80.0, 100.5, 358.0};

inline void SetFixedPerson() {
    engine::ResetChartState(testing_support::CurrentChartOfTest().chart, testing_support::CurrentChartOfTest().birth, testing_support::CurrentChartOfTest().orbs);
    testing_support::NatalWheelOfTest() = {};
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
    display::InitDrawingFromScreen(testing_support::DrawingStateOfTest(), 1920, 1080);
    testing_support::WheelGeometryOfTest() = {};
    display::SetWheelGeometry(testing_support::WheelGeometryOfTest());
    auto& c = testing_support::CurrentChartOfTest().chart;
    for (int i = 1; i <= 12; ++i) c.HouseCusps[i] = kCusps[i];
    c.HouseCusps[13] = kCusps[1];
    for (int i = 1; i <= 11; ++i) c.PlanetLongitudes[i] = kPoints[i];
    for (int i = 1; i <= 24; ++i) c.RetroMarks[i] = " ";
    c.RetroMarks[3] = "r";   // Mercury
    c.RetroMarks[7] = "R";   // Saturn
    c.RetroMarks[10] = "r";  // never shown for the Ascendant
    c.HouseSystemName = "PLACIDO";
    c.NodeType = "MEDIO";
    c.JulianDay = 2447907.0625L;
    c.TimeZoneCorrection = -1;
    c.GregorianCalendar = true;
    c.DegToRad = engine::kPi / 180;
    c.MidheavenRad = 358 * c.DegToRad;
    c.LongitudeDegrees[1] = 12;
    c.LongitudeMinutes[1] = 29;
    c.LongitudeLetter[1] = "E";
    const engine::Real orbs[5] = {8, 6, 7, 7, 8};
    for (int i = 0; i < 5; ++i) testing_support::CurrentChartOfTest().orbs.AspectOrbs[i] = orbs[i];
    auto& b = testing_support::CurrentChartOfTest().birth;
    b.SubjectName = "Rossi Maria   ";
    b.BirthDateText = "15/01/1990 10:30";
    b.TimeZoneText = "+1";
    b.BirthPlace = "ROMA";
    b.Nationality = "ITALIA";
    b.CoordinatesText = "41N54-012E29";
}

// Copies folders of the build's data tree (glyphs, help texts) into the working folder.
inline void CopyDataFolders(std::initializer_list<const char*> folders) {
    namespace fs = std::filesystem;
    for (const char* f : folders) {
        const fs::path from = fs::path(KELVOR_TEST_DATA_DIR) / f;
        if (fs::exists(from)) fs::copy(from, fs::current_path() / f, fs::copy_options::recursive);
    }
}

}  // namespace wheel_test
