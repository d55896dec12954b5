// Writes the attribution texts of the chart window into a folder:
//   attribution_texts <folder>        (the shipped copy is data/OpzioneT)
// "KlvPian.txt" and "KlvSegni.txt": the general texts of the eleven chart points
// and the twelve signs, code in columns 1-2, text from column 4 in lines of at
// most 60 characters (80 are read). "KlvPianSpe.Txt": one line for every key
// the point position file can hold (sign, house, term, decan, decade, antiscion,
// contra-antiscion, aspect), key in columns 1-8, text from column 22.
// "KlvSegnSpe.txt": the 24 keys of the sign position file, key in columns 1-7,
// text from column 21 in lines of at most 50 characters. Texts are written in
// Windows-1252 with CR LF line ends. The tool stops with a message when a text
// is too long for the columns its reader shows or when two texts are alike.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/runtime/win1252.h"
#include "texts.h"

namespace fs = std::filesystem;

namespace {

// Keys of the position files, the points from the Sun.
const texts::PointTable<const char*> kPoint4 = {"Sole", "Luna", "Merc", "Vene", "Mart", "Giov",
                                                "Satu", "NNor", "NSud", "Asce", "Mcie"};
const texts::PointTable<const char*> kPoint3 = {"Sol", "Lun", "Mer", "Ven", "Mar", "Gio",
                                                "Sat", "Non", "Nos", "Asc", "Mci"};
const texts::PointTable<const char*> kPoint2 = {"SO", "LU", "ME", "VE", "MA", "GI", "SA", "NN", "NS", "AS", "MC"};
const texts::PointTable<const char*> kPointCode = {"So", "Lu", "Me", "Ve", "Ma", "Gi", "Sa", "Nn", "Ns", "As", "Mc"};
// The Midheaven, the last point.
constexpr std::size_t kMidheavenPoint = texts::kPointCount - 1;
// The sign tables from Aries, the house keys from the first house.
const char* const kSignKey[12] = {"Arie", "Toro", "Geme", "Canc", "Leon", "Verg",
                                  "Bila", "Scor", "Sagi", "Capr", "Acqu", "Pesc"};
const char* const kSignAbbr[12] = {"Ram", "Sti", "Twe", "Kre", "Lee", "Maa", "Wee", "Sch", "Boo", "Ste", "Wat", "Vis"};
// The sign position file keys Aquarius "Ac"; the general sign texts "Aq".
const char* const kSignPositionCode[12] = {"Ar", "To", "Ge", "Cn", "Le", "Ve", "Bi", "Sc", "Sa", "Cp", "Ac", "Pe"};
const texts::SignTexts kSignGeneralCode = {{"Ar", "To", "Ge", "Cn", "Le", "Ve", "Bi", "Sc", "Sa", "Cp", "Aq", "Pe"}};
const char* const kHouseKey[12] = {"Prim", "Seco", "Terz", "Quar", "Quin", "Sest",
                                   "Sett", "Otta", "Nona", "Deci", "Undi", "Dodi"};
const char* const kAspectKey[5] = {"Co", "Se", "Qu", "Tr", "Op"};

// Display names in the composed texts.
const texts::PointTable<const char*> kPointName = {"Zon",       "Maan",      "Mercurius", "Venus",
                                                   "Mars",      "Jupiter",   "Saturnus",  "Noordknoop",
                                                   "Zuidknoop", "Ascendant", "MC"};
const texts::PointTable<const char*> kPointShort = {"Zon",  "Maan",   "Merc.",  "Venus", "Mars", "Jup.",
                                                    "Sat.", "NKnoop", "ZKnoop", "Asc",   "MC"};
// Aries first.
const char* const kSignName[12] = {"Ram",        "Stier",      "Tweelingen",   "Kreeft",   "Leeuw",    "Maagd",
                                   "Weegschaal", "Schorpioen", "Boogschutter", "Steenbok", "Waterman", "Vissen"};
// The Sun first.
const char* const kPlanetName[7] = {"de Zon", "de Maan", "Mercurius", "Venus", "Mars", "Jupiter", "Saturnus"};
const char* const kAspectName[5] = {"conjunctie", "sextiel", "vierkant", "driehoek", "oppositie"};
const char* const kAspectShort[5] = {"conj.", "sext.", "vierk.", "driehk.", "opp."};

// Rulers of the signs from Aries (planets from the Sun, 0 to 6) and the
// Chaldean order of the faces, which begins with Mars in the first decan of Aries.
const int kSignRuler[12] = {4, 3, 2, 1, 0, 2, 3, 4, 5, 6, 6, 5};
const int kChaldean[7] = {4, 0, 3, 2, 1, 6, 5};

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Enc(const std::string& utf8) { return rt::Utf8ToCp1252(utf8); }

std::string Two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

std::string Pad(std::string s, std::size_t width) {
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
}

// Words into lines of at most `width` characters (Windows-1252 bytes).
std::vector<std::string> Wrap(const std::string& text, std::size_t width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        if (word.size() > width) throw Failure("word too long: " + word);
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// One text of the specific point file, checked against the columns shown.
struct Entry {
    std::string key;
    std::string text;  // Windows-1252
};

class Collector {
public:
    void Add(const std::string& key, const std::string& utf8, std::size_t limit) {
        const std::string text = Enc(utf8);
        if (text.size() > limit)
            throw Failure(key + ": " + std::to_string(text.size()) + " > " + std::to_string(limit) + ": " + utf8);
        if (!keys_.insert(key).second) throw Failure("key twice: " + key);
        if (!texts_.insert(text).second) throw Failure("text twice: " + utf8);
        entries_.push_back({key, text});
    }
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::set<std::string> keys_, texts_;
    std::vector<Entry> entries_;
};

int SignOfLongitude(int degrees) { return ((degrees % 360 + 360) % 360) / 30 + 1; }

void WriteLines(const fs::path& file, const std::vector<std::string>& lines) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) throw Failure("cannot write " + file.string());
    for (const std::string& l : lines) out << l << "\r\n";
}

