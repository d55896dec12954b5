#pragma once
// The dialog that changes the user's given name and surname.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace shell {

class UserNameDialog : public QDialog {
    Q_OBJECT
public:
    UserNameDialog();

    void FormActivate();
    void EditNomeChange();
    void EditCognomeChange();
    void BitBtnOkClick();
    void BitBtnAnnullaClick();

    bool Changed() const { return changed_; }

    QLineEdit* EditNome = nullptr;
    QLineEdit* EditCognome = nullptr;
    QPushButton* BitBtnOk = nullptr;
    QPushButton* BitBtnAnnulla = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool changed_ = false;
};

extern UserNameDialog* theUserNameDialog;

}  // namespace shell
