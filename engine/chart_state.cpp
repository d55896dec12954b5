#include "engine/chart_state.h"

namespace engine {

ChartState Chart;
BirthDataState Birth;
OrbRecord Orbs;

void ResetChartState() {
    Chart = ChartState{};
    Birth = BirthDataState{};
    Orbs = OrbRecord{};
    Birth.ChartKind = 1;
}

}  // namespace engine
