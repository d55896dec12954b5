#pragma once
// The order of the program's sorted lists: letters compared without regard to
// case or accents first (digits before letters, blanks and signs before digits),
// then accents, then case (small letters first), then the bytes themselves.
// Texts are Windows-1252 bytes.
#include <string>
#include <string_view>
#include <vector>

namespace remedies {

// Negative, zero or positive as a sorts before, with or after b.
int CompareListText(std::string_view a, std::string_view b);

inline bool ListTextLess(std::string_view a, std::string_view b) { return CompareListText(a, b) < 0; }

// Sorts as a sorted list control fills: equal texts keep the order they came in.
void SortListTexts(std::vector<std::string>& texts);

// The sorted texts with every line equal (same bytes) to the one before dropped.
std::vector<std::string> DropRepeatedNeighbours(const std::vector<std::string>& sorted);

}  // namespace remedies
