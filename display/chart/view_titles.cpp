#include "display/chart/view_titles.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <string>

#include "display/chart/antiscia_wheel.h"
#include "display/chart/archetype_wheel.h"
#include "display/chart/aspect_list.h"
#include "display/chart/aspects_and_orbits.h"
#include "display/chart/chart_window.h"
#include "display/chart/coordinate_tables.h"
#include "display/chart/dodecatemoria_wheel.h"
#include "display/chart/energy_affinities.h"
#include "display/chart/major_aspect_figure.h"
#include "display/chart/masters_view.h"
#include "display/chart/reduced_wheel.h"
#include "display/chart/spherical_distances.h"
#include "display/chart/view_drawing.h"
#include "display/draw/drawing_state.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/wheel_state.h"
#include "platform/gui/text_convert.h"

namespace display {

namespace {

Real CentreX() { return Geometry.WheelCentreX; }
Real CentreY() { return Geometry.WheelCentreY; }

// The natal chart with its centre blanked for a grid.
void NatalChartWithBlankCentre(TFgrKelvo& form, Surface& dc) {
    RedrawNatalChart(form);
    const Real r = Geometry.HouseRingOuterRadius + 2.5L;
    EllipseScaled(dc, CentreX() - r, CentreY() - r, CentreX() + r, CentreY() + r);
}

}  // namespace

void ShowAspectsAndOrbitsView(TFgrKelvo& form, Surface& dc) {
    NatalChartWithBlankCentre(form, dc);
    DrawViewTitles(dc, "PLANETAIRE ASPECTEN", 2);
    DrawAspectsAndOrbits(dc, EvaluateAspectsAndOrbits(engine::Chart, engine::Orbs), " ", CentreX() - 38,
                         CentreY() - 27);
}

void ShowSphericalDistancesView(TFgrKelvo& form, Surface& dc) {
    NatalChartWithBlankCentre(form, dc);
    DrawViewTitles(dc, "SFERISCHE AFSTANDEN", 2);
    GridBodyCount = 9;
    DrawSphericalDistanceGrid(dc, engine::Chart.PlanetLongitudes, CentreX() - 42, CentreY() - 28);
}

void ShowMajorAspectsView(TFgrKelvo& form, Surface& dc, const engine::BodyArray& longitudes, Real cx, Real cy, Real r,
                          int linesFlag) {
    DrawViewTitles(dc, "PLANETAIRE ASPECTEN", 2, "(Alleen grote aspecten) ");
    RedrawNatalChart(form);
    DrawMajorAspectGrid(form.Canvas(), longitudes, linesFlag, cx, cy, r, KelvoState.VolguineViewActive);
}

void DrawMajorAspectsTitled(TFgrKelvo&, Surface& dc, const engine::BodyArray& longitudes, Real cx, Real cy, Real r,
                            int linesFlag) {
    DrawViewTitles(dc, "PLANETAIRE ASPECTEN     ", 2, "(Alleen grote aspecten)            ");
    DrawMajorAspectGrid(dc, longitudes, linesFlag, cx, cy, r + 4, KelvoState.VolguineViewActive);
}

void ShowRelativeLongitudesView(TFgrKelvo& form, Surface& dc) {
    DrawViewTitles(dc, "PLANETAIRE LENGTEGRADEN", 2, "(Ten opzichte van het bezetteken)");
    RedrawNatalChart(form);
    DrawRelativeLongitudes(form.Canvas());
}

void DrawRelativeLongitudesTitled(TFgrKelvo& form, Surface& dc) {
    DrawViewTitles(dc, "PLANETAIRE LENGTEGRADEN", 2, "(Ten opzichte van het bezetteken)    ");
    RedrawReducedWheelChart(form, KelvoState.VolguineViewActive);
    DrawEngineOrderLongitudes(form.Canvas());
}

void ShowMastersView(TFgrKelvo& form, Surface& dc) {
    DrawViewTitles(dc, "MAESTRI \"ASC\", \"MC\", \"Ora Planetaria\"", 15);
    RedrawNatalChart(form);
    DrawMastersTable(form.Canvas());
}

void ShowYearAndCycleRulersView(TFgrKelvo& form, Surface& dc) {
    DrawViewTitles(dc, "MAESTRI dell'ANNO e del CICLO", 15);
    RedrawNatalChart(form);
    DrawYearAndCycleRulers(form.Canvas());
}

void ShowAbsoluteLongitudesView(TFgrKelvo& form, Surface& dc) {
    DrawViewTitles(dc, "PLANETAIRE LENGTEGRADEN", 2, "(Absolute, met 0 \xB0 Ram oorsprong)");
    RedrawNatalChart(form);
    DrawAbsoluteLongitudes(form.Canvas());
    ShowHelpMessage(1);
}

void ShowLatitudesView(TFgrKelvo& form, Surface& dc) {
    DrawViewTitles(dc, "PLANETAIRE BREEDTEGRADEN", 2);
    RedrawNatalChart(form);
    DrawLatitudes(form.Canvas());
}

void ShowDodecatemoriaView(TFgrKelvo& form, Surface&) {
    DrawPageFrame(&form);
    SetWheelGeometry();
    Drawing.ChartWindow = &form;
    DrawDodecatemoriaChart(form.Canvas());
}

void ShowArchetypeWheelView(TFgrKelvo& form, Surface&) {
    DrawPageFrame(&form);
    SetWheelGeometry();
    Drawing.ChartWindow = &form;
    DrawArchetypeWheel(form.Canvas());
}

void ShowAntisciaView(TFgrKelvo& form, Surface& dc, int mode) {
    RedrawNatalChart(form);
    DrawViewTitles(dc, "ANTISCE EN CONTRANTISCE", 2, std::string(50, ' '), 2);
    DrawAntisciaWheel(dc, Wheel.SignMidpoints, mode, CentreX(), CentreY(), Geometry.HouseRingInnerRadius);
}

void ShowEnergyAffinitiesView(TFgrKelvo& form, Surface& dc, int mode) {
    RedrawNatalChart(form);
    DrawViewTitles(dc, "ENERGIE AFFINITEITEN", 2, "(Magnetische en Solilunaire Relaties)");
    DrawEnergyAffinities(dc, Wheel.SignMidpoints, mode, CentreX(), CentreY(), Geometry.HouseRingInnerRadius);
}

void RedrawNatalChartView(TFgrKelvo& form, Surface& dc) {
    ClearChartArea(dc);
    RedrawNatalChart(form);
}

void ListAspectsInMemo(TFgrKelvo& form) {
    form.Panel3->show();
    QStringList lines;
    for (const std::string& l : EvaluateAspectList(engine::Chart, engine::Orbs)) lines << gui::ToQt(l);
    form.MemoAspetti->setPlainText(lines.join('\n'));
}

void ClearMemoL1(TFgrKelvo& form) { form.MemoL1->clear(); }

}  // namespace display
