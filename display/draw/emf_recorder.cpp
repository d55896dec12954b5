#include "display/draw/emf_recorder.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>

#include "display/draw/font_mapping.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/io_error.h"

namespace display {

using namespace emf;

namespace {

// Paths are recorded at 16 subdivisions of a device pixel under a world
// transform, so that stretched outlines keep their shape.
constexpr int kPathScale = 16;

bool Fits16(int v) {
    return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

std::u16string ToUtf16(std::string_view cp1252) {
    const QString s = gui::ToQt(cp1252);
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

}  // namespace

EmfRecorder::EmfRecorder(EmfDevice device) : device_(device) {
    // The header is written now and completed by Finish.
    Begin(EMR_HEADER);
    w_.Zeros(100);  // up to the end of the 108-byte header
    End();
}

void EmfRecorder::Begin(std::uint32_t type) {
    recordStart_ = w_.Size();
    w_.U32(type);
    w_.U32(0);  // size, patched by End
}

void EmfRecorder::End() {
    w_.Pad4();
    w_.PatchU32(recordStart_ + 4, static_cast<std::uint32_t>(w_.Size() - recordStart_));
    ++records_;
}

std::uint32_t EmfRecorder::NewHandle() {
    for (std::uint32_t i = 1; i < handles_.size(); ++i) {
        if (!handles_[i]) {
            handles_[i] = true;
            return i;
        }
    }
    handles_.push_back(true);
    const auto h = static_cast<std::uint32_t>(handles_.size() - 1);
    maxHandles_ = std::max<std::uint32_t>(maxHandles_, h + 1);
    return h;
}

void EmfRecorder::FreeHandle(std::uint32_t h) {
    if (h == 0 || h >= handles_.size() || !handles_[h]) return;  // freed once only
    Begin(EMR_DELETEOBJECT);
    w_.U32(h);
    End();
    handles_[h] = false;
}

bool EmfRecorder::InUse(std::uint32_t h) const {
    auto selects = [h](const Emitted& e) { return e.penHandle == h || e.brushHandle == h || e.fontHandle == h; };
    if (selects(emitted_)) return true;
    for (const Emitted& e : emittedStack_)
        if (selects(e)) return true;
    return false;
}

void EmfRecorder::Release(std::uint32_t h) {
    if (h == 0) return;
    if (std::find(released_.begin(), released_.end(), h) == released_.end()) released_.push_back(h);
    ReleaseUnused();
}

void EmfRecorder::ReleaseUnused() {
    for (std::size_t i = 0; i < released_.size();) {
        if (InUse(released_[i])) {
            ++i;
        } else {
            FreeHandle(released_[i]);
            released_.erase(released_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void EmfRecorder::RestoreDc() {
    Begin(EMR_RESTOREDC);
    w_.I32(-1);
    End();
    Begin(EMR_SETWORLDTRANSFORM);
    for (float v : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f}) w_.F32(v);
    End();
}

void EmfRecorder::Include(Point p, int margin) {
    const auto [x, y] = p;
    if (!haveBounds_) {
        bounds_ = {x - margin, y - margin, x + margin, y + margin};
        haveBounds_ = true;
        return;
    }
    bounds_.left = std::min(bounds_.left, x - margin);
    bounds_.top = std::min(bounds_.top, y - margin);
    bounds_.right = std::max(bounds_.right, x + margin);
    bounds_.bottom = std::max(bounds_.bottom, y + margin);
}

void EmfRecorder::IncludeRect(const Rect& r, int margin) {
    Include({std::min(r.left, r.right), std::min(r.top, r.bottom)}, margin);
    Include({std::max(r.left, r.right) - 1, std::max(r.top, r.bottom) - 1}, margin);
}

int EmfRecorder::PenMargin() const {
    if (state_.pen.style == PenStyle::Null) return 0;
    return std::max(1, state_.pen.width) / 2;
}

void EmfRecorder::WritePen(std::uint32_t handle, const Pen& pen, int widthScale) {
    Begin(EMR_EXTCREATEPEN);
    w_.U32(handle);
    w_.U32(0);  // offBmi
    w_.U32(0);  // cbBmi
    w_.U32(0);  // offBits
    w_.U32(0);  // cbBits
    const bool geometric = pen.width > 1;
    std::uint32_t style = static_cast<std::uint32_t>(pen.style);
    if (geometric) style |= PS_GEOMETRIC;  // round caps and joins
    w_.U32(style);
    w_.U32(static_cast<std::uint32_t>(geometric ? pen.width * widthScale : 1));
    w_.U32(0);  // solid brush
    w_.U32(pen.color);
    w_.U32(0);  // hatch
    w_.U32(0);  // no style entries
    End();
}

void EmfRecorder::SelectObject(std::uint32_t handle) {
    Begin(EMR_SELECTOBJECT);
    w_.U32(handle);
    End();
}

void EmfRecorder::SyncPen() {
    if (emitted_.known && emitted_.pen && *emitted_.pen == state_.pen) return;
    const std::uint32_t old = emitted_.penHandle;
    std::uint32_t h = 0;
    if (state_.pen.style == PenStyle::Null) {
        SelectObject(kStockObject | NULL_PEN);
    } else {
        h = NewHandle();
        WritePen(h, state_.pen, 1);
        SelectObject(h);
    }
    emitted_.pen = state_.pen;
    emitted_.penHandle = h;
    Release(old);
}

void EmfRecorder::SyncBrush() {
    if (emitted_.known && emitted_.brush && *emitted_.brush == state_.brush) return;
    const std::uint32_t old = emitted_.brushHandle;
    std::uint32_t h = 0;
    if (state_.brush.style == BrushStyle::Null) {
        SelectObject(kStockObject | NULL_BRUSH);
    } else {
        h = NewHandle();
        Begin(EMR_CREATEBRUSHINDIRECT);
        w_.U32(h);
        w_.U32(0);  // BS_SOLID
        w_.U32(state_.brush.color);
        w_.U32(0);
        End();
        SelectObject(h);
    }
    emitted_.brush = state_.brush;
    emitted_.brushHandle = h;
    Release(old);
}

void EmfRecorder::SyncFont() {
    if (emitted_.known && emitted_.font && *emitted_.font == state_.font) return;
    const std::uint32_t old = emitted_.fontHandle;
    const std::uint32_t h = NewHandle();
    const Font& f = state_.font;
    Begin(EMR_EXTCREATEFONTINDIRECTW);
    w_.U32(h);
    const std::size_t logFontStart = w_.Size();
    w_.I32(f.height);
    w_.I32(f.width);
    w_.I32(f.escapement);
    w_.I32(f.orientation);
    w_.I32(f.weight);
    w_.U8(f.italic ? 1 : 0);
    w_.U8(f.underline ? 1 : 0);
    w_.U8(f.strikeOut ? 1 : 0);
    w_.U8(f.charSet);
    w_.U8(f.outPrecision);
    w_.U8(f.clipPrecision);
    w_.U8(f.quality);
    w_.U8(f.pitchAndFamily);
    std::u16string face = ToUtf16(f.face);
    face.resize(31);
    for (char16_t c : face) w_.U16(static_cast<std::uint16_t>(c));
    w_.U16(0);
    // The rest of the panose form of the logical font, left empty.
    w_.Zeros(320 - (w_.Size() - logFontStart));
    End();
    SelectObject(h);
    emitted_.font = f;
    emitted_.fontHandle = h;
    Release(old);
}

void EmfRecorder::SyncText() {
    auto put = [this](std::uint32_t type, std::uint32_t v) {
        Begin(type);
        w_.U32(v);
        End();
    };
    if (!emitted_.known || emitted_.textAlign != state_.textAlign) put(EMR_SETTEXTALIGN, state_.textAlign);
    if (!emitted_.known || emitted_.textColor != state_.textColor) put(EMR_SETTEXTCOLOR, state_.textColor);
    if (!emitted_.known || emitted_.bkColor != state_.bkColor) put(EMR_SETBKCOLOR, state_.bkColor);
    if (!emitted_.known || emitted_.bkMode != state_.bkMode)
        put(EMR_SETBKMODE, static_cast<std::uint32_t>(state_.bkMode));
    emitted_.textAlign = state_.textAlign;
    emitted_.textColor = state_.textColor;
    emitted_.bkColor = state_.bkColor;
    emitted_.bkMode = state_.bkMode;
}

void EmfRecorder::SyncFill() {
    if (emitted_.known && emitted_.polyFillMode == state_.polyFillMode) return;
    Begin(EMR_SETPOLYFILLMODE);
    w_.U32(static_cast<std::uint32_t>(state_.polyFillMode));
    End();
    emitted_.polyFillMode = state_.polyFillMode;
}

void EmfRecorder::SelectPen(const Pen& pen) { Surface::SelectPen(pen); }
void EmfRecorder::SelectBrush(const Brush& brush) { Surface::SelectBrush(brush); }
void EmfRecorder::SelectFont(const Font& font) { Surface::SelectFont(font); }

void EmfRecorder::IntersectClip(const Rect& r) {
    Surface::IntersectClip(r);
    if (!Live()) return;
    Begin(EMR_INTERSECTCLIPRECT);
    w_.I32(r.left);
    w_.I32(r.top);
    w_.I32(r.right);
    w_.I32(r.bottom);
    End();
}

void EmfRecorder::ResetClip() {
    Surface::ResetClip();
    if (!Live()) return;
    Begin(EMR_EXTSELECTCLIPRGN);
    w_.U32(0);  // no region data: back to the default clipping
    w_.U32(RGN_COPY);
    End();
}

void EmfRecorder::SaveState() {
    Surface::SaveState();
    if (!Live()) return;
    Begin(EMR_SAVEDC);
    End();
    emittedStack_.push_back(emitted_);
}

void EmfRecorder::RestoreState() {
    Surface::RestoreState();
    if (!Live() || emittedStack_.empty()) return;
    RestoreDc();
    // The restored context selects the saved objects again; handles made since
    // are released once nothing selects them.
    const Emitted current = emitted_;
    emitted_ = emittedStack_.back();
    emittedStack_.pop_back();
    for (std::uint32_t h : {current.penHandle, current.brushHandle, current.fontHandle}) Release(h);
}

void EmfRecorder::MoveTo(Point p) {
    Surface::MoveTo(p);
    if (!Live()) return;
    Begin(EMR_MOVETOEX);
    w_.I32(p.x);
    w_.I32(p.y);
    End();
}

void EmfRecorder::LineTo(Point p) {
    if (Live()) {
        SyncPen();
        Begin(EMR_LINETO);
        w_.I32(p.x);
        w_.I32(p.y);
        End();
        Include(state_.position, PenMargin());
        Include(p, PenMargin());
    }
    state_.position = p;
}

void EmfRecorder::FilledBox(std::uint32_t type, const Rect& r) {
    if (!Live()) return;
    SyncPen();
    SyncBrush();
    Begin(type);
    w_.I32(r.left);
    w_.I32(r.top);
    w_.I32(r.right);
    w_.I32(r.bottom);
    End();
    IncludeRect(r, PenMargin());
}

void EmfRecorder::Rectangle(const Rect& r) { FilledBox(EMR_RECTANGLE, r); }

void EmfRecorder::Ellipse(const Rect& r) { FilledBox(EMR_ELLIPSE, r); }

void EmfRecorder::Arc(const Rect& box, Point start, Point end) {
    if (!Live()) return;
    SyncPen();
    if (start == end) {
        // A whole ellipse: recorded as one with the null brush, which every
        // reader draws (some skip an arc that ends where it starts).
        SelectObject(kStockObject | NULL_BRUSH);
        Begin(EMR_ELLIPSE);
        w_.I32(box.left);
        w_.I32(box.top);
        w_.I32(box.right);
        w_.I32(box.bottom);
        End();
        if (emitted_.brushHandle)
            SelectObject(emitted_.brushHandle);
        else if (!emitted_.brush)
            SelectObject(kStockObject | WHITE_BRUSH);
        else if (emitted_.brush->style != BrushStyle::Null)
            emitted_.known = false;
        IncludeRect(box, PenMargin());
        return;
    }
    Begin(EMR_ARC);
    w_.I32(box.left);
    w_.I32(box.top);
    w_.I32(box.right);
    w_.I32(box.bottom);
    w_.I32(start.x);
    w_.I32(start.y);
    w_.I32(end.x);
    w_.I32(end.y);
    End();
    IncludeRect(box, PenMargin());
}

Rect EmfRecorder::WritePointRecord(std::uint32_t type16, std::uint32_t type32, std::span<const Point> pts) {
    Rect b{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    bool small = true;
    for (const Point& p : pts) {
        b.left = std::min(b.left, p.x);
        b.top = std::min(b.top, p.y);
        b.right = std::max(b.right, p.x);
        b.bottom = std::max(b.bottom, p.y);
        small = small && Fits16(p.x) && Fits16(p.y);
    }
    Begin(small ? type16 : type32);
    w_.I32(b.left);
    w_.I32(b.top);
    w_.I32(b.right);
    w_.I32(b.bottom);
    w_.U32(static_cast<std::uint32_t>(pts.size()));
    for (const Point& p : pts) {
        if (small) {
            w_.I16(static_cast<std::int16_t>(p.x));
            w_.I16(static_cast<std::int16_t>(p.y));
        } else {
            w_.I32(p.x);
            w_.I32(p.y);
        }
    }
    End();
    return b;
}

void EmfRecorder::WritePoints16or32(std::uint32_t type16, std::uint32_t type32, std::span<const Point> pts) {
    const Rect b = WritePointRecord(type16, type32, pts);
    const int m = PenMargin();
    Include({b.left, b.top}, m);
    Include({b.right, b.bottom}, m);
}

void EmfRecorder::Polygon(std::span<const Point> points) {
    if (!Live() || points.empty()) return;
    SyncPen();
    SyncBrush();
    SyncFill();
    WritePoints16or32(EMR_POLYGON16, EMR_POLYGON, points);
}

void EmfRecorder::Polyline(std::span<const Point> points) {
    if (!Live() || points.empty()) return;
    SyncPen();
    WritePoints16or32(EMR_POLYLINE16, EMR_POLYLINE, points);
}

void EmfRecorder::DrawPath(const Path& path, PathDraw how) {
    if (!Live() || path.Empty()) return;
    if (how != PathDraw::Stroke) SyncBrush();
    SyncFill();
    if (how != PathDraw::Fill) SyncPen();
    Begin(EMR_SAVEDC);
    End();
    // Path coordinates at a finer grid under a world transform.
    Begin(EMR_SETWORLDTRANSFORM);
    const float s = 1.0f / kPathScale;
    w_.F32(s);
    w_.F32(0);
    w_.F32(0);
    w_.F32(s);
    w_.F32(0);
    w_.F32(0);
    End();
    std::uint32_t tempPen = 0;
    if (how != PathDraw::Fill && state_.pen.style != PenStyle::Null && state_.pen.width > 1) {
        tempPen = NewHandle();
        WritePen(tempPen, state_.pen, kPathScale);
        SelectObject(tempPen);
    }
    Begin(EMR_BEGINPATH);
    End();
    auto scaled = [](double v) { return static_cast<int>(std::lround(v * kPathScale)); };
    std::vector<Point> run;
    std::uint32_t runType = 0;
    auto flush = [&] {
        if (run.empty()) return;
        const std::uint32_t wide = runType == EMR_POLYLINETO16 ? EMR_POLYLINETO : EMR_POLYBEZIERTO;
        WritePointRecord(runType, wide, run);
        run.clear();
    };
    const int m = how == PathDraw::Fill ? 1 : PenMargin() + 1;
    for (const PathElement& e : path.elements) {
        switch (e.kind) {
            case PathElement::kMoveTo:
                flush();
                Begin(EMR_MOVETOEX);
                w_.I32(scaled(e.p[0].x));
                w_.I32(scaled(e.p[0].y));
                End();
                Include({static_cast<int>(e.p[0].x), static_cast<int>(e.p[0].y)}, m);
                break;
            case PathElement::kLineTo:
                if (runType != EMR_POLYLINETO16) flush();
                runType = EMR_POLYLINETO16;
                run.push_back({scaled(e.p[0].x), scaled(e.p[0].y)});
                Include({static_cast<int>(e.p[0].x), static_cast<int>(e.p[0].y)}, m);
                break;
            case PathElement::kCurveTo:
                if (runType != EMR_POLYBEZIERTO16) flush();
                runType = EMR_POLYBEZIERTO16;
                for (int i = 0; i < 3; ++i) {
                    run.push_back({scaled(e.p[i].x), scaled(e.p[i].y)});
                    Include({static_cast<int>(e.p[i].x), static_cast<int>(e.p[i].y)}, m);
                }
                break;
            case PathElement::kClose:
                flush();
                Begin(EMR_CLOSEFIGURE);
                End();
                break;
        }
    }
    flush();
    Begin(EMR_ENDPATH);
    End();
    const std::uint32_t drawType = how == PathDraw::Fill     ? EMR_FILLPATH
                                   : how == PathDraw::Stroke ? EMR_STROKEPATH
                                                             : EMR_STROKEANDFILLPATH;
    Begin(drawType);
    w_.I32(bounds_.left);
    w_.I32(bounds_.top);
    w_.I32(bounds_.right);
    w_.I32(bounds_.bottom);
    End();
    RestoreDc();
    if (tempPen) FreeHandle(tempPen);  // selected only inside the saved context
}

void EmfRecorder::TextOut(Point p, std::string_view text) {
    if (!Live() || text.empty()) return;
    SyncFont();
    SyncText();
    const TextMetrics tm = MeasureText(text);
    const std::u16string u = ToUtf16(text);
    // Bounds of the text cell.
    double x0 = p.x;
    if ((state_.textAlign & kAlignHorizontalMask) == kAlignRight) x0 -= tm.width;
    if ((state_.textAlign & kAlignHorizontalMask) == kAlignCenter) x0 -= tm.width / 2;
    double top = p.y;
    if ((state_.textAlign & kAlignVerticalMask) == kAlignBaseline) top -= tm.ascent;
    if ((state_.textAlign & kAlignVerticalMask) == kAlignBottom) top -= tm.ascent + tm.descent;
    const Rect tb{static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(top)),
                  static_cast<int>(std::ceil(x0 + tm.width)),
                  static_cast<int>(std::ceil(top + tm.ascent + tm.descent))};
    Begin(EMR_EXTTEXTOUTW);
    w_.I32(tb.left);
    w_.I32(tb.top);
    w_.I32(tb.right);
    w_.I32(tb.bottom);
    w_.U32(1);  // compatible graphics mode
    const float scaleX = static_cast<float>(100.0 * device_.widthMm / device_.widthPx);
    const float scaleY = static_cast<float>(100.0 * device_.heightMm / device_.heightPx);
    w_.F32(scaleX);
    w_.F32(scaleY);
    w_.I32(p.x);
    w_.I32(p.y);
    w_.U32(static_cast<std::uint32_t>(u.size()));
    const std::uint32_t offString = 76;
    const std::uint32_t stringBytes = static_cast<std::uint32_t>((u.size() * 2 + 3) / 4 * 4);
    w_.U32(offString);
    w_.U32(0);  // options
    w_.I32(0);
    w_.I32(0);
    w_.I32(-1);
    w_.I32(-1);
    w_.U32(offString + stringBytes);
    for (char16_t c : u) w_.U16(static_cast<std::uint16_t>(c));
    w_.Pad4();
    // Advances rounded without drift.
    double acc = 0;
    int placed = 0;
    for (std::size_t i = 0; i < u.size(); ++i) {
        acc += i < tm.advances.size() ? tm.advances[i] : 0;
        const int next = static_cast<int>(std::lround(acc));
        w_.I32(next - placed);
        placed = next;
    }
    End();
    IncludeRect(tb, 0);
}

void EmfRecorder::FillRect(const Rect& r, Color c) {
    if (!Live()) return;
    // A filled rectangle without outline: the null pen leaves the right and
    // bottom edges out, so the box is one pixel larger.
    const Pen pen = state_.pen;
    const Brush brush = state_.brush;
    state_.pen = Pen{PenStyle::Null, 0, kBlack};
    state_.brush = Brush{BrushStyle::Solid, c};
    SyncPen();
    SyncBrush();
    Begin(EMR_RECTANGLE);
    w_.I32(r.left);
    w_.I32(r.top);
    w_.I32(r.right + 1);
    w_.I32(r.bottom + 1);
    End();
    IncludeRect(r, 0);
    state_.pen = pen;
    state_.brush = brush;
}

const std::string& EmfRecorder::Finish() {
    if (finished_) return w_.bytes;
    // Release every object still held, then the end record.
    const Emitted current = emitted_;
    if (current.penHandle) SelectObject(kStockObject | BLACK_PEN);
    if (current.brushHandle) SelectObject(kStockObject | WHITE_BRUSH);
    if (current.fontHandle) SelectObject(kStockObject | SYSTEM_FONT);
    emitted_ = Emitted{};
    emittedStack_.clear();
    for (std::uint32_t h : {current.penHandle, current.brushHandle, current.fontHandle}) Release(h);
    ReleaseUnused();
    Begin(EMR_EOF);
    w_.U32(0);   // palette entries
    w_.U32(16);  // their offset
    w_.U32(20);  // size of this record, repeated
    End();
    finished_ = true;

    // Description after the header.
    std::u16string desc = description_;
    desc.push_back(0);
    desc.push_back(0);
    emf::Writer d;
    for (char16_t c : desc) d.U16(static_cast<std::uint16_t>(c));
    d.Pad4();
    w_.bytes.insert(108, d.bytes);

    const Rect b = haveBounds_ ? bounds_ : Rect{0, 0, -1, -1};
    Rect f;
    if (frame_) {
        f = *frame_;
    } else if (frameHeight_) {
        f = {0, 0, std::max(0, b.right), *frameHeight_};
    } else {
        f = haveBounds_ ? b : Rect{0, 0, 0, 0};
    }
    auto mmx = [this](int px) {
        return static_cast<std::int32_t>(std::llround(px * 100.0 * device_.widthMm / device_.widthPx));
    };
    auto mmy = [this](int px) {
        return static_cast<std::int32_t>(std::llround(px * 100.0 * device_.heightMm / device_.heightPx));
    };
    emf::Writer h;
    h.U32(EMR_HEADER);
    h.U32(static_cast<std::uint32_t>(108 + d.Size()));
    h.I32(b.left);
    h.I32(b.top);
    h.I32(b.right);
    h.I32(b.bottom);
    h.I32(mmx(f.left));
    h.I32(mmy(f.top));
    h.I32(mmx(f.right));
    h.I32(mmy(f.bottom));
    h.U32(kSignature);
    h.U32(0x10000);
    h.U32(static_cast<std::uint32_t>(w_.Size()));
    h.U32(records_);
    h.U16(static_cast<std::uint16_t>(maxHandles_));
    h.U16(0);
    h.U32(static_cast<std::uint32_t>(desc.size()));
    h.U32(108);
    h.U32(0);  // palette entries
    h.I32(device_.widthPx);
    h.I32(device_.heightPx);
    h.I32(device_.widthMm);
    h.I32(device_.heightMm);
    h.U32(0);  // no pixel format
    h.U32(0);
    h.U32(0);  // not OpenGL
    h.I32(device_.widthMm * 1000);
    h.I32(device_.heightMm * 1000);
    w_.bytes.replace(0, 108, h.bytes);
    return w_.bytes;
}

void EmfRecorder::SaveTo(const std::filesystem::path& path) {
    const std::string& bytes = Finish();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw rt::IoError(rt::kPathNotFound, path.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw rt::IoError(rt::kDiskFull, path.string());
}

}  // namespace display
