#pragma once
// Sidereal time, Midheaven, Ascendant and the twelve house cusps of the nine
// house systems ("PLACIDO", "KOCH", "REGIOMONT", "PORFIRIO", "CAMPANO",
// "CASE_UGUALI", "CASE_MEDIE", "MORINO", "ALCABIZIO").
#include <string>

#include "engine/chart.h"

namespace engine {

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

// A moment as the sidereal time takes it: a Julian day and the Universal Time
// in hours (of the day of jd).
struct UniversalTime {
    Real jd = 0;
    Real hours = 0;
};

// Local apparent sidereal time in hours [0, 24) at a moment and an east
// longitude in degrees.
Real SiderealTimeHours(UniversalTime time, Real eastLongitude);

// The sky of a house computation, degrees: the right ascension of the
// Midheaven, the obliquity of the ecliptic and the geographic latitude (north
// positive).
struct SkyFrame {
    Real ramc = 0;
    Real eps = 0;
    Real phi = 0;
};

// Midheaven and Ascendant (degrees [0, 360)) of a right ascension of the
// Midheaven and an obliquity, and of a sky.
Real MidheavenOfRamc(Real ramc, Real eps);
Real AscendantOfRamc(const SkyFrame& frame);

// The point at fraction f of its semi-arc from the upper meridian (Placidus):
// f = 1 the Ascendant, 1/3 the cusp of house 11, -1/3 the cusp of house 9,
// f = 0 the Midheaven. False where the point has no semi-arc (beyond the polar
// circles); `longitude` is then left alone.
bool PlacidusPoint(Real f, const SkyFrame& frame, Real& longitude);

// Cusps 1..12 of `system` for a sky, written into `cusps` (a name that is no
// house system writes cusps 1 and 10 alone). Writes mc and asc when given.
HouseStatus CuspsFromRamc(HouseSystem system, const SkyFrame& frame, HouseCusps& cusps, Real* mc = nullptr,
                          Real* asc = nullptr);

// Whether the Porphyry cusps stand in for `system` at latitude phi (degrees,
// north positive) and obliquity eps: a semi-arc system (Placidus, Koch,
// Alcabitius) beyond the polar circles, where its cusps do not exist.
bool PorphyryStandsIn(HouseSystem system, Real phi, Real eps);
// The same for a chart's house system, place and moment, as its houses were
// computed.
bool PorphyryStandsInForChart(const Chart& chart);

// A place as a coordinates text writes it: degrees, minutes and letter of the
// longitude ("O" or "W" west) and of the latitude ("S" south).
struct PlaceFields {
    int lonDeg = 0;
    int lonMin = 0;
    std::string lonLetter;
    int latDeg = 0;
    int latMin = 0;
    std::string latLetter;
};
// The place those fields name.
Place PlaceOf(const PlaceFields& fields);

// The moment of a house computation: the Julian day, the clock time, and the
// hours between the clock and Universal Time (Universal Time is hour +
// minute / 60 + zoneHours + extraHours). A clock that shows Universal Time
// already takes neither.
struct HouseMoment {
    Real jd = 0;
    int hour = 0;
    int minute = 0;
    Real zoneHours = 0;
    Real extraHours = 0;
    bool clockIsUniversalTime = false;
};

// What a house computation gives: the cusps, the angles (degrees; the
// Midheaven of Regiomontanus and Campanus is their own tenth cusp) and the
// local sidereal time of the moment (hours).
struct Houses {
    HouseCusps cusps;
    Real ascendant = 0;
    Real midheaven = 0;
    Real localSiderealTime = 0;
    HouseStatus status = HouseStatus::Computed;
};

// The houses of `system` at a place and moment, the sidereal time from the
// clock.
[[nodiscard]] Houses ComputeHouses(HouseSystem system, const Place& place, const HouseMoment& moment);
// The houses of a chart's own moment and place by its house system: those the
// current person and every chart computation share.
[[nodiscard]] Houses ComputeChartHouses(const Moment& moment, const Place& place, HouseSystem system);
// Signed geographic coordinates (degrees, east and north positive) from the
// place fields' degrees, minutes and letters.
Real EastLongitude(int degrees, int minutes, const std::string& letter);
Real NorthLatitude(int degrees, int minutes, const std::string& letter);

}  // namespace engine
