#include "display/sheets/sheet_composers.h"

#include "display/draw/canvas_form.h"
#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_affinities.h"
#include "display/sheets/sheet_archetype.h"
#include "display/sheets/sheet_cloths.h"
#include "display/sheets/sheet_rulers.h"
#include "display/sheets/sheet_tables.h"
#include "display/sheets/sheet_terms.h"
#include "display/sheets/sheet_wheel.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/stroke_glyphs.h"
#include "engine/chart_state.h"
#include "engine/planetary_hours.h"

namespace display {

SheetCompositionState SheetComposition;

void ResetSheetComposition() { SheetComposition = SheetCompositionState{}; }

namespace {

using engine::Birth;
using engine::Chart;

// Keeps the zoom and the wheel centre of the drawing and puts them back when
// the sheet ends, also when a block fails.
class SheetScale {
public:
    SheetScale(long double zoomFactor, int dx, int dy)
        : zoom_(Drawing.ZoomFactor), cx_(Geometry.WheelCentreX), cy_(Geometry.WheelCentreY) {
        Drawing.ZoomFactor = zoom_ * zoomFactor;
        Geometry.WheelCentreX += dx;
        Geometry.WheelCentreY += dy;
    }
    ~SheetScale() {
        Drawing.ZoomFactor = zoom_;
        Geometry.WheelCentreX = cx_;
        Geometry.WheelCentreY = cy_;
    }
    SheetScale(const SheetScale&) = delete;
    SheetScale& operator=(const SheetScale&) = delete;

private:
    long double zoom_;
    int cx_, cy_;
};

void SetChartWeekdayName() {
    int index = 0;
    engine::WeekdayOfJulianDay(index, Chart.JulianDay - Chart.TimeZoneCorrection / 24);
    SheetRulers.ChartWeekdayName = Chart.WeekdayName;
}

void SetCalendarNote() { SheetComposition.CalendarNote = Chart.GregorianCalendar ? "" : " Calend. Giuliano"; }

struct HeaderPlaces {
    Real right;
    std::string houseLabel;
    Real houseY;
    std::string nodeLabel;
    Real nodeY;
    Real stampX, stampY;
    Real captionX, captionY;
};

void DrawHeader(Surface& dc, const HeaderPlaces& h) {
    TextOutLeft(dc, Birth.SubjectName, 4, 15, 15);
    TextOutRight(dc, "GEBOORTE THEMA", 3, h.right, 15);
    TextOutLeft(dc,
                "GEBOORTE " + SheetRulers.ChartWeekdayName + " " + Birth.BirthDateText + " (GMT" + Birth.TimeZoneText +
                    ")" + SheetComposition.CalendarNote,
                2, 15, 25);
    TextOutLeft(dc, Birth.BirthPlace + " - " + Birth.Nationality, 2, 15, 30);
    TextOutLeft(dc, Birth.CoordinatesText, 2, 15, 35);
    SetTextColorByCode(dc, 4);
    TextOutRight(dc, h.houseLabel, 15, h.right, h.houseY);
    TextOutRight(dc, h.nodeLabel + Chart.NodeType, 15, h.right, h.nodeY);
    if (Drawing.BlackAndWhite)
        DrawProgramStampPlain(dc, h.stampX, h.stampY);
    else
        DrawProgramStamp(dc, h.stampX, h.stampY);
    TextOutLeft(dc, Birth.JulianDayText, 2, 15, 40);
    SetTextColorByCode(dc, 0);
    DrawCaptionPair(dc, h.captionX, h.captionY);
}

void DrawThemeWheel(Surface& dc) {
    const Real cx = Geometry.WheelCentreX, cy = Geometry.WheelCentreY;
    const Real asc = Chart.HouseCusps[1];
    DrawSheetSignRing(dc, "M", cx, cy, Geometry.SignRingOuterRadius, Geometry.SignRingInnerRadius, 7);
    DrawSheetPlanetRing(dc, Chart.PlanetLongitudes, Chart.RetroMarks, 9, cx, cy, Geometry.PlanetRingOuterRadius,
                        Geometry.PlanetRingInnerRadius, asc);
    DrawSheetHouseRing(dc, Chart.HouseCusps, asc, cx, cy, Geometry.HouseRingOuterRadius - 3,
                       Geometry.HouseRingInnerRadius - 3);
    DrawSheetAspects(dc, Chart.PlanetLongitudes, Drawing.AspectLinesOn, cx, cy, Geometry.HouseRingInnerRadius - 3);
    DrawHouseCusps(dc, Chart.HouseCusps, Geometry.SignRingOuterRadius + 5, cx, cy);
}

void DrawAffinityWheel(Surface& dc, int mode) {
    const Real cx = Geometry.WheelCentreX, cy = Geometry.WheelCentreY;
    const Real asc = Chart.HouseCusps[1];
    DrawSheetSignRingPlain(dc, "M", cx, cy, Geometry.SignRingOuterRadius - 2, Geometry.SignRingInnerRadius - 2, 7);
    DrawSheetPlanetRingPlain(dc, Chart.PlanetLongitudes, Chart.RetroMarks, 9, cx, cy,
                             Geometry.PlanetRingOuterRadius - 2, Geometry.PlanetRingInnerRadius, asc);
    DrawSheetHouseRing(dc, Chart.HouseCusps, asc, cx, cy, Geometry.HouseRingOuterRadius - 3,
                       Geometry.HouseRingInnerRadius - 3);
    const Real r = Geometry.SignRingOuterRadius - 2;
    DrawSheetAngles(dc, Chart.HouseCusps, r, r, r, cx, cy);
    DrawSheetAffinityFigures(dc, mode, cx, cy, Geometry.HouseRingInnerRadius - 3.5L);
}

void WriteTermsPositions() {
    ComputeTermSectors();
    RefreshSheetDecanKeys();
    WritePlanetPositionsFile();
}

}  // namespace

void ComposeThemeSheetPortrait(Surface& dc) {
    SetChartWeekdayName();
    WriteTermsPositions();
    SheetScale scale(1.15L, -25, 18);
    DrawThemeWheel(dc);
    DrawSphericalDistances(dc, Chart.PlanetLongitudes, 15, 202);
    SetCalendarNote();
    SetTextColorByCode(dc, 0);
    DrawHeader(dc, {230, "DOMIFICATIE: " + Chart.HouseSystemName, 19.8L, "NODO: ", 23.5L, 190, 170, 225, 316});
    DrawTermsBlock(dc, 115, 220);
    DrawSheetDodecatemoria(dc, Chart.PlanetLongitudes, 115, 275);
    // The title at 200 rather than 203, so that it ends inside the page.
    DrawSheetLatitudes(dc, 205, 219, -5);
    DrawSheetLongitudes(dc, 18, 115);
    DrawPlanetaryHourAndYearRuler(dc, 16, 55);
    DrawArchetypalStructure(dc, 25, 315);
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, "OPMERKING: Aspecten met betrekking", 2, 165, 267.5L);
    TextOutLeft(dc, " tot de Maanknopen zijn niet", 2, 165, 272.5L);
    TextOutLeft(dc, "uitgezet op de dierenriemkaart", 2, 165, 277.5L);
}

