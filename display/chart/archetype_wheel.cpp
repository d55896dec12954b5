#include "display/chart/archetype_wheel.h"

#include <string>

#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/stroke_glyphs.h"

namespace display {

using engine::Chart;

void DrawArchetypeWheel(Surface& dc) {
    DrawSignRing(dc, "M", 100, 100, 78, 69, 7.0L);
    PlanetRingOptions o;
    o.ascendant = Chart.HouseCusps[1];
    o.innerRadius = 55;
    o.outerRadius = 69;
    o.centreX = 100;
    o.centreY = 100;
    o.glyphSize = 7.0L;
    o.count = 11;
    o.degreeTexts = false;
    o.recordCentres = true;
    DrawPlanetRing(dc, Chart.PlanetLongitudes, Chart.RetroMarks, o);
    DrawHouseCusps(dc, Chart.HouseCusps, 83, 100, 100);
    DrawProgramStamp(dc, 5, 50);
    dc.SetTextColor(Rgb(0, 255, 255));
    TextOutLeft(dc, "ARCHETYPISCHE STRUCTUUR", 2, 5, 5);
    TextOutLeft(dc, std::string(50, ' '), 2, 197, 48);
}

}  // namespace display
