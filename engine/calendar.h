#pragma once
// Julian days in both calendars, date texts DD/MM/YYYY HH:MM and the archive's
// date key YYYYMMDDHHMM.
#include <optional>
#include <string>

#include "engine/chart.h"

namespace engine {

// calendarFlag 1: Gregorian; anything else: Julian. The date and the hour in
// the order every birth record and calendar text gives them; its 49 callers
// hand whole numbers and fractions alike, which a struct of reals would refuse
// in braces without a cast at each call.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
Real JulianDayNumber(int calendarFlag, Real day, Real month, Real year, Real hour, Real minute);
// Whether Ceres to Chiron are computed at Julian day jd (1850 to 2080).
bool InEphemerisRange(Real jd);
// Julian calendar before the reform (JD 2299160.5), Gregorian from it.
std::string JulianDayToDateText(Real jd);
// In the Gregorian calendar or the Julian one throughout.
std::string JulianDayToDateTextByCalendar(bool gregorian, Real jd);
// The days of a month (1..12) in the Gregorian or the Julian calendar; 0 for
// any other month.
int DaysInMonth(int month, int year, bool gregorian);
// Whether a day exists in its month and year in the calendar in force: Julian
// up to 4 October 1582, Gregorian from 15 October 1582 (the days between do
// not exist). A month outside 1..12 has no days.
struct CivilDate {
    int day = 0;
    int month = 0;
    int year = 0;
};
bool DayExistsInForce(CivilDate date);
std::string DateTimeTextToSortKey(const std::string& dateText);
// A key with its zone field split: the date text, the zone text and the
// correction it holds (none when the zone text is not a number).
struct SortKeyTexts {
    std::string dateText;
    std::string zoneText;
    std::optional<Real> zoneCorrection;
};
SortKeyTexts SortKeyToDateTimeText(const std::string& key);
std::string TodayDateText();
// The file's last-write date as date text and Julian day, or "Non Valida".
std::string FileDateText(const std::string& fileName, Real& julianDay);

}  // namespace engine
