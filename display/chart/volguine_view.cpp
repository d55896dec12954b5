#include "display/chart/volguine_view.h"

#include <cmath>

#include "archive/current_chart.h"
#include "display/chart/coordinate_tables.h"
#include "display/chart/major_aspect_figure.h"
#include "display/chart/reduced_wheel.h"
#include "display/chart/view_drawing.h"
#include "display/chart/volguine_forces.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "engine/bodies.h"
#include "engine/dominants.h"
#include "engine/houses.h"

namespace display {

namespace {

// Houses by Placidus and the bodies with their retrograde marks at the present
// moment and place, the Ascendant and Midheaven in entries 13 and 14.
void ComputePlacidusChart(engine::ChartState& c) {
    c.HouseSystemName = "PLACIDO";
    engine::ComputeChartHouses(c);
    engine::ComputeBodiesWithRetro(c, 0, c.JulianDay);
    for (int i = 1; i <= 22; ++i) {
        c.VolguineRetroMarks[i] = c.PlanetLongitudes[i] < 0 ? "r" : " ";
        c.PlanetLongitudes[i] = std::fabs(c.PlanetLongitudes[i]);
    }
    c.PlanetLongitudes[13] = c.HouseCusps[1];
    c.PlanetLongitudes[14] = c.HouseCusps[10];
}

}  // namespace

void PrepareVolguineView(archive::CurrentChart& current) {
    engine::ChartState& chart = current.chart;
    const Real keptZone = chart.TimeZoneCorrection;
    const Real keptDay = chart.JulianDay;
    ComputePlacidusChart(chart);
    engine::WriteChartDataTemp(chart, current.birth);
    engine::ComputeVolguineDominants(chart);
    chart.TimeZoneCorrection = keptZone;
    chart.JulianDay = keptDay;
    ComputePlacidusChart(chart);
    engine::WriteChartDataTemp(chart, current.birth);
}

ChartViewShown DrawVolguineView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    RedrawReducedWheelChart(dc, view.current, view.framed, view.engineOrder, view.geometry, view.wheel);
    DrawViewTitles(dc, "PLANETARIEN KRACHTEN", 2, "(Volgens Volguine)", 15);
    // The houses scored and drawn are Placidus's; the help panel says when
    // Porphyry's stand in.
    shown.helpNote = PorphyryStandInLine(view.Chart());
    const Real cx = view.geometry.WheelCentreX, cy = view.geometry.WheelCentreY, r = view.geometry.HouseRingInnerRadius;
    switch (view.subView) {
        case 0:
            DrawViewTitles(dc, "PLANETAIRE LENGTEGRADEN", 2, "(Ten opzichte van het bezetteken)    ");
            RedrawReducedWheelChart(dc, view.current, view.framed, view.engineOrder, view.geometry, view.wheel);
            DrawEngineOrderLongitudes(dc, view.Chart());
            break;
        case 1:
        case 2:
            DrawViewTitles(dc, "PLANETAIRE ASPECTEN     ", 2, "(Alleen grote aspecten)            ");
            DrawMajorAspectGrid(dc, view.current, view.Chart().PlanetLongitudes, view.subView == 1 ? 1 : 0,
                                {.centre = {cx, cy}, .radius = r + 4}, view.engineOrder);
            break;
        case 3:
            if (DrawVolguineForces(dc, view.current.chart, cx - 32, cy - 22).highest <= 0)
                shown.message = kNoPositiveScoreMessage;
            shown.wheelSignNames = true;
            break;
        default: break;
    }
    return shown;
}

}  // namespace display
