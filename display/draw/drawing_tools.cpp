#include "display/draw/drawing_tools.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "platform/runtime/number_text.h"

namespace display {

std::int32_t MapX(const DrawingState& drawing, long double x) {
    const long double u = x / drawing.aspectScaleX;
    return static_cast<std::int32_t>(rt::Round(u * drawing.pixelsPerUnit * drawing.zoomFactor)) + drawing.originX;
}

std::int32_t MapY(const DrawingState& drawing, long double y) {
    const long double v = y / drawing.aspectScaleY;
    return static_cast<std::int32_t>(rt::Round(v * drawing.pixelsPerUnit * drawing.zoomFactor)) + drawing.originY;
}

Point MapPoint(const DrawingState& drawing, long double x, long double y) {
    return {MapX(drawing, x), MapY(drawing, y)};
}

std::int32_t ScaleLength(const DrawingState& drawing, long double length) {
    return static_cast<std::int32_t>(rt::Round(length * drawing.pixelsPerUnit * drawing.zoomFactor));
}

Color ApplyBlackAndWhite(const DrawingState& drawing, Medium medium, Color c) {
    if (!drawing.blackAndWhite || c == kWhite) return c;
    return medium == Medium::Paper ? kBlack : kWhite;
}

namespace {

// How a pen code's width follows the page scale: the pixels per unit, times
// the zoom where the code says so, times `times`, divided by `over`.
struct PenWidthRule {
    long double times = 1;
    long double over = 1;
    bool zoomed = false;
};
constexpr PenWidthRule kQuarterUnit{1, 4}, kEighthUnit{1, 8}, kHalfUnit{1, 2}, kTwoFifthsUnit{0.4L, 1},
    kFourFifthsUnit{0.8L, 1}, kTwoThirdsUnit{1, 1.5L}, kZoomedUnit{1, 1, true}, kZoomedTwoUnits{2, 1, true};

struct PenCode {
    int code = -1;
    Color colour = kBlack;
    PenWidthRule width = kEighthUnit;
    PenStyle style = PenStyle::Solid;
};

constexpr Color kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255), kCyan = Rgb(0, 255, 255),
                kMagenta = Rgb(255, 0, 255), kYellow = Rgb(255, 255, 0);

// The pens the drawing code asks for by number. Codes 0..9 are the broad
// pens; any code not listed is a thin black one.
constexpr PenCode kPenCodes[] = {
    {0, kBlack, kQuarterUnit},
    {1, kWhite, kQuarterUnit},
    {2, kRed, kQuarterUnit},
    {3, kGreen, kQuarterUnit},
    {4, kBlue, kQuarterUnit},
    {5, kCyan, kQuarterUnit},
    {6, kMagenta, kQuarterUnit},
    {7, kYellow, kQuarterUnit},
    {8, Rgb(69, 69, 69), kQuarterUnit},
    {9, Rgb(128, 128, 128), kQuarterUnit},
    {10, kBlack, kEighthUnit},
    {11, kBlue, kEighthUnit},
    {12, kRed, kEighthUnit, PenStyle::Dash},
    {13, kRed, kEighthUnit},
    {14, kGreen, kEighthUnit},
    {15, kBlue, kEighthUnit},
    {16, kMagenta, kEighthUnit},
    {17, kWhite, kEighthUnit},
    {18, Rgb(255, 128, 64), kEighthUnit},
    {22, kRed, kFourFifthsUnit},
    {25, kCyan, kEighthUnit},
    {26, kMagenta, kEighthUnit, PenStyle::Dash},
    {33, kCyan, kFourFifthsUnit},
    {58, kGreen, kZoomedTwoUnits},
    {59, kGreen, kZoomedUnit},
    {60, kCyan, kZoomedUnit},
    {61, kBlue, kZoomedUnit},
    {62, kWhite, kZoomedUnit},
    {63, kBlack, kTwoThirdsUnit},
    {64, kRed, kZoomedUnit},
    {71, kBlue, kHalfUnit},
    {74, kRed, kHalfUnit},
    {75, kCyan, kHalfUnit},
    {76, kYellow, kHalfUnit},
    {77, kYellow, kFourFifthsUnit},
    {78, Rgb(196, 200, 36), kTwoFifthsUnit},
    {79, kRed, kTwoFifthsUnit},
    {80, kCyan, kTwoFifthsUnit},
};

// The same by code, 0..80, the codes not listed as the thin black pen.
constexpr int kPenCodeLimit = 81;
constexpr std::array<PenCode, kPenCodeLimit> kPenByCode = [] {
    std::array<PenCode, kPenCodeLimit> table{};
    for (const PenCode& p : kPenCodes) table[static_cast<std::size_t>(p.code)] = p;
    return table;
}();

struct FontCode {
    int code = 0;
    int heightDivisor = 1;  // the height is the font scale's base divided by it
    const char* face = "Arial";
    bool italic = false;
    int width = 0;
};

// The fonts the drawing code asks for by size code; other codes have none.
constexpr FontCode kFontCodes[] = {
    {0, 38},
    {1, 30},
    {2, 23},
    {3, 20},
    {4, 16},
    {5, 12},
    {15, 27},
    {16, 27, "Arial", true, 10},
    {18, 21},
    {21, 20, "Courier"},
    {22, 22, "Courier"},
    {33, 33},
};

}  // namespace

