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
#include "platform/gui/widgets.h"
#include "platform/runtime/win1252.h"
#include "remedies/prefix_bisect.h"
#include "remedies/windows/signature_panels.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

SignatureSearchWindow* theSignatureSearchWindow = nullptr;

SignatureSearchWindow::SignatureSearchWindow() {
    setObjectName("FoSegnat");
    setWindowTitle(" ASTROLOGISCHE SIGNATUUR");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetWindowColour(this, kWindowColour);

    auto* top = new QGridLayout(this);
    BuildRemedyColumn(top);
    BuildSignatureChoice(top);
    BuildSignatureGrid(top);
    BuildPageBar(top);
    top->setColumnStretch(1, 1);

    for (auto* r : PlanetRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBsolClick(); }));
    for (auto* r : SignRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBsolClick(); }));
    connect(ListBox2, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ListBox2Click(); }));
    HandleEditKeys(
        EditCerca, [this](char c) { EditCercaKeyPress(c); }, [this] { EditCercaClick(); },
        [this] { EditCercaEdited(); });
    connect(BBRicerca, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBRicercaClick(); }));
    connect(BBseguito, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBseguitoClick(); }));
    connect(BBAnticipo, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBAnticipoClick(); }));
    connect(BBpulisci, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBpulisciClick(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { reject(); });
    resize(1180, 640);
}

// The remedy list and its type-ahead.
void SignatureSearchWindow::BuildRemedyColumn(QGridLayout* top) {
    auto* left = new QVBoxLayout;
    Label6 = gui::MakeLabel(this, "Label6", "Remedies");
    ListBox2 = new ModelList(this, "ListBox2");
    ListBox2->setMinimumWidth(230);
    ListBox1 = new ModelList(this, "ListBox1");
    ListBox1->hide();
    auto* zoek = new QHBoxLayout;
    Label20 = gui::MakeLabel(this, "Label20", "Zoek");
    EditCerca = Tinted(gui::MakeEdit(this, "EditCerca"), kAquaColour);
    zoek->addWidget(Label20);
    zoek->addWidget(EditCerca);
    left->addWidget(Label6);
    left->addWidget(ListBox2, 1);
    left->addLayout(zoek);
    top->addLayout(left, 0, 0, 3, 1);
}

// The help above the planet and sign panels and the signature they choose.
void SignatureSearchWindow::BuildSignatureChoice(QGridLayout* top) {
    PanPianeti = gui::MakeRadioGroup(this, "PanPianeti", "Planetaire Signatuur", kPlanetRadios, 5, PlanetRadios);
    RBNoPia = PlanetRadios.back();
    PanSegni = gui::MakeRadioGroup(this, "PanSegni", "Zodiac Signatuur", kSignRadios, 5, SignRadios);
    RBNoSeg = SignRadios.back();
    for (QRadioButton* any : {RBNoPia, RBNoSeg}) any->setChecked(true);
    auto* panels = new QHBoxLayout;
    panels->addWidget(PanPianeti);
    panels->addWidget(PanSegni);

    auto* words = new QHBoxLayout;
    Label5 = gui::MakeLabel(this, "Label5", "...met signatuur");
    EdPianeta = Tinted(gui::MakeReadOnlyEdit(this, "EdPianeta"), kSilverColour);
    EdSegno = Tinted(gui::MakeReadOnlyEdit(this, "EdSegno"), kSilverColour);
    SetText(EdPianeta, kAnyWord);
    SetText(EdSegno, kAnyWord);
    Label7 = gui::MakeLabel(this, "Label7", "...ik vond");
    EdTot = Tinted(gui::MakeReadOnlyEdit(this, "EdTot"), kSilverColour);
    EdTot->setText("0");
    EdTot->setMaximumWidth(60);
    BBRicerca = gui::MakeClickOnlyButton(this, "BBRicerca", "Start Remedies zoeken");
    for (QWidget* w : std::initializer_list<QWidget*>{Label5, EdPianeta, EdSegno, Label7, EdTot, BBRicerca})
        words->addWidget(w);

    MemoZoom = NoteMemo(gui::MakeMemo(this, "MemoZoom", true), kMemoColour);
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
}

