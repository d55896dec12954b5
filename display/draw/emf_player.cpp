#include "display/draw/emf_player.h"

#include <QString>
#include <algorithm>
#include <cmath>

#include "display/draw/emf_format.h"
#include "display/draw/font_mapping.h"
#include "platform/gui/text_convert.h"

namespace display {

using namespace emf;

std::optional<EmfHeader> ReadEmfHeader(const std::string& bytes) {
    Reader r(bytes.data(), bytes.size());
    if (!r.Has(0, 88) || r.U32(0) != EMR_HEADER || r.U32(40) != kSignature) return std::nullopt;
    EmfHeader h;
    h.bounds = {r.I32(8), r.I32(12), r.I32(16), r.I32(20)};
    h.frame = {r.I32(24), r.I32(28), r.I32(32), r.I32(36)};
    h.bytes = r.U32(48);
    h.records = r.U32(52);
    h.handles = r.U16(56);
    h.deviceWidthPx = r.I32(72);
    h.deviceHeightPx = r.I32(76);
    h.deviceWidthMm = r.I32(80);
    h.deviceHeightMm = r.I32(84);
    return h;
}

std::vector<EmfRecordInfo> ListEmfRecords(const std::string& bytes) {
    std::vector<EmfRecordInfo> out;
    Reader r(bytes.data(), bytes.size());
    std::size_t at = 0;
    while (r.Has(at, 8)) {
        const std::uint32_t type = r.U32(at);
        const std::uint32_t size = r.U32(at + 4);
        if (size < 8 || size % 4 != 0 || !r.Has(at, size)) break;
        out.push_back({type, static_cast<std::uint32_t>(at), size});
        at += size;
        if (type == EMR_EOF) break;
    }
    return out;
}

std::string CheckEmf(const std::string& bytes) {
    const auto h = ReadEmfHeader(bytes);
    if (!h) return "no metafile header";
    if (h->bytes != bytes.size())
        return "size field " + std::to_string(h->bytes) + " differs from file size " + std::to_string(bytes.size());
    if (h->deviceWidthPx <= 0 || h->deviceHeightPx <= 0 || h->deviceWidthMm <= 0 || h->deviceHeightMm <= 0)
        return "no reference device";
    Reader r(bytes.data(), bytes.size());
    std::size_t at = 0;
    std::uint32_t count = 0;
    std::uint32_t last = 0;
    while (at < bytes.size()) {
        if (!r.Has(at, 8)) return "partial record at " + std::to_string(at);
        const std::uint32_t type = r.U32(at);
        const std::uint32_t size = r.U32(at + 4);
        if (size < 8 || size % 4 != 0 || !r.Has(at, size)) return "bad record size at " + std::to_string(at);
        ++count;
        last = type;
        at += size;
        if (type == EMR_EOF) break;
    }
    if (last != EMR_EOF) return "no end record";
    if (at != bytes.size()) return "bytes after the end record";
    if (count != h->records)
        return "record count " + std::to_string(h->records) + " differs from " + std::to_string(count);
    const auto eofAt = at - r.U32(at - 4);
    if (r.U32(eofAt) != EMR_EOF) return "end record size field wrong";
    return {};
}

namespace {

// Device coordinates and sizes are held within +-2^30, so that the surfaces
// may add or subtract two of them in int; whatever a file's numbers make of a
// position (very large, infinite, not a number) comes out within that range.
constexpr double kDeviceLimit = 1073741823.0;

double Device(double v) { return std::isnan(v) ? 0.0 : std::clamp(v, -kDeviceLimit, kDeviceLimit); }

struct Xf {
    double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
    // A logical point on the device.
    PathPoint Apply(double x, double y) const {
        return {Device(x * m11 + y * m21 + dx), Device(x * m12 + y * m22 + dy)};
    }
    bool AxisAligned() const { return std::abs(m12) < 1e-12 && std::abs(m21) < 1e-12; }
    double Det() const { return m11 * m22 - m12 * m21; }
};

// a, then b.
Xf Then(const Xf& a, const Xf& b) {
    Xf r;
    r.m11 = a.m11 * b.m11 + a.m12 * b.m21;
    r.m12 = a.m11 * b.m12 + a.m12 * b.m22;
    r.m21 = a.m21 * b.m11 + a.m22 * b.m21;
    r.m22 = a.m21 * b.m12 + a.m22 * b.m22;
    r.dx = a.dx * b.m11 + a.dy * b.m21 + b.dx;
    r.dy = a.dx * b.m12 + a.dy * b.m22 + b.dy;
    return r;
}

struct LogPen {
    PenStyle style = PenStyle::Solid;
    double width = 0;
    bool geometric = false;
    Color color = kBlack;
};

struct Object {
    enum Kind { kNone, kPenObj, kBrushObj, kFontObj } kind = kNone;
    LogPen pen;
    Brush brush;
    Font font;
};

struct Dc {
    Xf world;
    int mapMode = 1;
    double wox = 0, woy = 0, wex = 1, wey = 1, vox = 0, voy = 0, vex = 1, vey = 1;
    LogPen pen;
    Brush brush{BrushStyle::Solid, kWhite};
    Font font;
    unsigned textAlign = 0;
    Color textColor = kBlack;
    Color bkColor = kWhite;
    int bkMode = kOpaque;
    int fillMode = kAlternate;
    bool clockwise = false;
    PathPoint pos;
};

int RoundI(double v) { return static_cast<int>(std::lround(Device(v))); }

// The sum of two numbers read from a file, without overflow.
double Sum(std::int32_t a, std::int32_t b) { return static_cast<double>(static_cast<std::int64_t>(a) + b); }

// An angle in tenths of a degree, read from a file, reduced to one turn.
int TenthsOfOneTurn(std::int32_t tenths) { return static_cast<int>(tenths % 3600); }

class Player {
public:
    Player(const std::string& bytes, const EmfHeader& h, Surface& target, const Rect& dest)
        : r_(bytes.data(), bytes.size()), h_(h), t_(target) {
        // Reference-device pixels to the destination rectangle.
        const double pxPerMmX = static_cast<double>(h.deviceWidthPx) / h.deviceWidthMm;
        const double pxPerMmY = static_cast<double>(h.deviceHeightPx) / h.deviceHeightMm;
        pxPerMmX_ = pxPerMmX;
        pxPerMmY_ = pxPerMmY;
        double fl = h.frame.left / 100.0 * pxPerMmX, fr = h.frame.right / 100.0 * pxPerMmX;
        double ft = h.frame.top / 100.0 * pxPerMmY, fb = h.frame.bottom / 100.0 * pxPerMmY;
        if (fr - fl <= 0 || fb - ft <= 0) {
            fl = h.bounds.left;
            fr = Sum(h.bounds.right, 1);
            ft = h.bounds.top;
            fb = Sum(h.bounds.bottom, 1);
        }
        if (fr - fl <= 0) fr = fl + 1;
        if (fb - ft <= 0) fb = ft + 1;
        base_.m11 = dest.Width() / (fr - fl);
        base_.m22 = dest.Height() / (fb - ft);
        base_.dx = dest.left - fl * base_.m11;
        base_.dy = dest.top - ft * base_.m22;
        objects_.resize(std::max<std::size_t>(h.handles, 1));
    }

