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

#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "display/draw/chart_metafile.h"
#include "display/draw/drawing_state.h"
#include "display/draw/emf_player.h"
#include "display/draw/emf_recorder.h"
#include "display/draw/metafile_viewer.h"
#include "display/draw/painter_surface.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_printing.h"
#include "display/sheets/sheet_selection.h"
#include "display/sheets/sheet_view.h"
#include "engine/chart.h"
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

// A button of the viewer's bar: where the window keeps it, its name, caption,
// left edge, width and hint.
struct SheetViewer::BarButton {
    QPushButton* SheetViewer::*slot;
    const char* name;
    const char* caption;
    int left, width;
    const char* hint;
};

SheetViewer::SheetViewer(const archive::CurrentChart& current, const SheetSelectionState& sheets, DrawingState& drawing,
                         SheetViewerCollaborators collaborators, QWidget* parent)
    : CanvasForm(parent),
      current_(current),
      sheets_(sheets),
      drawing_(drawing),
      drawSettings_(collaborators.drawSettings),
      printer_(collaborators.printer ? std::move(collaborators.printer) : MakeSystemSheetPrinter()),
      madeMetafileViewer_(std::move(collaborators.metafileViewer)) {
    sheetMemory_.userFullName = std::move(collaborators.userFullName);
    UseDrawingState(drawing);
    setObjectName("FgrNaKel");
    setWindowTitle("Grafieken");
    setWindowFlag(Qt::FramelessWindowHint);
    SetBackground(kBlack);
    setMouseTracking(true);

    buttonBar_ = gui::MakePanel(this, "Panel1");
    buttonBar_->setAutoFillBackground(true);
    QPalette grey = buttonBar_->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    buttonBar_->setPalette(grey);
    buttonBar_->setGeometry(0, 570, 830, 30);

    using W = SheetViewer;
    PlaceBarButtons({{&W::backButton_, "BitBtnRitorna", "Backard", 4, 93, "Terug naar het hoofdvenster"},
                     {&W::printButton_, "BitBtnStampa", "Print", 98, 75, "Stampa del Grafico visualizzato"},
                     {&W::printerSetupButton_, "BitBtnSetup", "Setup", 173, 63, "Variazione Parametri di Stampa"},
                     {&W::orientationButton_, "BitBtnFoglio", "", 236, 23, "Orientamento Foglio Stampato"},
                     {&W::colourButton_, "BitBtnColNer", "", 259, 23, "Conversione Nero/Colore"},
                     {&W::zoomInButton_, "BitBtnZoomPiu", "+", 288, 39, "Ingrandimento"},
                     {&W::zoomOutButton_, "BitBtnZoomMeno", "-", 327, 39, "Riduzione"},
                     {&W::fullHeightButton_, "BBaltezza", "Hoogte", 371, 98, "mostra a tutta altezza"},
                     {&W::fullWidthButton_, "BBlargarghezza", "Breedte", 470, 98, "mostra a tutta larghezza"},
                     {&W::saveMetafileButton_, "BBEMFout", "EMF", 580, 50, "Copia su File"}});
    gui::SetBold(backButton_);
    backButton_->setStyleSheet("color: blue");
    orientationButton_->setEnabled(false);
    metafileNameBox_ = gui::MakeCombo(buttonBar_, "ComboEMF");
    metafileNameBox_->setEditable(true);
    metafileNameBox_->setGeometry(629, 3, 93, 23);
    metafileNameBox_->setMaxVisibleItems(15);
    metafileNameBox_->setToolTip("File Grafico");
    metafileNameBox_->setStyleSheet("background-color: aqua; color: black; font-size: 8pt");
    for (int i = 1; i <= 15; ++i) metafileNameBox_->addItem(QString("GRAF%1.EMF").arg(i, 2, 10, QChar('0')));
    PlaceBarButtons({{&W::openMetafileButton_, "BBEMFin", "EMF", 722, 50, "Richiama da File"},
                     {&W::aspectLinesButton_, "BBFlagRiga", "", 779, 46, "Visualizz Aspetti"}});
    SetGlyph(orientationButton_, "SetupL");
    SetGlyph(colourButton_, "StColor");
    SetGlyph(aspectLinesButton_, "LinLos");

    firstDrawTimer_ = new QTimer(this);
    firstDrawTimer_->setObjectName("Timer1");
    firstDrawTimer_->setInterval(10);

    auto guarded = [this](void (SheetViewer::*handler)()) {
        return [this, handler] { gui::Guard([this, handler] { (this->*handler)(); }); };
    };
    connect(firstDrawTimer_, &QTimer::timeout, this, guarded(&SheetViewer::DrawWhenReady));
    connect(backButton_, &QPushButton::clicked, this, guarded(&SheetViewer::GoBack));
    connect(printButton_, &QPushButton::clicked, this, guarded(&SheetViewer::PrintSheet));
    connect(printerSetupButton_, &QPushButton::clicked, this, guarded(&SheetViewer::ChoosePrinterSettings));
    connect(colourButton_, &QPushButton::clicked, this, guarded(&SheetViewer::ToggleBlackAndWhite));
    connect(zoomInButton_, &QPushButton::clicked, this, guarded(&SheetViewer::ZoomIn));
    connect(zoomOutButton_, &QPushButton::clicked, this, guarded(&SheetViewer::ZoomOut));
    connect(fullHeightButton_, &QPushButton::clicked, this, guarded(&SheetViewer::ShowFullHeight));
    connect(fullWidthButton_, &QPushButton::clicked, this, guarded(&SheetViewer::ShowFullWidth));
    connect(saveMetafileButton_, &QPushButton::clicked, this, guarded(&SheetViewer::SaveMetafile));
    connect(openMetafileButton_, &QPushButton::clicked, this, guarded(&SheetViewer::OpenMetafile));
    connect(aspectLinesButton_, &QPushButton::clicked, this, guarded(&SheetViewer::ToggleAspectLines));
    resize(830, 600);
}

