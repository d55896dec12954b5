#include "display/chart/chart_views.h"

#include "display/chart/antiscia_lines.h"
#include "display/chart/chart_window.h"
#include "display/chart/cloths.h"
#include "display/chart/dignity_table.h"
#include "display/chart/dodecatemoria_wheel.h"
#include "display/chart/glyph_clicks.h"
#include "display/chart/humoral.h"
#include "display/chart/view_titles.h"
#include "display/chart/volguine_forces.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"

namespace display {

namespace {

Real CentreX() { return Geometry.WheelCentreX; }
Real CentreY() { return Geometry.WheelCentreY; }
Real InnerRadius() { return Geometry.HouseRingInnerRadius; }

void CoordinatesView(TFgrKelvo& form, Surface& dc, int sub) {
    switch (sub) {
        case 0:
            ShowRelativeLongitudesView(form, dc);
            ListPlanetsInSegments(form);  // terms, decans and decades in the aspect memo
            break;
        case 1: ShowAbsoluteLongitudesView(form, dc); break;
        case 2: ShowLatitudesView(form, dc); break;
        default: break;
    }
}

void ClothView(TFgrKelvo& form, Surface& dc, int sub) {
    switch (sub) {
        case 0: DrawElementalDoek(form, dc, CentreX() + 2, CentreY() + 4); break;
        case 1: DrawHumoralAttribution(form, dc, CentreX() + 4, CentreY()); break;
        case 2: DrawSeasonDoek(form, dc, CentreX() + 4, CentreY()); break;
        case 3: DrawSeasonalHumoralAttribution(form, dc, CentreX() + 4, CentreY()); break;
        default: break;
    }
}

void ArchetypeView(TFgrKelvo& form, Surface& dc, int) {
    ShowArchetypeWheelView(form, dc);
    DrawDignityTable(dc);
}

void AspectsView(TFgrKelvo& form, Surface& dc, int sub) {
    switch (sub) {
        case 0:
        case 1:
            ShowMajorAspectsView(form, dc, engine::Chart.PlanetLongitudes, CentreX(), CentreY(), InnerRadius(),
                                 sub == 0 ? 1 : 0);
            ListAspectsInMemo(form);
            break;
        case 2: ShowAspectsAndOrbitsView(form, dc); break;
        case 3: ShowSphericalDistancesView(form, dc); break;
        default: break;
    }
}

void EnergyView(TFgrKelvo& form, Surface& dc, int sub) { ShowEnergyAffinitiesView(form, dc, sub); }

void AntisciaView(TFgrKelvo& form, Surface& dc, int) {
    ShowAntisciaView(form, dc, KelvoState.ViewCycle[kViewAntiscia]);
}

void DodecatemoriaView(TFgrKelvo& form, Surface& dc, int) {
    ShowDodecatemoriaView(form, dc);
    {
        // The part of the window right of the chart square, black.
        ScopedBrush black(dc, kBlack);
        RectangleScaled(dc, 195, 2, 279, 195);
    }
    // The dodecatemoria in their terms, decans and decades in the aspect memo.
    SegmentTables tables;
    tables.terms = DodecatemoriaTables.DodecatemoriaTerms;
    tables.decades = DodecatemoriaTables.DodecatemoriaDecades;
    tables.decanKeys = DodecatemoriaTables.DodecatemoriaDecanKeys;
    for (SegmentKind k : {SegmentKind::Terms, SegmentKind::Decans, SegmentKind::Decades})
        ListPointsInSegments(form, k, true, tables);
}

// The content drawn over the reduced wheel and the titles of the dominant-planet view.
void VolguineView(TFgrKelvo& form, Surface& dc, int sub) {
    const auto& longitudes = engine::Chart.PlanetLongitudes;
    switch (sub) {
        case 0: DrawRelativeLongitudesTitled(form, dc); break;
        case 1: DrawMajorAspectsTitled(form, dc, longitudes, CentreX(), CentreY(), InnerRadius(), 1); break;
        case 2: DrawMajorAspectsTitled(form, dc, longitudes, CentreX(), CentreY(), InnerRadius(), 0); break;
        case 3: DrawVolguineForces(dc, CentreX() - 32, CentreY() - 22); break;
        default: break;
    }
}

void MastersView(TFgrKelvo& form, Surface& dc, int sub) {
    if (sub == 0) ShowMastersView(form, dc);
    if (sub == 1) ShowYearAndCycleRulersView(form, dc);
}

}  // namespace

void RegisterChartViews() {
    SetAntisciaLinesDrawer([](TFgrKelvo& form, Surface& dc, int index, Real ascendant, Real x, Real y,
                              const std::string& kind) {
        DrawAntisciaOfClicked(form, dc, index, ascendant, x, y, kind);
    });
    SetChartViewDrawer(kViewCoordinates, CoordinatesView);
    SetChartViewDrawer(kViewCloth, ClothView);
    SetChartViewDrawer(kViewArchetype, ArchetypeView);
    SetChartViewDrawer(kViewAspects, AspectsView);
    SetChartViewDrawer(kViewEnergy, EnergyView);
    SetChartViewDrawer(kViewAntiscia, AntisciaView);
    SetChartViewDrawer(kViewDodecatemoria, DodecatemoriaView);
    SetChartViewDrawer(kViewVolguine, VolguineView);
    SetChartViewDrawer(kViewMasters, MastersView);
}

}  // namespace display
