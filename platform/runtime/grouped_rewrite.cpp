#include "platform/runtime/grouped_rewrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string_view>
#include <system_error>

#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"

namespace fs = std::filesystem;

namespace rt {
namespace {

constexpr const char* kTemporaryMark = ".tmp~";

}  // namespace

fs::path TemporaryBeside(const fs::path& target) {
    fs::path tmp = target;
    tmp += kTemporaryMark + std::to_string(::getpid());
    return tmp;
}

std::string TemporaryNameBeside(std::string_view name) {
    return std::string(name) + kTemporaryMark + std::to_string(::getpid());
}

namespace {

// The journal of a group: a mark, then for each file what it gets, then a
// checksum of all before it, so that a journal cut short (a run that ended
// while writing it) or damaged is known and never finished.
constexpr char kJournalMark[8] = {'K', 'L', 'V', 'G', 'R', 'U', 'P', '2'};
constexpr char kReplacedEntry = 'R';
constexpr char kWrittenEntry = 'W';
constexpr char kRenamedEntry = 'T';  // a temporary file on the disc, to be renamed over its file

// The largest new content a journal carries. A larger file (an archive's
// index of many people) is written once, beside itself, and flushed on its
// own: writing it a second time would cost more than the flush.
constexpr std::size_t kCarriedBytes = 1 << 20;

// One file of a group as the journal keeps it: its new content whole, bytes
// to write in place at an offset, or the name of its new content written
// beside it. The bytes are where their owner holds them (the caller's new
// content, the journal read back), not copied once more for the journal.
struct JournalEntry {
    char kind = kReplacedEntry;
    fs::path file;
    std::uint64_t offset = 0;
    std::string_view bytes;
};

// A checksum of the journal's bytes, taken eight at a time (a journal carries
// megabytes of lists, and its check must not cost more than writing them),
// the same whether the bytes come in one piece or in several.
class JournalChecksum {
public:
    void Add(std::string_view bytes) {
        total_ += bytes.size();
        std::size_t i = 0;
        while (pendingSize_ > 0 && pendingSize_ < 8 && i < bytes.size()) pending_[pendingSize_++] = bytes[i++];
        if (pendingSize_ == 8) {
            Mix(pending_);
            pendingSize_ = 0;
        }
        for (; i + 8 <= bytes.size(); i += 8) Mix(bytes.data() + i);
        for (; i < bytes.size(); ++i) pending_[pendingSize_++] = bytes[i];
    }
    std::uint64_t Value() const {
        std::uint64_t h = h_;
        for (std::size_t i = 0; i < pendingSize_; ++i) h = (h ^ static_cast<unsigned char>(pending_[i])) * kPrime;
        return h ^ total_;
    }

private:
    static constexpr std::uint64_t kPrime = 1099511628211ull;
    void Mix(const char* eight) {
        std::uint64_t word = 0;
        std::memcpy(&word, eight, 8);
        h_ = (h_ ^ word) * kPrime;
        h_ ^= h_ >> 29;
    }
    std::uint64_t h_ = 1469598103934665603ull;
    std::uint64_t total_ = 0;
    char pending_[8] = {};
    std::size_t pendingSize_ = 0;
};

void PutNumber(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool GetNumber(std::string_view in, std::size_t& at, std::uint64_t& v) {
    if (in.size() - at < 8) return false;
    v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    at += 8;
    return true;
}

bool GetBytes(std::string_view in, std::size_t& at, std::string_view& bytes) {
    std::uint64_t n = 0;
    if (!GetNumber(in, at, n) || in.size() - at < n) return false;
    bytes = in.substr(at, static_cast<std::size_t>(n));
    at += static_cast<std::size_t>(n);
    return true;
}

// The journal's bytes as the pieces they are written in: its own marks,
// numbers and names, and the files' bytes where the caller holds them.
struct EncodedJournal {
    std::deque<std::string> own;
    std::vector<std::string_view> pieces;
};

void EncodeJournal(const std::vector<JournalEntry>& entries, EncodedJournal& out) {
    JournalChecksum sum;
    auto add = [&](std::string_view piece) {
        out.pieces.push_back(piece);
        sum.Add(piece);
    };
    add(std::string_view(kJournalMark, sizeof kJournalMark));
    for (const JournalEntry& e : entries) {
        std::string head(1, e.kind);
        PutNumber(head, e.file.native().size());
        head += e.file.native();
        PutNumber(head, e.offset);
        PutNumber(head, e.bytes.size());
        add(out.own.emplace_back(std::move(head)));
        add(e.bytes);
    }
    std::string tail;
    PutNumber(tail, sum.Value());
    out.pieces.push_back(out.own.emplace_back(std::move(tail)));
}

// False for what is no whole journal of a group. The entries' bytes lie in `in`.
bool DecodeJournal(std::string_view in, std::vector<JournalEntry>& entries) {
    if (in.size() < sizeof kJournalMark + 8 ||
        in.substr(0, sizeof kJournalMark) != std::string_view(kJournalMark, sizeof kJournalMark))
        return false;
    const std::string_view body = in.substr(0, in.size() - 8);
    std::size_t at = body.size();
    std::uint64_t sum = 0;
    JournalChecksum check;
    check.Add(body);
    if (!GetNumber(in, at, sum) || sum != check.Value()) return false;
    at = sizeof kJournalMark;
    while (at < body.size()) {
        JournalEntry e;
        e.kind = body[at++];
        std::string_view file;
        if ((e.kind != kReplacedEntry && e.kind != kWrittenEntry && e.kind != kRenamedEntry) ||
            !GetBytes(body, at, file) || !GetNumber(body, at, e.offset) || !GetBytes(body, at, e.bytes))
            return false;
        e.file = std::string(file);
        entries.push_back(std::move(e));
    }
    return true;
}

// Writes bytes, in pieces, to a new file, flushed to the disc when asked: 0,
// or the run-time's code of what went wrong (the file removed then).
int WriteNewFile(const fs::path& file, const std::vector<std::string_view>& pieces, bool flush) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return IoCodeFromErrno(errno, true);
    bool ok = true;
    std::int64_t at = 0;
    for (const std::string_view piece : pieces) {
        ok = ok && (piece.empty() || WriteAt(fd, piece.data(), piece.size(), at));
        at += static_cast<std::int64_t>(piece.size());
    }
    if (flush) ok = ok && FlushOpenFileData(fd);
    ::close(fd);
    if (ok) return 0;
    std::error_code ec;
    fs::remove(file, ec);
    return kDiskFull;
}

// Whether a file holds exactly these bytes.
bool Holds(const fs::path& file, const std::string& bytes) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec) || fs::file_size(file, ec) != bytes.size() || ec) return false;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    std::string held(bytes.size(), '\0');
    const bool read = held.empty() || ReadAt(fd, held.data(), held.size(), 0);
    ::close(fd);
    return read && held == bytes;
}

