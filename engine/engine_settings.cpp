#include "engine/engine_settings.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_range.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"

namespace engine {

const AngleOrderTable<int> kAspectSlotByOrder = {0, 5, 6, 7, 8, 9, 1, 10, 2, 3, 11, 12, 13, 4};
const AngleOrderTable<int> kOrbSetA = {10, 1, 1, 1, 1, 1, 4, 1, 6, 8, 1, 1, 1, 9};
const AngleOrderTable<Real> kOrbSetBStart = {10, 1, 0.5L, 0.5L, 1, 0.5L, 3, 1, 4, 4, 1, 1, 2, 8};
const AngleOrderTable<Real> kOrbSetCStart = {5, 1, 0.5L, 0.5L, 1, 0.5L, 3, 1, 4.5L, 5, 0.8L, 0.8L, 1.5L, 7};

namespace {

constexpr Real kDefaultParallelOrb = 1;
// The widest orbs the orb settings window takes: of an aspect of a personal
// set (those of set A are narrower), of parallels and antiscia. The settings
// files hold no wider orb.
constexpr Real kMaxPersonalOrb = 15;
constexpr Real kMaxSpecialOrb = 6;
constexpr Real kDefaultAntisciaOrb = 1;
constexpr const char* kDefaultHouseSystem = "PLACIDO";
constexpr const char* kDefaultNodeType = "VERO";
constexpr const char* kDefaultSetLetter = "A";
constexpr const char* kDefaultBlackMoon = "MEDIA";


AngleOrderTable<Real> OrbsOfSetA() {
    AngleOrderTable<Real> orbs{};
    for (std::size_t i = 0; i < orbs.size(); ++i) orbs[i] = kOrbSetA[i];
    return orbs;
}

void WriteDefaults() {
    rt::EnsureParentFolder(kEngineSettingsFile);
    WriteEngineSettings({OrbsOfSetA(), kDefaultParallelOrb, kDefaultAntisciaOrb, kDefaultSetLetter},
                        {kDefaultHouseSystem, kDefaultNodeType, kDefaultBlackMoon});
}

struct Settings {
    // The numbers of lines 1..16: the orbs in angle order, then the parallel
    // and antiscia orbs.
    std::array<Real, kOrbAspectCount + 2> numbers{};
    std::string house, node, set, blackMoon;
};

// Reads the 20 lines as the program always read them: a number at the start of
// each of lines 1..16, then four text lines. Throws IoError for a line that is
// not a number and reports a file that ends before its 20 lines.
bool ReadSettings(Settings& s) {
    rt::TextFile f;
    f.Assign(kEngineSettingsFile);
    f.Reset();
    for (int line = 1; line <= 16; ++line) {
        if (f.Eof()) return false;
        std::string text = f.ReadLn();
        std::size_t i = 0;
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        std::size_t j = i;
        while (j < text.size() && text[j] != ' ' && text[j] != '\t') ++j;
        int code = 0;
        Real& number = s.numbers[static_cast<std::size_t>(line - 1)];
        number = rt::ValRealEitherSeparator(std::string_view(text).substr(i, j - i), code);
        if (code != 0 || i == j) throw rt::IoError(rt::kInvalidNumericInput, kEngineSettingsFile);
        rt::CheckFileNumber(number, {0, line <= kOrbAspectCount ? kMaxPersonalOrb : kMaxSpecialOrb},
                            kEngineSettingsFile, "orbita della riga " + std::to_string(line));
    }
    std::string* texts[] = {&s.house, &s.node, &s.set, &s.blackMoon};
    const std::size_t caps[] = {15, 5, 1, 5};
    for (int k = 0; k < 4; ++k) {
        if (f.Eof()) return false;
        *texts[k] = rt::CutTo(f.ReadLn(), caps[k]);
    }
    f.Close();
    return true;
}

Settings DefaultSettings() {
    Settings s;
    for (std::size_t order = 0; order < kOrbAspectCount; ++order) s.numbers[order] = kOrbSetA[order];
    s.numbers[kOrbAspectCount] = kDefaultParallelOrb;
    s.numbers[kOrbAspectCount + 1] = kDefaultAntisciaOrb;
    s.house = kDefaultHouseSystem;
    s.node = kDefaultNodeType;
    s.set = kDefaultSetLetter;
    s.blackMoon = kDefaultBlackMoon;
    return s;
}

void Apply(const Settings& s, ChartSettings& settings, OrbRecord& orbs) {
    for (std::size_t order = 0; order < kOrbAspectCount; ++order)
        orbs.aspectOrbs[static_cast<std::size_t>(kAspectSlotByOrder[order])] = s.numbers[order];
    orbs.parallelOrb = s.numbers[kOrbAspectCount];
    orbs.antisciaOrb = s.numbers[kOrbAspectCount + 1];
    settings.houseSystem = ParseHouseSystem(s.house);
    settings.node = ParseNodeKind(s.node);
    orbs.setLetter = s.set;
    settings.blackMoon = ParseBlackMoonKind(s.blackMoon);
}

constexpr const char* kHouseSystemTexts[] = {"PLACIDO",     "KOCH",       "REGIOMONT", "PORFIRIO", "CAMPANO",
                                             "CASE_UGUALI", "CASE_MEDIE", "MORINO",    "ALCABIZIO"};

}  // namespace

Named<HouseSystem> ParseHouseSystem(const std::string& text) {
    for (std::size_t i = 0; i < std::size(kHouseSystemTexts); ++i)
        if (text == kHouseSystemTexts[i]) return {static_cast<HouseSystem>(i), std::nullopt};
    return {HouseSystem::Unnamed, text};
}

std::string HouseSystemText(const Named<HouseSystem>& houseSystem) {
    if (houseSystem.unknownText) return *houseSystem.unknownText;
    const auto i = static_cast<std::size_t>(houseSystem.kind);
    return i < std::size(kHouseSystemTexts) ? kHouseSystemTexts[i] : "";
}

Named<NodeKind> ParseNodeKind(const std::string& text) {
    if (text == "VERO") return {NodeKind::True, std::nullopt};
    if (text == "MEDIO") return {NodeKind::Mean, std::nullopt};
    return {NodeKind::Mean, text};
}

std::string NodeKindText(const Named<NodeKind>& node) {
    if (node.unknownText) return *node.unknownText;
    return node.kind == NodeKind::True ? "VERO" : "MEDIO";
}

Named<BlackMoonKind> ParseBlackMoonKind(const std::string& text) {
    if (text == "VERA") return {BlackMoonKind::True, std::nullopt};
    if (text == "MEDIA") return {BlackMoonKind::Mean, std::nullopt};
    return {BlackMoonKind::Mean, text};
}

std::string BlackMoonKindText(const Named<BlackMoonKind>& blackMoon) {
    if (blackMoon.unknownText) return *blackMoon.unknownText;
    return blackMoon.kind == BlackMoonKind::True ? "VERA" : "MEDIA";
}

void ReportSettingsToStderr(const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); }

