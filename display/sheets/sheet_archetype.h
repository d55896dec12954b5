#pragma once
// Two blocks of the birth-theme sheets: the archetypal structure (a column of
// glyphs for every classical planet with a dignity, a debility or a place in
// an exchange of signs, partners above it, joined columns for neighbours in
// one exchange) and the triangular grid of spherical distances between the
// chart points, each underlined in the colour of the aspect it falls in.
#include "display/chart/aspects_and_orbits.h"
#include "display/chart/dignity_table.h"
#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

// Outline through the four corners with the pen the surface holds.
void DrawSheetRectangle(Surface& dc, Real x1, Real y1, Real x2, Real y2);
// Joins the box of column x to the one on its left (the block's baseline y).
void DrawExchangeJoin(Surface& dc, Real x, Real y);
// From the receptions of a chart (ComputeReceptions has run). Returns true when
// it drew the no-dignity message instead of boxes.
bool DrawArchetypalStructure(Surface& dc, const engine::ReceptionTables& receptions, Real x, Real y);

// The 54 distances of bodies 1..9 against 2..11 from the longitudes and
// latitudes given, underlined by the aspects of the orbs given.
void DrawSphericalDistances(Surface& dc, WheelPointArray longitudes, const WheelPointArray& latitudes,
                            const engine::OrbRecord& orbs, Real x, Real y);

}  // namespace display
