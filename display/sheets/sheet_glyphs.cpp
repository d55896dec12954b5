#include "display/sheets/sheet_glyphs.h"

#include "display/draw/canvas_form.h"
#include "display/draw/drawing_state.h"
#include "display/draw/glyphs.h"

namespace display {

Surface* SheetGlyphTarget(const DrawingState& drawing) {
    Surface* t = nullptr;
    if (!drawing.PrintOutput && !drawing.MetafileOutput && drawing.DrawForm && drawing.DrawForm->isVisible())
        t = &drawing.DrawForm->Canvas();
    if (drawing.PrintOutput && drawing.PrinterPresent) t = drawing.PrinterCanvas;
    if (drawing.MetafileOutput) t = drawing.ChartMetafileCanvas;
    return t;
}

namespace {

// The surface a glyph goes to: the block's own surface when one is given (so a
// block's glyphs never part from its lines), else the served output. The
// hidden sheet window receives nothing either way.
Surface* GlyphSurface(const DrawingState& drawing, Surface* target) {
    if (!target) return SheetGlyphTarget(drawing);
    if (drawing.DrawForm && target == &drawing.DrawForm->Canvas() && !drawing.DrawForm->isVisible()) return nullptr;
    return target;
}

}  // namespace

void DrawSheetBodyGlyph(DrawingState& drawing, Surface* target, int body, long double x, long double y,
                        long double size) {
    if (Surface* t = GlyphSurface(drawing, target))
        DrawGlyphFile(*t, PlanetGlyphFileName(drawing, RenumberPlanetGlyph(body)), x, y, size);
}

void DrawSheetSignGlyph(DrawingState& drawing, Surface* target, int sign, std::string_view prefix, long double x,
                        long double y, long double size) {
    if (Surface* t = GlyphSurface(drawing, target))
        DrawGlyphFile(*t, SignGlyphFileName(drawing, sign, prefix), x, y, size);
}

void DrawSheetElementGlyph(DrawingState& drawing, Surface* target, int code, long double x, long double y,
                           long double size) {
    const std::string name = ElementGlyphFileName(drawing, code);
    if (name.empty()) return;
    if (Surface* t = GlyphSurface(drawing, target)) DrawGlyphFile(*t, name, x, y, size);
}

}  // namespace display
