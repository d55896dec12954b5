#pragma once
// The antiscia view: the "Antisce" pairs of signs mirrored about 0 Aries - 0
// Libra, the "Contrantisce" pairs mirrored about 0 Cancer - 0 Capricorn, both,
// or the three quadrilaterals, all solid.
#include "display/chart/sign_figures.h"

namespace display {

// mode 0: antiscia pairs with their label; 1: contra-antiscia pairs with
// theirs; 2: both sets, no label; 3: the quadrilaterals; above 3: circle and
// dots only.
SignFigure EvaluateAntisciaWheel(std::span<const Real> points, Real ascendant, int mode, const CircleFrame& circle);
// Draws the figure turned with the ascendant; the label in cyan on black,
// centred on the circle's centre.
SignFigure DrawAntisciaWheel(Surface& dc, std::span<const Real> points, Real ascendant, int mode,
                             const CircleFrame& circle);

}  // namespace display
