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

BackupWindow* theBackupWindow = nullptr;

namespace {

// A label in its colour (none: the window's own).
QLabel* Coloured(QLabel* label, const char* colour) {
    if (colour) label->setStyleSheet(QString("color: %1").arg(colour));
    return label;
}

}  // namespace

BackupWindow::BackupWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("FoBakMod1");
    setWindowTitle(gui::ToQt("Back-up / Herstel \"BASE\" Archief"));
    auto* top = new QVBoxLayout(this);
    // The drive list and the destination take turns in one place that keeps
    // the size of the larger, so the window does not grow when the list opens.
    auto* choice = new QGridLayout;
    BuildVolumeChoice(choice);
    BuildDestination(choice);
    for (QWidget* panel : {Panel3, Panel1}) {
        QSizePolicy policy = panel->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        panel->setSizePolicy(policy);
    }
    top->addLayout(choice);

    auto* status = new QGridLayout;
    status->addWidget(gui::MakeLabel(this, "LabUltimo", "Laatste"), 0, 0);
    status->addWidget(gui::MakeLabel(this, "LabBackup", "Backup"), 1, 0);
    EditData = gui::MakeReadOnlyEdit(this, "EditData");
    status->addWidget(EditData, 0, 1, 2, 1);
    status->addWidget(gui::MakeLabel(this, "LabCopia", "Kopieer Archief - Geboortegegevens (BASE) "), 2, 0, 1, 2);
    status->addWidget(gui::MakeLabel(this, "LabSalva", "GEGEVENS OPSLAAN"), 3, 0);
    const std::string folder = std::string("in de map ").append(kBackupFolderName).append(" / DatiBase");
    status->addWidget(gui::MakeLabel(this, "LabCartella", folder), 4, 0);
    LabOkDati = Coloured(gui::MakeLabel(this, "LabOkDati", "OK"), "blue");
    status->addWidget(LabOkDati, 3, 1);
    top->addLayout(status);

    auto* buttons = new QHBoxLayout;
    gui::MakeClickOnlyButtons(this, {{&BBbackup, "BBbackup", "Backup"},
                                     {&BBRestore, "BBRestore", "Terugzetten"},
                                     {&BitBtnRitorna, "BitBtnRitorna", "Sluiten"}});
    BBRestore->setStyleSheet("color: red");
    for (QPushButton* b : {BBbackup, BBRestore, BitBtnRitorna}) buttons->addWidget(b);
    top->addLayout(buttons);

    connect(BBCambiaDest, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBCambiaDestClick(); }));
    connect(BBchiudiScelta, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBchiudiSceltaClick(); }));
    connect(DriveComboBox1, QOverload<int>::of(&QComboBox::activated), this,
            gui::Guarded([this](int i) { DriveComboBox1Click(i); }));
    connect(BBbackup, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBbackupClick(); }));
    connect(BBRestore, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBRestoreClick(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this](bool) { accept(); });
}

// The hidden choice of the volume, with its warning in red.
void BackupWindow::BuildVolumeChoice(QGridLayout* place) {
    Panel3 = gui::MakeArea(this, "Panel3");
    auto* p3 = new QVBoxLayout(Panel3);
    const std::tuple<const char*, const char*, const char*> lines[] = {
        {"LabScelta1", "Cliccare il dispositivo di memoria", nullptr},
        {"LabScelta2", "sul quale trascrivere", nullptr},
        {"LabScelta3", "(o da cui richiamare)", nullptr},
        {"LabScelta4", "una copia di sicurezza (Backup)", nullptr},
        {"LabScelta5", "dei dati selezionati", nullptr},
        {"LabErrore1", "Il ricevimento di un messaggio ", "red"},
        {"LabErrore2", "di ERRORE indica la scelta", "red"},
        {"LabErrore3", "di un dispositivo non idoneo", "red"}};
    for (const auto& [name, text, colour] : lines) p3->addWidget(Coloured(gui::MakeLabel(Panel3, name, text), colour));
    DriveComboBox1 = gui::MakeCombo(Panel3, "DriveComboBox1");
    p3->addWidget(DriveComboBox1);
    BBchiudiScelta = gui::MakeButton(Panel3, "BBchiudiScelta", "X");
    p3->addWidget(BBchiudiScelta);
    Panel3->hide();
    place->addWidget(Panel3, 0, 0);
}

// The destination volume and what the copy holds.
void BackupWindow::BuildDestination(QGridLayout* place) {
    Panel1 = gui::MakeArea(this, "Panel1");
    auto* p1 = new QGridLayout(Panel1);
    LabDest = Coloured(gui::MakeLabel(Panel1, "LabDest", "Unit\xE0:"), "blue");
    EditDest = gui::MakeReadOnlyEdit(Panel1, "EditDest");
    p1->addWidget(LabDest, 0, 0);
    p1->addWidget(EditDest, 0, 1);
    LabDef1 = gui::MakeLabel(Panel1, "LabDef1", "Definieer de schijf die u wilt kopi\xEBren ");
    LabDef2 = gui::MakeLabel(Panel1, "LabDef2", "of waarvan u gegevens wilt ophalen");
    p1->addWidget(LabDef1, 1, 0, 1, 2);
    p1->addWidget(LabDef2, 2, 0, 1, 2);
    BBCambiaDest = gui::MakeButton(Panel1, "BBCambiaDest", "Kies Backup eenheid ");
    p1->addWidget(BBCambiaDest, 3, 0, 1, 2);
    Memo1 = gui::MakeMemo(Panel1, "Memo1", true);
    Memo1->setPlainText(QString::fromUtf8(
        "De kopie komt in de map ExkelvorBck van de gekozen eenheid: het archief BASE in DatiBase, "
        "de teksten in BASEtxt."));
    Memo1->setMaximumHeight(60);
    p1->addWidget(Memo1, 4, 0, 1, 2);
    p1->setRowStretch(5, 1);  // the room the drive list needs more stays below
    place->addWidget(Panel1, 0, 0);
}

void BackupWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { FormActivate(); });
    // Beside a main window low on the screen it would reach below the screen's edge.
    KeepWholeOnScreen(this);
}

void BackupWindow::SetLabDest(const char* text) {
    LabDest->setText(gui::ToQt(text));
    LabDest->setStyleSheet("color: blue");
}

void BackupWindow::FormActivate() {
    EditDest->setText(gui::ToQt(kNoBackupDestination));
    gui::SetFieldState(EditDest, gui::FieldState::Rejected);
    EditDest->setText(gui::ToQt(kNoBackupDestination));
    LabDef1->show();
    LabDef2->show();
    BackupDestination = kNoBackupDestination;
    ChosenFolder.clear();
    ProgramFolder = fs::current_path();
    EditData->setText(gui::ToQt(LastBackupDate(ProgramFolder)));
    LabOkDati->hide();
}

void BackupWindow::BBCambiaDestClick() {
    DriveComboBox1->clear();
    for (const gui::Volume& v : gui::System().ListVolumes())
        DriveComboBox1->addItem(QString::fromStdString(v.label), QString::fromStdString(v.root));
    Panel3->show();
    Panel1->hide();
    DriveComboBox1->showPopup();
}

void BackupWindow::BBchiudiSceltaClick() {
    DriveComboBox1->hidePopup();
    Panel3->hide();
    Panel1->show();
}

void BackupWindow::DriveComboBox1Click(int index) {
    if (index < 0) return;
    fs::path root = DriveComboBox1->itemData(index).toString().toStdString();
    fs::path folder = BackupFolderOn(root);
    std::string shown = rt::Utf8ToCp1252(folder.string());
    std::error_code ec;
    if (!fs::is_directory(root, ec)) {
        EditDest->setText(gui::ToQt(shown));
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
        fs::current_path(ProgramFolder);
        WriteBackupDestination(shown);
    } catch (...) {
        // Refused or failed: the choice closes on the unit the window had.
        BBchiudiSceltaClick();
        throw;
    }
    gui::SetFieldState(EditDest, gui::FieldState::Valid);
    EditDest->setText(gui::ToQt(shown));
    LabDef1->hide();
    LabDef2->hide();
    BackupDestination = shown;
    ChosenFolder = folder;
    Panel3->hide();
    Panel1->show();
}

void BackupWindow::BBbackupClick() {
    SetLabDest("Destinaz.:");
    if (ChosenFolder.empty()) {
        gui::ShowMessage("Necessario definire l'Unit\xE0 di backup");
        return;
    }
    std::error_code ec;
    if (!fs::is_directory(ChosenFolder.parent_path(), ec)) {
        gui::ShowMessage("L'Unit\xE0 " + rt::Utf8ToCp1252(ChosenFolder.parent_path().string()) + " non \xE8 disponibile");
        return;
    }
    // A damaged index is not copied over the backup the user may need to put
    // the archive back.
    if (const IndexCheck index = CheckIndex(kPersonalArchive); !index.problem.empty()) {
        const std::string st1 = ArchiveFileName(kPersonalArchive, ".ST1");
        gui::ShowMessage(rt::DamagedFileMessage(
            st1, index.problem,
            "Backup non eseguito: la copia di sicurezza gi\xE0 presente nell'unit\xE0 resta com'era. " +
                DamagedArchiveAdvice(st1)));
        return;
    }
    LabOkDati->setStyleSheet("color: blue");
    BackupOutcome r = BackupBaseArchive(ProgramFolder, ChosenFolder, engine::TodayDateText());
    if (!r.ok) {
        gui::ShowMessage(r.message);
        return;
    }
    LabOkDati->show();
    EditData->setText(gui::ToQt(LastBackupDate(ProgramFolder)));
}

void BackupWindow::BBRestoreClick() {
    SetLabDest("Sorgente:");
    if (ChosenFolder.empty()) {
        gui::ShowMessage("Necessario definire l'Unit\xE0 di backup");
        SetLabDest("Unit\xE0:");
        return;
    }
    std::error_code ec;
    if (!fs::is_directory(ChosenFolder, ec)) {
        gui::ShowMessage("La sorgente " + rt::Utf8ToCp1252(ChosenFolder.string()) + " non \xE8 disponibile");
        return;
    }
    LabOkDati->hide();
    LabOkDati->setStyleSheet("color: red");
    if (gui::ShowMessage("SOSTITUIRE i dati attuali con una COPIA?", "", gui::Buttons::YesNo) != gui::AnswerYes) {
        SetLabDest("Origine:");
        return;
    }
    BackupOutcome r = RestoreBaseArchive(ProgramFolder, ChosenFolder);
    if (!r.ok) {
        gui::ShowMessage(r.message);
        return;
    }
    LabOkDati->show();
    SetLabDest("Unit\xE0:");
}

}  // namespace archive
