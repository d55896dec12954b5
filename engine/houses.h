#pragma once
// Sidereal time, Midheaven, Ascendant and the twelve house cusps of the nine
// house systems ("PLACIDO", "KOCH", "REGIOMONT", "PORFIRIO", "CAMPANO",
// "CASE_UGUALI", "CASE_MEDIE", "MORINO", "ALCABIZIO").
#include <array>
#include <string>

#include "engine/chart_state.h"

namespace engine {

using CuspArray = std::array<Real, 16>;  // entries 1..15, as ChartState::HouseCusps

// What a house computation could deliver.
enum class HouseStatus {
    Computed,          // every cusp of the named system
    PorphyryFallback,  // a semi-arc system (Placidus, Koch, Alcabitius) at a latitude
                       // beyond the polar circles, where its cusps do not exist: the
                       // Porphyry cusps stand in for all twelve
    AnglesOnly,        // a name that is no house system: only cusps 1 and 10 written
};

// Mean obliquity of the ecliptic (degrees) at Julian day jd.
Real MeanObliquity(Real jd);

// Nutation in longitude and in obliquity (degrees) at Julian day jd, from the
// four largest terms (within half an arc second).
void Nutation(Real jd, Real& dpsi, Real& deps);
// The obliquity of the true equator of date: the mean one and its nutation.
// The houses are computed with it.
Real TrueObliquity(Real jd);

// Local apparent sidereal time in hours [0, 24) for Julian day jd, Universal
// Time in hours (of the day of jd) and the east longitude in degrees.
Real SiderealTimeHours(Real jd, Real universalHours, Real eastLongitude);

// Midheaven and Ascendant (degrees [0, 360)) for a right ascension of the
// Midheaven, an obliquity and a geographic latitude (north positive), degrees.
Real MidheavenOfRamc(Real ramc, Real eps);
Real AscendantOfRamc(Real ramc, Real eps, Real phi);

// The point at fraction f of its semi-arc from the upper meridian (Placidus):
// f = 1 the Ascendant, 1/3 the cusp of house 11, -1/3 the cusp of house 9,
// f = 0 the Midheaven. False where the point has no semi-arc (beyond the polar
// circles); `longitude` is then left alone.
bool PlacidusPoint(Real f, Real ramc, Real eps, Real phi, Real& longitude);

// Cusps 1..12 of `system` for a right ascension of the Midheaven, obliquity
// and latitude (degrees). Writes mc and asc when given.
HouseStatus CuspsFromRamc(const std::string& system, Real ramc, Real eps, Real phi, CuspArray& cusps,
                          Real* mc = nullptr, Real* asc = nullptr);

// Whether the Porphyry cusps stand in for `system` at latitude phi (degrees,
// north positive) and obliquity eps: a semi-arc system (Placidus, Koch,
// Alcabitius) beyond the polar circles, where its cusps do not exist.
bool PorphyryStandsIn(const std::string& system, Real phi, Real eps);
// The same for the chart's house system, birth place and moment, as
// ComputeChartHouses computes them.
bool PorphyryStandsInForChart(const ChartState& chart);

// A place as the chart's place fields hold it: degrees, minutes and letter of
// the longitude ("O" or "W" west) and of the latitude ("S" south).
struct PlaceFields {
    int lonDeg = 0;
    int lonMin = 0;
    std::string lonLetter;
    int latDeg = 0;
    int latMin = 0;
    std::string latLetter;
};
// The place of a chart (entry 1 of its place fields).
PlaceFields PlaceOfChart(const ChartState& chart);

// The moment of a house computation: the Julian day, the clock time, and the
// hours between the clock and Universal Time (Universal Time is hour +
// minute / 60 + zoneHours + extraHours).
struct HouseMoment {
    Real jd = 0;
    int hour = 0;
    int minute = 0;
    Real zoneHours = 0;
    Real extraHours = 0;
    std::string timeLetter = "N";
};

// The house computation of the charts. mode below 3 computes the sidereal time
// from jd and the clock time (mode 2 with time letter "L" or "S" takes the zone
// and extra hours off the clock time first); mode 3 and above use
// chart.PresetRAMC and chart.PresetSiderealTime. Writes cusps 1..12 of
// chart.HouseSystemName, chart.MidheavenRad, chart.AscendantRad and (modes
// below 3) chart.LocalSiderealTime.
HouseStatus ComputeHouses(ChartState& chart, int mode, const PlaceFields& place, const HouseMoment& moment,
                          CuspArray& cusps);
// The houses of the chart's own moment and birth place (entry 1 of the place
// and clock fields, chart.TimeZoneCorrection) by chart.HouseSystemName into
// chart.HouseCusps: the one call the current person and the chart window share.
HouseStatus ComputeChartHouses(ChartState& chart);
// Signed geographic coordinates (degrees, east and north positive) from the
// place fields' degrees, minutes and letters.
Real EastLongitude(int degrees, int minutes, const std::string& letter);
Real NorthLatitude(int degrees, int minutes, const std::string& letter);

}  // namespace engine
