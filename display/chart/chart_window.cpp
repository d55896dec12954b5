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

#include "archive/current_chart.h"
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

void ResetViewCycles(ChartWindowState& status, int k) {
    for (int i = 0; i <= 14; ++i) {
        if (i == k) continue;
        status.ViewCycle[i] = 0;
        status.BodyClickStep[i] = 0;
        status.SignClickStep[i] = 0;
    }
}

void ClearDignityGlyphCentres(ChartWindowState& status) {
    status.DignityGlyphCentreX.fill(0);
    status.DignityGlyphCentreY.fill(0);
}

namespace {

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

using W = ChartWindow;
const DataRow kDataRows[] = {
    {&W::nameLabel, "LabNome", "Person", &W::nameEdit, "EdNome", 17, 2.5L, 64, 6, 3.5L},
    {&W::birthDateLabel, "LabData", "Gebortedatum", &W::birthDateEdit, "EdData", 20, 9, 61, 5, 9.5L},
    {&W::placeLabel, "LabLocal", "Plaats", &W::placeEdit, "EdLocal", 26, 13.8L, 55, 5, {}},
    {&W::coordinatesLabel, "LabCoordi", "Co\xF6rdinaten", &W::coordinatesEdit, "EdCoordi", 26, 18.6L, 55, 5, {}},
    {&W::houseSystemLabel, "LabDomif", "Domificatie", &W::houseSystemEdit, "EdDomif", 26, 23.4L, 55, 5, {}},
    {&W::nodeLabel, "LabNodo", "Maan Knoop", &W::nodeEdit, "EdNodo", 26, 28.2L, 55, 5, {}},
    {&W::julianDayLabel, "LabJd", "Astronomische dag JD", &W::julianDayEdit, "EdJd", 39, 33, 42, 5, 33.5L},
};

// Tops of the five lines of view buttons.
constexpr Real kViewButtonLines[5] = {3, 8.5L, 14, 19.5L, 25};

}  // namespace

// The glyph bitmaps of the buttons: a down or up arrow, a large and a small "A".
QIcon GlyphIcon(const char* name) {
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

int CaptionWidth(const QPushButton* button) {
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
    while (CaptionWidth(button) > button->width() && f.pointSize() > 6) {
        f.setPointSize(f.pointSize() - 1);
        button->setFont(f);
    }
}

void ShowLinesIn(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& l : lines) text << gui::ToQt(l);
    memo->setPlainText(text.join('\n'));
}

bool CentreHit(const DrawingState& drawing, Real cx, Real cy, int x, int y) {
    if (cx == 0 && cy == 0) return false;  // a cleared centre
    const Real k = drawing.PixelsPerUnit * drawing.ZoomFactor;
    const Real mx = x - drawing.OriginX;
    const Real my = y - drawing.OriginY;
    return (cx * k - 15) / drawing.AspectScaleX < mx && mx < (cx * k + 15) / drawing.AspectScaleX &&
           (cy * k - 15) / drawing.AspectScaleY < my && my < (cy * k + 15) / drawing.AspectScaleY;
}

GlyphHit FindGlyphHit(const DrawingState& drawing, const NatalWheelState& wheel, int x, int y) {
    GlyphHit hit;
    for (int i = 1; i <= 11; ++i)
        if (CentreHit(drawing, wheel.PlanetGlyphX[i], wheel.PlanetGlyphY[i], x, y)) hit.body = i;
    for (int s = 1; s <= 12; ++s)
        if (CentreHit(drawing, wheel.SignGlyphX[s], wheel.SignGlyphY[s], x, y)) hit.sign = s;
    hit.x = x;
    hit.y = y;
    return hit;
}

// ---- the window ----

