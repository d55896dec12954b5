#include "display/draw/drawing_tools.h"

#include "platform/runtime/number_text.h"

namespace display {

std::int32_t MapX(const DrawingState& drawing, long double x) {
    const long double u = x / drawing.AspectScaleX;
    return static_cast<std::int32_t>(rt::Round(u * drawing.PixelsPerUnit * drawing.ZoomFactor)) + drawing.OriginX;
}

std::int32_t MapY(const DrawingState& drawing, long double y) {
    const long double v = y / drawing.AspectScaleY;
    return static_cast<std::int32_t>(rt::Round(v * drawing.PixelsPerUnit * drawing.ZoomFactor)) + drawing.OriginY;
}

Point MapPoint(const DrawingState& drawing, long double x, long double y) {
    return {MapX(drawing, x), MapY(drawing, y)};
}

std::int32_t ScaleLength(const DrawingState& drawing, long double length) {
    return static_cast<std::int32_t>(rt::Round(length * drawing.PixelsPerUnit * drawing.ZoomFactor));
}

Color ApplyBlackAndWhite(const DrawingState& drawing, Color c) {
    if (!drawing.BlackAndWhite || c == kWhite) return c;
    return DrawingOnPaper(drawing) ? kBlack : kWhite;
}

Pen PenForCode(const DrawingState& drawing, int code) {
    const long double ppu = drawing.PixelsPerUnit;
    const long double zoom = drawing.ZoomFactor;
    long double w = code >= 0 && code <= 9 ? ppu / 4 : ppu / 8;
    Color c = kBlack;
    PenStyle style = PenStyle::Solid;
    const Color red = Rgb(255, 0, 0), green = Rgb(0, 255, 0), blue = Rgb(0, 0, 255), cyan = Rgb(0, 255, 255),
                magenta = Rgb(255, 0, 255), yellow = Rgb(255, 255, 0);
    switch (code) {
        case 0: c = kBlack; break;
        case 1: c = kWhite; break;
        case 2: c = red; break;
        case 3: c = green; break;
        case 4: c = blue; break;
        case 5: c = cyan; break;
        case 6: c = magenta; break;
        case 7: c = yellow; break;
        case 8: c = Rgb(69, 69, 69); break;
        case 9: c = Rgb(128, 128, 128); break;
        case 10: c = kBlack; break;
        case 11: c = blue; break;
        case 12: c = red; style = PenStyle::Dash; break;
        case 13: c = red; break;
        case 14: c = green; break;
        case 15: c = blue; break;
        case 16: c = magenta; break;
        case 17: c = kWhite; break;
        case 18: c = Rgb(255, 128, 64); break;
        case 22: c = red; w = ppu * 0.8L; break;
        case 25: c = cyan; break;
        case 26: c = magenta; style = PenStyle::Dash; break;
        case 33: c = cyan; w = ppu * 0.8L; break;
        case 58: c = green; w = ppu * zoom * 2; break;
        case 59: c = green; w = ppu * zoom; break;
        case 60: c = cyan; w = ppu * zoom; break;
        case 61: c = blue; w = ppu * zoom; break;
        case 62: c = kWhite; w = ppu * zoom; break;
        case 63: c = kBlack; w = ppu / 1.5L; break;
        case 64: c = red; w = ppu * zoom; break;
        case 71: c = blue; w = ppu / 2; break;
        case 74: c = red; w = ppu / 2; break;
        case 75: c = cyan; w = ppu / 2; break;
        case 76: c = yellow; w = ppu / 2; break;
        case 77: c = yellow; w = ppu * 0.8L; break;
        case 78: c = Rgb(196, 200, 36); w = ppu * 0.4L; break;
        case 79: c = red; w = ppu * 0.4L; break;
        case 80: c = cyan; w = ppu * 0.4L; break;
        default: w = ppu / 8; break;  // black, thin
    }
    Pen p;
    p.style = style;
    p.color = ApplyBlackAndWhite(drawing, c);
    p.width = static_cast<int>(rt::Round(w * drawing.LineWidthFactor));
    if (p.width < 0) p.width = 0;
    return p;
}

void SelectPenByCode(Surface& dc, int code) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.CurrentPen) ReleasePen(dc);
    const Pen p = PenForCode(drawing, code);
    drawing.PreviousPen = dc.State().pen;
    drawing.CurrentPen = p;
    dc.SelectPen(p);
}

void ReleasePen(Surface& dc) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.CurrentPen && drawing.PreviousPen) dc.SelectPen(*drawing.PreviousPen);
    drawing.CurrentPen.reset();
    drawing.PreviousPen.reset();
}

void SelectLinePen(Surface& dc, int kind) {
    DrawingState& drawing = dc.Drawing();
    const bool paper = DrawingOnPaper(drawing);
    if (kind == 0) SelectPenByCode(dc, paper ? 0 : 1);
    if (kind == 10) SelectPenByCode(dc, paper ? 10 : 17);
}

void SelectBrushColor(Surface& dc, Color colour) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.CurrentBrush) ReleaseBrush(dc);
    const Brush b{BrushStyle::Solid, ApplyBlackAndWhite(drawing, colour & 0xFFFFFF)};
    drawing.PreviousBrush = dc.State().brush;
    drawing.CurrentBrush = b;
    dc.SelectBrush(b);
}

void ReleaseBrush(Surface& dc) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.CurrentBrush && drawing.PreviousBrush) dc.SelectBrush(*drawing.PreviousBrush);
    drawing.CurrentBrush.reset();
    drawing.PreviousBrush.reset();
}

void SetTextColorByCode(Surface& dc, int code) {
    DrawingState& drawing = dc.Drawing();
    const bool paper = DrawingOnPaper(drawing);
    if (code == 0) dc.SetTextColor(paper ? kBlack : kWhite);
    if (code == 4) dc.SetTextColor(paper ? Rgb(0, 0, 255) : Rgb(0, 255, 255));
}

std::optional<Font> FontForCode(const DrawingState& drawing, int sizeCode) {
    int n = 0;
    const char* face = "Arial";
    bool italic = false;
    int width = 0;
    switch (sizeCode) {
        case 0: n = 38; break;
        case 1: n = 30; break;
        case 2: n = 23; break;
        case 3: n = 20; break;
        case 4: n = 16; break;
        case 5: n = 12; break;
        case 15: n = 27; break;
        case 16: n = 27; italic = true; width = 10; break;
        case 18: n = 21; break;
        case 21: n = 20; face = "Courier"; break;
        case 22: n = 22; face = "Courier"; break;
        case 33: n = 33; break;
        default: return std::nullopt;
    }
    const std::int64_t base = rt::Round(static_cast<long double>(drawing.FontScale) * 30 * drawing.ZoomFactor);
    Font f;
    f.face = face;
    f.height = static_cast<int>(base / n);
    f.width = width;
    f.weight = 10;
    f.italic = italic;
    f.charSet = 0;
    f.quality = 2;  // proof
    return f;
}

void SelectFontByCode(Surface& dc, int sizeCode) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.BlackAndWhite) SetTextColorByCode(dc, 0);
    const auto f = FontForCode(drawing, sizeCode);
    if (!f) return;
    if (drawing.CurrentFont) ReleaseFont(dc);
    drawing.PreviousFont = dc.State().font;
    drawing.CurrentFont = *f;
    dc.SelectFont(*f);
}

void ReleaseFont(Surface& dc) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.CurrentFont && drawing.PreviousFont) dc.SelectFont(*drawing.PreviousFont);
    drawing.CurrentFont.reset();
    drawing.PreviousFont.reset();
}

}  // namespace display
