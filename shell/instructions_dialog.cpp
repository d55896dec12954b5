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
    shortInstructionsRadio_ = gui::MakeRadio(this, "RB1", "Gereduceerde instructies  (PDF)");
    fullInstructionsRadio_ = gui::MakeRadio(this, "RB2", "Uitgebreide instructies (PDF)");
    shortInstructionsRadio_->setChecked(true);
    layout->addWidget(shortInstructionsRadio_);
    layout->addWidget(fullInstructionsRadio_);
    auto* buttons = new QHBoxLayout;
    gui::MakeButtons(this, {{&okButton_, "BitBtn1", "OK"}, {&backButton_, "BitBtn2", "Backards"}});
    okButton_->setDefault(true);
    buttons->addWidget(okButton_);
    buttons->addWidget(backButton_);
    layout->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { OpenChosenInstructions(); }));
    connect(backButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { GoBack(); }));
    resize(300, 140);
}

void InstructionsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) SelectShortInstructions();
}

void InstructionsDialog::SelectShortInstructions() { shortInstructionsRadio_->setChecked(true); }

void InstructionsDialog::OpenChosenInstructions() {
    // The window closes whatever the desktop makes of the request, before a
    // message that no viewer could open the document.
    const char* document = shortInstructionsRadio_->isChecked() ? kShortInstructions : kFullInstructions;
    accept();
    OpenProgramDocument(document);
}

void InstructionsDialog::GoBack() { reject(); }

}  // namespace shell
