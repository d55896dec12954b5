#pragma once
// The drawing primitives in page units: every point is mapped to device pixels
// with the page-unit mapping and drawn on the device context passed (or, for
// MoveToScaled, on the current output target).
#include <string_view>

#include "display/draw/surface.h"

namespace display {

class CanvasForm;
struct DrawingState;

// Every routine draws in the drawing state the surface maps with; MoveToScaled
// moves on the output target of the drawing state it is handed.
void MoveToScaled(const DrawingState& drawing, long double x, long double y);
void LineToScaled(Surface& dc, long double x, long double y);
void RectangleScaled(Surface& dc, long double x1, long double y1, long double x2, long double y2);
void EllipseScaled(Surface& dc, long double x1, long double y1, long double x2, long double y2);
// A circle outline: one arc on the screen at zoom 1, else 72 lines clockwise from the top.
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
// The outline of the printable page on the screen form (with a printer only).
void DrawPageFrame(const DrawingState& drawing, CanvasForm* form);
// The same outline on a screen surface (the form's canvas or what stands for it).
void DrawPageFrame(Surface& dc);

}  // namespace display