ChartWindow::ChartWindow(ChartGeometryState& geometry, const archive::CurrentChart& current, DrawingState& drawing,
                         QWidget* parent)
    : CanvasForm(parent), drawing(drawing), geometry(geometry), current(current) {
    UseDrawingState(drawing);
    setObjectName("FgrKelvo");
    setWindowTitle("Interactief voorbereidend model");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    SetBackground(kBlack);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    resize(1016, 690);
    BuildControls();
    helpMemoTarget = {
        [this] {
            helpMemo->clear();
            signatureMemo->clear();
        },
        [this](const std::vector<std::string>& lines) { ShowLinesIn(helpMemo, lines); },
        [this](const std::vector<std::string>& lines) { ShowLinesIn(signatureMemo, lines); },
    };
    InstallGlyphClicks(*this);
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::BuildControls() {
    const QColor grey(192, 192, 192), teal(0, 128, 128);
    const struct {
        QFrame** slot;
        const char* name;
        QColor colour;
        bool visible;
    } panels[] = {
        {&attributionPanel, "PanelBase", grey, true},        {&viewButtonPanel, "PanelPulsanti", teal, true},
        {&aspectListPanel, "Panel3", grey, false},           {&helpPanel, "PanelInfo", grey, true},
        {&dataPanel, "PanelDati", grey, true},               {&plantsPanel, "PanelQuor", grey, false},
        {&signatureSearchPanel, "PanelExtra", grey, false},  {&signatureResultsPanel, "PanelSegnaPato", grey, false},
        {&bottomPanel, "Panel1", grey, false},
    };
    for (const auto& p : panels) {
        *p.slot = gui::MakeRaisedPanel(this, p.name, p.colour);
        (*p.slot)->setVisible(p.visible);
    }

    specificLabel = gui::MakeLabel(attributionPanel, "LabSpecific", "SPECIFIEKE TOESCHRIJVINGEN");
    specificMemo = gui::MakeMemo(attributionPanel, "MemoL1", true);
    generalLabel = gui::MakeLabel(attributionPanel, "LabGeneral", "ALGEMENE TOESCHRIJVINGEN");
    generalMemo = gui::MakeMemo(attributionPanel, "MemoL2", true);
    attributionGlyphImage = gui::MakeLabel(attributionPanel, "Image2", "");
    attributionGlyphImage->setScaledContents(true);
    hiddenAttributionEdit = gui::MakeEdit(attributionPanel, "Edit2");
    hiddenAttributionEdit->setReadOnly(true);
    hiddenAttributionEdit->hide();

    BuildViewButtons();

    aspectListMemo = gui::MakeMemo(aspectListPanel, "MemoAspetti", true);
    gui::MakeButtons(aspectListPanel, {{&closeAspectListButton, "BBchiudiAsp", "Sluiten"},
                                       {&aspectListFontButton, "BBFont", "Font +"}});

    helpMemo = gui::MakeMemo(helpPanel, "Memo1", true);
    QPalette pal = helpMemo->palette();
    pal.setColor(QPalette::Base, FromColor(12247806));
    helpMemo->setPalette(pal);
    helpMemo->setToolTip("doppio clic per espandere/ridurre");
    helpMemo->setPlainText(QString::fromUtf8("INFORMAZIONI:\nLa parte interna dei simboli\n"
                                          "astrologici (cerchietto rosso)\nè sensibile al clic del mouse"));
    QTextOption centred = helpMemo->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    helpMemo->document()->setDefaultTextOption(centred);

    BuildDataPanel();
    BuildPlantsPanel();
    BuildSignaturePanels();

    bottomEdit = gui::MakeEdit(bottomPanel, "Edit1");
    bottomEdit->setReadOnly(true);

    firstDrawTimer = new QTimer(this);
    firstDrawTimer->setObjectName("Timer1");
    firstDrawTimer->setInterval(10);

    // The fonts of the large state (activation sets the flag without changing them).
    QFont bold = nameEdit->font();
    bold.setBold(true);
    nameEdit->setFont(bold);
    SetPanelFontSizes(true);
    ConnectControls();
}

// One button a row of the views' table, then "Backards" and the font size button.
void ChartWindow::BuildViewButtons() {
    for (const ChartViewRow& row : ChartViewRows()) {
        QPushButton* b = gui::MakeButton(viewButtonPanel, row.name, row.caption);
        b->setEnabled(row.enabled);
        if (row.button) this->*row.button = b;
        viewButtons.push_back(b);
    }
    backButton = gui::MakeButton(viewButtonPanel, "BBprivato", "Backards");
    backButton->setToolTip("Ritorna ad Orbalune");
    backButton->setDefault(true);
    QFont f = backButton->font();
    f.setBold(true);
    backButton->setFont(f);
    QPalette pal = backButton->palette();
    pal.setColor(QPalette::ButtonText, QColor(0, 0, 255));
    backButton->setPalette(pal);
    fontSizeButton = gui::MakeButton(viewButtonPanel, "BBsizeFont", "");
    fontSizeButton->setToolTip("Ingrandisci/Riduci Caratteri");
    fontSizeButton->setIcon(GlyphIcon("RiduciFont"));
}

// The captions first, then the read-only fields.
void ChartWindow::BuildDataPanel() {
    for (const DataRow& row : kDataRows) this->*row.label = gui::MakeLabel(dataPanel, row.labelName, row.caption);
    for (const DataRow& row : kDataRows) {
        QLineEdit* e = gui::MakeEdit(dataPanel, row.editName);
        e->setReadOnly(true);
        this->*row.edit = e;
    }
    QPalette pal = nameEdit->palette();
    pal.setColor(QPalette::Base, QColor(0, 128, 128));
    pal.setColor(QPalette::Text, Qt::white);
    nameEdit->setPalette(pal);
}

void ChartWindow::BuildPlantsPanel() {
    plantSymptomsMemo = gui::MakeMemo(plantsPanel, "Memo3", true);
    plantSignaturesMemo = gui::MakeMemo(plantsPanel, "Memo4", true);
    gui::MakeButtons(plantsPanel, {{&closePlantsButton, "BBchiudiQuor", "Sluiten"},
                                   {&plantsFontButton, "BBFontQuor", "Font +"},
                                   {&plantsSizeButton, "BBsuGiu", "Verbreden"}});
    plantsSizeButton->setIcon(GlyphIcon("FrecciaGiu"));
    plantList = gui::MakeList(plantsPanel, "ListBoxPiante");
    plantBox = gui::MakeCombo(plantsPanel, "ComboBoxPiante");
    plantListLabel = gui::MakeLabel(plantsPanel, "LabPianta", "Bijbehorende PLANT");
    plantsGlyphImage = gui::MakeLabel(plantsPanel, "Image1", "");
    plantsGlyphImage->setScaledContents(true);
    plantSpinButton = gui::MakeScrollBar(plantsPanel, "SpinButton1", Qt::Vertical);
}

void ChartWindow::BuildSignaturePanels() {
    planetFilterLabel = gui::MakeLabel(signatureSearchPanel, "LbExtraPia", "Ieder");
    signFilterLabel = gui::MakeLabel(signatureSearchPanel, "LbExtraSeg", "Ieder");
    signatureSearchButton = gui::MakeButton(signatureSearchPanel, "BBextraOk", "Zoeken");
    signatureResultLists = {gui::MakeList(signatureResultsPanel, "ListExtra1"),
                            gui::MakeList(signatureResultsPanel, "ListExtra2")};
    signatureResultLabels = {gui::MakeLabel(signatureResultsPanel, "LabExtra1", ""),
                             gui::MakeLabel(signatureResultsPanel, "LabExtra2", "")};
    closeSignatureResultsButton = gui::MakeButton(signatureResultsPanel, "BBchiudiExtra", "Sluiten");
    signatureMemo = gui::MakeMemo(signatureResultsPanel, "MemoExtra", true);
}

void ChartWindow::ConnectControls() {
    connect(firstDrawTimer, &QTimer::timeout, this, [this] { gui::Guard([this] { DrawWhenReady(); }); });
    auto on = [this](QPushButton* b, void (ChartWindow::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { gui::Guard([this, handler] { (this->*handler)(); }); });
    };
    on(backButton, &ChartWindow::GoBack);
    for (std::size_t i = 0; i < viewButtons.size(); ++i) {
        const ChartViewRow* row = &ChartViewRows()[i];
        connect(viewButtons[i], &QPushButton::clicked, this,
                [this, row] { gui::Guard([this, row] { PressView(*row); }); });
    }
    on(closeAspectListButton, &ChartWindow::CloseAspectList);
    on(aspectListFontButton, &ChartWindow::ToggleAspectListFont);
    on(fontSizeButton, &ChartWindow::TogglePanelFontSize);
    on(closeSignatureResultsButton, &ChartWindow::CloseSignatureResults);
    for (QPlainTextEdit* m : {helpMemo, signatureMemo, aspectListMemo}) m->viewport()->installEventFilter(this);
}

int ChartWindow::PX(Real pageUnits) const {
    return static_cast<int>(rt::Round(pageUnits / status.LayoutScaleX));
}
int ChartWindow::PY(Real pageUnits) const {
    return static_cast<int>(rt::Round(pageUnits / status.LayoutScaleY));
}

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

    rightAt279(attributionPanel, 1.3L, 82, 92);
    at(specificLabel, 2, 5);
    at(generalLabel, 2, 49.5L);
    place(specificMemo, 1, 12, 80, 36);
    place(generalMemo, 1, 54, 80, 37);

    rightAt279(viewButtonPanel, 170, 82, 32);
    LayOutViewButtons();

    aspectListPanel->setGeometry(viewButtonPanel->x(), PY(1.3L), PX(82), PY(92));
    place(aspectListMemo, 1, 1, 80, 82);
    closeAspectListButton->setGeometry(PX(2), aspectListMemo->height() + PY(3.5L), PX(17),
                                       closeAspectListButton->height());
    aspectListFontButton->setGeometry(PX(20), aspectListMemo->height() + PY(3.5L), PX(17),
                                      aspectListFontButton->height());

    rightAt279(helpPanel, 134, 82, 35);
    helpMemo->setGeometry(helpPanel->width() - PX(80) - PX(1), PY(1), PX(80), PY(33));

    rightAt279(plantsPanel, 1.3L, 82, 92);
    LayOutPlantsPanel();

    rightAt279(dataPanel, 94, 82, 38.7L);
    LayOutDataPanel();
    FitDataCaptions();
    FitDataFieldTexts();
    FitViewButtonCaptions();

    place(plantsGlyphImage, 70, 2, 9, 9);
    place(attributionGlyphImage, 70, 2, 9, 9);
    place(plantSpinButton, 31, 1, 6, 10.5L);

    place(signatureSearchPanel, 162, 194, 35, 8);
    place(signatureSearchButton, 21, 1, 13, 6);
    at(planetFilterLabel, 1, 1);
    at(signFilterLabel, 11, 1);
    place(signatureResultsPanel, 15, 50, 170, 100);
    place(signatureResultLists[0], 2, 6, 82, 80);
    place(signatureResultLists[1], 86, 6, 82, 80);
    at(signatureResultLabels[0], 3, 2);
    at(signatureResultLabels[1], 87, 2);
    place(closeSignatureResultsButton, 147, 90, 20, 6);
    place(signatureMemo, 2, 86, 140, 12);
}

