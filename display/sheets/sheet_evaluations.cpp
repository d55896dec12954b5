#include "display/sheets/sheet_evaluations.h"

#include <algorithm>
#include <cmath>

#include "display/sheets/sheet_cloths.h"
#include "engine/angles.h"

namespace display {

namespace {

// Element and principle of each sign (F fire, T earth, A air, W water; S salt,
// Z sulphur, M mercury).
constexpr const char* kElementPrincipleCodes[13] = {"",   "FS", "TS", "AS", "WS", "FZ", "TZ",
                                                    "AZ", "WZ", "FM", "TM", "AM", "WM"};
// Quality and season of each sign (C cardinal, F fixed, M mutable; A spring,
// F summer, T autumn, W winter).
constexpr const char* kQualitySeasonCodes[13] = {"",   "CA", "FA", "MA", "CF", "FF", "MF",
                                                 "CT", "FT", "MT", "CW", "FW", "MW"};
constexpr char kSignElementLetters[13] = {' ', 'F', 'T', 'A', 'W', 'F', 'T', 'A', 'W', 'F', 'T', 'A', 'W'};
constexpr char kSeasonElementLetters[13] = {' ', 'A', 'A', 'A', 'F', 'F', 'F', 'T', 'T', 'T', 'W', 'W', 'W'};

int IndexOf(char letter, const char* letters) {
    for (int i = 0; letters[i]; ++i)
        if (letters[i] == letter) return i + 1;
    return 0;
}

// Planet part "Sole" .. "Satu" and the sign parts where it is neither dignified nor debilitated.
struct NeutralRow {
    const char* planet;
    std::vector<const char*> signs;
};
const NeutralRow kNoDignitySigns[8] = {
    {"", {}},
    {"Sole", {"Toro", "Geme", "Canc", "Verg", "Scor", "Sagi", "Capr", "Pesc"}},
    {"Luna", {"Arie", "Geme", "Leon", "Verg", "Bila", "Sagi", "Acqu", "Pesc"}},
    {"Merc", {"Arie", "Toro", "Canc", "Bila", "Scor", "Capr"}},
    {"Vene", {"Geme", "Canc", "Leon", "Sagi", "Capr", "Acqu"}},
    {"Mart", {"Geme", "Leon", "Verg", "Sagi", "Acqu", "Pesc"}},
    {"Giov", {"Arie", "Toro", "Leon", "Bila", "Scor", "Acqu"}},
    {"Satu", {"Toro", "Geme", "Verg", "Scor", "Sagi", "Pesc"}},
};

bool InNeutralSign(int planet, const std::string& key) {
    for (const char* sign : kNoDignitySigns[planet].signs)
        if (key == std::string(kNoDignitySigns[planet].planet) + sign) return true;
    return false;
}

}  // namespace

ClothCounts EvaluateElementalCloth(const std::array<unsigned char, 24>& signs) {
    ClothCounts k;
    for (int p = 1; p <= 7; ++p) {
        const int s = signs[p];
        if (s < 1 || s > 12) continue;
        const int c = IndexOf(kElementPrincipleCodes[s][0], "FTAW");
        const int r = IndexOf(kElementPrincipleCodes[s][1], "SZM");
        if (r && c) ++k.count[r][c];
    }
    return k;
}

ClothCounts EvaluateSeasonCloth(const std::array<unsigned char, 24>& signs) {
    ClothCounts k;
    for (int p = 1; p <= 7; ++p) {
        const int s = signs[p];
        if (s < 1 || s > 12) continue;
        const int r = IndexOf(kQualitySeasonCodes[s][0], "CFM");
        const int c = IndexOf(kQualitySeasonCodes[s][1], "AFTW");
        if (r && c) ++k.count[r][c];
    }
    return k;
}

HumoralCounts EvaluateHumoral(const std::array<unsigned char, 24>& signs, bool seasonal) {
    HumoralCounts h;
    for (int p = 1; p <= 7; ++p) {
        const int s = signs[p];
        if (s < 1 || s > 12) continue;
        const int b = IndexOf(seasonal ? kSeasonElementLetters[s] : kSignElementLetters[s], "AFTW");
        if (b) ++h.e[b];
    }
    h.q[1] = h.e[1] + h.e[2];  // hot: air, fire
    h.q[2] = h.e[1] + h.e[4];  // moist: air, water
    h.q[3] = h.e[3] + h.e[4];  // cold: earth, water
    h.q[4] = h.e[2] + h.e[3];  // dry: fire, earth
    return h;
}

DignityTable EvaluateDignityTable(const engine::ReceptionTables& r) {
    DignityTable t;
    for (int p = 1; p <= 7; ++p) {
        if (r.PlanetDignity[p] == 0) continue;
        DignityColumn c;
        c.planet = p;
        c.state = r.PlanetDignity[p];
        for (int m = 1; m <= 7; ++m) c.boxEntries += r.ReceptionNumbers[p][m] != 0;
        const int g = r.ReceptionGroup[p];
        const bool exchangeGroup = g == 21 || g == 22 || g == 3 || g == 4 || g == 5;
        c.joinedToPrevious = p >= 2 && r.PlanetDignity[p - 1] == 5 && r.PlanetDignity[p] == 5 &&
                             r.ReceptionGroup[p - 1] == g && exchangeGroup;
        t.columns.push_back(c);
    }
    if (t.columns.empty()) {
        t.noDignity = true;
        for (int p = 1; p <= 7; ++p) t.noDignity = t.noDignity && InNeutralSign(p, r.PlanetSignKeys[p]);
    }
    return t;
}

std::string PlanetAbbreviation(int index) {
    static const char* names[10] = {" ", "sol", "lun", "mer", "ven", "mar", "gio", "sat", " ", " "};
    return index >= 0 && index <= 9 ? names[index] : " ";
}

}  // namespace display
