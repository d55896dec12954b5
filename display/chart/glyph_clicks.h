#pragma once
// Clicks on the glyphs of the chart window: the hit test of the dignity glyphs,
// the chart points and the signs, the red marker of a hit and the rings put
// back when the button is released, the four click steps of a point or a sign
// (attribution texts, plants, plants hidden, antiscia lines), the attribution
// texts shown in the two memos, and the small signature-search panel.
#include <functional>
#include <string>

#include "display/chart/attribution_texts.h"
#include "engine/chart.h"

class QLabel;

namespace display {

class ChartWindow;
class Surface;
struct DrawingState;
using engine::Real;

// Connects the click steps, the plants panel and the signature-search panel of
// the window, and sets its glyph-click handler and its antiscia drawer
// (DrawAntisciaOfClicked of its chart and wheel); called once by the window
// when it is made.
void InstallGlyphClicks(ChartWindow& form);

// The three passes of a mouse press at device point (x, y): dignity glyphs,
// chart points, signs; then the step of the last point or sign hit, or, when
// neither was hit, the specific memo emptied.
void PressGlyphsAt(ChartWindow& form, int x, int y);
// Every marker back to a red ring on black.
void RedrawGlyphRings(ChartWindow& form);
// Forgets every stored glyph centre (points, signs, dignity glyphs): the window
// opens anew and nothing is drawn yet.
void ForgetGlyphCentres(ChartWindow& form);

// The texts of chart point 1..11 and of sign 1..12 into specificMemo and generalMemo.
void ShowPlanetAttributes(ChartWindow& form, int body);
void ShowSignAttributes(ChartWindow& form, int sign);

// Signature-search panel.
void ShowSignatureSearch(ChartWindow& form);
void ClearPlanetFilter(ChartWindow& form);
void ClearSignFilter(ChartWindow& form);

// A glyph metafile shown in one of the panels' image boxes (a missing file is
// reported once; the box is then left empty).
void LoadGlyphImage(DrawingState& drawing, QLabel* image, const std::string& fileName);

}  // namespace display
