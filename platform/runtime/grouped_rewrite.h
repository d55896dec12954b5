#pragma once
// Files that belong together (an archive's records and index, the current
// person's record files and its hand-offs) changed as one: a run that ends at
// any moment, or a power cut, leaves either every old file or every new one,
// once the next start has finished what the ended run began.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/disc_flush.h"

namespace rt {

// The journal of the group being changed ("FileDum\Gruppo.dum"): every new
// byte of the group (of a large file, the name of its new content written
// beside it), on the disc before the first file is touched, removed when every
// file holds its new bytes. (A list of temporary files and their targets,
// which earlier versions wrote there, is finished as well.)
inline constexpr const char* kGroupRewriteList = "FileDum\\Gruppo.dum";

// A temporary name beside a file, unique to this process ("x.ST1.tmp~1234"):
// two copies of the program never write one temporary file.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target);

// The temporary name of a program file name (TemporaryBeside in the program's spelling).
std::string TemporaryNameBeside(std::string_view name);

struct NewFileContent {
    std::string name;  // a program file name (resolved by ResolvePath)
    std::string bytes;
};

// Bytes written over part of a program file, or after its end (an append):
// `offset` lies within the file or at its end.
struct BytesInPlace {
    std::string name;
    std::int64_t offset = 0;
    std::string bytes;
};

// A change of several files that counts as one: files replaced whole, and
// records written in place into files too large to be written anew.
struct FilesChange {
    std::vector<NewFileContent> replaced;
    std::vector<BytesInPlace> written;
};

// Makes the change as one step, waiting for the disc once for the journal,
// once for each large file replaced and once for each file written in place:
//   1. each replaced file's new content is written beside it; a large one
//      (more than a mebibyte: an archive's index of many people) is flushed
//      there, the others go to the journal too;
//   2. the journal gets every other new byte of the group (the small files'
//      new content, each write in place with its place, the large files'
//      temporary names) and is flushed: from then on the change counts, and
//      the next start finishes it;
//   3. the writes in place are made, and each file written is flushed;
//   4. each new content is renamed over its file;
//   5. the journal is removed.
// Only steps 1 to 3 wait for the disc: the filesystems the program runs on
// (ext4, btrfs) put a file flushed on the disc under its name, put changes of
// names on the disc in the order they were made, and a file renamed over
// another with its bytes (their rule for replacing a file by renaming; a file
// that did not exist gets an empty one to be renamed over), so no write in
// place and no rename reaches the disc before the journal, and the journal
// never leaves the disc before what it finishes.
// A replaced file that already holds its new bytes is left alone; a change of
// one file alone is a whole-file rewrite (ReplaceWholeFile). IoError naming
// the file on a failure before step 3 (nothing changed then), among them a
// folder standing where one of the files should be; a failure in step 3 puts
// the files written in place back as they were first. `afterEachRename`, when
// given, is called after each file is renamed into place (a test stops the
// change there).
void ChangeFilesTogether(const FilesChange& change, const std::function<void()>& afterEachRename = {});
// The same for files replaced whole only.
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
// are put back as they were; a group whose journal is whole is finished (every
// new byte of it was on the disc), each file flushed, and a journal cut short
// dropped (nothing was touched yet); then every temporary file an ended run
// left in the working folder and its subfolders is removed. Returns how many
// files were put in place or put back.
int FinishInterruptedRewrites();

}  // namespace rt
