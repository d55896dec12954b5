#pragma once
// The line-width dialog "Lijndikte": the factor by which every pen width is
// multiplied, made thicker or thinner in steps of 0.95 within 0.5 .. 4.0 and
// written to the drawing settings file at every change.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace archive {
class DrawSettings;
}

namespace display {

struct DrawingState;

class LineWidthDialog : public QDialog {
    Q_OBJECT
public:
    // The drawing settings in force, which this window shows and changes.
    // The drawing state takes the settings the window saves.
    LineWidthDialog(archive::DrawSettings& settings, DrawingState& drawing);

    void ShowFactorInForce();
    // A step of the factor from the number shown, saved at once.
    void MakeThicker();
    void MakeThinner();
    // The factor back to 1, saved.
    void ResetFactor();
    // Takes the number in the box (held within the limits) and writes the file;
    // false, with the text reported, when the box holds no number.
    bool SaveTypedFactor();
    void GoBack();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    archive::DrawSettings& settings_;
    DrawingState& drawing_;
    QLineEdit* factorEdit_ = nullptr;
    QWidget* factorSpinButton_ = nullptr;
    QToolButton* thickerButton_ = nullptr;
    QToolButton* thinnerButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    // The number in the box, or nothing (reported) when it is none.
    bool ShownFactor(long double& factor);
    void ShowFactor(long double factor);
    // Shows and saves a new factor; a refused or failed save shows the factor
    // in force again and raises its error.
    void SaveFactor(long double factor);
};

}  // namespace display
