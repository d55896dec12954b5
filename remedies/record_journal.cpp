#include "remedies/record_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/runtime/disc_flush.h"
#include "platform/runtime/grouped_rewrite.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"

namespace fs = std::filesystem;

namespace remedies {

namespace {

constexpr char kMagic[8] = {'K', 'L', 'V', 'J', 'R', 'N', 'L', '1'};
constexpr std::size_t kHeaderSize = sizeof kMagic + 3 * 8;

void Step(const WriteSteps& steps, int step) {
    if (steps.journal) steps.journal(step);
}

// An open file descriptor, closed on every way out.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    void Close() {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
};

std::uint64_t Checksum(const std::string& bytes) {
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

void PutNumber(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint64_t GetNumber(const std::string& in, std::size_t at) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    return v;
}

// What a journal holds: the file's length and the bytes at an offset before
// the change.
struct JournalContent {
    std::int64_t oldLength = 0;
    std::int64_t offset = 0;
    std::string oldBytes;
};

std::string EncodeJournal(const JournalContent& j) {
    std::string out(kMagic, sizeof kMagic);
    PutNumber(out, static_cast<std::uint64_t>(j.oldLength));
    PutNumber(out, static_cast<std::uint64_t>(j.offset));
    PutNumber(out, j.oldBytes.size());
    out += j.oldBytes;
    PutNumber(out, Checksum(out));
    return out;
}

// False for a journal cut short or damaged: written only in part, so the
// database was never touched.
bool DecodeJournal(const std::string& in, JournalContent& j) {
    if (in.size() < kHeaderSize + 8 || std::memcmp(in.data(), kMagic, sizeof kMagic) != 0) return false;
    const std::uint64_t count = GetNumber(in, sizeof kMagic + 16);
    if (count != in.size() - kHeaderSize - 8) return false;
    if (GetNumber(in, in.size() - 8) != Checksum(in.substr(0, in.size() - 8))) return false;
    j.oldLength = static_cast<std::int64_t>(GetNumber(in, sizeof kMagic));
    j.offset = static_cast<std::int64_t>(GetNumber(in, sizeof kMagic + 8));
    j.oldBytes = in.substr(kHeaderSize, count);
    return j.oldLength >= 0 && j.offset >= 0;
}

// Opens the database for writing; IoError naming it when it cannot be.
int OpenForWriting(const DbFile& db, std::int64_t& length) {
    const fs::path p = rt::ResolvePath(db.name);
    const int fd = ::open(p.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        std::error_code ec;
        if (err == ENOENT) throw rt::IoError(rt::kFileNotFound, db.name);
        if (err == EACCES || err == EPERM || err == EROFS || err == EISDIR || fs::exists(p, ec))
            throw rt::IoError(rt::kAccessDenied, db.name);
        throw rt::IoError(rt::IoCodeFromErrno(err), db.name);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw rt::IoError(rt::kAccessDenied, db.name);
    }
    length = static_cast<std::int64_t>(st.st_size);
    return fd;
}

// Writes the journal whole and flushed, its folder entry too; IoError naming
// the database when it cannot be (nothing written then).
void WriteJournal(const DbFile& db, const JournalContent& j) {
    const fs::path path = rt::ResolvePath(JournalNameFor(db));
    const std::string bytes = EncodeJournal(j);
    Fd f;
    f.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (f.fd < 0) throw rt::IoError(rt::IoCodeFromErrno(errno, true), db.name);
    const bool ok = rt::WriteAt(f.fd, bytes.data(), bytes.size(), 0) && rt::FlushOpenFileData(f.fd);
    f.Close();
    if (!ok) {
        std::error_code ec;
        fs::remove(path, ec);
        throw rt::IoError(rt::kDiskFull, db.name);
    }
    rt::SyncFolder(path.parent_path());
}

// Removes the journal; with `sync` the removal is flushed to the disc too. A
// finished write does without: should the removal be lost with the power,
// the next start only rolls back a change the user never saw end.
void RemoveJournal(const DbFile& db, bool sync = true) {
    const fs::path path = rt::ResolvePath(JournalNameFor(db));
    std::error_code ec;
    fs::remove(path, ec);
    if (sync) rt::SyncFolder(path.parent_path());
}

// Puts the old bytes and length back into an open database.
bool Restore(int fd, const JournalContent& j) {
    return rt::WriteAt(fd, j.oldBytes.data(), j.oldBytes.size(), j.offset) &&
           ::ftruncate(fd, static_cast<off_t>(j.oldLength)) == 0 && rt::FlushOpenFile(fd);
}

// A change to an open database: the bytes written at an offset, and the
// database's length before and after it.
struct JournaledChange {
    std::int64_t length = 0;
    std::int64_t offset = 0;
    std::string_view bytes;
    std::int64_t newLength = 0;
};

// The change itself: journal, write, flush, journal removed.
void JournaledWrite(const DbFile& db, int fd, const JournaledChange& change, const WriteSteps& steps) {
    const std::int64_t length = change.length, offset = change.offset, newLength = change.newLength;
    const std::string_view bytes = change.bytes;
    JournalContent j;
    j.oldLength = length;
    j.offset = offset;
    if (offset < length) {
        j.oldBytes.resize(
            static_cast<std::size_t>(std::min<std::int64_t>(length - offset, static_cast<std::int64_t>(bytes.size()))));
        if (!rt::ReadAt(fd, j.oldBytes.data(), j.oldBytes.size(), offset))
            throw rt::IoError(rt::kReadBeyondEnd, db.name);
    }
    WriteJournal(db, j);
    Step(steps, 1);
    bool ok = rt::WriteAt(fd, bytes.data(), bytes.size(), offset);
    ok = ok && (newLength == length || ::ftruncate(fd, static_cast<off_t>(newLength)) == 0);
    ok = ok && rt::FlushOpenFileData(fd);
    if (!ok) {
        // The database as it was, then no journal: the change did not happen.
        if (Restore(fd, j)) RemoveJournal(db);
        throw rt::IoError(rt::kDiskFull, db.name);
    }
    Step(steps, 2);
    RemoveJournal(db, false);
    Step(steps, 3);
}

}  // namespace

std::string JournalNameFor(const DbFile& db) { return db.name + ".jnl"; }

void WriteRecordInPlace(const DbFile& db, std::int64_t r, const Bytes& record, const WriteSteps& steps) {
    RollBackJournal(db);
    std::int64_t length = 0;
    Fd f;
    f.fd = OpenForWriting(db, length);
    const auto size = static_cast<std::int64_t>(db.recordSize);
    if (r < 1 || r >= length / size) throw rt::IoError(rt::kReadBeyondEnd, db.name);
    std::string bytes(record.begin(), record.end());
    bytes.resize(db.recordSize, '\0');
    JournaledWrite(db, f.fd, {.length = length, .offset = r * size, .bytes = bytes, .newLength = length}, steps);
}

std::int64_t AppendRecordInPlace(const DbFile& db, const Bytes& record, const WriteSteps& steps) {
    RollBackJournal(db);
    std::int64_t length = 0;
    Fd f;
    f.fd = OpenForWriting(db, length);
    const auto size = static_cast<std::int64_t>(db.recordSize);
    const std::int64_t whole = length / size;
    std::string bytes;
    if (whole == 0) bytes.assign(db.recordSize, '\0');  // the header first
    bytes.append(record.begin(), record.end());
    bytes.resize((whole == 0 ? 2 : 1) * db.recordSize, '\0');
    const std::int64_t offset = whole * size;
    const std::int64_t newLength = offset + static_cast<std::int64_t>(bytes.size());
    JournaledWrite(db, f.fd, {.length = length, .offset = offset, .bytes = bytes, .newLength = newLength}, steps);
    return newLength / size - 1;
}

bool RollBackJournal(const DbFile& db) {
    const fs::path path = rt::ResolvePath(JournalNameFor(db));
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return false;
    std::string bytes;
    try {
        bytes = rt::ReadFileBytes(JournalNameFor(db));
    } catch (const rt::IoError&) {
        return false;
    }
    JournalContent j;
    if (!DecodeJournal(bytes, j) || !rt::PathExists(db.name)) {
        RemoveJournal(db);
        return false;
    }
    std::int64_t length = 0;
    Fd f;
    f.fd = OpenForWriting(db, length);
    if (!Restore(f.fd, j)) throw rt::IoError(rt::kDiskFull, db.name);
    f.Close();
    RemoveJournal(db);
    return true;
}

int RollBackInterruptedSaves() {
    int rolledBack = 0;
    for (const DbFile& db : {PrimaryDb(), RepertoryDb()}) {
        try {
            if (RollBackJournal(db)) ++rolledBack;
        } catch (const rt::IoError&) {
            // The journal stays for a later start that may write the database.
        }
    }
    return rolledBack;
}

}  // namespace remedies
