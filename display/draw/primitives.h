#pragma once
// The drawing primitives in page units: every point is mapped to device pixels
// with the page-unit mapping and drawn on the device context passed.
#include <string_view>

#include "display/draw/surface.h"

namespace display {

// Every routine draws in the drawing state the surface maps with.
void MoveToScaled(Surface& dc, long double x, long double y);
void LineToScaled(Surface& dc, long double x, long double y);
void RectangleScaled(Surface& dc, long double x1, long double y1, long double x2, long double y2);
void EllipseScaled(Surface& dc, long double x1, long double y1, long double x2, long double y2);
// A circle outline: one arc on the screen at zoom 1, else (on paper, or zoomed)
// 72 lines clockwise from the top.
void DrawCircleScaled(Surface& dc, long double cx, long double cy, long double r);
// 15 dashes of 2/44 of the segment, 1/44 gaps, from the first end to the second.
void DrawDashedLine(Surface& dc, long double x1, long double y1, long double x2, long double y2);
// Dots of radius 0.5 (fine: 0.3) about 1.67 units apart.
void DrawDottedLine(Surface& dc, long double x1, long double y1, long double x2, long double y2);
void DrawFineDottedLine(Surface& dc, long double x1, long double y1, long double x2, long double y2);
// Text (Windows-1252 bytes) in the font of a size code, top-left, top-right or
// top-centre at the point.
void TextOutLeft(Surface& dc, std::string_view text, int sizeCode, long double x, long double y);
void TextOutRight(Surface& dc, std::string_view text, int sizeCode, long double x, long double y);
void TextOutCentered(Surface& dc, std::string_view text, int sizeCode, long double x, long double y);
// The outline of the printable page on a screen surface (a window's canvas or
// what stands for it), with a printer only; never on paper.
void DrawPageFrame(Surface& dc);

}  // namespace display
