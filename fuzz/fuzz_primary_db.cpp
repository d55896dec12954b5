// Fuzzes the reading of the remedy database "OpzioneH\DBmain.rnd": its records,
// the lists made from it, the browsers' searches and details and the
// signature search over it with its index "FileDum\Prdts.dum".
#include <algorithm>

#include "fuzz/fuzz_driver.h"
#include "remedies/browser_search.h"
#include "remedies/primary_db.h"
#include "remedies/signature_search.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(remedies::kPrimaryDbName, files[0]);
    fuzz::PutFile(remedies::kRemedyIndexName, files[1]);
    const auto all = remedies::ReadAllPrimaryRecords();
    remedies::ComputePrimaryLists(all);
    const std::size_t shown = std::min<std::size_t>(all.size(), 5);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < shown; ++i) {
        const auto& r = all[i];
        remedies::PrimaryRecordToTexts(r);
        remedies::EntryByRemedy(r);
        remedies::EntryBySymptom(r);
        for (int state = 0; state <= 2; ++state) {
            remedies::SymptomDetail(r, state);
            remedies::RemedyDetail(r, state);
        }
        remedies::FindRemedyHits(r.remedy);
        remedies::FindSymptomHits(r.Indication());
        names.push_back(remedies::ListedRemedyName(r));
    }
    if (remedies::PrimaryRecordCount() >= 1) remedies::ReadPrimaryRecord(1);
    fuzz::Guard([&] {
        remedies::SearchSignatures(names, "sole", "ariete");
        remedies::ReadSignatureHitsPage(1);
    });
}
}  // namespace

KELVOR_FUZZ_FILES(2, Run)
