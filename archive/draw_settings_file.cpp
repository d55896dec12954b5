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

namespace {

// The values in memory were read from the file (or written to it).
bool g_read = false;
// The defaults stand in for a file that could not be read: it is not
// written from them.
bool g_defaultsStandIn = false;

}  // namespace

void ResetDrawSettings() {
    DrawSettings = DrawSettingsState{};
    g_read = false;
    g_defaultsStandIn = false;
}

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
    g_read = true;
    g_defaultsStandIn = false;
}

// The defaults in memory only, for a file that is left as it is.
void StandInDefaults(DrawSettingsState& s) {
    s = DrawSettingsState{};
    s.DrawSettingsValue1 = 1;
    s.GregorianSwitch = 1;
    s.LineWidthFactor = 1.0L;
    s.AspectScaleX = 1.0L;
    s.AspectScaleY = 1.0L;
    g_defaultsStandIn = true;
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
            DrawSettingsState r = s;
            rt::TextFile f;
            f.Assign(kDrawSettingsFile);
            f.Reset();
            // Each value is followed by the end of its line.
            r.DrawSettingsValue1 = f.ReadInt();
            f.SkipLn();
            // Each number is checked against what its setting can take (0: not set).
            r.EpsonCorrection = ByteSetting(f.ReadInt(), "correzione della stampante");
            f.SkipLn();
            r.DrawSettingsFlag3 = ByteSetting(f.ReadInt(), "terzo indicatore di disegno");
            f.SkipLn();
            r.GregorianSwitch = ByteSetting(f.ReadInt(), "passaggio al calendario gregoriano");
            f.SkipLn();
            r.LineWidthFactor =
                rt::CheckFileNumber(ReadRealLine(f), 0, kMaxLineWidthFactor, kDrawSettingsFile, "spessore delle linee");
            r.BackupDestination = f.ReadLn();
            r.AspectScaleX =
                rt::CheckFileNumber(ReadRealLine(f), 0, kMaxAspectScale, kDrawSettingsFile, "scala orizzontale");
            r.AspectScaleY =
                rt::CheckFileNumber(ReadRealLine(f), 0, kMaxAspectScale, kDrawSettingsFile, "scala verticale");
            f.Close();
            if (r.AspectScaleX == 0) r.AspectScaleX = 1.0L;
            if (r.AspectScaleY == 0) r.AspectScaleY = 1.0L;
            if (r.LineWidthFactor == 0) r.LineWidthFactor = 1.0L;
            s = r;
            g_read = true;
            g_defaultsStandIn = false;
            return false;
        } catch (const rt::DamagedFileError& e) {
            problem = e.what();
        } catch (const rt::IoError& e) {
            if (e.Code() != rt::kInvalidNumericInput) {
                // A file that cannot be read at all stays as it is. Values
                // read from it before stay in use; without any, the defaults
                // stand in, in memory only.
                if (!g_read) StandInDefaults(s);
                throw;
            }
            problem = std::string("Il file delle impostazioni \"") + kDrawSettingsFile +
                      "\" era danneggiato (una riga che dovrebbe contenere un numero non lo contiene)";
        }
        // A damaged file (text where a number belongs, a number out of its
        // range) is kept for the user,
        // the defaults are written back, and the program goes on with them.
        const std::string kept = rt::KeepDamagedCopy(kDrawSettingsFile);
        if (!problem.empty() && problem.back() == '.') problem.pop_back();
        if (kept.empty()) {
            // Without a copy the file is not written over.
            StandInDefaults(s);
            rt::ReportDamagedFile(problem +
                                  ": si usano le impostazioni predefinite; non \xE8 stato possibile conservarne una "
                                  "copia, perci\xF2 il file resta com'\xE8 e non viene sovrascritto. Liberare spazio "
                                  "sul disco o rendere scrivibile la cartella \"FileSet\", poi riavviare il "
                                  "programma.");
            return false;
        }
        s = DrawSettingsState{};
        WriteDefaults(s);
        rt::ReportDamagedFile(problem + ": si usano le impostazioni predefinite; il file danneggiato \xE8 conservato come \"" +
                              kept +
                              "\". Se erano state cambiate, impostare di nuovo la calibrazione dello schermo, lo "
                              "spessore delle linee, il modello della stampante e la cartella del backup; i valori di "
                              "prima si leggono nella copia conservata.");
        return true;
    }
    WriteDefaults(s);
    return true;
}

void SaveDrawSettings() { SaveDrawSettings(DrawSettings); }

void SaveDrawSettings(const DrawSettingsState& values) {
    RequireWritableDrawSettings();
    WriteSettingsFile(values);
    DrawSettings = values;
}

void RequireWritableDrawSettings() {
    rt::RequireReadableOrMissing(kDrawSettingsFile);
    if (g_defaultsStandIn && rt::PathExists(kDrawSettingsFile)) rt::RefuseUnreadSettings(kDrawSettingsFile);
}

std::string DrawSettingsText() {
    std::string out;
    for (const std::string& line : LinesOf(DrawSettings)) out += line + "\r\n";
    return out;
}

}  // namespace archive
