#include "display/sheets/sheet_composers.h"

#include "display/draw/canvas_form.h"
#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "display/draw/emf_recorder.h"
#include "display/sheets/sheet_layout.h"

namespace display {

SheetCompositionState SheetComposition;

void ResetSheetComposition() { SheetComposition = SheetCompositionState{}; }

void ComposeThemeSheetPortrait(Surface& dc) { ComposeSheet(kThemeSheetPortrait, dc); }
void ComposeThemeSheetLandscape(Surface& dc) { ComposeSheet(kThemeSheetLandscape, dc); }
void ComposeAffinitySheetPortrait(Surface& dc) { ComposeSheet(kAffinitySheetPortrait, dc); }
void ComposeAffinitySheetLandscape(Surface& dc) { ComposeSheet(kAffinitySheetLandscape, dc); }

bool ComposeSheet(int code, Surface& dc) {
    const SheetLayout* layout = SheetLayoutOf(code);
    if (!layout) return false;
    DrawSheetLayout(dc, *layout);
    return true;
}

bool DrawSheetEntry(int code, CanvasForm* window) {
    if (!SheetLayoutOf(code)) return false;
    if (Drawing.MetafileOutput) {
        std::unique_ptr<EmfRecorder> recorder = BeginChartMetafile();
        Surface* canvas = Drawing.ChartMetafileCanvas;
        if (!canvas) return true;  // a bad name, already reported
        try {
            ComposeSheet(code, *canvas);
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
    SheetComposition.SheetCanvas = target;
    if (target) ComposeSheet(code, *target);
    return true;
}

void DrawThemeSheetPortrait(CanvasForm* window) { DrawSheetEntry(kThemeSheetPortrait, window); }
void DrawThemeSheetLandscape(CanvasForm* window) { DrawSheetEntry(kThemeSheetLandscape, window); }
void DrawAffinitySheetLandscape(CanvasForm* window) { DrawSheetEntry(kAffinitySheetLandscape, window); }
void DrawAffinitySheetPortrait(CanvasForm* window) { DrawSheetEntry(kAffinitySheetPortrait, window); }

}  // namespace display
