#pragma once
// Fonts by the platform's face names and cell heights, on the fonts we ship with:
// "Arial" is Liberation Sans and "Courier" Liberation Mono (metric-compatible). A
// positive height is the cell height (ascent + descent), not the em size.
#include <QFont>
#include <string_view>

#include "display/draw/surface.h"

namespace display {

// Registers the font substitutions (idempotent; done by every function below).
void RegisterFontSubstitutions();

// The Qt font of a logical font; the pixel size is the em size whose ascent +
// descent equals a positive cell height.
QFont ToQFont(const Font& font);

// Text metrics of a Windows-1252 text in a logical font, in device pixels.
TextMetrics MeasureTextIn(const Font& font, std::string_view cp1252);

// Ascent + descent of a font per pixel of em size (e.g. 1.117 for Liberation Sans).
double CellPerEm(const QString& family);

}  // namespace display
