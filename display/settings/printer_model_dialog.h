#pragma once
// The printer-model dialog "Printer": switches the Epson correction (a blank
// job printed before each sheet) on or off and writes it to the drawing
// settings file.
#include <QDialog>
#include <initializer_list>

class QFrame;
class QLabel;
class QPushButton;

namespace display {

class PrinterModelDialog : public QDialog {
    Q_OBJECT
public:
    PrinterModelDialog();

    void FormActivate();
    void BBmodificaClick();
    void BitBtnRitornaClick();

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QLabel* LabModi = nullptr;
    QLabel* LabModi1 = nullptr;
    QPushButton* BitBtnRitorna = nullptr;

    // How long the dialog shows "WIJZIGING GEMAAKT!" before it closes (tests set 0).
    int ConfirmationMilliseconds = 600;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QFrame* BuildNotePanel(const char* name, std::initializer_list<const char*> lines, QPushButton*& button,
                           const char* buttonName, const char* caption);
};

extern PrinterModelDialog* thePrinterModelDialog;

}  // namespace display
