#include "display/wheel/natal_wheel.h"

#include <vector>

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/planet_ring.h"
#include "display/wheel/position_files.h"
#include "display/wheel/stroke_glyphs.h"
#include "display/wheel/wheel_points.h"
#include "display/wheel/wheel_reports.h"
#include "display/wheel/wheel_state.h"
#include "engine/angles.h"
#include "engine/engine_settings.h"
#include "engine/position_text.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

// Rulers of the decans by longitude, decan m carrying kDecanRulers[m mod 7]:
// Mars, Sun, Venus, Mercury, Moon, Saturn, Jupiter from 0 Aries on.
constexpr int kDecanRulers[7] = {5, 1, 4, 3, 2, 7, 6};

// The sector of each of the chart window's points of `longitudes` among `count` boundaries
// (entries 0..count-1, the sector from boundary k-1 to boundary k numbered k+1,
// the one closing the circle numbered 1). A sector holds its start and not its
// end, so a point on a boundary belongs to the sector that starts there, the
// closing sector included. A point in no sector keeps its number.
template <std::size_t N>
void ClassifySectors(const WheelPointArray& longitudes, int count, const std::array<Real, N>& boundaries,
                     ChartPointTable<unsigned char>& results) {
    std::vector<Real> b(boundaries.begin(), boundaries.begin() + count);
    b.push_back(b[0]);
    for (ChartPoint j : kChartPoints) {
        const Real l = longitudes[j];
        for (int k = 1; k <= count; ++k) {
            Real w = b[k] - b[k - 1];
            if (w < 0) w += 360;
            Real d = l - b[k - 1];
            if (d < 0) d += 360;
            if (d < w) results[j] = static_cast<unsigned char>(k == count ? 1 : k + 1);
        }
    }
}

void CentreMark(Surface& dc, PagePoint centre) {
    SelectPenByCode(dc, 2);
    SelectBrushColor(dc, 1);
    DotPage(dc, centre, 1.5L);
    ReleaseBrush(dc);
    ReleasePen(dc);
}

}  // namespace

void DrawSignGlyph(Surface& dc, int sign, std::string_view mode, PagePoint at, Real size) {
    DrawGlyphFile(dc, SignGlyphFileName(dc, sign, mode), {at.x, at.y, size});
}

void DrawSignRing(Surface& dc, Real asc, std::string_view mode, const RingFrame& ring, Real glyphSize,
                  NatalWheelState* centres) {
    const Real cx = ring.centre.x, cy = ring.centre.y, outer = ring.outerRadius, inner = ring.innerRadius;
    // The wheel angle of 0 degrees Aries, where the decan rulers start.
    Real rotation = 0;
    const Real rm = (outer + inner) / 2;

    SelectLinePen(dc, 0);
    DrawCircleScaled(dc, cx, cy, outer + 5);
    DrawCircleScaled(dc, cx, cy, outer);
    DrawCircleScaled(dc, cx, cy, inner);
    LinePage(dc, {cx - outer - 5, cy}, {cx - outer - 15, cy});
    LinePage(dc, {cx + outer + 5, cy}, {cx + outer + 15, cy});
    ReleasePen(dc);

    // The 13 boundaries from the start of the Ascendant's sign backwards through
    // the zodiac, that sign coming again last.
    int s = static_cast<int>(rt::Trunc(engine::Mod360(asc) / 30)) + 1;
    for (int step = 0; step < 13; ++step) {
        const Real l = 30 * (s - 1);
        const Real theta = asc - l;
        SelectLinePen(dc, 0);
        LinePage(dc, WheelPoint({cx, cy}, outer + 5, theta), WheelPoint({cx, cy}, inner, theta));
        ReleasePen(dc);
        const PagePoint g = WheelPoint({cx, cy}, rm, theta - 15);
        DrawSignGlyph(dc, s, mode, g, glyphSize);
        if (centres) {
            CentreMark(dc, g);
            centres->signGlyphX[engine::SignOfNumber(s)] = g.x;
            centres->signGlyphY[engine::SignOfNumber(s)] = g.y;
        }
        if (s == 1) rotation = theta;
        if (step < 12) {
            SelectLinePen(dc, 10);
            for (int d = 0; d < 30; d += 10)
                LinePage(dc, WheelPoint({cx, cy}, outer + 5, theta - d), WheelPoint({cx, cy}, outer - 3, theta - d));
            ReleasePen(dc);
        }
        s = s == 1 ? 12 : s - 1;
    }

    // The decan rulers, from 0 Aries backwards through the zodiac.
    for (int k = 1; k <= 36; ++k) {
        const int decan = (36 - (k - 1)) % 36;
        const PagePoint p = WheelPoint({cx, cy}, outer + 2.5L, rotation - 5);
        DrawGlyphFile(dc, PlanetGlyphFileName(dc, RenumberPlanetGlyph(kDecanRulers[decan % 7])), {p.x, p.y, 3.5L});
        rotation += 10;
    }
}