// A file written in place, open, with what its writes covered before them.
struct OpenForWrites {
    fs::path file;
    std::string name;
    int fd = -1;
    std::int64_t length = 0;
    std::vector<const BytesInPlace*> writes;
    std::vector<std::string> oldBytes;  // the bytes each write covers, as they were
};

void CloseAll(std::vector<OpenForWrites>& files) {
    for (OpenForWrites& f : files)
        if (f.fd >= 0) {
            ::close(f.fd);
            f.fd = -1;
        }
}

// Puts the files written in place back as they were; false when one cannot be.
bool PutBackWrites(std::vector<OpenForWrites>& files) {
    bool all = true;
    for (OpenForWrites& f : files) {
        bool ok = true;
        for (std::size_t i = f.writes.size(); i-- > 0;)
            ok = ok && (f.oldBytes[i].empty() ||
                        WriteAt(f.fd, f.oldBytes[i].data(), f.oldBytes[i].size(), f.writes[i]->offset));
        ok = ok && ::ftruncate(f.fd, static_cast<off_t>(f.length)) == 0 && FlushOpenFileData(f.fd);
        all = all && ok;
    }
    return all;
}

// Finishes a whole journal of a group: every file gets its new bytes, flushed
// to the disc. Returns how many files were finished.
int FinishJournal(const std::vector<JournalEntry>& entries) {
    int finished = 0;
    for (const JournalEntry& e : entries) {
        if (e.kind == kWrittenEntry) {
            const int fd = ::open(e.file.c_str(), O_RDWR | O_CLOEXEC);
            if (fd < 0) continue;
            const bool ok = WriteAt(fd, e.bytes.data(), e.bytes.size(), static_cast<std::int64_t>(e.offset)) &&
                            FlushOpenFileData(fd);
            ::close(fd);
            if (ok) ++finished;
        } else if (e.kind == kRenamedEntry) {
            // Gone: renamed already.
            const fs::path temporary = std::string(e.bytes);
            std::error_code ec;
            if (!fs::exists(temporary, ec)) continue;
            fs::rename(temporary, e.file, ec);
            if (ec) continue;
            SyncFolder(e.file.parent_path());
            ++finished;
        } else {
            try {
                ReplaceWholeFile(e.file, std::string(e.bytes), ProgramNameOf(e.file));
                ++finished;
            } catch (const IoError&) {
                // A file that cannot be written keeps what it holds.
            }
        }
    }
    return finished;
}

