// Writes the exchange tables of the mutual receptions into the folder given as
// the only argument: Scambio22.txt (two planets) to Scambio55.txt (five).
//
// A line lists the planets of a group in increasing order, each as its number
// and the number of its sign, two digits apiece ("0105" is the Sun in Leo). A
// placement is listed when the planets form one closed cycle: following each
// planet to the planet in whose domicile it stands leads through every planet
// of the group and back to the first. Lines are sorted and end in CR LF.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/receptions.h"

namespace {

using engine::DomicileRuler;
using engine::kClassicalPlanetCount;
using engine::kDomiciles;

std::string TwoDigits(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

// True when p -> ruler of p's sign is one cycle through all of `group`.
bool OneClosedCycle(const std::vector<int>& group, const std::vector<int>& signs) {
    auto indexOf = [&](int planet) {
        for (std::size_t i = 0; i < group.size(); ++i)
            if (group[i] == planet) return static_cast<int>(i);
        return -1;
    };
    int at = 0;
    for (std::size_t step = 1; step <= group.size(); ++step) {
        const int next = indexOf(DomicileRuler(signs[at]));
        if (next < 0 || next == at) return false;
        at = next;
        if (at == 0 && step != group.size()) return false;  // a shorter cycle
    }
    return at == 0;
}

void Placements(const std::vector<int>& group, std::vector<int>& signs, std::size_t i,
                std::vector<std::string>& lines) {
    if (i == group.size()) {
        if (!OneClosedCycle(group, signs)) return;
        std::string line;
        for (std::size_t j = 0; j < group.size(); ++j) line += TwoDigits(group[j]) + TwoDigits(signs[j]);
        lines.push_back(line);
        return;
    }
    // The planet stands in a domicile of another planet of the group.
    for (int other : group) {
        if (other == group[i]) continue;
        for (engine::Sign s : kDomiciles[engine::ClassicalPlanetOfNumber(other)]) {
            signs[i] = engine::SignNumber(s);
            Placements(group, signs, i + 1, lines);
        }
    }
}

void Groups(int k, int from, std::vector<int>& group, std::vector<std::string>& lines) {
    if (static_cast<int>(group.size()) == k) {
        std::vector<int> signs(k);
        Placements(group, signs, 0, lines);
        return;
    }
    for (int p = from; p <= kClassicalPlanetCount; ++p) {
        group.push_back(p);
        Groups(k, p + 1, group, lines);
        group.pop_back();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    for (int k = 2; k <= 5; ++k) {
        std::vector<std::string> lines;
        std::vector<int> group;
        Groups(k, 1, group, lines);
        std::sort(lines.begin(), lines.end());
        const auto path = out / ("Scambio" + std::to_string(k) + std::to_string(k) + ".txt");
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        for (const auto& line : lines) f << line << "\r\n";
        if (!f) {
            std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
