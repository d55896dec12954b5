// Fuzzes the reading of the therapy repertory "OpzioneH\Repertorio.rnd".
#include <algorithm>

#include "fuzz/fuzz_driver.h"
#include "remedies/browser_search.h"
#include "remedies/repertory_db.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(remedies::kRepertoryDbName, files[0]);
    const auto all = remedies::ReadAllRepertoryRecords();
    remedies::ComputePathologyList(all);
    for (std::size_t i = 0; i < std::min<std::size_t>(all.size(), 5); ++i) {
        const auto& r = all[i];
        remedies::RepertoryRecordToTexts(r);
        remedies::EntryByRepertoryRemedy(r);
        remedies::EntryByRepertoryPathology(r);
        remedies::FindPathologyHits(remedies::EntryByRepertoryPathology(r));
        for (int state = 0; state <= 2; ++state) remedies::TherapyDetail(r.remedy, r.pathology, state);
    }
    if (remedies::RepertoryRecordCount() >= 1) remedies::ReadRepertoryRecord(1);
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
