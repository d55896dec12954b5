#include "display/chart/chart_views.h"

#include "display/chart/antiscia_view.h"
#include "display/chart/archetype_view.h"
#include "display/chart/aspects_view.h"
#include "display/chart/cloth_view.h"
#include "display/chart/coordinates_view.h"
#include "display/chart/dodecatemoria_view.h"
#include "display/chart/energy_view.h"
#include "display/chart/masters_view.h"
#include "display/chart/volguine_view.h"

namespace display {

const std::vector<ChartViewRow>& ChartViewRows() {
    static const std::vector<ChartViewRow> kRows = {
        {kViewCoordinates, "BBcoordi", "Planetaire Co\xF6rdinaten", true, {0, 0}, {2, 3, 4}, DrawCoordinatesView},
        {kViewCloth, "BBstoffa", "Grondwet (Doek)", true, {1, 0}, {5, 6, 7, 8}, DrawClothView},
        {kViewArchetype,
         "BBarchetip",
         "Archetipische Structuur",
         true,
         {0, 1},
         {9},
         DrawArchetypeView,
         PrepareArchetypeView},
        {kViewAspects, "BBaspetti", "Planetaire Aspecten", true, {1, 1}, {10, 24, 25, 26}, DrawAspectsView},
        {kViewEnergy, "BBEnergi", "Energie-Affiniteiten", false, {0, 2}, {11, 12, 13}, DrawEnergyView},
        {kViewAntiscia, "BBantisce", "Antisce en Contrantisce", false, {1, 2}, {14, 15, 16, 17}, DrawAntisciaView},
        {kViewDodecatemoria, "BBdodecate", "Dodecatemorieen", false, {0, 3}, {18}, DrawDodecatemoriaView},
        {kViewVolguine,
         "BBvolguine",
         "Volguine Dominant",
         false,
         {1, 3},
         {19, 20, 27, 21},
         DrawVolguineView,
         PrepareVolguineView,
         true},
        {kViewMasters, "BBmaestri", "Mesters", false, {0, 4}, {22, 23}, DrawMastersView},
    };
    return kRows;
}

const ChartViewRow* FindChartView(int view) {
    for (const ChartViewRow& row : ChartViewRows())
        if (row.view == view) return &row;
    return nullptr;
}

int SubViewCount(int view) {
    const ChartViewRow* row = FindChartView(view);
    return row ? static_cast<int>(row->help.size()) : 0;
}

int SubViewHelpEntry(int view, int subView) {
    const ChartViewRow* row = FindChartView(view);
    if (!row || subView < 0 || subView >= static_cast<int>(row->help.size())) return 0;
    return row->help[static_cast<std::size_t>(subView)];
}

}  // namespace display