Pen PenForCode(const DrawingState& drawing, Medium medium, int code) {
    const PenCode entry = code >= 0 && code < kPenCodeLimit ? kPenByCode[static_cast<std::size_t>(code)] : PenCode{};
    long double w = drawing.pixelsPerUnit;
    if (entry.width.zoomed) w *= drawing.zoomFactor;
    w = w * entry.width.times / entry.width.over;
    Pen p;
    p.style = entry.style;
    p.color = ApplyBlackAndWhite(drawing, medium, entry.colour);
    p.width = static_cast<int>(rt::Round(w * drawing.lineWidthFactor));
    if (p.width < 0) p.width = 0;
    return p;
}

void SelectPenByCode(Surface& dc, int code) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.currentPen) ReleasePen(dc);
    const Pen p = PenForCode(drawing, dc.OutputMedium(), code);
    drawing.previousPen = dc.State().pen;
    drawing.currentPen = p;
    dc.SelectPen(p);
}

void ReleasePen(Surface& dc) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.currentPen && drawing.previousPen) dc.SelectPen(*drawing.previousPen);
    drawing.currentPen.reset();
    drawing.previousPen.reset();
}

void SelectLinePen(Surface& dc, int kind) {
    const bool paper = dc.OnPaper();
    if (kind == 0) SelectPenByCode(dc, paper ? 0 : 1);
    if (kind == 10) SelectPenByCode(dc, paper ? 10 : 17);
}

void SelectBrushColor(Surface& dc, Color colour) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.currentBrush) ReleaseBrush(dc);
    const Brush b{BrushStyle::Solid, ApplyBlackAndWhite(drawing, dc.OutputMedium(), colour & 0xFFFFFF)};
    drawing.previousBrush = dc.State().brush;
    drawing.currentBrush = b;
    dc.SelectBrush(b);
}

void ReleaseBrush(Surface& dc) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.currentBrush && drawing.previousBrush) dc.SelectBrush(*drawing.previousBrush);
    drawing.currentBrush.reset();
    drawing.previousBrush.reset();
}

void SetTextColorByCode(Surface& dc, int code) {
    const bool paper = dc.OnPaper();
    if (code == 0) dc.SetTextColor(paper ? kBlack : kWhite);
    if (code == 4) dc.SetTextColor(paper ? Rgb(0, 0, 255) : Rgb(0, 255, 255));
}

std::optional<Font> FontForCode(const DrawingState& drawing, int sizeCode) {
    const auto* entry = std::find_if(std::begin(kFontCodes), std::end(kFontCodes),
                                     [sizeCode](const FontCode& f) { return f.code == sizeCode; });
    if (entry == std::end(kFontCodes)) return std::nullopt;
    const std::int64_t base = rt::Round(static_cast<long double>(drawing.fontScale) * 30 * drawing.zoomFactor);
    Font f;
    f.face = entry->face;
    f.height = static_cast<int>(base / entry->heightDivisor);
    f.width = entry->width;
    f.weight = 10;
    f.italic = entry->italic;
    f.charSet = 0;
    f.quality = 2;  // proof
    return f;
}

void SelectFontByCode(Surface& dc, int sizeCode) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.blackAndWhite) SetTextColorByCode(dc, 0);
    const auto f = FontForCode(drawing, sizeCode);
    if (!f) return;
    if (drawing.currentFont) ReleaseFont(dc);
    drawing.previousFont = dc.State().font;
    drawing.currentFont = *f;
    dc.SelectFont(*f);
}

void ReleaseFont(Surface& dc) {
    DrawingState& drawing = dc.Drawing();
    if (drawing.currentFont && drawing.previousFont) dc.SelectFont(*drawing.previousFont);
    drawing.currentFont.reset();
    drawing.previousFont.reset();
}

}  // namespace display
