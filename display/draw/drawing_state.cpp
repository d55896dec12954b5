#include "display/draw/drawing_state.h"

#include "display/draw/canvas_form.h"
#include "platform/runtime/number_text.h"

namespace display {

DrawingState Drawing;

void ResetDrawingState() { Drawing = DrawingState{}; }

namespace {

float FontScaleFor(long double pixelsPerUnit) { return static_cast<float>(pixelsPerUnit * 3.7L); }

}  // namespace

long double ReferencePixelsPerUnit() {
    return static_cast<long double>(Drawing.ScreenWidth) / 210 * Drawing.ScreenAspect;
}

void InitDrawingFromScreen(int screenWidth, int screenHeight) {
    if (screenWidth <= 0 || screenHeight <= 0) return;
    Drawing.ScreenWidth = screenWidth;
    Drawing.ScreenHeight = screenHeight;
    Drawing.ScreenAspect = static_cast<long double>(screenHeight) / screenWidth;
    // Compared in whole pixels: a screen of exactly 4:3 keeps the height's scale.
    const bool narrow = std::int64_t{screenWidth} * 210 < std::int64_t{screenHeight} * kScreenLayoutWidth;
    Drawing.PixelsPerUnit =
        narrow ? static_cast<long double>(screenWidth) / kScreenLayoutWidth : ReferencePixelsPerUnit();
    Drawing.FontScale = FontScaleFor(Drawing.PixelsPerUnit);
}

void InitDrawingPrinter(bool present, int pageWidthPixels) {
    Drawing.PrinterPresent = present && pageWidthPixels > 0;
    Drawing.PrinterPixelsPerUnit =
        Drawing.PrinterPresent ? static_cast<long double>(pageWidthPixels) / 210 * 0.776L : 0.0L;
}

PrintRun::PrintRun(Surface* printerCanvas, int pageWidthPixels, Point pageOrigin)
    : pixelsPerUnit_(Drawing.PixelsPerUnit),
      aspectScaleX_(Drawing.AspectScaleX),
      aspectScaleY_(Drawing.AspectScaleY),
      zoomFactor_(Drawing.ZoomFactor),
      originX_(Drawing.OriginX),
      originY_(Drawing.OriginY),
      fontScale_(Drawing.FontScale) {
    Drawing.PrintOutput = true;
    Drawing.PrinterCanvas = printerCanvas;
    Drawing.PrinterPixelsPerUnit = static_cast<long double>(pageWidthPixels) / 210 * 0.776L;
    Drawing.PixelsPerUnit = Drawing.PrinterPixelsPerUnit;
    Drawing.AspectScaleX = 1.0L;
    Drawing.AspectScaleY = 1.0L;
    Drawing.ZoomFactor = 1.0L;
    Drawing.OriginX = pageOrigin.x;
    Drawing.OriginY = pageOrigin.y;
    Drawing.FontScale = static_cast<float>(rt::Round(static_cast<long double>(pageWidthPixels) / 82));
}

PrintRun::~PrintRun() {
    Drawing.PixelsPerUnit = pixelsPerUnit_;
    Drawing.AspectScaleX = aspectScaleX_;
    Drawing.AspectScaleY = aspectScaleY_;
    Drawing.ZoomFactor = zoomFactor_;
    Drawing.OriginX = originX_;
    Drawing.OriginY = originY_;
    Drawing.FontScale = fontScale_;
    Drawing.PrintOutput = false;
    Drawing.PrinterCanvas = nullptr;
}

MetafileRun::MetafileRun() : pixelsPerUnit_(Drawing.PixelsPerUnit), fontScale_(Drawing.FontScale) {
    Drawing.MetafileOutput = true;
    Drawing.PixelsPerUnit = ReferencePixelsPerUnit();
    Drawing.FontScale = FontScaleFor(Drawing.PixelsPerUnit);
}

MetafileRun::~MetafileRun() {
    Drawing.PixelsPerUnit = pixelsPerUnit_;
    Drawing.FontScale = fontScale_;
    Drawing.MetafileOutput = false;
}

Surface* CurrentTarget() {
    Surface* target = nullptr;
    if (!Drawing.PrintOutput && !Drawing.MetafileOutput && Drawing.DrawForm) target = &Drawing.DrawForm->Canvas();
    if (Drawing.PrintOutput && Drawing.PrinterPresent) target = Drawing.PrinterCanvas;
    if (Drawing.MetafileOutput) target = Drawing.ChartMetafileCanvas;
    return target;
}

}  // namespace display
