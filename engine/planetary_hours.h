#pragma once
// Sunrise on the birth day, the 24 planetary-hour boundaries of the sky and the
// weekday of a Julian day.
#include <array>
#include <string>

#include "engine/chart.h"
#include "engine/houses.h"

namespace engine {

// Hour-boundary table: entries 1..24 the boundaries (ecliptic longitudes,
// degrees), entry 0 repeats entry 24 and entry 25 repeats entry 1.
using HourBoundaryTable = std::array<Real, 26>;

// Dutch weekday names, index 0 (Sunday) .. 6 (Saturday).
extern const std::array<const char*, 7> kWeekdayNames;

// The 24 unequal-hour boundaries: entry 1 the Ascendant, 7 the Midheaven,
// 13 the Descendant, 19 the Imum Coeli, each semi-arc divided in sixths, in
// the direction of the daily motion (the time letter of the moment is not
// used). Beyond the polar circles, where the semi-arcs do not exist, each
// quadrant between the angles is divided in six equal parts of longitude.
struct HourBoundaries {
    HourBoundaryTable table{};
    Real localSiderealTime = 0;  // hours
    bool semiArcsExist = true;
};
HourBoundaries ComputeHourBoundaries(const Place& place, const HouseMoment& moment);

// Weekday index 0 (Sunday) .. 6 (Saturday) of the civil day of jd (days
// beginning at JD x.5).
int WeekdayOfJulianDay(Real jd);

// The sunrise of the birth date of a chart: the Julian day (UT) at which the
// Sun reaches the Ascendant, searched from the local midnight that begins the
// chart's clock date. Not found when the Sun does not meet the Ascendant
// within the search (polar day or night); `julianDay` then holds the last
// estimate.
struct Sunrise {
    Real julianDay = 0;
    bool found = false;
};
Sunrise FindSunrise(const Chart& chart);

// The planetary day of a birth and the sunrise it counts from.
struct PlanetaryDay {
    Real sunriseJulianDay = 0;  // universal time, as a chart's Julian day
    bool sunriseFound = false;  // false where the Sun does not rise that day
    int index = 0;              // weekday of the planetary day, 0 = Sunday
};

// The planetary day of a birth at Julian day birthJd (universal time) with the
// time-zone correction zoneHours: the weekday of the day whose sunrise came
// last before the birth. The planetary day begins at sunrise, not at midnight:
// a birth on the clock date before (or at) that date's sunrise belongs to the
// weekday before; both moments are compared in universal time. Where the Sun
// does not rise that day (polar day or night) the clock date's weekday stands.
int PlanetaryDayIndex(Real birthJd, Real zoneHours, Sunrise sunrise);

// The sunrise of the chart's birth date (FindSunrise) and the planetary day of
// the chart's birth: the one rule the chart window's masters page and the
// theme sheets both show.
PlanetaryDay FindPlanetaryDay(const Chart& chart);

}  // namespace engine
