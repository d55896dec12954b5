#include "display/chart/chart_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
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
    for (int view = 1; view <= kChartViewCount; ++view)
        if (view != k) status.ViewCycle(view) = 0;
    for (ChartPoint p : kChartPoints)
        if (ChartPointNumber(p) != k) status.bodyClickStep[p] = 0;
    for (engine::Sign s : engine::kSigns)
        if (engine::SignNumber(s) != k) status.signClickStep[s] = 0;
}

void ClearDignityGlyphCentres(NatalWheelState& wheel) {
    wheel.dignityGlyphX.fill(0);
    wheel.dignityGlyphY.fill(0);
}

namespace {

// Where the window lays out a control, in page units.
struct PageBox {
    Real left = 0;
    Real top = 0;
    Real width = 0;
    Real height = 0;
};

struct PageSize {
    Real width = 0;
    Real height = 0;
};

QColor FromColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// A field of the person's data with its caption: the field's place in page
// units, the caption's top (when not given: half a unit below the field's top).
struct DataRow {
    const char* labelName;
    const char* caption;  // Windows-1252
    const char* editName;
    Real left, top, width, height;
    std::optional<Real> captionTop;
};

// The rows of the data panel, in the order of the window's data labels and
// fields: the name, the birth date, the place, the coordinates, the house
// system, the node and the Julian day.
const DataRow kDataRows[] = {
    {"LabNome", "Person", "EdNome", 17, 2.5L, 64, 6, 3.5L},
    {"LabData", "Gebortedatum", "EdData", 20, 9, 61, 5, 9.5L},
    {"LabLocal", "Plaats", "EdLocal", 26, 13.8L, 55, 5, {}},
    {"LabCoordi", "Co\xF6rdinaten", "EdCoordi", 26, 18.6L, 55, 5, {}},
    {"LabDomif", "Domificatie", "EdDomif", 26, 23.4L, 55, 5, {}},
    {"LabNodo", "Maan Knoop", "EdNodo", 26, 28.2L, 55, 5, {}},
    {"LabJd", "Astronomische dag JD", "EdJd", 39, 33, 42, 5, 33.5L},
};
constexpr std::size_t kNameRow = 0;

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

// ---- the window ----

ChartWindow::ChartWindow(ChartGeometryState& geometry, const archive::CurrentChart& current, DrawingState& drawing,
                         QWidget* parent, AntisciaLinesDrawer antisciaLines)
    : CanvasForm(parent), drawing_(drawing), geometry_(geometry), current_(current) {
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
    helpMemoTarget_ = {
        [this] {
            helpMemo_->clear();
            signatureSearch_.memo->clear();
        },
        [this](const std::vector<std::string>& lines) { ShowLinesIn(helpMemo_, lines); },
        [this](const std::vector<std::string>& lines) { ShowLinesIn(signatureSearch_.memo, lines); },
    };
    plants_->Connect();
    connect(plants_, &PlantsPanel::Widened, this, [this] { ShrinkHelpMemo(); });
    glyphClicks_ = new GlyphClickResponder({.window = *this,
                                            .state = status_,
                                            .drawing = drawing,
                                            .attribution = attribution_,
                                            .search = signatureSearch_,
                                            .plants = *plants_,
                                            .helpMemo = helpMemo_},
                                           std::move(antisciaLines), this);
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
        {&attribution_.panel, "PanelBase", grey, true},
        {&viewButtonPanel_, "PanelPulsanti", teal, true},
        {&aspectListPanel_, "Panel3", grey, false},
        {&helpPanel_, "PanelInfo", grey, true},
        {&dataPanel_, "PanelDati", grey, true},
        {&plantsPanel_, "PanelQuor", grey, false},
        {&signatureSearch_.panel, "PanelExtra", grey, false},
        {&signatureSearch_.resultsPanel, "PanelSegnaPato", grey, false},
        {&bottomPanel_, "Panel1", grey, false},
    };
    for (const auto& p : panels) {
        *p.slot = gui::MakeRaisedPanel(this, p.name, p.colour);
        (*p.slot)->setVisible(p.visible);
    }

