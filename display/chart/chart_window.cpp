#include "display/chart/chart_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "display/chart/aspects_and_orbits.h"
#include "display/chart/chart_views.h"
#include "display/chart/dignity_table.h"
#include "display/chart/masters_view.h"
#include "display/chart/plants_panel.h"
#include "display/chart/reduced_wheel.h"
#include "display/wheel/chart_geometry.h"
#include "display/chart/glyph_clicks.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/position_files.h"
#include "display/draw/primitives.h"
#include "display/wheel/wheel_state.h"
#include "engine/dominants.h"
#include "engine/houses.h"
#include "engine/bodies.h"
#include "engine/planetary_hours.h"
#include "engine/receptions.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"

namespace display {

using engine::Chart;

ChartWindowState KelvoState;
TFgrKelvo* FgrKelvo = nullptr;

void ResetChartWindowState() {
    KelvoState = ChartWindowState{};
    ResetGridBodyCount();
    ResetNoDignityFlag();
}

void ResetViewCycles(int k) {
    for (int i = 0; i <= 14; ++i) {
        if (i == k) continue;
        KelvoState.ViewCycle[i] = 0;
        KelvoState.BodyClickStep[i] = 0;
        KelvoState.SignClickStep[i] = 0;
    }
}

void ClearDignityGlyphCentres() {
    KelvoState.DignityGlyphCentreX.fill(0);
    KelvoState.DignityGlyphCentreY.fill(0);
}

namespace {

// Help entries of the sub-views of each view button.
const std::map<int, std::vector<int>>& SubViewHelp() {
    static const std::map<int, std::vector<int>> table = {
        {kViewCoordinates, {2, 3, 4}}, {kViewCloth, {5, 6, 7, 8}},      {kViewArchetype, {9}},
        {kViewAspects, {10, 24, 25, 26}}, {kViewEnergy, {11, 12, 13}},  {kViewAntiscia, {14, 15, 16, 17}},
        {kViewDodecatemoria, {18}},     {kViewVolguine, {19, 20, 27, 21}}, {kViewMasters, {22, 23}},
    };
    return table;
}

std::map<int, ChartViewDrawer>& ViewDrawers() {
    static std::map<int, ChartViewDrawer> drawers;
    return drawers;
}

GlyphClickHandler& ClickHandler() {
    static GlyphClickHandler handler;
    return handler;
}

std::function<void()>& CurrentChartReloader() {
    static std::function<void()> reload;
    return reload;
}

}  // namespace

// The glyph bitmaps of the buttons: a down or up arrow, a large and a small "A".
QIcon ButtonBitmap(const char* name) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    const std::string n = name;
    if (n == "FrecciaGiu") {
        QPainterPath arrow;
        arrow.moveTo(3, 5);
        arrow.lineTo(13, 5);
        arrow.lineTo(8, 12);
        arrow.closeSubpath();
        p.drawPath(arrow);
    } else if (n == "FrecciaSu") {
        QPainterPath arrow;
        arrow.moveTo(3, 11);
        arrow.lineTo(13, 11);
        arrow.lineTo(8, 4);
        arrow.closeSubpath();
        p.drawPath(arrow);
    } else {
        QFont f("Arial");
        f.setBold(true);
        f.setPixelSize(n == "AumentaFont" ? 15 : 10);
        p.setFont(f);
        p.setPen(QColor(0, 0, 128));
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, "A");
    }
    p.end();
    return QIcon(pm);
}

int ButtonCaptionWidth(const QPushButton* button) {
    const QFontMetrics metrics(button->font());
    int width = metrics.horizontalAdvance(button->text());
    if (!button->icon().isNull()) width += button->iconSize().width() + 4;
    const QStyle* style = button->style();
    return width + style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
}

void FitButtonCaption(QPushButton* button, int largest) {
    QFont f = button->font();
    f.setPointSize(largest);
    button->setFont(f);
    while (ButtonCaptionWidth(button) > button->width() && f.pointSize() > 6) {
        f.setPointSize(f.pointSize() - 1);
        button->setFont(f);
    }
}

void ShowLinesIn(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& l : lines) text << gui::ToQt(l);
    memo->setPlainText(text.join('\n'));
}

