#include "archive/backup_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "archive/archive_files.h"
#include "archive/backup.h"
#include "archive/form_helpers.h"
#include "engine/calendar.h"
#include "platform/gui/field_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/win1252.h"

namespace fs = std::filesystem;

namespace archive {

namespace {

// A label in its colour (none: the window's own).
QLabel* Coloured(QLabel* label, const char* colour) {
    if (colour) label->setStyleSheet(QString("color: %1").arg(colour));
    return label;
}

}  // namespace

BackupWindow::BackupWindow(DrawSettings* drawSettings, QWidget* parent) : QDialog(parent), drawSettings_(drawSettings) {
    setObjectName("FoBakMod1");
    setWindowTitle(gui::ToQt("Back-up / Herstel \"BASE\" Archief"));
    auto* top = new QVBoxLayout(this);
    // The drive list and the destination take turns in one place that keeps
    // the size of the larger, so the window does not grow when the list opens.
    auto* choice = new QGridLayout;
    BuildVolumeChoice(choice);
    BuildDestination(choice);
    for (QWidget* panel : {volumePanel, destinationPanel}) {
        QSizePolicy policy = panel->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        panel->setSizePolicy(policy);
    }
    top->addLayout(choice);

    auto* status = new QGridLayout;
    status->addWidget(gui::MakeLabel(this, "LabUltimo", "Laatste"), 0, 0);
    status->addWidget(gui::MakeLabel(this, "LabBackup", "Backup"), 1, 0);
    lastBackupEdit = gui::MakeReadOnlyEdit(this, "EditData");
    status->addWidget(lastBackupEdit, 0, 1, 2, 1);
    status->addWidget(gui::MakeLabel(this, "LabCopia", "Kopieer Archief - Geboortegegevens (BASE) "), 2, 0, 1, 2);
    status->addWidget(gui::MakeLabel(this, "LabSalva", "GEGEVENS OPSLAAN"), 3, 0);
    const std::string folder = std::string("in de map ").append(kBackupFolderName).append(" / DatiBase");
    status->addWidget(gui::MakeLabel(this, "LabCartella", folder), 4, 0);
    doneLabel = Coloured(gui::MakeLabel(this, "LabOkDati", "OK"), "blue");
    status->addWidget(doneLabel, 3, 1);
    top->addLayout(status);

    auto* buttons = new QHBoxLayout;
    gui::MakeClickOnlyButtons(this, {{&backupButton, "BBbackup", "Backup"},
                                     {&restoreButton, "BBRestore", "Terugzetten"},
                                     {&closeButton, "BitBtnRitorna", "Sluiten"}});
    restoreButton->setStyleSheet("color: red");
    for (QPushButton* b : {backupButton, restoreButton, closeButton}) buttons->addWidget(b);
    top->addLayout(buttons);

    connect(chooseVolumeButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { OpenVolumeChoice(); }));
    connect(closeVolumeChoiceButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { CloseVolumeChoice(); }));
    connect(volumeBox, QOverload<int>::of(&QComboBox::activated), this,
            gui::Guarded([this](int i) { ChooseVolume(i); }));
    connect(backupButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { BackUp(); }));
    connect(restoreButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { Restore(); }));
    connect(closeButton, &QPushButton::clicked, this, [this](bool) { accept(); });
}

