#include "display/chart/dodecatemoria_wheel.h"

#include <vector>

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

using engine::Chart;

DodecatemoriaTablesState DodecatemoriaTables;

void ResetDodecatemoriaTables() { DodecatemoriaTables = DodecatemoriaTablesState{}; }

namespace {

// The sector of each dodecatemorion 1..11 among `count` boundaries, numbered
// as the natal tables number them: a point on a boundary belongs to the sector
// that starts there; a point in no sector keeps its number.
template <std::size_t N>
void ClassifySectors(int count, const std::array<Real, N>& boundaries, std::array<unsigned char, 12>& results) {
    std::vector<Real> b(boundaries.begin(), boundaries.begin() + count);
    b.push_back(b[0]);
    for (int j = 1; j <= 11; ++j) {
        const Real L = Chart.DodecatemoriaLongitudes[j];
        for (int k = 1; k <= count; ++k) {
            Real w = b[k] - b[k - 1];
            if (w < 0) w += 360;
            Real d = L - b[k - 1];
            if (d < 0) d += 360;
            if (d < w) results[j] = static_cast<unsigned char>(k == count ? 1 : k + 1);
        }
    }
}

PlanetRingOptions Ring(Real inner, Real outer, Real glyphSize, bool record) {
    PlanetRingOptions o;
    o.ascendant = Chart.HouseCusps[1];
    o.innerRadius = inner;
    o.outerRadius = outer;
    o.centreX = 100;
    o.centreY = 100;
    o.glyphSize = glyphSize;
    o.count = 11;
    o.degreeTexts = false;
    o.recordCentres = record;
    return o;
}

}  // namespace

void ClassifyDodecatemoriaDecades() {
    auto& t = DodecatemoriaTables;
    for (int j = 0; j <= 35; ++j) t.DecadeBoundaries[j] = 10 * (j + 1);
    ClassifySectors(36, t.DecadeBoundaries, t.DodecatemoriaDecades);
}

void ClassifyDodecatemoriaTerms() {
    auto& t = DodecatemoriaTables;
    const Real asc = Chart.HouseCusps[1];
    for (int j = 0; j <= 59; ++j) {
        Real b = 6 * (j + 1) + asc - 15;
        if (b < 0) b += 360;
        if (b >= 360) b -= 360;
        t.TermBoundaries[j] = b;
    }
    ClassifySectors(60, t.TermBoundaries, t.DodecatemoriaTerms);
}

void BuildDodecatemoriaDecanKeys() {
    for (int i = 1; i <= 11; ++i) {
        long long k = rt::Trunc(Chart.DodecatemoriaLongitudes[i] / 10) + 1;
        if (k < 1) k = 1;
        if (k > 36) k = 36;
        DodecatemoriaTables.DodecatemoriaDecanKeys[i] =
            std::string(kPointKeys3[i]) + "Dec" + engine::IntToStrZeroPad(static_cast<int>(k), 2);
    }
}

std::array<DodecatemoriaListLine, 12> EvaluateDodecatemoriaList(const engine::ChartState& chart, Real cx, Real cy) {
    std::array<DodecatemoriaListLine, 12> list;
    for (int i = 1; i <= 11; ++i) {
        DodecatemoriaListLine& l = list[i];
        const Real y = cy - 24 + 4.7L * (i - 1);
        l.glyphFile = RenumberPlanetGlyph(i);
        l.glyphX = cx + 3 - 18;
        l.glyphY = y;
        engine::FormatSignPosLong(l.text, " ", chart.DodecatemoriaLongitudes[i]);
        l.textX = cx - 11;
        l.textY = y - 1.5L;
    }
    return list;
}

void DrawDodecatemoriaChart(Surface& dc) {
    const Real asc = Chart.HouseCusps[1];
    DrawSignRing(dc, "M", 100, 100, 78, 69, 7.0L);
    DrawPlanetRing(dc, Chart.PlanetLongitudes, Chart.RetroMarks, Ring(55, 69, 7.0L, true));
    DrawChartWindowHouseRing(dc, Chart.HouseCusps, Geometry.HouseRingInnerRadius - 7, Geometry.HouseRingOuterRadius - 7,
                             100, 100, asc);
    std::array<std::string, 25> marks{};
    for (std::size_t i = 0; i < Chart.VolguineRetroMarks.size(); ++i) marks[i] = Chart.VolguineRetroMarks[i];
    DrawPlanetRing(dc, Chart.DodecatemoriaLongitudes, marks,
                   Ring(Geometry.PlanetRingInnerRadius - 7, Geometry.HouseRingOuterRadius + 8, 5.0L, false));
    ClassifyDodecatemoriaTerms();
    ClassifyDodecatemoriaDecades();
    BuildDodecatemoriaDecanKeys();
    DrawHouseCusps(dc, Chart.HouseCusps, Geometry.SignRingOuterRadius + 5, 100, 100);
    DrawProgramStamp(dc, 5, 50);

    const Color cyan = Rgb(0, 255, 255);
    dc.SetTextColor(cyan);
    for (const DodecatemoriaListLine& l : EvaluateDodecatemoriaList(Chart, Geometry.WheelCentreX, Geometry.WheelCentreY)) {
        if (l.glyphFile == 0) continue;
        DrawGlyphFile(dc, PlanetGlyphFileName(l.glyphFile), l.glyphX, l.glyphY, 4.0L);
        TextOutLeft(dc, l.text, 15, l.textX, l.textY);
    }
    dc.SetTextColor(cyan);
    TextOutLeft(dc, "DODECATEMORIEEN", 2, 5, 5);
    TextOutLeft(dc, "(Op de binnenste cirkel)", 15, 5, 10);
}

}  // namespace display
