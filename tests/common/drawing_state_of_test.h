#pragma once
// The drawing state the tests hand to the windows and surfaces they make, as
// the program's start hands its own: the page-unit mapping, the output target,
// the printer's and the screen's measures.
#include "display/draw/drawing_state.h"

namespace testing_support {

inline display::DrawingState& DrawingStateOfTest() { return display::SharedDrawingState(); }

}  // namespace testing_support
