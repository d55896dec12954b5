#include "shell/data_folder_claim.h"

#include <QLockFile>
#include <QString>
#include <memory>
#include <system_error>

#include "platform/gui/message_box.h"
#include "platform/runtime/win1252.h"

namespace shell {
namespace {
std::unique_ptr<QLockFile> g_lock;
}  // namespace

bool ClaimDataFolder(const std::filesystem::path& folder) {
    ReleaseDataFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    auto lock = std::make_unique<QLockFile>(QString::fromStdString((folder / kDataFolderLockName).string()));
    // Only a lock whose process is gone is stale: a copy that has run for
    // hours still holds its folder.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
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
