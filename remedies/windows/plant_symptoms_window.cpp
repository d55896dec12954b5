#include "remedies/windows/plant_symptoms_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/gui/guard.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/paths.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

PlantSymptomsWindow::PlantSymptomsWindow() {
    setObjectName("FoSintom3");
    setWindowTitle("Quorim-1");
    SetWindowColour(this, kWindowColour);
    auto* top = new QGridLayout(this);

    auto* left = new QVBoxLayout;
    left->addWidget(gui::MakeLabel(this, "LabPiante", "PIANTE"));
    plantList = new ModelList(this, "ListBox1");
    plantList->setMaximumWidth(220);
    left->addWidget(plantList, 1);
    top->addLayout(left, 0, 0, 3, 1);
    BuildPlantFields(top);
    BuildSymptomPages(top);

    auto* bottom = new QHBoxLayout;
    const gui::SpinArrows spin = gui::MakeSpinButton(this, "SpinButton1");
    pageSpin = spin.box;
    previousPageButton = spin.up;
    nextPageButton = spin.down;
    pageSpin->hide();
    pageLabel = gui::MakeLabel(this, "LabPagine", "");
    pageLabel->hide();
    gui::MakeClickOnlyButtons(this, {{&createListsButton, "Button1", "Crea Elenchi"},
                                     {&backButton, "BitBtnRitorna", "&Ritorna al Menu"}});
    createListsButton->setEnabled(false);
    bottom->addWidget(pageSpin);
    bottom->addWidget(pageLabel);
    bottom->addStretch(1);
    bottom->addWidget(createListsButton);
    bottom->addWidget(backButton);
    top->addLayout(bottom, 2, 1);
    top->setColumnStretch(1, 1);

    ShowPagePair(1);
    connect(plantList, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem*) { ShowChosenPlant(); }));
    connect(nextPageButton, &QToolButton::clicked, this, gui::Guarded([this](bool) { NextPage(); }));
    connect(previousPageButton, &QToolButton::clicked, this, gui::Guarded([this](bool) { PreviousPage(); }));
    connect(createListsButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { CreateLists(); }));
    connect(backButton, &QPushButton::clicked, this, [this] { reject(); });
    resize(1150, 640);
}

// The chosen plant's signatures and psychic synthesis, two pairs a row.
void PlantSymptomsWindow::BuildPlantFields(QGridLayout* top) {
    auto* fields = new QGridLayout;
    const std::tuple<gui::LabelledEditRow, int, int> rows[] = {
        {{&plantEdit, "EdPianta", "Pianta"}, 0, 0},
        {{&primarySignatureEdit, "EdSegPri", "Segnatura Primaria"}, 0, 2},
        {{&secondarySignatureEdit, "EdSegSec", "Segnatura Secondaria"}, 1, 0},
        {{&zodiacalSignatureEdit, "EdSegZod", "Segnatura Zodiacale"}, 1, 2}};
    for (const auto& [row, gridRow, column] : rows) gui::AddLabelledEdit(fields, this, row, gridRow, {column});
    gui::AddLabelledEdit(fields, this, {&synthesisEdit, "EdSintesi", "Sintesi Psichica"}, 2, {0, 3});
    for (QLineEdit* e :
         {plantEdit, primarySignatureEdit, secondarySignatureEdit, zodiacalSignatureEdit, synthesisEdit}) {
        e->setReadOnly(true);
        SetBaseColour(e, kSilverColour);
    }
    top->addLayout(fields, 0, 1);
}

