#pragma once
// The drawing state the tests hand to the windows and surfaces they make, as
// the program's start hands its own: the page-unit mapping, the colours,
// the printer's and the screen's measures. The tests own it.
#include "display/draw/drawing_state.h"

namespace testing_support {

inline display::DrawingState& DrawingStateOfTest() {
    static display::DrawingState drawing;
    return drawing;
}

}  // namespace testing_support
