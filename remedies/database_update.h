#pragma once
// The update of the remedy databases from a disc: a folder "OpzioneH" on a
// mounted volume (or in a folder the user chooses) holding newer copies of
// "DBmain.rnd" and "Repertorio.rnd". Each incoming database is checked first
// (remedies/database_check.h): one that is not whole refuses the update. The
// program then copies every file of the folder into its own "OpzioneH" folder
// itself: each file to a temporary name first, with the source's last-write
// time; when every file arrived whole, the local pair of databases is kept as
// a numbered copy beside it ("DBmain.rnd.precedente1", ...), and the temporary
// files are renamed over the old ones. Any failure removes what was written
// and leaves the local files as they were.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "remedies/record_db.h"

namespace remedies {

inline constexpr const char* kUpdateFolderName = "OpzioneH";
inline constexpr const char* kAutoSetName = "OpzioneH\\AutoSet";
inline constexpr const char* kUpdateTextManual = "Appoggio\\Aggiorna1.txt";
inline constexpr const char* kUpdateTextAuto = "Appoggio\\Aggiorna2.txt";
// The mark of a kept copy of a replaced database, before its number
// ("DBmain.rnd.precedente1").
inline constexpr const char* kKeptCopyMark = ".precedente";

// The dates of a set of the two databases in one folder.
struct DatabaseSetDate {
    // The larger last-write time of the two (seconds since the epoch); -1 when both are missing.
    std::int64_t newestAge = -1;
    // "DD/MM/YYYY HH:MM" of "Repertorio.rnd" when it is strictly newer than
    // "DBmain.rnd", else of "DBmain.rnd"; "Non Valida" when that one is missing.
    std::string dateText;
};

// The dates of the set in a folder (the names matched without regard to case).
DatabaseSetDate SetDateIn(const std::filesystem::path& folder);

// The folder "OpzioneH" directly inside `root` (any case), or none. A chosen
// folder that is itself named "OpzioneH" and holds a database counts too.
std::optional<std::filesystem::path> UpdateFolderIn(const std::filesystem::path& root);

// Up to three update folders from the candidate roots, in order.
std::vector<std::filesystem::path> FindUpdateFolders(const std::vector<std::filesystem::path>& roots);

struct UpdateOutcome {
    bool ok = false;
    int filesCopied = 0;
    std::string message;  // Windows-1252: why it failed
    // The copies kept of the replaced local databases (their names, beside
    // them in the target folder); empty when no local database was replaced.
    std::vector<std::string> keptCopies;
    // The names of the local databases they are copies of, spelled as in the
    // folder, in the same order.
    std::vector<std::string> replaced;
};

// The words for the user on where the replaced databases were kept ("" when none were).
std::string KeptCopiesMessage(const UpdateOutcome& outcome, const std::filesystem::path& target);

// Copies every regular file of `source` into `target` (created when missing),
// keeping the files' last-write times, as described above.
UpdateOutcome InstallUpdate(const std::filesystem::path& source, const std::filesystem::path& target);

// The derived lists of the two databases that `source` did not bring along and
// that must therefore be rebuilt after an install: true when any is missing there.
bool UpdateLacksDerivedLists(const std::filesystem::path& source);

// The update of the program's own databases (the working folder's "OpzioneH"):
// the lists of both databases are marked stale before the first file is
// replaced, the files are installed (InstallUpdate), and the lists are rebuilt
// from the databases then there, whether or not the update brought lists along,
// so that they describe them. `notes` receives the rebuild's words for the user
// (records left out, or why the lists could not be rebuilt).
// `steps` hears each step of the rebuilds.
UpdateOutcome InstallUpdateWithLists(const std::filesystem::path& source, std::string& notes,
                                     const WriteSteps& steps = {});

}  // namespace remedies
