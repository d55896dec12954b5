#include "display/wheel/body_names.h"

#include "engine/chart_state.h"

namespace display {

void FillBodyNames(engine::ChartState& chart) {
    static const char* const kBodies[13] = {
        "",           "ZON       ", "MAAN      ", "MERCURIUS ", "VENUS     ",
        "MARS      ", "JUPITER   ", "SATURNUS  ", "URANO     ", "NETTUNO   ",
        "PLUTONE   ", "NODOLUNA  ", "LUNANERA  "};
    for (int i = 1; i <= 12; ++i) chart.BodyNames[i] = kBodies[i];
}

}  // namespace display
