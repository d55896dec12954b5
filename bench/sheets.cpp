// Each of the four printable sheets of a fixed person printed into a PDF file
// (composer, blocks, glyph pictures, the PDF written). Goal: at most one
// second a sheet.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "archive/current_chart.h"
#include "display/draw/drawing_state.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_printing.h"
#include "display/wheel/chart_geometry.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "engine/houses.h"
#include "engine/receptions.h"

namespace fs = std::filesystem;
using namespace display;

namespace {

void SetPerson(archive::CurrentChart& person) {
    person = {};
    auto& c = person.chart;
    // The Sun to Saturn, the nodes, the Ascendant and the Midheaven.
    const engine::Real planets[7] = {15.25, 45.5, 20.0, 350.0, 135.75, 200.1, 290.4};
    for (int i = 1; i <= 12; ++i) c.cusps[i] = 100.5L + 30 * (i - 1) - (i >= 10 ? 360 : 0);
    for (int i = 0; i < 7; ++i) c.bodies[static_cast<engine::Body>(i)].longitude = planets[i];
    c.bodies[engine::Body::Node].longitude = 260.0;
    c.points = {260.0, 80.0, 100.5, 358.0};
    c.settings.houseSystem = engine::ParseHouseSystem("CASE_MEDIE");
    c.settings.node = engine::ParseNodeKind("MEDIO");
    c.moment.gregorian = true;
    c.moment.julianDay = 2447906.5L + 9.5L / 24;
    c.moment.zoneCorrection = -1;
    c.moment.day = 15, c.moment.month = 1, c.moment.year = 1990;
    c.moment.hour = 10, c.moment.minute = 30;
    c.place = engine::PlaceOf({12, 29, "E", 41, 54, "N"});
    for (int i = 0; i < 5; ++i) person.orbs.aspectOrbs[i] = 7;
    person.birth.subjectName = "Rossi Maria";
    c.receptions = engine::ComputeReceptions(c);
}

void BM_SheetToPdf(benchmark::State& state) {
    DrawingState drawing;
    InitDrawingFromScreen(drawing, 1920, 1080);
    drawing.printerPresent = true;
    archive::CurrentChart person;
    SetPerson(person);
    const int code = static_cast<int>(state.range(0));
    const bool landscape = code == 16 || code == 17;
    PdfSheetPrinter printer((fs::current_path() / "sheet.pdf").string());
    SheetMemory memory;
    for (auto _ : state) {
        auto job = printer.Begin(landscape, false, "bench");
        {
            PrintRun run(drawing, job->Canvas(), job->PageWidthPixels(), job->PageOriginPixels());
            ComposeSheet(code, job->Canvas(), person, memory);
        }
        job.reset();
    }
}
BENCHMARK(BM_SheetToPdf)->Arg(5)->Arg(16)->Arg(17)->Arg(18)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const fs::path work = fs::temp_directory_path() / "kelvor-bench-sheets";
    fs::remove_all(work);
    fs::create_directories(work);
    for (const char* folder : {"Simboli", "Zodiaco", "Appoggio", "OpzioneT", "FilePosi", "Scambi"}) {
        const fs::path from = fs::path(KELVOR_BUILD_DATA_DIR) / folder;
        if (fs::exists(from)) fs::copy(from, work / folder, fs::copy_options::recursive);
    }
    fs::current_path(work);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(work);
    return 0;
}
