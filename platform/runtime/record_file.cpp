#include "platform/runtime/record_file.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"

namespace fs = std::filesystem;

namespace rt {

RecordFile::RecordFile(std::string_view name, std::size_t recordSize) : name_(name), size_(recordSize) {}

RecordFile::~RecordFile() {
    if (f_) std::fclose(f_);
}

void RecordFile::Reset() {
    Close();
    fs::path p = ResolvePath(name_);
    f_ = std::fopen(p.c_str(), "r+b");
    if (!f_) {
        std::error_code ec;
        throw IoError(fs::exists(p, ec) ? kAccessDenied : kFileNotFound, name_);
    }
}

void RecordFile::Rewrite() {
    Close();
    fs::path p = ResolvePath(name_);
    f_ = std::fopen(p.c_str(), "w+b");
    if (!f_) throw IoError(IoCodeFromErrno(errno, true), name_);
}

void RecordFile::Close() {
    if (f_) {
        bool bad = std::fflush(f_) != 0;
        std::fclose(f_);
        f_ = nullptr;
        if (bad) throw IoError(kDiskFull, name_);
    }
}

void RecordFile::Require() const {
    if (!f_) throw IoError(kFileNotOpen, name_);
}

std::int64_t RecordFile::FileSize() const {
    Require();
    std::fflush(f_);
    long cur = std::ftell(f_);
    std::fseek(f_, 0, SEEK_END);
    long end = std::ftell(f_);
    std::fseek(f_, cur, SEEK_SET);
    return end / static_cast<long>(size_);
}

Bytes RecordFile::Read(std::int64_t n) {
    Require();
    if (n < 0 || n >= FileSize()) throw IoError(kReadBeyondEnd, name_);
    Bytes r(size_);
    if (std::fseek(f_, static_cast<long>(n * size_), SEEK_SET) != 0 ||
        std::fread(r.data(), 1, size_, f_) != size_)
        throw IoError(kReadBeyondEnd, name_);
    return r;
}

void RecordFile::Write(std::int64_t n, const Bytes& r) {
    Require();
    if (n < 0 || n > FileSize()) throw IoError(kReadBeyondEnd, name_);
    Bytes rec(r);
    rec.resize(size_, 0);
    if (std::fseek(f_, static_cast<long>(n * size_), SEEK_SET) != 0 ||
        std::fwrite(rec.data(), 1, size_, f_) != size_ || std::fflush(f_) != 0)
        throw IoError(kDiskFull, name_);
}

void RecordFile::Append(const Bytes& r) { Write(FileSize(), r); }

void RecordFile::Truncate(std::int64_t records) {
    Require();
    std::fflush(f_);
    if (ftruncate(fileno(f_), static_cast<off_t>(records * size_)) != 0) throw IoError(kAccessDenied, name_);
}

std::vector<Bytes> ReadAllRecords(std::string_view name, std::size_t recordSize) {
    RecordFile f(name, recordSize);
    f.Reset();
    std::vector<Bytes> all;
    std::int64_t n = f.FileSize();
    all.reserve(static_cast<std::size_t>(n));
    for (std::int64_t i = 0; i < n; ++i) all.push_back(f.Read(i));
    f.Close();
    return all;
}

std::string ReadFileBytes(std::string_view name) {
    fs::path p = ResolvePath(name);
    std::ifstream in(p, std::ios::binary);
    if (!in) throw IoError(kFileNotFound, std::string(name));
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

fs::path WriteBeside(const fs::path& target, const std::string& bytes, const std::string& shownName) {
    fs::path tmp = target;
    tmp += ".tmp~";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) throw IoError(IoCodeFromErrno(errno, true), shownName);
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (fsync(fileno(f)) == 0) && ok;
    std::fclose(f);
    if (!ok) {
        std::error_code ec;
        fs::remove(tmp, ec);
        throw IoError(kDiskFull, shownName);
    }
    return tmp;
}

void PutInPlace(const fs::path& temporary, const fs::path& target, const std::string& shownName) {
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        const int code = IoCodeFromErrno(ec.value(), true);
        fs::remove(temporary, ec);
        throw IoError(code, shownName);
    }
}

void ReplaceWholeFile(const fs::path& target, const std::string& bytes, const std::string& shownName) {
    PutInPlace(WriteBeside(target, bytes, shownName), target, shownName);
}

void ReplaceFileBytes(std::string_view name, const std::string& bytes) {
    ReplaceWholeFile(ResolvePath(name), bytes, std::string(name));
}

void ReplaceAllRecords(std::string_view name, std::size_t recordSize, const std::vector<Bytes>& records) {
    std::string bytes;
    bytes.reserve(records.size() * recordSize);
    for (const Bytes& r : records) {
        std::string rec(r.begin(), r.end());
        rec.resize(recordSize, '\0');
        bytes += rec;
    }
    ReplaceFileBytes(name, bytes);
}

}  // namespace rt