    QFrame* texts = attribution_.panel;
    attribution_.specificLabel = gui::MakeLabel(texts, "LabSpecific", "SPECIFIEKE TOESCHRIJVINGEN");
    attribution_.specificMemo = gui::MakeMemo(texts, "MemoL1", true);
    attribution_.generalLabel = gui::MakeLabel(texts, "LabGeneral", "ALGEMENE TOESCHRIJVINGEN");
    attribution_.generalMemo = gui::MakeMemo(texts, "MemoL2", true);
    attribution_.glyphImage = gui::MakeLabel(texts, "Image2", "");
    attribution_.glyphImage->setScaledContents(true);
    attribution_.hiddenEdit = gui::MakeEdit(texts, "Edit2");
    attribution_.hiddenEdit->setReadOnly(true);
    attribution_.hiddenEdit->hide();

    BuildViewButtons();

    aspectListMemo_ = gui::MakeMemo(aspectListPanel_, "MemoAspetti", true);
    gui::MakeButtons(aspectListPanel_, {{&closeAspectListButton_, "BBchiudiAsp", "Sluiten"},
                                        {&aspectListFontButton_, "BBFont", "Font +"}});

    helpMemo_ = gui::MakeMemo(helpPanel_, "Memo1", true);
    QPalette pal = helpMemo_->palette();
    pal.setColor(QPalette::Base, FromColor(12247806));
    helpMemo_->setPalette(pal);
    helpMemo_->setToolTip("doppio clic per espandere/ridurre");
    helpMemo_->setPlainText(
        QString::fromUtf8("INFORMAZIONI:\nLa parte interna dei simboli\n"
                          "astrologici (cerchietto rosso)\nè sensibile al clic del mouse"));
    QTextOption centred = helpMemo_->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    helpMemo_->document()->setDefaultTextOption(centred);

    BuildDataPanel();
    plants_ = new PlantsPanel(plantsPanel_, status_, wheel_.fileErrors);
    BuildSignaturePanels();

    bottomEdit_ = gui::MakeEdit(bottomPanel_, "Edit1");
    bottomEdit_->setReadOnly(true);

    firstDrawTimer_ = new QTimer(this);
    firstDrawTimer_->setObjectName("Timer1");
    firstDrawTimer_->setInterval(10);

    // The fonts of the large state (activation sets the flag without changing them).
    QLineEdit* nameField = dataFields_[kNameRow];
    QFont bold = nameField->font();
    bold.setBold(true);
    nameField->setFont(bold);
    SetPanelFontSizes(true);
    ConnectControls();
}

// One button a row of the views' table, then "Backards" and the font size button.
void ChartWindow::BuildViewButtons() {
    for (const ChartViewRow& row : ChartViewRows()) {
        QPushButton* b = gui::MakeButton(viewButtonPanel_, row.name, row.caption);
        b->setEnabled(row.enabled);
        viewButtons_.push_back(b);
    }
    backButton_ = gui::MakeButton(viewButtonPanel_, "BBprivato", "Backards");
    backButton_->setToolTip("Ritorna ad Orbalune");
    backButton_->setDefault(true);
    QFont f = backButton_->font();
    f.setBold(true);
    backButton_->setFont(f);
    QPalette pal = backButton_->palette();
    pal.setColor(QPalette::ButtonText, QColor(0, 0, 255));
    backButton_->setPalette(pal);
    fontSizeButton_ = gui::MakeButton(viewButtonPanel_, "BBsizeFont", "");
    fontSizeButton_->setToolTip("Ingrandisci/Riduci Caratteri");
    fontSizeButton_->setIcon(GlyphIcon("RiduciFont"));
}

// The captions first, then the read-only fields.
void ChartWindow::BuildDataPanel() {
    for (std::size_t i = 0; i < std::size(kDataRows); ++i)
        dataLabels_[i] = gui::MakeLabel(dataPanel_, kDataRows[i].labelName, kDataRows[i].caption);
    for (std::size_t i = 0; i < std::size(kDataRows); ++i) {
        QLineEdit* e = gui::MakeEdit(dataPanel_, kDataRows[i].editName);
        e->setReadOnly(true);
        dataFields_[i] = e;
    }
    QLineEdit* nameField = dataFields_[kNameRow];
    QPalette pal = nameField->palette();
    pal.setColor(QPalette::Base, QColor(0, 128, 128));
    pal.setColor(QPalette::Text, Qt::white);
    nameField->setPalette(pal);
}

