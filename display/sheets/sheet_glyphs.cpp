#include "display/sheets/sheet_glyphs.h"

#include "display/draw/glyphs.h"

namespace display {

void DrawSheetBodyGlyph(Surface& dc, int body, long double x, long double y, long double size) {
    if (dc.Visible()) DrawGlyphFile(dc, PlanetGlyphFileName(dc, RenumberPlanetGlyph(body)), x, y, size);
}

void DrawSheetSignGlyph(Surface& dc, int sign, std::string_view prefix, long double x, long double y,
                        long double size) {
    if (dc.Visible()) DrawGlyphFile(dc, SignGlyphFileName(dc, sign, prefix), x, y, size);
}

void DrawSheetElementGlyph(Surface& dc, int code, long double x, long double y, long double size) {
    const std::string name = ElementGlyphFileName(dc, code);
    if (name.empty()) return;
    if (dc.Visible()) DrawGlyphFile(dc, name, x, y, size);
}

}  // namespace display
