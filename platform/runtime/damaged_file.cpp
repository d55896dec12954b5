#include "platform/runtime/damaged_file.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
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
        const std::string head = "Le impostazioni non sono state salvate: il file \"" + std::string(name) +
                                 "\" non si pu\xF2 leggere (" + IoError::MessageFor(e.Code()) + ")";
        if (IoError::IsFolderInPlace(e.Code(), std::string(name)))
            throw UnreadableSettingsError(e.Code(), std::string(name),
                                          head + ": " + kFolderInPlaceText +
                                              ". Spostare altrove o rinominare la cartella, poi riprovare: il file "
                                              "viene scritto di nuovo con le impostazioni in uso.");
        throw UnreadableSettingsError(
            e.Code(), std::string(name),
            head +
                ", e scriverlo da capo cancellerebbe i valori che contiene. Rendere il file leggibile (permessi "
                "del file e della sua cartella) e riprovare.");
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
    std::string m = "Il file \"" + SpelledOnDisc(name) + "\" \xE8 danneggiato o incompleto";
    if (!detail.empty()) m += " (" + std::string(detail) + ")";
    return m + ".";
}

std::string DamagedFileMessage(FileDamage damage, std::string_view wayOn) {
    std::string m = DamagedFileMessage(damage.name, damage.detail);
    if (!wayOn.empty()) m += " " + std::string(wayOn);
    return m;
}

ShippedFileRepair RepairShippedFile(FileDamage damage, std::string_view without) {
    const std::string_view name = damage.name;
    const std::string_view detail = damage.detail;
    using Outcome = ShippedFileRestore::Outcome;
    const ShippedFileRestore restore = RestoreShippedFile(name);
    ShippedFileRepair repair;
    repair.restored = restore.Restored();
    std::string way;
    // What the program does without the file, before the way on.
    const std::string lead = without.empty() ? std::string() : std::string(without) + " ";
    switch (restore.outcome) {
        case Outcome::Restored:
            way = "Il programma ha rimesso al suo posto il file della sua installazione e va avanti con quello";
            way += restore.kept.empty()
                       ? std::string(".")
                       : "; il file danneggiato \xE8 conservato accanto come \"" + restore.kept + "\".";
            break;
        case Outcome::NoSoundCopy:
            way = lead +
                  "L'installazione del programma non ne ha una copia integra da rimettere al suo posto: reinstallare "
                  "il programma o ripristinare il file da una copia di sicurezza.";
            break;
        case Outcome::NotKept:
            way = lead +
                  "Il programma non lo ha sostituito con la copia della sua installazione perch\xE9 non ha potuto "
                  "conservarne una copia accanto: controllare che la cartella sia scrivibile e che il disco non sia "
                  "pieno, poi riprovare.";
            break;
        case Outcome::NotWritten:
            way = lead +
                  "Il programma non ha potuto rimettere al suo posto la copia della sua installazione (il file "
                  "danneggiato \xE8 conservato accanto come \"" +
                  restore.kept +
                  "\"): controllare che la cartella sia scrivibile e che il disco non sia pieno, poi riprovare.";
            break;
    }
    repair.message = DamagedFileMessage({name, detail}, way);
    return repair;
}

SoundTextLines ReadSoundTextLines(std::string_view bytes) {
    SoundTextLines read;
    if (!bytes.empty() && bytes.back() == '\x1A') bytes.remove_suffix(1);
    if (bytes.empty()) {
        read.damage = "\xE8 vuoto";
        return read;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const std::string line = std::to_string(read.lines.size() + 1);
        if (c == '\r') {
            if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') {
                read.damage = "la riga " + line + " non finisce come una riga di testo";
                return read;
            }
            read.lines.emplace_back(bytes.substr(start, i - start));
            start = ++i + 1;
        } else if (c == '\n') {
            read.damage = "la riga " + line + " non finisce come una riga di testo";
            return read;
        } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
            read.damage = "la riga " + line + " contiene caratteri che non sono testo";
            return read;
        }
    }
    if (start < bytes.size())
        read.damage = "l'ultima riga, la " + std::to_string(read.lines.size() + 1) + ", \xE8 interrotta";
    return read;
}

std::string TextFileDamage(std::string_view bytes) { return ReadSoundTextLines(bytes).damage; }

namespace {

std::string ShippedTextDamage(const std::string& bytes, const TextContentCheck& content,
                              std::vector<std::string>& lines) {
    std::string damage = TextFileDamage(bytes);
    if (!damage.empty()) return damage;
    lines = SplitTextLines(bytes);
    return content ? content(lines) : std::string();
}

}  // namespace

std::vector<std::string> ReadShippedTextLines(std::string_view name, std::string_view without,
                                              const TextContentCheck& content) {
    std::vector<std::string> lines;
    std::string damage = ShippedTextDamage(ReadFileBytes(name), content, lines);
    if (damage.empty()) return lines;
    const ShippedFileRepair repair = RepairShippedFile({name, damage}, without);
    if (!repair.restored) {
        ReportDamagedFileOnce(name, repair.message);
        return {};
    }
    ReportDamagedFile(repair.message);
    damage = ShippedTextDamage(ReadFileBytes(name), content, lines);
    if (damage.empty()) return lines;
    ReportDamagedFileOnce(name, DamagedFileMessage({name, damage},
                                                   std::string(without) + (without.empty() ? "" : " ") +
                                                       "Anche la copia dell'installazione del programma, rimessa al "
                                                       "suo posto, \xE8 danneggiata: reinstallare il programma."));
    return {};
}

std::string ShownValue(std::string_view text, std::size_t width) {
    std::string out(text.substr(0, std::min(width, text.size())));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    if (text.size() > width) out += "...";
    return out;
}

void SetDamagedFileReporter(std::function<void(const std::string& message)> report) { Reporter() = std::move(report); }

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

bool ReportUnusableFileOnce(const IoError& error, std::string_view without) {
    return ReportDamagedFileOnce(error.File(), IoError::MessageAbout(error.Code(), error.File(), without));
}

void ResetDamagedFileReports() { Told().clear(); }

}  // namespace rt
