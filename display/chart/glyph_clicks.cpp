#include "display/chart/glyph_clicks.h"

#include "archive/current_chart.h"
#include "display/draw/glyphs.h"

#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <functional>

#include "display/chart/antiscia_lines.h"
#include "display/chart/chart_window.h"
#include "display/chart/plants_panel.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/painter_surface.h"
#include "display/draw/primitives.h"
#include "display/wheel/body_names.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/position_files.h"
#include "display/wheel/wheel_reports.h"
#include "display/wheel/wheel_state.h"
#include "engine/position_text.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/io_error.h"

namespace display {

namespace {

std::string Two(int v) { return engine::IntToStrZeroPad(v, 2); }

std::string PlanetImageFile(int body) { return "Simboli\\PiaX" + Two(body) + ".emf"; }
std::string SignImageFile(int sign) { return "Zodiaco\\SegM" + Two(sign) + ".emf"; }

// The red marker of a hit: a filled red disc of 1.5 units about the centre.
void DrawHitMarker(Surface& dc, Real cx, Real cy) {
    ScopedPen pen(dc, 2);
    ScopedBrush brush(dc, Rgb(255, 0, 0));
    EllipseScaled(dc, cx - 1.5L, cy - 1.5L, cx + 1.5L, cy + 1.5L);
}

// Overwrites the two title lines beside the chart square.
void BlankTitleLines(Surface& dc) {
    const std::string blanks(50, ' ');
    TextOutLeft(dc, blanks, 2, 197, 2);
    TextOutLeft(dc, blanks, 2, 197, 48);
}

}  // namespace

bool CentreHit(const DrawingState& drawing, Real cx, Real cy, int x, int y) {
    if (cx == 0 && cy == 0) return false;  // a cleared centre
    const Real k = drawing.pixelsPerUnit * drawing.zoomFactor;
    const Real mx = x - drawing.originX;
    const Real my = y - drawing.originY;
    return (cx * k - 15) / drawing.aspectScaleX < mx && mx < (cx * k + 15) / drawing.aspectScaleX &&
           (cy * k - 15) / drawing.aspectScaleY < my && my < (cy * k + 15) / drawing.aspectScaleY;
}

GlyphHit FindGlyphHit(const DrawingState& drawing, const NatalWheelState& wheel, int x, int y) {
    GlyphHit hit;
    for (int d = 1; d <= 7; ++d)
        if (CentreHit(drawing, wheel.dignityGlyphX[d - 1], wheel.dignityGlyphY[d - 1], x, y))
            hit.dignities.push_back(d);
    for (ChartPoint p : kChartPoints)
        if (CentreHit(drawing, wheel.planetGlyphX[p], wheel.planetGlyphY[p], x, y))
            hit.bodies.push_back(ChartPointNumber(p));
    for (engine::Sign s : engine::kSigns)
        if (CentreHit(drawing, wheel.signGlyphX[s], wheel.signGlyphY[s], x, y))
            hit.signs.push_back(engine::SignNumber(s));
    if (!hit.bodies.empty()) hit.body = hit.bodies.back();
    if (!hit.signs.empty()) hit.sign = hit.signs.back();
    return hit;
}

// What one step of a glyph's click cycle does: its help entry and action,
// when the step applies to the glyph.
struct GlyphClickResponder::ClickStep {
    bool applies = true;
    int help = 0;
    std::function<void()> action;
};

GlyphClickResponder::GlyphClickResponder(const GlyphClickParts& parts, AntisciaLinesDrawer antisciaLines,
                                         QObject* parent)
    : QObject(parent), parts_(parts), antisciaLines_(std::move(antisciaLines)) {
    if (!antisciaLines_) {
        // The window's own drawing, over its chart and wheel.
        antisciaLines_ = [this](Surface& dc, int index, Real, PagePoint wheelCentre, const std::string& kind) {
            DrawAntisciaOfClicked(dc, parts_.window.CurrentPerson().chart, parts_.window.NatalWheel(),
                                  {.index = index, .kind = kind}, wheelCentre, parts_.state.dodecatemoriaMode);
        };
    }
    const SignatureSearchControls& search = parts_.search;
    connect(search.searchButton, &QPushButton::clicked, this,
            [this] { gui::Guard([this] { ShowSignatureSearch(); }); });
    search.planetFilterLabel->installEventFilter(this);
    search.signFilterLabel->installEventFilter(this);
    search.memo->setPlainText(
        "Kies met een klik op een planeet en op een teken de signatuur; een klik op de naam "
        "hieronder maakt die weer vrij (Ieder). \"Zoeken\" toont eerst de remedies, daarna "
        "de pathologien met die signatuur.");
}

// Clicks on the two captions of the signature-search panel.
bool GlyphClickResponder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == parts_.search.planetFilterLabel) gui::Guard([this] { ClearPlanetFilter(); });
        if (watched == parts_.search.signFilterLabel) gui::Guard([this] { ClearSignFilter(); });
    }
    return QObject::eventFilter(watched, event);
}