namespace {

QColor FromColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace

int SubViewCount(int view) {
    auto it = SubViewHelp().find(view);
    return it == SubViewHelp().end() ? 0 : static_cast<int>(it->second.size());
}

int SubViewHelpEntry(int view, int subView) {
    auto it = SubViewHelp().find(view);
    if (it == SubViewHelp().end() || subView < 0 || subView >= static_cast<int>(it->second.size())) return 0;
    return it->second[static_cast<std::size_t>(subView)];
}

void SetChartViewDrawer(int view, ChartViewDrawer drawer) { ViewDrawers()[view] = std::move(drawer); }

void SetGlyphClickHandler(GlyphClickHandler handler) { ClickHandler() = std::move(handler); }

void SetCurrentChartReloader(std::function<void()> reload) { CurrentChartReloader() = std::move(reload); }

bool CentreHit(Real cx, Real cy, int x, int y) {
    if (cx == 0 && cy == 0) return false;  // a cleared centre
    const Real k = Drawing.PixelsPerUnit * Drawing.ZoomFactor;
    const Real mx = x - Drawing.OriginX;
    const Real my = y - Drawing.OriginY;
    return (cx * k - 15) / Drawing.AspectScaleX < mx && mx < (cx * k + 15) / Drawing.AspectScaleX &&
           (cy * k - 15) / Drawing.AspectScaleY < my && my < (cy * k + 15) / Drawing.AspectScaleY;
}

GlyphHit FindGlyphHit(int x, int y) {
    GlyphHit hit;
    for (int i = 1; i <= 11; ++i)
        if (CentreHit(Wheel.PlanetGlyphX[i], Wheel.PlanetGlyphY[i], x, y)) hit.body = i;
    for (int s = 1; s <= 12; ++s)
        if (CentreHit(Wheel.SignGlyphX[s], Wheel.SignGlyphY[s], x, y)) hit.sign = s;
    hit.x = x;
    hit.y = y;
    return hit;
}

// ---- the window ----

TFgrKelvo::TFgrKelvo(QWidget* parent) : CanvasForm(parent) {
    setObjectName("FgrKelvo");
    setWindowTitle("Interactief voorbereidend model");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    SetBackground(kBlack);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    resize(1016, 690);
    BuildControls();
    InstallGlyphClicks(*this);
    SetHelpMemoTarget({
        [this] {
            Memo1->clear();
            MemoExtra->clear();
        },
        [this](const std::vector<std::string>& lines) { ShowLinesIn(Memo1, lines); },
        [this](const std::vector<std::string>& lines) { ShowLinesIn(MemoExtra, lines); },
    });
    if (!Drawing.ChartWindow) Drawing.ChartWindow = this;
    RegisterChartViews();
}

TFgrKelvo::~TFgrKelvo() {
    SetHelpMemoTarget({});
    if (Drawing.ChartWindow == this) Drawing.ChartWindow = nullptr;
    if (Drawing.DrawForm == this) Drawing.DrawForm = nullptr;
    if (FgrKelvo == this) FgrKelvo = nullptr;
}

void TFgrKelvo::BuildControls() {
    auto panel = [this](QWidget* parent, const char* name, QColor colour, bool visible) {
        auto* p = new QFrame(parent);
        p->setObjectName(name);
        p->setFrameShape(QFrame::Panel);
        p->setFrameShadow(QFrame::Raised);
        p->setAutoFillBackground(true);
        QPalette pal = p->palette();
        pal.setColor(QPalette::Window, colour);
        p->setPalette(pal);
        p->setVisible(visible);
        return p;
    };
    auto label = [](QWidget* parent, const char* name, const QString& caption) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(name);
        return l;
    };
    auto memo = [](QWidget* parent, const char* name, bool readOnly) {
        auto* m = new QPlainTextEdit(parent);
        m->setObjectName(name);
        m->setReadOnly(readOnly);
        return m;
    };
    auto button = [](QWidget* parent, const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(name);
        return b;
    };
    auto edit = [](QWidget* parent, const char* name) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(name);
        e->setReadOnly(true);
        return e;
    };
    const QColor grey(192, 192, 192), teal(0, 128, 128);

    PanelBase = panel(this, "PanelBase", grey, true);
    LabSpecific = label(PanelBase, "LabSpecific", "SPECIFIEKE TOESCHRIJVINGEN");
    MemoL1 = memo(PanelBase, "MemoL1", true);
    LabGeneral = label(PanelBase, "LabGeneral", "ALGEMENE TOESCHRIJVINGEN");
    MemoL2 = memo(PanelBase, "MemoL2", true);
    Image2 = label(PanelBase, "Image2", {});
    Image2->setScaledContents(true);
    Edit2 = edit(PanelBase, "Edit2");
    Edit2->hide();

    PanelPulsanti = panel(this, "PanelPulsanti", teal, true);
    BBcoordi = button(PanelPulsanti, "BBcoordi", QString::fromUtf8("Planetaire Coördinaten"));
    BBstoffa = button(PanelPulsanti, "BBstoffa", "Grondwet (Doek)");
    BBarchetip = button(PanelPulsanti, "BBarchetip", "Archetipische Structuur");
    BBaspetti = button(PanelPulsanti, "BBaspetti", "Planetaire Aspecten");
    BBEnergi = button(PanelPulsanti, "BBEnergi", "Energie-Affiniteiten");
    BBantisce = button(PanelPulsanti, "BBantisce", "Antisce en Contrantisce");
    BBdodecate = button(PanelPulsanti, "BBdodecate", "Dodecatemorieen");
    BBvolguine = button(PanelPulsanti, "BBvolguine", "Volguine Dominant");
    BBmaestri = button(PanelPulsanti, "BBmaestri", "Mesters");
    // Created disabled; nothing in the window enables them.
    for (QPushButton* b : {BBdodecate, BBEnergi, BBantisce, BBmaestri, BBvolguine}) b->setEnabled(false);
    BBprivato = button(PanelPulsanti, "BBprivato", "Backards");
    BBprivato->setToolTip("Ritorna ad Orbalune");
    BBprivato->setDefault(true);
    {
        QFont f = BBprivato->font();
        f.setBold(true);
        BBprivato->setFont(f);
        QPalette pal = BBprivato->palette();
        pal.setColor(QPalette::ButtonText, QColor(0, 0, 255));
        BBprivato->setPalette(pal);
    }
    BBsizeFont = button(PanelPulsanti, "BBsizeFont", {});
    BBsizeFont->setToolTip("Ingrandisci/Riduci Caratteri");
    BBsizeFont->setIcon(ButtonBitmap("RiduciFont"));

    Panel3 = panel(this, "Panel3", grey, false);
    MemoAspetti = memo(Panel3, "MemoAspetti", true);
    BBchiudiAsp = button(Panel3, "BBchiudiAsp", "Sluiten");
    BBFont = button(Panel3, "BBFont", "Font +");

    PanelInfo = panel(this, "PanelInfo", grey, true);
    Memo1 = memo(PanelInfo, "Memo1", true);
    {
        QPalette pal = Memo1->palette();
        pal.setColor(QPalette::Base, FromColor(12247806));
        Memo1->setPalette(pal);
        Memo1->setToolTip("doppio clic per espandere/ridurre");
        Memo1->setPlainText(QString::fromUtf8("INFORMAZIONI:\nLa parte interna dei simboli\n"
                                              "astrologici (cerchietto rosso)\nè sensibile al clic del mouse"));
        QTextOption centred = Memo1->document()->defaultTextOption();
        centred.setAlignment(Qt::AlignHCenter);
        Memo1->document()->setDefaultTextOption(centred);
    }

    PanelDati = panel(this, "PanelDati", grey, true);
    LabNome = label(PanelDati, "LabNome", "Person");
    LabData = label(PanelDati, "LabData", "Gebortedatum");
    LabLocal = label(PanelDati, "LabLocal", "Plaats");
    LabCoordi = label(PanelDati, "LabCoordi", QString::fromUtf8("Coördinaten"));
    LabDomif = label(PanelDati, "LabDomif", "Domificatie");
    LabNodo = label(PanelDati, "LabNodo", "Maan Knoop");
    LabJd = label(PanelDati, "LabJd", "Astronomische dag JD");
    EdNome = edit(PanelDati, "EdNome");
    {
        QPalette pal = EdNome->palette();
        pal.setColor(QPalette::Base, teal);
        pal.setColor(QPalette::Text, Qt::white);
        EdNome->setPalette(pal);
    }
    EdData = edit(PanelDati, "EdData");
    EdLocal = edit(PanelDati, "EdLocal");
    EdCoordi = edit(PanelDati, "EdCoordi");
    EdDomif = edit(PanelDati, "EdDomif");
    EdNodo = edit(PanelDati, "EdNodo");
    EdJd = edit(PanelDati, "EdJd");

    PanelQuor = panel(this, "PanelQuor", grey, false);
    Memo3 = memo(PanelQuor, "Memo3", true);
    Memo4 = memo(PanelQuor, "Memo4", true);
    BBchiudiQuor = button(PanelQuor, "BBchiudiQuor", "Sluiten");
    BBFontQuor = button(PanelQuor, "BBFontQuor", "Font +");
    BBsuGiu = button(PanelQuor, "BBsuGiu", "Verbreden");
    BBsuGiu->setIcon(ButtonBitmap("FrecciaGiu"));
    ListBoxPiante = new QListWidget(PanelQuor);
    ListBoxPiante->setObjectName("ListBoxPiante");
    ComboBoxPiante = new QComboBox(PanelQuor);
    ComboBoxPiante->setObjectName("ComboBoxPiante");
    LabPianta = label(PanelQuor, "LabPianta", "Bijbehorende PLANT");
    Image1 = label(PanelQuor, "Image1", {});
    Image1->setScaledContents(true);
    SpinButton1 = new QScrollBar(Qt::Vertical, PanelQuor);
    SpinButton1->setObjectName("SpinButton1");

    PanelExtra = panel(this, "PanelExtra", grey, false);
    LbExtraPia = label(PanelExtra, "LbExtraPia", "Ieder");
    LbExtraSeg = label(PanelExtra, "LbExtraSeg", "Ieder");
    BBextraOk = button(PanelExtra, "BBextraOk", "Zoeken");
    PanelSegnaPato = panel(this, "PanelSegnaPato", grey, false);
    ListExtra1 = new QListWidget(PanelSegnaPato);
    ListExtra1->setObjectName("ListExtra1");
    ListExtra2 = new QListWidget(PanelSegnaPato);
    ListExtra2->setObjectName("ListExtra2");
    LabExtra1 = label(PanelSegnaPato, "LabExtra1", {});
    LabExtra2 = label(PanelSegnaPato, "LabExtra2", {});
    BBchiudiExtra = button(PanelSegnaPato, "BBchiudiExtra", "Sluiten");
    MemoExtra = memo(PanelSegnaPato, "MemoExtra", true);

    Panel1 = panel(this, "Panel1", grey, false);
    Edit1 = edit(Panel1, "Edit1");

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(10);

    // The fonts of the large state (activation sets the flag without changing them).
    {
        QFont f = EdNome->font();
        f.setBold(true);
        EdNome->setFont(f);
    }
    SetPanelFontSizes(true);

    connect(Timer1, &QTimer::timeout, this, [this] { gui::Guard([this] { Timer1Timer(); }); });
    auto on = [this](QPushButton* b, void (TFgrKelvo::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { gui::Guard([this, handler] { (this->*handler)(); }); });
    };
    on(BBprivato, &TFgrKelvo::BBprivatoClick);
    on(BBcoordi, &TFgrKelvo::BBcoordiClick);
    on(BBstoffa, &TFgrKelvo::BBstoffaClick);
    on(BBarchetip, &TFgrKelvo::BBarchetipClick);
    on(BBaspetti, &TFgrKelvo::BBaspettiClick);
    on(BBEnergi, &TFgrKelvo::BBEnergiClick);
    on(BBantisce, &TFgrKelvo::BBantisceClick);
    on(BBdodecate, &TFgrKelvo::BBdodecateClick);
    on(BBvolguine, &TFgrKelvo::BBvolguineClick);
    on(BBmaestri, &TFgrKelvo::BBmaestriClick);
    on(BBchiudiAsp, &TFgrKelvo::BBchiudiAspClick);
    on(BBFont, &TFgrKelvo::BBFontClick);
    on(BBsizeFont, &TFgrKelvo::BBsizeFontClick);
    on(BBchiudiExtra, &TFgrKelvo::BBchiudiExtraClick);
    for (QPlainTextEdit* m : {Memo1, MemoExtra, MemoAspetti}) m->viewport()->installEventFilter(this);
}

