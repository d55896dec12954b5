#pragma once
// The searches of a word in the remedies' composition (the notes of a record)
// or psychic synthesis, and the upper-casing of the found word in the text shown.
#include <string>
#include <vector>

#include "remedies/primary_db.h"

namespace remedies {

enum class RemedyTextKind { Composition, Synthesis };

inline constexpr const char* kNoResultLine = "**GEEN RESULTAAT**";
inline constexpr const char* kNoSynthesisText = "Non \xE8 riportata una Sintesi Psichica";

// The notes (composition) or the six synthesis strings of a record, joined.
std::string RemedyText(const PrimaryRecord& r, RemedyTextKind kind);

// The names (of `names`, in that order) of which some record carries the word
// in its text, both upper-cased (letters a to z only), sorted; the one line
// "**GEEN RESULTAAT**" when none does or the word is empty. `all` holds the
// records from record 0 on.
std::vector<std::string> SearchRemedyTexts(const std::vector<PrimaryRecord>& all, const std::vector<std::string>& names,
                                           const std::string& word, RemedyTextKind kind);

// Upper-cases the first occurrence of the word in the text, found without regard
// to the case of the letters a to z; the rest keeps its case. A text without the
// word stays as it is. Returns whether the word was found.
bool HighlightWordUpper(std::string& text, const std::string& word);

}  // namespace remedies
