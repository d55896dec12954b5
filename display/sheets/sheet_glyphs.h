#pragma once
// The glyphs of the printable sheets: body, sign and element symbols drawn on
// the surface the calling block draws on (the sheet viewer's window, the
// printer's page or the chart metafile). Nothing goes to a window that is not
// shown.
#include <string_view>

#include "display/draw/glyphs.h"
#include "display/draw/surface.h"

namespace display {

// Body numbers 8..11 use the files of the north node, south node, Ascendant and
// Midheaven (11, 13, 14, 15).
void DrawSheetBodyGlyph(Surface& dc, int body, const GlyphPlace& place);
void DrawSheetSignGlyph(Surface& dc, int sign, std::string_view prefix, const GlyphPlace& place);
// Codes 1..7: fire, earth, air, water, salt, sulphur, mercury; other codes draw nothing.
void DrawSheetElementGlyph(Surface& dc, int code, const GlyphPlace& place);

}  // namespace display
