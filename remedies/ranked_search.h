#pragma once
// The ranked searches over up to fifteen chosen entries: every database record
// whose entry equals a chosen one adds one to its remedy's tally; the remedies
// with a tally are ranked highest tally first. The multi-symptom search counts
// the indications of the primary database, the compound-therapy search the
// pathologies of the therapies database. Each keeps its tallies in a count file
// of 52-byte records (name of 50 characters, tally byte) rebuilt at each search.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "remedies/record_db.h"
#include "remedies/repertory_db.h"

namespace remedies {

inline constexpr int kRankedSlots = 15;
inline constexpr std::size_t kCountRecordSize = 52;
inline constexpr const char* kMultiSymptomCountName = "OpzioneH\\RicCom.Rnd";
inline constexpr const char* kCompoundTherapyCountName = "OpzioneH\\TerCom.Rnd";
inline constexpr const char* kTherapyRemedyListName = "OpzioneH\\ProdotR.txt";

enum class RankedSearchKind { MultiSymptom, CompoundTherapy };

// The files and fields one kind of search works on.
struct RankedSearchFiles {
    DbFile db;
    const char* vocabulary;  // list of the entries the user chooses from
    const char* remedyList;  // list of the remedies that can be counted
    const char* countFile;
    Field entry;               // compared with the slots
    Field remedy;              // tallied
    Field posology;            // shown in the detail
    std::size_t remedyLength;  // how much of a remedy-list line names a remedy
};
const RankedSearchFiles& FilesOf(RankedSearchKind kind);

// The chosen entries, the window's slot k at index k - 1; an empty slot takes no part.
using RankedSlots = std::array<std::string, kRankedSlots>;

struct RankedResult {
    std::string name;
    long tally = 0;
    // The tally left-padded with "0" to at least two digits, a blank, the name.
    std::string Line() const;
};

// One count record: the name (cut to 50) and the tally byte.
Bytes EncodeCountRecord(const std::string& name, int tally);
std::string CountRecordName(const Bytes& record);
int CountRecordTally(const Bytes& record);

// The vocabulary of the window, in the order the window lists it.
std::vector<std::string> RankedVocabulary(RankedSearchKind kind);

// Rewrites "OpzioneH\ProdotR.txt" (the distinct remedies of the therapies
// database in list order) and an empty "OpzioneH\TerCom.Rnd". A damaged or
// unreadable database is refused (DamagedDatabaseError): both stay as they were.
void PrepareCompoundTherapyLists();
// "OpzioneH\ProdotR.txt" as PrepareCompoundTherapyLists writes it for the
// records of the therapies database.
ListFile TherapyRemedyListFile(const std::vector<RepertoryRecord>& records);

// Runs the search: rebuilds the count file from the remedy list, counts every
// data record whose entry equals a filled slot (a slot filled twice counts
// twice), writes the tallies to the count file and returns the remedies with a
// tally, highest first, equal tallies in descending name order.
std::vector<RankedResult> RunRankedSearch(RankedSearchKind kind, const RankedSlots& slots);
// The same ranking from records already in memory (entry and remedy per record).
struct EntryAndRemedy {
    std::string entry;
    std::string remedy;
};
std::vector<RankedResult> RankRemedies(const std::vector<std::string>& remedyList,
                                       const std::vector<EntryAndRemedy>& records, const RankedSlots& slots);

// The detail of one ranked remedy: for every record of that remedy and every
// slot equal to its entry, a line "= " + entry and a line "- " + posology; the
// slots whose current text equals an entry of the remedy are highlighted. The
// closing line ends the detail.
struct RankedDetail {
    std::vector<std::string> lines;
    std::array<bool, kRankedSlots> highlighted{};  // indexed as the slots
};
inline constexpr const char* kDetailClosingLine = "            =======\xA7\xA7\xA7\xA7\xA7\xA7\xA7=======";
RankedDetail RankedSearchDetail(RankedSearchKind kind, const std::string& remedy, const RankedSlots& searchedSlots,
                                const RankedSlots& currentSlots);

// The first item from `from` on whose upper-cased text holds the upper-cased
// text; -1 when none does or the text is empty.
int FindNextItem(const std::vector<std::string>& items, const std::string& text, int from);

// The type-ahead string and the find-next position of a search window: its
// opener keeps them beyond the window.
struct RankedWindowState {
    std::string typeAhead;
    int findNextPosition = 0;
};

}  // namespace remedies
