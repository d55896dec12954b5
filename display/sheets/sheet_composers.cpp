#include "display/sheets/sheet_composers.h"

#include "display/draw/canvas_form.h"
#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "display/draw/emf_recorder.h"
#include "display/sheets/sheet_layout.h"

namespace display {


void ComposeThemeSheetPortrait(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kThemeSheetPortrait, dc, current, memory);
}
void ComposeThemeSheetLandscape(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kThemeSheetLandscape, dc, current, memory);
}
void ComposeAffinitySheetPortrait(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kAffinitySheetPortrait, dc, current, memory);
}
void ComposeAffinitySheetLandscape(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kAffinitySheetLandscape, dc, current, memory);
}

bool ComposeSheet(int code, Surface& dc, const archive::CurrentChart& current, SheetMemory& memory) {
    const SheetLayout* layout = SheetLayoutOf(code);
    if (!layout) return false;
    DrawSheetLayout(dc, *layout, current, memory);
    return true;
}

bool DrawSheetEntry(DrawingState& drawing, int code, CanvasForm* window, const archive::CurrentChart& current, SheetMemory& memory) {
    if (!SheetLayoutOf(code)) return false;
    if (drawing.MetafileOutput) {
        std::unique_ptr<EmfRecorder> recorder = BeginChartMetafile(drawing);
        Surface* canvas = drawing.ChartMetafileCanvas;
        if (!canvas) return true;  // a bad name, already reported
        try {
            ComposeSheet(code, *canvas, current, memory);
        } catch (...) {
            DiscardChartMetafile(drawing);
            throw;
        }
        EndChartMetafile(drawing, std::move(recorder));
        return true;
    }
    Surface* target = nullptr;
    if (!drawing.PrintOutput && window) target = &window->Canvas();
    if (drawing.PrinterPresent && drawing.PrintOutput) target = drawing.PrinterCanvas;
    if (target) ComposeSheet(code, *target, current, memory);
    return true;
}

void DrawThemeSheetPortrait(DrawingState& drawing, CanvasForm* window, const archive::CurrentChart& current,
                            SheetMemory& memory) {
    DrawSheetEntry(drawing, kThemeSheetPortrait, window, current, memory);
}
void DrawThemeSheetLandscape(DrawingState& drawing, CanvasForm* window, const archive::CurrentChart& current,
                             SheetMemory& memory) {
    DrawSheetEntry(drawing, kThemeSheetLandscape, window, current, memory);
}
void DrawAffinitySheetLandscape(DrawingState& drawing, CanvasForm* window, const archive::CurrentChart& current,
                                SheetMemory& memory) {
    DrawSheetEntry(drawing, kAffinitySheetLandscape, window, current, memory);
}
void DrawAffinitySheetPortrait(DrawingState& drawing, CanvasForm* window, const archive::CurrentChart& current,
                               SheetMemory& memory) {
    DrawSheetEntry(drawing, kAffinitySheetPortrait, window, current, memory);
}

}  // namespace display