// The hidden choice of the volume, with its warning in red.
void BackupWindow::BuildVolumeChoice(QGridLayout* place) {
    volumePanel = gui::MakeArea(this, "Panel3");
    auto* volumes = new QVBoxLayout(volumePanel);
    const std::tuple<const char*, const char*, const char*> lines[] = {
        {"LabScelta1", "Cliccare il dispositivo di memoria", nullptr},
        {"LabScelta2", "sul quale trascrivere", nullptr},
        {"LabScelta3", "(o da cui richiamare)", nullptr},
        {"LabScelta4", "una copia di sicurezza (Backup)", nullptr},
        {"LabScelta5", "dei dati selezionati", nullptr},
        {"LabErrore1", "Il ricevimento di un messaggio ", "red"},
        {"LabErrore2", "di ERRORE indica la scelta", "red"},
        {"LabErrore3", "di un dispositivo non idoneo", "red"}};
    for (const auto& [name, text, colour] : lines)
        volumes->addWidget(Coloured(gui::MakeLabel(volumePanel, name, text), colour));
    volumeBox = gui::MakeCombo(volumePanel, "DriveComboBox1");
    volumes->addWidget(volumeBox);
    closeVolumeChoiceButton = gui::MakeButton(volumePanel, "BBchiudiScelta", "X");
    volumes->addWidget(closeVolumeChoiceButton);
    volumePanel->hide();
    place->addWidget(volumePanel, 0, 0);
}

// The destination volume and what the copy holds.
void BackupWindow::BuildDestination(QGridLayout* place) {
    destinationPanel = gui::MakeArea(this, "Panel1");
    auto* destination = new QGridLayout(destinationPanel);
    destinationLabel = Coloured(gui::MakeLabel(destinationPanel, "LabDest", "Unit\xE0:"), "blue");
    destinationEdit = gui::MakeReadOnlyEdit(destinationPanel, "EditDest");
    destination->addWidget(destinationLabel, 0, 0);
    destination->addWidget(destinationEdit, 0, 1);
    chooseVolumeHints[0] = gui::MakeLabel(destinationPanel, "LabDef1", "Definieer de schijf die u wilt kopi\xEBren ");
    chooseVolumeHints[1] = gui::MakeLabel(destinationPanel, "LabDef2", "of waarvan u gegevens wilt ophalen");
    destination->addWidget(chooseVolumeHints[0], 1, 0, 1, 2);
    destination->addWidget(chooseVolumeHints[1], 2, 0, 1, 2);
    chooseVolumeButton = gui::MakeButton(destinationPanel, "BBCambiaDest", "Kies Backup eenheid ");
    destination->addWidget(chooseVolumeButton, 3, 0, 1, 2);
    contentsMemo = gui::MakeMemo(destinationPanel, "Memo1", true);
    contentsMemo->setPlainText(
        QString::fromUtf8("De kopie komt in de map ExkelvorBck van de gekozen eenheid: het archief BASE in DatiBase, "
                          "de teksten in BASEtxt."));
    contentsMemo->setMaximumHeight(60);
    destination->addWidget(contentsMemo, 4, 0, 1, 2);
    destination->setRowStretch(5, 1);  // the room the drive list needs more stays below
    place->addWidget(destinationPanel, 0, 0);
}

void BackupWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { ResetDestination(); });
    // Beside a main window low on the screen it would reach below the screen's edge.
    KeepWholeOnScreen(this);
}

void BackupWindow::SetDestinationCaption(const char* text) {
    destinationLabel->setText(gui::ToQt(text));
    destinationLabel->setStyleSheet("color: blue");
}

void BackupWindow::ResetDestination() {
    destinationEdit->setText(gui::ToQt(kNoBackupDestination));
    gui::SetFieldState(destinationEdit, gui::FieldState::Rejected);
    destinationEdit->setText(gui::ToQt(kNoBackupDestination));
    for (QLabel* hint : chooseVolumeHints) hint->show();
    backupDestination = kNoBackupDestination;
    chosenFolder.clear();
    programFolder = fs::current_path();
    lastBackupEdit->setText(gui::ToQt(LastBackupDate(programFolder)));
    doneLabel->hide();
}

void BackupWindow::OpenVolumeChoice() {
    volumeBox->clear();
    for (const gui::Volume& v : gui::System().ListVolumes())
        volumeBox->addItem(QString::fromStdString(v.label), QString::fromStdString(v.root));
    volumePanel->show();
    destinationPanel->hide();
    volumeBox->showPopup();
}

