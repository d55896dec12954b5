#pragma once
// Helpers shared by the tests.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// A fresh temporary folder made the working folder (and XDG_DATA_HOME) while it
// lives; the previous working folder is restored afterwards.
class TempWorkFolder {
public:
    TempWorkFolder();
    ~TempWorkFolder();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// The bytes of a fixture under tests/fixtures.
std::string ReadFixture(const std::string& relative);
std::filesystem::path FixturePath(const std::string& relative);
// The bytes of any file.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// What a shell command writes to its standard output.
std::string CommandOutput(const std::string& command);

// n bytes of a fixed pseudo-random sequence: the same seed gives the same bytes.
std::string RandomBytes(std::size_t n, unsigned seed);

// Runs `body` in a child process as the unprivileged user "nobody" (the tests
// run as root, who may read and write anything); returns its exit code (90:
// the user could not be changed, 91: body threw, 99: the child did not exit).
int RunAsUnprivilegedUser(const std::function<int()>& body);

// Lets others read every folder and file under `folder` (folders 0755, files
// 0644, as an earlier version made a data folder), for tests in which the
// unprivileged user "nobody" stands for a user who may read but not write a
// data folder, which the program makes private.
void OpenToOtherUsers(const std::filesystem::path& folder);

// While it lives, this process meets files as the unprivileged user "nobody"
// (its effective user and group, no supplementary groups), and as root again
// afterwards. For what must run in this process: windows that paint cannot
// run in a forked child, whose drawing threads stay behind in the parent.
class UnprivilegedScope {
public:
    UnprivilegedScope();
    ~UnprivilegedScope();
    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;
    bool Active() const { return active_; }

private:
    std::vector<unsigned> groups_;
    bool active_ = false;
};

// Runs `body` in a child process that this one traces, and ends the child
// with SIGKILL just before its `killBefore`-th change to the disc (a write
// other than to standard output or error, a rename, a removal, a truncation, a
// flush to the disc, a file created or emptied, a folder made); 0 lets it run
// to its end. Where the child ends depends only on what it does, never on the
// machine's speed.
struct TracedRun {
    int changes = 0;  // changes the child made, the one it was ended before included
    // Each change: the call ("write", "rename", "fsync", ...) and, for a call
    // on an open file, the file (" /path").
    std::vector<std::string> calls;
    bool killed = false;  // ended before its killBefore-th change
    int exitCode = -1;    // when it ran to its end (91: body threw; 97: it could not be traced)
};
TracedRun RunKilledBeforeChange(const std::function<void()>& body, int killBefore);

}  // namespace testing_support
