#pragma once
// The files of the remedy databases at start: a save that an ended run left
// unfinished is rolled back (remedies/record_journal.h), a missing database is created
// empty (its header record only) and a missing derived list is built from its
// database, so that no window meets a missing file.
#include <string>
#include <vector>

namespace remedies {

// Creates what is missing; returns the program names of the files it made.
std::vector<std::string> EnsureRemedyFiles();

// Empties the shared record buffers of the databases.
void ResetRemedyBuffers();

}  // namespace remedies