    void Run() {
        t_.SaveState();
        std::size_t at = 0;
        while (r_.Has(at, 8)) {
            const std::uint32_t type = r_.U32(at);
            const std::uint32_t size = r_.U32(at + 4);
            if (size < 8 || size % 4 != 0 || !r_.Has(at, size)) break;
            if (type == EMR_EOF) break;
            at_ = at;
            size_ = size;
            Record(type);
            at += size;
        }
        while (depth_ > 0) {
            t_.RestoreState();
            --depth_;
        }
        t_.RestoreState();
    }

private:
    // Field readers relative to the current record, zero beyond its end.
    bool Fits(std::size_t off, std::size_t n) const { return off <= size_ && n <= size_ - off; }
    std::int32_t I32(std::size_t off) const { return Fits(off, 4) ? r_.I32(at_ + off) : 0; }
    std::uint32_t U32(std::size_t off) const { return Fits(off, 4) ? r_.U32(at_ + off) : 0; }
    std::int16_t I16(std::size_t off) const { return Fits(off, 2) ? r_.I16(at_ + off) : 0; }
    std::uint16_t U16(std::size_t off) const { return Fits(off, 2) ? r_.U16(at_ + off) : 0; }
    std::uint8_t U8(std::size_t off) const { return Fits(off, 1) ? r_.U8(at_ + off) : 0; }
    float F32(std::size_t off) const { return Fits(off, 4) ? r_.F32(at_ + off) : 0.0f; }

