// Writes the glyph pictures of the program as enhanced metafiles: the body
// symbols "Simboli\PiaX" + NN, the sign symbols "Zodiaco\SegM" + NN and the
// element and principle symbols "Simboli\El...", each in a colour, a white ("B")
// and a black ("N") version. Outlines come from DejaVu Sans; symbols the font
// lacks are drawn as geometry. Usage: make_glyphs <data folder> [font folder]
#include <QGuiApplication>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRawFont>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "display/draw/emf_recorder.h"

using display::Color;
using display::Rgb;

namespace {

constexpr double kCanvas = 1000.0;  // the picture's square, in recorded units
constexpr double kInk = 760.0;      // the larger side of the ink
constexpr int kOutlineWidth = 14;   // a thin outline of the ink's colour

std::string gFontDir = "/usr/share/fonts/truetype/dejavu";

QRawFont& Font(bool bold) {
    static QRawFont regular, heavy;
    QRawFont& f = bold ? heavy : regular;
    if (!f.isValid()) {
        const std::string file = gFontDir + (bold ? "/DejaVuSans-Bold.ttf" : "/DejaVuSans.ttf");
        f.loadFromFile(QString::fromStdString(file), 1000, QFont::PreferDefaultHinting);
        if (!f.isValid()) {
            std::fprintf(stderr, "make_glyphs: cannot load %s\n", file.c_str());
            std::exit(1);
        }
    }
    return f;
}

// The outline of a text in DejaVu Sans, or an empty path when the font lacks a character.
QPainterPath TextOutline(const QString& text, bool bold) {
    QRawFont& f = Font(bold);
    QPainterPath path;
    double x = 0;
    for (uint cp : text.toUcs4()) {
        if (!f.supportsCharacter(cp)) return {};
        const QVector<quint32> idx =
            f.glyphIndexesForString(QString::fromUcs4(reinterpret_cast<const char32_t*>(&cp), 1));
        if (idx.isEmpty() || idx[0] == 0) return {};
        QPainterPath g = f.pathForGlyph(idx[0]);
        path.addPath(g.translated(x, 0));
        const QVector<QPointF> adv = f.advancesForGlyphIndexes(idx);
        x += adv.isEmpty() ? 600 : adv[0].x();
    }
    path.setFillRule(Qt::WindingFill);
    return path;
}

QPainterPath Stroke(const QPainterPath& lines, double width) {
    QPainterPathStroker s;
    s.setWidth(width);
    s.setCapStyle(Qt::RoundCap);
    s.setJoinStyle(Qt::RoundJoin);
    QPainterPath p = s.createStroke(lines);
    p.setFillRule(Qt::WindingFill);
    return p;
}

// Alchemical triangles: up (fire, air) or down (water, earth), with a bar (air, earth).
QPainterPath Triangle(bool up, bool bar) {
    QPainterPath l;
    const double h = 800, w = 900;
    if (up) {
        l.moveTo(0, h);
        l.lineTo(w / 2, 0);
        l.lineTo(w, h);
        l.closeSubpath();
        if (bar) {
            l.moveTo(w * 0.08, h * 0.62);
            l.lineTo(w * 0.92, h * 0.62);
        }
    } else {
        l.moveTo(0, 0);
        l.lineTo(w, 0);
        l.lineTo(w / 2, h);
        l.closeSubpath();
        if (bar) {
            l.moveTo(w * 0.08, h * 0.38);
            l.lineTo(w * 0.92, h * 0.38);
        }
    }
    return Stroke(l, 80);
}

// Salt: a circle crossed by a horizontal bar.
QPainterPath Salt() {
    QPainterPath l;
    l.addEllipse(QPointF(0, 0), 400, 400);
    l.moveTo(-400, 0);
    l.lineTo(400, 0);
    return Stroke(l, 80);
}

// Sulphur: a triangle standing on a cross.
QPainterPath Sulphur() {
    QPainterPath l;
    l.moveTo(0, 0);
    l.lineTo(280, -480);
    l.lineTo(560, 0);
    l.closeSubpath();
    l.moveTo(280, 0);
    l.lineTo(280, 420);
    l.moveTo(110, 220);
    l.lineTo(450, 220);
    return Stroke(l, 75);
}

// The black moon (Lilith): a crescent over a cross, when the font has none.
QPainterPath BlackMoon() {
    QPainterPath moon;
    moon.addEllipse(QPointF(0, 0), 300, 300);
    QPainterPath bite;
    bite.addEllipse(QPointF(120, -40), 270, 270);
    QPainterPath crescent = moon.subtracted(bite);
    QPainterPath l;
    l.moveTo(0, 300);
    l.lineTo(0, 620);
    l.moveTo(-150, 470);
    l.lineTo(150, 470);
    QPainterPath all = crescent.united(Stroke(l, 70));
    all.setFillRule(Qt::WindingFill);
    return all;
}

QPainterPath Symbol(uint cp, const std::function<QPainterPath()>& fallback) {
    QPainterPath p = TextOutline(QString::fromUcs4(reinterpret_cast<const char32_t*>(&cp), 1), false);
    if (p.isEmpty() && fallback) p = fallback();
    return p;
}

// Scales and moves the ink into the middle of the square.
QPainterPath Centred(const QPainterPath& p) {
    const QRectF b = p.boundingRect();
    const double s = kInk / std::max(b.width(), b.height());
    QTransform t;
    t.translate(kCanvas / 2, kCanvas / 2);
    t.scale(s, s);
    t.translate(-b.center().x(), -b.center().y());
    QPainterPath out = t.map(p);
    out.setFillRule(Qt::WindingFill);
    return out;
}

display::Path ToPath(const QPainterPath& q) {
    display::Path p;
    bool open = false;
    for (int i = 0; i < q.elementCount(); ++i) {
        const QPainterPath::Element e = q.elementAt(i);
        switch (e.type) {
            case QPainterPath::MoveToElement:
                if (open) p.Close();
                p.MoveTo(e.x, e.y);
                open = true;
                break;
            case QPainterPath::LineToElement: p.LineTo(e.x, e.y); break;
            case QPainterPath::CurveToElement: {
                const QPainterPath::Element c2 = q.elementAt(i + 1);
                const QPainterPath::Element end = q.elementAt(i + 2);
                p.CurveTo({{e.x, e.y}, {c2.x, c2.y}, {end.x, end.y}});
                i += 2;
                break;
            }
            default: break;
        }
    }
    if (open) p.Close();
    return p;
}

int gWritten = 0;

void Write(const std::filesystem::path& file, const QPainterPath& ink, Color colour) {
    display::EmfDevice device{1000, 1000, 100, 100};
    display::EmfRecorder rec(device);
    rec.SetFrame({0, 0, 1000, 1000});
    rec.SetDescription(std::u16string(u"Kelvor") + u'\0' + u"Simbolo");
    rec.SetPolyFillMode(display::kWinding);
    rec.SelectBrush({display::BrushStyle::Solid, colour});
    rec.SelectPen({display::PenStyle::Solid, kOutlineWidth, colour});
    rec.DrawPath(ToPath(ink), display::PathDraw::StrokeAndFill);
    rec.SaveTo(file);
    ++gWritten;
}

// The three versions of one symbol.
void WriteSet(const std::filesystem::path& folder, const std::string& stem, const std::string& number,
              const QPainterPath& raw, Color colour) {
    if (raw.isEmpty()) {
        std::fprintf(stderr, "make_glyphs: no outline for %s%s\n", stem.c_str(), number.c_str());
        std::exit(1);
    }
    const QPainterPath ink = Centred(raw);
    Write(folder / (stem + number + ".emf"), ink, colour);
    Write(folder / (stem + "B" + number + ".emf"), ink, display::kWhite);
    Write(folder / (stem + "N" + number + ".emf"), ink, display::kBlack);
}

std::string Two(int n) {
    char b[4];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_glyphs <data folder> [font folder]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::filesystem::path data = argv[1];
    if (argc > 2) gFontDir = argv[2];
    const auto simboli = data / "Simboli";
    const auto zodiaco = data / "Zodiaco";
    std::filesystem::create_directories(simboli);
    std::filesystem::create_directories(zodiaco);

    struct Body {
        int number;
        uint cp;
        const char* letters;
        Color colour;
    };
    const Body bodies[] = {
        {1, 0x2609, nullptr, Rgb(235, 150, 0)},     // Sun
        {2, 0x263D, nullptr, Rgb(120, 160, 235)},   // Moon
        {3, 0x263F, nullptr, Rgb(0, 175, 165)},     // Mercury
        {4, 0x2640, nullptr, Rgb(50, 185, 70)},     // Venus
        {5, 0x2642, nullptr, Rgb(235, 45, 45)},     // Mars
        {6, 0x2643, nullptr, Rgb(160, 100, 235)},   // Jupiter
        {7, 0x2644, nullptr, Rgb(175, 145, 100)},   // Saturn
        {8, 0x2645, nullptr, Rgb(0, 165, 235)},     // Uranus
        {9, 0x2646, nullptr, Rgb(70, 120, 245)},    // Neptune
        {10, 0x2647, nullptr, Rgb(200, 70, 130)},   // Pluto
        {11, 0x260A, nullptr, Rgb(205, 175, 0)},    // north node
        {12, 0x26B8, nullptr, Rgb(150, 150, 150)},  // black moon
        {13, 0x260B, nullptr, Rgb(205, 175, 0)},    // south node
        {14, 0, "AS", Rgb(235, 100, 0)},            // Ascendant
        {15, 0, "MC", Rgb(235, 100, 0)},            // Midheaven
    };
    for (const Body& b : bodies) {
        QPainterPath raw = b.letters ? TextOutline(QString::fromLatin1(b.letters), true)
                                     : Symbol(b.cp, b.number == 12 ? std::function<QPainterPath()>(BlackMoon)
                                                                   : std::function<QPainterPath()>());
        WriteSet(simboli, "PiaX", Two(b.number), raw, b.colour);
    }

    const Color fire = Rgb(235, 55, 30), earth = Rgb(60, 175, 50), air = Rgb(225, 185, 0), water = Rgb(40, 125, 235);
    const Color elementOfSign[12] = {fire, earth, air, water, fire, earth, air, water, fire, earth, air, water};
    for (int s = 1; s <= 12; ++s)
        WriteSet(zodiaco, "SegM", Two(s), Symbol(0x2648 + static_cast<uint>(s) - 1, {}), elementOfSign[s - 1]);

    WriteSet(simboli, "ElFuo1", "", Triangle(true, false), fire);
    WriteSet(simboli, "ElTer1", "", Triangle(false, true), earth);
    WriteSet(simboli, "ElAri1", "", Triangle(true, true), air);
    WriteSet(simboli, "ElAcq1", "", Triangle(false, false), water);
    WriteSet(simboli, "ElSal2", "", Salt(), Rgb(150, 160, 175));
    WriteSet(simboli, "ElZol2", "", Sulphur(), Rgb(225, 185, 0));
    WriteSet(simboli, "ElMer2", "", Symbol(0x263F, {}), Rgb(0, 175, 165));

    std::printf("make_glyphs: %d files written\n", gWritten);
    return 0;
}
