#include "display/sheets/sheet_glyphs.h"

#include "display/draw/canvas_form.h"
#include "display/draw/drawing_state.h"
#include "display/draw/glyphs.h"

namespace display {

Surface* SheetGlyphTarget() {
    Surface* t = nullptr;
    if (!Drawing.PrintOutput && !Drawing.MetafileOutput && Drawing.DrawForm && Drawing.DrawForm->isVisible())
        t = &Drawing.DrawForm->Canvas();
    if (Drawing.PrintOutput && Drawing.PrinterPresent) t = Drawing.PrinterCanvas;
    if (Drawing.MetafileOutput) t = Drawing.ChartMetafileCanvas;
    return t;
}

namespace {

// The surface a glyph goes to: the block's own surface when one is given (so a
// block's glyphs never part from its lines), else the served output. The
// hidden sheet window receives nothing either way.
Surface* GlyphSurface(Surface* target) {
    if (!target) return SheetGlyphTarget();
    if (Drawing.DrawForm && target == &Drawing.DrawForm->Canvas() && !Drawing.DrawForm->isVisible()) return nullptr;
    return target;
}

}  // namespace

void DrawSheetBodyGlyph(Surface* target, int body, long double x, long double y, long double size) {
    if (Surface* t = GlyphSurface(target))
        DrawGlyphFile(*t, PlanetGlyphFileName(RenumberPlanetGlyph(body)), x, y, size);
}

void DrawSheetSignGlyph(Surface* target, int sign, std::string_view prefix, long double x, long double y,
                        long double size) {
    if (Surface* t = GlyphSurface(target)) DrawGlyphFile(*t, SignGlyphFileName(sign, prefix), x, y, size);
}

void DrawSheetElementGlyph(Surface* target, int code, long double x, long double y, long double size) {
    const std::string name = ElementGlyphFileName(code);
    if (name.empty()) return;
    if (Surface* t = GlyphSurface(target)) DrawGlyphFile(*t, name, x, y, size);
}

}  // namespace display
