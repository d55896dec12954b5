#pragma once
// The wheel of the archetypal-structure view ("ARCHETYPISCHE STRUCTUUR"): the
// natal points on the zodiac without houses, the background of the view's
// table of dignities.
#include "display/draw/surface.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"

namespace display {

// The wheel of the chart on dc: zodiac ring 69..78, points on 55..69 with
// their glyph centres recorded in wheel, cusp marks, stamp and caption, and a blank
// text at (197, 48) over what an earlier view left there.
void DrawArchetypeWheel(Surface& dc, const engine::Chart& chart, NatalWheelState& wheel);

}  // namespace display