void ChartWindow::BuildSignaturePanels() {
    SignatureSearchControls& s = signatureSearch_;
    s.planetFilterLabel = gui::MakeLabel(s.panel, "LbExtraPia", "Ieder");
    s.signFilterLabel = gui::MakeLabel(s.panel, "LbExtraSeg", "Ieder");
    s.searchButton = gui::MakeButton(s.panel, "BBextraOk", "Zoeken");
    s.resultLists = {gui::MakeList(s.resultsPanel, "ListExtra1"), gui::MakeList(s.resultsPanel, "ListExtra2")};
    s.resultLabels = {gui::MakeLabel(s.resultsPanel, "LabExtra1", ""), gui::MakeLabel(s.resultsPanel, "LabExtra2", "")};
    s.closeResultsButton = gui::MakeButton(s.resultsPanel, "BBchiudiExtra", "Sluiten");
    s.memo = gui::MakeMemo(s.resultsPanel, "MemoExtra", true);
}

void ChartWindow::ConnectControls() {
    connect(firstDrawTimer_, &QTimer::timeout, this, [this] { gui::Guard([this] { DrawWhenReady(); }); });
    auto on = [this](QPushButton* b, void (ChartWindow::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, handler] { gui::Guard([this, handler] { (this->*handler)(); }); });
    };
    on(backButton_, &ChartWindow::GoBack);
    for (std::size_t i = 0; i < viewButtons_.size(); ++i) {
        const ChartViewRow* row = &ChartViewRows()[i];
        connect(viewButtons_[i], &QPushButton::clicked, this,
                [this, row] { gui::Guard([this, row] { PressView(*row); }); });
    }
    on(closeAspectListButton_, &ChartWindow::CloseAspectList);
    on(aspectListFontButton_, &ChartWindow::ToggleAspectListFont);
    on(fontSizeButton_, &ChartWindow::TogglePanelFontSize);
    on(signatureSearch_.closeResultsButton, &ChartWindow::CloseSignatureResults);
    for (QPlainTextEdit* m : {helpMemo_, signatureSearch_.memo, aspectListMemo_})
        m->viewport()->installEventFilter(this);
}

int ChartWindow::PX(Real pageUnits) const { return static_cast<int>(rt::Round(pageUnits / status_.layoutScaleX)); }
int ChartWindow::PY(Real pageUnits) const { return static_cast<int>(rt::Round(pageUnits / status_.layoutScaleY)); }

