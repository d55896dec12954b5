// Enhanced metafiles: what the recorder writes, what the player reads, and a test
// page that looks the same drawn directly and through a metafile.
#include <gtest/gtest.h>

#include <array>
#include <limits>

#include <QImage>
#include <cstdlib>
#include <fstream>

#include "display/draw/emf_format.h"
#include "display/draw/emf_player.h"
#include "display/draw/emf_recorder.h"
#include "display/draw/painter_surface.h"
#include "display/draw/recording_surface.h"
#include "tests/common/test_support.h"
#include "tests/display/draw/emf_check.h"

using namespace display;
using namespace display::emf;

namespace {

// A page with every kind of call the drawing layer makes.
void DrawTestPage(Surface& s) {
    s.FillRect({0, 0, 400, 300}, kBlack);
    s.SelectPen({PenStyle::Solid, 1, kWhite});
    s.MoveTo({10, 10});
    s.LineTo({390, 10});
    s.LineTo({390, 290});
    s.SelectPen({PenStyle::Solid, 4, Rgb(255, 0, 0)});
    s.MoveTo({20, 280});
    s.LineTo({200, 150});
    s.SelectBrush({BrushStyle::Solid, Rgb(0, 0, 255)});
    s.SelectPen({PenStyle::Solid, 2, Rgb(0, 255, 0)});
    s.Rectangle({30, 30, 120, 90});
    s.Ellipse({140, 30, 240, 110});
    s.SelectPen({PenStyle::Solid, 1, Rgb(255, 255, 0)});
    s.Arc({250, 30, 350, 130}, {300, 30}, {300, 30});
    s.SetPolyFillMode(kWinding);
    s.SelectBrush({BrushStyle::Solid, Rgb(255, 0, 255)});
    const Point star[] = {{60, 250}, {90, 140}, {120, 250}, {30, 180}, {150, 180}};
    s.Polygon(star);
    const Point zig[] = {{160, 200}, {180, 260}, {200, 200}, {220, 260}};
    s.Polyline(zig);
    s.SelectPen({PenStyle::Dash, 1, Rgb(255, 0, 0)});
    s.MoveTo({230, 150});
    s.LineTo({380, 150});
    Path p;
    p.MoveTo(250, 200);
    p.CurveTo({{270, 160}, {330, 160}, {350, 200}});
    p.LineTo(300, 260);
    p.Close();
    s.SelectBrush({BrushStyle::Solid, Rgb(0, 255, 255)});
    s.SelectPen({PenStyle::Solid, 3, kWhite});
    s.DrawPath(p, PathDraw::StrokeAndFill);
    Font f;
    f.face = "Arial";
    f.height = 24;
    s.SelectFont(f);
    s.SetTextColor(kWhite);
    s.SetBkColor(Rgb(128, 0, 0));
    s.SetBkMode(kOpaque);
    s.SetTextAlign(kAlignCenter | kAlignTop);
    s.TextOut({200, 120}, "Zon Maan");
    s.SetBkMode(kTransparent);
    s.SetTextAlign(kAlignRight);
    f.face = "Courier";
    s.SelectFont(f);
    s.TextOut({390, 260}, "Mercurius");
    s.SaveState();
    s.IntersectClip({0, 0, 60, 300});
    s.SelectBrush({BrushStyle::Solid, Rgb(255, 255, 255)});
    s.SelectPen({PenStyle::Null, 0, kBlack});
    s.Ellipse({40, 100, 80, 140});  // half clipped away
    s.RestoreState();
}

constexpr int kW = 400, kH = 300;

std::string RecordTestPage() {
    EmfRecorder rec(EmfDevice{kW, kH, 40, 30});
    rec.SetFrame({0, 0, kW, kH});
    DrawTestPage(rec);
    return rec.Finish();
}

double DifferentShare(const QImage& a, const QImage& b) {
    int differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            const int d =
                std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()), std::abs(p.blue() - q.blue())});
            if (d > 64) ++differ;
        }
    return static_cast<double>(differ) / (a.width() * a.height());
}

