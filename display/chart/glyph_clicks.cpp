#include "display/chart/glyph_clicks.h"

#include "display/draw/glyphs.h"

#include <QEvent>
#include <array>
#include <functional>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
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
#include "display/wheel/wheel_state.h"
#include "engine/position_text.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/io_error.h"

namespace display {

using engine::Chart;

namespace {

struct GlyphClickState {
    int ExtraSearchStep = 0;  // 0 remedies, 1 pathologies
};
GlyphClickState ClickState;

AntisciaLinesDrawer& AntisciaDrawer() {
    static AntisciaLinesDrawer drawer;
    return drawer;
}

void ReportMissing(const std::string& name, const rt::IoError& e) { ReportFileErrorOnce(name, e); }

std::string Two(int v) { return engine::IntToStrZeroPad(v, 2); }

std::string PlanetImageFile(int body) { return "Simboli\\PiaX" + Two(body) + ".emf"; }
std::string SignImageFile(int sign) { return "Zodiaco\\SegM" + Two(sign) + ".emf"; }

void ShowImages(ChartWindow& form, const std::string& file) {
    form.Image2->show();
    form.Image1->show();
    LoadGlyphImage(form.Image2, file);
    LoadGlyphImage(form.Image1, file);
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
    if (AntisciaDrawer())
        AntisciaDrawer()(form.Canvas(), index, Chart.HouseCusps[1], Geometry.WheelCentreX, Geometry.WheelCentreY,
                         kind);
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
void RunClickStep(unsigned char& t, const std::array<ClickStep, 4>& steps) {
    if (t <= 3 && steps[t].applies) {
        const ClickStep& step = steps[t];
        ++t;
        ShowHelpMessage(step.help);
        step.action();
    }
    if (t > 3) t = 0;
}

void BodyStep(ChartWindow& form, int b) {
    ResetViewCycles(b);
    form.Memo1->clear();
    if (b < 8) {
        ShowImages(form, PlanetImageFile(b));
    } else {
        form.Image2->hide();
        form.Image1->hide();
    }
    RunClickStep(KelvoState.BodyClickStep[b], {{
                                                  {true, 28, [&] { ShowPlanetAttributes(form, b); }},
                                                  {b < 10, 29, [&] { ShowAssociatedRemedies(form); }},
                                                  {true, 28, [&] { form.PanelQuor->hide(); }},
                                                  {b < 8, 30, [&] { AntisciaStep(form, b, "Pia"); }},
                                              }});
}

void SignStep(ChartWindow& form, int s) {
    form.Memo1->clear();
    ShowImages(form, SignImageFile(s));
    ResetViewCycles(s);
    RunClickStep(KelvoState.SignClickStep[s], {{
                                                  {true, 31, [&] { ShowSignAttributes(form, s); }},
                                                  {true, 32, [&] { ShowAssociatedRemedies(form); }},
                                                  {true, 31, [&] { form.PanelQuor->hide(); }},
                                                  {true, 33, [&] { AntisciaStep(form, s, "Seg"); }},
                                              }});
}

// A hit on a body or a sign: the attribution panel in front, the hit recorded,
// the title lines beside the chart blanked and the red marker drawn.
void MarkHit(ChartWindow& form, int body, int sign, Real cx, Real cy) {
    form.PanelBase->show();
    form.PanelQuor->hide();
    form.Panel3->hide();
    KelvoState.ClickedBody = body;
    KelvoState.ClickedSign = sign;
    BlankTitleLines(form.Canvas());
    DrawHitMarker(form.Canvas(), cx, cy);
}

void ShowAttributionTexts(ChartWindow& form, const AttributionTexts& t) {
    ShowLinesIn(form.MemoL1, t.specific);
    ShowLinesIn(form.MemoL2, t.general);
    form.LabSpecific->setText(gui::ToQt(t.specificLabel));
    form.LabGeneral->setText(gui::ToQt(t.generalLabel));
    // A caption runs at most to the glyph picture beside it (the specific one)
    // or to the panel's edge; a longer one is written a point smaller at a time.
    const std::pair<QLabel*, int> captions[] = {{form.LabSpecific, form.Image2->x()},
                                                 {form.LabGeneral, form.PanelBase->width()}};
    for (const auto& [label, limit] : captions) {
        QFont f = form.PanelBase->font();
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
            if (watched == form_.LbExtraPia) gui::Guard([this] { LbExtraPiaClick(form_); });
            if (watched == form_.LbExtraSeg) gui::Guard([this] { LbExtraSegClick(form_); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ChartWindow& form_;
};

}  // namespace

void SetAntisciaLinesDrawer(AntisciaLinesDrawer drawer) { AntisciaDrawer() = std::move(drawer); }

void ResetGlyphClickState() { ClickState = GlyphClickState{}; }

void LoadGlyphImage(QLabel* image, const std::string& fileName) {
    // The glyph loader's own check: a missing or damaged glyph is told once and
    // never played.
    const auto bytes = ReadSoundGlyph(fileName);
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
    SetGlyphClickHandler([](ChartWindow& f, const GlyphHit& hit) { GlyphMouseDown(f, hit.x, hit.y); });
    SetAntisciaLinesDrawer([](Surface& dc, int index, Real, Real x, Real y, const std::string& kind) {
        DrawAntisciaOfClicked(dc, index, x, y, kind, KelvoState.DodecatemoriaMode);
    });
    ConnectPlantsPanel(form);
    QObject::connect(form.BBextraOk, &QPushButton::clicked, &form,
                     [&form] { gui::Guard([&form] { BBextraOkClick(form); }); });
    auto* filter = new CaptionClickFilter(form);
    form.LbExtraPia->installEventFilter(filter);
    form.LbExtraSeg->installEventFilter(filter);
    form.MemoExtra->setPlainText(
        "Kies met een klik op een planeet en op een teken de signatuur; een klik op de naam "
        "hieronder maakt die weer vrij (Ieder). \"Zoeken\" toont eerst de remedies, daarna "
        "de pathologien met die signatuur.");
}

void GlyphMouseDown(ChartWindow& form, int x, int y) {
    if (KelvoState.VolguineViewActive) return;
    KelvoState.ClickedBody = 0;
    KelvoState.ClickedSign = 0;
    FillDignityBodyNames();

    // Dignity glyphs: the plants at once, no marker, no step.
    for (int d = 1; d <= 7; ++d) {
        if (!CentreHit(KelvoState.DignityGlyphCentreX[d], KelvoState.DignityGlyphCentreY[d], x, y)) continue;
        form.Panel3->hide();
        KelvoState.ClickedBody = d;
        KelvoState.ExtraBodyFilter = DignityBodyNames[d];
        form.LbExtraPia->setText(gui::ToQt(DignityBodyNames[d]));
        ShowAssociatedRemedies(form);
        ShowImages(form, PlanetImageFile(d));
    }
    KelvoState.ClickedBody = 0;
    KelvoState.ClickedSign = 0;

    int body = 0;
    for (int b = 1; b <= 11; ++b) {
        if (!CentreHit(Wheel.PlanetGlyphX[b], Wheel.PlanetGlyphY[b], x, y)) continue;
        KelvoState.ExtraBodyFilter = DignityBodyNames[b];
        form.LbExtraPia->setText(gui::ToQt(DignityBodyNames[b]));
        MarkHit(form, b, 0, Wheel.PlanetGlyphX[b], Wheel.PlanetGlyphY[b]);
        body = b;
    }
    if (body) BodyStep(form, body);

    int sign = 0;
    for (int s = 1; s <= 12; ++s) {
        if (!CentreHit(Wheel.SignGlyphX[s], Wheel.SignGlyphY[s], x, y)) continue;
        MarkHit(form, 0, s, Wheel.SignGlyphX[s], Wheel.SignGlyphY[s]);
        const std::string name = SignNames[s].empty() ? kAttributionSignNames[s] : SignNames[s];
        KelvoState.ExtraSignFilter = name;
        form.LbExtraSeg->setText(gui::ToQt(name));
        sign = s;
    }
    if (sign) SignStep(form, sign);

    if (!body && !sign) form.MemoL1->clear();
}

void ForgetGlyphCentres() {
    Wheel.PlanetGlyphX.fill(0);
    Wheel.PlanetGlyphY.fill(0);
    Wheel.SignGlyphX.fill(0);
    Wheel.SignGlyphY.fill(0);
    ClearDignityGlyphCentres();
}

void GlyphMouseUp(ChartWindow& form) {
    if (KelvoState.VolguineViewActive) return;
    Surface& dc = form.Canvas();
    for (int i = 1; i <= 12; ++i) {
        const Real centres[2][2] = {{Wheel.PlanetGlyphX[i], Wheel.PlanetGlyphY[i]},
                                    {Wheel.SignGlyphX[i], Wheel.SignGlyphY[i]}};
        for (const auto& c : centres) {
            if (c[0] == 0 && c[1] == 0) continue;  // no glyph there
            ScopedPen pen(dc, 2);
            ScopedBrush brush(dc, 1);
            EllipseScaled(dc, c[0] - 1.5L, c[1] - 1.5L, c[0] + 1.5L, c[1] + 1.5L);
        }
    }
}

void ShowPlanetAttributes(ChartWindow& form, int body) {
    form.MemoL1->clear();
    ShowAttributionTexts(form, PlanetAttributionTexts(body, ReportMissing));
}

void ShowSignAttributes(ChartWindow& form, int sign) {
    for (int s = 1; s <= 12; ++s) SignNames[s] = kAttributionSignNames[s];
    ShowAttributionTexts(form, SignAttributionTexts(sign, ReportMissing));
}

void BBextraOkClick(ChartWindow& form) {
    form.PanelSegnaPato->show();
    ShowHelpMessage(34);
    const std::string filters = KelvoState.ExtraBodyFilter + "/" + KelvoState.ExtraSignFilter;
    if (ClickState.ExtraSearchStep == 0) {
        form.LabExtra2->setText(gui::ToQt("REMEDIES met teken " + filters));
        ClickState.ExtraSearchStep = 1;
    } else {
        form.LabExtra2->setText(gui::ToQt("PATHOLOGIEN met teken " + filters));
        ClickState.ExtraSearchStep = 0;
    }
    form.LabExtra2->adjustSize();
    form.LabExtra1->clear();
}

void LbExtraPiaClick(ChartWindow& form) {
    form.LbExtraPia->clear();
    KelvoState.ExtraBodyFilter = "Ieder";
}

void LbExtraSegClick(ChartWindow& form) {
    form.LbExtraSeg->clear();
    KelvoState.ExtraSignFilter = "Ieder";
}

}  // namespace display
