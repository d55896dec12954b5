#pragma once
// The one path function: turns the program's relative, backslash-separated,
// case-carelessly spelled file names into real paths in the working folder.
#include <filesystem>
#include <string>
#include <string_view>

namespace rt {

// Backslashes become separators; each component is matched without regard to
// (ASCII) case against what exists, and a component that does not exist keeps
// the spelling given. Names are Windows-1252 bytes and are converted to UTF-8.
// Relative names are taken from the working folder.
std::filesystem::path ResolvePath(std::string_view name);

// The same, for a name relative to another folder than the working one (a
// backup medium, the program folder seen from elsewhere).
std::filesystem::path ResolvePathIn(const std::filesystem::path& base, std::string_view name);

// True when the named file or folder exists (matched without regard to case).
bool PathExists(std::string_view name);

// Creates the folders of a name's parent path (matched without regard to case).
void EnsureParentFolder(std::string_view name);

// The user's data folder: $XDG_DATA_HOME/kelvor, or ~/.local/share/kelvor.
std::filesystem::path UserDataFolder();

// The installed data tree: $KELVOR_DATA_DIR when set, else the build's tree,
// else share/kelvor/data beside the executable's folder.
std::filesystem::path InstalledDataFolder();

// Creates the data folder, copies every shipped file missing there from the
// installed tree (never overwriting a user's file) and makes it the working
// folder. Returns the data folder.
std::filesystem::path PrepareDataFolder();

}  // namespace rt
