#include "display/chart/coordinates_view.h"

#include "display/chart/attribution_texts.h"
#include "display/chart/coordinate_tables.h"
#include "display/chart/view_drawing.h"
#include "display/wheel/wheel_reports.h"

namespace display {

ChartViewShown DrawCoordinatesView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    switch (view.subView) {
        case 0:
            DrawViewTitles(dc, "PLANETAIRE LENGTEGRADEN", 2, "(Ten opzichte van het bezetteken)");
            shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
            DrawRelativeLongitudes(dc, view.Chart());
            shown.aspectMemo = SegmentLists(false, PlanetSegmentTables(view.wheel),
                                            [&view](const std::string& file, const rt::IoError& e) {
                                                view.wheel.fileErrors.ReportOnce(file, e);
                                            });
            break;
        case 1:
            DrawViewTitles(dc, "PLANETAIRE LENGTEGRADEN", 2, "(Absolute, met 0 \xB0 Ram oorsprong)");
            shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
            DrawAbsoluteLongitudes(dc, view.Chart());
            shown.helpEntry = 1;
            break;
        case 2:
            DrawViewTitles(dc, "PLANETAIRE BREEDTEGRADEN", 2);
            shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
            DrawLatitudes(dc, view.Chart());
            break;
        default: break;
    }
    return shown;
}

}  // namespace display
