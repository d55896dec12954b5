// Fuzzes the reading of the remedies' list files: the name files of fixed
// records ("OpzioneS\Piante.rnd", "OpzioneH\SolePri.rnd", ...), the text lists
// ("OpzioneH\Sintomi.txt", ...) and the principles ("Principi.sto",
// "Principi.txt").
#include "fuzz/fuzz_driver.h"
#include "platform/runtime/text_file.h"
#include "remedies/browser_search.h"
#include "remedies/primary_db.h"
#include "remedies/principles_file.h"
#include "remedies/signature_db.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(remedies::kPlantNamesName, files[0]);
    fuzz::PutFile("OpzioneH\\SolePri.rnd", files[0]);
    fuzz::PutFile(remedies::kSymptomListName, files[1]);
    fuzz::PutFile(remedies::kPrinciplesFileName, files[2]);
    fuzz::PutFile(remedies::kPrinciplesTextName, files[3]);
    fuzz::Guard([] { remedies::ReadNameFile(remedies::kPlantNamesName, 20); });
    fuzz::Guard([] { remedies::ReadRemedyNameList("OpzioneH\\SolePri.rnd"); });
    fuzz::Guard([] { remedies::ReadListLines(remedies::kSymptomListName); });
    fuzz::Guard([] { remedies::ReadPrinciplesFile(); });
    fuzz::Guard([&] { remedies::PrinciplesFromLines(rt::ReadTextLines(remedies::kPrinciplesTextName)); });
}
}  // namespace

KELVOR_FUZZ_FILES(4, Run)
