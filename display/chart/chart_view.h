#pragma once
// A view of the chart window is a component: a routine that draws one sub-view
// of its view button on a surface, in page units, from the current person and
// what the window passes, and returns what the window shows besides the
// drawing. It never touches the window; the window applies what it returns.
// The view buttons' table is in chart_views.h.
#include <optional>
#include <string>
#include <vector>

#include "archive/current_chart.h"
#include "display/chart/birth_hour.h"
#include "display/chart/dignity_table.h"
#include "display/draw/surface.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

// What the window passes to a view.
struct ChartViewContext {
    // The current person's chart, birth data and orbs, which the wheels drawn
    // under a view show. A view that needs another chart computes it as a
    // value of its own.
    const archive::CurrentChart& current;
    // The wheel geometry in force, which a view that draws a wheel again sets to
    // the chart window's.
    ChartGeometryState& geometry;
    // The window's wheel state: the glyph centres and tables a drawn wheel
    // fills, the sign mid-points the views read.
    NatalWheelState& wheel;
    int subView = 0;  // 0 .. the view's number of sub-views - 1
    // The wheel centre and the house ring's inner radius as they stand at the
    // press: the views that place their content before they redraw the wheel
    // place it from these.
    int centreX = 100, centreY = 100, innerRadius = 39;
    // The window is open: a natal or reduced wheel drawn again is framed by
    // the page outline.
    bool framed = false;
    // The planetary day and hour of the birth, computed at the window's opening.
    BirthPlanetaryHourState birthHour{};

    // The chart the view evaluates, read only: the current one.
    const engine::Chart& Chart() const { return current.chart; }
    // The circle on the house ring's inner radius about the wheel centre, as
    // they stand at the press.
    CircleFrame PressedHouseCircle() const {
        return {.centre = {static_cast<Real>(centreX), static_cast<Real>(centreY)},
                .radius = static_cast<Real>(innerRadius)};
    }
};

// What the window shows besides the drawing.
struct ChartViewShown {
    // The natal chart was drawn again: the person's data fields beside it.
    std::optional<NatalChartFields> dataFields;
    // Lines for the aspect memo, whose panel is shown with them; a view without
    // any hides that panel.
    std::optional<std::vector<std::string>> aspectMemo;
    // A help entry shown before the one of the sub-view (0: none).
    int helpEntry = 0;
    // The dignity glyphs drawn, which clicks then find; a view without them
    // leaves none to find.
    std::optional<DignityGlyphCentres> dignityGlyphs;
    // The chart square shows the dodecatemoria wheel, inside which the antiscia
    // lines of a clicked glyph end 7 units further in.
    bool dodecatemoriaWheel = false;
    // The bars of the dominant planets named the signs with the wheel's own
    // table, which a clicked sign's caption then uses until its texts are shown.
    bool wheelSignNames = false;
    // A message the window shows after the drawing ("" for none).
    std::string message;
    // A line the help panel shows below the sub-view's help text ("" for none).
    std::string helpNote;
};

using ChartViewRoutine = ChartViewShown (*)(Surface& dc, const ChartViewContext& view);

// The natal chart under a view: the page outline when framed, the chart
// window's wheel geometry (which the geometry in force becomes), the wheel of
// the current chart with its glyphs. Returns the data fields.
NatalChartFields DrawNatalChartUnderView(Surface& dc, const archive::CurrentChart& current, bool framed,
                                         ChartGeometryState& geometry, NatalWheelState& wheel);

}  // namespace display
