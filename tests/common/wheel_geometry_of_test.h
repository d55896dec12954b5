#pragma once
// The wheel geometry the tests hand to the chart window they make and to the
// routines that read or set it, as the main window hands its own in the program.
#include "display/wheel/chart_geometry.h"

namespace testing_support {

inline display::ChartGeometryState& WheelGeometryOfTest() {
    static display::ChartGeometryState geometry;
    return geometry;
}

}  // namespace testing_support
