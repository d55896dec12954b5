#include "shell/instructions_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "shell/instructions.h"

namespace shell {

TFoIstDef* FoIstDef = nullptr;

TFoIstDef::TFoIstDef() {
    setObjectName("FoIstDef");
    setWindowTitle(gui::ToQt("Selecteren"));
    auto* layout = new QVBoxLayout(this);
    RB1 = new QRadioButton(gui::ToQt("Gereduceerde instructies  (PDF)"), this);
    RB1->setObjectName("RB1");
    RB2 = new QRadioButton(gui::ToQt("Uitgebreide instructies (PDF)"), this);
    RB2->setObjectName("RB2");
    RB1->setChecked(true);
    layout->addWidget(RB1);
    layout->addWidget(RB2);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(gui::ToQt("Backards"), this);
    BitBtn2->setObjectName("BitBtn2");
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtn2Click(); }));
    resize(300, 140);
}

void TFoIstDef::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TFoIstDef::FormActivate() { RB1->setChecked(true); }

void TFoIstDef::BitBtn1Click() {
    // The window closes whatever the desktop makes of the request.
    OpenProgramDocument(RB1->isChecked() ? kShortInstructions : kFullInstructions);
    accept();
}

void TFoIstDef::BitBtn2Click() { reject(); }

}  // namespace shell
