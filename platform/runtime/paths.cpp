#include "platform/runtime/paths.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/record_file.h"
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

fs::path ResolvePathIn(const fs::path& base, std::string_view name) {
    return ResolveUtf8In(base, Cp1252ToUtf8(name));
}

std::string ProgramNameOf(const fs::path& relative) {
    std::string s = Utf8ToCp1252(relative.generic_string());
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
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

fs::path InstalledDataFolder() {
    const char* env = std::getenv("KELVOR_DATA_DIR");
    if (env && *env) return fs::path(env);
#ifdef KELVOR_BUILD_DATA_DIR
    std::error_code ec;
    if (fs::is_directory(KELVOR_BUILD_DATA_DIR, ec)) return fs::path(KELVOR_BUILD_DATA_DIR);
#endif
    std::error_code ec2;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec2);
    return exe.parent_path().parent_path() / "share" / "kelvor" / "data";
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

fs::path PrepareDataFolderIn(const fs::path& target, const std::vector<SeedGroup>& groups) {
    fs::create_directories(target);
    const fs::path source = InstalledDataFolder();
    std::error_code ec;
    if (fs::is_directory(source, ec)) {
        std::vector<GroupFound> found;
        for (const SeedGroup& g : groups) found.push_back(LookAtGroup(g, source, target));
        for (auto it = fs::recursive_directory_iterator(source, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            const std::string rel = fs::relative(it->path(), source).generic_string();
            // Each component matched without regard to case against what is there.
            const fs::path dst = ResolveUtf8In(target, rel);
            if (it->is_directory()) {
                fs::create_directories(dst);
            } else if (!fs::exists(dst) && !InUsersGroup(found, rel)) {
                fs::create_directories(dst.parent_path());
                fs::copy_file(it->path(), dst);
            }
        }
    }
    fs::current_path(target);
    return target;
}

}  // namespace

fs::path PrepareDataFolder(const std::vector<SeedGroup>& groups) {
    const fs::path target = UserDataFolder();
    try {
        return PrepareDataFolderIn(target, groups);
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
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
