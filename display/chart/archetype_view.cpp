#include "display/chart/archetype_view.h"

#include "archive/current_chart.h"
#include "display/chart/archetype_wheel.h"
#include "display/chart/dignity_table.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "engine/receptions.h"

namespace display {

void PrepareArchetypeView() { engine::ComputeReceptions(engine::Chart); }

ChartViewShown DrawArchetypeView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    ClearChartArea(dc, view.wheel);
    DrawPageFrame(dc);
    SetWheelGeometry(view.geometry);
    DrawArchetypeWheel(dc, view.wheel);
    shown.dignityGlyphs = DrawDignityTable(dc);
    return shown;
}

}  // namespace display