void WriteEngineSettings(const OrbSetLines& orbSet, const KindTexts& kinds) {
    rt::RequireReadableOrMissing(kEngineSettingsFile);
    std::vector<std::string> lines;
    for (const Real orb : orbSet.orbsInAngleOrder) lines.push_back(rt::StrReal(orb));
    lines.push_back(rt::StrReal(orbSet.parallelOrb));
    lines.push_back(rt::StrReal(orbSet.antisciaOrb));
    lines.push_back(kinds.houseSystem);
    lines.push_back(kinds.nodeType);
    lines.push_back(orbSet.setLetter);
    lines.push_back(kinds.blackMoonType);
    rt::EnsureParentFolder(kEngineSettingsFile);
    rt::ReplaceTextLines(kEngineSettingsFile, lines);
}

void LoadEngineSettings(ChartSettings& settings, OrbRecord& orbs, const SettingsReporter& report) {
    if (!rt::PathExists(kEngineSettingsFile)) WriteDefaults();
    Settings s;
    bool complete = false;
    std::string problem;
    try {
        // Its 20 lines must be whole text lines: one cut short, or bytes that
        // are not text, make it damaged even when a number can be read there.
        const rt::SoundTextLines sound = rt::ReadSoundTextLines(rt::ReadFileBytes(kEngineSettingsFile));
        if (sound.lines.size() < 20 && !sound.damage.empty())
            problem = sound.damage;
        else if (!(complete = ReadSettings(s)))
            problem = "finisce prima delle sue 20 righe";
    } catch (const rt::DamagedFileError& e) {
        problem = "il suo valore di " + e.Field() + " \xE8 fuori dalle orbite ammesse";
    } catch (const rt::IoError& e) {
        if (e.Code() != rt::kInvalidNumericInput) throw;
        problem = "una riga che dovrebbe contenere un'orbita non contiene un numero";
    }
    if (!complete) {
        // Keep the damaged file for the user, then go on with the defaults.
        // Numbered, so that a later damage keeps its own copy.
        const std::string keep = rt::KeepDamagedCopy(kEngineSettingsFile);
        if (keep.empty()) {
            // Without a copy the file stays as it is, and the defaults stand
            // in for it without being written.
            Apply(DefaultSettings(), settings, orbs);
            orbs.defaultsStandIn = true;
            report("Il file delle impostazioni \"FileSet\\OrbiDomi.stt\" era danneggiato (" + problem +
                   "): si usano le orbite e le impostazioni predefinite; non \xE8 stato possibile conservarne una "
                   "copia, perci\xF2 il file resta com'\xE8 e non viene sovrascritto. Liberare spazio sul disco o "
                   "rendere scrivibile la cartella \"FileSet\", poi riavviare il programma.");
            return;
        }
        WriteDefaults();
        report("Il file delle impostazioni \"FileSet\\OrbiDomi.stt\" era danneggiato (" + problem +
               "): si usano le orbite e le impostazioni predefinite; il file danneggiato \xE8 conservato come \"" +
               keep +
               "\". Se le impostazioni erano state cambiate, sceglierle di nuovo nella finestra principale "
               "(insieme delle orbite e nodo lunare); i valori di prima si leggono nella copia conservata.");
        if (!ReadSettings(s)) throw rt::IoError(rt::kReadBeyondEnd, kEngineSettingsFile);
    }
    Apply(s, settings, orbs);
    orbs.defaultsStandIn = false;
}

