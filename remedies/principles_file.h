#pragma once
// The file of healing principles "Principi.sto": fifteen records of five lines
// of at most 40 capitals, made from the text "Principi.txt" (five lines a record).
#include <array>
#include <string>
#include <vector>

#include "platform/runtime/record_file.h"

namespace remedies {

inline constexpr const char* kPrinciplesTextName = "Principi.txt";
inline constexpr const char* kPrinciplesFileName = "Principi.sto";
inline constexpr std::size_t kPrinciplesRecordSize = 205;
inline constexpr int kPrinciplesRecords = 15;
inline constexpr std::size_t kPrincipleLineLength = 40;

using PrinciplesRecord = std::array<std::string, 5>;

// The fifteen records of the text's first 75 lines: each line upper-cased
// (letters a to z only) and cut to 40 characters; lines past the end are empty.
std::vector<PrinciplesRecord> PrinciplesFromLines(const std::vector<std::string>& lines);
rt::Bytes EncodePrinciplesRecord(const PrinciplesRecord& r);
PrinciplesRecord DecodePrinciplesRecord(const rt::Bytes& b);

// What keeps "Principi.txt" from being the source of the principles file, or
// an empty text when it has the shape: fifteen groups of five lines (at least
// 75 lines), a Windows-1252 text with no control characters other than line
// ends and tabs (a file of random bytes, a UTF-16 or UTF-8 text is refused).
// IoError when the text cannot be read.
std::string PrinciplesTextProblem();

// Reads "Principi.txt" and writes "Principi.sto" anew (records 0 to 14). The
// text is read first and the file is written beside the old one and renamed
// over it, so a missing text leaves the old file whole.
void GeneratePrinciples();
// Records 0 to 14 of "Principi.sto".
std::vector<PrinciplesRecord> ReadPrinciplesFile();

}  // namespace remedies