int TFgrKelvo::PX(Real pageUnits) const { return static_cast<int>(rt::Round(pageUnits / KelvoState.LayoutScaleX)); }
int TFgrKelvo::PY(Real pageUnits) const { return static_cast<int>(rt::Round(pageUnits / KelvoState.LayoutScaleY)); }

void TFgrKelvo::LayOut() {
    auto place = [this](QWidget* w, Real l, Real t, Real wd, Real h) { w->setGeometry(PX(l), PY(t), PX(wd), PY(h)); };
    auto at = [this](QWidget* w, Real l, Real t) {
        w->adjustSize();
        w->move(PX(l), PY(t));
    };
    auto rightAt279 = [this](QWidget* w, Real t, Real wd, Real h) {
        w->resize(PX(wd), PY(h));
        w->move(PX(279) - w->width(), PY(t));
    };
    const int buttonHeight = PY(5);

    rightAt279(PanelBase, 1.3L, 82, 92);
    at(LabSpecific, 2, 5);
    at(LabGeneral, 2, 49.5L);
    place(MemoL1, 1, 12, 80, 36);
    place(MemoL2, 1, 54, 80, 37);

    rightAt279(PanelPulsanti, 170, 82, 32);
    const Real rows[5] = {3, 8.5L, 14, 19.5L, 25};
    QPushButton* left[5] = {BBcoordi, BBarchetip, BBEnergi, BBdodecate, BBmaestri};
    QPushButton* right[4] = {BBstoffa, BBaspetti, BBantisce, BBvolguine};
    for (int i = 0; i < 5; ++i) place(left[i], 3, rows[i], 35, 5);
    for (int i = 0; i < 4; ++i) {
        right[i]->resize(PX(35), buttonHeight);
        right[i]->move(PanelPulsanti->width() - right[i]->width() - PX(3), PY(rows[i]));
    }
    place(BBprivato, 54, 25, 25, 6);
    BBsizeFont->setGeometry(BBstoffa->x(), PY(25), PX(9), PY(6));

    Panel3->setGeometry(PanelPulsanti->x(), PY(1.3L), PX(82), PY(92));
    place(MemoAspetti, 1, 1, 80, 82);
    BBchiudiAsp->setGeometry(PX(2), MemoAspetti->height() + PY(3.5L), PX(17), BBchiudiAsp->height());
    BBFont->setGeometry(PX(20), MemoAspetti->height() + PY(3.5L), PX(17), BBFont->height());

    rightAt279(PanelInfo, 134, 82, 35);
    Memo1->setGeometry(PanelInfo->width() - PX(80) - PX(1), PY(1), PX(80), PY(33));

    rightAt279(PanelQuor, 1.3L, 82, 92);
    Memo3->setGeometry(PanelQuor->width() - PX(80) - PX(1), PY(38), PX(80), PY(45));
    Memo4->setGeometry(PanelQuor->width() - Memo3->width() - PX(1), PY(12), PX(80), PY(21));
    const Real quorButtons[3] = {2, 20, 38};
    QPushButton* quor[3] = {BBchiudiQuor, BBFontQuor, BBsuGiu};
    for (int i = 0; i < 3; ++i)
        quor[i]->setGeometry(PX(quorButtons[i]), PanelQuor->height() - PY(7), PX(17), quor[i]->height());
    FitPlantPanelSizeCaption(*this);
    place(ListBoxPiante, 1, 8, 30, 13);
    ComboBoxPiante->setGeometry(PX(1), PY(6), PX(30), ComboBoxPiante->height());
    at(LabPianta, 1, 2);

    rightAt279(PanelDati, 94, 82, 38.7L);
    place(EdNome, 17, 2.5L, 64, 6);
    at(LabNome, 2, 3.5L);
    place(EdData, 20, 9, 61, 5);
    at(LabData, 2, 9.5L);
    const Real editRows[4] = {13.8L, 18.6L, 23.4L, 28.2L};
    QLineEdit* edits[4] = {EdLocal, EdCoordi, EdDomif, EdNodo};
    QLabel* labels[4] = {LabLocal, LabCoordi, LabDomif, LabNodo};
    for (int i = 0; i < 4; ++i) {
        place(edits[i], 26, editRows[i], 55, 5);
        labels[i]->adjustSize();
        labels[i]->move(PX(2), edits[i]->y() + PY(0.5L));
    }
    place(EdJd, 39, 33, 42, 5);
    at(LabJd, 2, 33.5L);
    FitDataCaptions();
    FitViewButtonCaptions();

    place(Image1, 70, 2, 9, 9);
    place(Image2, 70, 2, 9, 9);
    place(SpinButton1, 31, 1, 6, 10.5L);

    place(PanelExtra, 162, 194, 35, 8);
    place(BBextraOk, 21, 1, 13, 6);
    at(LbExtraPia, 1, 1);
    at(LbExtraSeg, 11, 1);
    place(PanelSegnaPato, 15, 50, 170, 100);
    place(ListExtra1, 2, 6, 82, 80);
    place(ListExtra2, 86, 6, 82, 80);
    at(LabExtra1, 3, 2);
    at(LabExtra2, 87, 2);
    place(BBchiudiExtra, 147, 90, 20, 6);
    place(MemoExtra, 2, 86, 140, 12);
}

