#pragma once
// The current person: the chart, the birth data and the orbs that the windows
// show and that the archive enters, recalls, stores and changes. They belong
// to the program, not to the engine: every engine routine is handed the chart
// it computes (and the birth data and orbs it reads), and a chart computed for
// anything else is a value of its own.
#include "engine/chart_state.h"

namespace archive {

// The current person's chart, birth data and orbs in force, made once by the
// run that starts the program and handed to the dialogs and windows that load,
// show or change them.
struct CurrentChart {
    engine::ChartState chart;
    engine::BirthDataState birth;
    engine::OrbRecord orbs;
};

}  // namespace archive
