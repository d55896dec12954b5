#pragma once
// The files of the remedy databases at start: a save that an ended run left
// unfinished is rolled back (remedies/record_journal.h), a missing database is
// created empty (its header record only; the signature database is imported
// from its text when that is there), and the lists derived from a sound
// database are held against what it gives: one that is missing, that the
// database's mark asks for (remedies/stale_lists.h) or that says something
// else is made again from it, so that no window meets a missing file and every
// list describes the database beside it. The user is told once which lists
// said something else.
#include <functional>
#include <string>
#include <vector>

#include "platform/runtime/paths.h"

namespace remedies {

// Asks the user whether a database that may have been cut
// (remedies/database_sizes.h) is to be taken as it is now: the question's
// text, true for yes.
using TakeDatabaseAsItIs = std::function<bool(const std::string& question)>;

// Creates what is missing and finishes what an ended run left; returns the
// program names of the files it made. A database that may have been cut is
// asked about (`take`; without it, it is named as damaged): taken, its lists
// are made from it as it is now; left, nothing is made from it and it is
// asked about again at the next start.
std::vector<std::string> EnsureRemedyFiles(const TakeDatabaseAsItIs& take = {});

// The shipped remedy files as groups for the seeding of the data folder: each
// database (with the signature database its import text) and the lists made
// from it, with the database's mark of stale lists.
std::vector<rt::SeedGroup> RemedySeedGroups();

}  // namespace remedies
