#pragma once
// Dominant planets by the "Volguine" method: the ten planets Sun to Pluto
// scored by seven criteria, their totals and the weights of the four elements.
#include <array>
#include <string>

#include "engine/chart.h"

namespace engine {

inline constexpr const char* kChartDataTempFile = "FileTmp\\DatiNasc.Tmp";
inline constexpr const char* kVolguineTableFile = "FileDum\\MMMaitre.dum";
inline constexpr const char* kVolguineTotalsFile = "FileDum\\MMMaitr2.dum";
inline constexpr const char* kVolguineScratchFile = "FileDum\\Dati.dum";

// Writes "FileTmp\DatiNasc.Tmp" from a chart and its birth data: name, date
// line, place line, house system, Julian day, 22 longitudes, cusps 1..12,
// latitudes and retrograde marks. The longitudes and latitudes stand by body
// number (engine/bodies_theory.h), the Ascendant and the tenth cusp in
// entries 13 and 14; the marks are those of the chart window's points (the
// Sun to Saturn their own, entries 8 and 9 the lunar node's, "r" or " "). The
// date line is birth.birthDateKey (the archive's date field: YYYYMMDDHHMM and
// the correction), the place line the coordinates text followed by the place
// name.
void WriteChartDataTemp(const Chart& chart, const BirthData& birth);
// The same with the archive's date and place fields given as they are.
void WriteChartDataTemp(const Chart& chart, const BirthData& birth, const std::string& birthDateLine,
                        const std::string& birthPlaceLine);

// Reads "FileTmp\DatiNasc.Tmp", computes the chart of that birth in the house
// system, node and black-moon kinds of the chart's settings and the calendar
// of its moment (a chart of its own), and writes "FileDum\MMMaitre.dum" (the
// score table) and "FileDum\MMMaitr2.dum" (totals and element values). A
// missing "FileTmp\DatiNasc.Tmp" raises rt::IoError before anything is written.
void ComputeVolguineDominants(const Chart& chart);

// The points of one chart to be scored.
struct VolguinePoints {
    PlanetTable<Real> longitude{};  // the Sun to Pluto
    PlanetTable<Real> later{};      // the same a twelfth of a day later
    Real ascendant = 0;
    Real midheaven = 0;
    HouseCusps cusps;  // Placidus
};

// The seven criteria, in the order the score table lists them: affinity with
// the sign of the Ascendant, the planet in its sign, the classical planets in
// their degree zones, the part of its house, affinity with its house, the sex
// of its sign, its speed.
enum class VolguineCriterion { AscendantSign, PlanetInSign, DegreeZone, HousePart, HouseAffinity, SignSex, Speed };
inline constexpr int kVolguineCriterionCount = 7;
inline constexpr auto kVolguineCriteria = FirstEnumerators<VolguineCriterion, kVolguineCriterionCount>();

// The four elements, fire, earth, air and water, in the order of the signs.
inline constexpr int kElementCount = 4;

struct VolguineScores {
    EnumTable<VolguineCriterion, PlanetTable<int>, kVolguineCriterionCount> criterion{};
    PlanetTable<int> total{};
    std::array<int, kElementCount> elementsAll{};        // fire, earth, air, water
    std::array<int, kElementCount> elementsClassical{};  // the same of the Sun to Saturn only
    PlanetTable<Sign> sign{};
    PlanetTable<int> house{};  // house number, 1 to 12
    int ascendantHouse = 0;
    int midheavenHouse = 0;
    PlanetTable<Real> speed{};  // degrees a day
};

// Scores the points by the seven criteria.
VolguineScores ScoreVolguine(const VolguinePoints& points);

}  // namespace engine
