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

void DrawSheetBodyGlyph(Surface*, int body, long double x, long double y, long double size) {
    if (Surface* t = SheetGlyphTarget()) DrawGlyphFile(*t, PlanetGlyphFileName(RenumberPlanetGlyph(body)), x, y, size);
}

void DrawSheetSignGlyph(Surface*, int sign, std::string_view prefix, long double x, long double y, long double size) {
    if (Surface* t = SheetGlyphTarget()) DrawGlyphFile(*t, SignGlyphFileName(sign, prefix), x, y, size);
}

void DrawSheetElementGlyph(Surface*, int code, long double x, long double y, long double size) {
    const std::string name = ElementGlyphFileName(code);
    if (name.empty()) return;
    if (Surface* t = SheetGlyphTarget()) DrawGlyphFile(*t, name, x, y, size);
}

}  // namespace display
