#pragma once
// The view buttons of the chart window, one row a view: the window makes each
// button with its caption, name, enabling and place, connects it, sizes its
// font and cycles through its sub-views with their help texts from the row,
// and draws each sub-view with the row's routine. A new view is a file with
// its routine (chart_view.h) and a row in ChartViewRows().
#include <vector>

#include "display/chart/chart_view.h"

namespace display {

// View numbers of the buttons: the index of each button's sub-view cycle.
enum ChartView : int {
    kViewCoordinates = 1,
    kViewCloth = 2,
    kViewArchetype = 3,
    kViewAspects = 4,
    kViewEnergy = 5,
    kViewAntiscia = 6,
    kViewDodecatemoria = 7,
    kViewVolguine = 8,
    kViewMasters = 9,
};
inline constexpr int kChartViewCount = 9;

// Where a button stands in the panel of view buttons.
struct ViewButtonPlace {
    int column = 0;  // 0 left, 1 right
    int line = 0;    // 0 .. 4 from the top
};

struct ChartViewRow {
    int view = 0;              // ChartView
    const char* name = "";     // object name
    const char* caption = "";  // Windows-1252
    bool enabled = true;       // a disabled button is offered all the same (its clicked signal draws the view)
    ViewButtonPlace place;
    std::vector<int> help;  // help entry of each sub-view, in the order of the presses
    ChartViewRoutine draw = nullptr;
    // What the view needs before the chart square is cleared (files it reads
    // or writes): a failure leaves the square as it was.
    void (*prepare)(const archive::CurrentChart& current) = nullptr;
    // The view draws the reduced wheel, whose glyphs answer no clicks.
    bool reducedWheel = false;
};

// The rows in the order the window makes the buttons.
const std::vector<ChartViewRow>& ChartViewRows();
// The row of a view number, or nullptr.
const ChartViewRow* FindChartView(int view);

// Number of sub-views and the help entry of each sub-view of a view button
// (0 for a view or sub-view that does not exist).
int SubViewCount(int view);
int SubViewHelpEntry(int view, int subView);

}  // namespace display