void TFgrKelvo::FormActivate() {
    KelvoState.LargeFontsFlag = true;
    // An opening shows the natal wheel, whose glyphs answer to clicks, whatever
    // view the window was closed on.
    KelvoState.VolguineViewActive = false;
    Drawing.DrawForm = this;
    Drawing.ChartWindow = this;

    KelvoState.LayoutScaleX = Drawing.AspectScaleX / Drawing.PixelsPerUnit * Drawing.ZoomFactor;
    KelvoState.LayoutScaleY = Drawing.AspectScaleY / Drawing.PixelsPerUnit * Drawing.ZoomFactor;
    LayOut();

    KelvoState.ExtraBodyFilter = "Ieder";
    KelvoState.ExtraSignFilter = "Ieder";
    KelvoState.OkFlag = false;
    Drawing.ZoomFactor = 1.0L;
    Drawing.AspectLinesOn = 1;
    Drawing.OriginY = 0;
    Drawing.OriginX = 0;

    Timer1->start();
    MemoL1->clear();
    MemoL2->clear();

    KelvoState.DodecatemoriaMode = false;
    KelvoState.InfoMemoExpanded = false;
    KelvoState.AspectMemoExpanded = false;
    KelvoState.SelectedPlantIndex = -1;
    KelvoState.ViewCycle.fill(0);
    KelvoState.BodyClickStep.fill(0);
    KelvoState.SignClickStep.fill(0);
    ForgetGlyphCentres();  // those of an earlier opening are not on the screen
    // Nor are the panels and glyph images an earlier opening left open.
    for (QWidget* w : std::initializer_list<QWidget*>{Panel3, PanelQuor, Image1, Image2}) w->hide();
    PanelBase->show();

    SetSignMidpoints();
    const Real hours = (Chart.LongitudeDegrees[1] + Chart.LongitudeMinutes[1] / 60.0L) * 4 / 60;
    KelvoState.PlaceLongitudeHours = Chart.LongitudeLetter[1] == "E" ? -hours : hours;

    // The weekday of the birth date by clock time, which the data fields show.
    const std::string keptWeekday = Chart.WeekdayName;
    int weekday = 0;
    engine::WeekdayOfJulianDay(weekday, Chart.JulianDay - Chart.TimeZoneCorrection / 24);
    Wheel.BirthWeekdayName = Chart.WeekdayName;
    Chart.WeekdayName = keptWeekday;

    // The planetary day and hour of the birth for the masters page; without
    // ephemeris tables the page shows no hour and no ruler.
    try {
        ComputeBirthPlanetaryHour(KelvoState.PlaceLongitudeHours);
    } catch (const rt::IoError&) {
        ResetBirthPlanetaryHour();
    }

    ShowHelpMessage(1);
}

