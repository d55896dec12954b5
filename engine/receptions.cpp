#include "engine/receptions.h"

#include <bit>
#include <cmath>
#include <optional>
#include <set>
#include <vector>

#include "engine/position_text.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/text_file.h"

namespace engine {

namespace {

// Dignity of each planet (row) in each sign (column, Aries first): "Ad"
// domicile, "Ae" exaltation, "De" detriment, "Dc" fall, "" nothing.
constexpr ClassicalPlanetTable<SignTable<const char*>> kDignityCodes = {{{
    {{"Ae", "", "", "", "Ad", "", "Dc", "", "", "", "De", ""}},      // Sun
    {{"", "Ae", "", "Ad", "", "", "", "Dc", "", "De", "", ""}},      // Moon
    {{"", "", "Ad", "", "Dc", "Ad", "", "", "De", "", "Ae", "De"}},  // Mercury
    {{"De", "Ad", "", "", "", "Dc", "Ad", "De", "", "", "", "Ae"}},  // Venus
    {{"Ad", "De", "", "Dc", "", "", "De", "Ad", "", "Ae", "", ""}},  // Mars
    {{"", "", "De", "Ae", "", "De", "", "", "Ad", "Dc", "", "Ad"}},  // Jupiter
    {{"Dc", "", "", "De", "De", "", "Ae", "", "", "Ad", "Ad", ""}},  // Saturn
}}};

int DignityOfCode(const std::string& code) {
    if (code == "Ad") return kDomicile;
    if (code == "Ae") return kExaltation;
    if (code == "De") return kDetriment;
    if (code == "Dc") return kFall;
    return kNoDignity;
}

Sign ReceptionSignOf(Real lon) {
    lon = fmodl(fabsl(lon), 360.0L);
    const int s = static_cast<int>(lon / 30.0L);
    return static_cast<Sign>(s > kSignCount - 1 ? kSignCount - 1 : s);
}

bool InDomicileOf(Sign sign, Body planet) {
    for (Sign s : kDomiciles[planet])
        if (s == sign) return true;
    return false;
}

// The closed cycles of k planets, each planet in the domicile of the next:
// (k - 1)! orders of every group of k planets, times the choices of a domicile
// for each.
std::size_t ExchangeCycleCount(int k) {
    std::size_t total = 0;
    for (int mask = 0; mask < (1 << kClassicalPlanetCount); ++mask) {
        if (std::popcount(static_cast<unsigned>(mask)) != k) continue;
        std::size_t product = 1;
        for (Body p : kClassicalPlanets)
            if (mask & (1 << static_cast<int>(p))) product *= kDomiciles[p].count;
        total += product;
    }
    for (int i = 2; i < k; ++i) total *= static_cast<std::size_t>(i);
    return total;
}

// Each line of the table of k planets is a placement of k planets: for each,
// its number (01..07) and its sign's (01..12); the table holds every cycle.
std::string ExchangeTableContent(int k, const std::vector<std::string>& lines) {
    auto number = [](const std::string& line, std::size_t at, int high) {
        const char a = line[at], b = line[at + 1];
        if (a < '0' || a > '9' || b < '0' || b > '9') return false;
        const int v = (a - '0') * 10 + (b - '0');
        return v >= 1 && v <= high;
    };
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        bool sound = line.size() == static_cast<std::size_t>(4 * k);
        for (std::size_t at = 0; sound && at < line.size(); at += 4)
            sound = number(line, at, kClassicalPlanetCount) && number(line, at + 2, kSignCount);
        if (!sound)
            return "la riga " + std::to_string(n + 1) + " \"" + rt::ShownValue(line) + "\" non \xE8 uno scambio di " +
                   std::to_string(k) + " pianeti";
    }
    if (lines.size() != ExchangeCycleCount(k))
        return "ha " + std::to_string(lines.size()) + " scambi dei " + std::to_string(ExchangeCycleCount(k)) +
               " che deve avere";
    return {};
}

// Working tables of one computation, indexed by planet before the sorting.
struct Work {
    explicit Work(ExchangeTables& t) : tables(t) {}
    ClassicalPlanetTable<Sign> sign{};
    ClassicalPlanetTable<int> dignity{};
    ClassicalPlanetTable<int> group{};
    ClassicalPlanetTable<bool> used{};
    // Each planet's row as the tables keep it: the planet itself, then its chain.
    ClassicalPlanetTable<ReceptionTables::Row> bodies{}, numbers{}, signs{};

