#include "display/sheets/sheet_glyphs.h"

namespace display {

void DrawSheetBodyGlyph(Surface& dc, int body, const GlyphPlace& place) {
    if (dc.Visible()) DrawGlyphFile(dc, PlanetGlyphFileName(dc, RenumberPlanetGlyph(body)), place);
}

void DrawSheetSignGlyph(Surface& dc, int sign, std::string_view prefix, const GlyphPlace& place) {
    if (dc.Visible()) DrawGlyphFile(dc, SignGlyphFileName(dc, sign, prefix), place);
}

void DrawSheetElementGlyph(Surface& dc, int code, const GlyphPlace& place) {
    const std::string name = ElementGlyphFileName(dc, code);
    if (name.empty()) return;
    if (dc.Visible()) DrawGlyphFile(dc, name, place);
}

}  // namespace display
