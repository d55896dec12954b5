#include "display/chart/dodecatemoria_wheel.h"

#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/position_files.h"
#include "display/wheel/stroke_glyphs.h"
#include "engine/position_text.h"
#include "platform/runtime/number_text.h"

namespace display {

DodecatemoriaTables EvaluateDodecatemoriaTables(const engine::Chart& chart) {
    DodecatemoriaTables t;
    const WheelPointArray dodecatemoria = WheelPointDodecatemoria(chart);
    ClassifyTerms(dodecatemoria, chart.cusps[1], t.termBoundaries, t.dodecatemoriaTerms);
    ClassifyDecades(dodecatemoria, t.decadeBoundaries, t.dodecatemoriaDecades);
    BuildDecanKeys(dodecatemoria, t.dodecatemoriaDecanKeys);
    return t;
}

ChartPointTable<DodecatemoriaListLine> EvaluateDodecatemoriaList(const engine::Chart& chart, Real cx, Real cy) {
    ChartPointTable<DodecatemoriaListLine> list;
    const WheelPointArray dodecatemoria = WheelPointDodecatemoria(chart);
    for (ChartPoint p : kChartPoints) {
        DodecatemoriaListLine& l = list[p];
        const Real y = cy - 24 + 4.7L * static_cast<int>(p);
        l.glyphFile = RenumberPlanetGlyph(ChartPointNumber(p));
        l.glyphX = cx + 3 - 18;
        l.glyphY = y;
        engine::FormatSignPosLong(l.text, " ", dodecatemoria[p]);
        l.textX = cx - 11;
        l.textY = y - 1.5L;
    }
    return list;
}

DodecatemoriaTables DrawDodecatemoriaChart(Surface& dc, const engine::Chart& chart, NatalWheelState& wheel) {
    const Real asc = chart.cusps[1];
    const WheelRings& w = kChartWindowWheel;
    DrawSignRing(dc, asc, "M", {.centre = w.Centre(), .outerRadius = 78, .innerRadius = 69}, 7.0L, &wheel);
    DrawPlanetRing(dc, WheelPointLongitudes(chart), WheelPointRetroMarks(chart),
                   ChartWindowRing(chart, {.centre = w.Centre(), .outerRadius = 69, .innerRadius = 55}, 7.0L, &wheel));
    const RingFrame houseRing{.centre = w.Centre(),
                              .outerRadius = w.houseOuter - 7.0L,
                              .innerRadius = w.houseInner - 7.0L};
    DrawChartWindowHouseRing(dc, chart.cusps, houseRing, asc);
    WheelPointMarks unmarked;
    unmarked.fill(" ");
    // The dodecatemoria on a ring between the houses and the planets.
    const RingFrame dodecatemoriaRing{.centre = w.Centre(),
                                      .outerRadius = w.houseOuter + 8.0L,
                                      .innerRadius = w.planetInner - 7.0L};
    DrawPlanetRing(dc, WheelPointDodecatemoria(chart), unmarked,
                   ChartWindowRing(chart, dodecatemoriaRing, 5.0L, nullptr));
    const DodecatemoriaTables tables = EvaluateDodecatemoriaTables(chart);
    DrawHouseCusps(dc, chart, chart.cusps, {.centre = w.Centre(), .radius = w.signOuter + 5.0L});
    DrawProgramStamp(dc, 5, 50);

    const Color cyan = Rgb(0, 255, 255);
    dc.SetTextColor(cyan);
    for (const DodecatemoriaListLine& l :
         EvaluateDodecatemoriaList(chart, kChartWindowWheel.centreX, kChartWindowWheel.centreY)) {
        DrawGlyphFile(dc, PlanetGlyphFileName(dc, l.glyphFile), {l.glyphX, l.glyphY, 4.0L});
        TextOutLeft(dc, l.text, 15, l.textX, l.textY);
    }
    dc.SetTextColor(cyan);
    TextOutLeft(dc, "DODECATEMORIEEN", 2, 5, 5);
    TextOutLeft(dc, "(Op de binnenste cirkel)", 15, 5, 10);
    return tables;
}

}  // namespace display
