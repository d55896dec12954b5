#include "platform/runtime/paths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

#include "platform/runtime/io_error.h"
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

}  // namespace

fs::path ResolvePath(std::string_view name) { return ResolvePathIn({}, name); }

fs::path ResolvePathIn(const fs::path& base, std::string_view name) {
    std::string utf8 = Cp1252ToUtf8(name);
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

bool PathExists(std::string_view name) {
    std::error_code ec;
    return fs::exists(ResolvePath(name), ec);
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
fs::path PrepareDataFolderIn(const fs::path& target);
}  // namespace

fs::path PrepareDataFolder() {
    const fs::path target = UserDataFolder();
    try {
        return PrepareDataFolderIn(target);
    } catch (const fs::filesystem_error& e) {
        // In the run-time's words, naming the file or folder concerned.
        const fs::path& where = e.path2().empty() ? (e.path1().empty() ? target : e.path1()) : e.path2();
        throw IoError(IoCodeFromErrno(e.code().value(), true), Utf8ToCp1252(where.string()));
    }
}

namespace {
fs::path PrepareDataFolderIn(const fs::path& target) {
    fs::create_directories(target);
    fs::path source = InstalledDataFolder();
    std::error_code ec;
    if (fs::is_directory(source, ec)) {
        for (auto it = fs::recursive_directory_iterator(source, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            fs::path rel = fs::relative(it->path(), source);
            fs::path dst = target / rel;
            if (it->is_directory()) {
                fs::create_directories(dst);
            } else if (!fs::exists(dst)) {
                fs::create_directories(dst.parent_path());
                fs::copy_file(it->path(), dst);
            }
        }
    }
    fs::current_path(target);
    return target;
}
}  // namespace

}  // namespace rt
