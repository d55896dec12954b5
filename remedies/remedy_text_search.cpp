#include "remedies/remedy_text_search.h"

#include "platform/runtime/win1252.h"
#include "remedies/list_order.h"
#include "remedies/signature_search.h"

namespace remedies {

std::string RemedyText(const PrimaryRecord& r, RemedyTextKind kind) {
    if (kind == RemedyTextKind::Composition) return r.notes1 + r.notes2 + r.notes3;
    return r.synthesis1 + r.synthesis2 + r.synthesis3 + r.synthesis4 + r.synthesis5 + r.synthesis6;
}

std::vector<std::string> SearchRemedyTexts(const std::vector<PrimaryRecord>& all, const std::vector<std::string>& names,
                                           const std::string& word, RemedyTextKind kind) {
    const std::string upper = rt::UpperAscii(word);
    std::vector<std::string> found;
    if (!upper.empty()) {
        for (const auto& name : names) {
            for (const auto& r : all) {
                if (ListedRemedyName(r) != name) continue;
                if (rt::UpperAscii(RemedyText(r, kind)).find(upper) != std::string::npos) {
                    found.push_back(name);
                    break;
                }
            }
        }
    }
    SortListTexts(found);
    if (found.empty()) found.assign(1, kNoResultLine);
    return found;
}

bool HighlightWordUpper(std::string& text, const std::string& word) {
    const std::string upper = rt::UpperAscii(word);
    if (upper.empty()) return false;
    const std::size_t at = rt::UpperAscii(text).find(upper);
    if (at == std::string::npos) return false;
    text.replace(at, upper.size(), upper);
    return true;
}

}  // namespace remedies