// The left column 3 units from the panel's left edge, the right one 3 units
// from its right edge, each button 35 by 5 units on its line.
void ChartWindow::LayOutViewButtons() {
    const std::vector<ChartViewRow>& rows = ChartViewRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QPushButton* b = viewButtons[i];
        const ViewButtonPlace& place = rows[i].place;
        b->resize(PX(35), PY(5));
        const int left = place.column == 0 ? PX(3) : viewButtonPanel->width() - b->width() - PX(3);
        b->move(left, PY(kViewButtonLines[place.line]));
    }
    backButton->setGeometry(PX(54), PY(25), PX(25), PY(6));
    fontSizeButton->setGeometry(viewButtonPanel->width() - PX(35) - PX(3), PY(25), PX(9), PY(6));
}

void ChartWindow::LayOutPlantsPanel() {
    plantSymptomsMemo->setGeometry(plantsPanel->width() - PX(80) - PX(1), PY(38), PX(80), PY(45));
    plantSignaturesMemo->setGeometry(plantsPanel->width() - plantSymptomsMemo->width() - PX(1), PY(12), PX(80),
                                     PY(21));
    const Real buttonLefts[3] = {2, 20, 38};
    QPushButton* buttons[3] = {closePlantsButton, plantsFontButton, plantsSizeButton};
    for (int i = 0; i < 3; ++i)
        buttons[i]->setGeometry(PX(buttonLefts[i]), plantsPanel->height() - PY(7), PX(17), buttons[i]->height());
    FitPlantPanelSizeCaption(*this);
    plantList->setGeometry(PX(1), PY(8), PX(30), PY(13));
    plantBox->setGeometry(PX(1), PY(6), PX(30), plantBox->height());
    plantListLabel->adjustSize();
    plantListLabel->move(PX(1), PY(2));
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

void ChartWindow::PrepareOpening() {
    status.LargeFontsFlag = true;
    // An opening shows the natal wheel, whose glyphs answer to clicks, whatever
    // view the window was closed on.
    status.VolguineViewActive = false;
    framesWheel_ = true;

    status.LayoutScaleX = drawing.AspectScaleX / drawing.PixelsPerUnit * drawing.ZoomFactor;
    status.LayoutScaleY = drawing.AspectScaleY / drawing.PixelsPerUnit * drawing.ZoomFactor;
    LayOut();

    status.SearchBodyFilter = "Ieder";
    status.SearchSignFilter = "Ieder";
    status.OkFlag = false;
    drawing.ZoomFactor = 1.0L;
    drawing.AspectLinesOn = 1;
    drawing.OriginY = 0;
    drawing.OriginX = 0;

    firstDrawTimer->start();
    specificMemo->clear();
    generalMemo->clear();

    status.DodecatemoriaMode = false;
    status.HelpMemoExpanded = false;
    status.AspectMemoExpanded = false;
    status.SelectedPlantIndex = -1;
    status.ViewCycle.fill(0);
    status.BodyClickStep.fill(0);
    status.SignClickStep.fill(0);
    ForgetGlyphCentres(*this);  // those of an earlier opening are not on the screen
    // Nor are the panels and glyph images an earlier opening left open.
    for (QWidget* w :
         std::initializer_list<QWidget*>{aspectListPanel, plantsPanel, plantsGlyphImage, attributionGlyphImage})
        w->hide();
    attributionPanel->show();

    SetSignMidpoints(wheel);
    const engine::Chart& chart = current.chart;
    // The place's longitude in hours of time, west positive.
    status.PlaceLongitudeHours = -chart.place.longitude * 4 / 60;

    // The weekday of the birth date by clock time, which the data fields show.
    wheel.BirthWeekdayName = engine::kWeekdayNames[static_cast<std::size_t>(
        engine::WeekdayOfJulianDay(chart.moment.julianDay - chart.moment.zoneCorrection / 24))];

    // The planetary day and hour of the birth for the masters page; without
    // ephemeris tables the page shows no hour and no ruler.
    try {
        birthHour = ComputeBirthPlanetaryHour(chart, status.PlaceLongitudeHours);
    } catch (const rt::IoError&) {
        birthHour = BirthPlanetaryHourState{};
    }

    ShowHelpEntry(1);
}

void ChartWindow::ReleaseDrawing() {
    firstDrawTimer->stop();
    drawing.ZoomFactor = 1.0L;
    drawing.OriginX = 0;
    drawing.OriginY = 0;
    drawing.AspectLinesOn = 1;
    framesWheel_ = false;
}

void ChartWindow::closeEvent(QCloseEvent* event) {
    gui::Guard([this] { ReleaseDrawing(); });
    event->accept();
}

void ChartWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    gui::Guard([this, p] { PressAt(p.x(), p.y()); });
    // A list the click dropped down takes the release: the markers go back now.
    if (QApplication::activePopupWidget()) RestoreGlyphRings();
}

