#include "display/wheel/stroke_glyphs.h"

#include <initializer_list>
#include <utility>

#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/wheel_points.h"
#include "engine/calendar.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

constexpr std::pair<int, int> kUp{100, 100};

StrokeTable StrokesOf(std::initializer_list<std::pair<int, int>> points) {
    StrokeTable t{};
    std::size_t k = 0;
    for (const auto& [x, y] : points) {
        t[k++] = static_cast<std::int8_t>(x);
        t[k++] = static_cast<std::int8_t>(y);
    }
    return t;
}

constexpr int kScreenCyanPaperBlue = 0;

}  // namespace

const std::array<AspectGlyph, 11> kAspectGlyphs = {{
    // 1 conjunction
    {StrokesOf({{3, -4}, {-1, 0}, {-2, 0}, {-3, 1}, {-3, 2}, {-2, 3}, {-1, 3}, {0, 2}, {0, 1}, {-1, 0}}), 3, 18},
    // 2 sextile
    {StrokesOf({{-3, 0}, {3, 0}, kUp, {3, -3}, {-3, 3}, kUp, {-3, -3}, {3, 3}}), kScreenCyanPaperBlue, 12},
    // 3 square
    {StrokesOf({{-3, -4}, {-3, 3}, {3, 3}, {3, -4}, {-3, -4}}), 2, 8},
    // 4 trine
    {StrokesOf({{0, -4}, {-3, 3}, {3, 3}, {0, -4}}), kScreenCyanPaperBlue, 6},
    // 5 opposition
    {StrokesOf({{-1, 0},
                {-2, 0},
                {-3, 1},
                {-3, 2},
                {-2, 3},
                {-1, 3},
                {0, 2},
                {0, 1},
                {-1, 0},
                {1, -1},
                {2, -1},
                {3, -2},
                {3, -3},
                {2, -4},
                {1, -4},
                {0, -3},
                {0, -2},
                {1, -1}}),
     2, 34},
    // 6 sesquiquadrate
    {StrokesOf({{-3, -4}, {-3, 1}, {3, 1}, {3, -4}, {-3, -4}, kUp, {-1, -1}, {-1, 3}, {2, 3}}), 2, 16},
    // 7 semi-square
    {StrokesOf({{0, -4}, {-3, 3}, {3, 3}}), 2, 4},
    // 8 quincunx
    {StrokesOf({{-3, -4}, {3, -4}, kUp, {-3, 3}, {0, -4}, {3, 3}}), 5, 10},
    // 9 semi-sextile
    {StrokesOf({{-3, -4}, {0, 3}, {3, -4}, kUp, {-3, 3}, {3, 3}}), kScreenCyanPaperBlue, 8},
    // 10 quintile
    {StrokesOf({{-3, -2}, {0, 0}, {-3, 3}, kUp, {3, -2}, {0, 0}, {3, 3}, kUp, {0, -4}, {0, 0}}), 5, 16},
    // 11 biquintile
    {StrokesOf({{-3, -2},
                {0, 0},
                {-3, 3},
                kUp,
                {3, -2},
                {0, 0},
                {3, 3},
                kUp,
                {0, -4},
                {0, 0},
                kUp,
                {-3, -4},
                {-2, -4},
                {-2, -3}}),
     5, 26},
}};

// An upturned T, an N, and a 7 crossed as it is written by hand.
const AspectGlyph kDecileGlyph = {StrokesOf({{0, -4}, {0, 3}, kUp, {-3, 3}, {3, 3}}), 5, 8};
const AspectGlyph kNovileGlyph = {StrokesOf({{-3, 3}, {-3, -4}, {3, 3}, {3, -4}}), 5, 6};
const AspectGlyph kSeptileGlyph = {StrokesOf({{-3, -4}, {3, -4}, {-1, 3}, kUp, {-2, 0}, {2, 0}}), 5, 10};


