#include "display/sheets/sheet_viewer.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdint>
#include <memory>

#include "archive/draw_settings_file.h"
#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "display/draw/emf_player.h"
#include "display/draw/metafile_viewer.h"
#include "display/draw/painter_surface.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_printing.h"
#include "display/sheets/sheet_selection.h"
#include "display/sheets/sheet_view.h"
#include "engine/chart_state.h"
#include "engine/position_text.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/system_services.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/win1252.h"

namespace display {

TFgrNaKel* FgrNaKel = nullptr;

// A button of the viewer's bar: where the window keeps it, its name, caption,
// left edge, width and hint.
struct TFgrNaKel::BarButton {
    QPushButton* TFgrNaKel::*slot;
    const char* name;
    const char* caption;
    int left, width;
    const char* hint;
};

TFgrNaKel::TFgrNaKel(QWidget* parent) : CanvasForm(parent) {
    setObjectName("FgrNaKel");
    setWindowTitle("Grafieken");
    setWindowFlag(Qt::FramelessWindowHint);
    SetBackground(kBlack);
    setMouseTracking(true);

    Panel1 = gui::MakePanel(this, "Panel1");
    Panel1->setAutoFillBackground(true);
    QPalette grey = Panel1->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    Panel1->setPalette(grey);
    Panel1->setGeometry(0, 570, 830, 30);

    PlaceBarButtons({{&TFgrNaKel::BitBtnRitorna, "BitBtnRitorna", "Backard", 4, 93, "Terug naar het hoofdvenster"},
                     {&TFgrNaKel::BitBtnStampa, "BitBtnStampa", "Print", 98, 75, "Stampa del Grafico visualizzato"},
                     {&TFgrNaKel::BitBtnSetup, "BitBtnSetup", "Setup", 173, 63, "Variazione Parametri di Stampa"},
                     {&TFgrNaKel::BitBtnFoglio, "BitBtnFoglio", "", 236, 23, "Orientamento Foglio Stampato"},
                     {&TFgrNaKel::BitBtnColNer, "BitBtnColNer", "", 259, 23, "Conversione Nero/Colore"},
                     {&TFgrNaKel::BitBtnZoomPiu, "BitBtnZoomPiu", "+", 288, 39, "Ingrandimento"},
                     {&TFgrNaKel::BitBtnZoomMeno, "BitBtnZoomMeno", "-", 327, 39, "Riduzione"},
                     {&TFgrNaKel::BBaltezza, "BBaltezza", "Hoogte", 371, 98, "mostra a tutta altezza"},
                     {&TFgrNaKel::BBlargarghezza, "BBlargarghezza", "Breedte", 470, 98, "mostra a tutta larghezza"},
                     {&TFgrNaKel::BBEMFout, "BBEMFout", "EMF", 580, 50, "Copia su File"}});
    gui::SetBold(BitBtnRitorna);
    BitBtnRitorna->setStyleSheet("color: blue");
    BitBtnFoglio->setEnabled(false);
    ComboEMF = gui::MakeCombo(Panel1, "ComboEMF");
    ComboEMF->setEditable(true);
    ComboEMF->setGeometry(629, 3, 93, 23);
    ComboEMF->setMaxVisibleItems(15);
    ComboEMF->setToolTip("File Grafico");
    ComboEMF->setStyleSheet("background-color: aqua; color: black; font-size: 8pt");
    for (int i = 1; i <= 15; ++i) ComboEMF->addItem(QString("GRAF%1.EMF").arg(i, 2, 10, QChar('0')));
    PlaceBarButtons({{&TFgrNaKel::BBEMFin, "BBEMFin", "EMF", 722, 50, "Richiama da File"},
                     {&TFgrNaKel::BBFlagRiga, "BBFlagRiga", "", 779, 46, "Visualizz Aspetti"}});
    SetGlyph(BitBtnFoglio, "SetupL");
    SetGlyph(BitBtnColNer, "StColor");
    SetGlyph(BBFlagRiga, "LinLos");

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(10);

    auto guarded = [this](void (TFgrNaKel::*handler)()) {
        return [this, handler] { gui::Guard([this, handler] { (this->*handler)(); }); };
    };
    connect(Timer1, &QTimer::timeout, this, guarded(&TFgrNaKel::Timer1Timer));
    connect(BitBtnRitorna, &QPushButton::clicked, this, guarded(&TFgrNaKel::BitBtnRitornaClick));
    connect(BitBtnStampa, &QPushButton::clicked, this, guarded(&TFgrNaKel::BitBtnStampaClick));
    connect(BitBtnSetup, &QPushButton::clicked, this, guarded(&TFgrNaKel::BitBtnSetupClick));
    connect(BitBtnColNer, &QPushButton::clicked, this, guarded(&TFgrNaKel::BitBtnColNerClick));
    connect(BitBtnZoomPiu, &QPushButton::clicked, this, guarded(&TFgrNaKel::BitBtnZoomPiuClick));
    connect(BitBtnZoomMeno, &QPushButton::clicked, this, guarded(&TFgrNaKel::BitBtnZoomMenoClick));
    connect(BBaltezza, &QPushButton::clicked, this, guarded(&TFgrNaKel::BBaltezzaClick));
    connect(BBlargarghezza, &QPushButton::clicked, this, guarded(&TFgrNaKel::BBlargarghezzaClick));
    connect(BBEMFout, &QPushButton::clicked, this, guarded(&TFgrNaKel::BBEMFoutClick));
    connect(BBEMFin, &QPushButton::clicked, this, guarded(&TFgrNaKel::BBEMFinClick));
    connect(BBFlagRiga, &QPushButton::clicked, this, guarded(&TFgrNaKel::BBFlagRigaClick));
    resize(830, 600);
}

TFgrNaKel::~TFgrNaKel() {
    if (Drawing.DrawForm == this) Drawing.DrawForm = nullptr;
    if (FgrNaKel == this) FgrNaKel = nullptr;
}

// The buttons of the bar at the foot of the viewer: no focus, so the keys
// always reach the sheet.
void TFgrNaKel::PlaceBarButtons(std::initializer_list<BarButton> buttons) {
    for (const BarButton& b : buttons) {
        QPushButton* button = this->*b.slot =
            gui::Place(gui::MakeButton(Panel1, b.name, b.caption), {b.left, 2, b.width, 25});
        button->setToolTip(b.hint);
        button->setFocusPolicy(Qt::NoFocus);
    }
}

// The glyph names of the buttons: the resource bitmaps are shown as short texts.
void TFgrNaKel::SetGlyph(QPushButton* button, const char* glyph) {
    const QString name(glyph);
    button->setProperty("glyph", name);
    QString text;
    if (name == "SetupL") text = "L";
    if (name == "SetupP") text = "P";
    if (name == "StNero") text = "Z";
    if (name == "StColor") text = "K";
    if (name == "LinLos") text = "/";
    if (name == "LosLin") text = "\u25B2";
    button->setText(text);
}

void TFgrNaKel::ShowChartSheet() {
    engine::Chart.PlanetLatitudes = engine::Chart.PlanetLatitudesSaved;
    BBFlagRiga->setVisible(true);
    const bool screen = !Drawing.PrintOutput && !Drawing.MetafileOutput;
    if (screen) ClearCanvas();
    DrawSheetEntry(Sheets.SheetCode, this);
    DrawSheetViewerFrame();
}

void TFgrNaKel::ResetSheetView() {
    ResetSheetZoom();
    ShowChartSheet();
}

void TFgrNaKel::DrawSheetViewerFrame() {
    if (Drawing.PrintOutput || Drawing.MetafileOutput || !Drawing.PrinterPresent) return;
    CanvasForm* kept = Drawing.DrawForm;
    Drawing.DrawForm = this;
    DrawPageFrame(this);
    Drawing.DrawForm = kept;
}

void TFgrNaKel::FormActivate() {
    Drawing.DrawForm = this;
    ComboEMF->setEditText(Drawing.MetafileName.empty() ? QString("GRAF01.EMF") : gui::ToQt(Drawing.MetafileName));
    ComboEMF->lineEdit()->setCursorPosition(0);  // the name from its first letter
    SetActivationView(gui::System().ScreenWidth(), gui::System().ScreenHeight(), Sheets.SheetOrientation);
    if (Drawing.PrinterPresent) SetGlyph(BitBtnFoglio, Drawing.PrinterLandscape ? "SetupL" : "SetupP");
    Timer1->start();
}

void TFgrNaKel::Timer1Timer() {
    if (SheetViewer.SheetTickCount != 1) {
        ++SheetViewer.SheetTickCount;
        return;
    }
    Timer1->stop();
    ShowChartSheet();
}

void TFgrNaKel::FormClose() {
    Timer1->stop();
    ResetSheetZoom();
    Drawing.AspectLinesOn = 1;
    if (Drawing.DrawForm == this) Drawing.DrawForm = nullptr;
    Drawing.BlackAndWhite = false;
}

void TFgrNaKel::FormMouseDown(int x, int y) {
    SheetViewer.Dragging = 1;
    SheetViewer.DragStartX = x;
    SheetViewer.DragStartY = y;
}

void TFgrNaKel::FormMouseMove(int x, int y) {
    Canvas().SetTextColor(kWhite);
    setCursor(SheetViewer.Dragging == 1 ? Qt::OpenHandCursor : Qt::ArrowCursor);
    SheetViewer.DragDeltaX = x - SheetViewer.DragStartX;
    SheetViewer.DragDeltaY = y - SheetViewer.DragStartY;
    if (SheetViewer.Dragging != 1) return;
    // The sheet previewed at the moved place; the origin itself moves on release.
    Drawing.OriginX += SheetViewer.DragDeltaX;
    Drawing.OriginY += SheetViewer.DragDeltaY;
    struct Back {
        ~Back() {
            Drawing.OriginX -= SheetViewer.DragDeltaX;
            Drawing.OriginY -= SheetViewer.DragDeltaY;
        }
    } back;
    ShowChartSheet();
}

void TFgrNaKel::FormMouseUp(int x, int y) {
    EndSheetDrag(x, y);
    ShowChartSheet();
}

void TFgrNaKel::FormMouseWheelDown() {
    Drawing.OriginY += kSheetWheelStep;
    ShowChartSheet();
}

void TFgrNaKel::FormMouseWheelUp() {
    Drawing.OriginY -= kSheetWheelStep;
    ShowChartSheet();
}

void TFgrNaKel::BitBtnRitornaClick() { close(); }

void TFgrNaKel::BitBtnStampaClick() {
    if (!Drawing.PrinterPresent) return;
    ResetSheetView();
    const bool landscape = Sheets.SheetOrientation == "L";
    Drawing.PrinterLandscape = landscape;
    // The job and the document are titled with the name, without the blanks
    // the archive pads it with.
    std::string name = engine::Birth.SubjectName;
    engine::StripTrailingBlanks(name);
    std::unique_ptr<SheetPrintJob> job =
        CurrentSheetPrinter().Begin(landscape, archive::DrawSettings.EpsonCorrection == 1, "Kelvor - " + name);
    if (!job) return;
    {
        // The print run sets its own scale, zoom and origin on the printer's page
        // (whatever an activation after the printer's dialog did to the screen's
        // view) and puts back the screen's, also when the drawing fails; the
        // job's end ends the document in every case.
        PrintRun run(&job->Canvas(), job->PageWidthPixels(), job->PageOriginPixels());
        ShowChartSheet();
    }
    job.reset();
    ResetSheetZoom();
    ShowChartSheet();
}

void TFgrNaKel::BitBtnSetupClick() {
    if (!Drawing.PrinterPresent) return;
    bool landscape = Drawing.PrinterLandscape;
    if (CurrentSheetPrinter().Setup(landscape)) Drawing.PrinterLandscape = landscape;
    SetGlyph(BitBtnFoglio, Drawing.PrinterLandscape ? "SetupL" : "SetupP");
}

void TFgrNaKel::BitBtnColNerClick() {
    Drawing.BlackAndWhite = !Drawing.BlackAndWhite;
    SetGlyph(BitBtnColNer, Drawing.BlackAndWhite ? "StNero" : "StColor");
    ShowChartSheet();
}

void TFgrNaKel::BitBtnZoomPiuClick() {
    ZoomSheetIn();
    ShowChartSheet();
}

void TFgrNaKel::BitBtnZoomMenoClick() {
    ZoomSheetOut();
    ShowChartSheet();
}

void TFgrNaKel::BBaltezzaClick() {
    FitSheetHeight();
    ShowChartSheet();
}

void TFgrNaKel::BBlargarghezzaClick() { ResetSheetView(); }

// The metafile name of the box, its letters taken in upper case ("graf01.emf"
// is "GRAF01.EMF"), shown so in the box. A name with characters a file name of
// the program cannot hold (an emoji, another script) is refused as typed, so
// no file is named with "?" in their place: "" then.
std::string TFgrNaKel::TakeMetafileName() {
    if (const std::string foreign = gui::ForeignCharacters(ComboEMF->currentText()); !foreign.empty()) {
        gui::ShowMessage("Il nome del file contiene caratteri che non pu\xF2 avere (" + foreign +
                         "): toglierli o scriverli con altre lettere.");
        return {};
    }
    const std::string name = rt::UpperAscii(gui::FromQt(ComboEMF->currentText()));
    ComboEMF->setEditText(gui::ToQt(name));
    ComboEMF->lineEdit()->setCursorPosition(0);
    return name;
}

void TFgrNaKel::BBEMFoutClick() {
    const std::string name = TakeMetafileName();
    if (name.empty()) return;
    Drawing.MetafileName = name;
    const std::string problem = CheckSheetMetafileName(Drawing.MetafileName);
    if (!problem.empty()) {
        gui::ShowMessage(problem);
        return;
    }
    if (!SaveChartOrientation(Drawing.MetafileName)) return;
    {
        // Drawn at zoom 1 at the origin, as on paper, at the metafile's own
        // scale; the screen's scale comes back and the flag is cleared on every exit.
        MetafileRun metafile;
        ResetSheetView();
    }
    CopyMetafileToClipboard("Emf\\" + Drawing.MetafileName);
    ShowChartSheet();
}

void TFgrNaKel::CopyMetafileToClipboard(const std::string& fileName) {
    std::string bytes;
    try {
        bytes = rt::ReadFileBytes(fileName);
    } catch (const std::exception&) {
        return;  // not reopened: not copied
    }
    const auto header = ReadEmfHeader(bytes);
    if (!header) return;
    auto* mime = new QMimeData;
    mime->setData("image/emf", QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    mime->setData("image/x-emf", QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    // The picture's size from its bounds, in 64 bits: a file changed on disc
    // may claim any bounds; the picture is held to a size an image can have.
    const auto side = [](std::int32_t from, std::int32_t to) {
        constexpr std::int64_t kLargestSide = 8192;
        return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{to} - from + 1, 1, kLargestSide));
    };
    const int w = side(header->bounds.left, header->bounds.right);
    const int h = side(header->bounds.top, header->bounds.bottom);
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        PainterSurface surface(&picture);
        PlayEmf(bytes, surface, {0, 0, w, h});
    }
    mime->setImageData(picture);
    QApplication::clipboard()->setMimeData(mime);
}

