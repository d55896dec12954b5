#include "display/draw/surface.h"

#include <algorithm>

#include "display/draw/drawing_state.h"
#include "display/draw/emf_player.h"
#include "display/draw/font_mapping.h"

namespace display {

Surface::Surface() = default;

Surface::~Surface() = default;

DrawingState& Surface::Drawing() const {
    if (drawing_) return *drawing_;
    if (!ownDrawing_) ownDrawing_ = std::make_unique<DrawingState>();
    return *ownDrawing_;
}

void Path::MoveTo(double x, double y) {
    PathElement e;
    e.kind = PathElement::kMoveTo;
    e.p[0] = {x, y};
    elements.push_back(e);
}

void Path::LineTo(double x, double y) {
    PathElement e;
    e.kind = PathElement::kLineTo;
    e.p[0] = {x, y};
    elements.push_back(e);
}

void Path::CurveTo(const PathCurve& curve) {
    PathElement e;
    e.kind = PathElement::kCurveTo;
    e.p[0] = curve.control1;
    e.p[1] = curve.control2;
    e.p[2] = curve.end;
    elements.push_back(e);
}

void Path::Close() {
    PathElement e;
    e.kind = PathElement::kClose;
    elements.push_back(e);
}

void Surface::IntersectClip(const Rect& r) {
    if (!state_.clipped) {
        state_.clip = r;
        state_.clipped = true;
        return;
    }
    Rect& c = state_.clip;
    c.left = std::max(c.left, r.left);
    c.top = std::max(c.top, r.top);
    c.right = std::max(c.left, std::min(c.right, r.right));
    c.bottom = std::max(c.top, std::min(c.bottom, r.bottom));
}

void Surface::RestoreState() {
    if (saved_.empty()) return;
    state_ = saved_.back();
    saved_.pop_back();
}

void Surface::PlayMetafile(const std::string& emfBytes, const Rect& dest) { PlayEmf(emfBytes, *this, dest); }

TextMetrics Surface::MeasureText(std::string_view text) const { return MeasureTextIn(state_.font, text); }

}  // namespace display
