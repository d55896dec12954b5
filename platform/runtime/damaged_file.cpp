#include "platform/runtime/damaged_file.h"

#include <filesystem>
#include <system_error>

#include "platform/runtime/paths.h"
#include "platform/runtime/win1252.h"

namespace fs = std::filesystem;

namespace rt {

std::string KeepDamagedCopy(std::string_view name) {
    const fs::path p = ResolvePath(name);
    for (int n = 1; n < 10000; ++n) {
        fs::path keep = p;
        keep += ".damaged" + std::to_string(n);
        std::error_code ec;
        if (fs::exists(keep, ec)) continue;
        // Never overwrites: a copy made meanwhile by someone else fails and the
        // next number is tried.
        if (fs::copy_file(p, keep, fs::copy_options::none, ec)) return Utf8ToCp1252(keep.filename().string());
        if (!fs::exists(keep, ec)) return {};
    }
    return {};
}

}  // namespace rt
