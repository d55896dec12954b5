#include "display/chart/aspects_view.h"

#include "archive/current_chart.h"
#include "display/chart/aspect_list.h"
#include "display/chart/aspects_and_orbits.h"
#include "display/chart/major_aspect_figure.h"
#include "display/chart/spherical_distances.h"
#include "display/chart/view_drawing.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"

namespace display {

namespace {

// Draws the wheel, then paints over its middle (a disc slightly wider than the
// houses) so that a table can stand there.
NatalChartFields NatalChartWithBlankCentre(Surface& dc, const ChartViewContext& view) {
    NatalChartFields fields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
    const Real cx = view.geometry.wheelCentreX, cy = view.geometry.wheelCentreY;
    const Real r = view.geometry.houseRingOuterRadius + 2.5L;
    EllipseScaled(dc, cx - r, cy - r, cx + r, cy + r);
    return fields;
}

}  // namespace

ChartViewShown DrawAspectsView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    switch (view.subView) {
        case 0:
        case 1:
            DrawViewTitles(dc, "PLANETAIRE ASPECTEN", 2, "(Alleen grote aspecten) ");
            shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
            DrawMajorAspectGrid(dc, view.current, WheelPointLongitudes(view.Chart()), view.subView == 0 ? 1 : 0,
                                view.PressedHouseCircle(), false);
            shown.aspectMemo = EvaluateAspectList(view.Chart(), view.current.orbs);
            break;
        case 2:
            shown.dataFields = NatalChartWithBlankCentre(dc, view);
            DrawViewTitles(dc, "PLANETAIRE ASPECTEN", 2);
            DrawAspectsAndOrbits(dc, EvaluateAspectsAndOrbits(view.Chart(), view.current.orbs), " ",
                                 view.geometry.wheelCentreX - 38, view.geometry.wheelCentreY - 27);
            break;
        case 3:
            shown.dataFields = NatalChartWithBlankCentre(dc, view);
            DrawViewTitles(dc, "SFERISCHE AFSTANDEN", 2);
            DrawSphericalDistanceGrid(dc, view.current, WheelPointLongitudes(view.Chart()),
                                      view.geometry.wheelCentreX - 42, view.geometry.wheelCentreY - 28);
            break;
        default: break;
    }
    return shown;
}

}  // namespace display
