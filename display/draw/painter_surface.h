#pragma once
// A Surface drawing with QPainter on any paint device: an image (export, tests,
// a window's back buffer) or the printer. The painter is opened at the first
// drawing call and may be closed with Flush() (a window copies its back buffer
// then); the next call opens it again with the same attributes.
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <memory>
#include <vector>

#include "display/draw/surface.h"

class QPaintDevice;
class QFont;

namespace display {

class PainterSurface : public Surface {
public:
    // The device must outlive the surface. Antialiasing smooths curves and text.
    explicit PainterSurface(QPaintDevice* device, bool antialias = true);
    // A surface on the device that maps with the drawing state handed.
    PainterSurface(DrawingState& drawing, QPaintDevice* device, bool antialias = true);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    // Ends the painter (for a printer: ends the document).
    void Flush();
    QPaintDevice* Device() const { return device_; }

    void SelectPen(const Pen& pen) override;
    void SelectBrush(const Brush& brush) override;
    void SelectFont(const Font& font) override;
    void IntersectClip(const Rect& r) override;
    void ResetClip() override;
    void RestoreState() override;

    void LineTo(Point p) override;
    void Rectangle(const Rect& r) override;
    void Ellipse(const Rect& r) override;
    void Arc(const Rect& box, Point start, Point end) override;
    void Polygon(std::span<const Point> points) override;
    void Polyline(std::span<const Point> points) override;
    void DrawPath(const Path& path, PathDraw how) override;
    void TextOut(Point p, std::string_view text) override;
    void FillRect(const Rect& r, Color c) override;

private:
    QPainter& P();
    void ApplyPen();
    void ApplyBrush();
    void ApplyClip();
    QPainterPath ToQPath(const Path& path) const;

    // The ink of the texts drawn since the device was last filled whole, with
    // the baseline of each: an opaque text background is the text's own line,
    // and spares the ink of the lines above and below it.
    struct TextInk {
        double baseline;
        QRect ink;
    };
    void ForgetTextInkIn(const QRect& area);

    QPaintDevice* device_;
    bool antialias_;
    std::unique_ptr<QPainter> painter_;
    std::vector<TextInk> inks_;
};

}  // namespace display
