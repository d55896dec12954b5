#pragma once
// The humoral attributions: the seven classical planets (Sun to Saturn) counted
// by element, air, fire, earth, water, either of their sign (elemental variant)
// or of their sign's season (seasonal variant: spring air, summer fire, autumn
// earth, winter water), and the four qualities each the sum of two elements:
// hot = air + fire, moist = air + water, cold = earth + water, dry = fire + earth.
// The qualities add up to twice the number of counted planets (14).
// The printable sheets reuse the evaluation.
#include <array>

#include "display/chart/cloths.h"
#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

enum class HumoralVariant { Elemental, Seasonal };

// One element letter per sign, Aries first (A air, F fire, T earth, W water).
extern const engine::SignTable<char> kSignElementLetters;
extern const engine::SignTable<char> kSeasonElementLetters;

struct HumoralCounts {
    std::array<int, 4> e{};  // elements: air, fire, earth, water
    std::array<int, 4> q{};  // qualities: hot, moist, cold, dry
};

// Counts of the planets by the element of their signs or (seasonal) of their
// signs' seasons.
HumoralCounts EvaluateHumoral(const ClassicalPlanetSignTable& signs, bool seasonal);
// The same of a chart's classical planets.
HumoralCounts EvaluateHumoralAttribution(const engine::Chart& chart, HumoralVariant variant);

// The chart window's drawing of the grid about the page point `at`; the
// bracketed name stands centred 33 units above the wheel's centre.
void DrawHumoralGrid(Surface& dc, const HumoralCounts& counts, HumoralVariant variant, PagePoint at,
                     PagePoint wheelCentre);

}  // namespace display