void ChartWindow::mouseReleaseEvent(QMouseEvent*) { RestoreGlyphRings(); }

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
            backButton->click();
        return;
    }
    CanvasForm::keyPressEvent(event);
}

bool ChartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == aspectListMemo->viewport()) {
            gui::Guard([this] { ToggleAspectListSize(); });
            return true;
        }
        if (watched == helpMemo->viewport() || watched == signatureMemo->viewport()) {
            gui::Guard([this] { ToggleHelpMemoSize(); });
            return true;
        }
    }
    return CanvasForm::eventFilter(watched, event);
}

void ChartWindow::PressAt(int x, int y) {
    if (status.VolguineViewActive) return;
    status.ClickedBody = 0;
    status.ClickedSign = 0;
    const GlyphHit hit = FindGlyphHit(drawing, wheel, x, y);
    if (glyphClickHandler) {
        glyphClickHandler(*this, hit);
        return;
    }
    if (hit.body == 0 && hit.sign == 0) return;
    // Without the attribution steps: the help text of the kind of glyph.
    if (hit.body != 0) {
        status.ClickedBody = hit.body;
        ResetViewCycles(status, hit.body);
        ShowHelpEntry(28);
    }
    if (hit.sign != 0) {
        status.ClickedSign = hit.sign;
        ResetViewCycles(status, hit.sign);
        ShowHelpEntry(31);
    }
}

