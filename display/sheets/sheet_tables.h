#pragma once
// The position tables of the birth-theme sheets, each a title and one row per
// body led by its glyph: the dodecatemoria ("DODECATEMORIEEN"), the longitudes
// with their decimal degrees ("LONGITUDINI"), the latitudes of Sun to Saturn
// ("BREEDTEGRADEN") and the relative longitudes in three columns.
#include <string>

#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

// The dodecatemorion: the point as far beyond the body as twelve times its
// distance into its sign.
Real SheetDodecatemorion(Real longitude);
// "(231°,5)": whole degrees, "°,", the first two decimals of the fraction cut.
std::string FormatBracketedDegrees(Real value);

// The dodecatemoria of the chart window's points of the longitudes (the other entries as given).
WheelPointArray SheetDodecatemoria(const WheelPointArray& longitudes);

// The tables, each titled above its anchor, one row a body.
void DrawSheetDodecatemoria(Surface& dc, const WheelPointArray& longitudes, PagePoint anchor);
void DrawSheetLongitudes(Surface& dc, const WheelPointArray& longitudes, PagePoint anchor);
// The latitudes' title stands titleDx units from the anchor (the other tables'
// titles at -2): the portrait theme sheet moves it further left, so that it
// ends inside the printer's page.
void DrawSheetLatitudes(Surface& dc, const WheelPointArray& latitudes, PagePoint anchor, Real titleDx = -2);
// Three columns: each point's place in its sign, its absolute degrees in brackets.
void DrawSheetRelativeLongitudes(Surface& dc, const WheelPointArray& longitudes, PagePoint anchor);

}  // namespace display
