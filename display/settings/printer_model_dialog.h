#pragma once
// The printer-model dialog "Printer": switches the Epson correction (a blank
// job printed before each sheet) on or off and writes it to the drawing
// settings file.
#include <QDialog>
#include <initializer_list>

class QFrame;
class QLabel;
class QPushButton;

namespace archive {
class DrawSettings;
}

namespace display {

struct DrawingState;

class PrinterModelDialog : public QDialog {
    Q_OBJECT
public:
    // The drawing settings in force, which this window shows and changes.
    // The drawing state takes the settings the window saves.
    PrinterModelDialog(archive::DrawSettings& settings, DrawingState& drawing);

    // The note and button of the correction in force, the confirmation hidden.
    void ShowCorrectionInForce();
    // Switches the correction and saves it, says so a moment and closes.
    void ToggleEpsonCorrection();
    void GoBack();

    // How long the dialog shows "WIJZIGING GEMAAKT!" before it closes (tests set 0).
    int confirmationMilliseconds = 600;

protected:
    void showEvent(QShowEvent* event) override;

private:
    archive::DrawSettings& settings_;
    DrawingState& drawing_;
    // The note shown without the correction, and the one shown with it.
    QFrame* standardPanel_ = nullptr;
    QFrame* epsonPanel_ = nullptr;
    QPushButton* epsonButton_ = nullptr;
    QPushButton* standardButton_ = nullptr;
    QLabel* changeMadeLabel_ = nullptr;
    QLabel* waitingLabel_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QFrame* BuildNotePanel(const char* name, std::initializer_list<const char*> lines, QPushButton*& button,
                           const char* buttonName, const char* caption);
};

}  // namespace display
