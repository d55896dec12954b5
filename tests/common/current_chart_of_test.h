#pragma once
// The current chart the tests hand to the windows and routines they make, as
// the program's run hands its own: the current person's chart, birth data and
// orbs in force.
#include "archive/current_chart.h"

namespace testing_support {

inline archive::CurrentChart& CurrentChartOfTest() {
    static archive::CurrentChart current;
    return current;
}

}  // namespace testing_support