// Finishes the group whose journal (or list of temporary files, as earlier
// versions wrote) an ended run left, and removes it; returns how many files
// were put in place.
int FinishGroup() {
    std::error_code ec;
    const fs::path list = ResolvePath(kGroupRewriteList);
    if (!fs::is_regular_file(list, ec)) return 0;
    int finished = 0;
    std::string text;
    try {
        text = ReadFileBytes(kGroupRewriteList);
    } catch (const IoError&) {
    }
    std::vector<JournalEntry> entries;
    if (DecodeJournal(text, entries)) {
        finished = FinishJournal(entries);
    } else {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') {
                lines.push_back(text.substr(start, i - start));
                start = i + 1;
            }
        // Only a whole list counts: it is written after every new file.
        if (!lines.empty() && lines.back() == "end" && lines.size() % 2 == 1) {
            for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
                const fs::path tmp = lines[i], target = lines[i + 1];
                if (!fs::exists(tmp, ec)) continue;  // already in place
                fs::rename(tmp, target, ec);
                if (!ec) ++finished;
            }
        }
    }
    fs::remove(list, ec);
    SyncFolder(list.parent_path());
    return finished;
}

// Opens each file written in place once, and reads the bytes each write
// replaces; a write beyond a file's end, or a file that cannot be opened for
// writing, refuses the change.
void OpenForWritesInPlace(const std::vector<BytesInPlace>& written, std::vector<OpenForWrites>& opened) {
    for (const BytesInPlace& w : written) {
        const fs::path file = ResolvePath(w.name);
        auto it = std::find_if(opened.begin(), opened.end(), [&](const OpenForWrites& f) { return f.file == file; });
        if (it == opened.end()) {
            if (FolderInPlaceOf(w.name)) throw IoError(kAccessDenied, w.name);
            OpenForWrites f;
            f.file = file;
            f.name = w.name;
            f.fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
            if (f.fd < 0) throw IoError(IoCodeFromErrno(errno), w.name);
            const off_t end = ::lseek(f.fd, 0, SEEK_END);
            f.length = end < 0 ? 0 : static_cast<std::int64_t>(end);
            opened.push_back(std::move(f));
            it = opened.end() - 1;
        }
        if (w.offset < 0 || w.offset > it->length) throw IoError(kReadBeyondEnd, w.name);
        std::string old(static_cast<std::size_t>(
                            std::min<std::int64_t>(static_cast<std::int64_t>(w.bytes.size()), it->length - w.offset)),
                        '\0');
        if (!old.empty() && !ReadAt(it->fd, old.data(), old.size(), w.offset)) throw IoError(kReadBeyondEnd, w.name);
        it->writes.push_back(&w);
        it->oldBytes.push_back(std::move(old));
    }
}

// The writes in place, each file flushed. When one fails nothing of the
// change stays: the files are put back and the journal and the staged files
// removed; when the files cannot be put back, the journal stays and the next
// start finishes the change.
void WriteInPlace(std::vector<OpenForWrites>& opened, const fs::path& journal,
                  const std::function<void()>& dropStaged) {
    std::error_code ec;
    for (OpenForWrites& f : opened) {
        bool ok = true;
        for (const BytesInPlace* w : f.writes)
            ok = ok && (w->bytes.empty() || WriteAt(f.fd, w->bytes.data(), w->bytes.size(), w->offset));
        if (!ok || !FlushOpenFileData(f.fd)) {
            if (PutBackWrites(opened)) {
                fs::remove(journal, ec);
                dropStaged();
            }
            throw IoError(kDiskFull, f.name);
        }
    }
}

}  // namespace

