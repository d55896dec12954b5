#include "display/draw/primitives.h"

#include <cmath>

#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

constexpr long double kDegToRad = 3.14159265358979323851L / 180.0L;

void DottedLine(Surface& dc, long double x1, long double y1, long double x2, long double y2, long double rho) {
    const long double dx = x2 - x1, dy = y2 - y1;
    const long double length = std::sqrt(dx * dx + dy * dy);
    const long double n = 1.8L * length;
    const std::int64_t dots = rt::Round(n / 3);
    if (dots <= 0) return;
    const long double sx = dx / (n - 1), sy = dy / (n - 1);
    long double px = x1, py = y1;
    for (std::int64_t i = 0; i < dots; ++i) {
        EllipseScaled(dc, px - rho, py - rho, px + rho, py + rho);
        px += 3 * sx;
        py += 3 * sy;
    }
}

void AlignedText(Surface& dc, std::string_view text, int sizeCode, long double x, long double y, unsigned align) {
    const Point p = MapPoint(dc, x, y);
    SelectFontByCode(dc, sizeCode);
    dc.SetTextAlign(align);
    dc.TextOut(p, text);
    ReleaseFont(dc);
}

}  // namespace

void MoveToScaled(Surface& dc, long double x, long double y) { dc.MoveTo(MapPoint(dc, x, y)); }

void LineToScaled(Surface& dc, long double x, long double y) { dc.LineTo(MapPoint(dc, x, y)); }

void RectangleScaled(Surface& dc, long double x1, long double y1, long double x2, long double y2) {
    const Point a = MapPoint(dc, x1, y1), b = MapPoint(dc, x2, y2);
    dc.Rectangle({a.x, a.y, b.x, b.y});
}

void EllipseScaled(Surface& dc, long double x1, long double y1, long double x2, long double y2) {
    const Point a = MapPoint(dc, x1, y1), b = MapPoint(dc, x2, y2);
    dc.Ellipse({a.x, a.y, b.x, b.y});
}

void DrawCircleScaled(Surface& dc, long double cx, long double cy, long double r) {
    if (!dc.OnPaper() && dc.Drawing().zoomFactor == 1.0L) {
        const Point a = MapPoint(dc, cx - r, cy - r), b = MapPoint(dc, cx + r, cy + r);
        const Point top{(a.x + b.x) / 2, a.y};
        dc.Arc({a.x, a.y, b.x, b.y}, top, top);
        return;
    }
    dc.MoveTo(MapPoint(dc, cx, cy - r));
    for (int t = 5; t <= 360; t += 5) {
        const long double a = t * kDegToRad;
        dc.LineTo(MapPoint(dc, cx + r * std::sin(a), cy - r * std::cos(a)));
    }
}

void DrawDashedLine(Surface& dc, long double x1, long double y1, long double x2, long double y2) {
    const long double sx = (x2 - x1) / 44, sy = (y2 - y1) / 44;
    long double px = x1, py = y1;
    for (int i = 0; i < 15; ++i) {
        dc.MoveTo(MapPoint(dc, px, py));
        dc.LineTo(MapPoint(dc, px + 2 * sx, py + 2 * sy));
        px += 3 * sx;
        py += 3 * sy;
    }
}

void DrawDottedLine(Surface& dc, long double x1, long double y1, long double x2, long double y2) {
    DottedLine(dc, x1, y1, x2, y2, 0.5L);
}

void DrawFineDottedLine(Surface& dc, long double x1, long double y1, long double x2, long double y2) {
    DottedLine(dc, x1, y1, x2, y2, 0.3L);
}

void TextOutLeft(Surface& dc, std::string_view text, int sizeCode, long double x, long double y) {
    AlignedText(dc, text, sizeCode, x, y, kAlignLeft | kAlignTop);
}

void TextOutRight(Surface& dc, std::string_view text, int sizeCode, long double x, long double y) {
    AlignedText(dc, text, sizeCode, x, y, kAlignRight | kAlignTop);
}

void TextOutCentered(Surface& dc, std::string_view text, int sizeCode, long double x, long double y) {
    AlignedText(dc, text, sizeCode, x, y, kAlignCenter | kAlignTop);
}

void DrawPageFrame(Surface& c) {
    const DrawingState& drawing = c.Drawing();
    if (c.OnPaper() || !drawing.printerPresent) return;
    ScopedPen pen(c, 7);
    const long double bottom = drawing.printerLandscape ? 202 : 405;
    c.MoveTo(MapPoint(c, 1, 1));
    LineToScaled(c, 279, 1);
    LineToScaled(c, 279, bottom);
    LineToScaled(c, 1, bottom);
    LineToScaled(c, 1, 1);
}

}  // namespace display
