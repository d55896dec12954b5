#pragma once
// The planetary day and hour of the birth, as the chart window computes them
// at its opening and hands them to its views.
#include <string>

#include "engine/chart.h"
#include "engine/planetary_hours.h"

namespace display {

struct BirthPlanetaryHourState {
    engine::Real SunriseJulianDay = 0;
    bool SunriseFound = false;  // false where the Sun does not rise that day
    std::string SunriseWeekdayName;
    std::string BirthWeekdayName;
    std::string PlanetaryDayName;
    int PlanetaryDayIndex = 0;  // 0 = Sunday
    engine::HourBoundaryTable PlanetaryHourBoundaries{};
    int PlanetaryHourNumber = 0;  // 1..24, 0 when none
    std::string PlanetaryHourRuler;  // empty when there is no hour
};

}  // namespace display
