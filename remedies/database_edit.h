#pragma once
// Editing the primary and therapies databases. A save or an append writes one
// record in place through a journal (remedies/record_journal.h); a delete or a
// reorder reads the whole file, makes the change in memory and writes the new
// file beside the old one, renamed over it at the end. Either way the database
// on disk is always the old one or the new one. After each change the lists
// derived from the database are rebuilt. The helpers of the editors' lists
// (splitting entries, the type-ahead bisection, find-next, moving an entry)
// are here too.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"

namespace remedies {

// Whole-file changes of a database (IoError on failure, the file unchanged).
// Data record numbers are 1..count; record 0 is kept as it is.
std::int64_t DeleteDataRecordWhole(const DbFile& db, std::int64_t r);  // new count
// Puts the data records in a new order: `order` lists every record number
// 1..count exactly once, count being the file's own; anything else is refused
// (IoError, nothing written).
void ReorderDataRecords(const DbFile& db, const std::vector<std::int64_t>& order);

// The editors' operations: the change, then the derived lists rebuilt. They
// never throw: the outcome says what was done and what failed. A database
// that is damaged or cannot be read, as the change is made, takes no change:
// nothing is written into it until it is sound again.
struct ChangeOutcome {
    bool saved = false;         // the database holds the change
    bool listsRebuilt = false;  // the derived lists were rebuilt after it
    // The database is damaged or unreadable: the change was refused (saved
    // false), or the lists were not rebuilt after it.
    bool databaseDamaged = false;
    std::int64_t count = 0;  // data records after the change (append, delete)
    std::string error;       // the failure's message (Windows-1252)
    std::string leftOut;     // the rebuild's words on records left out of the lists
};
// The message for the user, or "" when everything was done.
std::string ChangeOutcomeMessage(const ChangeOutcome& outcome);

// A change of the primary or the therapies database (`change` makes it and
// gives the count of data records after it), refused when the database is
// damaged or cannot be read, then the database's lists rebuilt.
// `steps` hears each step of the write and of the rebuild.
ChangeOutcome ChangeDatabase(const DbFile& db, const std::function<std::int64_t()>& change,
                             const WriteSteps& steps = {});

ChangeOutcome SavePrimaryEdit(std::int64_t r, const PrimaryTexts& t, const WriteSteps& steps = {});
ChangeOutcome AppendPrimaryEdit(const PrimaryTexts& t, const WriteSteps& steps = {});
ChangeOutcome DeletePrimaryEdit(std::int64_t r);
ChangeOutcome DeletePrimaryEdit(std::int64_t r, const WriteSteps& steps);
ChangeOutcome CommitPrimaryOrder(const std::vector<std::int64_t>& order);
ChangeOutcome CommitPrimaryOrder(const std::vector<std::int64_t>& order, const WriteSteps& steps);

ChangeOutcome SaveRepertoryEdit(std::int64_t r, const RepertoryTexts& t, const WriteSteps& steps = {});
ChangeOutcome AppendRepertoryEdit(const RepertoryTexts& t, const WriteSteps& steps = {});
ChangeOutcome DeleteRepertoryEdit(std::int64_t r);
ChangeOutcome DeleteRepertoryEdit(std::int64_t r, const WriteSteps& steps);
ChangeOutcome CommitRepertoryOrder(const std::vector<std::int64_t>& order);
ChangeOutcome CommitRepertoryOrder(const std::vector<std::int64_t>& order, const WriteSteps& steps);

// One line of an editor's list and the record it stands for.
struct EditorEntry {
    std::string text;
    std::int64_t record = 0;
};

// The primary database's entries: by remedy (remedy "**" indication) or by
// symptom (indication "**" remedy); sorted, or in file order for a reorder.
// A database that is damaged or cannot be read gives none: `problem` (when
// given) then says what is wrong with it, "" otherwise.
std::vector<EditorEntry> PrimaryEditorEntries(bool bySymptom, bool sorted, std::string* problem = nullptr);
// The therapies database's entries: by remedy or by pathology, as above.
std::vector<EditorEntry> RepertoryEditorEntries(bool byPathology, bool sorted, std::string* problem = nullptr);

// Splits an entry at its first "*": the text before it and the rest with every
// "*" removed; with `swap` the two change places.
std::pair<std::string, std::string> SplitListEntry(const std::string& entry, bool swap);

// The first data record whose remedy and whole indication equal the texts
// exactly; 0 when none does.
std::int64_t FindPrimaryRecord(const std::string& remedy, const std::string& indication);
// The first therapies record whose remedy and pathology equal the texts; 0 when none.
std::int64_t FindRepertoryRecord(const std::string& remedy, const std::string& pathology);

// A key press applied to a key: backspace (8) removes the last character, any
// other character is appended, upper-cased (a-z) when `upper`.
void ApplyKeyToText(std::string& key, char typed, bool upper);

// Find-next: the first entry after `after` (-1 for the first) whose upper-cased
// text contains the upper-cased key; -1 when none.
int FindNextEntry(const std::vector<std::string>& entries, const std::string& key, int after);

// Moves the entry at `held` to `target`, the entries between shifting by one.
template <typename T>
void MoveHeldEntry(std::vector<T>& list, int held, int target) {
    if (held < 0 || target < 0 || held >= static_cast<int>(list.size()) || target >= static_cast<int>(list.size()) ||
        held == target)
        return;
    T item = std::move(list[static_cast<std::size_t>(held)]);
    if (target < held) {
        for (int k = held; k > target; --k)
            list[static_cast<std::size_t>(k)] = std::move(list[static_cast<std::size_t>(k - 1)]);
    } else {
        for (int k = held; k < target; ++k)
            list[static_cast<std::size_t>(k)] = std::move(list[static_cast<std::size_t>(k + 1)]);
    }
    list[static_cast<std::size_t>(target)] = std::move(item);
}

// Remedy names that hold "(1)" to "(9)" (a specific use, not a variant).
bool HoldsUseNumber(const std::string& remedy);

// What the therapies editor shows of its linked primary record.
std::string LinkedWarningsText(const PrimaryRecord& r);
std::string LinkedSignaturesText(const PrimaryRecord& r);
std::string LinkedSynthesisText(const PrimaryRecord& r);
std::string LinkedNotesText(const PrimaryRecord& r);

}  // namespace remedies
