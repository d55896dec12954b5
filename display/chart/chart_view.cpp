#include "display/chart/chart_view.h"

#include "display/draw/drawing_state.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"

namespace display {

NatalChartFields DrawNatalChartUnderView(Surface& dc, const archive::CurrentChart& current, bool framed,
                                         ChartGeometryState& geometry, NatalWheelState& wheel) {
    dc.Drawing().printerLandscape = true;
    if (framed) DrawPageFrame(dc);
    SetWheelGeometry(geometry);
    return DrawNatalChart(dc, current, wheel);
}

}  // namespace display