void TFgrKelvo::FormClose() {
    Timer1->stop();
    Drawing.ZoomFactor = 1.0L;
    Drawing.OriginX = 0;
    Drawing.OriginY = 0;
    Drawing.AspectLinesOn = 1;
    Drawing.DrawForm = nullptr;
}

void TFgrKelvo::closeEvent(QCloseEvent* event) {
    gui::Guard([this] { FormClose(); });
    event->accept();
}

void TFgrKelvo::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    gui::Guard([this, p] { FormMouseDown(p.x(), p.y()); });
    // A list the click dropped down takes the release: the markers go back now.
    if (QApplication::activePopupWidget()) FormMouseUp();
}

void TFgrKelvo::mouseReleaseEvent(QMouseEvent*) { FormMouseUp(); }

void TFgrKelvo::keyPressEvent(QKeyEvent* event) {
    // "Backards" is the window's Cancel and Default button: Escape and Enter
    // press it (Enter on another button that has the focus presses that one).
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (key == Qt::Key_Escape || enter) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        if (enter && focused && focused->isEnabled() && focused->isVisible())
            focused->click();
        else
            BBprivato->click();
        return;
    }
    CanvasForm::keyPressEvent(event);
}

bool TFgrKelvo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == MemoAspetti->viewport()) {
            gui::Guard([this] { MemoAspettiDblClick(); });
            return true;
        }
        if (watched == Memo1->viewport() || watched == MemoExtra->viewport()) {
            gui::Guard([this] { Memo1DblClick(); });
            return true;
        }
    }
    return CanvasForm::eventFilter(watched, event);
}

