#pragma once
// Texts of positions, latitudes and zones; fixed-column parsers of the current
// birth data; sign and house numbers of the chart points; string helpers.
// All texts are Windows-1252 bytes.
#include <array>
#include <string>

#include "engine/angles.h"
#include "engine/chart.h"
#include "engine/houses.h"
#include "platform/runtime/number_text.h"

namespace engine {

extern const SignTable<const char*> kSignAbbreviations;  // "Ram", "Sti", ...
extern const SignTable<const char*> kSignNames;          // "Ram", "Stier", ...
// The four-letter keys of the signs and of the chart points that the key
// files, the attribution texts and the exchange tables are written with.
extern const SignTable<const char*> kSignKeys;                                  // "Arie", ...
extern const EnumTable<ChartPoint, const char*, kChartPointCount> kPointKeys4;  // "Sole", ...
inline constexpr char kDegreeSign = '\xB0';

void FormatSignPosShort(int mode, std::string& text, Real longitude);
void FormatDegMin(int mode, std::string& text, Real longitude);
void FormatSignPosLong(std::string& text, const std::string& retroFlag, Real longitude);
void FormatLatitudeText(std::string& text, Real latitude);
// The zone as the birth data show it: east positive, the correction's sign
// reversed ("+1.00" for a correction of -1).
std::string TimeZoneText(Real zoneCorrection);
void FloatToTextDec(int width, std::string& text, Real value);

// The clock date and time of a date text DD/MM/YYYY HH:MM, in a moment's
// clock fields (its correction, calendar and Julian day left at zero).
Moment ParseBirthDateTimeText(const std::string& text);
// The fields of a coordinates text "LLxMM LLLxMM", and the run-time's error
// position of the last number read (0 when it read).
struct ParsedCoordinates {
    PlaceFields fields;
    int errorPosition = 0;
};
ParsedCoordinates ParseLatLongText(const std::string& text);

// The house 1..12 of a position; `previous` when no house holds it (all cusps equal).
int HouseOfPoint(Real position, const HouseCusps& cusps, int previous);
void WaitSeconds(int seconds, int milliseconds);

// String helpers on 8-bit strings.
void UpperCaseInPlace(std::string& text);
std::string StringOfCharN(int count, char c);
void StripTrailingBlanks(std::string& text);
void TrimTrailingBlanks(std::string& text);
void TrimBlanks(const std::string& source, std::string& out);
int SubStrToInt(const std::string& text, int start, int length);
// The engine's name for the run-time's zero-padder (rt::ZeroPad), kept for the
// views that use it.
inline std::string IntToStrZeroPad(long long value, int width) { return rt::ZeroPad(value, width); }
void TidyNameText(std::string& text);
// A copy of the text (at most 80 characters) with every "." replaced by ",".
void DotToCommaStr(const std::string& source, std::string& out);

}  // namespace engine
