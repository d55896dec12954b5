#pragma once
// Files that belong together (the current person's record files and its
// hand-offs) replaced as one: a run that ends at any moment leaves either every
// old file or every new one, once the next start has finished what the ended
// run began.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// The list of the group being put in place ("FileDum\Gruppo.dum"): written
// whole after every new file is on the disc, removed when every file is in place.
inline constexpr const char* kGroupRewriteList = "FileDum\\Gruppo.dum";

// A temporary name beside a file, unique to this process ("x.ST1.tmp~1234"):
// two copies of the program never write one temporary file.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target);

// The temporary name of a program file name (TemporaryBeside in the program's spelling).
std::string TemporaryNameBeside(std::string_view name);

// Flushes a written file to the disc (for temporary files written record by
// record before they replace a file); false when it cannot.
bool FlushToDisc(const std::filesystem::path& file);
// Flushes a folder's entries (a file created, renamed or removed in it) to the disc.
void SyncFolder(const std::filesystem::path& folder);

struct NewFileContent {
    std::string name;   // a program file name (resolved by ResolvePath)
    std::string bytes;
};

// Writes every file's new bytes beside it, flushed to the disc, then lists the
// group, then renames each over its file, then drops the list. IoError naming
// the file on a failure before the list is written (nothing changed then).
void ReplaceFilesTogether(const std::vector<NewFileContent>& files);

// The list of files that records are being appended to in place
// ("FileDum\Accodati.dum"): each file's length before the appends.
inline constexpr const char* kAppendList = "FileDum\\Accodati.dum";

// Records appended in place to several files as one step: the files' lengths
// are listed on the disc before the first byte is appended, and the list is
// removed (Commit) once every appended record is on the disc. A run that ends
// before Commit leaves the list, and the next start cuts every listed file
// back to its old length; a failure before Commit cuts them back at once.
class AppendGroup {
public:
    // Lists the current lengths of the named program files (IoError naming
    // the list when it cannot be written: nothing appended then).
    explicit AppendGroup(const std::vector<std::string>& names);
    ~AppendGroup();
    AppendGroup(const AppendGroup&) = delete;
    AppendGroup& operator=(const AppendGroup&) = delete;

    // Every file flushed to the disc, then the list dropped.
    void Commit();

private:
    std::vector<std::pair<std::filesystem::path, std::uintmax_t>> lengths_;
    bool open_ = false;
};

// At the start: files listed by an append group that did not commit are cut
// back to their old lengths; a group whose list is whole is put in place
// (every new file was on the disc); then every temporary file an ended run left
// in the working folder and its subfolders is removed. Returns how many files
// were put in place or cut back.
int FinishInterruptedRewrites();

}  // namespace rt