void TFgrNaKel::BBEMFinClick() {
    const std::string name = TakeMetafileName();
    if (name.empty()) return;
    Drawing.MetafileName = name;
    const std::string problem = CheckSheetMetafileName(Drawing.MetafileName);
    if (!problem.empty()) {
        gui::ShowMessage(problem);
        return;
    }
    if (!rt::PathExists("Emf\\" + Drawing.MetafileName)) {
        gui::ShowMessage(MissingMetafileMessage(Drawing.MetafileName));
        return;
    }
    if (!FoMetGra) FoMetGra = new TFoMetGra;
    if (ApplyChartOrientation(Drawing.MetafileName) == 0) return;
    gui::ShowModal(FoMetGra);
    ResetSheetZoom();
    ShowChartSheet();
}

void TFgrNaKel::BBFlagRigaClick() {
    if (Drawing.AspectLinesOn != 1) {
        Drawing.AspectLinesOn = 1;
        SetGlyph(BBFlagRiga, "LinLos");
    } else {
        SetGlyph(BBFlagRiga, "LosLin");
        Drawing.AspectLinesOn = 0;
    }
    ShowChartSheet();
}

void TFgrNaKel::showEvent(QShowEvent* event) {
    CanvasForm::showEvent(event);
    // The showing is the activation; the window system's activation that
    // follows it (often after the first drawing) is the same one.
    showActivationPending_ = true;
    gui::Guard([this] { FormActivate(); });
}

