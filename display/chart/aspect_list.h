#pragma once
// The text beside the aspect figure: every major aspect (conjunction, sextile,
// square, trine, opposition) between the Sun and the Midheaven points, with how
// far it is from exact.
#include <string>
#include <vector>

#include "engine/chart.h"

namespace display {

// A heading, then a line for each pair of points in aspect (how far from exact,
// then e.g. "il Sole in Trigono con la Luna"), then a hint on reading it. The
// nodes always face each other exactly, so that opposition is left out.
std::vector<std::string> EvaluateAspectList(const engine::Chart& chart, const engine::OrbRecord& orbs);

}  // namespace display