void ComposeThemeSheetLandscape(Surface& dc) {
    SetChartWeekdayName();
    WriteTermsPositions();
    SheetScale scale(1 / 1.22L, -5, -7);
    DrawThemeWheel(dc);
    DrawSphericalDistances(dc, Chart.PlanetLongitudes, 15, 105);
    SetCalendarNote();
    SetTextColorByCode(dc, 0);
    const Real cx = Geometry.WheelCentreX, cy = Geometry.WheelCentreY;
    DrawHeader(dc, {cx + 145, "DOMIFICATIE: HUIZEN MEDIUM", 20.5L, "KNOOP ", 25, cx - 60, cy - 21, cx - 10, cy + 120});
    DrawSheetDodecatemoria(dc, Chart.PlanetLongitudes, 265, 90);
    DrawTermsBlock(dc, 243, 150);
    DrawSheetLatitudes(dc, 18, 65);
    DrawSheetRelativeLongitudes(dc, Chart.PlanetLongitudes, 165, 210);
    DrawArchetypalStructure(dc, 25, 218);
    DrawPlanetaryHourAndYearRuler(dc, 263, 35);
    SetTextColorByCode(dc, 0);
    TextOutCentered(dc, "OPMERKING: Aspecten met betrekking tot de Maanknopen", 15, 170, 185);
    TextOutCentered(dc, "zijn niet uitgezet op de dierenriemkaart", 15, 170, 190);
}

