#include "display/chart/volguine_view.h"

#include "archive/current_chart.h"
#include "display/chart/coordinate_tables.h"
#include "display/chart/major_aspect_figure.h"
#include "display/chart/reduced_wheel.h"
#include "display/chart/view_drawing.h"
#include "display/chart/volguine_forces.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "engine/bodies_theory.h"
#include "engine/chart_computation.h"
#include "engine/dominants.h"
#include "engine/houses.h"
#include "engine/position_text.h"

namespace display {

WheelPointArray AspectFigureLongitudes(const engine::Chart& chart) {
    WheelPointArray l{};
    for (int n = 1; n <= engine::kBlackMoon; ++n) l[n - 1] = chart.bodies[engine::BodyOfNumber(n)].longitude;
    l[engine::kAscendantBody - 1] = chart.cusps[1];
    l[engine::kDescendantBody - 1] = chart.cusps[10];
    return l;
}

engine::Chart PlacidusChartOf(const archive::CurrentChart& current) {
    engine::ChartSettings settings = current.chart.settings;
    settings.houseSystem = {engine::HouseSystem::Placidus, std::nullopt};
    return engine::ComputeChart(current.chart.moment, current.chart.place, settings);
}

void PrepareVolguineView(const archive::CurrentChart& current) {
    const engine::Chart placidus = PlacidusChartOf(current);
    engine::BirthData birth = current.birth;
    engine::StripTrailingBlanks(birth.subjectName);
    engine::WriteChartDataTemp(placidus, birth);
    engine::ComputeVolguineDominants(placidus);
}

ChartViewShown DrawVolguineView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    const engine::Chart placidus = PlacidusChartOf(view.current);
    RedrawReducedWheelChart(dc, placidus, view.framed, view.geometry);
    DrawViewTitles(dc, "PLANETARIEN KRACHTEN", 2, "(Volgens Volguine)", 15);
    // The houses scored and drawn are Placidus's; the help panel says when
    // Porphyry's stand in.
    shown.helpNote = PorphyryStandInLine(placidus);
    const Real cx = view.geometry.wheelCentreX, cy = view.geometry.wheelCentreY, r = view.geometry.houseRingInnerRadius;
    switch (view.subView) {
        case 0:
            DrawViewTitles(dc, "PLANETAIRE LENGTEGRADEN", 2, "(Ten opzichte van het bezetteken)    ");
            RedrawReducedWheelChart(dc, placidus, view.framed, view.geometry);
            DrawEngineOrderLongitudes(dc, placidus);
            break;
        case 1:
        case 2:
            DrawViewTitles(dc, "PLANETAIRE ASPECTEN     ", 2, "(Alleen grote aspecten)            ");
            DrawMajorAspectGrid(dc, view.current, AspectFigureLongitudes(placidus), view.subView == 1 ? 1 : 0,
                                {.centre = {cx, cy}, .radius = r + 4}, true);
            break;
        case 3:
            if (DrawVolguineForces(dc, placidus, cx - 32, cy - 22).highest <= 0)
                shown.message = kNoPositiveScoreMessage;
            shown.wheelSignNames = true;
            break;
        default: break;
    }
    return shown;
}

}  // namespace display
