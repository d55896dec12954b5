#pragma once
// The choice between the short and the full instructions.
#include <QDialog>

class QPushButton;
class QRadioButton;

namespace shell {

class InstructionsDialog : public QDialog {
    Q_OBJECT
public:
    InstructionsDialog();

    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();

    QRadioButton* RB1 = nullptr;
    QRadioButton* RB2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

extern InstructionsDialog* theInstructionsDialog;

}  // namespace shell