void ComposeAffinitySheetPortrait(Surface& dc) {
    SetChartWeekdayName();
    SheetScale scale(1.15L, 0, 0);
    SetTextColorByCode(dc, 0);
    SetCalendarNote();
    DrawHeader(dc, {230, "DOMIFICATIE: " + Chart.HouseSystemName, 19.8L, "KNOOP: ", 23.5L, 190, 35, 225, 181});
    Geometry.WheelCentreX -= 12;
    DrawAffinityWheel(dc, 1);
    SetTextColorByCode(dc, 0);
    TextOutRight(dc, "ENERGIE AFFINITEITEN", 15, 113, 52);
    TextOutRight(dc, "(Magnetische en Solilunaire)", 15, 111, 57);
    Geometry.WheelCentreY += 150;
    DrawAffinityWheel(dc, 2);
    SetTextColorByCode(dc, 1);
    // Two units higher than (113, 202) and (111, 207): at 207 the second line
    // ran into the seasonal cloth's "Bicorporaalen" label below it, which sits
    // between its leader and "Totalen" and cannot move.
    TextOutRight(dc, "SPIEGEL AFFINITEITEN", 15, 113, 200);
    TextOutRight(dc, "(voor Antisce en Contrantisce)", 15, 111, 205);
    DrawElementalCloth(dc, 46, 95);
    DrawElementalHumoralGrid(dc, 50, 160);
    DrawSeasonCloth(dc, 46, 233);
    DrawSeasonalHumoralGrid(dc, 50, 300);
}

void ComposeAffinitySheetLandscape(Surface& dc) {
    SetChartWeekdayName();
    SheetScale scale(1 / 1.32L, 0, 0);
    SetTextColorByCode(dc, 0);
    SetCalendarNote();
    const Real c0x = Geometry.WheelCentreX, c0y = Geometry.WheelCentreY;
    DrawHeader(dc, {c0x + 165, "DOMIFICATIE: HUIZEN MEDIUM", 20.5L, "KNOOP ", 25, c0x - 10, c0y - 220, c0x + 40,
                    c0y - 75});
    Geometry.WheelCentreX -= 60;
    Geometry.WheelCentreY += 5;
    DrawAffinityWheel(dc, 1);
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, "ENERGIE AFFINITEITEN", 15, 15, 60);
    TextOutLeft(dc, "(Magnetische en Solilunaire)", 15, 15, 65);
    Geometry.WheelCentreX += 160;
    DrawAffinityWheel(dc, 2);
    SetTextColorByCode(dc, 1);
    TextOutLeft(dc, "GESPIEGELDE AFFINITEITEN", 15, 175, 60);
    TextOutLeft(dc, "(voor Antisce en Contrantisce)", 15, 175, 65);
    DrawElementalCloth(dc, 50, 215);
    DrawElementalHumoralGrid(dc, 130, 215);
    DrawSeasonCloth(dc, 230, 210);
    DrawSeasonalHumoralGrid(dc, 305, 215);
}

bool ComposeSheet(int code, Surface& dc) {
    switch (code) {
        case kThemeSheetPortrait: ComposeThemeSheetPortrait(dc); return true;
        case kThemeSheetLandscape: ComposeThemeSheetLandscape(dc); return true;
        case kAffinitySheetLandscape: ComposeAffinitySheetLandscape(dc); return true;
        case kAffinitySheetPortrait: ComposeAffinitySheetPortrait(dc); return true;
        default: return false;
    }
}

bool DrawSheetEntry(int code, CanvasForm* window) {
    if (code != kThemeSheetPortrait && code != kThemeSheetLandscape && code != kAffinitySheetLandscape &&
        code != kAffinitySheetPortrait)
        return false;
    if (Drawing.MetafileOutput) {
        BeginChartMetafile();
        Surface* canvas = Drawing.ChartMetafileCanvas;
        if (!canvas) return true;  // a bad name, already reported
        try {
            ComposeSheet(code, *canvas);
        } catch (...) {
            DiscardChartMetafile();
            throw;
        }
        EndChartMetafile();
        return true;
    }
    Surface* target = nullptr;
    if (!Drawing.PrintOutput && window) target = &window->Canvas();
    if (Drawing.PrinterPresent && Drawing.PrintOutput) target = Drawing.PrinterCanvas;
    SheetComposition.SheetCanvas = target;
    if (target) ComposeSheet(code, *target);
    return true;
}

void DrawThemeSheetPortrait(CanvasForm* window) { DrawSheetEntry(kThemeSheetPortrait, window); }
void DrawThemeSheetLandscape(CanvasForm* window) { DrawSheetEntry(kThemeSheetLandscape, window); }
void DrawAffinitySheetLandscape(CanvasForm* window) { DrawSheetEntry(kAffinitySheetLandscape, window); }
void DrawAffinitySheetPortrait(CanvasForm* window) { DrawSheetEntry(kAffinitySheetPortrait, window); }

}  // namespace display
