// One full drawing of the natal wheel (zodiac ring with decan rulers, ring of
// chart points, house ring, cusp marks, stamp, position files and data fields)
// into the chart window's back buffer on a 1920 x 1080 screen.
#include <benchmark/benchmark.h>
#include <memory>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "archive/current_chart.h"
#include "display/chart/chart_window.h"
#include "display/draw/drawing_state.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/position_files.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"

namespace fs = std::filesystem;
using namespace display;

namespace {

void SetPerson(archive::CurrentChart& person) {
    person = {};
    auto& c = person.chart;
    const engine::Real cusps[12] = {100.5, 125, 150, 178, 212, 248, 280.5, 305, 330, 358, 32, 68};
    // The Sun to Saturn, the nodes, the Ascendant and the Midheaven; Mercury retrograde.
    const engine::Real planets[7] = {15.25, 45.5, 20.0, 350.0, 135.75, 200.1, 290.4};
    for (int i = 1; i <= 12; ++i) c.cusps[i] = cusps[i - 1];
    for (int i = 0; i < 7; ++i) c.bodies[static_cast<engine::Body>(i)].longitude = planets[i];
    c.bodies[engine::Body::Mercury].retrograde = true;
    c.bodies[engine::Body::Node].longitude = 260.0;
    c.points = {260.0, 80.0, 100.5, 358.0};
    c.settings.houseSystem = engine::ParseHouseSystem("PLACIDO");
    c.moment.gregorian = true;
    c.moment.julianDay = 2447907.0625L;
    for (int i = 0; i < 5; ++i) person.orbs.aspectOrbs[i] = 7;
    person.birth.subjectName = "Rossi Maria";
}

// The chart window the benchmark draws into and the person it shows, its geometry and drawing state,
// freed
// before the application ends.
ChartGeometryState benchGeometry;
archive::CurrentChart benchPerson;
DrawingState benchDrawing;
std::unique_ptr<ChartWindow> benchWindow;

void BM_NatalWheelToBackBuffer(benchmark::State& state) {
    ResetDrawingState(benchDrawing);
    InitDrawingFromScreen(benchDrawing, 1920, 1080);
    SetPerson(benchPerson);
    if (!benchWindow) benchWindow = std::make_unique<ChartWindow>(benchGeometry, benchPerson, benchDrawing);
    ChartWindow* window = benchWindow.get();
    window->resize(1920, 1080);
    window->show();
    window->PrepareOpening();
    for (auto _ : state) {
        RepaintChartWindow(*window);
        benchmark::DoNotOptimize(window->Snapshot().constBits());
    }
}
BENCHMARK(BM_NatalWheelToBackBuffer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // A scratch working folder with the glyph pictures and the help texts.
    const fs::path work = fs::temp_directory_path() / "kelvor-bench-wheel";
    fs::remove_all(work);
    fs::create_directories(work);
    for (const char* folder : {"Simboli", "Zodiaco", "Appoggio"}) {
        const fs::path from = fs::path(KELVOR_BUILD_DATA_DIR) / folder;
        if (fs::exists(from)) fs::copy(from, work / folder, fs::copy_options::recursive);
    }
    fs::current_path(work);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    benchWindow.reset();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(work);
    return 0;
}
