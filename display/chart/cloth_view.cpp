#include "display/chart/cloth_view.h"

#include "display/chart/cloths.h"
#include "display/chart/humoral.h"
#include "display/wheel/chart_geometry.h"

namespace display {

namespace {

void DrawHumoral(Surface& dc, const ChartViewContext& view, HumoralVariant variant, ChartViewShown& shown) {
    const Real x = view.centreX + 4, y = view.centreY;
    shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
    DrawHumoralGrid(dc, EvaluateHumoralAttribution(view.Chart(), variant), variant, {x, y}, WheelCentre(view.geometry));
}

}  // namespace

ChartViewShown DrawClothView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    switch (view.subView) {
        case 0: {
            const Real x = view.centreX + 2, y = view.centreY + 4;
            shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
            DrawElementalClothGrid(dc, EvaluateElementalCloth(view.Chart()), {x, y}, WheelCentre(view.geometry));
            break;
        }
        case 1: DrawHumoral(dc, view, HumoralVariant::Elemental, shown); break;
        case 2: {
            const Real x = view.centreX + 4, y = view.centreY;
            shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
            DrawSeasonClothGrid(dc, EvaluateSeasonCloth(view.Chart()), {x, y}, WheelCentre(view.geometry));
            break;
        }
        case 3: DrawHumoral(dc, view, HumoralVariant::Seasonal, shown); break;
        default: break;
    }
    return shown;
}

}  // namespace display
