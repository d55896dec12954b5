#include "engine/receptions.h"

#include <bit>
#include <cmath>
#include <optional>
#include <set>
#include <vector>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/text_file.h"

namespace engine {

namespace {

constexpr int N = kClassicalPlanetCount;

const std::array<const char*, 8> kPlanetAbbreviations = {"",     "Sole", "Luna", "Merc",
                                                         "Vene", "Mart", "Giov", "Satu"};
const std::array<const char*, 13> kReceptionSignCodes = {"",     "Arie", "Toro", "Geme", "Canc",
                                                        "Leon", "Verg", "Bila", "Scor", "Sagi",
                                                        "Capr", "Acqu", "Pesc"};

// Dignity of each planet (row) in each sign (column 1..12): "Ad" domicile,
// "Ae" exaltation, "De" detriment, "Dc" fall, "" nothing.
const char* const kDignityCodes[8][13] = {
    {},
    {"", "Ae", "", "", "", "Ad", "", "Dc", "", "", "", "De", ""},      // Sun
    {"", "", "Ae", "", "Ad", "", "", "", "Dc", "", "De", "", ""},      // Moon
    {"", "", "", "Ad", "", "Dc", "Ad", "", "", "De", "", "Ae", "De"},  // Mercury
    {"", "De", "Ad", "", "", "", "Dc", "Ad", "De", "", "", "", "Ae"},  // Venus
    {"", "Ad", "De", "", "Dc", "", "", "De", "Ad", "", "Ae", "", ""},  // Mars
    {"", "", "", "De", "Ae", "", "De", "", "", "Ad", "Dc", "", "Ad"},  // Jupiter
    {"", "Dc", "", "", "De", "De", "", "Ae", "", "", "Ad", "Ad", ""},  // Saturn
};

int DignityOfCode(const std::string& code) {
    if (code == "Ad") return kDomicile;
    if (code == "Ae") return kExaltation;
    if (code == "De") return kDetriment;
    if (code == "Dc") return kFall;
    return kNoDignity;
}

// The longitude of planet p (1 the Sun .. 7 Saturn).
Real LongitudeOfPlanet(const Chart& chart, int p) { return chart.bodies[static_cast<Body>(p - 1)].longitude; }

int SignOfReducedLongitude(Real lon) {
    lon = fmodl(fabsl(lon), 360.0L);
    int s = static_cast<int>(lon / 30.0L) + 1;
    return s > 12 ? 12 : s;
}

bool InDomicileOf(int sign, int planet) {
    for (int s : kDomiciles[planet])
        if (s != 0 && s == sign) return true;
    return false;
}

// The closed cycles of k planets, each planet in the domicile of the next:
// (k - 1)! orders of every group of k planets, times the choices of a domicile
// for each.
std::size_t ExchangeCycleCount(int k) {
    std::size_t total = 0;
    for (int mask = 0; mask < (1 << N); ++mask) {
        if (std::popcount(static_cast<unsigned>(mask)) != k) continue;
        std::size_t product = 1;
        for (int p = 1; p <= N; ++p) {
            if (!(mask & (1 << (p - 1)))) continue;
            std::size_t domiciles = 0;
            for (int sign : kDomiciles[p]) domiciles += sign != 0;
            product *= domiciles;
        }
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
            sound = number(line, at, N) && number(line, at + 2, 12);
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
    std::array<int, 8> sign{};
    std::array<int, 8> dignity{};
    std::array<int, 8> group{};
    std::array<bool, 8> used{};
    // Each planet's row, entry 1 the planet itself, 2..8 its chain.
    using Row = std::array<unsigned char, 9>;
    std::array<Row, 8> bodies{}, numbers{}, signs{};

    // The lines of one exchange file, taken from the tables at the first need
    // of this computation.
    const std::set<std::string>& Lines(int k) {
        if (!lines[k]) lines[k] = &tables.Lines(k);
        return *lines[k];
    }
    ExchangeTables& tables;
    std::array<const std::set<std::string>*, 6> lines{};

    std::string Key(const std::vector<int>& planets) const {
        std::string key;
        for (int p : planets) key += ExchangeKeyPart(p, sign[p]);
        return key;
    }
};

// Two-planet exchanges: the first pair found is group 21, the second 22.
std::vector<int> FindTwoPlanetExchanges(Work& w) {
    std::vector<int> found;
    int matches = 0;
    for (int i = 1; i <= N && matches < 2; ++i) {
        if (w.used[i]) continue;
        for (int j = i + 1; j <= N && matches < 2; ++j) {
            if (w.used[j]) continue;
            const std::string key = w.Key({i, j});
            if (!w.Lines(2).count(key)) continue;
            ++matches;
            w.group[i] = w.group[j] = matches == 1 ? 21 : 22;
            found.push_back(i);
            found.push_back(j);
        }
    }
    return found;
}

// Exchange of k planets (3..5): the first subset of the free planets whose
// placement stands in the file, subsets taken by their highest member, then
// in increasing order.
std::vector<int> FindExchange(Work& w, int k) {
    std::vector<int> candidates;
    for (int p = 1; p <= N; ++p)
        if (!w.used[p]) candidates.push_back(p);
    const int n = static_cast<int>(candidates.size());
    if (n < k) return {};
    for (int top = k; top <= n; ++top) {
        // Every choice of k - 1 positions among 1..top-1, in increasing order.
        std::vector<int> pos(k - 1);
        for (int i = 0; i < k - 1; ++i) pos[i] = i + 1;
        while (true) {
            std::vector<int> planets;
            for (int q : pos) planets.push_back(candidates[q - 1]);
            planets.push_back(candidates[top - 1]);
            if (w.Lines(k).count(w.Key(planets))) {
                for (int p : planets) w.group[p] = k;
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

// Puts q at the first empty entry of row r; false when the row is full.
bool PlaceInRow(Work& w, int r, int q, int level, int host) {
    for (int e = 2; e <= 8; ++e) {
        if (w.bodies[r][e] == 0) {
            w.bodies[r][e] = static_cast<unsigned char>(q);
            w.numbers[r][e] = static_cast<unsigned char>(level);
            w.signs[r][e] = static_cast<unsigned char>(host);
            w.used[q] = true;
            return true;
        }
    }
    return false;
}

bool RowHolds(const Work& w, int r, int q) {
    for (int e = 1; e <= 8; ++e)
        if (w.bodies[r][e] == q) return true;
    return false;
}

}  // namespace

const std::set<std::string>& ExchangeTables::Lines(int k) {
    Slot& slot = slots_[static_cast<std::size_t>(k)];
    if (slot.loaded.load(std::memory_order_acquire)) return slot.lines;
    const std::lock_guard<std::mutex> lock(slot.mutex);
    if (!slot.loaded.load(std::memory_order_relaxed)) {
        // The tables are shipped: a damaged one is put back from the
        // installation first, and one that cannot be put back gives no exchange.
        const auto all = rt::ReadShippedTextLines(
            kExchangeFiles[k], "Gli scambi di " + std::to_string(k) + " pianeti non vengono cercati.",
            [k](const std::vector<std::string>& file) { return ExchangeTableContent(k, file); });
        if (all.empty()) {
            static const std::set<std::string> none;
            return none;
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

std::string ExchangeKeyPart(int planet, int sign) {
    return rt::ZeroPad(planet, 2) + rt::ZeroPad(sign, 2);
}

std::array<std::string, kClassicalPlanetCount> PlanetSignKeys(const Chart& chart) {
    std::array<std::string, kClassicalPlanetCount> keys;
    for (int p = 1; p <= N; ++p)
        keys[static_cast<std::size_t>(p - 1)] =
            std::string(kPlanetAbbreviations[p]) + kReceptionSignCodes[SignOfReducedLongitude(LongitudeOfPlanet(chart, p))];
    return keys;
}

ReceptionTables ComputeReceptions(const Chart& chart, ExchangeTables& tables) {
    ReceptionTables r;
    r.planetSignKeys = PlanetSignKeys(chart);

    Work w(tables);
    for (int p = 1; p <= N; ++p) w.sign[p] = SignOfReducedLongitude(LongitudeOfPlanet(chart, p));
    // Dignities.
    for (int p = 1; p <= N; ++p) {
        w.bodies[p][1] = static_cast<unsigned char>(p);
        const int d = DignityOfCode(kDignityCodes[p][w.sign[p]]);
        if (d != kNoDignity) {
            w.dignity[p] = d;
            w.numbers[p][1] = 1;
            w.used[p] = true;
        }
    }

    // Exchanges of two, three, four and five planets.
    for (int k = 2; k <= 5; ++k) {
        const std::vector<int> found = k == 2 ? FindTwoPlanetExchanges(w) : FindExchange(w, k);
        for (int q : found) {
            if (w.dignity[q] == 0) w.dignity[q] = kInExchange;
            w.used[q] = true;
            w.numbers[q][1] = 1;
        }
    }

    // Chains, first level: free planets in the domiciles of a planet with a class.
    for (int p = 1; p <= N; ++p) {
        if (w.dignity[p] == 0) continue;
        for (int q = 1; q <= N; ++q)
            if (q != p && !w.used[q] && InDomicileOf(w.sign[q], p)) PlaceInRow(w, p, q, 2, p);
    }
    // Further levels: free planets in the domiciles of the planets just placed.
    for (int e = 2; e <= 6; ++e) {
        for (int r = 1; r <= N; ++r) {
            const int x = w.bodies[r][e];
            if (x == 0) continue;
            const int level = w.numbers[r][e];
            for (int q = 1; q <= N; ++q) {
                if (!InDomicileOf(w.sign[q], x) || RowHolds(w, r, q) || w.used[q]) continue;
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
    const Class order[] = {{false, kDetriment}, {false, kFall}, {true, 21},           {true, 22},
                           {true, 3},           {true, 4},      {true, 5},            {false, kExaltation},
                           {false, kDomicile}};
    int row = 0;
    for (const Class& c : order) {
        for (int p = 1; p <= N; ++p) {
            const bool match = c.byGroup ? w.group[p] == c.value : (w.group[p] == 0 && w.dignity[p] == c.value);
            if (!match) continue;
            const auto at = static_cast<std::size_t>(row++);
            r.planetDignity[at] = static_cast<unsigned char>(w.dignity[p]);
            r.receptionGroup[at] = static_cast<unsigned char>(w.group[p]);
            for (std::size_t e = 0; e < r.receptionBodies[at].size(); ++e) {
                r.receptionBodies[at][e] = w.bodies[p][e + 1];
                r.receptionNumbers[at][e] = w.numbers[p][e + 1];
                r.receptionSigns[at][e] = w.signs[p][e + 1];
            }
        }
    }
    return r;
}

}  // namespace engine
