#include "shell/user_name_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/fixed_string.h"
#include "shell/user_name.h"

namespace shell {

UserNameDialog::UserNameDialog(UserNameState& userName) : userName_(userName) {
    setObjectName("FoNomUte");
    setWindowTitle(gui::ToQt("Gebruikersnaam wijzigen"));
    auto* grid = new QGridLayout(this);

    QLabel* title = gui::MakeLabel(this, "Label1", "Personalisatie");
    QFont f = title->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    title->setFont(f);
    grid->addWidget(title, 0, 0, 1, 2);
    grid->addWidget(gui::MakeLabel(this, "Label2", "De Personalisatie kan naar believen worden gewijzigd"), 1, 0, 1, 2);

    const std::tuple<const char*, const char*, QLineEdit**, const char*> names[] = {{"Label3", "Gebruikersnaam",
                                                                                     &givenNameEdit_, "EditNome"},
                                                                                    {"Label4", "Achternaam Gebruiker",
                                                                                     &surnameEdit_, "EditCognome"}};
    int row = 2;
    for (const auto& [labelName, caption, slot, editName] : names) {
        QLabel* label = gui::MakeLabel(this, labelName, caption);
        *slot = gui::MakeEdit(this, editName, static_cast<int>(kUserNameCapacity));
        grid->addWidget(label, row, 0);
        grid->addWidget(*slot, row++, 1);
    }

    gui::MakeButtons(this, {{&okButton_, "BitBtnOk", "OK"}, {&cancelButton_, "BitBtnAnnulla", "Annuleren"}});
    okButton_->setDefault(true);
    grid->addWidget(okButton_, 4, 0);
    grid->addWidget(cancelButton_, 4, 1);

    for (QLineEdit* edit : {givenNameEdit_, surnameEdit_})
        connect(edit, &QLineEdit::textChanged, this, [this] { MarkChanged(); });
    connect(okButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { SaveAndClose(); }));
    connect(cancelButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { Cancel(); }));
    resize(420, 200);
}

void UserNameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) ShowUserName();
}

void UserNameDialog::ShowUserName() {
    givenNameEdit_->setText(gui::ToQt(userName_.userGivenName));
    surnameEdit_->setText(gui::ToQt(userName_.userSurname));
    changed_ = false;
    givenNameEdit_->setFocus();
}

void UserNameDialog::MarkChanged() { changed_ = true; }

void UserNameDialog::SaveAndClose() {
    // Characters the file has no code for would be saved as "?": the dialog
    // stays open on the field that holds them.
    for (const auto& [edit, what] : {std::pair{givenNameEdit_, "Il nome"}, std::pair{surnameEdit_, "Il cognome"}}) {
        const std::string foreign = gui::ForeignCharacters(edit->text());
        if (foreign.empty()) continue;
        edit->setFocus();
        gui::ShowMessage(std::string(what) + " contiene caratteri che non possono essere registrati (" + foreign +
                         "): toglierli o scriverli con altre lettere.");
        return;
    }
    // The dialog closes in every case, also when the save fails.
    struct CloseAfter {
        QDialog* d;
        ~CloseAfter() { d->accept(); }
    } closeAfter{this};
    if (!changed_) return;
    userName_.userGivenName = rt::CutTo(gui::FromQt(givenNameEdit_->text()), kUserNameCapacity);
    userName_.userSurname = rt::CutTo(gui::FromQt(surnameEdit_->text()), kUserNameCapacity);
    SaveUserName(userName_);
}

void UserNameDialog::Cancel() { reject(); }

}  // namespace shell
