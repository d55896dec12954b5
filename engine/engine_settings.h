#pragma once
// The engine settings file "FileSet\OrbiDomi.stt" (orbs, house system, node and
// black-moon kind, orb set) and the orb sets file "FileDum\MMVarOrb.dum".
#include <array>
#include <functional>
#include <string>

#include "engine/chart.h"

namespace engine {

inline constexpr const char* kEngineSettingsFile = "FileSet\\OrbiDomi.stt";
inline constexpr const char* kOrbSetsFile = "FileDum\\MMVarOrb.dum";

// The aspects an orb set gives an orb for. The settings files hold their orbs
// on lines 1..14 in the order of the aspects' angles, the conjunction first
// and the opposition last; in memory they are held 0-based in that order.
inline constexpr int kOrbAspectCount = 14;
template <typename T>
using AngleOrderTable = std::array<T, kOrbAspectCount>;

// Orb-record slot of each aspect, in angle order.
extern const AngleOrderTable<int> kAspectSlotByOrder;
// Orbs of the fixed set A in angle order.
extern const AngleOrderTable<int> kOrbSetA;
// The values the personal sets B and C start with, in angle order,
// as their edits in the orb settings window show them before any change.
extern const AngleOrderTable<Real> kOrbSetBStart;
extern const AngleOrderTable<Real> kOrbSetCStart;

// Who is told of a damaged settings or orb sets file (the program shows a
// message box; the tools write to standard error).
using SettingsReporter = std::function<void(const std::string& message)>;
void ReportSettingsToStderr(const std::string& message);

// The kinds of the settings file's texts, each parsed from its text and
// written back as it: "PLACIDO", "KOCH", "REGIOMONT", "PORFIRIO", "CAMPANO",
// "CASE_UGUALI", "CASE_MEDIE", "MORINO", "ALCABIZIO"; the node "VERO" (true)
// or any other text (mean, "MEDIO"); the black moon "VERA" (true) or any
// other text (mean, "MEDIA"). A text that names no kind is kept as it is.
Named<HouseSystem> ParseHouseSystem(const std::string& text);
std::string HouseSystemText(const Named<HouseSystem>& houseSystem);
Named<NodeKind> ParseNodeKind(const std::string& text);
std::string NodeKindText(const Named<NodeKind>& node);
Named<BlackMoonKind> ParseBlackMoonKind(const std::string& text);
std::string BlackMoonKindText(const Named<BlackMoonKind>& blackMoon);

// Reads the 20 lines of the settings file into the orb record and the chart
// settings in force (house system, node and black-moon kinds). A missing file is first created with its defaults. A
// file that cannot be read whole (too short, text where a number belongs) is reported through `report` and the defaults
// are used and written back after a numbered copy of it is kept (without a
// copy the file stays and the defaults stand in unwritten); a file with extra
// lines is read for its 20 lines. A file that cannot be read at all raises
// its input/output error.
void LoadEngineSettings(ChartSettings& settings, OrbRecord& orbs, const SettingsReporter& report);

// At the start: LoadEngineSettings, and when the file cannot be read at all
// (no permission, a folder in its place), the defaults stand in for this run
// (set A, "PLACIDO", "VERO", "MEDIA"); the user is told through `report`,
// naming the file, and the file is left as it is.
void LoadEngineSettingsAtStart(ChartSettings& settings, OrbRecord& orbs, const SettingsReporter& report);
// True while the defaults stand in for a settings file that could not be read.
bool SettingsDefaultsStandIn(const OrbRecord& orbs);

// Before a settings file is written from the values in memory: raises
// rt::UnreadableSettingsError when the file exists and cannot be read, or when
// the defaults stand in for it and it still cannot be read whole (a file
// readable again is read first, so that its settings are the ones written).
void RequireWritableEngineSettings(ChartSettings& settings, OrbRecord& orbs, const SettingsReporter& report);

// Rewrites the settings file with line n (1..20) replaced by text, then
// reloads (refused as RequireWritableEngineSettings says).
void SetEngineSettingsLine(ChartSettings& settings, OrbRecord& orbs, int n, const std::string& text,
                           const SettingsReporter& report);

// An orb set as the settings file holds it: the 14 orbs in angle order, the
// parallel and antiscia orbs and the set's letter.
struct OrbSetLines {
    AngleOrderTable<Real> orbsInAngleOrder{};
    Real parallelOrb = 0;
    Real antisciaOrb = 0;
    std::string setLetter;
};

// The texts of the settings file's house system, node kind and black-moon kind.
struct KindTexts {
    std::string houseSystem{};
    std::string nodeType{};
    std::string blackMoonType{};
};

// Writes the chosen orb set into the settings file with the house system,
// node kind and black-moon kind in force (refused as RequireWritableEngineSettings says).
void WriteOrbSetSettings(ChartSettings& settings, OrbRecord& orbs, const OrbSetLines& orbSet,
                         const SettingsReporter& report);

// Writes the whole settings file: the orb set's lines with the house system,
// node kind and black-moon kind. A file that exists and cannot be read is not
// written over (rt::UnreadableSettingsError).
void WriteEngineSettings(const OrbSetLines& orbSet, const KindTexts& kinds);

// The three orb sets of "FileDum\MMVarOrb.dum".
struct OrbSets {
    std::array<AngleOrderTable<Real>, 3> orbs{};  // set A, B, C; each in angle order
    Real parallelOrb = 1;
    Real antisciaOrb = 1;
    std::string selected;  // "A", "B", "C" or empty when the line is absent
    // The file was damaged and no copy of it could be kept: it was left as it
    // was, and these sets (its readable values, defaults for the rest) must
    // not be saved over it.
    bool damaged = false;
};
OrbSets DefaultOrbSets();
// Reads the orb sets; a missing file is created with the defaults first. A
// damaged file (a line that is no orb, a file cut short, a line 49 that is no
// set letter) is reported through `report`,
// naming the file and the values; its readable values are kept, the others
// take their defaults, and the file is rewritten so after its damaged copy is
// kept under a number of its own. A file that cannot be read at all raises
// its input/output error.
// The set in force of `orbs` stays the marked one when line 49 is lost.
OrbSets LoadOrbSets(const OrbRecord& orbs, const SettingsReporter& report);
void SaveOrbSets(const OrbSets& sets);
// Creates the orb sets file when it is missing (at the start, so that every
// set can be chosen from the first start): sets A, B and C with their own
// orbs, the set in force marked. A set B or C in force keeps the orbs the
// settings hold for it.
void EnsureOrbSets(const OrbRecord& orbs);


}  // namespace engine
