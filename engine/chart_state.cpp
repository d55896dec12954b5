#include "engine/chart_state.h"

#include "engine/engine_settings.h"

namespace engine {

ChartState Chart;
BirthDataState Birth;
OrbRecord Orbs;

void ResetChartState() {
    Chart = ChartState{};
    Birth = BirthDataState{};
    Orbs = OrbRecord{};
    ForgetSettingsStandIn();
    Birth.ChartKind = 1;
}

}  // namespace engine
