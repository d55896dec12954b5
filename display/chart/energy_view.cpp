#include "display/chart/energy_view.h"

#include "display/chart/energy_affinities.h"
#include "display/chart/view_drawing.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/wheel_state.h"

namespace display {

ChartViewShown DrawEnergyView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
    DrawViewTitles(dc, "ENERGIE AFFINITEITEN", 2, "(Magnetische en Solilunaire Relaties)");
    DrawEnergyAffinities(dc, view.wheel.signMidpoints, view.Chart().cusps[1], view.subView,
                         HouseRingInnerCircle(view.geometry));
    return shown;
}

}  // namespace display
