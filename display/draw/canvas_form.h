#pragma once
// A window that is drawn on outside its paint events: it owns a back-buffer
// image that handlers draw into through Canvas(); paintEvent only copies it.
#include <QImage>
#include <QWidget>
#include <memory>

#include "display/draw/painter_surface.h"
#include "display/draw/surface.h"

namespace display {

class CanvasForm : public QWidget {
    Q_OBJECT
public:
    explicit CanvasForm(QWidget* parent = nullptr);
    ~CanvasForm() override;

    // The canvas of the window (device pixels = window pixels). Drawing schedules
    // a repaint.
    Surface& Canvas();
    // The window's background colour (its canvas brush).
    void SetBackground(Color c);
    Color Background() const { return background_; }
    // Fills the whole client area with the background colour.
    void ClearCanvas();
    // The back buffer as last drawn (for tests and exports).
    QImage Snapshot();
    // While set, every call drawn on the canvas is also made on this surface
    // (a recording surface, for tests of what the window draws).
    void SetRecorder(Surface* recorder) { recorder_ = recorder; }
    // The drawing state the canvas maps with (the drawing layer reads it from
    // the canvas).
    void UseDrawingState(DrawingState& drawing);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class FormSurface;
    void EnsureBuffer();
    QImage buffer_;
    std::unique_ptr<FormSurface> surface_;
    Color background_ = kBlack;
    Surface* recorder_ = nullptr;
    DrawingState* drawing_ = nullptr;
};

}  // namespace display
