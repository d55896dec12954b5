#pragma once
// What every sheet block shares: what a block reads (the chart and what the
// steps of its sheet computed before it, all read-only), and a guard that puts
// back the drawing state a block changed (pen, brush, font, text and
// background colours, background mode, text alignment, fill mode, and the
// drawing layer's tool slots) when the block ends, also when it ends by an
// error.
#include <string>
#include <string_view>

#include "display/draw/drawing_state.h"
#include "display/draw/surface.h"
#include "engine/chart.h"

namespace display {

struct SheetRulerState;

// What the blocks of a sheet read.
struct SheetContext {
    const engine::Chart& chart;
    const engine::BirthData& birth;
    const engine::OrbRecord& orbs;
    const SheetRulerState& rulers;  // the birth's weekday and the planetary hour
    std::string_view calendarNote;  // " Calend. Giuliano" for a Julian-calendar birth
    int aspectLinesOn = 1;          // 1 aspect lines, 0 wedges
    std::string userFullName;       // printed under the date beside the caption
};

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
