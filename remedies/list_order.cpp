#include "remedies/list_order.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace remedies {
namespace {

struct Weights {
    std::array<std::uint16_t, 256> primary{};  // letter family, digit or sign
    std::array<std::uint8_t, 256> accent{};    // the byte with its case folded
    std::array<std::uint8_t, 256> upper{};     // 1 for a capital letter
    // The primary weight as one byte (1..255) in the same order, so that two
    // texts' primary weights compare as their bytes do.
    std::array<unsigned char, 256> primaryByte{};
};

// Base letter of a Windows-1252 letter, or 0.
char BaseLetter(unsigned c) {
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c);
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
    switch (c) {
        case 0x83: return 'F';
        case 0x8A:
        case 0x9A:
        case 0xDF: return 'S';
        case 0x8C:
        case 0x9C: return 'O';
        case 0x8E:
        case 0x9E: return 'Z';
        case 0x9F:
        case 0xDD:
        case 0xFD:
        case 0xFF: return 'Y';
        case 0xC7:
        case 0xE7: return 'C';
        case 0xD0:
        case 0xF0: return 'D';
        case 0xD1:
        case 0xF1: return 'N';
        case 0xDE:
        case 0xFE: return 'T';
        default: break;
    }
    unsigned l = (c >= 0xE0 && c != 0xF7) ? c - 0x20 : c;
    if (l >= 0xC0 && l <= 0xC6) return 'A';
    if (l >= 0xC8 && l <= 0xCB) return 'E';
    if (l >= 0xCC && l <= 0xCF) return 'I';
    if ((l >= 0xD2 && l <= 0xD6) || l == 0xD8) return 'O';
    if (l >= 0xD9 && l <= 0xDC) return 'U';
    return 0;
}

bool IsCapital(unsigned c) {
    if (c >= 'A' && c <= 'Z') return true;
    if (c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F) return true;
    return c >= 0xC0 && c <= 0xDE && c != 0xD7;
}

unsigned FoldCase(unsigned c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 0x10;
    if (c == 0xFF) return 0x9F;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    return c;
}

Weights MakeWeights() {
    Weights w;
    for (unsigned c = 0; c < 256; ++c) {
        char base = BaseLetter(c);
        if (base) {
            w.primary[c] = static_cast<std::uint16_t>(0x300 + (base - 'A'));
        } else if (c >= '0' && c <= '9') {
            w.primary[c] = static_cast<std::uint16_t>(0x200 + (c - '0'));
        } else {
            w.primary[c] = static_cast<std::uint16_t>(0x100 + c);
        }
        w.accent[c] = static_cast<std::uint8_t>(FoldCase(c));
        w.upper[c] = (base && IsCapital(c)) ? 1 : 0;
    }
    // 124 signs, 10 digits and 26 letter families: far fewer than 255.
    std::array<std::uint16_t, 256> distinct = w.primary;
    std::sort(distinct.begin(), distinct.end());
    const auto end = std::unique(distinct.begin(), distinct.end());
    for (unsigned c = 0; c < 256; ++c)
        w.primaryByte[c] =
            static_cast<unsigned char>(1 + (std::lower_bound(distinct.begin(), end, w.primary[c]) - distinct.begin()));
    return w;
}

const Weights& W() {
    static const Weights kW = MakeWeights();
    return kW;
}

template <typename Table>
int CompareBy(std::string_view a, std::string_view b, const Table& t) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto x = t[static_cast<unsigned char>(a[i])];
        auto y = t[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return 0;
}

}  // namespace

int CompareListText(std::string_view a, std::string_view b) {
    const Weights& w = W();
    if (int r = CompareBy(a, b, w.primary)) return r;
    if (int r = CompareBy(a, b, w.accent)) return r;
    if (int r = CompareBy(a, b, w.upper)) return r;
    int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

void SortListTexts(std::vector<std::string>& texts) {
    // Every text's primary weights are worked out once, as bytes side by side
    // in one buffer; the full comparison runs only when they are all equal.
    struct Keyed {
        std::size_t from, length, index;
    };
    const Weights& w = W();
    std::size_t total = 0;
    for (const std::string& t : texts) total += t.size();
    std::string keys(total, '\0');
    std::vector<Keyed> keyed(texts.size());
    for (std::size_t i = 0, at = 0; i < texts.size(); at += texts[i].size(), ++i) {
        keyed[i] = {at, texts[i].size(), i};
        std::transform(texts[i].begin(), texts[i].end(), keys.begin() + static_cast<std::ptrdiff_t>(at),
                       [&w](char c) { return static_cast<char>(w.primaryByte[static_cast<unsigned char>(c)]); });
    }
    const std::string_view all = keys;
    // Texts that compare equal are the same bytes: no order among them shows.
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        // A shorter text whose weights begin the other's sorts first, as in the full comparison.
        if (const int r = all.substr(a.from, a.length).compare(all.substr(b.from, b.length)); r != 0) return r < 0;
        return ListTextLess(texts[a.index], texts[b.index]);
    });
    std::vector<std::string> sorted;
    sorted.reserve(texts.size());
    for (const Keyed& k : keyed) sorted.push_back(std::move(texts[k.index]));
    texts = std::move(sorted);
}

std::vector<std::string> DropRepeatedNeighbours(const std::vector<std::string>& sorted) {
    std::vector<std::string> out;
    out.reserve(sorted.size());
    for (const auto& s : sorted)
        if (out.empty() || out.back() != s) out.push_back(s);
    return out;
}

}  // namespace remedies
