#include "remedies/remedy_files.h"

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "remedies/database_check.h"
#include "remedies/primary_db.h"
#include "remedies/record_journal.h"
#include "remedies/repertory_db.h"
#include "remedies/signature_db.h"
#include "remedies/stale_lists.h"

namespace remedies {

namespace {

bool AnyMissing(const std::vector<std::string>& names) {
    for (const auto& n : names)
        if (!rt::PathExists(n)) return true;
    return false;
}

std::vector<std::string> PrimaryListNames() {
    std::vector<std::string> names{kSymptomListName, kRemedyListName, kRemedyVariantListName};
    for (const auto& p : kPlanetRemedyLists) names.push_back(RemedyListFileName(p.stem));
    for (const auto& s : kSignRemedyLists) names.push_back(RemedyListFileName(s.stem));
    return names;
}

std::vector<std::string> PlantListNames() {
    std::vector<std::string> names{kPlantNamesName};
    for (const auto& r : kPlanetPlantLists) names.push_back(r.file);
    for (const auto& r : kSignPlantLists) names.push_back(r.file);
    return names;
}

// A missing signature database: imported from its text when that is there
// (and can be taken), else made empty.
bool EnsureSignatureDatabaseFromText() {
    if (rt::PathExists(kSignatureDbName)) return false;
    if (rt::PathExists(kSignatureTextName)) {
        try {
            ImportSignatureDatabase();
            return true;
        } catch (const std::exception& e) {
            rt::ReportDamagedFileOnce(
                kSignatureTextName,
                rt::DamagedFileMessage(kSignatureTextName, e.what(),
                                       std::string("Al posto della banca dati delle firme \"") + kSignatureDbName +
                                           "\", che mancava, il programma ne ha creata una vuota. Correggere il "
                                           "testo e importarlo con il comando \"kelvor --import-signatures\"."));
        }
    }
    return EnsureSignatureDatabase();
}

// What the start did about a database it found damaged or unreadable.
constexpr const char* kListsKept = "Gli elenchi che ne derivano restano com'erano.";

// The lists of one database at start. A rebuild that is due (the mark, a
// missing list) is refused for a damaged or unreadable database, which is
// told; otherwise the database is looked at for what shows without reading it
// through (a folder or an unreadable file in its place, a file cut short).
// Either way its lists are left as they are; a mark or a missing list makes
// a later start rebuild them once the database is sound.
template <typename Rebuild>
void EnsureListsOf(const DbFile& db, bool due, Rebuild rebuild) {
    try {
        if (due) {
            rebuild();
            return;
        }
        if (const std::string shape = DatabaseShapeProblem(db); !shape.empty()) NoteUnusableDatabase(db, shape, kListsKept);
    } catch (const DamagedDatabaseError& e) {
        e.Tell();
    }
}

}  // namespace

std::vector<std::string> EnsureRemedyFiles() {
    // A save that a run left unfinished is rolled back first.
    RollBackInterruptedSaves();
    std::vector<std::string> made;
    if (EnsurePrimaryDatabase()) made.push_back(kPrimaryDbName);
    if (EnsureRepertoryDatabase()) made.push_back(kRepertoryDbName);
    if (EnsureSignatureDatabaseFromText()) made.push_back(kSignatureDbName);

    const std::vector<std::string> primaryLists = PrimaryListNames();
    EnsureListsOf(PrimaryDb(), ListsMarkedStale(PrimaryDb()) || AnyMissing(primaryLists), [&] {
        RebuildPrimaryLists();
        made.insert(made.end(), primaryLists.begin(), primaryLists.end());
    });
    EnsureListsOf(RepertoryDb(), ListsMarkedStale(RepertoryDb()) || !rt::PathExists(kPathologyListName), [&] {
        RebuildPathologyList();
        made.push_back(kPathologyListName);
    });

    const std::vector<std::string> plantLists = PlantListNames();
    const bool signatureMarked = ListsMarkedStale(SignatureDb());
    const bool symptomsMissing = !rt::PathExists(kSignatureSymptomsName);
    const bool plantsMissing = AnyMissing(plantLists);
    EnsureListsOf(SignatureDb(), signatureMarked || symptomsMissing || plantsMissing, [&] {
        if (signatureMarked) {
            RebuildSignatureLists();
            made.push_back(kSignatureSymptomsName);
            made.insert(made.end(), plantLists.begin(), plantLists.end());
            return;
        }
        // Only what is missing: lists brought along are kept as they are.
        if (symptomsMissing) {
            ReplaceNameFile(kSignatureSymptomsName, 100, SignatureSymptomEntries(ReadSoundSignatureRecords()));
            made.push_back(kSignatureSymptomsName);
        }
        if (plantsMissing) {
            BuildSignatureLists();
            made.insert(made.end(), plantLists.begin(), plantLists.end());
        }
    });
    return made;
}

std::vector<rt::SeedGroup> RemedySeedGroups() {
    std::vector<rt::SeedGroup> groups(3);
    groups[0].data = {kPrimaryDbName};
    groups[0].derived = PrimaryListNames();
    groups[0].staleMark = StaleListsMarkFor(PrimaryDb());
    groups[1].data = {kRepertoryDbName};
    groups[1].derived = {kPathologyListName};
    groups[1].staleMark = StaleListsMarkFor(RepertoryDb());
    // The import text goes with its database: a sample text beside the user's
    // database would replace it at the next import.
    groups[2].data = {kSignatureDbName, kSignatureTextName};
    groups[2].derived = PlantListNames();
    groups[2].derived.push_back(kSignatureSymptomsName);
    groups[2].staleMark = StaleListsMarkFor(SignatureDb());
    return groups;
}

void ResetRemedyBuffers() {
    PrimaryRecordBuffer = {};
    SignatureRec = {};
}

}  // namespace remedies
