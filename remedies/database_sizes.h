#pragma once
// How many data records each remedy database held when the program last left
// it: after a change of the program's, a rebuild of its lists from it, or a
// start that found it sound. They are kept in a file of their own in the data
// folder (kDatabaseSizesName). Record 0 holds no count, so a database cut at
// a record boundary looks whole by itself; one that holds fewer records than
// the program left in it, with no change of the program's under way (its mark
// of stale lists, remedies/stale_lists.h, is made before a change and removed
// once the count is kept), may have been cut. The start asks the user about
// it: taken as it is, its count is kept anew; left as it is, it is set aside,
// and nothing is derived from it or written into it until a later start has
// the user take it or it holds its records again (put back from a backup). A
// database with no count kept (brought from another installation into a new
// data folder) is taken as it is.
#include <cstdint>
#include <optional>
#include <string>

#include "remedies/record_db.h"

namespace remedies {

// The file of the counts, hidden beside the lock file.
inline constexpr const char* kDatabaseSizesName = ".kelvor.databases";

// The file of the counts as it is to be with the count of data records the
// database holds now (and the database no longer set aside), when that
// changes what is kept: a rebuild after a change puts it in place in one group
// with the lists, so that it costs the change no flush of its own.
std::optional<ListFile> DatabaseSizesAfterWrite(const DbFile& db);

// Keeps the count of data records the database holds now, and takes it out of
// the set aside. Writes only when that changes what is kept; IoError when the
// file cannot be written.
void RecordDatabaseSize(const DbFile& db);

// What says that the database as it stands may have been cut (in words for
// the user, Windows-1252): whole records, fewer data records than the count
// kept, and no change of the program's under way; "" otherwise (and when it
// is missing, of no bytes or its last record cut short: damage of its own).
std::string PossiblyCutProblem(const DbFile& db);

// Sets the database aside: the user left it as it is, or nobody could be
// asked (IoError when the file of the counts cannot be written).
void SetDatabaseAside(const DbFile& db);

// PossiblyCutProblem for a database set aside, of `fileBytes` bytes: "" for
// one not set aside, or one that holds its records again.
std::string SetAsideProblem(const DbFile& db, std::int64_t fileBytes);

}  // namespace remedies
