#include "archive/name_search.h"

#include <utility>

#include "archive/archive_records.h"
#include "platform/runtime/win1252.h"

namespace archive {

std::string ArchiveSearchKey(std::string_view typed) {
    std::string key = rt::UpperAscii(typed) + std::string(kIndexNameWidth, '!');
    key.resize(kIndexNameWidth);
    return key;
}

SearchResult SearchSortedEntries(std::string_view key, int count, const std::function<std::string(int)>& readEntry) {
    SearchResult result;
    int top = count;
    int bottom = 1;
    for (int halving = 0; halving < 100; ++halving) {
        const int mid = (top + bottom) / 2;
        std::string entry = readEntry(mid);
        if (CompareArchiveText(key, entry) > 0)
            bottom = mid;
        else
            top = mid;
        if (bottom < 1) bottom = 1;
        result.position = mid;
        result.lastEntryRead = std::move(entry);
    }
    return result;
}

bool EntryBeginsWith(std::string_view entry, std::string_view typed) {
    const std::string t = rt::UpperAscii(typed);
    return entry.size() >= t.size() && entry.substr(0, t.size()) == t;
}

int OrderNewEntry(std::vector<std::string>& entries, const std::function<void(int, int)>& swap) {
    const int n = static_cast<int>(entries.size()) - 1;
    int newPosition = n;
    int moved = 0;
    for (int i = n; i >= 2; --i) {
        if (CompareArchiveText(entries[i], entries[i - 1]) > 0) continue;
        std::swap(entries[i], entries[i - 1]);
        if (swap) swap(i, i - 1);
        if (newPosition == i) {
            newPosition = i - 1;
            moved = newPosition;
        } else if (newPosition == i - 1) {
            newPosition = i;  // only on an index that was out of order already
        }
    }
    return moved;
}

}  // namespace archive
