#include "platform/runtime/damaged_file.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
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

UnreadableSettingsError::UnreadableSettingsError(int code, const std::string& file, const std::string& message)
    : IoError(code, file), message_(message) {}

void RequireReadableOrMissing(std::string_view name) {
    if (!PathExists(name)) return;
    try {
        (void)ReadFileBytes(name);
    } catch (const IoError& e) {
        throw UnreadableSettingsError(
            e.Code(), std::string(name),
            "Le impostazioni non sono state salvate: il file \"" + std::string(name) + "\" non si pu\xF2 leggere (" +
                IoError::MessageFor(e.Code()) +
                "), e scriverlo da capo cancellerebbe i valori che contiene. Rendere il file leggibile (permessi "
                "del file e della sua cartella; al suo posto non deve esserci una cartella) e riprovare.");
    }
}

void RefuseUnreadSettings(std::string_view name) {
    throw UnreadableSettingsError(
        kAccessDenied, std::string(name),
        "Le impostazioni non sono state salvate: il file \"" + std::string(name) +
            "\" non si poteva leggere quando il programma lo ha letto, e i valori in uso sono quelli predefiniti; "
            "scriverlo ora cancellerebbe i valori che contiene. Riavviare il programma, che lo rilegge, e "
            "riprovare.");
}

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

std::string DamagedFileMessage(std::string_view name, std::string_view detail, std::string_view wayOn) {
    std::string m = DamagedFileMessage(name, detail);
    if (!wayOn.empty()) m += " " + std::string(wayOn);
    return m;
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
