#include "display/sheets/sheet_layout.h"

#include "archive/current_chart.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_archetype.h"
#include "display/sheets/sheet_cloths.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_rulers.h"
#include "display/sheets/sheet_tables.h"
#include "display/sheets/sheet_terms.h"
#include "display/sheets/sheet_wheel.h"
#include "display/wheel/chart_geometry.h"

namespace display {

namespace {

using Align = SheetTextAlign;
using Step = SheetStep;
using Table = SheetTable;
using WheelKind = SheetWheelKind;

// The page frame's scale: the output's zoom times the sheet's for the time of
// one drawing.
class SheetPageScale {
public:
    SheetPageScale(DrawingState& drawing, long double zoom) : drawing_(drawing), kept_(drawing.zoomFactor) {
        drawing.zoomFactor = kept_ * zoom;
    }
    ~SheetPageScale() { drawing_.zoomFactor = kept_; }
    SheetPageScale(const SheetPageScale&) = delete;
    SheetPageScale& operator=(const SheetPageScale&) = delete;

private:
    DrawingState& drawing_;
    long double kept_;
};

constexpr Real kCentreX = kSheetWheel.centreX, kCentreY = kSheetWheel.centreY;

const SheetLayout kThemePortrait{
    1.15L,
    {Step::HeaderDates, Step::TermsPositionsFile, SheetWheelPlace{WheelKind::Theme, kCentreX - 25, kCentreY + 18},
     SheetTablePlace{Table::SphericalDistances, 15, 202},
     SheetHeaderPlaces{230, "DOMIFICATIE: ", true, 19.8L, "NODO: ", 23.5L, 190, 170, 225, 316},
     SheetTablePlace{Table::Terms, 115, 220}, SheetTablePlace{Table::Dodecatemoria, 115, 275},
     // The title at 200 rather than 203, so that it ends inside the page.
     SheetTablePlace{Table::Latitudes, 205, 219, -5}, SheetTablePlace{Table::Longitudes, 18, 115}, Step::PlanetaryHour,
     SheetTablePlace{Table::MastersAndYear, 16, 55}, SheetTablePlace{Table::ArchetypalStructure, 25, 315},
     SheetTextsPlace{0,
                     Align::Left,
                     2,
                     {{"OPMERKING: Aspecten met betrekking", 165, 267.5L},
                      {" tot de Maanknopen zijn niet", 165, 272.5L},
                      {"uitgezet op de dierenriemkaart", 165, 277.5L}}}}};

// The landscape theme sheet's header is placed from its wheel's centre.
constexpr Real kThemeLandscapeX = kCentreX - 5, kThemeLandscapeY = kCentreY - 7;

const SheetLayout kThemeLandscape{
    1 / 1.22L,
    {Step::HeaderDates, Step::TermsPositionsFile, SheetWheelPlace{WheelKind::Theme, kThemeLandscapeX, kThemeLandscapeY},
     SheetTablePlace{Table::SphericalDistances, 15, 105},
     SheetHeaderPlaces{kThemeLandscapeX + 145, "DOMIFICATIE: HUIZEN MEDIUM", false, 20.5L, "KNOOP ", 25,
                       kThemeLandscapeX - 60, kThemeLandscapeY - 21, kThemeLandscapeX - 10, kThemeLandscapeY + 120},
     SheetTablePlace{Table::Dodecatemoria, 265, 90}, SheetTablePlace{Table::Terms, 243, 150},
     SheetTablePlace{Table::Latitudes, 18, 65}, SheetTablePlace{Table::RelativeLongitudes, 165, 210},
     SheetTablePlace{Table::ArchetypalStructure, 25, 218}, Step::PlanetaryHour,
     SheetTablePlace{Table::MastersAndYear, 263, 35},
     SheetTextsPlace{0,
                     Align::Centred,
                     15,
                     {{"OPMERKING: Aspecten met betrekking tot de Maanknopen", 170, 185},
                      {"zijn niet uitgezet op de dierenriemkaart", 170, 190}}}}};

const SheetLayout kAffinityPortrait{
    1.15L,
    {Step::HeaderDates, SheetHeaderPlaces{230, "DOMIFICATIE: ", true, 19.8L, "KNOOP: ", 23.5L, 190, 35, 225, 181},
     SheetWheelPlace{WheelKind::Energy, kCentreX - 12, kCentreY},
     SheetTextsPlace{
         0, Align::Right, 15, {{"ENERGIE AFFINITEITEN", 113, 52}, {"(Magnetische en Solilunaire)", 111, 57}}},
     SheetWheelPlace{WheelKind::Mirror, kCentreX - 12, kCentreY + 150},
     // Two units higher than (113, 202) and (111, 207): at 207 the second line
     // ran into the seasonal cloth's "Bicorporaalen" label below it, which sits
     // between its leader and "Totalen" and cannot move.
     SheetTextsPlace{
         1, Align::Right, 15, {{"SPIEGEL AFFINITEITEN", 113, 200}, {"(voor Antisce en Contrantisce)", 111, 205}}},
     SheetTablePlace{Table::ElementalCloth, 46, 95}, SheetTablePlace{Table::ElementalHumoralGrid, 50, 160},
     SheetTablePlace{Table::SeasonCloth, 46, 233}, SheetTablePlace{Table::SeasonalHumoralGrid, 50, 300}}};

const SheetLayout kAffinityLandscape{
    1 / 1.32L,
    {Step::HeaderDates,
     SheetHeaderPlaces{kCentreX + 165, "DOMIFICATIE: HUIZEN MEDIUM", false, 20.5L, "KNOOP ", 25, kCentreX - 10,
                       kCentreY - 220, kCentreX + 40, kCentreY - 75},
     SheetWheelPlace{WheelKind::Energy, kCentreX - 60, kCentreY + 5},
     SheetTextsPlace{0, Align::Left, 15, {{"ENERGIE AFFINITEITEN", 15, 60}, {"(Magnetische en Solilunaire)", 15, 65}}},
     SheetWheelPlace{WheelKind::Mirror, kCentreX + 100, kCentreY + 5},
     SheetTextsPlace{
         1, Align::Left, 15, {{"GESPIEGELDE AFFINITEITEN", 175, 60}, {"(voor Antisce en Contrantisce)", 175, 65}}},
     SheetTablePlace{Table::ElementalCloth, 50, 215}, SheetTablePlace{Table::ElementalHumoralGrid, 130, 215},
     SheetTablePlace{Table::SeasonCloth, 230, 210}, SheetTablePlace{Table::SeasonalHumoralGrid, 305, 215}}};

void DrawWheel(Surface& dc, const SheetContext& c, const SheetWheelPlace& w) {
    if (w.kind == WheelKind::Theme)
        DrawSheetThemeWheel(dc, c.chart, c.orbs.aspectOrbs, c.aspectLinesOn, {w.cx, w.cy});
    else
        DrawSheetAffinityWheel(dc, c.chart, w.kind == WheelKind::Energy ? 1 : 2, {w.cx, w.cy});
}

void DrawTable(Surface& dc, const SheetContext& c, const SheetTablePlace& t) {
    const engine::Chart& chart = c.chart;
    switch (t.table) {
        case Table::SphericalDistances:
            DrawSphericalDistances(dc, WheelPointLongitudes(chart), WheelPointLatitudes(chart), c.orbs, t.x, t.y);
            return;
        case Table::Terms: DrawTermsBlock(dc, t.x, t.y); return;
        case Table::Dodecatemoria: DrawSheetDodecatemoria(dc, WheelPointLongitudes(chart), {t.x, t.y}); return;
        case Table::Latitudes: DrawSheetLatitudes(dc, WheelPointLatitudes(chart), {t.x, t.y}, t.titleDx); return;
        case Table::Longitudes: DrawSheetLongitudes(dc, WheelPointLongitudes(chart), {t.x, t.y}); return;
        case Table::RelativeLongitudes:
            DrawSheetRelativeLongitudes(dc, WheelPointLongitudes(chart), {t.x, t.y});
            return;
        case Table::MastersAndYear: DrawPlanetaryHourAndYearRuler(dc, chart, c.rulers, t.x, t.y); return;
        case Table::ArchetypalStructure: DrawArchetypalStructure(dc, chart.receptions, t.x, t.y); return;
        case Table::ElementalCloth: DrawElementalCloth(dc, chart, t.x, t.y); return;
        case Table::SeasonCloth: DrawSeasonCloth(dc, chart, t.x, t.y); return;
        case Table::ElementalHumoralGrid: DrawElementalHumoralGrid(dc, chart, t.x, t.y); return;
        case Table::SeasonalHumoralGrid: DrawSeasonalHumoralGrid(dc, chart, t.x, t.y); return;
    }
}

void DrawTexts(Surface& dc, const SheetTextsPlace& t) {
    SetTextColorByCode(dc, t.colourCode);
    for (const SheetTextLine& l : t.lines) {
        if (t.align == Align::Left) TextOutLeft(dc, l.text, t.sizeCode, l.x, l.y);
        if (t.align == Align::Right) TextOutRight(dc, l.text, t.sizeCode, l.x, l.y);
        if (t.align == Align::Centred) TextOutCentered(dc, l.text, t.sizeCode, l.x, l.y);
    }
}

}  // namespace

const SheetLayout* SheetLayoutOf(int code) {
    switch (code) {
        case kThemeSheetPortrait: return &kThemePortrait;
        case kThemeSheetLandscape: return &kThemeLandscape;
        case kAffinitySheetLandscape: return &kAffinityLandscape;
        case kAffinitySheetPortrait: return &kAffinityPortrait;
        default: return nullptr;
    }
}

SheetContext CurrentSheetContext(const archive::CurrentChart& current, const SheetMemory& memory,
                                 const DrawingState& drawing) {
    return {current.chart,
            current.birth,
            current.orbs,
            memory.rulers,
            memory.calendarNote,
            drawing.aspectLinesOn,
            memory.userFullName ? memory.userFullName() : std::string()};
}

void RunSheetStep(SheetStep step, const archive::CurrentChart& current, SheetMemory& memory) {
    const engine::Chart& chart = current.chart;
    switch (step) {
        case Step::HeaderDates: SetSheetHeaderDates(chart, memory); return;
        case Step::TermsPositionsFile: PrepareTermsPositionsFile(chart, memory.terms); return;
        case Step::PlanetaryHour: ComputePlanetaryHour(chart, memory.rulers); return;
    }
}

void RunSheetEntry(Surface& dc, const SheetEntry& entry, const archive::CurrentChart& current, SheetMemory& memory) {
    if (const SheetStep* step = std::get_if<SheetStep>(&entry)) {
        RunSheetStep(*step, current, memory);
        return;
    }
    const SheetContext context = CurrentSheetContext(current, memory, dc.Drawing());
    if (const auto* w = std::get_if<SheetWheelPlace>(&entry)) DrawWheel(dc, context, *w);
    if (const auto* h = std::get_if<SheetHeaderPlaces>(&entry)) DrawSheetHeader(dc, context, *h);
    if (const auto* t = std::get_if<SheetTablePlace>(&entry)) DrawTable(dc, context, *t);
    if (const auto* t = std::get_if<SheetTextsPlace>(&entry)) DrawTexts(dc, *t);
}

void DrawSheetLayout(Surface& dc, const SheetLayout& layout, const archive::CurrentChart& current,
                     SheetMemory& memory) {
    SheetPageScale scale(dc.Drawing(), layout.zoom);
    for (const SheetEntry& entry : layout.entries) RunSheetEntry(dc, entry, current, memory);
}

}  // namespace display
