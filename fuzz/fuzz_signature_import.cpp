// Fuzzes the signature import from "OpzioneS\DbTesto.Txt".
#include "fuzz/fuzz_driver.h"
#include "remedies/signature_db.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(remedies::kSignatureTextName, files[0]);
    remedies::ImportSignatureDatabase();
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
