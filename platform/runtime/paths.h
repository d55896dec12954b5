#pragma once
// The one path function: turns the program's relative, backslash-separated,
// case-carelessly spelled file names into real paths in the working folder.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// Backslashes become separators; each component is matched without regard to
// (ASCII) case against what exists, and a component that does not exist keeps
// the spelling given. Names are Windows-1252 bytes and are converted to UTF-8.
// Relative names are taken from the working folder.
std::filesystem::path ResolvePath(std::string_view name);

// The same, for a name relative to another folder than the working one (a
// backup medium, the program folder seen from elsewhere).
std::filesystem::path ResolvePathIn(const std::filesystem::path& base, std::string_view name);

// A path relative to the working folder as a program name: Windows-1252, with
// backslashes. ProgramNameOf(ResolvePath(name)) is the name as the folder
// spells it ("OPZIONEH\SINTOMI.TXT" for "OpzioneH\Sintomi.txt").
std::string ProgramNameOf(const std::filesystem::path& relative);

// The name as the user finds it: a program name relative to the working
// folder as the folder spells it (ProgramNameOf(ResolvePath(name))), so that
// a message names a file that exists under that very name; an absolute path
// as given.
std::string SpelledOnDisc(std::string_view name);

// True when the named file or folder exists (matched without regard to case).
bool PathExists(std::string_view name);

// True when a folder stands where the named file should be.
bool FolderInPlaceOf(std::string_view name);

// Creates the folders of a name's parent path (matched without regard to case).
void EnsureParentFolder(std::string_view name);

// The user's data folder: $XDG_DATA_HOME/kelvor, or ~/.local/share/kelvor.
std::filesystem::path UserDataFolder();

// The installed data tree: $KELVOR_DATA_DIR when set, else share/kelvor beside
// the executable's folder (/usr/share/kelvor for /usr/bin/kelvor). Only a
// program run from the folder it was built in, which has no such tree beside
// it, takes the tree its build laid out.
std::filesystem::path InstalledDataFolder();

// The file in the data folder that records which shipped files the folder
// holds as the installation gave them (hidden, beside the lock file).
inline constexpr const char* kShippedRecordName = ".kelvor.shipped";

// True for a shipped file the user does not edit and the program only reads:
// the correction tables, the glyph pictures, the place tables and calendars,
// the help, attribution, terms and exchange texts, the year rulers and the
// instruction documents. A newer installation's copy of such a file replaces
// the one in the data folder as long as that one is still as it came. The
// name is relative to the data folder, with "/" or "\", in any case.
bool IsRenewedShippedFile(std::string_view relative);

// The data folder holds personal data of the practitioner's clients: it is
// private to its user. Makes everything the program creates from now on
// private (folders 0700, files 0600, whatever the umask of the desktop),
// creates the data folder so, and takes group and others' rights from an
// existing one that gives any. Returns true when it did the latter (the start
// says so). Throws IoError when the folder cannot be made or changed.
bool MakeDataFolderPrivate();

// What the start tells of the shipped files a preparation renewed, kept in the
// data folder (kRenewalNoticeName) until the user has answered the message
// once: a run ended before then tells it again at its next start.
inline constexpr const char* kRenewalNoticeName = ".kelvor.renewed";
// The suffix of the new version of a shipped file kept beside the user's
// changed copy ("Appoggio\Messaggi.txt.dist"), as Debian keeps the
// distributor's version beside a changed configuration file.
inline constexpr const char* kKeptNewVersionSuffix = ".dist";
struct RenewalNotice {
    // Replaced by the new version's copy (program names as the folder spells
    // them, sorted).
    std::vector<std::string> renewed;
    // Changed by the user and changed by the new version too: the user's file
    // stays, the new version is beside it under its name + kKeptNewVersionSuffix.
    std::vector<std::string> keptBeside;
    bool Empty() const { return renewed.empty() && keptBeside.empty(); }
};
// The notice the data folder (the working folder) holds; empty when none.
RenewalNotice PendingRenewalNotice();
// The user answered the notice's message: it is not told again.
void ForgetRenewalNotice();

// Shipped files that belong together: data (a database, the text it is
// imported from) and the files made from it (its lists). Names are program
// names ("OpzioneH\DBmain.rnd").
struct SeedGroup {
    std::vector<std::string> data;
    std::vector<std::string> derived;
};

// Creates the data folder, copies every shipped file missing there from the
// installed tree and makes it the working folder (private, as
// MakeDataFolderPrivate makes it). Returns the data folder.
// A shipped file the user does not edit (IsRenewedShippedFile) that the
// installation now holds in another version than the one it copied is
// renewed: replaced whole by the installation's copy, when the file in the
// folder is still the one the program put there (kShippedRecordName keeps
// what it put there) or holds the bytes that this or an earlier version of
// the program shipped (kEarlierShippedName of the installation lists them);
// one the user changed is never replaced, and when the new version changed
// the file too, the new version is kept beside it (kKeptNewVersionSuffix).
// One that holds the installation's bytes is taken as the program's from then
// on. What was renewed or kept beside is added to the data folder's renewal
// notice; `notice`, when given, receives the whole notice still to be told.
// A file or folder is missing only when no entry of its name in any case is
// there; an existing one is used under its own spelling and never overwritten.
// A group whose data in the folder is not the shipped data (a database brought
// from another installation) is the user's: none of its shipped files is
// copied. The start holds the derived files that are there against the
// user's data, and makes the missing ones from it.
std::filesystem::path PrepareDataFolder(const std::vector<SeedGroup>& groups = {}, RenewalNotice* notice = nullptr);

// What putting a shipped file back did.
struct ShippedFileRestore {
    enum class Outcome {
        Restored,     // the installation's copy stands in the data folder now
        NoSoundCopy,  // the installation holds no such file, or the same bytes
        NotKept,      // the damaged file could not be kept aside: it was left as it is
        NotWritten,   // the installation's copy could not be written in its place
    };
    Outcome outcome = Outcome::NoSoundCopy;
    std::string kept;  // the damaged copy's name beside it (its last component), when kept
    bool Restored() const { return outcome == Outcome::Restored; }
};

// Puts back a shipped file the program only reads and the user does not edit
// (a correction table, a help text, a glyph picture), found damaged in the data
// folder: the damaged file is kept beside it under KeepDamagedCopy's numbered
// name, then the installation's copy replaces it whole (written beside it and
// renamed over it). Nothing is replaced when the installation holds no such
// file or holds the same bytes (its copy is no better), or when the damaged
// file cannot be kept. The name is a program name ("FilePosi\DPR1.rnd").
ShippedFileRestore RestoreShippedFile(std::string_view name);

}  // namespace rt