void TFgrKelvo::FormMouseDown(int x, int y) {
    if (KelvoState.VolguineViewActive) return;
    KelvoState.ClickedBody = 0;
    KelvoState.ClickedSign = 0;
    const GlyphHit hit = FindGlyphHit(x, y);
    if (ClickHandler()) {
        ClickHandler()(*this, hit);
        return;
    }
    if (hit.body == 0 && hit.sign == 0) return;
    // Without the attribution steps: the help text of the kind of glyph.
    if (hit.body != 0) {
        KelvoState.ClickedBody = hit.body;
        ResetViewCycles(hit.body);
        ShowHelpMessage(28);
    }
    if (hit.sign != 0) {
        KelvoState.ClickedSign = hit.sign;
        ResetViewCycles(hit.sign);
        ShowHelpMessage(31);
    }
}

void TFgrKelvo::FormMouseUp() {
    Drawing.BlackAndWhite = false;
    GlyphMouseUp(*this);
}

void TFgrKelvo::Timer1Timer() {
    if (KelvoState.TimerTicks == 1) {
        Timer1->stop();
        if (!KelvoState.ArchetypeViewFlag) {
            ClearCanvas();
            RedrawNatalChart(*this);
        } else {
            DrawArchetypeView();
        }
        return;
    }
    ++KelvoState.TimerTicks;
}

void TFgrKelvo::ShowDataFields(const NatalChartFields& f) {
    EdNome->setText(gui::ToQt(f.EdNome));
    EdData->setText(gui::ToQt(f.EdData));
    EdLocal->setText(gui::ToQt(f.EdLocal));
    EdCoordi->setText(gui::ToQt(f.EdCoordi));
    EdDomif->setText(gui::ToQt(f.EdDomif));
    EdNodo->setText(gui::ToQt(f.EdNodo));
    EdJd->setText(gui::ToQt(f.EdJd));
    // A text longer than its field shows its beginning (the weekday of the date).
    for (QLineEdit* e : {EdNome, EdData, EdLocal, EdCoordi, EdDomif, EdNodo, EdJd}) e->setCursorPosition(0);
}

// ---- view buttons ----

void TFgrKelvo::DrawSubView(int view, int subView) {
    auto it = ViewDrawers().find(view);
    if (it != ViewDrawers().end() && it->second) it->second(*this, Canvas(), subView);
}

void TFgrKelvo::ViewButtonClick(int k) {
    if (k != kViewArchetype) ClearDignityGlyphCentres();
    ResetViewCycles(k);
    KelvoState.VolguineViewActive = k == kViewVolguine;

    if (k != kViewAspects) Panel3->setVisible(k == kViewDodecatemoria);
    PanelQuor->hide();
    Image1->hide();
    Image2->hide();
    if (k == kViewCloth || k == kViewEnergy || k == kViewAntiscia) Memo1->clear();
    if (k != kViewVolguine) KelvoState.DodecatemoriaMode = k == kViewDodecatemoria;
    if (k != kViewVolguine) ClearChartArea(Canvas());

    const int c = KelvoState.ViewCycle[k];
    if (k == kViewArchetype) {
        engine::ComputeReceptions();
        KelvoState.ArchetypeViewFlag = true;
        DrawArchetypeView();
    } else if (k == kViewVolguine) {
        BBvolguineClick();
        return;
    } else {
        if (k == kViewCoordinates && c == 0) Panel3->show();
        if (k == kViewAspects) Panel3->setVisible(c <= 1);
        DrawSubView(k, c);
    }
    ShowHelpMessage(SubViewHelpEntry(k, c));
    KelvoState.ViewCycle[k] = static_cast<unsigned char>((c + 1) % SubViewCount(k));
    if (k == kViewCoordinates || k == kViewDodecatemoria) PanelBase->show();
}

