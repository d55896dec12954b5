#include "display/chart/coordinate_tables.h"

#include <array>

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/wheel_points.h"
#include "engine/bodies_theory.h"
#include "engine/position_text.h"

namespace display {


namespace {

// The bodies of the engine's order, body number n at index n - 1.
constexpr std::array<const char*, 12> kEngineBodyNames = {"Sole",    "Luna",    "Mercurio",  "Venere",
                                                          "Marte",   "Giove",   "Saturno",   "Urano",
                                                          "Nettuno", "Plutone", "Nodo Nord", "Luna Nera"};
constexpr Color kTableCyan = 0xFFFF00;

enum class Value { SignPosition, Degrees, Latitude };

// What a table shows and where about the wheel's centre: its number of rows,
// its column this far right of the centre and its first row this far above
// it, the value, the bodies by number (glyph file = body number, names
// beside) or the chart window's points, and its caption.
struct TableLayout {
    int rows = 0;
    Real columnShift = 0;
    Real firstRowAbove = 0;
    Value value = Value::SignPosition;
    bool byBodyNumber = false;
    const char* caption = "";
};

CoordinateTable Build(const engine::Chart& chart, Real cx, Real cy, const TableLayout& layout) {
    const Value value = layout.value;
    const bool byBodyNumber = layout.byBodyNumber;
    // The rows in their order: the chart window's points, or the bodies by number.
    WheelPointArray longitudes{}, latitudes{};
    if (byBodyNumber) {
        for (int k = 0; k < layout.rows; ++k) longitudes[k] = chart.bodies[engine::BodyOfNumber(k + 1)].longitude;
    } else {
        longitudes = WheelPointLongitudes(chart);
        latitudes = WheelPointLatitudes(chart);
    }
    CoordinateTable t;
    t.caption = layout.caption;
    t.captionX = cx;
    t.captionY = cy - 31;
    const Real x = cx + layout.columnShift;
    for (int k = 0; k < layout.rows; ++k) {
        CoordinateRow r;
        const Real y = cy - layout.firstRowAbove + 5 * k;
        const int number = k + 1;  // the body's or the chart point's
        r.glyphFile = byBodyNumber ? number : RenumberPlanetGlyph(number);
        r.glyphX = x - 18;
        r.glyphY = y;
        r.textX = x - 14;
        r.textY = y - 1.5L;
        switch (value) {
            case Value::SignPosition: engine::FormatSignPosLong(r.text, " ", longitudes[k]); break;
            case Value::Degrees:
                engine::FloatToTextDec(8, r.text, longitudes[k]);
                r.text = r.text.substr(0, 8);
                break;
            case Value::Latitude: engine::FormatLatitudeText(r.text, latitudes[k]); break;
        }
        if (byBodyNumber) {
            r.name = kEngineBodyNames[static_cast<std::size_t>(k)];
            r.nameX = x - 22;
        }
        t.rows.push_back(r);
    }
    return t;
}

}  // namespace

CoordinateTable EvaluateRelativeLongitudes(const engine::Chart& chart, Real cx, Real cy) {
    return Build(chart, cx, cy,
                 {.rows = 11, .columnShift = 5, .firstRowAbove = 21, .caption = "[Relatieve Lengtegraden]"});
}

CoordinateTable EvaluateAbsoluteLongitudes(const engine::Chart& chart, Real cx, Real cy) {
    return Build(chart, cx, cy,
                 {.rows = 11,
                  .columnShift = 9,
                  .firstRowAbove = 22,
                  .value = Value::Degrees,
                  .caption = "[Absolute Lengtegraden]"});
}

CoordinateTable EvaluateLatitudes(const engine::Chart& chart, Real cx, Real cy) {
    return Build(
        chart, cx, cy,
        {.rows = 9, .columnShift = 7, .firstRowAbove = 20, .value = Value::Latitude, .caption = "[Breedtegraden]"});
}

CoordinateTable EvaluateEngineOrderLongitudes(const engine::Chart& chart, Real cx, Real cy) {
    return Build(chart, cx, cy, {.rows = 12, .columnShift = 13, .firstRowAbove = 30, .byBodyNumber = true});
}

void DrawCoordinateTable(Surface& dc, const CoordinateTable& t) {
    for (const CoordinateRow& r : t.rows) {
        DrawGlyphFile(dc, PlanetGlyphFileName(dc, r.glyphFile), {r.glyphX, r.glyphY, 4.0L});
        dc.SetTextColor(kWhite);
        TextOutLeft(dc, r.text, 15, r.textX, r.textY);
        if (!r.name.empty()) TextOutRight(dc, r.name, 15, r.nameX, r.textY);
    }
    if (!t.caption.empty()) {
        dc.SetTextColor(kTableCyan);
        TextOutCentered(dc, t.caption, 15, t.captionX, t.captionY);
    }
}

void DrawRelativeLongitudes(Surface& dc, const engine::Chart& chart) {
    DrawCoordinateTable(dc, EvaluateRelativeLongitudes(chart, kChartWindowWheel.centreX, kChartWindowWheel.centreY));
}

void DrawAbsoluteLongitudes(Surface& dc, const engine::Chart& chart) {
    DrawCoordinateTable(dc, EvaluateAbsoluteLongitudes(chart, kChartWindowWheel.centreX, kChartWindowWheel.centreY));
}

void DrawLatitudes(Surface& dc, const engine::Chart& chart) {
    DrawCoordinateTable(dc, EvaluateLatitudes(chart, kChartWindowWheel.centreX, kChartWindowWheel.centreY));
}

void DrawEngineOrderLongitudes(Surface& dc, const engine::Chart& chart) {
    DrawCoordinateTable(dc, EvaluateEngineOrderLongitudes(chart, kChartWindowWheel.centreX, kChartWindowWheel.centreY));
}

}  // namespace display
