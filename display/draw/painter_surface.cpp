#include "display/draw/painter_surface.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPolygonF>
#include <QRegion>
#include <cmath>

#include "display/draw/font_mapping.h"
#include "platform/gui/text_convert.h"

namespace display {

namespace {

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// Integer device points address pixels; their centres lie half a pixel further.
QPointF Centre(Point p) { return QPointF(p.x + 0.5, p.y + 0.5); }

// The outline box of a Rectangle or Ellipse: the right and bottom edges excluded.
QRectF OutlineBox(const Rect& r) {
    return QRectF(QPointF(r.left + 0.5, r.top + 0.5), QPointF(r.right - 0.5, r.bottom - 0.5));
}

double AngleOf(const QRectF& box, Point p) {
    const QPointF c = box.center();
    return std::atan2(-(p.y + 0.5 - c.y()), p.x + 0.5 - c.x()) * 180.0 / M_PI;
}

}  // namespace

PainterSurface::PainterSurface(QPaintDevice* device, bool antialias) : device_(device), antialias_(antialias) {}

PainterSurface::PainterSurface(DrawingState& drawing, QPaintDevice* device, bool antialias)
    : device_(device), antialias_(antialias) {
    UseDrawingState(drawing);
}

PainterSurface::~PainterSurface() { Flush(); }

void PainterSurface::Flush() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

QPainter& PainterSurface::P() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(device_);
        painter_->setRenderHint(QPainter::Antialiasing, antialias_);
        painter_->setRenderHint(QPainter::TextAntialiasing, antialias_);
        painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
        ApplyPen();
        ApplyBrush();
        ApplyClip();
    }
    return *painter_;
}

void PainterSurface::ApplyPen() {
    if (!painter_) return;
    const Pen& p = state_.pen;
    if (p.style == PenStyle::Null) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    QPen qp(ToQColor(p.color));
    const bool cosmetic = p.width <= 1;
    qp.setWidthF(cosmetic ? 1.0 : p.width);
    qp.setCapStyle(cosmetic ? Qt::FlatCap : Qt::RoundCap);
    qp.setJoinStyle(cosmetic ? Qt::MiterJoin : Qt::RoundJoin);
    if (p.style != PenStyle::Solid) {
        if (cosmetic) {
            // The platform's patterns of thin styled pens, in pixels.
            switch (p.style) {
                case PenStyle::Dash: qp.setDashPattern({18, 6}); break;
                case PenStyle::Dot: qp.setDashPattern({3, 3}); break;
                case PenStyle::DashDot: qp.setDashPattern({9, 6, 3, 6}); break;
                default: qp.setDashPattern({9, 3, 3, 3, 3, 3}); break;
            }
        } else {
            switch (p.style) {
                case PenStyle::Dash: qp.setStyle(Qt::DashLine); break;
                case PenStyle::Dot: qp.setStyle(Qt::DotLine); break;
                case PenStyle::DashDot: qp.setStyle(Qt::DashDotLine); break;
                default: qp.setStyle(Qt::DashDotDotLine); break;
            }
        }
    }
    painter_->setPen(qp);
}

void PainterSurface::ApplyBrush() {
    if (!painter_) return;
    if (state_.brush.style == BrushStyle::Null)
        painter_->setBrush(Qt::NoBrush);
    else
        painter_->setBrush(QBrush(ToQColor(state_.brush.color)));
}

void PainterSurface::ApplyClip() {
    if (!painter_) return;
    if (state_.clipped) {
        const Rect& c = state_.clip;
        painter_->setClipRect(QRect(c.left, c.top, std::max(0, c.Width()), std::max(0, c.Height())));
    } else {
        painter_->setClipping(false);
    }
}

void PainterSurface::SelectPen(const Pen& pen) {
    Surface::SelectPen(pen);
    ApplyPen();
}

void PainterSurface::SelectBrush(const Brush& brush) {
    Surface::SelectBrush(brush);
    ApplyBrush();
}

void PainterSurface::SelectFont(const Font& font) { Surface::SelectFont(font); }

void PainterSurface::IntersectClip(const Rect& r) {
    Surface::IntersectClip(r);
    ApplyClip();
}

void PainterSurface::ResetClip() {
    Surface::ResetClip();
    ApplyClip();
}

void PainterSurface::RestoreState() {
    Surface::RestoreState();
    ApplyPen();
    ApplyBrush();
    ApplyClip();
}

void PainterSurface::LineTo(Point p) {
    P().drawLine(Centre(state_.position), Centre(p));
    state_.position = p;
}

// Without an outline the platform fills one pixel less to the right and below.
static QRectF FillBox(const Rect& r) { return QRectF(r.left, r.top, r.Width() - 1, r.Height() - 1); }

void PainterSurface::Rectangle(const Rect& r) {
    P().drawRect(state_.pen.style == PenStyle::Null ? FillBox(r) : OutlineBox(r));
    if (state_.brush.style == BrushStyle::Solid) ForgetTextInkIn(QRect(r.left, r.top, r.Width(), r.Height()));
}

