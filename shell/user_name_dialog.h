#pragma once
// The dialog that changes the user's given name and surname.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace shell {

struct UserNameState;

class UserNameDialog : public QDialog {
    Q_OBJECT
public:
    // Shows and changes the names it is handed (those of the main window).
    explicit UserNameDialog(UserNameState& userName);

    // Shows the names in use; runs at every showing.
    void ShowUserName();
    void MarkChanged();
    // Saves changed names (when the file can hold them) and closes.
    void SaveAndClose();
    void Cancel();

    bool Changed() const { return changed_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    UserNameState& userName_;
    QLineEdit* givenNameEdit_ = nullptr;
    QLineEdit* surnameEdit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    bool changed_ = false;
};

}  // namespace shell
