#pragma once
// The three index operations every archive dialog shares: the name search of
// exactly 100 halvings, the ordered insertion of a new entry and the removal
// of an entry. They work on entry texts; the file side is in archive_files.h.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace archive {

// The search key: the typed text upper-cased (a..z), followed by 38 "!" and
// cut to 38 characters.
std::string ArchiveSearchKey(std::string_view typed);

struct SearchResult {
    int position = 0;           // mid of the last halving
    std::string lastEntryRead;  // the entry read at that halving
};

// Bisection over entries 1..count: exactly 100 halvings, each reading one entry
// through `readEntry` (mid = (top + bottom) div 2; key > entry moves the bottom,
// otherwise the top; the bottom never below 1).
SearchResult SearchSortedEntries(std::string_view key, int count, const std::function<std::string(int)>& readEntry);

// Whether the entry begins with the typed text (the dialogs colour the search
// field by it). The typed text is compared upper-cased.
bool EntryBeginsWith(std::string_view entry, std::string_view typed);

// The ordering pass after a store appended its entry at the end: for i from n
// down to 2, entries i and i-1 change places unless entry i is greater.
// `entries` holds the texts of records 0..n (entry 0 is the header and never
// moves). Returns the position to which the last entry was moved, 0 when it
// stayed. `swap` is told every exchange (to move raw records along).
int OrderNewEntry(std::vector<std::string>& entries, const std::function<void(int, int)>& swap = {});

}  // namespace archive
