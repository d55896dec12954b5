#include "archive/backup_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "archive/backup.h"
#include "engine/calendar.h"
#include "platform/gui/field_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/win1252.h"

namespace fs = std::filesystem;

namespace archive {

TFoBakMod1* FoBakMod1 = nullptr;

namespace {
QLabel* Label(QWidget* parent, const char* text, const char* color = nullptr) {
    auto* l = new QLabel(gui::ToQt(text), parent);
    if (color) l->setStyleSheet(QString("color: %1").arg(color));
    return l;
}
}  // namespace

TFoBakMod1::TFoBakMod1(QWidget* parent) : QDialog(parent) {
    setObjectName("FoBakMod1");
    setWindowTitle(gui::ToQt("Back-up / Herstel \"BASE\" Archief"));
    auto* top = new QVBoxLayout(this);

    Panel3 = new QWidget(this);
    Panel3->setObjectName("Panel3");
    auto* p3 = new QVBoxLayout(Panel3);
    for (const char* t : {"Cliccare il dispositivo di memoria", "sul quale trascrivere", "(o da cui richiamare)",
                          "una copia di sicurezza (Backup)", "dei dati selezionati"})
        p3->addWidget(Label(Panel3, t));
    for (const char* t : {"Il ricevimento di un messaggio ", "di ERRORE indica la scelta", "di un dispositivo non idoneo"})
        p3->addWidget(Label(Panel3, t, "red"));
    DriveComboBox1 = new QComboBox(Panel3);
    DriveComboBox1->setObjectName("DriveComboBox1");
    p3->addWidget(DriveComboBox1);
    BBchiudiScelta = new QPushButton("X", Panel3);
    BBchiudiScelta->setObjectName("BBchiudiScelta");
    p3->addWidget(BBchiudiScelta);
    Panel3->hide();
    top->addWidget(Panel3);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    auto* p1 = new QGridLayout(Panel1);
    LabDest = Label(Panel1, "Unit\xE0:", "blue");
    LabDest->setObjectName("LabDest");
    EditDest = new QLineEdit(Panel1);
    EditDest->setObjectName("EditDest");
    EditDest->setReadOnly(true);
    p1->addWidget(LabDest, 0, 0);
    p1->addWidget(EditDest, 0, 1);
    LabDef1 = Label(Panel1, "Definieer de schijf die u wilt kopi\xEBren ");
    LabDef1->setObjectName("LabDef1");
    LabDef2 = Label(Panel1, "of waarvan u gegevens wilt ophalen");
    LabDef2->setObjectName("LabDef2");
    p1->addWidget(LabDef1, 1, 0, 1, 2);
    p1->addWidget(LabDef2, 2, 0, 1, 2);
    BBCambiaDest = new QPushButton("Kies Backup eenheid ", Panel1);
    BBCambiaDest->setObjectName("BBCambiaDest");
    p1->addWidget(BBCambiaDest, 3, 0, 1, 2);
    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setPlainText(QString::fromUtf8(
        "De kopie komt in de map ExkelvorBck van de gekozen eenheid: het archief BASE in DatiBase, "
        "de teksten in BASEtxt."));
    Memo1->setMaximumHeight(60);
    p1->addWidget(Memo1, 4, 0, 1, 2);
    top->addWidget(Panel1);

    auto* status = new QGridLayout;
    status->addWidget(Label(this, "Laatste"), 0, 0);
    status->addWidget(Label(this, "Backup"), 1, 0);
    EditData = new QLineEdit(this);
    EditData->setObjectName("EditData");
    EditData->setReadOnly(true);
    status->addWidget(EditData, 0, 1, 2, 1);
    status->addWidget(Label(this, "Kopieer Archief - Geboortegegevens (BASE) "), 2, 0, 1, 2);
    status->addWidget(Label(this, "GEGEVENS OPSLAAN"), 3, 0);
    status->addWidget(Label(this, "in de map ExkelvirBck / DatiBase"), 4, 0);
    LabOkDati = Label(this, "OK", "blue");
    LabOkDati->setObjectName("LabOkDati");
    status->addWidget(LabOkDati, 3, 1);
    top->addLayout(status);

    auto* buttons = new QHBoxLayout;
    BBbackup = new QPushButton("Backup", this);
    BBbackup->setObjectName("BBbackup");
    BBRestore = new QPushButton("Terugzetten", this);
    BBRestore->setObjectName("BBRestore");
    BBRestore->setStyleSheet("color: red");
    BitBtnRitorna = new QPushButton("Sluiten", this);
    BitBtnRitorna->setObjectName("BitBtnRitorna");
    for (QPushButton* b : {BBbackup, BBRestore, BitBtnRitorna}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    top->addLayout(buttons);

    connect(BBCambiaDest, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBCambiaDestClick(); }));
    connect(BBchiudiScelta, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBchiudiSceltaClick(); }));
    connect(DriveComboBox1, QOverload<int>::of(&QComboBox::activated), this,
            gui::Guarded([this](int i) { DriveComboBox1Click(i); }));
    connect(BBbackup, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBbackupClick(); }));
    connect(BBRestore, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBRestoreClick(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this](bool) { accept(); });
}

void TFoBakMod1::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { FormActivate(); });
}

void TFoBakMod1::SetLabDest(const char* text) {
    LabDest->setText(gui::ToQt(text));
    LabDest->setStyleSheet("color: blue");
}

void TFoBakMod1::FormActivate() {
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

void TFoBakMod1::BBCambiaDestClick() {
    DriveComboBox1->clear();
    for (const gui::Volume& v : gui::System().ListVolumes())
        DriveComboBox1->addItem(QString::fromStdString(v.label), QString::fromStdString(v.root));
    Panel3->show();
    Panel1->hide();
    DriveComboBox1->showPopup();
}

void TFoBakMod1::BBchiudiSceltaClick() {
    DriveComboBox1->hidePopup();
    Panel3->hide();
    Panel1->show();
    adjustSize();  // back to the size without the drive list
}

void TFoBakMod1::DriveComboBox1Click(int index) {
    if (index < 0) return;
    fs::path root = DriveComboBox1->itemData(index).toString().toStdString();
    fs::path folder = BackupFolderOn(root);
    std::string shown = rt::Utf8ToCp1252(folder.string());
    EditDest->setText(gui::ToQt(shown));
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return;  // not readable: the field stays red
    gui::SetFieldState(EditDest, gui::FieldState::Valid);
    EditDest->setText(gui::ToQt(shown));
    LabDef1->hide();
    LabDef2->hide();
    fs::path cwd = fs::current_path();
    fs::current_path(ProgramFolder);
    WriteBackupDestination(shown);
    fs::current_path(cwd);
    BackupDestination = shown;
    ChosenFolder = folder;
    Panel3->hide();
    Panel1->show();
    adjustSize();
}

void TFoBakMod1::BBbackupClick() {
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
    LabOkDati->setStyleSheet("color: blue");
    BackupOutcome r = BackupBaseArchive(ProgramFolder, ChosenFolder, engine::TodayDateText());
    if (!r.ok) {
        gui::ShowMessage(r.message);
        return;
    }
    LabOkDati->show();
    EditData->setText(gui::ToQt(LastBackupDate(ProgramFolder)));
}

void TFoBakMod1::BBRestoreClick() {
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
