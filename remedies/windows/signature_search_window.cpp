#include "remedies/windows/signature_search_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextOption>
#include <QVBoxLayout>

#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/win1252.h"
#include "remedies/prefix_bisect.h"
#include "remedies/windows/signature_panels.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

TFoSegnat* FoSegnat = nullptr;

TFoSegnat::TFoSegnat() {
    setObjectName("FoSegnat");
    setWindowTitle(" ASTROLOGISCHE SIGNATUUR");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetWindowColour(this, kWindowColour);

    auto* top = new QGridLayout(this);

    // The remedy list and its type-ahead.
    auto* left = new QVBoxLayout;
    Label6 = MakeLabel(this, "Remedies", "Label6");
    ListBox2 = new ModelList(this, "ListBox2");
    ListBox2->setMinimumWidth(230);
    ListBox1 = new ModelList(this, "ListBox1");
    ListBox1->hide();
    auto* zoek = new QHBoxLayout;
    Label20 = MakeLabel(this, "Zoek", "Label20");
    EditCerca = MakeSearchEdit(this, "EditCerca");
    zoek->addWidget(Label20);
    zoek->addWidget(EditCerca);
    left->addWidget(Label6);
    left->addWidget(ListBox2, 1);
    left->addLayout(zoek);
    top->addLayout(left, 0, 0, 3, 1);

    // The planet and sign panels.
    PanPianeti = MakeRadioPanel(this, "Planetaire Signatuur", "PanPianeti", kPlanetRadios, 5, PlanetRadios);
    RBNoPia = PlanetRadios.back();
    PanSegni = MakeRadioPanel(this, "Zodiac Signatuur", "PanSegni", kSignRadios, 5, SignRadios);
    RBNoSeg = SignRadios.back();
    auto* panels = new QHBoxLayout;
    panels->addWidget(PanPianeti);
    panels->addWidget(PanSegni);

    auto* words = new QHBoxLayout;
    Label5 = MakeLabel(this, "...met signatuur", "Label5");
    EdPianeta = MakeReadOnlyEdit(this, "EdPianeta");
    EdSegno = MakeReadOnlyEdit(this, "EdSegno");
    SetText(EdPianeta, kAnyWord);
    SetText(EdSegno, kAnyWord);
    Label7 = MakeLabel(this, "...ik vond", "Label7");
    EdTot = MakeReadOnlyEdit(this, "EdTot");
    EdTot->setText("0");
    EdTot->setMaximumWidth(60);
    BBRicerca = MakeButton(this, "Start Remedies zoeken", "BBRicerca");
    words->addWidget(Label5);
    words->addWidget(EdPianeta);
    words->addWidget(EdSegno);
    words->addWidget(Label7);
    words->addWidget(EdTot);
    words->addWidget(BBRicerca);

    MemoZoom = MakeMemo(this, "MemoZoom", kMemoColour, true);
    MemoZoom->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetText(MemoZoom,
            "Selecteer de remedie uit de lijst Remedies om de astrologische signatuur van een "
            "remedie te kennen.\nSpecifieer  de gezochte signatuur om de remedies met een bepaalde "
            "astrologische signatuur te visualiseren.");
    {
        QTextOption centred = MemoZoom->document()->defaultTextOption();
        centred.setAlignment(Qt::AlignHCenter);
        MemoZoom->document()->setDefaultTextOption(centred);
    }
    MemoZoom->setFixedHeight(50);

    auto* middle = new QVBoxLayout;
    middle->addWidget(MemoZoom);
    middle->addLayout(panels);
    middle->addLayout(words);
    top->addLayout(middle, 0, 1);

    // The grid of fourteen rows.
    auto* grid = new QGridLayout;
    Label18 = MakeLabel(this, "Remedies", "Label18");
    grid->addWidget(Label18, 0, 0);
    grid->addWidget(MakeLabel(this, "Primaire Sign."), 0, 1);
    grid->addWidget(MakeLabel(this, "Secondaire Sign."), 0, 2);
    grid->addWidget(MakeLabel(this, "Zodiac Signatuur"), 0, 3);
    for (int r = 0; r < kSignatureRows; ++r) {
        const std::string n = std::to_string(r + 1);
        EdP[r] = MakeReadOnlyEdit(this, ("EdP" + n).c_str());
        EdD[r] = MakeReadOnlyEdit(this, ("EdD" + n).c_str());
        EdE[r] = MakeReadOnlyEdit(this, ("EdE" + n).c_str());
        EdF[r] = MakeReadOnlyEdit(this, ("EdF" + n).c_str());
        grid->addWidget(EdP[r], r + 1, 0);
        grid->addWidget(EdD[r], r + 1, 1);
        grid->addWidget(EdE[r], r + 1, 2);
        grid->addWidget(EdF[r], r + 1, 3);
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 2);
    grid->setColumnStretch(3, 3);
    grid->setVerticalSpacing(1);
    top->addLayout(grid, 1, 1);

    auto* bottom = new QHBoxLayout;
    BBAnticipo = MakeButton(this, "\xAB", "BBAnticipo");
    Label22 = MakeLabel(this, "pag", "Label22");
    EdPage = MakeReadOnlyEdit(this, "EdPage");
    SetBaseColour(EdPage, kWhiteColour);
    EdPage->setMaximumWidth(70);
    EdPage->setAlignment(Qt::AlignCenter);
    BBseguito = MakeButton(this, "\xBB", "BBseguito");
    BBpulisci = MakeButton(this, "Schoon", "BBpulisci");
    BitBtnRitorna = MakeButton(this, "&Terug naar het menu", "BitBtnRitorna");
    bottom->addWidget(BBAnticipo);
    bottom->addWidget(Label22);
    bottom->addWidget(EdPage);
    bottom->addWidget(BBseguito);
    bottom->addStretch(1);
    bottom->addWidget(BBpulisci);
    bottom->addWidget(BitBtnRitorna);
    top->addLayout(bottom, 2, 1);
    top->setColumnStretch(1, 1);

    for (auto* r : PlanetRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBsolClick(); }));
    for (auto* r : SignRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBsolClick(); }));
    connect(ListBox2, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ListBox2Click(); }));
    HandleEditKeys(EditCerca, [this](char c) { EditCercaKeyPress(c); }, [this] { EditCercaClick(); });
    connect(BBRicerca, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBRicercaClick(); }));
    connect(BBseguito, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBseguitoClick(); }));
    connect(BBAnticipo, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBAnticipoClick(); }));
    connect(BBpulisci, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBpulisciClick(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { reject(); });
    resize(1180, 640);
}

