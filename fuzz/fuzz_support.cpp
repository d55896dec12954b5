#include "fuzz/fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <QApplication>
#include <QGuiApplication>

#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/paths.h"

namespace fuzz {

namespace fs = std::filesystem;

namespace {
fs::path& WorkFolder() {
    static fs::path folder;
    return folder;
}
// The installed data tree the work folder was seeded from.
fs::path& ShippedFolder() {
    static fs::path folder;
    return folder;
}
void RemoveWorkFolder() {
    std::error_code ec;
    fs::current_path("/tmp", ec);
    if (!WorkFolder().empty()) fs::remove_all(WorkFolder(), ec);
}
}  // namespace

void PrepareWorkFolder() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // In memory where the system offers it: the readers write and sync files.
    std::error_code ec;
    const std::string base = fs::is_directory("/dev/shm", ec) ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/kelvor-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern.data());
    if (!made) std::abort();
    WorkFolder() = fs::path(made);
    std::atexit(RemoveWorkFolder);
    setenv("XDG_DATA_HOME", made, 1);
    if (!std::getenv("KELVOR_DATA_DIR")) setenv("KELVOR_DATA_DIR", KELVOR_FUZZ_DATA_DIR, 1);
    // The program's own start: the shipped tree copied into the data folder,
    // which becomes the working folder.
    rt::PrepareDataFolder();
    // The readers then meet an installation without shipped files: a damaged
    // file the drivers feed is never put back (nor kept beside it, run after run).
    ShippedFolder() = rt::InstalledDataFolder();
    const fs::path none = WorkFolder() / "no-installation";
    fs::create_directories(none, ec);
    setenv("KELVOR_DATA_DIR", none.c_str(), 1);
    // No window waits for a person.
    gui::SetLastResortModalHandler([](QDialog*) { return int(gui::kModalCancel); });
    // A damaged file is what the drivers feed: it is told to nobody.
    rt::SetDamagedFileReporter([](const std::string&) {});
    gui::SetMessageSink([](const gui::MessageRequest& m) {
        return m.buttons == gui::Buttons::Ok ? int(gui::kAnswerOk) : int(gui::kAnswerNo);
    });
}

std::vector<std::string> SplitFiles(const std::uint8_t* data, std::size_t size, std::size_t count) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    std::size_t at = 0;
    while (parts.size() + 1 < count) {
        const std::size_t next = all.find(kFileSeparator, at);
        if (next == std::string_view::npos) break;
        parts.emplace_back(all.substr(at, next - at));
        at = next + kFileSeparator.size();
    }
    parts.emplace_back(all.substr(std::min(at, all.size())));
    parts.resize(count);
    return parts;
}

void PutFile(std::string_view name, std::string_view bytes) {
    rt::EnsureParentFolder(name);
    std::ofstream out(rt::ResolvePath(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void RemoveFile(std::string_view name) {
    std::error_code ec;
    fs::remove(rt::ResolvePath(name), ec);
}

void CopyShippedFile(std::string_view name) {
    std::string relative(name);
    for (char& c : relative)
        if (c == '\\') c = '/';
    const fs::path from = ShippedFolder() / relative;
    rt::EnsureParentFolder(name);
    std::error_code ec;
    fs::copy_file(from, rt::ResolvePath(name), fs::copy_options::overwrite_existing, ec);
}

void EnsureWidgetApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "kelvor-fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    static int argc = 1;
    static char name[] = "kelvor-fuzz";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

}  // namespace fuzz
