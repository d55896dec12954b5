#pragma once
// SheetViewer: the borderless, black, full-screen sheet viewer. It shows the
// printable sheet the main window chose, lets the user zoom, pan by dragging
// or with the wheel, fit the page's height or width, switch between colour and
// black and white and between aspect lines and wedges, set up the printer,
// print, save the sheet as a chart metafile (also put on the clipboard) and
// look at a saved one. The sheets are drawn by their entries; the viewer only
// sets the drawing state around them.
#include <QFrame>
#include <initializer_list>
#include <string>

#include "display/draw/canvas_form.h"

class QComboBox;
class QPushButton;
class QTimer;

namespace display {

class SheetViewer : public CanvasForm {
    Q_OBJECT
public:
    explicit SheetViewer(QWidget* parent = nullptr);
    ~SheetViewer() override;

    QFrame* Panel1 = nullptr;
    QPushButton* BitBtnRitorna = nullptr;
    QPushButton* BitBtnStampa = nullptr;
    QPushButton* BitBtnSetup = nullptr;
    QPushButton* BitBtnFoglio = nullptr;
    QPushButton* BitBtnColNer = nullptr;
    QPushButton* BitBtnZoomPiu = nullptr;
    QPushButton* BitBtnZoomMeno = nullptr;
    QPushButton* BBaltezza = nullptr;
    QPushButton* BBlargarghezza = nullptr;
    QPushButton* BBEMFout = nullptr;
    QComboBox* ComboEMF = nullptr;
    QPushButton* BBEMFin = nullptr;
    QPushButton* BBFlagRiga = nullptr;
    QTimer* Timer1 = nullptr;

    // The one drawing routine: the sheet of the selection on the output the
    // drawing state names, then the page outline on the screen.
    void ShowChartSheet();
    void ResetSheetView();
    void DrawSheetViewerFrame();

    void FormActivate();
    void FormClose();
    void Timer1Timer();
    void FormMouseDown(int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(int x, int y);
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    void BitBtnRitornaClick();
    void BitBtnStampaClick();
    void BitBtnSetupClick();
    void BitBtnColNerClick();
    void BitBtnZoomPiuClick();
    void BitBtnZoomMenoClick();
    void BBaltezzaClick();
    void BBlargarghezzaClick();
    void BBEMFoutClick();
    void BBEMFinClick();
    void BBFlagRigaClick();

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
    std::string TakeMetafileName();
    void CopyMetafileToClipboard(const std::string& fileName);
    // Set by a showing until the window system's first change of activation.
    bool showActivationPending_ = false;
};

extern SheetViewer* theSheetViewer;

}  // namespace display
