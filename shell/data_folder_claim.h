#pragma once
// One copy of the program per data folder: two copies writing the same
// archives would lose index updates and mix records. The first copy holds a
// lock file in the folder for as long as it runs; however a run ended, it leaves
// no lock held: a lock file that names a process that is gone, or a run of this
// computer before it was last started, or that names none (empty or cut short,
// random bytes, unreadable, a folder in its place), is taken over.
// A lock file of another computer (a folder brought from it, or put back from
// a backup taken while the program ran there) cannot be judged from here: the
// user is told which computer, which process and since when, and says whether
// that program is closed.
#include <filesystem>
#include <memory>

class QLockFile;

namespace shell {

inline constexpr const char* kDataFolderLockName = ".kelvor.lock";

// Who claims the folder, which says how the user is told.
enum class Claimant {
    // The windows: in Dutch; a lock of another computer is a question, and a
    // yes takes the folder over.
    Windows,
    // A command-line option: in Italian; a lock of another computer is
    // refused with its facts and the ways on.
    CommandLine,
};

// The lock on a data folder, held by the run that claimed it for as long as
// this object lives (or until Release).
class DataFolderClaim {
public:
    DataFolderClaim();
    ~DataFolderClaim();
    DataFolderClaim(const DataFolderClaim&) = delete;
    DataFolderClaim& operator=(const DataFolderClaim&) = delete;

    // Takes the lock on the data folder (creating the folder when missing),
    // giving up a lock this object held before. When another running copy
    // holds it, or the user does not take over a lock of another computer,
    // says so in a message box and returns false; nothing in the folder is
    // touched then.
    bool Claim(const std::filesystem::path& folder, Claimant claimant = Claimant::Windows);
    // Gives the lock up.
    void Release();

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace shell
