#include "platform/runtime/disc_flush.h"

#include <fcntl.h>
#include <unistd.h>

#include <exception>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace rt {
namespace {

// The count of each thread's flushes. A count per thread rather than one for
// the program: threads that flush beside each other (a group's writers, tests
// run side by side) never mix their counts and need no lock, and a reading is
// the thread's own whatever ran before it. Nothing outside this file changes it.
std::int64_t& ThreadFlushes() {
    thread_local std::int64_t flushes = 0;
    return flushes;
}

}  // namespace

bool FlushOpenFile(int fd) {
    ++ThreadFlushes();
    return ::fsync(fd) == 0;
}

bool FlushOpenFileData(int fd) {
    ++ThreadFlushes();
    return ::fdatasync(fd) == 0;
}

bool FlushToDisc(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = FlushOpenFile(fd);
    ::close(fd);
    return ok;
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        FlushOpenFile(fd);
        ::close(fd);
    }
}

std::int64_t FlushesOfThisThread() { return ThreadFlushes(); }

void RunEachOnItsOwnThread(std::size_t count, const std::function<void(std::size_t)>& work) {
    std::vector<std::int64_t> flushes(count, 0);
    std::vector<std::exception_ptr> failures(count);
    std::vector<std::thread> threads;
    threads.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        threads.emplace_back([&, i] {
            try {
                work(i);
            } catch (...) {
                failures[i] = std::current_exception();
            }
            flushes[i] = ThreadFlushes();
        });
    for (std::thread& t : threads) t.join();
    for (const std::int64_t n : flushes) ThreadFlushes() += n;
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

}  // namespace rt
