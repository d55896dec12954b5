#include "display/settings/printer_model_dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "archive/draw_settings_file.h"
#include "display/settings/draw_settings_values.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"

namespace display {

PrinterModelDialog::PrinterModelDialog(archive::DrawSettings& settings, DrawingState& drawing)
    : settings_(settings), drawing_(drawing) {
    setObjectName("FoStampa");
    setWindowTitle(gui::ToQt("Printer"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(222, 222, 222));
        setPalette(pal);
        setAutoFillBackground(true);
    }
    auto* column = new QVBoxLayout(this);
    auto* stack = new QStackedLayout();
    stack->setStackingMode(QStackedLayout::StackAll);
    standardPanel_ =
        BuildNotePanel("Panel1",
                       {"Het programma...", "Op het moment van levering is het programma",
                        "compatibel met de meeste printers.", "Uitzonderingen zijn verschillende Epson printers",
                        "te beginnen met het model 460. Als u een Epson",
                        "printer hebt en niet kunt afdrukken, klik dan op", "\"Edit Voor Epson\""},
                       epsonButton_, "BitBtn1", "Edit Voor Epson");
    epsonPanel_ =
        BuildNotePanel("Panel2",
                       {"Het programma... ", "is nu geconfigureerd voor gebruik met Epson",
                        "printers model 460 en volgende.  Als u tijdens", "het afdrukken merkt  dat een leeg vel wordt",
                        "uitgevoerd v\xF3\xF3r het afgedrukte vel, is deze", "correctie niet nodig. Klik op de knop ",
                        "\"Standaard herstellen\"."},
                       standardButton_, "BitBtn2", "Standaard herstellen");
    stack->addWidget(standardPanel_);
    stack->addWidget(epsonPanel_);
    column->addLayout(stack);

    changeMadeLabel_ = gui::MakeLabel(this, "LabModi", "WIJZIGING GEMAAKT!");
    gui::SetBold(changeMadeLabel_);
    {
        QPalette pal = changeMadeLabel_->palette();
        pal.setColor(QPalette::WindowText, QColor(255, 0, 0));
        changeMadeLabel_->setPalette(pal);
    }
    waitingLabel_ = gui::MakeLabel(this, "LabModi1", "wachten op...");
    changeMadeLabel_->hide();
    waitingLabel_->hide();
    column->addWidget(changeMadeLabel_, 0, Qt::AlignHCenter);
    column->addWidget(waitingLabel_, 0, Qt::AlignHCenter);

    backButton_ = gui::MakeButton(this, "BitBtnRitorna", "Terug naar het menu");
    backButton_->setDefault(true);
    column->addWidget(backButton_, 0, Qt::AlignHCenter);
    // The design size, or the size its contents need when that is larger: the
    // dialog is placed by the size it has before it is shown.
    resize(QSize(320, 199).expandedTo(minimumSizeHint()));

    connect(epsonButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { ToggleEpsonCorrection(); }));
    connect(standardButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { ToggleEpsonCorrection(); }));
    connect(backButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { GoBack(); }));
}

// A grey raised panel of lines (the first bold) over its button.
QFrame* PrinterModelDialog::BuildNotePanel(const char* name, std::initializer_list<const char*> lines,
                                           QPushButton*& button, const char* buttonName, const char* caption) {
    QFrame* panel = gui::MakePanel(this, name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);
    auto* column = new QVBoxLayout(panel);
    column->setSpacing(0);
    int n = 1;
    for (const char* line : lines) {
        QLabel* label = gui::MakeLabel(panel, (std::string(name) + "Label" + std::to_string(n)).c_str(), line);
        if (n++ == 1) gui::SetBold(label);
        column->addWidget(label);
    }
    column->addSpacing(6);
    button = gui::MakeButton(panel, buttonName, caption);
    column->addWidget(button, 0, Qt::AlignHCenter);
    return panel;
}

void PrinterModelDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) gui::Guard([this] { ShowCorrectionInForce(); });
}

void PrinterModelDialog::ShowCorrectionInForce() {
    changeMadeLabel_->hide();
    waitingLabel_->hide();
    const bool epson = settings_.Values().epsonCorrection == 1;
    epsonPanel_->setVisible(epson);
    standardPanel_->setVisible(!epson);
}

void PrinterModelDialog::ToggleEpsonCorrection() {
    archive::DrawSettingsState changed = settings_.Values();
    changed.epsonCorrection = settings_.Values().epsonCorrection == 0 ? 1 : 0;
    // A refused or failed save leaves the dialog as it was, open on the
    // correction in force; only a change made is said to be made.
    SaveDrawSettingsAndApply(settings_, drawing_, changed);
    const bool epson = changed.epsonCorrection == 1;
    epsonPanel_->setVisible(epson);
    standardPanel_->setVisible(!epson);
    waitingLabel_->show();
    changeMadeLabel_->show();
    QApplication::processEvents();
    // The confirmation stays on the screen a moment before the dialog closes.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < confirmationMilliseconds)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    done(5);
}

void PrinterModelDialog::GoBack() { done(5); }

}  // namespace display
