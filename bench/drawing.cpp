// A page of 500 mixed primitives and 50 glyphs, drawn into an image and
// recorded into an enhanced metafile.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/emf_recorder.h"
#include "display/draw/glyphs.h"
#include "display/draw/painter_surface.h"
#include "display/draw/primitives.h"

using namespace display;

namespace {

std::string gGlyphs[15];

void LoadGlyphs() {
    const std::filesystem::path data = KELVOR_BUILD_DATA_DIR;
    for (int i = 0; i < 15; ++i) {
        const auto p =
            data / "Simboli" / ("PiaX" + std::string(i + 1 < 10 ? "0" : "") + std::to_string(i + 1) + ".emf");
        std::ifstream in(p, std::ios::binary);
        gGlyphs[i].assign(std::istreambuf_iterator<char>(in), {});
    }
}

void DrawPage(Surface& dc) {
    for (int i = 0; i < 100; ++i) {
        const long double x = 5 + (i % 20) * 13.5L, y = 5 + (i / 20) * 38.0L;
        {
            ScopedPen pen(dc, i % 19);
            MoveToScaled(dc, x, y);
            LineToScaled(dc, x + 10, y + 8);
            DrawCircleScaled(dc, x + 5, y + 15, 4);
        }
        {
            ScopedBrush brush(dc, Rgb(i * 2, 255 - i * 2, 128));
            RectangleScaled(dc, x, y + 20, x + 6, y + 24);
            EllipseScaled(dc, x + 7, y + 20, x + 12, y + 25);
        }
        TextOutLeft(dc, "Zon 12 Ram", i % 2 ? 2 : 15, x, y + 27);
    }
    for (int i = 0; i < 50; ++i) {
        const Rect r =
            GlyphRect(dc.Drawing(), {static_cast<long double>(10 + (i % 10) * 25), 200 + (i / 10) * 0.5L, 7});
        dc.PlayMetafile(gGlyphs[i % 15], r);
    }
}

void SetUpState(DrawingState& drawing) { InitDrawingFromScreen(drawing, 1920, 1080); }

void BM_PageToImage(benchmark::State& state) {
    DrawingState drawing;
    SetUpState(drawing);
    QImage img(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        img.fill(Qt::black);
        PainterSurface s(&img);
        s.UseDrawingState(drawing);
        // Drawn as the printer's page is.
        drawing.printerPresent = true;
        s.SetOutputMedium(Medium::Paper);
        DrawPage(s);
        s.Flush();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_PageToImage)->Unit(benchmark::kMillisecond);

void BM_PageToMetafile(benchmark::State& state) {
    DrawingState drawing;
    SetUpState(drawing);
    for (auto _ : state) {
        EmfRecorder rec(EmfDevice{1920, 1080, 373, 210});
        rec.UseDrawingState(drawing);
        rec.SetOutputMedium(Medium::Paper);
        DrawPage(rec);
        benchmark::DoNotOptimize(rec.Finish().size());
    }
}
BENCHMARK(BM_PageToMetafile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    LoadGlyphs();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