void ChartWindow::LayOut() {
    auto place = [this](QWidget* w, const PageBox& box) {
        w->setGeometry(PX(box.left), PY(box.top), PX(box.width), PY(box.height));
    };
    auto at = [this](QWidget* w, Real l, Real t) {
        w->adjustSize();
        w->move(PX(l), PY(t));
    };
    auto rightAt279 = [this](QWidget* w, Real t, const PageSize& size) {
        w->resize(PX(size.width), PY(size.height));
        w->move(PX(279) - w->width(), PY(t));
    };

    rightAt279(attribution_.panel, 1.3L, {82, 92});
    at(attribution_.specificLabel, 2, 5);
    at(attribution_.generalLabel, 2, 49.5L);
    place(attribution_.specificMemo, {1, 12, 80, 36});
    place(attribution_.generalMemo, {1, 54, 80, 37});

    rightAt279(viewButtonPanel_, 170, {82, 32});
    LayOutViewButtons();

    aspectListPanel_->setGeometry(viewButtonPanel_->x(), PY(1.3L), PX(82), PY(92));
    place(aspectListMemo_, {1, 1, 80, 82});
    closeAspectListButton_->setGeometry(PX(2), aspectListMemo_->height() + PY(3.5L), PX(17),
                                        closeAspectListButton_->height());
    aspectListFontButton_->setGeometry(PX(20), aspectListMemo_->height() + PY(3.5L), PX(17),
                                       aspectListFontButton_->height());

    rightAt279(helpPanel_, 134, {82, 35});
    helpMemo_->setGeometry(helpPanel_->width() - PX(80) - PX(1), PY(1), PX(80), PY(33));

    rightAt279(plantsPanel_, 1.3L, {82, 92});
    plants_->LayOut();

    rightAt279(dataPanel_, 94, {82, 38.7L});
    LayOutDataPanel();
    FitDataCaptions();
    FitDataFieldTexts();
    FitViewButtonCaptions();

    place(attribution_.glyphImage, {70, 2, 9, 9});

    const SignatureSearchControls& s = signatureSearch_;
    place(s.panel, {162, 194, 35, 8});
    place(s.searchButton, {21, 1, 13, 6});
    at(s.planetFilterLabel, 1, 1);
    at(s.signFilterLabel, 11, 1);
    place(s.resultsPanel, {15, 50, 170, 100});
    place(s.resultLists[0], {2, 6, 82, 80});
    place(s.resultLists[1], {86, 6, 82, 80});
    at(s.resultLabels[0], 3, 2);
    at(s.resultLabels[1], 87, 2);
    place(s.closeResultsButton, {147, 90, 20, 6});
    place(s.memo, {2, 86, 140, 12});
}

// The left column 3 units from the panel's left edge, the right one 3 units
// from its right edge, each button 35 by 5 units on its line.
void ChartWindow::LayOutViewButtons() {
    const std::vector<ChartViewRow>& rows = ChartViewRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QPushButton* b = viewButtons_[i];
        const ViewButtonPlace& place = rows[i].place;
        b->resize(PX(35), PY(5));
        const int left = place.column == 0 ? PX(3) : viewButtonPanel_->width() - b->width() - PX(3);
        b->move(left, PY(kViewButtonLines[place.line]));
    }
    backButton_->setGeometry(PX(54), PY(25), PX(25), PY(6));
    fontSizeButton_->setGeometry(viewButtonPanel_->width() - PX(35) - PX(3), PY(25), PX(9), PY(6));
}

void ChartWindow::LayOutDataPanel() {
    for (std::size_t i = 0; i < std::size(kDataRows); ++i) {
        const DataRow& row = kDataRows[i];
        QLineEdit* field = dataFields_[i];
        QLabel* caption = dataLabels_[i];
        field->setGeometry(PX(row.left), PY(row.top), PX(row.width), PY(row.height));
        caption->adjustSize();
        caption->move(PX(2), row.captionTop ? PY(*row.captionTop) : field->y() + PY(0.5L));
    }
}

void ChartWindow::PrepareOpening() {
    status_.largeFontsFlag = true;
    // An opening shows the natal wheel, whose glyphs answer to clicks, whatever
    // view the window was closed on.
    status_.volguineViewActive = false;
    framesWheel_ = true;

    status_.layoutScaleX = drawing_.aspectScaleX / drawing_.pixelsPerUnit * drawing_.zoomFactor;
    status_.layoutScaleY = drawing_.aspectScaleY / drawing_.pixelsPerUnit * drawing_.zoomFactor;
    LayOut();

    status_.searchBodyFilter = "Ieder";
    status_.searchSignFilter = "Ieder";
    status_.okFlag = false;
    drawing_.zoomFactor = 1.0L;
    drawing_.aspectLinesOn = 1;
    drawing_.originY = 0;
    drawing_.originX = 0;

    firstDrawTimer_->start();
    attribution_.specificMemo->clear();
    attribution_.generalMemo->clear();

    status_.dodecatemoriaMode = false;
    status_.helpMemoExpanded = false;
    status_.aspectMemoExpanded = false;
    status_.selectedPlantIndex = -1;
    status_.viewCycle.fill(0);
    status_.bodyClickStep.fill(0);
    status_.signClickStep.fill(0);
    glyphClicks_->ForgetGlyphCentres();  // those of an earlier opening are not on the screen
    // Nor are the panels and glyph images an earlier opening left open.
    aspectListPanel_->hide();
    plants_->Close();
    plants_->HideGlyph();
    attribution_.glyphImage->hide();
    attribution_.panel->show();

    SetSignMidpoints(wheel_);
    const engine::Chart& chart = current_.chart;
    // The place's longitude in hours of time, west positive.
    status_.placeLongitudeHours = -chart.place.longitude * 4 / 60;

    // The weekday of the birth date by clock time, which the data fields show.
    wheel_.birthWeekdayName = engine::kWeekdayNames[static_cast<std::size_t>(
        engine::WeekdayOfJulianDay(chart.moment.julianDay - chart.moment.zoneCorrection / 24))];

    // The planetary day and hour of the birth for the masters page; without
    // ephemeris tables the page shows no hour and no ruler.
    try {
        birthHour_ = ComputeBirthPlanetaryHour(chart, status_.placeLongitudeHours);
    } catch (const rt::IoError&) {
        birthHour_ = BirthPlanetaryHourState{};
    }

    ShowHelpEntry(1);
}

