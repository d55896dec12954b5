#pragma once
// What the natal wheel keeps for the rest of the chart window: the page centres
// of the glyphs as last drawn (for the click handler), the per-point decade,
// term and decan tables of the position files, the sign mid-points and the
// weekday of the birth. The chart window owns it: its drawing fills it, its
// click handler and its views read it.
#include <array>
#include <string>

#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_reports.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

struct NatalWheelState {
    // Page centres of the glyphs of the chart window's points and of the signs.
    ChartPointTable<Real> planetGlyphX{}, planetGlyphY{};
    engine::SignTable<Real> signGlyphX{}, signGlyphY{};
    // Page centres of the seven dignity glyphs of the archetypal structure
    // (the Sun to Saturn, the body numbered 1..7 at index number - 1), as the
    // view last drew them.
    std::array<Real, engine::kClassicalPlanetCount> dignityGlyphX{}, dignityGlyphY{};
    // Entries 0..35 / 0..59 hold the boundaries; the last entry is left to the
    // classification.
    std::array<Real, 37> decadeBoundaries{};
    std::array<Real, 61> termBoundaries{};
    // Of the chart window's points: the decade (1..36), the term (1..60) and
    // the decan key.
    ChartPointTable<unsigned char> bodyDecades{};
    ChartPointTable<unsigned char> bodyTerms{};
    ChartPointTable<std::string> bodyDecanKeys{};
    // Aries to Pisces: 15, 45, ..., 345.
    engine::SignTable<Real> signMidpoints{};
    // Dutch weekday of the birth date by clock time (string[9]).
    std::string birthWeekdayName;
    // The data files whose failure the window's drawings and clicks told.
    FileErrorReports fileErrors;
};

}  // namespace display
