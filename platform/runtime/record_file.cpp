#include "platform/runtime/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/runtime/disc_flush.h"
#include "platform/runtime/grouped_rewrite.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"

namespace fs = std::filesystem;

namespace rt {

RecordFile::RecordFile(std::string_view name, std::size_t recordSize) : name_(name), size_(recordSize) {}

RecordFile::~RecordFile() {
    if (fd_ >= 0) ::close(fd_);
}

void RecordFile::Open(int flags) {
    Close();
    fs::path p = ResolvePath(name_);
    fd_ = ::open(p.c_str(), flags | O_CLOEXEC, 0644);
    readOnly_ = false;
    if (fd_ < 0 && !(flags & O_CREAT) && (errno == EACCES || errno == EPERM || errno == EROFS)) {
        // A file (or data folder) the user may only read is still read; a
        // write to it is refused by name.
        fd_ = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
        readOnly_ = fd_ >= 0;
    }
    if (fd_ < 0) {
        const int err = errno;
        if (flags & O_CREAT) throw IoError(IoCodeFromErrno(err, true), name_);
        // What is the case: missing, or there and not to be read.
        throw IoError(IoCodeFromErrno(err), name_);
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        ::close(fd_);
        fd_ = -1;
        throw IoError(kAccessDenied, name_);
    }
    if (S_ISDIR(st.st_mode)) {
        // A folder where the file should be is no empty file.
        ::close(fd_);
        fd_ = -1;
        throw IoError(kAccessDenied, name_);
    }
    bytes_ = static_cast<std::int64_t>(st.st_size);
}

void RecordFile::Reset() { Open(O_RDWR); }

void RecordFile::Rewrite() { Open(O_RDWR | O_CREAT | O_TRUNC); }

void RecordFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void RecordFile::Require() const {
    if (fd_ < 0) throw IoError(kFileNotOpen, name_);
}

std::int64_t RecordFile::FileSize() const {
    Require();
    // Another handle (or program) may have written since.
    struct stat st {};
    if (::fstat(fd_, &st) == 0) bytes_ = static_cast<std::int64_t>(st.st_size);
    return bytes_ / static_cast<std::int64_t>(size_);
}

std::int64_t RecordFile::ByteSize() const {
    FileSize();
    return bytes_;
}

std::int64_t RecordFile::KnownRecords(std::int64_t atLeast) {
    const std::int64_t known = bytes_ / static_cast<std::int64_t>(size_);
    return known >= atLeast ? known : FileSize();
}

// Reads exactly `count` bytes at `offset`; false on a short read or an error.
bool ReadAt(int fd, void* into, std::size_t count, std::int64_t offset) {
    auto* p = static_cast<char*>(into);
    while (count > 0) {
        const ssize_t got = ::pread(fd, p, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        p += got;
        count -= static_cast<std::size_t>(got);
        offset += got;
    }
    return true;
}

bool WriteAt(int fd, const void* from, std::size_t count, std::int64_t offset) {
    const auto* p = static_cast<const char*>(from);
    while (count > 0) {
        const ssize_t put = ::pwrite(fd, p, count, static_cast<off_t>(offset));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        p += put;
        count -= static_cast<std::size_t>(put);
        offset += put;
    }
    return true;
}

Bytes RecordFile::Read(std::int64_t n) {
    Require();
    if (n < 0 || n >= KnownRecords(n + 1)) throw IoError(kReadBeyondEnd, name_);
    Bytes r(size_);
    if (!ReadAt(fd_, r.data(), size_, n * static_cast<std::int64_t>(size_))) throw IoError(kReadBeyondEnd, name_);
    return r;
}

std::string RecordFile::ReadRange(std::int64_t first, std::int64_t count) {
    Require();
    if (first < 0 || count < 0 || first + count > KnownRecords(first + count)) throw IoError(kReadBeyondEnd, name_);
    std::string bytes(static_cast<std::size_t>(count) * size_, '\0');
    if (count > 0 && !ReadAt(fd_, bytes.data(), bytes.size(), first * static_cast<std::int64_t>(size_)))
        throw IoError(kReadBeyondEnd, name_);
    return bytes;
}

void RecordFile::Write(std::int64_t n, const Bytes& r) {
    Require();
    if (readOnly_) throw IoError(kAccessDenied, name_);
    if (n < 0 || n > FileSize()) throw IoError(kReadBeyondEnd, name_);
    Bytes rec(r);
    rec.resize(size_, 0);
    const std::int64_t offset = n * static_cast<std::int64_t>(size_);
    if (!WriteAt(fd_, rec.data(), size_, offset)) throw IoError(kDiskFull, name_);
    bytes_ = std::max(bytes_, offset + static_cast<std::int64_t>(size_));
}

void RecordFile::Append(const Bytes& r) { Write(FileSize(), r); }

void RecordFile::Truncate(std::int64_t records) {
    Require();
    if (readOnly_) throw IoError(kAccessDenied, name_);
    const std::int64_t length = records * static_cast<std::int64_t>(size_);
    if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) throw IoError(kAccessDenied, name_);
    bytes_ = length;
}

std::vector<Bytes> ReadAllRecords(std::string_view name, std::size_t recordSize) {
    RecordFile f(name, recordSize);
    f.Reset();
    const std::int64_t n = f.FileSize();
    const std::string bytes = f.ReadRange(0, n);
    f.Close();
    std::vector<Bytes> all;
    all.reserve(static_cast<std::size_t>(n));
    for (std::int64_t i = 0; i < n; ++i) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data()) + i * static_cast<std::int64_t>(recordSize);
        all.emplace_back(p, p + recordSize);
    }
    return all;
}

