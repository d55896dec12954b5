#pragma once
// The twelve signs as dots on a circle inside the wheel, joined in pairs or
// quadrilaterals: the common part of the energy-affinities and antiscia views.
#include <array>
#include <span>
#include <string>
#include <vector>

#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

struct SignSegment {
    int from = 0, to = 0;  // sign numbers 1..12, as the help texts name the pairs
    int pen = 0;           // pen code
    bool dotted = false;   // dotted line, else straight
};
struct SignFigure {
    engine::SignTable<Real> dotX{}, dotY{};  // at radius r - 0.2, whole page units
    engine::SignTable<Real> x{}, y{};        // at radius r, where the segments end
    std::vector<SignSegment> segments;       // in drawing order
    std::string label;                       // empty: none
};

// The point of longitude lambda on the circle, rounded to whole page units,
// turned with the Ascendant (which lies on the left end of the horizontal
// diameter).
PagePoint SignCirclePoint(const CircleFrame& circle, Real ascendant, Real lambda);

// The dots and ends of the twelve points (entries 0..11 of `points`, Aries
// first: the sign mid-points or any longer array; missing entries count 0).
SignFigure PlaceSignPoints(std::span<const Real> points, Real ascendant, const CircleFrame& circle);

// Adds a table of (sign, sign, pen) segments to the figure.
void AddSignSegments(SignFigure& figure, const int (*table)[3], int count, bool dotted);

// The three quadrilaterals: 1-12-7-6, 3-4-9-10, 5-8-11-2.
void AddSignQuadrilaterals(SignFigure& figure, bool dotted);

// Two sets of six (sign, sign, pen) pairs and how a view draws them.
struct SignPairSets {
    const int (*first)[3];
    const int (*second)[3];
    bool secondDotted = false;  // the second set's segments dotted
    bool quadsDotted = false;   // the quadrilaterals dotted
    const char* firstLabel = "";
    const char* secondLabel = "";
};

// mode 0: the first set with its label; 1: the second set with its label;
// 2: both sets, no label; 3: the quadrilaterals; above 3: circle and dots only.
SignFigure EvaluateSignPairs(std::span<const Real> points, Real ascendant, int mode, const CircleFrame& circle,
                             const SignPairSets& sets);

// The figure of EvaluateSignPairs turned with the ascendant, drawn without its
// label (DrawSignFigure).
SignFigure DrawSignPairs(Surface& dc, std::span<const Real> points, Real ascendant, int mode, const CircleFrame& circle,
                         const SignPairSets& sets);

// The circle (line kind 10), the twelve dots (pen 60) and the segments.
void DrawSignFigure(Surface& dc, const SignFigure& figure, const CircleFrame& circle);

}  // namespace display
