#pragma once
// The fixed person of the wheel tests: the chart set directly, the drawing
// state of a 1920 x 1080 screen.
#include <filesystem>
#include <initializer_list>

#include "archive/current_chart.h"
#include "display/draw/drawing_state.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "engine/houses.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/wheel_geometry_of_test.h"

namespace wheel_test {

inline constexpr engine::Real kCusps[13] = {0, 100.5, 125, 150, 178, 212, 248, 280.5, 305, 330, 358, 32, 68};
// Sun .. Saturn, north node, south node, Ascendant, Midheaven.
inline constexpr engine::Real kPoints[12] = {0,     15.25, 45.5,  20.0, 350.0, 135.75,
                                             200.1, 290.4, 260.0, 80.0, 100.5, 358.0};

// The chart window's points 1..11 of a chart: the Sun to Saturn, the lunar
// node (the north node) and the two nodes, the Ascendant and the Midheaven.
inline void SetWheelPoints(engine::Chart& c, const engine::Real (&points)[12]) {
    for (int i = 1; i <= 7; ++i) c.bodies[static_cast<engine::Body>(i - 1)].longitude = points[i];
    c.bodies[engine::Body::Node].longitude = points[8];
    c.points = {points[8], points[9], points[10], points[11]};
}

// Sets one of those points 1..11 (the north node moves the lunar node with it).
inline void SetWheelPoint(engine::Chart& c, int point, engine::Real longitude) {
    if (point <= 7)
        c.bodies[static_cast<engine::Body>(point - 1)].longitude = longitude;
    else if (point == 8)
        c.bodies[engine::Body::Node].longitude = c.points.northNode = longitude;
    else if (point == 9)
        c.points.southNode = longitude;
    else if (point == 10)
        c.points.ascendant = longitude;
    else
        c.points.midheaven = longitude;
}

inline void SetFixedPerson() {
    testing_support::CurrentChartOfTest() = {};
    testing_support::NatalWheelOfTest() = {};
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
    display::InitDrawingFromScreen(testing_support::DrawingStateOfTest(), 1920, 1080);
    testing_support::WheelGeometryOfTest() = {};
    display::SetWheelGeometry(testing_support::WheelGeometryOfTest());
    auto& c = testing_support::CurrentChartOfTest().chart;
    for (int i = 1; i <= 12; ++i) c.cusps[i] = kCusps[i];
    SetWheelPoints(c, kPoints);
    c.bodies[engine::Body::Mercury].retrograde = true;
    c.bodies[engine::Body::Saturn].retrograde = true;
    c.settings.houseSystem = engine::ParseHouseSystem("PLACIDO");
    c.settings.node = engine::ParseNodeKind("MEDIO");
    c.moment.julianDay = 2447907.0625L;
    c.moment.zoneCorrection = -1;
    c.moment.gregorian = true;
    c.place = engine::PlaceOf({12, 29, "E", 0, 0, ""});
    testing_support::CurrentChartOfTest().settings = c.settings;
    const engine::Real orbs[5] = {8, 6, 7, 7, 8};
    for (int i = 0; i < 5; ++i) testing_support::CurrentChartOfTest().orbs.aspectOrbs[i] = orbs[i];
    auto& b = testing_support::CurrentChartOfTest().birth;
    b.subjectName = "Rossi Maria   ";
    b.birthDateText = "15/01/1990 10:30";
    b.timeZoneText = "+1";
    b.birthPlace = "ROMA";
    b.nationality = "ITALIA";
    b.coordinatesText = "41N54-012E29";
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
