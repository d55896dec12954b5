#pragma once
// Julian days in both calendars, date texts DD/MM/YYYY HH:MM and the archive's
// date key YYYYMMDDHHMM.
#include <string>

#include "engine/chart_state.h"

namespace engine {

// calendarFlag 1: Gregorian; anything else: Julian. Sets Chart.InEphemerisRange.
Real JulianDayNumber(int calendarFlag, Real day, Real month, Real year, Real hour, Real minute);
// Julian calendar before the reform (JD 2299160.5), Gregorian from it.
std::string JulianDayToDateText(Real jd);
// Calendar taken from Chart.GregorianCalendar.
std::string JulianDayToDateTextByCalendar(Real jd);
std::string DateTimeTextToSortKey(const std::string& dateText);
// Splits a key with its zone field; sets Chart.TimeZoneCorrection. Returns false
// when the zone text is not a number (the date text is set all the same).
bool SortKeyToDateTimeText(const std::string& key, std::string& dateText, std::string& zoneText);
std::string TodayDateText();
// The file's last-write date as date text and Julian day, or "Non Valida".
std::string FileDateText(const std::string& fileName, Real& julianDay);

}  // namespace engine