void ClassifyDecades(const WheelPointArray& longitudes, std::array<Real, 37>& boundaries,
                     ChartPointTable<unsigned char>& decades) {
    for (int j = 0; j <= 35; ++j) boundaries[j] = 10 * (j + 1);
    ClassifySectors(longitudes, 36, boundaries, decades);
}

void ClassifyTerms(const WheelPointArray& longitudes, Real ascendant, std::array<Real, 61>& boundaries,
                   ChartPointTable<unsigned char>& terms) {
    for (int j = 0; j <= 59; ++j) {
        Real b = 6 * (j + 1) + ascendant - 15;
        if (b < 0) b += 360;
        if (b >= 360) b -= 360;
        boundaries[j] = b;
    }
    ClassifySectors(longitudes, 60, boundaries, terms);
}

void BuildDecanKeys(const WheelPointArray& longitudes, ChartPointTable<std::string>& keys) {
    for (ChartPoint p : kChartPoints) {
        long long k = rt::Trunc(longitudes[p] / 10) + 1;
        if (k < 1) k = 1;
        if (k > 36) k = 36;
        keys[p] = std::string(kPointKeys3[p]) + "Dec" + rt::ZeroPad(k, 2);
    }
}

void ClassifyBodyDecades(const engine::Chart& chart, NatalWheelState& wheel) {
    ClassifyDecades(WheelPointLongitudes(chart), wheel.decadeBoundaries, wheel.bodyDecades);
}

void ClassifyBodyTerms(const engine::Chart& chart, NatalWheelState& wheel) {
    ClassifyTerms(WheelPointLongitudes(chart), chart.cusps[1], wheel.termBoundaries, wheel.bodyTerms);
}

void BuildBodyDecanKeys(const engine::Chart& chart, NatalWheelState& wheel) {
    BuildDecanKeys(WheelPointLongitudes(chart), wheel.bodyDecanKeys);
}

NatalChartFields DrawNatalChart(Surface& dc, const archive::CurrentChart& current, NatalWheelState& wheel) {
    const engine::Chart& chart = current.chart;
    const engine::BirthData& birth = current.birth;
    const Real asc = chart.cusps[1];
    SetTextColorByCode(dc, 0);
    DrawSignRing(dc, asc, "M", kChartWindowWheel.SignRing(), 9.0L, &wheel);

    DrawPlanetRing(dc, WheelPointLongitudes(chart), WheelPointRetroMarks(chart),
                   ChartWindowRing(chart, kChartWindowWheel.PlanetRing(), 7.0L, &wheel));

    DrawChartWindowHouseRing(dc, chart.cusps, kChartWindowWheel.HouseRing(), asc);
    ClassifyBodyTerms(chart, wheel);
    BuildBodyDecanKeys(chart, wheel);
    ClassifyBodyDecades(chart, wheel);
    DrawHouseCusps(dc, chart, chart.cusps,
                   {.centre = kChartWindowWheel.Centre(), .radius = kChartWindowWheel.signOuter + 5.0L});

    const std::string calendarNote = chart.moment.gregorian ? "" : " Calend. Giuliano";
    DrawProgramStamp(dc, 5, 50);
    ReleaseBrush(dc);

    // The key files; a failure is reported once and the fields are filled all the same.
    try {
        RewritePositionFiles(current, wheel);
    } catch (const rt::IoError& e) {
        wheel.fileErrors.ReportOnce(e.File().empty() ? kPointPositionFile : e.File(), e);
    }

    NatalChartFields f;
    // The name without the blanks that pad it in the archive's index.
    std::string name = birth.subjectName;
    engine::StripTrailingBlanks(name);
    f.name = "  " + name;
    f.birthDate =
        wheel.birthWeekdayName + " " + birth.birthDateText + " (GMT" + birth.timeZoneText + ")" + calendarNote;
    f.place = birth.birthPlace + " - " + birth.nationality;
    f.coordinates = birth.coordinatesText;
    f.houseSystem = HouseSystemCaption(chart);
    f.node = engine::NodeKindText(chart.settings.node);
    engine::FloatToTextDec(12, f.julianDay, chart.moment.julianDay);
    return f;
}

}  // namespace display
