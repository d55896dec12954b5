#pragma once
// What every sheet block shares: a guard that puts back the drawing state a
// block changed (pen, brush, font, text and background colours, background
// mode, text alignment, fill mode, and the drawing layer's tool slots) when the
// block ends, also when it ends by an error.
#include "display/draw/drawing_state.h"
#include "display/draw/surface.h"

namespace display {

class SheetBlockGuard {
public:
    explicit SheetBlockGuard(Surface& dc);
    ~SheetBlockGuard();
    SheetBlockGuard(const SheetBlockGuard&) = delete;
    SheetBlockGuard& operator=(const SheetBlockGuard&) = delete;

private:
    Surface& dc_;
    SurfaceState saved_;
    bool hadPen_, hadBrush_, hadFont_;
};

}  // namespace display
