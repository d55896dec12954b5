#include "shell/instructions_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "shell/instructions.h"

namespace shell {

InstructionsDialog* theInstructionsDialog = nullptr;

InstructionsDialog::InstructionsDialog() {
    setObjectName("FoIstDef");
    setWindowTitle(gui::ToQt("Selecteren"));
    auto* layout = new QVBoxLayout(this);
    RB1 = gui::MakeRadio(this, "RB1", "Gereduceerde instructies  (PDF)");
    RB2 = gui::MakeRadio(this, "RB2", "Uitgebreide instructies (PDF)");
    RB1->setChecked(true);
    layout->addWidget(RB1);
    layout->addWidget(RB2);
    auto* buttons = new QHBoxLayout;
    gui::MakeButtons(this, {{&BitBtn1, "BitBtn1", "OK"}, {&BitBtn2, "BitBtn2", "Backards"}});
    BitBtn1->setDefault(true);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtn2Click(); }));
    resize(300, 140);
}

void InstructionsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void InstructionsDialog::FormActivate() { RB1->setChecked(true); }

void InstructionsDialog::BitBtn1Click() {
    // The window closes whatever the desktop makes of the request, before a
    // message that no viewer could open the document.
    const char* document = RB1->isChecked() ? kShortInstructions : kFullInstructions;
    accept();
    OpenProgramDocument(document);
}

void InstructionsDialog::BitBtn2Click() { reject(); }

}  // namespace shell