    Xf Page() const {
        Xf p;
        double sx = 1, sy = 1;
        switch (dc_.mapMode) {
            case 2:
                sx = 0.1 * pxPerMmX_;
                sy = -0.1 * pxPerMmY_;
                break;
            case 3:
                sx = 0.01 * pxPerMmX_;
                sy = -0.01 * pxPerMmY_;
                break;
            case 4:
                sx = 0.254 * pxPerMmX_;
                sy = -0.254 * pxPerMmY_;
                break;
            case 5:
                sx = 0.0254 * pxPerMmX_;
                sy = -0.0254 * pxPerMmY_;
                break;
            case 6:
                sx = 25.4 / 1440 * pxPerMmX_;
                sy = -25.4 / 1440 * pxPerMmY_;
                break;
            case 7:
            case 8:
                sx = dc_.wex != 0 ? dc_.vex / dc_.wex : 1;
                sy = dc_.wey != 0 ? dc_.vey / dc_.wey : 1;
                if (dc_.mapMode == 7) {
                    const double m = std::min(std::abs(sx), std::abs(sy));
                    sx = std::copysign(m, sx);
                    sy = std::copysign(m, sy);
                }
                break;
            default: break;
        }
        p.m11 = sx;
        p.m22 = sy;
        p.dx = dc_.vox - dc_.wox * sx;
        p.dy = dc_.voy - dc_.woy * sy;
        return p;
    }

    Xf Full() const { return Then(Then(dc_.world, Page()), base_); }

    PathPoint Map(double x, double y) const { return Full().Apply(x, y); }
    Point MapI(double x, double y) const {
        const PathPoint p = Map(x, y);
        return {RoundI(p.x), RoundI(p.y)};
    }

    double Scale() const { return std::sqrt(std::abs(Full().Det())); }

    void SyncPen() {
        const LogPen& lp = dc_.pen;
        Pen p;
        p.style = lp.style;
        p.color = lp.color;
        p.width = lp.geometric ? std::max(1, RoundI(lp.width * Scale())) : 1;
        t_.SelectPen(p);
    }
    void SyncBrush() { t_.SelectBrush(dc_.brush); }
    void SyncFill() { t_.SetPolyFillMode(dc_.fillMode); }
    void SyncText() {
        const Xf f = Full();
        Font font = dc_.font;
        const double sy = std::hypot(f.m21, f.m22);
        const double sx = std::hypot(f.m11, f.m12);
        font.height = RoundI(font.height * sy);
        if (dc_.font.height != 0 && font.height == 0) font.height = dc_.font.height > 0 ? 1 : -1;
        font.width = RoundI(font.width * sx);
        t_.SelectFont(font);
        t_.SetTextAlign(dc_.textAlign & ~static_cast<unsigned>(kAlignUpdateCP));
        t_.SetTextColor(dc_.textColor);
        t_.SetBkColor(dc_.bkColor);
        t_.SetBkMode(dc_.bkMode);
    }

    Object* Obj(std::uint32_t h) {
        if (h == 0 || h >= 65536) return nullptr;
        if (h >= objects_.size()) objects_.resize(h + 1);
        return &objects_[h];
    }

    void Select(std::uint32_t h) {
        if (h & kStockObject) {
            switch (h & 0xFF) {
                case WHITE_BRUSH: dc_.brush = {BrushStyle::Solid, kWhite}; break;
                case LTGRAY_BRUSH: dc_.brush = {BrushStyle::Solid, Rgb(192, 192, 192)}; break;
                case GRAY_BRUSH: dc_.brush = {BrushStyle::Solid, Rgb(128, 128, 128)}; break;
                case DKGRAY_BRUSH: dc_.brush = {BrushStyle::Solid, Rgb(64, 64, 64)}; break;
                case BLACK_BRUSH: dc_.brush = {BrushStyle::Solid, kBlack}; break;
                case NULL_BRUSH: dc_.brush = {BrushStyle::Null, kBlack}; break;
                case WHITE_PEN: dc_.pen = {PenStyle::Solid, 0, false, kWhite}; break;
                case BLACK_PEN: dc_.pen = {PenStyle::Solid, 0, false, kBlack}; break;
                case NULL_PEN: dc_.pen = {PenStyle::Null, 0, false, kBlack}; break;
                default:
                    if ((h & 0xFF) >= 10 && (h & 0xFF) <= 17) dc_.font = Font{};
                    break;
            }
            return;
        }
        Object* o = Obj(h);
        if (!o) return;
        switch (o->kind) {
            case Object::kPenObj: dc_.pen = o->pen; break;
            case Object::kBrushObj: dc_.brush = o->brush; break;
            case Object::kFontObj: dc_.font = o->font; break;
            default: break;
        }
    }

