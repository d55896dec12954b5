#pragma once
// The geometry of the chart wheels (page units), the clearing of the chart window's drawing area and the classification
// of longitudes into the segments of a table of boundaries.
#include <span>

#include "display/draw/surface.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_state.h"

namespace display {

// The wheel in force for the chart window's views: the chart window's own, or the
// sheets' after a sheet or the window's opening set it. Its owner (the main window)
// hands it to the chart window; the views read it through what the window passes.
struct ChartGeometryState {
    int wheelCentreX = 100;
    int wheelCentreY = 100;
    int signRingOuterRadius = 78;
    int signRingInnerRadius = 65;
    int planetRingOuterRadius = 65;
    int planetRingInnerRadius = 50;
    int houseRingOuterRadius = 47;
    int houseRingInnerRadius = 39;
};

// A wheel's centre and the outer and inner radii of its sign, planet and house
// rings; its rings about its own centre, or about another (the sheets draw
// their wheel where their layout puts it).
struct WheelRings {
    int centreX, centreY, signOuter, signInner, planetOuter, planetInner, houseOuter, houseInner;
    constexpr PagePoint Centre() const { return {static_cast<Real>(centreX), static_cast<Real>(centreY)}; }
    constexpr RingFrame SignRing() const { return SignRing(Centre()); }
    constexpr RingFrame PlanetRing() const { return PlanetRing(Centre()); }
    constexpr RingFrame HouseRing() const { return HouseRing(Centre()); }
    constexpr RingFrame SignRing(PagePoint centre) const { return Ring(centre, signOuter, signInner); }
    constexpr RingFrame PlanetRing(PagePoint centre) const { return Ring(centre, planetOuter, planetInner); }
    constexpr RingFrame HouseRing(PagePoint centre) const { return Ring(centre, houseOuter, houseInner); }

private:
    static constexpr RingFrame Ring(PagePoint centre, int outer, int inner) {
        return {.centre = centre, .outerRadius = static_cast<Real>(outer), .innerRadius = static_cast<Real>(inner)};
    }
};
// The chart window's wheel: centre (100, 100), rings 78/65, 65/50, 47/39.
inline constexpr WheelRings kChartWindowWheel{100, 100, 78, 65, 65, 50, 47, 39};
// The printable sheets' wheel: centre (173, 105), rings 67/57, 57/44, 44/38.
inline constexpr WheelRings kSheetWheel{173, 105, 67, 57, 57, 44, 44, 38};

// The wheel's centre of the geometry.
PagePoint WheelCentre(const ChartGeometryState& geometry);
// The circle just inside the house ring of the geometry, on which the chart
// window's views draw their figures.
CircleFrame HouseRingInnerCircle(const ChartGeometryState& geometry);

// The geometry becomes the chart window's wheel.
void SetWheelGeometry(ChartGeometryState& geometry);
// The geometry becomes the printable sheets' wheel.
void SetDefaultWheelRadii(ChartGeometryState& geometry);

// Paints the chart square (2, 2)-(195, 195) with a black brush (black-and-white
// rule applied) and the pen the surface holds, and forgets the glyph centres of
// the Ascendant and the Midheaven (wheel.planetGlyphX/Y). The chart window empties its
// attribution texts beside it (ChartWindow::ClearChartSquare).
void ClearChartArea(Surface& dc, NatalWheelState& wheel);

// For the first `count` bodies (longitudes, degrees), the number of the segment
// of the 36 boundaries (entries 0..35; the last closes the circle) it lies in;
// results[j] belongs to the body of longitudes[j]. A longitude on a boundary belongs to the
// segment that starts there; a body in no segment keeps its previous result.
void ClassifyIntoSegments(int count, std::span<const long double> longitudes, std::span<const long double> boundaries,
                          std::span<unsigned char> results);
// The same with 60 boundaries.
void ClassifyIntoSegments60(int count, std::span<const long double> longitudes, std::span<const long double> boundaries,
                            std::span<unsigned char> results);

}  // namespace display
