#pragma once
// The four printable sheets of the current person: the birth theme and the
// affinities, each in portrait and in landscape. A composer draws the layout
// of its sheet (sheet_layout.h: its steps, and its blocks at their places,
// scaled by the sheet's zoom); an entry picks the output (the viewer's window,
// the printer or a chart metafile) and runs the composer on it.
#include <string>

#include "display/draw/surface.h"

namespace display {

class CanvasForm;

enum SheetCodes : int {
    kThemeSheetPortrait = 5,
    kThemeSheetLandscape = 16,
    kAffinitySheetLandscape = 17,
    kAffinitySheetPortrait = 18,
};

// What the composers keep between drawings (the sheet and its orientation are
// in sheet_selection.h).
struct SheetCompositionState {
    std::string CalendarNote;       // " Calend. Giuliano" for a Julian-calendar birth (SetSheetHeaderDates)
    Surface* SheetCanvas = nullptr;  // the canvas the entries chose last
};
extern SheetCompositionState SheetComposition;
void ResetSheetComposition();

void ComposeThemeSheetPortrait(Surface& dc);
void ComposeThemeSheetLandscape(Surface& dc);
void ComposeAffinitySheetPortrait(Surface& dc);
void ComposeAffinitySheetLandscape(Surface& dc);
// The composer of a sheet code on a surface; false for an unknown code.
bool ComposeSheet(int code, Surface& dc);

// The entries: into the chart metafile while MetafileOutput is set (saved as
// "Emf\" + MetafileName; a drawing that fails saves nothing), else on the
// printer's canvas while printing, else on the window's canvas.
void DrawThemeSheetPortrait(CanvasForm* window);
void DrawThemeSheetLandscape(CanvasForm* window);
void DrawAffinitySheetLandscape(CanvasForm* window);
void DrawAffinitySheetPortrait(CanvasForm* window);
bool DrawSheetEntry(int code, CanvasForm* window);

}  // namespace display
