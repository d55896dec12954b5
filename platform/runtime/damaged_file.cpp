#include "platform/runtime/damaged_file.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/runtime/paths.h"
#include "platform/runtime/win1252.h"

namespace fs = std::filesystem;

namespace rt {

namespace {

std::function<void(const std::string&)>& Reporter() {
    static std::function<void(const std::string&)> report;
    return report;
}

std::set<std::string>& Told() {
    static std::set<std::string> told;
    return told;
}

}  // namespace

std::string FileStateKey(std::string_view name) {
    std::error_code ec;
    const fs::path p = fs::absolute(ResolvePath(name), ec);
    std::string key = p.string();
    const auto size = fs::file_size(p, ec);
    key += "|" + (ec ? std::string("-") : std::to_string(size));
    const auto time = fs::last_write_time(p, ec);
    key += "|" + (ec ? std::string("-") : std::to_string(time.time_since_epoch().count()));
    return key;
}

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

std::string DamagedFileMessage(std::string_view name, std::string_view detail) {
    std::string m = "Il file \"" + std::string(name) + "\" \xE8 danneggiato o incompleto";
    if (!detail.empty()) m += " (" + std::string(detail) + ")";
    return m + ".";
}

std::string ShownValue(std::string_view text, std::size_t width) {
    std::string out(text.substr(0, std::min(width, text.size())));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    if (text.size() > width) out += "...";
    return out;
}

void SetDamagedFileReporter(std::function<void(const std::string& message)> report) {
    Reporter() = std::move(report);
}

void ReportDamagedFile(const std::string& message) {
    if (Reporter())
        Reporter()(message);
    else
        std::fprintf(stderr, "%s\n", message.c_str());
}

bool ReportDamagedFileOnce(std::string_view name, const std::string& message) {
    if (!Told().insert(FileStateKey(name)).second) return false;
    ReportDamagedFile(message);
    return true;
}

void ResetDamagedFileReports() { Told().clear(); }

}  // namespace rt