// Texts of the general files: every paragraph under its code, wrapped in lines
// of 60 characters (the reader shows up to 80; 60 fit the memo's width).
std::vector<std::string> GeneralLines(std::span<const char* const> codes, std::span<const char* const> paragraphs) {
    std::vector<std::string> lines;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const std::string paragraph = Enc(paragraphs[i]);
        if (!seen.insert(paragraph).second) throw Failure(std::string("text twice: ") + paragraphs[i]);
        for (const std::string& l : Wrap(paragraph, 60)) lines.push_back(std::string(codes[i]) + " " + l);
    }
    return lines;
}

std::vector<std::string> SignSpecificLines() {
    std::vector<std::string> lines;
    std::set<std::string> seen;
    auto add = [&](const std::string& key, const char* utf8) {
        const std::string text = Enc(utf8);
        if (!seen.insert(text).second) throw Failure(std::string("text twice: ") + utf8);
        for (const std::string& l : Wrap(text, 50)) lines.push_back(Pad(key, 20) + l);
    };
    for (int s = 1; s <= 12; ++s)
        add(std::string(kSignPositionCode[s - 1]) + "An" + kSignAbbr[SignOfLongitude(360 - (30 * s - 15)) - 1],
            texts::kSignAntiscion[engine::SignOfNumber(s)]);
    for (int s = 1; s <= 12; ++s)
        add(std::string(kSignPositionCode[s - 1]) + "Ca" + kSignAbbr[SignOfLongitude(360 - (30 * s - 15) + 180) - 1],
            texts::kSignContraAntiscion[engine::SignOfNumber(s)]);
    return lines;
}

// Texts of 8-character keys show 60 characters; term and decade texts 70 in
// the segment lists (a Midheaven term key is matched as 8 columns: 60).
constexpr std::size_t kKeyTextWidth = 60;
constexpr std::size_t kSegmentTextWidth = 70;

void AddSignAndHouseEntries(Collector& c) {
    for (std::size_t p = 0; p < texts::kPointCount; ++p)
        for (int s = 1; s <= 12; ++s)
            c.Add(std::string(kPoint4[p]) + kSignKey[s - 1], texts::kPointInSign[p][engine::SignOfNumber(s)],
                  kKeyTextWidth);
    for (std::size_t p = 0; p < texts::kPointCount; ++p)
        for (std::size_t h = 0; h < engine::kHouseCount; ++h)
            c.Add(std::string(kPoint4[p]) + kHouseKey[h], texts::kPointInHouse[p][h], kKeyTextWidth);
}

// Terms: 6-degree sectors from 15 degrees before the Ascendant, five to a zone.
void AddTermEntries(Collector& c) {
    for (std::size_t p = 0; p < texts::kPointCount; ++p)
        for (int t = 1; t <= 60; ++t) {
            const auto zone = static_cast<std::size_t>((t - 1) / texts::kTermsPerZone);
            const auto place = static_cast<std::size_t>((t - 1) % texts::kTermsPerZone);
            c.Add(std::string(kPoint4[p]) + Two(t),
                  std::string(kPointName[p]) + ": " + texts::kPointTheme[p] + " " + texts::kTermPlace[place] + " " +
                      texts::kTermZone[zone] + ".",
                  p == kMidheavenPoint ? kKeyTextWidth : kSegmentTextWidth);
        }
}

