#pragma once
// The figure of the major aspects inside the wheel ("PLANETAIRE ASPECTEN",
// "(Alleen grote aspecten)"): every chart point a dot on an inner circle, each
// opposition, square, trine and sextile joined by a band that is wider the
// more exact the aspect (style 0) or by a plain line, solid for the soft
// aspects and dashed for the hard ones (style 1).
#include <array>
#include <vector>

#include "archive/current_chart.h"
#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

struct AspectFigureLink {
    int first = 0, second = 0;  // the points' indices
    int aspect = 0;             // 180, 120, 90 or 60
    bool hard = false;          // opposition or square
    int exactness = 0;          // |Round(aspect - distance)|, whole degrees
};
struct MajorAspectFigure {
    int count = 0;                        // 11, or 14 in the engine's full body order
    std::array<Real, 24> x{}, y{};        // the first `count` points, whole page units
    std::vector<AspectFigureLink> links;  // in drawing order
};

// The points on the circle, the Ascendant on the left, and the aspects
// between them within the orbs of slots 0..4. An opposition within half a
// degree of exact is left out.
MajorAspectFigure EvaluateMajorAspectFigure(const WheelPointArray& longitudes, Real ascendant,
                                            const engine::OrbRecord& orbs, bool fullBodyOrder,
                                            const CircleFrame& circle);

// Half the width of the band of an aspect of the given exactness: 1.86 for an
// exact aspect, 0.83 at one degree, 0.42 at four.
Real AspectBandHalfWidth(int exactness);
// The six corners of a band between two page points (pointed ends, full width
// 8 units from each tip), in device pixels.
std::array<Point, 6> AspectBandCorners(const DrawingState& drawing, Real x1, Real y1, Real x2, Real y2, int exactness);
// Fills the band with the pen and brush of dc (winding fill).
void DrawAspectBand(Surface& dc, Real x1, Real y1, Real x2, Real y2, int exactness);

// The circle, the dots and the figure turned with the current chart's first
// cusp, within the current orbs. style 0: bands, 1: lines.
MajorAspectFigure DrawMajorAspectGrid(Surface& dc, const archive::CurrentChart& current,
                                      const WheelPointArray& longitudes, int style, const CircleFrame& circle,
                                      bool fullBodyOrder);

}  // namespace display