    std::vector<PathPoint> Points(std::size_t off, std::uint32_t count, bool small) const {
        std::vector<PathPoint> pts;
        const std::size_t each = small ? 4 : 8;
        if (!Fits(off, static_cast<std::size_t>(count) * each)) return pts;
        pts.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t o = off + i * each;
            if (small)
                pts.push_back(Map(I16(o), I16(o + 2)));
            else
                pts.push_back(Map(I32(o), I32(o + 4)));
        }
        return pts;
    }

    static std::vector<Point> Ints(const std::vector<PathPoint>& pts) {
        std::vector<Point> out;
        out.reserve(pts.size());
        for (const PathPoint& p : pts) out.push_back({RoundI(p.x), RoundI(p.y)});
        return out;
    }

    // Logical current position, and its device image.
    PathPoint DevPos() const { return Map(dc_.pos.x, dc_.pos.y); }
    void SetPosLogical(double x, double y) { dc_.pos = {x, y}; }

    void DrawOrPath(Path&& p, PathDraw how) {
        if (inPath_) {
            path_.elements.insert(path_.elements.end(), p.elements.begin(), p.elements.end());
            return;
        }
        if (how != PathDraw::Fill) SyncPen();
        if (how != PathDraw::Stroke) SyncBrush();
        SyncFill();
        t_.DrawPath(p, how);
    }

    // A rectangle in logical units as a record gives it (its corners in any order).
    struct LogicalBox {
        double l = 0, t = 0, r = 0, b = 0;
    };
    // The box of a record whose four 32-bit edges start at an offset.
    LogicalBox BoxAt(std::size_t off) const {
        return {1.0 * I32(off), 1.0 * I32(off + 4), 1.0 * I32(off + 8), 1.0 * I32(off + 12)};
    }
    PathPoint PointAt(std::size_t off) const { return {1.0 * I32(off), 1.0 * I32(off + 4)}; }

    static void EllipsePath(Path& p, const Xf& f, const LogicalBox& box) {
        const auto [l, t, r, b] = box;
        const double cx = (l + r) / 2, cy = (t + b) / 2, rx = (r - l) / 2, ry = (b - t) / 2;
        const double k = 0.5522847498;
        auto mapped = [&](double x, double y) { return f.Apply(x, y); };
        PathPoint s = mapped(cx + rx, cy);
        p.MoveTo(s.x, s.y);
        const double q[4][6] = {
            {cx + rx, cy + k * ry, cx + k * rx, cy + ry, cx, cy + ry},
            {cx - k * rx, cy + ry, cx - rx, cy + k * ry, cx - rx, cy},
            {cx - rx, cy - k * ry, cx - k * rx, cy - ry, cx, cy - ry},
            {cx + k * rx, cy - ry, cx + rx, cy - k * ry, cx + rx, cy},
        };
        for (const auto& c : q) {
            PathPoint a = mapped(c[0], c[1]), bb = mapped(c[2], c[3]), e = mapped(c[4], c[5]);
            p.CurveTo({a, bb, e});
        }
        p.Close();
    }

    void Box(const LogicalBox& box, bool ellipse) {
        const auto [l, t, r, b] = box;
        const Xf f = Full();
        if (!inPath_ && f.AxisAligned()) {
            PathPoint a = f.Apply(l, t), c = f.Apply(r, b);
            Rect rc{RoundI(std::min(a.x, c.x)), RoundI(std::min(a.y, c.y)), RoundI(std::max(a.x, c.x)),
                    RoundI(std::max(a.y, c.y))};
            SyncPen();
            SyncBrush();
            if (ellipse)
                t_.Ellipse(rc);
            else
                t_.Rectangle(rc);
            return;
        }
        Path p;
        if (ellipse) {
            EllipsePath(p, f, box);
        } else {
            PathPoint a = f.Apply(l, t), bb = f.Apply(r, t), c = f.Apply(r, b), d = f.Apply(l, b);
            p.MoveTo(a.x, a.y);
            p.LineTo(bb.x, bb.y);
            p.LineTo(c.x, c.y);
            p.LineTo(d.x, d.y);
            p.Close();
        }
        DrawOrPath(std::move(p), PathDraw::StrokeAndFill);
    }

