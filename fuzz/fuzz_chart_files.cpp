// Fuzzes the chart window's own stored files: the birth data hand-off
// "FileTmp\DatiNasc.Tmp" read by the dominants' count, the scores
// "FileDum\MMMaitr2.dum" drawn as bars and the year rulers "Appoggio\GoverAnno.txt".
#include "display/chart/masters_view.h"
#include "display/chart/volguine_forces.h"
#include "display/draw/recording_surface.h"
#include "engine/chart.h"
#include "engine/dominants.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(engine::kChartDataTempFile, files[0]);
    fuzz::PutFile(display::kVolguineScoresFile, files[1]);
    fuzz::PutFile(display::kYearRulersFile, files[2]);
    engine::Chart chart;
    chart.settings.node = {engine::NodeKind::True, std::nullopt};
    fuzz::Guard([&chart] { engine::ComputeVolguineDominants(chart); });
    fuzz::PutFile(display::kVolguineScoresFile, files[1]);
    fuzz::Guard([&chart] {
        const auto scores = display::ReadVolguineScores();
        display::EvaluateVolguineForces(scores, chart);
        display::RecordingSurface s;
        display::DrawVolguineForces(s, chart, 10, 10);
    });
    chart.moment.julianDay = 2451545;
    chart.moment.gregorian = true;
    fuzz::Guard([&chart] { display::EvaluateYearRulers(chart); });
}
}  // namespace

KELVOR_FUZZ_FILES(3, Run)