void TFgrKelvo::BBcoordiClick() { ViewButtonClick(kViewCoordinates); }
void TFgrKelvo::BBstoffaClick() { ViewButtonClick(kViewCloth); }
void TFgrKelvo::BBarchetipClick() { ViewButtonClick(kViewArchetype); }
void TFgrKelvo::BBaspettiClick() { ViewButtonClick(kViewAspects); }
void TFgrKelvo::BBEnergiClick() { ViewButtonClick(kViewEnergy); }
void TFgrKelvo::BBantisceClick() { ViewButtonClick(kViewAntiscia); }
void TFgrKelvo::BBdodecateClick() { ViewButtonClick(kViewDodecatemoria); }
void TFgrKelvo::BBmaestriClick() { ViewButtonClick(kViewMasters); }

void TFgrKelvo::DrawArchetypeView() {
    Panel3->hide();
    KelvoState.DodecatemoriaMode = false;
    Memo1->clear();
    ClearChartArea(Canvas());
    DrawSubView(kViewArchetype, 0);
    KelvoState.ArchetypeViewFlag = false;
}

namespace {

// Houses by Placidus and the bodies with their retrograde marks at the present
// moment and place, the Ascendant and Midheaven in entries 13 and 14.
void ComputePlacidusChart() {
    auto& c = Chart;
    c.HouseSystemName = "PLACIDO";
    engine::ComputeChartHouses();
    engine::ComputeBodiesWithRetro(0, c.JulianDay);
    for (int i = 1; i <= 22; ++i) {
        c.VolguineRetroMarks[i] = c.PlanetLongitudes[i] < 0 ? "r" : " ";
        c.PlanetLongitudes[i] = std::fabs(c.PlanetLongitudes[i]);
    }
    c.PlanetLongitudes[13] = c.HouseCusps[1];
    c.PlanetLongitudes[14] = c.HouseCusps[10];
}

}  // namespace

void TFgrKelvo::BBvolguineClick() {
    // The common head when called directly.
    ClearDignityGlyphCentres();
    ResetViewCycles(kViewVolguine);
    KelvoState.VolguineViewActive = true;
    Panel3->hide();
    PanelQuor->hide();
    Image1->hide();
    Image2->hide();

    const Real keptZone = Chart.TimeZoneCorrection;
    const Real keptDay = Chart.JulianDay;
    ComputePlacidusChart();
    engine::WriteChartDataTemp();
    engine::ComputeVolguineDominants();
    Chart.TimeZoneCorrection = keptZone;
    Chart.JulianDay = keptDay;
    ComputePlacidusChart();
    engine::WriteChartDataTemp();

    ClearChartArea(Canvas());
    const int c = KelvoState.ViewCycle[kViewVolguine];
    DrawVolguineView(c);
    ShowHelpMessage(SubViewHelpEntry(kViewVolguine, c));
    KelvoState.ViewCycle[kViewVolguine] = static_cast<unsigned char>((c + 1) % SubViewCount(kViewVolguine));
    if (CurrentChartReloader()) CurrentChartReloader()();
}

void TFgrKelvo::DrawVolguineView(int subView) {
    Surface& dc = Canvas();
    RedrawReducedWheelChart(*this, KelvoState.VolguineViewActive);
    dc.SetTextColor(Rgb(0, 255, 255));
    TextOutLeft(dc, "PLANETARIEN KRACHTEN", 2, 5, 5);
    TextOutLeft(dc, "(Volgens Volguine)", 15, 5, 10);
    DrawSubView(kViewVolguine, subView);
}

// ---- small buttons ----

void TFgrKelvo::BBprivatoClick() { close(); }

void TFgrKelvo::BBchiudiAspClick() { Panel3->hide(); }

void TFgrKelvo::BBFontClick() {
    QFont f = MemoAspetti->font();
    if (f.pointSize() != 8) {
        f.setPointSize(8);
        BBFont->setText("Font +");
    } else {
        f.setPointSize(10);
        BBFont->setText("Font -");
    }
    MemoAspetti->setFont(f);
}

void TFgrKelvo::BBsizeFontClick() {
    KelvoState.LargeFontsFlag = !KelvoState.LargeFontsFlag;
    SetPanelFontSizes(KelvoState.LargeFontsFlag);
    BBsizeFont->setIcon(ButtonBitmap(KelvoState.LargeFontsFlag ? "RiduciFont" : "AumentaFont"));
    FitDataCaptions();
    FitViewButtonCaptions();
}

