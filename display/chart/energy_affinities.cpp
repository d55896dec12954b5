#include "display/chart/energy_affinities.h"

#include "display/draw/primitives.h"

namespace display {

namespace {

constexpr int kMagnetic[6][3] = {{1, 7, 77}, {2, 8, 77}, {6, 12, 22}, {9, 11, 33}, {3, 5, 22}, {4, 10, 33}};
constexpr int kSolilunar[6][3] = {{4, 11, 33}, {3, 12, 22}, {1, 2, 77}, {5, 6, 22}, {7, 8, 77}, {9, 10, 33}};

const SignPairSets kAffinitySets{kMagnetic, kSolilunar, true, true, "Magnetische", " Solilunaire"};

}  // namespace

SignFigure EvaluateEnergyAffinities(std::span<const Real> points, Real ascendant, int mode, const CircleFrame& circle) {
    return EvaluateSignPairs(points, ascendant, mode, circle, kAffinitySets);
}

SignFigure DrawEnergyAffinities(Surface& dc, std::span<const Real> points, Real ascendant, int mode,
                                const CircleFrame& circle) {
    const SignFigure f = DrawSignPairs(dc, points, ascendant, mode, circle, kAffinitySets);
    if (!f.label.empty()) {
        dc.SetTextColor(0xFFFF00);
        TextOutLeft(dc, f.label, 15, circle.centre.x - 10, circle.centre.y - 2);
    }
    return f;
}

}  // namespace display
