#pragma once
// The views of the chart window's nine view buttons: which drawing each
// sub-view of each button makes.
namespace display {

// Installs the drawing of every view button's sub-views in the chart window
// (SetChartViewDrawer); the window calls it when it is created.
void RegisterChartViews();

}  // namespace display
