#include "display/draw/canvas_form.h"

#include <QPainter>

namespace display {

// The painter surface on the back buffer; every drawing call schedules a repaint.
class CanvasForm::FormSurface : public PainterSurface {
public:
    FormSurface(CanvasForm* form, QImage* image) : PainterSurface(image), form_(form) {}
    void Touch() { form_->update(); }
    void LineTo(Point p) override { PainterSurface::LineTo(p); Touch(); }
    void Rectangle(const Rect& r) override { PainterSurface::Rectangle(r); Touch(); }
    void Ellipse(const Rect& r) override { PainterSurface::Ellipse(r); Touch(); }
    void Arc(const Rect& b, Point s, Point e) override { PainterSurface::Arc(b, s, e); Touch(); }
    void Polygon(std::span<const Point> p) override { PainterSurface::Polygon(p); Touch(); }
    void Polyline(std::span<const Point> p) override { PainterSurface::Polyline(p); Touch(); }
    void DrawPath(const Path& p, PathDraw h) override { PainterSurface::DrawPath(p, h); Touch(); }
    void TextOut(Point p, std::string_view t) override { PainterSurface::TextOut(p, t); Touch(); }
    void FillRect(const Rect& r, Color c) override { PainterSurface::FillRect(r, c); Touch(); }

private:
    CanvasForm* form_;
};

CanvasForm::CanvasForm(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

CanvasForm::~CanvasForm() = default;

void CanvasForm::EnsureBuffer() {
    const QSize want = size().expandedTo(QSize(1, 1));
    if (!buffer_.isNull() && buffer_.width() >= want.width() && buffer_.height() >= want.height()) return;
    // Grow, keeping what is drawn; the surface's attributes are kept too.
    SurfaceState kept;
    bool haveState = false;
    if (surface_) {
        surface_->Flush();
        kept = surface_->State();
        haveState = true;
    }
    QImage grown(want.expandedTo(buffer_.size()), QImage::Format_RGB32);
    grown.fill(QColor(RedOf(background_), GreenOf(background_), BlueOf(background_)));
    if (!buffer_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, buffer_);
    }
    buffer_ = grown;
    surface_ = std::make_unique<FormSurface>(this, &buffer_);
    if (haveState) {
        surface_->SelectPen(kept.pen);
        surface_->SelectBrush(kept.brush);
        surface_->SelectFont(kept.font);
        surface_->SetTextAlign(kept.textAlign);
        surface_->SetTextColor(kept.textColor);
        surface_->SetBkColor(kept.bkColor);
        surface_->SetBkMode(kept.bkMode);
        surface_->SetPolyFillMode(kept.polyFillMode);
        surface_->MoveTo(kept.position);
    } else {
        // A form's canvas: its brush is the form's colour, text on it opaque.
        surface_->SetBkColor(background_);
        surface_->SelectBrush({BrushStyle::Solid, background_});
    }
}

Surface& CanvasForm::Canvas() {
    EnsureBuffer();
    return *surface_;
}

void CanvasForm::SetBackground(Color c) {
    background_ = c;
    if (surface_) {
        surface_->SetBkColor(c);
        surface_->SelectBrush({BrushStyle::Solid, c});
    }
}

void CanvasForm::ClearCanvas() {
    EnsureBuffer();
    surface_->FillRect({0, 0, buffer_.width(), buffer_.height()}, background_);
}

QImage CanvasForm::Snapshot() {
    EnsureBuffer();
    surface_->Flush();
    return buffer_.copy(0, 0, std::max(1, width()), std::max(1, height()));
}

void CanvasForm::paintEvent(QPaintEvent*) {
    EnsureBuffer();
    surface_->Flush();
    QPainter p(this);
    p.drawImage(0, 0, buffer_);
}

void CanvasForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    EnsureBuffer();
}

}  // namespace display
