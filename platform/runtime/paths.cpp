#include "platform/runtime/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <system_error>
#include <vector>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/shipped_versions.h"
#include "platform/runtime/win1252.h"

namespace fs = std::filesystem;

namespace rt {
namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::vector<std::string> Components(std::string_view name) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : name) {
        if (c == '\\' || c == '/') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

// ResolvePathIn on a name already in UTF-8.
fs::path ResolveUtf8In(const fs::path& base, const std::string& utf8) {
    bool absolute = !utf8.empty() && (utf8[0] == '/' || utf8[0] == '\\');
    fs::path result = absolute ? fs::path("/") : base;
    bool existing = true;  // every component so far exists
    for (const std::string& part : Components(utf8)) {
        if (part == ".") continue;
        if (part == "..") {
            result /= part;
            continue;
        }
        if (existing) {
            fs::path dir = result.empty() ? fs::path(".") : result;
            std::error_code ec;
            if (fs::exists(dir / part, ec)) {
                result /= part;
                continue;
            }
            bool found = false;
            for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
                std::string entry = it->path().filename().string();
                if (SameIgnoringCase(entry, part)) {
                    result /= entry;
                    found = true;
                    break;
                }
            }
            if (found) continue;
            existing = false;
        }
        result /= part;
    }
    return result;
}

}  // namespace

fs::path ResolvePath(std::string_view name) { return ResolvePathIn({}, name); }

fs::path ResolvePathIn(const fs::path& base, std::string_view name) { return ResolveUtf8In(base, Cp1252ToUtf8(name)); }

std::string ProgramNameOf(const fs::path& relative) {
    std::string s = Utf8ToCp1252(relative.generic_string());
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

std::string SpelledOnDisc(std::string_view name) {
    if (name.empty() || name[0] == '/') return std::string(name);
    return ProgramNameOf(ResolvePath(name));
}

bool PathExists(std::string_view name) {
    std::error_code ec;
    return fs::exists(ResolvePath(name), ec);
}

bool FolderInPlaceOf(std::string_view name) {
    std::error_code ec;
    return !name.empty() && fs::is_directory(ResolvePath(name), ec);
}

void EnsureParentFolder(std::string_view name) {
    fs::path p = ResolvePath(name);
    if (p.has_parent_path()) {
        std::error_code ec;
        fs::create_directories(p.parent_path(), ec);
        if (ec) throw IoError(kPathNotFound, p.string());
    }
}

fs::path UserDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg) return fs::path(xdg) / "kelvor";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".local" / "share" / "kelvor";
}

namespace {

// Everything the process creates from now on is its user's alone; the folder
// is made so, or an existing one that lets group or others in is closed to
// them (its user's own rights stay). Returns true for the latter.
bool MakeFolderPrivate(const fs::path& folder) {
    ::umask(077);
    fs::create_directories(folder);
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        throw fs::filesystem_error("stat", folder, std::error_code(errno, std::generic_category()));
    // A folder of another owner cannot be changed: it stays as it is.
    return (st.st_mode & 077) != 0 && ::chmod(folder.c_str(), st.st_mode & 0700) == 0;
}

// True when `inner` is `outer` or lies under it.
bool Within(const fs::path& inner, const fs::path& outer) {
    const fs::path rel = inner.lexically_normal().lexically_relative(outer.lexically_normal());
    return !rel.empty() && *rel.begin() != "..";
}

}  // namespace

fs::path InstalledDataFolder() {
    const char* env = std::getenv("KELVOR_DATA_DIR");
    if (env && *env) return fs::path(env);
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    const fs::path installed = exe.parent_path().parent_path() / "share" / "kelvor";
    if (fs::is_directory(installed, ec)) return installed;
#if defined(KELVOR_BUILD_DATA_DIR) && defined(KELVOR_BUILD_FOLDER)
    // `make run`: the program in its build folder, the data its build laid out.
    const fs::path build = fs::weakly_canonical(KELVOR_BUILD_FOLDER, ec);
    if (!ec && !exe.empty() && Within(exe, build) && fs::is_directory(KELVOR_BUILD_DATA_DIR, ec))
        return fs::path(KELVOR_BUILD_DATA_DIR);
#endif
    return installed;
}

