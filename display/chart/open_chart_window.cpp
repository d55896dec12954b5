#include "display/chart/open_chart_window.h"

#include "display/chart/chart_window.h"
#include "display/wheel/chart_geometry.h"
#include "platform/gui/message_box.h"

namespace display {

void OpenChartWindow(ChartWindow& window) {
    SetDefaultWheelRadii(window.WheelGeometry());
    // A message its opening shows leaves it in front.
    gui::ShowInFront(&window);
    window.PrepareOpening();
}

}  // namespace display
