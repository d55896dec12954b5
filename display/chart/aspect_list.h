#pragma once
// The aspect list of the aspect memo: the five major aspects between the eleven
// chart points with their exact deviation, closest pairs first in point order.
#include <string>
#include <vector>

#include "engine/chart_state.h"

namespace display {

// The memo's lines: the heading, one line per aspect ("2.34   il Sole in
// Trigono con la Luna") and the closing note. The exact opposition of the two
// nodes is never listed.
std::vector<std::string> EvaluateAspectList(const engine::ChartState& chart, const engine::OrbRecord& orbs);

}  // namespace display
