// Writes the terms texts "OpzioneT\KlvPianCan.Txt" from the written fragments
// in data/sources/terms/terms_texts.txt: for each of the nine bodies and each of
// the sixty six-degree sectors (five to a house, the third on the cusp) one line
// of the sector key, two blanks, blanks up to column 21 and in columns 22-81
// the meaning of the body in that house with its nuance in that sector.
// Lines end in CR LF; the fragments are plain ASCII.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gen_terms_texts FRAGMENTS OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::map<std::string, std::string> fragments;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto bar = line.find('|');
        if (bar == std::string::npos) continue;
        fragments[line.substr(0, bar)] = line.substr(bar + 1);
    }
    static const char* bodies[9] = {"Sole", "Luna", "Merc", "Vene", "Mart", "Giov", "Satu", "NNor", "NSud"};
    std::string out;
    for (const char* body : bodies)
        for (int sector = 1; sector <= 60; ++sector) {
            char house[16], fifth[16], key[24];
            std::snprintf(house, sizeof house, ".H%02d", (sector - 1) / 5 + 1);
            std::snprintf(fifth, sizeof fifth, ".T%d", (sector - 1) % 5 + 1);
            std::snprintf(key, sizeof key, "%s%02d", body, sector);
            const auto h = fragments.find(body + std::string(house));
            const auto f = fragments.find(body + std::string(fifth));
            if (h == fragments.end() || f == fragments.end()) {
                std::cerr << "missing fragment for " << key << "\n";
                return 1;
            }
            std::string text = h->second + ", " + f->second;
            // The field holds 60 characters; 32 fit beside the other blocks of the sheets.
            if (text.size() > 32) {
                std::cerr << key << ": text longer than 32 characters: " << text << "\n";
                return 1;
            }
            text.resize(60, ' ');
            out += std::string(key) + "  " + std::string(13, ' ') + text + "\r\n";
        }
    std::ofstream file(argv[2], std::ios::binary);
    file << out;
    return file ? 0 : 1;
}