void TFgrNaKel::changeEvent(QEvent* event) {
    CanvasForm::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (showActivationPending_) {
        showActivationPending_ = false;
        return;
    }
    // A return from another window of the program (a modal dialog) activates the
    // viewer again: the default view of the orientation, drawn on the next tick.
    if (isVisible() && isActiveWindow() && !Timer1->isActive()) gui::Guard([this] { FormActivate(); });
}

void TFgrNaKel::closeEvent(QCloseEvent* event) {
    gui::Guard([this] { FormClose(); });
    CanvasForm::closeEvent(event);
}

void TFgrNaKel::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    gui::Guard([this, p] { FormMouseDown(p.x(), p.y()); });
}

void TFgrNaKel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    gui::Guard([this, p] { FormMouseMove(p.x(), p.y()); });
}

void TFgrNaKel::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    gui::Guard([this, p] { FormMouseUp(p.x(), p.y()); });
}

void TFgrNaKel::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy < 0) gui::Guard([this] { FormMouseWheelDown(); });
    if (dy > 0) gui::Guard([this] { FormMouseWheelUp(); });
}

void TFgrNaKel::resizeEvent(QResizeEvent* event) {
    CanvasForm::resizeEvent(event);
    // The button bar stays along the bottom edge, the whole width.
    Panel1->setGeometry(0, height() - Panel1->height(), width(), Panel1->height());
}

void TFgrNaKel::keyPressEvent(QKeyEvent* event) {
    // The return button is the window's Cancel and Default button.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        gui::Guard([this] { BitBtnRitornaClick(); });
        return;
    }
    CanvasForm::keyPressEvent(event);
}

}  // namespace display
