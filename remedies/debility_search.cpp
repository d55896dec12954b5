#include "remedies/debility_search.h"

#include "platform/runtime/record_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/list_order.h"
#include "remedies/signature_search.h"

namespace remedies {

const engine::SignTable<DebilitySign> kDebilitySigns{{{
    {"RBari", "Weegschaal", "Ram"},
    {"RBtor", "Schorpioen", "Stier"},
    {"RBgem", "Boogschutter", "Tweelingen"},
    {"RBcan", "Steenbok", "Kreeft"},
    {"RBleo", "Waterman", "Leeuw"},
    {"RBver", "Vissen", "Maagd"},
    {"RBbil", "Ram", "Weegschaal"},
    {"RBsco", "Stier", "Schorpioen"},
    {"RBsag", "Tweelingen", "Boogschutter"},
    {"RBcap", "Kreeft", "Steenbok"},
    {"RBacq", "Leeuw", "Waterman"},
    {"RBpes", "Maagd", "Vissen"},
}}};

std::vector<RepertoryRecord> ReadRepertoryFile() {
    std::vector<RepertoryRecord> out;
    ReportDamagedDatabase(RepertoryDb());
    for (const auto& b : rt::ReadAllRecords(kRepertoryDbName, kRepertoryRecordSize))
        out.push_back(DecodeRepertoryRecord(b));
    return out;
}

namespace {

// The sorted texts, each once (neighbours compared exactly).
std::vector<std::string> SortedDistinct(std::vector<std::string> texts) {
    SortListTexts(texts);
    return DropRepeatedNeighbours(texts);
}

}  // namespace

std::vector<std::string> DebilityPathologies(const std::vector<PrimaryRecord>& primary,
                                             const std::vector<RepertoryRecord>& therapies,
                                             const std::string& planetWord, const std::string& searchedSign) {
    std::vector<std::string> remedies;
    for (const auto& r : primary)
        if (!r.remedy.empty() && SignatureMatches(r, planetWord, searchedSign)) remedies.push_back(r.remedy);
    remedies = SortedDistinct(std::move(remedies));

    std::vector<std::string> pathologies;
    for (const auto& name : remedies)
        for (const auto& t : therapies)
            if (t.remedy == name && !t.pathology.empty()) pathologies.push_back(t.pathology);
    return SortedDistinct(std::move(pathologies));
}

std::vector<std::string> DebilityRemedies(const std::vector<PrimaryRecord>& primary,
                                          const std::vector<RepertoryRecord>& therapies, const DebilityQuery& query) {
    std::vector<std::string> list;
    for (std::size_t r = 1; r < therapies.size(); ++r)
        if (therapies[r].pathology == query.pathology) list.push_back(therapies[r].remedy);
    SortListTexts(list);
    for (auto& entry : list) {
        const std::string wanted = rt::UpperAscii(entry);
        for (std::size_t r = 1; r < primary.size(); ++r) {
            const PrimaryRecord& p = primary[r];
            if (rt::UpperAscii(p.remedy) == wanted && SignatureMatches(p, query.planetWord, query.searchedSign)) {
                entry = ">>> " + entry + " <<<";
                break;
            }
        }
    }
    return list;
}

}  // namespace remedies
