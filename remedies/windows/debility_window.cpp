#include "remedies/windows/debility_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/gui/guard.h"
#include "platform/gui/widgets.h"
#include "remedies/debility_search.h"
#include "remedies/signature_search.h"
#include "remedies/windows/signature_panels.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

namespace {

// The sign choice of the radio at `radio` in the panel: the twelve signs, then any sign.
const DebilitySign& DebilitySignOfRadio(std::size_t radio) {
    return radio < engine::kSigns.size() ? kDebilitySigns[engine::kSigns[radio]] : kAnyDebilitySign;
}

}  // namespace

DebilityWindow::DebilityWindow() {
    setObjectName("FoMali");
    setWindowTitle("ASTROLOGISCHE DEBILITEIT / PATHOLOGIEN");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetWindowColour(this, kWindowColour);
    auto* top = new QGridLayout(this);

    helpMemo = NoteMemo(gui::MakeMemo(this, "MemoZoom", true), kMemoColour);
    helpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetText(helpMemo,
            "Kruis hieronder de verzwakte Planeet en Sterrenbeeld aan en klik vervolgens op [Start "
            "Zoeken Pathologie].\n"
            "In tabel 1) verschijnt de lijst van pathologie\xEBn die gelinkt kunnen worden aan die "
            "combinatie Planeet/Sterrenbeeld.\n"
            "Klik op een item van lijst 1) om lijst 2) te verkrijgen met de remedies waarmee die "
            "pathologie behandeld kan worden. \n"
            "Opgelet: Enkel de remedies die aangeduid worden met >>>   <<< komen overeen met de "
            "opgegeven astrologische \nsignatuur.");
    helpMemo->setFixedHeight(110);
    top->addWidget(helpMemo, 0, 0, 1, 3);
    top->addLayout(BuildDebilityChoice(), 1, 0);

    // The two lists, each under its number and title.
    const std::tuple<ModelList**, const char*, const char*, const char*, int> lists[] = {
        {&pathologyList, "ListBox2", "1)", "Pathologies", 1}, {&remedyList, "ListBox3", "2)", "Remedies", 2}};
    for (const auto& [slot, name, number, title, column] : lists) {
        auto* box = new QVBoxLayout;
        auto* head = new QHBoxLayout;
        head->addWidget(gui::MakeLabel(this, (std::string("LabNumero") + name).c_str(), number));
        head->addWidget(gui::MakeLabel(this, (std::string("LabTitolo") + name).c_str(), title), 1);
        box->addLayout(head);
        *slot = new ModelList(this, name);
        box->addWidget(*slot, 1);
        top->addLayout(box, 1, column);
    }
    hiddenList = new ModelList(this, "ListBox1");
    hiddenList->hide();

    backButton = gui::MakeClickOnlyButton(this, "BitBtnRitorna", "&Terug naar menu");
    top->addWidget(backButton, 2, 2, Qt::AlignRight);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(2, 1);
    top->setRowStretch(1, 1);

    for (auto* r : planetRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { ReadDebilityRadios(); }));
    for (auto* r : signRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { ReadDebilityRadios(); }));
    connect(searchButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { SearchPathologies(); }));
    connect(pathologyList, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ShowPathologyRemedies(); }));
    connect(backButton, &QPushButton::clicked, this, [this] { reject(); });
    resize(1100, 680);
}

// The weakened planet and sign, the search and what it found.
QVBoxLayout* DebilityWindow::BuildDebilityChoice() {
    planetPanel = gui::MakeRadioGroup(this, "PanPianeti", "Verzwakte Planeten", kPlanetRadios, 99, planetRadios);
    std::vector<gui::RadioRow> signs;
    for (const auto& s : kDebilitySigns) signs.push_back({s.radioName, s.shown});
    signs.push_back({kAnyDebilitySign.radioName, kAnyDebilitySign.shown});
    signPanel = gui::MakeRadioGroup(this, "PanSegni", "Verzwakt Teken", signs, 99, signRadios);
    for (QRadioButton* any : {planetRadios.back(), signRadios.back()}) any->setChecked(true);
    auto* panels = new QHBoxLayout;
    panels->addWidget(planetPanel);
    panels->addWidget(signPanel);
    auto* left = new QVBoxLayout;
    left->addLayout(panels);
    auto* words = new QHBoxLayout;
    words->addWidget(gui::MakeLabel(this, "LabDebolezza", "met zwakte"));
    planetEdit = Tinted(gui::MakeReadOnlyEdit(this, "EdPianeta"), kSilverColour);
    signEdit = Tinted(gui::MakeReadOnlyEdit(this, "EdSegno"), kSilverColour);
    SetText(planetEdit, planetWord);
    SetText(signEdit, shownSign);
    words->addWidget(planetEdit);
    words->addWidget(signEdit);
    left->addLayout(words);
    searchButton = gui::MakeClickOnlyButton(this, "BBRicerca", "Zoektocht pathologie\xEBn begint");
    left->addWidget(searchButton);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(gui::MakeLabel(this, "LabTrovate", "gevonden "));
    foundCountEdit = Tinted(gui::MakeReadOnlyEdit(this, "EdTot"), kSilverColour);
    foundCountEdit->setText("0");
    countRow->addWidget(foundCountEdit);
    left->addLayout(countRow);
    left->addStretch(1);
    return left;
}

bool DebilityWindow::DatabasesSound() {
    if (!remedies::DatabasesSound({PrimaryDb(), RepertoryDb()},
                                  NothingShownUntilSound("n\xE9 patologie n\xE9 rimedi"))) {
        ReleaseRecords();
        for (ModelList* list : {hiddenList, pathologyList, remedyList}) list->Clear();
        foundCountEdit->clear();  // no count, as if a search had found nothing
        return false;
    }
    if (!read_) {
        primary_ = ReadPrimaryFile();
        therapies_ = ReadRepertoryFile();
        read_ = true;
    }
    return true;
}

void DebilityWindow::Refresh() {
    ReleaseRecords();
    DatabasesSound();
}

void DebilityWindow::ReleaseRecords() {
    primary_.clear();
    therapies_.clear();
    read_ = false;
}

void DebilityWindow::ReadDebilityRadios() {
    for (std::size_t i = 0; i < planetRadios.size(); ++i)
        if (planetRadios[i]->isChecked()) planetWord = kPlanetRadios[i].caption;
    for (std::size_t i = 0; i < signRadios.size(); ++i)
        if (signRadios[i]->isChecked()) {
            shownSign = DebilitySignOfRadio(i).shown;
            searchedSign = DebilitySignOfRadio(i).searched;
        }
    SetText(planetEdit, planetWord);
    SetText(signEdit, shownSign);
}

void DebilityWindow::SearchPathologies() {
    if (!DatabasesSound()) return;
    WithWaitCursor([&] {
        hiddenList->Clear();
        pathologyList->Clear();
        remedyList->Clear();
        ReadDebilityRadios();
        pathologyList->SetLines(DebilityPathologies(primary_, therapies_, planetWord, searchedSign));
        foundCountEdit->setText(QString::number(pathologyList->Count()));
    });
}

void DebilityWindow::ShowPathologyRemedies() {
    const std::string pathology = pathologyList->SelectedLine();
    if (pathology.empty() || !DatabasesSound()) return;
    WithWaitCursor([&] {
        remedyList->SetLines(DebilityRemedies(primary_, therapies_, {pathology, planetWord, searchedSign}));
    });
}

}  // namespace remedies
