#pragma once
// The current person: the chart, the birth data and the orbs that the windows
// show and that the archive enters, recalls, stores and changes, and the chart
// settings in force. They belong to the program, not to the engine: the
// engine computes a chart from a moment, a place and settings and returns it,
// and a chart computed for anything else is a value of its own.
#include "engine/chart.h"

namespace archive {

// The current person's chart, birth data and orbs, and the settings in force,
// made once by the run that starts the program and handed to the dialogs and
// windows that load, show or change them.
struct CurrentChart {
    engine::Chart chart;
    engine::BirthData birth;
    engine::OrbRecord orbs;
    engine::ChartSettings settings;
    bool operator==(const CurrentChart&) const = default;
};

}  // namespace archive
