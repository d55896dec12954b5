#pragma once
// Page-unit mapping and the drawing tools: pens by a one-byte code, solid
// brushes by colour, text colours by code and fonts by a size code. The
// black-and-white rule turns every colour but white into the foreground colour
// of the medium drawn for (black on paper and in the metafile, white on the
// screen).
#include <cstdint>
#include <optional>

#include "display/draw/drawing_state.h"
#include "display/draw/surface.h"

namespace display {

// A page point to device pixels: Round((x / AspectScaleX) * PixelsPerUnit *
// ZoomFactor) + OriginX, halves to the even neighbour; y alike.
std::int32_t MapX(const DrawingState& drawing, long double x);
std::int32_t MapY(const DrawingState& drawing, long double y);
Point MapPoint(const DrawingState& drawing, long double x, long double y);
// The same on the drawing state the surface maps with.
inline Point MapPoint(const Surface& dc, long double x, long double y) { return MapPoint(dc.Drawing(), x, y); }
// A length that is not a position: Round(length * PixelsPerUnit * ZoomFactor).
std::int32_t ScaleLength(const DrawingState& drawing, long double length);

// The black-and-white rule for pens and brushes on a medium.
Color ApplyBlackAndWhite(const DrawingState& drawing, Medium medium, Color c);

// The tools below are selected in the drawing state the surface maps with,
// for the medium the surface is drawn for.

// The pen a code stands for in the present drawing state on a medium (width
// already multiplied by LineWidthFactor and rounded).
Pen PenForCode(const DrawingState& drawing, Medium medium, int code);
void SelectPenByCode(Surface& dc, int code);
void ReleasePen(Surface& dc);
// Line kind 0 (axes, main circles) and 10 (thin lines).
void SelectLinePen(Surface& dc, int kind);

void SelectBrushColor(Surface& dc, Color colour);
void ReleaseBrush(Surface& dc);

void SetTextColorByCode(Surface& dc, int code);

// The font of a size code, or nullopt for a code with no font.
std::optional<Font> FontForCode(const DrawingState& drawing, int sizeCode);
void SelectFontByCode(Surface& dc, int sizeCode);
void ReleaseFont(Surface& dc);

// Scope objects: the tool is released when the scope ends.
class ScopedPen {
public:
    ScopedPen(Surface& dc, int code) : dc_(dc) { SelectPenByCode(dc, code); }
    ~ScopedPen() { ReleasePen(dc_); }
    ScopedPen(const ScopedPen&) = delete;
    ScopedPen& operator=(const ScopedPen&) = delete;

private:
    Surface& dc_;
};

class ScopedLinePen {
public:
    ScopedLinePen(Surface& dc, int kind) : dc_(dc) { SelectLinePen(dc, kind); }
    ~ScopedLinePen() { ReleasePen(dc_); }
    ScopedLinePen(const ScopedLinePen&) = delete;
    ScopedLinePen& operator=(const ScopedLinePen&) = delete;

private:
    Surface& dc_;
};

class ScopedBrush {
public:
    ScopedBrush(Surface& dc, Color colour) : dc_(dc) { SelectBrushColor(dc, colour); }
    ~ScopedBrush() { ReleaseBrush(dc_); }
    ScopedBrush(const ScopedBrush&) = delete;
    ScopedBrush& operator=(const ScopedBrush&) = delete;

private:
    Surface& dc_;
};

class ScopedFont {
public:
    ScopedFont(Surface& dc, int sizeCode) : dc_(dc) { SelectFontByCode(dc, sizeCode); }
    ~ScopedFont() { ReleaseFont(dc_); }
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

private:
    Surface& dc_;
};

}  // namespace display
