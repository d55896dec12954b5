#include "display/sheets/sheet_view.h"

#include <cstdlib>

#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

// Moves the origin so that the screen's centre keeps its page point.
void ZoomTo(DrawingState& drawing, const SheetViewerState& motion, long double z) {
    const long double w = motion.HalfScreenWidth, h = motion.HalfScreenHeight;
    const long double old = drawing.ZoomFactor;
    const std::int64_t a = rt::Round(w - old * w) - drawing.OriginX;
    const std::int64_t b = rt::Round(h - old * h) - drawing.OriginY;
    drawing.ZoomFactor = z;
    drawing.OriginX = static_cast<std::int32_t>(rt::Round(w - z * w) - a);
    drawing.OriginY = static_cast<std::int32_t>(rt::Round(h - z * h) - b);
}

}  // namespace

void SetActivationView(DrawingState& drawing, SheetViewerState& motion, int screenWidth, int screenHeight,
                       const std::string& sheetOrientation) {
    drawing.ZoomFactor = 1.0L;
    drawing.AspectLinesOn = 1;
    drawing.OriginX = 0;
    drawing.OriginY = 0;
    motion.HalfScreenWidth = screenWidth / 2;
    motion.HalfScreenHeight = screenHeight / 2;
    motion.ZoomStep = kSheetZoomStep;
    if (!drawing.PrinterPresent) return;
    drawing.PrinterLandscape = sheetOrientation == "L";
    if (!drawing.PrinterLandscape) {
        drawing.ZoomFactor = 0.5L;
        drawing.OriginX = motion.HalfScreenWidth / 2;
    }
}

void ZoomSheetIn(DrawingState& drawing, const SheetViewerState& motion) {
    long double z = drawing.ZoomFactor * static_cast<long double>(motion.ZoomStep);
    if (z > kSheetZoomMax) z = kSheetZoomMax;
    ZoomTo(drawing, motion, z);
}

void ZoomSheetOut(DrawingState& drawing, const SheetViewerState& motion) {
    long double z = drawing.ZoomFactor / static_cast<long double>(motion.ZoomStep);
    if (z < static_cast<long double>(kSheetZoomMin)) z = kSheetZoomMin;
    ZoomTo(drawing, motion, z);
}

void FitSheetHeight(DrawingState& drawing, const SheetViewerState& motion) {
    if (drawing.PrinterPresent && !drawing.PrinterLandscape) {
        drawing.ZoomFactor = 0.5L;
        drawing.OriginX = motion.HalfScreenWidth / 2;
    } else {
        drawing.ZoomFactor = 1.0L;
        drawing.OriginX = 0;
    }
    drawing.OriginY = 0;
}

void ResetSheetZoom(DrawingState& drawing) {
    drawing.ZoomFactor = 1.0L;
    drawing.OriginX = 0;
    drawing.OriginY = 0;
}

void EndSheetDrag(DrawingState& drawing, SheetViewerState& motion, int x, int y) {
    if (std::abs(motion.DragStartX - x) > kSheetDragThreshold) drawing.OriginX += motion.DragDeltaX;
    if (std::abs(motion.DragStartY - y) > kSheetDragThreshold) drawing.OriginY += motion.DragDeltaY;
    motion.Dragging = 0;
}

std::string CheckSheetMetafileName(const std::string& name) {
    for (std::size_t i = 0; i < name.size(); ++i)
        if (name[i] == '.' && name.substr(i, 10) != ".EMF") return "File deve essere .EMF";
    return CheckChartMetafileName(name);
}

}  // namespace display
