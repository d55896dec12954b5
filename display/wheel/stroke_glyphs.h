#pragma once
// The small vector glyphs of the aspects, drawn from fixed stroke tables in page
// units; the program stamp box and the date and user-name caption of a sheet.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

class Surface;
using engine::Real;

// 18 points (x, y) in glyph units as 36 signed bytes; (100, 100) lifts the pen.
using StrokeTable = std::array<std::int8_t, 36>;

struct AspectGlyph {
    StrokeTable strokes;
    int penCode;  // 0: pen 5 on the screen, pen 4 on paper or metafile
    int count;    // byte count N that bounds the reading of the table
};

// The glyphs of aspect codes 1..11, code c at c - 1.
extern const std::array<AspectGlyph, 11> kAspectGlyphs;
// The glyphs of the three aspects the aspect view does not draw, in the same
// strokes and units: the decile (36), the novile (40) and the septile (360/7).
extern const AspectGlyph kDecileGlyph;
extern const AspectGlyph kNovileGlyph;
extern const AspectGlyph kSeptileGlyph;

// Draws the strokes of a glyph's table around the page point at, each point p
// at (at.x + p.x * 0.45 * size, at.y + p.y * 0.45 * size), with the pen of penCode.
void DrawStrokeGlyph(Surface& dc, const AspectGlyph& glyph, int penCode, PagePoint at, Real size);
// The glyph of an aspect code 1..11 (other codes draw nothing).
void DrawAspectGlyph(Surface& dc, int code, PagePoint at, Real size);

// The stamp box with the program's name at (x + 5, y + 130): the shadow shape,
// the red box with the name in white; the plain one keeps the brush of dc and
// writes the name in text colour code 4.
void DrawProgramStamp(Surface& dc, Real x, Real y);
void DrawProgramStampPlain(Surface& dc, Real x, Real y);

// Today's date (DD/MM/YYYY) right-aligned at (x, y) and the user's full name
// 4 units below it. Returns the date written.
std::string DrawCaptionPair(Surface& dc, Real x, Real y, const std::string& userFullName);

}  // namespace display