TEST(EmfRecorderTest, WritesAWellFormedFile) {
    const std::string bytes = RecordTestPage();
    EXPECT_EQ(CheckEmf(bytes), "");
    const auto h = ReadEmfHeader(bytes);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->bytes, bytes.size());
    EXPECT_EQ(h->frame, (Rect{0, 0, 4000, 3000}));  // 0.01 mm
    EXPECT_EQ(h->bounds.left, 0);
    EXPECT_EQ(h->bounds.right, 399);
    const auto records = ListEmfRecords(bytes);
    EXPECT_EQ(records.size(), h->records);
    EXPECT_EQ(records.front().type, EMR_HEADER);
    EXPECT_EQ(records.back().type, EMR_EOF);
    // Pens are extended pens; the wide one geometric with its width.
    Reader r(bytes.data(), bytes.size());
    int pens = 0;
    bool wideRed = false;
    std::size_t maxHandle = 0;
    for (const auto& rec : records) {
        if (rec.type == EMR_CREATEPEN) ADD_FAILURE() << "old-style pen";
        if (rec.type == EMR_EXTCREATEPEN) {
            ++pens;
            maxHandle = std::max<std::size_t>(maxHandle, r.U32(rec.offset + 8));
            if (r.U32(rec.offset + 40) == Rgb(255, 0, 0) && r.U32(rec.offset + 32) == 4)
                wideRed = (r.U32(rec.offset + 28) & PS_GEOMETRIC) != 0;
        }
    }
    EXPECT_GE(pens, 5);
    EXPECT_TRUE(wideRed);
    EXPECT_LT(maxHandle, h->handles);
}

TEST(EmfRecorderTest, PageThroughTheMetafileMatchesDirectDrawing) {
    QImage direct(kW, kH, QImage::Format_RGB32);
    direct.fill(Qt::gray);
    {
        PainterSurface s(&direct);
        DrawTestPage(s);
    }
    QImage played(kW, kH, QImage::Format_RGB32);
    played.fill(Qt::gray);
    {
        PainterSurface s(&played);
        ASSERT_TRUE(PlayEmf(RecordTestPage(), s, {0, 0, kW, kH}));
    }
    EXPECT_LT(DifferentShare(direct, played), 0.01);
    if (const char* out = std::getenv("KELVOR_EMF_PAGE")) {
        direct.save(QString(out) + "-direct.png");
        played.save(QString(out) + "-played.png");
    }
    // Stretched to twice the size it still covers the whole destination.
    QImage big(2 * kW, 2 * kH, QImage::Format_RGB32);
    big.fill(Qt::gray);
    {
        PainterSurface s(&big);
        PlayEmf(RecordTestPage(), s, {0, 0, 2 * kW, 2 * kH});
    }
    EXPECT_EQ(big.pixelColor(4, 4), QColor(Qt::black));
    EXPECT_EQ(big.pixelColor(2 * kW - 4, 2 * kH - 4), QColor(Qt::black));
}

TEST(EmfRecorderTest, PlayingIntoARecorderKeepsThePicture) {
    // A metafile played into another metafile (glyphs inside a chart metafile).
    EmfRecorder outer(EmfDevice{kW, kH, 40, 30});
    outer.SetFrame({0, 0, kW, kH});
    outer.PlayMetafile(RecordTestPage(), {0, 0, kW, kH});
    const std::string nested = outer.Finish();
    EXPECT_EQ(CheckEmf(nested), "");
    QImage a(kW, kH, QImage::Format_RGB32), b(kW, kH, QImage::Format_RGB32);
    a.fill(Qt::gray);
    b.fill(Qt::gray);
    {
        PainterSurface s(&a);
        PlayEmf(RecordTestPage(), s, {0, 0, kW, kH});
        PainterSurface t(&b);
        PlayEmf(nested, t, {0, 0, kW, kH});
    }
    EXPECT_LT(DifferentShare(a, b), 0.01);
}

