#include "display/chart/archetype_view.h"

#include "archive/current_chart.h"
#include "display/chart/archetype_wheel.h"
#include "display/chart/dignity_table.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "engine/receptions.h"

namespace display {

void PrepareArchetypeView(const archive::CurrentChart& current) {
    static_cast<void>(engine::ComputeReceptions(current.chart));
}

ChartViewShown DrawArchetypeView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    ClearChartArea(dc, view.wheel);
    DrawPageFrame(dc);
    SetWheelGeometry(view.geometry);
    DrawArchetypeWheel(dc, view.Chart(), view.wheel);
    shown.dignityGlyphs = DrawDignityTable(dc, engine::ComputeReceptions(view.Chart()));
    return shown;
}

}  // namespace display
