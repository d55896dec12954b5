#include "display/chart/antiscia_wheel.h"

#include "display/draw/primitives.h"

namespace display {

namespace {

constexpr int kAntiscia[6][3] = {{1, 12, 33}, {2, 11, 33}, {3, 10, 33}, {4, 9, 33}, {5, 8, 33}, {6, 7, 33}};
constexpr int kContraAntiscia[6][3] = {{3, 4, 22}, {2, 5, 22}, {1, 6, 22}, {12, 7, 22}, {11, 8, 22}, {10, 9, 22}};

const SignPairSets kAntisciaSets{kAntiscia, kContraAntiscia, false, false, "Antisce", "Contrantisce"};

}  // namespace

SignFigure EvaluateAntisciaWheel(std::span<const Real> points, Real ascendant, int mode, const CircleFrame& circle) {
    return EvaluateSignPairs(points, ascendant, mode, circle, kAntisciaSets);
}

SignFigure DrawAntisciaWheel(Surface& dc, std::span<const Real> points, Real ascendant, int mode,
                             const CircleFrame& circle) {
    const SignFigure f = DrawSignPairs(dc, points, ascendant, mode, circle, kAntisciaSets);
    if (!f.label.empty()) {
        dc.SetTextColor(0xFFFF00);
        dc.SetBkColor(kBlack);
        TextOutCentered(dc, f.label, 15, circle.centre.x, circle.centre.y);
    }
    return f;
}

}  // namespace display