void LoadEngineSettingsAtStart(ChartSettings& settings, OrbRecord& orbs, const SettingsReporter& report) {
    try {
        LoadEngineSettings(settings, orbs, report);
    } catch (const rt::IoError& e) {
        // The start goes on: the defaults stand in for this run, and the file
        // is left as it is.
        Apply(DefaultSettings(), settings, orbs);
        orbs.defaultsStandIn = true;
        const std::string head = "Il file delle impostazioni \"FileSet\\OrbiDomi.stt\" non si pu\xF2 leggere (" +
                                 rt::IoError::MessageFor(e.Code()) + ")";
        if (rt::IoError::IsFolderInPlace(e.Code(), kEngineSettingsFile))
            report(head + ": " + rt::kFolderInPlaceText +
                   ". Per ora si usano le orbite e le impostazioni predefinite (orbite A, nodo VERO), e nessuna "
                   "scelta viene salvata. Spostare altrove o rinominare la cartella \"FileSet\\OrbiDomi.stt\" e "
                   "riavviare il programma, che crea il file con le impostazioni predefinite.");
        else
            report(head +
                   ": per ora si usano le orbite e le impostazioni predefinite (orbite A, nodo VERO); "
                   "il file resta com'\xE8 e il programma non lo sovrascrive. Rendere il file leggibile (permessi "
                   "del file e della sua cartella) e riavviare il programma.");
    }
}

bool SettingsDefaultsStandIn(const OrbRecord& orbs) { return orbs.defaultsStandIn; }

void RequireWritableEngineSettings(ChartSettings& settings, OrbRecord& orbs, const SettingsReporter& report) {
    rt::RequireReadableOrMissing(kEngineSettingsFile);
    // The defaults stood in for a file that could not be read; readable now,
    // it gives the settings in force before anything is written over it.
    if (orbs.defaultsStandIn && rt::PathExists(kEngineSettingsFile)) {
        LoadEngineSettings(settings, orbs, report);
        if (orbs.defaultsStandIn) rt::RefuseUnreadSettings(kEngineSettingsFile);
    }
}

