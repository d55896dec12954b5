#include "archive/draw_settings_file.h"

#include <vector>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_range.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"

namespace archive {

DrawSettingsState DrawSettings;

void ResetDrawSettings() { DrawSettings = DrawSettingsState{}; }

namespace {

// A real at the start of the next line, with a decimal point or comma; the
// rest of the line is skipped.
long double ReadRealLine(rt::TextFile& f) {
    std::string text = f.ReadLn();
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < text.size() && text[j] != ' ' && text[j] != '\t') ++j;
    if (i == j) return 0;  // an empty line reads as 0, as the old run-time read it
    int code = 0;
    long double v = rt::ValRealEitherSeparator(std::string_view(text).substr(i, j - i), code);
    if (code != 0) throw rt::IoError(rt::kInvalidNumericInput, kDrawSettingsFile);
    return v;
}

// The widest values the line-width and calibration settings take (the
// dialogs keep them within 0.5..4 and 0.8..1.2).
constexpr long double kMaxLineWidthFactor = 4;
constexpr long double kMaxAspectScale = 2;

std::uint8_t ByteSetting(std::int32_t v, const char* field) {
    return static_cast<std::uint8_t>(rt::CheckFileNumber(v, 0, 255, kDrawSettingsFile, field));
}

std::vector<std::string> LinesOf(const DrawSettingsState& s) {
    return {
        rt::StrInt(s.DrawSettingsValue1),
        rt::StrInt(s.EpsonCorrection),
        rt::StrInt(s.DrawSettingsFlag3),
        rt::StrInt(s.GregorianSwitch),
        rt::StrReal(s.LineWidthFactor),
        s.BackupDestination,
        rt::StrReal(s.AspectScaleX),
        rt::StrReal(s.AspectScaleY),
    };
}

void WriteSettingsFile(const DrawSettingsState& s) {
    rt::EnsureParentFolder(kDrawSettingsFile);
    rt::ReplaceTextLines(kDrawSettingsFile, LinesOf(s));
}

// The defaults go to the file and, so that memory and file agree at once,
// to memory as well.
void WriteDefaults(DrawSettingsState& s) {
    s.DrawSettingsValue1 = 1;
    s.EpsonCorrection = 0;
    s.DrawSettingsFlag3 = 0;
    s.GregorianSwitch = 1;
    s.LineWidthFactor = 1.0L;
    s.AspectScaleX = 1.0L;
    s.AspectScaleY = 1.0L;
    WriteSettingsFile(s);
}

}  // namespace

bool ReplaceLegacyBackupLine() {
    if (!rt::PathExists(kDrawSettingsFile)) return false;
    std::vector<std::string> lines = rt::ReadTextLines(kDrawSettingsFile);
    if (lines.size() < 6 || lines[5].find(kLegacyBackupMark) == std::string::npos) return false;
    lines[5] = kUndefinedBackup;
    rt::ReplaceTextLines(kDrawSettingsFile, lines);
    return true;
}

bool LoadOrCreateDrawSettings() {
    DrawSettingsState& s = DrawSettings;
    if (rt::PathExists(kDrawSettingsFile)) {
        std::string problem;
        try {
            rt::TextFile f;
            f.Assign(kDrawSettingsFile);
            f.Reset();
            // Each value is followed by the end of its line.
            s.DrawSettingsValue1 = f.ReadInt();
            f.SkipLn();
            // Each number is checked against what its setting can take (0: not set).
            s.EpsonCorrection = ByteSetting(f.ReadInt(), "correzione della stampante");
            f.SkipLn();
            s.DrawSettingsFlag3 = ByteSetting(f.ReadInt(), "terzo indicatore di disegno");
            f.SkipLn();
            s.GregorianSwitch = ByteSetting(f.ReadInt(), "passaggio al calendario gregoriano");
            f.SkipLn();
            s.LineWidthFactor =
                rt::CheckFileNumber(ReadRealLine(f), 0, kMaxLineWidthFactor, kDrawSettingsFile, "spessore delle linee");
            s.BackupDestination = f.ReadLn();
            s.AspectScaleX =
                rt::CheckFileNumber(ReadRealLine(f), 0, kMaxAspectScale, kDrawSettingsFile, "scala orizzontale");
            s.AspectScaleY =
                rt::CheckFileNumber(ReadRealLine(f), 0, kMaxAspectScale, kDrawSettingsFile, "scala verticale");
            f.Close();
            if (s.AspectScaleX == 0) s.AspectScaleX = 1.0L;
            if (s.AspectScaleY == 0) s.AspectScaleY = 1.0L;
            if (s.LineWidthFactor == 0) s.LineWidthFactor = 1.0L;
            return false;
        } catch (const rt::DamagedFileError& e) {
            problem = e.what();
        } catch (const rt::IoError& e) {
            if (e.Code() != rt::kInvalidNumericInput) throw;
            problem = std::string("Il file delle impostazioni \"") + kDrawSettingsFile +
                      "\" era danneggiato (una riga che dovrebbe contenere un numero non lo contiene)";
        }
        // A damaged file (text where a number belongs, a number out of its
        // range) is kept for the user,
        // the defaults are written back, and the program goes on with them.
        const std::string kept = rt::KeepDamagedCopy(kDrawSettingsFile);
        s = DrawSettingsState{};
        WriteDefaults(s);
        if (!problem.empty() && problem.back() == '.') problem.pop_back();
        rt::ReportDamagedFile(problem + ": si usano le impostazioni predefinite" +
                         (kept.empty() ? std::string(".") : "; il file danneggiato \xE8 conservato come \"" + kept + "\"."));
        return true;
    }
    WriteDefaults(s);
    return true;
}

void SaveDrawSettings() { WriteSettingsFile(DrawSettings); }

std::string DrawSettingsText() {
    std::string out;
    for (const std::string& line : LinesOf(DrawSettings)) out += line + "\r\n";
    return out;
}

}  // namespace archive