// A missing file of the attribution texts, told once by the window.
MissingFileReport GlyphClickResponder::ReportMissing() {
    return [this](const std::string& name, const rt::IoError& e) {
        parts_.window.NatalWheel().fileErrors.ReportOnce(name, e);
    };
}

// The glyph's picture in the attribution panel and in the plants panel.
void GlyphClickResponder::ShowImages(const std::string& file) {
    parts_.attribution.glyphImage->show();
    parts_.plants.ShowGlyph();
    LoadGlyphImage(parts_.drawing, parts_.attribution.glyphImage, file);
    parts_.plants.LoadGlyph(parts_.drawing, file);
}

// The natal chart drawn again on a cleared chart square, then the antiscia of
// the clicked point over it.
void GlyphClickResponder::AntisciaStep(int index, const std::string& kind) {
    ChartWindow& window = parts_.window;
    window.ClearChartSquare();
    window.RedrawNatalChart();
    const PagePoint wheelCentre{static_cast<Real>(window.WheelGeometry().wheelCentreX),
                                static_cast<Real>(window.WheelGeometry().wheelCentreY)};
    antisciaLines_(window.Canvas(), index, window.CurrentPerson().chart.cusps[1], wheelCentre, kind);
}

// Performs the step t of a glyph's cycle of four when it applies, advancing t
// (back to 0 after the last); a step that does not apply leaves t where it is.
void GlyphClickResponder::RunClickStep(unsigned char& t, const std::array<ClickStep, 4>& steps) {
    if (t <= 3 && steps[t].applies) {
        const ClickStep& step = steps[t];
        ++t;
        parts_.window.ShowHelpEntry(step.help);
        step.action();
    }
    if (t > 3) t = 0;
}

void GlyphClickResponder::BodyStep(int b) {
    ChartWindowState& state = parts_.state;
    ResetViewCycles(state, b);
    parts_.helpMemo->clear();
    if (b < 8) {
        ShowImages(PlanetImageFile(b));
    } else {
        parts_.attribution.glyphImage->hide();
        parts_.plants.HideGlyph();
    }
    RunClickStep(state.bodyClickStep[ChartPointOfNumber(b)],
                 {{
                     {true, 28, [&] { ShowPlanetAttributes(b); }},
                     {b < 10, 29, [&] { parts_.plants.ShowPlantsOf(b, 0); }},
                     {true, 28, [&] { parts_.plants.Close(); }},
                     {b < 8, 30, [&] { AntisciaStep(b, "Pia"); }},
                 }});
}

void GlyphClickResponder::SignStep(int s) {
    ChartWindowState& state = parts_.state;
    parts_.helpMemo->clear();
    ShowImages(SignImageFile(s));
    ResetViewCycles(state, s);
    RunClickStep(state.signClickStep[engine::SignOfNumber(s)],
                 {{
                     {true, 31, [&] { ShowSignAttributes(s); }},
                     {true, 32, [&] { parts_.plants.ShowPlantsOf(0, s); }},
                     {true, 31, [&] { parts_.plants.Close(); }},
                     {true, 33, [&] { AntisciaStep(s, "Seg"); }},
                 }});
}

// A hit on a body or a sign: the attribution panel in front, the hit recorded,
// the title lines beside the chart blanked and the red marker drawn.
void GlyphClickResponder::MarkHit(int body, int sign, Real cx, Real cy) {
    parts_.attribution.panel->show();
    parts_.plants.Close();
    parts_.window.CloseAspectList();
    parts_.state.clickedBody = body;
    parts_.state.clickedSign = sign;
    BlankTitleLines(parts_.window.Canvas());
    DrawHitMarker(parts_.window.Canvas(), cx, cy);
}

void GlyphClickResponder::ShowAttributionTexts(const AttributionTexts& t) {
    const AttributionControls& a = parts_.attribution;
    ShowLinesIn(a.specificMemo, t.specific);
    ShowLinesIn(a.generalMemo, t.general);
    a.specificLabel->setText(gui::ToQt(t.specificLabel));
    a.generalLabel->setText(gui::ToQt(t.generalLabel));
    // A caption runs at most to the glyph picture beside it (the specific one)
    // or to the panel's edge; a longer one is written a point smaller at a time.
    const std::pair<QLabel*, int> captions[] = {{a.specificLabel, a.glyphImage->x()},
                                                {a.generalLabel, a.panel->width()}};
    for (const auto& [label, limit] : captions) {
        QFont f = a.panel->font();
        label->setFont(f);
        label->adjustSize();
        while (label->x() + label->width() > limit - 2 && f.pointSize() > 6) {
            f.setPointSize(f.pointSize() - 1);
            label->setFont(f);
            label->adjustSize();
        }
    }
}

void LoadGlyphImage(DrawingState& drawing, QLabel* image, const std::string& fileName) {
    // The glyph loader's own check: a missing or damaged glyph is told once and
    // never played.
    const auto bytes = ReadSoundGlyph(drawing, fileName);
    if (!bytes) {
        image->clear();
        return;
    }
    QImage picture(96, 96, QImage::Format_RGB32);
    picture.fill(Qt::black);
    {
        PainterSurface surface(&picture);
        surface.PlayMetafile(*bytes, Rect{4, 4, 92, 92});
        surface.Flush();
    }
    image->setPixmap(QPixmap::fromImage(picture));
}

