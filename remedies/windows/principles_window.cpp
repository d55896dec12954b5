#include "remedies/windows/principles_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/widgets.h"
#include "remedies/principles_file.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

PrinciplesWindow::PrinciplesWindow() {
    setObjectName("FoPrinci");
    setWindowTitle("PRINCIPI CURATIVI");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetWindowColour(this, kWindowColour);
    auto* box = new QVBoxLayout(this);
    explanationLabel_ = gui::MakeLabel(this, "Label1",
                                       "Genera l'archivio dei principi curativi \"Principi.sto\" dal testo "
                                       "\"Principi.txt\"\n(quindici schede di cinque righe).");
    explanationLabel_->setWordWrap(true);
    box->addWidget(explanationLabel_);
    statusLabel_ = gui::MakeLabel(this, "LabStato", "");
    box->addWidget(statusLabel_);
    auto* buttons = new QHBoxLayout;
    gui::MakeClickOnlyButtons(this, {{&generateButton_, "Button1", "Genera archivio"},
                                     {&backButton_, "BitBtnRitorna", "&Ritorna al Menu"}});
    buttons->addWidget(generateButton_);
    buttons->addStretch(1);
    buttons->addWidget(backButton_);
    box->addLayout(buttons);
    connect(generateButton_, &QPushButton::clicked, this, gui::Guarded([this](bool) { GenerateArchive(); }));
    connect(backButton_, &QPushButton::clicked, this, [this] { reject(); });
    resize(460, 160);
}

void PrinciplesWindow::GenerateArchive() {
    statusLabel_->clear();
    const std::string text = std::string("\"") + kPrinciplesTextName + "\"";
    const std::string file = std::string("\"") + kPrinciplesFileName + "\"";
    // A text that is not the principles' text never replaces a good file.
    const std::string problem = PrinciplesTextProblem();
    if (!problem.empty()) {
        gui::ShowMessage("Il testo " + text + " " + problem + ": l'archivio " + file +
                         " non \xE8 stato generato e resta com'\xE8. Salvare il testo come testo Windows-1252 (o "
                         "ripristinarlo da una copia di sicurezza) e premere di nuovo \"Genera archivio\".");
        SetText(statusLabel_, "Archivio " + file + " non generato.");
        return;
    }
    GeneratePrinciples();
    SetText(statusLabel_, "Archivio " + file + " generato.");
}

}  // namespace remedies
