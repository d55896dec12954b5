#include "engine/planetary_hours.h"

#include <cmath>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/houses.h"

namespace engine {

const std::array<const char*, 7> kWeekdayNames = {"Zondag",    "Maandag", "Dinsdag", "Woensdag",
                                                  "Donderdag", "Vrijdag", "Zaterdag"};

namespace {

Real HourAngle360(Real x) {
    Real r = fmodl(x, 360.0L);
    if (r < 0) r += 360.0L;
    if (r >= 360.0L) r -= 360.0L;
    return r;
}

// Entries 1..7 (Ascendant to Midheaven) and 20..24 (below the horizon, east)
// as the six parts of equal longitude of each quadrant between the angles.
void EqualSixths(Real asc, Real mc, HourBoundaryTable& t) {
    const Real upper = HourAngle360(asc - mc);           // Ascendant down to the Midheaven
    const Real lower = HourAngle360(mc + 180.0L - asc);  // Imum Coeli down to the Ascendant
    for (int j = 1; j <= 7; ++j) t[j] = HourAngle360(asc - upper * (j - 1) / 6.0L);
    for (int j = 20; j <= 24; ++j) t[j] = HourAngle360(mc + 180.0L - lower * (j - 19) / 6.0L);
}

}  // namespace

HourBoundaries ComputeHourBoundaries(const Place& place, const HouseMoment& moment) {
    HourBoundaries b;
    HourBoundaryTable& t = b.table;
    const Real jd = moment.jd;
    const Real eps = TrueObliquity(jd);
    const Real lam = place.longitude;
    const Real phi = place.latitude;
    const Real lst =
        SiderealTimeHours({jd, moment.zoneHours + moment.hour + moment.minute / 60.0L + moment.extraHours}, lam);
    b.localSiderealTime = lst;
    const Real ramc = 15.0L * lst;
    const SkyFrame sky{ramc, eps, phi};

    bool exists = true;
    // Entries 1..7: fractions 1, 5/6 .. 0 of the eastern diurnal semi-arc.
    for (int j = 1; j <= 7 && exists; ++j) exists = PlacidusPoint((7 - j) / 6.0L, sky, t[j]);
    // Entries 20..24: the points opposite the western fractions -1/6 .. -5/6.
    for (int j = 20; j <= 24 && exists; ++j) {
        Real p = 0;
        exists = PlacidusPoint(-(j - 19) / 6.0L, sky, p);
        t[j] = HourAngle360(p + 180.0L);
    }
    if (!exists) EqualSixths(AscendantOfRamc(sky), MidheavenOfRamc(ramc, eps), t);

    for (int j = 8; j <= 12; ++j) t[j] = HourAngle360(t[j + 12] + 180.0L);
    for (int j = 13; j <= 19; ++j) t[j] = HourAngle360(t[j - 12] + 180.0L);
    t[25] = t[1];
    t[0] = t[24];
    b.semiArcsExist = exists;
    return b;
}

int WeekdayOfJulianDay(Real jd) {
    // The civil day begins at JD x.5; JD 0.5 .. 1.5 was a Monday.
    const long long day = static_cast<long long>(floorl(jd + 1.5L));
    return static_cast<int>(((day % 7) + 7) % 7);
}

Sunrise FindSunrise(const Chart& chart) {
    const Moment& birth = chart.moment;
    const Real zone = birth.zoneCorrection;
    const Real jd0 = JulianDayNumber(birth.gregorian ? 1 : 0, birth.day, birth.month, birth.year, 0, 0) + zone / 24.0L;
    const BodySettings bodySettings = BodySettingsOf(chart.settings, chart.cusps);

    // Sun and Ascendant at the moment e (UT). The houses take the local clock
    // time of e, whole hour and minute plus the remainder, and the zone
    // correction once, so their Universal Time is e itself.
    auto sunAndAscendant = [&](Real e, Real& sun, Real& asc) {
        sun = ComputeBodiesWithRetro(kSun, e, bodySettings).bodies[Body::Sun].longitude;
        const Real local = e - zone / 24.0L;
        Real fraction = local + 0.5L - floorl(local + 0.5L);  // of the local clock day
        const Real minutes = fraction * 1440.0L;
        Real whole = floorl(minutes);
        if (whole > 1439) whole = 1439;
        const int h = static_cast<int>(whole) / 60;
        const int m = static_cast<int>(whole) % 60;
        const Real rest = (minutes - whole) / 60.0L;
        HouseMoment moment;
        moment.jd = e;
        moment.hour = h;
        moment.minute = m;
        moment.zoneHours = zone;
        moment.extraHours = rest;
        asc = ComputeHouses(chart.settings.houseSystem.kind, chart.place, moment).ascendant;
    };

    Real e = jd0;
    Real sun = 0, asc = 0;
    sunAndAscendant(e, sun, asc);
    bool found = false;
    for (int n = 0; n <= 2000; ++n) {
        Real diff = sun - asc;
        if (diff < 0) diff += 360.0L;
        const Real half = diff / 2.0L;
        e += 0.0008L * half;
        sunAndAscendant(e, sun, asc);
        if (half <= 0.2L) {
            found = true;
            break;
        }
    }
    // In the polar night the search runs on past the birth date to the Sun's
    // return, weeks later, which the step below would fold back into the day:
    // the sunrise of the day is one found on that day.
    if (found && e - jd0 >= 1.0L) found = false;
    const long long whole = static_cast<long long>(truncl(e - jd0));
    if (whole > 0) e -= whole;
    return {e, found};
}

int PlanetaryDayIndex(Real birthJd, Real zoneHours, Sunrise sunrise) {
    const Real clock = birthJd - zoneHours / 24.0L;  // the birth by the clock of its place
    return WeekdayOfJulianDay(sunrise.found && sunrise.julianDay >= birthJd ? clock - 1 : clock);
}

PlanetaryDay FindPlanetaryDay(const Chart& chart) {
    PlanetaryDay day;
    const Sunrise sunrise = FindSunrise(chart);
    day.sunriseJulianDay = sunrise.julianDay;
    day.sunriseFound = sunrise.found;
    day.index = PlanetaryDayIndex(chart.moment.julianDay, chart.moment.zoneCorrection, sunrise);
    return day;
}

}  // namespace engine
