#pragma once
// The position tables of the birth-theme sheets, each a title and one row per
// body led by its glyph: the dodecatemoria ("DODECATEMORIEEN"), the longitudes
// with their decimal degrees ("LONGITUDINI"), the latitudes of Sun to Saturn
// ("BREEDTEGRADEN") and the relative longitudes in three columns.
#include <string>

#include "display/draw/surface.h"
#include "engine/chart_state.h"

namespace display {

using engine::Real;

// The dodecatemorion: the point as far beyond the body as twelve times its
// distance into its sign.
Real SheetDodecatemorion(Real longitude);
// "(231°,5)": whole degrees, "°,", the first two decimals of the fraction cut.
std::string FormatBracketedDegrees(Real value);

// Computes engine::Chart.DodecatemoriaLongitudes 1..11 from the longitudes and
// draws them.
void DrawSheetDodecatemoria(Surface& dc, engine::BodyArray longitudes, Real x, Real y);
void DrawSheetLongitudes(Surface& dc, Real x, Real y);
// The latitudes' title stands titleDx units from the anchor (the other tables'
// titles at -2): the portrait theme sheet moves it further left, so that it
// ends inside the printer's page.
void DrawSheetLatitudes(Surface& dc, Real x, Real y, Real titleDx = -2);
void DrawSheetRelativeLongitudes(Surface& dc, engine::BodyArray longitudes, Real x, Real y);

}  // namespace display
