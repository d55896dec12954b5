#include "archive/draw_settings_file.h"

#include <iterator>
#include <optional>
#include <vector>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_range.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"

namespace archive {

namespace {

// The number at the start of a line (a decimal point or comma), the rest of
// the line skipped; an empty line reads as 0, as the old run-time read it.
// Nothing when the line holds no number.
std::optional<long double> NumberOfLine(const std::string& text, bool integer) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < text.size() && text[j] != ' ' && text[j] != '\t') ++j;
    if (i == j) return 0;
    int code = 0;
    const std::string_view token = std::string_view(text).substr(i, j - i);
    const long double v = integer ? rt::ValInt(token, code) : rt::ValRealEitherSeparator(token, code);
    if (code != 0) return std::nullopt;
    return v;
}

// The eight lines: what each holds (with its article, as a message names it)
// and the range of a number of it. A real read as 0 is a value not set, which
// the defaults stand in for. The line width is held to what the line-width
// window sets (0.5 .. 4), the scales to what the calibration bars set
// (0.8 .. 1.2, to half a step of the bars, as the bars' scales are written).
struct SettingLine {
    const char* article;
    const char* field;
    long double low, high;
    bool integer;
};
constexpr SettingLine kSettingLines[8] = {
    {"il ", "primo valore", -2147483648.0L, 2147483647.0L, true},
    {"la ", "correzione della stampante", 0, 1, true},
    {"il ", "terzo indicatore di disegno", 0, 255, true},
    {"il ", "passaggio al calendario gregoriano", 0, 1, true},
    {"lo ", "spessore delle linee", 0.5L, 4, false},
    {"la ", "cartella del backup", 0, 0, false},
    {"la ", "scala orizzontale", 0.7995L, 1.2005L, false},
    {"la ", "scala verticale", 0.7995L, 1.2005L, false},
};

// The values of the file's sound lines, in order; each line that is missing,
// cut, unreadable or out of its range leaves its value as `r` holds it (the
// defaults) and is numbered in `unread`, what is wrong with it in `wrong`. A
// backup folder line missing keeps the folder `r` holds, which is no default
// when it was read from the file before (`backupRead`).
void ReadSettingLines(const std::vector<std::string>& lines, DrawSettingsState& r, bool backupRead,
                      std::vector<std::size_t>& unread, std::vector<std::string>& wrong) {
    long double* reals[8] = {nullptr, nullptr,         nullptr,        nullptr, &r.lineWidthFactor,
                             nullptr, &r.aspectScaleX, &r.aspectScaleY};
    for (std::size_t k = 0; k < 8; ++k) {
        const SettingLine& line = kSettingLines[k];
        if (k >= lines.size()) {
            if (k != 5 || !backupRead) unread.push_back(k);
            continue;
        }
        if (k == 5) {
            r.backupDestination = lines[k];
            continue;
        }
        const std::optional<long double> v = NumberOfLine(lines[k], line.integer);
        try {
            // A number all the same where a whole one belongs (1e-300) is one
            // the setting cannot take, as a number beyond its range is.
            if (!v && line.integer)
                if (const std::optional<long double> real = NumberOfLine(lines[k], false))
                    rt::RefuseFileNumber(*real, kDrawSettingsFile, line.field);
            if (!v) throw rt::IoError(rt::kInvalidNumericInput, kDrawSettingsFile);
            // Each number is checked against what its setting can take (a real 0: not set).
            if (line.integer || *v != 0) rt::CheckFileNumber(*v, {line.low, line.high}, kDrawSettingsFile, line.field);
        } catch (const rt::DamagedFileError& e) {
            unread.push_back(k);
            wrong.push_back(e.Detail());
            continue;
        } catch (const rt::IoError&) {
            unread.push_back(k);
            wrong.push_back("la riga " + std::to_string(k + 1) + " non contiene un numero");
            continue;
        }
        if (reals[k])
            *reals[k] = *v;
        else if (k == 0)
            r.spareInteger = static_cast<std::int32_t>(*v);
        else if (k == 1)
            r.epsonCorrection = static_cast<std::uint8_t>(*v);
        else if (k == 2)
            r.spareByte = static_cast<std::uint8_t>(*v);
        else
            r.gregorianSwitch = static_cast<std::uint8_t>(*v);
    }
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i == 0 ? "" : i + 1 == names.size() ? " e " : ", ") + names[i];
    return out;
}

