#pragma once
// Julian days in both calendars, date texts DD/MM/YYYY HH:MM and the archive's
// date key YYYYMMDDHHMM.
#include <string>

#include "engine/chart_state.h"

namespace engine {

// calendarFlag 1: Gregorian; anything else: Julian.
Real JulianDayNumber(int calendarFlag, Real day, Real month, Real year, Real hour, Real minute);
// The same for a chart's moment: sets chart.InEphemerisRange as well.
Real JulianDayNumber(ChartState& chart, int calendarFlag, Real day, Real month, Real year, Real hour, Real minute);
// Julian calendar before the reform (JD 2299160.5), Gregorian from it.
std::string JulianDayToDateText(Real jd);
// Calendar taken from chart.GregorianCalendar.
std::string JulianDayToDateTextByCalendar(const ChartState& chart, Real jd);
// The days of a month (1..12) in the Gregorian or the Julian calendar; 0 for
// any other month.
int DaysInMonth(int month, int year, bool gregorian);
// Whether a day exists in its month and year in the calendar in force: Julian
// up to 4 October 1582, Gregorian from 15 October 1582 (the days between do
// not exist). A month outside 1..12 has no days.
bool DayExistsInForce(int day, int month, int year);
std::string DateTimeTextToSortKey(const std::string& dateText);
// Splits a key with its zone field; sets chart.TimeZoneCorrection (and
// chart.ConversionErrorPosition). Returns false when the zone text is not a
// number (the date text is set all the same).
bool SortKeyToDateTimeText(ChartState& chart, const std::string& key, std::string& dateText, std::string& zoneText);
std::string TodayDateText();
// The file's last-write date as date text and Julian day, or "Non Valida".
std::string FileDateText(const std::string& fileName, Real& julianDay);

}  // namespace engine
