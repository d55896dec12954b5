#pragma once
// Whether a file is a whole database of the program's kind: a whole number of
// records of its size, record 0 as the program's records are laid out, and
// every field of every record readable (its length byte within its capacity),
// no data record of zero bytes where the database never holds one. The update
// from a disc checks each incoming database with it before any local file is
// replaced; the databases of the data folder are looked at the same way
// (remedies/record_db.h: DatabaseDamage) before a list is made from them.
#include <filesystem>
#include <string>

#include "remedies/record_db.h"

namespace remedies {

enum class DatabaseKind { Primary, Repertory, Signature };

// The database file of that kind in the data folder.
DbFile DatabaseOf(DatabaseKind kind);

// What is wrong with the file as a database of that kind, in words for the
// user (Windows-1252), or "" when it is whole.
std::string DatabaseFileProblem(const std::filesystem::path& file, DatabaseKind kind);

// The copy of a database that the last update from a disc kept beside it
// ("OpzioneH\DBmain.rnd.precedente2", spelled as in the folder), or "" when
// there is none.
std::string LastKeptUpdateCopy(const DbFile& db);

// What the user can do about a damaged or unreadable database of the data
// folder: make it readable, restore it from a backup or from the copy the last
// update kept, import the signature database again from its text, and for one
// that may have been cut, take it as it is at the next start.
std::string RestoreAdvice(const DbFile& db);

// The question of the start on a database that may have been cut
// (PossiblyCutProblem gave `problem`): take it as it is now (yes), or leave it
// as it is, to be put back (no).
std::string CutDatabaseQuestion(const DbFile& db, const std::string& problem);

// A database found damaged or unreadable without a list being rebuilt from
// it: told once (DamagedDatabaseMessage with `done`).
void NoteUnusableDatabase(const DbFile& db, const std::string& problem, const std::string& done);

// A window opened on a database of the data folder (an editor, a browser, a
// search) looks at it first. When it is damaged or cannot be read
// (DatabaseProblem), the user is told at once, at every opening, naming the
// file, what is wrong, `done` (what the window does instead) and what the user
// can do; the window then shows nothing read from it and writes nothing into
// it. Returns the problem, "" when the database is sound or missing.
std::string TellUnusableDatabase(const DbFile& db, const std::string& done);

}  // namespace remedies
