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

DebilityWindow* theDebilityWindow = nullptr;

DebilityWindow::DebilityWindow() {
    setObjectName("FoMali");
    setWindowTitle("ASTROLOGISCHE DEBILITEIT / PATHOLOGIEN");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetWindowColour(this, kWindowColour);
    auto* top = new QGridLayout(this);

    MemoZoom = NoteMemo(gui::MakeMemo(this, "MemoZoom", true), kMemoColour);
    MemoZoom->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetText(MemoZoom,
            "Kruis hieronder de verzwakte Planeet en Sterrenbeeld aan en klik vervolgens op [Start "
            "Zoeken Pathologie].\n"
            "In tabel 1) verschijnt de lijst van pathologie\xEBn die gelinkt kunnen worden aan die "
            "combinatie Planeet/Sterrenbeeld.\n"
            "Klik op een item van lijst 1) om lijst 2) te verkrijgen met de remedies waarmee die "
            "pathologie behandeld kan worden. \n"
            "Opgelet: Enkel de remedies die aangeduid worden met >>>   <<< komen overeen met de "
            "opgegeven astrologische \nsignatuur.");
    MemoZoom->setFixedHeight(110);
    top->addWidget(MemoZoom, 0, 0, 1, 3);
    top->addLayout(BuildDebilityChoice(), 1, 0);

    // The two lists, each under its number and title.
    const std::tuple<ModelList**, const char*, const char*, const char*, int> lists[] = {
        {&ListBox2, "ListBox2", "1)", "Pathologies", 1}, {&ListBox3, "ListBox3", "2)", "Remedies", 2}};
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
    ListBox1 = new ModelList(this, "ListBox1");
    ListBox1->hide();

    BitBtnRitorna = gui::MakeClickOnlyButton(this, "BitBtnRitorna", "&Terug naar menu");
    top->addWidget(BitBtnRitorna, 2, 2, Qt::AlignRight);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(2, 1);
    top->setRowStretch(1, 1);

    for (auto* r : PlanetRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBsolClick(); }));
    for (auto* r : SignRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBsolClick(); }));
    connect(BBRicerca, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBRicercaClick(); }));
    connect(ListBox2, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ListBox2Click(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { reject(); });
    resize(1100, 680);
}

// The weakened planet and sign, the search and what it found.
QVBoxLayout* DebilityWindow::BuildDebilityChoice() {
    PanPianeti = gui::MakeRadioGroup(this, "PanPianeti", "Verzwakte Planeten", kPlanetRadios, 99, PlanetRadios);
    std::vector<gui::RadioRow> signs;
    for (const auto& s : kDebilitySigns) signs.push_back({s.control, s.shown});
    PanSegni = gui::MakeRadioGroup(this, "PanSegni", "Verzwakt Teken", signs, 99, SignRadios);
    for (QRadioButton* any : {PlanetRadios.back(), SignRadios.back()}) any->setChecked(true);
    auto* panels = new QHBoxLayout;
    panels->addWidget(PanPianeti);
    panels->addWidget(PanSegni);
    auto* left = new QVBoxLayout;
    left->addLayout(panels);
    auto* words = new QHBoxLayout;
    words->addWidget(gui::MakeLabel(this, "LabDebolezza", "met zwakte"));
    EdPianeta = Tinted(gui::MakeReadOnlyEdit(this, "EdPianeta"), kSilverColour);
    EdSegno = Tinted(gui::MakeReadOnlyEdit(this, "EdSegno"), kSilverColour);
    SetText(EdPianeta, PlanetWord);
    SetText(EdSegno, ShownSign);
    words->addWidget(EdPianeta);
    words->addWidget(EdSegno);
    left->addLayout(words);
    BBRicerca = gui::MakeClickOnlyButton(this, "BBRicerca", "Zoektocht pathologie\xEBn begint");
    left->addWidget(BBRicerca);
    auto* tot = new QHBoxLayout;
    tot->addWidget(gui::MakeLabel(this, "LabTrovate", "gevonden "));
    EdTot = Tinted(gui::MakeReadOnlyEdit(this, "EdTot"), kSilverColour);
    EdTot->setText("0");
    tot->addWidget(EdTot);
    left->addLayout(tot);
    left->addStretch(1);
    return left;
}

bool DebilityWindow::DatabasesSound() {
    if (!remedies::DatabasesSound({PrimaryDb(), RepertoryDb()}, NothingShownUntilSound("n\xE9 patologie n\xE9 rimedi"))) {
        FormClose();
        for (ModelList* list : {ListBox1, ListBox2, ListBox3}) list->Clear();
        EdTot->clear();  // no count, as if a search had found nothing
        return false;
    }
    if (!read_) {
        primary_ = ReadPrimaryFile();
        therapies_ = ReadRepertoryFile();
        read_ = true;
    }
    return true;
}

void DebilityWindow::FormActivate() {
    FormClose();
    DatabasesSound();
}

void DebilityWindow::FormClose() {
    primary_.clear();
    therapies_.clear();
    read_ = false;
}

void DebilityWindow::ReadDebilityRadios() {
    for (std::size_t i = 0; i < PlanetRadios.size(); ++i)
        if (PlanetRadios[i]->isChecked()) PlanetWord = kPlanetRadios[i].caption;
    for (std::size_t i = 0; i < SignRadios.size(); ++i)
        if (SignRadios[i]->isChecked()) {
            ShownSign = kDebilitySigns[i].shown;
            SearchedSign = kDebilitySigns[i].searched;
        }
    SetText(EdPianeta, PlanetWord);
    SetText(EdSegno, ShownSign);
}

void DebilityWindow::RBsolClick() { ReadDebilityRadios(); }

void DebilityWindow::BBRicercaClick() {
    if (!DatabasesSound()) return;
    WithWaitCursor([&] {
        ListBox1->Clear();
        ListBox2->Clear();
        ListBox3->Clear();
        ReadDebilityRadios();
        ListBox2->SetLines(DebilityPathologies(primary_, therapies_, PlanetWord, SearchedSign));
        EdTot->setText(QString::number(ListBox2->Count()));
    });
}

void DebilityWindow::ListBox2Click() {
    const std::string pathology = ListBox2->SelectedLine();
    if (pathology.empty() || !DatabasesSound()) return;
    WithWaitCursor([&] {
        ListBox3->SetLines(DebilityRemedies(primary_, therapies_, pathology, PlanetWord, SearchedSign));
    });
}

}  // namespace remedies
