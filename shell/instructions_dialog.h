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

    // Every showing offers the short instructions first.
    void SelectShortInstructions();
    // Opens the chosen instructions in the desktop's viewer and closes.
    void OpenChosenInstructions();
    void GoBack();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QRadioButton* shortInstructionsRadio_ = nullptr;
    QRadioButton* fullInstructionsRadio_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
};

}  // namespace shell
