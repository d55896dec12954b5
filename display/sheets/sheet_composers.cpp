#include "display/sheets/sheet_composers.h"

#include "display/draw/canvas_form.h"
#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "display/draw/emf_recorder.h"
#include "display/sheets/sheet_layout.h"

namespace display {


void ComposeThemeSheetPortrait(Surface& dc, archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kThemeSheetPortrait, dc, current, memory);
}
void ComposeThemeSheetLandscape(Surface& dc, archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kThemeSheetLandscape, dc, current, memory);
}
void ComposeAffinitySheetPortrait(Surface& dc, archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kAffinitySheetPortrait, dc, current, memory);
}
void ComposeAffinitySheetLandscape(Surface& dc, archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kAffinitySheetLandscape, dc, current, memory);
}

bool ComposeSheet(int code, Surface& dc, archive::CurrentChart& current, SheetMemory& memory) {
    const SheetLayout* layout = SheetLayoutOf(code);
    if (!layout) return false;
    DrawSheetLayout(dc, *layout, current, memory);
    return true;
}

bool DrawSheetEntry(int code, CanvasForm* window, archive::CurrentChart& current, SheetMemory& memory) {
    if (!SheetLayoutOf(code)) return false;
    if (Drawing.MetafileOutput) {
        std::unique_ptr<EmfRecorder> recorder = BeginChartMetafile();
        Surface* canvas = Drawing.ChartMetafileCanvas;
        if (!canvas) return true;  // a bad name, already reported
        try {
            ComposeSheet(code, *canvas, current, memory);
        } catch (...) {
            DiscardChartMetafile();
            throw;
        }
        EndChartMetafile(std::move(recorder));
        return true;
    }
    Surface* target = nullptr;
    if (!Drawing.PrintOutput && window) target = &window->Canvas();
    if (Drawing.PrinterPresent && Drawing.PrintOutput) target = Drawing.PrinterCanvas;
    if (target) ComposeSheet(code, *target, current, memory);
    return true;
}

void DrawThemeSheetPortrait(CanvasForm* window, archive::CurrentChart& current, SheetMemory& memory) {
    DrawSheetEntry(kThemeSheetPortrait, window, current, memory);
}
void DrawThemeSheetLandscape(CanvasForm* window, archive::CurrentChart& current, SheetMemory& memory) {
    DrawSheetEntry(kThemeSheetLandscape, window, current, memory);
}
void DrawAffinitySheetLandscape(CanvasForm* window, archive::CurrentChart& current, SheetMemory& memory) {
    DrawSheetEntry(kAffinitySheetLandscape, window, current, memory);
}
void DrawAffinitySheetPortrait(CanvasForm* window, archive::CurrentChart& current, SheetMemory& memory) {
    DrawSheetEntry(kAffinitySheetPortrait, window, current, memory);
}

}  // namespace display
