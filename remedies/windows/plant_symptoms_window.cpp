#include "remedies/windows/plant_symptoms_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/gui/widgets.h"
#include "platform/gui/guard.h"
#include "platform/runtime/paths.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

PlantSymptomsWindow* thePlantSymptomsWindow = nullptr;

PlantSymptomsWindow::PlantSymptomsWindow() {
    setObjectName("FoSintom3");
    setWindowTitle("Quorim-1");
    SetWindowColour(this, kWindowColour);
    auto* top = new QGridLayout(this);

    auto* left = new QVBoxLayout;
    left->addWidget(gui::MakeLabel(this, "LabPiante", "PIANTE"));
    ListBox1 = new ModelList(this, "ListBox1");
    ListBox1->setMaximumWidth(220);
    left->addWidget(ListBox1, 1);
    top->addLayout(left, 0, 0, 3, 1);
    BuildPlantFields(top);
    BuildSymptomPages(top);

    auto* bottom = new QHBoxLayout;
    const gui::SpinButtonParts spin = gui::MakeSpinButton(this, "SpinButton1");
    SpinButton1 = spin.box;
    SpinButton1Up = spin.up;
    SpinButton1Down = spin.down;
    SpinButton1->hide();
    LabPagine = gui::MakeLabel(this, "LabPagine", "");
    LabPagine->hide();
    gui::MakeClickOnlyButtons(this, {{&Button1, "Button1", "Crea Elenchi"},
                                     {&BitBtnRitorna, "BitBtnRitorna", "&Ritorna al Menu"}});
    Button1->setEnabled(false);
    bottom->addWidget(SpinButton1);
    bottom->addWidget(LabPagine);
    bottom->addStretch(1);
    bottom->addWidget(Button1);
    bottom->addWidget(BitBtnRitorna);
    top->addLayout(bottom, 2, 1);
    top->setColumnStretch(1, 1);

    ShowPagePair(1);
    connect(ListBox1, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ListBox1Click(); }));
    connect(SpinButton1Down, &QToolButton::clicked, this,
            gui::Guarded([this](bool) { SpinButton1DownClick(); }));
    connect(SpinButton1Up, &QToolButton::clicked, this,
            gui::Guarded([this](bool) { SpinButton1UpClick(); }));
    connect(Button1, &QPushButton::clicked, this, gui::Guarded([this](bool) { Button1Click(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { reject(); });
    resize(1150, 640);
}

// The chosen plant's signatures and psychic synthesis, two pairs a row.
void PlantSymptomsWindow::BuildPlantFields(QGridLayout* top) {
    auto* fields = new QGridLayout;
    const std::tuple<gui::LabelledEditRow, int, int> rows[] = {
        {{&EdPianta, "EdPianta", "Pianta"}, 0, 0},
        {{&EdSegPri, "EdSegPri", "Segnatura Primaria"}, 0, 2},
        {{&EdSegSec, "EdSegSec", "Segnatura Secondaria"}, 1, 0},
        {{&EdSegZod, "EdSegZod", "Segnatura Zodiacale"}, 1, 2}};
    for (const auto& [row, gridRow, column] : rows) gui::AddLabelledEdit(fields, this, row, gridRow, column);
    gui::AddLabelledEdit(fields, this, {&EdSintesi, "EdSintesi", "Sintesi Psichica"}, 2, 0, 3);
    for (QLineEdit* e : {EdPianta, EdSegPri, EdSegSec, EdSegZod, EdSintesi}) {
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
        connect(symptomLists_[p]->verticalScrollBar(), &QScrollBar::valueChanged,
                authorLists_[p]->verticalScrollBar(), &QScrollBar::setValue);
    }
    pages->setColumnStretch(0, 3);
    pages->setColumnStretch(1, 2);
    ListBoxSintomi = symptomLists_[0];
    ListBoxAutori = authorLists_[0];
    ListBoxSintomiBis = symptomLists_[1];
    ListBoxAutoriBis = authorLists_[1];
    ListBoxSintomiTer = symptomLists_[2];
    ListBoxAutoriTer = authorLists_[2];
    ListBoxSintomiQua = symptomLists_[3];
    ListBoxAutoriQua = authorLists_[3];
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
    ListBox1->Clear();
    ClearPlantPages();
    SpinButton1->hide();
    LabPagine->hide();
    return false;
}

void PlantSymptomsWindow::FormActivate() {
    if (!DatabaseSound()) return;
    if (rt::PathExists(kPlantNamesName)) ListBox1->SetLines(ReadNameFile(kPlantNamesName, 20));
    ShowPagePair(1);
}

void PlantSymptomsWindow::ClearPlantPages() {
    PlantPageCount = 1;
    PlantPageNumber = 1;
    for (int p = 1; p <= kPlantPages; ++p) {
        SymptomList(p)->Clear();
        AuthorList(p)->Clear();
    }
    for (QLineEdit* e : {EdPianta, EdSegPri, EdSegSec, EdSegZod, EdSintesi}) e->clear();
    ShowPagePair(1);
}

void PlantSymptomsWindow::ListBox1Click() {
    if (!DatabaseSound()) return;
    ClearPlantPages();

    const PlantSymptoms found = FindPlantSymptoms(ReadAllSignatureRecords(), ListBox1->SelectedLine());
    SetText(EdPianta, found.plant);
    if (found.found) {
        SetText(EdSegPri, found.shown.PrimarySignature);
        SetText(EdSegSec, found.shown.SecondarySignature);
        SetText(EdSegZod, found.shown.ZodiacalSignature);
        SetText(EdSintesi, found.shown.Synthesis);
    }
    for (int p = 1; p <= kPlantPages; ++p) {
        SymptomList(p)->SetLines(found.symptoms[static_cast<std::size_t>(p - 1)]);
        AuthorList(p)->SetLines(found.authors[static_cast<std::size_t>(p - 1)]);
    }
    PlantPageCount = found.pageCount;
    const bool paged = PlantPageCount >= 2;
    SpinButton1->setVisible(paged);
    LabPagine->setVisible(paged);
    SetText(LabPagine, PlantPageLabel(PlantPageNumber, PlantPageCount));
}

void PlantSymptomsWindow::SpinButton1DownClick() {
    if (PlantPageNumber >= PlantPageCount) return;
    ++PlantPageNumber;
    ShowPagePair(PlantPageNumber);
    SetText(LabPagine, PlantPageLabel(PlantPageNumber, PlantPageCount));
}

void PlantSymptomsWindow::SpinButton1UpClick() {
    if (PlantPageNumber <= 1) return;
    --PlantPageNumber;
    ShowPagePair(PlantPageNumber);
    SetText(LabPagine, PlantPageLabel(PlantPageNumber, PlantPageCount));
}

void PlantSymptomsWindow::Button1Click() {
    std::vector<std::string> last;
    WithWaitCursor([&] { last = BuildSignatureLists(); });
    ListBox1->SetLines(last);
}

}  // namespace remedies
