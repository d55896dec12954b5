#pragma once
// The fixed person of the sheet tests (the wheel tests' person with the
// medium houses, latitudes and the birth date parts), the glyph boxes of a
// recording, and a surface that logs every call while it draws on another.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "display/draw/drawing_state.h"
#include "display/draw/glyphs.h"
#include "display/draw/recording_surface.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_terms.h"
#include "display/sheets/sheet_view.h"
#include "display/wheel/chart_geometry.h"
#include "engine/chart.h"
#include "engine/receptions.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace sheet_test {

// Latitudes of the Sun .. Saturn (entries 1..7; the nodes and the angles have none).
inline constexpr engine::Real kLatitudes[12] = {0, 0, -4.5, 1.25, -2.0, 0.75, 1.1, -2.3, 0, 0, 0, 0};

inline void SetSheetPerson() {
    wheel_test::SetFixedPerson();
    display::SetDefaultWheelRadii(testing_support::WheelGeometryOfTest());
    auto& c = testing_support::CurrentChartOfTest().chart;
    c.settings.houseSystem = engine::ParseHouseSystem("CASE_MEDIE");
    for (int i = 1; i <= 12; ++i) c.cusps[i] = engine::Real(100.5L + 30 * (i - 1));
    for (int i = 1; i <= 12; ++i)
        if (c.cusps[i] >= 360) c.cusps[i] -= 360;
    for (int i = 1; i <= 7; ++i) c.bodies[static_cast<engine::Body>(i - 1)].latitude = kLatitudes[i];
    c.moment.day = 15;
    c.moment.month = 1;
    c.moment.year = 1990;
    c.moment.hour = 10;
    c.moment.minute = 30;
    c.place = engine::PlaceOf({12, 29, "E", 41, 54, "N"});
}

// The fixed person's sheets as the viewer shows them on a 1920x1080 screen
// with a printer: the drawing and sheet state reset, the data folders the
// sheets read in the work folder, the birth moment and receptions computed.
inline void PrepareSheetViewer() {
    SetSheetPerson();
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
    display::InitDrawingFromScreen(testing_support::DrawingStateOfTest(), 1920, 1080);
    testing_support::DrawingStateOfTest().printerPresent = true;
    display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
    wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "FilePosi", "Appoggio", "OpzioneT", "Scambi"});
    archive::CurrentChart& current = testing_support::CurrentChartOfTest();
    auto& c = current.chart;
    c.moment.julianDay = 2447906.5L + 9.5L / 24;
    current.birth.julianDayText = "JD=2447906.896";
    c.receptions = engine::ComputeReceptions(c);
}

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    long size = 0;  // bytes of the metafile drawn
    double Cx() const { return (left + right) / 2.0; }
    double Cy() const { return (top + bottom) / 2.0; }
};

// The metafiles drawn, in order.
inline std::vector<Box> Glyphs(const display::RecordingSurface& dc) {
    std::vector<Box> boxes;
    for (const std::string& l : dc.Calls("metafile")) {
        Box b;
        char comma;
        std::istringstream in(l.substr(9));
        in >> b.left >> comma >> b.top >> b.right >> comma >> b.bottom >> b.size;
        boxes.push_back(b);
    }
    return boxes;
}

inline long FileSize(const std::string& relative) {
    return static_cast<long>(std::filesystem::file_size(std::filesystem::current_path() / relative));
}

// The text of the text calls, in order.
inline std::vector<std::string> Texts(const display::RecordingSurface& dc) {
    std::vector<std::string> out;
    for (const std::string& l : dc.Calls("text")) {
        const auto q = l.find('\'');
        out.push_back(l.substr(q + 1, l.size() - q - 2));
    }
    return out;
}

// Logs every call like the recording surface and passes it on to another surface.
class TeeSurface : public display::RecordingSurface {
public:
    explicit TeeSurface(display::Surface& inner) : RecordingSurface(inner.Drawing()), inner_(inner) {}
    void SelectPen(const display::Pen& p) override { RecordingSurface::SelectPen(p), inner_.SelectPen(p); }
    void SelectBrush(const display::Brush& b) override { RecordingSurface::SelectBrush(b), inner_.SelectBrush(b); }
    void SelectFont(const display::Font& f) override { RecordingSurface::SelectFont(f), inner_.SelectFont(f); }
    void SetTextAlign(unsigned a) override { RecordingSurface::SetTextAlign(a), inner_.SetTextAlign(a); }
    void SetTextColor(display::Color c) override { RecordingSurface::SetTextColor(c), inner_.SetTextColor(c); }
    void SetBkColor(display::Color c) override { RecordingSurface::SetBkColor(c), inner_.SetBkColor(c); }
    void SetBkMode(int m) override { RecordingSurface::SetBkMode(m), inner_.SetBkMode(m); }
    void SetPolyFillMode(int m) override {
        RecordingSurface::SetPolyFillMode(m);
        log.push_back(m == display::kWinding ? "fill winding" : "fill alternate");
        inner_.SetPolyFillMode(m);
    }
    void MoveTo(display::Point p) override { RecordingSurface::MoveTo(p), inner_.MoveTo(p); }
    void LineTo(display::Point p) override { RecordingSurface::LineTo(p), inner_.LineTo(p); }
    void Rectangle(const display::Rect& r) override { RecordingSurface::Rectangle(r), inner_.Rectangle(r); }
    void Ellipse(const display::Rect& r) override { RecordingSurface::Ellipse(r), inner_.Ellipse(r); }
    void Arc(const display::Rect& b, display::Point s, display::Point e) override {
        RecordingSurface::Arc(b, s, e), inner_.Arc(b, s, e);
    }
    void Polygon(std::span<const display::Point> p) override { RecordingSurface::Polygon(p), inner_.Polygon(p); }
    void Polyline(std::span<const display::Point> p) override { RecordingSurface::Polyline(p), inner_.Polyline(p); }
    void TextOut(display::Point p, std::string_view t) override {
        RecordingSurface::TextOut(p, t), inner_.TextOut(p, t);
    }
    void FillRect(const display::Rect& r, display::Color c) override {
        RecordingSurface::FillRect(r, c), inner_.FillRect(r, c);
    }
    void PlayMetafile(const std::string& bytes, const display::Rect& r) override {
        RecordingSurface::PlayMetafile(bytes, r), inner_.PlayMetafile(bytes, r);
    }

private:
    display::Surface& inner_;
};

}  // namespace sheet_test
