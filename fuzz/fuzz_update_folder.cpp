// Fuzzes the update of the remedy databases from a disc: the texts the update
// window shows ("Appoggio\Aggiorna1.txt", "Appoggio\Aggiorna2.txt"), and an
// update folder on a mounted volume (its name in any case, its databases and
// their dates) found, dated, installed and followed by the rebuild of the lists.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "fuzz/fuzz_driver.h"
#include "platform/gui/system_services.h"
#include "remedies/database_update.h"
#include "remedies/windows/update_window.h"

namespace fs = std::filesystem;

namespace {

fs::path Volume() { return fs::current_path().parent_path() / "fuzz-volume"; }

class OneVolume : public gui::SystemServices {
public:
    std::vector<gui::Volume> ListVolumes() override {
        gui::Volume v;
        v.root = Volume().string();
        return {v};
    }
};

remedies::UpdateWindow& Window() {
    static remedies::UpdateWindow* window = [] {
        fuzz::EnsureWidgetApplication();
        gui::SetSystemServices(std::make_unique<OneVolume>());
        return new remedies::UpdateWindow;
    }();
    return *window;
}

void PutBytes(const fs::path& p, const std::string& bytes, std::int64_t age) {
    {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::error_code ec;
    fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::seconds(age), ec);
}

void Run(const std::vector<std::string>& files) {
    remedies::UpdateWindow& w = Window();
    fuzz::PutFile(remedies::kUpdateTextManual, files[0]);
    fuzz::PutFile(remedies::kUpdateTextAuto, files[1]);
    // The folder's name and the two databases' ages from the last part.
    const std::string& shape = files[4];
    static const char* const names[] = {"OpzioneH", "opzioneh", "OPZIONEH", "OpzioneHX"};
    const std::string name = names[shape.empty() ? 0 : static_cast<unsigned char>(shape[0]) % 4];
    std::int64_t ages[2] = {60, 120};
    if (shape.size() >= 17) {
        std::memcpy(&ages[0], shape.data() + 1, 8);
        std::memcpy(&ages[1], shape.data() + 9, 8);
        // Within what a file's time can hold (about 140 years either way of now).
        for (std::int64_t& a : ages) a %= 4'000'000'000LL;
    }
    std::error_code ec;
    fs::remove_all(Volume(), ec);
    fs::create_directories(Volume() / name, ec);
    PutBytes(Volume() / name / "DBmain.rnd", files[2], ages[0]);
    PutBytes(Volume() / name / "Repertorio.rnd", files[3], ages[1]);
    fuzz::Guard([] { remedies::SetDateIn(Volume() / "OpzioneH"); });
    fuzz::Guard([] { remedies::UpdateLacksDerivedLists(Volume() / "OpzioneH"); });
    fuzz::Guard([&] { w.ScanUpdateDrives(1); });
    fuzz::Guard([&] { w.ScanUpdateDrives(0); });
    fuzz::Guard([&] { w.CopyUpdateDisk(1); });
}
}  // namespace

KELVOR_FUZZ_FILES(5, Run)