void WriteOrbSetSettings(ChartSettings& settings, OrbRecord& orbs, const OrbSetLines& orbSet,
                         const SettingsReporter& report) {
    RequireWritableEngineSettings(settings, orbs, report);
    WriteEngineSettings(orbSet, {HouseSystemText(settings.houseSystem), NodeKindText(settings.node),
                                 BlackMoonKindText(settings.blackMoon)});
}

void SetEngineSettingsLine(ChartSettings& settings, OrbRecord& orbs, int n, const std::string& text,
                           const SettingsReporter& report) {
    RequireWritableEngineSettings(settings, orbs, report);
    if (!rt::PathExists(kEngineSettingsFile)) WriteDefaults();
    std::vector<std::string> lines = rt::ReadTextLines(kEngineSettingsFile);
    lines.resize(20);
    for (auto& l : lines) l = rt::CutTo(l, 25);
    if (n >= 1 && n <= 20) lines[static_cast<std::size_t>(n - 1)] = text;
    rt::ReplaceTextLines(kEngineSettingsFile, lines);
    LoadEngineSettings(settings, orbs, report);
}

OrbSets DefaultOrbSets() {
    OrbSets sets;
    sets.orbs[0] = OrbsOfSetA();
    sets.orbs[1] = kOrbSetBStart;
    sets.orbs[2] = kOrbSetCStart;
    sets.parallelOrb = kDefaultParallelOrb;
    sets.antisciaOrb = kDefaultAntisciaOrb;
    sets.selected = "A";
    return sets;
}

void SaveOrbSets(const OrbSets& sets) {
    std::vector<std::string> lines;
    for (int s = 0; s < 3; ++s) {
        for (const Real orb : sets.orbs[static_cast<std::size_t>(s)])
            lines.push_back(s == 0 ? rt::StrInt(rt::Round(orb)) : rt::StrReal(orb));
        lines.push_back(rt::StrReal(sets.parallelOrb));
        lines.push_back(rt::StrReal(sets.antisciaOrb));
    }
    if (!sets.selected.empty()) lines.push_back(rt::CutTo(sets.selected, 1));
    rt::EnsureParentFolder(kOrbSetsFile);
    rt::ReplaceTextLines(kOrbSetsFile, lines);
}

void EnsureOrbSets(const OrbRecord& orbs) {
    if (rt::PathExists(kOrbSetsFile)) return;
    OrbSets sets = DefaultOrbSets();
    const std::string letter = orbs.setLetter;
    if (letter == "B" || letter == "C") sets.selected = letter;
    if (!orbs.defaultsStandIn) {
        // The orbs in force are the user's: a personal set in force keeps
        // them, as the orb settings window would show them.
        if (letter == "B" || letter == "C") {
            AngleOrderTable<Real> inForce{};
            bool fits = true;
            for (std::size_t i = 0; i < inForce.size(); ++i) {
                inForce[i] = orbs.aspectOrbs[static_cast<std::size_t>(kAspectSlotByOrder[i])];
                fits = fits && rt::InRange(inForce[i], {0, kMaxPersonalOrb});
            }
            if (fits) sets.orbs[letter == "B" ? 1 : 2] = inForce;
        }
        if (rt::InRange(orbs.parallelOrb, {0, kMaxSpecialOrb})) sets.parallelOrb = orbs.parallelOrb;
        if (rt::InRange(orbs.antisciaOrb, {0, kMaxSpecialOrb})) sets.antisciaOrb = orbs.antisciaOrb;
    }
    SaveOrbSets(sets);
}

