#pragma once
// Choosing one of the three orb sets: the chosen set becomes the orbs of the
// engine settings file and of the orb record.
#include <string>

#include "engine/engine_settings.h"

namespace engine {

inline constexpr const char* kMissingOrbSetsMessage = "Manca File \"MMVarOrb.dum\"";

// Applies set "A", "B" or "C" of "FileDum\MMVarOrb.dum": the engine settings
// file gets that set's 14 orbs with the parallel and antiscia orbs, the house
// system, node kind, the letter and the black-moon kind; the orb sets file is
// rewritten with the letter; the settings are reloaded. Returns false, and
// changes nothing, when the orb sets file is missing; raises
// rt::UnreadableSettingsError, changing nothing, when the settings file
// cannot be read. A damaged file is reported through `report`.
bool ApplyOrbSet(ChartSettings& settings, OrbRecord& orbs, const std::string& letter, const SettingsReporter& report);

}  // namespace engine
