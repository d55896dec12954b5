// Fuzzes the reading of the time-zone calendars: an Italian calendar file
// "Calendar\NNNNNNNN.CAL", the foreign index "Calendar\Elencal.002" and the
// foreign calendar database "Calendar\Database.cll", walked for a birth moment.
#include <string>

#include "archive/calendars.h"
#include "archive/places.h"
#include "engine/calendar.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Walk(archive::PlaceTableKind table, const std::string& name, long double jd) {
    archive::ZoneCalendarQuery q;
    q.table = table;
    q.calendarName = name;
    q.clockJulianDay = jd;
    q.clockJulianDayIn = [jd](bool julian) { return julian ? jd + 13 : jd; };
    q.gregorianSwitch = true;
    q.longitude = 12.5L;
    archive::ApplyZoneCalendar(q);
}

void Run(const std::vector<std::string>& files) {
    fuzz::PutFile("Calendar\\00390001.CAL", files[0]);
    fuzz::PutFile("Calendar\\Elencal.002", files[1]);
    fuzz::PutFile("Calendar\\Database.cll", files[2]);
    for (long double jd : {2451545.25L, 2415020.5L, 2299160.5L}) {
        fuzz::Guard([&] { Walk(archive::PlaceTableKind::Italian, "00390001.CAL", jd); });
    }
    const std::string name = files[1].substr(0, 12);
    fuzz::Guard([&] { Walk(archive::PlaceTableKind::Foreign, name, 2440000.5L); });
    fuzz::Guard([&] { archive::LoadZoneCalendar(archive::PlaceTableKind::Foreign, name); });
}
}  // namespace

KELVOR_FUZZ_FILES(3, Run)
