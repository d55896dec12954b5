// Fuzzes the reading of the signature database "OpzioneS\DataStf.rnd" and the
// plant lists made from it.
#include "fuzz/fuzz_driver.h"
#include "remedies/signature_db.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(remedies::kSignatureDbName, files[0]);
    const auto all = remedies::ReadAllSignatureRecords();
    remedies::SignatureSymptomEntries(all);
    for (int p = 1; p <= 7; ++p) remedies::PlantsOfPlanet(all, p);
    for (int s = 1; s <= 12; ++s) remedies::PlantsOfSign(all, s);
    if (!all.empty()) remedies::ReadSignatureRecord(1);
    remedies::BuildSignatureLists();
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
