#pragma once
// A Surface that logs each drawing call as one line of text, with the attributes
// it draws with, for tests ("line 10,20 30,40 pen=solid/1/#FF0000").
#include <string>
#include <vector>

#include "display/draw/surface.h"

namespace display {

class RecordingSurface : public Surface {
public:
    RecordingSurface() = default;
    // A log of the drawing made in the drawing state handed.
    explicit RecordingSurface(DrawingState& drawing) { UseDrawingState(drawing); }

    std::vector<std::string> log;

    // Lines of the log that begin with a word ("line", "ellipse", "text", ...).
    std::vector<std::string> Calls(const std::string& word) const;
    void Clear() { log.clear(); }

    void SelectPen(const Pen& pen) override;
    void SelectBrush(const Brush& brush) override;
    void SelectFont(const Font& font) override;
    void SetTextAlign(unsigned align) override;
    void SetTextColor(Color c) override;
    void SetBkColor(Color c) override;
    void SetBkMode(int mode) override;
    void IntersectClip(const Rect& r) override;
    void ResetClip() override;

    void MoveTo(Point p) override;
    void LineTo(Point p) override;
    void Rectangle(const Rect& r) override;
    void Ellipse(const Rect& r) override;
    void Arc(const Rect& box, Point start, Point end) override;
    void Polygon(std::span<const Point> points) override;
    void Polyline(std::span<const Point> points) override;
    void DrawPath(const Path& path, PathDraw how) override;
    void TextOut(Point p, std::string_view text) override;
    void FillRect(const Rect& r, Color c) override;
    void PlayMetafile(const std::string& emfBytes, const Rect& dest) override;
};

std::string ColorText(Color c);  // "#RRGGBB"
std::string PenText(const Pen& p);
std::string BrushText(const Brush& b);

}  // namespace display
