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

SymptomPlantsWindow::SymptomPlantsWindow() {
    setObjectName("FoSintom2");
    setWindowTitle("Quorim-2");
    SetWindowColour(this, kWindowColour);
    auto* top = new QGridLayout(this);

    auto* left = new QVBoxLayout;
    left->addWidget(gui::MakeLabel(this, "LabSintomi", "SINTOMI"));
    symptomList = new ModelList(this, "ListBox1");
    symptomList->setMinimumWidth(300);
    left->addWidget(symptomList, 1);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(gui::MakeLabel(this, "LabCerca", "Cerca"));
    searchEdit = Tinted(gui::MakeEdit(this, "EditCerca"), kAquaColour);
    searchRow->addWidget(searchEdit);
    left->addLayout(searchRow);
    top->addLayout(left, 0, 0, 2, 1);

    BuildPlantColumn(top);

    auto* buttons = new QHBoxLayout;
    gui::MakeClickOnlyButtons(this, {{&createDatabaseButton, "Button1", "Crea Database"},
                                     {&backButton, "BitBtnRitorna", "&Ritorna al Menu"}});
    createDatabaseButton->setEnabled(false);
    buttons->addWidget(createDatabaseButton);
    buttons->addStretch(1);
    buttons->addWidget(backButton);
    top->addLayout(buttons, 1, 1);
    top->setColumnStretch(1, 1);

    connect(symptomList, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ShowSymptomPlants(); }));
    connect(plantList, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem*) { ShowChosenPlant(); }));
    HandleEditKeys(
        searchEdit, [this](char c) { TypeAhead(c); }, [this] { StartNewKey(); }, [this] { TakeKeyFromBox(); });
    connect(createDatabaseButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { CreateDatabase(); }));
    connect(backButton, &QPushButton::clicked, this, [this] { reject(); });
    resize(1100, 620);
}

// The chosen symptom, its plants with their psychic synthesis, and the
// signatures and authors of the chosen plant.
void SymptomPlantsWindow::BuildPlantColumn(QGridLayout* top) {
    auto* right = new QGridLayout;
    right->addWidget(gui::MakeLabel(this, "LabSintomo", "SINTOMO / DISTURBO"), 0, 0, 1, 2);
    symptomEdit = Tinted(gui::MakeReadOnlyEdit(this, "EdSintomo"), kSilverColour);
    right->addWidget(symptomEdit, 1, 0, 1, 2);
    right->addWidget(gui::MakeLabel(this, "LabPianta", "PIANTA   (clic per attivare segnature)"), 2, 0);
    right->addWidget(gui::MakeLabel(this, "LabSintesi", "Sintesi Psichica"), 2, 1);
    plantList = new ModelList(this, "ListBoxPiante");
    synthesisList = new ModelList(this, "ListBoxSintesi");
    recordNumberList = new ModelList(this, "ListBoxNum");
    recordNumberList->hide();
    referenceEdit = Tinted(gui::MakeReadOnlyEdit(this, "EdAlternativa"), kRedColour);
    referenceEdit->hide();
    right->addWidget(plantList, 3, 0);
    right->addWidget(synthesisList, 3, 1);
    right->addWidget(referenceEdit, 4, 0, 1, 2);
    right->setColumnStretch(0, 1);
    right->setColumnStretch(1, 2);
    // The synthesis lines scroll with the plants beside them.
    connect(plantList->verticalScrollBar(), &QScrollBar::valueChanged, synthesisList->verticalScrollBar(),
            &QScrollBar::setValue);

    auto* fields = new QGridLayout;
    gui::AddLabelledEdits(fields, this,
                          {{&plantEdit, "EdPianta", "Pianta"},
                           {&primarySignatureEdit, "EdSegPri", "Segnatura Primaria"},
                           {&secondarySignatureEdit, "EdSegSec", "Segnatura Secondaria"},
                           {&zodiacalSignatureEdit, "EdSegZod", "Segnatura Zodiacale"},
                           {&authorsEdit, "EdAutori", "Autori (relativam. al sintomo)"}},
                          0);
    for (QLineEdit* e : {plantEdit, primarySignatureEdit, secondarySignatureEdit, zodiacalSignatureEdit, authorsEdit}) {
        e->setReadOnly(true);
        SetBaseColour(e, kSilverColour);
    }
    right->addLayout(fields, 5, 0, 1, 2);
    top->addLayout(right, 0, 1);
}

