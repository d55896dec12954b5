#pragma once
// PrinciplesWindow: makes the file of healing principles "Principi.sto" from the text
// "Principi.txt".
#include <QDialog>

class QLabel;
class QPushButton;

namespace remedies {

class PrinciplesWindow : public QDialog {
    Q_OBJECT
public:
    PrinciplesWindow();

    void GenerateArchive();

private:
    QLabel *explanationLabel_, *statusLabel_;
    QPushButton *generateButton_, *backButton_;
};

}  // namespace remedies
