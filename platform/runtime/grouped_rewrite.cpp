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

}  // namespace

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

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

AppendGroup::AppendGroup(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        const fs::path file = fs::absolute(ResolvePath(name));
        std::error_code ec;
        const std::uintmax_t length = fs::is_regular_file(file, ec) ? fs::file_size(file, ec) : 0;
        if (ec) throw IoError(kFileNotFound, name);
        lengths_.emplace_back(file, length);
        list += std::to_string(length) + "\t" + file.string() + "\n";
    }
    list += "end\n";
    EnsureParentFolder(kAppendList);
    ReplaceFileBytes(kAppendList, list);  // on the disc before the first append
    open_ = true;
}

AppendGroup::~AppendGroup() {
    if (!open_) return;
    // A failure before Commit: the files are cut back to their old lengths.
    std::error_code ec;
    for (const auto& [file, length] : lengths_)
        if (fs::is_regular_file(file, ec) && fs::file_size(file, ec) > length) fs::resize_file(file, length, ec);
    fs::remove(ResolvePath(kAppendList), ec);
}

void AppendGroup::Commit() {
    for (const auto& [file, length] : lengths_)
        if (!FlushToDisc(file)) throw IoError(kDiskFull, file.filename().string());
    std::error_code ec;
    fs::remove(ResolvePath(kAppendList), ec);
    SyncFolder(ResolvePath(kAppendList).parent_path());
    open_ = false;
}

namespace {

// Cuts the files of an append group that did not commit back to their old lengths.
int RollBackAppends() {
    int cut = 0;
    std::error_code ec;
    const fs::path list = ResolvePath(kAppendList);
    if (!fs::is_regular_file(list, ec)) return 0;
    std::string text;
    try {
        text = ReadFileBytes(kAppendList);
    } catch (const IoError&) {
    }
    std::vector<std::pair<fs::path, std::uintmax_t>> files;
    std::size_t start = 0;
    bool whole = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') continue;
        const std::string line = text.substr(start, i - start);
        start = i + 1;
        if (line == "end") {
            whole = true;
            break;
        }
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos || tab == 0) break;
        std::uintmax_t length = 0;
        bool digits = true;
        for (std::size_t k = 0; k < tab; ++k) {
            if (line[k] < '0' || line[k] > '9' || length > (UINTMAX_MAX - 9) / 10) {
                digits = false;
                break;
            }
            length = length * 10 + static_cast<std::uintmax_t>(line[k] - '0');
        }
        if (!digits) break;
        files.emplace_back(line.substr(tab + 1), length);
    }
    // The list is put in place whole (a rename), so a list that is not whole
    // was not written by the program: it is dropped and nothing is cut.
    if (whole) {
        for (const auto& [file, length] : files) {
            if (fs::is_regular_file(file, ec) && fs::file_size(file, ec) > length) {
                fs::resize_file(file, length, ec);
                if (!ec) {
                    FlushToDisc(file);
                    ++cut;
                }
            }
        }
    }
    fs::remove(list, ec);
    return cut;
}

}  // namespace

int FinishInterruptedRewrites() {
    int finished = RollBackAppends();
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
