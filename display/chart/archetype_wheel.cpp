#include "display/chart/archetype_wheel.h"

#include <string>

#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/stroke_glyphs.h"

namespace display {

void DrawArchetypeWheel(Surface& dc, const engine::Chart& chart, NatalWheelState& wheel) {
    DrawSignRing(dc, chart.cusps[1], "M", 100, 100, 78, 69, 7.0L, &wheel);
    DrawPlanetRing(dc, WheelPointLongitudes(chart), WheelPointRetroMarks(chart),
                   ChartWindowRing(chart, 55, 69, 7.0L, &wheel));
    DrawHouseCusps(dc, chart, chart.cusps, 83, 100, 100);
    DrawProgramStamp(dc, 5, 50);
    dc.SetTextColor(Rgb(0, 255, 255));
    TextOutLeft(dc, "ARCHETYPISCHE STRUCTUUR", 2, 5, 5);
    TextOutLeft(dc, std::string(50, ' '), 2, 197, 48);
}

}  // namespace display
