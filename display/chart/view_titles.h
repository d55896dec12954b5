#pragma once
// The small view routines of the chart window: each writes its view's title in
// the top left corner of the chart square, redraws the chart the view is drawn
// over and calls the drawing of the view's content. Also the aspect list of the
// aspect memo and the emptying of the specific attribution memo.
#include "display/draw/surface.h"
#include "engine/chart_state.h"

namespace display {

using engine::Real;
class TFgrKelvo;

// Base of the aspect grids: the natal chart, its centre blanked with the
// canvas's brush inside the house ring's outer radius + 2.5.
void ShowAspectsAndOrbitsView(TFgrKelvo& form, Surface& dc);
void ShowSphericalDistancesView(TFgrKelvo& form, Surface& dc);
// The natal chart with the figure of the major aspects (lines flag 1: lines,
// 0: bands) on the circle of radius r about (cx, cy).
void ShowMajorAspectsView(TFgrKelvo& form, Surface& dc, const engine::BodyArray& longitudes, Real cx, Real cy, Real r,
                          int linesFlag);
// The same figure titled over the reduced wheel of the dominant-planet view,
// on the circle of radius r + 4.
void DrawMajorAspectsTitled(TFgrKelvo& form, Surface& dc, const engine::BodyArray& longitudes, Real cx, Real cy, Real r,
                            int linesFlag);
void ShowRelativeLongitudesView(TFgrKelvo& form, Surface& dc);
void DrawRelativeLongitudesTitled(TFgrKelvo& form, Surface& dc);
void ShowMastersView(TFgrKelvo& form, Surface& dc);
void ShowYearAndCycleRulersView(TFgrKelvo& form, Surface& dc);
void ShowAbsoluteLongitudesView(TFgrKelvo& form, Surface& dc);
void ShowLatitudesView(TFgrKelvo& form, Surface& dc);
void ShowDodecatemoriaView(TFgrKelvo& form, Surface& dc);
void ShowArchetypeWheelView(TFgrKelvo& form, Surface& dc);
// mode: the step of the antiscia button (0..3) or of the energy button (0..2).
void ShowAntisciaView(TFgrKelvo& form, Surface& dc, int mode);
void ShowEnergyAffinitiesView(TFgrKelvo& form, Surface& dc, int mode);
// The chart square cleared and the natal chart drawn again.
void RedrawNatalChartView(TFgrKelvo& form, Surface& dc);

// Fills the aspect memo with the aspect list and shows its panel.
void ListAspectsInMemo(TFgrKelvo& form);
// Empties the memo of the specific attributions.
void ClearMemoL1(TFgrKelvo& form);

}  // namespace display
