#pragma once
// Typed files of fixed-size records. Record 0 is a header; the count of data
// records is the file size in records minus one. A partial last record is ignored.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

using Bytes = std::vector<std::uint8_t>;

class RecordFile {
public:
    RecordFile(std::string_view name, std::size_t recordSize);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens an existing file for reading and writing (IoError 2 when missing, 5
    // for a folder); a file the user may only read is opened for reading, and
    // a write to it raises IoError 5 naming it.
    void Reset();
    void Rewrite();  // create or empty, then open for reading and writing
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    std::size_t RecordSize() const { return size_; }
    std::int64_t FileSize() const;                         // whole records in the file
    std::int64_t ByteSize() const;                         // bytes in the file (a partial last record included)
    std::int64_t Count() const { return FileSize() - 1; }  // data records after the header

    Bytes Read(std::int64_t n);  // IoError 100 beyond the end
    // Records first .. first + count - 1 in one read, as consecutive bytes
    // (IoError 100 when any lies beyond the end).
    std::string ReadRange(std::int64_t first, std::int64_t count);
    void Write(std::int64_t n, const Bytes& r);  // n may be FileSize() to extend by one
    void Append(const Bytes& r);
    void Truncate(std::int64_t records);  // keeps records 0..records-1

    const std::string& Name() const { return name_; }

private:
    void Require() const;
    void Open(int flags);
    std::string name_;
    std::size_t size_;
    int fd_ = -1;
    bool readOnly_ = false;
    // Whole records as last known: FileSize() asks the file once, reading a
    // record only asks again when the record lies past what is known.
    std::int64_t KnownRecords(std::int64_t atLeast);
    mutable std::int64_t bytes_ = 0;
};

// Reads every whole record of a file (IoError 2 when missing).
std::vector<Bytes> ReadAllRecords(std::string_view name, std::size_t recordSize);
// Rewrites a record file whole through a temporary file renamed over the old one.
void ReplaceAllRecords(std::string_view name, std::size_t recordSize, const std::vector<Bytes>& records);
// Writes bytes to a file through a temporary file renamed over it.
void ReplaceFileBytes(std::string_view name, const std::string& bytes);

// The one whole-file rewrite of the program: the bytes go to a temporary file
// beside the target, flushed to the disk, which is renamed over the target
// only when every byte is written, so a failure leaves the old file whole;
// the folder is flushed after the rename, so the new file stays after a power cut.
// Failures raise IoError naming `shownName`.
void ReplaceWholeFile(const std::filesystem::path& target, const std::string& bytes, const std::string& shownName);
// Its two halves, for rewriting several files together: every temporary file
// is written first, then each is put in place.
std::filesystem::path WriteBeside(const std::filesystem::path& target, const std::string& bytes,
                                  const std::string& shownName);
void PutInPlace(const std::filesystem::path& temporary, const std::filesystem::path& target,
                const std::string& shownName);
// PutInPlace without the flush of the folder, for a caller whose safety does
// not wait for the new name to be on the disc.
void RenameInPlace(const std::filesystem::path& temporary, const std::filesystem::path& target,
                   const std::string& shownName);
// Rewrites several independent files (program file names and their new
// bytes): every temporary file is written and flushed at the same time, then
// each is renamed over its file (`afterEach`, when given, is called after
// each). A failure before the renames removes every temporary file and changes
// nothing. The renames are not flushed: the filesystem puts changes of names
// on the disc in the order they were made, so what the caller changes after
// them never reaches the disc without them, and a rename lost with the power
// leaves the old file, whole.
void ReplaceFilesEach(const std::vector<std::pair<std::string, std::string>>& files,
                      const std::function<void()>& afterEach = {});
// The whole content of a file (IoError 2 when missing).
std::string ReadFileBytes(std::string_view name);
// What is left of an open stream, read in large blocks: a character at a time,
// as an istreambuf_iterator reads, is several times slower (many times under
// the sanitizers). The stream is left at its end (eof and fail set) or bad.
std::string ReadRest(std::istream& in);

// Exactly `count` bytes read from or written to an open file at `offset`,
// retried after an interruption; false on a short read, a failed write or an error.
bool ReadAt(int fd, void* into, std::size_t count, std::int64_t offset);
bool WriteAt(int fd, const void* from, std::size_t count, std::int64_t offset);

}  // namespace rt