// Decans: 10-degree sectors from 0 Aries with the Chaldean rulers of the faces.
void AddDecanEntries(Collector& c) {
    for (std::size_t p = 0; p < texts::kPointCount; ++p)
        for (int d = 1; d <= 36; ++d) {
            const int sign = (d - 1) / 3 + 1, part = (d - 1) % 3 + 1;
            const int ruler = kChaldean[(d - 1) % 7];
            c.Add(std::string(kPoint3[p]) + "Dec" + Two(d),
                  std::string(kPointName[p]) + ", " + std::to_string(part) + "e decan " + kSignName[sign - 1] + ": " +
                      texts::kFaceKeyword[ruler] + ".",
                  kKeyTextWidth);
        }
}

// Decades: the same sectors with the rulers of the signs of the same element,
// taken in order from the sign itself.
void AddDecadeEntries(Collector& c) {
    for (std::size_t p = 0; p < texts::kPointCount; ++p)
        for (int d = 1; d <= 36; ++d) {
            const int sign = (d - 1) / 3 + 1, part = (d - 1) % 3;
            // Fire, earth, air, water from Aries on.
            const auto element = static_cast<std::size_t>((sign - 1) % 4);
            const int ruler = kSignRuler[(sign - 1 + 4 * part) % 12];
            c.Add(std::string(kPoint2[p]) + Two(d),
                  std::string(kPointName[p]) + ", decade " + kSignName[sign - 1] + " " + std::to_string(10 * part) +
                      "-" + std::to_string(10 * part + 10) + ": " + texts::kElementPhrase[element] + " van " +
                      kPlanetName[ruler] + ".",
                  kSegmentTextWidth);
        }
}

void AddAntiscionEntries(Collector& c) {
    for (std::size_t p = 0; p < texts::kPointCount; ++p)
        for (int s = 1; s <= 12; ++s)
            c.Add(std::string(kPoint3[p]) + "An" + kSignAbbr[s - 1],
                  std::string(kPointName[p]) + " antiscion " + kSignName[s - 1] + ": " +
                      texts::kAntiscionPhrase[engine::SignOfNumber(s)] + ".",
                  kKeyTextWidth);
    for (std::size_t p = 0; p < texts::kPointCount; ++p)
        for (int s = 1; s <= 12; ++s)
            c.Add(std::string(kPoint3[p]) + "Ca" + kSignAbbr[s - 1],
                  std::string(kPointName[p]) + " contra-antiscion " + kSignName[s - 1] + ": " +
                      texts::kContraAntiscionPhrase[engine::SignOfNumber(s)] + ".",
                  kKeyTextWidth);
}

void AddAspectEntries(Collector& c) {
    for (const auto& pair : texts::kAspects)
        for (int a = 0; a < 5; ++a) {
            // The names as far as the columns allow: whole, then short points, then short aspect.
            const std::string names = std::string(kPointName[pair.first]) + "-" + kPointName[pair.second];
            const std::string shortNames = std::string(kPointShort[pair.first]) + "-" + kPointShort[pair.second];
            std::string text = names + " " + kAspectName[a] + ": " + pair.aspect[a];
            if (Enc(text).size() > kKeyTextWidth) text = shortNames + " " + kAspectName[a] + ": " + pair.aspect[a];
            if (Enc(text).size() > kKeyTextWidth) text = shortNames + " " + kAspectShort[a] + ": " + pair.aspect[a];
            c.Add(std::string(kPoint3[pair.first]) + kAspectKey[a] + kPoint3[pair.second], text, kKeyTextWidth);
        }
}

std::vector<Entry> PointSpecificEntries() {
    Collector c;
    AddSignAndHouseEntries(c);
    AddTermEntries(c);
    AddDecanEntries(c);
    AddDecadeEntries(c);
    AddAntiscionEntries(c);
    AddAspectEntries(c);
    return c.Entries();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: attribution_texts <folder>\n";
        return 2;
    }
    try {
        const fs::path folder = argv[1];
        fs::create_directories(folder);
        WriteLines(folder / "KlvPian.txt", GeneralLines(kPointCode, texts::kPointGeneral));
        WriteLines(folder / "KlvSegni.txt", GeneralLines(kSignGeneralCode.values, texts::kSignGeneral.values));
        WriteLines(folder / "KlvSegnSpe.txt", SignSpecificLines());
        std::vector<std::string> lines;
        for (const Entry& e : PointSpecificEntries()) lines.push_back(Pad(e.key, 21) + e.text);
        WriteLines(folder / "KlvPianSpe.Txt", lines);
        std::cout << lines.size() << " point keys written\n";
    } catch (const std::exception& e) {
        std::cerr << "attribution_texts: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