TEST(EmfRecorderTest, ObjectsOfASavedContextOutliveChangesInsideIt) {
    EmfRecorder emf(EmfDevice{kW, kH, 40, 30});
    emf.SelectPen({PenStyle::Solid, 2, kWhite});
    emf.SelectBrush({BrushStyle::Solid, Rgb(0, 0, 255)});
    emf.Rectangle({10, 10, 50, 50});
    emf.SaveState();
    emf.SelectPen({PenStyle::Solid, 3, Rgb(255, 0, 0)});
    emf.SelectBrush({BrushStyle::Solid, Rgb(0, 255, 0)});
    emf.Rectangle({20, 20, 60, 60});
    Path p;
    p.MoveTo(30, 30);
    p.LineTo(80, 40);
    emf.DrawPath(p, PathDraw::Stroke);
    emf.RestoreState();
    emf.SelectPen({PenStyle::Solid, 1, kWhite});
    emf.Rectangle({30, 30, 70, 70});
    emf.Arc({0, 0, 100, 100}, {50, 0}, {50, 0});  // a whole circle
    const std::string bytes = emf.Finish();
    if (const char* out = std::getenv("KELVOR_EMF_OUT")) testing_support::WriteBytes(out, bytes);
    EXPECT_EQ(CheckEmf(bytes), "");
    EXPECT_EQ(emf_check::Faults(bytes), std::vector<std::string>{});
    RecordingSurface log;
    PlayEmf(bytes, log, {0, 0, kW, kH});
    const auto rects = log.Calls("rectangle");
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_NE(rects[0].find("/#FFFFFF brush=#0000FF"), std::string::npos) << rects[0];
    EXPECT_NE(rects[1].find("/#FF0000 brush=#00FF00"), std::string::npos) << rects[1];
    EXPECT_NE(rects[2].find("/#FFFFFF brush=#0000FF"), std::string::npos) << rects[2];
    const auto circles = log.Calls("ellipse");
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_NE(circles[0].find("brush=null"), std::string::npos) << circles[0];
}

TEST(EmfRecorderTest, ExternalConverterReadsOurFiles) {
    if (std::system("command -v emf2svg-conv >/dev/null 2>&1") != 0) GTEST_SKIP() << "emf2svg-conv missing";
    testing_support::TempWorkFolder tmp;
    testing_support::WriteBytes(tmp.Path() / "page.emf", RecordTestPage());
    const std::string cmd = "emf2svg-conv -i '" + (tmp.Path() / "page.emf").string() + "' -o '" +
                            (tmp.Path() / "page.svg").string() + "' 2>'" + (tmp.Path() / "err.txt").string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << testing_support::ReadBytes(tmp.Path() / "err.txt");
    const std::string svg = testing_support::ReadBytes(tmp.Path() / "page.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Zon Maan"), std::string::npos);
}

// A metafile built record by record, 1000 x 1000 reference pixels.
class EmfBuilder {
public:
    EmfBuilder() {
        w.U32(EMR_HEADER);
        w.U32(108);
        for (int v : {0, 0, 999, 999, 0, 0, 10000, 10000}) w.I32(v);
        w.U32(kSignature);
        w.U32(0x10000);
        w.U32(0);  // bytes
        w.U32(0);  // records
        w.U16(4);
        w.U16(0);
        w.U32(0);
        w.U32(0);
        w.U32(0);
        for (int v : {1000, 1000, 100, 100}) w.I32(v);
        w.Zeros(20);
        records = 1;
    }
    void Rec(std::uint32_t type, std::initializer_list<std::int32_t> fields) {
        w.U32(type);
        w.U32(static_cast<std::uint32_t>(8 + 4 * fields.size()));
        for (auto f : fields) w.I32(f);
        ++records;
    }
    void Points16(std::uint32_t type, std::initializer_list<std::pair<int, int>> pts) {
        w.U32(type);
        w.U32(static_cast<std::uint32_t>(28 + 4 * pts.size()));
        w.Zeros(16);
        w.U32(static_cast<std::uint32_t>(pts.size()));
        for (auto [x, y] : pts) {
            w.I16(static_cast<std::int16_t>(x));
            w.I16(static_cast<std::int16_t>(y));
        }
        ++records;
    }
    // The matrix as the record stores it: m11, m12, m21, m22, dx, dy.
    void Xform(std::uint32_t type, const std::array<float, 6>& matrix, int mode = -1) {
        w.U32(type);
        w.U32(mode < 0 ? 32 : 36);
        for (float f : matrix) w.F32(f);
        if (mode >= 0) w.U32(static_cast<std::uint32_t>(mode));
        ++records;
    }
    std::string Finish() {
        Rec(EMR_EOF, {0, 16, 20});
        w.PatchU32(48, static_cast<std::uint32_t>(w.Size()));
        w.PatchU32(52, records);
        return w.bytes;
    }
    Writer w;
    std::uint32_t records = 0;
};