void TFoSegnat::FormActivate() {
    ClearSignatureRows();
    ListBox1->Clear();
    ListBox2->Clear();
    RemedyIndex index = BuildRemedyIndex();
    ListBox1->SetLines(index.names);
    ListBox2->SetLines(index.names);
}

void TFoSegnat::ReadSignatureRadios() {
    PlanetWord = CheckedCaption(PlanetRadios);
    SignWord = CheckedCaption(SignRadios);
    SetText(EdPianeta, PlanetWord);
    SetText(EdSegno, SignWord);
}

void TFoSegnat::RBsolClick() { ReadSignatureRadios(); }

void TFoSegnat::ClearSignatureRows() { RowUsed.fill(false); }

void TFoSegnat::ClearSignatureGrid() {
    for (int r = 0; r < kSignatureRows; ++r)
        for (QLineEdit* e : {EdP[r], EdD[r], EdE[r], EdF[r]}) e->clear();
}

void TFoSegnat::WriteRow(int r, const SignatureRow& t) {
    SetText(EdP[r], t.remedy);
    SetText(EdD[r], t.primary);
    SetText(EdE[r], t.secondary);
    SetText(EdF[r], t.zodiac);
    RowUsed[static_cast<std::size_t>(r)] = true;
}

void TFoSegnat::ShowRemedySignatures(const PrimaryRecord& rec) {
    if (std::all_of(RowUsed.begin(), RowUsed.end(), [](bool u) { return u; })) {
        ClearSignatureGrid();
        ClearSignatureRows();
    }
    AddSignatureRow(RowOf(rec));
}

void TFoSegnat::AddSignatureRow(const SignatureRow& row) {
    for (int r = 0; r < kSignatureRows; ++r)
        if (!RowUsed[static_cast<std::size_t>(r)]) {
            WriteRow(r, row);
            return;
        }
}

void TFoSegnat::LoadSegnatDumPage(int page) {
    for (const auto& row : LoadSegnatDum(page)) AddSignatureRow(row);
}

void TFoSegnat::EditCercaClick() {
    EditCerca->clear();
    SearchKey.clear();
}

void TFoSegnat::EditCercaKeyPress(char key) {
    if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 32);
    if (!ApplyTypeAheadKey(SearchKey, key)) return;
    SetText(EditCerca, SearchKey);
    EditCerca->setCursorPosition(EditCerca->text().size());
    ListPrefixBisect();
}

void TFoSegnat::ListPrefixBisect() {
    // The key is in capitals: the names are compared with it in capitals too.
    int row = PrefixBisect(ListBox2->Lines(), SearchKey, true);
    if (row >= 0) ListBox2->SelectRow(row);
}

void TFoSegnat::ListBox2Click() {
    if (SearchMode) {
        ClearSignatureGrid();
        ClearSignatureRows();
        SetBaseColour(EdPage, kWhiteColour);
        EdPage->clear();
        EdTot->clear();
        SearchMode = false;
    }
    const std::string name = ListBox2->SelectedLine();
    if (name.empty()) return;
    const auto all = ReadPrimaryFile();
    const std::int64_t r = FirstRecordNamed(all, name);
    if (r >= 0) ShowRemedySignatures(all[static_cast<std::size_t>(r)]);
}

void TFoSegnat::BBRicercaClick() {
    ClearSignatureGrid();
    ClearSignatureRows();
    SearchMode = true;
    const std::string planet = TextOf(EdPianeta);
    const std::string sign = TextOf(EdSegno);
    std::vector<SignatureRow> hits;
    WithWaitCursor([&] { hits = SearchSignatures(ListBox2->Lines(), planet, sign); });
    const int n = static_cast<int>(hits.size());
    EdTot->setText(QString::number(n));
    if (n > kSignatureRows) SetBaseColour(EdPage, kRedColour);
    PageCount = SignaturePageCount(n);
    CurrentPage = 1;
    ShowPage();
}

void TFoSegnat::ShowPage() {
    EdPage->setText(QString("%1/%2").arg(CurrentPage).arg(PageCount));
    ClearSignatureGrid();
    ClearSignatureRows();
    LoadSegnatDumPage(CurrentPage);
}

void TFoSegnat::BBseguitoClick() {
    if (CurrentPage >= PageCount) return;
    ++CurrentPage;
    SetBaseColour(EdPage, kWhiteColour);
    ShowPage();
}

void TFoSegnat::BBAnticipoClick() {
    if (CurrentPage <= 1) return;
    --CurrentPage;
    ShowPage();
}

void TFoSegnat::BBpulisciClick() {
    ClearSignatureGrid();
    ClearSignatureRows();
}

}  // namespace remedies
