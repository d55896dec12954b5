#pragma once
// The arithmetic of the sheet viewer apart from its window: zoom steps about
// the screen's centre within 0.4 and 4.0, the default view of an orientation,
// the drag threshold, the wheel step and the check of a metafile name.
#include <cstdint>
#include <string>

namespace display {

struct DrawingState;

// The routines below move the view of the drawing state they are handed.
inline constexpr float kSheetZoomStep = 1.15f;
inline constexpr float kSheetZoomMin = 0.4f;
inline constexpr float kSheetZoomMax = 4.0f;
inline constexpr int kSheetWheelStep = 20;  // pixels per wheel notch
inline constexpr int kSheetDragThreshold = 2;

struct SheetViewerState {
    std::uint16_t sheetTickCount = 0;  // never reset while the program runs
    int halfScreenWidth = 0;
    int halfScreenHeight = 0;
    float zoomStep = kSheetZoomStep;
    int dragging = 0;
    int dragStartX = 0, dragStartY = 0;
    int dragDeltaX = 0, dragDeltaY = 0;
};

// The view an activation starts with (with a printer, a portrait sheet at
// half size in the middle; else zoom 1 at the origin); sets the printer's
// orientation from the sheet's.
void SetActivationView(DrawingState& drawing, SheetViewerState& motion, int screenWidth, int screenHeight,
                       const std::string& sheetOrientation);
// One zoom step in or out about the screen's centre, within the limits.
void ZoomSheetIn(DrawingState& drawing, const SheetViewerState& motion);
void ZoomSheetOut(DrawingState& drawing, const SheetViewerState& motion);
// "Hoogte": the whole page height (half size for a portrait printer page).
void FitSheetHeight(DrawingState& drawing, const SheetViewerState& motion);
// Zoom 1 at the origin.
void ResetSheetZoom(DrawingState& drawing);
// A released drag moves the sheet by the last move's displacement on each
// axis where the mouse went more than the threshold from the press.
void EndSheetDrag(DrawingState& drawing, SheetViewerState& motion, int x, int y);
// The checks of a metafile name: its extension exactly ".EMF" ("File deve
// essere .EMF"), then a plain file name with a chart number 1..15. Empty when
// the name is good, else the message.
std::string CheckSheetMetafileName(const std::string& name);

}  // namespace display
