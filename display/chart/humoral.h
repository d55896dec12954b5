#pragma once
// The humoral attributions: the seven classical planets (Sun to Saturn) counted
// by element, air, fire, earth, water, either of their sign (elemental variant)
// or of their sign's season (seasonal variant: spring air, summer fire, autumn
// earth, winter water), and the four qualities each the sum of two elements:
// hot = air + fire, moist = air + water, cold = earth + water, dry = fire + earth.
// The qualities add up to twice the number of counted planets (14).
// The printable sheets reuse the evaluation.
#include <array>

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
    std::array<int, 5> e{};  // elements: 1 air, 2 fire, 3 earth, 4 water
    std::array<int, 5> q{};  // qualities: 1 hot, 2 moist, 3 cold, 4 dry
};

// Counts of planets 1..7 by the sign numbers signs[1..7], by the element of
// each sign or (seasonal) of its season.
HumoralCounts EvaluateHumoral(const std::array<unsigned char, 24>& signs, bool seasonal);
// The same of a chart's classical planets.
HumoralCounts EvaluateHumoralAttribution(const engine::Chart& chart, HumoralVariant variant);

// The chart window's drawing of the grid about the page point `at`; the
// bracketed name stands centred 33 units above the wheel's centre.
void DrawHumoralGrid(Surface& dc, const HumoralCounts& counts, HumoralVariant variant, PagePoint at,
                     PagePoint wheelCentre);

}  // namespace display
