#pragma once
// The screen calibration window "Rondheid van Cirkles en Schermgroote": two
// bars squeeze the page horizontally and vertically (the aspect scales of the
// drawing layer) until the test circle is round; every change is written to the
// drawing settings file at once.
#include <QDialog>
#include <array>

#include "archive/draw_settings_file.h"
#include "display/sheets/sheet_selection.h"

class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;
class QWidget;

namespace archive {
struct CurrentChart;
}

namespace display {

struct DrawingState;

class CanvasForm;

class CalibrationWindow : public QDialog {
    Q_OBJECT
public:
    // The current chart, whose orb and house settings it reads again on
    // closing, and the drawing settings in force, which it shows and changes, and
    // the drawing state that takes them and that the window draws in.
    CalibrationWindow(archive::CurrentChart& current, archive::DrawSettings& settings,
                      const SheetSelectionState& sheets, DrawingState& drawing);

    // The settings as the file holds them, the bars set to them, the controls
    // laid out and the first drawing started.
    void PrepareOpening();
    // The timer stopped and the orb and house settings read again.
    void StopAndReloadSettings();
    // A tick of the timer: the frame is drawn at the second tick of the first
    // opening, at the first of later ones.
    void DrawWhenReady();
    // A moved bar: its aspect scale saved, the frame and the controls again.
    void ApplyHorizontalScale();
    void ApplyVerticalScale();
    // Both aspect scales back to 1.
    void ResetScales();
    void SaveAndClose();

    // Clears the window and, for sheet code 0, draws the test circle with its axes.
    void DrawCalibrationFrame();
    // Places the panel and its controls in page units.
    void LayoutCalibrationControls();
    // The window's canvas as last drawn.
    QImage Snapshot();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CanvasForm* drawingArea_ = nullptr;
    QWidget* controlPanel_ = nullptr;
    std::array<QLabel*, 3> instructionLabels_{};  // the three lines, from the top
    QPushButton* okButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QScrollBar* horizontalScaleBar_ = nullptr;
    QScrollBar* verticalScaleBar_ = nullptr;
    QTimer* firstDrawTimer_ = nullptr;
    archive::CurrentChart& current_;
    archive::DrawSettings& settings_;
    // The figure is drawn only while no sheet is chosen (code 0).
    const SheetSelectionState& sheets_;
    DrawingState& drawing_;
    // Timer ticks before the first drawing: the first opening waits one tick
    // more, later openings draw at the first.
    unsigned short firstDrawTicks_ = 0;
    // Saves changed aspect scales; a refused or failed save puts the bars back
    // where the scales in force put them, and raises its error.
    void SaveScales(const archive::DrawSettingsState& changed);
};


}  // namespace display
