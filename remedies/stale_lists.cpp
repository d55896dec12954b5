#include "remedies/stale_lists.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"

namespace fs = std::filesystem;

namespace remedies {

std::string StaleListsMarkFor(const std::string& databaseName) { return databaseName + ".ricostruire"; }

std::string StaleListsMarkFor(const DbFile& db) { return StaleListsMarkFor(db.name); }

bool MarkListsStale(const DbFile& db) {
    const fs::path mark = rt::ResolvePath(StaleListsMarkFor(db));
    const int fd = ::open(mark.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EEXIST) return false;
    if (fd < 0) throw rt::IoError(rt::IoCodeFromErrno(errno, true), db.name);
    ::close(fd);
    return true;
}

bool ListsMarkedStale(const DbFile& db) {
    std::error_code ec;
    return fs::exists(rt::ResolvePath(StaleListsMarkFor(db)), ec);
}

void ClearStaleListsMark(const DbFile& db) {
    std::error_code ec;
    fs::remove(rt::ResolvePath(StaleListsMarkFor(db)), ec);
}

}  // namespace remedies
