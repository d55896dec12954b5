#include "display/chart/view_drawing.h"

#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/primitives.h"

namespace display {

void LineScaled(Surface& dc, Real x1, Real y1, Real x2, Real y2) {
    dc.MoveTo(MapPoint(dc, x1, y1));
    LineToScaled(dc, x2, y2);
}

void DrawPointGlyph(Surface& dc, int point, PagePoint at, Real size) {
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, RenumberPlanetGlyph(point)), {at.x, at.y, size});
}

void DrawViewTitles(Surface& dc, std::string_view title, int titleSize, std::string_view subtitle, int subtitleSize) {
    dc.SetTextColor(kViewCyan);
    TextOutLeft(dc, title, titleSize, 5, 5);
    if (!subtitle.empty()) TextOutLeft(dc, subtitle, subtitleSize, 5, 10);
}

}  // namespace display
