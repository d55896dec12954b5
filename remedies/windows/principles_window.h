#pragma once
// TFoPrinci: makes the file of healing principles "Principi.sto" from the text
// "Principi.txt".
#include <QDialog>

class QLabel;
class QPushButton;

namespace remedies {

class TFoPrinci : public QDialog {
    Q_OBJECT
public:
    TFoPrinci();

    QLabel *Label1, *LabStato;
    QPushButton *Button1, *BitBtnRitorna;

    void Button1Click();
};

extern TFoPrinci* FoPrinci;

}  // namespace remedies
