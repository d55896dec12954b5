#include "display/chart/dodecatemoria_view.h"

#include "display/chart/attribution_texts.h"
#include "display/chart/dodecatemoria_wheel.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/wheel_reports.h"

namespace display {

ChartViewShown DrawDodecatemoriaView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    DrawPageFrame(dc);
    SetWheelGeometry(view.geometry);
    const DodecatemoriaTables dodecatemoria = DrawDodecatemoriaChart(dc, view.Chart(), view.wheel);
    {
        ScopedBrush black(dc, kBlack);
        RectangleScaled(dc, 195, 2, 279, 195);
    }
    SegmentTables tables;
    tables.terms = dodecatemoria.dodecatemoriaTerms;
    tables.decades = dodecatemoria.dodecatemoriaDecades;
    tables.decanKeys = dodecatemoria.dodecatemoriaDecanKeys;
    shown.aspectMemo = SegmentLists(true, tables, [&view](const std::string& file, const rt::IoError& e) {
        view.wheel.fileErrors.ReportOnce(file, e);
    });
    shown.dodecatemoriaWheel = true;
    return shown;
}

}  // namespace display
