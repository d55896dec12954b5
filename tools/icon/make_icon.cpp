// Draws the program's icon: a chart wheel with the twelve signs in the colours
// of their elements, the program's own sign glyphs on them, aspect lines in the
// middle and the Sun's glyph at the centre. The same drawing goes through a
// Surface that writes SVG (the scalable icon) and through the QPainter surface
// onto images (the PNG icons; below 64 pixels without the glyphs, with bolder
// lines, so that the wheel still reads).
// Usage: make_icon <data folder with Zodiaco and Simboli> <output folder>
// writes <output>/hicolor/scalable/apps/kelvor.svg and
// <output>/hicolor/<N>x<N>/apps/kelvor.png.
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "display/draw/painter_surface.h"
#include "display/draw/surface.h"

namespace fs = std::filesystem;
using namespace display;

namespace {

constexpr int kCanvas = 1024;  // device units of the drawing, both ways
constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- SVG surface

std::string Hex(Color c) {
    char s[8];
    std::snprintf(s, sizeof s, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return s;
}

std::string Num(double v) {
    char s[32];
    std::snprintf(s, sizeof s, "%.2f", v);
    std::string t = s;
    while (!t.empty() && t.back() == '0') t.pop_back();
    if (!t.empty() && t.back() == '.') t.pop_back();
    return t == "-0" ? "0" : t;
}

// Writes every drawing call as an SVG element, in device units.
class SvgSurface : public Surface {
public:
    std::string Document() const {
        std::ostringstream d;
        d << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 " << kCanvas << ' '
          << kCanvas << "\">\n";
        if (!defs_.empty()) d << "<defs>\n" << defs_ << "</defs>\n";
        d << body_ << "</svg>\n";
        return d.str();
    }

    void LineTo(Point p) override {
        Shape("<path d=\"M" + Num(state_.position.x) + ' ' + Num(state_.position.y) + "L" + Num(p.x) + ' ' + Num(p.y) +
                  "\"",
              false, true);
        state_.position = p;
    }
    void Rectangle(const Rect& r) override {
        Shape("<rect x=\"" + Num(r.left) + "\" y=\"" + Num(r.top) + "\" width=\"" + Num(r.Width()) + "\" height=\"" +
                  Num(r.Height()) + "\"",
              true, true);
    }
    void Ellipse(const Rect& r) override {
        Shape("<ellipse cx=\"" + Num((r.left + r.right) / 2.0) + "\" cy=\"" + Num((r.top + r.bottom) / 2.0) +
                  "\" rx=\"" + Num(r.Width() / 2.0) + "\" ry=\"" + Num(r.Height() / 2.0) + "\"",
              true, true);
    }
    void Arc(const Rect& box, Point start, Point end) override {
        const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
        const double rx = box.Width() / 2.0, ry = box.Height() / 2.0;
        if (rx <= 0 || ry <= 0) return;
        // Angles counted counter-clockwise as the screen shows them.
        const double a0 = std::atan2(-(start.y - cy) / ry, (start.x - cx) / rx);
        double a1 = std::atan2(-(end.y - cy) / ry, (end.x - cx) / rx);
        double sweep = a1 - a0;
        while (sweep <= 0) sweep += 2 * kPi;
        auto at = [&](double a) { return Num(cx + rx * std::cos(a)) + ' ' + Num(cy - ry * std::sin(a)); };
        std::string d = "M" + at(a0);
        const std::string radii = "A" + Num(rx) + ' ' + Num(ry) + " 0 ";
        if (sweep >= 2 * kPi - 1e-9) {
            d += radii + "0 0 " + at(a0 + kPi) + radii + "0 0 " + at(a0);
        } else {
            a1 = a0 + sweep;
            d += radii + (sweep > kPi ? "1" : "0") + " 0 " + at(a1);
        }
        Shape("<path d=\"" + d + "\"", false, true);
    }
    void Polygon(std::span<const Point> points) override {
        Shape("<polygon points=\"" + PointList(points) + "\"", true, true);
    }
    void Polyline(std::span<const Point> points) override {
        Shape("<polyline points=\"" + PointList(points) + "\"", false, true);
    }
    void DrawPath(const Path& path, PathDraw how) override {
        std::string d;
        for (const PathElement& e : path.elements) {
            switch (e.kind) {
                case PathElement::kMoveTo: d += "M" + Num(e.p[0].x) + ' ' + Num(e.p[0].y); break;
                case PathElement::kLineTo: d += "L" + Num(e.p[0].x) + ' ' + Num(e.p[0].y); break;
                case PathElement::kCurveTo:
                    d += "C" + Num(e.p[0].x) + ' ' + Num(e.p[0].y) + ' ' + Num(e.p[1].x) + ' ' + Num(e.p[1].y) + ' ' +
                         Num(e.p[2].x) + ' ' + Num(e.p[2].y);
                    break;
                case PathElement::kClose: d += "Z"; break;
            }
        }
        if (d.empty()) return;
        Shape("<path d=\"" + d + "\"", how != PathDraw::Stroke, how != PathDraw::Fill);
    }
    void TextOut(Point p, std::string_view text) override {
        std::string escaped;
        for (unsigned char c : text) {
            if (c == '<')
                escaped += "&lt;";
            else if (c == '>')
                escaped += "&gt;";
            else if (c == '&')
                escaped += "&amp;";
            else if (c < 0x80)
                escaped += static_cast<char>(c);
            else
                escaped += "&#" + std::to_string(c) + ";";  // Windows-1252 letters of Latin-1
        }
        const unsigned h = state_.textAlign & kAlignHorizontalMask;
        const char* anchor = h == kAlignCenter ? "middle" : h == kAlignRight ? "end" : "start";
        const int size = std::abs(state_.font.height) > 0 ? std::abs(state_.font.height) : 16;
        body_ += Clip() + "<text x=\"" + Num(p.x) + "\" y=\"" + Num(p.y) + "\" font-family=\"" + state_.font.face +
                 "\" font-size=\"" + std::to_string(size) + "\" text-anchor=\"" + anchor + "\" fill=\"" +
                 Hex(state_.textColor) + "\">" + escaped + "</text>" + Unclip() + "\n";
    }
    void FillRect(const Rect& r, Color c) override {
        body_ += Clip() + "<rect x=\"" + Num(r.left) + "\" y=\"" + Num(r.top) + "\" width=\"" + Num(r.Width()) +
                 "\" height=\"" + Num(r.Height()) + "\" fill=\"" + Hex(c) + "\"/>" + Unclip() + "\n";
    }

private:
    static std::string PointList(std::span<const Point> points) {
        std::string s;
        for (const Point& p : points) s += (s.empty() ? "" : " ") + Num(p.x) + "," + Num(p.y);
        return s;
    }
    // An element with the pen and brush of the state.
    void Shape(const std::string& open, bool filled, bool stroked) {
        std::string attributes;
        if (filled && state_.brush.style != BrushStyle::Null) {
            attributes += " fill=\"" + Hex(state_.brush.color) + "\"";
            if (state_.polyFillMode == kAlternate) attributes += " fill-rule=\"evenodd\"";
        } else {
            attributes += " fill=\"none\"";
        }
        if (stroked && state_.pen.style != PenStyle::Null) {
            attributes += " stroke=\"" + Hex(state_.pen.color) + "\" stroke-width=\"" +
                          Num(state_.pen.width > 0 ? state_.pen.width : 1) +
                          "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
            if (state_.pen.style == PenStyle::Dash)
                attributes += " stroke-dasharray=\"18 6\"";
            else if (state_.pen.style == PenStyle::Dot)
                attributes += " stroke-dasharray=\"3 3\"";
        }
        body_ += Clip() + open + attributes + "/>" + Unclip() + "\n";
    }
    // The clipping rectangle of the state, when there is one.
    std::string Clip() {
        if (!state_.clipped) return {};
        const std::string id = "clip" + std::to_string(++clips_);
        const Rect& r = state_.clip;
        defs_ += "<clipPath id=\"" + id + "\"><rect x=\"" + Num(r.left) + "\" y=\"" + Num(r.top) + "\" width=\"" +
                 Num(r.Width()) + "\" height=\"" + Num(r.Height()) + "\"/></clipPath>\n";
        return "<g clip-path=\"url(#" + id + ")\">";
    }
    std::string Unclip() const { return state_.clipped ? "</g>" : ""; }

    std::string defs_;
    std::string body_;
    int clips_ = 0;
};

// ---------------------------------------------------------------- the icon

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make_icon: cannot read %s\n", p.c_str());
        std::exit(1);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The element colours of the glyph pictures: fire, earth, air, water.
constexpr Color kFire = Rgb(235, 55, 30), kEarth = Rgb(60, 175, 50), kAir = Rgb(225, 185, 0),
                kWater = Rgb(40, 125, 235);
constexpr Color kInk = Rgb(40, 44, 60);
constexpr Color kPaper = Rgb(250, 246, 234);
constexpr Color kAspectRed = Rgb(220, 30, 30), kAspectBlue = Rgb(30, 80, 220);

constexpr double kCentre = kCanvas / 2.0;
constexpr double kOuter = 500, kBand = 336, kInner = 326;

// The point of a longitude on a radius: 0 Aries at the left, the zodiac
// running counter-clockwise, as on the chart's wheel.
Point At(double longitude, double radius) {
    const double a = longitude * kPi / 180;
    return {static_cast<int>(std::lround(kCentre - radius * std::cos(a))),
            static_cast<int>(std::lround(kCentre + radius * std::sin(a)))};
}

Path Circle(double r) {
    Path p;
    const int n = 96;
    for (int i = 0; i <= n; ++i) {
        const double a = 2 * kPi * i / n;
        const double x = kCentre + r * std::cos(a), y = kCentre + r * std::sin(a);
        if (i == 0)
            p.MoveTo(x, y);
        else
            p.LineTo(x, y);
    }
    p.Close();
    return p;
}

void Draw(Surface& dc, const fs::path& data, bool detailed) {
    const int line = detailed ? 8 : 22;
    const int aspect = detailed ? 12 : 30;
    dc.SetPolyFillMode(kWinding);

    // The zodiac band: twelve sectors in the colours of their elements.
    const Color element[4] = {kFire, kEarth, kAir, kWater};
    for (int s = 0; s < 12; ++s) {
        Path sector;
        const double from = 30.0 * s;
        for (int i = 0; i <= 30; ++i) {
            const Point p = At(from + i, kOuter);
            if (i == 0)
                sector.MoveTo(p.x, p.y);
            else
                sector.LineTo(p.x, p.y);
        }
        for (int i = 30; i >= 0; --i) {
            const Point p = At(from + i, kBand);
            sector.LineTo(p.x, p.y);
        }
        sector.Close();
        dc.SelectPen(Pen{PenStyle::Null, 0, kInk});
        dc.SelectBrush(Brush{BrushStyle::Solid, element[s % 4]});
        dc.DrawPath(sector, PathDraw::Fill);
    }
    // The middle of the wheel.
    dc.SelectPen(Pen{PenStyle::Null, 0, kInk});
    dc.SelectBrush(Brush{BrushStyle::Solid, kPaper});
    dc.DrawPath(Circle(kBand), PathDraw::Fill);

    // Sign boundaries and the circles.
    dc.SelectPen(Pen{PenStyle::Solid, line, kInk});
    for (int s = 0; s < 12; ++s) {
        dc.MoveTo(At(30.0 * s, kOuter));
        dc.LineTo(At(30.0 * s, kBand));
    }
    dc.SelectBrush(Brush{BrushStyle::Null, kPaper});
    dc.DrawPath(Circle(kOuter - line / 2.0), PathDraw::Stroke);
    dc.DrawPath(Circle(kBand), PathDraw::Stroke);
    if (detailed) dc.DrawPath(Circle(kInner), PathDraw::Stroke);

    // The program's sign glyphs, white on their sectors.
    if (detailed) {
        for (int s = 1; s <= 12; ++s) {
            char name[32];
            std::snprintf(name, sizeof name, "Zodiaco/SegMB%02d.emf", s);
            const Point c = At(30.0 * (s - 1) + 15, (kOuter + kBand) / 2);
            const int half = 54;
            dc.PlayMetafile(ReadFile(data / name), Rect{c.x - half, c.y - half, c.x + half, c.y + half});
        }
    }

    // Aspects between five points: a grand trine in blue, squares in red.
    const double sun = 15, moon = 135, jupiter = 255, mars = 105, saturn = 345;
    struct Line {
        double a, b;
        Color colour;
    };
    const Line lines[] = {{sun, moon, kAspectBlue}, {moon, jupiter, kAspectBlue}, {jupiter, sun, kAspectBlue},
                          {sun, mars, kAspectRed},  {mars, saturn, kAspectRed},   {saturn, jupiter, kAspectRed}};
    const double r = detailed ? kInner : kBand;
    for (const Line& l : lines) {
        dc.SelectPen(Pen{PenStyle::Solid, aspect, l.colour});
        dc.MoveTo(At(l.a, r));
        dc.LineTo(At(l.b, r));
    }

    // The Sun at the centre, on a disc of paper.
    if (detailed) {
        dc.SelectPen(Pen{PenStyle::Solid, line, kInk});
        dc.SelectBrush(Brush{BrushStyle::Solid, kPaper});
        dc.DrawPath(Circle(118), PathDraw::StrokeAndFill);
        const int half = 86;
        dc.PlayMetafile(ReadFile(data / "Simboli/PiaX01.emf"),
                        Rect{static_cast<int>(kCentre) - half, static_cast<int>(kCentre) - half,
                             static_cast<int>(kCentre) + half, static_cast<int>(kCentre) + half});
    }
}

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", file.c_str());
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon <data folder> <output folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const fs::path data = argv[1];
    const fs::path out = fs::path(argv[2]) / "hicolor";

    SvgSurface svg;
    Draw(svg, data, true);
    WriteText(out / "scalable" / "apps" / "kelvor.svg", svg.Document());

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        QImage image(kCanvas, kCanvas, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            PainterSurface surface(&image);
            Draw(surface, data, size >= 64);
            surface.Flush();
        }
        const QImage icon = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const fs::path file = out / name / "apps" / "kelvor.png";
        fs::create_directories(file.parent_path());
        if (!icon.save(QString::fromStdString(file.string()), "PNG")) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
