// Fuzzes the attribution texts of the chart window with the position keys
// that choose among them: the planets' general and specific texts
// ("OpzioneT\KlvPian.txt", "OpzioneT\KlvPianSpe.Txt"), the signs' general and
// specific texts ("OpzioneT\KlvSegni.txt", "OpzioneT\KlvSegnSpe.txt") and the
// keys of the last drawing ("OpzioneT\PosiPian.txt", "OpzioneT\PosiSegn.txt"),
// as a click on every point and sign reads them, and the segment lists.
#include "display/chart/attribution_texts.h"
#include "display/wheel/position_files.h"
#include "engine/chart.h"
#include "fuzz/fuzz_driver.h"
#include "platform/runtime/text_file.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(display::kPlanetGeneralFile, files[0]);
    fuzz::PutFile(display::kPlanetSpecificFile, files[1]);
    fuzz::PutFile(display::kSignGeneralFile, files[2]);
    fuzz::PutFile(display::kSignSpecificFile, files[3]);
    fuzz::PutFile(display::kPointPositionFile, files[4]);
    fuzz::PutFile(display::kSignPositionFile, files[5]);
    const display::MissingFileReport quiet = [](const std::string&, const rt::IoError&) {};
    const engine::Chart chart;
    for (int body = 1; body <= 11; ++body) fuzz::Guard([&] { display::PlanetAttributionTexts(chart, body, quiet); });
    for (int sign = 1; sign <= 12; ++sign) fuzz::Guard([&] { display::SignAttributionTexts(sign, quiet); });
    fuzz::Guard([] {
        const std::vector<std::string> lines = rt::ReadTextLines(display::kPlanetSpecificFile);
        display::SegmentTables tables = display::PlanetSegmentTables(display::NatalWheelState{});
        for (const display::ChartPoint point : display::kChartPoints) {
            const int number = display::ChartPointNumber(point);
            tables.terms[point] = static_cast<unsigned char>(number * 5);
            tables.decades[point] = static_cast<unsigned char>(number * 3);
        }
        for (auto kind : {display::SegmentKind::Terms, display::SegmentKind::Decans, display::SegmentKind::Decades})
            display::SegmentListLines(kind, tables, lines);
    });
}
}  // namespace

KELVOR_FUZZ_FILES(6, Run)
