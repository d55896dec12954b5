#pragma once
// An abstract canvas in device pixels, shaped like the device-context calls the
// drawing code makes: pens, brushes and fonts selected by value, move/line,
// rectangle, ellipse, arc, polygon, paths, aligned text with text and background
// colours, clipping, and playing an enhanced metafile into a rectangle.
//
// Backends: PainterSurface (QPainter on an image, a window's back buffer or the
// printer), EmfRecorder (writes an Enhanced Metafile), RecordingSurface (logs each
// call as text for tests). PlayEmf replays a metafile onto any surface.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace display {

struct DrawingState;

// Windows colour value 0x00BBGGRR.
using Color = std::uint32_t;
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): red, green, blue in the order every colour is written
constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr Color kBlack = Rgb(0, 0, 0);
inline constexpr Color kWhite = Rgb(255, 255, 255);

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

enum class PenStyle : std::uint8_t { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0;  // device pixels; 0 = the thinnest line the device draws
    Color color = kBlack;
    bool operator==(const Pen&) const = default;
};

enum class BrushStyle : std::uint8_t { Solid = 0, Null = 1 };

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Color color = kWhite;
    bool operator==(const Brush&) const = default;
};

// A logical font as the platform's font creation takes it. A positive height is
// the cell height (ascent + descent), a negative one the character (em) height,
// in device pixels; 0 picks a default.
struct Font {
    std::string face = "Arial";  // Windows-1252 bytes
    int height = 0;
    int width = 0;  // average character width, 0 = natural
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;  // ANSI
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 2;  // proof
    std::uint8_t pitchAndFamily = 0;
    bool operator==(const Font&) const = default;
};

// Text alignment flags (the platform's values).
enum TextAlignFlags : unsigned {
    kAlignLeft = 0,
    kAlignTop = 0,
    kAlignUpdateCP = 1,
    kAlignRight = 2,
    kAlignCenter = 6,
    kAlignBottom = 8,
    kAlignBaseline = 24,
};
constexpr unsigned kAlignHorizontalMask = 6;
constexpr unsigned kAlignVerticalMask = 24;

enum BackgroundMode : int { kTransparent = 1, kOpaque = 2 };

// What a surface is drawn for: the black screen, or paper (the printer's page
// and the chart metafile), black on white. The drawing layer picks its
// foreground colours, its line pens and the glyph pictures by it.
enum class Medium : std::uint8_t { Screen, Paper };
enum PolyFillMode : int { kAlternate = 1, kWinding = 2 };

// A path in device coordinates, kept in reals so that stretched outlines stay exact.
struct PathPoint {
    double x = 0;
    double y = 0;
};
struct PathElement {
    enum Kind : std::uint8_t { kMoveTo, kLineTo, kCurveTo, kClose } kind = kMoveTo;
    PathPoint p[3];  // LineTo/MoveTo use p[0]; CurveTo uses p[0], p[1] (controls), p[2] (end)
};
// A cubic Bezier segment from the path's current point.
struct PathCurve {
    PathPoint control1;
    PathPoint control2;
    PathPoint end;
};
struct Path {
    std::vector<PathElement> elements;
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void CurveTo(const PathCurve& curve);
    void Close();
    bool Empty() const { return elements.empty(); }
};
enum class PathDraw : std::uint8_t { Fill, Stroke, StrokeAndFill };

// The attributes of a device context.
struct SurfaceState {
    Pen pen;
    Brush brush;
    Font font;
    unsigned textAlign = kAlignLeft | kAlignTop;
    Color textColor = kBlack;
    Color bkColor = kWhite;
    int bkMode = kOpaque;
    int polyFillMode = kAlternate;
    Point position;
    bool clipped = false;
    Rect clip;
};

// Metrics of a text in the selected font, in device pixels.
struct TextMetrics {
    double width = 0;
    double ascent = 0;
    double descent = 0;
    std::vector<double> advances;  // per character
};

class Surface {
public:
    Surface();
    virtual ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Attributes. Each setter returns nothing; the previous value is readable
    // through State() before the call (selection by value).
    virtual void SelectPen(const Pen& pen) { state_.pen = pen; }
    virtual void SelectBrush(const Brush& brush) { state_.brush = brush; }
    virtual void SelectFont(const Font& font) { state_.font = font; }
    virtual void SetTextAlign(unsigned align) { state_.textAlign = align; }
    virtual void SetTextColor(Color c) { state_.textColor = c; }
    virtual void SetBkColor(Color c) { state_.bkColor = c; }
    virtual void SetBkMode(int mode) { state_.bkMode = mode; }
    virtual void SetPolyFillMode(int mode) { state_.polyFillMode = mode; }
    // Intersects the clipping region with the rectangle.
    virtual void IntersectClip(const Rect& r);
    virtual void ResetClip() { state_.clipped = false; }
    virtual void SaveState() { saved_.push_back(state_); }
    virtual void RestoreState();
    const SurfaceState& State() const { return state_; }

    // Geometry. Rectangle and Ellipse take the bounding box; the right and bottom
    // edges are excluded as on the platform.
    virtual void MoveTo(Point p) { state_.position = p; }
    virtual void LineTo(Point p) = 0;
    virtual void Rectangle(const Rect& r) = 0;
    virtual void Ellipse(const Rect& r) = 0;
    // Counter-clockwise elliptic arc from the radial through start to the radial
    // through end; equal radials draw the whole ellipse.
    virtual void Arc(const Rect& box, Point start, Point end) = 0;
    // Closed polygon, outlined with the pen and filled with the brush in the
    // current fill mode.
    virtual void Polygon(std::span<const Point> points) = 0;
    virtual void Polyline(std::span<const Point> points) = 0;
    virtual void DrawPath(const Path& path, PathDraw how) = 0;
    // Text (Windows-1252 bytes) at the reference point, aligned by the text
    // alignment; an opaque background mode fills the text's cell with the
    // background colour first.
    virtual void TextOut(Point p, std::string_view text) = 0;
    // Fills a rectangle with a colour, no outline (a canvas's FillRect).
    virtual void FillRect(const Rect& r, Color c) = 0;
    // Plays an enhanced metafile (its bytes) stretched into the rectangle.
    virtual void PlayMetafile(const std::string& emfBytes, const Rect& dest);

    // Measures a text in the selected font.
    virtual TextMetrics MeasureText(std::string_view text) const;

    // The drawing state the drawing layer maps with and selects its tools by
    // when it draws on this surface: page units, zoom, colours. A surface that
    // was handed none maps with a state of its own at the start values (a
    // 1400 x 1050 screen, zoom 1, no printer).
    void UseDrawingState(DrawingState& drawing) { drawing_ = &drawing; }
    DrawingState& Drawing() const;

    // What the surface is drawn for; its maker says (the screen unless told).
    void SetOutputMedium(Medium medium) { medium_ = medium; }
    Medium OutputMedium() const { return medium_; }
    bool OnPaper() const { return medium_ == Medium::Paper; }
    // Whether what is drawn here is seen: a window's canvas only while its
    // window is shown, any other surface always.
    virtual bool Visible() const { return true; }

protected:
    SurfaceState state_;
    std::vector<SurfaceState> saved_;

private:
    DrawingState* drawing_ = nullptr;
    mutable std::unique_ptr<DrawingState> ownDrawing_;
    Medium medium_ = Medium::Screen;
};

}  // namespace display
