#include "display/chart/open_chart_window.h"

#include "display/wheel/chart_geometry.h"
#include "display/chart/chart_window.h"

namespace display {

void OpenChartWindow() {
    SetDefaultWheelRadii();
    TFgrKelvo* window = EnsureChartWindow();
    window->show();
    window->raise();
    window->activateWindow();
    window->FormActivate();
}

}  // namespace display