    void Arc(const LogicalBox& box, PathPoint start, PathPoint end) {
        const auto [l, t, r, b] = box;
        const auto [xs, ys] = start;
        const auto [xe, ye] = end;
        const Xf f = Full();
        bool clockwise = dc_.clockwise;
        if (f.Det() < 0) clockwise = !clockwise;
        if (f.AxisAligned() && !inPath_) {
            PathPoint a = f.Apply(l, t), c = f.Apply(r, b);
            Rect rc{RoundI(std::min(a.x, c.x)), RoundI(std::min(a.y, c.y)), RoundI(std::max(a.x, c.x)),
                    RoundI(std::max(a.y, c.y))};
            Point s = MapI(xs, ys), e = MapI(xe, ye);
            if (clockwise) std::swap(s, e);
            SyncPen();
            t_.Arc(rc, s, e);
            return;
        }
        // Sampled in logical space (counter-clockwise on the screen means
        // decreasing angle with y downward).
        const double cx = (l + r) / 2, cy = (t + b) / 2, rx = std::abs(r - l) / 2, ry = std::abs(b - t) / 2;
        double a0 = std::atan2(ys - cy, xs - cx), a1 = std::atan2(ye - cy, xe - cx);
        double sweep = dc_.clockwise ? a1 - a0 : a0 - a1;
        while (sweep <= 0) sweep += 2 * M_PI;
        const int n = std::max(8, static_cast<int>(sweep / (2 * M_PI) * 72));
        Path p;
        for (int i = 0; i <= n; ++i) {
            const double a = a0 + (dc_.clockwise ? 1 : -1) * sweep * i / n;
            PathPoint q = f.Apply(cx + rx * std::cos(a), cy + ry * std::sin(a));
            if (i == 0)
                p.MoveTo(q.x, q.y);
            else
                p.LineTo(q.x, q.y);
        }
        DrawOrPath(std::move(p), PathDraw::Stroke);
    }

    void Poly(std::uint32_t type) {
        const bool small = type == EMR_POLYGON16 || type == EMR_POLYLINE16 || type == EMR_POLYBEZIER16 ||
                           type == EMR_POLYBEZIERTO16 || type == EMR_POLYLINETO16;
        const std::uint32_t count = U32(24);
        const auto pts = Points(28, count, small);
        if (pts.empty()) return;
        const std::size_t each = small ? 4 : 8;
        auto lastLogical = [&]() -> PathPoint {
            const std::size_t o = 28 + (count - 1) * each;
            return small ? PathPoint{static_cast<double>(I16(o)), static_cast<double>(I16(o + 2))}
                         : PathPoint{static_cast<double>(I32(o)), static_cast<double>(I32(o + 4))};
        };
        switch (type) {
            case EMR_POLYGON16:
            case EMR_POLYGON: {
                if (inPath_) {
                    path_.MoveTo(pts[0].x, pts[0].y);
                    for (std::size_t i = 1; i < pts.size(); ++i) path_.LineTo(pts[i].x, pts[i].y);
                    path_.Close();
                    return;
                }
                SyncPen();
                SyncBrush();
                SyncFill();
                const auto ip = Ints(pts);
                t_.Polygon(ip);
                return;
            }
            case EMR_POLYLINE16:
            case EMR_POLYLINE: {
                if (inPath_) {
                    path_.MoveTo(pts[0].x, pts[0].y);
                    for (std::size_t i = 1; i < pts.size(); ++i) path_.LineTo(pts[i].x, pts[i].y);
                    return;
                }
                SyncPen();
                const auto ip = Ints(pts);
                t_.Polyline(ip);
                return;
            }
            case EMR_POLYLINETO16:
            case EMR_POLYLINETO: {
                if (inPath_) {
                    for (const PathPoint& p : pts) path_.LineTo(p.x, p.y);
                } else {
                    std::vector<PathPoint> all{DevPos()};
                    all.insert(all.end(), pts.begin(), pts.end());
                    SyncPen();
                    const auto ip = Ints(all);
                    t_.Polyline(ip);
                }
                const PathPoint l = lastLogical();
                SetPosLogical(l.x, l.y);
                return;
            }
            case EMR_POLYBEZIER16:
            case EMR_POLYBEZIER:
            case EMR_POLYBEZIERTO16:
            case EMR_POLYBEZIERTO: {
                const bool to = type == EMR_POLYBEZIERTO16 || type == EMR_POLYBEZIERTO;
                Path p;
                std::size_t i = 0;
                if (to) {
                    const PathPoint s = DevPos();
                    if (!inPath_ || path_.Empty()) p.MoveTo(s.x, s.y);
                } else {
                    p.MoveTo(pts[0].x, pts[0].y);
                    i = 1;
                }
                for (; i + 2 < pts.size(); i += 3) p.CurveTo({pts[i], pts[i + 1], pts[i + 2]});
                if (to) {
                    const PathPoint l = lastLogical();
                    SetPosLogical(l.x, l.y);
                }
                DrawOrPath(std::move(p), PathDraw::Stroke);
                return;
            }
            default: return;
        }
    }