void BackupWindow::CloseVolumeChoice() {
    volumeBox->hidePopup();
    volumePanel->hide();
    destinationPanel->show();
}

void BackupWindow::ChooseVolume(int index) {
    if (index < 0) return;
    fs::path root = volumeBox->itemData(index).toString().toStdString();
    fs::path folder = BackupFolderOn(root);
    std::string shown = rt::Utf8ToCp1252(folder.string());
    std::error_code ec;
    if (!fs::is_directory(root, ec)) {
        destinationEdit->setText(gui::ToQt(shown));
        return;  // not readable: the field stays red
    }
    try {
        // The unit is remembered in the drawing settings file.
        const fs::path cwd = fs::current_path();
        struct Back {
            const fs::path& cwd;
            ~Back() {
                std::error_code e;
                fs::current_path(cwd, e);
            }
        } back{cwd};
        fs::current_path(programFolder);
        WriteBackupDestination(shown, drawSettings_);
    } catch (...) {
        // Refused or failed: the choice closes on the unit the window had.
        CloseVolumeChoice();
        throw;
    }
    gui::SetFieldState(destinationEdit, gui::FieldState::Valid);
    destinationEdit->setText(gui::ToQt(shown));
    for (QLabel* hint : chooseVolumeHints) hint->hide();
    backupDestination = shown;
    chosenFolder = folder;
    volumePanel->hide();
    destinationPanel->show();
}

void BackupWindow::BackUp() {
    SetDestinationCaption("Destinaz.:");
    if (chosenFolder.empty()) {
        gui::ShowMessage("Necessario definire l'Unit\xE0 di backup");
        return;
    }
    std::error_code ec;
    if (!fs::is_directory(chosenFolder.parent_path(), ec)) {
        gui::ShowMessage("L'Unit\xE0 " + rt::Utf8ToCp1252(chosenFolder.parent_path().string()) +
                         " non \xE8 disponibile");
        return;
    }
    // A damaged index is not copied over the backup the user may need to put
    // the archive back.
    if (const IndexCheck index = CheckIndex(kPersonalArchive); !index.problem.empty()) {
        const std::string st1 = ArchiveFileName(kPersonalArchive, ".ST1");
        gui::ShowMessage(rt::DamagedFileMessage(
            {st1, index.problem},
            "Backup non eseguito: la copia di sicurezza gi\xE0 presente nell'unit\xE0 resta com'era. " +
                DamagedArchiveAdvice(st1)));
        return;
    }
    doneLabel->setStyleSheet("color: blue");
    BackupOutcome r = BackupBaseArchive(programFolder, chosenFolder, engine::TodayDateText());
    if (!r.ok) {
        gui::ShowMessage(r.message);
        return;
    }
    doneLabel->show();
    lastBackupEdit->setText(gui::ToQt(LastBackupDate(programFolder)));
}

void BackupWindow::Restore() {
    SetDestinationCaption("Sorgente:");
    if (chosenFolder.empty()) {
        gui::ShowMessage("Necessario definire l'Unit\xE0 di backup");
        SetDestinationCaption("Unit\xE0:");
        return;
    }
    std::error_code ec;
    if (!fs::is_directory(chosenFolder, ec)) {
        gui::ShowMessage("La sorgente " + rt::Utf8ToCp1252(chosenFolder.string()) + " non \xE8 disponibile");
        return;
    }
    doneLabel->hide();
    doneLabel->setStyleSheet("color: red");
    if (gui::ShowMessage("SOSTITUIRE i dati attuali con una COPIA?", "", gui::Buttons::YesNo) != gui::kAnswerYes) {
        SetDestinationCaption("Origine:");
        return;
    }
    BackupOutcome r = RestoreBaseArchive(programFolder, chosenFolder);
    if (!r.ok) {
        gui::ShowMessage(r.message);
        return;
    }
    doneLabel->show();
    SetDestinationCaption("Unit\xE0:");
}

}  // namespace archive
