#include "display/sheets/sheet_evaluations.h"

#include <algorithm>
#include <cmath>

#include "display/sheets/sheet_cloths.h"
#include "engine/angles.h"

namespace display {

namespace {

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

DistanceAspects AspectsOfDistance(Real d, const std::array<Real, 16>& o) {
    auto within = [d](Real exact, Real orb) { return exact - orb < d && d < exact + orb; };
    DistanceAspects a;
    a.hard = within(180, o[4]) || within(90, o[2]);
    a.soft = within(120, o[3]) || within(60, o[1]);
    a.conjunction = d < o[0];
    return a;
}

}  // namespace display
