#pragma once
// The masters view of the chart window: the planetary day and hour of the
// birth with the hour's ruler, the time of sunrise, the rulers of the signs of
// the Ascendant and the Midheaven, and the rulers of the birth year and of its
// 252-year cycle from the table "Appoggio\GoverAnno.txt".
#include <array>
#include <string>

#include "display/chart/birth_hour.h"
#include "display/chart/chart_view.h"
#include "display/draw/surface.h"
#include "engine/chart.h"
#include "engine/planetary_hours.h"

namespace display {

using engine::Real;

inline constexpr const char* kYearRulersFile = "Appoggio\\GoverAnno.txt";

// Ruler numbers 1..7 (hours, signs, years, cycles): "de Zon", "de Maan",
// "Mercurius", "Venus", "Mars", "Jupiter", "Saturnus"; empty outside 1..7.
std::string RulerName(int ruler);
// The ruler of sign 1..12 (Aries .. Pisces); 0 outside.
int SignRuler(int sign);
// The ruler of planetary hour 1..24 on weekday 0 (Sunday) .. 6; 0 for an hour
// outside 1..24 (no hour found).
int PlanetaryHourRulerOf(int hour, int weekday);
// The planetary hour (1..24) whose boundaries enclose the Sun's longitude;
// 0 when no boundaries enclose it (degenerate boundaries).
int FindPlanetaryHour(const engine::HourBoundaryTable& boundaries, Real sunLongitude);

// Computes the planetary day and hour of the birth from the chart (Julian day,
// zone, place, birth hour and minute, the Sun's longitude) and the place's
// longitude in hours (negative for an east longitude). Called by the chart
// window's activation.
BirthPlanetaryHourState ComputeBirthPlanetaryHour(const engine::Chart& chart, Real longitudeHours);

// The eight lines of the masters table.
struct MastersLine {
    std::string text;  // Windows-1252
    Color colour = kWhite;
    Real y = 0;  // page units
};
struct MastersTable {
    std::array<MastersLine, 8> lines;
};
MastersTable EvaluateMastersTable(const BirthPlanetaryHourState& hour, const engine::Chart& chart, Real centreY);
// Draws the masters lines of the birth's hour and the chart centred on the
// chart window's wheel centre.
void DrawMastersTable(Surface& dc, const BirthPlanetaryHourState& hour, const engine::Chart& chart);

// The year whose rulers stand for a birth: the calendar year of the birth,
// the one before for a birth before the Sun's return to its year-end place
// (sunAtYearEnd below sunAtBirth), carried into the table's cycle 1765..2016.
int FoldYearIntoCycle(int year);
int YearRulerKey(int birthYear, Real sunAtYearEnd, Real sunAtBirth);

struct YearRulers {
    int key = 0;
    int yearRuler = 0;  // 1..7, 0 when the table's line does not name one
    int cycleRuler = 0;
    std::string yearText;   // "Jaar van " + ruler
    std::string cycleText;  // "In de Cyclus van " + ruler
    // What shows the table damaged or incomplete (a year of the cycle without
    // its line, a line without readable rulers), empty when it is sound.
    std::string problem;
};
// The year key of the chart (computes the Sun on 31 December of the birth
// year at 23:59) and its line of the table; a
// year without a line takes the last line. A table damaged in its form is put
// back from the installation as it is read (rt::ReadShippedTextLines). A
// missing table raises rt::IoError.
YearRulers EvaluateYearRulers(const engine::Chart& chart);
// Tells once that the table is damaged or incomplete, when the rulers show it.
void ReportYearRulerProblem(const YearRulers& rulers);
// Draws the two lines of the chart at the wheel centre.
void DrawYearAndCycleRulers(Surface& dc, const engine::Chart& chart);

// The view of the masters button over the natal chart: sub-view 0 the masters
// table, 1 the rulers of the year and of the cycle.
ChartViewShown DrawMastersView(Surface& dc, const ChartViewContext& view);

}  // namespace display