// All nine in one size: the largest (up to that of the fonts' state) at which
// every caption fits its button.
void TFgrKelvo::FitViewButtonCaptions() {
    const std::initializer_list<QPushButton*> buttons = {BBcoordi,   BBstoffa, BBarchetip, BBaspetti, BBEnergi,
                                                         BBantisce,  BBdodecate, BBvolguine, BBmaestri};
    int size = KelvoState.LargeFontsFlag ? 10 : 8;
    for (QPushButton* b : buttons) {
        FitButtonCaption(b, size);
        size = b->font().pointSize();
    }
    for (QPushButton* b : buttons) {
        QFont f = b->font();
        f.setPointSize(size);
        b->setFont(f);
    }
}

// The view buttons and data fields in 10 points, the name in 12 (large), or in 8 and 10.
void TFgrKelvo::SetPanelFontSizes(bool large) {
    for (QWidget* w : std::initializer_list<QWidget*>{BBcoordi, BBstoffa, BBarchetip, BBaspetti, BBEnergi, BBantisce,
                                                      BBdodecate, BBvolguine, BBmaestri, LabNome, LabData, LabLocal,
                                                      LabCoordi, LabDomif, LabNodo, LabJd, EdData, EdLocal, EdCoordi,
                                                      EdDomif, EdNodo, EdJd, EdNome}) {
        QFont f = w->font();
        f.setPointSize(w == EdNome ? (large ? 12 : 10) : (large ? 10 : 8));
        w->setFont(f);
    }
}

// A data caption that would run into its field is written a point smaller at a time.
void TFgrKelvo::FitDataCaptions() {
    const std::pair<QLabel*, QWidget*> pairs[] = {{LabNome, EdNome},   {LabData, EdData},   {LabLocal, EdLocal},
                                                  {LabCoordi, EdCoordi}, {LabDomif, EdDomif}, {LabNodo, EdNodo},
                                                  {LabJd, EdJd}};
    for (const auto& [label, field] : pairs) {
        QFont f = label->font();
        label->adjustSize();
        while (label->x() + label->width() > field->x() - PX(0.5L) && f.pointSize() > 6) {
            f.setPointSize(f.pointSize() - 1);
            label->setFont(f);
            label->adjustSize();
        }
    }
}

void TFgrKelvo::BBchiudiExtraClick() {
    ListExtra1->clear();
    ListExtra2->clear();
    PanelSegnaPato->hide();
    ClearCanvas();
    RedrawNatalChart(*this);
}

void TFgrKelvo::MemoAspettiDblClick() {
    if (KelvoState.AspectMemoExpanded) {
        Panel3->resize(Panel3->width(), PY(92));
        MemoAspetti->resize(MemoAspetti->width(), PY(82));
        BBchiudiAsp->move(BBchiudiAsp->x(), MemoAspetti->height() + PY(3.5L));
        BBFont->move(BBFont->x(), MemoAspetti->height() + PY(3.5L));
        KelvoState.AspectMemoExpanded = false;
    } else {
        Panel3->resize(Panel3->width(), PY(167));
        Panel3->raise();
        MemoAspetti->resize(MemoAspetti->width(), PY(156));
        BBchiudiAsp->move(BBchiudiAsp->x(), Panel3->height() - PY(7));
        BBFont->move(BBFont->x(), Panel3->height() - PY(7));
        KelvoState.AspectMemoExpanded = true;
    }
}

void TFgrKelvo::Memo1DblClick() {
    if (KelvoState.InfoMemoExpanded) {
        PanelInfo->setGeometry(PanelInfo->x(), PY(134), PanelInfo->width(), PY(35));
        Memo1->resize(Memo1->width(), PY(33));
        KelvoState.InfoMemoExpanded = false;
    } else {
        PanelInfo->raise();
        PanelInfo->setGeometry(PanelInfo->x(), PY(51), PanelInfo->width(), PY(118));
        Memo1->resize(Memo1->width(), PY(116));
        KelvoState.InfoMemoExpanded = true;
    }
}

// ---- drawing entries ----

TFgrKelvo* EnsureChartWindow() {
    if (!FgrKelvo) FgrKelvo = new TFgrKelvo();
    return FgrKelvo;
}

void RedrawNatalChart(TFgrKelvo& form) {
    Drawing.PrinterLandscape = true;
    if (Drawing.DrawForm == &form) DrawPageFrame(&form);
    SetWheelGeometry();
    Drawing.ChartWindow = &form;
    const NatalChartFields fields = DrawNatalChart(form.Canvas());
    form.ShowDataFields(fields);
}

void RepaintChartWindow() {
    if (!FgrKelvo) return;
    FgrKelvo->ClearCanvas();
    RedrawNatalChart(*FgrKelvo);
}

}  // namespace display
