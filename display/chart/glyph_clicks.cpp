#include "display/chart/glyph_clicks.h"

#include "archive/current_chart.h"
#include "display/draw/glyphs.h"

#include <QEvent>
#include <array>
#include <functional>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QPlainTextEdit>
#include <QPushButton>

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
#include "display/wheel/wheel_reports.h"
#include "display/wheel/position_files.h"
#include "display/wheel/wheel_state.h"
#include "engine/position_text.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/io_error.h"

namespace display {

namespace {

// A missing file of the attribution texts, told once by the window.
MissingFileReport ReportMissing(ChartWindow& form) {
    return [&form](const std::string& name, const rt::IoError& e) { form.NatalWheel().FileErrors.ReportOnce(name, e); };
}

std::string Two(int v) { return engine::IntToStrZeroPad(v, 2); }

std::string PlanetImageFile(int body) { return "Simboli\\PiaX" + Two(body) + ".emf"; }
std::string SignImageFile(int sign) { return "Zodiaco\\SegM" + Two(sign) + ".emf"; }

void ShowImages(ChartWindow& form, const std::string& file) {
    form.attributionGlyphImage->show();
    form.plantsGlyphImage->show();
    LoadGlyphImage(form.drawing, form.attributionGlyphImage, file);
    LoadGlyphImage(form.drawing, form.plantsGlyphImage, file);
}

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

// The natal chart drawn again on a cleared chart square, then the antiscia of
// the clicked point over it.
void AntisciaStep(ChartWindow& form, int index, const std::string& kind) {
    form.ClearChartSquare();
    RedrawNatalChart(form);
    if (form.antisciaLinesDrawer)
        form.antisciaLinesDrawer(form.Canvas(), index, form.CurrentPerson().chart.cusps[1],
                                 form.WheelGeometry().WheelCentreX, form.WheelGeometry().WheelCentreY, kind);
}

// What one step of a glyph's click cycle does: its help entry and action,
// when the step applies to the glyph.
struct ClickStep {
    bool applies = true;
    int help = 0;
    std::function<void()> action;
};

// Performs the step t of a glyph's cycle of four when it applies, advancing t
// (back to 0 after the last); a step that does not apply leaves t where it is.
void RunClickStep(ChartWindow& form, unsigned char& t, const std::array<ClickStep, 4>& steps) {
    if (t <= 3 && steps[t].applies) {
        const ClickStep& step = steps[t];
        ++t;
        form.ShowHelpEntry(step.help);
        step.action();
    }
    if (t > 3) t = 0;
}

void BodyStep(ChartWindow& form, int b) {
    ResetViewCycles(form.status, b);
    form.helpMemo->clear();
    if (b < 8) {
        ShowImages(form, PlanetImageFile(b));
    } else {
        form.attributionGlyphImage->hide();
        form.plantsGlyphImage->hide();
    }
    RunClickStep(form, form.status.BodyClickStep[b], {{
                                                         {true, 28, [&] { ShowPlanetAttributes(form, b); }},
                                                         {b < 10, 29, [&] { ShowAssociatedRemedies(form); }},
                                                         {true, 28, [&] { form.plantsPanel->hide(); }},
                                                         {b < 8, 30, [&] { AntisciaStep(form, b, "Pia"); }},
                                                     }});
}

void SignStep(ChartWindow& form, int s) {
    form.helpMemo->clear();
    ShowImages(form, SignImageFile(s));
    ResetViewCycles(form.status, s);
    RunClickStep(form, form.status.SignClickStep[s], {{
                                                         {true, 31, [&] { ShowSignAttributes(form, s); }},
                                                         {true, 32, [&] { ShowAssociatedRemedies(form); }},
                                                         {true, 31, [&] { form.plantsPanel->hide(); }},
                                                         {true, 33, [&] { AntisciaStep(form, s, "Seg"); }},
                                                     }});
}

// A hit on a body or a sign: the attribution panel in front, the hit recorded,
// the title lines beside the chart blanked and the red marker drawn.
void MarkHit(ChartWindow& form, int body, int sign, Real cx, Real cy) {
    form.attributionPanel->show();
    form.plantsPanel->hide();
    form.aspectListPanel->hide();
    form.status.ClickedBody = body;
    form.status.ClickedSign = sign;
    BlankTitleLines(form.Canvas());
    DrawHitMarker(form.Canvas(), cx, cy);
}

void ShowAttributionTexts(ChartWindow& form, const AttributionTexts& t) {
    ShowLinesIn(form.specificMemo, t.specific);
    ShowLinesIn(form.generalMemo, t.general);
    form.specificLabel->setText(gui::ToQt(t.specificLabel));
    form.generalLabel->setText(gui::ToQt(t.generalLabel));
    // A caption runs at most to the glyph picture beside it (the specific one)
    // or to the panel's edge; a longer one is written a point smaller at a time.
    const std::pair<QLabel*, int> captions[] = {{form.specificLabel, form.attributionGlyphImage->x()},
                                                 {form.generalLabel, form.attributionPanel->width()}};
    for (const auto& [label, limit] : captions) {
        QFont f = form.attributionPanel->font();
        label->setFont(f);
        label->adjustSize();
        while (label->x() + label->width() > limit - 2 && f.pointSize() > 6) {
            f.setPointSize(f.pointSize() - 1);
            label->setFont(f);
            label->adjustSize();
        }
    }
}

// Clicks on the two captions of the signature-search panel.
class CaptionClickFilter : public QObject {
public:
    CaptionClickFilter(ChartWindow& form) : QObject(&form), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            if (watched == form_.planetFilterLabel) gui::Guard([this] { ClearPlanetFilter(form_); });
            if (watched == form_.signFilterLabel) gui::Guard([this] { ClearSignFilter(form_); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ChartWindow& form_;
};

}  // namespace

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

void InstallGlyphClicks(ChartWindow& form) {
    form.glyphClickHandler = [](ChartWindow& f, const GlyphHit& hit) { PressGlyphsAt(f, hit.x, hit.y); };
    // The drawer belongs to the window, whose chart and wheel it reads.
    form.antisciaLinesDrawer = [&form](Surface& dc, int index, Real, Real x, Real y, const std::string& kind) {
        DrawAntisciaOfClicked(dc, form.CurrentPerson().chart, form.NatalWheel(), {.index = index, .kind = kind}, {x, y},
                              form.status.DodecatemoriaMode);
    };
    ConnectPlantsPanel(form);
    QObject::connect(form.signatureSearchButton, &QPushButton::clicked, &form,
                     [&form] { gui::Guard([&form] { ShowSignatureSearch(form); }); });
    auto* filter = new CaptionClickFilter(form);
    form.planetFilterLabel->installEventFilter(filter);
    form.signFilterLabel->installEventFilter(filter);
    form.signatureMemo->setPlainText(
        "Kies met een klik op een planeet en op een teken de signatuur; een klik op de naam "
        "hieronder maakt die weer vrij (Ieder). \"Zoeken\" toont eerst de remedies, daarna "
        "de pathologien met die signatuur.");
}

void PressGlyphsAt(ChartWindow& form, int x, int y) {
    const NatalWheelState& wheel = form.NatalWheel();
    if (form.status.VolguineViewActive) return;
    form.status.ClickedBody = 0;
    form.status.ClickedSign = 0;

    // Dignity glyphs: the plants at once, no marker, no step.
    for (int d = 1; d <= 7; ++d) {
        if (!CentreHit(form.drawing, form.status.DignityGlyphCentreX[d], form.status.DignityGlyphCentreY[d], x, y))
            continue;
        form.aspectListPanel->hide();
        form.status.ClickedBody = d;
        form.status.SearchBodyFilter = std::string(kDignityBodyNames[d]);
        form.planetFilterLabel->setText(gui::ToQt(form.status.SearchBodyFilter));
        ShowAssociatedRemedies(form);
        ShowImages(form, PlanetImageFile(d));
    }
    form.status.ClickedBody = 0;
    form.status.ClickedSign = 0;

    int body = 0;
    for (int b = 1; b <= 11; ++b) {
        if (!CentreHit(form.drawing, wheel.PlanetGlyphX[b], wheel.PlanetGlyphY[b], x, y)) continue;
        form.status.SearchBodyFilter = std::string(kDignityBodyNames[b]);
        form.planetFilterLabel->setText(gui::ToQt(form.status.SearchBodyFilter));
        MarkHit(form, b, 0, wheel.PlanetGlyphX[b], wheel.PlanetGlyphY[b]);
        body = b;
    }
    if (body) BodyStep(form, body);

    int sign = 0;
    for (int s = 1; s <= 12; ++s) {
        if (!CentreHit(form.drawing, wheel.SignGlyphX[s], wheel.SignGlyphY[s], x, y)) continue;
        MarkHit(form, 0, s, wheel.SignGlyphX[s], wheel.SignGlyphY[s]);
        const std::string name =
            form.status.WheelSignNames ? std::string(kSignNames[s]) : std::string(kAttributionSignNames[s]);
        form.status.SearchSignFilter = name;
        form.signFilterLabel->setText(gui::ToQt(name));
        sign = s;
    }
    if (sign) SignStep(form, sign);

    if (!body && !sign) form.specificMemo->clear();
}

void ForgetGlyphCentres(ChartWindow& form) {
    NatalWheelState& wheel = form.NatalWheel();
    wheel.PlanetGlyphX.fill(0);
    wheel.PlanetGlyphY.fill(0);
    wheel.SignGlyphX.fill(0);
    wheel.SignGlyphY.fill(0);
    ClearDignityGlyphCentres(form.status);
}

void RedrawGlyphRings(ChartWindow& form) {
    if (form.status.VolguineViewActive) return;
    Surface& dc = form.Canvas();
    const NatalWheelState& wheel = form.NatalWheel();
    for (int i = 1; i <= 12; ++i) {
        const Real centres[2][2] = {{wheel.PlanetGlyphX[i], wheel.PlanetGlyphY[i]},
                                    {wheel.SignGlyphX[i], wheel.SignGlyphY[i]}};
        for (const auto& c : centres) {
            if (c[0] == 0 && c[1] == 0) continue;  // no glyph there
            ScopedPen pen(dc, 2);
            ScopedBrush brush(dc, 1);
            EllipseScaled(dc, c[0] - 1.5L, c[1] - 1.5L, c[0] + 1.5L, c[1] + 1.5L);
        }
    }
}

void ShowPlanetAttributes(ChartWindow& form, int body) {
    form.specificMemo->clear();
    ShowAttributionTexts(form, PlanetAttributionTexts(form.CurrentPerson().chart, body, ReportMissing(form)));
}

void ShowSignAttributes(ChartWindow& form, int sign) {
    form.status.WheelSignNames = false;
    ShowAttributionTexts(form, SignAttributionTexts(sign, ReportMissing(form)));
}

void ShowSignatureSearch(ChartWindow& form) {
    form.signatureResultsPanel->show();
    form.ShowHelpEntry(34);
    const std::string filters = form.status.SearchBodyFilter + "/" + form.status.SearchSignFilter;
    if (form.status.SignatureSearchStep == 0) {
        form.signatureResultLabels[1]->setText(gui::ToQt("REMEDIES met teken " + filters));
        form.status.SignatureSearchStep = 1;
    } else {
        form.signatureResultLabels[1]->setText(gui::ToQt("PATHOLOGIEN met teken " + filters));
        form.status.SignatureSearchStep = 0;
    }
    form.signatureResultLabels[1]->adjustSize();
    form.signatureResultLabels[0]->clear();
}

void ClearPlanetFilter(ChartWindow& form) {
    form.planetFilterLabel->clear();
    form.status.SearchBodyFilter = "Ieder";
}

void ClearSignFilter(ChartWindow& form) {
    form.signFilterLabel->clear();
    form.status.SearchSignFilter = "Ieder";
}

}  // namespace display
