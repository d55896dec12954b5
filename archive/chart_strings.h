#pragma once
// The three chart strings of an archive data record (positions, cusps,
// aspects) and the archive's own Placidus cusps, computed from the record's
// texts whatever house system the user has chosen.
#include <array>
#include <string>

#include "archive/archive_records.h"
#include "engine/chart_state.h"

namespace archive {

using engine::BodyArray;
using engine::Real;
using CuspArray = std::array<Real, 16>;

// Letters of the strings.
inline constexpr const char* kBodyLetters = " elmvagsunpdhxy";  // 1..14
inline constexpr const char* kSignLetters = "ATGNLVBSRCQP";    // sign 1..12 at index 0..11

// Placidus cusps 1..12 of a record from its date field (hour, minute and the
// correction, read with either decimal separator), its 12-character
// coordinates text and the Julian day. Writes entries 1..12 of `cusps`.
void ComputeArchiveCusps(const std::string& dateField, const std::string& coordinates,
                         CuspArray& cusps, Real julianDay);
// The same holding the Julian day and every working value as a 64-bit double
// (the change dialog's computation).
void ComputeArchiveCuspsDouble(const std::string& dateField, const std::string& coordinates,
                               CuspArray& cusps, double julianDay);

// Twelve codes of six characters: house, body letter, sign letter, degree.
void EncodeTwelvePositions(const BodyArray& longitudes, const CuspArray& cusps, std::string& out);
// Twelve codes of five characters: cusp number, sign letter, degree as the
// short position text shows it.
void EncodeCuspString(const CuspArray& cusps, std::string& out);
// Codes of four characters for the five major aspects among the bodies 1..10,
// the Ascendant and the Midheaven; at most 31 codes kept.
void EncodeAspectString(const BodyArray& longitudes, const CuspArray& cusps, std::string& out);
// The same holding each separation as a 64-bit double.
void EncodeAspectStringDouble(const BodyArray& longitudes, const CuspArray& cusps,
                              std::string& out);

struct ChartStrings {
    std::string Positions;
    std::string Cusps;
    std::string Aspects;
};

// The moment a record stands for: the Julian day of the clock date and time of
// its date field plus the correction / 24 (calendar: "GR" Gregorian, else Julian).
Real RecordJulianDay(const std::string& dateField, const std::string& calendarField);

// Computes the bodies at `julianDay` into `chart` (with its node and black-moon
// kinds, and its first and seventh cusps), takes their absolute values,
// computes the archive cusps into its house cusps and encodes the three
// strings. `doubleWidth` selects the change dialog's widths.
ChartStrings ComputeChartStrings(engine::ChartState& chart, const std::string& dateField,
                                 const std::string& placeField, Real julianDay, bool doubleWidth = false);
// The same at the record's own corrected moment; fills the record's strings.
ChartStrings FillChartStrings(engine::ChartState& chart, BirthRecord& record, bool doubleWidth = false);

}  // namespace archive
