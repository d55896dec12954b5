#pragma once
// The energy-affinities view: the "Magnetische" pairs of signs (solid), the
// " Solilunaire" pairs (dotted), both, or the three quadrilaterals (dotted).
#include "display/chart/sign_figures.h"

namespace display {

// mode 0: magnetic pairs with their label; 1: solilunar pairs with theirs;
// 2: both sets, no label; 3: the quadrilaterals; above 3: circle and dots only.
SignFigure EvaluateEnergyAffinities(std::span<const Real> points, Real ascendant, int mode, const CircleFrame& circle);
// Draws the figure on the circle turned with the ascendant; the label in cyan
// left-aligned 10 units left of and 2 above the circle's centre.
SignFigure DrawEnergyAffinities(Surface& dc, std::span<const Real> points, Real ascendant, int mode,
                                const CircleFrame& circle);

}  // namespace display
