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
#include "remedies/debility_search.h"
#include "remedies/signature_search.h"
#include "remedies/windows/signature_panels.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

TFoMali* FoMali = nullptr;

TFoMali::TFoMali() {
    setObjectName("FoMali");
    setWindowTitle("ASTROLOGISCHE DEBILITEIT / PATHOLOGIEN");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetWindowColour(this, kWindowColour);
    auto* top = new QGridLayout(this);

    MemoZoom = MakeMemo(this, "MemoZoom", kMemoColour, true);
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

    PanPianeti = MakeRadioPanel(this, "Verzwakte Planeten", "PanPianeti", kPlanetRadios, 99, PlanetRadios);
    std::vector<RadioDef> signs;
    for (const auto& s : kDebilitySigns) signs.push_back({s.control, s.shown});
    PanSegni = MakeRadioPanel(this, "Verzwakt Teken", "PanSegni", signs, 99, SignRadios);
    auto* panels = new QHBoxLayout;
    panels->addWidget(PanPianeti);
    panels->addWidget(PanSegni);
    auto* left = new QVBoxLayout;
    left->addLayout(panels);
    auto* words = new QHBoxLayout;
    words->addWidget(MakeLabel(this, "met zwakte"));
    EdPianeta = MakeReadOnlyEdit(this, "EdPianeta");
    EdSegno = MakeReadOnlyEdit(this, "EdSegno");
    SetText(EdPianeta, PlanetWord);
    SetText(EdSegno, ShownSign);
    words->addWidget(EdPianeta);
    words->addWidget(EdSegno);
    left->addLayout(words);
    BBRicerca = MakeButton(this, "Zoektocht pathologie\xEBn begint", "BBRicerca");
    left->addWidget(BBRicerca);
    auto* tot = new QHBoxLayout;
    tot->addWidget(MakeLabel(this, "gevonden "));
    EdTot = MakeReadOnlyEdit(this, "EdTot");
    EdTot->setText("0");
    tot->addWidget(EdTot);
    left->addLayout(tot);
    left->addStretch(1);
    top->addLayout(left, 1, 0);

    auto list = [&](ModelList*& l, const char* name, const char* number, const char* title) {
        auto* box = new QVBoxLayout;
        auto* head = new QHBoxLayout;
        head->addWidget(MakeLabel(this, number));
        head->addWidget(MakeLabel(this, title), 1);
        box->addLayout(head);
        l = new ModelList(this, name);
        box->addWidget(l, 1);
        return box;
    };
    top->addLayout(list(ListBox2, "ListBox2", "1)", "Pathologies"), 1, 1);
    top->addLayout(list(ListBox3, "ListBox3", "2)", "Remedies"), 1, 2);
    ListBox1 = new ModelList(this, "ListBox1");
    ListBox1->hide();

    BitBtnRitorna = MakeButton(this, "&Terug naar menu", "BitBtnRitorna");
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

void TFoMali::FormActivate() {
    primary_ = ReadPrimaryFile();
    therapies_ = ReadRepertoryFile();
}

void TFoMali::FormClose() {
    primary_.clear();
    therapies_.clear();
}

void TFoMali::ReadDebilityRadios() {
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

void TFoMali::RBsolClick() { ReadDebilityRadios(); }

void TFoMali::BBRicercaClick() {
    WithWaitCursor([&] {
        ListBox1->Clear();
        ListBox2->Clear();
        ListBox3->Clear();
        ReadDebilityRadios();
        ListBox2->SetLines(DebilityPathologies(primary_, therapies_, PlanetWord, SearchedSign));
        EdTot->setText(QString::number(ListBox2->Count()));
    });
}

void TFoMali::ListBox2Click() {
    const std::string pathology = ListBox2->SelectedLine();
    if (pathology.empty()) return;
    WithWaitCursor([&] {
        ListBox3->SetLines(DebilityRemedies(primary_, therapies_, pathology, PlanetWord, SearchedSign));
    });
}

}  // namespace remedies
