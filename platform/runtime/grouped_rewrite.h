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

#include "platform/runtime/disc_flush.h"

namespace rt {

// The list of the group being put in place ("FileDum\Gruppo.dum"): written
// whole after every new file is on the disc, removed when every file is in place.
inline constexpr const char* kGroupRewriteList = "FileDum\\Gruppo.dum";

// A temporary name beside a file, unique to this process ("x.ST1.tmp~1234"):
// two copies of the program never write one temporary file.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target);

// The temporary name of a program file name (TemporaryBeside in the program's spelling).
std::string TemporaryNameBeside(std::string_view name);

struct NewFileContent {
    std::string name;   // a program file name (resolved by ResolvePath)
    std::string bytes;
};

// Writes every file's new bytes beside it, flushed to the disc, then lists the
// group, then renames each over its file, then drops the list. IoError naming
// the file on a failure before the list is written (nothing changed then),
// among them a folder standing where one of the files should be.
void ReplaceFilesTogether(const std::vector<NewFileContent>& files);

// The list of the records being written in place ("FileDum\Scritture.dum"):
// each file's length, and the bytes of each record about to be overwritten,
// as they were before the writes.
inline constexpr const char* kInPlaceWriteList = "FileDum\\Scritture.dum";

// A part of a program file about to be written in place: `size` bytes at
// `offset` are overwritten (a size of 0 or an offset at or past the end: the
// file only grows).
struct InPlaceRegion {
    std::string name;
    std::int64_t offset = 0;
    std::int64_t size = 0;
};

// Records written in place in several files as one step (a store's appended
// records, a change's rewritten ones): the files' lengths and the old bytes of
// the regions are listed on the disc before the first byte is written, and the
// list is removed (Commit) once every written record is on the disc. A run that
// ends before Commit leaves the list, and the next start puts every listed
// file back as it was; a failure before Commit puts them back at once.
class InPlaceWriteGroup {
public:
    // Lists the regions' files and old bytes (IoError naming the list when it
    // cannot be written: nothing written then).
    explicit InPlaceWriteGroup(const std::vector<InPlaceRegion>& regions);
    ~InPlaceWriteGroup();
    InPlaceWriteGroup(const InPlaceWriteGroup&) = delete;
    InPlaceWriteGroup& operator=(const InPlaceWriteGroup&) = delete;

    // Every file flushed to the disc, then the list dropped.
    void Commit();

    // What the list keeps of one file.
    struct Kept {
        std::filesystem::path file;
        std::uintmax_t length = 0;
        std::uintmax_t offset = 0;
        std::string bytes;  // the old bytes at offset (none for a file that only grows)
    };

private:
    std::vector<Kept> kept_;
    bool open_ = false;
};

// At the start: files listed by an in-place write group that did not commit
// are put back as they were; a group whose list is whole is put in place
// (every new file was on the disc); then every temporary file an ended run left
// in the working folder and its subfolders is removed. Returns how many files
// were put in place or put back.
int FinishInterruptedRewrites();

}  // namespace rt
