#pragma once
// SheetViewer: the borderless, black, full-screen sheet viewer. It shows the
// printable sheet the main window chose, lets the user zoom, pan by dragging
// or with the wheel, fit the page's height or width, switch between colour and
// black and white and between aspect lines and wedges, set up the printer,
// print, save the sheet as a chart metafile (also put on the clipboard) and
// look at a saved one. The screen, the print and the metafile each make their
// surface and the viewer composes the sheet on it.
#include <QFrame>
#include <functional>
#include <initializer_list>
#include <memory>
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
}  // namespace archive

namespace display {

class MetafileViewer;

// What the window that makes a sheet viewer hands it, besides the current
// person, the sheet chosen and the drawing state.
struct SheetViewerCollaborators {
    // The drawing settings in force: their printer correction puts a blank page
    // before each printed sheet (none: no correction).
    const archive::DrawSettings* drawSettings = nullptr;
    // The user's name, which the printable sheets print beside their caption
    // (none: no name).
    std::function<std::string()> userFullName{};
    // The printer the viewer prints on and sets up (none: the system's).
    std::unique_ptr<SheetPrinter> printer{};
    // The viewer of saved chart metafiles its maker made for it; without one,
    // or while it answers none, the viewer makes its own child at the first
    // opening of a metafile.
    std::function<MetafileViewer*()> metafileViewer{};
};

class SheetViewer : public CanvasForm {
    Q_OBJECT
public:
    // The current person, whose sheets this window shows and prints without
    // changing it. The drawing state is the program's, which the viewer's
    // canvas maps with.
    SheetViewer(const archive::CurrentChart& current, const SheetSelectionState& sheets, DrawingState& drawing,
                SheetViewerCollaborators collaborators = {}, QWidget* parent = nullptr);
    ~SheetViewer() override;

    // The zoom step, the screen's half size, the drag and the first-draw ticks.
    const SheetViewerState& Motion() const { return motion_; }
    // The user's name the sheets print beside their caption (empty: none).
    std::string SheetUserName() const;

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
    // Covers a screen of the size given (the window left hidden), its button
    // bar along the bottom edge.
    void CoverScreen(int width, int height);
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

    const archive::CurrentChart& current_;
    // The sheet and orientation its opener chose.
    const SheetSelectionState& sheets_;
    // The drawing state the sheets are drawn in (page units, zoom, colours).
    DrawingState& drawing_;
    const archive::DrawSettings* drawSettings_;
    std::unique_ptr<SheetPrinter> printer_{};
    std::function<MetafileViewer*()> madeMetafileViewer_;
    // Its own viewer of saved chart metafiles, when its maker made none.
    MetafileViewer* ownMetafileViewer_ = nullptr;
    // What the sheets drawn here keep from one drawing to the next.
    SheetMemory sheetMemory_;
    SheetViewerState motion_;

    QFrame* buttonBar_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* printerSetupButton_ = nullptr;
    QPushButton* orientationButton_ = nullptr;
    QPushButton* colourButton_ = nullptr;
    QPushButton* zoomInButton_ = nullptr;
    QPushButton* zoomOutButton_ = nullptr;
    QPushButton* fullHeightButton_ = nullptr;
    QPushButton* fullWidthButton_ = nullptr;
    QPushButton* saveMetafileButton_ = nullptr;
    QComboBox* metafileNameBox_ = nullptr;
    QPushButton* openMetafileButton_ = nullptr;
    QPushButton* aspectLinesButton_ = nullptr;
    QTimer* firstDrawTimer_ = nullptr;
    // Set by a showing until the window system's first change of activation.
    bool showActivationPending_ = false;
};

}  // namespace display
