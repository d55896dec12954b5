#include "platform/runtime/grouped_rewrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
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

void ReplaceFilesTogether(const std::vector<NewFileContent>& files) {
    // A folder in a file's place would refuse its rename after others were
    // made: the group is refused before anything is written.
    for (const NewFileContent& f : files)
        if (FolderInPlaceOf(f.name)) throw IoError(kAccessDenied, f.name);
    std::vector<std::pair<fs::path, fs::path>> staged;  // temporary, target
    auto drop = [&] {
        std::error_code ec;
        for (const auto& s : staged) fs::remove(s.first, ec);
    };
    for (const NewFileContent& f : files) {
        const fs::path target = ResolvePath(f.name);
        try {
            staged.emplace_back(WriteBeside(target, f.bytes, f.name), target);
        } catch (...) {
            drop();
            throw;
        }
    }
    // The list names each temporary file and its target, one a line.
    std::string list;
    for (const auto& [tmp, target] : staged) list += fs::absolute(tmp).string() + "\n" + fs::absolute(target).string() + "\n";
    list += "end\n";
    try {
        EnsureParentFolder(kGroupRewriteList);
        ReplaceFileBytes(kGroupRewriteList, list);
    } catch (...) {
        drop();
        throw;
    }
    // Each rename is flushed to the disc with its folder.
    for (std::size_t i = 0; i < staged.size(); ++i) PutInPlace(staged[i].first, staged[i].second, files[i].name);
    std::error_code ec;
    fs::remove(ResolvePath(kGroupRewriteList), ec);
}

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
    bool ok = k.bytes.empty() ||
              WriteAt(fd, k.bytes.data(), k.bytes.size(), static_cast<std::int64_t>(k.offset));
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
            const std::uintmax_t covered = std::min<std::uintmax_t>(static_cast<std::uintmax_t>(r.size), k.length - k.offset);
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
    std::error_code ec;
    const fs::path list = ResolvePath(kGroupRewriteList);
    if (fs::is_regular_file(list, ec)) {
        std::string text;
        try {
            text = ReadFileBytes(kGroupRewriteList);
        } catch (const IoError&) {
        }
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
        fs::remove(list, ec);
    }
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
