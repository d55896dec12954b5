#pragma once
// Whether a file is a whole database of the program's kind: a whole number of
// records of its size, record 0 as the program's records are laid out, and
// every field of every record readable (its length byte within its capacity).
// The update from a disc checks each incoming database with it before any
// local file is replaced.
#include <filesystem>
#include <string>

#include "remedies/record_db.h"

namespace remedies {

enum class DatabaseKind { Primary, Repertory };

// What is wrong with the file as a database of that kind, in words for the
// user (Windows-1252), or "" when it is whole.
std::string DatabaseFileProblem(const std::filesystem::path& file, DatabaseKind kind);

}  // namespace remedies