OrbSets LoadOrbSets(const OrbRecord& orbs, const SettingsReporter& report) {
    if (!rt::PathExists(kOrbSetsFile)) SaveOrbSets(DefaultOrbSets());
    // A file that cannot be read at all (no permission, a folder in its place)
    // raises its error here: nothing is replaced and nothing is saved.
    // Its lines as far as they are whole text lines: a line cut short, or
    // bytes that are not text, give nothing, and the values from there on
    // take their defaults.
    const rt::SoundTextLines sound = rt::ReadSoundTextLines(rt::ReadFileBytes(kOrbSetsFile));
    const std::vector<std::string>& lines = sound.lines;
    OrbSets sets = DefaultOrbSets();
    const OrbSets defaults = sets;
    // The values that could not be read, each named by its line and text.
    std::vector<std::string> bad;
    bool missing = false;
    auto number = [&](std::size_t line) -> std::optional<Real> {
        if (line > lines.size()) {
            missing = true;
            return std::nullopt;
        }
        std::string t = lines[line - 1];
        while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.pop_back();
        std::size_t first = 0;
        while (first < t.size() && (t[first] == ' ' || t[first] == '\t')) ++first;
        int code = 0;
        const Real v = rt::ValRealEitherSeparator(std::string_view(t).substr(first), code);
        // Lines 15 and 16 of each set: the parallel and antiscia orbs.
        const Real widest = (line - 1) % 16 >= kOrbAspectCount ? kMaxSpecialOrb : kMaxPersonalOrb;
        if (code != 0 || first == t.size() || !rt::InRange(v, {0, widest})) {
            bad.push_back("riga " + std::to_string(line) + " \"" + rt::ShownValue(t) + "\"");
            return std::nullopt;
        }
        return v;
    };
    // The parallel and antiscia pair is the same in every set: the first
    // readable one stands.
    std::optional<Real> parallel, antiscia;
    for (std::size_t s = 0; s < 3; ++s) {
        const std::size_t base = s * 16;
        // The file numbers a set's orbs from its line base + 1.
        for (std::size_t i = 0; i < kOrbAspectCount; ++i)
            sets.orbs[s][i] = number(base + i + 1).value_or(defaults.orbs[s][i]);
        const auto p = number(base + 15);
        const auto a = number(base + 16);
        if (!parallel) parallel = p;
        if (!antiscia) antiscia = a;
    }
    sets.parallelOrb = parallel.value_or(defaults.parallelOrb);
    sets.antisciaOrb = antiscia.value_or(defaults.antisciaOrb);
    sets.selected.clear();
    if (lines.size() >= 49) {
        const std::string letter = rt::CutTo(lines[48], 1);
        if (letter == "A" || letter == "B" || letter == "C" || lines[48].empty())
            sets.selected = letter;
        else
            bad.push_back("riga 49 \"" + rt::ShownValue(lines[48]) + "\"");
    }
    // Line 49 alone absent is the file of a window closed with no set marked.
    if (bad.empty() && !missing && sound.damage.empty()) return sets;

    // Damaged: the readable values stay, the others take their defaults; the
    // damaged file is kept under a number of its own before it is rewritten.
    std::string what = sound.damage;
    if (!bad.empty()) {
        if (!what.empty()) what += "; ";
        what += bad.size() == 1 ? "valore illeggibile alla " : "valori illeggibili alla ";
        const std::size_t shown = std::min<std::size_t>(bad.size(), 3);
        for (std::size_t k = 0; k < shown; ++k) what += (k ? ", " : "") + bad[k];
        if (bad.size() > shown) what += " e altri " + std::to_string(bad.size() - shown);
    }
    if (missing) {
        if (sound.damage.empty()) {
            if (!what.empty()) what += "; ";
            what += "finisce alla riga " + std::to_string(lines.size()) + " delle sue 48";
        }
        // The set in force stays the marked one.
        if (lines.size() < 49 && (orbs.setLetter == "A" || orbs.setLetter == "B" || orbs.setLetter == "C"))
            sets.selected = orbs.setLetter;
    }
    const std::string keep = rt::KeepDamagedCopy(kOrbSetsFile);
    std::string message = "Il file delle orbite \"" + std::string(kOrbSetsFile) + "\" era danneggiato (" + what +
                          "): i valori illeggibili sono sostituiti da quelli predefiniti";
    if (keep.empty()) {
        // Without a copy the file stays as it is and nothing is saved over it.
        sets.damaged = true;
        report(message +
               "; non \xE8 stato possibile conservarne una copia, perci\xF2 il file resta com'\xE8 e le "
               "orbite non vengono salvate. Liberare spazio sul disco o rendere scrivibile la cartella "
               "\"FileDum\", poi riavviare il programma.");
        return sets;
    }
    SaveOrbSets(sets);
    report(message + "; il file danneggiato \xE8 conservato come \"" + keep +
           "\". Controllare le orbite degli insiemi B e C nella finestra delle orbite e correggerle; i valori di "
           "prima si leggono nella copia conservata.");
    return sets;
}

}  // namespace engine
