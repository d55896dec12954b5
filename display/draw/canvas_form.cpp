#include "display/draw/canvas_form.h"

#include <QPainter>

namespace display {

// The painter surface on the back buffer; every drawing call schedules a
// repaint, and is also handed to the recorder while one is set.
class CanvasForm::FormSurface : public PainterSurface {
public:
    FormSurface(CanvasForm* form, QImage* image) : PainterSurface(image), form_(form) {}
    void Touch() { form_->update(); }
    Surface* Tap() const { return form_->recorder_; }
    bool Visible() const override { return form_->isVisible(); }

    void SelectPen(const Pen& p) override {
        PainterSurface::SelectPen(p);
        if (Tap()) Tap()->SelectPen(p);
    }
    void SelectBrush(const Brush& b) override {
        PainterSurface::SelectBrush(b);
        if (Tap()) Tap()->SelectBrush(b);
    }
    void SelectFont(const Font& f) override {
        PainterSurface::SelectFont(f);
        if (Tap()) Tap()->SelectFont(f);
    }
    void SetTextAlign(unsigned a) override {
        PainterSurface::SetTextAlign(a);
        if (Tap()) Tap()->SetTextAlign(a);
    }
    void SetTextColor(Color c) override {
        PainterSurface::SetTextColor(c);
        if (Tap()) Tap()->SetTextColor(c);
    }
    void SetBkColor(Color c) override {
        PainterSurface::SetBkColor(c);
        if (Tap()) Tap()->SetBkColor(c);
    }
    void SetBkMode(int m) override {
        PainterSurface::SetBkMode(m);
        if (Tap()) Tap()->SetBkMode(m);
    }
    void SetPolyFillMode(int m) override {
        PainterSurface::SetPolyFillMode(m);
        if (Tap()) Tap()->SetPolyFillMode(m);
    }
    void IntersectClip(const Rect& r) override {
        PainterSurface::IntersectClip(r);
        if (Tap()) Tap()->IntersectClip(r);
    }
    void ResetClip() override {
        PainterSurface::ResetClip();
        if (Tap()) Tap()->ResetClip();
    }
    void SaveState() override {
        PainterSurface::SaveState();
        if (Tap()) Tap()->SaveState();
    }
    void RestoreState() override {
        PainterSurface::RestoreState();
        if (Tap()) Tap()->RestoreState();
    }
    void MoveTo(Point p) override {
        PainterSurface::MoveTo(p);
        if (Tap()) Tap()->MoveTo(p);
    }

    void LineTo(Point p) override {
        PainterSurface::LineTo(p);
        Touch();
        if (Tap()) Tap()->LineTo(p);
    }
    void Rectangle(const Rect& r) override {
        PainterSurface::Rectangle(r);
        Touch();
        if (Tap()) Tap()->Rectangle(r);
    }
    void Ellipse(const Rect& r) override {
        PainterSurface::Ellipse(r);
        Touch();
        if (Tap()) Tap()->Ellipse(r);
    }
    void Arc(const Rect& b, Point s, Point e) override {
        PainterSurface::Arc(b, s, e);
        Touch();
        if (Tap()) Tap()->Arc(b, s, e);
    }
    void Polygon(std::span<const Point> p) override {
        PainterSurface::Polygon(p);
        Touch();
        if (Tap()) Tap()->Polygon(p);
    }
    void Polyline(std::span<const Point> p) override {
        PainterSurface::Polyline(p);
        Touch();
        if (Tap()) Tap()->Polyline(p);
    }
    void DrawPath(const Path& p, PathDraw h) override {
        PainterSurface::DrawPath(p, h);
        Touch();
        if (Tap()) Tap()->DrawPath(p, h);
    }
    void TextOut(Point p, std::string_view t) override {
        PainterSurface::TextOut(p, t);
        Touch();
        if (Tap()) Tap()->TextOut(p, t);
    }
    void FillRect(const Rect& r, Color c) override {
        PainterSurface::FillRect(r, c);
        Touch();
        if (Tap()) Tap()->FillRect(r, c);
    }
    // A metafile is one call to the recorder, not the calls it plays.
    void PlayMetafile(const std::string& emf, const Rect& dest) override {
        Surface* tap = form_->recorder_;
        form_->recorder_ = nullptr;
        PainterSurface::PlayMetafile(emf, dest);
        form_->recorder_ = tap;
        Touch();
        if (tap) tap->PlayMetafile(emf, dest);
    }

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
    if (drawing_) surface_->UseDrawingState(*drawing_);
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

void CanvasForm::UseDrawingState(DrawingState& drawing) {
    drawing_ = &drawing;
    if (surface_) surface_->UseDrawingState(drawing);
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
