#include "archive/current_chart.h"

namespace engine {

ChartState Chart;
BirthDataState Birth;
OrbRecord Orbs;

}  // namespace engine
