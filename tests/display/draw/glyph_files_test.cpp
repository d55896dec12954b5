// The shipped glyph pictures: every file the drawing code names exists, is a
// well-formed metafile, fills the middle of its square, and the white and black
// versions hold nothing but their colour.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>

#include "display/draw/emf_format.h"
#include "display/draw/emf_player.h"
#include "display/draw/painter_surface.h"
#include "tests/common/test_support.h"

using namespace display;

namespace {

std::filesystem::path DataDir() { return KELVOR_TEST_DATA_DIR; }

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Colour-file paths of every glyph, with the stem for the "B" and "N" versions.
struct GlyphSet {
    std::string folder, stem, number;
    std::filesystem::path File(const std::string& version) const {
        return DataDir() / folder / (stem + version + number + ".emf");
    }
};

std::vector<GlyphSet> AllSets() {
    std::vector<GlyphSet> sets;
    for (int n = 1; n <= 15; ++n) sets.push_back({"Simboli", "PiaX", Two(n)});
    for (int n = 1; n <= 12; ++n) sets.push_back({"Zodiaco", "SegM", Two(n)});
    for (const char* e : {"ElFuo1", "ElTer1", "ElAri1", "ElAcq1", "ElSal2", "ElZol2", "ElMer2"})
        sets.push_back({"Simboli", e, ""});
    return sets;
}

QImage Play(const std::string& bytes, int side) {
    QImage img(side, side, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    PainterSurface s(&img);
    PlayEmf(bytes, s, {0, 0, side, side});
    s.Flush();
    return img;
}

QRect Ink(const QImage& img) {
    int l = img.width(), t = img.height(), r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 64) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

// Every colour the file draws with (pens, brushes, text).
std::set<Color> ColoursOf(const std::string& bytes) {
    using namespace display::emf;
    std::set<Color> colours;
    Reader r(bytes.data(), bytes.size());
    for (const auto& rec : ListEmfRecords(bytes)) {
        if (rec.type == EMR_EXTCREATEPEN) colours.insert(r.U32(rec.offset + 40));
        if (rec.type == EMR_CREATEBRUSHINDIRECT) colours.insert(r.U32(rec.offset + 16));
        if (rec.type == EMR_SETTEXTCOLOR) colours.insert(r.U32(rec.offset + 8));
    }
    return colours;
}

TEST(GlyphFilesTest, EveryFileIsAWellFormedMetafile) {
    int files = 0;
    for (const GlyphSet& g : AllSets()) {
        for (const char* v : {"", "B", "N"}) {
            const auto path = g.File(v);
            ASSERT_TRUE(std::filesystem::exists(path)) << path;
            const std::string bytes = testing_support::ReadBytes(path);
            EXPECT_EQ(CheckEmf(bytes), "") << path;
            const auto h = ReadEmfHeader(bytes);
            ASSERT_TRUE(h) << path;
            EXPECT_EQ(h->bytes, std::filesystem::file_size(path)) << path;
            EXPECT_EQ(h->frame.Width(), h->frame.Height()) << "not square: " << path;
            EXPECT_EQ(ListEmfRecords(bytes).back().type, display::emf::EMR_EOF);
            ++files;
        }
    }
    EXPECT_EQ(files, 102);
}

TEST(GlyphFilesTest, InkIsCentredAndFillsTheSquare) {
    for (const GlyphSet& g : AllSets()) {
        const QImage img = Play(testing_support::ReadBytes(g.File("")), 64);
        const QRect ink = Ink(img);
        ASSERT_FALSE(ink.isNull()) << g.File("");
        const double cx = (ink.left() + ink.right() + 1) / 2.0, cy = (ink.top() + ink.bottom() + 1) / 2.0;
        EXPECT_NEAR(cx, 32.0, 3.0) << g.File("");
        EXPECT_NEAR(cy, 32.0, 3.0) << g.File("");
        EXPECT_GE(std::max(ink.width(), ink.height()), 40) << g.File("");
        EXPECT_LE(std::max(ink.width(), ink.height()), 60) << g.File("");
        // Readable small: at 18 pixels the symbol still has a solid core.
        const QImage small = Play(testing_support::ReadBytes(g.File("")), 18);
        int solid = 0;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 18; ++x) solid += qAlpha(small.pixel(x, y)) > 160;
        EXPECT_GE(solid, 12) << g.File("");
    }
}

TEST(GlyphFilesTest, WhiteAndBlackVersionsHoldOnlyTheirColour) {
    for (const GlyphSet& g : AllSets()) {
        for (auto [version, colour] : {std::pair{"B", kWhite}, std::pair{"N", kBlack}}) {
            const std::string bytes = testing_support::ReadBytes(g.File(version));
            EXPECT_EQ(ColoursOf(bytes), std::set<Color>{colour}) << g.File(version);
            const QImage img = Play(bytes, 48);
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 48; ++x) {
                    const QRgb p = img.pixel(x, y);
                    if (qAlpha(p) < 32) continue;
                    const QColor c = QColor::fromRgba(p);
                    ASSERT_NEAR(c.red(), RedOf(colour), 3) << g.File(version);
                    ASSERT_NEAR(c.green(), GreenOf(colour), 3) << g.File(version);
                    ASSERT_NEAR(c.blue(), BlueOf(colour), 3) << g.File(version);
                }
        }
        const auto colours = ColoursOf(testing_support::ReadBytes(g.File("")));
        EXPECT_EQ(colours.size(), 1u);
        EXPECT_FALSE(colours.count(kBlack) || colours.count(kWhite)) << g.File("");
    }
}

