#include "display/draw/drawing_state.h"

#include "platform/runtime/number_text.h"

namespace display {

void ResetDrawingState(DrawingState& drawing) {
    std::set<std::string> reported = std::move(drawing.reportedGlyphFiles);
    drawing = DrawingState{};
    drawing.reportedGlyphFiles = std::move(reported);
}

namespace {

float FontScaleFor(long double pixelsPerUnit) { return static_cast<float>(pixelsPerUnit * 3.7L); }

}  // namespace

long double ReferencePixelsPerUnit(const DrawingState& drawing) {
    return static_cast<long double>(drawing.screenWidth) / 210 * drawing.screenAspect;
}

void InitDrawingFromScreen(DrawingState& drawing, int screenWidth, int screenHeight) {
    if (screenWidth <= 0 || screenHeight <= 0) return;
    drawing.screenWidth = screenWidth;
    drawing.screenHeight = screenHeight;
    drawing.screenAspect = static_cast<long double>(screenHeight) / screenWidth;
    // Compared in whole pixels: a screen of exactly 4:3 keeps the height's scale.
    const bool narrow = std::int64_t{screenWidth} * 210 < std::int64_t{screenHeight} * kScreenLayoutWidth;
    drawing.pixelsPerUnit =
        narrow ? static_cast<long double>(screenWidth) / kScreenLayoutWidth : ReferencePixelsPerUnit(drawing);
    drawing.fontScale = FontScaleFor(drawing.pixelsPerUnit);
}

void InitDrawingPrinter(DrawingState& drawing, bool present, int pageWidthPixels) {
    drawing.printerPresent = present && pageWidthPixels > 0;
    drawing.printerPixelsPerUnit =
        drawing.printerPresent ? static_cast<long double>(pageWidthPixels) / 210 * 0.776L : 0.0L;
}

PrintRun::PrintRun(DrawingState& drawing, Surface& page, int pageWidthPixels, Point pageOrigin)
    : drawing_(drawing),
      pixelsPerUnit_(drawing.pixelsPerUnit),
      aspectScaleX_(drawing.aspectScaleX),
      aspectScaleY_(drawing.aspectScaleY),
      zoomFactor_(drawing.zoomFactor),
      originX_(drawing.originX),
      originY_(drawing.originY),
      fontScale_(drawing.fontScale) {
    page.UseDrawingState(drawing);
    drawing.printerPixelsPerUnit = static_cast<long double>(pageWidthPixels) / 210 * 0.776L;
    drawing.pixelsPerUnit = drawing.printerPixelsPerUnit;
    drawing.aspectScaleX = 1.0L;
    drawing.aspectScaleY = 1.0L;
    drawing.zoomFactor = 1.0L;
    drawing.originX = pageOrigin.x;
    drawing.originY = pageOrigin.y;
    drawing.fontScale = static_cast<float>(rt::Round(static_cast<long double>(pageWidthPixels) / 82));
}

PrintRun::~PrintRun() {
    drawing_.pixelsPerUnit = pixelsPerUnit_;
    drawing_.aspectScaleX = aspectScaleX_;
    drawing_.aspectScaleY = aspectScaleY_;
    drawing_.zoomFactor = zoomFactor_;
    drawing_.originX = originX_;
    drawing_.originY = originY_;
    drawing_.fontScale = fontScale_;
}

MetafileRun::MetafileRun(DrawingState& drawing)
    : drawing_(drawing), pixelsPerUnit_(drawing.pixelsPerUnit), fontScale_(drawing.fontScale) {
    drawing.pixelsPerUnit = ReferencePixelsPerUnit(drawing);
    drawing.fontScale = FontScaleFor(drawing.pixelsPerUnit);
}

MetafileRun::~MetafileRun() {
    drawing_.pixelsPerUnit = pixelsPerUnit_;
    drawing_.fontScale = fontScale_;
}

}  // namespace display
