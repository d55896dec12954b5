#include "platform/runtime/grouped_rewrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <system_error>

#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"

namespace fs = std::filesystem;

namespace rt {
namespace {

constexpr const char* kTemporaryMark = ".tmp~";

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

fs::path TemporaryBeside(const fs::path& target) {
    fs::path tmp = target;
    tmp += kTemporaryMark + std::to_string(::getpid());
    return tmp;
}

std::string TemporaryNameBeside(std::string_view name) {
    return std::string(name) + kTemporaryMark + std::to_string(::getpid());
}

bool FlushToDisc(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void ReplaceFilesTogether(const std::vector<NewFileContent>& files) {
    std::vector<std::pair<fs::path, fs::path>> staged;  // temporary, target
    auto drop = [&] {
        std::error_code ec;
        for (const auto& s : staged) fs::remove(s.first, ec);
    };
    for (const NewFileContent& f : files) {
        const fs::path target = ResolvePath(f.name);
        try {
            staged.emplace_back(WriteBeside(target, f.bytes, f.name), target);
        } catch (...) {
            drop();
            throw;
        }
    }
    // The list names each temporary file and its target, one a line.
    std::string list;
    for (const auto& [tmp, target] : staged) list += fs::absolute(tmp).string() + "\n" + fs::absolute(target).string() + "\n";
    list += "end\n";
    try {
        EnsureParentFolder(kGroupRewriteList);
        ReplaceFileBytes(kGroupRewriteList, list);
    } catch (...) {
        drop();
        throw;
    }
    for (std::size_t i = 0; i < staged.size(); ++i) PutInPlace(staged[i].first, staged[i].second, files[i].name);
    for (const auto& [tmp, target] : staged) SyncFolder(target.parent_path());
    std::error_code ec;
    fs::remove(ResolvePath(kGroupRewriteList), ec);
}

int FinishInterruptedRewrites() {
    int finished = 0;
    std::error_code ec;
    const fs::path list = ResolvePath(kGroupRewriteList);
    if (fs::is_regular_file(list, ec)) {
        std::string text;
        try {
            text = ReadFileBytes(kGroupRewriteList);
        } catch (const IoError&) {
        }
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') {
                lines.push_back(text.substr(start, i - start));
                start = i + 1;
            }
        // Only a whole list counts: it is written after every new file.
        if (!lines.empty() && lines.back() == "end" && lines.size() % 2 == 1) {
            for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
                const fs::path tmp = lines[i], target = lines[i + 1];
                if (!fs::exists(tmp, ec)) continue;  // already in place
                fs::rename(tmp, target, ec);
                if (!ec) ++finished;
            }
        }
        fs::remove(list, ec);
    }
    // Temporary files of ended runs.
    std::vector<fs::path> leftovers;
    for (auto it = fs::recursive_directory_iterator(fs::current_path(), ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ignore;
        if (!it->is_regular_file(ignore)) continue;
        if (it->path().filename().string().find(kTemporaryMark) != std::string::npos) leftovers.push_back(it->path());
    }
    for (const fs::path& p : leftovers) fs::remove(p, ec);
    return finished;
}

}  // namespace rt
