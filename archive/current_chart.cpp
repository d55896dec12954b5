#include "archive/current_chart.h"

namespace archive {

CurrentChart& SharedCurrentChart() {
    static CurrentChart current;
    return current;
}

}  // namespace archive

namespace engine {

ChartState& Chart = archive::SharedCurrentChart().chart;
BirthDataState& Birth = archive::SharedCurrentChart().birth;
OrbRecord& Orbs = archive::SharedCurrentChart().orbs;

}  // namespace engine
