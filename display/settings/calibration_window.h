#pragma once
// The screen calibration window "Rondheid van Cirkles en Schermgroote": two
// bars squeeze the page horizontally and vertically (the aspect scales of the
// drawing layer) until the test circle is round; every change is written to the
// drawing settings file at once.
#include <QDialog>

#include "archive/draw_settings_file.h"

class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;
class QWidget;

namespace display {

class CanvasForm;

class CalibrationWindow : public QDialog {
    Q_OBJECT
public:
    CalibrationWindow();

    void FormActivate();
    void FormClose();
    void Timer1Timer();
    void ScBOChange();
    void ScBVChange();
    void BBresClick();
    void BBokClick();

    // Clears the window and, for sheet code 0, draws the test circle with its axes.
    void DrawCalibrationFrame();
    // Places the panel and its controls in page units.
    void LayoutCalibrationControls();
    // The window's canvas as last drawn.
    QImage Snapshot();

    CanvasForm* FormCanvas = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Lab1 = nullptr;
    QLabel* Lab2 = nullptr;
    QLabel* Lab3 = nullptr;
    QPushButton* BBok = nullptr;
    QPushButton* BBres = nullptr;
    QScrollBar* ScBO = nullptr;
    QScrollBar* ScBV = nullptr;
    QTimer* Timer1 = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Saves changed aspect scales; a refused or failed save puts the bars back
    // where the scales in force put them, and raises its error.
    void SaveScales(const archive::DrawSettingsState& changed);
};

extern CalibrationWindow* theCalibrationWindow;

// Page units per pixel of the last layout (aspect scale / pixels per unit x zoom).
struct CalibrationState {
    unsigned short CalibTickCount = 0;
    long double CalibScaleX = 0;
    long double CalibScaleY = 0;
};
extern CalibrationState Calibration;
void ResetCalibrationState();

}  // namespace display
