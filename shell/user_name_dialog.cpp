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

UserNameDialog* theUserNameDialog = nullptr;

UserNameDialog::UserNameDialog() {
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

    const std::tuple<const char*, const char*, QLineEdit**, const char*> names[] = {
        {"Label3", "Gebruikersnaam", &EditNome, "EditNome"}, {"Label4", "Achternaam Gebruiker", &EditCognome, "EditCognome"}};
    int row = 2;
    for (const auto& [labelName, caption, slot, editName] : names) {
        QLabel* label = gui::MakeLabel(this, labelName, caption);
        *slot = gui::MakeEdit(this, editName, static_cast<int>(kUserNameCapacity));
        grid->addWidget(label, row, 0);
        grid->addWidget(*slot, row++, 1);
    }

    gui::MakeButtons(this, {{&BitBtnOk, "BitBtnOk", "OK"}, {&BitBtnAnnulla, "BitBtnAnnulla", "Annuleren"}});
    BitBtnOk->setDefault(true);
    grid->addWidget(BitBtnOk, 4, 0);
    grid->addWidget(BitBtnAnnulla, 4, 1);

    connect(EditNome, &QLineEdit::textChanged, this, [this] { EditNomeChange(); });
    connect(EditCognome, &QLineEdit::textChanged, this, [this] { EditCognomeChange(); });
    connect(BitBtnOk, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtnOkClick(); }));
    connect(BitBtnAnnulla, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtnAnnullaClick(); }));
    resize(420, 200);
}

void UserNameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void UserNameDialog::FormActivate() {
    EditNome->setText(gui::ToQt(UserName.UserGivenName));
    EditCognome->setText(gui::ToQt(UserName.UserSurname));
    changed_ = false;
    EditNome->setFocus();
}

void UserNameDialog::EditNomeChange() { changed_ = true; }

void UserNameDialog::EditCognomeChange() { changed_ = true; }

void UserNameDialog::BitBtnOkClick() {
    // Characters the file has no code for would be saved as "?": the dialog
    // stays open on the field that holds them.
    for (const auto& [edit, what] : {std::pair{EditNome, "Il nome"}, std::pair{EditCognome, "Il cognome"}}) {
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
    UserName.UserGivenName = rt::CutTo(gui::FromQt(EditNome->text()), kUserNameCapacity);
    UserName.UserSurname = rt::CutTo(gui::FromQt(EditCognome->text()), kUserNameCapacity);
    SaveUserName();
}

void UserNameDialog::BitBtnAnnullaClick() { reject(); }

}  // namespace shell