    void PolyPoly(std::uint32_t type) {
        const bool small = type == EMR_POLYPOLYGON16 || type == EMR_POLYPOLYLINE16;
        const bool polygon = type == EMR_POLYPOLYGON16 || type == EMR_POLYPOLYGON;
        const std::uint32_t n = U32(24);
        const std::uint32_t total = U32(28);
        if (!Fits(32, static_cast<std::size_t>(n) * 4)) return;
        const auto pts = Points(32 + n * 4, total, small);
        if (pts.size() != total) return;
        Path p;
        std::size_t k = 0;
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::uint32_t c = U32(32 + i * 4);
            if (c == 0 || k + c > pts.size()) return;
            p.MoveTo(pts[k].x, pts[k].y);
            for (std::uint32_t j = 1; j < c; ++j) p.LineTo(pts[k + j].x, pts[k + j].y);
            if (polygon) p.Close();
            k += c;
        }
        DrawOrPath(std::move(p), polygon ? PathDraw::StrokeAndFill : PathDraw::Stroke);
    }

    void Text(bool wide) {
        const std::int32_t rx = I32(36), ry = I32(40);
        const std::uint32_t n = U32(44);
        const std::uint32_t offString = U32(48);
        const std::uint32_t options = U32(52);
        if (n > 8192 || !Fits(offString, static_cast<std::size_t>(n) * (wide ? 2 : 1))) return;
        std::string text;
        if (wide) {
            std::u16string u;
            for (std::uint32_t i = 0; i < n; ++i) u.push_back(static_cast<char16_t>(U16(offString + i * 2)));
            text = gui::FromQt(QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size())));
        } else {
            for (std::uint32_t i = 0; i < n; ++i) text.push_back(static_cast<char>(U8(offString + i)));
        }
        PathPoint ref = (dc_.textAlign & kAlignUpdateCP) ? DevPos() : Map(rx, ry);
        if (options & ETO_OPAQUE) {
            const Point a = MapI(I32(56), I32(60)), b = MapI(I32(64), I32(68));
            t_.FillRect({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)}, dc_.bkColor);
        }
        SyncText();
        t_.TextOut({RoundI(ref.x), RoundI(ref.y)}, text);
    }

    // Window, viewport and world transform records.
    bool MappingRecord(std::uint32_t type) {
        switch (type) {
            case EMR_SETMAPMODE: dc_.mapMode = I32(8); break;
            case EMR_SETWINDOWEXTEX:
                dc_.wex = I32(8);
                dc_.wey = I32(12);
                break;
            case EMR_SETWINDOWORGEX:
                dc_.wox = I32(8);
                dc_.woy = I32(12);
                break;
            case EMR_SETVIEWPORTEXTEX:
                dc_.vex = I32(8);
                dc_.vey = I32(12);
                break;
            case EMR_SETVIEWPORTORGEX:
                dc_.vox = I32(8);
                dc_.voy = I32(12);
                break;
            case EMR_SCALEVIEWPORTEXTEX:
                if (I32(12) && I32(20)) {
                    dc_.vex = dc_.vex * I32(8) / I32(12);
                    dc_.vey = dc_.vey * I32(16) / I32(20);
                }
                break;
            case EMR_SCALEWINDOWEXTEX:
                if (I32(12) && I32(20)) {
                    dc_.wex = dc_.wex * I32(8) / I32(12);
                    dc_.wey = dc_.wey * I32(16) / I32(20);
                }
                break;
            case EMR_SETWORLDTRANSFORM: dc_.world = {F32(8), F32(12), F32(16), F32(20), F32(24), F32(28)}; break;
            case EMR_MODIFYWORLDTRANSFORM: {
                const Xf x{F32(8), F32(12), F32(16), F32(20), F32(24), F32(28)};
                switch (U32(32)) {
                    case 1: dc_.world = Xf{}; break;
                    case 2: dc_.world = Then(x, dc_.world); break;
                    case 3: dc_.world = Then(dc_.world, x); break;
                    case 4: dc_.world = x; break;
                    default: break;
                }
                break;
            }
            default: return false;
        }
        return true;
    }

    // Modes, colours, clipping and the saved states.
    bool StateRecord(std::uint32_t type) {
        switch (type) {
            case EMR_SETBKMODE: dc_.bkMode = I32(8); break;
            case EMR_SETPOLYFILLMODE: dc_.fillMode = I32(8) == kWinding ? kWinding : kAlternate; break;
            case EMR_SETTEXTALIGN: dc_.textAlign = U32(8); break;
            case EMR_SETTEXTCOLOR: dc_.textColor = U32(8) & 0xFFFFFF; break;
            case EMR_SETBKCOLOR: dc_.bkColor = U32(8) & 0xFFFFFF; break;
            case EMR_SETARCDIRECTION: dc_.clockwise = I32(8) == 2; break;
            case EMR_INTERSECTCLIPRECT: {
                const Point a = MapI(I32(8), I32(12)), b = MapI(I32(16), I32(20));
                t_.IntersectClip({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
                break;
            }
            case EMR_EXTSELECTCLIPRGN:
                if (U32(8) == 0 && U32(12) == RGN_COPY) t_.ResetClip();
                break;
            case EMR_SAVEDC:
                stack_.push_back(dc_);
                t_.SaveState();
                ++depth_;
                break;
            case EMR_RESTOREDC: {
                // In 64 bits: a relative level of -2^31 must not overflow.
                const std::int64_t rel = I32(8);
                std::int64_t pops = rel < 0 ? -rel : static_cast<std::int64_t>(stack_.size()) - (rel - 1);
                while (pops-- > 0 && !stack_.empty()) {
                    dc_ = stack_.back();
                    stack_.pop_back();
                    t_.RestoreState();
                    --depth_;
                }
                break;
            }
            default: return false;
        }
        return true;
    }

    // Pens, brushes and fonts made, selected and deleted.
    bool ObjectRecord(std::uint32_t type) {
        switch (type) {
            case EMR_SELECTOBJECT: Select(U32(8)); break;
            case EMR_DELETEOBJECT:
                if (Object* o = Obj(U32(8))) *o = Object{};
                break;
            case EMR_CREATEPEN:
                if (Object* o = Obj(U32(8))) {
                    o->kind = Object::kPenObj;
                    const std::uint32_t style = U32(12) & PS_STYLE_MASK;
                    o->pen.style = style <= 5 ? static_cast<PenStyle>(style) : PenStyle::Solid;
                    o->pen.width = I32(16);
                    o->pen.geometric = I32(16) >= 1;
                    o->pen.color = U32(24) & 0xFFFFFF;
                }
                break;
            case EMR_EXTCREATEPEN:
                if (Object* o = Obj(U32(8))) {
                    o->kind = Object::kPenObj;
                    const std::uint32_t style = U32(28);
                    o->pen.style =
                        (style & PS_STYLE_MASK) <= 5 ? static_cast<PenStyle>(style & PS_STYLE_MASK) : PenStyle::Solid;
                    o->pen.geometric = (style & PS_GEOMETRIC) != 0;
                    o->pen.width = U32(32);
                    o->pen.color = U32(40) & 0xFFFFFF;
                    if (U32(36) == 1) o->pen.style = PenStyle::Null;  // hollow brush
                }
                break;
            case EMR_CREATEBRUSHINDIRECT:
                if (Object* o = Obj(U32(8))) {
                    o->kind = Object::kBrushObj;
                    o->brush.style = U32(12) == 1 ? BrushStyle::Null : BrushStyle::Solid;
                    o->brush.color = U32(16) & 0xFFFFFF;
                }
                break;
            case EMR_EXTCREATEFONTINDIRECTW:
                if (Object* o = Obj(U32(8))) {
                    o->kind = Object::kFontObj;
                    Font& f = o->font;
                    f.height = I32(12);
                    f.width = I32(16);
                    f.escapement = TenthsOfOneTurn(I32(20));
                    f.orientation = TenthsOfOneTurn(I32(24));
                    f.weight = I32(28);
                    f.italic = U8(32) != 0;
                    f.underline = U8(33) != 0;
                    f.strikeOut = U8(34) != 0;
                    f.charSet = U8(35);
                    f.outPrecision = U8(36);
                    f.clipPrecision = U8(37);
                    f.quality = U8(38);
                    f.pitchAndFamily = U8(39);
                    std::u16string face;
                    for (int i = 0; i < 32; ++i) {
                        const char16_t c = static_cast<char16_t>(U16(40 + i * 2));
                        if (!c) break;
                        face.push_back(c);
                    }
                    f.face = gui::FromQt(QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size())));
                }
                break;
            default: return false;
        }
        return true;
    }

    // Lines, shapes, paths, fills and text.
    void DrawingRecord(std::uint32_t type) {
        switch (type) {
            case EMR_MOVETOEX: {
                SetPosLogical(I32(8), I32(12));
                if (inPath_) {
                    const PathPoint p = DevPos();
                    path_.MoveTo(p.x, p.y);
                }
                break;
            }
            case EMR_LINETO: {
                const PathPoint from = DevPos();
                SetPosLogical(I32(8), I32(12));
                const PathPoint to = DevPos();
                if (inPath_) {
                    if (path_.Empty()) path_.MoveTo(from.x, from.y);
                    path_.LineTo(to.x, to.y);
                } else {
                    SyncPen();
                    t_.MoveTo({RoundI(from.x), RoundI(from.y)});
                    t_.LineTo({RoundI(to.x), RoundI(to.y)});
                }
                break;
            }
            case EMR_RECTANGLE: Box(BoxAt(8), false); break;
            case EMR_ROUNDRECT: Box(BoxAt(8), false); break;
            case EMR_ELLIPSE: Box(BoxAt(8), true); break;
            case EMR_ARC: Arc(BoxAt(8), PointAt(24), PointAt(32)); break;
            case EMR_POLYGON16:
            case EMR_POLYGON:
            case EMR_POLYLINE16:
            case EMR_POLYLINE:
            case EMR_POLYLINETO16:
            case EMR_POLYLINETO:
            case EMR_POLYBEZIER16:
            case EMR_POLYBEZIER:
            case EMR_POLYBEZIERTO16:
            case EMR_POLYBEZIERTO: Poly(type); break;
            case EMR_POLYPOLYGON16:
            case EMR_POLYPOLYGON:
            case EMR_POLYPOLYLINE16:
            case EMR_POLYPOLYLINE: PolyPoly(type); break;
            case EMR_BEGINPATH:
                path_ = Path{};
                inPath_ = true;
                break;
            case EMR_ENDPATH: inPath_ = false; break;
            case EMR_ABORTPATH:
                path_ = Path{};
                inPath_ = false;
                break;
            case EMR_CLOSEFIGURE:
                if (inPath_) path_.Close();
                break;
            case EMR_FILLPATH:
            case EMR_STROKEPATH:
            case EMR_STROKEANDFILLPATH: {
                const PathDraw how = type == EMR_FILLPATH     ? PathDraw::Fill
                                     : type == EMR_STROKEPATH ? PathDraw::Stroke
                                                              : PathDraw::StrokeAndFill;
                Path p = std::move(path_);
                path_ = Path{};
                inPath_ = false;
                if (!p.Empty()) DrawOrPath(std::move(p), how);
                break;
            }
            case EMR_BITBLT: {
                // Pattern fills without a source bitmap.
                const std::uint32_t rop = U32(40);
                if (U32(88) != 0) break;
                const Point a = MapI(I32(24), I32(28));
                const Point b = MapI(Sum(I32(24), I32(32)), Sum(I32(28), I32(36)));
                const Rect rc{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
                if (rop == 0x00F00021 && dc_.brush.style == BrushStyle::Solid) t_.FillRect(rc, dc_.brush.color);
                if (rop == 0x00000042) t_.FillRect(rc, kBlack);
                if (rop == 0x00FF0062) t_.FillRect(rc, kWhite);
                break;
            }
            case EMR_EXTTEXTOUTW: Text(true); break;
            case EMR_EXTTEXTOUTA: Text(false); break;
            default: break;  // records this player does not draw
        }
    }

    void Record(std::uint32_t type) {
        if (!MappingRecord(type) && !StateRecord(type) && !ObjectRecord(type)) DrawingRecord(type);
    }

    Reader r_;
    EmfHeader h_;
    Surface& t_;
    Xf base_;
    double pxPerMmX_ = 1, pxPerMmY_ = 1;
    Dc dc_;
    std::vector<Dc> stack_;
    int depth_ = 0;
    std::vector<Object> objects_;
    Path path_;
    bool inPath_ = false;
    std::size_t at_ = 0;
    std::uint32_t size_ = 0;
};

}  // namespace

bool PlayEmf(const std::string& bytes, Surface& target, const Rect& dest) {
    const auto h = ReadEmfHeader(bytes);
    if (!h || h->deviceWidthMm <= 0 || h->deviceHeightMm <= 0 || h->deviceWidthPx <= 0 || h->deviceHeightPx <= 0)
        return false;
    Player(bytes, *h, target, dest).Run();
    return true;
}

}  // namespace display
