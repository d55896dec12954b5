#include "display/sheets/sheet_view.h"

#include <cstdlib>

#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

// Moves the origin so that the screen's centre keeps its page point.
void ZoomTo(DrawingState& drawing, const SheetViewerState& motion, long double z) {
    const long double w = motion.halfScreenWidth, h = motion.halfScreenHeight;
    const long double old = drawing.zoomFactor;
    const std::int64_t a = rt::Round(w - old * w) - drawing.originX;
    const std::int64_t b = rt::Round(h - old * h) - drawing.originY;
    drawing.zoomFactor = z;
    drawing.originX = static_cast<std::int32_t>(rt::Round(w - z * w) - a);
    drawing.originY = static_cast<std::int32_t>(rt::Round(h - z * h) - b);
}

}  // namespace

void SetActivationView(DrawingState& drawing, SheetViewerState& motion, int screenWidth, int screenHeight,
                       const std::string& sheetOrientation) {
    drawing.zoomFactor = 1.0L;
    drawing.aspectLinesOn = 1;
    drawing.originX = 0;
    drawing.originY = 0;
    motion.halfScreenWidth = screenWidth / 2;
    motion.halfScreenHeight = screenHeight / 2;
    motion.zoomStep = kSheetZoomStep;
    if (!drawing.printerPresent) return;
    drawing.printerLandscape = sheetOrientation == "L";
    if (!drawing.printerLandscape) {
        drawing.zoomFactor = 0.5L;
        drawing.originX = motion.halfScreenWidth / 2;
    }
}

void ZoomSheetIn(DrawingState& drawing, const SheetViewerState& motion) {
    long double z = drawing.zoomFactor * static_cast<long double>(motion.zoomStep);
    if (z > kSheetZoomMax) z = kSheetZoomMax;
    ZoomTo(drawing, motion, z);
}

void ZoomSheetOut(DrawingState& drawing, const SheetViewerState& motion) {
    long double z = drawing.zoomFactor / static_cast<long double>(motion.zoomStep);
    if (z < static_cast<long double>(kSheetZoomMin)) z = kSheetZoomMin;
    ZoomTo(drawing, motion, z);
}

void FitSheetHeight(DrawingState& drawing, const SheetViewerState& motion) {
    if (drawing.printerPresent && !drawing.printerLandscape) {
        drawing.zoomFactor = 0.5L;
        drawing.originX = motion.halfScreenWidth / 2;
    } else {
        drawing.zoomFactor = 1.0L;
        drawing.originX = 0;
    }
    drawing.originY = 0;
}

void ResetSheetZoom(DrawingState& drawing) {
    drawing.zoomFactor = 1.0L;
    drawing.originX = 0;
    drawing.originY = 0;
}

void EndSheetDrag(DrawingState& drawing, SheetViewerState& motion, int x, int y) {
    if (std::abs(motion.dragStartX - x) > kSheetDragThreshold) drawing.originX += motion.dragDeltaX;
    if (std::abs(motion.dragStartY - y) > kSheetDragThreshold) drawing.originY += motion.dragDeltaY;
    motion.dragging = 0;
}

std::string CheckSheetMetafileName(const std::string& name) {
    for (std::size_t i = 0; i < name.size(); ++i)
        if (name[i] == '.' && name.substr(i, 10) != ".EMF") return "File deve essere .EMF";
    return CheckChartMetafileName(name);
}

}  // namespace display
