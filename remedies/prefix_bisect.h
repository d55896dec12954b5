#pragma once
// The type-ahead of the database windows: the key is compared with the first
// as many characters of a line of a sorted list as it has, byte by byte, and
// exactly 100 halvings move towards it; the line reached is the one selected.
// Every type-ahead of the remedy windows (browsers, searches, editors) uses it.
#include <string>
#include <string_view>
#include <vector>

namespace remedies {

// The line of `lines` (taking the first `count` of them) the bisection reaches
// for the key; -1 when the list is empty. `count` is one past the last line that
// can be reached.
// With `ignoreCase` the letters a to z of both sides count as capitals.
int PrefixBisect(const std::vector<std::string>& lines, std::size_t count, std::string_view key,
                 bool ignoreCase = false);
inline int PrefixBisect(const std::vector<std::string>& lines, std::string_view key, bool ignoreCase = false) {
    return PrefixBisect(lines, lines.size(), key, ignoreCase);
}

// One key press on a type-ahead key: Backspace (8) drops the last character,
// Enter (13) changes nothing, any other character is appended, upper-cased
// (letters a to z only) when the key is empty or `upperEvery` is set.
// Returns false for Enter.
bool ApplyTypeAheadKey(std::string& key, char pressed, bool upperEvery = false);

}  // namespace remedies
