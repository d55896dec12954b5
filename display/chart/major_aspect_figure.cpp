#include "display/chart/major_aspect_figure.h"

#include <algorithm>
#include <cmath>

#include "archive/current_chart.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/wheel_points.h"
#include "engine/angles.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

constexpr Color kBlue = 0xFF0000;
constexpr Color kFigureRed = 0x0000FF;

Real Deg(Real radians) { return radians * 180 / engine::kPi; }

}  // namespace

MajorAspectFigure EvaluateMajorAspectFigure(const WheelPointArray& l, Real ascendant, const engine::OrbRecord& orbs,
                                            bool fullBodyOrder, const CircleFrame& circle) {
    const Real cx = circle.centre.x, cy = circle.centre.y, r = circle.radius;
    const auto& o = orbs.aspectOrbs;
    MajorAspectFigure f;
    f.count = fullBodyOrder ? 14 : 11;
    for (int i = 0; i < f.count; ++i) {
        const Real theta = static_cast<Real>(rt::Round(ascendant) + 360 - rt::Round(l[i]));
        f.x[i] = static_cast<Real>(rt::Round(cx - r * engine::CosDeg(theta)));
        f.y[i] = static_cast<Real>(rt::Round(cy - r * engine::SinDeg(theta)));
    }
    for (int i = 0; i < f.count; ++i)
        for (int j = i + 1; j < f.count; ++j) {
            Real d = l[j] - l[i];
            if (d < 0) d += 360;
            if (d > 180) d = 360 - d;
            AspectFigureLink link{i, j, 0, false, 0};
            if (180 - o[4] < d && d < 180 + o[4])
                link.aspect = 180, link.hard = true;
            else if (120 - o[3] < d && d < 120 + o[3])
                link.aspect = 120;
            else if (90 - o[2] < d && d < 90 + o[2])
                link.aspect = 90, link.hard = true;
            else if (60 - o[1] < d && d < 60 + o[1])
                link.aspect = 60;
            else
                continue;  // a conjunction or nothing: no mark
            link.exactness = static_cast<int>(std::llabs(rt::Round(link.aspect - d)));
            if (link.aspect == 180 && link.exactness == 0) continue;
            f.links.push_back(link);
        }
    return f;
}

Real AspectBandHalfWidth(int exactness) {
    return 1 / (1.2L * std::sqrt(std::max(static_cast<Real>(exactness), Real(0.2))));
}

std::array<Point, 6> AspectBandCorners(const DrawingState& drawing, Real x1, Real y1, Real x2, Real y2, int exactness) {
    const Real w = AspectBandHalfWidth(exactness);
    x1 /= drawing.aspectScaleX;
    x2 /= drawing.aspectScaleX;
    y1 /= drawing.aspectScaleY;
    y2 /= drawing.aspectScaleY;
    if (x1 > x2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    if (x1 == x2) x2 += 1;
    const Real a = Deg(std::atan((y1 - y2) / (x2 - x1)));
    const Real b = Deg(std::atan(w / 8));
    const Real rho = std::sqrt(w * w + 64);
    using engine::CosDeg;
    using engine::SinDeg;
    const Real cx[6] = {x1, x1 + rho * CosDeg(a - b),      x2 - rho * SinDeg(90 - a - b),
                        x2, x2 - rho * SinDeg(90 - a + b), x1 + rho * CosDeg(a + b)};
    const Real cy[6] = {y1, y1 - rho * SinDeg(a - b),      y2 + rho * CosDeg(90 - a - b),
                        y2, y2 + rho * CosDeg(90 - a + b), y1 - rho * SinDeg(a + b)};
    const Real scale = drawing.pixelsPerUnit * drawing.zoomFactor;
    std::array<Point, 6> p;
    for (int k = 0; k < 6; ++k)
        p[k] = {static_cast<int>(rt::Round(cx[k] * scale)) + drawing.originX,
                static_cast<int>(rt::Round(cy[k] * scale)) + drawing.originY};
    return p;
}

void DrawAspectBand(Surface& dc, Real x1, Real y1, Real x2, Real y2, int exactness) {
    const std::array<Point, 6> p = AspectBandCorners(dc.Drawing(), x1, y1, x2, y2, exactness);
    dc.SetPolyFillMode(kWinding);
    dc.Polygon(p);
}

MajorAspectFigure DrawMajorAspectGrid(Surface& dc, const archive::CurrentChart& current,
                                      const WheelPointArray& longitudes, int style, const CircleFrame& circle,
                                      bool fullBodyOrder) {
    const MajorAspectFigure f =
        EvaluateMajorAspectFigure(longitudes, current.chart.cusps[1], current.orbs, fullBodyOrder, circle);
    {
        ScopedLinePen pen(dc, 10);
        DrawCircleScaled(dc, circle.centre.x, circle.centre.y, circle.radius);
    }
    std::size_t next = 0;
    for (int i = 0; i < f.count; ++i) {
        {
            ScopedPen pen(dc, 60);
            const Real x = f.x[i], y = f.y[i];
            EllipseScaled(dc, x - 0.5L, y - 0.5L, x + 0.5L, y + 0.5L);
        }
        for (; next < f.links.size() && f.links[next].first == i; ++next) {
            const AspectFigureLink& l = f.links[next];
            const Real x1 = f.x[l.first], y1 = f.y[l.first], x2 = f.x[l.second], y2 = f.y[l.second];
            if (style == 0) {
                ScopedPen pen(dc, l.hard ? 7 : 25);
                ScopedBrush brush(dc, l.hard ? kFigureRed : kBlue);
                DrawAspectBand(dc, x1, y1, x2, y2, l.exactness);
            } else if (l.hard) {
                ScopedPen pen(dc, 2);
                DrawDashedLine(dc, x1, y1, x2, y2);
            } else {
                ScopedPen pen(dc, 5);
                LinePage(dc, {x1, y1}, {x2, y2});
            }
        }
    }
    return f;
}

}  // namespace display
