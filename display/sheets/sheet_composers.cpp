#include "display/sheets/sheet_composers.h"

#include "display/draw/canvas_form.h"
#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "display/draw/emf_recorder.h"
#include "display/sheets/sheet_layout.h"

namespace display {


void ComposeThemeSheetPortrait(Surface& dc, SheetMemory& memory) { ComposeSheet(kThemeSheetPortrait, dc, memory); }
void ComposeThemeSheetLandscape(Surface& dc, SheetMemory& memory) { ComposeSheet(kThemeSheetLandscape, dc, memory); }
void ComposeAffinitySheetPortrait(Surface& dc, SheetMemory& memory) { ComposeSheet(kAffinitySheetPortrait, dc, memory); }
void ComposeAffinitySheetLandscape(Surface& dc, SheetMemory& memory) { ComposeSheet(kAffinitySheetLandscape, dc, memory); }

bool ComposeSheet(int code, Surface& dc, SheetMemory& memory) {
    const SheetLayout* layout = SheetLayoutOf(code);
    if (!layout) return false;
    DrawSheetLayout(dc, *layout, memory);
    return true;
}

bool DrawSheetEntry(int code, CanvasForm* window, SheetMemory& memory) {
    if (!SheetLayoutOf(code)) return false;
    if (Drawing.MetafileOutput) {
        std::unique_ptr<EmfRecorder> recorder = BeginChartMetafile();
        Surface* canvas = Drawing.ChartMetafileCanvas;
        if (!canvas) return true;  // a bad name, already reported
        try {
            ComposeSheet(code, *canvas, memory);
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
    if (target) ComposeSheet(code, *target, memory);
    return true;
}

void DrawThemeSheetPortrait(CanvasForm* window, SheetMemory& memory) { DrawSheetEntry(kThemeSheetPortrait, window, memory); }
void DrawThemeSheetLandscape(CanvasForm* window, SheetMemory& memory) { DrawSheetEntry(kThemeSheetLandscape, window, memory); }
void DrawAffinitySheetLandscape(CanvasForm* window, SheetMemory& memory) { DrawSheetEntry(kAffinitySheetLandscape, window, memory); }
void DrawAffinitySheetPortrait(CanvasForm* window, SheetMemory& memory) { DrawSheetEntry(kAffinitySheetPortrait, window, memory); }

}  // namespace display
