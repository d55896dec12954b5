#pragma once
// One copy of the program per data folder: two copies writing the same
// archives would lose index updates and mix records. The first copy holds a
// lock file in the folder for as long as it runs; however a run ended, it leaves
// no lock held: a lock file that names a process that is gone, or that names
// none (empty or cut short, random bytes, unreadable, a folder in its place),
// is taken over.
#include <filesystem>

namespace shell {

inline constexpr const char* kDataFolderLockName = ".kelvor.lock";

// Takes the lock on the data folder (creating the folder when missing). When
// another running copy holds it, says so in a message box and returns false;
// nothing in the folder is touched then.
bool ClaimDataFolder(const std::filesystem::path& folder);
// Gives the lock up (the end of the program; tests).
void ReleaseDataFolder();

}  // namespace shell
