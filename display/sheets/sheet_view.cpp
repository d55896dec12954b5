#include "display/sheets/sheet_view.h"

#include <cstdlib>

#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

// Moves the origin so that the screen's centre keeps its page point.
void ZoomTo(const SheetViewerState& motion, long double z) {
    const long double w = motion.HalfScreenWidth, h = motion.HalfScreenHeight;
    const long double old = Drawing.ZoomFactor;
    const std::int64_t a = rt::Round(w - old * w) - Drawing.OriginX;
    const std::int64_t b = rt::Round(h - old * h) - Drawing.OriginY;
    Drawing.ZoomFactor = z;
    Drawing.OriginX = static_cast<std::int32_t>(rt::Round(w - z * w) - a);
    Drawing.OriginY = static_cast<std::int32_t>(rt::Round(h - z * h) - b);
}

}  // namespace

void SetActivationView(SheetViewerState& motion, int screenWidth, int screenHeight,
                       const std::string& sheetOrientation) {
    Drawing.ZoomFactor = 1.0L;
    Drawing.AspectLinesOn = 1;
    Drawing.OriginX = 0;
    Drawing.OriginY = 0;
    motion.HalfScreenWidth = screenWidth / 2;
    motion.HalfScreenHeight = screenHeight / 2;
    motion.ZoomStep = kSheetZoomStep;
    if (!Drawing.PrinterPresent) return;
    Drawing.PrinterLandscape = sheetOrientation == "L";
    if (!Drawing.PrinterLandscape) {
        Drawing.ZoomFactor = 0.5L;
        Drawing.OriginX = motion.HalfScreenWidth / 2;
    }
}

void ZoomSheetIn(const SheetViewerState& motion) {
    long double z = Drawing.ZoomFactor * static_cast<long double>(motion.ZoomStep);
    if (z > kSheetZoomMax) z = kSheetZoomMax;
    ZoomTo(motion, z);
}

void ZoomSheetOut(const SheetViewerState& motion) {
    long double z = Drawing.ZoomFactor / static_cast<long double>(motion.ZoomStep);
    if (z < static_cast<long double>(kSheetZoomMin)) z = kSheetZoomMin;
    ZoomTo(motion, z);
}

void FitSheetHeight(const SheetViewerState& motion) {
    if (Drawing.PrinterPresent && !Drawing.PrinterLandscape) {
        Drawing.ZoomFactor = 0.5L;
        Drawing.OriginX = motion.HalfScreenWidth / 2;
    } else {
        Drawing.ZoomFactor = 1.0L;
        Drawing.OriginX = 0;
    }
    Drawing.OriginY = 0;
}

void ResetSheetZoom() {
    Drawing.ZoomFactor = 1.0L;
    Drawing.OriginX = 0;
    Drawing.OriginY = 0;
}

void EndSheetDrag(SheetViewerState& motion, int x, int y) {
    if (std::abs(motion.DragStartX - x) > kSheetDragThreshold) Drawing.OriginX += motion.DragDeltaX;
    if (std::abs(motion.DragStartY - y) > kSheetDragThreshold) Drawing.OriginY += motion.DragDeltaY;
    motion.Dragging = 0;
}

std::string CheckSheetMetafileName(const std::string& name) {
    for (std::size_t i = 0; i < name.size(); ++i)
        if (name[i] == '.' && name.substr(i, 10) != ".EMF") return "File deve essere .EMF";
    return CheckChartMetafileName(name);
}

}  // namespace display
