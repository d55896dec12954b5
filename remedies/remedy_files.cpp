#include "remedies/remedy_files.h"

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "remedies/database_check.h"
#include "remedies/database_sizes.h"
#include "remedies/list_files.h"
#include "remedies/primary_db.h"
#include "remedies/ranked_search.h"
#include "remedies/record_journal.h"
#include "remedies/repertory_db.h"
#include "remedies/signature_db.h"
#include "remedies/signature_search.h"
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
    for (const auto& p : kPlanetRemedyLists) names.push_back(RemedyListFileName(p.fileStem));
    for (const auto& s : kSignRemedyLists) names.push_back(RemedyListFileName(s.fileStem));
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
                rt::DamagedFileMessage(rt::FileDamage{kSignatureTextName, e.what()},
                                       std::string("Al posto della banca dati delle firme \"") + kSignatureDbName +
                                           "\", che mancava, il programma ne ha creata una vuota. Correggere il "
                                           "testo e importarlo con il comando \"kelvor --import-signatures\"."));
        }
    }
    return EnsureSignatureDatabase();
}

// What the start did about a database it found damaged or unreadable.
constexpr const char* kListsKept = "Gli elenchi che ne derivano restano com'erano.";

// A start keeps the count of records of a database it found sound; in a
// folder it cannot write, the count kept before stays.
void KeepSizeOfSoundDatabase(const DbFile& db) {
    try {
        RecordDatabaseSize(db);
    } catch (const rt::IoError&) {
    }
}

// A database that may have been cut, asked about: true when the user took it
// as it is now (its count kept anew), false when it stays as it is, set aside
// so that nothing is made from it or written into it (without `take` it is
// named as damaged and set aside).
bool TakenAsItIs(const DbFile& db, const std::string& cut, const TakeDatabaseAsItIs& take) {
    try {
        if (take && take(CutDatabaseQuestion(db, cut))) {
            RecordDatabaseSize(db);
            return true;
        }
        SetDatabaseAside(db);
    } catch (const rt::IoError& e) {
        rt::ReportDamagedFile(e.UserMessage());
        return false;
    }
    if (!take) NoteUnusableDatabase(db, cut, kListsKept);
    return false;
}

// The lists of one database that the start made again because they said
// something else than the database gives, as the folder spells them.
struct RemadeLists {
    std::string database;
    std::vector<std::string> lists;
};

// The lists of one database at start, held against what the database gives
// (makeLists: the lists as a rebuild writes them, read in one pass over the
// database). Every one that is missing or says something else is made again,
// under the database's mark, so that a run ended in between is finished at
// the next start. A damaged or unreadable database is never a source: it is
// told, and its lists stay as they are. Returns the lists that said something
// else, unless the mark asked for them (a rebuild a run left unfinished) or
// the database was missing and made empty at this start (`madeNow`): those
// are made again without a word, as a missing list is. A database that may
// have been cut is asked about first (`take`); one taken as it is has its
// lists made again without a word too.
template <typename MakeLists>
RemadeLists BringListsUpToDate(const DbFile& db, bool madeNow, bool listMissing, MakeLists makeLists,
                               const TakeDatabaseAsItIs& take, std::vector<std::string>& made) {
    RemadeLists remade{rt::ProgramNameOf(rt::ResolvePath(db.name)), {}};
    const bool marked = ListsMarkedStale(db);
    bool quiet = marked || madeNow;
    try {
        if (const std::string cut = PossiblyCutProblem(db); !cut.empty()) {
            if (!TakenAsItIs(db, cut, take)) return remade;
            quiet = true;
        }
        if (!marked && !listMissing) {
            // What shows without reading the records, a file without even its
            // record 0 too: it is named as the other damage is.
            if (const std::string shape = DatabaseShapeProblem(db, true); !shape.empty()) {
                NoteUnusableDatabase(db, shape, kListsKept);
                return remade;
            }
        }
        const std::vector<ListFile> lists = makeLists();
        KeepSizeOfSoundDatabase(db);
        std::vector<std::string> due;
        for (const ListFile& list : lists) {
            const ListState state = ListStateOf(list);
            if (state == ListState::Same) continue;
            due.push_back(list.name);
            if (state == ListState::Differs && !quiet)
                remade.lists.push_back(rt::ProgramNameOf(rt::ResolvePath(list.name)));
        }
        if (due.empty() && !marked) return remade;
        MarkListsStale(db);
        ReplaceChangedFiles(lists);
        ClearStaleListsMark(db);
        made.insert(made.end(), due.begin(), due.end());
    } catch (const DamagedDatabaseError& e) {
        e.Tell();
        remade.lists.clear();
    } catch (const rt::IoError& e) {
        // A list that cannot be read or written (a folder in its place) is
        // named; the other databases are looked at all the same.
        rt::ReportDamagedFile(e.UserMessage());
        remade.lists.clear();
    }
    return remade;
}

