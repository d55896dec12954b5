#include "remedies/windows/symptom_plants_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "platform/gui/guard.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "remedies/prefix_bisect.h"
#include "remedies/signature_browse.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

SymptomPlantsWindow* theSymptomPlantsWindow = nullptr;

SymptomPlantsWindow::SymptomPlantsWindow() {
    setObjectName("FoSintom2");
    setWindowTitle("Quorim-2");
    SetWindowColour(this, kWindowColour);
    auto* top = new QGridLayout(this);

    auto* left = new QVBoxLayout;
    left->addWidget(gui::MakeLabel(this, "LabSintomi", "SINTOMI"));
    ListBox1 = new ModelList(this, "ListBox1");
    ListBox1->setMinimumWidth(300);
    left->addWidget(ListBox1, 1);
    auto* cerca = new QHBoxLayout;
    cerca->addWidget(gui::MakeLabel(this, "LabCerca", "Cerca"));
    EditCerca = Tinted(gui::MakeEdit(this, "EditCerca"), kAquaColour);
    cerca->addWidget(EditCerca);
    left->addLayout(cerca);
    top->addLayout(left, 0, 0, 2, 1);

    BuildPlantColumn(top);

    auto* buttons = new QHBoxLayout;
    gui::MakeClickOnlyButtons(this, {{&Button1, "Button1", "Crea Database"},
                                     {&BitBtnRitorna, "BitBtnRitorna", "&Ritorna al Menu"}});
    Button1->setEnabled(false);
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(BitBtnRitorna);
    top->addLayout(buttons, 1, 1);
    top->setColumnStretch(1, 1);

    connect(ListBox1, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ListBox1Click(); }));
    connect(ListBoxPiante, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ListBoxPianteClick(); }));
    HandleEditKeys(
        EditCerca, [this](char c) { EditCercaKeyPress(c); }, [this] { EditCercaClick(); },
        [this] { EditCercaEdited(); });
    connect(Button1, &QPushButton::clicked, this, gui::Guarded([this](bool) { Button1Click(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { reject(); });
    resize(1100, 620);
}

// The chosen symptom, its plants with their psychic synthesis, and the
// signatures and authors of the chosen plant.
void SymptomPlantsWindow::BuildPlantColumn(QGridLayout* top) {
    auto* right = new QGridLayout;
    right->addWidget(gui::MakeLabel(this, "LabSintomo", "SINTOMO / DISTURBO"), 0, 0, 1, 2);
    EdSintomo = Tinted(gui::MakeReadOnlyEdit(this, "EdSintomo"), kSilverColour);
    right->addWidget(EdSintomo, 1, 0, 1, 2);
    right->addWidget(gui::MakeLabel(this, "LabPianta", "PIANTA   (clic per attivare segnature)"), 2, 0);
    right->addWidget(gui::MakeLabel(this, "LabSintesi", "Sintesi Psichica"), 2, 1);
    ListBoxPiante = new ModelList(this, "ListBoxPiante");
    ListBoxSintesi = new ModelList(this, "ListBoxSintesi");
    ListBoxNum = new ModelList(this, "ListBoxNum");
    ListBoxNum->hide();
    EdAlternativa = Tinted(gui::MakeReadOnlyEdit(this, "EdAlternativa"), kRedColour);
    EdAlternativa->hide();
    right->addWidget(ListBoxPiante, 3, 0);
    right->addWidget(ListBoxSintesi, 3, 1);
    right->addWidget(EdAlternativa, 4, 0, 1, 2);
    right->setColumnStretch(0, 1);
    right->setColumnStretch(1, 2);
    // The synthesis lines scroll with the plants beside them.
    connect(ListBoxPiante->verticalScrollBar(), &QScrollBar::valueChanged,
            ListBoxSintesi->verticalScrollBar(), &QScrollBar::setValue);

    auto* fields = new QGridLayout;
    gui::AddLabelledEdits(fields, this,
                          {{&EdPianta, "EdPianta", "Pianta"},
                           {&EdSegPri, "EdSegPri", "Segnatura Primaria"},
                           {&EdSegSec, "EdSegSec", "Segnatura Secondaria"},
                           {&EdSegZod, "EdSegZod", "Segnatura Zodiacale"},
                           {&EdAutori, "EdAutori", "Autori (relativam. al sintomo)"}},
                          0);
    for (QLineEdit* e : {EdPianta, EdSegPri, EdSegSec, EdSegZod, EdAutori}) {
        e->setReadOnly(true);
        SetBaseColour(e, kSilverColour);
    }
    right->addLayout(fields, 5, 0, 1, 2);
    top->addLayout(right, 0, 1);
}

void SymptomPlantsWindow::FillSymptoms(const std::vector<std::string>& symptoms) { ListBox1->SetLines(symptoms); }

bool SymptomPlantsWindow::DatabaseSound() {
    if (DatabasesSound({SignatureDb()}, NothingShownUntilSound("i sintomi", kSignatureSymptomsName))) return true;
    ListBox1->Clear();
    ClearPlants();
    return false;
}

void SymptomPlantsWindow::FormActivate() {
    ListBox1->Clear();
    if (!DatabaseSound()) return;
    if (!rt::PathExists(kSignatureSymptomsName)) return;
    FillSymptoms(ReadNameFile(kSignatureSymptomsName, 100));
    EditCerca->setFocus();
}

void SymptomPlantsWindow::ListBox1Click() { ShowSymptomPlants(); }

void SymptomPlantsWindow::ClearPlants() {
    ListBoxPiante->Clear();
    ListBoxNum->Clear();
    ListBoxSintesi->Clear();
    for (QLineEdit* e : {EdSegPri, EdSegSec, EdSegZod, EdAutori, EdPianta, EdSintomo}) e->clear();
    EdAlternativa->clear();
    EdAlternativa->hide();
}

void SymptomPlantsWindow::ShowSymptomPlants() {
    if (!DatabaseSound()) return;
    ClearPlants();

    const SymptomPlants found = FindSymptomPlants(ReadAllSignatureRecords(), ListBox1->SelectedLine());
    SetText(EdSintomo, found.symptom);
    for (std::size_t i = 0; i < found.plants.size(); ++i) {
        ListBoxPiante->AddLine(found.plants[i]);
        ListBoxSintesi->AddLine(found.syntheses[i]);
        char number[16];
        std::snprintf(number, sizeof number, "%04lld", static_cast<long long>(found.records[i]));
        ListBoxNum->AddLine(number);
    }
    if (found.found) {
        SetText(EdSegPri, found.shown.PrimarySignature);
        SetText(EdSegSec, found.shown.SecondarySignature);
        SetText(EdSegZod, found.shown.ZodiacalSignature);
        SetText(EdPianta, found.shown.Plant);
        SetText(EdAutori, found.shown.Authors);
    } else {
        SetText(EdAlternativa, found.reference);
        EdAlternativa->show();
    }
}

void SymptomPlantsWindow::ListBoxPianteClick() {
    const int row = ListBoxPiante->currentRow();
    if (row < 0 || row >= ListBoxNum->Count() || !DatabaseSound()) return;
    ShowSignatureOfRecord(std::stoll(ListBoxNum->Lines()[static_cast<std::size_t>(row)]));
}

void SymptomPlantsWindow::ShowSignatureOfRecord(std::int64_t record) {
    const SignatureRecord& r = ReadSignatureRecord(record);
    SetText(EdPianta, r.Plant);
    SetText(EdSegPri, r.PrimarySignature);
    SetText(EdSegSec, r.SecondarySignature);
    SetText(EdSegZod, r.ZodiacalSignature);
    SetText(EdAutori, r.Authors);
}

void SymptomPlantsWindow::EditCercaKeyPress(char key) {
    if (key == 13) {
        ShowSymptomPlants();
        return;
    }
    ApplyTypeAheadKey(SearchKey, key);
    SetText(EditCerca, SearchKey);
    EditCerca->setCursorPosition(EditCerca->text().size());
    SeekKey();
}

void SymptomPlantsWindow::EditCercaEdited() {
    SearchKey = TextOf(EditCerca);
    SeekKey();
}

void SymptomPlantsWindow::SeekKey() {
    // The number of symptoms is that of the list file (a missing file is an error).
    rt::RecordFile f(kSignatureSymptomsName, kSymptomNameRecordSize);
    f.Reset();
    const std::int64_t symptoms = f.FileSize() - 1;
    f.Close();
    const int row = PrefixBisect(ListBox1->Lines(), static_cast<std::size_t>(std::max<std::int64_t>(symptoms, 0)),
                                 SearchKey);
    if (row >= 0) ListBox1->SelectRow(row);
}

void SymptomPlantsWindow::EditCercaClick() {
    EditCerca->clear();
    SearchKey.clear();
}

void SymptomPlantsWindow::Button1Click() {
    std::vector<std::string> symptoms;
    WithWaitCursor([&] { symptoms = ImportSignatureDatabase(); });
    FillSymptoms(symptoms);
}

}  // namespace remedies
