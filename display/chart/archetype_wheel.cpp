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
    const PagePoint centre = kChartWindowWheel.Centre();
    DrawSignRing(dc, chart.cusps[1], "M", {.centre = centre, .outerRadius = 78, .innerRadius = 69}, 7.0L, &wheel);
    DrawPlanetRing(dc, WheelPointLongitudes(chart), WheelPointRetroMarks(chart),
                   ChartWindowRing(chart, {.centre = centre, .outerRadius = 69, .innerRadius = 55}, 7.0L, &wheel));
    DrawHouseCusps(dc, chart, chart.cusps, {.centre = centre, .radius = 83});
    DrawProgramStamp(dc, 5, 50);
    dc.SetTextColor(Rgb(0, 255, 255));
    TextOutLeft(dc, "ARCHETYPISCHE STRUCTUUR", 2, 5, 5);
    TextOutLeft(dc, std::string(50, ' '), 2, 197, 48);
}

}  // namespace display