TEST(EmfPlayerTest, FollowsMappingModesAndWorldTransforms) {
    EmfBuilder b;
    b.Rec(EMR_SETMAPMODE, {8});  // anisotropic
    b.Rec(EMR_SETWINDOWEXTEX, {100, 100});
    b.Rec(EMR_SETVIEWPORTEXTEX, {1000, 1000});
    b.Rec(EMR_MOVETOEX, {10, 20});
    b.Rec(EMR_LINETO, {30, 40});
    b.Rec(0x99, {1, 2, 3});                                    // unknown: skipped
    b.Xform(EMR_MODIFYWORLDTRANSFORM, {1, 0, 0, 1, 5, 0}, 4);  // set: move 5 right
    b.Rec(EMR_RECTANGLE, {0, 0, 10, 10});
    b.Xform(EMR_MODIFYWORLDTRANSFORM, {0, 0, 0, 0, 0, 0}, 1);  // back to identity
    b.Rec(EMR_SETMAPMODE, {1});
    b.Points16(EMR_POLYLINE16, {{100, 100}, {200, 100}, {200, 300}});
    b.Rec(EMR_BEGINPATH, {});
    b.Rec(EMR_MOVETOEX, {0, 0});
    b.Points16(EMR_POLYBEZIERTO16, {{0, 100}, {100, 100}, {100, 0}});
    b.Rec(EMR_CLOSEFIGURE, {});
    b.Rec(EMR_ENDPATH, {});
    b.Rec(EMR_FILLPATH, {0, 0, 0, 0});
    const std::string bytes = b.Finish();
    ASSERT_EQ(CheckEmf(bytes), "");
    RecordingSurface s;
    ASSERT_TRUE(PlayEmf(bytes, s, {0, 0, 500, 500}));  // half size
    const auto lines = s.Calls("line");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 20), "line 50,100 150,200 ");
    ASSERT_EQ(s.Calls("rectangle").size(), 1u);
    EXPECT_EQ(s.Calls("rectangle")[0].substr(0, 23), "rectangle 25,0 75,50 pe");
    ASSERT_EQ(s.Calls("polyline").size(), 1u);
    EXPECT_EQ(s.Calls("polyline")[0], "polyline 50,50 100,50 100,150");
    ASSERT_EQ(s.Calls("path").size(), 1u);
    EXPECT_EQ(s.Calls("path")[0].substr(0, 11), "path fill 3");  // move, curve, close
}

TEST(EmfPlayerTest, RejectsDamagedFiles) {
    std::string good = RecordTestPage();
    EXPECT_NE(CheckEmf(good.substr(0, good.size() - 4)), "");
    std::string wrongSize = good;
    wrongSize[48] ^= 1;
    EXPECT_NE(CheckEmf(wrongSize), "");
    std::string noEnd = good;
    noEnd.resize(noEnd.size() - 20);
    EXPECT_NE(CheckEmf(noEnd), "");
    RecordingSurface s;
    EXPECT_FALSE(PlayEmf("not a metafile at all", s, {0, 0, 10, 10}));
    // A record whose size runs past the end stops the playback quietly.
    std::string cut = good.substr(0, 300);
    EXPECT_TRUE(PlayEmf(cut, s, {0, 0, 10, 10}));
    EXPECT_EQ(s.State().pen, Pen{});  // the surface's attributes are restored
}

}  // namespace

TEST(EmfPlayerTest, RestoringToTheLowestRelativeLevelPopsEverySavedContext) {
    // A relative level of -2^31 once overflowed the count of contexts to pop.
    EmfBuilder b;
    b.Rec(EMR_SAVEDC, {});
    b.Rec(EMR_RESTOREDC, {std::numeric_limits<std::int32_t>::min()});
    b.Rec(EMR_RESTOREDC, {-1});  // nothing left to restore: ignored
    b.Rec(EMR_MOVETOEX, {10, 20});
    b.Rec(EMR_LINETO, {30, 40});
    const std::string bytes = b.Finish();
    RecordingSurface s;
    ASSERT_TRUE(PlayEmf(bytes, s, {0, 0, 1000, 1000}));
    EXPECT_EQ(s.Calls("line").size(), 1u);
}

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr int kDeviceLimit = 1073741823;  // 2^30 - 1

// Logs the escapement of every font selected.
class FontLog : public RecordingSurface {
public:
    void SelectFont(const Font& f) override {
        RecordingSurface::SelectFont(f);
        escapements.push_back(f.escapement);
        heights.push_back(f.height);
    }
    std::vector<int> escapements, heights;
};

}  // namespace

