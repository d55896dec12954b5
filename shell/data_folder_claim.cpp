#include "shell/data_folder_claim.h"

#include <QLockFile>
#include <QString>
#include <chrono>
#include <memory>
#include <system_error>
#include <thread>

#include "platform/gui/message_box.h"
#include "platform/runtime/win1252.h"

namespace fs = std::filesystem;

namespace shell {
namespace {
std::unique_ptr<QLockFile> g_lock;

// A lock file's name is written by its copy right after the file is made: one
// found without a name this young may be a copy starting at this moment.
constexpr auto kYoungLock = std::chrono::seconds(2);
constexpr auto kNameWriteWait = std::chrono::milliseconds(200);

bool NamesAProcess(const QLockFile& lock) {
    qint64 pid = 0;
    QString host, app;
    return lock.getLockInfo(&pid, &host, &app);
}

bool IsYoung(const fs::path& path) {
    std::error_code ec;
    const auto written = fs::last_write_time(path, ec);
    if (ec) return false;
    const auto age = fs::file_time_type::clock::now() - written;
    return age < kYoungLock && age > -kYoungLock;
}

// A lock file that names no process: empty or cut short (a run that ended
// while writing it, a full disc), random bytes, unreadable to this user, a
// folder in its place. It holds the folder for nobody and is taken over.
// Returns true when it is gone.
bool RemoveNamelessLock(QLockFile& lock, const fs::path& path) {
    if (NamesAProcess(lock)) return false;  // a running copy's (a dead one's Qt takes over itself)
    if (IsYoung(path)) {
        std::this_thread::sleep_for(kNameWriteWait);
        if (NamesAProcess(lock)) return false;
    }
    // Qt's removal refuses a file a running copy holds open.
    if (lock.removeStaleLockFile()) return true;
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        // Whatever a folder there holds stays, under a numbered name beside it.
        for (int n = 1; n < 1000; ++n) {
            fs::path aside = path;
            aside += "." + std::to_string(n);
            if (fs::exists(aside, ec)) continue;
            fs::rename(path, aside, ec);
            return !ec;
        }
        return false;
    }
    // A file this user may not read or write names no copy of this user's.
    return fs::remove(path, ec);
}

}  // namespace

bool ClaimDataFolder(const fs::path& folder) {
    ReleaseDataFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path path = folder / kDataFolderLockName;
    auto lock = std::make_unique<QLockFile>(QString::fromStdString(path.string()));
    // Only a lock whose process is gone is stale: a copy that has run for
    // hours still holds its folder.
    lock->setStaleLockTime(0);
    bool locked = lock->tryLock(0);
    if (!locked && lock->error() == QLockFile::LockFailedError && RemoveNamelessLock(*lock, path))
        locked = lock->tryLock(0);
    if (!locked) {
        if (lock->error() == QLockFile::LockFailedError) {
            gui::ShowMessage("Het programma is al geopend met deze map: " + rt::Utf8ToCp1252(folder.string()) +
                             ".\r\nSluit eerst dat programma.");
            return false;
        }
        // A folder the user may only read: no copy can change it, so the
        // program goes on without a lock and shows what is there.
        return true;
    }
    g_lock = std::move(lock);
    return true;
}

void ReleaseDataFolder() {
    if (g_lock) g_lock->unlock();
    g_lock.reset();
}

}  // namespace shell