void ChartWindow::ReleaseDrawing() {
    firstDrawTimer_->stop();
    drawing_.zoomFactor = 1.0L;
    drawing_.originX = 0;
    drawing_.originY = 0;
    drawing_.aspectLinesOn = 1;
    framesWheel_ = false;
}

void ChartWindow::CoverScreen(int width, int height) {
    move(0, 0);
    resize(width, height);
    bottomPanel_->setGeometry(0, height - bottomPanel_->height(), width, bottomPanel_->height());
    hide();
}

void ChartWindow::ForgetArchetypeView() { status_.archetypeViewFlag = false; }

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
            backButton_->click();
        return;
    }
    CanvasForm::keyPressEvent(event);
}

bool ChartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == aspectListMemo_->viewport()) {
            gui::Guard([this] { ToggleAspectListSize(); });
            return true;
        }
        if (watched == helpMemo_->viewport() || watched == signatureSearch_.memo->viewport()) {
            gui::Guard([this] { ToggleHelpMemoSize(); });
            return true;
        }
    }
    return CanvasForm::eventFilter(watched, event);
}

void ChartWindow::PressAt(int x, int y) {
    if (status_.volguineViewActive) return;
    status_.clickedBody = 0;
    status_.clickedSign = 0;
    glyphClicks_->Answer(FindGlyphHit(drawing_, wheel_, x, y));
}

void ChartWindow::RestoreGlyphRings() {
    drawing_.blackAndWhite = false;
    glyphClicks_->RedrawGlyphRings();
}

void ChartWindow::DrawWhenReady() {
    if (status_.firstDrawTicks == 1) {
        firstDrawTimer_->stop();
        if (!status_.archetypeViewFlag) {
            ClearCanvas();
            RedrawNatalChart();
        } else {
            RedrawArchetypeView();
        }
        return;
    }
    ++status_.firstDrawTicks;
}

void ChartWindow::ShowHelpEntry(int n) { ShowHelpMessage(helpMemoTarget_, wheel_.fileErrors, n); }

void ChartWindow::ShowDataFields(const NatalChartFields& f) {
    const std::string* texts[] = {&f.name,        &f.birthDate, &f.place,    &f.coordinates,
                                  &f.houseSystem, &f.node,      &f.julianDay};
    for (std::size_t i = 0; i < dataFields_.size(); ++i) dataFields_[i]->setText(gui::ToQt(*texts[i]));
    FitDataFieldTexts();
}

