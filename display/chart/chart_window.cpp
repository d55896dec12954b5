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
#include <optional>
#include <string>
#include <vector>

#include "display/chart/aspects_and_orbits.h"
#include "display/chart/dignity_table.h"
#include "display/chart/glyph_clicks.h"
#include "display/chart/masters_view.h"
#include "display/chart/plants_panel.h"
#include "display/draw/drawing_state.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/natal_wheel.h"
#include "display/wheel/position_files.h"
#include "display/wheel/wheel_state.h"
#include "engine/planetary_hours.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"

namespace display {

using engine::Chart;

ChartWindowState KelvoState;
ChartWindow* theChartWindow = nullptr;

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

GlyphClickHandler& ClickHandler() {
    static GlyphClickHandler handler;
    return handler;
}

std::function<void()>& CurrentChartReloader() {
    static std::function<void()> reload;
    return reload;
}

QColor FromColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// A field of the person's data with its caption: the field's place in page
// units, the caption's top (when not given: half a unit below the field's top).
struct DataRow {
    QLabel* ChartWindow::*label;
    const char* labelName;
    const char* caption;  // Windows-1252
    QLineEdit* ChartWindow::*edit;
    const char* editName;
    Real left, top, width, height;
    std::optional<Real> captionTop;
};

const DataRow kDataRows[] = {
    {&ChartWindow::LabNome, "LabNome", "Person", &ChartWindow::EdNome, "EdNome", 17, 2.5L, 64, 6, 3.5L},
    {&ChartWindow::LabData, "LabData", "Gebortedatum", &ChartWindow::EdData, "EdData", 20, 9, 61, 5, 9.5L},
    {&ChartWindow::LabLocal, "LabLocal", "Plaats", &ChartWindow::EdLocal, "EdLocal", 26, 13.8L, 55, 5, {}},
    {&ChartWindow::LabCoordi, "LabCoordi", "Co\xF6rdinaten", &ChartWindow::EdCoordi, "EdCoordi", 26, 18.6L, 55, 5, {}},
    {&ChartWindow::LabDomif, "LabDomif", "Domificatie", &ChartWindow::EdDomif, "EdDomif", 26, 23.4L, 55, 5, {}},
    {&ChartWindow::LabNodo, "LabNodo", "Maan Knoop", &ChartWindow::EdNodo, "EdNodo", 26, 28.2L, 55, 5, {}},
    {&ChartWindow::LabJd, "LabJd", "Astronomische dag JD", &ChartWindow::EdJd, "EdJd", 39, 33, 42, 5, 33.5L},
};

// Tops of the five lines of view buttons.
constexpr Real kViewButtonLines[5] = {3, 8.5L, 14, 19.5L, 25};

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

ChartWindow::ChartWindow(QWidget* parent) : CanvasForm(parent) {
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
    if (!Drawing.chartCanvas) Drawing.chartCanvas = this;
}

ChartWindow::~ChartWindow() {
    SetHelpMemoTarget({});
    if (Drawing.chartCanvas == this) Drawing.chartCanvas = nullptr;
    if (Drawing.DrawForm == this) Drawing.DrawForm = nullptr;
    if (theChartWindow == this) theChartWindow = nullptr;
}

void ChartWindow::BuildControls() {
    const QColor grey(192, 192, 192), teal(0, 128, 128);
    const struct {
        QFrame** slot;
        const char* name;
        QColor colour;
        bool visible;
    } panels[] = {
        {&PanelBase, "PanelBase", grey, true},       {&PanelPulsanti, "PanelPulsanti", teal, true},
        {&Panel3, "Panel3", grey, false},            {&PanelInfo, "PanelInfo", grey, true},
        {&PanelDati, "PanelDati", grey, true},       {&PanelQuor, "PanelQuor", grey, false},
        {&PanelExtra, "PanelExtra", grey, false},    {&PanelSegnaPato, "PanelSegnaPato", grey, false},
        {&Panel1, "Panel1", grey, false},
    };
    for (const auto& p : panels) {
        *p.slot = gui::MakeRaisedPanel(this, p.name, p.colour);
        (*p.slot)->setVisible(p.visible);
    }

    LabSpecific = gui::MakeLabel(PanelBase, "LabSpecific", "SPECIFIEKE TOESCHRIJVINGEN");
    MemoL1 = gui::MakeMemo(PanelBase, "MemoL1", true);
    LabGeneral = gui::MakeLabel(PanelBase, "LabGeneral", "ALGEMENE TOESCHRIJVINGEN");
    MemoL2 = gui::MakeMemo(PanelBase, "MemoL2", true);
    Image2 = gui::MakeLabel(PanelBase, "Image2", "");
    Image2->setScaledContents(true);
    Edit2 = gui::MakeEdit(PanelBase, "Edit2");
    Edit2->setReadOnly(true);
    Edit2->hide();

    BuildViewButtons();

    MemoAspetti = gui::MakeMemo(Panel3, "MemoAspetti", true);
    gui::MakeButtons(Panel3, {{&BBchiudiAsp, "BBchiudiAsp", "Sluiten"}, {&BBFont, "BBFont", "Font +"}});

    Memo1 = gui::MakeMemo(PanelInfo, "Memo1", true);
    QPalette pal = Memo1->palette();
    pal.setColor(QPalette::Base, FromColor(12247806));
    Memo1->setPalette(pal);
    Memo1->setToolTip("doppio clic per espandere/ridurre");
    Memo1->setPlainText(QString::fromUtf8("INFORMAZIONI:\nLa parte interna dei simboli\n"
                                          "astrologici (cerchietto rosso)\nè sensibile al clic del mouse"));
    QTextOption centred = Memo1->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    Memo1->document()->setDefaultTextOption(centred);

    BuildDataPanel();
    BuildPlantsPanel();
    BuildSignaturePanels();

    Edit1 = gui::MakeEdit(Panel1, "Edit1");
    Edit1->setReadOnly(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(10);

    // The fonts of the large state (activation sets the flag without changing them).
    QFont bold = EdNome->font();
    bold.setBold(true);
    EdNome->setFont(bold);
    SetPanelFontSizes(true);
    ConnectControls();
}

// One button a row of the views' table, then "Backards" and the font size button.
void ChartWindow::BuildViewButtons() {
    for (const ChartViewRow& row : ChartViewRows()) {
        QPushButton* b = gui::MakeButton(PanelPulsanti, row.name, row.caption);
        b->setEnabled(row.enabled);
        if (row.button) this->*row.button = b;
        ViewButtons.push_back(b);
    }
    BBprivato = gui::MakeButton(PanelPulsanti, "BBprivato", "Backards");
    BBprivato->setToolTip("Ritorna ad Orbalune");
    BBprivato->setDefault(true);
    QFont f = BBprivato->font();
    f.setBold(true);
    BBprivato->setFont(f);
    QPalette pal = BBprivato->palette();
    pal.setColor(QPalette::ButtonText, QColor(0, 0, 255));
    BBprivato->setPalette(pal);
    BBsizeFont = gui::MakeButton(PanelPulsanti, "BBsizeFont", "");
    BBsizeFont->setToolTip("Ingrandisci/Riduci Caratteri");
    BBsizeFont->setIcon(ButtonBitmap("RiduciFont"));
}

// The captions first, then the read-only fields.
void ChartWindow::BuildDataPanel() {
    for (const DataRow& row : kDataRows) this->*row.label = gui::MakeLabel(PanelDati, row.labelName, row.caption);
    for (const DataRow& row : kDataRows) {
        QLineEdit* e = gui::MakeEdit(PanelDati, row.editName);
        e->setReadOnly(true);
        this->*row.edit = e;
    }
    QPalette pal = EdNome->palette();
    pal.setColor(QPalette::Base, QColor(0, 128, 128));
    pal.setColor(QPalette::Text, Qt::white);
    EdNome->setPalette(pal);
}

void ChartWindow::BuildPlantsPanel() {
    Memo3 = gui::MakeMemo(PanelQuor, "Memo3", true);
    Memo4 = gui::MakeMemo(PanelQuor, "Memo4", true);
    gui::MakeButtons(PanelQuor, {{&BBchiudiQuor, "BBchiudiQuor", "Sluiten"},
                                 {&BBFontQuor, "BBFontQuor", "Font +"},
                                 {&BBsuGiu, "BBsuGiu", "Verbreden"}});
    BBsuGiu->setIcon(ButtonBitmap("FrecciaGiu"));
    ListBoxPiante = gui::MakeList(PanelQuor, "ListBoxPiante");
    ComboBoxPiante = gui::MakeCombo(PanelQuor, "ComboBoxPiante");
    LabPianta = gui::MakeLabel(PanelQuor, "LabPianta", "Bijbehorende PLANT");
    Image1 = gui::MakeLabel(PanelQuor, "Image1", "");
    Image1->setScaledContents(true);
    SpinButton1 = gui::MakeScrollBar(PanelQuor, "SpinButton1", Qt::Vertical);
}

void ChartWindow::BuildSignaturePanels() {
    LbExtraPia = gui::MakeLabel(PanelExtra, "LbExtraPia", "Ieder");
    LbExtraSeg = gui::MakeLabel(PanelExtra, "LbExtraSeg", "Ieder");
    BBextraOk = gui::MakeButton(PanelExtra, "BBextraOk", "Zoeken");
    ListExtra1 = gui::MakeList(PanelSegnaPato, "ListExtra1");
    ListExtra2 = gui::MakeList(PanelSegnaPato, "ListExtra2");
    LabExtra1 = gui::MakeLabel(PanelSegnaPato, "LabExtra1", "");
    LabExtra2 = gui::MakeLabel(PanelSegnaPato, "LabExtra2", "");
    BBchiudiExtra = gui::MakeButton(PanelSegnaPato, "BBchiudiExtra", "Sluiten");
    MemoExtra = gui::MakeMemo(PanelSegnaPato, "MemoExtra", true);
}

void ChartWindow::ConnectControls() {
    connect(Timer1, &QTimer::timeout, this, [this] { gui::Guard([this] { Timer1Timer(); }); });
    auto on = [this](QPushButton* b, void (ChartWindow::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { gui::Guard([this, handler] { (this->*handler)(); }); });
    };
    on(BBprivato, &ChartWindow::BBprivatoClick);
    for (std::size_t i = 0; i < ViewButtons.size(); ++i) {
        const ChartViewRow* row = &ChartViewRows()[i];
        connect(ViewButtons[i], &QPushButton::clicked, this,
                [this, row] { gui::Guard([this, row] { PressView(*row); }); });
    }
    on(BBchiudiAsp, &ChartWindow::BBchiudiAspClick);
    on(BBFont, &ChartWindow::BBFontClick);
    on(BBsizeFont, &ChartWindow::BBsizeFontClick);
    on(BBchiudiExtra, &ChartWindow::BBchiudiExtraClick);
    for (QPlainTextEdit* m : {Memo1, MemoExtra, MemoAspetti}) m->viewport()->installEventFilter(this);
}

int ChartWindow::PX(Real pageUnits) const { return static_cast<int>(rt::Round(pageUnits / KelvoState.LayoutScaleX)); }
int ChartWindow::PY(Real pageUnits) const { return static_cast<int>(rt::Round(pageUnits / KelvoState.LayoutScaleY)); }

void ChartWindow::LayOut() {
    auto place = [this](QWidget* w, Real l, Real t, Real wd, Real h) { w->setGeometry(PX(l), PY(t), PX(wd), PY(h)); };
    auto at = [this](QWidget* w, Real l, Real t) {
        w->adjustSize();
        w->move(PX(l), PY(t));
    };
    auto rightAt279 = [this](QWidget* w, Real t, Real wd, Real h) {
        w->resize(PX(wd), PY(h));
        w->move(PX(279) - w->width(), PY(t));
    };

    rightAt279(PanelBase, 1.3L, 82, 92);
    at(LabSpecific, 2, 5);
    at(LabGeneral, 2, 49.5L);
    place(MemoL1, 1, 12, 80, 36);
    place(MemoL2, 1, 54, 80, 37);

    rightAt279(PanelPulsanti, 170, 82, 32);
    LayOutViewButtons();

    Panel3->setGeometry(PanelPulsanti->x(), PY(1.3L), PX(82), PY(92));
    place(MemoAspetti, 1, 1, 80, 82);
    BBchiudiAsp->setGeometry(PX(2), MemoAspetti->height() + PY(3.5L), PX(17), BBchiudiAsp->height());
    BBFont->setGeometry(PX(20), MemoAspetti->height() + PY(3.5L), PX(17), BBFont->height());

    rightAt279(PanelInfo, 134, 82, 35);
    Memo1->setGeometry(PanelInfo->width() - PX(80) - PX(1), PY(1), PX(80), PY(33));

    rightAt279(PanelQuor, 1.3L, 82, 92);
    LayOutPlantsPanel();

    rightAt279(PanelDati, 94, 82, 38.7L);
    LayOutDataPanel();
    FitDataCaptions();
    FitDataFieldTexts();
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

// The left column 3 units from the panel's left edge, the right one 3 units
// from its right edge, each button 35 by 5 units on its line.
void ChartWindow::LayOutViewButtons() {
    const std::vector<ChartViewRow>& rows = ChartViewRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QPushButton* b = ViewButtons[i];
        const ViewButtonPlace& place = rows[i].place;
        b->resize(PX(35), PY(5));
        const int left = place.column == 0 ? PX(3) : PanelPulsanti->width() - b->width() - PX(3);
        b->move(left, PY(kViewButtonLines[place.line]));
    }
    BBprivato->setGeometry(PX(54), PY(25), PX(25), PY(6));
    BBsizeFont->setGeometry(PanelPulsanti->width() - PX(35) - PX(3), PY(25), PX(9), PY(6));
}

void ChartWindow::LayOutPlantsPanel() {
    Memo3->setGeometry(PanelQuor->width() - PX(80) - PX(1), PY(38), PX(80), PY(45));
    Memo4->setGeometry(PanelQuor->width() - Memo3->width() - PX(1), PY(12), PX(80), PY(21));
    const Real quorButtons[3] = {2, 20, 38};
    QPushButton* quor[3] = {BBchiudiQuor, BBFontQuor, BBsuGiu};
    for (int i = 0; i < 3; ++i)
        quor[i]->setGeometry(PX(quorButtons[i]), PanelQuor->height() - PY(7), PX(17), quor[i]->height());
    FitPlantPanelSizeCaption(*this);
    ListBoxPiante->setGeometry(PX(1), PY(8), PX(30), PY(13));
    ComboBoxPiante->setGeometry(PX(1), PY(6), PX(30), ComboBoxPiante->height());
    LabPianta->adjustSize();
    LabPianta->move(PX(1), PY(2));
}

void ChartWindow::LayOutDataPanel() {
    for (const DataRow& row : kDataRows) {
        QLineEdit* field = this->*row.edit;
        QLabel* caption = this->*row.label;
        field->setGeometry(PX(row.left), PY(row.top), PX(row.width), PY(row.height));
        caption->adjustSize();
        caption->move(PX(2), row.captionTop ? PY(*row.captionTop) : field->y() + PY(0.5L));
    }
}

void ChartWindow::FormActivate() {
    KelvoState.LargeFontsFlag = true;
    // An opening shows the natal wheel, whose glyphs answer to clicks, whatever
    // view the window was closed on.
    KelvoState.VolguineViewActive = false;
    Drawing.DrawForm = this;
    Drawing.chartCanvas = this;

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

void ChartWindow::FormClose() {
    Timer1->stop();
    Drawing.ZoomFactor = 1.0L;
    Drawing.OriginX = 0;
    Drawing.OriginY = 0;
    Drawing.AspectLinesOn = 1;
    Drawing.DrawForm = nullptr;
}

void ChartWindow::closeEvent(QCloseEvent* event) {
    gui::Guard([this] { FormClose(); });
    event->accept();
}

void ChartWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    gui::Guard([this, p] { FormMouseDown(p.x(), p.y()); });
    // A list the click dropped down takes the release: the markers go back now.
    if (QApplication::activePopupWidget()) FormMouseUp();
}

void ChartWindow::mouseReleaseEvent(QMouseEvent*) { FormMouseUp(); }

void ChartWindow::keyPressEvent(QKeyEvent* event) {
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

bool ChartWindow::eventFilter(QObject* watched, QEvent* event) {
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

void ChartWindow::FormMouseDown(int x, int y) {
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

void ChartWindow::FormMouseUp() {
    Drawing.BlackAndWhite = false;
    GlyphMouseUp(*this);
}

void ChartWindow::Timer1Timer() {
    if (KelvoState.TimerTicks == 1) {
        Timer1->stop();
        if (!KelvoState.ArchetypeViewFlag) {
            ClearCanvas();
            RedrawNatalChart(*this);
        } else {
            RedrawArchetypeView();
        }
        return;
    }
    ++KelvoState.TimerTicks;
}

void ChartWindow::ShowDataFields(const NatalChartFields& f) {
    EdNome->setText(gui::ToQt(f.EdNome));
    EdData->setText(gui::ToQt(f.EdData));
    EdLocal->setText(gui::ToQt(f.EdLocal));
    EdCoordi->setText(gui::ToQt(f.EdCoordi));
    EdDomif->setText(gui::ToQt(f.EdDomif));
    EdNodo->setText(gui::ToQt(f.EdNodo));
    EdJd->setText(gui::ToQt(f.EdJd));
    FitDataFieldTexts();
}

// Each data field in the panel's font size, or a point smaller at a time (down
// to 6) until its whole text fits; a text that still does not fit shows its
// beginning (the weekday of the date).
void ChartWindow::FitDataFieldTexts() {
    const bool large = KelvoState.LargeFontsFlag;
    for (const DataRow& row : kDataRows) {
        QLineEdit* e = this->*row.edit;
        QFont f = e->font();
        int size = e == EdNome ? (large ? 12 : 10) : (large ? 10 : 8);
        f.setPointSize(size);
        const int room = e->width() - 8;  // the frame and the text margins
        while (size > 6 && QFontMetrics(f).horizontalAdvance(e->text()) > room) f.setPointSize(--size);
        e->setFont(f);
        e->setCursorPosition(0);
    }
}

// ---- view buttons ----

void ChartWindow::PressView(const ChartViewRow& row) {
    const int k = row.view;
    ResetViewCycles(k);
    KelvoState.VolguineViewActive = row.engineOrder;
    for (QWidget* w : std::initializer_list<QWidget*>{Panel3, PanelQuor, Image1, Image2}) w->hide();
    ClearDignityGlyphCentres();
    KelvoState.DodecatemoriaMode = false;
    if (row.prepare) row.prepare();
    ClearChartSquare();
    const int c = KelvoState.ViewCycle[k];
    const ChartViewShown shown = ShowView(row, c);
    ShowHelpMessage(SubViewHelpEntry(k, c));
    if (!shown.helpNote.empty()) Memo1->appendPlainText(gui::ToQt(shown.helpNote));
    KelvoState.ViewCycle[k] = static_cast<unsigned char>((c + 1) % SubViewCount(k));
    if (row.engineOrder && CurrentChartReloader()) CurrentChartReloader()();
}

ChartViewShown ChartWindow::ShowView(const ChartViewRow& row, int subView) {
    Drawing.chartCanvas = this;
    // Set while the archetypal structure is drawn: an opening after a drawing
    // that did not finish draws it again.
    KelvoState.ArchetypeViewFlag = row.view == kViewArchetype;
    const ChartViewShown shown = row.draw(Canvas(), ViewContext(subView));
    KelvoState.ArchetypeViewFlag = false;
    ApplyView(shown);
    return shown;
}

ChartViewContext ChartWindow::ViewContext(int subView) const {
    return {.chart = Chart,
            .subView = subView,
            .centreX = Geometry.WheelCentreX,
            .centreY = Geometry.WheelCentreY,
            .innerRadius = Geometry.HouseRingInnerRadius,
            .framed = Drawing.DrawForm == this,
            .engineOrder = KelvoState.VolguineViewActive};
}

void ChartWindow::ApplyView(const ChartViewShown& shown) {
    if (shown.dataFields) ShowDataFields(*shown.dataFields);
    if (shown.aspectMemo) {
        Panel3->show();
        ShowLinesIn(MemoAspetti, *shown.aspectMemo);
        // The memo shows its lines from the first on.
        MemoAspetti->moveCursor(QTextCursor::Start);
        MemoAspetti->ensureCursorVisible();
    }
    if (shown.helpEntry > 0) ShowHelpMessage(shown.helpEntry);
    if (shown.dignityGlyphs) {
        const DignityGlyphCentres& c = *shown.dignityGlyphs;
        for (int b = 1; b <= 7; ++b)
            if (c.x[b] != 0 || c.y[b] != 0) {
                KelvoState.DignityGlyphCentreX[b] = c.x[b];
                KelvoState.DignityGlyphCentreY[b] = c.y[b];
            }
    }
    KelvoState.DodecatemoriaMode = shown.dodecatemoriaWheel;
    if (!shown.message.empty()) gui::ShowMessage(shown.message);
}

void ChartWindow::RedrawArchetypeView() {
    Panel3->hide();
    KelvoState.DodecatemoriaMode = false;
    Memo1->clear();
    ClearAttributionTexts();  // the view blanks the chart square itself
    if (const ChartViewRow* row = FindChartView(kViewArchetype)) ShowView(*row, 0);
}

void ChartWindow::ClearChartSquare() {
    ClearChartArea(Canvas());
    ClearAttributionTexts();
}

void ChartWindow::ClearAttributionTexts() {
    MemoL1->clear();
    MemoL2->clear();
    LabSpecific->clear();
    LabGeneral->clear();
}

// ---- small buttons ----

void ChartWindow::BBprivatoClick() { close(); }

void ChartWindow::BBchiudiAspClick() { Panel3->hide(); }

void ChartWindow::BBFontClick() {
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

void ChartWindow::BBsizeFontClick() {
    KelvoState.LargeFontsFlag = !KelvoState.LargeFontsFlag;
    SetPanelFontSizes(KelvoState.LargeFontsFlag);
    BBsizeFont->setIcon(ButtonBitmap(KelvoState.LargeFontsFlag ? "RiduciFont" : "AumentaFont"));
    FitDataCaptions();
    FitDataFieldTexts();
    FitViewButtonCaptions();
}

// All nine in one size: the largest (up to that of the fonts' state) at which
// every caption fits its button.
void ChartWindow::FitViewButtonCaptions() {
    int size = KelvoState.LargeFontsFlag ? 10 : 8;
    for (QPushButton* b : ViewButtons) {
        FitButtonCaption(b, size);
        size = b->font().pointSize();
    }
    for (QPushButton* b : ViewButtons) {
        QFont f = b->font();
        f.setPointSize(size);
        b->setFont(f);
    }
}

// The view buttons and data fields in 10 points, the name in 12 (large), or in 8 and 10.
void ChartWindow::SetPanelFontSizes(bool large) {
    std::vector<QWidget*> widgets(ViewButtons.begin(), ViewButtons.end());
    for (const DataRow& row : kDataRows) widgets.push_back(this->*row.label);
    for (const DataRow& row : kDataRows) widgets.push_back(this->*row.edit);
    for (QWidget* w : widgets) {
        QFont f = w->font();
        f.setPointSize(w == EdNome ? (large ? 12 : 10) : (large ? 10 : 8));
        w->setFont(f);
    }
}

// A data caption that would run into its field is written a point smaller at a time.
void ChartWindow::FitDataCaptions() {
    for (const DataRow& row : kDataRows) {
        QLabel* label = this->*row.label;
        const QWidget* field = this->*row.edit;
        QFont f = label->font();
        label->adjustSize();
        while (label->x() + label->width() > field->x() - PX(0.5L) && f.pointSize() > 6) {
            f.setPointSize(f.pointSize() - 1);
            label->setFont(f);
            label->adjustSize();
        }
    }
}

void ChartWindow::BBchiudiExtraClick() {
    ListExtra1->clear();
    ListExtra2->clear();
    PanelSegnaPato->hide();
    ClearCanvas();
    RedrawNatalChart(*this);
}

void ChartWindow::MemoAspettiDblClick() {
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

void ChartWindow::Memo1DblClick() {
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

ChartWindow* EnsureChartWindow() {
    if (!theChartWindow) theChartWindow = new ChartWindow();
    return theChartWindow;
}

void RedrawNatalChart(ChartWindow& form) {
    Drawing.chartCanvas = &form;
    form.ShowDataFields(DrawNatalChartUnderView(form.Canvas(), Drawing.DrawForm == &form));
}

void RepaintChartWindow() {
    if (!theChartWindow) return;
    theChartWindow->ClearCanvas();
    RedrawNatalChart(*theChartWindow);
}

}  // namespace display