// The grid of fourteen rows: remedy, primary, secondary and zodiacal signature.
void SignatureSearchWindow::BuildSignatureGrid(QGridLayout* top) {
    auto* grid = new QGridLayout;
    Label18 = gui::MakeLabel(this, "Label18", "Remedies");
    grid->addWidget(Label18, 0, 0);
    grid->addWidget(gui::MakeLabel(this, "LabPrimaria", "Primaire Sign."), 0, 1);
    grid->addWidget(gui::MakeLabel(this, "LabSecondaria", "Secondaire Sign."), 0, 2);
    grid->addWidget(gui::MakeLabel(this, "LabZodiacale", "Zodiac Signatuur"), 0, 3);
    const std::pair<std::array<QLineEdit*, kSignatureRows>*, const char*> columns[] = {
        {&EdP, "EdP"}, {&EdD, "EdD"}, {&EdE, "EdE"}, {&EdF, "EdF"}};
    for (int r = 0; r < kSignatureRows; ++r) {
        int column = 0;
        for (const auto& [edits, stem] : columns) {
            const std::string name = stem + std::to_string(r + 1);
            (*edits)[r] = Tinted(gui::MakeReadOnlyEdit(this, name.c_str()), kSilverColour);
            grid->addWidget((*edits)[r], r + 1, column++);
        }
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 2);
    grid->setColumnStretch(3, 3);
    grid->setVerticalSpacing(1);
    top->addLayout(grid, 1, 1);
}

// The pages of the search's remedies, the clearing and the way back.
void SignatureSearchWindow::BuildPageBar(QGridLayout* top) {
    auto* bottom = new QHBoxLayout;
    BBAnticipo = gui::MakeClickOnlyButton(this, "BBAnticipo", "\xAB");
    Label22 = gui::MakeLabel(this, "Label22", "pag");
    EdPage = Tinted(gui::MakeReadOnlyEdit(this, "EdPage"), kWhiteColour);
    EdPage->setMaximumWidth(70);
    EdPage->setAlignment(Qt::AlignCenter);
    gui::MakeClickOnlyButtons(this, {{&BBseguito, "BBseguito", "\xBB"},
                                     {&BBpulisci, "BBpulisci", "Schoon"},
                                     {&BitBtnRitorna, "BitBtnRitorna", "&Terug naar het menu"}});
    bottom->addWidget(BBAnticipo);
    bottom->addWidget(Label22);
    bottom->addWidget(EdPage);
    bottom->addWidget(BBseguito);
    bottom->addStretch(1);
    bottom->addWidget(BBpulisci);
    bottom->addWidget(BitBtnRitorna);
    top->addLayout(bottom, 2, 1);
}

bool SignatureSearchWindow::DatabaseSound() {
    if (DatabasesSound({PrimaryDb()}, NothingShownUntilSound("i rimedi"))) {
        if (!listed_) ListRemedies();
        return true;
    }
    listed_ = false;
    ListBox1->Clear();
    ListBox2->Clear();
    ClearSignatureGrid();
    ClearSignatureRows();
    // No count and no pages, as if a search had found nothing.
    EdTot->clear();
    SetBaseColour(EdPage, kWhiteColour);
    EdPage->clear();
    CurrentPage = 1;
    PageCount = 0;
    SearchMode = false;
    return false;
}

void SignatureSearchWindow::FormActivate() {
    ClearSignatureRows();
    listed_ = false;
    DatabaseSound();
}

void SignatureSearchWindow::ListRemedies() {
    ListBox1->Clear();
    ListBox2->Clear();
    RemedyIndex index;
    try {
        index = BuildRemedyIndex();
    } catch (const DamagedDatabaseError& e) {
        e.Tell();  // no remedy is listed from a damaged database
    }
    ListBox1->SetLines(index.names);
    ListBox2->SetLines(index.names);
    listed_ = true;
}

