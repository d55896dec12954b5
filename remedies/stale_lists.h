#pragma once
// The mark that a database's lists may no longer describe it: an empty file
// beside the database ("DBmain.rnd.ricostruire"), made before a change of the
// database reaches the disc and removed once the lists are rebuilt from it. A
// run that ends between leaves the mark, and the next start rebuilds the lists,
// so after any end of a run the database and its lists agree.
#include <string>

#include "remedies/record_db.h"

namespace remedies {

// The mark's program name beside a database.
std::string StaleListsMarkFor(const DbFile& db);
std::string StaleListsMarkFor(const std::string& databaseName);

// Makes the mark (IoError naming the database when it cannot be made); true
// when it was not there before. It is not flushed on its own: a save's
// journal, written next in the same folder, carries its folder entry to the disc.
bool MarkListsStale(const DbFile& db);
// True when the mark is there.
bool ListsMarkedStale(const DbFile& db);
// Removes the mark (nothing when it is not there).
void ClearStaleListsMark(const DbFile& db);

// Runs a change of the database with the mark made first. A change that fails
// leaves the database as it was: a mark that was not there before goes again.
template <typename Change>
auto ChangeWithListsMarked(const DbFile& db, Change change) -> decltype(change()) {
    const bool madeNow = MarkListsStale(db);
    try {
        return change();
    } catch (...) {
        if (madeNow) ClearStaleListsMark(db);
        throw;
    }
}

}  // namespace remedies
