#include "shell/user_name_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/fixed_string.h"
#include "shell/user_name.h"

namespace shell {

TFoNomUte* FoNomUte = nullptr;

TFoNomUte::TFoNomUte() {
    setObjectName("FoNomUte");
    setWindowTitle(gui::ToQt("Gebruikersnaam wijzigen"));
    auto* grid = new QGridLayout(this);

    auto* title = new QLabel(gui::ToQt("Personalisatie"), this);
    title->setObjectName("Label1");
    QFont f = title->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    title->setFont(f);
    grid->addWidget(title, 0, 0, 1, 2);
    auto* note = new QLabel(gui::ToQt("De Personalisatie kan naar believen worden gewijzigd"), this);
    note->setObjectName("Label2");
    grid->addWidget(note, 1, 0, 1, 2);

    auto* nameLabel = new QLabel(gui::ToQt("Gebruikersnaam"), this);
    nameLabel->setObjectName("Label3");
    EditNome = new QLineEdit(this);
    EditNome->setObjectName("EditNome");
    EditNome->setMaxLength(static_cast<int>(kUserNameCapacity));
    grid->addWidget(nameLabel, 2, 0);
    grid->addWidget(EditNome, 2, 1);

    auto* surnameLabel = new QLabel(gui::ToQt("Achternaam Gebruiker"), this);
    surnameLabel->setObjectName("Label4");
    EditCognome = new QLineEdit(this);
    EditCognome->setObjectName("EditCognome");
    EditCognome->setMaxLength(static_cast<int>(kUserNameCapacity));
    grid->addWidget(surnameLabel, 3, 0);
    grid->addWidget(EditCognome, 3, 1);

    BitBtnOk = new QPushButton("OK", this);
    BitBtnOk->setObjectName("BitBtnOk");
    BitBtnOk->setDefault(true);
    BitBtnAnnulla = new QPushButton(gui::ToQt("Annuleren"), this);
    BitBtnAnnulla->setObjectName("BitBtnAnnulla");
    grid->addWidget(BitBtnOk, 4, 0);
    grid->addWidget(BitBtnAnnulla, 4, 1);

    connect(EditNome, &QLineEdit::textChanged, this, [this] { EditNomeChange(); });
    connect(EditCognome, &QLineEdit::textChanged, this, [this] { EditCognomeChange(); });
    connect(BitBtnOk, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtnOkClick(); }));
    connect(BitBtnAnnulla, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtnAnnullaClick(); }));
    resize(420, 200);
}

void TFoNomUte::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TFoNomUte::FormActivate() {
    EditNome->setText(gui::ToQt(UserName.UserGivenName));
    EditCognome->setText(gui::ToQt(UserName.UserSurname));
    changed_ = false;
    EditNome->setFocus();
}

void TFoNomUte::EditNomeChange() { changed_ = true; }

void TFoNomUte::EditCognomeChange() { changed_ = true; }

void TFoNomUte::BitBtnOkClick() {
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

void TFoNomUte::BitBtnAnnullaClick() { reject(); }

}  // namespace shell