void SymptomPlantsWindow::FillSymptoms(const std::vector<std::string>& symptoms) { symptomList->SetLines(symptoms); }

bool SymptomPlantsWindow::DatabaseSound() {
    if (DatabasesSound({SignatureDb()}, NothingShownUntilSound("i sintomi", kSignatureSymptomsName))) return true;
    symptomList->Clear();
    ClearPlants();
    return false;
}

void SymptomPlantsWindow::Refresh() {
    symptomList->Clear();
    if (!DatabaseSound()) return;
    if (!rt::PathExists(kSignatureSymptomsName)) return;
    FillSymptoms(ReadNameFile(kSignatureSymptomsName, 100));
    searchEdit->setFocus();
}

void SymptomPlantsWindow::ClearPlants() {
    plantList->Clear();
    recordNumberList->Clear();
    synthesisList->Clear();
    for (QLineEdit* e :
         {primarySignatureEdit, secondarySignatureEdit, zodiacalSignatureEdit, authorsEdit, plantEdit, symptomEdit})
        e->clear();
    referenceEdit->clear();
    referenceEdit->hide();
}

void SymptomPlantsWindow::ShowSymptomPlants() {
    if (!DatabaseSound()) return;
    ClearPlants();

    const SymptomPlants found = FindSymptomPlants(ReadAllSignatureRecords(), symptomList->SelectedLine());
    SetText(symptomEdit, found.symptom);
    for (std::size_t i = 0; i < found.plants.size(); ++i) {
        plantList->AddLine(found.plants[i]);
        synthesisList->AddLine(found.syntheses[i]);
        char number[16];
        std::snprintf(number, sizeof number, "%04lld", static_cast<long long>(found.records[i]));
        recordNumberList->AddLine(number);
    }
    if (found.found) {
        SetText(primarySignatureEdit, found.shown.primarySignature);
        SetText(secondarySignatureEdit, found.shown.secondarySignature);
        SetText(zodiacalSignatureEdit, found.shown.zodiacalSignature);
        SetText(plantEdit, found.shown.plant);
        SetText(authorsEdit, found.shown.authors);
    } else {
        SetText(referenceEdit, found.reference);
        referenceEdit->show();
    }
}

void SymptomPlantsWindow::ShowChosenPlant() {
    const int row = plantList->currentRow();
    if (row < 0 || row >= recordNumberList->Count() || !DatabaseSound()) return;
    ShowSignatureOfRecord(std::stoll(recordNumberList->Lines()[static_cast<std::size_t>(row)]));
}

void SymptomPlantsWindow::ShowSignatureOfRecord(std::int64_t record) {
    const SignatureRecord& r = ReadSignatureRecord(record);
    SetText(plantEdit, r.plant);
    SetText(primarySignatureEdit, r.primarySignature);
    SetText(secondarySignatureEdit, r.secondarySignature);
    SetText(zodiacalSignatureEdit, r.zodiacalSignature);
    SetText(authorsEdit, r.authors);
}

void SymptomPlantsWindow::TypeAhead(char key) {
    if (key == 13) {
        ShowSymptomPlants();
        return;
    }
    ApplyTypeAheadKey(searchKey, key);
    SetText(searchEdit, searchKey);
    searchEdit->setCursorPosition(searchEdit->text().size());
    SeekKey();
}

void SymptomPlantsWindow::TakeKeyFromBox() {
    searchKey = TextOf(searchEdit);
    SeekKey();
}

void SymptomPlantsWindow::SeekKey() {
    // The number of symptoms is that of the list file (a missing file is an error).
    rt::RecordFile f(kSignatureSymptomsName, kSymptomNameRecordSize);
    f.Reset();
    const std::int64_t symptoms = f.FileSize() - 1;
    f.Close();
    const int row =
        PrefixBisect(symptomList->Lines(), static_cast<std::size_t>(std::max<std::int64_t>(symptoms, 0)), searchKey);
    if (row >= 0) symptomList->SelectRow(row);
}

void SymptomPlantsWindow::StartNewKey() {
    searchEdit->clear();
    searchKey.clear();
}

void SymptomPlantsWindow::CreateDatabase() {
    std::vector<std::string> symptoms;
    WithWaitCursor([&] { symptoms = ImportSignatureDatabase(); });
    FillSymptoms(symptoms);
}

}  // namespace remedies
