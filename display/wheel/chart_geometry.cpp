#include "display/wheel/chart_geometry.h"

#include <vector>

#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/wheel_state.h"

namespace display {

namespace {

void SetRings(ChartGeometryState& geometry, const WheelRings& w) {
    geometry.wheelCentreX = w.centreX;
    geometry.wheelCentreY = w.centreY;
    geometry.signRingOuterRadius = w.signOuter;
    geometry.signRingInnerRadius = w.signInner;
    geometry.planetRingOuterRadius = w.planetOuter;
    geometry.planetRingInnerRadius = w.planetInner;
    geometry.houseRingOuterRadius = w.houseOuter;
    geometry.houseRingInnerRadius = w.houseInner;
}

}  // namespace

PagePoint WheelCentre(const ChartGeometryState& geometry) {
    return {static_cast<Real>(geometry.wheelCentreX), static_cast<Real>(geometry.wheelCentreY)};
}

CircleFrame HouseRingInnerCircle(const ChartGeometryState& geometry) {
    return {.centre = WheelCentre(geometry), .radius = static_cast<Real>(geometry.houseRingInnerRadius)};
}

void SetWheelGeometry(ChartGeometryState& geometry) { SetRings(geometry, kChartWindowWheel); }

void SetDefaultWheelRadii(ChartGeometryState& geometry) { SetRings(geometry, kSheetWheel); }

void ClearChartArea(Surface& dc, NatalWheelState& wheel) {
    {
        ScopedBrush brush(dc, kBlack);
        RectangleScaled(dc, 2, 2, 195, 195);
    }
    for (ChartPoint angle : {ChartPoint::Ascendant, ChartPoint::Midheaven}) {
        wheel.planetGlyphX[angle] = 0;
        wheel.planetGlyphY[angle] = 0;
    }
}

namespace {

void Classify(int segments, int count, std::span<const long double> longitudes, std::span<const long double> boundaries,
              std::span<unsigned char> results) {
    std::vector<long double> b(static_cast<std::size_t>(segments) + 1, 0.0L);
    for (int k = 0; k < segments && k < static_cast<int>(boundaries.size()); ++k) b[k] = boundaries[k];
    b[segments] = b[0];
    for (int j = 0; j < count; ++j) {
        if (j >= static_cast<int>(longitudes.size()) || j >= static_cast<int>(results.size())) break;
        for (int k = 1; k <= segments; ++k) {
            long double w = b[k] - b[k - 1];
            if (w < 0) w += 360;
            long double d = longitudes[j] - b[k - 1];
            if (d < 0) d += 360;
            if (d <= w) {
                int r = k + 1;
                if (r == segments + 1) r = 1;
                results[j] = static_cast<unsigned char>(r);
            }
        }
    }
}

}  // namespace

void ClassifyIntoSegments(int count, std::span<const long double> longitudes, std::span<const long double> boundaries,
                          std::span<unsigned char> results) {
    Classify(36, count, longitudes, boundaries, results);
}

void ClassifyIntoSegments60(int count, std::span<const long double> longitudes, std::span<const long double> boundaries,
                            std::span<unsigned char> results) {
    Classify(60, count, longitudes, boundaries, results);
}

}  // namespace display
