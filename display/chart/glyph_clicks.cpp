#include "display/chart/glyph_clicks.h"

#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

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
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"

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

void ShowLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& l : lines) text << gui::ToQt(l);
    memo->setPlainText(text.join('\n'));
}

void AppendLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
    for (const std::string& l : lines) memo->appendPlainText(gui::ToQt(l));
}

std::string Two(int v) { return engine::IntToStrZeroPad(v, 2); }

std::string PlanetImageFile(int body) { return "Simboli\\PiaX" + Two(body) + ".emf"; }
std::string SignImageFile(int sign) { return "Zodiaco\\SegM" + Two(sign) + ".emf"; }

void ShowImages(TFgrKelvo& form, const std::string& file) {
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
void AntisciaStep(TFgrKelvo& form, int index, const std::string& kind) {
    ClearChartArea(form.Canvas());
    RedrawNatalChart(form);
    if (AntisciaDrawer())
        AntisciaDrawer()(form, form.Canvas(), index, Chart.HouseCusps[1], Geometry.WheelCentreX,
                         Geometry.WheelCentreY, kind);
}

void BodyStep(TFgrKelvo& form, int b) {
    ResetViewCycles(b);
    form.Memo1->clear();
    if (b < 8) {
        ShowImages(form, PlanetImageFile(b));
    } else {
        form.Image2->hide();
        form.Image1->hide();
    }
    unsigned char& t = KelvoState.BodyClickStep[b];
    if (t == 3 && b < 8) {
        ++t;
        ShowHelpMessage(30);
        AntisciaStep(form, b, "Pia");
    } else if (t == 2) {
        ++t;
        ShowHelpMessage(28);
        form.PanelQuor->hide();
    } else if (t == 1 && b < 10) {
        ++t;
        ShowAssociatedRemedies(form);
        ShowHelpMessage(29);
    } else if (t == 0) {
        ++t;
        ShowPlanetAttributes(form, b);
        ShowHelpMessage(28);
    }
    if (t > 3) t = 0;
}

void SignStep(TFgrKelvo& form, int s) {
    form.Memo1->clear();
    ShowImages(form, SignImageFile(s));
    ResetViewCycles(s);
    unsigned char& t = KelvoState.SignClickStep[s];
    if (t == 3) {
        ++t;
        ShowHelpMessage(33);
        AntisciaStep(form, s, "Seg");
    } else if (t == 2) {
        ++t;
        ShowHelpMessage(31);
        form.PanelQuor->hide();
    } else if (t == 1) {
        ++t;
        ShowHelpMessage(32);
        ShowAssociatedRemedies(form);
    } else if (t == 0) {
        ++t;
        ShowHelpMessage(31);
        ShowSignAttributes(form, s);
    }
    if (t > 3) t = 0;
}

// Clicks on the two captions of the signature-search panel.
class CaptionClickFilter : public QObject {
public:
    CaptionClickFilter(TFgrKelvo& form) : QObject(&form), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            if (watched == form_.LbExtraPia) gui::Guard([this] { LbExtraPiaClick(form_); });
            if (watched == form_.LbExtraSeg) gui::Guard([this] { LbExtraSegClick(form_); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TFgrKelvo& form_;
};

}  // namespace

void SetAntisciaLinesDrawer(AntisciaLinesDrawer drawer) { AntisciaDrawer() = std::move(drawer); }

void ResetGlyphClickState() { ClickState = GlyphClickState{}; }

void LoadGlyphImage(QLabel* image, const std::string& fileName) {
    std::string bytes;
    try {
        bytes = rt::ReadFileBytes(fileName);
    } catch (const rt::IoError& e) {
        ReportFileErrorOnce(fileName, e);
        image->clear();
        return;
    }
    QImage picture(96, 96, QImage::Format_RGB32);
    picture.fill(Qt::black);
    {
        PainterSurface surface(&picture);
        surface.PlayMetafile(bytes, Rect{4, 4, 92, 92});
        surface.Flush();
    }
    image->setPixmap(QPixmap::fromImage(picture));
}

void InstallGlyphClicks(TFgrKelvo& form) {
    SetGlyphClickHandler([](TFgrKelvo& f, const GlyphHit& hit) { GlyphMouseDown(f, hit.x, hit.y); });
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

void GlyphMouseDown(TFgrKelvo& form, int x, int y) {
    if (KelvoState.VolguineViewActive) return;
    KelvoState.ClickedBody = 0;
    KelvoState.ClickedSign = 0;
    FillDignityBodyNames();
    Surface& dc = form.Canvas();

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
        form.PanelBase->show();
        form.PanelQuor->hide();
        form.Panel3->hide();
        KelvoState.ClickedBody = b;
        KelvoState.ClickedSign = 0;
        KelvoState.ExtraBodyFilter = DignityBodyNames[b];
        form.LbExtraPia->setText(gui::ToQt(DignityBodyNames[b]));
        BlankTitleLines(dc);
        DrawHitMarker(dc, Wheel.PlanetGlyphX[b], Wheel.PlanetGlyphY[b]);
        body = b;
    }
    if (body) BodyStep(form, body);

    int sign = 0;
    for (int s = 1; s <= 12; ++s) {
        if (!CentreHit(Wheel.SignGlyphX[s], Wheel.SignGlyphY[s], x, y)) continue;
        form.PanelBase->show();
        form.Panel3->hide();
        form.PanelQuor->hide();
        KelvoState.ClickedSign = s;
        KelvoState.ClickedBody = 0;
        BlankTitleLines(dc);
        DrawHitMarker(dc, Wheel.SignGlyphX[s], Wheel.SignGlyphY[s]);
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

void GlyphMouseUp(TFgrKelvo& form) {
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

void ShowPlanetAttributes(TFgrKelvo& form, int body) {
    form.MemoL1->clear();
    const AttributionTexts t = PlanetAttributionTexts(body, ReportMissing);
    ShowLines(form.MemoL1, t.specific);
    ShowLines(form.MemoL2, t.general);
    form.LabSpecific->setText(gui::ToQt(t.specificLabel));
    form.LabGeneral->setText(gui::ToQt(t.generalLabel));
    form.LabSpecific->adjustSize();
    form.LabGeneral->adjustSize();
}

void ShowSignAttributes(TFgrKelvo& form, int sign) {
    for (int s = 1; s <= 12; ++s) SignNames[s] = kAttributionSignNames[s];
    const AttributionTexts t = SignAttributionTexts(sign, ReportMissing);
    ShowLines(form.MemoL1, t.specific);
    ShowLines(form.MemoL2, t.general);
    form.LabSpecific->setText(gui::ToQt(t.specificLabel));
    form.LabGeneral->setText(gui::ToQt(t.generalLabel));
    form.LabSpecific->adjustSize();
    form.LabGeneral->adjustSize();
}

void ListPointsInSegments(TFgrKelvo& form, SegmentKind kind, bool dodecatemoria, const SegmentTables& tables) {
    if (kind == SegmentKind::Terms) form.MemoAspetti->clear();
    if (kind == SegmentKind::Decans) form.MemoAspetti->appendPlainText("  ");
    if (kind == SegmentKind::Decades) form.MemoAspetti->appendPlainText("    ");
    form.MemoAspetti->appendPlainText(gui::ToQt(SegmentHeading(kind, dodecatemoria)));
    std::vector<std::string> lines;
    try {
        lines = rt::ReadTextLines(kPlanetSpecificFile);
    } catch (const rt::IoError& e) {
        ReportFileErrorOnce(kPlanetSpecificFile, e);
    }
    AppendLines(form.MemoAspetti, SegmentListLines(kind, tables, lines));
}

void ListPlanetsInSegments(TFgrKelvo& form) {
    const SegmentTables tables = PlanetSegmentTables();
    for (SegmentKind k : {SegmentKind::Terms, SegmentKind::Decans, SegmentKind::Decades})
        ListPointsInSegments(form, k, false, tables);
}

void BBextraOkClick(TFgrKelvo& form) {
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

void LbExtraPiaClick(TFgrKelvo& form) {
    form.LbExtraPia->clear();
    KelvoState.ExtraBodyFilter = "Ieder";
}

void LbExtraSegClick(TFgrKelvo& form) {
    form.LbExtraSeg->clear();
    KelvoState.ExtraSignFilter = "Ieder";
}

}  // namespace display