// The files of the start's message, in quotes: "a", "b" e "c".
std::string QuotedNames(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i == 0 ? "" : i + 1 == names.size() ? " e " : ", ") + ("\"" + names[i] + "\"");
    return out;
}

// One message for every list the start made again.
std::string RemadeListsMessage(const std::vector<RemadeLists>& remade) {
    std::string message;
    for (const RemadeLists& r : remade) {
        if (r.lists.empty()) continue;
        const bool one = r.lists.size() == 1;
        message += (message.empty() ? "" : "\r\n") + std::string(one ? "L'elenco " : "Gli elenchi ") +
                   QuotedNames(r.lists) +
                   (one ? " non descriveva pi\xF9 la banca dati da cui deriva, \""
                        : " non descrivevano pi\xF9 la banca dati da cui derivano, \"") +
                   r.database + "\": il programma " + (one ? "lo ha ricostruito" : "li ha ricostruiti") +
                   " all'avvio da quella banca dati, che \xE8 integra.";
    }
    if (message.empty()) return message;
    return message + "\r\nLe finestre mostrano gli elenchi ricostruiti; non occorre fare altro.";
}

}  // namespace

std::vector<std::string> EnsureRemedyFiles(const TakeDatabaseAsItIs& take) {
    // A save that a run left unfinished is rolled back first.
    RollBackInterruptedSaves();
    std::vector<std::string> made;
    const bool primaryMade = EnsurePrimaryDatabase();
    const bool repertoryMade = EnsureRepertoryDatabase();
    const bool signatureMade = EnsureSignatureDatabaseFromText();
    // A database made now holds what the program wrote into it.
    for (const auto& [madeNow, db] : {std::pair{primaryMade, PrimaryDb()}, std::pair{repertoryMade, RepertoryDb()},
                                      std::pair{signatureMade, SignatureDb()}}) {
        if (!madeNow) continue;
        made.push_back(db.name);
        KeepSizeOfSoundDatabase(db);
    }

    // The remedy index and the remedies of the therapies database are made
    // when their windows open: here only held against their database.
    std::vector<RemadeLists> remade;
    remade.push_back(BringListsUpToDate(
        PrimaryDb(), primaryMade, AnyMissing(PrimaryListNames()),
        [] {
            const PrimaryListSource source = ReadPrimaryListSource();
            std::vector<ListFile> lists = PrimaryListFiles(source.records);
            if (rt::PathExists(kRemedyIndexName)) lists.push_back(RemedyIndexFile(ComputeRemedyIndex(source)));
            return lists;
        },
        take, made));
    remade.push_back(BringListsUpToDate(
        RepertoryDb(), repertoryMade, !rt::PathExists(kPathologyListName),
        [] {
            const std::vector<RepertoryRecord> records = ReadSoundRepertoryRecords();
            std::vector<ListFile> lists{PathologyListFile(records)};
            if (rt::PathExists(kTherapyRemedyListName)) lists.push_back(TherapyRemedyListFile(records));
            return lists;
        },
        take, made));
    std::vector<std::string> signatureLists = PlantListNames();
    signatureLists.push_back(kSignatureSymptomsName);
    remade.push_back(BringListsUpToDate(
        SignatureDb(), signatureMade, AnyMissing(signatureLists),
        [] { return SignatureListFiles(ReadSoundSignatureRecords()); }, take, made));
    if (const std::string message = RemadeListsMessage(remade); !message.empty()) rt::ReportDamagedFile(message);
    return made;
}

std::vector<rt::SeedGroup> RemedySeedGroups() {
    std::vector<rt::SeedGroup> groups(3);
    groups[0].data = {kPrimaryDbName};
    groups[0].derived = PrimaryListNames();
    groups[1].data = {kRepertoryDbName};
    groups[1].derived = {kPathologyListName};
    // The import text goes with its database: a sample text beside the user's
    // database would replace it at the next import.
    groups[2].data = {kSignatureDbName, kSignatureTextName};
    groups[2].derived = PlantListNames();
    groups[2].derived.push_back(kSignatureSymptomsName);
    return groups;
}

}  // namespace remedies
