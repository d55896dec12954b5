#include "display/chart/archetype_wheel.h"

#include <string>

#include "archive/current_chart.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/stroke_glyphs.h"

namespace display {

using engine::Chart;

void DrawArchetypeWheel(Surface& dc, NatalWheelState& wheel) {
    DrawSignRing(dc, "M", 100, 100, 78, 69, 7.0L, &wheel);
    DrawPlanetRing(dc, Chart.PlanetLongitudes, Chart.RetroMarks, ChartWindowRing(55, 69, 7.0L, &wheel));
    DrawHouseCusps(dc, Chart.HouseCusps, 83, 100, 100);
    DrawProgramStamp(dc, 5, 50);
    dc.SetTextColor(Rgb(0, 255, 255));
    TextOutLeft(dc, "ARCHETYPISCHE STRUCTUUR", 2, 5, 5);
    TextOutLeft(dc, std::string(50, ' '), 2, 197, 48);
}

}  // namespace display
