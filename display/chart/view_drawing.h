#pragma once
// Small drawing helpers shared by the chart window's views: lines and glyphs in
// page units on a given surface, the colours the views name, and the view titles
// in the top left corner of the chart square.
#include <string_view>

#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

inline constexpr Color kViewCyan = Rgb(0, 255, 255);
inline constexpr Color kViewRed = Rgb(255, 0, 0);
inline constexpr Color kViewGreen = Rgb(0, 255, 0);
inline constexpr Color kViewYellow = Rgb(255, 255, 0);
inline constexpr Color kViewGrey = Rgb(128, 128, 128);
inline constexpr Color kViewLightGrey = Rgb(192, 192, 192);

// A straight line between two page points with the pen the surface holds.
void LineScaled(Surface& dc, Real x1, Real y1, Real x2, Real y2);

// The glyph of chart point 1..11 (Sun .. Midheaven) centred on the page point,
// in a square of that side, drawn on dc.
void DrawPointGlyph(Surface& dc, int point, PagePoint at, Real size);

// A view's title in cyan, left-aligned at (5, 5) with its size code, and the
// subtitle at (5, 10) with its size code (none when empty).
void DrawViewTitles(Surface& dc, std::string_view title, int titleSize, std::string_view subtitle = {},
                    int subtitleSize = 15);

}  // namespace display