void ChangeFilesTogether(const FilesChange& change, const std::function<void()>& afterEachRename) {
    // What an ended run left comes first: its journal is about to be written over.
    std::error_code ec;
    if (fs::exists(ResolvePath(kGroupRewriteList), ec)) FinishGroup();

    // Everything that could refuse the change is met before the first byte
    // is written: a folder in a file's place, a file written in place that is
    // missing or may only be read, a write beyond a file's end.
    for (const NewFileContent& f : change.replaced)
        if (FolderInPlaceOf(f.name)) throw IoError(kAccessDenied, f.name);
    std::vector<OpenForWrites> opened;
    struct Closer {
        std::vector<OpenForWrites>& files;
        ~Closer() { CloseAll(files); }
    } closer{opened};
    OpenForWritesInPlace(change.written, opened);

    std::vector<JournalEntry> entries;
    struct Staged {
        fs::path temporary, target;
        const std::string* name;
    };
    std::vector<Staged> staged;
    auto drop = [&] {
        for (const Staged& s : staged) fs::remove(s.temporary, ec);
    };
    std::vector<const NewFileContent*> changed;
    for (const NewFileContent& f : change.replaced)
        if (!Holds(ResolvePath(f.name), f.bytes)) changed.push_back(&f);
    // One file alone changes as any file replaced whole does: its new bytes
    // written once, beside it, flushed, renamed over it.
    if (opened.empty() && changed.size() == 1) {
        ReplaceWholeFile(ResolvePath(changed[0]->name), changed[0]->bytes, changed[0]->name);
        if (afterEachRename) afterEachRename();
        return;
    }
    std::vector<std::string> stagedNames;  // the journal's text of each large file's temporary name
    stagedNames.reserve(changed.size());
    for (const NewFileContent* changedFile : changed) {
        const NewFileContent& f = *changedFile;
        const fs::path target = ResolvePath(f.name);
        if (f.bytes.size() > kCarriedBytes) {
            try {
                staged.push_back({WriteBeside(target, f.bytes, f.name), target, &f.name});
            } catch (...) {
                drop();
                throw;
            }
            entries.push_back({kRenamedEntry, target, 0, stagedNames.emplace_back(staged.back().temporary.native())});
            continue;
        }
        const fs::path tmp = TemporaryBeside(target);
        if (const int code = WriteNewFile(tmp, {f.bytes}, false); code != 0) {
            drop();
            throw IoError(code, f.name);
        }
        staged.push_back({tmp, target, &f.name});
        entries.push_back({kReplacedEntry, target, 0, f.bytes});
    }
    for (const OpenForWrites& f : opened)
        for (const BytesInPlace* w : f.writes)
            entries.push_back({kWrittenEntry, f.file, static_cast<std::uint64_t>(w->offset), w->bytes});
    if (entries.empty()) return;

    // The journal, with every new byte: from here on the change counts.
    const fs::path journal = ResolvePath(kGroupRewriteList);
    try {
        EnsureParentFolder(kGroupRewriteList);
    } catch (...) {
        drop();
        throw;
    }
    EncodedJournal encoded;
    EncodeJournal(entries, encoded);
    if (const int code = WriteNewFile(journal, encoded.pieces, true); code != 0) {
        drop();
        throw IoError(code, kGroupRewriteList);
    }
    // The writes in place, each file flushed: the files renamed next may
    // name what they hold (an index its data records).
    WriteInPlace(opened, journal, drop);
    CloseAll(opened);

    // The new files in place; a file that did not exist is made empty first,
    // so that it too is a file replaced by renaming.
    for (const Staged& s : staged) {
        if (!fs::exists(s.target, ec)) {
            const int fd = ::open(s.target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd >= 0) ::close(fd);
        }
        RenameInPlace(s.temporary, s.target, *s.name);
        if (afterEachRename) afterEachRename();
    }
    fs::remove(journal, ec);
}