namespace {

// True when two files hold the same bytes.
bool SameContent(const fs::path& a, const fs::path& b) {
    std::error_code ec1, ec2;
    const auto sa = fs::file_size(a, ec1), sb = fs::file_size(b, ec2);
    if (ec1 || ec2 || sa != sb) return false;
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    if (!fa || !fb) return false;
    std::vector<char> ba(65536), bb(65536);
    for (;;) {
        fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
        fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
        const std::streamsize n = fa.gcount();
        if (n != fb.gcount() || !std::equal(ba.begin(), ba.begin() + n, bb.begin())) return false;
        if (n == 0 || !fa || !fb) return fa.eof() && fb.eof();
    }
}

bool IsFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// A program name as a relative path in UTF-8 with "/".
std::string RelativeName(const std::string& programName) {
    std::string s = Cp1252ToUtf8(programName);
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

// One group as the seeding finds it.
struct GroupFound {
    std::vector<std::string> names;  // every file of the group, relative
    bool users = false;              // data there that is not the shipped data
};

GroupFound LookAtGroup(const SeedGroup& g, const fs::path& source, const fs::path& target) {
    GroupFound found;
    for (const auto* list : {&g.data, &g.derived})
        for (const std::string& n : *list) found.names.push_back(RelativeName(n));
    for (const std::string& n : g.data) {
        const fs::path here = ResolveUtf8In(target, RelativeName(n));
        if (!IsFile(here)) continue;
        const fs::path shipped = ResolveUtf8In(source, RelativeName(n));
        if (!IsFile(shipped) || !SameContent(here, shipped)) found.users = true;
    }
    return found;
}

bool InUsersGroup(const std::vector<GroupFound>& groups, const std::string& relative) {
    for (const GroupFound& g : groups) {
        if (!g.users) continue;
        for (const std::string& n : g.names)
            if (SameIgnoringCase(n, relative)) return true;
    }
    return false;
}

// What the program put in the data folder of a shipped file it renews: the
// installation's file and the copy, each as the file system shows it (a new
// version of the installation, or a change of the copy, shows another).
struct FileStamp {
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> StampOf(const fs::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    FileStamp s;
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    s.size = static_cast<std::uint64_t>(st.st_size);
    s.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

struct ShippedEntry {
    FileStamp installed;     // the installation's file when the copy was judged
    FileStamp copy;          // the copy in the data folder then
    bool asShipped = false;  // the copy held the installation's bytes then
    // The installation's file then (ShippedDigestOf), so that a later version
    // tells whether it changed the file a user's copy was made from; empty in
    // a record of an earlier version.
    std::string installedDigest;
};

// The record, by the installation's spelling of the relative name: one line a
// file, "<state> <inode> <size> <time> <inode> <size> <time> <digest> <name>",
// the state "=" for a copy as shipped, "u" for the user's (earlier versions
// wrote no digest). Lines that do not read so are left out: the file is
// judged again from its bytes.
using ShippedRecord = std::map<std::string, ShippedEntry>;

ShippedRecord ReadShippedRecord(const fs::path& file) {
    ShippedRecord record;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string state;
        ShippedEntry e;
        if (!(fields >> state >> e.installed.inode >> e.installed.size >> e.installed.modified >> e.copy.inode >>
              e.copy.size >> e.copy.modified) ||
            (state != "=" && state != "u") || fields.get() != ' ')
            continue;
        std::string name;
        std::getline(fields, name);
        if (name.size() > 65 && name[64] == ' ' && name.find_first_not_of("0123456789abcdef") == 64) {
            e.installedDigest = name.substr(0, 64);
            name.erase(0, 65);
        }
        if (name.empty()) continue;
        e.asShipped = state == "=";
        record[name] = e;
    }
    return record;
}

// Written beside and renamed over the old record. It is not flushed: a record
// lost to a power cut costs a comparison of the files at the next start.
void WriteShippedRecord(const fs::path& file, const ShippedRecord& record) {
    std::ostringstream out;
    out << "# kelvor: shipped files this folder holds; written by the program\n";
    for (const auto& [name, e] : record)
        out << (e.asShipped ? "=" : "u") << ' ' << e.installed.inode << ' ' << e.installed.size << ' '
            << e.installed.modified << ' ' << e.copy.inode << ' ' << e.copy.size << ' ' << e.copy.modified << ' '
            << (e.installedDigest.empty() ? "" : e.installedDigest + " ") << name << '\n';
    const fs::path temporary = fs::path(file).concat(".new");
    {
        std::ofstream f(temporary, std::ios::binary | std::ios::trunc);
        f << out.str();
        if (!f.flush()) {
            std::error_code ec;
            fs::remove(temporary, ec);
            return;
        }
    }
    std::error_code ec;
    fs::rename(temporary, file, ec);
    if (ec) fs::remove(temporary, ec);
}

// The bytes of a file, or nothing when it cannot be read whole.
std::optional<std::string> ReadWhole(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes = ReadRest(in);
    if (in.bad()) return std::nullopt;
    return bytes;
}

// What one preparation renewed and kept beside, for the renewal notice.
struct RenewalFound {
    std::vector<std::string> renewed;
    std::vector<std::string> keptBeside;
};

// Puts the installation's copy of a shipped file beside the user's changed
// copy, under the name that says it is the new version (one such copy: a
// later version writes over it).
bool KeepNewVersionBeside(const fs::path& here, const std::string& bytes, const fs::path& target) {
    const fs::path beside = fs::path(here).concat(kKeptNewVersionSuffix);
    try {
        ReplaceWholeFile(beside, bytes, ProgramNameOf(fs::relative(beside, target)));
    } catch (const IoError&) {
        return false;
    }
    return true;
}

// True when the new version of a user's changed copy differs from the version
// it was made from. The record says which that was; without a record of it (a
// folder of a version that recorded no digest) it may have been any version
// the program ever shipped, so it counts as changed when any earlier version
// shipped other bytes.
bool NewVersionOfUsersCopy(const ShippedRecord::const_iterator found, const ShippedRecord& record,
                           const std::string& installedDigest, const std::set<std::string>* earlier) {
    if (found != record.end() && !found->second.installedDigest.empty())
        return found->second.installedDigest != installedDigest;
    if (!earlier) return false;
    return std::any_of(earlier->begin(), earlier->end(), [&](const std::string& d) { return d != installedDigest; });
}

// A shipped file the data folder holds a copy of: its name under both
// folders, the installation's file, the copy and the data folder.
struct ShippedCopy {
    std::string rel;
    fs::path shipped;
    fs::path here;
    fs::path target;
};

// Judges one shipped file the user does not edit that the data folder holds
// against the installation's, renewing it when the installation changed and
// the copy is as the program left it or as an earlier version shipped it
// (`earlier`: that file's digests, or null). Returns true when the record
// changed.
bool JudgeShippedCopy(const ShippedCopy& file, ShippedRecord& record, const std::set<std::string>* earlier,
                      RenewalFound& found) {
    const std::string& rel = file.rel;
    const fs::path &shipped = file.shipped, &here = file.here, &target = file.target;
    const auto installed = StampOf(shipped);
    const auto copy = StampOf(here);
    if (!installed || !copy) return false;
    const auto entry = record.find(rel);
    if (entry != record.end() && entry->second.installed == *installed && entry->second.copy == *copy) return false;
    ShippedEntry e;
    e.installed = *installed;
    e.copy = *copy;
    e.asShipped = SameContent(shipped, here);
    if (entry != record.end() && entry->second.installed == *installed && !entry->second.installedDigest.empty()) {
        e.installedDigest = entry->second.installedDigest;
    } else {
        const auto digest = ShippedDigestOfFile(shipped);
        if (!digest) return false;
        e.installedDigest = *digest;
    }
    const std::string name = ProgramNameOf(fs::relative(here, target));
    if (e.asShipped) {
        // A new version kept beside a copy the user has since made the same is
        // no longer needed.
        const fs::path beside = fs::path(here).concat(kKeptNewVersionSuffix);
        std::error_code ec;
        if (IsFile(beside) && SameContent(beside, shipped)) fs::remove(beside, ec);
        record[rel] = e;
        return true;
    }
    bool programs = entry != record.end() && entry->second.asShipped && entry->second.copy == *copy;
    if (!programs && earlier) {
        // Bytes some version of the program shipped are as shipped, whichever
        // version put them there and whatever the record of an earlier one said.
        const auto digest = ShippedDigestOfFile(here);
        programs = digest && earlier->count(*digest) > 0;
    }
    if (programs) {
        // Another version of the file, and the copy is still the program's: renewed.
        const auto bytes = ReadWhole(shipped);
        if (!bytes) return false;
        try {
            ReplaceWholeFile(here, *bytes, name);
        } catch (const IoError&) {
            return false;  // left as it is; judged again at the next start
        }
        const auto renewed = StampOf(here);
        if (!renewed) return false;
        e.copy = *renewed;
        e.asShipped = true;
        found.renewed.push_back(name);
    } else if ((entry == record.end() || entry->second.installed != *installed) &&
               NewVersionOfUsersCopy(entry, record, e.installedDigest, earlier)) {
        // The user's copy stays; the new version is kept beside it and named.
        const auto bytes = ReadWhole(shipped);
        if (!bytes || !KeepNewVersionBeside(here, *bytes, target)) return false;
        found.keptBeside.push_back(name);
    }
    // Otherwise a copy that is not as the program left it, or that no record
    // names, is the program's from now on only when it holds the same bytes.
    record[rel] = e;
    return true;
}

}  // namespace

bool IsRenewedShippedFile(std::string_view relative) {
    std::vector<std::string> parts = Components(relative);
    if (parts.empty()) return false;
    static const char* const kFolders[] = {"FilePosi", "Simboli",  "Zodiaco", "Localita",
                                           "Calendar", "OpzioneT", "Scambi"};
    static const char* const kFiles[] = {"Appoggio/Messaggi.txt", "Appoggio/GoverAnno.txt", "Appoggio/Aggiorna1.txt",
                                         "Appoggio/Aggiorna2.txt"};
    if (parts.size() >= 2)
        for (const char* f : kFolders)
            if (SameIgnoringCase(parts[0], f)) return true;
    std::string joined;
    for (const std::string& p : parts) joined += (joined.empty() ? "" : "/") + p;
    for (const char* f : kFiles)
        if (SameIgnoringCase(joined, f)) return true;
    // The instruction documents at the top of the folder.
    const std::string& last = parts.back();
    return parts.size() == 1 && last.size() > 4 && SameIgnoringCase(last.substr(last.size() - 4), ".pdf");
}

namespace {

// The renewal notice a data folder holds: one line a file, "r <name>" for a
// renewed one, "k <name>" for a changed one with the new version beside it.
RenewalNotice ReadRenewalNotice(const fs::path& folder) {
    RenewalNotice notice;
    std::ifstream in(folder / kRenewalNoticeName, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 3 || line[1] != ' ') continue;
        if (line[0] == 'r') notice.renewed.push_back(line.substr(2));
        if (line[0] == 'k') notice.keptBeside.push_back(line.substr(2));
    }
    return notice;
}

// Adds what a preparation found to the notice the folder holds, each name once.
RenewalNotice AddToRenewalNotice(const fs::path& folder, const RenewalFound& found) {
    RenewalNotice notice = ReadRenewalNotice(folder);
    if (found.renewed.empty() && found.keptBeside.empty()) return notice;
    auto add = [](std::vector<std::string>& names, const std::vector<std::string>& more) {
        names.insert(names.end(), more.begin(), more.end());
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
    };
    add(notice.renewed, found.renewed);
    add(notice.keptBeside, found.keptBeside);
    std::string text;
    for (const std::string& n : notice.renewed) text += "r " + n + "\n";
    for (const std::string& n : notice.keptBeside) text += "k " + n + "\n";
    try {
        ReplaceWholeFile(folder / kRenewalNoticeName, text, kRenewalNoticeName);
    } catch (const IoError&) {
        // Told at this start all the same; only not again after a run ended unanswered.
    }
    return notice;
}

fs::path PrepareDataFolderIn(const fs::path& target, const std::vector<SeedGroup>& groups, RenewalNotice& notice) {
    MakeFolderPrivate(target);
    const fs::path source = InstalledDataFolder();
    std::error_code ec;
    RenewalFound renewal;
    if (fs::is_directory(source, ec)) {
        std::vector<GroupFound> found;
        for (const SeedGroup& g : groups) found.push_back(LookAtGroup(g, source, target));
        const fs::path recordFile = target / kShippedRecordName;
        ShippedRecord record = ReadShippedRecord(recordFile);
        const EarlierShipped earlier = ReadEarlierShipped(source / kEarlierShippedName);
        bool recordChanged = false;
        for (auto it = fs::recursive_directory_iterator(source, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec)) {
            const std::string rel = fs::relative(it->path(), source).generic_string();
            if (rel == kEarlierShippedName) continue;  // the installation's own
            // Each component matched without regard to case against what is there.
            const fs::path dst = ResolveUtf8In(target, rel);
            if (it->is_directory()) {
                fs::create_directories(dst);
                continue;
            }
            const bool renewed = IsRenewedShippedFile(rel);
            if (!fs::exists(dst) && !InUsersGroup(found, rel)) {
                fs::create_directories(dst.parent_path());
                fs::copy_file(it->path(), dst);
                // The copy takes the installation's rights (readable by all),
                // which the umask does not narrow.
                fs::permissions(dst, fs::perms::owner_read | fs::perms::owner_write);
                if (!renewed) continue;
                const auto installed = StampOf(it->path());
                const auto copy = StampOf(dst);
                const auto digest = ShippedDigestOfFile(it->path());
                if (installed && copy && digest) {
                    record[rel] = ShippedEntry{*installed, *copy, true, *digest};
                    recordChanged = true;
                }
            } else if (renewed) {
                const auto versions = earlier.find(rel);
                recordChanged =
                    JudgeShippedCopy({.rel = rel, .shipped = it->path(), .here = dst, .target = target}, record,
                                     versions == earlier.end() ? nullptr : &versions->second, renewal) ||
                    recordChanged;
            }
        }
        if (recordChanged) WriteShippedRecord(recordFile, record);
    }
    notice = AddToRenewalNotice(target, renewal);
    fs::current_path(target);
    return target;
}

}  // namespace

bool MakeDataFolderPrivate() {
    const fs::path target = UserDataFolder();
    try {
        return MakeFolderPrivate(target);
    } catch (const fs::filesystem_error& e) {
        throw IoError(IoCodeFromErrno(e.code().value(), true), Utf8ToCp1252(target.string()));
    }
}

RenewalNotice PendingRenewalNotice() { return ReadRenewalNotice(fs::current_path()); }

void ForgetRenewalNotice() {
    std::error_code ec;
    fs::remove(fs::current_path() / kRenewalNoticeName, ec);
}

fs::path PrepareDataFolder(const std::vector<SeedGroup>& groups, RenewalNotice* notice) {
    RenewalNotice pending;
    const fs::path target = UserDataFolder();
    try {
        const fs::path prepared = PrepareDataFolderIn(target, groups, pending);
        if (notice) *notice = std::move(pending);
        return prepared;
    } catch (const fs::filesystem_error& e) {
        // In the run-time's words, naming the file or folder concerned.
        const fs::path& where = e.path2().empty() ? (e.path1().empty() ? target : e.path1()) : e.path2();
        throw IoError(IoCodeFromErrno(e.code().value(), true), Utf8ToCp1252(where.string()));
    }
}

ShippedFileRestore RestoreShippedFile(std::string_view name) {
    using Outcome = ShippedFileRestore::Outcome;
    ShippedFileRestore result;
    const fs::path shipped = ResolveUtf8In(InstalledDataFolder(), RelativeName(std::string(name)));
    const fs::path here = ResolvePath(name);
    if (!IsFile(shipped) || SameContent(here, shipped)) return result;
    std::string bytes;
    {
        std::ifstream in(shipped, std::ios::binary);
        if (!in) return result;
        bytes = ReadRest(in);
        if (in.bad()) return result;
    }
    std::error_code ec;
    if (fs::exists(here, ec)) {
        result.kept = KeepDamagedCopy(name);
        if (result.kept.empty()) {
            result.outcome = Outcome::NotKept;
            return result;
        }
    }
    try {
        EnsureParentFolder(name);
        ReplaceWholeFile(here, bytes, std::string(name));
    } catch (const IoError&) {
        result.outcome = Outcome::NotWritten;
        return result;
    }
    result.outcome = Outcome::Restored;
    return result;
}

}  // namespace rt