    // The lines of one exchange file, taken from the tables at the first need
    // of this computation.
    const std::set<std::string>& Lines(int k) {
        const std::set<std::string>*& held = lines[static_cast<std::size_t>(k - kSmallestExchange)];
        if (!held) held = &tables.Lines(k);
        return *held;
    }
    ExchangeTables& tables;
    std::array<const std::set<std::string>*, kExchangeFiles.size()> lines{};

    std::string Key(const std::vector<Body>& planets) const {
        std::string key;
        for (Body p : planets) key += ExchangeKeyPart(ClassicalPlanetNumber(p), SignNumber(sign[p]));
        return key;
    }
};

// Two-planet exchanges: the first pair found is group 21, the second 22.
std::vector<Body> FindTwoPlanetExchanges(Work& w) {
    std::vector<Body> found;
    int matches = 0;
    for (std::size_t i = 0; i < kClassicalPlanets.size() && matches < 2; ++i) {
        const Body first = kClassicalPlanets[i];
        if (w.used[first]) continue;
        for (std::size_t j = i + 1; j < kClassicalPlanets.size() && matches < 2; ++j) {
            const Body second = kClassicalPlanets[j];
            if (w.used[second]) continue;
            const std::string key = w.Key({first, second});
            if (!w.Lines(2).count(key)) continue;
            ++matches;
            w.group[first] = w.group[second] = matches == 1 ? 21 : 22;
            found.push_back(first);
            found.push_back(second);
        }
    }
    return found;
}

// Exchange of k planets (3..5): the first subset of the free planets whose
// placement stands in the file, subsets taken by their highest member, then
// in increasing order.
std::vector<Body> FindExchange(Work& w, int k) {
    std::vector<Body> candidates;
    for (Body p : kClassicalPlanets)
        if (!w.used[p]) candidates.push_back(p);
    const int n = static_cast<int>(candidates.size());
    if (n < k) return {};
    for (int top = k; top <= n; ++top) {
        // Every choice of k - 1 positions among 1..top-1, in increasing order.
        std::vector<int> pos(k - 1);
        for (int i = 0; i < k - 1; ++i) pos[i] = i + 1;
        while (true) {
            std::vector<Body> planets;
            for (int q : pos) planets.push_back(candidates[q - 1]);
            planets.push_back(candidates[top - 1]);
            if (w.Lines(k).count(w.Key(planets))) {
                for (Body p : planets) w.group[p] = k;
                return planets;
            }
            int i = k - 2;
            while (i >= 0 && pos[i] == top - 1 - (k - 2 - i)) --i;
            if (i < 0) break;
            ++pos[i];
            for (int j = i + 1; j < k - 1; ++j) pos[j] = pos[j - 1] + 1;
        }
    }
    return {};
}

// Puts q in the first empty entry of r's chain, at `level`, standing in the
// domicile of `host`; false when the chain is full.
bool PlaceInRow(Work& w, Body r, Body q, int level, int host) {
    for (std::size_t e = 1; e < w.bodies[r].size(); ++e) {
        if (w.bodies[r][e] == 0) {
            w.bodies[r][e] = static_cast<unsigned char>(ClassicalPlanetNumber(q));
            w.numbers[r][e] = static_cast<unsigned char>(level);
            w.signs[r][e] = static_cast<unsigned char>(host);
            w.used[q] = true;
            return true;
        }
    }
    return false;
}

bool RowHolds(const Work& w, Body r, Body q) {
    for (unsigned char entry : w.bodies[r])
        if (entry == ClassicalPlanetNumber(q)) return true;
    return false;
}

}  // namespace

const std::set<std::string>& ExchangeTables::Lines(int k) {
    Slot& slot = slots_[static_cast<std::size_t>(k - kSmallestExchange)];
    if (slot.loaded.load(std::memory_order_acquire)) return slot.lines;
    const std::lock_guard<std::mutex> lock(slot.mutex);
    if (!slot.loaded.load(std::memory_order_relaxed)) {
        // The tables are shipped: a damaged one is put back from the
        // installation first, and one that cannot be put back gives no exchange.
        const auto all =
            rt::ReadShippedTextLines(ExchangeFile(k),
                                     "Gli scambi di " + std::to_string(k) + " pianeti non vengono cercati.",
                                     [k](const std::vector<std::string>& file) {
                                         return ExchangeTableContent(k, file);
                                     });
        if (all.empty()) {
            static const std::set<std::string> kNone;
            return kNone;
        }
        slot.lines = std::set<std::string>(all.begin(), all.end());
        slot.loaded.store(true, std::memory_order_release);
    }
    return slot.lines;
}

