#include "remedies/remedy_files.h"

#include "platform/runtime/paths.h"
#include "remedies/primary_db.h"
#include "remedies/record_journal.h"
#include "remedies/repertory_db.h"
#include "remedies/signature_db.h"

namespace remedies {

namespace {

bool AnyMissing(const std::vector<std::string>& names) {
    for (const auto& n : names)
        if (!rt::PathExists(n)) return true;
    return false;
}

}  // namespace

std::vector<std::string> EnsureRemedyFiles() {
    // A save that a run left unfinished is rolled back first.
    RollBackInterruptedSaves();
    std::vector<std::string> made;
    if (EnsurePrimaryDatabase()) made.push_back(kPrimaryDbName);
    if (EnsureRepertoryDatabase()) made.push_back(kRepertoryDbName);
    if (EnsureSignatureDatabase()) made.push_back(kSignatureDbName);

    std::vector<std::string> primaryLists{kSymptomListName, kRemedyListName,
                                          kRemedyVariantListName};
    for (const auto& p : kPlanetRemedyLists) primaryLists.push_back(RemedyListFileName(p.stem));
    for (const auto& s : kSignRemedyLists) primaryLists.push_back(RemedyListFileName(s.stem));
    // Lists of a damaged database are not made: the damage is told, and the
    // windows that need the lists say they are missing.
    try {
        if (AnyMissing(primaryLists)) {
            RebuildPrimaryLists();
            made.insert(made.end(), primaryLists.begin(), primaryLists.end());
        }
    } catch (const DamagedDatabaseError&) {
        ReportDamagedDatabase(PrimaryDb());
    }
    try {
        if (!rt::PathExists(kPathologyListName)) {
            RebuildPathologyList();
            made.push_back(kPathologyListName);
        }
    } catch (const DamagedDatabaseError&) {
        ReportDamagedDatabase(RepertoryDb());
    }

    if (!rt::PathExists(kSignatureSymptomsName)) {
        ReplaceNameFile(kSignatureSymptomsName, 100,
                        SignatureSymptomEntries(ReadAllSignatureRecords()));
        made.push_back(kSignatureSymptomsName);
    }
    std::vector<std::string> plantLists{kPlantNamesName};
    for (const auto& r : kPlanetPlantLists) plantLists.push_back(r.file);
    for (const auto& r : kSignPlantLists) plantLists.push_back(r.file);
    if (AnyMissing(plantLists)) {
        BuildSignatureLists();
        made.insert(made.end(), plantLists.begin(), plantLists.end());
    }
    return made;
}

void ResetRemedyBuffers() {
    PrimaryRecordBuffer = {};
    SignatureRec = {};
}

}  // namespace remedies
