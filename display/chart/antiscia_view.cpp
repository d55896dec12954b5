#include "display/chart/antiscia_view.h"

#include <string>

#include "display/chart/antiscia_wheel.h"
#include "display/chart/view_drawing.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/wheel_state.h"

namespace display {

ChartViewShown DrawAntisciaView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
    DrawViewTitles(dc, "ANTISCE EN CONTRANTISCE", 2, std::string(50, ' '), 2);
    DrawAntisciaWheel(dc, view.wheel.signMidpoints, view.Chart().cusps[1], view.subView,
                      HouseRingInnerCircle(view.geometry));
    return shown;
}

}  // namespace display
