#include "engine/orb_set_choice.h"

#include "engine/engine_settings.h"
#include "platform/runtime/paths.h"

namespace engine {

bool ApplyOrbSet(ChartSettings& settings, OrbRecord& orbs, const std::string& chosenLetter,
                 const SettingsReporter& report) {
    // The letter may be the orb record's own, which a reading of the settings
    // below replaces.
    const std::string letter = chosenLetter;
    if (!rt::PathExists(kOrbSetsFile)) return false;
    // A settings file that could not be read is not written over: nothing is
    // changed then, the orb sets file neither.
    RequireWritableEngineSettings(settings, orbs, report);
    OrbSets sets = LoadOrbSets(orbs, report);
    int index = letter == "B" ? 1 : letter == "C" ? 2 : 0;
    const std::string chosen = index == 1 ? "B" : index == 2 ? "C" : "A";
    WriteOrbSetSettings(settings, orbs,
                        {sets.orbs[static_cast<std::size_t>(index)], sets.parallelOrb, sets.antisciaOrb, chosen},
                        report);
    sets.selected = chosen;
    // A damaged file that could not be kept is not written over.
    if (!sets.damaged) SaveOrbSets(sets);
    LoadEngineSettings(settings, orbs, report);
    return true;
}

}  // namespace engine