TEST(EmfPlayerTest, PatternFillWhoseEdgePassesTheLargestNumberStaysOffThePicture) {
    // Left edge 2,000,000,000 and width 500,000,000: their sum once wrapped
    // round to a negative edge, and the black fill covered the whole picture.
    const std::string bytes = testing_support::ReadFixture("metafiles/bitblt_large_extents.emf");
    ASSERT_EQ(CheckEmf(bytes), "");
    RecordingSurface log;
    ASSERT_TRUE(PlayEmf(bytes, log, {0, 0, 1000, 1000}));
    const auto fills = log.Calls("fillrect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0],
              "fillrect " + std::to_string(kDeviceLimit) + ",0 " + std::to_string(kDeviceLimit) + ",1000 #000000");

    QImage image(120, 90, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        PainterSurface s(&image);
        ASSERT_TRUE(PlayEmf(bytes, s, {0, 0, 120, 90}));
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;

    // A fill that fits is still drawn where it belongs.
    EmfBuilder b;
    b.Rec(EMR_BITBLT, {0, 0, 0, 0, 100, 200, 300, 400, 0x42, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    RecordingSurface fits;
    ASSERT_TRUE(PlayEmf(b.Finish(), fits, {0, 0, 1000, 1000}));
    ASSERT_EQ(fits.Calls("fillrect").size(), 1u);
    EXPECT_EQ(fits.Calls("fillrect")[0], "fillrect 100,200 400,600 #000000");
}

TEST(EmfPlayerTest, ExtremeNumbersOfAFileStayWithinTheDevice) {
    EmfBuilder b;
    b.Rec(EMR_MOVETOEX, {kMin, kMin});
    b.Rec(EMR_LINETO, {kMax, kMax});
    b.Rec(EMR_RECTANGLE, {kMin, kMin, kMax, kMax});
    b.Rec(EMR_ELLIPSE, {kMin, 0, kMax, 10});
    // A font of the most negative height, turned by the most negative angle.
    std::initializer_list<std::int32_t> font = {1, kMin, kMax, kMin, kMin, 400, 0, 0, 0, 0, 0, 0,
                                                0, 0,    0,    0,    0,    0,   0, 0, 0, 0, 0, 0};
    b.Rec(EMR_EXTCREATEFONTINDIRECTW, font);
    b.Rec(EMR_SELECTOBJECT, {1});
    b.Rec(EMR_EXTTEXTOUTW, {0, 0, 0, 0, 1, 0, 0, kMax, kMin, 2, 76, 2, kMin, kMin, kMax, kMax, 0, 0x00420041});
    // Extents scaled past any size, then a world transform of infinities.
    b.Rec(EMR_SETMAPMODE, {8});
    b.Rec(EMR_SCALEVIEWPORTEXTEX, {kMax, 1, kMax, 1});
    b.Rec(EMR_SCALEVIEWPORTEXTEX, {kMax, 1, kMax, 1});
    b.Rec(EMR_LINETO, {kMax, kMin});
    b.Xform(EMR_SETWORLDTRANSFORM,
            {std::numeric_limits<float>::infinity(), 0, 0, -std::numeric_limits<float>::infinity(),
             std::numeric_limits<float>::quiet_NaN(), 0});
    b.Rec(EMR_LINETO, {1, 1});
    b.Rec(EMR_BITBLT, {0, 0, 0, 0, kMax, kMax, kMax, kMax, 0x42, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const std::string bytes = b.Finish();

    FontLog log;
    ASSERT_TRUE(PlayEmf(bytes, log, {0, 0, 1000, 1000}));
    const std::string lim = std::to_string(kDeviceLimit);
    const auto lines = log.Calls("line");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, lines[0].find(" pen")), "line -" + lim + ",-" + lim + " " + lim + "," + lim);
    EXPECT_EQ(lines[1].substr(0, lines[1].find(" pen")), "line " + lim + "," + lim + " " + lim + ",-" + lim);
    EXPECT_EQ(log.Calls("rectangle")[0].substr(0, log.Calls("rectangle")[0].find(" pen")),
              "rectangle -" + lim + ",-" + lim + " " + lim + "," + lim);
    // Infinite and undefined positions come out as numbers within the device,
    // as does every other number handed to the surface.
    for (const std::string& l : log.log) {
        std::size_t at = 0;
        while ((at = l.find_first_of("0123456789", at)) != std::string::npos) {
            const std::size_t end = l.find_first_not_of("0123456789", at);
            const std::string digits = l.substr(at, end == std::string::npos ? std::string::npos : end - at);
            EXPECT_LE(digits.size(), lim.size()) << l;
            if (digits.size() == lim.size()) {
                EXPECT_LE(digits, lim) << l;
            }
            at = end == std::string::npos ? l.size() : end;
        }
    }
    // The angle within one turn (-2^31 tenths is -848 tenths), the height within the device.
    ASSERT_FALSE(log.escapements.empty());
    EXPECT_EQ(log.escapements.back(), -848);
    EXPECT_EQ(log.heights.back(), -kDeviceLimit);
    ASSERT_EQ(log.Calls("text").size(), 1u);
    EXPECT_EQ(log.Calls("text")[0].rfind("text " + lim + ",-" + lim + " ", 0), 0u) << log.Calls("text")[0];

    // The same on a painter, which negates heights and angles and adds edges.
    QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    PainterSurface s(&image);
    EXPECT_TRUE(PlayEmf(bytes, s, {0, 0, 64, 48}));
}

TEST(EmfPlayerTest, PictureWhoseBoundsReachTheLargestNumberIsStretchedIntoTheRectangle) {
    // No picture frame: the bounds stand for it, their right and bottom edges
    // one past the last pixel (once an overflow of the largest number).
    EmfBuilder b;
    for (std::size_t at = 24; at < 40; at += 4) b.w.PatchU32(at, 0);
    b.w.PatchU32(16, static_cast<std::uint32_t>(kMax));
    b.w.PatchU32(20, static_cast<std::uint32_t>(kMax));
    b.Rec(EMR_MOVETOEX, {0, 0});
    b.Rec(EMR_LINETO, {1 << 30, 1 << 29});
    RecordingSurface log;
    ASSERT_TRUE(PlayEmf(b.Finish(), log, {0, 0, 1000, 1000}));
    ASSERT_EQ(log.Calls("line").size(), 1u);
    EXPECT_EQ(log.Calls("line")[0].substr(0, 17), "line 0,0 500,250 ");
}

TEST(EmfPlayerTest, AnOpaqueTextBoxFarBeyondTheDeviceIsHeldWithinIt) {
    // An opaque box of a text mapped to four billion pixels once overflowed
    // its width: coordinates are held within the device's limit.
    EmfBuilder b;
    b.Rec(EMR_SETMAPMODE, {8});  // anisotropic
    b.Rec(EMR_SETWINDOWEXTEX, {1, 1});
    b.Rec(EMR_SETVIEWPORTEXTEX, {1000, 1000});
    // Bounds, graphics mode, scales, reference point, no characters at 76,
    // opaque, the box, the spacing offset.
    b.Rec(EMR_EXTTEXTOUTW, {0, 0, 0, 0, 1, 0, 0, 5, 5, 0, 76, 2, -4000000, -3000000, 4000000, 3000000, 76});
    const std::string bytes = b.Finish();
    ASSERT_EQ(CheckEmf(bytes), "");
    RecordingSurface s;
    ASSERT_TRUE(PlayEmf(bytes, s, {0, 0, 1000, 1000}));
    ASSERT_EQ(s.Calls("fillrect").size(), 1u);
    const std::string lim = std::to_string(kDeviceLimit);
    EXPECT_EQ(s.Calls("fillrect")[0].rfind("fillrect -" + lim + ",-" + lim + " " + lim + "," + lim + " ", 0), 0u)
        << s.Calls("fillrect")[0];
    ASSERT_EQ(s.Calls("text").size(), 1u);
    EXPECT_EQ(s.Calls("text")[0].substr(0, 15), "text 5000,5000 ");
}

TEST(EmfPlayerTest, AFrameOfNothingFallsBackOnBoundsReachingTheLastInteger) {
    // Without a frame the bounds give the picture; a right bound of 2^31 - 1
    // once overflowed its "one past" and drew the picture a thousand times too wide.
    EmfBuilder b;
    b.w.PatchU32(16, 0x7FFFFFFF);                                     // bounds: right
    for (std::size_t at = 24; at < 40; at += 4) b.w.PatchU32(at, 0);  // no frame
    b.Rec(EMR_MOVETOEX, {10, 20});
    b.Rec(EMR_LINETO, {30, 40});
    const std::string bytes = b.Finish();
    RecordingSurface s;
    ASSERT_TRUE(PlayEmf(bytes, s, {0, 0, 1000, 1000}));
    ASSERT_EQ(s.Calls("line").size(), 1u);
    EXPECT_EQ(s.Calls("line")[0].substr(0, 15), "line 0,20 0,40 ");
}
