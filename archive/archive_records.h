#pragma once
// Records of the birth-data archives: the index entry (".ST1", 44 bytes), the
// data record (".ST2", 385 bytes) and the annotation record (".ST3", 284 bytes).
// Every text is Windows-1252 bytes; records are encoded field by field.
#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/runtime/record_file.h"

namespace archive {

inline constexpr std::size_t kIndexRecordSize = 44;
inline constexpr std::size_t kBirthRecordSize = 385;
inline constexpr std::size_t kAnnotationRecordSize = 284;

inline constexpr std::size_t kIndexEntryCapacity = 43;
inline constexpr std::size_t kIndexNameWidth = 38;
inline constexpr int kMaxRecordNumber = 99999;  // five digits

// An archive operation that must not go on: the text (Windows-1252) says why.
// Nothing has been written when it is raised.
class ArchiveError : public std::runtime_error {
public:
    explicit ArchiveError(const std::string& text) : std::runtime_error(text) {}
};

// ---- index entries -------------------------------------------------------

// The 43-character entry: the name padded with blanks (or cut) to 38
// characters, then the data record number as five digits.
std::string MakeIndexEntry(std::string_view name, int dataNumber);
// The first 38 characters of an entry (the padded name).
std::string IndexEntryName(std::string_view entry);
// The data record number in the last five characters of an entry, when they
// are five digits.
std::optional<int> IndexEntryNumber(std::string_view entry);

rt::Bytes EncodeIndexEntry(std::string_view entry);
std::string DecodeIndexEntry(const rt::Bytes& record);

// Character-code comparison of two texts (unsigned bytes; a prefix first).
int CompareArchiveText(std::string_view a, std::string_view b);

// ---- data record ---------------------------------------------------------

struct BirthRecord {
    std::string dateField;         // 20: YYYYMMDDHHMM + correction
    std::string placeField;        // 39: coordinates (12) + place name
    std::string calendarField;     // 2: "GR" or "GI"
    std::string nationalityField;  // 20
    std::string positionString;    // 72
    std::string cuspString;        // 60
    std::string aspectString;      // 124
    std::string reserved1;         // 21
    std::string reserved2;         // 12
    std::string annotationNumber;  // 5: "00000" without an annotation record
};

inline constexpr std::size_t kDateFieldCapacity = 20;
inline constexpr std::size_t kPlaceFieldCapacity = 39;
inline constexpr std::size_t kNationalityCapacity = 20;
inline constexpr std::size_t kPositionStringCapacity = 72;
inline constexpr std::size_t kCuspStringCapacity = 60;
inline constexpr std::size_t kAspectStringCapacity = 124;

// Texts longer than a field are cut without warning.
rt::Bytes EncodeBirthRecord(const BirthRecord& r);
BirthRecord DecodeBirthRecord(const rt::Bytes& record);

// ---- annotation record ---------------------------------------------------

struct AnnotationRecord {
    std::array<std::string, 4> lines;  // capacity 70 each
};

inline constexpr std::size_t kAnnotationLineCapacity = 70;
inline constexpr std::size_t kFourthLineTextWidth = 64;

rt::Bytes EncodeAnnotationRecord(const AnnotationRecord& r);
AnnotationRecord DecodeAnnotationRecord(const rt::Bytes& record);

// The stored fourth line: the typed line padded with blanks and cut to 64
// characters, then the five-character text number (nothing when it is empty).
std::string MakeFourthAnnotationLine(std::string_view typed, std::string_view textNumber);
// Characters 65 to 69 of the fourth line (the person's text number), or "".
std::string TextNumberOfFourthLine(std::string_view line4);

// ---- headers of a new archive --------------------------------------------

// "0 Registro vuoto" padded with dots to 38 characters, then "00000".
std::string EmptyIndexHeaderText();
rt::Bytes EmptyIndexHeader();
rt::Bytes EmptyBirthHeader();       // one blank per text field, five blanks at 379
rt::Bytes EmptyAnnotationHeader();  // the framed notice of a person without annotations
const std::array<std::string, 4>& EmptyAnnotationNotice();

// ---- number texts ----------------------------------------------------------

// The general real text of the old run-time with a decimal comma: at most 15
// significant digits, no trailing zeros ("1", "-0,5", "2451545,25").
std::string GeneralRealText(long double value);
// The date field: the twelve-digit key, then "+" when the correction is not
// negative and its general text; cut to 20 characters.
std::string MakeDateField(std::string_view sortKey, long double correction);
// A decimal text read with either "." or "," as separator (leading and trailing
// blanks ignored). Empty when the text is not a number.
std::optional<long double> ReadDecimalEitherSeparator(std::string_view text);

}  // namespace archive
