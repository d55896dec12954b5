#include "display/wheel/body_names.h"

#include "archive/current_chart.h"
#include "engine/chart_state.h"

namespace display {

std::array<std::string, 13> SignNames{};
std::array<std::string, 12> DignityBodyNames{};

void FillBodyAndSignNames() {
    static const char* const kBodies[13] = {
        "",           "ZON       ", "MAAN      ", "MERCURIUS ", "VENUS     ",
        "MARS      ", "JUPITER   ", "SATURNUS  ", "URANO     ", "NETTUNO   ",
        "PLUTONE   ", "NODOLUNA  ", "LUNANERA  "};
    static const char* const kSigns[13] = {
        "",           "RAM       ", "STIER     ", "TSEELINGEN", "KREEFT    ",
        "LEEUW     ", "MAAGD     ", "WEEGSCHAAL", "SCHORPIOEN", "BOOGSCHUTT",
        "STEENBOK  ", "WATERMAN  ", "VISSEN    "};
    for (int i = 1; i <= 12; ++i) {
        engine::Chart.BodyNames[i] = kBodies[i];
        SignNames[i] = kSigns[i];
    }
}

void FillDignityBodyNames() {
    static const char* const kNames[10] = {"",     "ZON",     "MAAN",     "MERCURIU", "VENUS",
                                           "MARS", "JUPITER", "SATURNUS", "NORDKNOO", "ZUIDKNOO"};
    for (int i = 1; i <= 9; ++i) DignityBodyNames[i] = kNames[i];
    DignityBodyNames[10].clear();
    DignityBodyNames[11].clear();
}

}  // namespace display
