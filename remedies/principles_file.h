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

// Reads "Principi.txt" and writes "Principi.sto" anew (records 0 to 14). The
// text is read first and the file is written beside the old one and renamed
// over it, so a missing text leaves the old file whole.
void GeneratePrinciples();
// Records 0 to 14 of "Principi.sto".
std::vector<PrinciplesRecord> ReadPrinciplesFile();

}  // namespace remedies