// The four pages of symptoms with their authors, one shown at a time; each
// author list scrolls with its symptoms.
void PlantSymptomsWindow::BuildSymptomPages(QGridLayout* top) {
    auto* pages = new QGridLayout;
    pages->addWidget(gui::MakeLabel(this, "LabSintomo", "Sintomo"), 0, 0);
    pages->addWidget(gui::MakeLabel(this, "LabAutore", "Autore"), 0, 1);
    const char* names[kPlantPages][2] = {{"ListBoxSintomi", "ListBoxAutori"},
                                         {"ListBoxSintomiBis", "ListBoxAutoriBis"},
                                         {"ListBoxSintomiTer", "ListBoxAutoriTer"},
                                         {"ListBoxSintomiQua", "ListBoxAutoriQua"}};
    for (int p = 0; p < kPlantPages; ++p) {
        symptomLists_[p] = new ModelList(this, names[p][0]);
        authorLists_[p] = new ModelList(this, names[p][1]);
        pages->addWidget(symptomLists_[p], 1, 0);
        pages->addWidget(authorLists_[p], 1, 1);
        connect(symptomLists_[p]->verticalScrollBar(), &QScrollBar::valueChanged, authorLists_[p]->verticalScrollBar(),
                &QScrollBar::setValue);
    }
    pages->setColumnStretch(0, 3);
    pages->setColumnStretch(1, 2);
    top->addLayout(pages, 1, 1);
}

void PlantSymptomsWindow::ShowPagePair(int page) {
    for (int p = 1; p <= kPlantPages; ++p) {
        SymptomList(p)->setVisible(p == page);
        AuthorList(p)->setVisible(p == page);
    }
}

bool PlantSymptomsWindow::DatabaseSound() {
    if (DatabasesSound({SignatureDb()}, NothingShownUntilSound("le piante", kPlantNamesName))) return true;
    plantList->Clear();
    ClearPlantPages();
    pageSpin->hide();
    pageLabel->hide();
    return false;
}

void PlantSymptomsWindow::Refresh() {
    if (!DatabaseSound()) return;
    if (rt::PathExists(kPlantNamesName)) plantList->SetLines(ReadNameFile(kPlantNamesName, 20));
    ShowPagePair(1);
}

void PlantSymptomsWindow::ClearPlantPages() {
    plantPageCount = 1;
    plantPageNumber = 1;
    for (int p = 1; p <= kPlantPages; ++p) {
        SymptomList(p)->Clear();
        AuthorList(p)->Clear();
    }
    for (QLineEdit* e : {plantEdit, primarySignatureEdit, secondarySignatureEdit, zodiacalSignatureEdit, synthesisEdit})
        e->clear();
    ShowPagePair(1);
}

void PlantSymptomsWindow::ShowChosenPlant() {
    if (!DatabaseSound()) return;
    ClearPlantPages();

    const PlantSymptoms found = FindPlantSymptoms(ReadAllSignatureRecords(), plantList->SelectedLine());
    SetText(plantEdit, found.plant);
    if (found.found) {
        SetText(primarySignatureEdit, found.shown.primarySignature);
        SetText(secondarySignatureEdit, found.shown.secondarySignature);
        SetText(zodiacalSignatureEdit, found.shown.zodiacalSignature);
        SetText(synthesisEdit, found.shown.synthesis);
    }
    for (int p = 1; p <= kPlantPages; ++p) {
        SymptomList(p)->SetLines(found.symptoms[static_cast<std::size_t>(p - 1)]);
        AuthorList(p)->SetLines(found.authors[static_cast<std::size_t>(p - 1)]);
    }
    plantPageCount = found.pageCount;
    const bool paged = plantPageCount >= 2;
    pageSpin->setVisible(paged);
    pageLabel->setVisible(paged);
    SetText(pageLabel, PlantPageLabel(plantPageNumber, plantPageCount));
}

void PlantSymptomsWindow::NextPage() {
    if (plantPageNumber >= plantPageCount) return;
    ++plantPageNumber;
    ShowPagePair(plantPageNumber);
    SetText(pageLabel, PlantPageLabel(plantPageNumber, plantPageCount));
}

void PlantSymptomsWindow::PreviousPage() {
    if (plantPageNumber <= 1) return;
    --plantPageNumber;
    ShowPagePair(plantPageNumber);
    SetText(pageLabel, PlantPageLabel(plantPageNumber, plantPageCount));
}

void PlantSymptomsWindow::CreateLists() {
    std::vector<std::string> last;
    WithWaitCursor([&] { last = BuildSignatureLists(); });
    plantList->SetLines(last);
}

}  // namespace remedies
