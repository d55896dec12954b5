#pragma once
// The main window's "Interactief voorbereidend model": after the main window has
// shown the current person, the wheel radii are set and the chart window is
// shown modeless; its activation lays it out and its timer draws the wheel.
namespace display {

class ChartWindow;

void OpenChartWindow(ChartWindow& window);

}  // namespace display
