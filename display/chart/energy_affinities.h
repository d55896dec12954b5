#pragma once
// The energy-affinities view: the "Magnetische" pairs of signs (solid), the
// " Solilunaire" pairs (dotted), both, or the three quadrilaterals (dotted).
#include "display/chart/sign_figures.h"

namespace display {

// mode 0: magnetic pairs with their label; 1: solilunar pairs with theirs;
// 2: both sets, no label; 3: the quadrilaterals; above 3: circle and dots only.
SignFigure EvaluateEnergyAffinities(std::span<const Real> points, Real ascendant, int mode, Real cx, Real cy,
                                    Real r);
// Draws the figure about (cx, cy) turned with the ascendant; the label in cyan
// left-aligned at (cx - 10, cy - 2).
SignFigure DrawEnergyAffinities(Surface& dc, std::span<const Real> points, Real ascendant, int mode, Real cx, Real cy,
                                Real r);

}  // namespace display