SheetViewer::~SheetViewer() = default;

// The buttons of the bar at the foot of the viewer: no focus, so the keys
// always reach the sheet.
void SheetViewer::PlaceBarButtons(std::initializer_list<BarButton> buttons) {
    for (const BarButton& b : buttons) {
        QPushButton* button = this->*b.slot =
                                  gui::Place(gui::MakeButton(buttonBar_, b.name, b.caption), {b.left, 2, b.width, 25});
        button->setToolTip(b.hint);
        button->setFocusPolicy(Qt::NoFocus);
    }
}

// The glyph names of the buttons: the resource bitmaps are shown as short texts.
void SheetViewer::SetGlyph(QPushButton* button, const char* glyph) {
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

std::string SheetViewer::SheetUserName() const {
    return sheetMemory_.userFullName ? sheetMemory_.userFullName() : std::string();
}

bool SheetViewer::ComposeSelectedSheet(Surface& dc) {
    aspectLinesButton_->setVisible(true);
    return ComposeSheet(sheets_.sheetCode, dc, current_, sheetMemory_);
}

void SheetViewer::ShowChartSheet() {
    ClearCanvas();
    ComposeSelectedSheet(Canvas());
    DrawSheetViewerFrame();
}

void SheetViewer::ResetSheetView() {
    ResetSheetZoom(drawing_);
    ShowChartSheet();
}

void SheetViewer::DrawSheetViewerFrame() { DrawPageFrame(Canvas()); }

void SheetViewer::PrepareOpening() {
    metafileNameBox_->setEditText(drawing_.metafileName.empty() ? QString("GRAF01.EMF")
                                                                : gui::ToQt(drawing_.metafileName));
    metafileNameBox_->lineEdit()->setCursorPosition(0);  // the name from its first letter
    SetActivationView(drawing_, motion_, gui::System().ScreenWidth(), gui::System().ScreenHeight(),
                      sheets_.sheetOrientation);
    if (drawing_.printerPresent) SetGlyph(orientationButton_, drawing_.printerLandscape ? "SetupL" : "SetupP");
    firstDrawTimer_->start();
}

void SheetViewer::CoverScreen(int width, int height) {
    move(0, 0);
    resize(width, height);
    buttonBar_->setGeometry(0, height - buttonBar_->height(), width, buttonBar_->height());
    hide();
}

void SheetViewer::DrawWhenReady() {
    if (motion_.sheetTickCount != 1) {
        ++motion_.sheetTickCount;
        return;
    }
    firstDrawTimer_->stop();
    ShowChartSheet();
}

void SheetViewer::ReleaseDrawing() {
    firstDrawTimer_->stop();
    ResetSheetZoom(drawing_);
    drawing_.aspectLinesOn = 1;
    drawing_.blackAndWhite = false;
}

void SheetViewer::StartDrag(int x, int y) {
    motion_.dragging = 1;
    motion_.dragStartX = x;
    motion_.dragStartY = y;
}

void SheetViewer::DragTo(int x, int y) {
    Canvas().SetTextColor(kWhite);
    setCursor(motion_.dragging == 1 ? Qt::OpenHandCursor : Qt::ArrowCursor);
    motion_.dragDeltaX = x - motion_.dragStartX;
    motion_.dragDeltaY = y - motion_.dragStartY;
    if (motion_.dragging != 1) return;
    // The sheet previewed at the moved place; the origin itself moves on release.
    drawing_.originX += motion_.dragDeltaX;
    drawing_.originY += motion_.dragDeltaY;
    struct Back {
        DrawingState& drawing;
        const SheetViewerState& motion;
        ~Back() {
            drawing.originX -= motion.dragDeltaX;
            drawing.originY -= motion.dragDeltaY;
        }
    } back{drawing_, motion_};
    ShowChartSheet();
}

void SheetViewer::EndDrag(int x, int y) {
    EndSheetDrag(drawing_, motion_, x, y);
    ShowChartSheet();
}

void SheetViewer::ScrollDown() {
    drawing_.originY += kSheetWheelStep;
    ShowChartSheet();
}

void SheetViewer::ScrollUp() {
    drawing_.originY -= kSheetWheelStep;
    ShowChartSheet();
}

void SheetViewer::GoBack() { close(); }

void SheetViewer::PrintSheet() {
    if (!drawing_.printerPresent) return;
    ResetSheetView();
    const bool landscape = sheets_.sheetOrientation == "L";
    drawing_.printerLandscape = landscape;
    // The job and the document are titled with the name, without the blanks
    // the archive pads it with.
    std::string name = current_.birth.subjectName;
    engine::StripTrailingBlanks(name);
    std::unique_ptr<SheetPrintJob> job =
        printer_->Begin(landscape, drawSettings_ && drawSettings_->Values().epsonCorrection == 1, "Kelvor - " + name);
    if (!job) return;
    {
        // The print run sets its own scale, zoom and origin on the printer's page
        // (whatever an activation after the printer's dialog did to the screen's
        // view) and puts back the screen's, also when the drawing fails; the
        // job's end ends the document in every case.
        PrintRun run(drawing_, job->Canvas(), job->PageWidthPixels(), job->PageOriginPixels());
        ComposeSelectedSheet(job->Canvas());
    }
    job.reset();
    ResetSheetZoom(drawing_);
    ShowChartSheet();
}

void SheetViewer::ChoosePrinterSettings() {
    if (!drawing_.printerPresent) return;
    bool landscape = drawing_.printerLandscape;
    if (printer_->Setup(landscape)) drawing_.printerLandscape = landscape;
    SetGlyph(orientationButton_, drawing_.printerLandscape ? "SetupL" : "SetupP");
}

void SheetViewer::ToggleBlackAndWhite() {
    drawing_.blackAndWhite = !drawing_.blackAndWhite;
    SetGlyph(colourButton_, drawing_.blackAndWhite ? "StNero" : "StColor");
    ShowChartSheet();
}

void SheetViewer::ZoomIn() {
    ZoomSheetIn(drawing_, motion_);
    ShowChartSheet();
}

void SheetViewer::ZoomOut() {
    ZoomSheetOut(drawing_, motion_);
    ShowChartSheet();
}

void SheetViewer::ShowFullHeight() {
    FitSheetHeight(drawing_, motion_);
    ShowChartSheet();
}

void SheetViewer::ShowFullWidth() { ResetSheetView(); }

// The metafile name of the box, its letters taken in upper case ("graf01.emf"
// is "GRAF01.EMF"), shown so in the box. A name with characters a file name of
// the program cannot hold (an emoji, another script) is refused as typed, so
// no file is named with "?" in their place: "" then.
std::string SheetViewer::TakeMetafileName() {
    if (const std::string foreign = gui::ForeignCharacters(metafileNameBox_->currentText()); !foreign.empty()) {
        gui::ShowMessage("Il nome del file contiene caratteri che non pu\xF2 avere (" + foreign +
                         "): toglierli o scriverli con altre lettere.");
        return {};
    }
    const std::string name = rt::UpperAscii(gui::FromQt(metafileNameBox_->currentText()));
    metafileNameBox_->setEditText(gui::ToQt(name));
    metafileNameBox_->lineEdit()->setCursorPosition(0);
    return name;
}

void SheetViewer::SaveMetafile() {
    const std::string name = TakeMetafileName();
    if (name.empty()) return;
    drawing_.metafileName = name;
    const std::string problem = CheckSheetMetafileName(drawing_.metafileName);
    if (!problem.empty()) {
        gui::ShowMessage(problem);
        return;
    }
    if (!SaveChartOrientation(drawing_, drawing_.metafileName)) return;
    {
        // Drawn at zoom 1 at the origin, as on paper, at the metafile's own
        // scale; the screen's scale comes back on every exit. A drawing that
        // fails saves nothing.
        MetafileRun run(drawing_);
        ResetSheetZoom(drawing_);
        if (std::unique_ptr<EmfRecorder> metafile = BeginChartMetafile(drawing_, drawing_.metafileName)) {
            if (ComposeSelectedSheet(*metafile)) EndChartMetafile(std::move(metafile), drawing_.metafileName);
        }
    }
    CopyMetafileToClipboard("Emf\\" + drawing_.metafileName);
    ShowChartSheet();
}

void SheetViewer::CopyMetafileToClipboard(const std::string& fileName) {
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

void SheetViewer::OpenMetafile() {
    const std::string name = TakeMetafileName();
    if (name.empty()) return;
    drawing_.metafileName = name;
    const std::string problem = CheckSheetMetafileName(drawing_.metafileName);
    if (!problem.empty()) {
        gui::ShowMessage(problem);
        return;
    }
    if (!rt::PathExists("Emf\\" + drawing_.metafileName)) {
        gui::ShowMessage(MissingMetafileMessage(drawing_.metafileName));
        return;
    }
    MetafileViewer* metafileViewer = madeMetafileViewer_ ? madeMetafileViewer_() : nullptr;
    if (!metafileViewer) {
        if (!ownMetafileViewer_) ownMetafileViewer_ = new MetafileViewer(drawing_, this);
        metafileViewer = ownMetafileViewer_;
    }
    if (ApplyChartOrientation(drawing_, drawing_.metafileName, metafileViewer) == 0) return;
    gui::ShowModal(metafileViewer);
    ResetSheetZoom(drawing_);
    ShowChartSheet();
}

void SheetViewer::ToggleAspectLines() {
    if (drawing_.aspectLinesOn != 1) {
        drawing_.aspectLinesOn = 1;
        SetGlyph(aspectLinesButton_, "LinLos");
    } else {
        SetGlyph(aspectLinesButton_, "LosLin");
        drawing_.aspectLinesOn = 0;
    }
    ShowChartSheet();
}

void SheetViewer::showEvent(QShowEvent* event) {
    CanvasForm::showEvent(event);
    // The showing is the activation; the window system's activation that
    // follows it (often after the first drawing) is the same one.
    showActivationPending_ = true;
    gui::Guard([this] { PrepareOpening(); });
}

void SheetViewer::changeEvent(QEvent* event) {
    CanvasForm::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (showActivationPending_) {
        showActivationPending_ = false;
        return;
    }
    // A return from another window of the program (a modal dialog) activates the
    // viewer again: the default view of the orientation, drawn on the next tick.
    if (isVisible() && isActiveWindow() && !firstDrawTimer_->isActive()) gui::Guard([this] { PrepareOpening(); });
}

void SheetViewer::closeEvent(QCloseEvent* event) {
    gui::Guard([this] { ReleaseDrawing(); });
    CanvasForm::closeEvent(event);
}

void SheetViewer::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    gui::Guard([this, p] { StartDrag(p.x(), p.y()); });
}

void SheetViewer::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    gui::Guard([this, p] { DragTo(p.x(), p.y()); });
}

void SheetViewer::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    gui::Guard([this, p] { EndDrag(p.x(), p.y()); });
}

void SheetViewer::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy < 0) gui::Guard([this] { ScrollDown(); });
    if (dy > 0) gui::Guard([this] { ScrollUp(); });
}

void SheetViewer::resizeEvent(QResizeEvent* event) {
    CanvasForm::resizeEvent(event);
    // The button bar stays along the bottom edge, the whole width.
    buttonBar_->setGeometry(0, height() - buttonBar_->height(), width(), buttonBar_->height());
}

void SheetViewer::keyPressEvent(QKeyEvent* event) {
    // The return button is the window's Cancel and Default button.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        gui::Guard([this] { GoBack(); });
        return;
    }
    CanvasForm::keyPressEvent(event);
}

}  // namespace display