TEST(GlyphFilesTest, ExternalConverterReadsThem) {
    if (std::system("command -v emf2svg-conv >/dev/null 2>&1") != 0) GTEST_SKIP() << "emf2svg-conv missing";
    testing_support::TempWorkFolder tmp;
    for (const GlyphSet& g : AllSets()) {
        const std::string cmd =
            "emf2svg-conv -i '" + g.File("N").string() + "' -o '" + (tmp.Path() / "g.svg").string() + "' 2>/dev/null";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << g.File("N");
        EXPECT_NE(testing_support::ReadBytes(tmp.Path() / "g.svg").find("<path"), std::string::npos);
    }
}

// KELVOR_GLYPH_SHEET=file.png writes every glyph at 18, 64 and 200 pixels.
TEST(GlyphFilesTest, ContactSheetOnRequest) {
    const char* out = std::getenv("KELVOR_GLYPH_SHEET");
    if (!out) GTEST_SKIP();
    const auto sets = AllSets();
    QImage sheet(10 + 300 * 3, 10 + 210 * static_cast<int>(sets.size()) / 3 + 220, QImage::Format_RGB32);
    sheet.fill(Qt::darkGray);
    QPainter p(&sheet);
    int i = 0;
    for (const GlyphSet& g : sets) {
        const int x0 = 10 + (i % 3) * 300, y0 = 10 + (i / 3) * 210;
        p.fillRect(x0, y0, 290, 200, Qt::black);
        p.fillRect(x0 + 220, y0 + 100, 70, 100, Qt::white);
        p.drawImage(x0, y0, Play(testing_support::ReadBytes(g.File("")), 200));
        p.drawImage(x0 + 205, y0, Play(testing_support::ReadBytes(g.File("")), 18));
        p.drawImage(x0 + 225, y0, Play(testing_support::ReadBytes(g.File("B")), 64));
        p.drawImage(x0 + 225, y0 + 110, Play(testing_support::ReadBytes(g.File("N")), 64));
        p.drawImage(x0 + 205, y0 + 180, Play(testing_support::ReadBytes(g.File("N")), 18));
        ++i;
    }
    p.end();
    sheet.save(out);
}

}  // namespace
