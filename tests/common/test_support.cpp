#include "tests/common/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

TempWorkFolder::TempWorkFolder() {
    previous_ = std::filesystem::current_path();
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("kelvor-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(path_)) break;
    }
    std::filesystem::current_path(path_);
    setenv("XDG_DATA_HOME", path_.c_str(), 1);
}

TempWorkFolder::~TempWorkFolder() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path FixturePath(const std::string& relative) {
    return std::filesystem::path(KELVOR_FIXTURES_DIR) / relative;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string ReadFixture(const std::string& relative) { return ReadBytes(FixturePath(relative)); }

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string CommandOutput(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        while (std::size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
        pclose(p);
    }
    return out;
}

std::string RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::string out(n, '\0');
    for (char& c : out) c = static_cast<char>(random() & 0xFF);
    return out;
}

void OpenToOtherUsers(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    const auto readable =
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;
    const auto enterable = readable | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    fs::permissions(folder, enterable);
    for (const auto& e : fs::recursive_directory_iterator(folder))
        fs::permissions(e.path(), e.is_directory() ? enterable : readable);
}

int RunAsUnprivilegedUser(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(90);
        int code = 91;
        try {
            code = body();
        } catch (...) {
        }
        _exit(code);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

UnprivilegedScope::UnprivilegedScope() {
    const int n = getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(n > 0 ? n : 0));
    if (n > 0 && getgroups(n, groups.data()) == n) groups_.assign(groups.begin(), groups.end());
    active_ = setgroups(0, nullptr) == 0 && setegid(65534) == 0 && seteuid(65534) == 0;
}

UnprivilegedScope::~UnprivilegedScope() {
    (void)!seteuid(0);
    (void)!setegid(0);
    const std::vector<gid_t> groups(groups_.begin(), groups_.end());
    (void)!setgroups(groups.size(), groups.data());
}

namespace {

// A system call that changes what is on the disc: its name, or null for
// another call.
const char* DiscChange(const __ptrace_syscall_info& call) {
    const auto& a = call.entry.args;
    switch (call.entry.nr) {
        case SYS_write: return a[0] > 2 ? "write" : nullptr;  // not standard output or error
        case SYS_pwrite64: return "pwrite";
        case SYS_writev: return a[0] > 2 ? "writev" : nullptr;
        case SYS_pwritev:
        case SYS_pwritev2: return "pwritev";
        case SYS_open: return (a[1] & (O_CREAT | O_TRUNC)) != 0 ? "open" : nullptr;
        case SYS_openat: return (a[2] & (O_CREAT | O_TRUNC)) != 0 ? "open" : nullptr;
        case SYS_creat: return "creat";
        case SYS_rename:
        case SYS_renameat:
        case SYS_renameat2: return "rename";
        case SYS_unlink:
        case SYS_unlinkat: return "unlink";
        case SYS_rmdir: return "rmdir";
        case SYS_mkdir:
        case SYS_mkdirat: return "mkdir";
        case SYS_link:
        case SYS_linkat: return "link";
        case SYS_truncate: return "truncate";
        case SYS_ftruncate: return "ftruncate";
        case SYS_fallocate: return "fallocate";
        case SYS_copy_file_range: return "copy_file_range";
        case SYS_sendfile: return "sendfile";
        case SYS_fsync: return "fsync";
        case SYS_fdatasync: return "fdatasync";
        case SYS_sync_file_range: return "sync_file_range";
        default: return nullptr;
    }
}

// Whether a change's first argument is an open file.
bool OnOpenFile(const std::string& name) {
    return name == "write" || name == "pwrite" || name == "writev" || name == "pwritev" || name == "ftruncate" ||
           name == "fallocate" || name == "fsync" || name == "fdatasync" || name == "sync_file_range";
}

}  // namespace

TracedRun RunKilledBeforeChange(const std::function<void()>& body, int killBefore) {
    TracedRun run;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) return run;
    if (child == 0) {
        if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(97);
        raise(SIGSTOP);  // until the tracer is ready
        int code = 0;
        try {
            body();
        } catch (...) {
            code = 91;
        }
        _exit(code);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return run;
    if (!WIFSTOPPED(status)) {
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }
    ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    int pass = 0;  // a signal of the child's own, passed on
    for (;;) {
        if (ptrace(PTRACE_SYSCALL, child, nullptr, reinterpret_cast<void*>(static_cast<long>(pass))) != 0) break;
        pass = 0;
        if (waitpid(child, &status, 0) != child) break;
        if (WIFEXITED(status)) {
            run.exitCode = WEXITSTATUS(status);
            break;
        }
        if (WIFSIGNALED(status)) break;
        if (!WIFSTOPPED(status)) continue;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
            pass = WSTOPSIG(status);
            continue;
        }
        __ptrace_syscall_info call{};
        if (ptrace(PTRACE_GET_SYSCALL_INFO, child, reinterpret_cast<void*>(sizeof call), &call) <= 0) continue;
        if (call.op != PTRACE_SYSCALL_INFO_ENTRY) continue;
        const char* change = DiscChange(call);
        if (!change) continue;
        std::string described = change;
        if (OnOpenFile(described)) {
            const std::string link = "/proc/" + std::to_string(child) + "/fd/" + std::to_string(call.entry.args[0]);
            char target[4096];
            const ssize_t n = readlink(link.c_str(), target, sizeof target);
            if (n > 0) described += " " + std::string(target, static_cast<std::size_t>(n));
        }
        run.calls.push_back(described);
        if (++run.changes == killBefore) {
            // Stopped at the entry of the call: it never runs.
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            run.killed = true;
            break;
        }
    }
    return run;
}

}  // namespace testing_support
