#pragma once
// The numbers a stored birth record holds in its texts (date, time, time-zone
// correction, coordinates), checked before the program computes with them.
#include <string_view>

#include "archive/archive_records.h"

namespace archive {

// Raises rt::DamagedFileError naming `file` when a number of the record's date
// field (year, month, day, hour, minute, correction) or of its coordinates
// (degrees and minutes of latitude and longitude) is not finite or lies outside
// what the field can hold. A blank date field (no person) and texts that are
// no number at all (read as 0, as always) pass.
void CheckBirthRecordNumbers(const BirthRecord& record, std::string_view file);

}  // namespace archive
