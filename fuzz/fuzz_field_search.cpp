// Fuzzes the search-and-edit utility's reading of a field: every field of the
// primary and the therapies database ("OpzioneH\DBmain.rnd",
// "OpzioneH\Repertorio.rnd") joined from its strings and searched for a phrase.
#include "fuzz/fuzz_driver.h"
#include "remedies/field_search.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(remedies::kPrimaryDbName, files[0]);
    fuzz::PutFile(remedies::kRepertoryDbName, files[1]);
    const std::string phrase = files[2].substr(0, 40);
    for (const char* db : {"Prima", "Terap"}) {
        for (const std::string& code : remedies::SearchFieldCodes(db)) {
            fuzz::Guard([&] {
                std::int64_t from = 1;
                for (int k = 0; k < 4; ++k) {
                    const remedies::FieldMatch m =
                        remedies::FindInField({db, code}, phrase.empty() ? "A" : phrase, from);
                    if (m.record == 0) break;
                    from = m.record + 1;
                }
            });
        }
    }
}
}  // namespace

KELVOR_FUZZ_FILES(3, Run)
