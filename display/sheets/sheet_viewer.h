#pragma once
// SheetViewer: the borderless, black, full-screen sheet viewer. It shows the
// printable sheet the main window chose, lets the user zoom, pan by dragging
// or with the wheel, fit the page's height or width, switch between colour and
// black and white and between aspect lines and wedges, set up the printer,
// print, save the sheet as a chart metafile (also put on the clipboard) and
// look at a saved one. The screen, the print and the metafile each make their
// surface and the viewer composes the sheet on it.
#include <QFrame>
#include <initializer_list>
#include <string>

#include "display/draw/canvas_form.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_printing.h"
#include "display/sheets/sheet_selection.h"
#include "display/sheets/sheet_view.h"

class QComboBox;
class QPushButton;
class QTimer;

namespace archive {
struct CurrentChart;
class DrawSettings;
}

namespace display {

class MetafileViewer;

class SheetViewer : public CanvasForm {
    Q_OBJECT
public:
    // The current person, whose sheets this window shows and prints. The
    // drawing state is the program's, which the viewer's canvas maps with.
    SheetViewer(const archive::CurrentChart& current, const SheetSelectionState& sheets, DrawingState& drawing,
                QWidget* parent = nullptr);
    ~SheetViewer() override;

    // The current person's chart, birth data and orbs; the sheets' steps write
    // into the chart what they compute.
    const archive::CurrentChart& current;
    // The printer this window prints on and sets up: the system's unless its
    // maker replaces it.
    std::unique_ptr<SheetPrinter> printer = MakeSystemSheetPrinter();

    // The drawing settings in force, handed at the start: their printer
    // correction puts a blank page before each printed sheet (none: no correction).
    const archive::DrawSettings* drawSettings = nullptr;
    // The viewer of saved chart metafiles this window opens: the one the start
    // makes for it, or else its own child, made at the first opening.
    MetafileViewer* metafileViewer = nullptr;
    // What the sheets drawn here keep from one drawing to the next.
    SheetMemory sheetMemory;
    // The zoom step, the screen's half size, the drag and the first-draw ticks.
    SheetViewerState motion;
    // The sheet and orientation its opener chose.
    const SheetSelectionState& sheets;
    // The drawing state the sheets are drawn in (page units, zoom, colours).
    DrawingState& drawing;

    QFrame* buttonBar = nullptr;
    QPushButton* backButton = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* printerSetupButton = nullptr;
    QPushButton* orientationButton = nullptr;
    QPushButton* colourButton = nullptr;
    QPushButton* zoomInButton = nullptr;
    QPushButton* zoomOutButton = nullptr;
    QPushButton* fullHeightButton = nullptr;
    QPushButton* fullWidthButton = nullptr;
    QPushButton* saveMetafileButton = nullptr;
    QComboBox* metafileNameBox = nullptr;
    QPushButton* openMetafileButton = nullptr;
    QPushButton* aspectLinesButton = nullptr;
    QTimer* firstDrawTimer = nullptr;

    // The sheet of the selection on the window, then the page outline.
    void ShowChartSheet();
    void ResetSheetView();
    void DrawSheetViewerFrame();

    // Each showing: the metafile name and the orientation's view are set, and
    // the first drawing is started.
    void PrepareOpening();
    // On closing: the zoom, the aspect lines and the colours back to their
    // defaults.
    void ReleaseDrawing();
    // A tick of the timer: the sheet is drawn at the second tick of the first
    // opening, at the first of later ones.
    void DrawWhenReady();
    // Dragging the sheet with the mouse: previewed while it moves, moved on release.
    void StartDrag(int x, int y);
    void DragTo(int x, int y);
    void EndDrag(int x, int y);
    // The mouse wheel moves the sheet up or down a step.
    void ScrollDown();
    void ScrollUp();
    void GoBack();
    void PrintSheet();
    void ChoosePrinterSettings();
    void ToggleBlackAndWhite();
    void ZoomIn();
    void ZoomOut();
    void ShowFullHeight();
    void ShowFullWidth();
    void SaveMetafile();
    void OpenMetafile();
    void ToggleAspectLines();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct BarButton;
    void PlaceBarButtons(std::initializer_list<BarButton> buttons);
    void SetGlyph(QPushButton* button, const char* glyph);
    // The sheet of the selection composed on the surface handed: the window's
    // canvas, the printer's page or the chart metafile; false for no sheet.
    bool ComposeSelectedSheet(Surface& dc);
    std::string TakeMetafileName();
    void CopyMetafileToClipboard(const std::string& fileName);
    // Set by a showing until the window system's first change of activation.
    bool showActivationPending_ = false;
};

}  // namespace display
