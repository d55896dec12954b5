#pragma once
// The search by planetary debility: a weakened planet and sign select the
// remedies whose signature holds the planet and the opposite sign; the
// pathologies those remedies treat are listed, and for a pathology the remedies
// that treat it, those of the signature marked ">>> name <<<".
#include <string>
#include <vector>

#include "engine/chart.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"

namespace remedies {

// One sign choice: its radio's object name, the weakened sign shown and the opposite sign searched.
struct DebilitySign {
    const char* radioName;
    const char* shown;
    const char* searched;
};
// The choice of each sign, by the sign searched (radios RBari .. RBpes), and
// the choice of any sign, whose radio follows theirs.
extern const engine::SignTable<DebilitySign> kDebilitySigns;
inline constexpr DebilitySign kAnyDebilitySign{"RBNoSeg", "Ieder", "Ieder"};

// Every record of the therapies database, record 0 included.
std::vector<RepertoryRecord> ReadRepertoryFile();

// The distinct pathologies (sorted) treated by the remedies whose signature
// holds the planet word and the searched sign word. Empty remedy names and
// empty pathologies take no part.
std::vector<std::string> DebilityPathologies(const std::vector<PrimaryRecord>& primary,
                                             const std::vector<RepertoryRecord>& therapies,
                                             const std::string& planetWord, const std::string& searchedSign);

// The remedies (sorted) that treat the pathology; each remedy some primary
// record of which (linked by name, letters a to z upper-cased on both sides)
// holds the signature shows as ">>> " name " <<<" in its place.
struct DebilityQuery {
    std::string pathology{};
    std::string planetWord{};
    std::string searchedSign{};
};
std::vector<std::string> DebilityRemedies(const std::vector<PrimaryRecord>& primary,
                                          const std::vector<RepertoryRecord>& therapies, const DebilityQuery& query);

}  // namespace remedies
