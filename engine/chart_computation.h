#pragma once
// A whole chart from its moment, its place and its settings: the houses of
// its house system, then every body with its retrograde flag, then the named
// points.
#include "engine/chart.h"
#include "engine/ephemeris_tables.h"

namespace engine {

// Ceres to Chiron outside the span of their correction tables (1850 to 2080):
// kept as computed, or left out of the chart (longitude zero, not retrograde).
enum class MinorBodiesOutOfRange { Kept, LeftOut };

// Computes the chart. The correction tables are read from `tables`, by default
// those of the program's data folder; a missing or damaged one raises its
// error (engine/ephemeris_tables.h) and no chart is made.
[[nodiscard]] Chart ComputeChart(const Moment& moment, const Place& place, const ChartSettings& settings,
                                 MinorBodiesOutOfRange minorBodies = MinorBodiesOutOfRange::Kept,
                                 EphemerisTables& tables = ShippedEphemerisTables());

}  // namespace engine
