#pragma once
// The sign affinity figures of the affinity sheets: chords between the middles
// of related signs inside the wheel, turned with the Ascendant. Mode 1: the
// six magnetic relations (solid) and the six solilunar relations (fine
// dotted); mode 2: three four-sign figures.
#include <vector>

#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

namespace display {

using engine::Real;

struct AffinityChord {
    int pen = 0;    // pen code 78 olive, 79 red, 80 cyan
    int style = 1;  // 1 solid, 0 fine dotted
    int signA = 0;  // 1 Aries .. 12 Pisces
    int signB = 0;
    bool operator==(const AffinityChord&) const = default;
};

// The chords of a mode in drawing order; none for other modes.
std::vector<AffinityChord> SheetAffinityChords(int mode);

// The page point of a longitude on the circle: whole degrees turned by the
// whole-degree Ascendant, rounded to whole page units.
struct WholePoint {
    Real x = 0;
    Real y = 0;
};
WholePoint AffinityPoint(Real longitude, Real ascendant, const CircleFrame& circle);

// One chord between the middles of its two signs on the circle, turned with
// the Ascendant, in its pen and style.
void DrawAffinityChord(Surface& dc, const AffinityChord& chord, Real ascendant, const CircleFrame& circle);
// The figures of a mode on the circle, turned with the Ascendant.
void DrawSheetAffinityFigures(Surface& dc, int mode, Real ascendant, const CircleFrame& circle);

}  // namespace display
