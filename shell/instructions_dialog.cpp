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

InstructionsDialog::InstructionsDialog() {
    setObjectName("FoIstDef");
    setWindowTitle(gui::ToQt("Selecteren"));
    auto* layout = new QVBoxLayout(this);
    shortInstructionsRadio = gui::MakeRadio(this, "RB1", "Gereduceerde instructies  (PDF)");
    fullInstructionsRadio = gui::MakeRadio(this, "RB2", "Uitgebreide instructies (PDF)");
    shortInstructionsRadio->setChecked(true);
    layout->addWidget(shortInstructionsRadio);
    layout->addWidget(fullInstructionsRadio);
    auto* buttons = new QHBoxLayout;
    gui::MakeButtons(this, {{&okButton, "BitBtn1", "OK"}, {&backButton, "BitBtn2", "Backards"}});
    okButton->setDefault(true);
    buttons->addWidget(okButton);
    buttons->addWidget(backButton);
    layout->addLayout(buttons);
    connect(okButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { OpenChosenInstructions(); }));
    connect(backButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { GoBack(); }));
    resize(300, 140);
}

void InstructionsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) SelectShortInstructions();
}

void InstructionsDialog::SelectShortInstructions() { shortInstructionsRadio->setChecked(true); }

void InstructionsDialog::OpenChosenInstructions() {
    // The window closes whatever the desktop makes of the request, before a
    // message that no viewer could open the document.
    const char* document = shortInstructionsRadio->isChecked() ? kShortInstructions : kFullInstructions;
    accept();
    OpenProgramDocument(document);
}

void InstructionsDialog::GoBack() { reject(); }

}  // namespace shell
