#include "engine/chart_state.h"

namespace engine {

void ResetChartState(ChartState& chart, BirthDataState& birth, OrbRecord& orbs) {
    chart = ChartState{};
    birth = BirthDataState{};
    orbs = OrbRecord{};
    birth.ChartKind = 1;
}

}  // namespace engine
