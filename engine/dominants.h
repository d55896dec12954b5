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
    std::array<Real, 13> longitude{};  // 1..10 Sun..Pluto, 11 Ascendant, 12 Midheaven
    std::array<Real, 11> later{};      // 1..10 a twelfth of a day later
    std::array<Real, 16> cusps{};      // 1..12 (Placidus)
};

struct VolguineScores {
    std::array<std::array<int, 11>, 8> criterion{};  // [1..7][planet 1..10]
    std::array<int, 11> total{};                     // planet 1..10
    std::array<int, 5> elementsAll{};                // 1 fire, 2 earth, 3 air, 4 water
    std::array<int, 5> elementsClassical{};          // the same of Sun..Saturn only
    std::array<int, 13> sign{};                      // of each point 1..12
    std::array<int, 13> house{};                     // of each point 1..12
    std::array<Real, 11> speed{};                    // degrees a day, planet 1..10
};

// Scores the points by the seven criteria.
VolguineScores ScoreVolguine(const VolguinePoints& points);

}  // namespace engine
