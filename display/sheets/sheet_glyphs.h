#pragma once
// The glyphs of the printable sheets: body, sign and element symbols drawn on
// the surface the calling block draws on, or, when none is given (nullptr), on
// whichever output the drawing layer is serving (the visible screen form, the
// printer or the chart metafile of the drawing state handed). Nothing goes to a
// hidden sheet window.
#include <string_view>

#include "display/draw/surface.h"

namespace display {

// Body numbers 8..11 use the files of the north node, south node, Ascendant and
// Midheaven (11, 13, 14, 15).
void DrawSheetBodyGlyph(DrawingState& drawing, Surface* target, int body, long double x, long double y,
                        long double size);
void DrawSheetSignGlyph(DrawingState& drawing, Surface* target, int sign, std::string_view prefix, long double x,
                        long double y, long double size);
// Codes 1..7: fire, earth, air, water, salt, sulphur, mercury; other codes draw nothing.
void DrawSheetElementGlyph(DrawingState& drawing, Surface* target, int code, long double x, long double y,
                           long double size);

// The surface sheet glyphs go to now: the printer while printing, the chart
// metafile while recording, else DrawForm's canvas when that form is visible.
Surface* SheetGlyphTarget(const DrawingState& drawing);

}  // namespace display