void ExchangeTables::Reload() {
    for (Slot& slot : slots_) {
        const std::lock_guard<std::mutex> lock(slot.mutex);
        slot.loaded.store(false, std::memory_order_release);
    }
}

ExchangeTables& ShippedExchangeTables() {
    static ExchangeTables tables;
    return tables;
}

std::string ExchangeKeyPart(int planet, int sign) { return rt::ZeroPad(planet, 2) + rt::ZeroPad(sign, 2); }

std::array<std::string, kClassicalPlanetCount> PlanetSignKeys(const Chart& chart) {
    std::array<std::string, kClassicalPlanetCount> keys;
    for (Body p : kClassicalPlanets)
        keys[static_cast<std::size_t>(p)] =
            std::string(kPointKeys4[ChartPointOfPlanet(p)]) + kSignKeys[ReceptionSignOf(chart.bodies[p].longitude)];
    return keys;
}

ReceptionTables ComputeReceptions(const Chart& chart, ExchangeTables& tables) {
    ReceptionTables r;
    r.planetSignKeys = PlanetSignKeys(chart);

    Work w(tables);
    for (Body p : kClassicalPlanets) w.sign[p] = ReceptionSignOf(chart.bodies[p].longitude);
    // Dignities.
    for (Body p : kClassicalPlanets) {
        w.bodies[p][0] = static_cast<unsigned char>(ClassicalPlanetNumber(p));
        const int d = DignityOfCode(kDignityCodes[p][w.sign[p]]);
        if (d != kNoDignity) {
            w.dignity[p] = d;
            w.numbers[p][0] = 1;
            w.used[p] = true;
        }
    }

    // Exchanges of two, three, four and five planets.
    for (int k = kSmallestExchange; k <= kLargestExchange; ++k) {
        const std::vector<Body> found = k == 2 ? FindTwoPlanetExchanges(w) : FindExchange(w, k);
        for (Body q : found) {
            if (w.dignity[q] == 0) w.dignity[q] = kInExchange;
            w.used[q] = true;
            w.numbers[q][0] = 1;
        }
    }

    // Chains, first level: free planets in the domiciles of a planet with a class.
    for (Body p : kClassicalPlanets) {
        if (w.dignity[p] == 0) continue;
        for (Body q : kClassicalPlanets)
            if (q != p && !w.used[q] && InDomicileOf(w.sign[q], p)) PlaceInRow(w, p, q, 2, ClassicalPlanetNumber(p));
    }
    // Further levels: free planets in the domiciles of the planets just placed,
    // from the first five places of each chain.
    for (std::size_t e = 1; e <= 5; ++e) {
        for (Body r : kClassicalPlanets) {
            const int x = w.bodies[r][e];
            if (x == 0) continue;
            const int level = w.numbers[r][e];
            for (Body q : kClassicalPlanets) {
                if (!InDomicileOf(w.sign[q], ClassicalPlanetOfNumber(x)) || RowHolds(w, r, q) || w.used[q]) continue;
                PlaceInRow(w, r, q, level + 1, x);
            }
        }
    }

    // Rows in the order of their classes: detriment, fall, the exchanges,
    // exaltation, domicile; planets without a class are dropped.
    struct Class {
        bool byGroup;
        int value;
    };
    const Class order[] = {{false, kDetriment}, {false, kFall}, {true, 21},           {true, 22},        {true, 3},
                           {true, 4},           {true, 5},      {false, kExaltation}, {false, kDomicile}};
    int row = 0;
    for (const Class& c : order) {
        for (Body p : kClassicalPlanets) {
            const bool match = c.byGroup ? w.group[p] == c.value : (w.group[p] == 0 && w.dignity[p] == c.value);
            if (!match) continue;
            const auto at = static_cast<std::size_t>(row++);
            r.planetDignity[at] = static_cast<unsigned char>(w.dignity[p]);
            r.receptionGroup[at] = static_cast<unsigned char>(w.group[p]);
            r.receptionBodies[at] = w.bodies[p];
            r.receptionNumbers[at] = w.numbers[p];
            r.receptionSigns[at] = w.signs[p];
        }
    }
    return r;
}

}  // namespace engine
