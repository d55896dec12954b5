#pragma once
// Files that belong together (the current person's record files and its
// hand-offs) replaced as one: a run that ends at any moment leaves either every
// old file or every new one, once the next start has finished what the ended
// run began.
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

struct NewFileContent {
    std::string name;   // a program file name (resolved by ResolvePath)
    std::string bytes;
};

// Writes every file's new bytes beside it, flushed to the disc, then lists the
// group, then renames each over its file, then drops the list. IoError naming
// the file on a failure before the list is written (nothing changed then).
void ReplaceFilesTogether(const std::vector<NewFileContent>& files);

// At the start: a group whose list is whole is put in place (every new file
// was on the disc); then every temporary file an ended run left in the working
// folder and its subfolders is removed. Returns how many files were put in place.
int FinishInterruptedRewrites();

}  // namespace rt
