#pragma once
// The three chart strings of an archive data record (positions, cusps,
// aspects) and the archive's own Placidus cusps, computed from the record's
// texts whatever house system the user has chosen.
#include <array>
#include <string>

#include "archive/archive_records.h"
#include "engine/chart.h"

namespace archive {

using engine::HouseCusps;
using engine::Real;
// The bodies of a chart.
using ChartBodies = engine::BodyTable<engine::BodyPosition>;

// Letters of the strings: the body letters by body number (1..12 the Sun to
// the black moon, engine/bodies_theory.h; 13 the Ascendant, 14 the Midheaven)
// at index 0..13, the sign letters by sign 1..12 at index 0..11.
inline constexpr const char* kBodyLetters = "elmvagsunpdhxy";
inline constexpr const char* kSignLetters = "ATGNLVBSRCQP";

// Placidus cusps 1..12 of a record from its date field (hour, minute and the
// correction, read with either decimal separator), its 12-character
// coordinates text and the Julian day.
HouseCusps ComputeArchiveCusps(const std::string& dateField, const std::string& coordinates, Real julianDay);
// The same holding the Julian day and every working value as a 64-bit double
// (the change dialog's computation).
HouseCusps ComputeArchiveCuspsDouble(const std::string& dateField, const std::string& coordinates, double julianDay);

// Twelve codes of six characters, the Sun to the black moon: house, body
// letter, sign letter, degree.
std::string EncodeTwelvePositions(const ChartBodies& bodies, const HouseCusps& cusps);
// Twelve codes of five characters: cusp number, sign letter, degree as the
// short position text shows it.
std::string EncodeCuspString(const HouseCusps& cusps);
// Codes of four characters for the five major aspects among the Sun to
// Pluto, the Ascendant and the Midheaven (the first and tenth cusps); at most
// 31 codes kept.
std::string EncodeAspectString(const ChartBodies& bodies, const HouseCusps& cusps);
// The same holding each separation as a 64-bit double.
std::string EncodeAspectStringDouble(const ChartBodies& bodies, const HouseCusps& cusps);

struct ChartStrings {
    std::string positions;
    std::string cusps;
    std::string aspects;
};

// The moment a record stands for: the Julian day of the clock date and time of
// its date field plus the correction / 24 (calendar: "GR" Gregorian, else Julian).
Real RecordJulianDay(const std::string& dateField, const std::string& calendarField);

// Computes the bodies at `julianDay` with the node and black-moon kinds of
// `settings`, the archive cusps, and encodes the three strings. `doubleWidth`
// selects the change dialog's widths.
ChartStrings ComputeChartStrings(const engine::ChartSettings& settings, const std::string& dateField,
                                 const std::string& placeField, Real julianDay, bool doubleWidth = false);
// The same at the record's own corrected moment; fills the record's strings.
ChartStrings FillChartStrings(const engine::ChartSettings& settings, BirthRecord& record, bool doubleWidth = false);

}  // namespace archive