void GlyphClickResponder::Answer(const GlyphHit& hit) {
    ChartWindowState& state = parts_.state;
    const NatalWheelState& wheel = parts_.window.NatalWheel();
    QLabel* planetFilter = parts_.search.planetFilterLabel;

    // Dignity glyphs: the plants at once, no marker, no step.
    for (int d : hit.dignities) {
        parts_.window.CloseAspectList();
        state.clickedBody = d;
        state.searchBodyFilter = std::string(kDignityBodyNames[static_cast<std::size_t>(d - 1)]);
        planetFilter->setText(gui::ToQt(state.searchBodyFilter));
        parts_.plants.ShowPlantsOf(d, 0);
        ShowImages(PlanetImageFile(d));
    }
    state.clickedBody = 0;
    state.clickedSign = 0;

    for (int b : hit.bodies) {
        state.searchBodyFilter = std::string(kDignityBodyNames[static_cast<std::size_t>(b - 1)]);
        planetFilter->setText(gui::ToQt(state.searchBodyFilter));
        MarkHit(b, 0, wheel.planetGlyphX[ChartPointOfNumber(b)], wheel.planetGlyphY[ChartPointOfNumber(b)]);
    }
    if (hit.body) BodyStep(hit.body);

    for (int s : hit.signs) {
        const engine::Sign sign = engine::SignOfNumber(s);
        MarkHit(0, s, wheel.signGlyphX[sign], wheel.signGlyphY[sign]);
        const std::string name =
            state.wheelSignNames ? std::string(kSignNames[sign]) : std::string(kAttributionSignNames[sign]);
        state.searchSignFilter = name;
        parts_.search.signFilterLabel->setText(gui::ToQt(name));
    }
    if (hit.sign) SignStep(hit.sign);

    if (!hit.body && !hit.sign) parts_.attribution.specificMemo->clear();
}

void GlyphClickResponder::ForgetGlyphCentres() {
    NatalWheelState& wheel = parts_.window.NatalWheel();
    wheel.planetGlyphX.fill(0);
    wheel.planetGlyphY.fill(0);
    wheel.signGlyphX.fill(0);
    wheel.signGlyphY.fill(0);
    ClearDignityGlyphCentres(wheel);
}

void GlyphClickResponder::RedrawGlyphRings() {
    if (parts_.state.volguineViewActive) return;
    Surface& dc = parts_.window.Canvas();
    const NatalWheelState& wheel = parts_.window.NatalWheel();
    // A point's marker and a sign's in turn, the Sun's and Aries' first.
    for (engine::Sign sign : engine::kSigns) {
        const auto k = static_cast<int>(sign);
        PagePoint centres[2] = {{}, {wheel.signGlyphX[sign], wheel.signGlyphY[sign]}};
        if (k < kWheelPointCount) {
            const auto point = static_cast<ChartPoint>(k);
            centres[0] = {wheel.planetGlyphX[point], wheel.planetGlyphY[point]};
        }
        for (const PagePoint& c : centres) {
            if (c.x == 0 && c.y == 0) continue;  // no glyph there
            ScopedPen pen(dc, 2);
            ScopedBrush brush(dc, 1);
            EllipseScaled(dc, c.x - 1.5L, c.y - 1.5L, c.x + 1.5L, c.y + 1.5L);
        }
    }
}

void GlyphClickResponder::ShowPlanetAttributes(int body) {
    parts_.attribution.specificMemo->clear();
    ShowAttributionTexts(PlanetAttributionTexts(parts_.window.CurrentPerson().chart, body, ReportMissing()));
}

void GlyphClickResponder::ShowSignAttributes(int sign) {
    parts_.state.wheelSignNames = false;
    ShowAttributionTexts(SignAttributionTexts(sign, ReportMissing()));
}

void GlyphClickResponder::ShowSignatureSearch() {
    ChartWindowState& state = parts_.state;
    const SignatureSearchControls& search = parts_.search;
    search.resultsPanel->show();
    parts_.window.ShowHelpEntry(34);
    const std::string filters = state.searchBodyFilter + "/" + state.searchSignFilter;
    if (state.signatureSearchStep == 0) {
        search.resultLabels[1]->setText(gui::ToQt("REMEDIES met teken " + filters));
        state.signatureSearchStep = 1;
    } else {
        search.resultLabels[1]->setText(gui::ToQt("PATHOLOGIEN met teken " + filters));
        state.signatureSearchStep = 0;
    }
    search.resultLabels[1]->adjustSize();
    search.resultLabels[0]->clear();
}

void GlyphClickResponder::ClearPlanetFilter() {
    parts_.search.planetFilterLabel->clear();
    parts_.state.searchBodyFilter = "Ieder";
}

void GlyphClickResponder::ClearSignFilter() {
    parts_.search.signFilterLabel->clear();
    parts_.state.searchSignFilter = "Ieder";
}

}  // namespace display
