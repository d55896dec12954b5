#pragma once
// Every flush of the program to the disc (a file's bytes, a folder's entries)
// goes through here, and is counted for the thread that asked for it, so that
// tests and benchmarks can tell how many waits for the disc an operation costs.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>

namespace rt {

// Flushes an open file to the disc: its bytes, its length and its times
// (fsync); false when the disc refuses.
bool FlushOpenFile(int fd);
// Flushes an open file's bytes and what reading them back needs (its length),
// not its times (fdatasync); false when the disc refuses.
bool FlushOpenFileData(int fd);
// Flushes a written file to the disc (for temporary files written record by
// record before they replace a file); false when it cannot.
bool FlushToDisc(const std::filesystem::path& file);
// Flushes a folder's entries (a file created, renamed or removed in it) to the disc.
void SyncFolder(const std::filesystem::path& folder);

// The flushes this thread has made, or waited for on threads of its own
// (RunEachOnItsOwnThread), since it began. Only the flushes above change it:
// a caller compares two readings.
std::int64_t FlushesOfThisThread();

// Runs work(0) .. work(count - 1) each on a thread of its own and waits for
// them all (so that flushes to the disc overlap); their flushes count as this
// thread's. The first exception a work item threw is thrown again here.
void RunEachOnItsOwnThread(std::size_t count, const std::function<void(std::size_t)>& work);

}  // namespace rt
