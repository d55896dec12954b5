#pragma once
// The planetary day and hour of the birth, as the chart window computes them
// at its opening and hands them to its views.
#include <string>

#include "engine/chart.h"
#include "engine/planetary_hours.h"

namespace display {

struct BirthPlanetaryHourState {
    engine::Real sunriseJulianDay = 0;
    bool sunriseFound = false;  // false where the Sun does not rise that day
    std::string sunriseWeekdayName;
    std::string birthWeekdayName;
    std::string planetaryDayName;
    int planetaryDayIndex = 0;  // 0 = Sunday
    engine::HourBoundaryTable planetaryHourBoundaries{};
    int planetaryHourNumber = 0;     // 1..24, 0 when none
    std::string planetaryHourRuler;  // empty when there is no hour
};

}  // namespace display