// What a user sets again after the values of the numbered lines were put back
// to their defaults, in plain words: only the settings a window sets (the
// printer model, the line width, the backup folder, the screen calibration),
// each once; "" when none of them was put back. The copy kept holds the
// values of before.
std::string SetAgainAdvice(const std::vector<std::size_t>& lines) {
    struct Setting {
        const char* name;  // with its article
        bool feminine;
    };
    auto settingOf = [](std::size_t line) -> const Setting* {
        static constexpr Setting kPrinter{"il modello della stampante", false};
        static constexpr Setting kWidth{"lo spessore delle linee", false};
        static constexpr Setting kBackup{"la cartella del backup", true};
        static constexpr Setting kCalibration{"la calibrazione dello schermo", true};
        switch (line) {
            case 1: return &kPrinter;
            case 4: return &kWidth;
            case 5: return &kBackup;
            case 6:
            case 7: return &kCalibration;
            default: return nullptr;
        }
    };
    std::vector<const Setting*> put;
    for (std::size_t k : lines)
        if (const Setting* setting = settingOf(k); setting && (put.empty() || put.back() != setting))
            put.push_back(setting);
    if (put.empty()) return {};
    if (put.size() == 1) {
        const char* end = put[0]->feminine ? "a" : "o";
        return std::string("Se ") + put[0]->name + " era stat" + end + " cambiat" + end + ", impostarl" + end +
               " di nuovo; i valori di prima si leggono nella copia conservata.";
    }
    std::vector<std::string> names;
    for (const Setting* setting : put) names.push_back(setting->name);
    return "Se erano stati cambiati (" + JoinNames(names) +
           "), impostarli di nuovo; i valori di prima si leggono nella copia conservata.";
}

// The values of the numbered lines, with their articles.
std::vector<std::string> LineNames(const std::vector<std::size_t>& lines) {
    std::vector<std::string> names;
    for (std::size_t k : lines) names.push_back(std::string(kSettingLines[k].article) + kSettingLines[k].field);
    return names;
}

std::vector<std::string> LinesOf(const DrawSettingsState& s) {
    return {
        rt::StrInt(s.spareInteger),    rt::StrInt(s.epsonCorrection),  rt::StrInt(s.spareByte),
        rt::StrInt(s.gregorianSwitch), rt::StrReal(s.lineWidthFactor), s.backupDestination,
        rt::StrReal(s.aspectScaleX),   rt::StrReal(s.aspectScaleY),
    };
}

void WriteSettingsFile(const DrawSettingsState& s) {
    rt::EnsureParentFolder(kDrawSettingsFile);
    rt::ReplaceTextLines(kDrawSettingsFile, LinesOf(s));
}

// The values a new file holds; the backup folder is the one in memory.
void SetDefaults(DrawSettingsState& s) {
    s.spareInteger = 1;
    s.epsonCorrection = 0;
    s.spareByte = 0;
    s.gregorianSwitch = 1;
    s.lineWidthFactor = 1.0L;
    s.aspectScaleX = 1.0L;
    s.aspectScaleY = 1.0L;
}

}  // namespace

// The defaults go to the file and, so that memory and file agree at once,
// to memory as well.
void DrawSettings::WriteDefaults() {
    SetDefaults(values_);
    WriteSettingsFile(values_);
    read_ = true;
    defaultsStandIn_ = false;
}

// The defaults in memory only, for a file that is left as it is.
void DrawSettings::StandInDefaults() {
    values_ = DrawSettingsState{};
    SetDefaults(values_);
    defaultsStandIn_ = true;
}

bool ReplaceLegacyBackupLine() {
    if (!rt::PathExists(kDrawSettingsFile)) return false;
    std::vector<std::string> lines;
    try {
        lines = rt::ReadTextLines(kDrawSettingsFile);
    } catch (const rt::IoError&) {
        // Told where the settings are read, with what stands in for them.
        return false;
    }
    if (lines.size() < 6 || lines[5].find(kLegacyBackupMark) == std::string::npos) return false;
    lines[5] = kUndefinedBackup;
    rt::ReplaceTextLines(kDrawSettingsFile, lines);
    return true;
}

