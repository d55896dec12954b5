#pragma once
// The plants panel of the chart window: the plants whose signature names the
// clicked planet, dignity glyph or sign, the symptoms a chosen plant
// governs with its signatures, the spin button that steps through the plants,
// and the panel's font, height and close buttons.
#include <QObject>
#include <string>

#include "engine/chart.h"

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

namespace display {

struct ChartWindowState;
struct DrawingState;
class FileErrorReports;
using engine::Real;

class PlantsPanel : public QObject {
    Q_OBJECT
public:
    // Makes the panel's controls in `frame` and connects them. The chart
    // window's state gives the layout scale and keeps the chosen plant; a
    // missing plant list or database is told once through `fileErrors`.
    PlantsPanel(QFrame* frame, ChartWindowState& state, FileErrorReports& fileErrors);
    // Makes the plants' box editable and connects the controls: the window
    // calls it once, after it has made all its controls.
    void Connect();

    // The controls in page units, inside the frame the window placed.
    void LayOut();
    // Opens the panel with the plants of chart point `body` 1..7 or of sign
    // `sign` 1..12 (nothing for the points from 8 on).
    void ShowPlantsOf(int body, int sign);
    void Close();
    // The picture of the clicked glyph beside the plants.
    void ShowGlyph();
    void LoadGlyph(DrawingState& drawing, const std::string& fileName);
    void HideGlyph();

    // The symptoms and signatures of entry `index` of the plants' box.
    void ShowRemedySymptoms(int index);
    // The plant chosen in the box, and the spin button's steps.
    void ShowChosenPlant();
    void NextPlant();
    void PreviousPlant();
    void ToggleFont();
    // The panel's height, by its size button or a double click on the symptoms.
    void ToggleSize();

Q_SIGNALS:
    // The panel was stretched down over the help texts' place.
    void Widened();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int PX(Real units) const;
    int PY(Real units) const;
    void StepPlant(int delta);
    // "Verbreden" / "Verminderen" fitted to its button.
    void FitSizeCaption();

    QFrame* frame_;
    ChartWindowState& state_;
    FileErrorReports& fileErrors_;
    QPlainTextEdit* symptomsMemo_ = nullptr;
    QPlainTextEdit* signaturesMemo_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* fontButton_ = nullptr;
    QPushButton* sizeButton_ = nullptr;
    QListWidget* plantList_ = nullptr;
    QComboBox* plantBox_ = nullptr;
    QLabel* plantListLabel_ = nullptr;
    QLabel* glyphImage_ = nullptr;
    QScrollBar* spinButton_ = nullptr;
};

}  // namespace display