std::string ReadFileBytes(std::string_view name) {
    fs::path p = ResolvePath(name);
    std::error_code ec;
    if (fs::is_directory(p, ec)) throw IoError(kAccessDenied, std::string(name));
    std::ifstream in(p, std::ios::binary);
    if (!in) throw IoError(IoCodeFromErrno(errno), std::string(name));
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string ReadRest(std::istream& in) {
    std::string bytes;
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0) bytes.append(block, static_cast<std::size_t>(in.gcount()));
    return bytes;
}

fs::path WriteBeside(const fs::path& target, const std::string& bytes, const std::string& shownName) {
    const fs::path tmp = TemporaryBeside(target);  // unique to this process
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) throw IoError(IoCodeFromErrno(errno, true), shownName);
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = FlushOpenFile(fileno(f)) && ok;
    std::fclose(f);
    if (!ok) {
        std::error_code ec;
        fs::remove(tmp, ec);
        throw IoError(kDiskFull, shownName);
    }
    return tmp;
}

void RenameInPlace(const fs::path& temporary, const fs::path& target, const std::string& shownName) {
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        const int code = IoCodeFromErrno(ec.value(), true);
        fs::remove(temporary, ec);
        throw IoError(code, shownName);
    }
}

void PutInPlace(const fs::path& temporary, const fs::path& target, const std::string& shownName) {
    RenameInPlace(temporary, target, shownName);
    // The new name is on the disc too: a power cut after the program said a
    // file was written cannot bring the old one back.
    SyncFolder(target.parent_path());
}

void ReplaceWholeFile(const fs::path& target, const std::string& bytes, const std::string& shownName) {
    PutInPlace(WriteBeside(target, bytes, shownName), target, shownName);
}

void ReplaceFilesEach(const std::vector<std::pair<std::string, std::string>>& files,
                      const std::function<void()>& afterEach) {
    // The flushes to the disc overlap, so the files cost about one flush's wait
    // instead of one each.
    std::vector<fs::path> targets(files.size()), temporaries(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) targets[i] = ResolvePath(files[i].first);
    try {
        RunEachOnItsOwnThread(files.size(), [&](std::size_t i) {
            temporaries[i] = WriteBeside(targets[i], files[i].second, files[i].first);
        });
    } catch (...) {
        std::error_code ec;
        for (const fs::path& tmp : temporaries)
            if (!tmp.empty()) fs::remove(tmp, ec);
        throw;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        RenameInPlace(temporaries[i], targets[i], files[i].first);
        if (afterEach) afterEach();
    }
}

void ReplaceFileBytes(std::string_view name, const std::string& bytes) {
    ReplaceWholeFile(ResolvePath(name), bytes, std::string(name));
}

void ReplaceAllRecords(std::string_view name, std::size_t recordSize, const std::vector<Bytes>& records) {
    std::string bytes(records.size() * recordSize, '\0');
    char* out = bytes.data();
    for (const Bytes& r : records) {
        std::copy_n(r.begin(), std::min(r.size(), recordSize), out);
        out += recordSize;
    }
    ReplaceFileBytes(name, bytes);
}

}  // namespace rt