void DrawStrokeGlyph(Surface& dc, const AspectGlyph& glyph, int penCode, PagePoint at, Real size) {
    const Real x = at.x, y = at.y;
    const StrokeTable& table = glyph.strokes;
    const int count = glyph.count;
    const Real s = 0.45L * size;
    // Byte k (1-based) of the table; bytes past its end read as 0.
    auto byte = [&](int k) -> int { return k >= 1 && k <= 36 ? table[k - 1] : 0; };
    SelectPenByCode(dc, penCode);
    int k = 1;
    while (true) {
        if (byte(k) == 100) k += 2;
        MoveToPage(dc, x + byte(k) * s, y + byte(k + 1) * s);
        if (byte(k + 2) < 100) LineToScaled(dc, x + byte(k + 2) * s, y + byte(k + 3) * s);
        k += 2;
        if (!(count > k)) break;
    }
    ReleasePen(dc);
}

void DrawAspectGlyph(Surface& dc, int code, PagePoint at, Real size) {
    if (code < 1 || code > 11) return;
    const AspectGlyph& g = kAspectGlyphs[static_cast<std::size_t>(code - 1)];
    int pen = g.penCode;
    if (pen == kScreenCyanPaperBlue) pen = dc.OnPaper() ? 4 : 5;
    DrawStrokeGlyph(dc, g, pen, at, size);
}

namespace {

// Stamp points: offsets from (u, v), scaled without a second aspect division.
struct StampFrame {
    const DrawingState& drawing;
    Real u, v;
    Point At(Real dx, Real dy) const {
        const Real k = drawing.pixelsPerUnit * drawing.zoomFactor;
        return {static_cast<int>(rt::Round((u + dx) * k)) + drawing.originX,
                static_cast<int>(rt::Round((v + dy) * k)) + drawing.originY};
    }
    Rect Box(Real x1, Real y1, Real x2, Real y2) const {
        const Point a = At(x1, y1), b = At(x2, y2);
        return {a.x, a.y, b.x, b.y};
    }
};

StampFrame StampAt(const DrawingState& drawing, Real x, Real y) {
    return {drawing, (x + 5) / drawing.aspectScaleX, (y + 130) / drawing.aspectScaleY};
}

void StampShadow(Surface& dc, const StampFrame& f) {
    SelectPenByCode(dc, 2);
    if (!dc.Drawing().blackAndWhite) SelectBrushColor(dc, Rgb(255, 255, 0));
    dc.SetPolyFillMode(kWinding);
    const Point shape[6] = {f.At(10, -2), f.At(25, 7), f.At(10, 12), f.At(20, -2), f.At(20, 13), f.At(10, -2)};
    dc.Polygon(shape);
    if (!dc.Drawing().blackAndWhite) ReleaseBrush(dc);
    ReleasePen(dc);
}

void StampText(Surface& dc, Point p) {
    SelectFontByCode(dc, 15);
    dc.SetTextAlign(kAlignLeft | kAlignTop);
    dc.TextOut(p, "Orbalune 3");
    ReleaseFont(dc);
}

}  // namespace

void DrawProgramStamp(Surface& dc, Real x, Real y) {
    const StampFrame f = StampAt(dc.Drawing(), x, y);
    StampShadow(dc, f);
    SelectPenByCode(dc, 2);
    SelectBrushColor(dc, Rgb(255, 0, 0));
    dc.Rectangle(f.Box(-1, 0, 30, 5));
    ReleaseBrush(dc);
    const Color keptBackground = dc.State().bkColor;
    dc.SetBkColor(Rgb(255, 0, 0));
    dc.SetTextColor(kWhite);
    StampText(dc, f.At(1, 0.5L));
    dc.SetBkColor(keptBackground);
    ReleasePen(dc);
    SetTextColorByCode(dc, 0);
}

void DrawProgramStampPlain(Surface& dc, Real x, Real y) {
    const StampFrame f = StampAt(dc.Drawing(), x, y);
    StampShadow(dc, f);
    SelectPenByCode(dc, 2);
    dc.Rectangle(f.Box(-1, 0, 30, 5));
    SetTextColorByCode(dc, 4);
    StampText(dc, f.At(0, 0.5L));
    ReleasePen(dc);
}

std::string DrawCaptionPair(Surface& dc, Real x, Real y, const std::string& userFullName) {
    const std::string date = engine::TodayDateText();
    SetTextColorByCode(dc, 0);
    TextOutRight(dc, date, 1, x, y);
    TextOutRight(dc, userFullName, 15, x, y + 4);
    return date;
}

}  // namespace display
