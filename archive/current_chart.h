#pragma once
// The current person: the chart, the birth data and the orbs that the windows
// show and that the archive enters, recalls, stores and changes. They belong
// to the program, not to the engine: every engine routine is handed the chart
// it computes (and the birth data and orbs it reads), and a chart computed for
// anything else is a value of its own.
#include "engine/chart_state.h"

namespace engine {

extern ChartState Chart;
extern BirthDataState Birth;
extern OrbRecord Orbs;

}  // namespace engine
