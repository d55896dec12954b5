#pragma once
// The fixed person of the view tests on a surface of 10 device pixels per page
// unit (no aspect correction, no zoom), so device points are page points times 10.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/current_chart.h"
#include "display/draw/drawing_state.h"
#include "display/draw/glyphs.h"
#include "display/draw/recording_surface.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace view_test {

inline void SetFixedPerson() {
    wheel_test::SetFixedPerson();
    testing_support::DrawingStateOfTest().pixelsPerUnit = 10;
    testing_support::DrawingStateOfTest().aspectScaleX = 1;
    testing_support::DrawingStateOfTest().aspectScaleY = 1;
    testing_support::DrawingStateOfTest().zoomFactor = 1;
    testing_support::DrawingStateOfTest().originX = 0;
    testing_support::DrawingStateOfTest().originY = 0;
}

// A birth's date and clock time as entered.
struct BirthClock {
    int day = 0;
    int month = 0;
    int year = 0;
    int hour = 0;
    int minute = 0;
};

// Rome, 41 54 N, 12 29 E, clock time one hour ahead of UT.
inline void SetRomeBirth(const BirthClock& birth) {
    const auto [day, month, year, hour, minute] = birth;
    SetFixedPerson();
    engine::Chart& c = testing_support::CurrentChartOfTest().chart;
    c.settings.houseSystem = engine::ParseHouseSystem("PLACIDO");
    c.settings.node = engine::ParseNodeKind("VERO");
    c.settings.blackMoon = engine::ParseBlackMoonKind("MEDIA");
    testing_support::CurrentChartOfTest().settings = c.settings;
    c.moment.day = day;
    c.moment.month = month;
    c.moment.year = year;
    c.moment.hour = hour;
    c.moment.minute = minute;
    c.moment.zoneCorrection = -1;
    c.place = engine::PlaceOf({12, 29, "E", 41, 54, "N"});
    c.moment.julianDay = engine::JulianDayNumber(1, day, month, year, hour, minute) - 1.0L / 24;
    c.bodies =
        engine::ComputeBodiesWithRetro(0, c.moment.julianDay, engine::BodySettingsOf(c.settings, c.cusps)).bodies;
}

// The texts drawn, as "x,y 'text'" with the device point.
inline std::vector<std::string> Texts(const display::RecordingSurface& dc) {
    std::vector<std::string> out;
    for (const std::string& l : dc.Calls("text")) {
        const auto sp = l.find(' ', 5);
        const auto q = l.find('\'');
        out.push_back(l.substr(5, sp - 5) + " " + l.substr(q));
    }
    return out;
}

// The log lines that contain a fragment.
inline std::vector<std::string> Containing(const display::RecordingSurface& dc, const std::string& fragment) {
    std::vector<std::string> out;
    for (const std::string& l : dc.log)
        if (l.find(fragment) != std::string::npos) out.push_back(l);
    return out;
}

inline bool Has(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& l : lines)
        if (l == line) return true;
    return false;
}

// The fixed person in a temporary work folder that holds the body glyphs.
class FixedPersonWithGlyphs : public ::testing::Test {
protected:
    void SetUp() override {
        SetFixedPerson();
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        wheel_test::CopyDataFolders({"Simboli"});
    }
    testing_support::TempWorkFolder folder_;
};

}  // namespace view_test