void ReplaceFilesTogether(const std::vector<NewFileContent>& files) { ChangeFilesTogether({files, {}}); }

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::string ToHex(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

bool FromHex(std::string_view hex, std::string& out) {
    if (hex.size() % 2) return false;
    auto nibble = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    out.clear();
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = nibble(hex[i]), lo = nibble(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

bool ReadNumber(std::string_view text, std::uintmax_t& value) {
    if (text.empty()) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || value > (UINTMAX_MAX - 9) / 10) return false;
        value = value * 10 + static_cast<std::uintmax_t>(c - '0');
    }
    return true;
}

// Puts a file back as the list kept it: the old bytes where they were, the
// old length. False when the file cannot be written.
bool PutBack(const InPlaceWriteGroup::Kept& k) {
    std::error_code ec;
    if (!fs::is_regular_file(k.file, ec)) return false;
    const int fd = ::open(k.file.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = k.bytes.empty() || WriteAt(fd, k.bytes.data(), k.bytes.size(), static_cast<std::int64_t>(k.offset));
    ok = ok && ::ftruncate(fd, static_cast<off_t>(k.length)) == 0 && FlushOpenFile(fd);
    ::close(fd);
    return ok;
}

}  // namespace

InPlaceWriteGroup::InPlaceWriteGroup(const std::vector<InPlaceRegion>& regions) {
    // One line a region: old length, offset, old bytes in hexadecimal, file.
    std::string list;
    for (const InPlaceRegion& r : regions) {
        Kept k;
        k.file = fs::absolute(ResolvePath(r.name));
        std::error_code ec;
        k.length = fs::is_regular_file(k.file, ec) ? fs::file_size(k.file, ec) : 0;
        if (ec) throw IoError(kFileNotFound, r.name);
        if (r.size > 0 && r.offset >= 0 && static_cast<std::uintmax_t>(r.offset) < k.length) {
            k.offset = static_cast<std::uintmax_t>(r.offset);
            const std::uintmax_t covered =
                std::min<std::uintmax_t>(static_cast<std::uintmax_t>(r.size), k.length - k.offset);
            k.bytes.resize(static_cast<std::size_t>(covered));
            const int fd = ::open(k.file.c_str(), O_RDONLY | O_CLOEXEC);
            const bool read = fd >= 0 && ReadAt(fd, k.bytes.data(), k.bytes.size(), r.offset);
            if (fd >= 0) ::close(fd);
            if (!read) throw IoError(kReadBeyondEnd, r.name);
        }
        list += std::to_string(k.length) + "\t" + std::to_string(k.offset) + "\t" + ToHex(k.bytes) + "\t" +
                k.file.string() + "\n";
        kept_.push_back(std::move(k));
    }
    list += "end\n";
    EnsureParentFolder(kInPlaceWriteList);
    ReplaceFileBytes(kInPlaceWriteList, list);  // on the disc before the first write
    open_ = true;
}

InPlaceWriteGroup::~InPlaceWriteGroup() {
    if (!open_) return;
    // A failure before Commit: every file as it was. Several regions of one
    // file are put back last first.
    for (auto k = kept_.rbegin(); k != kept_.rend(); ++k) PutBack(*k);
    std::error_code ec;
    fs::remove(ResolvePath(kInPlaceWriteList), ec);
}

void InPlaceWriteGroup::Commit() {
    for (const Kept& k : kept_)
        if (!FlushToDisc(k.file)) throw IoError(kDiskFull, k.file.filename().string());
    std::error_code ec;
    fs::remove(ResolvePath(kInPlaceWriteList), ec);
    SyncFolder(ResolvePath(kInPlaceWriteList).parent_path());
    open_ = false;
}

namespace {

// Puts back the files of an in-place write group that did not commit.
int PutBackInPlaceWrites() {
    int putBack = 0;
    std::error_code ec;
    const fs::path list = ResolvePath(kInPlaceWriteList);
    if (!fs::is_regular_file(list, ec)) return 0;
    std::string text;
    try {
        text = ReadFileBytes(kInPlaceWriteList);
    } catch (const IoError&) {
    }
    std::vector<InPlaceWriteGroup::Kept> kept;
    bool whole = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') continue;
        const std::string_view line(text.data() + start, i - start);
        start = i + 1;
        if (line == "end") {
            whole = true;
            break;
        }
        std::vector<std::string_view> parts;
        std::size_t from = 0;
        for (int field = 0; field < 3; ++field) {
            const std::size_t tab = line.find('\t', from);
            if (tab == std::string_view::npos) break;
            parts.push_back(line.substr(from, tab - from));
            from = tab + 1;
        }
        if (parts.size() != 3 || from >= line.size()) break;
        InPlaceWriteGroup::Kept k;
        if (!ReadNumber(parts[0], k.length) || !ReadNumber(parts[1], k.offset) || !FromHex(parts[2], k.bytes)) break;
        k.file = std::string(line.substr(from));
        kept.push_back(std::move(k));
    }
    // The list is put in place whole (a rename), so a list that is not whole
    // was not written by the program: it is dropped and nothing is touched.
    if (whole)
        for (auto k = kept.rbegin(); k != kept.rend(); ++k)
            if (PutBack(*k)) ++putBack;
    fs::remove(list, ec);
    return putBack;
}

}  // namespace

int FinishInterruptedRewrites() {
    int finished = PutBackInPlaceWrites();
    finished += FinishGroup();
    std::error_code ec;
    // Temporary files of ended runs.
    std::vector<fs::path> leftovers;
    for (auto it = fs::recursive_directory_iterator(fs::current_path(), ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ignore;
        if (!it->is_regular_file(ignore)) continue;
        if (it->path().filename().string().find(kTemporaryMark) != std::string::npos) leftovers.push_back(it->path());
    }
    for (const fs::path& p : leftovers) fs::remove(p, ec);
    return finished;
}

}  // namespace rt