// Each data field in the panel's font size, or a point smaller at a time (down
// to 6) until its whole text fits; a text that still does not fit shows its
// beginning (the weekday of the date).
void ChartWindow::FitDataFieldTexts() {
    const bool large = status_.largeFontsFlag;
    for (QLineEdit* e : dataFields_) {
        QFont f = e->font();
        int size = e == dataFields_[kNameRow] ? (large ? 12 : 10) : (large ? 10 : 8);
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
    ResetViewCycles(status_, k);
    status_.volguineViewActive = row.reducedWheel;
    aspectListPanel_->hide();
    plants_->Close();
    plants_->HideGlyph();
    attribution_.glyphImage->hide();
    ClearDignityGlyphCentres(wheel_);
    status_.dodecatemoriaMode = false;
    if (row.prepare) row.prepare(current_);
    ClearChartSquare();
    const int c = status_.ViewCycle(k);
    const ChartViewShown shown = ShowView(row, c);
    ShowHelpEntry(SubViewHelpEntry(k, c));
    if (!shown.helpNote.empty()) helpMemo_->appendPlainText(gui::ToQt(shown.helpNote));
    status_.ViewCycle(k) = static_cast<unsigned char>((c + 1) % SubViewCount(k));
}

ChartViewShown ChartWindow::ShowView(const ChartViewRow& row, int subView) {
    // Set while the archetypal structure is drawn: an opening after a drawing
    // that did not finish draws it again.
    status_.archetypeViewFlag = row.view == kViewArchetype;
    const ChartViewShown shown = row.draw(Canvas(), ViewContext(subView));
    status_.archetypeViewFlag = false;
    ApplyView(shown);
    return shown;
}

ChartViewContext ChartWindow::ViewContext(int subView) {
    return {.current = current_,
            .geometry = geometry_,
            .wheel = wheel_,
            .subView = subView,
            .centreX = geometry_.wheelCentreX,
            .centreY = geometry_.wheelCentreY,
            .innerRadius = geometry_.houseRingInnerRadius,
            .framed = framesWheel_,
            .birthHour = birthHour_};
}

void ChartWindow::ApplyView(const ChartViewShown& shown) {
    if (shown.dataFields) ShowDataFields(*shown.dataFields);
    if (shown.aspectMemo) {
        aspectListPanel_->show();
        ShowLinesIn(aspectListMemo_, *shown.aspectMemo);
        // The memo shows its lines from the first on.
        aspectListMemo_->moveCursor(QTextCursor::Start);
        aspectListMemo_->ensureCursorVisible();
    }
    if (shown.helpEntry > 0) ShowHelpEntry(shown.helpEntry);
    if (shown.dignityGlyphs) {
        const DignityGlyphCentres& c = *shown.dignityGlyphs;
        for (std::size_t b = 0; b < c.x.size(); ++b)
            if (c.x[b] != 0 || c.y[b] != 0) {
                wheel_.dignityGlyphX[b] = c.x[b];
                wheel_.dignityGlyphY[b] = c.y[b];
            }
    }
    status_.dodecatemoriaMode = shown.dodecatemoriaWheel;
    if (shown.wheelSignNames) status_.wheelSignNames = true;
    if (!shown.message.empty()) gui::ShowMessage(shown.message);
}

void ChartWindow::RedrawArchetypeView() {
    aspectListPanel_->hide();
    status_.dodecatemoriaMode = false;
    helpMemo_->clear();
    ClearAttributionTexts();  // the view blanks the chart square itself
    if (const ChartViewRow* row = FindChartView(kViewArchetype)) ShowView(*row, 0);
}

void ChartWindow::ClearChartSquare() {
    ClearChartArea(Canvas(), wheel_);
    ClearAttributionTexts();
}

void ChartWindow::ClearAttributionTexts() {
    attribution_.specificMemo->clear();
    attribution_.generalMemo->clear();
    attribution_.specificLabel->clear();
    attribution_.generalLabel->clear();
}

// ---- small buttons ----

void ChartWindow::GoBack() { close(); }

void ChartWindow::CloseAspectList() { aspectListPanel_->hide(); }

void ChartWindow::ToggleAspectListFont() {
    QFont f = aspectListMemo_->font();
    if (f.pointSize() != 8) {
        f.setPointSize(8);
        aspectListFontButton_->setText("Font +");
    } else {
        f.setPointSize(10);
        aspectListFontButton_->setText("Font -");
    }
    aspectListMemo_->setFont(f);
}

void ChartWindow::TogglePanelFontSize() {
    status_.largeFontsFlag = !status_.largeFontsFlag;
    SetPanelFontSizes(status_.largeFontsFlag);
    fontSizeButton_->setIcon(GlyphIcon(status_.largeFontsFlag ? "RiduciFont" : "AumentaFont"));
    FitDataCaptions();
    FitDataFieldTexts();
    FitViewButtonCaptions();
}

// All nine in one size: the largest (up to that of the fonts' state) at which
// every caption fits its button.
void ChartWindow::FitViewButtonCaptions() {
    int size = status_.largeFontsFlag ? 10 : 8;
    for (QPushButton* b : viewButtons_) {
        FitButtonCaption(b, size);
        size = b->font().pointSize();
    }
    for (QPushButton* b : viewButtons_) {
        QFont f = b->font();
        f.setPointSize(size);
        b->setFont(f);
    }
}

// The view buttons and data fields in 10 points, the name in 12 (large), or in 8 and 10.
void ChartWindow::SetPanelFontSizes(bool large) {
    std::vector<QWidget*> widgets(viewButtons_.begin(), viewButtons_.end());
    widgets.insert(widgets.end(), dataLabels_.begin(), dataLabels_.end());
    widgets.insert(widgets.end(), dataFields_.begin(), dataFields_.end());
    for (QWidget* w : widgets) {
        QFont f = w->font();
        f.setPointSize(w == dataFields_[kNameRow] ? (large ? 12 : 10) : (large ? 10 : 8));
        w->setFont(f);
    }
}

// A data caption that would run into its field is written a point smaller at a time.
void ChartWindow::FitDataCaptions() {
    for (std::size_t i = 0; i < std::size(kDataRows); ++i) {
        QLabel* label = dataLabels_[i];
        const QWidget* field = dataFields_[i];
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
    for (QListWidget* list : signatureSearch_.resultLists) list->clear();
    signatureSearch_.resultsPanel->hide();
    ClearCanvas();
    RedrawNatalChart();
}

void ChartWindow::ToggleAspectListSize() {
    if (status_.aspectMemoExpanded) {
        aspectListPanel_->resize(aspectListPanel_->width(), PY(92));
        aspectListMemo_->resize(aspectListMemo_->width(), PY(82));
        closeAspectListButton_->move(closeAspectListButton_->x(), aspectListMemo_->height() + PY(3.5L));
        aspectListFontButton_->move(aspectListFontButton_->x(), aspectListMemo_->height() + PY(3.5L));
        status_.aspectMemoExpanded = false;
    } else {
        aspectListPanel_->resize(aspectListPanel_->width(), PY(167));
        aspectListPanel_->raise();
        aspectListMemo_->resize(aspectListMemo_->width(), PY(156));
        closeAspectListButton_->move(closeAspectListButton_->x(), aspectListPanel_->height() - PY(7));
        aspectListFontButton_->move(aspectListFontButton_->x(), aspectListPanel_->height() - PY(7));
        status_.aspectMemoExpanded = true;
    }
}

void ChartWindow::ShrinkHelpMemo() {
    helpPanel_->setGeometry(helpPanel_->x(), PY(134), helpPanel_->width(), PY(35));
    helpMemo_->resize(helpMemo_->width(), PY(33));
    helpPanel_->lower();
    status_.helpMemoExpanded = false;
}

void ChartWindow::ToggleHelpMemoSize() {
    if (status_.helpMemoExpanded) {
        helpPanel_->setGeometry(helpPanel_->x(), PY(134), helpPanel_->width(), PY(35));
        helpMemo_->resize(helpMemo_->width(), PY(33));
        status_.helpMemoExpanded = false;
    } else {
        helpPanel_->raise();
        helpPanel_->setGeometry(helpPanel_->x(), PY(51), helpPanel_->width(), PY(118));
        helpMemo_->resize(helpMemo_->width(), PY(116));
        status_.helpMemoExpanded = true;
    }
}

// ---- drawing entries ----

void ChartWindow::RedrawNatalChart() {
    ShowDataFields(DrawNatalChartUnderView(Canvas(), current_, framesWheel_, geometry_, wheel_));
}

void RepaintChartWindow(ChartWindow& window) {
    window.ClearCanvas();
    window.RedrawNatalChart();
}

}  // namespace display
