#pragma once
// The checks a person's data must pass before it is stored, in one place: the
// entry, store and change dialogs call them on what the user typed, and the
// store and the change call them again on the record, so no caller can write a
// record the program cannot read back. Each returns the dialogs' message for
// the first problem found, or an empty text when the data is sound.
#include <optional>
#include <string>
#include <string_view>

#include "archive/archive_records.h"

namespace archive {

// Day 1..31, month 1..12, year 0..2080, and a day its month and year have: in
// the calendar named ("GR" Gregorian, "GI" Julian), or with no calendar named
// in the one in force (Julian up to 4 October 1582, Gregorian from the 15th).
struct CalendarDate {
    int day;
    int month;
    int year;
};
std::string BirthDateProblem(CalendarDate date, std::string_view calendar = {});
// Hour 0..23, minute 0..59.
std::string BirthTimeProblem(int hour, int minute);
// "DDNMM-DDDEMM": latitude 0..89 degrees, N or S, 0..60 minutes; longitude
// 0..179 degrees, E or W, 0..60 minutes.
std::string CoordinatesProblem(std::string_view coordinates);
// Hours added to the clock time: a number within -24..+24.
std::string CorrectionProblem(long double correction);
// A name, place, nationality or annotation line: no control characters (a
// line end or a NUL would break the files that carry it).
std::string TextProblem(std::string_view text, std::string_view what);
// A typed name, place, nationality or annotation line holding characters the
// archive files have no code for (emoji, other scripts), named by their codes
// in `foreign` ("U+1F600, U+03B1"); "" when `foreign` is empty. Once stored
// they would read back as "?", so they are refused before anything is written.
std::string ForeignTextProblem(std::string_view foreign, std::string_view what);

// The whole person as the store writes it: the name, the date field
// ("YYYYMMDDHHMM" and the correction), the coordinates and place name, the
// calendar ("GR" or "GI"), the nationality and the annotation lines.
std::string StoredPersonProblem(std::string_view name, const BirthRecord& record,
                                const std::optional<AnnotationRecord>& annotation);

// The same problem with the archive file that holds it: the index (".ST1")
// holds the name, the data file (".ST2") the record, the annotation file
// (".ST3") the annotation lines.
struct StoredPersonFault {
    std::string problem;    // empty when the person is sound
    std::string extension;  // ".ST1", ".ST2" or ".ST3"
};
StoredPersonFault FindStoredPersonFault(std::string_view name, const BirthRecord& record,
                                        const std::optional<AnnotationRecord>& annotation);

// The message of a stored person who fails the checks above: the archive, the
// person and record number, and the fault (the problem and the file that holds
// it). The name is quoted only when its entry (".ST1") is sound.
std::string DamagedPersonMessage(std::string_view archive, std::string_view name, int recordNumber,
                                 const StoredPersonFault& fault);

}  // namespace archive
