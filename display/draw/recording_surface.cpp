#include "display/draw/recording_surface.h"

#include <cstdio>

namespace display {

std::string ColorText(Color c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return buf;
}

std::string PenText(const Pen& p) {
    static const char* names[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "null"};
    return std::string(names[static_cast<int>(p.style) % 6]) + "/" + std::to_string(p.width) + "/" + ColorText(p.color);
}

std::string BrushText(const Brush& b) { return b.style == BrushStyle::Null ? "null" : ColorText(b.color); }

namespace {
std::string Pt(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
std::string Rc(const Rect& r) { return Pt({r.left, r.top}) + " " + Pt({r.right, r.bottom}); }
}  // namespace

std::vector<std::string> RecordingSurface::Calls(const std::string& word) const {
    std::vector<std::string> out;
    for (const std::string& l : log)
        if (l.compare(0, word.size(), word) == 0 && (l.size() == word.size() || l[word.size()] == ' '))
            out.push_back(l);
    return out;
}

void RecordingSurface::SelectPen(const Pen& pen) {
    Surface::SelectPen(pen);
    log.push_back("pen " + PenText(pen));
}
void RecordingSurface::SelectBrush(const Brush& brush) {
    Surface::SelectBrush(brush);
    log.push_back("brush " + BrushText(brush));
}
void RecordingSurface::SelectFont(const Font& font) {
    Surface::SelectFont(font);
    log.push_back("font " + font.face + " " + std::to_string(font.height) + (font.italic ? " italic" : "") +
                  (font.width ? " width=" + std::to_string(font.width) : ""));
}
void RecordingSurface::SetTextAlign(unsigned align) {
    Surface::SetTextAlign(align);
    log.push_back("align " + std::to_string(align));
}
void RecordingSurface::SetTextColor(Color c) {
    Surface::SetTextColor(c);
    log.push_back("textcolor " + ColorText(c));
}
void RecordingSurface::SetBkColor(Color c) {
    Surface::SetBkColor(c);
    log.push_back("bkcolor " + ColorText(c));
}
void RecordingSurface::SetBkMode(int mode) {
    Surface::SetBkMode(mode);
    log.push_back(mode == kOpaque ? "bkmode opaque" : "bkmode transparent");
}
void RecordingSurface::IntersectClip(const Rect& r) {
    Surface::IntersectClip(r);
    log.push_back("clip " + Rc(r));
}
void RecordingSurface::ResetClip() {
    Surface::ResetClip();
    log.push_back("noclip");
}
void RecordingSurface::MoveTo(Point p) {
    Surface::MoveTo(p);
    log.push_back("move " + Pt(p));
}
void RecordingSurface::LineTo(Point p) {
    log.push_back("line " + Pt(state_.position) + " " + Pt(p) + " pen=" + PenText(state_.pen));
    state_.position = p;
}
void RecordingSurface::Rectangle(const Rect& r) {
    log.push_back("rectangle " + Rc(r) + " pen=" + PenText(state_.pen) + " brush=" + BrushText(state_.brush));
}
void RecordingSurface::Ellipse(const Rect& r) {
    log.push_back("ellipse " + Rc(r) + " pen=" + PenText(state_.pen) + " brush=" + BrushText(state_.brush));
}
void RecordingSurface::Arc(const Rect& box, Point start, Point end) {
    log.push_back("arc " + Rc(box) + " " + Pt(start) + " " + Pt(end) + " pen=" + PenText(state_.pen));
}
void RecordingSurface::Polygon(std::span<const Point> points) {
    std::string s = "polygon";
    for (const Point& p : points) s += " " + Pt(p);
    log.push_back(s + (state_.polyFillMode == kWinding ? " winding" : " alternate"));
}
void RecordingSurface::Polyline(std::span<const Point> points) {
    std::string s = "polyline";
    for (const Point& p : points) s += " " + Pt(p);
    log.push_back(s);
}
void RecordingSurface::DrawPath(const Path& path, PathDraw how) {
    static const char* names[] = {"fill", "stroke", "strokefill"};
    log.push_back("path " + std::string(names[static_cast<int>(how)]) + " " + std::to_string(path.elements.size()) +
                  " brush=" + BrushText(state_.brush) + " pen=" + PenText(state_.pen));
}
void RecordingSurface::TextOut(Point p, std::string_view text) {
    log.push_back("text " + Pt(p) + " align=" + std::to_string(state_.textAlign) +
                  " height=" + std::to_string(state_.font.height) + " color=" + ColorText(state_.textColor) + " '" +
                  std::string(text) + "'");
}
void RecordingSurface::FillRect(const Rect& r, Color c) { log.push_back("fillrect " + Rc(r) + " " + ColorText(c)); }
void RecordingSurface::PlayMetafile(const std::string& emfBytes, const Rect& dest) {
    log.push_back("metafile " + Rc(dest) + " " + std::to_string(emfBytes.size()));
}

}  // namespace display