void SignatureSearchWindow::ReadSignatureRadios() {
    PlanetWord = CheckedCaption(PlanetRadios);
    SignWord = CheckedCaption(SignRadios);
    SetText(EdPianeta, PlanetWord);
    SetText(EdSegno, SignWord);
}

void SignatureSearchWindow::RBsolClick() { ReadSignatureRadios(); }

void SignatureSearchWindow::ClearSignatureRows() { RowUsed.fill(false); }

void SignatureSearchWindow::ClearSignatureGrid() {
    for (int r = 0; r < kSignatureRows; ++r)
        for (QLineEdit* e : {EdP[r], EdD[r], EdE[r], EdF[r]}) e->clear();
}

void SignatureSearchWindow::WriteRow(int r, const SignatureRow& t) {
    SetText(EdP[r], t.remedy);
    SetText(EdD[r], t.primary);
    SetText(EdE[r], t.secondary);
    SetText(EdF[r], t.zodiac);
    RowUsed[static_cast<std::size_t>(r)] = true;
}

void SignatureSearchWindow::ShowRemedySignatures(const PrimaryRecord& rec) {
    if (std::all_of(RowUsed.begin(), RowUsed.end(), [](bool u) { return u; })) {
        ClearSignatureGrid();
        ClearSignatureRows();
    }
    AddSignatureRow(RowOf(rec));
}

void SignatureSearchWindow::AddSignatureRow(const SignatureRow& row) {
    for (int r = 0; r < kSignatureRows; ++r)
        if (!RowUsed[static_cast<std::size_t>(r)]) {
            WriteRow(r, row);
            return;
        }
}

void SignatureSearchWindow::LoadSegnatDumPage(int page) {
    for (const auto& row : LoadSegnatDum(page)) AddSignatureRow(row);
}

void SignatureSearchWindow::EditCercaClick() {
    EditCerca->clear();
    SearchKey.clear();
}

void SignatureSearchWindow::EditCercaKeyPress(char key) {
    if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 32);
    if (!ApplyTypeAheadKey(SearchKey, key)) return;
    SetText(EditCerca, SearchKey);
    EditCerca->setCursorPosition(EditCerca->text().size());
    ListPrefixBisect();
}

void SignatureSearchWindow::EditCercaEdited() {
    SearchKey = TextOf(EditCerca);
    ListPrefixBisect();
}

void SignatureSearchWindow::ListPrefixBisect() {
    // The key is in capitals: the names are compared with it in capitals too.
    int row = PrefixBisect(ListBox2->Lines(), SearchKey, true);
    if (row >= 0) ListBox2->SelectRow(row);
}

void SignatureSearchWindow::ListBox2Click() {
    if (SearchMode) {
        ClearSignatureGrid();
        ClearSignatureRows();
        SetBaseColour(EdPage, kWhiteColour);
        EdPage->clear();
        EdTot->clear();
        SearchMode = false;
    }
    const std::string name = ListBox2->SelectedLine();
    if (name.empty() || !DatabaseSound()) return;
    const auto all = ReadPrimaryFile();
    const std::int64_t r = FirstRecordNamed(all, name);
    if (r >= 0) ShowRemedySignatures(all[static_cast<std::size_t>(r)]);
}

void SignatureSearchWindow::BBRicercaClick() {
    if (!DatabaseSound()) return;
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

void SignatureSearchWindow::ShowPage() {
    EdPage->setText(QString("%1/%2").arg(CurrentPage).arg(PageCount));
    ClearSignatureGrid();
    ClearSignatureRows();
    LoadSegnatDumPage(CurrentPage);
}

void SignatureSearchWindow::BBseguitoClick() {
    if (CurrentPage >= PageCount) return;
    ++CurrentPage;
    SetBaseColour(EdPage, kWhiteColour);
    ShowPage();
}

void SignatureSearchWindow::BBAnticipoClick() {
    if (CurrentPage <= 1) return;
    --CurrentPage;
    ShowPage();
}

void SignatureSearchWindow::BBpulisciClick() {
    ClearSignatureGrid();
    ClearSignatureRows();
}

}  // namespace remedies
