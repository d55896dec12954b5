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
    return static_cast<long double>(drawing.ScreenWidth) / 210 * drawing.ScreenAspect;
}

void InitDrawingFromScreen(DrawingState& drawing, int screenWidth, int screenHeight) {
    if (screenWidth <= 0 || screenHeight <= 0) return;
    drawing.ScreenWidth = screenWidth;
    drawing.ScreenHeight = screenHeight;
    drawing.ScreenAspect = static_cast<long double>(screenHeight) / screenWidth;
    // Compared in whole pixels: a screen of exactly 4:3 keeps the height's scale.
    const bool narrow = std::int64_t{screenWidth} * 210 < std::int64_t{screenHeight} * kScreenLayoutWidth;
    drawing.PixelsPerUnit =
        narrow ? static_cast<long double>(screenWidth) / kScreenLayoutWidth : ReferencePixelsPerUnit(drawing);
    drawing.FontScale = FontScaleFor(drawing.PixelsPerUnit);
}

void InitDrawingPrinter(DrawingState& drawing, bool present, int pageWidthPixels) {
    drawing.PrinterPresent = present && pageWidthPixels > 0;
    drawing.PrinterPixelsPerUnit =
        drawing.PrinterPresent ? static_cast<long double>(pageWidthPixels) / 210 * 0.776L : 0.0L;
}

PrintRun::PrintRun(DrawingState& drawing, Surface& page, int pageWidthPixels, Point pageOrigin)
    : drawing_(drawing),
      pixelsPerUnit_(drawing.PixelsPerUnit),
      aspectScaleX_(drawing.AspectScaleX),
      aspectScaleY_(drawing.AspectScaleY),
      zoomFactor_(drawing.ZoomFactor),
      originX_(drawing.OriginX),
      originY_(drawing.OriginY),
      fontScale_(drawing.FontScale) {
    page.UseDrawingState(drawing);
    drawing.PrinterPixelsPerUnit = static_cast<long double>(pageWidthPixels) / 210 * 0.776L;
    drawing.PixelsPerUnit = drawing.PrinterPixelsPerUnit;
    drawing.AspectScaleX = 1.0L;
    drawing.AspectScaleY = 1.0L;
    drawing.ZoomFactor = 1.0L;
    drawing.OriginX = pageOrigin.x;
    drawing.OriginY = pageOrigin.y;
    drawing.FontScale = static_cast<float>(rt::Round(static_cast<long double>(pageWidthPixels) / 82));
}

PrintRun::~PrintRun() {
    drawing_.PixelsPerUnit = pixelsPerUnit_;
    drawing_.AspectScaleX = aspectScaleX_;
    drawing_.AspectScaleY = aspectScaleY_;
    drawing_.ZoomFactor = zoomFactor_;
    drawing_.OriginX = originX_;
    drawing_.OriginY = originY_;
    drawing_.FontScale = fontScale_;
}

MetafileRun::MetafileRun(DrawingState& drawing)
    : drawing_(drawing), pixelsPerUnit_(drawing.PixelsPerUnit), fontScale_(drawing.FontScale) {
    drawing.PixelsPerUnit = ReferencePixelsPerUnit(drawing);
    drawing.FontScale = FontScaleFor(drawing.PixelsPerUnit);
}

MetafileRun::~MetafileRun() {
    drawing_.PixelsPerUnit = pixelsPerUnit_;
    drawing_.FontScale = fontScale_;
}

}  // namespace display