bool DrawSettings::LoadOrCreate() {
    DrawSettingsState& s = values_;
    if (!rt::PathExists(kDrawSettingsFile)) {
        WriteDefaults();
        return true;
    }
    std::string bytes;
    try {
        bytes = rt::ReadFileBytes(kDrawSettingsFile);
    } catch (const rt::IoError&) {
        // A file that cannot be read at all stays as it is. Values read from
        // it before stay in use; without any, the defaults stand in, in
        // memory only.
        if (!read_) StandInDefaults();
        throw;
    }
    // Each value stands on its own line; the lines as far as they are sound
    // give theirs, and a line missing, cut, unreadable or out of its range
    // takes its default.
    const rt::SoundTextLines read = rt::ReadSoundTextLines(bytes);
    DrawSettingsState r;
    r.backupDestination = s.backupDestination;
    SetDefaults(r);
    std::vector<std::size_t> unread;
    std::vector<std::string> wrong;
    ReadSettingLines(read.lines, r, read_, unread, wrong);
    if (r.aspectScaleX == 0) r.aspectScaleX = 1.0L;
    if (r.aspectScaleY == 0) r.aspectScaleY = 1.0L;
    if (r.lineWidthFactor == 0) r.lineWidthFactor = 1.0L;
    if (read.damage.empty() && unread.empty()) {
        s = r;
        read_ = true;
        defaultsStandIn_ = false;
        return false;
    }
    // A damaged file (cut short, not text, text where a number belongs, a
    // number out of its range) is kept for the user and written again with
    // its sound values and the defaults for the rest, and the program goes on
    // with them.
    if (!read.damage.empty()) wrong.insert(wrong.begin(), read.damage);
    if (read.damage.empty() && read.lines.size() < 8)
        wrong.push_back("finisce alla riga " + std::to_string(read.lines.size()) + " delle sue 8");
    std::string what;
    for (const std::string& w : wrong) what += (what.empty() ? "" : "; ") + w;
    std::string problem = "Il file \"";
    problem += kDrawSettingsFile;
    problem += "\" \xE8 danneggiato: ";
    problem += what;
    problem += ": si usano le impostazioni predefinite";
    if (unread.size() < std::size(kSettingLines)) {
        problem += " per ";
        problem += JoinNames(LineNames(unread));
        problem += ", gli altri valori restano quelli del file";
    }
    const std::string kept = rt::KeepDamagedCopy(kDrawSettingsFile);
    s = r;
    if (kept.empty()) {
        // Without a copy the file is not written over.
        defaultsStandIn_ = true;
        rt::ReportDamagedFile(
            problem +
            "; non \xE8 stato possibile conservarne una copia, perci\xF2 il file resta com'\xE8 e non "
            "viene sovrascritto. Liberare spazio sul disco o rendere scrivibile la cartella "
            "\"FileSet\", poi riavviare il programma.");
        return false;
    }
    WriteSettingsFile(s);
    read_ = true;
    defaultsStandIn_ = false;
    const std::string advice = SetAgainAdvice(unread);
    rt::ReportDamagedFile(problem + "; il file \xE8 riscritto cos\xEC e quello danneggiato \xE8 conservato come \"" +
                          kept + "\"." + (advice.empty() ? "" : " " + advice));
    return true;
}

void DrawSettings::ReportUnreadable(const rt::IoError& error) const {
    std::string done = read_ ? "Per ora si usano le impostazioni di disegno lette prima dal file"
                             : "Per ora si usano le impostazioni di disegno predefinite (calibrazione dello schermo, "
                               "spessore delle linee, modello della stampante)";
    done +=
        ", e ogni modifica di un'impostazione (calibrazione dello schermo, spessore delle linee, modello della "
        "stampante, cartella del backup) viene rifiutata finch\xE9 il file non si pu\xF2 leggere.";
    rt::ReportUnusableFileOnce(error, done);
}

void DrawSettings::Save() {
    const DrawSettingsState values = values_;
    Save(values);
}

void DrawSettings::Save(const DrawSettingsState& values) {
    RequireWritable();
    WriteSettingsFile(values);
    values_ = values;
}

void DrawSettings::RequireWritable() const {
    rt::RequireReadableOrMissing(kDrawSettingsFile);
    if (defaultsStandIn_ && rt::PathExists(kDrawSettingsFile)) rt::RefuseUnreadSettings(kDrawSettingsFile);
}

std::string DrawSettings::Text() const {
    std::string out;
    for (const std::string& line : LinesOf(values_)) out += line + "\r\n";
    return out;
}

}  // namespace archive
