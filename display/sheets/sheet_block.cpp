#include "display/sheets/sheet_block.h"

#include "display/draw/drawing_tools.h"

namespace display {

SheetBlockGuard::SheetBlockGuard(Surface& dc)
    : dc_(dc),
      saved_(dc.State()),
      hadPen_(dc.Drawing().currentPen.has_value()),
      hadBrush_(dc.Drawing().currentBrush.has_value()),
      hadFont_(dc.Drawing().currentFont.has_value()) {}

SheetBlockGuard::~SheetBlockGuard() {
    // Tools the block left selected in the drawing layer's slots go first.
    const DrawingState& drawing = dc_.Drawing();
    if (!hadPen_ && drawing.currentPen) ReleasePen(dc_);
    if (!hadBrush_ && drawing.currentBrush) ReleaseBrush(dc_);
    if (!hadFont_ && drawing.currentFont) ReleaseFont(dc_);
    const SurfaceState& now = dc_.State();
    if (!(now.pen == saved_.pen)) dc_.SelectPen(saved_.pen);
    if (!(now.brush == saved_.brush)) dc_.SelectBrush(saved_.brush);
    if (!(now.font == saved_.font)) dc_.SelectFont(saved_.font);
    if (now.textAlign != saved_.textAlign) dc_.SetTextAlign(saved_.textAlign);
    if (now.textColor != saved_.textColor) dc_.SetTextColor(saved_.textColor);
    if (now.bkColor != saved_.bkColor) dc_.SetBkColor(saved_.bkColor);
    if (now.bkMode != saved_.bkMode) dc_.SetBkMode(saved_.bkMode);
    if (now.polyFillMode != saved_.polyFillMode) dc_.SetPolyFillMode(saved_.polyFillMode);
}

}  // namespace display
