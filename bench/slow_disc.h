#pragma once
// A disc whose flushes cost what a slow disc's do, for the benchmarks of what
// waits for the disc, on any machine: with KELVOR_BENCH_FLUSH_MS set (say 6),
// every flush the program asks for (fsync or fdatasync: a file's bytes or a
// folder's entries) waits that many milliseconds before it is made. The
// program's calls reach these definitions instead of the C library's, so
// nothing in the program changes for the benchmark. Flushes asked for at the
// same time wait at the same time, as a disc that takes them together does;
// how many bytes a flush carries is not counted (time those on a real disc:
// TMPDIR in a folder on it). Included once, by the benchmark's own source.
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace bench_disc {

inline std::chrono::microseconds FlushWait() {
    static const std::chrono::microseconds kWait = [] {
        const char* ms = std::getenv("KELVOR_BENCH_FLUSH_MS");
        return std::chrono::microseconds(ms ? static_cast<long long>(std::atof(ms) * 1000) : 0);
    }();
    return kWait;
}

}  // namespace bench_disc

extern "C" int fsync(int fd) {
    std::this_thread::sleep_for(bench_disc::FlushWait());
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd) {
    std::this_thread::sleep_for(bench_disc::FlushWait());
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
}
