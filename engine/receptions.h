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

// Domiciles of planets 1..7 (up to three signs each, 0 = none).
inline constexpr std::array<std::array<int, 3>, 8> kDomiciles = {{
    {0, 0, 0},
    {5, 0, 0},    // Sun: Leo
    {4, 0, 0},    // Moon: Cancer
    {3, 6, 0},    // Mercury: Gemini, Virgo
    {2, 7, 0},    // Venus: Taurus, Libra
    {1, 8, 0},    // Mars: Aries, Scorpio
    {9, 12, 0},   // Jupiter: Sagittarius, Pisces
    {10, 11, 0},  // Saturn: Capricorn, Aquarius
}};

// The planet whose domicile the sign is (1..7), 0 for none.
constexpr int DomicileRuler(int sign) {
    for (int p = 1; p <= kClassicalPlanetCount; ++p)
        for (int s : kDomiciles[p])
            if (s != 0 && s == sign) return p;
    return 0;
}

// Exchange files of 2..5 planets (index = number of planets; 0 and 1 unused).
inline constexpr std::array<const char*, 6> kExchangeFiles = {
    "", "", "Scambi\\Scambio22.txt", "Scambi\\Scambio33.txt", "Scambi\\Scambio44.txt",
    "Scambi\\Scambio55.txt"};

// One planet's part of an exchange line: planet and sign, two digits each.
std::string ExchangeKeyPart(int planet, int sign);

// Classes of PlanetDignity.
enum DignityClass : unsigned char {
    kNoDignity = 0,
    kDomicile = 1,     // "Heerser."
    kExaltation = 2,   // "Verhog."
    kDetriment = 3,    // "Exil"
    kFall = 4,         // "Val"
    kInExchange = 5,   // "Uitwis."
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
