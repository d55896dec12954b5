#include "display/chart/volguine_forces.h"

#include <cmath>

#include "archive/archive_records.h"
#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/primitives.h"
#include "display/wheel/body_names.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_range.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"

namespace display {

namespace {

// The sign of a longitude, one below 0 taken as Aries and one of 360 or more as Pisces.
engine::Sign ClampedSignOf(Real longitude) {
    long long s = rt::Trunc(longitude / 30) + 1;
    if (s < 1) s = 1;
    if (s > 12) s = 12;
    return engine::SignOfNumber(static_cast<int>(s));
}

}  // namespace

// Far beyond any score the dominants' count gives (a few dozen points).
constexpr Real kMaxVolguineScore = 10000;

VolguineScores ReadVolguineScores() {
    const std::vector<std::string> lines = rt::ReadTextLines(kVolguineScoresFile);
    if (lines.size() < 10) throw rt::IoError(rt::kReadBeyondEnd, kVolguineScoresFile);
    VolguineScores s{};
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::string& l = lines[i];
        std::size_t a = l.find_first_not_of(" \t");
        if (a == std::string::npos) throw rt::IoError(rt::kInvalidNumericInput, kVolguineScoresFile);
        std::size_t b = l.find_first_of(" \t", a);
        int code = 0;
        s[i] = rt::ValReal(l.substr(a, b == std::string::npos ? std::string::npos : b - a), code);
        if (code != 0) throw rt::IoError(rt::kInvalidNumericInput, kVolguineScoresFile);
        rt::CheckFileNumber(s[i], {-kMaxVolguineScore, kMaxVolguineScore}, kVolguineScoresFile,
                            "punteggio del corpo " + std::to_string(i + 1));
    }
    return s;
}

VolguineForces EvaluateVolguineForces(const VolguineScores& scores, const engine::Chart& chart) {
    VolguineForces f;
    f.scores = scores;
    for (std::size_t i = 0; i < scores.size(); ++i) {
        f.labels[i] = archive::GeneralRealText(scores[i]).substr(0, 4);
        f.negative[i] = !f.labels[i].empty() && f.labels[i][0] == '-';
        if (scores[i] > f.highest) {
            f.highest = scores[i];
            f.strongest = static_cast<int>(i) + 1;
        }
    }
    f.sunSign = std::string(kSignNames[ClampedSignOf(chart.bodies[engine::Body::Sun].longitude)]);
    f.ascendantSign = std::string(kSignNames[ClampedSignOf(chart.cusps[1])]);
    if (f.strongest > 0) f.strongestName = std::string(kScoredBodyNames[static_cast<std::size_t>(f.strongest - 1)]);
    if (f.highest <= 0) return f;  // no scale: no bars
    for (std::size_t i = 0; i < scores.size(); ++i) {
        Real s = scores[i] / (f.highest / 30);
        if (std::fabs(s) < 3) s = 3;
        f.heights[i] = static_cast<int>(std::llabs(rt::Round(s)));
    }
    return f;
}

VolguineForces DrawVolguineForces(Surface& dc, const engine::Chart& chart, Real x0, Real y0) {
    const VolguineForces f = EvaluateVolguineForces(ReadVolguineScores(), chart);
    rt::EnsureParentFolder(kVolguineSummaryFile);
    rt::WriteTextLines(kVolguineSummaryFile, {f.sunSign, f.ascendantSign, f.strongestName});

    dc.SetTextColor(Rgb(0xC0, 0xC0, 0xC0));
    for (int body = 1; body <= engine::kPlanetCount; ++body) {
        const auto i = static_cast<std::size_t>(body - 1);
        const Real x = x0 - 4.3L + 6 * body;
        const Real y = y0 + 30;
        DrawGlyphFile(dc, PlanetGlyphFileName(dc, body), {x + 2.5L, y0 + 33, 5.0L});
        TextOutCentered(dc, f.labels[i], 15, x + 2.5L, y0 + 36);
        if (f.highest <= 0) continue;
        ScopedLinePen pen(dc, 0);
        ScopedBrush brush(dc, f.negative[i] ? Rgb(255, 0, 0) : Rgb(0, 0, 255));
        RectangleScaled(dc, x, y - f.heights[i], x + 5, y);
    }
    return f;
}

void DrawClothCell(Surface& dc, int selector, PagePoint at, Real size) {
    const std::string name = ElementGlyphFileName(dc, selector);
    if (name.empty()) return;
    DrawGlyphFile(dc, name, {at.x, at.y, size});
}

}  // namespace display