void PainterSurface::Ellipse(const Rect& r) {
    P().drawEllipse(state_.pen.style == PenStyle::Null ? FillBox(r) : OutlineBox(r));
}

void PainterSurface::Arc(const Rect& box, Point start, Point end) {
    const QRectF b = OutlineBox(box);
    const double a0 = AngleOf(b, start);
    double span = AngleOf(b, end) - a0;
    while (span <= 0) span += 360.0;
    QPainterPath path;
    path.arcMoveTo(b, a0);
    path.arcTo(b, a0, span);
    QPainter& p = P();
    p.save();
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

void PainterSurface::Polygon(std::span<const Point> points) {
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& pt : points) poly << Centre(pt);
    P().drawPolygon(poly, state_.polyFillMode == kWinding ? Qt::WindingFill : Qt::OddEvenFill);
}

void PainterSurface::Polyline(std::span<const Point> points) {
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& pt : points) poly << Centre(pt);
    P().drawPolyline(poly);
}

QPainterPath PainterSurface::ToQPath(const Path& path) const {
    QPainterPath q;
    q.setFillRule(state_.polyFillMode == kWinding ? Qt::WindingFill : Qt::OddEvenFill);
    for (const PathElement& e : path.elements) {
        switch (e.kind) {
            case PathElement::kMoveTo: q.moveTo(e.p[0].x, e.p[0].y); break;
            case PathElement::kLineTo: q.lineTo(e.p[0].x, e.p[0].y); break;
            case PathElement::kCurveTo: q.cubicTo(e.p[0].x, e.p[0].y, e.p[1].x, e.p[1].y, e.p[2].x, e.p[2].y); break;
            case PathElement::kClose: q.closeSubpath(); break;
        }
    }
    return q;
}

void PainterSurface::DrawPath(const Path& path, PathDraw how) {
    const QPainterPath q = ToQPath(path);
    QPainter& p = P();
    p.save();
    if (how == PathDraw::Fill) p.setPen(Qt::NoPen);
    if (how == PathDraw::Stroke) p.setBrush(Qt::NoBrush);
    p.drawPath(q);
    p.restore();
}

void PainterSurface::TextOut(Point pt, std::string_view text) {
    if (text.empty()) return;
    const QFont f = ToQFont(state_.font);
    const TextMetrics tm = MeasureTextIn(state_.font, text);
    double x = pt.x;
    switch (state_.textAlign & kAlignHorizontalMask) {
        case kAlignRight: x -= tm.width; break;
        case kAlignCenter: x -= tm.width / 2.0; break;
        default: break;
    }
    double baseline = pt.y + tm.ascent;
    switch (state_.textAlign & kAlignVerticalMask) {
        case kAlignBaseline: baseline = pt.y; break;
        case kAlignBottom: baseline = pt.y - tm.descent; break;
        default: break;
    }
    const QString qtext = gui::ToQt(text);
    const bool turned = state_.font.escapement != 0;
    QPainter& p = P();
    p.save();
    if (turned) {
        p.translate(pt.x, pt.y);
        p.rotate(-state_.font.escapement / 10.0);
        p.translate(-pt.x, -pt.y);
    }
    if (state_.bkMode == kOpaque) {
        const QRectF cell(x, baseline - tm.ascent, tm.width, tm.ascent + tm.descent);
        p.save();
        if (!turned) {
            // The cell is taller than the line's spacing in places, by more or
            // less as the zoom rounds the fonts and the positions: the ink of a
            // text whose baseline lies half this cell's height or more from this
            // baseline belongs to another line and keeps its pixels. A text of
            // the same line is covered.
            const double otherLine = cell.height() / 2;
            QRegion fill(cell.toAlignedRect());
            for (const TextInk& t : inks_)
                if (std::abs(t.baseline - baseline) >= otherLine && t.ink.intersects(fill.boundingRect()))
                    fill -= t.ink;
            p.setClipRegion(fill, Qt::IntersectClip);
        }
        p.fillRect(cell, ToQColor(state_.bkColor));
        p.restore();
    }
    p.setFont(f);
    p.setPen(ToQColor(state_.textColor));
    p.drawText(QPointF(x, baseline), qtext);
    p.restore();
    if (!turned) {
        const QRect ink =
            QFontMetricsF(f).tightBoundingRect(qtext).translated(x, baseline).toAlignedRect().adjusted(-1, -1, 1, 1);
        if (!ink.isEmpty()) {
            ForgetTextInkIn(ink);
            if (inks_.size() >= 4096) inks_.erase(inks_.begin(), inks_.begin() + 2048);
            inks_.push_back({baseline, ink});
        }
    }
}

void PainterSurface::ForgetTextInkIn(const QRect& area) {
    std::erase_if(inks_, [&](const TextInk& t) { return area.contains(t.ink); });
}

void PainterSurface::FillRect(const Rect& r, Color c) {
    const QRect area(r.left, r.top, r.Width(), r.Height());
    P().fillRect(area, ToQColor(c));
    ForgetTextInkIn(area);
}

}  // namespace display
