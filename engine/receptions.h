#pragma once
// Essential dignities of the seven classical planets (Sun to Saturn), their
// mutual receptions (exchanges of two to five planets) and the chains of
// planets standing in the domiciles of the dignified or exchanging planets.
#include <array>
#include <atomic>
#include <mutex>
#include <set>
#include <string>

#include "engine/chart.h"

namespace engine {

// The number of a classical planet in the reception tables' entries and the
// exchange files, 1 (the Sun) to 7 (Saturn), and the planet of a number.
constexpr int ClassicalPlanetNumber(Body planet) { return static_cast<int>(planet) + 1; }
constexpr Body ClassicalPlanetOfNumber(int number) { return static_cast<Body>(number - 1); }

// The signs a classical planet rules: one for each light, two for the others.
struct Domiciles {
    std::array<Sign, 2> signs{};
    std::size_t count = 0;
    constexpr const Sign* begin() const { return signs.data(); }
    constexpr const Sign* end() const { return signs.data() + count; }
};
inline constexpr ClassicalPlanetTable<Domiciles> kDomiciles = {{{
    {{Sign::Leo}, 1},                        // Sun
    {{Sign::Cancer}, 1},                     // Moon
    {{Sign::Gemini, Sign::Virgo}, 2},        // Mercury
    {{Sign::Taurus, Sign::Libra}, 2},        // Venus
    {{Sign::Aries, Sign::Scorpio}, 2},       // Mars
    {{Sign::Sagittarius, Sign::Pisces}, 2},  // Jupiter
    {{Sign::Capricorn, Sign::Aquarius}, 2},  // Saturn
}}};

// The planet whose domicile the sign is, both by their numbers (the planet
// 1..7, the sign 1..12), 0 for none.
constexpr int DomicileRuler(int sign) {
    for (Body p : kClassicalPlanets)
        for (Sign s : kDomiciles[p])
            if (SignNumber(s) == sign) return ClassicalPlanetNumber(p);
    return 0;
}

// The exchanges are of two to five planets, each size in a file of its own,
// the exchanges of two first.
inline constexpr int kSmallestExchange = 2;
inline constexpr int kLargestExchange = 5;
inline constexpr std::array<const char*, kLargestExchange - kSmallestExchange + 1> kExchangeFiles = {
    "Scambi\\Scambio22.txt", "Scambi\\Scambio33.txt", "Scambi\\Scambio44.txt", "Scambi\\Scambio55.txt"};
// The file of the exchanges of k planets (2..5).
constexpr const char* ExchangeFile(int k) { return kExchangeFiles[static_cast<std::size_t>(k - kSmallestExchange)]; }

// One planet's part of an exchange line: planet and sign, two digits each.
std::string ExchangeKeyPart(int planet, int sign);

// Classes of PlanetDignity.
enum DignityClass : unsigned char {
    kNoDignity = 0,
    kDomicile = 1,    // "Heerser."
    kExaltation = 2,  // "Verhog."
    kDetriment = 3,   // "Exil"
    kFall = 4,        // "Val"
    kInExchange = 5,  // "Uitwis."
};

// The exchange files of 2..5 planets, each read at its first need and only
// read afterwards; charts computed at once on several threads share them. A
// damaged file is put back from the installation as it is read; one that
// cannot be put back gives no exchange (the user is told once) and is read
// again at the next need, as is a missing one, which raises rt::IoError.
class ExchangeTables {
public:
    // The lines of the file of k planets (2..5).
    const std::set<std::string>& Lines(int k);
    // Forgets what was read: the next need reads the files of the working
    // folder again. Never while receptions are being computed from them.
    void Reload();

private:
    struct Slot {
        std::mutex mutex;
        std::atomic<bool> loaded{false};
        std::set<std::string> lines;
    };
    std::array<Slot, kExchangeFiles.size()> slots_;
};

// The exchange files of the program's data folder, made at their first use.
ExchangeTables& ShippedExchangeTables();

// The receptions of the chart's seven classical planets. Reads the exchange
// files it needs from `tables`, by default those of the program's data
// folder; a missing file raises rt::IoError.
[[nodiscard]] ReceptionTables ComputeReceptions(const Chart& chart, ExchangeTables& tables = ShippedExchangeTables());

// The key of each classical planet in its sign ("Sole" + "Leon" ...), the Sun first.
std::array<std::string, kClassicalPlanetCount> PlanetSignKeys(const Chart& chart);

}  // namespace engine