void ChartWindow::RestoreGlyphRings() {
    drawing.BlackAndWhite = false;
    RedrawGlyphRings(*this);
}

void ChartWindow::DrawWhenReady() {
    if (status.FirstDrawTicks == 1) {
        firstDrawTimer->stop();
        if (!status.ArchetypeViewFlag) {
            ClearCanvas();
            RedrawNatalChart(*this);
        } else {
            RedrawArchetypeView();
        }
        return;
    }
    ++status.FirstDrawTicks;
}

void ChartWindow::ShowHelpEntry(int n) { ShowHelpMessage(helpMemoTarget, wheel.FileErrors, n); }

void ChartWindow::ShowDataFields(const NatalChartFields& f) {
    nameEdit->setText(gui::ToQt(f.name));
    birthDateEdit->setText(gui::ToQt(f.birthDate));
    placeEdit->setText(gui::ToQt(f.place));
    coordinatesEdit->setText(gui::ToQt(f.coordinates));
    houseSystemEdit->setText(gui::ToQt(f.houseSystem));
    nodeEdit->setText(gui::ToQt(f.node));
    julianDayEdit->setText(gui::ToQt(f.julianDay));
    FitDataFieldTexts();
}

// Each data field in the panel's font size, or a point smaller at a time (down
// to 6) until its whole text fits; a text that still does not fit shows its
// beginning (the weekday of the date).
void ChartWindow::FitDataFieldTexts() {
    const bool large = status.LargeFontsFlag;
    for (const DataRow& row : kDataRows) {
        QLineEdit* e = this->*row.edit;
        QFont f = e->font();
        int size = e == nameEdit ? (large ? 12 : 10) : (large ? 10 : 8);
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
    ResetViewCycles(status, k);
    status.VolguineViewActive = row.reducedWheel;
    for (QWidget* w :
         std::initializer_list<QWidget*>{aspectListPanel, plantsPanel, plantsGlyphImage, attributionGlyphImage})
        w->hide();
    ClearDignityGlyphCentres(status);
    status.DodecatemoriaMode = false;
    if (row.prepare) row.prepare(current);
    ClearChartSquare();
    const int c = status.ViewCycle[k];
    const ChartViewShown shown = ShowView(row, c);
    ShowHelpEntry(SubViewHelpEntry(k, c));
    if (!shown.helpNote.empty()) helpMemo->appendPlainText(gui::ToQt(shown.helpNote));
    status.ViewCycle[k] = static_cast<unsigned char>((c + 1) % SubViewCount(k));
}

ChartViewShown ChartWindow::ShowView(const ChartViewRow& row, int subView) {
    // Set while the archetypal structure is drawn: an opening after a drawing
    // that did not finish draws it again.
    status.ArchetypeViewFlag = row.view == kViewArchetype;
    const ChartViewShown shown = row.draw(Canvas(), ViewContext(subView));
    status.ArchetypeViewFlag = false;
    ApplyView(shown);
    return shown;
}

ChartViewContext ChartWindow::ViewContext(int subView) {
    return {.current = current,
            .geometry = geometry,
            .wheel = wheel,
            .subView = subView,
            .centreX = geometry.WheelCentreX,
            .centreY = geometry.WheelCentreY,
            .innerRadius = geometry.HouseRingInnerRadius,
            .framed = framesWheel_,
            .birthHour = birthHour};
}

void ChartWindow::ApplyView(const ChartViewShown& shown) {
    if (shown.dataFields) ShowDataFields(*shown.dataFields);
    if (shown.aspectMemo) {
        aspectListPanel->show();
        ShowLinesIn(aspectListMemo, *shown.aspectMemo);
        // The memo shows its lines from the first on.
        aspectListMemo->moveCursor(QTextCursor::Start);
        aspectListMemo->ensureCursorVisible();
    }
    if (shown.helpEntry > 0) ShowHelpEntry(shown.helpEntry);
    if (shown.dignityGlyphs) {
        const DignityGlyphCentres& c = *shown.dignityGlyphs;
        for (int b = 1; b <= 7; ++b)
            if (c.x[b] != 0 || c.y[b] != 0) {
                status.DignityGlyphCentreX[b] = c.x[b];
                status.DignityGlyphCentreY[b] = c.y[b];
            }
    }
    status.DodecatemoriaMode = shown.dodecatemoriaWheel;
    if (shown.wheelSignNames) status.WheelSignNames = true;
    if (!shown.message.empty()) gui::ShowMessage(shown.message);
}

void ChartWindow::RedrawArchetypeView() {
    aspectListPanel->hide();
    status.DodecatemoriaMode = false;
    helpMemo->clear();
    ClearAttributionTexts();  // the view blanks the chart square itself
    if (const ChartViewRow* row = FindChartView(kViewArchetype)) ShowView(*row, 0);
}

void ChartWindow::ClearChartSquare() {
    ClearChartArea(Canvas(), wheel);
    ClearAttributionTexts();
}

void ChartWindow::ClearAttributionTexts() {
    specificMemo->clear();
    generalMemo->clear();
    specificLabel->clear();
    generalLabel->clear();
}

// ---- small buttons ----

void ChartWindow::GoBack() { close(); }

void ChartWindow::CloseAspectList() { aspectListPanel->hide(); }

void ChartWindow::ToggleAspectListFont() {
    QFont f = aspectListMemo->font();
    if (f.pointSize() != 8) {
        f.setPointSize(8);
        aspectListFontButton->setText("Font +");
    } else {
        f.setPointSize(10);
        aspectListFontButton->setText("Font -");
    }
    aspectListMemo->setFont(f);
}

void ChartWindow::TogglePanelFontSize() {
    status.LargeFontsFlag = !status.LargeFontsFlag;
    SetPanelFontSizes(status.LargeFontsFlag);
    fontSizeButton->setIcon(GlyphIcon(status.LargeFontsFlag ? "RiduciFont" : "AumentaFont"));
    FitDataCaptions();
    FitDataFieldTexts();
    FitViewButtonCaptions();
}

// All nine in one size: the largest (up to that of the fonts' state) at which
// every caption fits its button.
void ChartWindow::FitViewButtonCaptions() {
    int size = status.LargeFontsFlag ? 10 : 8;
    for (QPushButton* b : viewButtons) {
        FitButtonCaption(b, size);
        size = b->font().pointSize();
    }
    for (QPushButton* b : viewButtons) {
        QFont f = b->font();
        f.setPointSize(size);
        b->setFont(f);
    }
}

// The view buttons and data fields in 10 points, the name in 12 (large), or in 8 and 10.
void ChartWindow::SetPanelFontSizes(bool large) {
    std::vector<QWidget*> widgets(viewButtons.begin(), viewButtons.end());
    for (const DataRow& row : kDataRows) widgets.push_back(this->*row.label);
    for (const DataRow& row : kDataRows) widgets.push_back(this->*row.edit);
    for (QWidget* w : widgets) {
        QFont f = w->font();
        f.setPointSize(w == nameEdit ? (large ? 12 : 10) : (large ? 10 : 8));
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

void ChartWindow::CloseSignatureResults() {
    for (QListWidget* list : signatureResultLists) list->clear();
    signatureResultsPanel->hide();
    ClearCanvas();
    RedrawNatalChart(*this);
}

void ChartWindow::ToggleAspectListSize() {
    if (status.AspectMemoExpanded) {
        aspectListPanel->resize(aspectListPanel->width(), PY(92));
        aspectListMemo->resize(aspectListMemo->width(), PY(82));
        closeAspectListButton->move(closeAspectListButton->x(), aspectListMemo->height() + PY(3.5L));
        aspectListFontButton->move(aspectListFontButton->x(), aspectListMemo->height() + PY(3.5L));
        status.AspectMemoExpanded = false;
    } else {
        aspectListPanel->resize(aspectListPanel->width(), PY(167));
        aspectListPanel->raise();
        aspectListMemo->resize(aspectListMemo->width(), PY(156));
        closeAspectListButton->move(closeAspectListButton->x(), aspectListPanel->height() - PY(7));
        aspectListFontButton->move(aspectListFontButton->x(), aspectListPanel->height() - PY(7));
        status.AspectMemoExpanded = true;
    }
}

void ChartWindow::ToggleHelpMemoSize() {
    if (status.HelpMemoExpanded) {
        helpPanel->setGeometry(helpPanel->x(), PY(134), helpPanel->width(), PY(35));
        helpMemo->resize(helpMemo->width(), PY(33));
        status.HelpMemoExpanded = false;
    } else {
        helpPanel->raise();
        helpPanel->setGeometry(helpPanel->x(), PY(51), helpPanel->width(), PY(118));
        helpMemo->resize(helpMemo->width(), PY(116));
        status.HelpMemoExpanded = true;
    }
}

// ---- drawing entries ----

void RedrawNatalChart(ChartWindow& form) {
    form.ShowDataFields(DrawNatalChartUnderView(form.Canvas(), form.CurrentPerson(), form.FramesWheel(),
                                                form.WheelGeometry(), form.NatalWheel()));
}

void RepaintChartWindow(ChartWindow& window) {
    window.ClearCanvas();
    RedrawNatalChart(window);
}

}  // namespace display
